#include "swf/runtime/LocalResourceLoader.h"

#include "swf/runtime/UrlResolution.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace kf::swf {

std::optional<Result<ResourceLoader::Bytes>> LocalResourceLoader::fetch(const std::string& url,
                                                                        std::size_t maxBytes) {
    const std::optional<std::string> path = localPathOf(url);
    if (!path) {
        return m_remote->fetch(url, maxBytes);
    }
    using Failure = Result<Bytes>;
    std::error_code error;
    const std::filesystem::path file(*path);
    if (!std::filesystem::is_regular_file(file, error)) {
        return Failure::failure(*path + ": no such file");
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        return Failure::failure(*path + ": " + error.message());
    }
    if (size > maxBytes) {
        return Failure::failure(*path + ": " + std::to_string(size) + " bytes, more than the " +
                                std::to_string(maxBytes) + " a load may read");
    }
    std::ifstream stream(file, std::ios::binary);
    Bytes bytes(static_cast<std::size_t>(size));
    if (!stream || !stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        return Failure::failure(*path + ": cannot read");
    }
    return Result<Bytes>(std::move(bytes));
}

} // namespace kf::swf
