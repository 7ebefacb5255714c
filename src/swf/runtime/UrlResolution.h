#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kf::swf {

// `reference` as a movie at `base` means it: addresses with a scheme and absolute paths
// stand alone, anything else is relative to the folder of `base`, with "." and ".."
// steps folded. Query and fragment of `base` play no part.
std::string resolveUrl(std::string_view base, std::string_view reference);

// The file system path a file: URL (percent-decoded) or a plain path names; nullopt for
// every other scheme.
std::optional<std::string> localPathOf(std::string_view url);

// "%41" as "A"; a '%' not followed by two hex digits stays as it is. Form data (url-encoded
// variables) also writes a space as '+'.
std::string percentDecoded(std::string_view text, bool plusIsSpace);

} // namespace kf::swf
