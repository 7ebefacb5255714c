#pragma once

#include "swf/avm1/Interpreter.h"

namespace kf::swf::avm1 {

// Each family of actions registers its handlers in the interpreter's table.
void registerArithmeticActions(HandlerTable& table);
void registerComparisonActions(HandlerTable& table);
void registerStackActions(HandlerTable& table);
void registerVariableActions(HandlerTable& table);
void registerControlActions(HandlerTable& table);
void registerFunctionActions(HandlerTable& table);
void registerObjectActions(HandlerTable& table);
void registerClipActions(HandlerTable& table);
void registerStringActions(HandlerTable& table);

// Built-in classes and functions, one file each.
void installObject(Interpreter& vm);
void installFunction(Interpreter& vm);
void installArray(Interpreter& vm);
void installString(Interpreter& vm);
void installNumber(Interpreter& vm);
void installBoolean(Interpreter& vm);
void installMath(Interpreter& vm);
void installRectangle(Interpreter& vm);
// A flash.geom.Rectangle of these pixel values (a plain object where scripts see no flash package).
Value newRectangle(Interpreter& vm, double x, double y, double width, double height);
void installMovieClip(Interpreter& vm);
void installMovieClipGeometry(Interpreter& vm);
void installSound(Interpreter& vm);
void installColor(Interpreter& vm);
void installKey(Interpreter& vm);
void installMouse(Interpreter& vm);
void installButton(Interpreter& vm);
void installTextField(Interpreter& vm);
void installTextFormat(Interpreter& vm);
void installSelection(Interpreter& vm);
void installGlobalFunctions(Interpreter& vm);
void installBitmapData(Interpreter& vm);
void installMatrix(Interpreter& vm);

} // namespace kf::swf::avm1
