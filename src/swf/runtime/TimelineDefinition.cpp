#include "swf/runtime/TimelineDefinition.h"

#include "swf/runtime/TextCompare.h"

#include <algorithm>

namespace kf::swf {

TimelineDefinition TimelineDefinition::fromTags(const std::vector<Tag>& tags,
                                                std::uint16_t declaredFrameCount) {
    const auto showFrames = std::count_if(tags.begin(), tags.end(),
                                          [](const Tag& tag) { return tag.code == TagCode::ShowFrame; });
    const int frameCount =
        declaredFrameCount > 0 ? declaredFrameCount : std::max<int>(1, static_cast<int>(showFrames));

    TimelineDefinition definition;
    definition.m_frameCount = frameCount;
    // Tags after the last ShowFrame belong to one more frame, when the count allows it.
    const int storedFrames = std::min<int>(frameCount, static_cast<int>(showFrames) + 1);
    definition.m_frames.resize(static_cast<std::size_t>(storedFrames));
    int frameIndex = 0;
    for (const Tag& tag : tags) {
        if (frameIndex >= storedFrames) {
            break;
        }
        TimelineFrame& frame = definition.m_frames[static_cast<std::size_t>(frameIndex)];
        if (std::holds_alternative<ShowFrameTag>(tag.body)) {
            ++frameIndex;
        } else if (std::holds_alternative<PlaceObjectTag>(tag.body) ||
                   std::holds_alternative<RemoveObjectTag>(tag.body)) {
            frame.controlTags.push_back(&tag);
        } else if (const auto* doAction = std::get_if<DoActionTag>(&tag.body)) {
            frame.actions.push_back(&doAction->actions);
            frame.actionPositions.push_back(frame.controlTags.size());
        } else if (const auto* initAction = std::get_if<DoInitActionTag>(&tag.body)) {
            frame.initActions.push_back(&initAction->actions);
        } else if (const auto* label = std::get_if<FrameLabelTag>(&tag.body)) {
            definition.addLabel(TimelineLabel{label->name, frameIndex});
        }
    }
    return definition;
}

const TimelineFrame& TimelineDefinition::frame(int index) const {
    static const TimelineFrame empty;
    if (index < 0 || index >= storedFrameCount()) {
        return empty;
    }
    return m_frames[static_cast<std::size_t>(index)];
}

std::optional<int> TimelineDefinition::frameForLabel(std::string_view label) const {
    for (const TimelineLabel& entry : m_labels) {
        if (entry.name == label) {
            return entry.frame;
        }
    }
    for (const TimelineLabel& entry : m_labels) {
        if (equalsIgnoringCase(entry.name, label)) {
            return entry.frame;
        }
    }
    return std::nullopt;
}

void TimelineDefinition::addLabel(TimelineLabel label) {
    if (label.frame < 0 || label.frame >= frameCount()) {
        return;
    }
    // The first label of a name wins; a repeated name later in the file cannot be reached.
    for (const TimelineLabel& entry : m_labels) {
        if (entry.name == label.name) {
            return;
        }
    }
    m_labels.push_back(std::move(label));
}

} // namespace kf::swf
