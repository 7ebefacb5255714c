#include "playlist/EntryFields.h"

#include <QFile>
#include <QTemporaryDir>

#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

struct FieldCase {
    QString path;
    QString name;
    QString type;
};

TEST(EntryFields, nameAndTypeFollowTheLastSeparatorAndTheLastDot) {
    const FieldCase cases[] = {
        {u"C:\\movies\\intro.swf"_s, u"intro"_s, u"swf"_s},
        {u"http://example.org/clips/b.swf"_s, u"b"_s, u"swf"_s},
        // The type comes from the last dot of the whole path, not of the file part.
        {u"C:\\my.dir\\readme"_s, u"readme"_s, u"dir\\readme"_s},
        {u"C:\\clips\\.intro"_s, QString(), u"intro"_s},
        {u"C:\\clips\\a.b.swf"_s, u"a.b"_s, u"swf"_s},
        {u"intro"_s, u"intro"_s, u"未知"_s},
        {u"C:\\A.SWF"_s, u"A"_s, u"SWF"_s},
        // Any backslash makes it a Windows path, split there even with slashes after it.
        {u"C:\\a\\b/c.swf"_s, u"b/c"_s, u"swf"_s},
        {u"/home/user/动画/片头.swf"_s, u"片头"_s, u"swf"_s},
        {u"http://"_s, QString(), u"未知"_s},
        {QString(), QString(), u"未知"_s},
    };
    for (const FieldCase& fieldCase : cases) {
        SCOPED_TRACE(fieldCase.path.toStdString());
        EXPECT_EQ(GetBaseName(fieldCase.path), fieldCase.name);
        EXPECT_EQ(GetFileType(fieldCase.path), fieldCase.type);
    }
}

TEST(EntryFields, onlyDrivePathsAndAbsolutePathsAreLookedUp) {
    EXPECT_TRUE(isLocalPath(u"C:\\movies\\intro.swf"_s));
    EXPECT_TRUE(isLocalPath(u"/home/user/intro.swf"_s));
    EXPECT_FALSE(isLocalPath(u"http://example.org/b.swf"_s));
    EXPECT_FALSE(isLocalPath(u"movies/intro.swf"_s));
    EXPECT_FALSE(isLocalPath(u"\\\\server\\share\\a.swf"_s));

    EXPECT_EQ(GetFileSize(u"http://example.org/clips/b.swf"_s), u"未知"_s);
    EXPECT_EQ(GetFileSize(u"intro"_s), u"未知"_s);
}

TEST(EntryFields, sizeIsTheByteCountOrEmptyWhenItCannotBeRead) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString moviePath = folder.filePath(u"动画 片头.swf"_s);
    QFile movie(moviePath);
    ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
    movie.write(QByteArray(1234, 'x'));
    movie.close();

    EXPECT_EQ(GetFileSize(moviePath), u"1234"_s);
    EXPECT_EQ(GetFileSize(folder.filePath(u"missing.swf"_s)), QString());
    EXPECT_EQ(GetFileSize(folder.path()), QString());
    EXPECT_EQ(GetFileSize(u"C:\\movies\\intro.swf"_s), QString());
}

TEST(EntryFields, sizesBeyondTwoGibibytesAreExact) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile movie(folder.filePath(u"big.flv"_s));
    ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
    // A sparse file: the length is set without writing the bytes.
    if (!movie.resize(qint64(5) * 1024 * 1024 * 1024 + 7)) {
        GTEST_SKIP() << "file system refuses a 5 GiB file";
    }
    movie.close();
    EXPECT_EQ(GetFileSize(movie.fileName()), u"5368709127"_s);
}

} // namespace
} // namespace kf
