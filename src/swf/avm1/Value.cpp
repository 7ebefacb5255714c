#include "swf/avm1/Value.h"

#include "swf/avm1/Object.h"

namespace kf::swf::avm1 {

Value::Value(std::shared_ptr<Object> object) {
    if (object) {
        m_storage = std::move(object);
    } else {
        m_storage = Null{};
    }
}

} // namespace kf::swf::avm1
