// The differential form without the engine library: its own process, as the library stays bound
// once any test has used it.
#include <string>

#include "diff_fixture.h"

namespace {

using namespace difftest;

class Config2WithoutEngine : public DiffTest {};

TEST_F(Config2WithoutEngine, ImpedancesStayEmptyAndTheFormStaysOpen) {
    QTemporaryDir empty;
    platform::setEngineFolder(empty.path().toStdString());
    ASSERT_FALSE(platform::engineBound());
    open();
    ASSERT_EQ(t::messageBoxes().size(), 1u);
    EXPECT_EQ(t::messageBoxes()[0].title, "Vandor.frmConfig2.CalcLineImpedance");
    EXPECT_NE(t::messageBoxes()[0].text.find("Unexpected Error "), std::string::npos);
    EXPECT_TRUE(lineLabel(7).Caption().empty());
    EXPECT_TRUE(lineLabel(8).Caption().empty());
    EXPECT_TRUE(form_->isLoaded());
    EXPECT_TRUE(form_->Visible());
    // With the library back the next trigger computes.
    platform::setEngineFolder(outDir_.string());
    t::clearMessageBoxes();
    typeEnter(lineBox(0), "0.5");
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(lineLabel(7).Caption().empty());
}

}  // namespace
