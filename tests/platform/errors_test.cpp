#include "platform/errors.h"

#include <gtest/gtest.h>

TEST(RuntimeError, CarriesNumberAndDefaultDescription) {
    try {
        platform::raiseError(platform::errFileNotFound);
        FAIL();
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
        EXPECT_EQ(e.description(), "File not found");
    }
    EXPECT_EQ(platform::RuntimeError(1001, "mine").description(), "mine");
}
