#include "platform/types.h"

#include <QImage>

namespace platform {

Picture::Picture(const QImage& image) : image_(std::make_shared<const QImage>(image)) {}

int Picture::widthPx() const { return image_ ? image_->width() : 0; }
int Picture::heightPx() const { return image_ ? image_->height() : 0; }

const QImage& Picture::image() const {
    static const QImage empty;
    return image_ ? *image_ : empty;
}

}  // namespace platform
