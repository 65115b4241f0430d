#include "core/MemoryCanvasWin32.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
TEST(MemoryCanvas, MakesItsBitmapOnlyWhenTheSizeReallyChangesAndKeepsThePictureThroughAMinimisedSize) {
    TMemoryCanvas canvas;
    std::vector<std::pair<int, int>> resizes;
    canvas.OnResize = [&](HDC dc, int width, int height) {
        EXPECT_EQ(dc, canvas.DC());
        resizes.emplace_back(width, height);
    };
    EXPECT_EQ(canvas.Bits(), nullptr);  // nothing before the first use
    canvas.Update();
    canvas.SetSize(640, 360);
    canvas.SetSize(200, 100);
    canvas.Update();
    EXPECT_EQ(resizes, (std::vector<std::pair<int, int>>{{640, 360}, {200, 100}}));
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(canvas.Bitmap(), sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 200);
    EXPECT_EQ(info.bmBitsPixel, 32);
    const HBITMAP before = canvas.Bitmap();
    canvas.SetSize(0, 0);  // what a minimised window measures
    EXPECT_EQ(canvas.Bitmap(), before);
    EXPECT_EQ(GetCurrentObject(canvas.DC(), OBJ_BITMAP), before);
    EXPECT_TRUE(canvas.NeedsRealloc());
    canvas.SetSize(200, 100);
    EXPECT_FALSE(canvas.NeedsRealloc());
    EXPECT_EQ(resizes.size(), 3u);
    // Draw copies the whole surface to the point given.
    SetPixel(canvas.DC(), 199, 99, RGB(255, 0, 0));
    TMemoryCanvas target;
    target.SetSize(300, 200);
    EXPECT_EQ(canvas.Draw(target.DC(), 5, 6), 0u);
    EXPECT_EQ(GetPixel(target.DC(), 204, 105), RGB(255, 0, 0));
}
}  // namespace
