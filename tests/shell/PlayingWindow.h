#pragma once

#include "platform/ScriptedPlatform.h"

#include "ApplicationTest.h"
#include "RecordingFrmmain.h"
#include "TestMovies.h"

#include <QTemporaryDir>

#include <memory>

namespace kf::test {

// A loaded main window on the scripted desktop, with movies written into its folder. Waits
// inside Delay pass a tenth of a second per pumped event, so a restart takes 15 pumps.
class PlayingWindowTest : public ApplicationTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_platform.eventPump.setOnPump([this] { m_platform.clock.advance(0.1); });
        m_window = std::make_unique<RecordingFrmmain>(m_platform.services(), m_folder.path(), QStringList{});
        m_window->Form_Load();
        m_window->calls.clear();
    }

    QString movie(const QString& name, int frames) { return writeMovie(QDir(m_folder.path()), name, frames); }
    QString path(const QString& name) const { return QDir(m_folder.path()).filePath(name); }

    void setPlayMode(int item) {
        for (int index = 11; index <= 14; ++index) {
            mnuset(index)->setChecked(index == item);
        }
    }
    QAction* mnuset(int index) { return m_window->menus().item(MenuArrayId::mnuset, index); }

    // Plays the entry at a 1-based position, as a double-click on it does.
    void playEntry(int position) {
        m_window->lvlist()->selectRow(position - 1);
        m_window->lvlist_DblClick();
    }
    void tick() { m_window->monitor().swftimer_Timer(); }
    FlashControl& player() { return *m_window->swfFlash1(); }
    int current() const { return m_window->state().CurrentIndex; }

    QTemporaryDir m_folder;
    ScriptedPlatform m_platform;
    std::unique_ptr<RecordingFrmmain> m_window;
};

} // namespace kf::test
