#include "swf/writer/TimelineBuilder.h"

#include "swf/writer/SwfWriter.h"

namespace kf::swf {

TimelineBuilder& TimelineBuilder::place(CharacterId id, Depth depth, const Matrix& matrix,
                                        std::optional<ColorTransform> colorTransform) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = depth;
    tag.characterId = id;
    tag.matrix = matrix;
    tag.colorTransform = colorTransform;
    return addTag(std::move(tag));
}

TimelineBuilder& TimelineBuilder::placeNamed(CharacterId id, Depth depth, std::string name,
                                             const Matrix& matrix) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = depth;
    tag.characterId = id;
    tag.matrix = matrix;
    tag.name = std::move(name);
    return addTag(std::move(tag));
}

TimelineBuilder& TimelineBuilder::placeMask(CharacterId id, Depth depth, Depth clipDepth,
                                            const Matrix& matrix) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = depth;
    tag.characterId = id;
    tag.matrix = matrix;
    tag.clipDepth = clipDepth;
    return addTag(std::move(tag));
}

TimelineBuilder& TimelineBuilder::move(Depth depth, std::optional<Matrix> matrix,
                                       std::optional<ColorTransform> colorTransform) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = depth;
    tag.isMove = true;
    tag.matrix = matrix;
    tag.colorTransform = colorTransform;
    return addTag(std::move(tag));
}

TimelineBuilder& TimelineBuilder::replace(Depth depth, CharacterId id, std::optional<Matrix> matrix) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = depth;
    tag.isMove = true;
    tag.characterId = id;
    tag.matrix = matrix;
    return addTag(std::move(tag));
}

TimelineBuilder& TimelineBuilder::remove(Depth depth) {
    return addTag(RemoveObjectTag{std::nullopt, depth});
}

TimelineBuilder& TimelineBuilder::label(std::string name, bool namedAnchor) {
    return addTag(FrameLabelTag{std::move(name), namedAnchor});
}

TimelineBuilder& TimelineBuilder::doAction(const ActionAssembler& actions) {
    return doAction(actions.block());
}

TimelineBuilder& TimelineBuilder::doAction(ActionBlock actions) {
    return addTag(DoActionTag{std::move(actions)});
}

TimelineBuilder& TimelineBuilder::showFrame() {
    ++m_frameCount;
    return addTag(ShowFrameTag{});
}

TimelineBuilder& TimelineBuilder::addTag(TagBody body) {
    const TagCode code = SwfWriter::codeFor(body);
    return addTag(code, std::move(body));
}

TimelineBuilder& TimelineBuilder::addTag(TagCode code, TagBody body) {
    Tag tag;
    tag.code = code;
    tag.body = std::move(body);
    m_tags.push_back(std::move(tag));
    return *this;
}

} // namespace kf::swf
