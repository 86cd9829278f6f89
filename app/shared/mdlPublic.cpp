// Start-up of the program and the loading of the shared tables.
#include "app/shared/mdlPublic.h"

#include <memory>

#include "app/shared/main_window.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/files.h"
#include "platform/strings.h"

namespace mdlPublic {

namespace {

// Dielectric constants of the board materials, in the order of their names 6101 to 6107.
constexpr float kMaterialK[7] = {4.1f, 4.4f, 4.3f, 4.6f, 4.4f, 4.0f, 4.7f};
constexpr int kFirstMaterialString = 6101;

}  // namespace

std::string dataFolder() { return ProgramFolder + PathSep + "data"; }

std::string dataPath(const std::string& fileName) { return dataFolder() + PathSep + fileName; }

void loadFilterIndex(const std::string& path) {
    // Read into a scratch table so that a failure leaves no partial table behind.
    auto table = std::make_unique<std::array<FilterIndexRecord, MaxFilters>>();
    int count = 0;
    platform::TextInput input(path);
    while (!input.atEnd()) {
        if (count >= MaxFilters) platform::raiseError(platform::errSubscript);
        FilterIndexRecord& r = (*table)[count];
        r.RecNo = input.readInteger();
        r.PartType = input.readLong();
        r.Primary = input.readString();
        r.Secondary = input.readString();
        r.Tertiary = input.readString();
        r.PartNote = input.readString();
        r.GlobalPartNum = input.readString();
        r.PrevPartNum = input.readString();
        ++count;
    }
    FilterIndex = *table;
    FilterCount = static_cast<std::int16_t>(count);
}

void loadIcIndex(const std::string& path) {
    std::array<IcIndexRecord, MaxIcs> table{};
    int count = 0;
    platform::TextInput input(path);
    while (!input.atEnd()) {
        if (count >= MaxIcs) platform::raiseError(platform::errSubscript);
        IcIndexRecord& r = table[count];
        r.RecNo = static_cast<std::int16_t>(count + 1);
        r.Kind = input.readInteger();
        r.Family = input.readString();
        r.Name = input.readString();
        r.Voltage = input.readSingle();
        ++count;
    }
    IcIndex = table;
    IcCount = static_cast<std::int16_t>(count);
}

void fillMaterials() {
    std::array<MaterialRecord, 7> table;
    for (int i = 0; i < 7; ++i) {
        table[i].Name = platform::LoadResString(kFirstMaterialString + i);
        table[i].K = kMaterialK[i];
    }
    // Names carry their constant; in a decimal-comma locale it reads "K=4,1" like every number shown.
    if (platform::DecimalSign() == ",")
        for (MaterialRecord& m : table) ReplaceAll(m.Name, ".", ",");
    Materials = table;
}

void Main() {
    try {
        // Always "/" here: the folder of a Linux program has no drive letter to look past.
        PathSep.assign(1, '/');
        loadFilterIndex(dataPath("filtere.idx"));
        loadIcIndex(dataPath("ic.idx"));
        fillMaterials();
        ConfigWindowState = 2;
        Config2WindowState = 2;
        app::mainWindow().Show();
    } catch (...) {
        platform::showErrorBox("Vandor.Public.Main", platform::trappedError());
        // A start-up that failed part-way leaves no window behind, so the program ends.
        for (int i = platform::Forms().Count() - 1; i >= 0; --i)
            if (i < platform::Forms().Count()) platform::Unload(platform::Forms()(i));
    }
}

}  // namespace mdlPublic
