#include "controls/ControlMenu.h"

#include "player/FrmmainApi.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

constexpr int FirstPlayMode = 11;
constexpr int LastPlayMode = 14;

} // namespace

void ControlMenu::ControlCommand(int Index) {
    switch (Index) {
    case 0: // 播放
        play();
        break;
    case 1: // 暂停
        m_parts.state.PausedFlag = true;
        SwfPause(true);
        break;
    case 2: // 停止
        stop();
        break;
    case 6: // 转到帧
        goToFrame();
        break;
    case 8: // 上一个
    case 9: // 下一个
        if (m_parts.host.swfFlash1()) {
            m_parts.monitor.PlayNext(Index == 8 ? -1 : +1);
        }
        break;
    case 11: // 单个循环
    case 12: // 目录循环
    case 13: // 随机播放
    case 14: // 手动选择
        choosePlayMode(Index);
        break;
    case 16: // 退出全屏
        m_parts.window.FullScreenSWF();
        break;
    default: // separators and submenus
        break;
    }
}

void ControlMenu::SwfPause(bool Pause) {
    FlashControl* swfFlash1 = m_parts.host.swfFlash1();
    if (!swfFlash1) {
        return;
    }
    if (Pause) {
        swfFlash1->StopPlay();
    } else {
        swfFlash1->Play();
    }
}

void ControlMenu::play() {
    // Ends a running rewind or fast-forward loop at its next check.
    m_parts.state.StopFlag = 1;
    m_parts.monitor.swftimer().start();
    m_parts.state.PausedFlag = false;
    FlashControl* swfFlash1 = m_parts.host.swfFlash1();
    if (!swfFlash1) {
        return;
    }
    swfFlash1->ZOrder(0);
    swfFlash1->Play();
    const QAction* singleLoop = m_parts.mnuset.item(FirstPlayMode);
    swfFlash1->setLoop(singleLoop && singleLoop->isChecked());
    swfFlash1->SetFocus();
}

void ControlMenu::stop() {
    FlashControl* swfFlash1 = m_parts.host.swfFlash1();
    if (!swfFlash1) {
        return;
    }
    // StopFlag stays as it is: a running stepping loop goes on after Stop.
    m_parts.monitor.swftimer().stop();
    swfFlash1->Rewind();
    swfFlash1->StopPlay();
    swfFlash1->SetFocus();
}

void ControlMenu::goToFrame() {
    FlashControl* swfFlash1 = m_parts.host.swfFlash1();
    if (!swfFlash1) {
        return;
    }
    const QString position = u"%1,%2"_s.arg(swfFlash1->CurrentFrame()).arg(swfFlash1->TotalFrames());
    const QString answer = m_parts.inputBox.askText(
        u"请告诉我你要跳到哪一帧，下面显示的是该FLASH当前播放的帧数和总帧数"_s, u"跳帧"_s, position);
    bool converted = false;
    int frame = QLocale().toInt(answer.trimmed(), &converted);
    if (!converted) {
        frame = 0;
    }
    // Strict at both ends: frame 0 and the total are refused, as the box has always done.
    if (frame > 0 && frame < swfFlash1->TotalFrames()) {
        swfFlash1->GotoFrame(frame);
        swfFlash1->SetFocus();
    }
}

void ControlMenu::choosePlayMode(int Index) {
    for (int item = FirstPlayMode; item <= LastPlayMode; ++item) {
        QAction* mode = m_parts.mnuset.item(item);
        if (item != Index && mode) {
            mode->setChecked(false);
        }
    }
    if (QAction* clicked = m_parts.mnuset.item(Index)) {
        clicked->setChecked(!clicked->isChecked());
    }
}

} // namespace kf
