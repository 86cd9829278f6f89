#pragma once
// The circuit pictures of the image list imlMain, drawn by the program itself.

#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace app {

// Every picture under its key, in the image list's stored order: diagram blocks in black ("...b")
// and red ("...r"), the two line figures and the circuit diagrams of the printed page.
std::vector<std::pair<std::string, platform::Picture>> drawCircuitPictures();

}  // namespace app
