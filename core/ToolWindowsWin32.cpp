#include "core/ToolWindowsWin32.h"

#include "core/BrowserWin32.h"
#include "core/ConfigEditorWin32.h"
#include "tools/network/NetPortListWin32.h"
#include "tools/network/PingerWin32.h"
#include "tools/network/TraceRouteWin32.h"
#include "tools/network/WhoisWin32.h"
#include "tools/number/CalculatorWin32.h"
#include "tools/number/NumConvertWin32.h"
#include "tools/number/NumberInfoWin32.h"
#include "tools/number/UnitConverterWin32.h"
#include "tools/storage/DriveListerWin32.h"
#include "tools/storage/SmartReadWin32.h"
#include "tools/storage/SubstWin32.h"
#include "tools/system/ClipBoardWin32.h"
#include "tools/system/ServiceExplorerWin32.h"
#include "tools/system/UninstallWin32.h"
#include "tools/time/DateCalcWin32.h"
#include "tools/time/StopWatchWin32.h"
#include "tools/time/TimeSyncWin32.h"

namespace {
using TFactory = std::unique_ptr<TKoUtilForm> (*)();

template <typename T>
std::unique_ptr<TKoUtilForm> Make() {
    return TKoUtilForm::Create<T>(nullptr);
}

// Indexed -2..16; tools without their own window class yet open the base window.
constexpr TFactory kClassTable[kToolRecordCount] = {
    Make<TConfigEditor>,         // -2 configeditor
    Make<TFormBrowser>,          // -1 browser
    Make<TFormCalc>,             // 0 calculator
    Make<TFormUnitConvert>,      // 1 converter
    Make<TFormNumConvert>,       // 2 numconvert
    Make<TFormNumInfo>,          // 3 numberinfo
    Make<TFormUninstall>,        // 4 uninstall
    Make<TFormClipbrd>,          // 5 clipboard
    Make<TFormServiceExplorer>,  // 6 serviceexplorer
    Make<TFormDateCalc>,         // 7 datecalc
    Make<TFormStopWatch>,        // 8 stopwatch
    Make<TFormTimeSync>,         // 9 timesync
    Make<TFormDriveLister>,      // 10 drivelister
    Make<TFormSmartReader>,      // 11 smartreader
    Make<TFormSubst>,            // 12 drivesubst
    Make<TFormTrace>,            // 13 traceroute
    Make<TFormPinger>,           // 14 pinger
    Make<TFormWhoIs>,            // 15 whois
    Make<TFormNetPorts>,         // 16 netportlist
};

// F11 over any window: an editor of that window's variables, modal to it.
void OpenConfigEditorOver(TKoUtilForm& toolWindow) {
    auto editor = TKoUtilForm::Create<TConfigEditor>(&toolWindow, &toolWindow);
    editor->Edit(toolWindow.Config());
    editor->ShowModal(toolWindow.Handle());
}
}  // namespace

std::unique_ptr<TKoUtilForm> CreateToolWindow(TToolIndex index) {
    TKoUtilForm::SetConfigEditorOpener(OpenConfigEditorOver);
    return kClassTable[index - kFirstToolIndex]();
}
