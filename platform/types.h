#pragma once
// Small value types shared by every part of the GUI layer.

#include <cstdint>
#include <memory>

class QImage;

namespace platform {

// A colour as the forms use it: red + 256 * green + 65536 * blue.
using Color = std::uint32_t;

constexpr Color RGB(int red, int green, int blue) {
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// Geometry of forms and controls is in twips: 15 twips a pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

// An immutable bitmap: an image-list entry, a picture box's image, a clipboard copy.
// Copies share the pixels.
class Picture {
public:
    Picture() = default;
    explicit Picture(const QImage& image);

    bool isNull() const { return !image_; }
    int widthPx() const;
    int heightPx() const;
    // The pixels, for the layer itself; a null picture gives an empty image.
    const QImage& image() const;

private:
    std::shared_ptr<const QImage> image_;
};

}  // namespace platform
