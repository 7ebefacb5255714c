#pragma once

#include "swf/avm1/Interpreter.h"

#include <string_view>
#include <vector>

namespace kf::swf::avm1 {

// addListener and removeListener on `source`, over a hidden `_listeners` array, as
// AsBroadcaster gives Key, Mouse and Stage.
void installListeners(Interpreter& vm, Object& source);

// Calls `method` on every listener of `source`, in the order they were added. A listener
// added or removed by a handler takes effect from the next broadcast.
void broadcast(Interpreter& vm, Object& source, std::string_view method,
               const std::vector<Value>& arguments = {});

} // namespace kf::swf::avm1
