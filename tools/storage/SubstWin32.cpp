#include "tools/storage/SubstWin32.h"

#include "core/AppPaths.h"
#include "core/Format.h"
#include "core/HandlesWin32.h"
#include "core/KoDialogsWin32.h"
#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/NvLabelWin32.h"

namespace {
constexpr int kMargin = 8;
constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 24;
constexpr int kComboWidth = 64;
constexpr int kMinWidth = 396;
constexpr int kMinHeight = 120;
constexpr const char* kRunKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Run";
constexpr int kStatusPanels[] = {0};

std::string CurrentFolder() {
    char folder[MAX_PATH] = "";
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, folder);
    return n > 0 && n < MAX_PATH ? std::string(folder, n) : std::string();
}
}  // namespace

TFormSubst::TFormSubst(TWinControl* owner, IDosDevices& devices)
    : TKoUtilForm(owner, &ToolRecord(kDriveSubstIndex)), devices_(devices), section_(Tool.Key + std::string(".Auto")) {
    if (SameTextAscii(LaunchArgument(1), "/auto")) {
        RestoreSubstitutions(devices_, StatsIni(), section_);
        EndProgram();
        return;
    }
    const RECT r = ClientRect();
    Add<TNvLabel>("Substitute Drives (Check to substitute when Windows starts):",
                  RECT{kMargin, 6, r.right - kMargin, 22})
        .Tag = kTagVariableFont;
    statusBar_ = &Add<TNvStatusBar>();
    statusBar_->SetPanels(kStatusPanels);
    const int rowTop = r.bottom - TNvStatusBar::kHeight - kButtonHeight - kMargin;

    list_ = &Add<TNvListView>(TNvListView::kStyle | LVS_NOCOLUMNHEADER | LVS_SINGLESEL);
    list_->Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
    list_->SetBounds(kMargin, 24, r.right - 2 * kMargin, rowTop - kMargin / 2 - 24);
    list_->SetAnchors(kAnchorAll);
    static const TNvColumn kColumn[] = {{0, 0, "Mapping"}};
    list_->AddColumns(kColumn);
    list_->SetColumnClick(false);
    list_->SetCheckBoxes(true);
    list_->OnResize = [this] { list_->SetColumnWidth(0, list_->ClientRect().right); };
    list_->OnResize();
    list_->OnChange = [this] { SelectionChanged(); };

    freeLetters_ = &Add<TNvComboBox>();
    freeLetters_->Tag = kTagVariableFont;
    freeLetters_->SetBounds(kMargin, rowTop + 1, kComboWidth, 300);
    freeLetters_->SetAnchors(kAnchorLeft | kAnchorBottom);
    int left = kMargin + kComboWidth + kMargin;
    const auto addButton = [&](const char* caption, void (TFormSubst::*action)()) {
        auto& button = Add<TNvButton>(caption);
        button.Tag = kTagVariableFont;
        button.SetBounds(left, rowTop, kButtonWidth, kButtonHeight);
        button.SetAnchors(kAnchorLeft | kAnchorBottom);
        button.OnClick = [this, action] { (this->*action)(); };
        left += kButtonWidth + kMargin / 2;
        return &button;
    };
    addButton("Subst...", &TFormSubst::Subst);
    remove_ = addButton("Remove", &TFormSubst::Remove);
    addButton("Update", &TFormSubst::Refresh);
    ActiveControl = list_;
    Refresh();
}

void TFormSubst::Refresh() {
    TSubstScan scan = ScanDosDevices(devices_, StatsIni(), section_);
    // Ticks are saved on closing: until then a refresh keeps the ones of letters still listed.
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        for (TSubstRow& row : scan.Rows)
            if (row.Letter == rows_[static_cast<size_t>(i)].Letter)
                row.Checked = list_->Checked(i);
    list_->Clear();
    freeLetters_->Clear();
    for (const TSubstRow& row : scan.Rows) {
        const int item = list_->AddItem(SubstRowText(row), row.Letter);
        if (IsSubstitution(row.Target)) {
            list_->SetChecked(item, row.Checked);
        } else {  // a disk's own letter has no tick to give
            list_->HideCheckBox(item);
        }
    }
    rows_ = scan.Rows;
    for (const char letter : scan.FreeLetters)
        freeLetters_->AddItem(std::string(1, letter) + ":");
    list_->SetSelected(rows_.empty() ? -1 : 0);
    freeLetters_->SetItemIndex(scan.FreeLetters.empty() ? -1 : 0);
    statusBar_->SetPanelText(0, Format("%d Items", {static_cast<int>(rows_.size())}));
    SelectionChanged();
}

const TSubstRow* TFormSubst::SelectedRow() const {
    const int item = list_->Selected();
    return item >= 0 && item < static_cast<int>(rows_.size()) ? &rows_[static_cast<size_t>(item)] : nullptr;
}

void TFormSubst::SelectionChanged() {
    const TSubstRow* row = SelectedRow();
    EnableWindow(remove_->Handle(), row && IsSubstitution(row->Target));
}

void TFormSubst::Subst() {
    const int index = freeLetters_->ItemIndex();
    if (index < 0)
        return;
    const char letter = freeLetters_->ItemText(index)[0];
    uint32_t error = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        std::string target = "\\??\\" + CurrentFolder();
        if (!InputBox(Handle(), "Enter path to substitute manually. \"\\??\" for drives \"\\Device\" for devices",
                      target))
            return;
        error = devices_.Define(kDefineRaw, letter, target);
    } else {
        std::string folder;
        if (!BrowseForFolder(Handle(), "Select Directory to Subst...", folder, false))
            return;
        // The table takes any text; a folder gone since it was chosen would give a drive that opens nothing.
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        error = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                    ? devices_.Define(kDefinePlain, letter, folder)
                    : static_cast<uint32_t>(ERROR_PATH_NOT_FOUND);
    }
    if (error) {
        MsgBox("Drive Subst Failed!\r\n\r\nPlease remember that you can't subst a directory on a drive that is subst!",
               Tool.Title, MB_OK | MB_ICONERROR, Handle());
        return;
    }
    Refresh();
}

void TFormSubst::Remove() {
    const TSubstRow* row = SelectedRow();
    if (!row || !IsSubstitution(row->Target))
        return;
    if (devices_.Define(kDefineRemove, row->Letter, {}))
        MsgBox("Failed to remove the drive substitution!", Tool.Title, MB_OK | MB_ICONERROR, Handle());
    else  // taken away on purpose: not brought back at the next log-on either
        StatsIni().DeleteKey(section_, std::string(1, row->Letter));
    Refresh();
}

void TFormSubst::Save() {
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        rows_[static_cast<size_t>(i)].Checked = list_->Checked(i);
    WriteStartupEntry(SaveSubstitutions(rows_, StatsIni(), section_));
}

// Without the right to write the machine's start-up list the mappings are still saved; nothing to tell.
void TFormSubst::WriteStartupEntry(bool wanted) {
    HKEY opened = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kRunKey, &opened) != ERROR_SUCCESS)
        return;
    const TRegKey key(opened);
    RegDeleteValueA(key.get(), Tool.Title);
    if (!wanted)
        return;
    const std::string command = SubstStartupCommand(ExePath(), Tool.Key);
    RegSetValueExA(key.get(), Tool.Title, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
}

void TFormSubst::FormKeyDown(TKeyEvent& event) {
    if (event.key == VK_F5 && !event.shift.alt && !event.shift.ctrl && !event.shift.shift) {
        Refresh();
        ConsumeKey(event);
        return;
    }
    TKoUtilForm::FormKeyDown(event);
}

LRESULT TFormSubst::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {kMinWidth, kMinHeight};
        return 0;
    }
    if (message == WM_DESTROY && list_)
        Save();
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
