#include "playlist/PlaylistFormat.h"

#include <QStringEncoder>

#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

TEST(PlaylistFormat, writesNameTabPathCrLfInUtf8WithoutMark) {
    const std::vector<PlaylistEntry> entries{
        {u"1"_s, u"intro"_s, u"C:\\movies\\intro.swf"_s, u"swf"_s, u""_s},
        {u"2"_s, u"动画"_s, u"/媒体/动画.flv"_s, u"flv"_s, u"12"_s},
    };
    EXPECT_EQ(PlaylistFormat::encode(entries),
              QByteArray("intro\tC:\\movies\\intro.swf\r\n") + u"动画\t/媒体/动画.flv\r\n"_s.toUtf8());
    EXPECT_EQ(PlaylistFormat::encode({}), QByteArray());
}

TEST(PlaylistFormat, readsUtf8AndFallsBackToGb18030) {
    const QString text = u"片头\tD:\\动画\\片头.swf\r\n"_s;
    EXPECT_EQ(PlaylistFormat::decode(text.toUtf8()), text);
    EXPECT_EQ(PlaylistFormat::decode("\xEF\xBB\xBF" + text.toUtf8()), text);

    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(gb18030.isValid());
    const QByteArray legacy = gb18030.encode(text);
    ASSERT_NE(legacy, text.toUtf8());
    EXPECT_EQ(PlaylistFormat::decode(legacy), text);
}

struct ReadCase {
    const char* what;
    QString text;
    QStringList paths;
};

TEST(PlaylistFormat, acceptsOnlyLinesWithATabAndTakesTheSecondField) {
    const ReadCase cases[] = {
        {"plain line", u"intro\tC:\\a.swf\r\n"_s, {u"C:\\a.swf"_s}},
        {"fields after the path are ignored", u"x\tC:\\a.swf\textra\r\n"_s, {u"C:\\a.swf"_s}},
        {"empty name", u"\tC:\\a.swf\r\n"_s, {u"C:\\a.swf"_s}},
        {"empty path", u"name\t\r\n"_s, {QString()}},
        {"no tab is skipped", u"C:\\a.swf\r\n"_s, {}},
        {"empty lines are skipped", u"\r\n\r\na\tA\r\n\r\n"_s, {u"A"_s}},
        {"last line without an end", u"a\tA\r\nb\tB"_s, {u"A"_s, u"B"_s}},
        {"lone CR ends a line", u"a\tA\rb\tB\r"_s, {u"A"_s, u"B"_s}},
        {"lone LF ends a line", u"a\tA\nb\tB\n"_s, {u"A"_s, u"B"_s}},
        {"nothing is trimmed", u" a \t C:\\a b.swf \r\n"_s, {u" C:\\a b.swf "_s}},
        {"empty file", QString(), {}},
    };
    for (const ReadCase& readCase : cases) {
        EXPECT_EQ(PlaylistFormat::paths(readCase.text), readCase.paths) << readCase.what;
    }
}

} // namespace
} // namespace kf
