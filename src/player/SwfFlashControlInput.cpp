// The Flash control's share of interaction: the stage widget's mouse and keys reach the
// movie, and the stage shows what the scripts they ran changed.
#include "player/StageWidget.h"
#include "player/SwfFlashControl.h"
#include "swf/runtime/MoviePlayer.h"

namespace kf {

void SwfFlashControl::connectStageInput() {
    auto pointer = [this](void (swf::MoviePlayer::*deliver)(double, double)) {
        return [this, deliver](double x, double y) {
            if (hasMovie()) {
                (m_player.get()->*deliver)(x, y);
                afterInput();
            }
        };
    };
    auto key = [this](void (swf::MoviePlayer::*deliver)(int, char16_t)) {
        return [this, deliver](int code, int character) {
            if (hasMovie()) {
                (m_player.get()->*deliver)(code, static_cast<char16_t>(character));
                afterInput();
            }
        };
    };
    connect(m_stage, &StageWidget::stageMouseMoved, this, pointer(&swf::MoviePlayer::mouseMove));
    connect(m_stage, &StageWidget::stageMousePressed, this, pointer(&swf::MoviePlayer::mouseDown));
    connect(m_stage, &StageWidget::stageMouseReleased, this, pointer(&swf::MoviePlayer::mouseUp));
    connect(m_stage, &StageWidget::stageKeyPressed, this, key(&swf::MoviePlayer::keyDown));
    connect(m_stage, &StageWidget::stageKeyReleased, this, key(&swf::MoviePlayer::keyUp));
}

void SwfFlashControl::afterInput() {
    m_stage->setCursor(m_player->wantsHandCursor() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_stage->update();
    // A button's script may have played or stopped the movie.
    followPlayState();
}

} // namespace kf
