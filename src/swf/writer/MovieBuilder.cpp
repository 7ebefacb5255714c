#include "swf/writer/MovieBuilder.h"

#include "swf/writer/MovieWriter.h"

namespace kf::swf {

MovieBuilder::MovieBuilder(std::uint8_t version, Rect frameSize, double frameRate) {
    m_header.version = version;
    m_header.frameSize = frameSize;
    m_header.frameRate = UFixed8::fromDouble(frameRate);
}

MovieBuilder& MovieBuilder::setCompression(Compression compression) {
    m_header.compression = compression;
    return *this;
}

MovieBuilder& MovieBuilder::setBackgroundColor(Rgba color) {
    addTag(SetBackgroundColorTag{color});
    return *this;
}

CharacterId MovieBuilder::addShape(const ShapeBuilder& shape) {
    return addShape(shape.build(CharacterId{}));
}

CharacterId MovieBuilder::addShape(DefineShapeTag shape) {
    const CharacterId id{m_nextId++};
    shape.id = id;
    addTag(std::move(shape));
    return id;
}

CharacterId MovieBuilder::addRectangle(const Rect& rect, std::optional<FillStyle> fill,
                                       std::optional<LineStyle> line) {
    ShapeBuilder shape;
    shape.setFill(std::move(fill)).setLine(std::move(line)).addRectangle(rect);
    return addShape(shape);
}

CharacterId MovieBuilder::addEllipse(Twips centerX, Twips centerY, Twips radiusX, Twips radiusY,
                                     std::optional<FillStyle> fill, std::optional<LineStyle> line) {
    ShapeBuilder shape;
    shape.setFill(std::move(fill)).setLine(std::move(line)).addEllipse(centerX, centerY, radiusX, radiusY);
    return addShape(shape);
}

CharacterId MovieBuilder::addPolygon(const std::vector<ShapePoint>& points, std::optional<FillStyle> fill,
                                     std::optional<LineStyle> line) {
    ShapeBuilder shape;
    shape.setFill(std::move(fill)).setLine(std::move(line)).addPolygon(points);
    return addShape(shape);
}

CharacterId MovieBuilder::addSprite(const TimelineBuilder& timeline) {
    const CharacterId id{m_nextId++};
    addTag(DefineSpriteTag{id, timeline.frameCount(), timeline.tags()});
    return id;
}

CharacterId MovieBuilder::addButton(DefineButtonTag button) {
    const CharacterId id{m_nextId++};
    button.id = id;
    addTag(std::move(button));
    return id;
}

Movie MovieBuilder::movie() const {
    Movie movie;
    movie.header = m_header;
    movie.header.frameCount = m_frameCount;
    movie.tags = m_tags;
    movie.tags.push_back(Tag{TagCode::End, 0, EndTag{}});
    return movie;
}

std::vector<std::uint8_t> MovieBuilder::build() const {
    return writeMovie(movie());
}

} // namespace kf::swf
