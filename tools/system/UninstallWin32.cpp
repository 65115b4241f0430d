#include "tools/system/UninstallWin32.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/Format.h"
#include "core/KoDialogsWin32.h"
#include "core/KoLibWin32.h"
#include "core/ListSettingsWin32.h"

namespace {
enum : uint16_t { kRefresh = 1, kQuit, kScan32, kScan64, kSetFilter, kClearFilter };
constexpr UINT kRescanMessage = WM_APP + 1;

constexpr TNvColumn kColumns[] = {{280, 0, "DisplayName"}, {200, 0, "Publisher"}, {90, 1, "Version"},
                                  {62, 1, "Size"},         {96, 0, "Date"},       {600, 0, "UninstallString"},
                                  {160, 0, "Key"},         {68, 0, "Scope"},      {42, 2, "Index"}};
static_assert(std::size(kColumns) == TUninstallRows::kColumnCount);
constexpr int kPanelWidths[] = {0, 150, 150, 150};
}  // namespace

const TCommand<TFormUninstall> TFormUninstall::kMainMenu[] = {
    {{kRefresh, kShortCutCtrl | 'R', "&Refresh", 0, -1}, [](TFormUninstall& f) { f.Rescan(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kQuit, kShortCutAlt | 'Q', "&Quit", 0, -1}, [](TFormUninstall& f) { f.Close(); }},
};

const TCommand<TFormUninstall> TFormUninstall::kOptionsMenu[] = {
    {{kScan32, kShortCutAlt | '1', "&Scan &32 bit Registry", 0, -1},
     [](TFormUninstall& f) { f.Scan32BitReg->Toggle(); }},
    {{kScan64, kShortCutAlt | '2', "&Scan &64 bit Registry", 0, -1},
     [](TFormUninstall& f) { f.Scan64BitReg->Toggle(); }},
};

const TCommand<TFormUninstall> TFormUninstall::kFilterMenu[] = {
    {{kSetFilter, VK_F3, "&Set Filter...", 0, -1}, [](TFormUninstall& f) { f.AskFilter(); }},
    {{kClearFilter, VK_ESCAPE, "&Clear Filter", 0, -1},
     [](TFormUninstall& f) {
         if (!f.Filter->Value().empty())
             f.Filter->SetValue("");
     }},
};

const TCommand<TFormUninstall> TFormUninstall::kKeys[] = {
    {{0, VK_RETURN, nullptr, 0, -1}, [](TFormUninstall& f) { f.RunUninstaller(); }},
    {{0, VK_F2, nullptr, 0, -1}, [](TFormUninstall& f) { f.OpenInRegistryBrowser(); }},
    {{0, VK_DELETE, nullptr, 0, -1}, [](TFormUninstall& f) { f.DeleteSelectedKey(); }},
    {{0, kShortCutCtrl | 'F', nullptr, 0, -1}, [](TFormUninstall& f) { f.AskFilter(); }},
    {{0, VK_F5, nullptr, 0, -1}, [](TFormUninstall& f) { f.Rescan(); }},
};

TFormUninstall::TFormUninstall(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kUninstallIndex)) {
    TEasyConfig& c = Config();
    const bool has64BitView = Has64BitView();
    Scan32BitReg = &TConfigVarBool::Define(c, Tool.Key, true, "scan_32bit_reg");
    Scan64BitReg = &TConfigVarBool::Define(c, Tool.Key, has64BitView, "scan_64bit_reg");
    SortIndex = &TConfigVarInt::Define(c, Tool.Key, 4, "sort_index");
    SortReverse = &TConfigVarBool::Define(c, Tool.Key, true, "sort_reverse");
    Filter = &TConfigVarStr::Define(c, Tool.Key, "", "filter");
    ColumnWidths = &TConfigVarIntArray::Define(c, Tool.Key, "column_widths");

    statusBar_ = &Add<TNvStatusBar>();
    statusBar_->SetPanels(kPanelWidths);
    list_ = &AddClientList(*this, kColumns);
    images_.AddIcon(LoadIconA(nullptr, IDI_APPLICATION));  // products without an icon of their own
    list_->SetSmallImages(images_);
    list_->SetRows(&rows_, &source_);
    BindListSettings(*this, *list_, kColumns, *SortIndex, *SortReverse, *ColumnWidths);
    list_->OnDblClick = [this](const TMouseEvent&) { RunUninstaller(); };
    ActiveControl = list_;

    AddMenu("&Main", kMainMenu);
    AddMenu("&Options", kOptionsMenu);
    AddMenu("&Filter", kFilterMenu);
    AddKeys(kKeys);
    if (!has64BitView) {
        MainMenu()->SetEnabled(kScan64, false);
        MainMenu()->SetChecked(kScan64, false);
    }

    WhenChanged(Scan32BitReg, [this] {
        MainMenu()->SetChecked(kScan32, Scan32BitReg->Value());
        Rescan();
    });
    WhenChanged(Scan64BitReg, [this, has64BitView] {
        MainMenu()->SetChecked(kScan64, has64BitView && Scan64BitReg->Value());
        Rescan();
    });
    // Icons stand on the list's own background.
    WhenChanged(ColorBack, [this] { images_.SetBkColor(static_cast<TColor>(ColorBack->Value())); });
    WhenChanged(Filter, [this] { Fill(); });
}

// The first scan, also when the program starts without becoming the active one.
void TFormUninstall::FormShown() {
    PostRescan();
}

void TFormUninstall::PostRescan() {
    if (!std::exchange(rescanPosted_, true))
        PostMessageA(Handle(), kRescanMessage, 0, 0);
}

LRESULT TFormUninstall::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Every return to the program rescans, once the activation is over.
    if (message == WM_ACTIVATEAPP && wParam)
        PostRescan();
    if (message == kRescanMessage) {
        rescanPosted_ = false;
        if (!asking_)
            Rescan();
        return 0;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}

void TFormUninstall::Rescan() {
    if (Ready)
        Jobs.Run([this] { ScanJob(); });
}

// Messages run between products, so a machine full of them never freezes the window; the list shows the entries
// of the last scan until the new one is complete.
void TFormUninstall::ScanJob() {
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    statusBar_->SetPanelText(0, "Scanning...");
    statusBar_->SetPanelText(2, "n/a");
    UpdateWindow(statusBar_->Handle());
    auto scanner = std::make_unique<TUninstallScanner>();
    scanner->Scan32BitView = Scan32BitReg->Value();
    scanner->Scan64BitView = Scan64BitReg->Value();
    bool ended = false;
    const int examined = scanner->Scan([this, &ended] {
        ended = !Jobs.Step();
        return !ended;
    });
    SetCursor(previous);
    if (ended)  // a newer scan or the close takes over
        return;
    images_.CutTo(1);
    for (int i = 0; i < scanner->Count(); ++i) {
        TUninstallEntry& entry = scanner->Entry(i);
        entry.ImageIndex = 0;
        if (entry.Icon != 0) {
            const TIconHandle icon(reinterpret_cast<HICON>(entry.Icon));
            entry.Icon = 0;
            entry.ImageIndex = std::max(0, images_.AddIcon(icon.get()));
        }
    }
    source_.SetScanner(*scanner);
    scanner_ = std::move(scanner);
    Fill();
    statusBar_->SetPanelText(0, "Done");
    statusBar_->SetPanelText(3, Format("%d Ignored", {examined - scanner_->Count()}));
}

void TFormUninstall::Fill() {
    const int focused = std::max(0, rows_.VisibleIndexOf(list_->SelectedSourceRow()));
    rows_.SetFilter(WordFilter(source_, Filter->Value(), {0, 1, 5, 6}));
    list_->RowsChanged();
    if (rows_.Count() > 0) {
        const int index = std::min(focused, rows_.Count() - 1);
        list_->SelectSourceRow(rows_.SourceRow(index));
        list_->EnsureVisible(index);
    }
    statusBar_->SetPanelText(1, Filter->Value().empty() ? "No Filter" : "Filter: \"" + Filter->Value() + "\"");
    statusBar_->SetPanelText(2, Format("%d / %d Items", {rows_.Count(), scanner_->Count()}));
}

int TFormUninstall::Ask(const std::string& text, const std::string& caption, UINT flags) {
    const TFlagScope asking(asking_);
    return MsgBox(text, caption, flags, Handle());
}

void TFormUninstall::AskFilter() {
    std::string filter = Filter->Value();
    const TFlagScope asking(asking_);
    if (InputBox(Handle(), "Apply Word Filter...", filter))
        Filter->SetValue(filter);
}

const TUninstallEntry* TFormUninstall::SelectedEntry() {
    const int row = list_->SelectedSourceRow();
    return row >= 0 && row < scanner_->Count() ? &scanner_->Entry(row) : nullptr;
}

void TFormUninstall::RunUninstaller() {
    const TUninstallEntry* entry = SelectedEntry();
    if (!entry)
        return;
    const auto [command, parameters] =
        SplitUninstallCommand(entry->UninstallString, [](const std::string& file) { return FileExists(file); });
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    // 32 itself (a missing library) is a failure too.
    if (ShellOpen(command, parameters, folder) > 32)
        return;
    const DWORD error = GetLastError();
    Ask(SysErrorMessage(error) + "\r\n\r\n\"" + command + "\"\r\n\"" + parameters + "\"", "ShellExecute Error!",
        MB_ICONERROR);
}

void TFormUninstall::OpenInRegistryBrowser() {
    const TUninstallEntry* entry = SelectedEntry();
    if (!entry)
        return;
    if (ShellOpen("reg://" + RootKeyName(entry->RootKey) + TUninstallScanner::kUninstallPath + entry->KeyName) > 32)
        return;
    Ask("It doesn't look like you have a reg protocol registered.", "No REG Protocol", MB_ICONERROR);
}

void TFormUninstall::DeleteSelectedKey() {
    const TUninstallEntry* entry = SelectedEntry();
    // An empty key name would make the path the Uninstall key itself, with every product in it.
    if (!entry || entry->KeyName.empty())
        return;
    // Copied before asking: the entries may be scanned anew while the question is open.
    const TRegHandle root = entry->RootKey;
    const uint32_t view = entry->Is64BitView ? kKeyWow64_64Key : kKeyWow64_32Key;
    const std::string path = TUninstallScanner::kUninstallPath + entry->KeyName;
    const std::string shown = "\"" + RootKeyName(root) + path + "\"";
    if (Ask("Delete the registry key:\r\n\r\n" + shown, "Delete Registry Key?", MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    registry_.Access = kKeyAllAccess | view;
    registry_.SetRootKey(root);
    if (!registry_.DeleteKey(path))
        Ask("Failed to delete the key:\r\n\r\n" + shown, "Delete Failed!", MB_ICONERROR);
    Rescan();
}
