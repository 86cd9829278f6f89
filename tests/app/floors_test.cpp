// The sources are built in floors: a file includes its own folder and the floors below it, never a
// floor above nor another folder of its own floor. Forms of one floor reach each other through the
// registry and the interfaces of app/shared; as every include goes down, the folders form no circle.
// And no file of app/ reaches a control by its name: a form uses its own members and asks another
// form through a method, so the compiler sees who depends on whom.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Floor {
    const char* folder;
    int floor;
    bool standardOnly;  // its system includes are the standard library's alone (no Qt)
};

// Bottom first, numbered as the README shows them. app/<name> is a folder of its own, app itself holds main() alone; a folder missing
// here fails the test, so a new one gets its floor when it is made.
constexpr Floor kFloors[] = {
    {"engine", -2, true},      {"platform", -1, false},    {"app/shared", 0, true},
    {"app/drawing", 1, true},  {"app/config", 2, true},    {"app/diffconfig", 2, true},
    {"app/charts", 2, true},   {"app/print", 3, true},     {"app/shell", 4, true},
    {"app", 5, false},
};

// engine/numeric belongs to engine, app/shell/help to app/shell.
std::string folderOf(const fs::path& file) {
    const fs::path dir = file.parent_path();
    auto part = dir.begin();
    std::string folder = part->string();
    if (folder == "app" && ++part != dir.end()) folder += "/" + part->string();
    return folder;
}

const Floor* floorOf(const std::string& folder) {
    for (const Floor& f : kFloors)
        if (folder == f.folder) return &f;
    return nullptr;
}

// A standard header is one lowercase word (<vector>, <cmath>); Qt's, and other libraries' with a
// folder or an extension, are not.
bool isStandardHeader(const std::string& name) { return std::regex_match(name, std::regex("[a-z_]+")); }

// Every rule the include lines of one file break.
std::vector<std::string> brokenRules(const fs::path& root, const fs::path& file) {
    std::vector<std::string> broken;
    const std::string folder = folderOf(file);
    const Floor* own = floorOf(folder);
    if (!own) return {file.string() + ": folder " + folder + " has no floor"};
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::ifstream in(root / file);
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (!std::regex_search(line, m, include)) continue;
        const std::string target = m[2];
        const std::string where = file.string() + " includes " + target + ": ";
        if (m[1] == "<") {
            if (own->standardOnly && !isStandardHeader(target)) broken.push_back(where + "not the standard library");
            continue;
        }
        const std::string to = target.find('/') == std::string::npos ? folder : folderOf(target);
        const Floor* other = floorOf(to);
        if (!other)
            broken.push_back(where + "folder " + to + " has no floor");
        else if (other->floor > own->floor)
            broken.push_back(where + "a higher floor");
        else if (other->floor == own->floor && to != folder)
            broken.push_back(where + "another folder of its floor");
    }
    return broken;
}

// The lines of one file that look a control, or another window's menu item, up by its name.
std::vector<std::string> controlsByName(const fs::path& root, const fs::path& file) {
    static const std::regex lookup(R"(\bcontrol(ByName\s*\(|Of\s*<)|(\.|->)\s*menuByName\s*\()");
    std::vector<std::string> found;
    std::ifstream in(root / file);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n)
        if (std::regex_search(line, lookup)) found.push_back(file.string() + ":" + std::to_string(n) + ": " + line);
    return found;
}

// The sources of engine/, platform/ and app/, relative to the root.
std::vector<fs::path> sources(const fs::path& root) {
    std::vector<fs::path> files;
    for (const char* top : {"engine", "platform", "app"})
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const fs::path ext = entry.path().extension();
            if (ext == ".h" || ext == ".cpp") files.push_back(fs::relative(entry.path(), root));
        }
    return files;
}

TEST(Floors, EveryIncludeGoesToItsOwnFolderOrDown) {
    const fs::path root = QUENLIS_SOURCE_DIR;
    const std::vector<fs::path> files = sources(root);
    EXPECT_GT(files.size(), 100u);
    for (const fs::path& file : files)
        for (const std::string& rule : brokenRules(root, file)) ADD_FAILURE() << rule;
}

TEST(Floors, NoFormReachesAControlByName) {
    const fs::path root = QUENLIS_SOURCE_DIR;
    for (const fs::path& file : sources(root))
        if (folderOf(file).rfind("app", 0) == 0)
            for (const std::string& line : controlsByName(root, file)) ADD_FAILURE() << line;
}

}  // namespace
