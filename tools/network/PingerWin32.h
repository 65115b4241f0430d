#pragma once
#include <string>
#include <vector>

#include "core/HandlesWin32.h"
#include "core/KoUtilFormWin32.h"
#include "core/MemoryCanvasWin32.h"
#include "core/NvButtonWin32.h"
#include "core/NvComboBoxWin32.h"
#include "tools/network/BarGraphClassWin32.h"
#include "tools/network/PingManager.h"

// Pings one host at an interval and draws the round trips as bars coloured from green to red, with the host, its
// address, the last and average times and the peak. "pinger HOST" starts pinging HOST at once.
class TFormPinger : public TKoUtilForm {
  public:
    explicit TFormPinger(TWinControl* owner, std::unique_ptr<IIcmp> icmp = OpenIcmp());

    TConfigVarInt* PingInterval = nullptr;
    TConfigVarInt* DrawMode = nullptr;
    TConfigVarInt* LineSize = nullptr;
    TConfigVarInt* LineSpacing = nullptr;
    TConfigVarInt* BadLatencyLimit = nullptr;

    const TPingManager& Pings() const { return pings_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormShown() override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    static constexpr UINT_PTR kPingTimer = 1;
    static constexpr UINT_PTR kMessageTimer = 2;

    void Start();
    void Stop();
    void PingOnce();
    void ShowMessage(const std::string& text);
    void Relayout();
    void Redraw();

    TPingManager pings_;
    TBarGraphClass graph_;
    TNewBevel bevel_;
    TMemoryCanvas canvas_;
    TFontHandle font_;
    TNvComboBox* host_ = nullptr;
    TNvComboBox* interval_ = nullptr;
    TNvButton* button_ = nullptr;
    std::vector<std::string> history_;
    std::string message_;
    RECT frame_{};
    RECT graphRect_{};
    bool pinging_ = false;
    int panelHeight_ = 0;
};
