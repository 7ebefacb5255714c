#pragma once

// Builds small movies as parsed structs, tag by tag, for the runtime tests.

#include "swf/format/Movie.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kf::swf::test {

inline Tag makeTag(TagCode code, TagBody body) {
    return Tag{code, 0, std::move(body)};
}

// A 10x10 pixel red square.
inline Tag defineShape(std::uint16_t id) {
    DefineShapeTag shape;
    shape.id = CharacterId{id};
    shape.bounds = Rect{Twips{0}, Twips{200}, Twips{0}, Twips{200}};
    shape.edgeBounds = shape.bounds;
    shape.shape.fillStyles.push_back(FillStyle{FillType::Solid, Rgba{255, 0, 0, 255}, {}, {}, {}});
    StyleChangeRecord start;
    start.setMoveTo(Twips{0}, Twips{0});
    start.setFillStyle1(1);
    shape.shape.records = {
        start, StraightEdgeRecord{Twips{200}, Twips{0}}, StraightEdgeRecord{Twips{0}, Twips{200}},
        StraightEdgeRecord{Twips{-200}, Twips{0}}, StraightEdgeRecord{Twips{0}, Twips{-200}}};
    return makeTag(TagCode::DefineShape, shape);
}

inline Tag defineSprite(std::uint16_t id, std::uint16_t frameCount, std::vector<Tag> tags) {
    return makeTag(TagCode::DefineSprite, DefineSpriteTag{CharacterId{id}, frameCount, std::move(tags)});
}

inline Tag place(std::uint16_t depth, std::uint16_t characterId, std::optional<Matrix> matrix = {},
                 std::optional<std::string> name = {}) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = Depth{depth};
    tag.characterId = CharacterId{characterId};
    tag.matrix = matrix;
    if (name) {
        tag.name = std::move(*name);
    }
    return makeTag(TagCode::PlaceObject2, tag);
}

inline Tag move(std::uint16_t depth, Matrix matrix) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = Depth{depth};
    tag.isMove = true;
    tag.matrix = matrix;
    return makeTag(TagCode::PlaceObject2, tag);
}

inline Tag replace(std::uint16_t depth, std::uint16_t characterId) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = Depth{depth};
    tag.isMove = true;
    tag.characterId = CharacterId{characterId};
    return makeTag(TagCode::PlaceObject2, tag);
}

inline Tag placeTag(PlaceObjectTag tag) {
    return makeTag(tag.version == 3 ? TagCode::PlaceObject3 : TagCode::PlaceObject2, std::move(tag));
}

inline Tag remove(std::uint16_t depth) {
    return makeTag(TagCode::RemoveObject2, RemoveObjectTag{std::nullopt, Depth{depth}});
}

inline Tag showFrame() {
    return makeTag(TagCode::ShowFrame, ShowFrameTag{});
}

inline Tag frameLabel(std::string name) {
    return makeTag(TagCode::FrameLabel, FrameLabelTag{std::move(name), false});
}

inline Tag backgroundColor(Rgba color) {
    return makeTag(TagCode::SetBackgroundColor, SetBackgroundColorTag{color});
}

inline Action action(ActionCode code, ActionPayload payload = NoPayload{}) {
    return Action{code, 0, 1, std::move(payload)};
}

inline Tag doAction(std::vector<Action> actions) {
    ActionBlock block;
    block.actions = std::move(actions);
    return makeTag(TagCode::DoAction, DoActionTag{std::move(block)});
}

inline Movie movie(std::uint16_t frameCount, std::vector<Tag> tags, std::uint8_t version = 6) {
    Movie result;
    result.header.version = version;
    result.header.frameSize = Rect{Twips{0}, Twips{11000}, Twips{0}, Twips{8000}};
    result.header.frameRate = UFixed8::fromDouble(12);
    result.header.frameCount = frameCount;
    result.tags = std::move(tags);
    result.tags.push_back(makeTag(TagCode::End, EndTag{}));
    return result;
}

} // namespace kf::swf::test
