#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/HandlesWin32.h"
#include "core/KoLibWin32.h"
#include "core/KoUtilFormWin32.h"
#include "core/LookupThreads.h"
#include "core/NvButtonWin32.h"
#include "core/NvComboBoxWin32.h"
#include "core/NvListBoxWin32.h"
#include "core/NvMenuWin32.h"
#include "tools/network/TraceRoute.h"

// The routers between this machine and a destination, one line per hop with its round trip, each router's name
// filled in by a look-up of its own when it arrives.
class TFormTrace : public TKoUtilForm {
  public:
    explicit TFormTrace(TWinControl* owner, std::unique_ptr<IIcmp> icmp = OpenIcmp());

    TConfigVarInt* MaxHops = nullptr;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormShown() override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    static const TCommand<TFormTrace> kMenu[];
    struct TLine : TTraceLine {
        uint64_t Serial = 0;  // what a look-up's answer is matched by
    };

    void StartOrAbort();
    void RunTrace(const std::string& destination);
    void AddLine(const TTraceLine& line);
    void TakeNames();
    void AskMaxHops();
    void DrawRow(const TDrawItemEvent& event);

    std::unique_ptr<IIcmp> icmp_;
    TLookupThreads lookups_;
    std::vector<TLine> lines_;
    std::vector<std::string> history_;
    uint64_t nextSerial_ = 1;
    bool abort_ = false;
    TNvComboBox* destination_ = nullptr;
    TNvComboBox* timeout_ = nullptr;
    TNvButton* button_ = nullptr;
    TNvListBox* list_ = nullptr;
    TNvPopupMenu* menu_ = nullptr;
    TFontStyles fonts_;
};
