#include "FeatureSurvey.h"

#include <algorithm>
#include <array>

namespace kf::swf {

namespace {

// Tags that change nothing a still image shows.
constexpr std::array invisibleTags{
    TagCode::Protect,          TagCode::EnableDebugger,   TagCode::EnableDebugger2,
    TagCode::DebugId,          TagCode::ProductInfo,      TagCode::ScriptLimits,
    TagCode::SetTabIndex,      TagCode::DefineSound,      TagCode::StartSound,
    TagCode::StartSound2,      TagCode::StopSound,        TagCode::SoundStreamHead,
    TagCode::SoundStreamHead2, TagCode::SoundStreamBlock, TagCode::DefineButtonSound,
    TagCode::ExportAssets,
};

constexpr std::array swf3Actions{
    ActionCode::End,    ActionCode::NextFrame,     ActionCode::PreviousFrame, ActionCode::Play,
    ActionCode::Stop,   ActionCode::ToggleQuality, ActionCode::StopSounds,    ActionCode::GotoFrame,
    ActionCode::GetUrl, ActionCode::WaitForFrame,  ActionCode::SetTarget,     ActionCode::GotoLabel,
};

bool needsInterpreter(const ActionBlock& block) {
    return std::any_of(block.actions.begin(), block.actions.end(), [](const Action& action) {
        return std::find(swf3Actions.begin(), swf3Actions.end(), action.code) == swf3Actions.end();
    });
}

void survey(const std::vector<Tag>& tags, std::set<std::string>& features) {
    for (const Tag& tag : tags) {
        if (std::holds_alternative<UnknownTag>(tag.body)) {
            if (std::find(invisibleTags.begin(), invisibleTags.end(), tag.code) == invisibleTags.end()) {
                const std::string_view name = tagName(tag.code);
                features.insert(name.empty() ? "tag " + std::to_string(static_cast<int>(tag.code))
                                             : std::string(name));
            }
        } else if (const auto* sprite = std::get_if<DefineSpriteTag>(&tag.body)) {
            survey(sprite->tags, features);
        } else if (const auto* doAction = std::get_if<DoActionTag>(&tag.body)) {
            if (needsInterpreter(doAction->actions)) {
                features.insert("ActionScript");
            }
        } else if (std::holds_alternative<DoInitActionTag>(tag.body)) {
            features.insert("ActionScript");
        } else if (const auto* place = std::get_if<PlaceObjectTag>(&tag.body)) {
            if (place->extras && !place->extras->clipActions.empty()) {
                features.insert("ActionScript");
            }
        } else if (const auto* attributes = std::get_if<FileAttributesTag>(&tag.body)) {
            if (attributes->actionScript3) {
                features.insert("ActionScript 3");
            }
        }
    }
}

} // namespace

std::set<std::string> unsupportedFeatures(const Movie& movie) {
    std::set<std::string> features;
    survey(movie.tags, features);
    return features;
}

} // namespace kf::swf
