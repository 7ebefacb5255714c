#include "playlist/OpenDialog.h"

#include "platform/ScriptedOpenFileDialogService.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

const QChar Nul(u'\0');

QString spaces(qsizetype count) {
    return QString(count, u' ');
}

TEST(SplitDialogFiles, oneFileIsItsPathWhateverFollows) {
    QStringList DialogFiles{u"old"_s, u"entries"_s};
    EXPECT_EQ(SplitDialogFiles(u"C:\\movies\\intro.swf"_s + Nul + spaces(40), DialogFiles), 0);
    EXPECT_EQ(DialogFiles, QStringList{u"C:\\movies\\intro.swf"_s});
    EXPECT_EQ(SplitDialogFiles(u"C:\\a.swf"_s + Nul, DialogFiles), 0);
    EXPECT_EQ(DialogFiles, QStringList{u"C:\\a.swf"_s});
    EXPECT_EQ(SplitDialogFiles(u"/媒体/片头.swf"_s + Nul + Nul + spaces(3), DialogFiles), 0);
    EXPECT_EQ(DialogFiles, QStringList{u"/媒体/片头.swf"_s});
}

TEST(SplitDialogFiles, severalFilesJoinTheFolderOnceToEachName) {
    QStringList DialogFiles;
    const QString buffer =
        u"C:\\movies"_s + Nul + u"a.swf"_s + Nul + u"b.flv"_s + Nul + u"c.swf"_s + Nul + Nul + spaces(20);
    EXPECT_EQ(SplitDialogFiles(buffer, DialogFiles), 2);
    EXPECT_EQ(DialogFiles,
              (QStringList{u"C:\\movies\\a.swf"_s, u"C:\\movies\\b.flv"_s, u"C:\\movies\\c.swf"_s}));

    // A drive root already ends in its separator: C:\a.swf, not C:\\a.swf.
    EXPECT_EQ(SplitDialogFiles(u"C:\\"_s + Nul + u"a.swf"_s + Nul + u"b.swf"_s + Nul + Nul, DialogFiles), 1);
    EXPECT_EQ(DialogFiles, (QStringList{u"C:\\a.swf"_s, u"C:\\b.swf"_s}));

    EXPECT_EQ(SplitDialogFiles(u"/"_s + Nul + u"a.swf"_s + Nul + u"b.swf"_s + Nul + Nul, DialogFiles), 1);
    EXPECT_EQ(DialogFiles, (QStringList{u"/a.swf"_s, u"/b.swf"_s}));
    EXPECT_EQ(SplitDialogFiles(u"/home/用户"_s + Nul + u"a.swf"_s + Nul + u"b.swf"_s + Nul + Nul + spaces(9),
                               DialogFiles),
              1);
    EXPECT_EQ(DialogFiles, (QStringList{u"/home/用户/a.swf"_s, u"/home/用户/b.swf"_s}));
}

TEST(DialogBuffer, chosenPathsTravelThroughTheBufferUnchanged) {
    const QList<QStringList> selections{
        {u"/媒体/片头.swf"_s},
        {u"/媒体/a.swf"_s, u"/媒体/b b.flv"_s, u"/媒体/c.swf"_s},
        {u"/a.swf"_s, u"/b.swf"_s},
        // Typed paths from two folders keep their common folder.
        {u"/media/x/a.swf"_s, u"/media/y/b.swf"_s},
        {u"/x/a.swf"_s, u"/y/b.swf"_s},
    };
    for (const QStringList& files : selections) {
        const QString buffer = dialogBufferFromFiles(files, 65535);
        EXPECT_EQ(buffer.size(), 65534) << files.join(u',').toStdString();
        QStringList DialogFiles;
        EXPECT_EQ(SplitDialogFiles(buffer, DialogFiles), files.size() - 1);
        EXPECT_EQ(DialogFiles, files);
    }
}

TEST(DialogBuffer, aSelectionLongerThanTheBufferIsStillReturnedWhole) {
    const QString longPath = u"/媒体/"_s + QString(300, u'名') + u".txt"_s;
    const QString buffer = dialogBufferFromFiles({longPath}, 254);
    QStringList DialogFiles;
    SplitDialogFiles(buffer, DialogFiles);
    EXPECT_EQ(DialogFiles, QStringList{longPath});
}

TEST(ShowOpenDialog, asksWithTheFilterPairsAndSelectionAndGivesASpaceOnCancel) {
    ScriptedOpenFileDialogService dialog;
    int maxLength = 65535;
    const QString filter = u"FLASH动画(*.swf)"_s + Nul + u"*.swf"_s + Nul + u"Mpeg音频(*.mp3;*.mp4)"_s + Nul +
                           u"*.mp3;*.mp4"_s + Nul;
    EXPECT_EQ(ShowOpenDialog(dialog, 0, u"打开文件"_s, filter, 1, maxLength), u" "_s);
    ASSERT_EQ(dialog.calls().size(), 1);
    const ScriptedOpenFileDialogService::Call& call = dialog.calls()[0];
    EXPECT_EQ(call.title, u"打开文件"_s);
    EXPECT_EQ(call.selection, FileSelection::Multiple);
    ASSERT_EQ(call.filters.size(), 2);
    EXPECT_EQ(call.filters[0].description, u"FLASH动画(*.swf)"_s);
    EXPECT_EQ(call.filters[0].patterns, u"*.swf"_s);
    EXPECT_EQ(call.filters[1].patterns, u"*.mp3;*.mp4"_s);

    dialog.queueAnswer({u"/媒体/a.swf"_s});
    int shortLength = 254;
    const QString buffer = ShowOpenDialog(dialog, 0, u"打开文件"_s, filter, 0, shortLength);
    EXPECT_EQ(dialog.calls()[1].selection, FileSelection::Single);
    EXPECT_EQ(buffer, u"/媒体/a.swf"_s + Nul + spaces(253 - 10));
}

} // namespace
} // namespace kf
