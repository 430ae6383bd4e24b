#pragma once

#include <vector>

// A change handler: a plain function and the object it belongs to. Two handlers
// are the same when both parts are equal, so an object can register and remove
// itself without keeping a token.
struct TqzNotifyHandler {
    void (*code)(void* data, void* sender) = nullptr;
    void* data = nullptr;

    bool operator==(const TqzNotifyHandler&) const = default;
};

// The handlers of a text buffer or a painter, called in the order they were added.
class TqzNotifyList {
public:
    int Add(const TqzNotifyHandler& handler)
    {
        items.push_back(handler);
        return static_cast<int>(items.size()) - 1;
    }
    void Delete(int i)
    {
        if (i >= 0 && i < Count()) items.erase(items.begin() + i);
    }
    void Clear() { items.clear(); }
    TqzNotifyHandler Get(int i) const { return (i >= 0 && i < Count()) ? items[i] : TqzNotifyHandler {}; }
    void Put(int i, const TqzNotifyHandler& handler)
    {
        if (i >= 0 && i < Count()) items[i] = handler;
    }
    int IndexOf(const TqzNotifyHandler& handler) const
    {
        for (int i = 0; i < Count(); ++i)
            if (items[i] == handler) return i;
        return -1;
    }
    int Count() const { return static_cast<int>(items.size()); }
    // A handler may remove itself or others while the list runs, so the list is
    // walked over a copy.
    void Call(void* sender) const
    {
        const std::vector<TqzNotifyHandler> snapshot = items;
        for (const TqzNotifyHandler& h : snapshot)
            if (h.code) h.code(h.data, sender);
    }

private:
    std::vector<TqzNotifyHandler> items;
};
