// The display-list half of SwfWriter: filters, clip actions and the PlaceObject family.
#include "swf/writer/SwfWriter.h"

namespace kf::swf {

namespace {

template <typename... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

void SwfWriter::writeFilter(const Filter& filter) {
    m_out.writeU8(static_cast<std::uint8_t>(filter.index()));
    auto writeFixed16 = [this](Fixed16 value) { m_out.writeU32(static_cast<std::uint32_t>(value.raw)); };
    auto writeGradientFilter = [&](const GradientGlowFilter& gradient) {
        m_out.writeU8(static_cast<std::uint8_t>(gradient.stops.size()));
        for (const GradientFilterStop& stop : gradient.stops) {
            writeRgba(stop.color);
        }
        for (const GradientFilterStop& stop : gradient.stops) {
            m_out.writeU8(stop.ratio);
        }
        writeFixed16(gradient.blurX);
        writeFixed16(gradient.blurY);
        writeFixed16(gradient.angle);
        writeFixed16(gradient.distance);
        m_out.writeS16(gradient.strength.raw);
        m_out.writeFlag(gradient.innerShadow);
        m_out.writeFlag(gradient.knockout);
        m_out.writeFlag(gradient.compositeSource);
        m_out.writeFlag(gradient.onTop);
        m_out.writeUnsignedBits(gradient.passes, 4);
    };
    std::visit(Overloaded{
                   [&](const DropShadowFilter& shadow) {
                       writeRgba(shadow.color);
                       writeFixed16(shadow.blurX);
                       writeFixed16(shadow.blurY);
                       writeFixed16(shadow.angle);
                       writeFixed16(shadow.distance);
                       m_out.writeS16(shadow.strength.raw);
                       m_out.writeFlag(shadow.innerShadow);
                       m_out.writeFlag(shadow.knockout);
                       m_out.writeFlag(shadow.compositeSource);
                       m_out.writeUnsignedBits(shadow.passes, 5);
                   },
                   [&](const BlurFilter& blur) {
                       writeFixed16(blur.blurX);
                       writeFixed16(blur.blurY);
                       m_out.writeUnsignedBits(blur.passes, 5);
                       m_out.writeUnsignedBits(0, 3);
                   },
                   [&](const GlowFilter& glow) {
                       writeRgba(glow.color);
                       writeFixed16(glow.blurX);
                       writeFixed16(glow.blurY);
                       m_out.writeS16(glow.strength.raw);
                       m_out.writeFlag(glow.innerGlow);
                       m_out.writeFlag(glow.knockout);
                       m_out.writeFlag(glow.compositeSource);
                       m_out.writeUnsignedBits(glow.passes, 5);
                   },
                   [&](const BevelFilter& bevel) {
                       writeRgba(bevel.shadowColor);
                       writeRgba(bevel.highlightColor);
                       writeFixed16(bevel.blurX);
                       writeFixed16(bevel.blurY);
                       writeFixed16(bevel.angle);
                       writeFixed16(bevel.distance);
                       m_out.writeS16(bevel.strength.raw);
                       m_out.writeFlag(bevel.innerShadow);
                       m_out.writeFlag(bevel.knockout);
                       m_out.writeFlag(bevel.compositeSource);
                       m_out.writeFlag(bevel.onTop);
                       m_out.writeUnsignedBits(bevel.passes, 4);
                   },
                   [&](const GradientGlowFilter& glow) { writeGradientFilter(glow); },
                   [&](const ConvolutionFilter& convolution) {
                       m_out.writeU8(convolution.matrixX);
                       m_out.writeU8(convolution.matrixY);
                       m_out.writeFloat(convolution.divisor);
                       m_out.writeFloat(convolution.bias);
                       for (float value : convolution.matrix) {
                           m_out.writeFloat(value);
                       }
                       writeRgba(convolution.defaultColor);
                       m_out.writeUnsignedBits(0, 6);
                       m_out.writeFlag(convolution.clamp);
                       m_out.writeFlag(convolution.preserveAlpha);
                   },
                   [&](const ColorMatrixFilter& colorMatrix) {
                       for (float value : colorMatrix.matrix) {
                           m_out.writeFloat(value);
                       }
                   },
                   [&](const GradientBevelFilter& bevel) { writeGradientFilter(bevel); },
               },
               filter);
    m_out.alignToByte();
}

void SwfWriter::writeFilterList(const std::vector<Filter>& filters) {
    m_out.writeU8(static_cast<std::uint8_t>(filters.size()));
    for (const Filter& filter : filters) {
        writeFilter(filter);
    }
}

void SwfWriter::writeClipEventFlags(std::uint32_t events) {
    // Our ClipEvent bits are the file's SWF 6 layout read as a little-endian integer; SWF 5
    // stores only the first two bytes.
    if (m_swfVersion >= 6) {
        m_out.writeU32(events);
    } else {
        m_out.writeU16(static_cast<std::uint16_t>(events));
    }
}

void SwfWriter::writeClipActions(const std::vector<ClipActionRecord>& records) {
    std::uint32_t allEvents = 0;
    for (const ClipActionRecord& record : records) {
        allEvents |= record.events;
    }
    m_out.writeU16(0);
    writeClipEventFlags(allEvents);
    for (const ClipActionRecord& record : records) {
        writeClipEventFlags(record.events);
        SwfWriter actions(m_swfVersion);
        actions.writeActionBlock(record.actions);
        const bool hasKeyCode = hasClipEvent(record.events, ClipEvent::KeyPress);
        m_out.writeU32(static_cast<std::uint32_t>(actions.bytes().size() + (hasKeyCode ? 1 : 0)));
        if (hasKeyCode) {
            m_out.writeU8(record.keyCode);
        }
        m_out.writeBytes(actions.bytes());
    }
    writeClipEventFlags(0);
}

void SwfWriter::writePlaceObject(const PlaceObjectTag& tag) {
    if (tag.version <= 1) {
        m_out.writeU16(tag.characterId.value_or(CharacterId{}).value);
        m_out.writeU16(tag.depth.value);
        writeMatrix(tag.matrix.value_or(Matrix{}));
        if (tag.colorTransform) {
            writeColorTransform(*tag.colorTransform);
        }
        return;
    }
    const PlaceObjectExtras noExtras;
    const PlaceObjectExtras& extras = tag.extras ? *tag.extras : noExtras;
    const bool hasClassName = tag.version >= 3 && extras.className.has_value();
    m_out.writeFlag(!extras.clipActions.empty());
    m_out.writeFlag(tag.clipDepth.has_value());
    m_out.writeFlag(tag.name.hasValue());
    m_out.writeFlag(tag.ratio.has_value());
    m_out.writeFlag(tag.colorTransform.has_value());
    m_out.writeFlag(tag.matrix.has_value());
    m_out.writeFlag(tag.characterId.has_value());
    m_out.writeFlag(tag.isMove);
    if (tag.version >= 3) {
        m_out.writeFlag(false); // reserved
        m_out.writeFlag(extras.backgroundColor.has_value());
        m_out.writeFlag(extras.visible.has_value());
        m_out.writeFlag(false); // HasImage
        m_out.writeFlag(hasClassName);
        m_out.writeFlag(extras.cacheAsBitmap.has_value());
        m_out.writeFlag(extras.blendMode.has_value());
        m_out.writeFlag(extras.filters.has_value());
    }
    m_out.writeU16(tag.depth.value);
    if (hasClassName) {
        m_out.writeString(*extras.className);
    }
    if (tag.characterId) {
        m_out.writeU16(tag.characterId->value);
    }
    if (tag.matrix) {
        writeMatrix(*tag.matrix);
    }
    if (tag.colorTransform) {
        writeColorTransformWithAlpha(*tag.colorTransform);
    }
    if (tag.ratio) {
        m_out.writeU16(*tag.ratio);
    }
    if (tag.name) {
        m_out.writeString(*tag.name);
    }
    if (tag.clipDepth) {
        m_out.writeU16(tag.clipDepth->value);
    }
    if (tag.version >= 3) {
        if (extras.filters) {
            writeFilterList(*extras.filters);
        }
        if (extras.blendMode) {
            m_out.writeU8(static_cast<std::uint8_t>(*extras.blendMode));
        }
        if (extras.cacheAsBitmap) {
            m_out.writeU8(*extras.cacheAsBitmap ? 1 : 0);
        }
        if (extras.visible) {
            m_out.writeU8(*extras.visible ? 1 : 0);
        }
        if (extras.backgroundColor) {
            writeRgba(*extras.backgroundColor);
        }
    }
    if (!extras.clipActions.empty()) {
        writeClipActions(extras.clipActions);
    }
}

void SwfWriter::writeRemoveObject(const RemoveObjectTag& tag) {
    if (tag.characterId) {
        m_out.writeU16(tag.characterId->value);
    }
    m_out.writeU16(tag.depth.value);
}

} // namespace kf::swf
