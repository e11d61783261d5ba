#pragma once
// The image buffers of GET, PUT, BLOAD and BSAVE: entries 1..100, each
// owned by an array variable (the value-pool slot of its element 0) and
// holding one picture. They live until the next run starts.
//
// Pictures are bounded, one by one and all together, so that no program
// can make the interpreter take gigabytes: asking for more is the
// out-of-memory failure.

#include <QImage>

#include <cstdint>
#include <vector>

namespace korvelin {

inline constexpr int MaxImageBuffers = 100;
// 4096 x 4096 pixels for one picture, six times that for all of them.
inline constexpr std::int64_t MaxImagePixels = std::int64_t{1} << 24;
inline constexpr std::int64_t MaxImageTablePixels = 6 * MaxImagePixels;

struct ImageBuffer {
    std::int32_t owner = -1;
    QImage picture; // RGB32, width x height of the image held
};

class ImageTable {
  public:
    // The buffer owned by this slot, or null.
    ImageBuffer* find(std::int32_t owner);
    // The buffer owned by this slot, made when missing (the out-of-memory
    // failure when all 100 are taken).
    ImageBuffer& findOrCreate(std::int32_t owner);
    // Throws the out-of-memory failure unless a picture of this size may
    // replace the one `buffer` holds (null: a new buffer).
    void checkRoom(const ImageBuffer* buffer, std::int64_t width, std::int64_t height) const;
    int imageBufferCount() const { return static_cast<int>(buffers_.size()); }
    void clear() { buffers_.clear(); }

  private:
    std::vector<ImageBuffer> buffers_;
};

} // namespace korvelin
