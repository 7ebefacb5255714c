#pragma once

#include "swf/format/Movie.h"
#include "swf/writer/ShapeBuilder.h"
#include "swf/writer/TimelineBuilder.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kf::swf {

// A whole movie from code: definitions get consecutive character ids from 1 and go into the
// main tag stream where they are added; the timeline calls (place, showFrame, ...) come from
// TimelineBuilder. build() appends the End tag and counts the frames. Flash Player wants a
// FileAttributes tag first in SWF 8 and later files: add one with addTag() before anything
// else when the movie is meant for other players too.
//
//     MovieBuilder movie(8, Rect{Twips{0}, Twips{2000}, Twips{0}, Twips{2000}});
//     CharacterId box = movie.addRectangle(Rect{...}, ShapeBuilder::solidFill(Rgba{255, 0, 0}));
//     movie.place(box, Depth{1}).showFrame();
//     std::vector<std::uint8_t> swf = movie.build();
class MovieBuilder : public TimelineBuilder {
public:
    explicit MovieBuilder(std::uint8_t version = 10,
                          Rect frameSize = Rect{Twips{0}, Twips{550 * 20}, Twips{0}, Twips{400 * 20}},
                          double frameRate = 24.0);

    MovieBuilder& setCompression(Compression compression);
    // Adds a SetBackgroundColor tag at this point.
    MovieBuilder& setBackgroundColor(Rgba color);

    // Shape definitions; each returns the new character's id.
    CharacterId addShape(const ShapeBuilder& shape);
    CharacterId addRectangle(const Rect& rect, std::optional<FillStyle> fill,
                             std::optional<LineStyle> line = std::nullopt);
    CharacterId addEllipse(Twips centerX, Twips centerY, Twips radiusX, Twips radiusY,
                           std::optional<FillStyle> fill, std::optional<LineStyle> line = std::nullopt);
    CharacterId addPolygon(const std::vector<ShapePoint>& points, std::optional<FillStyle> fill,
                           std::optional<LineStyle> line = std::nullopt);
    // A DefineShape made elsewhere; its id is replaced by the next free one.
    CharacterId addShape(DefineShapeTag shape);
    // A sprite with the frames of `timeline`.
    CharacterId addSprite(const TimelineBuilder& timeline);
    // A DefineButton or DefineButton2; its id is replaced by the next free one.
    CharacterId addButton(DefineButtonTag button);

    CharacterId nextCharacterId() const { return CharacterId{m_nextId}; }

    // The movie as structs (End tag included) and as file bytes.
    Movie movie() const;
    std::vector<std::uint8_t> build() const;

private:
    Header m_header;
    std::uint16_t m_nextId = 1;
};

} // namespace kf::swf
