#pragma once

namespace kf::swf {
class DisplayObject;
}

namespace kf::swf::avm1 {

class Interpreter;

// _xscale, _yscale, _rotation, _width and _height of a display object. Scale and rotation
// read back exactly what a script wrote while the matrix is the one that write produced;
// otherwise they are derived from the matrix. Widths and heights come from the object's
// bounds in its parent's space, in pixels.
double clipXScale(Interpreter& vm, DisplayObject& clip);
double clipYScale(Interpreter& vm, DisplayObject& clip);
double clipRotation(Interpreter& vm, DisplayObject& clip);
double clipWidth(const DisplayObject& clip);
double clipHeight(const DisplayObject& clip);

// NaN leaves a property as it was; so do infinities, except for a rotation.
void setClipXScale(Interpreter& vm, DisplayObject& clip, double percent);
void setClipYScale(Interpreter& vm, DisplayObject& clip, double percent);
void setClipRotation(Interpreter& vm, DisplayObject& clip, double degrees);
void setClipWidth(Interpreter& vm, DisplayObject& clip, double pixels);
void setClipHeight(Interpreter& vm, DisplayObject& clip, double pixels);

} // namespace kf::swf::avm1
