#include "swf/runtime/EditTextObject.h"
#include "swf/runtime/HtmlTextParser.h"
#include "swf/runtime/TextEncoding.h"

#include <gtest/gtest.h>

#include <random>

namespace kf::swf {
namespace {

TextFormat baseFormat() {
    TextFormat format;
    format.font = "Arial";
    format.size = 240;
    format.color = Rgba{0, 0, 0, 255};
    return format;
}

std::vector<TextSpan> parse(std::u32string_view html) {
    return HtmlTextParser::parse(html, baseFormat());
}

TEST(HtmlText, nestedFormatsApplyInsideOutAndEndWithTheirTags) {
    const auto spans = parse(U"a<b>b<i>c<font color='#FF0000' size=\"20\" face=Courier>d</font>e</i></b>f");
    ASSERT_EQ(spans.size(), 6u);
    EXPECT_EQ(spans[0].text, U"a");
    EXPECT_FALSE(spans[0].format.bold);
    EXPECT_TRUE(spans[1].format.bold);
    EXPECT_FALSE(spans[1].format.italic);
    EXPECT_TRUE(spans[2].format.bold && spans[2].format.italic);
    EXPECT_EQ(spans[3].text, U"d");
    EXPECT_EQ(spans[3].format.color, (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(spans[3].format.size, 400);
    EXPECT_EQ(spans[3].format.font, "Courier");
    EXPECT_TRUE(spans[3].format.italic);
    EXPECT_EQ(spans[4].format, spans[2].format);
    EXPECT_EQ(spans[5].format, baseFormat());
}

TEST(HtmlText, paragraphsAndBreaksEndLinesOnce) {
    EXPECT_EQ(plainTextOf(parse(U"<p>one</p><p>two</p>")), U"one\ntwo");
    EXPECT_EQ(plainTextOf(parse(U"<br>top<br/>x<BR />")), U"\ntop\nx\n");
    EXPECT_EQ(plainTextOf(parse(U"a<p align=\"right\">b</p>c")), U"a\nb\nc");
    const auto spans = parse(U"<P ALIGN=\"CENTER\">mid</P>");
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0].format.align, TextAlign::Center);
    EXPECT_EQ(plainTextOf(parse(U"<textformat indent=\"5\" leftmargin='3'>x</textformat>")), U"x");
    EXPECT_EQ(parse(U"<textformat indent=\"5\" leftmargin='3'>x</textformat>")[0].format.indent, 100);
}

TEST(HtmlText, entitiesDecodeAndUnknownOnesStayText) {
    EXPECT_EQ(plainTextOf(parse(U"&lt;b&gt; &amp; &quot;&apos;&nbsp;&#65;&#x42;&#X43;")),
              U"<b> & \"'\u00A0ABC");
    EXPECT_EQ(plainTextOf(parse(U"&bogus; & &#xZZ; &#99999999999;&")), U"&bogus; & &#xZZ; &#99999999999;&");
}

TEST(HtmlText, sizesCanBeRelativeAndLinksKeepTheirTarget) {
    const auto spans = parse(U"<font size='+4'>a<font size=\"-10\">b</font></font><a href='http://x/'>c</a>");
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].format.size, 320);
    EXPECT_EQ(spans[1].format.size, 120);
    EXPECT_EQ(spans[2].format.url, "http://x/");
}

TEST(HtmlText, malformedMarkupIsReadAsWellAsItCanBe) {
    EXPECT_EQ(plainTextOf(parse(U"<b>never closed")), U"never closed");
    EXPECT_TRUE(parse(U"<b>never closed")[0].format.bold);
    EXPECT_EQ(plainTextOf(parse(U"stray</i></font></p>end")), U"strayend");
    EXPECT_EQ(plainTextOf(parse(U"cut <font color=\"#FF")), U"cut ");
    EXPECT_EQ(plainTextOf(parse(U"<unknown attr=1>kept</unknown>")), U"kept");
    EXPECT_EQ(plainTextOf(parse(U"<b><i>x</b>y</i>")), U"xy");
    EXPECT_FALSE(parse(U"<b><i>x</b>y</i>")[1].format.italic); // </b> closed the i inside it
    EXPECT_EQ(parse(U"<font color='#GG0000'>x</font>")[0].format.color, baseFormat().color);
    EXPECT_TRUE(parse(U"").empty());
    EXPECT_TRUE(parse(U"<><//><p></p>").empty());
}

TEST(HtmlText, deepNestingAndRandomMarkupNeverCrash) {
    std::u32string deep;
    for (int index = 0; index < 100000; ++index) {
        deep += U"<b>";
    }
    deep += U"x";
    EXPECT_EQ(plainTextOf(parse(deep)), U"x");

    std::mt19937 random(3);
    const std::u32string pieces[] = {U"<",  U">", U"&", U";", U"#",  U"p",  U"/",    U"font", U" ",    U"=",
                                     U"\"", U"'", U"b", U"x", U"\r", U"br", U"size", U"+",    U"color"};
    for (int round = 0; round < 2000; ++round) {
        std::u32string html;
        for (int piece = random() % 40; piece > 0; --piece) {
            html += pieces[random() % std::size(pieces)];
        }
        parse(html);
    }
}

TEST(PlainText, carriageReturnsAndLineFeedsEndParagraphs) {
    const auto spans = HtmlTextParser::plain(U"a\r\nb\rc\nd<b>", baseFormat());
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0].text, U"a\nb\nc\nd<b>");
}

TEST(TextEncodingTest, utf8WithLatin1Fallback) {
    EXPECT_EQ(decodeMovieText("caf\xC3\xA9 \xE4\xBD\xA0"), U"caf\u00E9 \u4F60");
    EXPECT_EQ(decodeMovieText("caf\xE9"), U"caf\u00E9");     // not UTF-8: read as Latin-1
    EXPECT_EQ(decodeMovieText("\xC0\xAF"), U"\u00C0\u00AF"); // overlong forms are not UTF-8
    EXPECT_EQ(encodeUtf8(U"caf\u00E9 \u4F60\U0001F600"), "caf\xC3\xA9 \xE4\xBD\xA0\xF0\x9F\x98\x80");
}

TEST(EditTextObjectText, htmlFieldsParseTheirTextAndWriteItBack) {
    EditTextObject field(DisplayDepth{1}, Rect{Twips{0}, Twips{2000}, Twips{0}, Twips{400}});
    field.settings().html = true;
    field.settings().format = baseFormat();
    const auto before = field.revision();
    field.setText(U"<p align='center'><b>Hi</b> &amp; bye</p>", true);
    EXPECT_GT(field.revision(), before);
    EXPECT_EQ(field.text(), U"Hi & bye");
    EXPECT_EQ(field.htmlText(),
              U"<P ALIGN=\"CENTER\"><FONT FACE=\"Arial\" SIZE=\"12\" COLOR=\"#000000\" LETTERSPACING=\"0\" "
              U"KERNING=\"0\"><B>Hi</B></FONT><FONT FACE=\"Arial\" SIZE=\"12\" COLOR=\"#000000\" "
              U"LETTERSPACING=\"0\" KERNING=\"0\"> &amp; bye</FONT></P>");

    field.settings().html = false;
    field.setText(U"<b>as is</b>\nnext", true);
    EXPECT_EQ(field.text(), U"<b>as is</b>\rnext");
}

} // namespace
} // namespace kf::swf
