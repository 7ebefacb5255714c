#pragma once

#include "swf/format/Movie.h"
#include "swf/writer/MovieBuilder.h"

#include <cstdint>
#include <vector>

namespace kf::swf::test {

using Bytes = std::vector<std::uint8_t>;

inline void clearOffsets(std::vector<Tag>& tags) {
    for (Tag& tag : tags) {
        tag.offset = 0;
        if (auto* sprite = std::get_if<DefineSpriteTag>(&tag.body)) {
            clearOffsets(sprite->tags);
        }
    }
}

// A small movie with one of most things the reader parses: shapes of versions 3 and 4,
// places with filters and clip actions, a sprite, labels, actions, an unknown tag.
inline MovieBuilder smallMovie(Compression compression) {
    MovieBuilder builder(8, Rect{Twips{0}, Twips{2000}, Twips{0}, Twips{1000}}, 30);
    builder.setCompression(compression);
    builder.addTag(FileAttributesTag{false, false, false, false, true});
    builder.setBackgroundColor(Rgba{255, 255, 255, 255});
    const CharacterId box = builder.addRectangle(Rect{Twips{0}, Twips{400}, Twips{0}, Twips{300}},
                                                 ShapeBuilder::solidFill(Rgba{200, 0, 0, 128}));
    ShapeBuilder ring(4);
    LineStyle line = ShapeBuilder::lineStyle(60, Rgba{0, 0, 0, 255});
    line.join = JoinStyle::Miter;
    ring.setFill(ShapeBuilder::linearGradientFill(Rect{Twips{-300}, Twips{300}, Twips{-300}, Twips{300}},
                                                  {{0, Rgba{0, 0, 0, 255}}, {255, Rgba{255, 255, 255, 0}}}))
        .setLine(line)
        .addCircle(Twips{0}, Twips{0}, Twips{300});
    const CharacterId ringId = builder.addShape(ring);
    TimelineBuilder sprite;
    sprite.place(ringId, Depth{1}).showFrame().move(Depth{1}, Matrix::scale(2, 0.5)).showFrame();
    const CharacterId spriteId = builder.addSprite(sprite);
    PlaceObjectTag fancy;
    fancy.version = 3;
    fancy.depth = Depth{5};
    fancy.characterId = spriteId;
    fancy.matrix = Matrix::translation(1000, 500);
    PlaceObjectExtras& extras = fancy.extras.ensure();
    extras.filters = std::vector<Filter>{BlurFilter{Fixed16::fromDouble(4), Fixed16::fromDouble(4), 1}};
    extras.blendMode = BlendMode::Multiply;
    ClipActionRecord onLoad;
    onLoad.events = static_cast<std::uint32_t>(ClipEvent::Load);
    onLoad.actions = ActionAssembler().trace("loaded").block();
    extras.clipActions = {onLoad};
    builder.place(box, Depth{1}, Matrix::translation(20, 20), ColorTransform{256, 128, 256, 256, 0, 10, 0, 0})
        .addTag(fancy)
        .label("first")
        .doAction(ActionAssembler().pushString("x").pushInteger(3).setVariable().stop())
        .showFrame();
    builder.addTag(TagCode::DefineBinaryData, UnknownTag{Bytes{1, 2, 3, 4, 5}});
    builder.move(Depth{1}, Matrix::translation(40, 40)).remove(Depth{5}).showFrame();
    return builder;
}

} // namespace kf::swf::test
