#include "swf/runtime/UrlResolution.h"

#include <cctype>
#include <vector>

namespace kf::swf {

namespace {

// "http:", "file:"... A single letter before the colon is a drive ("C:\movies"), not a scheme.
std::size_t schemeLength(std::string_view url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon < 2) {
        return 0;
    }
    for (std::size_t index = 0; index < colon; ++index) {
        const auto c = static_cast<unsigned char>(url[index]);
        const bool allowed =
            std::isalpha(c) || (index > 0 && (std::isdigit(c) || c == '+' || c == '-' || c == '.'));
        if (!allowed) {
            return 0;
        }
    }
    return colon + 1;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t index = 0; index < prefix.size(); ++index) {
        if (std::tolower(static_cast<unsigned char>(text[index])) != prefix[index]) {
            return false;
        }
    }
    return true;
}

// Drops "." steps and lets ".." take the step before it away, never above the top.
std::string foldDotSteps(std::string_view path) {
    std::vector<std::string_view> steps;
    const bool absolute = !path.empty() && path.front() == '/';
    std::size_t start = absolute ? 1 : 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string_view step = path.substr(start, slash - start);
        const bool last = slash == path.size();
        if (step == "..") {
            if (!steps.empty() && steps.back() != "..") {
                steps.pop_back();
            } else if (!absolute) {
                steps.push_back(step);
            }
            if (last) {
                steps.push_back({});
            }
        } else if (step == ".") {
            if (last) {
                steps.push_back({});
            }
        } else {
            steps.push_back(step);
        }
        start = slash + 1;
    }
    std::string folded = absolute ? "/" : "";
    for (std::size_t index = 0; index < steps.size(); ++index) {
        folded += steps[index];
        if (index + 1 < steps.size()) {
            folded += '/';
        }
    }
    return folded;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

} // namespace

std::string percentDecoded(std::string_view text, bool plusIsSpace) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (plusIsSpace && text[index] == '+') {
            decoded.push_back(' ');
        } else if (text[index] == '%' && index + 2 < text.size() && hexValue(text[index + 1]) >= 0 &&
                   hexValue(text[index + 2]) >= 0) {
            decoded.push_back(static_cast<char>(hexValue(text[index + 1]) * 16 + hexValue(text[index + 2])));
            index += 2;
        } else {
            decoded.push_back(text[index]);
        }
    }
    return decoded;
}

std::string resolveUrl(std::string_view base, std::string_view reference) {
    if (base.empty() || schemeLength(reference) > 0) {
        return std::string(reference);
    }
    base = base.substr(0, std::min(base.find('?'), base.find('#')));
    // The part of `base` that a path never replaces: "http://host" or "file://".
    std::size_t pathStart = schemeLength(base);
    if (base.substr(pathStart).starts_with("//")) {
        pathStart = std::min(base.find('/', pathStart + 2), base.size());
    }
    const std::string_view origin = base.substr(0, pathStart);
    const std::string_view basePath = base.substr(pathStart);
    if (reference.starts_with('/')) {
        return std::string(origin) + foldDotSteps(reference);
    }
    const std::size_t folderEnd = basePath.rfind('/');
    std::string_view folder =
        folderEnd == std::string_view::npos ? std::string_view() : basePath.substr(0, folderEnd + 1);
    if (folder.empty() && !origin.ends_with("//") && origin.find("//") != std::string_view::npos) {
        folder = "/"; // "http://host" has the empty path, which is "/"
    }
    return std::string(origin) + foldDotSteps(std::string(folder) + std::string(reference));
}

std::optional<std::string> localPathOf(std::string_view url) {
    const std::size_t scheme = schemeLength(url);
    if (scheme == 0) {
        return std::string(url);
    }
    if (!startsWithIgnoringCase(url, "file:")) {
        return std::nullopt;
    }
    std::string_view rest = url.substr(scheme);
    rest = rest.substr(0, std::min(rest.find('?'), rest.find('#')));
    if (rest.starts_with("//")) {
        // file://host/path: only the local host has files we can read.
        const std::size_t slash = std::min(rest.find('/', 2), rest.size());
        const std::string_view host = rest.substr(2, slash - 2);
        if (!host.empty() && host != "localhost") {
            return std::nullopt;
        }
        rest = rest.substr(slash);
    }
    return percentDecoded(rest, false);
}

} // namespace kf::swf
