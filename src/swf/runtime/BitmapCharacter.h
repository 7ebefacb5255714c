#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"

#include <memory>

namespace kf::swf {

// A bitmap in the dictionary, still encoded: the renderer decodes it when a fill first
// shows it and keeps the pixels on `renderCache`. The tags must outlive the character (they
// live in the movie the player owns).
class BitmapCharacter : public Character {
public:
    // DefineBits… `tables` is the movie's JPEGTables (DefineBits only), or null.
    BitmapCharacter(const DefineBitsJpegTag& jpeg, const JpegTablesTag* tables)
        : m_id(jpeg.id), m_jpeg(&jpeg), m_jpegTables(tables) {}
    explicit BitmapCharacter(const DefineBitsLosslessTag& lossless)
        : m_id(lossless.id), m_lossless(&lossless) {}

    CharacterKind kind() const override { return CharacterKind::Bitmap; }
    CharacterId id() const override { return m_id; }

    // Exactly one of these is set.
    const DefineBitsJpegTag* jpeg() const { return m_jpeg; }
    const DefineBitsLosslessTag* lossless() const { return m_lossless; }
    const JpegTablesTag* jpegTables() const { return m_jpegTables; }

    // Owned and interpreted by the render library only.
    mutable std::shared_ptr<void> renderCache;

private:
    CharacterId m_id;
    const DefineBitsJpegTag* m_jpeg = nullptr;
    const DefineBitsLosslessTag* m_lossless = nullptr;
    const JpegTablesTag* m_jpegTables = nullptr;
};

} // namespace kf::swf
