#include "tools/system/HexViewerWin32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/NvFormWin32.h"

namespace {
class TForm : public TNvForm {
  public:
    TForm() : TNvForm(nullptr) { CreateForm("Hex test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 640, 480); }
};

struct TOpenHexViewer : THexViewer {
    using THexViewer::Paint;
    using THexViewer::THexViewer;
};

// Whether anything but the background shows where the cells and characters of the rows are.
bool RowsDrawn(TOpenHexViewer& view, const RECT& client) {
    TMemoryCanvas canvas;
    canvas.SetSize(client.right, client.bottom);
    canvas.Update();
    view.Paint(canvas.DC(), client);
    const COLORREF background = GetPixel(canvas.DC(), client.right - 1, client.bottom - 1);
    for (int y = view.Layout.HeaderHeight + 1; y < client.bottom; ++y)
        for (int x = view.Layout.OffsetWidth + 1; x < std::min<int>(client.right, view.Layout.CharLeft() + 120); ++x)
            if (x != view.Layout.CellsRight() && GetPixel(canvas.DC(), x, y) != background)
                return true;
    return false;
}
}  // namespace

// Scrolled to the end of a long block, then given a short one: the kept position shows empty rows and reads nothing
// past the short block; scrolled home, its bytes show again.
TEST(HexViewer, AShortBlockAfterALongOneShowsEmptyRowsUntilScrolled) {
    TForm form;
    auto& view = form.Add<TOpenHexViewer>();
    view.SetBounds(0, 0, 600, 240);
    const std::string longBlock(10000, 'A');
    view.SetData(longBlock.data(), longBlock.size());
    SendMessageA(view.Handle(), WM_KEYDOWN, VK_END, 0);
    ASSERT_GT(view.TopOffset(), 9000u);
    view.SetData("abc", 3);
    const RECT client = view.ClientRect();
    EXPECT_FALSE(RowsDrawn(view, client));
    SendMessageA(view.Handle(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(view.TopOffset(), 0u);
    EXPECT_TRUE(RowsDrawn(view, client));
}
