#pragma once

#include "swf/format/Action.h"

#include <cstddef>
#include <deque>

namespace kf::swf {

class SpriteObject;

// One frame script waiting to run, with the timeline it belongs to.
struct QueuedActions {
    SpriteObject* clip = nullptr;
    const ActionBlock* actions = nullptr;
};

// Frame scripts run after every timeline has applied its frame's display-list changes,
// in the order the frames were entered.
class ActionQueue {
public:
    void push(SpriteObject* clip, const ActionBlock* actions) { m_entries.push_back({clip, actions}); }
    // Init actions go before every script already queued for the frame.
    void pushFront(SpriteObject* clip, const ActionBlock* actions) { m_entries.push_front({clip, actions}); }
    bool isEmpty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    QueuedActions takeFirst() {
        QueuedActions first = m_entries.front();
        m_entries.pop_front();
        return first;
    }
    void clear() { m_entries.clear(); }

private:
    std::deque<QueuedActions> m_entries;
};

} // namespace kf::swf
