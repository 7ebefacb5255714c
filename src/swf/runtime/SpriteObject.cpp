#include "swf/runtime/SpriteObject.h"

#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteCharacter.h"
#include "swf/runtime/TimelineSlots.h"

#include <algorithm>
#include <vector>

namespace kf::swf {

SpriteObject::SpriteObject(DisplayDepth depth, CharacterId characterId, const TimelineDefinition& timeline,
                           PlayerContext& context, int nestingLevel,
                           std::shared_ptr<const SpriteCharacter> character)
    : DisplayObject(depth, characterId), m_timeline(timeline), m_context(context),
      m_nestingLevel(nestingLevel), m_character(std::move(character)) {}

void SpriteObject::markRemoved() {
    DisplayObject::markRemoved();
    for (auto& [depth, child] : m_displayList.objects()) {
        child->markRemoved();
    }
}

void SpriteObject::construct() {
    if (m_currentFrame < 0 && totalFrames() > 0) {
        showFrame(0);
    }
}

void SpriteObject::tick() {
    std::vector<SpriteObject*> existing;
    for (auto& [depth, child] : m_displayList.objects()) {
        if (SpriteObject* sprite = child->asSprite()) {
            existing.push_back(sprite);
        }
    }
    // Children move on first, so their frame scripts are queued, and run, before this
    // timeline's: Flash Player runs a parent's script after its children's from the second
    // frame on (on its first frame a child placed there did not exist yet).
    for (SpriteObject* sprite : existing) {
        sprite->tick();
    }
    advance();
}

void SpriteObject::advance() {
    if (!m_playing) {
        return;
    }
    if (m_currentFrame + 1 < totalFrames()) {
        showFrame(m_currentFrame + 1);
    } else if (totalFrames() > 1 && m_loops) {
        showFrame(0);
    } else {
        // A one-frame timeline, or the main timeline with looping off, stops at its end.
        m_playing = false;
    }
}

void SpriteObject::gotoFrame(int frame) {
    if (totalFrames() <= 0) {
        return;
    }
    frame = std::clamp(frame, 0, totalFrames() - 1);
    if (frame != m_currentFrame) {
        showFrame(frame);
    }
}

bool SpriteObject::gotoLabel(std::string_view label) {
    const std::optional<int> frame = m_timeline.frameForLabel(label);
    if (!frame) {
        return false;
    }
    gotoFrame(*frame);
    return true;
}

void SpriteObject::nextFrame() {
    gotoFrame(m_currentFrame + 1);
    stop();
}

void SpriteObject::previousFrame() {
    gotoFrame(std::max(0, m_currentFrame - 1));
    stop();
}

void SpriteObject::showFrame(int frame) {
    // Forward: continue from what is shown. Backward: replay from frame 1 into an empty list;
    // the reconcile step then keeps every instance the replay places identically.
    const bool forward = frame > m_currentFrame;
    const int firstFrame = forward ? m_currentFrame + 1 : 0;
    const int lastWithTags = std::min(frame, m_timeline.storedFrameCount() - 1);
    bool changes = !forward;
    for (int index = firstFrame; index <= lastWithTags && !changes; ++index) {
        changes = !m_timeline.frame(index).controlTags.empty();
    }

    m_currentFrame = frame;
    // Only the frame landed on runs its scripts; frames passed over run none.
    const std::vector<const ActionBlock*>& initActions = m_timeline.frame(frame).initActions;
    for (auto actions = initActions.rbegin(); actions != initActions.rend(); ++actions) {
        if (m_context.firstRunOfInitActions(*actions)) {
            m_context.actionQueue().pushFront(this, *actions);
        }
    }
    for (const ActionBlock* actions : m_timeline.frame(frame).actions) {
        m_context.actionQueue().push(this, actions);
    }
    // Most frames of most sprites change nothing; they cost no display-list work.
    if (!changes) {
        return;
    }

    TimelineSlots target = forward ? slotsFromDisplayList() : TimelineSlots(&m_context.dictionary());
    for (int index = firstFrame; index <= lastWithTags; ++index) {
        const std::vector<const Tag*>& tags = m_timeline.frame(index).controlTags;
        for (const Tag* tag : tags) {
            target.apply(*tag);
        }
        m_context.countReplayedTags(tags.size());
    }
    reconcile(target);
}

TimelineSlots SpriteObject::slotsFromDisplayList() const {
    TimelineSlots slots(&m_context.dictionary());
    for (const auto& [depth, object] : m_displayList.objects()) {
        if (object->placedBy() != nullptr) {
            slots.set(depth, TimelineSlot{object->characterId(), object->placedBy(), object->properties()});
        }
    }
    return slots;
}

void SpriteObject::reconcile(const TimelineSlots& target) {
    auto& objects = m_displayList.objects();
    const auto& slots = target.slots();

    for (auto entry = objects.begin(); entry != objects.end();) {
        const DisplayObject& object = *entry->second;
        if (object.placedBy() == nullptr) {
            ++entry; // created by a script: the timeline leaves it alone
            continue;
        }
        auto slot = slots.find(entry->first);
        const bool kept = slot != slots.end() && slot->second.character == object.characterId() &&
                          slot->second.placedBy == object.placedBy();
        if (kept) {
            ++entry;
            continue;
        }
        m_context.retire(std::move(entry->second));
        entry = objects.erase(entry);
    }

    std::vector<SpriteObject*> created;
    for (const auto& [depth, slot] : slots) {
        if (DisplayObject* existing = m_displayList.at(depth)) {
            if (existing->placedBy() == slot.placedBy && existing->properties() != slot.properties) {
                existing->setProperties(slot.properties);
            }
            continue;
        }
        std::unique_ptr<DisplayObject> object = m_context.instantiate(slot.character, depth, *this);
        if (!object) {
            continue;
        }
        object->setProperties(slot.properties);
        object->setPlacedBy(slot.placedBy);
        if (SpriteObject* sprite = object->asSprite()) {
            created.push_back(sprite);
        }
        objects.emplace(depth, std::move(object));
    }
    // Children build their first frame once the parent's list is complete, in depth order.
    for (SpriteObject* sprite : created) {
        sprite->construct();
    }
}

} // namespace kf::swf
