#pragma once

namespace kf {

// The application-wide mouse pointer: the hourglass over every window of the program while
// a long command runs, or the default.
void setBusyMousePointer(bool busy);

} // namespace kf
