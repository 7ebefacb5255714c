#include "controls/SteppingMenu.h"

#include <iterator>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

// Frames per step of the speed items 0, 1 and 2: the third speed steps 4, not 3.
constexpr int StepOfItem[] = {1, 2, 4};

// The step is found anew each time from the check marks, so a speed clicked during the loop
// takes over at once and an unchecked submenu ends the loop; 0 when none is checked.
int checkedStep(const MenuArray& speeds) {
    for (int item = 0; item < int(std::size(StepOfItem)); ++item) {
        const QAction* speed = speeds.item(item);
        if (speed && speed->isChecked()) {
            return StepOfItem[item];
        }
    }
    return 0;
}

} // namespace

void SteppingMenu::MnuBack_Click(int Index) {
    runLoop(Direction::Back, m_parts.MnuBack, Index);
}

void SteppingMenu::MnuFast_Click(int Index) {
    runLoop(Direction::Fast, m_parts.MnuFast, Index);
}

void SteppingMenu::runLoop(Direction direction, const MenuArray& speeds, int Index) {
    if (!m_parts.host.swfFlash1()) {
        return;
    }
    for (int item = 0; item < speeds.count(); ++item) {
        speeds.item(item)->setChecked(false);
    }
    QAction* clicked = speeds.item(Index);
    if (clicked) {
        clicked->setChecked(true);
    }
    m_parts.state.StopFlag = 0;
    // The first step is made whatever the frame; the bound is tested only after it.
    while (true) {
        const int step = checkedStep(speeds);
        if (step == 0) {
            break;
        }
        // The control lives until the window goes, but every command may run in the pumps:
        // it is read anew rather than kept across them.
        FlashControl* swfFlash1 = m_parts.host.swfFlash1();
        // Not clamped here: the player decides what a frame outside the movie means, and the
        // loop goes on by what it reads back.
        const int frame = swfFlash1->FrameNum();
        swfFlash1->setFrameNum(direction == Direction::Back ? frame - step : frame + step);
        showPosition(*swfFlash1);
        for (int pump = 0; pump < PumpsPerStep; ++pump) {
            m_parts.eventPump.processPendingEvents();
        }
        if (!goesOn(direction, *m_parts.host.swfFlash1())) {
            break;
        }
    }
    if (clicked) {
        clicked->setChecked(false);
    }
    m_parts.host.swfFlash1()->Play();
}

void SteppingMenu::showPosition(const FlashControl& swfFlash1) {
    // Hidden in full-screen mode: the loop runs on without showing where it is.
    if (m_parts.SBar.isHidden()) {
        return;
    }
    m_parts.SBar.setPanelText(1, u"%1/%2"_s.arg(swfFlash1.FrameNum()).arg(swfFlash1.TotalFrames()));
}

bool SteppingMenu::goesOn(Direction direction, const FlashControl& swfFlash1) const {
    if (m_parts.state.StopFlag != 0) {
        return false;
    }
    const int frame = swfFlash1.FrameNum();
    return direction == Direction::Back ? frame > 0 : frame < swfFlash1.TotalFrames() - EndMargin;
}

} // namespace kf
