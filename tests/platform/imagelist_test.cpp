#include <gtest/gtest.h>

#include <functional>

#include "platform/imagelist.h"
#include "platform/canvas.h"
#include "platform/errors.h"
#include "error_of.h"

using namespace platform;

namespace {

Picture redSquare(int size) {
    ImageCanvas c(size, size);
    c.Line(0, 0, c.ScaleWidth() / 2, c.ScaleHeight() / 2, RGB(255, 0, 0), LineShape::FilledBox);
    return c.snapshot();
}

}  // namespace

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
