#include <gtest/gtest.h>

#include <functional>

#include "platform/imagelist.h"
#include "platform/canvas.h"
#include "platform_test_support.h"
#include "platform/errors.h"
#include "error_of.h"

using namespace platform;
using platformtest::redSquare;

TEST(ImageListTest, KeyedPicturesAndMissingKey) {
    ImageList list;
    list.add("cksve", redSquare(8));
    list.add("cksvb", redSquare(4));
    EXPECT_EQ(list.picture("cksve").widthPx(), 8);
    list.add("cksve", redSquare(6));
    EXPECT_EQ(list.picture("cksve").widthPx(), 6);
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(errorOf([&] { list.picture("cwqe"); }), 35603);
    EXPECT_EQ(errorOf([&] { list.add("x", Picture()); }), 5);
}
