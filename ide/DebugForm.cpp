#include "ide/DebugForm.h"

#include "ide/VTableForm.h"
#include "ide/VariablesList.h"
#include "ide/WatchExpressions.h"
#include "platform/AnsiText.h"
#include "platform/Events.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

TDebugForm* DebugForm = nullptr;

namespace {

constexpr const char* DebugOffCaption = "&DebugOff";
constexpr const char* SteppingOffCaption = "Stepping &Off";
constexpr const char* FinishCaption = "&Finish";
const AnsiString separatorLine(100, '-');

// The window never gets smaller than its controls need.
constexpr int MinimumWidth = 569;
constexpr int MinimumHeight = 211;
// The longest a wait sleeps before it looks at the flags again: the stop
// flag may be set without an event (a timer of the run-time screen).
constexpr int WaitSlice = 100;

QPushButton* Button(QWidget* parent, const char* caption, const char* hint)
{
    auto* button = new QPushButton(caption, parent);
    if (*hint) button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TDebugForm::TDebugForm(TVTableForm& variablesWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , vtable(variablesWindow)
{
    setWindowTitle("Quorvatine Debug Screen");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::Monospace);
    Memo1->setFont(fixed);

    auto* panel = new QWidget(this);
    DebugOffBtn = Button(panel, DebugOffCaption, "Terminate Debugging");
    ClearBtn = Button(panel, "&Clear", "Clear the screen");
    ShowTerminalScreen = Button(panel, "Show Terminal Screen", "");
    ShowEditorScreen = Button(panel, "Show Editor Screen", "");
    StepBtn = Button(panel, "&Step", "Go On");
    auto* whileStepping = new QGroupBox("While Stepping", panel);
    IgnoreEmpties = new QCheckBox("Ignore Empty Lines", whileStepping);
    IgnoreEmpties->setChecked(true);
    IgnoreComments = new QCheckBox("Ignore Comments", whileStepping);
    IgnoreComments->setChecked(true);
    auto* steppingLayout = new QVBoxLayout(whileStepping);
    steppingLayout->setContentsMargins(4, 2, 4, 2);
    steppingLayout->addWidget(IgnoreEmpties);
    steppingLayout->addWidget(IgnoreComments);
    AutoEvaluateExpressions = new QCheckBox("Evaluate On Stepping", panel);
    EvaluateB = Button(panel, "&Evaluate Now", "");
    ExpressionsList = new QLineEdit(panel);
    ViewVTable = Button(panel, "View &Variables Table", "");
    Timer1 = new QTimer(this);
    Timer1->setInterval(250);
    Timer1->setSingleShot(true);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : { DebugOffBtn, ClearBtn, ShowTerminalScreen, ShowEditorScreen, StepBtn })
        buttons->addWidget(button);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 0, 1, 3);
    auto* listLabels = new QHBoxLayout;
    // The two labels are separate texts; without a gap they read as one.
    listLabels->setSpacing(12);
    listLabels->addWidget(new QLabel("Expressions List:", panel));
    listLabels->addWidget(new QLabel("(use \\ to separate exressions)", panel));
    listLabels->addStretch(1);
    grid->addLayout(listLabels, 1, 0);
    grid->addWidget(ExpressionsList, 2, 0);
    auto* evaluateRow = new QHBoxLayout;
    evaluateRow->addWidget(AutoEvaluateExpressions);
    evaluateRow->addWidget(EvaluateB);
    evaluateRow->addWidget(ViewVTable);
    evaluateRow->addStretch(1);
    grid->addLayout(evaluateRow, 3, 0);
    grid->addWidget(whileStepping, 1, 1, 3, 1);
    grid->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Memo1, 1);
    layout->addWidget(panel);

    connect(StepBtn, &QPushButton::clicked, this, [this] { StepBtnClick(); });
    connect(DebugOffBtn, &QPushButton::clicked, this, [this] { DebugOffBtnClick(); });
    connect(ClearBtn, &QPushButton::clicked, this, [this] { ClearBtnClick(); });
    connect(EvaluateB, &QPushButton::clicked, this, [this] { EvaluateBClick(); });
    connect(ViewVTable, &QPushButton::clicked, this, [this] { ViewVTableClick(); });
    connect(ShowEditorScreen, &QPushButton::clicked, this, [this] {
        if (showEditor) showEditor();
        StepBtn->setFocus();
    });
    connect(ShowTerminalScreen, &QPushButton::clicked, this, [this] {
        if (showTerminal) showTerminal();
        StepBtn->setFocus();
    });
    connect(Timer1, &QTimer::timeout, this, [this] {
        ScrollTraceToEnd();
        StepBtn->setFocus();
    });

    // The bottom right corner of the screen, 90 % wide and 40 % high; the
    // desktop's panels are not part of the screen it may cover.
    setMinimumSize(MinimumWidth, MinimumHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const int width = std::max(MinimumWidth, area.width() * 9 / 10);
        const int height = std::max(MinimumHeight, area.height() * 4 / 10);
        setGeometry(area.right() + 1 - width - 10, area.bottom() + 1 - height - 10, width, height);
    }
    if (!DebugForm) DebugForm = this;
}

TDebugForm::~TDebugForm()
{
    if (DebugForm == this) DebugForm = nullptr;
}

void TDebugForm::AddTraceLine(const AnsiString& text)
{
    Memo1->appendPlainText(platform::toQString(text));
    Memo1->appendPlainText(platform::toQString(separatorLine));
}

void TDebugForm::ResetView()
{
    Memo1->clear();
    AutoEvaluateExpressions->setChecked(false);
    ExpressionsList->clear();
}

void TDebugForm::FillVariablesTable()
{
    if (!variables) return;
    vtable.SetLines(VariablesList::Lines(*variables, VariablesList::TextQuotes::No));
}

// --- The run's side ---

void TDebugForm::PrepareForRun()
{
    debugOn = false;
    stepping = false;
    ResetView();
}

void TDebugForm::ForgetRun()
{
    evaluator = nullptr;
    variables = nullptr;
}

void TDebugForm::Hold(Variables_Class* stopVariables, Expression_Class* stopEvaluator)
{
    evaluator = stopEvaluator;
    variables = stopVariables;
}

void TDebugForm::Wait(const bool& stopped)
{
    waiting = true;
    show();
    raise();
    if (onWait) onWait();
    while (!continueFlag && !stopped)
        platform::WaitForEvents(WaitSlice);
    waiting = false;
}

void TDebugForm::StepAt(int line, int column, int length, const AnsiString& trace, Variables_Class* stopVariables,
    Expression_Class* stopEvaluator, const bool& stopped)
{
    if (selectInEditor) selectInEditor(line, column, length);
    AddTraceLine(trace);
    DebugOffBtn->setText(SteppingOffCaption);
    Hold(stopVariables, stopEvaluator);
    continueFlag = false;
    Wait(stopped);
    ForgetRun();
    DebugOffBtn->setText(DebugOffCaption);
}

void TDebugForm::DebugWait(
    const AnsiString& text, Variables_Class* stopVariables, Expression_Class* stopEvaluator, const bool& stopped)
{
    AddTraceLine(text);
    continueFlag = false;
    Hold(stopVariables, stopEvaluator);
    Wait(stopped);
    ForgetRun();
}

void TDebugForm::PostMortem(Variables_Class* stopVariables, Expression_Class* stopEvaluator)
{
    DebugOffBtn->setEnabled(false);
    const QString stepCaption = StepBtn->text();
    StepBtn->setText(FinishCaption);
    continueFlag = false;
    Hold(stopVariables, stopEvaluator);
    // The run is over: only Finish, DebugOff or closing (the editor closes
    // this window too) ends this wait.
    static const bool never = false;
    Wait(never);
    ForgetRun();
    StepBtn->setText(stepCaption);
    DebugOffBtn->setEnabled(true);
}

// --- Commands ---

void TDebugForm::ScrollTraceToEnd()
{
    QTextCursor cursor = Memo1->textCursor();
    cursor.movePosition(QTextCursor::End);
    Memo1->setTextCursor(cursor);
    Memo1->ensureCursorVisible();
}

void TDebugForm::StepBtnClick()
{
    ScrollTraceToEnd();
    StepBtn->setFocus();
    hiddenByStep = true;
    continueFlag = true;
    evaluateAtNextShow = AutoEvaluateExpressions->isChecked();
    hide();
}

void TDebugForm::DebugOffBtnClick()
{
    continueFlag = true;
    StepBtn->setFocus();
    hiddenByStep = false;
    hide();
}

void TDebugForm::ClearBtnClick()
{
    Memo1->clear();
}

void TDebugForm::EvaluateBClick()
{
    for (const AnsiString& line :
        WatchExpressions::Evaluate(platform::fromQString(ExpressionsList->text()), variables, evaluator))
        Memo1->appendPlainText(platform::toQString(line));
    Memo1->appendPlainText(platform::toQString(separatorLine));
    StepBtn->setFocus();
}

void TDebugForm::ViewVTableClick()
{
    if (!variables) return;
    FillVariablesTable();
    vtable.show();
    vtable.raise();
}

// --- Window events ---

void TDebugForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (evaluateAtNextShow && DebugOffBtn->isEnabled()) {
        evaluateAtNextShow = false;
        EvaluateBClick();
        Timer1->start();
    }
}

void TDebugForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Minimising is no decision of the user's about debugging.
    if (event->spontaneous()) return;
    if (!hiddenByStep) {
        if (DebugOffBtn->text() == DebugOffCaption)
            debugOn = false;
        else
            stepping = false; // stopped at a statement: the run goes on without stopping
    }
    hiddenByStep = false;
}

void TDebugForm::closeEvent(QCloseEvent* event)
{
    continueFlag = true;
    hiddenByStep = false;
    vtable.close();
    QWidget::closeEvent(event);
}

void TDebugForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && vtable.isVisible()) FillVariablesTable();
}

// --- The hook ---

void DebugWindowHook::CloseWindow()
{
    form.close();
}

bool DebugWindowHook::IgnoreComments() const
{
    return form.IgnoreComments->isChecked();
}

bool DebugWindowHook::IgnoreEmpties() const
{
    return form.IgnoreEmpties->isChecked();
}
