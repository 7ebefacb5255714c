#pragma once

#include "swf/format/Styles.h"
#include "swf/runtime/BitmapCharacter.h"

#include <memory>
#include <utility>
#include <vector>

namespace kf::swf {

class CharacterDictionary;
struct MorphShape;
struct Shape;

// The bitmaps a shape's fills name, looked up once when the shape is defined, so drawing
// needs no dictionary. An id that names no bitmap is absent: its fill draws nothing.
class ShapeBitmaps {
public:
    static ShapeBitmaps collect(const Shape& shape, const CharacterDictionary& dictionary);
    static ShapeBitmaps collect(const MorphShape& morph, const CharacterDictionary& dictionary);

    const BitmapCharacter* find(CharacterId id) const;
    bool empty() const { return m_bitmaps.empty(); }

private:
    void addFill(const FillStyle& style, const CharacterDictionary& dictionary);
    void addLine(const LineStyle& style, const CharacterDictionary& dictionary);

    std::vector<std::pair<CharacterId, std::shared_ptr<const BitmapCharacter>>> m_bitmaps;
};

} // namespace kf::swf
