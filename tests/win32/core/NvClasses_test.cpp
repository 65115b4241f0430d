#include <windows.h>

#include <commctrl.h>
#include <richedit.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/MemoryCanvasWin32.h"
#include "core/NvFormWin32.h"
#include "core/NvImageListWin32.h"
#include "core/NvListViewWin32.h"
#include "core/NvMemoWin32.h"
#include "core/NvMenuWin32.h"
#include "core/NvPanelWin32.h"
#include "core/NvRichOutputWin32.h"
#include "core/NvRules.h"
#include "core/RowModel.h"

// Win32 structures are set up with designated initializers; the fields not named are zero.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {
class TTestForm : public TNvForm {
  public:
    TTestForm() : TNvForm(nullptr) { CreateForm("Nv test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 640, 480); }
};

class NvControls : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        form = std::make_unique<TTestForm>();
        ASSERT_NE(form->Handle(), nullptr);
    }
    void TearDown() override {
        form.reset();
        MSG msg;  // the test form was the main window: its end asked the loop to quit
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // Sent to the form the way a control tells its parent.
    LRESULT Notify(const NMHDR& header) {
        return SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }
    std::unique_ptr<TTestForm> form;
};

// A square 32-bit surface to draw into and read pixels back from.
struct TCanvas : TMemoryCanvas {
    explicit TCanvas(int size) { SetSize(size, size); }
    HDC dc() const { return DC(); }
};

// The header's sort arrows, a character per column: '^' up, 'v' down, '.' none.
std::string Arrows(const TNvListView& list) {
    std::string arrows;
    for (int i = 0; i < list.ColumnCount(); ++i) {
        HDITEMA item{.mask = HDI_FORMAT};
        SendMessageA(ListView_GetHeader(list.Handle()), HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        const bool up = item.fmt & kHeaderSortUp, down = item.fmt & kHeaderSortDown;
        arrows += up && down ? '!' : up ? '^' : down ? 'v' : '.';
    }
    return arrows;
}

const TNvMenuItem kFileMenu[] = {
    {1, kShortCutCtrl | 'S', "&Save", 0, -1},
    {0, 0, "-", 0, -1},
    {2, kShortCutShift | VK_F8, "&Mark", kMenuRadio, -1},
    {3, kShortCutAlt | VK_RETURN, "&Full Screen", kMenuDisabled, -1},
};
const TNvMenuItem kViewMenu[] = {{7, 'F', "&Fonts", 0, -1}, {8, 0, "&Hidden", kMenuRadio, -1}};

TEST_F(NvControls, MenusShowTheirTablesFindItemsByIdAndDrawThePicturesOfAnImageListOfResourceBitmaps) {
    auto& menu = form->Add<TNvMainMenu>();
    TNvMenuEntry& file = menu.AddMenu("&File", kFileMenu, 3, [](const TNvMenuItem&) {});
    menu.AddMenu("&View", kViewMenu, 1, [](const TNvMenuItem&) {});
    std::vector<std::string> items;  // the count is the last record's index
    for (int i = 0; i < GetMenuItemCount(file.SubMenu()); ++i) {
        char text[64] = "";
        GetMenuStringA(file.SubMenu(), i, text, sizeof text, MF_BYPOSITION);
        MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_FTYPE | MIIM_STATE};
        GetMenuItemInfoA(file.SubMenu(), i, TRUE, &info);
        items.push_back(text + std::string(info.fType & MFT_SEPARATOR ? "-" : "") +
                        (info.fType & MFT_RADIOCHECK ? " (radio)" : "") + (info.fState & MFS_DISABLED ? " (off)" : ""));
    }
    EXPECT_EQ(items, (std::vector<std::string>{"&Save\tCtrl+S", "-", "&Mark\tShift+F8 (radio)",
                                               "&Full Screen\tAlt+Enter (off)"}));
    EXPECT_EQ(menu.FindItem(8) ? menu.FindItem(8)->Record() : nullptr, &kViewMenu[1]);
    // A menu rebuilt on every change keeps its command numbers instead of coming round to those of the others.
    static const TNvMenuItem kOne[] = {{1, 0, "&One", 0, -1}};
    TNvMenuEntry& rebuilt = menu.AddMenu("&Rebuilt", std::vector<const TNvMenuItem*>{}, TNvMenuClick());
    int clicks = 0;
    const UINT taken = file.Items()[0]->Command();
    for (int i = 0; i < 0x10000 && (i == 0 || rebuilt.Items()[0]->Command() != taken); ++i)
        menu.ReplaceItems(rebuilt, {&kOne[0]}, [&](const TNvMenuItem&) { ++clicks; });
    SendMessageA(form->Handle(), WM_COMMAND, rebuilt.Items()[0]->Command(), 0);
    EXPECT_EQ(clicks, 1) << "the click went to another menu's item";

    // Resource bitmaps load up to the first missing number: 1040's run, none at 1028, then 1024's run.
    TNvImageList images;
    EXPECT_EQ(images.AddResourceBitmaps(1040), 11);
    EXPECT_EQ(images.AddResourceBitmaps(1028), 0);
    EXPECT_EQ(images.AddResourceBitmaps(1024), 4);
    ASSERT_EQ(images.Count(), 15);
    const TCanvas canvas(16), drawn(16);
    const RECT all{0, 0, 16, 16};
    const TBrushHandle green(CreateSolidBrush(RGB(0, 255, 0)));
    for (const int index : {11, 0}) {  // a picture of each run
        FillRect(canvas.dc(), &all, green.get());
        ImageList_Draw(images.Handle(), index, canvas.dc(), 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(0, 255, 0)) << index;  // the magenta corner let the canvas through
        EXPECT_NE(GetPixel(canvas.dc(), 8, 8), RGB(0, 255, 0)) << index;
    }

    // A popup item with an image index shows that picture (12, bitmap 1025) of the menu's images.
    static const TNvMenuItem kPictured[] = {{1, 0, "&Good", 0, 12}, {2, 0, "&Plain", 0, -1}};
    auto& popup = form->Add<TNvPopupMenu>([](const TNvMenuItem&) {}, 1, kPictured);
    popup.SetImages(&images);
    const UINT good = popup.FindItem(1)->Command();
    MENUITEMINFOA info{.cbSize = sizeof info, .fMask = MIIM_BITMAP};
    GetMenuItemInfoA(popup.MenuHandle(), good, FALSE, &info);
    EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);
    GetMenuItemInfoA(popup.MenuHandle(), popup.FindItem(2)->Command(), FALSE, &info);
    EXPECT_EQ(info.hbmpItem, nullptr);
    // The window asks for the picture's size and has it drawn, as the menu does while it shows.
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, good, 0, 0, 0};
    SendMessageA(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemWidth, 16u);
    FillRect(drawn.dc(), &all, GetSysColorBrush(COLOR_MENU));
    FillRect(canvas.dc(), &all, GetSysColorBrush(COLOR_MENU));
    DRAWITEMSTRUCT draw{ODT_MENU, 0, good, ODA_DRAWENTIRE, 0, nullptr, drawn.dc(), all, 0};
    SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    ImageList_Draw(images.Handle(), 12, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    for (const POINT at : {POINT{3, 8}, POINT{8, 8}, POINT{0, 0}})
        EXPECT_EQ(GetPixel(drawn.dc(), at.x, at.y), GetPixel(canvas.dc(), at.x, at.y)) << at.x << "," << at.y;
    EXPECT_NE(GetPixel(drawn.dc(), 3, 8), GetSysColor(COLOR_MENU));
}

// Pixels from the start of a line to the text after one tab.
int TabAdvance(HWND edit) {
    SetWindowTextA(edit, "\tX");
    return LOWORD(SendMessageA(edit, EM_POSFROMCHAR, 1, 0)) - LOWORD(SendMessageA(edit, EM_POSFROMCHAR, 0, 0));
}

TEST_F(NvControls, AMemosTabsAreFourCharactersWideFollowingTabWidthAndAPanelPaintsItsOwnOrItsParentsColour) {
    auto& memo = form->Add<TNvMemo>();
    memo.SetBounds(0, 0, 400, 100);
    const int four = TabAdvance(memo.Handle());
    memo.SetTabWidth(8);
    EXPECT_GT(four, 0);
    EXPECT_NEAR(TabAdvance(memo.Handle()), 2 * four, 2);
    // A plain edit's tab stops are eight characters apart.
    HWND plain = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 400, 100, form->Handle(), nullptr,
                                 nullptr, nullptr);
    SendMessageA(plain, WM_SETFONT, reinterpret_cast<WPARAM>(memo.Font()), FALSE);
    EXPECT_NEAR(TabAdvance(plain), 2 * four, 2);
    DestroyWindow(plain);

    // The panel shows its parent's colour until it has its own, and OnPaint draws on top.
    form->SetColor(RGB(0, 128, 0));
    auto& panel = form->Add<TNvPanel>();
    panel.SetBounds(0, 0, 50, 50);
    panel.OnPaint = [](HDC dc) {
        const RECT corner{0, 0, 10, 10};
        FillRect(dc, &corner, TBrushHandle(CreateSolidBrush(RGB(0, 0, 255))).get());
    };
    const auto pixels = [&] {
        const TCanvas canvas(50);
        SendMessageA(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
        return std::pair(GetPixel(canvas.dc(), 30, 30), GetPixel(canvas.dc(), 5, 5));
    };
    EXPECT_EQ(pixels(), std::pair(RGB(0, 128, 0), RGB(0, 0, 255)));
    panel.SetColor(RGB(255, 0, 0));
    EXPECT_EQ(pixels(), std::pair(RGB(255, 0, 0), RGB(0, 0, 255)));
}

// A handled key takes a character along, never the next key typed while its dialog was open.
TEST_F(NvControls, FlushingAHandledKeyRemovesOnlyItsCharacter) {
    MSG msg;
    PostMessageA(form->Handle(), WM_KEYDOWN, VK_F11, 1);
    PostMessageA(form->Handle(), WM_SYSCHAR, 'q', 1);
    form->FlushKeyMessages();
    EXPECT_TRUE(PeekMessageA(&msg, form->Handle(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) && msg.wParam == VK_F11);
    EXPECT_FALSE(PeekMessageA(&msg, form->Handle(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
}

// Runs the thread's messages until `done` or the time has passed. The bound only stops a test that would hang; a
// loaded machine may need much of it.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 60000) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done() && GetTickCount() - start < milliseconds) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageSafely(msg);
        else
            Sleep(1);
    }
    return done();
}

// Long numbered lines, every other one blue, every third one bold; and the text they make.
std::pair<std::vector<TRichLine>, std::string> NumberedLines(const char* prefix, int count) {
    std::pair<std::vector<TRichLine>, std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.first.push_back({static_cast<TColor>(i % 2 ? RGB(0, 0, 255) : 0), i % 3 == 0,
                               prefix + std::to_string(i) + std::string(200, '.')});
        lines.second += lines.first.back().text + "\r\n";
    }
    return lines;
}

TEST_F(NvControls, RichOutputShowsItsFirstScreenAtOnceAndTheRestOnTheTimerAndNewLinesOrClearEndAFill) {
    auto& output = form->Add<TNvRichOutput>();
    output.SetBounds(0, 0, 400, 300);
    output.SetFont(TFontHandle(CreateFontA(-13, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New")));
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(form->Handle());
    output.SetFocus();
    ASSERT_EQ(GetFocus(), output.Handle());
    output.ShowLines(NumberedLines("old ", 3000).first);
    ASSERT_TRUE(output.Filling());
    // Until the list is complete the mouse shows the wait cursor over it.
    EXPECT_TRUE(SendMessageA(output.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(output.Handle()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_TRUE(output.Text().starts_with("old 0.")) << output.Text().substr(0, 40);
    EXPECT_LT(output.Text().size(), 100000u);
    const auto [fresh, freshText] = NumberedLines("new ", 1500);
    output.ShowLines(fresh);
    ASSERT_TRUE(PumpUntil([&] { return !output.Filling(); }));
    EXPECT_EQ(output.Text(), freshText);
    EXPECT_EQ(SendMessageA(output.Handle(), EM_GETSEL, 0, 0), 0);  // the caret at the start, nothing selected
    const auto lastRow =
        static_cast<LONG>(freshText.rfind("new ") - 1499);  // the control's line ends are one character
    SendMessageA(output.Handle(), EM_SETSEL, lastRow, lastRow + 3);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(output.Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.crTextColor, RGB(0, 0, 255));  // row 1499
    EXPECT_FALSE(format.dwEffects & CFE_BOLD);

    output.ShowLines(NumberedLines("cut ", 3000).first);
    output.Clear();
    EXPECT_FALSE(output.Filling());
    PumpUntil([] { return false; }, 300);  // no step may come after the clear
    EXPECT_EQ(output.Text(), "");
    // Still the same control to its parent: place, font, focus and the read-only style.
    const RECT bounds = output.BoundsRect();
    EXPECT_EQ(std::tuple(GetParent(output.Handle()), bounds.right - bounds.left, bounds.bottom - bounds.top),
              std::tuple(form->Handle(), 400L, 300L));
    SendMessageA(output.Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(format.szFaceName, "Courier New");
    EXPECT_EQ(GetFocus(), output.Handle());
    EXPECT_TRUE(GetWindowLongA(output.Handle(), GWL_STYLE) & ES_READONLY);
}

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
    TRowColors RowColors(int row) const override { return {.text = kRed, .hasText = row % 7 == 0}; }
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

class NvListViewRows : public NvControls {
  protected:
    void SetUp() override {
        NvControls::SetUp();
        list = &form->Add<TNvListView>(TNvListView::kOwnerDataStyle);
        list->SetBounds(0, 0, 600, 400);
        const TNvColumn columns[] = {{200, 0, "Name"}, {80, 1, "Size"}, {80, 0, "Kind"}};
        list->AddColumns(columns);
        list->SetRows(&view, &files);
    }
    // The column's text on every 31st row and the last, as the control reports it, against the rows in the expected
    // order (each text is a round trip through the control, slow under Wine). The first wrong row ends the check.
    void ExpectColumn(const std::vector<int>& order, int column) {
        ASSERT_EQ(list->ItemCount(), static_cast<int>(order.size()));
        for (size_t i = 0; i < order.size(); i = i + 1 == order.size() ? i + 1 : std::min(i + 31, order.size() - 1))
            ASSERT_EQ(list->ItemText(static_cast<int>(i), column), files.CellText(order[i], column)) << "row " << i;
    }

    TFiles files;
    TRowView view;
    TNvListView* list = nullptr;
};

// The source rows in the order a sort by size gives: ties ascending by source row in both directions.
std::vector<int> BySize(bool descending) {
    std::vector<int> rows(kRows);
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        return descending ? TFiles::Size(a) > TFiles::Size(b) : TFiles::Size(a) < TFiles::Size(b);
    });
    return rows;
}

TEST_F(NvListViewRows, HeaderClicksSortBothWaysKeepingTheSelectionInViewTypingFindsACaptionAndRowsHaveTheirColour) {
    EXPECT_EQ(Arrows(*list), "^..");
    list->SelectSourceRow(4321);
    for (const bool descending : {false, true, false}) {
        Notify(NMLISTVIEW{.hdr = {list->Handle(), 0, LVN_COLUMNCLICK}, .iItem = -1, .iSubItem = 1}.hdr);
        EXPECT_EQ(list->SortDescending(), descending);
        EXPECT_EQ(Arrows(*list), descending ? ".v." : ".^.");
        for (const int column : {1, 0})
            ExpectColumn(BySize(descending), column);
        EXPECT_EQ(list->SelectedSourceRow(), 4321);
        EXPECT_EQ(list->ItemText(list->Selected(), 0), TFiles::Name(4321));
        const auto top = SendMessageA(list->Handle(), LVM_GETTOPINDEX, 0, 0);  // and in view
        EXPECT_GE(list->Selected(), top);
        EXPECT_LT(list->Selected(), top + SendMessageA(list->Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    }
    // The control speaks Unicode to its parent when told to; the texts stay the same.
    SendMessageA(list->Handle(), LVM_SETUNICODEFORMAT, TRUE, 0);
    ExpectColumn(BySize(false), 0);
    // Another column starts ascending, and the arrow moves to it.
    Notify(NMLISTVIEW{.hdr = {list->Handle(), 0, LVN_COLUMNCLICK}, .iItem = -1, .iSubItem = 0}.hdr);
    EXPECT_EQ(std::pair(list->SortColumn(), list->SortDescending()), std::pair(0, false));
    EXPECT_EQ(Arrows(*list), "^..");

    // Sorted by name again and back to ANSI notifications, typing finds the next caption.
    SendMessageA(list->Handle(), LVM_SETUNICODEFORMAT, FALSE, 0);
    constexpr int kFileRows = kRows / 3;  // then as many "Grid" rows
    list->SelectSourceRow(view.SourceRow(0));
    SendMessageA(list->Handle(), WM_CHAR, 'g', 1);  // a repeat count of 1, as a typed key has
    EXPECT_EQ(list->Selected(), kFileRows);
    EXPECT_EQ(list->SelectedSourceRow(), view.SourceRow(kFileRows));

    for (const int row : {7, 8}) {  // red, plain
        NMLVCUSTOMDRAW draw{.nmcd = {.hdr = {list->Handle(), 0, static_cast<UINT>(NM_CUSTOMDRAW)},
                                     .dwDrawStage = CDDS_ITEMPREPAINT,
                                     .dwItemSpec = static_cast<DWORD_PTR>(view.VisibleIndexOf(row))},
                            .clrText = CLR_DEFAULT};
        const LRESULT result = Notify(draw.nmcd.hdr);
        EXPECT_EQ(draw.clrText, row == 7 ? kRed : CLR_DEFAULT) << row;
        EXPECT_EQ(result, row == 7 ? CDRF_NEWFONT : CDRF_DODEFAULT) << row;
    }
}
}  // namespace
