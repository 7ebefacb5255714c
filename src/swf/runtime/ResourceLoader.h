#pragma once

#include "common/Result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kf::swf {

// Where loadMovie and loadVariables get their bytes. The player asks once per frame until
// an answer comes, so a host may fetch in the background and answer later.
class ResourceLoader {
public:
    using Bytes = std::vector<std::uint8_t>;
    virtual ~ResourceLoader() = default;
    // The resource at the absolute `url`: nullopt while it is still on its way, else its
    // bytes or why there are none. Anything longer than `maxBytes` is an error, refused
    // before it is read.
    virtual std::optional<Result<Bytes>> fetch(const std::string& url, std::size_t maxBytes) = 0;
};

} // namespace kf::swf
