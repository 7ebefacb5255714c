#pragma once

#include "swf/runtime/ResourceLoader.h"

namespace kf::swf {

// For players without network access: every request fails at once.
class NullResourceLoader : public ResourceLoader {
public:
    std::optional<Result<Bytes>> fetch(const std::string& url, std::size_t) override {
        return Result<Bytes>::failure(url + ": no loader for this address");
    }
};

} // namespace kf::swf
