#include <QFile>
#include <QLocale>

#include <string>

#include "app/shell/frmMain.h"
#include "app/shell/shell_fixture.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

using namespace mdlPublic;
using shelltest::ShellTest;

class Startup : public ShellTest {
protected:
    // Runs Main with the start dialog skipped, so only the tables and the main window are involved.
    void runMain() {
        setSetting("StartDialog", "1");
        shelltest::registerFakeConfigForms();
        Main();
    }
    bool mainWindowOpen() const { return platform::loadedForm<frmMain>() != nullptr; }
    void expectStartFailure(int number) {
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0].title, "Vandor.Public.Main");
        EXPECT_EQ(boxes()[0].style, 16);
        EXPECT_EQ(boxes()[0].text.rfind("Unexpected Error " + std::to_string(number) + "\n", 0), 0u) << boxes()[0].text;
        EXPECT_FALSE(mainWindowOpen());
        EXPECT_EQ(platform::Forms().Count(), 0);
    }
};

TEST_F(Startup, LoadsTablesAndOpensTheMainWindow) {
    writeData("1,0,\"Chip Ferrite Bead (KSV series)\",\"S1\",\"T1\",\"100MHz\",\"KSV1\",\"OLD1\"\r\n"
              "2,3,\"Chip Common Mode Choke Coil\",\"S2\",\"T2\",\"\",\"WQ2\",\"YZ2\"\r\n",
              "0,\"CMOS\",\"74HC04\",5\r\n1,\"TTL\",\"74LS04\",4.75\r\n");
    runMain();
    EXPECT_TRUE(boxes().empty());
    ASSERT_TRUE(mainWindowOpen());
    EXPECT_EQ(PathSep, "/");
    ASSERT_EQ(FilterCount, 2);
    EXPECT_EQ(FilterIndex[1].PartType, 3);
    EXPECT_EQ(FilterIndex[1].PartNote, "");
    EXPECT_EQ(FilterIndex[1].PrevPartNum, "YZ2");
    ASSERT_EQ(IcCount, 2);
    EXPECT_EQ(IcIndex[1].RecNo, 2);  // the line number, not read from the file
    EXPECT_EQ(IcIndex[1].Name, "74LS04");
    EXPECT_FLOAT_EQ(IcIndex[1].Voltage, 4.75f);
    EXPECT_EQ(ConfigWindowState, 2);
    EXPECT_EQ(Config2WindowState, 2);
}

TEST_F(Startup, TableLimits) {
    writeData(shelltest::filterLines(268), shelltest::icLines(30));
    runMain();
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(FilterCount, 268);
    EXPECT_EQ(FilterIndex[267].GlobalPartNum, "KSV268");
    EXPECT_EQ(IcCount, 30);
}

TEST_F(Startup, A269thPartStopsWithTheErrorBoxAndNoWindow) {
    writeData(shelltest::filterLines(269), shelltest::icLines(2));
    runMain();
    expectStartFailure(9);
    EXPECT_EQ(FilterCount, 0);  // no partial table
}

TEST_F(Startup, A31stIcStopsWithTheErrorBoxAndNoWindow) {
    writeData(shelltest::filterLines(2), shelltest::icLines(31));
    runMain();
    expectStartFailure(9);
    EXPECT_EQ(IcCount, 0);
}

TEST_F(Startup, MissingOrDamagedFilesStopWithTheErrorBox) {
    QFile::remove(QString::fromStdString(dataFile("ic.idx")));
    runMain();
    expectStartFailure(53);

    platform::testing::clearMessageBoxes();
    writeData("40000,0,a,b,c,d,e,f\r\n", shelltest::icLines(1));  // RecNo beyond a 16-bit field
    runMain();
    expectStartFailure(6);

    platform::testing::clearMessageBoxes();
    writeData("1,0,a,b,c\r\n", shelltest::icLines(1));  // the file ends inside the record
    runMain();
    expectStartFailure(62);
}

TEST_F(Startup, AFailureWhileTheMainWindowLoadsLeavesNoWindow) {
    app::registerFormLoader("frmConfig", []() -> platform::Form& { platform::raiseError(platform::errOverflow); });
    setSetting("StartDialog", "1");
    Main();
    expectStartFailure(6);
}

TEST_F(Startup, EmptyPartIndexStarts) {
    writeData("", shelltest::icLines(1));
    runMain();
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(mainWindowOpen());
    EXPECT_EQ(FilterCount, 0);
    EXPECT_EQ(CheckFilPartnum("KSV1", 0, 0), -1);
}

TEST_F(Startup, FieldsAreCountedNotLines) {
    // A quoted comma stays in its field; a record split over lines is one record; a short line
    // takes its missing fields from the next.
    writeData("1, 0, \"Chip TESSOR (QTA :Capacitor type)\", \"a, b\",T,,QTA1,OLD1\r\n"
              "2,1,P,S\r\nT,N,QTA2,OLD2\r\n",
              "0,CMOS,\"IC, fast\",3.3\r\n");
    loadFilterIndex(dataFile("filtere.idx"));
    loadIcIndex(dataFile("ic.idx"));
    ASSERT_EQ(FilterCount, 2);
    EXPECT_EQ(FilterIndex[0].Primary, "Chip TESSOR (QTA :Capacitor type)");
    EXPECT_EQ(FilterIndex[0].Secondary, "a, b");
    EXPECT_EQ(FilterIndex[0].PartNote, "");
    EXPECT_EQ(FilterIndex[1].Secondary, "S");
    EXPECT_EQ(FilterIndex[1].Tertiary, "T");
    EXPECT_EQ(FilterIndex[1].PartNote, "N");
    EXPECT_EQ(FilterIndex[1].GlobalPartNum, "QTA2");
    EXPECT_EQ(FilterIndex[1].PrevPartNum, "OLD2");
    EXPECT_EQ(IcIndex[0].Name, "IC, fast");
}

TEST_F(Startup, MaterialsFollowTheLocaleDecimalSign) {
    const QLocale keep;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    fillMaterials();
    EXPECT_EQ(Materials[0].Name, "BT Epoxy Blends (K=4.1)");
    EXPECT_EQ(Materials[6].Name, "Phenolic-paper (K=4.7)");
    const float k[7] = {4.1f, 4.4f, 4.3f, 4.6f, 4.4f, 4.0f, 4.7f};
    for (int i = 0; i < 7; ++i) EXPECT_FLOAT_EQ(Materials[i].K, k[i]);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    fillMaterials();
    EXPECT_EQ(Materials[0].Name, "BT Epoxy Blends (K=4,1)");
    EXPECT_EQ(Materials[5].Name, "Epoxy-paper (K=4,0)");
    for (int i = 0; i < 7; ++i) EXPECT_FLOAT_EQ(Materials[i].K, k[i]);
    QLocale::setDefault(keep);
}

TEST_F(Startup, SettingsReadAsTheirValuesOrZero) {
    for (const char* key : {"PartnumType", "SimType", "DccType", "StartDialog"}) EXPECT_EQ(GetAppSetting(key), "0");
    setSetting("SimType", "3");
    setSetting("DccType", "2");
    EXPECT_EQ(GetAppSetting("SimType"), "3");
    EXPECT_EQ(GetAppSetting("DccType"), "2");
    // A damaged store reads as the default, so start-up can always convert what it reads.
    setSetting("SimType", "7");
    setSetting("StartDialog", "yes");
    setSetting("PartnumType", "");
    EXPECT_EQ(GetAppSetting("SimType"), "0");
    EXPECT_EQ(GetAppSetting("StartDialog"), "0");
    EXPECT_EQ(GetAppSetting("PartnumType"), "0");
    saveAppSetting("StartDialog", "1");
    EXPECT_EQ(setting("StartDialog"), "1");
}

}  // namespace
