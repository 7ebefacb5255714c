#include "platform/ShellDrop.h"

#include "QStringPrinter.h"

#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

TEST(ShellDrop, fileUrlsArriveAsWholeLocalPathsInOrder) {
    const QString longName = QString(300, u'长') + u".swf"_s;
    QMimeData drop;
    drop.setUrls({QUrl::fromLocalFile(u"/媒体/第 1 集.swf"_s), QUrl(u"https://example.org/b.swf"_s),
                  QUrl::fromLocalFile(u"/tmp/"_s + longName)});
    EXPECT_TRUE(DragHasFiles(drop));
    // Web links are not files; paths are neither cut nor padded.
    EXPECT_EQ(DragQueryFiles(drop), (QStringList{u"/媒体/第 1 集.swf"_s, u"/tmp/"_s + longName}));
}

TEST(ShellDrop, textAndWebLinksCarryNoFileList) {
    QMimeData text;
    text.setText(u"/media/a.swf"_s);
    EXPECT_FALSE(DragHasFiles(text));
    EXPECT_TRUE(DragQueryFiles(text).isEmpty());

    QMimeData links;
    links.setUrls({QUrl(u"http://example.org/a.swf"_s)});
    EXPECT_FALSE(DragHasFiles(links));
    EXPECT_TRUE(DragQueryFiles(links).isEmpty());
}

} // namespace
} // namespace kf
