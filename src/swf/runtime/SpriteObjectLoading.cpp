#include "swf/runtime/LoadedMovie.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

#include <vector>

namespace kf::swf {

const CharacterDictionary& SpriteObject::dictionary() const {
    return m_movie ? m_movie->dictionary() : m_context.dictionary();
}

void SpriteObject::replaceContent(std::shared_ptr<const LoadedMovie> movie) {
    static const TimelineDefinition emptyTimeline = TimelineDefinition::empty();
    // The old content leaves as scripts remove clips, unload handlers and all.
    std::vector<DisplayDepth> depths;
    for (const auto& [depth, child] : m_displayList.objects()) {
        depths.push_back(depth);
    }
    for (DisplayDepth depth : depths) {
        removeChild(depth);
    }
    m_drawing.clear();
    m_timeline = movie ? &movie->timeline() : &emptyTimeline;
    m_movie = std::move(movie);
    m_character.reset();
    m_currentFrame = -1;
    m_playing = true;
    // The loaded movie starts with none of the old clip's variables or handlers.
    setScriptObject(nullptr);
    construct();
}

} // namespace kf::swf
