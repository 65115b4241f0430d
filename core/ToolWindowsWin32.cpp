#include "core/ToolWindowsWin32.h"

#include "core/BrowserWin32.h"
#include "core/ConfigEditorWin32.h"

namespace {
using TFactory = std::unique_ptr<TKoUtilForm> (*)();

template <typename T>
std::unique_ptr<TKoUtilForm> Make() {
    return TKoUtilForm::Create<T>(nullptr);
}

// Indexed -2..16; tools without their own window class yet open the base window.
constexpr TFactory kClassTable[kToolRecordCount] = {
    Make<TConfigEditor>, Make<TFormBrowser>, Make<TKoUtilForm>, Make<TKoUtilForm>, Make<TKoUtilForm>,
    Make<TKoUtilForm>, Make<TKoUtilForm>,  Make<TKoUtilForm>, Make<TKoUtilForm>, Make<TKoUtilForm>,
    Make<TKoUtilForm>, Make<TKoUtilForm>,  Make<TKoUtilForm>, Make<TKoUtilForm>, Make<TKoUtilForm>,
    Make<TKoUtilForm>, Make<TKoUtilForm>,  Make<TKoUtilForm>, Make<TKoUtilForm>,
};
}  // namespace

std::unique_ptr<TKoUtilForm> CreateToolWindow(TToolIndex index) {
    return kClassTable[index - kFirstToolIndex]();
}
