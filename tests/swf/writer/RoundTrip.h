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

} // namespace kf::swf::test
