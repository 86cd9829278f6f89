#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "platform/errors.h"

namespace platform::Clipboard {

void Clear() { QGuiApplication::clipboard()->clear(); }

void SetData(const Picture& picture) {
    if (picture.isNull()) raiseError(errInvalidArgument);
    QGuiApplication::clipboard()->setImage(picture.image());
}

Picture GetData() {
    const QImage image = QGuiApplication::clipboard()->image();
    return image.isNull() ? Picture() : Picture(image);
}

}  // namespace platform::Clipboard
