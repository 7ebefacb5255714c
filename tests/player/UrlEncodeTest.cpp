#include "player/MediaRouter.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

ProgramState startupState() {
    ProgramState state;
    state.PlayerColors = {u"0x000000"_s, u"0xCCCCCC"_s, u"0x557722"_s, u"0x000000"_s};
    state.AppPath = u"C:\\P\\"_s;
    return state;
}

TEST(URLEncode, separatorsAndColonBecomeLowerCaseEscapesAndWideCharactersUtf8) {
    EXPECT_EQ(URLEncode(u"D:\\动画\\a b.flv"_s), u"D%3a%5c%E5%8A%A8%E7%94%BB%5ca b.flv"_s);
    EXPECT_EQ(URLEncode(u"é"_s), u"%C3%A9"_s);
    EXPECT_EQ(URLEncode(u"http://x.org/v.mp4"_s), u"http%3a%2f%2fx.org%2fv.mp4"_s);
    EXPECT_EQ(URLEncode(QString()), QString());
}

TEST(URLEncode, queryCharactersAndPercentSignsPassUnchanged) {
    EXPECT_EQ(URLEncode(u"a&b#c=d+e?f%41 g"_s), u"a&b#c=d+e?f%41 g"_s);
}

TEST(URLEncode, surrogateHalvesAreEncodedEachOnTheirOwn) {
    // U+1F600 is D83D DE00 in UTF-16.
    EXPECT_EQ(URLEncode(QString::fromUcs4(U"\U0001F600")), u"%ED%A0%BD%ED%B8%80"_s);
    // The two-byte boundary.
    EXPECT_EQ(URLEncode(QString(QChar(0x7FF)) + QChar(0x800)), u"%DF%BF%E0%A0%80"_s);
}

TEST(MediaAddresses, videoAddressCarriesTheEscapedPathAndTheFourColours) {
    const ProgramState state = startupState();
    EXPECT_EQ(mediaPlayerAddress(state, URLEncode(u"D:\\v\\a.flv"_s)),
              u"C:\\P\\player.swf?autostart=true&file=D%3a%5cv%5ca.flv&backcolor=0x000000"
              u"&frontcolor=0xCCCCCC&lightcolor=0x557722&screencolor=0x000000"_s);
}

TEST(MediaAddresses, playlistAddressEndsWithAnEmptySkin) {
    const ProgramState state = startupState();
    EXPECT_EQ(playlistAddress(state, u"D:\\l.xml"_s),
              u"C:\\P\\player.swf?playlist=right&file=D:\\l.xml&backcolor=0x000000"
              u"&frontcolor=0xCCCCCC&lightcolor=0x557722&screencolor=0x000000&skin="_s);
}

} // namespace
} // namespace kf
