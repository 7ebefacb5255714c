#include "platform/DirectoryReader.h"
#include "platform/FileNamePattern.h"
#include "platform/StripNulls.h"

#include "QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

TEST(FileNamePattern, matchesWithoutRegardToLetterCase) {
    const FileNamePattern movies(u"*.swf"_s);
    EXPECT_TRUE(movies.matches(u"intro.swf"_s));
    EXPECT_TRUE(movies.matches(u"INTRO.SWF"_s));
    EXPECT_TRUE(movies.matches(u"片头.Swf"_s));
    EXPECT_TRUE(movies.matches(u".swf"_s));
    EXPECT_FALSE(movies.matches(u"intro.swf.txt"_s));
    EXPECT_FALSE(movies.matches(u"introswf"_s));
    EXPECT_FALSE(movies.matches(u"intro.swfx"_s));
}

TEST(FileNamePattern, questionMarksAndInnerStars) {
    const FileNamePattern pattern(u"a?c*.F*V"_s);
    EXPECT_TRUE(pattern.matches(u"abc.flv"_s));
    EXPECT_TRUE(pattern.matches(u"AXC123.fooV"_s));
    EXPECT_FALSE(pattern.matches(u"ac.flv"_s));
    EXPECT_FALSE(pattern.matches(u"abc.flx"_s));
    EXPECT_TRUE(FileNamePattern(u"*"_s).matches(u"anything"_s));
    // A pattern with many stars against a long name that fails must not take for ever.
    EXPECT_FALSE(FileNamePattern(u"*a*a*a*a*a*a*a*b"_s).matches(QString(200, u'a')));
}

TEST(StripNulls, cutsAtTheFirstNulInTheCallersVariableToo) {
    QString text = u"abc"_s + QChar(u'\0') + u"def"_s;
    EXPECT_EQ(StripNulls(text), u"abc"_s);
    EXPECT_EQ(text, u"abc"_s);

    QString leading = QChar(u'\0') + u"abc"_s;
    EXPECT_EQ(StripNulls(leading), QString());
    QString plain = u"片头.swf"_s;
    EXPECT_EQ(StripNulls(plain), u"片头.swf"_s);
}

class DirectoryReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    void writeFile(const QString& name, qint64 size) {
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));
    }

    const DirectoryEntry* find(const DirectoryListing& listing, const QString& name) {
        const auto found = std::find_if(listing.entries.begin(), listing.entries.end(),
                                        [&](const DirectoryEntry& entry) { return entry.name == name; });
        return found == listing.entries.end() ? nullptr : &*found;
    }

    QTemporaryDir m_folder;
};

TEST_F(DirectoryReaderTest, keepsFoldersAndWantedNamesWithTheirSizes) {
    writeFile(u"电影.swf"_s, 5000000000); // past 4 GiB, sparse
    writeFile(u"note.txt"_s, 7);
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(u"sub"_s));
    ASSERT_TRUE(QFile::link(m_folder.filePath(u"sub"_s), m_folder.filePath(u"loop"_s)));
    ASSERT_TRUE(QFile::link(m_folder.filePath(u"电影.swf"_s), m_folder.filePath(u"link.swf"_s)));

    const auto listing =
        DirectoryReader::read(m_folder.path(), [](const QString& name) { return name.endsWith(u".swf"_s); });
    ASSERT_TRUE(listing.has_value());
    ASSERT_EQ(listing->entries.size(), 3U);
    EXPECT_EQ(listing->examinedCount, 5U);

    const DirectoryEntry* movie = find(*listing, u"电影.swf"_s);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->kind, DirectoryEntryKind::File);
    EXPECT_EQ(movie->size, std::optional<quint64>(5000000000));
    // Not wanted, so neither looked up nor kept. Folders always are, but a link to a folder
    // is a link, not a folder.
    EXPECT_EQ(find(*listing, u"note.txt"_s), nullptr);
    EXPECT_EQ(find(*listing, u"loop"_s), nullptr);
    EXPECT_EQ(find(*listing, u"sub"_s)->kind, DirectoryEntryKind::Directory);
    // A file link has the size of its file.
    EXPECT_EQ(find(*listing, u"link.swf"_s)->kind, DirectoryEntryKind::Link);
    EXPECT_EQ(find(*listing, u"link.swf"_s)->size, std::optional<quint64>(5000000000));
}

TEST_F(DirectoryReaderTest, theSameFolderByAnotherPathHasTheSameIdentity) {
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(u"sub"_s));
    ASSERT_TRUE(QFile::link(m_folder.filePath(u"sub"_s), m_folder.filePath(u"alias"_s)));
    const auto direct = DirectoryReader::read(m_folder.filePath(u"sub"_s), {});
    const auto throughLink = DirectoryReader::read(m_folder.filePath(u"alias/"_s), {});
    const auto parent = DirectoryReader::read(m_folder.path(), {});
    ASSERT_TRUE(direct && throughLink && parent);
    EXPECT_EQ(direct->identity, throughLink->identity);
    EXPECT_FALSE(direct->identity == parent->identity);
}

TEST_F(DirectoryReaderTest, namesReadOneAfterAnotherDecodeAsTheFileNameDecoderDoes) {
    // Long names before short ones reuse the decoding buffer; bytes that are no UTF-8 decode
    // as the file-name decoder has them, wanted or not.
    const QList<QByteArray> names{
        QByteArray(200, 'x') + ".swf", "a.swf", "\xe7\x89\x87\xe5\xa4\xb4.SWF", "bad\xff\xfe.swf", "z.txt",
        QByteArray(120, 'y')};
    for (const QByteArray& name : names) {
        // Created by its bytes: a QString path would re-encode the invalid ones.
        const QByteArray path = QFile::encodeName(m_folder.path()) + '/' + name;
        const int handle = ::open(path.constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(handle, 0) << name.toStdString();
        ::close(handle);
    }
    QStringList offered;
    const auto listing = DirectoryReader::read(m_folder.path(), [&offered](const QString& name) {
        offered.append(name);
        return !name.endsWith(u".txt"_s);
    });
    ASSERT_TRUE(listing.has_value());
    QStringList expected;
    for (const QByteArray& name : names) {
        expected.append(QFile::decodeName(name));
    }
    QStringList kept;
    for (const DirectoryEntry& entry : listing->entries) {
        kept.append(entry.name);
    }
    offered.sort();
    kept.sort();
    expected.sort();
    EXPECT_EQ(offered, expected);
    expected.removeAll(u"z.txt"_s);
    EXPECT_EQ(kept, expected);
}

TEST_F(DirectoryReaderTest, aMissingFolderOrAFileGivesNothing) {
    writeFile(u"file.swf"_s, 1);
    EXPECT_FALSE(DirectoryReader::read(m_folder.filePath(u"missing"_s), {}).has_value());
    EXPECT_FALSE(DirectoryReader::read(m_folder.filePath(u"file.swf"_s), {}).has_value());
}

// Open handles of this process: a background look-up must give back every one it took.
qsizetype openHandleCount() {
    return QDir(u"/proc/self/fd"_s).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size();
}

TEST_F(DirectoryReaderTest, sizesLookedUpInTheBackgroundAreTheSizesLookedUpAtOnce) {
    writeFile(u"电影.swf"_s, 5000000000);
    writeFile(u"empty.swf"_s, 0);
    ASSERT_TRUE(QFile::link(m_folder.filePath(u"电影.swf"_s), m_folder.filePath(u"link.swf"_s)));
    ASSERT_TRUE(QFile::link(m_folder.filePath(u"gone"_s), m_folder.filePath(u"dangling.swf"_s)));
    ASSERT_EQ(mkfifo(QFile::encodeName(m_folder.filePath(u"pipe.swf"_s)).constData(), 0600), 0);
    const QByteArray oddName = QFile::encodeName(m_folder.path()) + "/odd\xff.swf";
    const int handle = ::open(oddName.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(handle, 0);
    ASSERT_EQ(::write(handle, "abc", 3), 3);
    ::close(handle);

    const auto wanted = [](const QString& name) { return name.endsWith(u".swf"_s); };
    const auto direct = DirectoryReader::read(m_folder.path(), wanted);
    const qsizetype handlesBefore = openHandleCount();
    BackgroundFileSizes backgroundSizes;
    const auto deferred = DirectoryReader::read(m_folder.path(), wanted, &backgroundSizes);
    ASSERT_TRUE(direct && deferred && deferred->sizeBatch);
    backgroundSizes.waitForAll();
    EXPECT_EQ(openHandleCount(), handlesBefore);

    ASSERT_EQ(deferred->entries.size(), direct->entries.size());
    ASSERT_EQ(deferred->entries.size(), 6U);
    for (const DirectoryEntry& entry : deferred->entries) {
        ASSERT_TRUE(entry.pendingSize) << entry.name.toStdString();
        EXPECT_FALSE(entry.size);
        EXPECT_EQ(backgroundSizes.size(*deferred->sizeBatch, *entry.pendingSize),
                  find(*direct, entry.name)->size)
            << entry.name.toStdString();
    }
    // A link to nothing and a pipe have no size; the pipe was not opened, so nothing blocked.
    EXPECT_EQ(find(*direct, u"dangling.swf"_s)->size, std::nullopt);
    EXPECT_EQ(find(*direct, u"pipe.swf"_s)->size, std::nullopt);
    EXPECT_EQ(find(*direct, u"link.swf"_s)->size, std::optional<quint64>(5000000000));
    EXPECT_EQ(find(*direct, QFile::decodeName("odd\xff.swf"))->size, std::optional<quint64>(3));
    // The temporary folder's removal leaves pipes alone.
    EXPECT_TRUE(QFile::remove(m_folder.filePath(u"pipe.swf"_s)));
}

TEST_F(DirectoryReaderTest, manyFoldersKeepTheirOwnSizesAndHandlesStayFew) {
    // More folders than may wait for the thread: some are looked up at once, the rest later,
    // and each batch still answers for its own folder.
    constexpr int Folders = int(BackgroundFileSizes::MaximumWaiting) * 3;
    for (int folder = 0; folder < Folders; ++folder) {
        const QString name = u"f%1"_s.arg(folder);
        ASSERT_TRUE(QDir(m_folder.path()).mkdir(name));
        for (int file = 0; file < 3; ++file) {
            writeFile(name + u"/m%1.swf"_s.arg(file), folder * 10 + file);
        }
    }
    const auto everything = [](const QString&) { return true; };
    const qsizetype handlesBefore = openHandleCount();
    {
        BackgroundFileSizes backgroundSizes;
        std::vector<DirectoryListing> listings;
        for (int folder = 0; folder < Folders; ++folder) {
            auto listing =
                DirectoryReader::read(m_folder.filePath(u"f%1"_s.arg(folder)), everything, &backgroundSizes);
            ASSERT_TRUE(listing && listing->sizeBatch);
            EXPECT_LE(openHandleCount(), handlesBefore + qsizetype(BackgroundFileSizes::MaximumWaiting) + 1);
            listings.push_back(std::move(*listing));
        }
        backgroundSizes.waitForAll();
        for (int folder = 0; folder < Folders; ++folder) {
            for (const DirectoryEntry& entry : listings[std::size_t(folder)].entries) {
                const int file = entry.name.mid(1, 1).toInt();
                EXPECT_EQ(backgroundSizes.size(*listings[std::size_t(folder)].sizeBatch, *entry.pendingSize),
                          std::optional<quint64>(folder * 10 + file));
            }
        }
        // Batches that do not exist have no sizes.
        EXPECT_EQ(backgroundSizes.size(std::size_t(Folders) + 5, 0), std::nullopt);
    }
    EXPECT_EQ(openHandleCount(), handlesBefore);
}

TEST_F(DirectoryReaderTest, aLookUpAbandonedBeforeItEndsLeavesNoHandleOpen) {
    for (int folder = 0; folder < 40; ++folder) {
        ASSERT_TRUE(QDir(m_folder.path()).mkdir(u"f%1"_s.arg(folder)));
        writeFile(u"f%1/m.swf"_s.arg(folder), 1);
    }
    const qsizetype handlesBefore = openHandleCount();
    {
        BackgroundFileSizes backgroundSizes;
        for (int folder = 0; folder < 40; ++folder) {
            ASSERT_TRUE(DirectoryReader::read(
                m_folder.filePath(u"f%1"_s.arg(folder)), [](const QString&) { return true; },
                &backgroundSizes));
        }
    }
    EXPECT_EQ(openHandleCount(), handlesBefore);
}

} // namespace
} // namespace kf
