#pragma once

#include <QLineEdit>
#include <QWidget>

#include <functional>

class Canvas;
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
