#pragma once
// The viewer of the program's own help file (HTML).

#include <string>

namespace platform {

// Opens (or raises) the help window at the file's start. A missing or unreadable file is shown
// as a notice inside the viewer; it never raises an error.
void showHelp(const std::string& path);
// For tests: whether the viewer is open, and the plain text it shows.
bool helpVisible();
std::string helpText();
void closeHelp();

}  // namespace platform
