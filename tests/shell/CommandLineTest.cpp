#include "shell/CommandLine.h"
#include "shell/AppTitle.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

struct CommandLineCase {
    QString commandLine;
    QString listText;
};

TEST(CommandLine, rawStringBecomesOnePathPerLine) {
    const CommandLineCase cases[] = {
        // Quoted paths separated by one space.
        {u"\"C:\\a b\\x.swf\" \"D:\\y.swf\""_s, u"C:\\a b\\x.swf\r\nD:\\y.swf"_s},
        {u"\"C:\\a b\\x.swf\""_s, u"C:\\a b\\x.swf"_s},
        // Unquoted: two drive colons split at the spaces, one colon keeps the spaces.
        {u"C:\\x.swf D:\\y.swf"_s, u"C:\\x.swf\r\nD:\\y.swf"_s},
        {u"C:\\My Movies\\x.swf"_s, u"C:\\My Movies\\x.swf"_s},
        // No quote is followed by a space, so nothing splits.
        {u"C:\\x.swf \"D:\\y z.swf\""_s, u"C:\\x.swf D:\\y z.swf"_s},
        // A trailing space after a quoted path leaves an empty last line.
        {u"\"C:\\x.swf\" "_s, u"C:\\x.swf\r\n"_s},
        {u"/home/user/a.swf"_s, u"/home/user/a.swf"_s},
    };
    for (const CommandLineCase& commandLineCase : cases) {
        EXPECT_EQ(CommandLine::listTextFromString(commandLineCase.commandLine), commandLineCase.listText)
            << commandLineCase.commandLine.toStdString();
    }
}

TEST(CommandLine, splitArgumentsAreTakenWhole) {
    EXPECT_EQ(CommandLine::listTextFromArguments({u"/media/a b.swf"_s, u"C:\\x.swf D:\\y.swf"_s}),
              u"/media/a b.swf\r\nC:\\x.swf D:\\y.swf"_s);
    EXPECT_EQ(CommandLine::listTextFromArguments({u"/媒体/\"引号\".swf"_s}), u"/媒体/\"引号\".swf"_s);
    EXPECT_EQ(CommandLine::listTextFromArguments({}), QString());
}

TEST(AppTitle, minorVersionHasTwoDigits) {
    EXPECT_EQ(makeAppTitle(2, 0), u"KorvelFlash播放器 V2.00"_s);
    EXPECT_EQ(makeAppTitle(2, 5), u"KorvelFlash播放器 V2.05"_s);
    EXPECT_EQ(makeAppTitle(2, 12), u"KorvelFlash播放器 V2.12"_s);
    EXPECT_EQ(makeAppTitle(10, 100), u"KorvelFlash播放器 V10.100"_s);
}

} // namespace
} // namespace kf
