#pragma once

#include "swf/runtime/ButtonCharacter.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/DisplayObject.h"

#include <map>
#include <memory>

namespace kf::swf {

class PlayerContext;

// An instance of a button character. It shows the records of its current state (up until
// the mouse says otherwise) as its children, and keeps the records of its hit state in a
// list of their own that is tested against the mouse but never drawn.
class ButtonObject : public DisplayObject {
public:
    enum class State : std::uint8_t { Up, Over, Down };

    ButtonObject(DisplayDepth depth, std::shared_ptr<const ButtonCharacter> character, PlayerContext& context)
        : DisplayObject(depth, character->id()), m_character(std::move(character)), m_context(context) {}

    DisplayObjectKind kind() const override { return DisplayObjectKind::Button; }
    const DisplayList* children() const override { return &m_shown; }
    ButtonObject* asButton() override { return this; }
    const ButtonObject* asButton() const override { return this; }
    void markRemoved() override;

    const ButtonCharacter& character() const { return *m_character; }
    bool trackAsMenu() const { return m_character->trackAsMenu(); }

    // Builds the up state and the hit area; the object must be in its parent's list already.
    void construct();
    State state() const { return m_state; }
    // Shows the records of `state`. A record shown in both states keeps its instance, so a
    // sprite in the up and over states does not restart when the mouse rolls over.
    void setState(State state);

    DisplayList& shownChildren() { return m_shown; }
    const DisplayList& hitArea() const { return m_hitArea; }

    // Script-visible switches: a disabled button takes no mouse events and stays in its
    // current state; useHandCursor only changes the pointer the host shows.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool usesHandCursor() const { return m_useHandCursor; }
    void setUseHandCursor(bool use) { m_useHandCursor = use; }

private:
    std::unique_ptr<DisplayObject> instantiateRecord(const ButtonRecord& record);

    std::shared_ptr<const ButtonCharacter> m_character;
    PlayerContext& m_context;
    DisplayList m_shown;
    DisplayList m_hitArea;
    // Which record each shown depth came from.
    std::map<DisplayDepth, const ButtonRecord*> m_shownRecords;
    State m_state = State::Up;
    bool m_constructed = false;
    bool m_enabled = true;
    bool m_useHandCursor = true;
};

} // namespace kf::swf
