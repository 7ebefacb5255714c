#pragma once

#include "swf/format/Color.h"
#include "swf/format/Filters.h"
#include "swf/format/Geometry.h"
#include "swf/format/Units.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kf::swf {

class DisplayList;
class ShapeCharacter;

enum class DisplayObjectKind : std::uint8_t { Shape, Sprite };

// Depth inside a display list. Timeline depths come from the file (1..65535); scripts may
// later use the whole signed range, so the runtime keeps 32 bits.
struct DisplayDepth {
    std::int32_t value = 0;
    constexpr auto operator<=>(const DisplayDepth&) const = default;
};

// One placed instance of a character. The renderer reads these properties; the timeline
// and, later, scripts write them.
class DisplayObject {
public:
    DisplayObject(DisplayDepth depth, CharacterId characterId) : m_depth(depth), m_characterId(characterId) {}
    virtual ~DisplayObject() = default;
    DisplayObject(const DisplayObject&) = delete;
    DisplayObject& operator=(const DisplayObject&) = delete;

    virtual DisplayObjectKind kind() const = 0;

    // The shape to draw for Shape objects; nullptr for every other kind.
    virtual const ShapeCharacter* shapeCharacter() const { return nullptr; }
    // The children of container objects (sprites); nullptr for leaves.
    virtual const DisplayList* children() const { return nullptr; }

    DisplayDepth depth() const { return m_depth; }
    CharacterId characterId() const { return m_characterId; }

    const Matrix& matrix() const { return m_matrix; }
    void setMatrix(const Matrix& matrix) { m_matrix = matrix; }

    const ColorTransform& colorTransform() const { return m_colorTransform; }
    void setColorTransform(const ColorTransform& transform) { m_colorTransform = transform; }

    std::uint16_t ratio() const { return m_ratio; }
    void setRatio(std::uint16_t ratio) { m_ratio = ratio; }

    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }

    // A mask: this object clips every object above it up to and including this depth.
    std::optional<DisplayDepth> clipDepth() const { return m_clipDepth; }
    void setClipDepth(std::optional<DisplayDepth> depth) { m_clipDepth = depth; }

    BlendMode blendMode() const { return m_blendMode; }
    void setBlendMode(BlendMode mode) { m_blendMode = mode; }

    const std::vector<Filter>& filters() const { return m_filters; }
    void setFilters(std::vector<Filter> filters) { m_filters = std::move(filters); }

    bool cacheAsBitmap() const { return m_cacheAsBitmap; }
    void setCacheAsBitmap(bool cache) { m_cacheAsBitmap = cache; }

    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

private:
    DisplayDepth m_depth;
    CharacterId m_characterId;
    Matrix m_matrix;
    ColorTransform m_colorTransform;
    std::uint16_t m_ratio = 0;
    std::string m_name;
    std::optional<DisplayDepth> m_clipDepth;
    BlendMode m_blendMode = BlendMode::Normal;
    std::vector<Filter> m_filters;
    bool m_cacheAsBitmap = false;
    bool m_visible = true;
};

} // namespace kf::swf
