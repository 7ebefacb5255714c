#include "shell/ViewMenu.h"

#include "shell/WindowLayout.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

constexpr int FirstScaleItem = 0;
constexpr int LastScaleItem = 2;
constexpr int ZoomIn = 50;
constexpr int ZoomOut = 200;

// The caption item 10 carries in list mode: it offers the animation.
QString listModeCaption() {
    return u"动画(&M)"_s;
}

QString animationModeCaption() {
    return u"列表(&M)"_s;
}

} // namespace

void SetTopMost(QWidget& window, bool topMost, WindowSystemService& windowSystem) {
    // A refusal is not reported: the check mark then shows a state the window lacks.
    windowSystem.SetWindowPos(window, topMost);
}

void ViewMenu::ViewCommand(int Index) {
    switch (Index) {
    case 0: // 全部显示
    case 1: // 随窗口大小变化
    case 2: // 缩放至窗口大小
        chooseScale(Index);
        break;
    case 4: // 放大画面
        zoom(ZoomIn);
        break;
    case 5: // 缩小画面
        zoom(ZoomOut);
        break;
    case 6: // 全屏显示
        m_parts.window.FullScreenSWF();
        break;
    case ModeItem: // 动画 / 列表
        switchMode();
        break;
    case TopMostItem: // 窗口置顶
        toggleTopMost();
        break;
    default: // separators 3, 7, 9 and the quality submenu 8
        break;
    }
}

void ViewMenu::chooseScale(int Index) {
    // Not toggles: the chosen item ends checked even when it was already.
    for (int item = FirstScaleItem; item <= LastScaleItem; ++item) {
        if (QAction* scale = m_parts.mnuview.item(item)) {
            scale->setChecked(false);
        }
    }
    if (QAction* chosen = m_parts.mnuview.item(Index)) {
        chosen->setChecked(true);
    }
    if (FlashControl* swfFlash1 = m_parts.host.swfFlash1()) {
        swfFlash1->setScaleMode(Index);
    }
}

void ViewMenu::zoom(int factor) {
    if (FlashControl* swfFlash1 = m_parts.host.swfFlash1()) {
        swfFlash1->Zoom(factor);
    }
}

void ViewMenu::switchMode() {
    QAction* modeItem = m_parts.mnuview.item(ModeItem);
    if (!modeItem) {
        return;
    }
    // The whole caption decides, case and accelerator included: it is the mode's only record.
    const bool listModeNow = modeItem->text() == listModeCaption();
    modeItem->setText(listModeNow ? animationModeCaption() : listModeCaption());
    m_parts.lvlist.setVisible(!listModeNow);
    FlashControl* swfFlash1 = m_parts.host.swfFlash1();
    if (!swfFlash1) {
        return;
    }
    const bool statusBarVisible = m_parts.SBar.isVisibleTo(&m_parts.clientArea);
    swfFlash1->Move(playerArea(m_parts.clientArea.size(), statusBarVisible, m_parts.SBar.height()));
    swfFlash1->setVisible(listModeNow);
}

void ViewMenu::toggleTopMost() {
    QAction* topMost = m_parts.mnuview.item(TopMostItem);
    if (!topMost) {
        return;
    }
    topMost->setChecked(!topMost->isChecked());
    SetTopMost(m_parts.mainWindow, topMost->isChecked(), m_parts.windowSystem);
}

} // namespace kf
