#include "screen/ImageTable.h"

#include "values/HostFailure.h"

namespace korvelin {

ImageBuffer* ImageTable::find(std::int32_t owner) {
    // The last match wins, though only one can match.
    for (auto it = buffers_.rbegin(); it != buffers_.rend(); ++it)
        if (it->owner == owner) return &*it;
    return nullptr;
}

ImageBuffer& ImageTable::findOrCreate(std::int32_t owner) {
    if (ImageBuffer* found = find(owner)) return *found;
    if (imageBufferCount() >= MaxImageBuffers) failHost(HostFailureKind::Other);
    buffers_.reserve(MaxImageBuffers); // buffers never move while a statement holds one
    buffers_.push_back({owner, QImage()});
    return buffers_.back();
}

void ImageTable::checkRoom(const ImageBuffer* buffer, std::int64_t width, std::int64_t height) const {
    const std::int64_t pixels = width * height;
    if (width < 0 || height < 0 || pixels > MaxImagePixels) failHost(HostFailureKind::Other);
    std::int64_t held = 0;
    for (const ImageBuffer& b : buffers_)
        if (&b != buffer) held += static_cast<std::int64_t>(b.picture.width()) * b.picture.height();
    if (held + pixels > MaxImageTablePixels) failHost(HostFailureKind::Other);
}

} // namespace korvelin
