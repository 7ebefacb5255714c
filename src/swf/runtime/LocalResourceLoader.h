#pragma once

#include "swf/runtime/NullResourceLoader.h"

namespace kf::swf {

// Reads local paths and file: URLs itself and hands every other address to `remote`,
// which a host with network access provides; without one such requests fail.
class LocalResourceLoader : public ResourceLoader {
public:
    explicit LocalResourceLoader(ResourceLoader* remote = nullptr) { setRemote(remote); }
    void setRemote(ResourceLoader* remote) { m_remote = remote ? remote : &m_noRemote; }

    std::optional<Result<Bytes>> fetch(const std::string& url, std::size_t maxBytes) override;

private:
    NullResourceLoader m_noRemote;
    ResourceLoader* m_remote = &m_noRemote;
};

} // namespace kf::swf
