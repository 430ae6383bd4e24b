#include "screen/ScreenForm.h"
#include "platform/SystemQueries.h"

#include "canvas/ScreenFont.h"
#include "platform/AnsiText.h"
#include "platform/KeyMap.h"
#include "platform/MessageBoxes.h"
#include "platform/WindowWatch.h"
#include "runner/ScreenSizing.h"
#include "screen/InputCodes.h"
#include "screen/ScreenWidgets.h"
#include "screen/media/MediaService.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QToolButton>

#include <cstdlib>

namespace {

constexpr int toolBarHeight = screenToolBarHeight;

const char* const closeRefusedText = "You cannot close the program window using this button.\n\n"
                                     "There is another option provided within the screen\n"
                                     "that will allow you to terminate the program in a\n"
                                     "controlled manner.\n\n"
                                     "      Please use the option provided";

struct ToolButtonEntry {
    QToolButton* TScreenForm::*button;
    const char* name;
    const char* label;
    const char* hint;
    void (TScreenForm::*click)();
};

// The tool buttons in their order on the tool bar; the hints are the buttons' own texts.
const ToolButtonEntry toolButtons[] = {
    { &TScreenForm::PrintScreen, "PrintScreen", "Print", "Print Terminal Screen", &TScreenForm::PrintScreenClick },
    { &TScreenForm::CutTextBuffer, "CutTextBuffer", "Copy", "Copy Text To Clip Board",
        &TScreenForm::CutTextBufferClick },
    { &TScreenForm::ClearTextBuffer, "ClearTextBuffer", "Clear", "Clear Text Buffer",
        &TScreenForm::ClearTextBufferClick },
    { &TScreenForm::ViewEditor, "ViewEditor", "Editor", "Bring EDitor Window To Top", &TScreenForm::ViewEditorClick },
    { &TScreenForm::HoltProgram, "HoltProgram", "Stop", "Stop Running Program", &TScreenForm::HoltProgramClick },
    { &TScreenForm::DebugON, "DebugON", "Debug", "Turn Debug On", &TScreenForm::DebugONClick },
    { &TScreenForm::TurnSteppingOn, "TurnSteppingOn", "Step", "Turn Stepping On", &TScreenForm::TurnSteppingOnClick },
};

int typedByteOf(QKeyEvent* event, int virtualKey, int shiftState)
{
    AnsiString text = platform::fromQString(event->text());
    return TypedByteOf(virtualKey, shiftState, text.data(), static_cast<int>(text.size()));
}

} // namespace

// Sees every key event of the form's window before the focused widget does.
class TScreenForm::KeyPreview : public QObject {
public:
    explicit KeyPreview(TScreenForm& screen)
        : QObject(&screen)
        , form(screen)
    { }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        if (!isKey || !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &form) return false;
        // A key event that a widget ignores travels on to its parents; the
        // handlers only set state, so seeing it again changes nothing.
        auto* key = static_cast<QKeyEvent*>(event);
        int virtualKey = platform::VirtualKeyOf(key->key(), key->modifiers());
        int shiftState = platform::ShiftStateOf(key->modifiers());
        if (event->type() == QEvent::KeyPress) {
            form.FormKeyDown(virtualKey, shiftState);
            int typed = typedByteOf(key, virtualKey, shiftState);
            if (typed >= 0) form.FormKeyPress(typed);
        } else if (!key->isAutoRepeat()) {
            form.FormKeyUp();
        }
        return false;
    }

private:
    TScreenForm& form;
};

TScreenForm::TScreenForm(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , RunScreen(static_cast<RunConsole&>(*this))
    , imageCanvas(QSize(imageWidth, imageHeight), Canvas::Pixels::Own)
    , ScreenPageBitmap(QSize(imageWidth, imageHeight))
    , ScreenSaveBitmap(BlankImage(QSize(imageWidth, imageHeight), 0xFFFFFF))
{
    platform::setBeepHandler([] { QApplication::beep(); });
    setObjectName(QStringLiteral("ScreenForm"));
    setAttribute(Qt::WA_QuitOnClose, false);
    windowTitle = "Quorvatine Interactive Terminal Screen";
    setWindowTitle(platform::toQString(windowTitle));

    defaultFontColor = imageCanvas.fontColor;
    defaultBrushColor = imageCanvas.brushColor;
    defaultPenColor = imageCanvas.penColor;
    defaultPenWidth = imageCanvas.penWidth;

    Image1 = new ScreenImageView(imageCanvas, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, imageWidth, imageHeight);
    Image1->onMouse = [this](ScreenImageView::MouseAction action, QMouseEvent* event) {
        Image1Mouse(static_cast<int>(action), event);
    };
    imageCanvas.onChanged = [this](const QRect& rect) { Image1->update(rect); };

    InputEditBox_00 = new InputBox(Image1);
    InputEditBox_00->setObjectName(QStringLiteral("InputEditBox_00"));
    InputEditBox_00->setFrame(false);
    InputEditBox_00->setFont(ScreenFont());
    InputEditBox_00->hide();
    InputEditBox_00->onKeyPress = [this](QKeyEvent* event) { return InputEditBox_00KeyPress(event); };

    // Out of sight: it only takes the focus away from run-time controls.
    DummyEdit = new QLineEdit(this);
    DummyEdit->setObjectName(QStringLiteral("DummyEdit"));
    DummyEdit->setReadOnly(true);
    DummyEdit->setGeometry(-100, -100, 10, 10);

    BuildToolBar();
    ApplyMinimumSize();
    resize(imageWidth + 28, imageHeight + toolBarHeight);
    LayOutChildren();

    platform::WatchForeignDestroy(
        this, [this] { return testAttribute(Qt::WA_WState_Created) ? internalWinId() : WId(0); },
        [this] { WindowDestroyed(); });

    keyPreview = new KeyPreview(*this);
    qApp->installEventFilter(keyPreview);
    platform::InstallKeyTracking();
}

TScreenForm::~TScreenForm()
{
    CloseMedia();
}

void TScreenForm::BuildToolBar()
{
    ControlBar1 = new QWidget(this);
    ControlBar1->setObjectName(QStringLiteral("ControlBar1"));
    auto* layout = new QHBoxLayout(ControlBar1);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);

    // The label is as wide as its prompt; the input box takes the rest of
    // the bar but keeps room for an answer, and a prompt too long for what is
    // left is cut by the label itself.
    Label1 = new StatusLabel(ControlBar1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    layout->addWidget(Label1);

    InputEditBox_0 = new InputBox(ControlBar1);
    InputEditBox_0->setObjectName(QStringLiteral("InputEditBox_0"));
    InputEditBox_0->onKeyPress = [this](QKeyEvent* event) { return InputEditBox_0KeyPress(event); };
    InputEditBox_0->setMinimumWidth(InputEditBox_0->sizeHint().width());
    layout->addWidget(InputEditBox_0, 1);

    for (const ToolButtonEntry& entry : toolButtons) {
        auto* button = new QToolButton(ControlBar1);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setText(QString::fromLatin1(entry.label));
        button->setToolTip(QString::fromLatin1(entry.hint));
        button->setFocusPolicy(Qt::NoFocus);
        auto click = entry.click;
        connect(button, &QToolButton::clicked, this, [this, click] { (this->*click)(); });
        layout->addWidget(button);
        this->*entry.button = button;
    }
}

void TScreenForm::LayOutChildren()
{
    Image1->setGeometry((width() - imageWidth) / 2, 0, imageWidth, imageHeight);
    ControlBar1->setGeometry(0, height() - toolBarHeight, width(), toolBarHeight);
}

void TScreenForm::ApplyMinimumSize()
{
    if (ControlBar1->isHidden())
        setMinimumSize(0, 0);
    else
        setMinimumSize(ControlBar1->minimumSizeHint().width(), toolBarHeight + lineHeight);
}

void TScreenForm::SizeImages(int width, int height)
{
    imageWidth = width > 0 ? width : 1;
    imageHeight = height > 0 ? height : 1;
    QSize size(imageWidth, imageHeight);
    imageCanvas.Resize(size);
    ScreenPageBitmap.Resize(size);
    ScreenSaveBitmap = BlankImage(size, 0xFFFFFF);
    LayOutChildren();
}

void TScreenForm::UpdateCaption()
{
    AnsiString file = currentFileName ? currentFileName() : AnsiString();
    setWindowTitle(platform::toQString(windowTitle + "  [" + file + "]"));
}

ConsoleMetrics TScreenForm::Metrics() const
{
    return ConsoleMetrics { columns, lineHeight, imageHeight };
}

void TScreenForm::FormActivate()
{
    // A key released while another window was active would stay held. The
    // mouse state stays: a click may reach the window before its activation
    // does, and the program may have placed the pointer.
    lastKeyChar = lastKeyCode = 0;
    mouseTrackingOff = true;
    if (!firstActivation) return;

    QSize desktop = desktopSize.value_or(screen() ? screen()->geometry().size() : QSize(1024, 768));
    ScreenGeometry geometry = FirstActivationGeometry(desktop.width(), desktop.height(), toolBarHeight);
    resize(geometry.width, geometry.clientHeight);
    bufferWidth = bufferHeight = 0;
    SizeImages(geometry.imageWidth, geometry.imageHeight);
    move(geometry.left, geometry.top);
    lineHeight = std::abs(canvas->font.pixelSize()) + 2;
    charWidth = std::max(canvas->TextWidth("9"), 1);
    columns = imageWidth / charWidth;
    rememberedHeight = height();
    rememberedWidth = width();
    rememberedTop = y();
    rememberedLeft = x();
    setMaximumSize(rememberedWidth, rememberedHeight);
    firstActivation = false;
    pageMode = false;
}

void TScreenForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!firstActivation) {
        int heightLimit = rememberedHeight - (ControlBar1->isHidden() ? toolBarHeight : 0);
        if (width() > rememberedWidth || height() > heightLimit) {
            resize(std::min(width(), rememberedWidth), std::min(height(), heightLimit));
            return;
        }
    }
    LayOutChildren();
}

bool TScreenForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && isVisible()) FormActivate();
    return QWidget::event(event);
}

void TScreenForm::ResetForRun()
{
    for (AnsiString* text : { &lastButton, &lastEdit, &lastRBGroup, &lastListBox, &lastSlider, &lastCheckBox,
             &lastSpinner, &lastTimer, &lastMemo })
        text->clear();
    DummyEdit->setFocus();
    *stopFlag = false;
    closeMode = 0;
    closeRequested = false;
    inputActive = false;
    inputDone = true;
    mouseButtons = mouseX = mouseY = 0;
    lastKeyChar = lastKeyCode = 0;
    mouseTrackingOff = true;
    Image1->setCursor(Qt::ArrowCursor);
    imageCursor = 0;
}

void TScreenForm::PrepareForRun()
{
    ControlBar1->show();
    RestoreSizeableBorder();
    ApplyMinimumSize();
    if (firstActivation) {
        FormActivate();
    } else if (size() != QSize(rememberedWidth, rememberedHeight)) {
        resize(rememberedWidth, rememberedHeight);
        SizeImages(rememberedWidth - 28, rememberedHeight - toolBarHeight);
    }
    // The state of a run is reset here, at its start, and never by an
    // activation: a window manager activates the window whenever it likes,
    // the first time often after the program's first statements, and every
    // switch between windows activates it again. A reset then would end an
    // input with what was typed so far and forget an onabort handler.
    ResetForRun();
    InputEditBox_0->clear();
    Label1->clear();
    // Page mode never survives into the next run.
    canvas = &imageCanvas;
    pageMode = false;
    show();
    // The offscreen platform of the headless runner cannot raise windows and
    // says so on standard error.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    activateWindow();
}

void TScreenForm::AfterRun()
{
    closeMode = 0;
    closeRequested = false;
    *stopFlag = true;
    // What the run printed is out before anything reports on the run.
    if (headlessOut) FlushHeadlessOutput(Flush::Now);
    ViewEditor->show();
    DebugON->show();
    TurnSteppingOn->show();
}

void TScreenForm::BeginRun()
{
    *stopFlag = false;
    closeRequested = false;
    closeMode = 0;
    pageMode = false;
    ResetScreen();
}

bool TScreenForm::ControlEventPending(ControlFamily family) const
{
    static const AnsiString TScreenForm::*const lastEvent[] = {
        &TScreenForm::lastButton,
        &TScreenForm::lastEdit,
        &TScreenForm::lastListBox,
        &TScreenForm::lastRBGroup,
        &TScreenForm::lastCheckBox,
        &TScreenForm::lastSlider,
        &TScreenForm::lastSpinner,
        &TScreenForm::lastMemo,
        &TScreenForm::lastTimer,
    };
    return !(this->*lastEvent[static_cast<int>(family)]).empty();
}

bool TScreenForm::TakeCloseRequest()
{
    bool requested = closeRequested;
    closeRequested = false;
    return requested;
}

void TScreenForm::ResetCanvasDefaults(Canvas& target)
{
    target.penColor = defaultPenColor;
    target.penWidth = defaultPenWidth;
    target.brushColor = defaultBrushColor;
    target.fontColor = defaultFontColor;
    target.penPos = QPoint(0, 0);
}

bool TScreenForm::FormClose()
{
    if (closeMode == 1) {
        platform::messageBoxes().show(closeRefusedText, "Quorvatine....message....",
            platform::MessageFlags::Ok | platform::MessageFlags::IconWarning);
        return false;
    }
    if (closeMode != 0) {
        closeRequested = true;
        return false;
    }
    StopOnClose();
    return true;
}

void TScreenForm::StopOnClose()
{
    *stopFlag = true;
    inputDone = true;
    ResetCanvasDefaults(ScreenPageBitmap);
    canvas = &ScreenPageBitmap;
    ClearScreen(-1);
    ResetCanvasDefaults(imageCanvas);
    canvas = &imageCanvas;
    pageMode = false;
    InputEditBox_00->hide();
    for (ControlSlots* family :
        { &Buttons, &EditBoxes, &ListBoxes, &RBGroups, &CheckBoxes, &Sliders, &Spinners, &Memos, &Timers })
        family->DestroyControls();
    CloseMedia();
    if (onScreenClosed) onScreenClosed();
}

void TScreenForm::WindowDestroyed()
{
    // No close mode can keep a window that is gone: the run stops as on an
    // allowed close, and the form hides, so that it counts as closed.
    StopOnClose();
    hide();
}

void TScreenForm::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void TScreenForm::FormKeyDown(int virtualKey, int shiftState)
{
    if (virtualKey != 0) lastKeyCode = KeyCodeOf(virtualKey, shiftState);
}

void TScreenForm::FormKeyPress(int typedByte)
{
    lastKeyChar = KeyCharOf(static_cast<unsigned char>(typedByte));
    latchedKeyChar = lastKeyChar;
}

void TScreenForm::FormKeyUp()
{
    lastKeyChar = lastKeyCode = 0;
}

void TScreenForm::Image1Mouse(int action, QMouseEvent* event)
{
    using Action = ScreenImageView::MouseAction;
    switch (static_cast<Action>(action)) {
    case Action::Press:
    case Action::DoubleClick: {
        MouseButton button;
        if (event->button() == Qt::LeftButton)
            button = MouseButton::Left;
        else if (event->button() == Qt::RightButton)
            button = MouseButton::Right;
        else if (event->button() == Qt::MiddleButton)
            button = MouseButton::Middle;
        else
            return;
        int shiftState
            = platform::ShiftStateOf(event->modifiers(), event->buttons(), action == int(Action::DoubleClick));
        mouseButtons = MouseDownCode(button, shiftState);
        mouseTrackingOff = false;
        break;
    }
    case Action::Move: {
        QPoint at = event->position().toPoint();
        mouseX = at.x();
        mouseY = at.y();
        mouseButtons = MouseMoveCode(platform::ShiftStateOf(event->modifiers(), event->buttons()), mouseTrackingOff);
        break;
    }
    case Action::Release:
        mouseButtons = 0;
        break;
    }
}

void TScreenForm::PrintScreenClick()
{
    PrintScreenImage();
}

void TScreenForm::CutTextBufferClick()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(platform::toQString(printedText));
}

void TScreenForm::ClearTextBufferClick()
{
    printedText.clear();
    QGuiApplication::clipboard()->clear();
}

void TScreenForm::ViewEditorClick()
{
    if (onViewEditor) onViewEditor();
}

void TScreenForm::HoltProgramClick()
{
    // A hidden window gets no close event, yet its run must still stop (the
    // headless screen is never shown).
    if (isVisible())
        close();
    else
        FormClose();
}

void TScreenForm::DebugONClick()
{
    if (onDebugOn) onDebugOn();
}

void TScreenForm::TurnSteppingOnClick()
{
    if (onSteppingOn) onSteppingOn();
}
