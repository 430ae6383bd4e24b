#pragma once

#include "base/Values.h"

// The operations of RunMedia::MediaControl.
namespace MediaOp {
enum : int {
    CloseAll = -1, // empties every slot first
    Pause = 0,
    Resume = 1,
    Close = 2,
    Mode = 3,
    Save = 4,
    Show = 5,
    Hide = 6,
    IsVideo = 7,
    VideoWidth = 8,
    VideoHeight = 9,
};
} // namespace MediaOp

// Numbered media slots that play sound and video files or record wave audio,
// the wave player, the video window and the screen window's metrics. File
// names are local ones, already resolved; an empty name is a file that cannot
// be played or written. This class as it is serves a screen without media: it
// plays nothing, and every query gives 0.
class RunMedia {
public:
    virtual ~RunMedia() = default;

    // Plays file in slot (a negative slot is slot 0), from its start, looping
    // when loop is true; a file that cannot be played empties the slot.
    virtual void MediaPlay(int slot, const AnsiString& file, bool loop) { (void)slot, (void)file, (void)loop; }
    // Records wave audio from the default input for a later op 4 to write
    // into file; without an input the slot is emptied.
    virtual void MediaRecord(int slot, const AnsiString& file) { (void)slot, (void)file; }
    // One of MediaOp; 0 for an empty slot. Mode gives 0 not ready, 1 stopped,
    // 2 playing, 3 recording or 5 paused.
    virtual int MediaControl(int slot, int op)
    {
        (void)slot, (void)op;
        return 0;
    }
    // The wave player: an empty name stops it. Without background the call
    // returns when the sound has ended (or the run stopped).
    virtual void PlayWave(const AnsiString& file, bool background, bool loop)
    {
        (void)file, (void)background, (void)loop;
    }
    virtual bool WaveBusy() { return false; }
    // The video window's frame: values below 0 (left, top) or not above 0
    // (width, height) leave that dimension as it is.
    virtual void SetVideoWindowMetrics(int left, int top, int width, int height)
    {
        (void)left, (void)top, (void)width, (void)height;
    }
    virtual void VideoWindowMetrics(int& left, int& top, int& width, int& height) { left = top = width = height = 0; }
    // The screen window's frame, its control bar and whether its border is
    // sizeable; the same rules for the dimensions left as they are.
    virtual void SetScreenMetrics(int left, int top, int width, int height, bool bar, bool sizeable)
    {
        (void)left, (void)top, (void)width, (void)height, (void)bar, (void)sizeable;
    }
    virtual void ScreenMetrics(int& left, int& top, int& width, int& height, bool& bar, bool& sizeable)
    {
        left = top = width = height = 0;
        bar = sizeable = false;
    }
};
