#include <QImage>
#include <gtest/gtest.h>

#include <functional>

#include "platform/clipboard.h"
#include "platform/canvas.h"
#include "platform_test_support.h"

using namespace platform;
using platformtest::redSquare;

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
