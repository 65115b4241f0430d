#pragma once
#include <array>
#include <memory>

#include "core/KoUtilFormWin32.h"
#include "core/NvImageListWin32.h"
#include "core/NvListViewWin32.h"
#include "core/NvStatusBarWin32.h"
#include "tools/system/ServiceExplorer.h"

// Every service and driver of the service manager, narrowed by a text and ten switches. It only reads.
class TFormServiceExplorer : public TKoUtilForm {
  public:
    explicit TFormServiceExplorer(TWinControl* owner);

    TConfigVarInt* SortIndex = nullptr;
    TConfigVarBool* SortReverse = nullptr;
    TConfigVarIntArray* ColumnWidths = nullptr;
    TConfigVarStr* TextFilter = nullptr;
    std::array<TConfigVarBool*, kServiceSwitchCount> Switches{};

  protected:
    void AfterConstruction() override;

  private:
    static const TCommand<TFormServiceExplorer> kMainMenu[];
    static const TCommand<TFormServiceExplorer> kFiltersMenu[];
    static const TCommand<TFormServiceExplorer> kKeys[];
    template <int Switch>
    static void Toggle(TFormServiceExplorer& form) {
        form.Switches[Switch]->Toggle();
    }

    void Refresh();
    void AskTextFilter();
    void ResetFilters();

    std::unique_ptr<IServiceManager> manager_ = OpenServiceManager();
    TServiceEnumerator services_{*manager_};
    TServiceRows source_{services_};
    TRowView rows_;
    TNvImageList images_;
    TNvListView* list_ = nullptr;
    TNvStatusBar* statusBar_ = nullptr;
    bool resetting_ = false;  // one refresh for the whole reset
};
