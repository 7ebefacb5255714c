#include "playlist/PlaylistModel.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

QStringList column(const PlaylistModel& model, int column) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        texts.append(model.data(model.index(row, column)).toString());
    }
    return texts;
}

TEST(PlaylistModel, rowShowsNumberNamePathTypeAndSize) {
    PlaylistModel model;
    model.AddToList(u"http://example.org/clips/b.swf"_s);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(column(model, 0), QStringList{u"1"_s});
    EXPECT_EQ(column(model, 1), QStringList{u"b"_s});
    EXPECT_EQ(column(model, 2), QStringList{u"http://example.org/clips/b.swf"_s});
    EXPECT_EQ(column(model, 3), QStringList{u"swf"_s});
    EXPECT_EQ(column(model, 4), QStringList{u"未知"_s});
}

TEST(PlaylistModel, numbersAreNeverRenumbered) {
    PlaylistModel model;
    model.addPaths({u"a.swf"_s, u"a.swf"_s, u"c.swf"_s});
    EXPECT_EQ(column(model, 0), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(column(model, 2), (QStringList{u"a.swf"_s, u"a.swf"_s, u"c.swf"_s}));

    ASSERT_TRUE(model.removeRows(1, 1));
    model.AddToList(u"d.swf"_s);
    // The new row takes the new count plus one, which another row already shows.
    EXPECT_EQ(column(model, 0), (QStringList{u"1"_s, u"3"_s, u"3"_s}));
    EXPECT_EQ(model.entryAt(3).path, u"d.swf"_s);
}

TEST(PlaylistModel, pathIsKeptExactlyAsGiven) {
    PlaylistModel model;
    const QString odd = u" C:/Movies/../X.SWF "_s;
    model.AddToList(odd);
    model.AddToList(QString());
    EXPECT_EQ(model.entryAt(1).path, odd);
    EXPECT_EQ(model.entryAt(2).path, QString());
    EXPECT_EQ(model.entryAt(2).number, u"2"_s);
}

TEST(PlaylistModel, hasFiveReadOnlyColumnsWithTheirCaptionsAndAlignment) {
    PlaylistModel model;
    model.AddToList(u"a.swf"_s);
    ASSERT_EQ(model.columnCount(), 5);
    const QStringList captions{u"序号"_s, u"名称"_s, u"文件路径"_s, u"文件类型"_s, u"文件大小"_s};
    const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignHCenter,
                                        Qt::AlignLeft};
    for (int section = 0; section < 5; ++section) {
        EXPECT_EQ(model.headerData(section, Qt::Horizontal).toString(), captions[section]);
        const auto alignment =
            model.data(model.index(0, section), Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(alignment & Qt::AlignHorizontal_Mask, horizontal[section]) << section;
        EXPECT_FALSE(model.flags(model.index(0, section)) & Qt::ItemIsEditable);
        EXPECT_TRUE(model.flags(model.index(0, section)) & Qt::ItemIsSelectable);
    }
}

TEST(PlaylistModel, clearEmptiesAndNumberingStartsAgain) {
    PlaylistModel model;
    model.addPaths({u"a.swf"_s, u"b.swf"_s});
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    model.AddToList(u"c.swf"_s);
    EXPECT_EQ(model.entryAt(1).number, u"1"_s);
}

} // namespace
} // namespace kf
