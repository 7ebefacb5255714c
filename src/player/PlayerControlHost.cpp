#include "player/PlayerControlHost.h"

#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace kf {

PlayerControlHost::PlayerControlHost(QWidget& LblSWF, Factory factory, Completion complete)
    : m_LblSWF(LblSWF), m_factory(std::move(factory)), m_complete(std::move(complete)) {}

bool PlayerControlHost::prepare() {
    // Created when missing rather than when the hook is missing: a hook that failed must not
    // lead to a second control.
    if (!m_swfFlash1) {
        m_swfFlash1 = m_factory(m_LblSWF.parentWidget());
        if (!m_swfFlash1) {
            return false;
        }
    }
    FlashControl& control = *m_swfFlash1;
    control.Move(m_LblSWF.geometry());
    control.setWMode(u"Transparent"_s);
    control.setMenu(false);
    control.setProperty202(u"True"_s);
    control.setVisible(true);
    control.ZOrder(0);
    control.setBackgroundColor(-1);
    return true;
}

void PlayerControlHost::complete() {
    if (m_swfFlash1 && m_complete) {
        m_complete(*m_swfFlash1);
    }
}

} // namespace kf
