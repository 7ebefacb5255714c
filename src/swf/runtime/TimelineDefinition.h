#pragma once

#include "swf/format/Tags.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kf::swf {

// What happens on one frame of a timeline: its display-list tags in file order, then its
// frame scripts. Pointers refer into the tags the definition was built from.
struct TimelineFrame {
    std::vector<const Tag*> controlTags;
    std::vector<const ActionBlock*> actions;
    // For each of `actions`, how many control tags of the frame come before it: a clip's
    // load event queues where its PlaceObject stands relative to the frame's scripts.
    std::vector<std::size_t> actionPositions;
    // DoInitAction blocks: each runs once per movie, before any other script of the frame
    // that first shows it.
    std::vector<const ActionBlock*> initActions;

    bool isEmpty() const { return controlTags.empty() && actions.empty() && initActions.empty(); }
};

struct TimelineLabel {
    std::string name;
    int frame = 0; // 0-based
    bool operator==(const TimelineLabel&) const = default;
};

// The frames of the main timeline or of one sprite, split once from the tag stream so
// playback and goto never scan tags again.
class TimelineDefinition {
public:
    TimelineDefinition() = default;

    // `tags` must outlive the definition. The declared frame count wins over the number of
    // ShowFrame tags, as in Flash Player: a missing frame is empty, an extra one unreachable.
    // Tags after the last ShowFrame of a timeline that has no more ShowFrames than it
    // declares form one more frame past the last (see playableFrameCount()).
    static TimelineDefinition fromTags(const std::vector<Tag>& tags, std::uint16_t declaredFrameCount);

    // One empty frame: the timeline of a clip createEmptyMovieClip makes.
    static TimelineDefinition empty() {
        TimelineDefinition definition;
        definition.m_frameCount = 1;
        return definition;
    }

    // What scripts see as _totalframes: 0 for a sprite that declares no frames.
    int frameCount() const { return m_frameCount; }
    // The frames the playhead can enter: frameCount() and possibly the trailing frame, which
    // the playhead passes through after the last one and which no goto reaches.
    int playableFrameCount() const { return std::max(m_frameCount, storedFrameCount()); }
    // Frames past the last one with tags are empty and not stored, so a header that claims
    // 65535 frames costs nothing; loops over frames may stop at storedFrameCount().
    int storedFrameCount() const { return static_cast<int>(m_frames.size()); }
    const TimelineFrame& frame(int index) const;

    const std::vector<TimelineLabel>& labels() const { return m_labels; }
    // The first label that matches ignoring ASCII case, even where a later one matches
    // exactly, as AVM1 label lookups do.
    std::optional<int> frameForLabel(std::string_view label) const;

    // Labels from DefineSceneAndFrameLabelData, which only the main timeline carries.
    void addLabel(TimelineLabel label);

private:
    int m_frameCount = 0;
    std::vector<TimelineFrame> m_frames;
    std::vector<TimelineLabel> m_labels;
};

} // namespace kf::swf
