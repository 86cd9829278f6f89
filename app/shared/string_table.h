#pragma once
// The program's string table: every caption, menu text and message of the forms, by id (5000 to 7099).

#include <span>
#include <string_view>

namespace app {

struct StringEntry {
    int id;
    std::string_view text;
};

// All entries, ascending by id.
std::span<const StringEntry> stringTable();

// Hands the table to the run-time's LoadResString and the program's title to its AppTitle; called
// once by main() before Main.
void registerStringTable();

}  // namespace app
