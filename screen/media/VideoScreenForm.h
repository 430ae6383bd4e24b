#pragma once

#include "base/Values.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class MediaSlot;
class VideoPanel;

// The video window: a top-level window whose panel fills it and shows the
// frames of one media slot's player. Placement follows two switches that
// every close sets again: a shown clip of at least 20 x 20 sizes the window
// to itself unless the program sized the window, and the window goes to the
// desktop's corner unless the program placed it.
class TVideoScreenForm : public QWidget {
public:
    explicit TVideoScreenForm(QWidget* parent = nullptr);
    ~TVideoScreenForm() override;

    // The form's caption at construction, before which each clip's name goes.
    AnsiString captionBase;
    // The slot whose video the window shows, null when none.
    QPointer<MediaSlot> player;
    bool resizeToClip = true;
    bool placeAtOrigin = true;
    VideoPanel* Panel1 = nullptr;

    // Shows slot's video in the window and shows the window.
    void ShowPlayer(MediaSlot* slot);
    // Forgets the player without closing it.
    void ClearPlayer();

    // The window's frame; a dimension below 0 (left, top) or not above 0
    // (width, height) stays, and one given clears its switch.
    void Reposition(int left, int top, int width, int height);
    QRect FrameRect();

    void FormShow();
    void FormResize();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Attach(MediaSlot* slot);
    std::optional<QPoint> pendingPosition;
    std::optional<QSize> pendingClientSize;
};

// The one video window, made on first use and kept for the life of the
// program, as the screen window is.
TVideoScreenForm& VideoScreenForm();
// Null until the video window has been made.
TVideoScreenForm* VideoScreenFormIfMade();
