#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/NvFormWin32.h"
#include "core/NvListViewWin32.h"
#include "core/RowModel.h"

namespace {
constexpr int kRows = 10000;
constexpr TColor kRed = 0x0000FF;

// Names unique and shuffled, sizes with many ties (compared as numbers), every seventh row red.
class TFiles : public IRowSource {
  public:
    int RowCount() const override { return kRows; }
    std::string CellText(int row, int column) const override {
        if (column == 0)
            return Name(row);
        return column == 1 ? std::to_string(Size(row)) : (row % 2 ? "odd" : "even");
    }
    TRowColors RowColors(int row) const override {
        TRowColors colors;
        colors.hasText = row % 7 == 0;
        colors.text = kRed;
        return colors;
    }
    int CompareRows(int a, int b, int column) const override {
        return column == 1 ? Size(a) - Size(b) : IRowSource::CompareRows(a, b, column);
    }
    static int Size(int row) { return (row * 7919) % 97; }
    // A third each of "file", "Grid" and "\xE9t\xE9" (e acute, sorting after the letters), in that order by name.
    static std::string Name(int row) {
        const char* words[] = {"\xE9t\xE9 ", "file ", "Grid "};
        return words[row % 3] + std::to_string(static_cast<uint32_t>(row) * 2654435761u % 1000003u);
    }
};

class TTestForm : public TNvForm {
  public:
    TTestForm() : TNvForm(nullptr) { CreateForm("Rows test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 640, 480); }
};

class NvListViewRows : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        form = std::make_unique<TTestForm>();
        list = &form->Add<TNvListView>(TNvListView::kOwnerDataStyle);
        list->SetBounds(0, 0, 600, 400);
        const TNvColumn columns[] = {{200, 0, "Name"}, {80, 1, "Size"}, {80, 0, "Kind"}};
        list->AddColumns(columns);
        list->SetRows(&view, &files);
    }
    void TearDown() override {
        form.reset();
        MSG msg;  // the test form was the main window: its end asked the loop to quit
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // Sent the way the list view tells its parent about a header click.
    void ClickHeader(int column) {
        NMLISTVIEW notify{};
        notify.hdr = {list->Handle(), 0, LVN_COLUMNCLICK};
        notify.iItem = -1;
        notify.iSubItem = column;
        SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    }
    // The texts of the column as the control reports them, against the rows in the expected order: a sample of
    // rows and the last (each text is a round trip through the control, slow under Wine).
    void ExpectColumn(const std::vector<int>& order, int column) {
        constexpr size_t kStep = 31;
        ASSERT_EQ(list->ItemCount(), static_cast<int>(order.size()));
        int wrong = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i % kStep != 0 && i + 1 != order.size())
                continue;
            if (list->ItemText(static_cast<int>(i), column) != files.CellText(order[i], column) && ++wrong <= 3)
                ADD_FAILURE() << "row " << i << " column " << column << ": "
                              << list->ItemText(static_cast<int>(i), column);
        }
        EXPECT_EQ(wrong, 0);
    }
    bool SelectedRowInView() {
        const int selected = list->Selected();
        const auto top = static_cast<int>(SendMessageA(list->Handle(), LVM_GETTOPINDEX, 0, 0));
        const auto page = static_cast<int>(SendMessageA(list->Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
        return selected >= top && selected < top + page;
    }

    TFiles files;
    TRowView view;
    std::unique_ptr<TTestForm> form;
    TNvListView* list = nullptr;
};

// The source rows in the order a sort by size gives: ties ascending by source row in both directions.
std::vector<int> BySize(bool descending) {
    std::vector<int> rows(kRows);
    for (int i = 0; i < kRows; ++i)
        rows[static_cast<size_t>(i)] = i;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        return descending ? TFiles::Size(a) > TFiles::Size(b) : TFiles::Size(a) < TFiles::Size(b);
    });
    return rows;
}

TEST_F(NvListViewRows, HeaderClicksSortTenThousandRowsBothWaysKeepingTheSelectedRowSelectedAndInView) {
    EXPECT_EQ(list->ItemCount(), kRows);
    list->SelectSourceRow(4321);
    for (const bool descending : {false, true, false}) {
        ClickHeader(1);
        EXPECT_EQ(list->SortDescending(), descending);
        ExpectColumn(BySize(descending), 1);
        ExpectColumn(BySize(descending), 0);
        EXPECT_EQ(list->SelectedSourceRow(), 4321);
        EXPECT_EQ(list->ItemText(list->Selected(), 0), TFiles::Name(4321));
        EXPECT_TRUE(SelectedRowInView());
    }
    // The control speaks Unicode to its parent when told to; the texts stay the same.
    SendMessageA(list->Handle(), LVM_SETUNICODEFORMAT, TRUE, 0);
    ExpectColumn(BySize(false), 0);
}

TEST_F(NvListViewRows, AFilterKeepsTheScrollPositionAndTheSelectedRowWhileItIsVisible) {
    list->SetSortColumn(1);
    list->SelectSourceRow(388);  // size 0, near the top, and kept by the first filter
    SendMessageA(list->Handle(), LVM_SCROLL, 0, 20 * 16);
    const auto top = SendMessageA(list->Handle(), LVM_GETTOPINDEX, 0, 0);
    ASSERT_GT(top, 0);
    int changes = 0;
    list->OnChange = [&] { ++changes; };

    view.SetFilter([](int row) { return row % 3 == 1; });
    list->RowsChanged();
    EXPECT_EQ(list->ItemCount(), view.Count());
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETTOPINDEX, 0, 0), top);
    EXPECT_EQ(list->SelectedSourceRow(), 388);
    EXPECT_EQ(list->Selected(), view.VisibleIndexOf(388));
    EXPECT_EQ(changes, 0);

    view.SetFilter([](int row) { return row % 3 == 2; });
    list->RowsChanged();
    EXPECT_EQ(list->SelectedSourceRow(), -1);
    EXPECT_EQ(list->Selected(), -1);
    EXPECT_EQ(changes, 1);
}

TEST_F(NvListViewRows, TypingFindsTheNextCaptionAndColouredRowsDrawInTheirColour) {
    constexpr int kFileRows = kRows / 3;  // then as many "Grid" rows
    list->SelectSourceRow(view.SourceRow(0));
    SendMessageA(list->Handle(), WM_CHAR, 'g', 1);  // a repeat count of 1, as a typed key has
    EXPECT_EQ(list->Selected(), kFileRows);
    EXPECT_EQ(list->SelectedSourceRow(), view.SourceRow(kFileRows));
    // The control may also ask in ANSI; a capital E acute finds the first e acute.
    NMLVFINDITEMA find{};
    find.hdr = {list->Handle(), 0, static_cast<UINT>(LVN_ODFINDITEMA)};
    find.iStart = 1;
    find.lvfi.flags = LVFI_PARTIAL | LVFI_WRAP;
    find.lvfi.psz = "\xC9";
    EXPECT_EQ(SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&find)), 2 * kFileRows);

    for (const int row : {7, 8}) {  // red, plain
        const int visible = view.VisibleIndexOf(row);
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr = {list->Handle(), 0, static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(visible);
        draw.clrText = CLR_DEFAULT;
        const LRESULT result = SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
        EXPECT_EQ(draw.clrText, row == 7 ? kRed : CLR_DEFAULT) << row;
        EXPECT_EQ(result, row == 7 ? CDRF_NEWFONT : CDRF_DODEFAULT) << row;
    }
}
}  // namespace
