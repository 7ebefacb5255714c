#pragma once

#include "swf/format/Color.h"
#include "swf/format/Geometry.h"
#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/EditTextCharacter.h"
#include "swf/runtime/FontCharacter.h"
#include "swf/runtime/TextSpan.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kf::swf {

// How a field's box follows its text: not at all, or growing to fit it while keeping its
// left edge, its centre or its right edge where they are.
enum class TextAutoSize : std::uint8_t { None, Left, Center, Right };

// What a text field shows and how: set from its DefineEditText, then by scripts.
struct EditTextSettings {
    Rect bounds; // twips, in the field's own space
    bool wordWrap = false;
    bool multiline = false;
    bool password = false;
    bool html = false;
    bool border = false;
    bool background = false;
    TextAutoSize autoSize = TextAutoSize::None;
    bool readOnly = true;
    bool selectable = true;
    Rgba borderColor{0, 0, 0, 255};
    Rgba backgroundColor{255, 255, 255, 255};
    // The font the definition names, when it has glyphs; the text is drawn with them
    // while embedFonts is on.
    std::shared_ptr<const FontCharacter> embeddedFont;
    bool embedFonts = false;
    const FontCharacter* drawingFont() const { return embedFonts ? embeddedFont.get() : nullptr; }
    TextFormat format; // the field's own format: what plain text is set in
    std::string variableName;
};

// An instance of a DefineEditText, or a field a script created. It keeps its text as
// formatted spans; a script's `text` or `htmlText` replaces them.
class EditTextObject : public DisplayObject {
public:
    EditTextObject(DisplayDepth depth, std::shared_ptr<const EditTextCharacter> character);
    // A field made by a script: no character, empty text, a device font.
    EditTextObject(DisplayDepth depth, const Rect& bounds);

    DisplayObjectKind kind() const override { return DisplayObjectKind::EditText; }
    const EditTextObject* asEditText() const override { return this; }
    EditTextObject* asEditText() override { return this; }

    const EditTextSettings& settings() const { return m_settings; }
    EditTextSettings& settings() { return m_settings; }

    const std::vector<TextSpan>& spans() const { return m_spans; }
    // The characters shown, paragraphs ending in U+000D as scripts see them.
    std::u32string text() const;
    // Replaces the text: as markup when `asHtml` (and the field is an HTML one), else as is.
    void setText(std::u32string_view text, bool asHtml);
    void setText(std::u32string_view text) { setText(text, false); }
    // Every character and the field's own format take `color` (TextField.textColor).
    void setColor(Rgba color);
    // Characters [begin, end) take what `change` does to their format; spans split at the
    // range's ends. Indexes past the text are clamped.
    void changeFormat(std::size_t begin, std::size_t end, const std::function<void(TextFormat&)>& change);
    // The formats of the spans that hold characters of [begin, end), in order.
    std::vector<const TextFormat*> formatsIn(std::size_t begin, std::size_t end) const;

    // The text the field's definition starts it with (empty for a field a script made), as
    // a variable the field is bound to anew starts from it.
    const std::u32string& initialText() const { return m_initialText; }
    // The spans back as the HTML subset.
    std::u32string htmlText() const;

    // Counts changes to what is drawn, so a renderer can keep its layout until it moves.
    std::uint64_t revision() const { return m_revision; }
    void touch() { ++m_revision; }

    // Owned and interpreted by the render library only (the laid-out text).
    mutable std::shared_ptr<void> renderCache;

private:
    EditTextSettings m_settings;
    std::vector<TextSpan> m_spans;
    std::u32string m_initialText;
    std::uint64_t m_revision = 1;
};

} // namespace kf::swf
