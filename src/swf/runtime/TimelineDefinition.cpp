#include "swf/runtime/TimelineDefinition.h"

#include "swf/runtime/TextCompare.h"

#include <algorithm>

namespace kf::swf {

TimelineDefinition TimelineDefinition::fromTags(const std::vector<Tag>& tags,
                                                std::uint16_t declaredFrameCount) {
    const auto showFrames = static_cast<int>(std::count_if(
        tags.begin(), tags.end(), [](const Tag& tag) { return tag.code == TagCode::ShowFrame; }));
    // A sprite that declares no frames has none for scripts, yet its tags still run once.
    const int frameCount = declaredFrameCount > 0 || showFrames == 0 ? declaredFrameCount : showFrames;

    TimelineDefinition definition;
    definition.m_frameCount = frameCount;
    // Frames past the declared count are unreachable, except the tags after the last
    // ShowFrame: they run once the playhead moves past the last frame.
    const int storedFrames = showFrames <= frameCount ? showFrames + 1 : frameCount;
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
    // An empty frame past the declared ones would only cost the playhead a period each loop.
    while (definition.storedFrameCount() > frameCount && definition.m_frames.back().isEmpty()) {
        definition.m_frames.pop_back();
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
