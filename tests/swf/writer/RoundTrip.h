#pragma once

#include "swf/format/SwfReader.h"
#include "swf/writer/SwfWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace kf::swf::test {

using Bytes = std::vector<std::uint8_t>;

// Writes `value` with `write`, compares with `expected` when given, reads the bytes back
// with `read` and checks the reader took every byte and returned `value` unchanged.
template <typename T, typename Write, typename Read>
void expectRoundTrip(const T& value, std::optional<Bytes> expected, Write write, Read read,
                     std::uint8_t swfVersion = 10) {
    SwfWriter writer(swfVersion);
    write(writer, value);
    const Bytes bytes = writer.takeBytes();
    if (expected) {
        EXPECT_EQ(bytes, *expected);
    }
    SwfReader reader(bytes, swfVersion);
    const T back = read(reader);
    EXPECT_FALSE(reader.failed()) << reader.errorMessage();
    EXPECT_TRUE(reader.bits().atEnd()) << "read " << reader.bits().position() << " of " << bytes.size();
    EXPECT_EQ(back, value);
}

// A whole tag, its code taken from the body.
inline Tag wholeTag(TagBody body) {
    return Tag{SwfWriter::codeFor(body), 0, std::move(body)};
}

// expectRoundTrip for whole tags, header included, through writeTag and readTag.
inline void expectTagRoundTrip(const Tag& tag, std::optional<Bytes> expected = std::nullopt) {
    expectRoundTrip(
        tag, std::move(expected), [](SwfWriter& writer, const Tag& value) { writer.writeTag(value); },
        [](SwfReader& reader) { return reader.readTag().value_or(Tag{}); });
}

} // namespace kf::swf::test
