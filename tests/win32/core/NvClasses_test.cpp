#include <windows.h>

#include <commctrl.h>
#include <richedit.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
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
#include "core/NvStatusBarWin32.h"

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
    void Resize(int width, int height) {
        SetWindowPos(form->Handle(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    std::unique_ptr<TTestForm> form;
};

using NvListViewHeader = NvControls;
using NvListViewEvents = NvControls;
using NvStatusBar = NvControls;
using NvMenus = NvControls;
using NvImageList = NvControls;
using NvMemo = NvControls;
using NvPanel = NvControls;
using NvRichOutput = NvControls;
using WindowTimers = NvControls;

TFontHandle MakeFont(const char* face, int height) {
    LOGFONTA log{};
    log.lfHeight = height;
    lstrcpynA(log.lfFaceName, face, LF_FACESIZE);
    return TFontHandle(CreateFontIndirectA(&log));
}

std::string FaceOf(HFONT font) {
    LOGFONTA log{};
    GetObjectA(font, sizeof log, &log);
    return log.lfFaceName;
}

// ---- list view ----

const TNvColumn kColumns[] = {{120, 0, "Name"}, {80, 1, "Size"}, {60, 2, "Kind"}};

std::vector<uint32_t> Arrows(const TNvListView& list) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list.Handle(), LVM_GETHEADER, 0, 0));
    std::vector<uint32_t> arrows;
    for (int i = 0; i < list.ColumnCount(); ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        arrows.push_back(static_cast<uint32_t>(item.fmt) & (kHeaderSortUp | kHeaderSortDown));
    }
    return arrows;
}

void ClearArrow(const TNvListView& list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list.Handle(), LVM_GETHEADER, 0, 0));
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    item.fmt &= ~static_cast<int>(kHeaderSortUp | kHeaderSortDown);
    SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

// Sent the way the list view tells its parent about a header click.
void ClickHeader(TWinControl& form, const TNvListView& list, int column) {
    NMLISTVIEW notify{};
    notify.hdr = {list.Handle(), 0, LVN_COLUMNCLICK};
    notify.iItem = -1;
    notify.iSubItem = column;
    SendMessageA(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

TEST_F(NvListViewHeader, ClicksSortAscendingThenDescendingThenAscendingAndAnotherColumnStartsAscending) {
    auto& list = form->Add<TNvListView>();
    list.SetBounds(0, 0, 400, 300);
    list.AddColumns(kColumns);
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{kHeaderSortUp, 0, 0}));
    const std::vector<std::pair<std::string, std::string>> rows{{"beta", "2"}, {"alpha", "3"}, {"gamma", "1"}};
    for (size_t i = 0; i < rows.size(); ++i) {
        list.AddItem(rows[i].first, static_cast<LPARAM>(i));
        list.SetItemText(static_cast<int>(i), 1, rows[i].second);
    }
    // The window sorts on the click, seeing the new column and direction.
    std::vector<int> clicked;
    list.OnColumnClick = [&](int column) {
        clicked.push_back(column);
        list.SortItems([&](LPARAM a, LPARAM b) {
            const auto& x = column == 0 ? rows[static_cast<size_t>(a)].first : rows[static_cast<size_t>(a)].second;
            const auto& y = column == 0 ? rows[static_cast<size_t>(b)].first : rows[static_cast<size_t>(b)].second;
            const int order = x.compare(y);
            return list.SortDescending() ? -order : order;
        });
    };
    auto sizes = [&] { return list.ItemText(0, 1) + list.ItemText(1, 1) + list.ItemText(2, 1); };

    ClickHeader(*form, list, 1);
    EXPECT_EQ(list.SortColumn(), 1);
    EXPECT_FALSE(list.SortDescending());
    EXPECT_EQ(sizes(), "123");
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{0, kHeaderSortUp, 0}));

    ClickHeader(*form, list, 1);
    EXPECT_TRUE(list.SortDescending());
    EXPECT_EQ(sizes(), "321");
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{0, kHeaderSortDown, 0}));

    ClickHeader(*form, list, 1);
    EXPECT_FALSE(list.SortDescending());
    EXPECT_EQ(sizes(), "123");
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{0, kHeaderSortUp, 0}));

    ClickHeader(*form, list, 1);
    ClickHeader(*form, list, 0);  // after a descending sort of column 1
    EXPECT_EQ(list.SortColumn(), 0);
    EXPECT_FALSE(list.SortDescending());
    EXPECT_EQ(list.ItemText(0, 0), "alpha");
    EXPECT_EQ(list.ItemText(2, 0), "gamma");
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{kHeaderSortUp, 0, 0}));
    EXPECT_EQ(clicked, (std::vector<int>{1, 1, 1, 1, 0}));
}

TEST_F(NvListViewHeader, SortColumnAndDirectionSetInCodeMoveTheArrow) {
    auto& list = form->Add<TNvListView>();
    list.AddColumns(kColumns);
    list.SetSortColumn(2);
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{0, 0, kHeaderSortUp}));
    list.SetSortDescending(true);
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{0, 0, kHeaderSortDown}));
}

TEST_F(NvListViewHeader, WithoutColumnClicksNewColumnsShowNoArrow) {
    auto& list = form->Add<TNvListView>();
    list.SetColumnClick(false);
    list.AddColumns(kColumns);
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{0, 0, 0}));
}

TEST_F(NvListViewHeader, AnEndedDividerDragReportsItsWidthAndRestoresTheArrowOfTheSortColumn) {
    auto& list = form->Add<TNvListView>();
    list.SetBounds(0, 0, 400, 300);
    list.AddColumns(kColumns);
    list.SetSortColumn(1);
    std::vector<std::pair<int, int>> resized;
    list.OnColumnResized = [&](int column, int width) { resized.emplace_back(column, width); };
    HWND header = reinterpret_cast<HWND>(SendMessageA(list.Handle(), LVM_GETHEADER, 0, 0));

    ClearArrow(list, 1);
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = 123;
    NMHEADERW notify{};
    notify.hdr = {header, static_cast<UINT_PTR>(GetDlgCtrlID(header)), HDN_ENDTRACKW};
    notify.iItem = 1;
    notify.pitem = &item;
    SendMessageW(list.Handle(), WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    EXPECT_EQ(resized, (std::vector<std::pair<int, int>>{{1, 123}}));
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{0, kHeaderSortUp, 0}));

    // A double click on a divider carries no width: the column's width after the list's own handling counts.
    ClearArrow(list, 1);
    notify.hdr.code = HDN_DIVIDERDBLCLICKA;
    notify.iItem = 2;
    notify.pitem = nullptr;
    SendMessageA(list.Handle(), WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    ASSERT_EQ(resized.size(), 2u);
    EXPECT_EQ(resized[1], std::make_pair(2, list.ColumnWidth(2)));
    EXPECT_EQ(Arrows(list), (std::vector<uint32_t>{0, 0, 0}));  // not the sort column: left as it was

    notify.iItem = -1;
    SendMessageA(list.Handle(), WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    ASSERT_EQ(resized.size(), 3u);
    EXPECT_EQ(resized[2], std::make_pair(-1, -1));
}

TEST_F(NvListViewEvents, ALabelEditEndedWithoutTextOnARowCancels) {
    auto& list = form->Add<TNvListView>();
    list.AddColumns(kColumns);
    list.AddItem("one");
    int cancels = 0;
    list.OnEditCancel = [&] { ++cancels; };
    NMLVDISPINFOA info{};
    info.hdr = {list.Handle(), 0, LVN_ENDLABELEDITA};
    info.item.iItem = 0;
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(cancels, 1);
    char text[] = "renamed";
    info.item.pszText = text;
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    info.item.pszText = nullptr;
    info.item.iItem = -1;
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(cancels, 1);
}

TEST_F(NvListViewEvents, CheckBoxChangesReportTheRowAndItsNewStateButSelectionDoesNot) {
    auto& list = form->Add<TNvListView>();
    list.AddColumns(kColumns);
    list.AddItem("one");
    list.AddItem("two");
    list.SetCheckBoxes(true);
    std::vector<std::pair<int, bool>> checks;
    list.OnItemChecked = [&](int item, bool checked) { checks.emplace_back(item, checked); };
    int selectionChanges = 0;
    list.OnChange = [&] { ++selectionChanges; };

    list.SetChecked(1, true);
    EXPECT_TRUE(list.Checked(1));
    list.SetChecked(1, false);
    EXPECT_FALSE(list.Checked(1));
    list.SetSelected(0);
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_EQ(checks, (std::vector<std::pair<int, bool>>{{1, true}, {1, false}}));
    EXPECT_EQ(selectionChanges, 1);
}

TEST_F(NvListViewEvents, ThemeColoursReachTheListItself) {
    auto& list = form->Add<TNvListView>();
    list.SetColor(RGB(10, 20, 30));
    list.SetFontColor(RGB(200, 100, 50));
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETBKCOLOR, 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETTEXTBKCOLOR, 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETTEXTCOLOR, 0, 0), RGB(200, 100, 50));
}

// ---- status bar ----

std::vector<int> Parts(const TNvStatusBar& bar) {
    std::vector<int> edges(static_cast<size_t>(SendMessageA(bar.Handle(), SB_GETPARTS, 0, 0)));
    SendMessageA(bar.Handle(), SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    return edges;
}

TEST_F(NvStatusBar, WidthsZeroEightyEightyKeepTwoEightyPixelPanelsOnTheRightThroughResizes) {
    auto& bar = form->Add<TNvStatusBar>();
    const int widths[] = {0, 80, 80};
    EXPECT_EQ(bar.SetPanels(widths), 160);
    EXPECT_EQ(bar.FixedWidth(), 160);
    for (const int width : {640, 500, 900}) {
        Resize(width, 400);
        const RECT client = form->ClientRect();
        EXPECT_EQ(Parts(bar), (std::vector<int>{client.right - 160, client.right - 80, -1})) << width;
        const RECT r = bar.BoundsRect();
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.right, client.right);
        EXPECT_EQ(r.bottom, client.bottom);
        EXPECT_EQ(r.bottom - r.top, TNvStatusBar::kHeight);
    }
    bar.SetPanelText(1, "Ready");
    EXPECT_EQ(bar.PanelText(1), "Ready");
    char text[32] = "";
    SendMessageA(bar.Handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "\tReady");  // centred
}

TEST_F(NvStatusBar, WithoutAutoSizeTheFirstPanelKeepsItsWidth) {
    auto& bar = form->Add<TNvStatusBar>();
    bar.AutoSizeFirstPanel = false;
    const int widths[] = {100, 80};
    bar.SetPanels(widths);
    Resize(700, 400);
    EXPECT_EQ(Parts(bar), (std::vector<int>{100, -1}));
}

TEST_F(NvStatusBar, NegativeWidthsGiveOwnerDrawnPanelsPaintedByTheBar) {
    Resize(500, 300);
    auto& bar = form->Add<TNvStatusBar>();
    const int widths[] = {0, -60};
    EXPECT_EQ(bar.SetPanels(widths), 60);
    bar.SetPanelText(1, "drawn");
    EXPECT_TRUE(HIWORD(SendMessageA(bar.Handle(), SB_GETTEXTLENGTHA, 1, 0)) & SBT_OWNERDRAW);
    EXPECT_FALSE(HIWORD(SendMessageA(bar.Handle(), SB_GETTEXTLENGTHA, 0, 0)) & SBT_OWNERDRAW);

    std::vector<int> drawn;
    bar.OnDrawPanel = [&](const TDrawItemEvent& event) {
        drawn.push_back(event.index);
        EXPECT_EQ(bar.PanelText(event.index), "drawn");
    };
    ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
    RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(drawn, (std::vector<int>{1}));
}

TEST_F(NvStatusBar, TheBarFollowsItsParentsFontUntilItGetsOneOfItsOwn) {
    form->SetFont(MakeFont("Arial", -15));
    auto& bar = form->Add<TNvStatusBar>();
    EXPECT_EQ(FaceOf(bar.Font()), "Arial");
    form->SetFont(MakeFont("Courier New", -13));
    EXPECT_EQ(FaceOf(bar.Font()), "Courier New");
    EXPECT_NE(bar.Font(), form->Font());  // a copy: the form may delete its own
    bar.SetFont(MakeFont("Times New Roman", -12));
    form->SetFont(MakeFont("Arial", -15));
    EXPECT_EQ(FaceOf(bar.Font()), "Times New Roman");
}

// A square top-down 32-bit surface to draw into and read pixels back from.
struct TCanvas : TMemoryCanvas {
    explicit TCanvas(int size) {
        TopDown = true;
        SetSize(size, size);
    }
    HDC dc() const { return DC(); }
};

// ---- menus ----

const TNvMenuItem kFileMenu[] = {
    {1, kShortCutCtrl | 'S', "&Save", 0, -1},
    {0, 0, "-", 0, -1},
    {2, kShortCutShift | VK_F8, "&Mark", kMenuRadio, -1},
    {3, kShortCutAlt | VK_RETURN, "&Full Screen", kMenuDisabled, -1},
};
const TNvMenuItem kViewMenu[] = {
    {7, 'F', "&Fonts", 0, -1},
    {8, 0, "&Hidden", kMenuRadio, -1},
};

std::string MenuText(HMENU menu, UINT command) {
    char text[64] = "";
    GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    return text;
}

UINT MenuType(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info.fType;
}

TEST_F(NvMenus, AMainMenuFindsSubItemsByIdAndNothingForAnUnknownId) {
    std::vector<uint16_t> clicks;
    auto onClick = [&](const TNvMenuItem& item) { clicks.push_back(item.Id); };
    auto& menu = form->Add<TNvMainMenu>();
    TNvMenuEntry& file = menu.AddMenu("&File", kFileMenu, 3, onClick);
    menu.AddMenu("&View", kViewMenu, 1, onClick);
    EXPECT_EQ(GetMenu(form->Handle()), menu.MenuHandle());
    EXPECT_EQ(GetMenuItemCount(menu.MenuHandle()), 2);
    EXPECT_EQ(GetMenuItemCount(file.SubMenu()), 4);  // the count is the last record's index

    EXPECT_EQ(menu.FindItem(99), nullptr);
    ASSERT_NE(menu.FindItem(8), nullptr);
    EXPECT_EQ(menu.FindItem(8)->Record(), &kViewMenu[1]);
    EXPECT_EQ(menu.FindItem(1)->Record(), &kFileMenu[0]);

    // Menu commands reach the handler through the window.
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(menu.FindItem(8)->Command(), 0), 0);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(menu.FindItem(1)->Command(), 0), 0);
    EXPECT_EQ(clicks, (std::vector<uint16_t>{8, 1}));
}

TEST_F(NvMenus, ItemsShowTheirShortcutsRadioMarksAndDisabledState) {
    auto& menu = form->Add<TNvPopupMenu>([](const TNvMenuItem&) {}, 3, kFileMenu);
    HMENU handle = menu.MenuHandle();
    ASSERT_EQ(GetMenuItemCount(handle), 4);
    EXPECT_EQ(MenuText(handle, menu.FindItem(1)->Command()), "&Save\tCtrl+S");
    EXPECT_EQ(MenuText(handle, menu.FindItem(2)->Command()), "&Mark\tShift+F8");
    EXPECT_EQ(MenuText(handle, menu.FindItem(3)->Command()), "&Full Screen\tAlt+Enter");
    EXPECT_TRUE(MenuType(handle, 1) & MFT_SEPARATOR);
    EXPECT_TRUE(MenuType(handle, 2) & MFT_RADIOCHECK);
    EXPECT_FALSE(MenuType(handle, 0) & MFT_RADIOCHECK);
    EXPECT_TRUE(menu.FindItem(1)->Enabled());
    EXPECT_FALSE(menu.FindItem(3)->Enabled());

    EXPECT_FALSE(menu.Checked(2));
    menu.SetChecked(2, true);
    EXPECT_TRUE(menu.Checked(2));
    EXPECT_TRUE(GetMenuState(handle, menu.FindItem(2)->Command(), MF_BYCOMMAND) & MF_CHECKED);
    menu.SetChecked(2, false);
    EXPECT_FALSE(menu.Checked(2));
}

TEST_F(NvMenus, ItemsWithAnImageIndexShowThatPictureOfTheMenusImages) {
    static const TNvMenuItem kPictured[] = {{1, 0, "&Good", 0, 1}, {2, 0, "&Plain", 0, -1}};
    auto& menu = form->Add<TNvPopupMenu>([](const TNvMenuItem&) {}, 1, kPictured);
    TNvImageList images;
    ASSERT_EQ(images.AddResourceBitmaps(1024), 4);
    menu.SetImages(&images);
    const UINT good = menu.FindItem(1)->Command();
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoA(menu.MenuHandle(), good, FALSE, &info);
    EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);
    GetMenuItemInfoA(menu.MenuHandle(), menu.FindItem(2)->Command(), FALSE, &info);
    EXPECT_EQ(info.hbmpItem, nullptr);

    // The window asks for the picture's size and has it drawn, as the menu does while it shows.
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, good, 0, 0, 0};
    SendMessageA(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemWidth, 16u);
    const TCanvas drawn(16), expected(16);
    const RECT all{0, 0, 16, 16};
    FillRect(drawn.dc(), &all, GetSysColorBrush(COLOR_MENU));
    FillRect(expected.dc(), &all, GetSysColorBrush(COLOR_MENU));
    DRAWITEMSTRUCT draw{ODT_MENU, 0, good, ODA_DRAWENTIRE, 0, nullptr, drawn.dc(), all, 0};
    SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    ImageList_Draw(images.Handle(), 1, expected.dc(), 0, 0, ILD_TRANSPARENT);
    for (const POINT at : {POINT{3, 8}, POINT{8, 8}, POINT{0, 0}})
        EXPECT_EQ(GetPixel(drawn.dc(), at.x, at.y), GetPixel(expected.dc(), at.x, at.y)) << at.x << "," << at.y;
    EXPECT_NE(GetPixel(drawn.dc(), 3, 8), GetSysColor(COLOR_MENU));
}

TEST_F(NvMenus, AShortcutClicksTheEnabledItemWithExactlyThoseModifiers) {
    std::vector<uint16_t> clicks;
    auto& popup = form->Add<TNvPopupMenu>([&](const TNvMenuItem& item) { clicks.push_back(item.Id); }, 3, kFileMenu);
    TShiftState ctrl;
    ctrl.ctrl = true;
    TShiftState shift;
    shift.shift = true;
    TShiftState alt;
    alt.alt = true;
    TShiftState ctrlShift = ctrl;
    ctrlShift.shift = true;

    EXPECT_TRUE(popup.HandleShortcut('S', ctrl));
    EXPECT_FALSE(popup.HandleShortcut('S', {}));
    EXPECT_FALSE(popup.HandleShortcut('S', ctrlShift));
    EXPECT_TRUE(popup.HandleShortcut(VK_F8, shift));
    EXPECT_FALSE(popup.HandleShortcut(VK_RETURN, alt));  // disabled
    popup.SetEnabled(3, true);
    EXPECT_TRUE(popup.HandleShortcut(VK_RETURN, alt));
    EXPECT_FALSE(popup.HandleShortcut(0, {}));
    EXPECT_EQ(clicks, (std::vector<uint16_t>{1, 2, 3}));

    std::vector<uint16_t> viewClicks;
    auto& menu = form->Add<TNvMainMenu>();
    menu.AddMenu("&View", kViewMenu, 1, [&](const TNvMenuItem& item) { viewClicks.push_back(item.Id); });
    EXPECT_TRUE(menu.HandleShortcut('F', {}));
    EXPECT_EQ(viewClicks, (std::vector<uint16_t>{7}));
}

// ---- image list ----

TEST_F(NvImageList, ResourceBitmapsLoadUpToTheFirstMissingNumber) {
    TNvImageList status;
    EXPECT_EQ(status.AddResourceBitmaps(1024), 4);
    EXPECT_EQ(status.Count(), 4);
    TNvImageList squares;
    EXPECT_EQ(squares.AddResourceBitmaps(1040), 11);
    EXPECT_EQ(squares.AddResourceBitmaps(1028), 0);
    EXPECT_EQ(squares.AddResourceBitmaps(1024), 4);
    EXPECT_EQ(squares.Count(), 15);
}

TEST_F(NvImageList, TheBackgroundBecomesTransparentAndThePictureStaysWhole) {
    const TCanvas canvas(16);
    const RECT all{0, 0, 16, 16};
    TBrushHandle green(CreateSolidBrush(RGB(0, 255, 0)));
    for (const int first : {1024, 1040}) {  // a status picture, then a colour square whose border must stay
        TNvImageList images;
        ASSERT_GT(images.AddResourceBitmaps(first), 0);
        FillRect(canvas.dc(), &all, green.get());
        ImageList_Draw(images.Handle(), 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(0, 255, 0)) << first;  // the magenta corner let the canvas through
        const COLORREF centre = GetPixel(canvas.dc(), 8, 8);
        EXPECT_NE(centre, RGB(0, 255, 0)) << first;
        EXPECT_NE(centre, RGB(255, 0, 255)) << first;
    }
    // The square's darker border is still there, one pixel in from the corner.
    const COLORREF border = GetPixel(canvas.dc(), 1, 1);
    EXPECT_NE(border, RGB(0, 255, 0));
    EXPECT_NE(border, GetPixel(canvas.dc(), 8, 8));
}

// ---- memo ----

// Pixels from the start of a line to the text after one tab.
int TabAdvance(HWND edit) {
    SetWindowTextA(edit, "\tX");
    const auto start = SendMessageA(edit, EM_POSFROMCHAR, 0, 0);
    const auto after = SendMessageA(edit, EM_POSFROMCHAR, 1, 0);
    return static_cast<short>(LOWORD(after)) - static_cast<short>(LOWORD(start));
}

TEST_F(NvMemo, TabsAreFourCharactersWideFromTheStartAndFollowTabWidth) {
    auto& memo = form->Add<TNvMemo>();
    memo.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(memo.TabWidth(), 4);
    EXPECT_TRUE(GetWindowLongA(memo.Handle(), GWL_STYLE) & ES_NOHIDESEL);
    const int four = TabAdvance(memo.Handle());
    memo.SetTabWidth(8);
    const int eight = TabAdvance(memo.Handle());
    EXPECT_GT(four, 0);
    EXPECT_NEAR(eight, 2 * four, 2);
    // A plain edit's tab stops are eight characters apart.
    HWND plain = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 400, 100, form->Handle(), nullptr,
                                 nullptr, nullptr);
    SendMessageA(plain, WM_SETFONT, reinterpret_cast<WPARAM>(memo.Font()), FALSE);
    EXPECT_NEAR(TabAdvance(plain), eight, 2);
    DestroyWindow(plain);
}

// ---- panel ----

COLORREF PanelPixel(TNvPanel& panel, int x, int y) {
    const TCanvas canvas(50);
    SendMessageA(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    return GetPixel(canvas.dc(), x, y);
}

TEST_F(NvPanel, APanelShowsItsParentsColourUntilItHasItsOwnAndOnPaintDrawsOnTop) {
    form->SetColor(RGB(0, 128, 0));
    auto& panel = form->Add<TNvPanel>();
    panel.SetBounds(0, 0, 50, 50);
    panel.OnPaint = [](HDC dc) {
        const RECT corner{0, 0, 10, 10};
        TBrushHandle blue(CreateSolidBrush(RGB(0, 0, 255)));
        FillRect(dc, &corner, blue.get());
    };
    EXPECT_EQ(PanelPixel(panel, 30, 30), RGB(0, 128, 0));
    EXPECT_EQ(PanelPixel(panel, 5, 5), RGB(0, 0, 255));
    panel.SetColor(RGB(255, 0, 0));
    EXPECT_EQ(PanelPixel(panel, 30, 30), RGB(255, 0, 0));
    EXPECT_EQ(PanelPixel(panel, 5, 5), RGB(0, 0, 255));
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

std::vector<TRichLine> NumberedLines(const char* prefix, int count) {
    std::vector<TRichLine> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back({static_cast<TColor>(i % 2 ? RGB(0, 0, 255) : 0), i % 3 == 0,
                         prefix + std::to_string(i) + std::string(200, '.')});
    return lines;
}

std::string JoinedLines(const std::vector<TRichLine>& lines) {
    std::string text;
    for (const TRichLine& line : lines)
        text += line.text + "\r\n";
    return text;
}

TEST_F(NvRichOutput, ALongOutputShowsItsFirstScreenAtOnceAndTheRestOnTheTimerInItsColours) {
    auto& output = form->Add<TNvRichOutput>();
    output.SetBounds(0, 0, 400, 300);
    const std::vector<TRichLine> lines = NumberedLines("row ", 2000);
    output.ShowLines(lines);
    EXPECT_TRUE(output.Filling());
    // Until the list is complete the mouse shows the wait cursor over it.
    EXPECT_TRUE(SendMessageA(output.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(output.Handle()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    const std::string first = output.Text();
    EXPECT_TRUE(first.starts_with("row 0.")) << first.substr(0, 40);
    EXPECT_LT(first.size(), 100000u);
    ASSERT_TRUE(PumpUntil([&] { return !output.Filling(); }));
    EXPECT_EQ(output.Text(), JoinedLines(lines));

    CHARRANGE selection{};
    SendMessageA(output.Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, 0);
    EXPECT_EQ(selection.cpMax, 0);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    LONG row1999 = 0;  // the control counts a line end as one character
    for (size_t i = 0; i < 1999; ++i)
        row1999 += static_cast<LONG>(lines[i].text.size() + 1);
    SendMessageA(output.Handle(), EM_SETSEL, row1999, row1999 + 3);
    SendMessageA(output.Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.crTextColor, RGB(0, 0, 255));
    EXPECT_FALSE(format.dwEffects & CFE_BOLD);
}

TEST_F(NvRichOutput, NewLinesReplaceAnUnfinishedFillAndClearEndsIt) {
    auto& output = form->Add<TNvRichOutput>();
    output.SetBounds(0, 0, 400, 300);
    output.ShowLines(NumberedLines("old ", 3000));
    ASSERT_TRUE(output.Filling());
    const std::vector<TRichLine> fresh = NumberedLines("new ", 1500);
    output.ShowLines(fresh);
    ASSERT_TRUE(PumpUntil([&] { return !output.Filling(); }));
    EXPECT_EQ(output.Text(), JoinedLines(fresh));

    output.SetFont(TFontHandle(CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New")));
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(form->Handle());
    output.SetFocus();
    const bool focused = GetFocus() == output.Handle();
    output.ShowLines(NumberedLines("cut ", 3000));
    output.Clear();
    EXPECT_FALSE(output.Filling());
    PumpUntil([] { return false; }, 300);  // no step may come after the clear
    EXPECT_EQ(output.Text(), "");
    // Still the same control to its parent: place, font, focus and the read-only style.
    EXPECT_EQ(GetParent(output.Handle()), form->Handle());
    const RECT bounds = output.BoundsRect();
    EXPECT_EQ(bounds.right - bounds.left, 400);
    EXPECT_EQ(bounds.bottom - bounds.top, 300);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(output.Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(format.szFaceName, "Courier New");
    EXPECT_TRUE(focused);
    EXPECT_EQ(GetFocus(), output.Handle());
    EXPECT_TRUE(GetWindowLongA(output.Handle(), GWL_STYLE) & ES_READONLY);
    output.ShowLines(fresh);
    ASSERT_TRUE(PumpUntil([&] { return !output.Filling(); }));
    EXPECT_EQ(output.Text(), JoinedLines(fresh));
}

TEST_F(WindowTimers, TicksCarryTheirIdentifierUntilStopped) {
    std::vector<UINT_PTR> ticks;
    form->OnTimer = [&](UINT_PTR id) {
        ticks.push_back(id);
        if (ticks.size() == 3)
            form->StopTimer(7);
    };
    form->StartTimer(7, USER_TIMER_MINIMUM);
    PumpUntil([&] { return ticks.size() >= 3; });
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(ticks, (std::vector<UINT_PTR>{7, 7, 7}));
}
}  // namespace
