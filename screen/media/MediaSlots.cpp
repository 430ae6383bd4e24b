#include "screen/media/MediaSlots.h"

#include "screen/media/MediaSlot.h"
#include "screen/media/VideoScreenForm.h"

#include <algorithm>

MediaSlots::MediaSlots(const bool& stopFlag)
    : stopped(stopFlag)
{ }

MediaSlots::~MediaSlots()
{
    CloseAll();
}

MediaSlot* MediaSlots::SlotAt(int n) const
{
    if (n < 0) n = 0;
    if (n >= players.capacity || !players.items) return nullptr;
    return players.items[n].get();
}

MediaSlot* MediaSlots::MakeSlot(int n)
{
    if (n < 0) n = 0;
    if (n > Media::HighestSlot || !players.EnsureIndex(n)) return nullptr;
    std::unique_ptr<MediaSlot>& slot = players.items[n];
    if (!slot) {
        slot = std::make_unique<MediaSlot>(stopped);
        slot->onEnded = [this](MediaSlot* ended) { PlayerEnded(ended); };
    }
    return slot.get();
}

void MediaSlots::Empty(int n)
{
    if (n < 0) n = 0;
    if (n >= players.capacity || !players.items || !players.items[n]) return;
    TVideoScreenForm* window = VideoScreenFormIfMade();
    if (window && window->player == players.items[n].get()) {
        window->ClearPlayer();
        window->close();
    }
    players.items[n].reset();
}

void MediaSlots::EmptyAll()
{
    for (int k = 0; k < players.capacity; ++k)
        Empty(k);
}

void MediaSlots::Play(int n, const AnsiString& file, bool loop)
{
    MediaSlot* slot = MakeSlot(n);
    if (slot && !slot->Play(file, loop)) Empty(n);
}

void MediaSlots::Record(int n, const AnsiString& file)
{
    MediaSlot* slot = MakeSlot(n);
    if (slot && !slot->Record(file)) Empty(n);
}

void MediaSlots::PlayerEnded(MediaSlot* slot)
{
    TVideoScreenForm* window = VideoScreenFormIfMade();
    if (!window || window->player != slot) return;
    window->ClearPlayer();
    window->close();
}

int MediaSlots::Control(int n, int op)
{
    if (op == MediaOp::CloseAll) EmptyAll();
    MediaSlot* slot = SlotAt(n);
    if (!slot) return 0;
    switch (op) {
    case MediaOp::Pause:
        slot->Pause();
        break;
    case MediaOp::Resume:
        slot->Resume();
        break;
    case MediaOp::Close:
        slot->Close();
        PlayerEnded(slot);
        break;
    case MediaOp::Mode:
        return slot->Mode();
    case MediaOp::Save:
        slot->Save();
        break;
    case MediaOp::Show:
        VideoWindow().ShowPlayer(slot);
        break;
    case MediaOp::Hide:
        if (TVideoScreenForm* window = VideoScreenFormIfMade()) window->hide();
        break;
    case MediaOp::IsVideo:
        return slot->IsOpen() && slot->displaySize.width() >= 2 && slot->displaySize.height() >= 2 ? 1 : 0;
    case MediaOp::VideoWidth:
        return slot->IsOpen() ? std::max(slot->displaySize.width(), 0) : 0;
    case MediaOp::VideoHeight:
        return slot->IsOpen() ? std::max(slot->displaySize.height(), 0) : 0;
    default:
        break;
    }
    return 0;
}

void MediaSlots::CloseAll()
{
    if (TVideoScreenForm* window = VideoScreenFormIfMade()) {
        window->ClearPlayer();
        window->close();
    }
    EmptyAll();
}

TVideoScreenForm& MediaSlots::VideoWindow()
{
    return VideoScreenForm();
}
