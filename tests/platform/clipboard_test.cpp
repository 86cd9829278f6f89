#include <QImage>
#include <gtest/gtest.h>

#include <functional>

#include "platform/clipboard.h"
#include "platform/canvas.h"

using namespace platform;

namespace {

Picture redSquare(int size) {
    ImageCanvas c(size, size);
    c.Line(0, 0, c.ScaleWidth() / 2, c.ScaleHeight() / 2, RGB(255, 0, 0), LineShape::FilledBox);
    return c.snapshot();
}

}  // namespace

TEST(ClipboardTest, HoldsTheImageOfThePicture) {
    const Picture chart = redSquare(40);
    Clipboard::Clear();
    EXPECT_TRUE(Clipboard::GetData().isNull());
    Clipboard::SetData(chart);
    const Picture back = Clipboard::GetData();
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.image().convertToFormat(QImage::Format_RGB32), chart.image().convertToFormat(QImage::Format_RGB32));
    Clipboard::Clear();
    EXPECT_TRUE(Clipboard::GetData().isNull());
}
