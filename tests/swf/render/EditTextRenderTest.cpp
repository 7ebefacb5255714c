#include "TextMovies.h"

#include "swf/runtime/DisplayList.h"
#include "swf/runtime/EditTextObject.h"

namespace kf::swf::test {
namespace {

constexpr Rgba stageColor{0, 0, 64, 255};

// A 100 x 60 px field at the stage's top left, 20 px text, no border.
DefineEditTextTag field(CharacterId id, std::optional<CharacterId> font, std::string text) {
    DefineEditTextTag tag;
    tag.id = id;
    tag.bounds = pixelRect(0, 0, 100, 60);
    tag.fontId = font;
    tag.fontHeight = 400;
    tag.color = red;
    tag.useOutlines = font.has_value();
    tag.readOnly = true;
    tag.initialText = std::move(text);
    return tag;
}

class EditTextRender : public TextMovie {
protected:
    // `tag` placed at depth 1 over a stage of stageColor, with the box font as id 100.
    void show(const DefineEditTextTag& tag, int fontVersion = 3, Matrix where = Matrix{}) {
        MovieBuilder movie(8, pixelRect(0, 0, 100, 100));
        movie.setBackgroundColor(stageColor);
        movie.addTag(boxFont(CharacterId{100}, fontVersion, u"a* "));
        DefineFontTag device;
        device.id = CharacterId{101};
        device.version = 2;
        device.name = "_sans";
        movie.addTag(device);
        movie.addTag(tag);
        movie.place(tag.id, Depth{1}, where).showFrame();
        load(movie);
    }
    EditTextObject* placedField() { return m_player->displayList().at(DisplayDepth{1})->asEditText(); }
};

// Embedded glyphs: each 'a' a 10 x 20 px box with a 20 px advance; the text starts at the
// two-pixel gutter, its first baseline 20 px (the font's ascent) below the top gutter.
TEST_F(EditTextRender, embeddedGlyphsStartInsideTheGutter) {
    show(field(CharacterId{1}, CharacterId{100}, "aa"));
    const QImage image = render();
    EXPECT_EQ(pixel(image, 3, 3), red);
    EXPECT_EQ(pixel(image, 11, 21), red);
    EXPECT_EQ(pixel(image, 1, 10), stageColor);
    EXPECT_EQ(pixel(image, 13, 10), stageColor);
    EXPECT_EQ(pixel(image, 23, 10), red);
    EXPECT_EQ(inkIn(image, stageColor), 2 * 10 * 20);
}

TEST_F(EditTextRender, wordWrapBreaksAtSpacesThatDoNotFit) {
    // 96 px of room: "aa aa" would take 100 px, so the second word wraps.
    DefineEditTextTag wrapped = field(CharacterId{1}, CharacterId{100}, "aa aa aa");
    wrapped.wordWrap = true;
    wrapped.multiline = true;
    show(wrapped);
    QImage image = render();
    EXPECT_EQ(pixel(image, 5, 12), red); // line 1
    EXPECT_EQ(pixel(image, 5, 32), red); // line 2, one ascent lower
    EXPECT_EQ(pixel(image, 65, 12), stageColor);
    // Line 3 would end at 62 px, past the bottom gutter at 58: it is not drawn at all.
    EXPECT_EQ(inkIn(image, stageColor, QRect(0, 42, 100, 18)), 0);

    DefineEditTextTag unwrapped = field(CharacterId{1}, CharacterId{100}, "aa aa aa");
    restart();
    show(unwrapped);
    image = render();
    EXPECT_EQ(pixel(image, 65, 12), red);
    EXPECT_EQ(pixel(image, 5, 32), stageColor);
    EXPECT_EQ(pixel(image, 99, 12), stageColor); // the rest is clipped at the field's edge
}

TEST_F(EditTextRender, alignmentMarginsAndIndentMoveTheLine) {
    DefineEditTextTag right = field(CharacterId{1}, CharacterId{100}, "a");
    right.layout = EditTextLayout{TextAlign::Right, 0, Twips::fromPixels(10).value, 0, 0};
    show(right);
    QImage image = render();
    // The 20 px advance ends at 100 - 2 - 10 = 88: the box spans 68..78.
    EXPECT_EQ(pixel(image, 70, 10), red);
    EXPECT_EQ(pixel(image, 66, 10), stageColor);

    DefineEditTextTag indented = field(CharacterId{1}, CharacterId{100}, "aaaa aaaa");
    indented.wordWrap = true;
    indented.layout = EditTextLayout{TextAlign::Left, static_cast<std::uint16_t>(Twips::fromPixels(5).value),
                                     0, static_cast<std::uint16_t>(Twips::fromPixels(10).value), 0};
    restart();
    show(indented);
    image = render();
    EXPECT_EQ(pixel(image, 18, 10), red); // 2 + 5 + 10 on the first line
    EXPECT_EQ(pixel(image, 16, 10), stageColor);
    EXPECT_EQ(pixel(image, 8, 30), red); // the wrapped line keeps the margin, not the indent
    EXPECT_EQ(pixel(image, 18, 30), stageColor);
}

TEST_F(EditTextRender, borderAndBackgroundFrameTheField) {
    DefineEditTextTag boxed = field(CharacterId{1}, CharacterId{100}, "");
    boxed.border = true;
    show(boxed);
    const QImage image = render();
    EXPECT_EQ(pixel(image, 50, 30), white);
    EXPECT_EQ(pixel(image, 50, 0), black);
    EXPECT_EQ(pixel(image, 0, 30), black);
    EXPECT_EQ(pixel(image, 50, 60), black); // the row at the bottom edge is the border's too
    EXPECT_EQ(pixel(image, 50, 61), stageColor);
    EXPECT_EQ(pixel(image, 50, 70), stageColor);
}

TEST_F(EditTextRender, autoSizeFitsTheBoxToTheTextKeepingTheChosenEdge) {
    // "aa" takes 40 px, one line 20 px: with the gutters the box becomes 44 x 24 px.
    DefineEditTextTag fitted = field(CharacterId{1}, CharacterId{100}, "aa");
    fitted.border = true;
    fitted.autoSize = true;
    show(fitted);
    QImage image = render();
    EXPECT_EQ(pixel(image, 44, 10), black);
    EXPECT_EQ(pixel(image, 20, 24), black);
    EXPECT_EQ(pixel(image, 50, 10), stageColor);
    EXPECT_EQ(pixel(image, 20, 30), stageColor);

    const auto fittedWith = [&](TextAutoSize mode) {
        placedField()->settings().autoSize = mode;
        placedField()->touch();
        return render();
    };
    image = fittedWith(TextAutoSize::Right);
    EXPECT_EQ(pixel(image, 56, 10), black);
    EXPECT_EQ(pixel(image, 55, 10), stageColor);
    EXPECT_EQ(pixel(image, 59, 10), red); // the text moves with the box
    EXPECT_EQ(pixel(image, 100 - 2, 10), white);

    image = fittedWith(TextAutoSize::Center);
    EXPECT_EQ(pixel(image, 28, 10), black);
    EXPECT_EQ(pixel(image, 72, 10), black);
    EXPECT_EQ(pixel(image, 27, 10), stageColor);

    // Wrapped text keeps its width; only the height follows the lines.
    placedField()->settings().wordWrap = true;
    placedField()->setText(U"aa aa aa");
    image = fittedWith(TextAutoSize::Left);
    EXPECT_EQ(pixel(image, 99, 30), white);
    EXPECT_EQ(pixel(image, 5, 52), red);    // the third line, shown although past the old bottom
    EXPECT_EQ(pixel(image, 50, 64), black); // three 20 px lines and the gutters
}

TEST_F(EditTextRender, passwordFieldsShowStars) {
    DefineEditTextTag secret = field(CharacterId{1}, CharacterId{100}, "zz");
    secret.password = true;
    show(secret);
    // 'z' is not in the font, '*' is: the stars draw.
    EXPECT_EQ(inkIn(render(), stageColor), 2 * 10 * 20);
}

TEST_F(EditTextRender, htmlTextTakesItsColours) {
    DefineEditTextTag html = field(CharacterId{1}, CharacterId{100}, "<font color=\"#0000FF\">a</font>a");
    html.html = true;
    show(html);
    const QImage image = render();
    EXPECT_EQ(pixel(image, 5, 10), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(pixel(image, 25, 10), red);
}

TEST_F(EditTextRender, scriptsReplaceTheTextAndTheLayoutFollows) {
    show(field(CharacterId{1}, CharacterId{100}, "a"));
    EXPECT_EQ(inkIn(render(), stageColor), 10 * 20);
    placedField()->setText(U"aaa");
    EXPECT_EQ(inkIn(render(), stageColor), 3 * 10 * 20);
    EXPECT_EQ(placedField()->text(), U"aaa");
}

TEST_F(EditTextRender, deviceFontTextDrawsInkInsideTheField) {
    DefineEditTextTag latin = field(CharacterId{1}, CharacterId{101}, "Hello");
    latin.useOutlines = false;
    show(latin);
    QImage image = render();
    const int ink = inkIn(image, stageColor);
    EXPECT_GT(ink, 60);
    EXPECT_EQ(ink, inkIn(image, stageColor, QRect(0, 0, 100, 60)));

    // CJK characters come from a fallback face when the named one lacks them.
    DefineEditTextTag chinese = field(CharacterId{1}, std::nullopt, "\xE4\xBD\xA0\xE5\xA5\xBD");
    chinese.fontClass = std::string("_sans");
    restart();
    show(chinese);
    image = render();
    EXPECT_GT(inkIn(image, stageColor), 60);
    EXPECT_EQ(placedField()->text(), U"\u4F60\u597D");
}

TEST_F(EditTextRender, deviceTextScalesWithItsSize) {
    DefineEditTextTag small = field(CharacterId{1}, CharacterId{101}, "Hello");
    small.useOutlines = false;
    small.fontHeight = 200;
    show(small);
    const int smallInk = inkIn(render(), stageColor);
    DefineEditTextTag large = small;
    large.fontHeight = 400;
    restart();
    show(large);
    const int largeInk = inkIn(render(), stageColor);
    EXPECT_GT(largeInk, smallInk * 2); // about four times the area
}

} // namespace
} // namespace kf::swf::test
