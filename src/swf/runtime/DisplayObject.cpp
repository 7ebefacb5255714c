#include "swf/runtime/DisplayObject.h"

#include "swf/runtime/SpriteObject.h"

namespace kf::swf {

Matrix DisplayObject::worldMatrix() const {
    Matrix result = matrix();
    for (const DisplayObject* ancestor = m_parent; ancestor != nullptr; ancestor = ancestor->parent()) {
        result = ancestor->matrix() * result;
    }
    return result;
}

ColorTransform DisplayObject::worldColorTransform() const {
    ColorTransform result = colorTransform();
    for (const DisplayObject* ancestor = m_parent; ancestor != nullptr; ancestor = ancestor->parent()) {
        result = result.concatenated(ancestor->colorTransform());
    }
    return result;
}

} // namespace kf::swf
