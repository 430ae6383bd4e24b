#pragma once

#include "base/DArray.h"
#include "base/Values.h"
#include "interpreter/RunScreen.h"

#include <memory>

class MediaSlot;
class TVideoScreenForm;

// The numbered media slots of the run-time screen, which share the video
// window. A slot is empty until a program plays or records in it; the list
// grows by doubling up to Media::HighestSlot. Every failure empties the slot
// or answers 0: nothing is reported to the program.
class MediaSlots {
public:
    // stopped: the run's stop flag, which ends the wait for a clip to load.
    explicit MediaSlots(const bool& stopped);
    ~MediaSlots();
    MediaSlots(const MediaSlots&) = delete;
    MediaSlots& operator=(const MediaSlots&) = delete;

    void Play(int n, const AnsiString& file, bool loop);
    void Record(int n, const AnsiString& file);
    // See RunScreen::MediaControl.
    int Control(int n, int op);
    // Closes the video window and empties every slot.
    void CloseAll();

    // The video window (made on first use).
    TVideoScreenForm& VideoWindow();
    // The slot's player, null when the slot is empty.
    MediaSlot* SlotAt(int n) const;
    // The slots the list holds (used or not).
    int Capacity() const { return players.capacity; }

private:
    MediaSlot* MakeSlot(int n);
    void Empty(int n);
    void EmptyAll();
    void PlayerEnded(MediaSlot* slot);

    const bool& stopped;
    DArray<std::unique_ptr<MediaSlot>> players;
};
