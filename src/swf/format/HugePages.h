#pragma once

#include <cstddef>

namespace kf::swf {

// Asks the system to back a large buffer that is about to be filled with huge pages, where it
// offers them on request: a movie's parsed tags or inflated body take hundreds of megabytes
// written once front to back, and faulting them in four kilobytes at a time costs more than
// filling them. Only whole huge pages inside the buffer are affected; small buffers and other
// systems are left alone.
void preferHugePages(void* data, std::size_t bytes);

} // namespace kf::swf
