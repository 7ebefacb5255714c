#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/Character.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace kf::swf {

// Every character a movie defines, by id. Definitions are gathered up front: a player that
// has the whole file treats every frame as loaded, so a character defined on frame 5 may be
// placed by a script on frame 1.
class CharacterDictionary {
public:
    // `tags` must outlive the dictionary. The first definition of an id wins; Flash Player
    // ignores a later tag that reuses it.
    void addDefinitions(const std::vector<Tag>& tags);

    const Character* find(CharacterId id) const;
    std::shared_ptr<const Character> findShared(CharacterId id) const;
    std::size_t size() const { return m_characters.size(); }

private:
    void add(std::shared_ptr<const Character> character);

    std::unordered_map<std::uint16_t, std::shared_ptr<const Character>> m_characters;
};

} // namespace kf::swf
