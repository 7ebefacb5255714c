#pragma once

#include "swf/format/Tags.h"
#include "swf/writer/ActionAssembler.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kf::swf {

// The control tags of one timeline, frame by frame: the main movie's (see MovieBuilder) or a
// sprite's (pass it to MovieBuilder::addSprite). Places use PlaceObject2.
class TimelineBuilder {
public:
    TimelineBuilder& place(CharacterId id, Depth depth, const Matrix& matrix = Matrix{},
                           std::optional<ColorTransform> colorTransform = std::nullopt);
    TimelineBuilder& placeNamed(CharacterId id, Depth depth, std::string name,
                                const Matrix& matrix = Matrix{});
    // A mask: the character at `depth` clips everything above it up to `clipDepth`.
    TimelineBuilder& placeMask(CharacterId id, Depth depth, Depth clipDepth, const Matrix& matrix = Matrix{});
    // Changes what is at `depth`; absent values stay as they are.
    TimelineBuilder& move(Depth depth, std::optional<Matrix> matrix,
                          std::optional<ColorTransform> colorTransform = std::nullopt);
    // Puts another character at an occupied depth (move flag with a character id).
    TimelineBuilder& replace(Depth depth, CharacterId id, std::optional<Matrix> matrix = std::nullopt);
    TimelineBuilder& remove(Depth depth); // RemoveObject2
    TimelineBuilder& label(std::string name, bool namedAnchor = false);
    TimelineBuilder& doAction(const ActionAssembler& actions);
    TimelineBuilder& doAction(ActionBlock actions);
    TimelineBuilder& showFrame();
    // Any tag; its code is taken from the body unless given.
    TimelineBuilder& addTag(TagBody body);
    TimelineBuilder& addTag(TagCode code, TagBody body);

    // Frames ended by showFrame() so far.
    std::uint16_t frameCount() const { return m_frameCount; }
    const std::vector<Tag>& tags() const { return m_tags; }

protected:
    std::vector<Tag> m_tags;
    std::uint16_t m_frameCount = 0;
};

} // namespace kf::swf
