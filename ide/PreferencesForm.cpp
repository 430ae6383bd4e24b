#include "ide/PreferencesForm.h"

#include "ide/DurnixEditForm.h"
#include "ide/IdeDialogs.h"
#include "ide/editor/BasicScheme.h"
#include "ide/editor/SxEditor.h"
#include "interpreter/Codes_class.h"
#include "platform/gui/Colors.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const elementNames[] = { "Highlighted Text", "Comments", "Normal Text", "Numbers", "Strings", "Operators",
    "Commands", "Functions", "Statements", "Constants" };

const char* const sampleText = "' This is a comment line\r\n"
                               "' and another one\r\n"
                               "print sqrt(2) * 10\r\n"
                               "total = total + 3.5\r\n"
                               "// a comment of the other kind\r\n"
                               "if total > 10\r\n"
                               "   print \"Large enough\"\r\n"
                               "endif\r\n"
                               "This is selected stuff";

const char* const instructions
    = "These pages change how the editor works and looks.\n\n"
      "General Settings: tabbing, indenting, reloading files changed on disk, remembering where the windows were, "
      "and the length of the recent-file list in the File menu.\n\n"
      "Editor Settings: the margin and its line numbers, the text size and the colours. Choose an item in the list "
      "(\"Normal Text\", \"Comments\" ...) and set its text colour, background and style; the sample shows the "
      "result at once. \"Highlighted Text\" is the selection. Changing the editor background also changes every "
      "item that had the old background.\n\n"
      "Printing Settings: what a printed program looks like.\n\n"
      "Nothing changes in the editor until you press Apply; Cancel leaves everything as it was. Each page can be "
      "set back to its defaults, and \"Reset ALL Parameters To QV Defaults\" sets back all pages.";

// The classes whose hint the panel shows; any other control shows none.
bool ShowsHint(const QObject* control)
{
    return qobject_cast<const QCheckBox*>(control) || qobject_cast<const QPushButton*>(control)
        || qobject_cast<const QSpinBox*>(control) || qobject_cast<const QListWidget*>(control)
        || dynamic_cast<const TsxEditor*>(control);
}

QCheckBox* Check(QWidget* parent, const char* caption, const char* hint)
{
    auto* box = new QCheckBox(caption, parent);
    box->setToolTip(hint);
    return box;
}

QPushButton* Button(QWidget* parent, const char* caption, const char* hint)
{
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QSpinBox* UpDown(QWidget* parent, int low, int high, const char* hint)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(low, high);
    spin->setToolTip(hint);
    return spin;
}

} // namespace

TPreferencesForm::TPreferencesForm(TDurnixEditForm& editorForm, IdeDialogs& ideDialogs, QWidget* parent)
    : QDialog(parent)
    , editor(editorForm)
    , dialogs(ideDialogs)
{
    setWindowTitle("Quorvatine IDE Configuration Settings");
    setModal(true);
    SetupBasicScheme(sxPainter1);
    const Vocabulary& vocabulary = Vocabulary::instance();
    for (int kind = 0; kind < 5; ++kind) {
        AnsiString list;
        vocabulary.KeywordList(kind, list);
        if (TsxWords* words = sxPainter1.FindWords(BasicWordGroups[kind])) words->SetWordsText(list);
    }

    SettingsPages = new QTabWidget(this);
    SettingsPages->addTab(GeneralPage(), "&General Settings");
    SettingsPages->addTab(EditorPage(), "&Editor Settings");
    SettingsPages->addTab(PrintingPage(), "&Printing Settings");
    SettingsPages->addTab(InstructionsPage(), "Instru&ctions");

    Cancel = Button(this, "Cance&l", "Close Without Changing Anything");
    DefaultALL = Button(this, "Reset ALL Parameters To QV Defaults", "Set All Pages|To Their Default Settings");
    Apply = Button(this, "Appl&y", "Apply The Settings|And Close");
    auto* hintPanel = new QGroupBox(this);
    HintLine1 = new QLabel(hintPanel);
    HintLine2 = new QLabel(hintPanel);
    NoHints = Check(hintPanel, "Hints", "Show Hints Here");
    NoHints->setChecked(true);
    auto* hintLayout = new QGridLayout(hintPanel);
    hintLayout->addWidget(HintLine1, 0, 0);
    hintLayout->addWidget(HintLine2, 1, 0);
    hintLayout->addWidget(NoHints, 0, 1, 2, 1);
    hintLayout->setColumnStretch(0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Cancel);
    bottom->addWidget(DefaultALL);
    bottom->addStretch(1);
    bottom->addWidget(Apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SettingsPages, 1);
    layout->addLayout(bottom);
    layout->addWidget(hintPanel);

    connect(Cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(Apply, &QPushButton::clicked, this, [this] { ApplyClick(); });
    connect(DefaultALL, &QPushButton::clicked, this, [this] {
        model.AllDefaults();
        Refresh();
        ShowElement(PreferencesModel::NormalText);
        Changed();
    });

    // Hints follow the mouse over the dialog's controls.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    resize(720, 560);
}

TPreferencesForm::~TPreferencesForm()
{
    Memo1->SetPainter(nullptr);
}

QWidget* TPreferencesForm::GeneralPage()
{
    auto* page = new QWidget;
    SmartTabbing = Check(page, "Smart &Tabbing", "Tab Moves To The Start|Of The Next Word Above");
    TabSize = UpDown(page, 2, 12, "Tab Width In Spaces");
    AutoLoadFile = Check(page, "&Auto Load Newer File", "Reload A File Changed On Disk|Before Running It");
    AutoIndent = Check(page, "Auto &Indenting", "New Lines Start|Under The Line Above");
    RememberMetrics = Check(page, "&Remember IDE Window's Last Position And Size", "Keep The Editor Window's Place");
    HelpMetrics = Check(page, "&Remember Help Screen's Last Position And Size", "Keep The Help Window's Place");
    AutoHelpFind
        = Check(page, "&Selected text automatically carries over  to", "F1 Takes The Selected Text|To The Help Search");
    MaxRecentFiles = UpDown(page, 0, 15, "Files Listed|In The File Menu");
    ClearList = Button(page, "&Clear Current List", "Empty The Recent-File List Now");
    DefaultParams = Button(page, "Set All To &Default Settings", "Defaults Of This Page");
    auto* grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(SmartTabbing, row++, 0, 1, 2);
    grid->addWidget(new QLabel("Tab Size:", page), row, 0);
    grid->addWidget(TabSize, row++, 1);
    grid->addWidget(AutoLoadFile, row++, 0, 1, 2);
    grid->addWidget(AutoIndent, row++, 0, 1, 2);
    grid->addWidget(RememberMetrics, row++, 0, 1, 2);
    grid->addWidget(HelpMetrics, row++, 0, 1, 2);
    grid->addWidget(AutoHelpFind, row, 0);
    grid->addWidget(new QLabel("Help Screen's Find Dialog", page), row++, 1);
    grid->addWidget(new QLabel("Recent Files:", page), row, 0);
    grid->addWidget(MaxRecentFiles, row++, 1);
    grid->addWidget(ClearList, row++, 0);
    grid->addWidget(DefaultParams, row++, 0);
    grid->setRowStretch(row, 1);

    for (QCheckBox* box : { SmartTabbing, AutoLoadFile, AutoIndent, RememberMetrics, HelpMetrics, AutoHelpFind })
        connect(box, &QCheckBox::toggled, this, [this] { ReadControls(); });
    for (QSpinBox* spin : { TabSize, MaxRecentFiles })
        connect(spin, &QSpinBox::valueChanged, this, [this] { ReadControls(); });
    connect(ClearList, &QPushButton::clicked, this, [this] { ClearListClick(); });
    connect(DefaultParams, &QPushButton::clicked, this, [this] {
        model.GeneralDefaults();
        Refresh();
        Changed();
    });
    return page;
}

QWidget* TPreferencesForm::EditorPage()
{
    auto* page = new QWidget;
    MarginAlwaysOn = Check(page, "Always Show &Margin", "Show The Margin|Even Without Line Numbers");
    LineNumbers = Check(page, "Show Line &Numbers", "Line Numbers In The Margin");
    MarginSize = UpDown(page, 20, 200, "Margin Width In Pixels");
    MarginColor = Button(page, "", "Margin Colour|Click To Change");
    EditColor = Button(page, "", "Editor Background Colour|Click To Change");
    ListBox1 = new QListWidget(page);
    ListBox1->setToolTip("Choose The Kind Of Text|To Colour And Style");
    for (const char* name : elementNames)
        ListBox1->addItem(name);
    TextColor = Button(page, "", "Text Colour|Click To Change");
    BackgroundColor = Button(page, "", "Background Colour|Click To Change");
    Bold = Check(page, "Bold", "Bold Text");
    Italic = Check(page, "Italic", "Italic Text");
    Underlined = Check(page, "Underlined", "Underlined Text");
    StrikeOut = Check(page, "StrikeOut", "Struck Out Text");
    TextSize = UpDown(page, 6, 30, "Text Size In Points");
    SetToEditorColor = Button(page, "Set = Editor Background Col&or", "Background Of This Item|= Editor Background");
    NoHighLighting = Button(page, "Set all Texts = &Normal Text ", "Every Item Looks|Like Normal Text");
    DefaultColors = Button(page, "Set All To &Default Settings", "Defaults Of This Page");
    Memo1 = new TsxEditor(page);
    Memo1->SetPainter(&sxPainter1);
    Memo1->SetText(sampleText);
    Memo1->SetReadOnly(true);
    Memo1->HideSelection = false;
    Memo1->setToolTip("A Sample|Of The Settings");
    Memo1->setMinimumHeight(170);

    auto* grid = new QGridLayout(page);
    grid->addWidget(MarginAlwaysOn, 0, 0);
    grid->addWidget(LineNumbers, 1, 0);
    grid->addWidget(new QLabel("Margin Size:", page), 2, 0);
    grid->addWidget(MarginSize, 2, 1);
    grid->addWidget(new QLabel("Margin Color:", page), 0, 2);
    grid->addWidget(MarginColor, 0, 3);
    grid->addWidget(new QLabel("Editor Color:", page), 1, 2);
    grid->addWidget(EditColor, 1, 3);
    grid->addWidget(new QLabel("Text Size:", page), 2, 2);
    grid->addWidget(TextSize, 2, 3);
    grid->addWidget(ListBox1, 3, 0, 6, 2);
    grid->addWidget(new QLabel("Text:", page), 3, 2);
    grid->addWidget(TextColor, 3, 3);
    grid->addWidget(new QLabel("Background:", page), 4, 2);
    grid->addWidget(BackgroundColor, 4, 3);
    grid->addWidget(Bold, 5, 2);
    grid->addWidget(Italic, 5, 3);
    grid->addWidget(Underlined, 6, 2);
    grid->addWidget(StrikeOut, 6, 3);
    grid->addWidget(SetToEditorColor, 7, 2, 1, 2);
    grid->addWidget(NoHighLighting, 8, 2, 1, 2);
    grid->addWidget(DefaultColors, 9, 2, 1, 2);
    grid->addWidget(Memo1, 10, 0, 1, 4);
    grid->setRowStretch(10, 1);

    // The margin follows these boxes once one is touched; until then it keeps
    // the editor's own state, which may show the margin without either.
    for (QCheckBox* box : { MarginAlwaysOn, LineNumbers })
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!live) return;
            model.settings.SetFlag(IdeSettings::GutterShown, LineNumbers->isChecked() || MarginAlwaysOn->isChecked());
            ReadControls();
        });
    for (QSpinBox* spin : { MarginSize, TextSize })
        connect(spin, &QSpinBox::valueChanged, this, [this] { ReadControls(); });
    for (QCheckBox* box : { Bold, Italic, Underlined, StrikeOut })
        connect(box, &QCheckBox::toggled, this, [this] {
            if (live) ApplyToElement();
        });
    for (QPushButton* field : { MarginColor, EditColor, TextColor, BackgroundColor })
        connect(field, &QPushButton::clicked, this, [this, field] { ColourFieldClick(field); });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) { ShowElement(row); });
    connect(SetToEditorColor, &QPushButton::clicked, this, [this] { SetToEditorColorClick(); });
    connect(NoHighLighting, &QPushButton::clicked, this, [this] { NoHighLightingClick(); });
    connect(DefaultColors, &QPushButton::clicked, this, [this] {
        model.EditorDefaults();
        Refresh();
        ShowElement(PreferencesModel::NormalText);
        Changed();
    });
    // The sample only shows; a click puts its selection back and gives the
    // focus to the list.
    Memo1->OnClick = [this](void*) {
        SelectSampleLastLine();
        ListBox1->setFocus();
    };
    return page;
}

QWidget* TPreferencesForm::PrintingPage()
{
    auto* page = new QWidget;
    PrintColor = Check(page, "Print With &Color", "Print The Text In Colour");
    PrintPageNumbers = Check(page, "Print &Page Numbers", "A Page Number|At The Foot Of Each Page");
    PrintSyntaxColor = Check(page, "Apply &Syntax Font Styles", "Bold, Italic ...|As In The Editor");
    PrintTimeDate = Check(page, "Print &Time and Date", "The Time Of Printing|In The Header");
    DefaultPrinting = Button(page, "Set All To &Default Settings", "Defaults Of This Page");
    auto* layout = new QVBoxLayout(page);
    for (QWidget* widget : std::initializer_list<QWidget*> {
             PrintColor, PrintPageNumbers, PrintSyntaxColor, PrintTimeDate, DefaultPrinting })
        layout->addWidget(widget);
    layout->addStretch(1);
    for (QCheckBox* box : { PrintColor, PrintPageNumbers, PrintSyntaxColor, PrintTimeDate })
        connect(box, &QCheckBox::toggled, this, [this] {
            if (live) PrintBoxClick();
        });
    connect(DefaultPrinting, &QPushButton::clicked, this, [this] {
        model.PrintingDefaults();
        Refresh();
        Changed();
    });
    return page;
}

QWidget* TPreferencesForm::InstructionsPage()
{
    auto* text = new QPlainTextEdit;
    text->setReadOnly(true);
    text->setPlainText(instructions);
    return text;
}

void TPreferencesForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    if (firstActivation) {
        firstActivation = false;
        ListBox1->setCurrentRow(0);
        SelectSampleLastLine();
    }
    model.settings = editor.CollectSettings();
    Refresh();
    ListBox1->setCurrentRow(PreferencesModel::NormalText);
    ShowElement(PreferencesModel::NormalText);
    Apply->setEnabled(false);
}

void TPreferencesForm::SelectSampleLastLine()
{
    Memo1->SetBlockBegin({ 0, 8 });
    Memo1->SetSelLength(999);
    // The whole sample stays in view, not the end of the selection.
    Memo1->SetTopLine(0);
    Memo1->SetLeftChar(0);
}

void TPreferencesForm::ShowColour(QPushButton* field, int colour)
{
    field->setProperty("colour", colour);
    const QColor shown = platform::toQColor(colour);
    // With a border of its own the field is drawn flat: a style's button
    // bevel would shade the colour it is there to show.
    field->setStyleSheet(
        QString("QPushButton { background-color: %1; border: 1px solid #808080; min-width: 48px; min-height: 18px; }")
            .arg(shown.name()));
}

int TPreferencesForm::FieldColour(const QPushButton* field)
{
    return field->property("colour").toInt();
}

void TPreferencesForm::Refresh()
{
    live = false;
    const IdeSettings& s = model.settings;
    SmartTabbing->setChecked(s.Flag(IdeSettings::SmartTabbing));
    TabSize->setValue(s[IdeSettings::TabWidth]);
    AutoLoadFile->setChecked(s.Flag(IdeSettings::AutoLoadNewer));
    AutoIndent->setChecked(s.Flag(IdeSettings::AutoIndent));
    RememberMetrics->setChecked(s.Flag(IdeSettings::RememberEditorBounds));
    HelpMetrics->setChecked(s.Flag(IdeSettings::RememberHelpBounds));
    AutoHelpFind->setChecked(s.Flag(IdeSettings::SelectionToHelp));
    MaxRecentFiles->setValue(s[IdeSettings::RecentLimit]);
    const int print = s[IdeSettings::PrintOptions];
    PrintColor->setChecked(print & PreferencesModel::PrintColour);
    PrintPageNumbers->setChecked(print & PreferencesModel::PrintPageNumbers);
    PrintSyntaxColor->setChecked(print & PreferencesModel::PrintSyntax);
    PrintTimeDate->setChecked(print & PreferencesModel::PrintTimeDate);
    MarginAlwaysOn->setChecked(s.Flag(IdeSettings::MarginAlwaysOn));
    LineNumbers->setChecked(s.Flag(IdeSettings::GutterLineNumbers));
    TextSize->setValue(s[IdeSettings::FontSize]);
    MarginSize->setValue(s[IdeSettings::GutterWidth]);
    ShowColour(MarginColor, s[IdeSettings::MarginColour]);
    ShowColour(EditColor, s[IdeSettings::BackgroundColour]);
    live = true;
    UpdateSample();
}

void TPreferencesForm::UpdateSample()
{
    const IdeSettings& s = model.settings;
    IdeSettingsFile::ApplyToPainter(s, sxPainter1);
    Memo1->SetTabScale(s[IdeSettings::TabWidth]);
    Memo1->TabBehavior = s.Flag(IdeSettings::SmartTabbing) ? tbSmart : tbFixed;
    Memo1->SetGutterShowLines(s.Flag(IdeSettings::GutterLineNumbers));
    Memo1->SetGutter(s.Flag(IdeSettings::GutterShown));
    Memo1->SetGutterWidth(s[IdeSettings::GutterWidth]);
    Memo1->FullUpdate();
}

void TPreferencesForm::Changed()
{
    Apply->setEnabled(true);
    UpdateSample();
}

void TPreferencesForm::ReadControls()
{
    if (!live) return;
    IdeSettings& s = model.settings;
    s.SetFlag(IdeSettings::SmartTabbing, SmartTabbing->isChecked());
    s.Set(IdeSettings::TabWidth, TabSize->value());
    s.SetFlag(IdeSettings::AutoLoadNewer, AutoLoadFile->isChecked());
    s.SetFlag(IdeSettings::AutoIndent, AutoIndent->isChecked());
    s.SetFlag(IdeSettings::RememberEditorBounds, RememberMetrics->isChecked());
    s.SetFlag(IdeSettings::RememberHelpBounds, HelpMetrics->isChecked());
    s.SetFlag(IdeSettings::SelectionToHelp, AutoHelpFind->isChecked());
    s.Set(IdeSettings::RecentLimit, MaxRecentFiles->value());
    s.SetFlag(IdeSettings::MarginAlwaysOn, MarginAlwaysOn->isChecked());
    s.SetFlag(IdeSettings::GutterLineNumbers, LineNumbers->isChecked());
    s.Set(IdeSettings::FontSize, TextSize->value());
    s.Set(IdeSettings::GutterWidth, MarginSize->value());
    Changed();
}

void TPreferencesForm::ShowElement(int item)
{
    if (item < 0 || item >= PreferencesModel::ElementCount) return;
    if (ListBox1->currentRow() != item) ListBox1->setCurrentRow(item);
    const auto element = static_cast<PreferencesModel::Element>(item);
    const bool wasLive = live;
    live = false;
    ShowColour(TextColor, model.Front(element));
    ShowColour(BackgroundColor, model.Back(element));
    const int style = model.Style(element);
    const std::pair<QCheckBox*, int> boxes[] = { { Bold, 1 }, { Italic, 2 }, { Underlined, 4 }, { StrikeOut, 8 } };
    for (const auto& [box, bit] : boxes) {
        box->setEnabled(element != PreferencesModel::HighlightedText);
        box->setChecked(style & bit);
    }
    live = wasLive;
}

void TPreferencesForm::ApplyToElement()
{
    const int item = ListBox1->currentRow();
    if (item < 0) return;
    int style = 0;
    if (Bold->isChecked()) style |= 1;
    if (Italic->isChecked()) style |= 2;
    if (Underlined->isChecked()) style |= 4;
    if (StrikeOut->isChecked()) style |= 8;
    model.SetElement(
        static_cast<PreferencesModel::Element>(item), FieldColour(TextColor), FieldColour(BackgroundColor), style);
    Changed();
}

void TPreferencesForm::ColourFieldClick(QPushButton* field)
{
    int colour = FieldColour(field);
    const int old = colour;
    if (!dialogs.Colour(colour)) return;
    ShowColour(field, colour);
    if (field == MarginColor) {
        model.settings.Set(IdeSettings::MarginColour, colour);
        Changed();
    } else if (field == EditColor) {
        if (FieldColour(BackgroundColor) == old) ShowColour(BackgroundColor, colour);
        model.SetBackground(colour);
        Changed();
    } else {
        ApplyToElement();
    }
}

void TPreferencesForm::SetToEditorColorClick()
{
    ShowColour(BackgroundColor, model.settings[IdeSettings::BackgroundColour]);
    ApplyToElement();
}

void TPreferencesForm::NoHighLightingClick()
{
    model.AllLikeNormalText();
    ShowElement(ListBox1->currentRow());
    Changed();
}

void TPreferencesForm::PrintBoxClick()
{
    model.SetPrintBoxes(PrintColor->isChecked(), PrintPageNumbers->isChecked(), PrintSyntaxColor->isChecked(),
        PrintTimeDate->isChecked());
    Changed();
}

void TPreferencesForm::ClearListClick()
{
    editor.ClearRecentFiles();
}

void TPreferencesForm::ApplyClick()
{
    editor.ApplyPreferences(model.settings);
    accept();
}

void TPreferencesForm::ShowHint(QWidget* control)
{
    if (!NoHints->isChecked()) return;
    const QString hint = control && ShowsHint(control) ? control->toolTip() : QString();
    const qsizetype bar = hint.indexOf('|');
    HintLine1->setText(bar < 0 ? hint : hint.left(bar));
    HintLine2->setText(bar < 0 ? QString() : hint.mid(bar + 1));
}

bool TPreferencesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter) ShowHint(qobject_cast<QWidget*>(watched));
    // Hints show in the panel, not as tool tips.
    if (event->type() == QEvent::ToolTip) return true;
    return QDialog::eventFilter(watched, event);
}
