#include "platform/ScriptedPlatform.h"

#include "QStringPrinter.h"
#include "RecordingFrmmain.h"
#include "TestApplication.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class DropTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        ASSERT_TRUE(m_folder.isValid());
        m_window =
            std::make_unique<test::RecordingFrmmain>(m_platform.services(), m_folder.path(), QStringList());
        m_window->Form_Load();
        m_window->calls.clear();
        m_window->state().CurrentIndex = 2;
    }

    static std::unique_ptr<QMimeData> files(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        data->setUrls(urls);
        return data;
    }

    static std::unique_ptr<QMimeData> text(const QString& content) {
        auto data = std::make_unique<QMimeData>();
        data->setText(content);
        return data;
    }

    // What the window system does for a drag released over a widget: enter, then drop.
    // Returns whether the widget offered to take the drag.
    static bool dragAndDrop(QWidget* target, const QMimeData& data) {
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return true;
    }

    QStringList paths() const {
        QStringList result;
        for (const PlaylistEntry& entry : m_window->playlist().entries()) {
            result.append(entry.path);
        }
        return result;
    }

    QTemporaryDir m_folder;
    ScriptedPlatform m_platform;
    std::unique_ptr<test::RecordingFrmmain> m_window;
};

TEST_F(DropTest, filesDroppedOnTheWindowAreAppendedInOrderAndNothingPlays) {
    m_window->playlist().AddToList(u"http://example.org/first.swf"_s);
    const QString chinese = u"/媒体/动画 第一集.swf"_s;
    EXPECT_TRUE(dragAndDrop(m_window.get(), *files({u"/media/c.swf"_s, chinese, u"/media/a.flv"_s})));
    EXPECT_EQ(paths(), (QStringList{u"http://example.org/first.swf"_s, u"/media/c.swf"_s, chinese,
                                    u"/media/a.flv"_s}));
    EXPECT_EQ(m_window->playlist().entryAt(3).name, u"动画 第一集"_s);
    EXPECT_TRUE(m_window->calls.isEmpty());
    EXPECT_EQ(m_window->state().CurrentIndex, 2);
}

TEST_F(DropTest, theVisibleListTakesFilesThroughItsOwnDropPath) {
    PlaylistView* lvlist = m_window->lvlist();
    // The label under the list takes no drops, so over the player area they reach the window.
    EXPECT_FALSE(m_window->LblSWF()->acceptDrops());
    EXPECT_TRUE(lvlist->viewport()->acceptDrops());

    EXPECT_TRUE(dragAndDrop(lvlist->viewport(), *files({u"/media/x.swf"_s, u"/media/y.swf"_s})));
    EXPECT_EQ(paths(), (QStringList{u"/media/x.swf"_s, u"/media/y.swf"_s}));
    EXPECT_TRUE(m_window->calls.isEmpty());
}

TEST_F(DropTest, aDropOfTextIsRefusedEverywhere) {
    EXPECT_FALSE(dragAndDrop(m_window.get(), *text(u"/media/a.swf"_s)));
    EXPECT_FALSE(dragAndDrop(m_window->lvlist()->viewport(), *text(u"/media/a.swf"_s)));

    // Even a drop that skips the offer adds nothing.
    const std::unique_ptr<QMimeData> plain = text(u"/media/a.swf"_s);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, plain.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &drop);
    QCoreApplication::sendEvent(m_window->lvlist()->viewport(), &drop);
    EXPECT_EQ(m_window->playlist().count(), 0);
}

TEST_F(DropTest, fileMenuCloseReachesThePlayerAndQuitUnloadsTheWindow) {
    m_window->playlist().AddToList(u"/media/a.swf"_s);
    m_window->menus().item(MenuArrayId::mnufile, 8)->trigger();
    EXPECT_EQ(m_window->calls, QStringList{u"Movie http://"_s});
    EXPECT_EQ(m_window->playlist().count(), 1);
    EXPECT_EQ(m_window->state().CurrentIndex, 2);

    m_window->menus().item(MenuArrayId::mnufile, 10)->trigger();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_window->OldWndProc().isInstalled());
}

} // namespace
} // namespace kf
