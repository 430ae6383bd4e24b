#pragma once

#include <QImage>
#include <QWidget>

// The video window's panel: the latest frame of the clip shown, scaled to
// the panel (the video follows the window's size); black when there is none.
class VideoPanel : public QWidget {
public:
    explicit VideoPanel(QWidget* parent = nullptr);

    void ShowFrame(const QImage& frame);
    void Clear();
    const QImage& Frame() const { return frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame;
};
