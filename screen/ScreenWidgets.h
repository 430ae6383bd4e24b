#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <functional>

class Canvas;
class QFontMetrics;
class QKeyEvent;
class QMouseEvent;

// The widget that shows the visible image of the run-time screen. It paints
// the canvas image as it is and hands its mouse events to the screen form.
class ScreenImageView : public QWidget {
public:
    explicit ScreenImageView(const Canvas& shown, QWidget* parent = nullptr);

    enum class MouseAction { Press, DoubleClick, Move, Release };
    std::function<void(MouseAction, QMouseEvent*)> onMouse;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const Canvas& canvas;
};

// A line edit whose key presses the screen form sees first: onKeyPress returns
// true to swallow the key.
class InputBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<bool(QKeyEvent*)> onKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The status label of the tool bar, which shows the prompt of a wait. It asks
// the tool bar for the width of its whole text but may be given less; a text
// too long for the label is shown cut with "..." and given whole as the
// label's tool tip.
class StatusLabel : public QWidget {
public:
    using QWidget::QWidget;

    QString text() const { return fullText; }
    void setText(const QString& text);
    void clear() { setText(QString()); }
    // What the label shows at its present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateToolTip();

    QString fullText;
};

// The longest start of text that fits in width pixels with "..." after it, or
// the whole text when it fits as it is.
QString ElideWithDots(const QFontMetrics& metrics, const QString& text, int width);
