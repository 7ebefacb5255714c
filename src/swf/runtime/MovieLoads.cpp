#include "swf/runtime/MovieLoads.h"

#include "swf/runtime/LoadedMovie.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/UrlResolution.h"

#include <algorithm>
#include <cctype>

namespace kf::swf {

std::uint64_t MovieLoads::request(LoadRequest request) {
    request.ticket = m_nextTicket++;
    const auto sameTarget = [&](const LoadRequest& queued) { return queued.target == request.target; };
    // Only requests not yet due may be dropped: the due ones keep their count.
    const auto notDue = m_requests.begin() + static_cast<std::ptrdiff_t>(m_dueCount);
    m_requests.erase(std::remove_if(notDue, m_requests.end(), sameTarget), m_requests.end());
    m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(), sameTarget), m_waiting.end());
    m_requests.push_back(std::move(request));
    return m_requests.back().ticket;
}

std::vector<LoadRequest> MovieLoads::takeDue() {
    std::vector<LoadRequest> due = std::move(m_waiting);
    m_waiting.clear();
    const std::size_t count = std::min(m_dueCount, m_requests.size());
    for (std::size_t index = 0; index < count; ++index) {
        due.push_back(std::move(m_requests.front()));
        m_requests.pop_front();
    }
    m_dueCount = 0;
    return due;
}

void MovieLoads::clear() {
    m_requests.clear();
    m_waiting.clear();
    m_dueCount = 0;
}

std::uint64_t requestLoad(PlayerContext& player, const SpriteObject& from, LoadKind kind,
                          std::string_view url, LoadTarget target) {
    MovieLoads* loads = player.movieLoads();
    if (!loads) {
        return 0;
    }
    LoadRequest request;
    request.kind = kind == LoadKind::Movie && url.empty() ? LoadKind::Unload : kind;
    if (request.kind != LoadKind::Unload) {
        request.url = resolveUrl(movieUrlOf(from), url);
    }
    request.target = std::move(target);
    return loads->request(std::move(request));
}

bool requestLevelLoad(PlayerContext& player, const SpriteObject& from, std::string_view url,
                      std::string_view window) {
    const std::optional<int> level = levelNumber(window);
    if (!level) {
        return false;
    }
    requestLoad(player, from, LoadKind::Movie, url, LoadTarget{*level, {}});
    return true;
}

std::optional<int> levelNumber(std::string_view name) {
    constexpr std::string_view prefix = "_level";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 9) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < prefix.size(); ++index) {
        if (std::tolower(static_cast<unsigned char>(name[index])) != prefix[index]) {
            return std::nullopt;
        }
    }
    int number = 0;
    for (const char digit : name.substr(prefix.size())) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        number = number * 10 + (digit - '0');
    }
    return number;
}

LoadTarget loadTargetOf(const SpriteObject& clip) {
    LoadTarget target;
    const DisplayObject* step = &clip;
    for (; step->parent(); step = step->parent()) {
        target.names.push_back(step->name());
    }
    std::reverse(target.names.begin(), target.names.end());
    target.level = step->depth().value;
    return target;
}

std::string movieUrlOf(const SpriteObject& clip) {
    for (const SpriteObject* step = &clip; step; step = step->parent()) {
        if (step->movie()) {
            return step->movie()->url();
        }
    }
    return {};
}

std::vector<std::pair<std::string, std::string>> parseUrlVariables(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('&', start), text.size());
        const std::string_view pair = text.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        std::string name = percentDecoded(pair.substr(0, equals), true);
        if (!name.empty()) {
            pairs.emplace_back(std::move(name), equals == std::string_view::npos
                                                    ? std::string()
                                                    : percentDecoded(pair.substr(equals + 1), true));
        }
        start = end + 1;
    }
    return pairs;
}

} // namespace kf::swf
