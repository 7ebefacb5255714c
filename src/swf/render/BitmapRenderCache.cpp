#include "swf/render/BitmapRenderCache.h"

#include "swf/render/BitmapDecoder.h"
#include "swf/runtime/BitmapCharacter.h"

#include <memory>

namespace kf::swf {

const QImage* BitmapRenderCache::imageOf(const BitmapCharacter& bitmap) {
    if (!bitmap.renderCache) {
        auto cache = std::make_shared<BitmapRenderCache>();
        if (Result<QImage> decoded = BitmapDecoder::decode(bitmap)) {
            cache->m_image = std::move(*decoded);
        }
        bitmap.renderCache = std::move(cache);
    }
    const auto* cache = static_cast<const BitmapRenderCache*>(bitmap.renderCache.get());
    return cache->m_image.isNull() ? nullptr : &cache->m_image;
}

} // namespace kf::swf
