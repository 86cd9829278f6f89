// Writes the sample catalogue: mkcatalog <parts source> <IC source> <output folder>.
// Refuses the whole catalogue, naming the row, when any row breaks a rule; then nothing is written.

#include "catalog.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const std::filesystem::path& path, const void* data, std::size_t size) {
    // Write beside the target and rename, so a reader never sees half a file.
    const std::filesystem::path temp = path.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) throw std::runtime_error("cannot write " + temp.string());
    }
    std::filesystem::rename(temp, path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: mkcatalog <parts source> <IC source> <output folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path partsPath = argv[1], icsPath = argv[2], outDir = argv[3];
        const auto parts = mkcatalog::parsePartRows(readText(partsPath), partsPath.filename().string());
        const auto ics = mkcatalog::parseIcRows(readText(icsPath), icsPath.filename().string());
        mkcatalog::validateParts(parts);
        mkcatalog::validateIcs(ics);

        const std::string filterIndex = mkcatalog::filterIndexText(parts);
        const std::string icIndex = mkcatalog::icIndexText(ics);
        const auto filterDat = mkcatalog::filterData(parts);
        const auto icDat = mkcatalog::icData(ics);

        std::filesystem::create_directories(outDir);
        writeBytes(outDir / "filtere.idx", filterIndex.data(), filterIndex.size());
        writeBytes(outDir / "ic.idx", icIndex.data(), icIndex.size());
        writeBytes(outDir / "filter.dat", filterDat.data(), filterDat.size());
        writeBytes(outDir / "ic.dat", icDat.data(), icDat.size());
        std::cout << "mkcatalog: " << parts.size() << " parts, " << ics.size() << " ICs\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "mkcatalog: " << e.what() << "\n";
        return 1;
    }
}
