#include "tools/system/ServiceExplorerWin32.h"

#include <algorithm>
#include <iterator>

#include "core/Format.h"
#include "core/KoDialogsWin32.h"
#include "core/ListSettingsWin32.h"

namespace {
enum : uint16_t { kRefresh = 1, kQuit, kTextFilter, kResetFilters };
constexpr int kFirstSwitch = 5;  // the switches' commands follow in menu order

constexpr TNvColumn kColumns[] = {
    {350, 1, "Service"},         {66, 2, "State"}, {68, 2, "StartType"},      {220, 0, "Type"},
    {66, 1, "ProcessID"},        {46, 2, "Flags"}, {240, 0, "Internal Name"}, {340, 0, "Binary File Path"},
    {166, 0, "Load Order Group"}};
static_assert(std::size(kColumns) == TServiceRows::kColumnCount);
constexpr int kPanelWidths[] = {0, 150, 150};
constexpr int kFirstBitmap = 1040;

struct TSwitchVar {
    const char* Key;
    bool Default;
};
constexpr TSwitchVar kSwitchVars[] = {{"stopped", true},      {"running", true},         {"boot", true},
                                      {"system", true},       {"automatic", true},       {"manual", true},
                                      {"disabled", true},     {"kernel_drivers", false}, {"file_sys_drivers", false},
                                      {"win32_process", true}};
static_assert(std::size(kSwitchVars) == kServiceSwitchCount);
}  // namespace

const TCommand<TFormServiceExplorer> TFormServiceExplorer::kMainMenu[] = {
    {{kRefresh, VK_F5, "&Refresh", 0, -1}, [](TFormServiceExplorer& f) { f.Refresh(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kQuit, kShortCutAlt | 'Q', "&Quit", 0, -1}, [](TFormServiceExplorer& f) { f.Close(); }},
};

const TCommand<TFormServiceExplorer> TFormServiceExplorer::kFiltersMenu[] = {
    {{kTextFilter, VK_F3, "&Text Filter...", 0, -1}, [](TFormServiceExplorer& f) { f.AskTextFilter(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kFirstSwitch + kShowStopped, 0, "&Stopped", 0, -1}, Toggle<kShowStopped>},
    {{kFirstSwitch + kShowRunning, 0, "&Running", 0, -1}, Toggle<kShowRunning>},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kFirstSwitch + kShowBoot, 0, "Boot", 0, -1}, Toggle<kShowBoot>},
    {{kFirstSwitch + kShowSystem, 0, "System", 0, -1}, Toggle<kShowSystem>},
    {{kFirstSwitch + kShowAutomatic, 0, "Automatic", 0, -1}, Toggle<kShowAutomatic>},
    {{kFirstSwitch + kShowManual, 0, "Manual", 0, -1}, Toggle<kShowManual>},
    {{kFirstSwitch + kShowDisabled, 0, "Disabled", 0, -1}, Toggle<kShowDisabled>},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kFirstSwitch + kShowKernelDrivers, 0, "Kernel Drivers", 0, -1}, Toggle<kShowKernelDrivers>},
    {{kFirstSwitch + kShowFileSysDrivers, 0, "File System Drivers", 0, -1}, Toggle<kShowFileSysDrivers>},
    {{kFirstSwitch + kShowWin32Process, 0, "Win32 Processes", 0, -1}, Toggle<kShowWin32Process>},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kResetFilters, VK_ESCAPE, "&Reset Filters", 0, -1}, [](TFormServiceExplorer& f) { f.ResetFilters(); }},
};

const TCommand<TFormServiceExplorer> TFormServiceExplorer::kKeys[] = {
    {{0, kShortCutCtrl | 'R', nullptr, 0, -1}, [](TFormServiceExplorer& f) { f.Refresh(); }},
    {{0, kShortCutCtrl | 'F', nullptr, 0, -1}, [](TFormServiceExplorer& f) { f.AskTextFilter(); }},
};

TFormServiceExplorer::TFormServiceExplorer(TWinControl* owner)
    : TKoUtilForm(owner, &ToolRecord(kServiceExplorerIndex)) {
    TEasyConfig& c = Config();
    SortIndex = &TConfigVarInt::Define(c, Tool.Key, 0, "sort_index");
    SortReverse = &TConfigVarBool::Define(c, Tool.Key, false, "sort_reverse");
    ColumnWidths = &TConfigVarIntArray::Define(c, Tool.Key, "column_widths");
    const std::string filters = std::string(Tool.Key) + ".filters";
    TextFilter = &TConfigVarStr::Define(c, filters, "", "text_filter");
    for (int i = 0; i < kServiceSwitchCount; ++i)
        Switches[i] = &TConfigVarBool::Define(c, filters, kSwitchVars[i].Default, kSwitchVars[i].Key);

    statusBar_ = &Add<TNvStatusBar>();
    statusBar_->SetPanels(kPanelWidths);
    list_ = &AddClientList(*this, kColumns);
    images_.AddResourceBitmaps(kFirstBitmap);
    list_->SetSmallImages(images_);
    list_->SetRows(&rows_, &source_);
    BindListSettings(*this, *list_, kColumns, *SortIndex, *SortReverse, *ColumnWidths);
    ActiveControl = list_;

    AddMenu("&Main", kMainMenu);
    AddMenu("&Filters", kFiltersMenu);
    AddKeys(kKeys);

    WhenChanged(TextFilter, [this] { Refresh(); });
    for (int i = 0; i < kServiceSwitchCount; ++i) {
        WhenChanged(Switches[i], [this, i] {
            MainMenu()->SetChecked(static_cast<uint16_t>(kFirstSwitch + i), Switches[i]->Value());
            Refresh();
        });
    }
}

// The first list is there before the window shows.
void TFormServiceExplorer::AfterConstruction() {
    TKoUtilForm::AfterConstruction();
    Refresh();
}

void TFormServiceExplorer::Refresh() {
    if (!Ready || resetting_)
        return;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const TServiceRecord* selected = services_.Service(list_->SelectedSourceRow());
    const bool reselect = selected != nullptr;
    const std::string selectedName = reselect ? selected->DisplayName : std::string();
    services_.Enumerate();
    TServiceSwitches on{};
    for (int i = 0; i < kServiceSwitchCount; ++i)
        on[i] = Switches[i]->Value();
    rows_.SetFilter(source_.Filter(TextFilter->Value(), on));
    int row = rows_.Count() > 0 ? rows_.SourceRow(0) : -1;
    for (int i = 0; reselect && i < services_.Count(); ++i) {
        if (services_.Service(i)->DisplayName == selectedName && rows_.VisibleIndexOf(i) >= 0) {
            row = i;
            break;
        }
    }
    list_->RowsChanged();
    list_->SelectSourceRow(row);
    if (row >= 0)
        list_->EnsureVisible(rows_.VisibleIndexOf(row));
    statusBar_->SetPanelText(0, Format("Services: %d / %d", {rows_.Count(), static_cast<int>(services_.Total())}));
    statusBar_->SetPanelText(1, Format("Running: %d", {static_cast<int>(services_.RunningCount())}));
    SetCursor(previous);
}

void TFormServiceExplorer::AskTextFilter() {
    std::string text = TextFilter->Value();
    if (InputBox(Handle(), "Enter a string to filter services by...", text))
        TextFilter->SetValue(text);
}

void TFormServiceExplorer::ResetFilters() {
    {
        const TFlagScope resetting(resetting_);
        SetRedraw(false);
        TextFilter->Reset();
        for (TConfigVarBool* on : Switches)
            on->Reset();
        SetRedraw(true);
    }
    Refresh();
}
