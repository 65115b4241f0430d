#pragma once
#include <vector>

#include "core/KoUtilFormWin32.h"
#include "core/NvComboBoxWin32.h"
#include "core/NvEditWin32.h"
#include "core/NvListBoxWin32.h"
#include "core/NvStatusBarWin32.h"
#include "tools/network/NetPortList.h"

// Known TCP and UDP ports from the data folder's ports.lst, filtered as the user types: a port or range, the
// protocol and a text found in the service's name or description.
class TFormNetPorts : public TKoUtilForm {
  public:
    explicit TFormNetPorts(TWinControl* owner);

  protected:
    void FormShown() override;

  private:
    void Refresh();
    void DrawRow(const TDrawItemEvent& event);

    std::vector<TPortRecord> records_;
    std::vector<int> rows_;  // record indexes of the listed rows
    bool missing_ = false;
    TNvEdit* ports_ = nullptr;
    TNvComboBox* protocol_ = nullptr;
    TNvEdit* search_ = nullptr;
    TNvListBox* list_ = nullptr;
    TNvStatusBar* statusBar_ = nullptr;
};
