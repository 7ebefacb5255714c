#pragma once

#include "swf/format/Action.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace kf::swf {

class SpriteObject;

// Flash Player empties its queue by priority: init actions and initialize events first,
// then construct events, then frame scripts and the other clip events in the order they
// happened. A script that creates a clip thereby sees its initialize event run right after
// the script ends, ahead of load events queued earlier.
enum class ActionPriority : std::uint8_t { Init, Construct, Normal };

// One thing waiting to run for a timeline: a frame script, a clip event (its ClipEvent bit),
// or the final removal of a clip that stayed on stage for its unload event.
struct QueuedActions {
    SpriteObject* clip = nullptr;
    const ActionBlock* actions = nullptr;
    std::uint32_t event = 0;
    bool detach = false;
};

// Frame scripts run after every timeline has applied its frame's display-list changes,
// in the order the frames were entered.
class ActionQueue {
public:
    void push(SpriteObject* clip, const ActionBlock* actions,
              ActionPriority priority = ActionPriority::Normal) {
        add(priority, {clip, actions, 0, false});
    }
    void pushEvent(SpriteObject* clip, std::uint32_t event,
                   ActionPriority priority = ActionPriority::Normal) {
        add(priority, {clip, nullptr, event, false});
    }
    void pushDetach(SpriteObject* clip) { add(ActionPriority::Normal, {clip, nullptr, 0, true}); }

    bool isEmpty() const { return size() == 0; }
    std::size_t size() const {
        std::size_t total = 0;
        for (const auto& level : m_levels) {
            total += level.size();
        }
        return total;
    }
    QueuedActions takeFirst() {
        for (auto& level : m_levels) {
            if (!level.empty()) {
                QueuedActions first = level.front();
                level.pop_front();
                return first;
            }
        }
        return {};
    }
    void clear() {
        for (auto& level : m_levels) {
            level.clear();
        }
    }

private:
    void add(ActionPriority priority, QueuedActions entry) {
        m_levels[static_cast<std::size_t>(priority)].push_back(entry);
    }

    std::array<std::deque<QueuedActions>, 3> m_levels;
};

} // namespace kf::swf
