#pragma once

#include "swf/format/Color.h"
#include "swf/format/Filters.h"
#include "swf/format/Geometry.h"
#include "swf/format/Tags.h"
#include "swf/format/Units.h"
#include "swf/runtime/DisplayProperties.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kf::swf {

class BitmapObject;
class ButtonObject;
class DisplayList;
class MorphShapeCharacter;
class EditTextObject;
class ShapeCharacter;
class SpriteObject;
class TextCharacter;

enum class DisplayObjectKind : std::uint8_t { Shape, Sprite, MorphShape, Text, EditText, Button, Bitmap };

// One placed instance of a character. The renderer reads these properties; the timeline
// and, later, scripts write them.
class DisplayObject {
public:
    DisplayObject(DisplayDepth depth, CharacterId characterId) : m_depth(depth), m_characterId(characterId) {}
    virtual ~DisplayObject();
    DisplayObject(const DisplayObject&) = delete;
    DisplayObject& operator=(const DisplayObject&) = delete;

    virtual DisplayObjectKind kind() const = 0;

    // The shape to draw for Shape objects; nullptr for every other kind.
    virtual const ShapeCharacter* shapeCharacter() const { return nullptr; }
    // The morph to draw (at ratio()) for MorphShape objects; nullptr for every other kind.
    virtual const MorphShapeCharacter* morphShapeCharacter() const { return nullptr; }
    // The glyph runs to draw for static text objects; nullptr for every other kind.
    virtual const TextCharacter* textCharacter() const { return nullptr; }
    virtual EditTextObject* asEditText() { return nullptr; }
    virtual const EditTextObject* asEditText() const { return nullptr; }
    // The children of container objects (sprites); nullptr for leaves.
    virtual const DisplayList* children() const { return nullptr; }
    virtual SpriteObject* asSprite() { return nullptr; }
    virtual const SpriteObject* asSprite() const { return nullptr; }
    virtual ButtonObject* asButton() { return nullptr; }
    virtual const ButtonObject* asButton() const { return nullptr; }
    virtual const BitmapObject* asBitmap() const { return nullptr; }

    DisplayDepth depth() const { return m_depth; }
    // Only the display list that holds the object moves it (swapDepths, unload).
    void setDepth(DisplayDepth depth) { m_depth = depth; }
    CharacterId characterId() const { return m_characterId; }

    // The sprite whose display list holds this object; nullptr for the root.
    SpriteObject* parent() const { return m_parent; }
    void setParent(SpriteObject* parent) { m_parent = parent; }

    // The PlaceObject tag that put this character at this depth (a replace counts as
    // placing), or nullptr for objects scripts created. A goto keeps an instance only when
    // the rebuilt frame has the same character at the same depth from the same tag.
    const PlaceObjectTag* placedBy() const { return m_placedBy; }
    void setPlacedBy(const PlaceObjectTag* tag) {
        m_placedBy = tag;
        if (tag) {
            m_clipActionSource = tag;
        }
    }
    // The placement whose clip actions (onClipEvent) this instance runs. It outlives
    // placedBy: a clip a script took from the timeline keeps its handlers, and a duplicate
    // takes its original's.
    const PlaceObjectTag* clipActionSource() const { return m_clipActionSource; }
    void setClipActionSource(const PlaceObjectTag* tag) { m_clipActionSource = tag; }

    // Increases with every instance the player creates; Flash Player visits clips newest
    // first each frame.
    std::uint64_t creationOrder() const { return m_creationOrder; }
    void setCreationOrder(std::uint64_t order) { m_creationOrder = order; }

    // Set once the object has left the display list; queued frame scripts of a removed
    // sprite do not run.
    bool isRemoved() const { return m_removed; }
    virtual void markRemoved() { m_removed = true; }

    const DisplayProperties& properties() const { return m_properties; }
    void setProperties(const DisplayProperties& properties) { m_properties = properties; }

    const Matrix& matrix() const { return m_properties.matrix; }
    void setMatrix(const Matrix& matrix) { m_properties.matrix = matrix; }

    const ColorTransform& colorTransform() const { return m_properties.colorTransform; }
    void setColorTransform(const ColorTransform& transform) { m_properties.colorTransform = transform; }

    std::uint16_t ratio() const { return m_properties.ratio; }
    void setRatio(std::uint16_t ratio) { m_properties.ratio = ratio; }

    const std::string& name() const { return m_properties.name; }
    void setName(std::string name) { m_properties.name = std::move(name); }

    // A mask: this object clips every object above it up to and including this depth.
    std::optional<DisplayDepth> clipDepth() const { return m_properties.clipDepth; }
    void setClipDepth(std::optional<DisplayDepth> depth) { m_properties.clipDepth = depth; }

    BlendMode blendMode() const { return m_properties.blendMode; }
    void setBlendMode(BlendMode mode) { m_properties.blendMode = mode; }

    const std::vector<Filter>& filters() const { return m_properties.filters; }
    void setFilters(std::vector<Filter> filters) { m_properties.filters = std::move(filters); }

    bool cacheAsBitmap() const { return m_properties.cacheAsBitmap; }
    void setCacheAsBitmap(bool cache) { m_properties.cacheAsBitmap = cache; }

    // scrollRect: the part of its own space (twips) the object shows, moved to its origin.
    const std::optional<Rect>& scrollRect() const { return m_scrollRect; }
    void setScrollRect(std::optional<Rect> area) { m_scrollRect = area; }
    // What takes the object's own space into its parent's: the scroll offset, then matrix().
    Matrix contentMatrix() const;

    bool visible() const { return m_properties.visible; }
    void setVisible(bool visible) { m_properties.visible = visible; }

    // setMask: the object whose coverage this one shows through, and the object this one
    // masks. A mask masks one object at a time and is not drawn itself; either side going
    // away undoes the pairing.
    DisplayObject* scriptMask() const { return m_scriptMask; }
    DisplayObject* maskedObject() const { return m_maskedObject; }
    void setScriptMask(DisplayObject* mask);

    // The script interpreter's object for this instance (its variables). Opaque here so the
    // runtime does not depend on the interpreter; it dies with the instance.
    const std::shared_ptr<void>& scriptObject() const { return m_scriptObject; }
    void setScriptObject(std::shared_ptr<void> object) { m_scriptObject = std::move(object); }

    // Stage coordinates (twips) of this object's local space: the parents' matrices composed.
    Matrix worldMatrix() const;
    // This object's colour transform seen through every parent's.
    ColorTransform worldColorTransform() const;

private:
    DisplayDepth m_depth;
    CharacterId m_characterId;
    SpriteObject* m_parent = nullptr;
    const PlaceObjectTag* m_placedBy = nullptr;
    const PlaceObjectTag* m_clipActionSource = nullptr;
    std::uint64_t m_creationOrder = 0;
    std::optional<Rect> m_scrollRect;
    bool m_removed = false;
    DisplayProperties m_properties;
    std::shared_ptr<void> m_scriptObject;
    DisplayObject* m_scriptMask = nullptr;
    DisplayObject* m_maskedObject = nullptr;
};

} // namespace kf::swf
