#pragma once

#include "swf/format/Color.h"
#include "swf/render/TextDrawer.h"

#include <QRectF>
#include <QTransform>

namespace kf::swf {

class BitmapObject;
class DisplayList;
class DisplayObject;
class RenderBackend;
class ShapeDrawer;

// Walks a display list tree in depth order: composes matrices and colour transforms down
// the tree, skips what is hidden, opens a mask for every clip-depth object and closes it
// after the last depth it covers, and hands shapes to the drawer.
class DisplayTreeWalker {
public:
    DisplayTreeWalker(RenderBackend& backend, ShapeDrawer& drawer);

    void walk(const DisplayList& list, const QTransform& parentWorld, const ColorTransform& parentTransform);

private:
    void drawObject(const DisplayObject& object, const QTransform& world, const ColorTransform& transform);
    // A script's setMask: the masked object is drawn through its mask, which is not drawn.
    static bool isScriptMask(const DisplayObject& object);
    // Opens the mask `object` shows through, when it has one; the caller pops it after.
    bool beginScriptMask(const DisplayObject& object);
    void drawMaskObject(const DisplayObject& object, const QTransform& world);
    void drawBitmap(const BitmapObject& bitmap, const QTransform& world, const ColorTransform& transform,
                    bool asMask);
    static QRectF bitmapArea(const BitmapObject& bitmap);
    // Opens the mask of the object's scrollRect, when it has one; the caller pops it after.
    // Drawn as part of a mask the object keeps its scroll offset but is not cut, as in
    // Flash Player.
    bool beginScrollClip(const DisplayObject& object, const QTransform& world);
    // Where the object and its visible, unmasked children land, in output pixels.
    QRectF deviceBounds(const DisplayObject& object, const QTransform& world, int level) const;

    // Nested sprites deeper than this are not drawn: a hostile file cannot exhaust the stack.
    static constexpr int maximumNesting = 256;

    RenderBackend& m_backend;
    ShapeDrawer& m_drawer;
    TextDrawer m_textDrawer;
    QTransform m_stageWorld; // stage twips to output pixels
    int m_nesting = 0;
    int m_openLayers = 0; // layers of blending ancestors around the object being drawn
};

} // namespace kf::swf
