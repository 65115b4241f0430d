#include "tools/storage/SmartReadWin32.h"

#include <iterator>

#include "core/Format.h"
#include "core/KoLibWin32.h"
#include "core/NvRules.h"

namespace {
enum : uint16_t { kRefresh = 1, kFullRefresh, kCopyName, kSearchName, kErrorLog };
constexpr int kFirstStatusBitmap = 1024;
constexpr const char* kSearchAddress = "https://www.google.com/search?q=S.M.A.R.T. ";

constexpr TNvColumn kColumns[] = {{210, 0, "Attribute Description"},
                                  {40, 2, "ID"},
                                  {40, 2, "Hex"},
                                  {110, 1, "Real Value"},
                                  {60, 1, "Current"},
                                  {60, 1, "Worst"},
                                  {66, 1, "Threshold"},
                                  {90, 1, "Raw Value"},
                                  {60, 2, "Flags"},
                                  {65, 1, "Reserved"}};
static_assert(std::size(kColumns) == kSmartColumnCount);

int64_t PerformanceCounter() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The hourglass until the scope ends, however it ends.
class TWaitCursor {
  public:
    TWaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(previous_); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

  private:
    HCURSOR previous_;  // not owned: a shared cursor
};

// The list does not repaint until the scope ends.
class TListUpdate {
  public:
    explicit TListUpdate(HWND list) : list_(list) { SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }
    ~TListUpdate() {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    TListUpdate(const TListUpdate&) = delete;
    TListUpdate& operator=(const TListUpdate&) = delete;

  private:
    HWND list_;  // not owned
};
}  // namespace

const TCommand<TFormSmartReader> TFormSmartReader::kMenu[] = {
    {{kRefresh, VK_F5, "&Refresh", 0, -1}, [](TFormSmartReader& f) { f.Refresh(); }},
    {{kFullRefresh, kShortCutCtrl | VK_F5, "&Full Refresh", 0, -1}, [](TFormSmartReader& f) { f.FullRefresh(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kCopyName, kShortCutCtrl | 'C', "&Copy Attribute Name", 0, -1}, [](TFormSmartReader& f) { f.CopyName(); }},
    {{kSearchName, kShortCutCtrl | 'M', "&Google Attribute", 0, -1}, [](TFormSmartReader& f) { f.SearchName(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kErrorLog, VK_F1, "&Show Error Log...", 0, -1}, [](TFormSmartReader& f) { f.ShowErrorLog(); }},
};

const TCommand<TFormSmartReader> TFormSmartReader::kKeys[] = {
    {{0, kShortCutCtrl | 'R', nullptr, 0, -1}, [](TFormSmartReader& f) { f.Refresh(); }},
    {{0, kShortCutCtrl | kShortCutShift | 'R', nullptr, 0, -1}, [](TFormSmartReader& f) { f.FullRefresh(); }},
};

TFormSmartReader::TFormSmartReader(TWinControl* owner)
    : TKoUtilForm(owner, &ToolRecord(kSmartReaderIndex)), drives_(SystemDrives()) {
    TEasyConfig& c = Config();
    ActiveDriveIndex = &TConfigVarInt::Define(c, Tool.Key, 0, "active_drive_index");
    ActiveDriveIndex->SetMin(0);
    ActiveDriveIndex->SetMax(255);
    SelectedAttributeIndex = &TConfigVarInt::Define(c, Tool.Key, 0, "selected_attribute_index");
    SelectedAttributeIndex->SetMin(0);
    SelectedAttributeIndex->SetMax(255);
    ColumnWidths = &TConfigVarIntArray::Define(c, Tool.Key, "column_widths");

    LARGE_INTEGER frequency{};
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
        frequency_ = frequency.QuadPart;
    drives_.LastError = [] { return static_cast<uint32_t>(GetLastError()); };
    drives_.ErrorText = [](uint32_t code) { return SysErrorMessage(code); };
    drives_.Counter = PerformanceCounter;

    images_.AddResourceBitmaps(kFirstStatusBitmap);
    tabs_ = &Add<TNvTabControl>();
    tabs_->SetAlign(TAlign::Client);
    tabs_->SetImages(images_);
    tabs_->OnTabChange = [this](int position) { SelectTab(position, !Jobs.Busy()); };
    tabs_->OnResize = [this] { PlacePage(); };
    list_ = &tabs_->Add<TNvListView>();
    list_->Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
    list_->SetColumnClick(false);
    list_->AddColumns(kColumns);
    list_->SetSmallImages(images_);
    list_->OnColumnResized = [this](int column, int width) {
        if (column >= 0 && width >= 0)
            ColumnWidths->SetItem(column, width);
    };
    list_->OnChange = [this] {
        if (filling_)
            return;
        const int row = list_->Selected();
        SelectedAttributeIndex->SetValue(row >= 0 ? static_cast<int32_t>(list_->ItemData(row)) : -1);
    };
    statusBar_ = &tabs_->Add<TNvStatusBar>();
    statusBar_->SetAlign(TAlign::None);
    statusBar_->AutoSizeFirstPanel = false;
    statusBar_->Bevels = false;
    const int third = Tool.DefaultWidth / 3;
    const int widths[] = {third, third, third};
    statusBar_->SetPanels(widths);
    ActiveControl = list_;
    menu_ = &AddPopupMenu(kMenu);
    AddKeys(kKeys);

    WhenChanged(ColumnWidths, [this] {
        for (int i = 0; i < kSmartColumnCount; ++i) {
            const int stored = i < ColumnWidths->Count() ? ColumnWidths->Item(i) : 0;
            list_->SetColumnWidth(i, stored > 0 ? stored : kColumns[i].Width);
        }
    });
    WhenChanged(ActiveDriveIndex, [this] {
        if (!selecting_)
            SelectTab(ActiveDriveIndex->Value(), false);
    });
}

void TFormSmartReader::FormShown() {
    LOGFONTA font{};
    if (GetObjectA(statusBar_->Font(), sizeof font, &font)) {
        font.lfWeight = FW_BOLD;
        statusBar_->SetFont(TFontHandle(CreateFontIndirectA(&font)));
    }
    PlacePage();
    FullRefresh();
}

// The list and the status bar fill the page under the tabs; the panels share the width.
void TFormSmartReader::PlacePage() {
    const RECT page = tabs_->DisplayRect();
    const int width = page.right - page.left;
    const int height = page.bottom - page.top;
    statusBar_->SetBounds(page.left, page.bottom - TNvStatusBar::kHeight, width, TNvStatusBar::kHeight);
    list_->SetBounds(page.left, page.top, width, height - TNvStatusBar::kHeight);
    for (int i = 0; i < 3; ++i)
        statusBar_->SetPanelWidth(i, ClientRect().right / 3);
}

// A scan asked for while one runs (a key pressed in between) is ignored; a close waits for the scan to end.
void TFormSmartReader::FullRefresh() {
    if (!Jobs.Busy())
        Jobs.Run([this] { ScanDrives(); });
}

void TFormSmartReader::Refresh() {
    if (!Jobs.Busy())
        ShowDrive(tabs_->TabIndex(), true);
}

void TFormSmartReader::ScanDrives() {
    {
        const TWaitCursor wait;
        list_->Clear();
        drives_.Clear();
        tabs_->Clear();
        tabDrives_.clear();
        for (int d = 0; d < 256; ++d) {
            const int position = tabs_->Count();
            if (!drives_.Query(d, kQueryAll, position == ActiveDriveIndex->Value()))
                continue;
            const TSmartDriveSlot& slot = *drives_.Slot(d);
            tabDrives_.push_back(d);
            tabs_->AddTab(IdentifyText(slot.Identify, kModelOffset, kModelLength),
                          DriveStatus(meaning_, slot.Attributes));
            if (position == 0)
                PlacePage();  // the page starts below the row of tabs now
            if (position == 0 || position == ActiveDriveIndex->Value())
                SelectTab(position, false);
            if (!Jobs.Step())
                return;
        }
    }
    if (tabs_->Count() == 0) {
        drives_.Log("Could not find any S.M.A.R.T. supporting drives.");
        MsgBox("Unable to find any physical drives which supports S.M.A.R.T.", Tool.Title, MB_OK | MB_ICONERROR,
               Handle());
        return;
    }
    ActiveDriveIndex->SetMax(tabs_->Count());
    ActiveDriveIndex->SetValue(ActiveDriveIndex->Value());
}

void TFormSmartReader::SelectTab(int position, bool reRead) {
    if (position < 0 || position >= tabs_->Count() || static_cast<size_t>(position) >= tabDrives_.size())
        return;
    SetRedraw(false);
    tabs_->SetTabIndex(position);
    if (reRead) {
        const TFlagScope selecting(selecting_);
        ActiveDriveIndex->SetValue(position);
    }
    ShowDrive(position, reRead);
    SetRedraw(true);
}

void TFormSmartReader::ShowDrive(int position, bool reRead) {
    if (position < 0 || static_cast<size_t>(position) >= tabDrives_.size())
        return;
    const int drive = tabDrives_[static_cast<size_t>(position)];
    const TWaitCursor wait;
    const TFlagScope filling(filling_);
    const TListUpdate update(list_->Handle());
    list_->Clear();
    if (reRead) {
        if (!drives_.Query(drive, kQueryAttributes, true))
            return;
        tabs_->SetImage(position, DriveStatus(meaning_, drives_.Slot(drive)->Attributes));
    }
    const TSmartDriveSlot* slot = drives_.Slot(drive);
    if (!slot)
        return;
    int selected = -1;
    for (const TSmartAttribute& a : slot->Attributes) {
        const int row = list_->AddItem(SmartColumnText(meaning_, a, 0), a.Id, meaning_.AttributeStatus(a));
        for (int column = 1; column < kSmartColumnCount; ++column)
            list_->SetItemText(row, column, SmartColumnText(meaning_, a, column));
        if (a.Id == SelectedAttributeIndex->Value())
            selected = row;
    }
    if (selected >= 0)
        list_->SetSelected(selected);
    statusBar_->SetPanelText(0, Format("S/N: %s", {IdentifyText(slot->Identify, kSerialOffset, kSerialLength)}));
    statusBar_->SetPanelText(
        1, Format("Firmware Revision: %s", {IdentifyText(slot->Identify, kFirmwareOffset, kFirmwareLength)}));
    statusBar_->SetPanelText(2, QueryTimeText(drives_.QueryTicks(), frequency_));
}

std::string TFormSmartReader::SelectedName() const {
    const int row = list_->Selected();
    return row >= 0 ? meaning_.AttributeName(static_cast<int>(list_->ItemData(row))) : std::string();
}

void TFormSmartReader::CopyName() {
    const std::string name = SelectedName();
    if (!name.empty())
        SetClipboardText(Handle(), name);
}

// The name goes into the address as it is: the browser encodes it.
void TFormSmartReader::SearchName() {
    const std::string name = SelectedName();
    if (!name.empty())
        ShellOpen(kSearchAddress + name);
}

void TFormSmartReader::ShowErrorLog() {
    MsgBox(drives_.ErrorLog(), std::string(Tool.Title) + " Error Log", MB_OK, Handle());
}

void TFormSmartReader::FormKeyDown(TKeyEvent& event) {
    const TShiftState s = event.shift;
    if (event.key >= '1' && event.key <= '9' && !s.ctrl && !s.alt && !s.shift) {
        const int position = event.key - '1';
        if (position < tabs_->Count())
            SelectTab(position, !Jobs.Busy());
        ConsumeKey(event);
        return;
    }
    TKoUtilForm::FormKeyDown(event);
}

LRESULT TFormSmartReader::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONTEXTMENU) {
        menu_->PopupFor(lParam, list_->Handle());
        return 0;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
