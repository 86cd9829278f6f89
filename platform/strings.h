#pragma once
// The program's string table, title and version.

#include <map>
#include <string>

namespace platform {

// Registered once at start by the program; a later registration replaces the same ids.
void registerStrings(const std::map<int, std::string>& table);
// The text of id; an id that is not in the table is error 326.
std::string LoadResString(int id);

// The program's title (default "vandore", until the program sets its own): the default title of the
// message boxes and the title of the help window and the printer's notices.
std::string AppTitle();
void setAppTitle(const std::string& title);

// The program's version from the build.
int AppMajor();
int AppMinor();
int AppRevision();

}  // namespace platform
