#pragma once

#include "player/FlashControl.h"

#include <functional>
#include <memory>

class QWidget;

namespace kf {

// The one run-time player control (swfFlash1): created over the label LblSWF at the first
// load, reused for every later one, and readied before each load. The window owns it.
class PlayerControlHost {
public:
    using Factory = std::function<std::unique_ptr<FlashControl>(QWidget* parent)>;
    // Hooks the control's own window after a load; the hook itself decides it is needed once.
    using Completion = std::function<void(FlashControl& control)>;

    PlayerControlHost(QWidget& LblSWF, Factory factory, Completion complete);

    // swfFlash1: null until the first load.
    FlashControl* swfFlash1() const { return m_swfFlash1.get(); }

    // Creates the control when there is none, then places, configures, shows and raises it.
    // False when no control could be created; the load then ends here.
    bool prepare();
    void complete();

private:
    QWidget& m_LblSWF;
    Factory m_factory;
    Completion m_complete;
    std::unique_ptr<FlashControl> m_swfFlash1;
};

} // namespace kf
