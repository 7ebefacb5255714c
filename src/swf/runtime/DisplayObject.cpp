#include "swf/runtime/DisplayObject.h"

#include "swf/runtime/SpriteObject.h"

namespace kf::swf {

DisplayObject::~DisplayObject() {
    setScriptMask(nullptr);
    if (m_maskedObject) {
        m_maskedObject->m_scriptMask = nullptr;
    }
}

void DisplayObject::setScriptMask(DisplayObject* mask) {
    if (mask == this) {
        mask = nullptr;
    }
    if (m_scriptMask) {
        m_scriptMask->m_maskedObject = nullptr;
        m_scriptMask = nullptr;
    }
    if (!mask) {
        return;
    }
    // The mask leaves whatever it masked before; this object leaves its old mask.
    if (mask->m_maskedObject) {
        mask->m_maskedObject->m_scriptMask = nullptr;
    }
    if (m_maskedObject == mask) {
        m_maskedObject = nullptr;
        mask->m_scriptMask = nullptr;
    }
    mask->m_maskedObject = this;
    m_scriptMask = mask;
}

Matrix DisplayObject::worldMatrix() const {
    Matrix result = contentMatrix();
    for (const DisplayObject* ancestor = m_parent; ancestor != nullptr; ancestor = ancestor->parent()) {
        result = ancestor->contentMatrix() * result;
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

Matrix DisplayObject::contentMatrix() const {
    if (!m_scrollRect) {
        return matrix();
    }
    return matrix() * Matrix::translation(-m_scrollRect->xMin.value, -m_scrollRect->yMin.value);
}

} // namespace kf::swf
