#pragma once
#include "core/EventLogger.h"
#include "core/HandlesWin32.h"
#include "core/KoLibWin32.h"
#include "core/KoUtilFormWin32.h"
#include "core/NvButtonWin32.h"
#include "core/NvComboBoxWin32.h"
#include "core/NvListBoxWin32.h"
#include "core/NvMenuWin32.h"
#include "tools/time/TimeSynchronizer.h"

// Sets the clock from a time server, showing every step of the exchange as it happens; "timesync auto"
// synchronises once and closes.
class TFormTimeSync : public TKoUtilForm {
  public:
    explicit TFormTimeSync(TWinControl* owner, ISystemTime& clock = MachineSystemTime());

    TConfigVarBool* UdpConnection = nullptr;
    TConfigVarBool* LogVerbose = nullptr;
    TConfigVarNamed* ProtocolIndex = nullptr;
    TConfigVarStr* LastServer = nullptr;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormShown() override;

  private:
    static const TCommand<TFormTimeSync> kMenu[];

    void Synchronize();
    void RunExchange(const std::string& server);
    void FitRows(int rows);
    void DrawRow(const TDrawItemEvent& event);

    TEventLog log_;
    TTimeSynchronizer sync_;
    TNvComboBox* server_ = nullptr;
    TNvComboBox* protocol_ = nullptr;
    TNvButton* button_ = nullptr;
    TNvListBox* list_ = nullptr;
    TNvPopupMenu* menu_ = nullptr;
    TFontStyles fonts_;
    int indentWidth_ = 0;
    int rowHeight_ = 0;
};
