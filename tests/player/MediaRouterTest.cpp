#include "player/MediaRouter.h"
#include "player/FrmmainApi.h"

#include "ApplicationTest.h"
#include "QStringPrinter.h"
#include "RecordingFlashControl.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

// The window's side of a load: Play is ControlCommand 0, written into the control's log so
// the order of the two can be checked.
class LoadingWindow : public FrmmainApi {
public:
    void InitSWF(const QString&, bool) override {}
    void setPlayerMovie(const QString&) override {}
    void ViewCommand(int) override {}
    void ControlCommand(int Index) override {
        if (control) {
            control->calls.append(u"ControlCommand %1"_s.arg(Index));
        }
    }
    void HelpCommand(int) override {}
    void lvlist_DblClick() override {}
    void FullScreenSWF() override {}

    test::RecordingFlashControl* control = nullptr;
};

class MediaRouterTest : public test::ApplicationTest {
protected:
    void SetUp() override {
        m_state.PlayerColors = {u"0x000000"_s, u"0xCCCCCC"_s, u"0x557722"_s, u"0x000000"_s};
        m_state.AppPath = u"/opt/kf/"_s;
        m_label->setGeometry(0, 0, 320, 200);
    }

    // The calls of one load, after the preparation steps.
    QStringList load(const QString& path, bool play = true) {
        m_router.InitSWF(path, play);
        if (!m_window.control) {
            return {};
        }
        QStringList calls = m_window.control->calls;
        m_window.control->calls.clear();
        return calls.mid(7);
    }

    QString address(const QString& escaped) const { return mediaPlayerAddress(m_state, escaped); }

    QWidget m_client;
    QLabel* m_label = new QLabel(&m_client);
    ProgramState m_state;
    LoadingWindow m_window;
    int m_created = 0;
    int m_completed = 0;
    PlayerControlHost m_host{*m_label,
                             [this](QWidget*) -> std::unique_ptr<FlashControl> {
                                 ++m_created;
                                 auto control = std::make_unique<test::RecordingFlashControl>();
                                 m_window.control = control.get();
                                 return control;
                             },
                             [this](FlashControl& control) {
                                 ++m_completed;
                                 static_cast<test::RecordingFlashControl&>(control).calls.append(
                                     u"complete"_s);
                             }};
    MediaRouter m_router{m_host, m_window, m_state};
};

TEST_F(MediaRouterTest, everyLoadPreparesTheOneControlThenLoadsStopsPlaysAndCompletes) {
    m_router.InitSWF(u"/m/a.swf"_s, true);
    ASSERT_NE(m_window.control, nullptr);
    EXPECT_EQ(m_window.control->calls,
              (QStringList{u"Move 0,0 320x200"_s, u"WMode Transparent"_s, u"Menu false"_s, u"202 True"_s,
                           u"Visible true"_s, u"ZOrder 0"_s, u"BackgroundColor -1"_s, u"Movie /m/a.swf"_s,
                           u"StopPlay"_s, u"ControlCommand 0"_s, u"complete"_s}));
    m_window.control->calls.clear();
    EXPECT_EQ(load(u"/m/b.swf"_s, false), (QStringList{u"Movie /m/b.swf"_s, u"StopPlay"_s, u"complete"_s}));
    EXPECT_EQ(m_created, 1);
    EXPECT_EQ(m_completed, 2);
}

TEST_F(MediaRouterTest, aHiddenControlIsShownAgainAtTheLabelsCurrentRectangle) {
    m_router.InitSWF(u"/m/a.swf"_s, true);
    m_window.control->setVisible(false);
    m_label->setGeometry(10, 20, 300, 150);
    m_window.control->calls.clear();
    m_router.InitSWF(u"/m/a.swf"_s, true);
    EXPECT_EQ(m_window.control->calls.first(), u"Move 10,20 300x150"_s);
    EXPECT_TRUE(m_window.control->Visible());
    EXPECT_EQ(m_created, 1);
}

TEST_F(MediaRouterTest, onlyLowerCaseSwfGoesStraightToTheControl) {
    m_router.InitSWF(u"/m/a.swf"_s, true);
    m_window.control->calls.clear();
    EXPECT_EQ(load(u"/m/A.SWF"_s), (QStringList{u"200"_s, u"Movie "_s + address(u"%2fm%2fA.SWF"_s),
                                                u"StopPlay"_s, u"ControlCommand 0"_s, u"complete"_s}));
    EXPECT_EQ(load(u"http://x.org/a.swf"_s).first(), u"Movie http://x.org/a.swf"_s);
    EXPECT_EQ(load(u"http://x.org/v.mp4"_s)[1], u"Movie "_s + address(u"http%3a%2f%2fx.org%2fv.mp4"_s));
    EXPECT_EQ(load(QString())[1], u"Movie "_s + address(QString()));
    EXPECT_TRUE(address(QString()).contains(u"file=&backcolor"_s));
}

TEST_F(MediaRouterTest, audioGetsThePluginVariableBeforeItsAddress) {
    m_router.InitSWF(u"/m/a.swf"_s, true);
    m_window.control->calls.clear();
    EXPECT_EQ(load(u"/m/a&b#1.mp3"_s), (QStringList{u"200"_s, u"SetVariable plugins=revolt-1"_s,
                                                    u"Movie "_s + address(u"%2fm%2fa&b#1.mp3"_s),
                                                    u"StopPlay"_s, u"ControlCommand 0"_s, u"complete"_s}));
}

TEST_F(MediaRouterTest, playlistSetsBaseAndVariableThenLoadsTheUnescapedPlaylistAddress) {
    m_router.InitSWF(u"/m/a.swf"_s, true);
    m_window.control->calls.clear();
    EXPECT_EQ(load(u"/m/list.xml"_s),
              (QStringList{u"Base "_s, u"SetVariable playlistfile=/m/list.xml"_s,
                           u"LoadMovie 0 "_s + playlistAddress(m_state, u"/m/list.xml"_s), u"StopPlay"_s,
                           u"ControlCommand 0"_s, u"complete"_s}));
    EXPECT_EQ(load(u"http%3a%2f%2fh%5cdir%5clist.xml"_s).first(), u"Base http%3a%2f%2fh%5cdir%5c"_s);
}

TEST_F(MediaRouterTest, aControlThatCannotBeCreatedEndsTheLoadSilently) {
    PlayerControlHost failing(
        *m_label, [](QWidget*) { return std::unique_ptr<FlashControl>(); },
        [this](FlashControl&) { ++m_completed; });
    LoadingWindow window;
    MediaRouter router(failing, window, m_state);
    router.InitSWF(u"/m/a.swf"_s, true);
    EXPECT_EQ(failing.swfFlash1(), nullptr);
    EXPECT_EQ(m_completed, 0);
}

} // namespace
} // namespace kf
