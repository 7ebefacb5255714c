#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kf::swf {

class PlayerContext;
class SpriteObject;

// Where a load lands: a level, or the clip at a chain of instance names below a level's
// root. The chain is looked up when the load completes, as the clip may have gone by then.
struct LoadTarget {
    int level = 0;
    std::vector<std::string> names;
    bool isLevel() const { return names.empty(); }
    bool operator==(const LoadTarget&) const = default;
};

enum class LoadKind : std::uint8_t { Movie, Variables, Unload };

struct LoadRequest {
    LoadKind kind = LoadKind::Movie;
    // Absolute: resolved against the requesting movie's URL when queued. Unused by Unload.
    std::string url;
    LoadTarget target;
    // Identifies the request to the script engine's load callbacks.
    std::uint64_t ticket = 0;
};

// Loads that scripts asked for. Flash Player loads asynchronously: a request made during
// one frame is carried out at the end of the next, when the new movie shows its first
// frame, so a script never sees the movie it asked for in the same frame.
class MovieLoads {
public:
    // Returns the request's ticket. A later request for the same target replaces an earlier
    // one still waiting, as the last loadMovie into a clip wins.
    std::uint64_t request(LoadRequest request);
    // At the start of a frame: what was asked for so far becomes due at its end.
    void startFrame() { m_dueCount = m_requests.size(); }
    // Takes the requests that are due, oldest first.
    std::vector<LoadRequest> takeDue();
    // A request whose resource has not come yet waits for the next frame's end.
    void putBack(LoadRequest request) { m_waiting.push_back(std::move(request)); }
    bool isEmpty() const { return m_requests.empty() && m_waiting.empty(); }
    void clear();

private:
    std::deque<LoadRequest> m_requests;
    std::vector<LoadRequest> m_waiting;
    std::size_t m_dueCount = 0;
    std::uint64_t m_nextTicket = 1;
};

// Queues a load for `target` with `url` resolved against the movie `from` belongs to; an
// empty url for a movie unloads the target. Returns the ticket, 0 when the player takes no
// loads.
std::uint64_t requestLoad(PlayerContext& player, const SpriteObject& from, LoadKind kind,
                          std::string_view url, LoadTarget target);

// getURL into a window named "_levelN" loads the movie into that level (an empty url
// unloads it). False, and nothing queued, for every other window.
bool requestLevelLoad(PlayerContext& player, const SpriteObject& from, std::string_view url,
                      std::string_view window);

// "_level3" -> 3; nullopt for anything else ("_level", "_level-1", "_levelx").
std::optional<int> levelNumber(std::string_view name);

// The target that names `clip`: its level and the instance names from that level's root.
LoadTarget loadTargetOf(const SpriteObject& clip);

// The URL of the movie `clip`'s timeline comes from; empty when it has none.
std::string movieUrlOf(const SpriteObject& clip);

// "a=1&b=two+words&c=%26": name-value pairs in order, percent-decoded with '+' as a
// space. Pairs without a name are dropped; a name without '=' has an empty value.
std::vector<std::pair<std::string, std::string>> parseUrlVariables(std::string_view text);

} // namespace kf::swf
