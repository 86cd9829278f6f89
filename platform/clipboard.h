#pragma once
// The system clipboard, as far as the program uses it: a chart copied as a picture.

#include "platform/types.h"

namespace platform {

namespace Clipboard {

void Clear();
// Puts the picture on the clipboard as an image. A null picture is error 5.
void SetData(const Picture& picture);
// What the clipboard holds as an image now (null when it holds none).
Picture GetData();

}  // namespace Clipboard

}  // namespace platform
