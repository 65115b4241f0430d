#pragma once
#include <string>
#include <vector>

#include "core/EventLogger.h"
#include "core/HandlesWin32.h"
#include "core/KoLibWin32.h"
#include "core/KoUtilFormWin32.h"
#include "core/NvButtonWin32.h"
#include "core/NvComboBoxWin32.h"
#include "core/NvListBoxWin32.h"
#include "tools/network/Whois.h"

// One query line to a whois server, its answer shown line by line with the time each line took, kept until the
// window closes and saved with Ctrl+S.
class TFormWhoIs : public TKoUtilForm {
  public:
    explicit TFormWhoIs(TWinControl* owner);

    TConfigVarStr* LastQuery = nullptr;
    TConfigVarStr* LastParam = nullptr;
    TConfigVarStr* LastServer = nullptr;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormShown() override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    void Query();
    void RunQuery(const std::string& query, const std::string& parameters, const std::string& server);
    void LogText(const std::string& text, uint32_t kind);
    void ShowNewRows(bool now);
    void SaveLog();
    void DrawRow(const TDrawItemEvent& event);

    TEventLog log_;
    uint32_t shownTick_ = 0;
    std::vector<std::string> history_;
    TNvComboBox* query_ = nullptr;
    TNvComboBox* param_ = nullptr;
    TNvComboBox* server_ = nullptr;
    TNvListBox* list_ = nullptr;
    TFontStyles fonts_;
};
