#include "swf/runtime/ShapeBitmaps.h"

#include "swf/format/MorphShapeTags.h"
#include "swf/format/ShapeRecords.h"
#include "swf/runtime/CharacterDictionary.h"

#include <algorithm>

namespace kf::swf {

ShapeBitmaps ShapeBitmaps::collect(const Shape& shape, const CharacterDictionary& dictionary) {
    ShapeBitmaps bitmaps;
    for (const FillStyle& style : shape.fillStyles) {
        bitmaps.addFill(style, dictionary);
    }
    for (const LineStyle& style : shape.lineStyles) {
        bitmaps.addLine(style, dictionary);
    }
    for (const ShapeRecord& record : shape.records) {
        const auto* change = std::get_if<StyleChangeRecord>(&record);
        if (change == nullptr || !change->newStyles) {
            continue;
        }
        for (const FillStyle& style : change->newStyles->fillStyles) {
            bitmaps.addFill(style, dictionary);
        }
        for (const LineStyle& style : change->newStyles->lineStyles) {
            bitmaps.addLine(style, dictionary);
        }
    }
    return bitmaps;
}

ShapeBitmaps ShapeBitmaps::collect(const MorphShape& morph, const CharacterDictionary& dictionary) {
    ShapeBitmaps bitmaps;
    for (const MorphFillStyle& style : morph.fillStyles) {
        bitmaps.addFill(style.start, dictionary);
    }
    for (const MorphLineStyle& style : morph.lineStyles) {
        bitmaps.addLine(style.start, dictionary);
    }
    return bitmaps;
}

const BitmapCharacter* ShapeBitmaps::find(CharacterId id) const {
    for (const auto& [bitmapId, bitmap] : m_bitmaps) {
        if (bitmapId == id) {
            return bitmap.get();
        }
    }
    return nullptr;
}

void ShapeBitmaps::addFill(const FillStyle& style, const CharacterDictionary& dictionary) {
    if (!isBitmapFill(style.type) || find(style.bitmapId) != nullptr) {
        return;
    }
    std::shared_ptr<const Character> character = dictionary.findShared(style.bitmapId);
    if (character && character->kind() == CharacterKind::Bitmap) {
        m_bitmaps.emplace_back(style.bitmapId, std::static_pointer_cast<const BitmapCharacter>(character));
    }
}

void ShapeBitmaps::addLine(const LineStyle& style, const CharacterDictionary& dictionary) {
    if (style.fill) {
        addFill(*style.fill, dictionary);
    }
}

} // namespace kf::swf
