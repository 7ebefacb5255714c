#pragma once

#include "swf/format/Movie.h"

#include <set>
#include <string>

namespace kf::swf {

// The features a movie uses that the engine does not handle yet (tags it only keeps raw,
// ActionScript beyond SWF 3, filters), so a failed conformance test says what it needs.
std::set<std::string> unsupportedFeatures(const Movie& movie);

} // namespace kf::swf
