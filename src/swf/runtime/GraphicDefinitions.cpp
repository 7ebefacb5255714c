#include "swf/runtime/GraphicDefinitions.h"

#include "swf/runtime/BitmapCharacter.h"
#include "swf/runtime/MorphShapeCharacter.h"
#include "swf/runtime/ShapeCharacter.h"

namespace kf::swf {

namespace {

// A movie has one JPEGTables for all its DefineBits images; a later one is ignored, as
// Flash Player keeps the first.
const JpegTablesTag* jpegTablesIn(const std::vector<Tag>& tags) {
    for (const Tag& tag : tags) {
        if (const auto* tables = std::get_if<JpegTablesTag>(&tag.body)) {
            return tables;
        }
    }
    return nullptr;
}

} // namespace

std::shared_ptr<const Character> makeGraphicCharacter(const Tag& tag, const std::vector<Tag>& tags,
                                                      const CharacterDictionary& dictionary) {
    if (const auto* shape = std::get_if<DefineShapeTag>(&tag.body)) {
        return std::make_shared<ShapeCharacter>(*shape, ShapeBitmaps::collect(shape->shape, dictionary));
    }
    if (const auto* jpeg = std::get_if<DefineBitsJpegTag>(&tag.body)) {
        return std::make_shared<BitmapCharacter>(*jpeg, jpeg->version == 1 ? jpegTablesIn(tags) : nullptr);
    }
    if (const auto* lossless = std::get_if<DefineBitsLosslessTag>(&tag.body)) {
        return std::make_shared<BitmapCharacter>(*lossless);
    }
    if (const auto* morph = std::get_if<DefineMorphShapeTag>(&tag.body)) {
        if (!morph->morph) {
            return nullptr;
        }
        return std::make_shared<MorphShapeCharacter>(*morph,
                                                     ShapeBitmaps::collect(*morph->morph, dictionary));
    }
    return nullptr;
}

} // namespace kf::swf
