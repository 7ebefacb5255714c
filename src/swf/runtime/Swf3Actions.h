#pragma once

namespace kf::swf {

class ActionRunner;

// The actions of SWF 3: timeline control, setTarget, waitForFrame, getURL, toggleQuality
// and stopSounds.
void registerSwf3Actions(ActionRunner& runner);

} // namespace kf::swf
