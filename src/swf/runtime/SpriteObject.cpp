#include "swf/runtime/SpriteObject.h"

#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/LoadedMovie.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteCharacter.h"
#include "swf/runtime/TimelineSlots.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace kf::swf {

SpriteObject::SpriteObject(DisplayDepth depth, CharacterId characterId, const TimelineDefinition& timeline,
                           PlayerContext& context, int nestingLevel,
                           std::shared_ptr<const SpriteCharacter> character)
    : DisplayObject(depth, characterId), m_timeline(&timeline), m_context(context),
      m_nestingLevel(nestingLevel), m_character(std::move(character)) {}

void SpriteObject::markRemoved() {
    DisplayObject::markRemoved();
    for (auto& [depth, child] : m_displayList.objects()) {
        child->markRemoved();
    }
}

void SpriteObject::construct() {
    if (m_currentFrame < 0 && m_timeline->playableFrameCount() > 0) {
        showFrame(0);
    }
}

namespace {

void collectActiveClips(SpriteObject& clip, std::vector<SpriteObject*>& clips);

// A button's state may show an animated sprite: it plays on like any other clip.
void collectActiveClips(DisplayList& list, std::vector<SpriteObject*>& clips) {
    for (auto& [depth, child] : list.objects()) {
        if (SpriteObject* sprite = child->asSprite()) {
            collectActiveClips(*sprite, clips);
        } else if (ButtonObject* button = child->asButton()) {
            collectActiveClips(button->shownChildren(), clips);
        }
    }
}

void collectActiveClips(SpriteObject& clip, std::vector<SpriteObject*>& clips) {
    if (clip.isUnloading()) {
        return;
    }
    clips.push_back(&clip);
    collectActiveClips(clip.displayList(), clips);
}

// Tags of one timeline sit in one vector, so their addresses follow the file's order.
bool placedEarlier(const void* tag, const void* other) {
    return std::less<const void*>()(tag, other);
}

// Depths below this belong to the timeline (scripts see them shifted to -16384 .. -1).
constexpr std::int32_t timelineDepthLimit = 16384;

bool isUnloadingAt(const DisplayObject& object) {
    const SpriteObject* sprite = object.asSprite();
    return sprite && sprite->isUnloading();
}

} // namespace

void SpriteObject::tick() {
    std::vector<SpriteObject*> clips;
    collectActiveClips(*this, clips);
    std::stable_sort(clips.begin(), clips.end(), [](const SpriteObject* left, const SpriteObject* right) {
        return left->creationOrder() > right->creationOrder();
    });
    for (SpriteObject* clip : clips) {
        // A clip an earlier one removed this pass does nothing more.
        if (clip->isRemoved() || clip->isInUnloadingClip()) {
            continue;
        }
        m_context.actionQueue().pushEvent(clip, static_cast<std::uint32_t>(ClipEvent::EnterFrame));
        clip->advance();
    }
}

bool SpriteObject::isInUnloadingClip() const {
    for (const SpriteObject* clip = this; clip; clip = clip->parent()) {
        if (clip->m_unloading) {
            return true;
        }
    }
    return false;
}

void SpriteObject::advance() {
    if (!m_playing) {
        return;
    }
    if (m_currentFrame + 1 < m_timeline->playableFrameCount()) {
        showFrame(m_currentFrame + 1);
    } else if (totalFrames() > 1 && m_loops) {
        showFrame(0);
    } else {
        // A one-frame timeline, or the main timeline with looping off, stops at its end.
        m_playing = false;
    }
}

void SpriteObject::gotoFrame(int frame) {
    if (frame < 0 || totalFrames() <= 0) {
        return;
    }
    // Past the end, Flash Player shows the last frame but runs none of its scripts.
    const bool pastEnd = frame >= totalFrames();
    frame = std::min(frame, totalFrames() - 1);
    if (frame != m_currentFrame) {
        showFrame(frame, !pastEnd);
    }
}

bool SpriteObject::gotoLabel(std::string_view label) {
    const std::optional<int> frame = m_timeline->frameForLabel(label);
    if (!frame) {
        return false;
    }
    gotoFrame(*frame);
    return true;
}

void SpriteObject::nextFrame() {
    gotoFrame(currentFrame() + 1);
    stop();
}

void SpriteObject::previousFrame() {
    gotoFrame(std::max(0, currentFrame() - 1));
    stop();
}

void SpriteObject::showFrame(int frame, bool runScripts) {
    // Forward: continue from what is shown. Backward: replay from frame 1 into an empty list;
    // the reconcile step then keeps every instance the replay places identically.
    const bool forward = frame > m_currentFrame;
    const int firstFrame = forward ? m_currentFrame + 1 : 0;
    const int lastWithTags = std::min(frame, m_timeline->storedFrameCount() - 1);
    bool changes = !forward;
    for (int index = firstFrame; index <= lastWithTags && !changes; ++index) {
        changes = !m_timeline->frame(index).controlTags.empty();
    }

    m_currentFrame = frame;
    std::vector<SpriteObject*> created;
    // Most frames of most sprites change nothing; they cost no display-list work.
    if (changes) {
        TimelineSlots target = forward ? slotsFromDisplayList() : TimelineSlots(&dictionary());
        std::optional<int> halted;
        for (int index = firstFrame; index <= lastWithTags && !halted; ++index) {
            const std::vector<const Tag*>& tags = m_timeline->frame(index).controlTags;
            for (const Tag* tag : tags) {
                // Moving on, Flash Player stops at a tag that places nothing: the tags before
                // it stand, the playhead stays on the frame before and tries again next time.
                if (!target.apply(*tag) && forward) {
                    halted = index;
                    break;
                }
            }
            m_context.countReplayedTags(tags.size());
        }
        created = reconcile(target, !forward);
        if (halted) {
            m_currentFrame = *halted - 1;
            for (SpriteObject* sprite : created) {
                announce(*sprite, true);
                sprite->construct();
            }
            return;
        }
    }

    // Only the frame landed on runs its scripts; frames passed over run none. A clip's load
    // event queues where its PlaceObject stands among the frame's DoAction tags.
    static const TimelineFrame unscripted;
    const TimelineFrame& landing = runScripts ? m_timeline->frame(frame) : unscripted;
    std::size_t announced = 0;
    for (std::size_t index = 0; index < landing.actions.size(); ++index) {
        const std::size_t position = landing.actionPositions[index];
        const void* boundary =
            position < landing.controlTags.size() ? landing.controlTags[position] : nullptr;
        while (announced < created.size() &&
               (!boundary || placedEarlier(created[announced]->placedBy(), boundary))) {
            announce(*created[announced++], true);
        }
        m_context.actionQueue().push(this, landing.actions[index]);
    }
    while (announced < created.size()) {
        announce(*created[announced++], true);
    }
    for (const ActionBlock* actions : landing.initActions) {
        if (m_context.firstRunOfInitActions(actions)) {
            m_context.actionQueue().push(this, actions, ActionPriority::Init);
        }
    }
    // Children show their first frame once this frame's tags are done, so their first
    // frame scripts run after this frame's.
    for (SpriteObject* sprite : created) {
        sprite->construct();
    }
}

void SpriteObject::announce(SpriteObject& sprite, bool placedByTimeline) {
    if (sprite.name().empty()) {
        sprite.setName(m_context.nextInstanceName());
    }
    ActionQueue& queue = m_context.actionQueue();
    queue.pushEvent(&sprite, static_cast<std::uint32_t>(ClipEvent::Initialize), ActionPriority::Init);
    if (placedByTimeline) {
        queue.pushEvent(&sprite, static_cast<std::uint32_t>(ClipEvent::Construct), ActionPriority::Construct);
    }
    queue.pushEvent(&sprite, static_cast<std::uint32_t>(ClipEvent::Load));
}

TimelineSlots SpriteObject::slotsFromDisplayList() const {
    TimelineSlots slots(&dictionary());
    for (const auto& [depth, object] : m_displayList.objects()) {
        if (object->placedBy() != nullptr) {
            slots.set(depth, TimelineSlot{object->characterId(), object->placedBy(), object->properties()});
        }
    }
    return slots;
}

std::vector<SpriteObject*> SpriteObject::reconcile(const TimelineSlots& target, bool rebuilt) {
    auto& objects = m_displayList.objects();
    const auto& slots = target.slots();

    std::vector<DisplayDepth> leaving;
    for (const auto& [depth, object] : objects) {
        if (object->placedBy() == nullptr) {
            // Script-made: the timeline leaves it alone, except that a rebuilt frame clears
            // the timeline's own depths (script depths -16384 to -1) as Flash Player does.
            if (rebuilt && depth.value >= 0 && depth.value < timelineDepthLimit && !isUnloadingAt(*object)) {
                leaving.push_back(depth);
            }
            continue;
        }
        auto slot = slots.find(depth);
        const bool kept = slot != slots.end() && slot->second.character == object->characterId() &&
                          slot->second.placedBy == object->placedBy();
        if (!kept) {
            leaving.push_back(depth);
        }
    }
    for (DisplayDepth depth : leaving) {
        removeChild(depth);
    }

    std::vector<const std::pair<const DisplayDepth, TimelineSlot>*> placing;
    for (const auto& entry : slots) {
        const auto& [depth, slot] = entry;
        if (DisplayObject* existing = m_displayList.at(depth)) {
            if (existing->placedBy() == slot.placedBy && existing->properties() != slot.properties) {
                // A rebuilt frame names nothing; the instance keeps the name it was given.
                const std::string name = existing->name();
                existing->setProperties(slot.properties);
                if (existing->name().empty()) {
                    existing->setName(name);
                }
            }
            continue;
        }
        placing.push_back(&entry);
    }
    // Instances come into being in the order of the tags that place them.
    std::stable_sort(placing.begin(), placing.end(), [](const auto* left, const auto* right) {
        return placedEarlier(left->second.placedBy, right->second.placedBy);
    });
    std::vector<SpriteObject*> created;
    for (const auto* entry : placing) {
        const auto& [depth, slot] = *entry;
        std::unique_ptr<DisplayObject> object = m_context.instantiate(slot.character, depth, *this);
        if (!object) {
            continue;
        }
        object->setProperties(slot.properties);
        object->setPlacedBy(slot.placedBy);
        // Flash Player names the unnamed instances scripts can reach as it places them, so
        // clips, buttons and text fields share one count in the order of their tags.
        if (object->name().empty() && (object->asSprite() || object->asButton() || object->asEditText())) {
            object->setName(m_context.nextInstanceName());
        }
        if (SpriteObject* sprite = object->asSprite()) {
            created.push_back(sprite);
        }
        objects.emplace(depth, std::move(object));
    }
    return created;
}

} // namespace kf::swf
