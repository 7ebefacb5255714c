#pragma once

#include "swf/format/Action.h"
#include "swf/format/BitmapTags.h"
#include "swf/format/Boxed.h"
#include "swf/format/ButtonTags.h"
#include "swf/format/Color.h"
#include "swf/format/Filters.h"
#include "swf/format/Geometry.h"
#include "swf/format/MorphShapeTags.h"
#include "swf/format/ShapeRecords.h"
#include "swf/format/TagCode.h"
#include "swf/format/TextTags.h"
#include "swf/format/Units.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kf::swf {

struct Tag;

struct EndTag {
    bool operator==(const EndTag&) const = default;
};

struct ShowFrameTag {
    bool operator==(const ShowFrameTag&) const = default;
};

// DefineShape, DefineShape2, DefineShape3 (RGBA colours) and DefineShape4 (LINESTYLE2, edge bounds).
struct DefineShapeTag {
    CharacterId id;
    std::uint8_t version = 1; // 1 to 4
    Rect bounds;
    Rect edgeBounds;                  // version 4; otherwise equal to bounds
    bool usesFillWindingRule = false; // version 4: non-zero winding instead of even-odd
    bool usesNonScalingStrokes = false;
    bool usesScalingStrokes = false;
    Shape shape;
    bool operator==(const DefineShapeTag&) const = default;
};

// Our own bit layout for clip events; the reader maps the file's SWF 5 and SWF 6+ layouts onto it.
enum class ClipEvent : std::uint32_t {
    Load = 1u << 0,
    EnterFrame = 1u << 1,
    Unload = 1u << 2,
    MouseMove = 1u << 3,
    MouseDown = 1u << 4,
    MouseUp = 1u << 5,
    KeyDown = 1u << 6,
    KeyUp = 1u << 7,
    Data = 1u << 8,
    Initialize = 1u << 9,
    Press = 1u << 10,
    Release = 1u << 11,
    ReleaseOutside = 1u << 12,
    RollOver = 1u << 13,
    RollOut = 1u << 14,
    DragOver = 1u << 15,
    DragOut = 1u << 16,
    KeyPress = 1u << 17,
    Construct = 1u << 18,
};

constexpr bool hasClipEvent(std::uint32_t events, ClipEvent event) {
    return (events & static_cast<std::uint32_t>(event)) != 0;
}

struct ClipActionRecord {
    std::uint32_t events = 0; // ClipEvent bits
    std::uint8_t keyCode = 0; // with ClipEvent::KeyPress
    ActionBlock actions;
    bool operator==(const ClipActionRecord&) const = default;
};

// The PlaceObject2/3 members few placements carry. They live outside PlaceObjectTag so the
// common place or move stays small: a movie holds one tag per placement of every frame.
struct PlaceObjectExtras {
    std::optional<std::string> className; // PlaceObject3
    std::optional<std::vector<Filter>> filters;
    std::optional<BlendMode> blendMode;
    std::optional<bool> cacheAsBitmap;
    std::optional<bool> visible;
    std::optional<Rgba> backgroundColor;
    std::vector<ClipActionRecord> clipActions;
    bool operator==(const PlaceObjectExtras&) const = default;
};

// PlaceObject, PlaceObject2 and PlaceObject3. Absent members are "not changed" for a move.
struct PlaceObjectTag {
    std::uint8_t version = 1; // 1 to 3
    bool isMove = false;      // PlaceObject2/3 move flag: modify (or replace) what is at `depth`
    Depth depth;
    std::optional<CharacterId> characterId;
    std::optional<Matrix> matrix;
    std::optional<ColorTransform> colorTransform;
    std::optional<std::uint16_t> ratio;
    std::optional<Depth> clipDepth;
    Boxed<std::string> name;         // boxed: a string would make every tag of the movie 32 bytes larger
    Boxed<PlaceObjectExtras> extras; // absent when the tag has none of them
    bool operator==(const PlaceObjectTag&) const = default;
};

// RemoveObject (with character id) and RemoveObject2 (depth only).
struct RemoveObjectTag {
    std::optional<CharacterId> characterId;
    Depth depth;
    bool operator==(const RemoveObjectTag&) const = default;
};

// DefineSprite: its own control tags, ending before its End tag.
struct DefineSpriteTag {
    CharacterId id;
    std::uint16_t frameCount = 0;
    std::vector<Tag> tags;
    bool operator==(const DefineSpriteTag&) const;
};

struct FrameLabelTag {
    std::string name;
    bool namedAnchor = false;
    bool operator==(const FrameLabelTag&) const = default;
};

struct SetBackgroundColorTag {
    Rgba color;
    bool operator==(const SetBackgroundColorTag&) const = default;
};

struct FileAttributesTag {
    bool useDirectBlit = false;
    bool useGpu = false;
    bool hasMetadata = false;
    bool actionScript3 = false;
    bool useNetwork = false;
    bool operator==(const FileAttributesTag&) const = default;
};

struct MetadataTag {
    std::string xml;
    bool operator==(const MetadataTag&) const = default;
};

struct SceneEntry {
    std::uint32_t frameOffset = 0;
    std::string name;
    bool operator==(const SceneEntry&) const = default;
};
struct FrameLabelEntry {
    std::uint32_t frameNumber = 0;
    std::string label;
    bool operator==(const FrameLabelEntry&) const = default;
};
struct DefineSceneAndFrameLabelDataTag {
    std::vector<SceneEntry> scenes;
    std::vector<FrameLabelEntry> labels;
    bool operator==(const DefineSceneAndFrameLabelDataTag&) const = default;
};

struct DoActionTag {
    ActionBlock actions;
    bool operator==(const DoActionTag&) const = default;
};

struct DoInitActionTag {
    CharacterId spriteId;
    ActionBlock actions;
    bool operator==(const DoInitActionTag&) const = default;
};

// DefineSound: an event sound, its samples kept encoded as the file has them.
struct DefineSoundTag {
    CharacterId id;
    std::uint8_t format = 0;    // 0 raw, 1 ADPCM, 2 MP3, 3 raw little-endian, 4-6 Nellymoser, 11 Speex
    std::uint8_t rateIndex = 0; // 5.5, 11, 22 or 44 kHz
    bool sixteenBit = false;
    bool stereo = false;
    std::uint32_t sampleCount = 0;
    std::vector<std::uint8_t> data;
    bool operator==(const DefineSoundTag&) const = default;

    double sampleRate() const {
        constexpr double rates[] = {5512.5, 11025.0, 22050.0, 44100.0};
        return rates[rateIndex & 3];
    }
};

// A tag this reader does not parse (yet): its body, untouched.
struct UnknownTag {
    std::vector<std::uint8_t> body;
    bool operator==(const UnknownTag&) const = default;
};

using TagBody =
    std::variant<UnknownTag, EndTag, ShowFrameTag, DefineShapeTag, PlaceObjectTag, RemoveObjectTag,
                 DefineSpriteTag, FrameLabelTag, SetBackgroundColorTag, FileAttributesTag, MetadataTag,
                 DefineSceneAndFrameLabelDataTag, DoActionTag, DoInitActionTag, DefineFontTag, DefineFontInfoTag,
                 DefineFontAlignZonesTag, DefineFontNameTag, DefineTextTag, DefineEditTextTag, DefineButtonTag,
                 DefineButtonCxformTag, DefineButtonSoundTag, JpegTablesTag, DefineBitsJpegTag,
                 DefineBitsLosslessTag, DefineMorphShapeTag, DefineSoundTag>;

struct Tag {
    TagCode code = TagCode::End;
    std::uint32_t offset = 0; // of the tag header, in the uncompressed file
    TagBody body;
    bool operator==(const Tag&) const = default;
};

inline bool DefineSpriteTag::operator==(const DefineSpriteTag& other) const {
    return id == other.id && frameCount == other.frameCount && tags == other.tags;
}

} // namespace kf::swf
