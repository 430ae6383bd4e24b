#pragma once

#include <cstddef>
#include <vector>

// The open-addressing index of a name table: a power-of-two number of slots,
// each null or a node, probed linearly from the node's hash. Names are never
// removed one by one, so a probe stops at the first empty slot.
//
// Rebuilds slots with twice the room (16 at first) for the nodes of the list
// that starts at head, linked through `next`, each carrying its `hash`.
template <class Node> void GrowNameIndex(std::vector<Node*>& slots, Node* head)
{
    std::vector<Node*> grown(slots.empty() ? 16 : slots.size() * 2, nullptr);
    const size_t mask = grown.size() - 1;
    for (Node* node = head; node; node = node->next) {
        size_t k = node->hash & mask;
        while (grown[k])
            k = (k + 1) & mask;
        grown[k] = node;
    }
    slots.swap(grown);
}
