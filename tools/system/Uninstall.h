#pragma once
#include <functional>
#include <string>
#include <utility>

#include "core/RowModel.h"
#include "tools/system/UninstallScanner.h"

// The rows of the Uninstall Lister: the scanner's entries in scan order, nine columns.
class TUninstallRows : public IRowSource {
  public:
    static constexpr int kColumnCount = 9;
    explicit TUninstallRows(TUninstallScanner& scanner) : scanner_(&scanner) {}
    void SetScanner(TUninstallScanner& scanner) { scanner_ = &scanner; }
    int RowCount() const override { return scanner_->Count(); }
    std::string CellText(int row, int column) const override;
    int RowImage(int row) const override { return scanner_->Entry(row).ImageIndex; }
    int CompareRows(int a, int b, int column) const override;

  private:
    TUninstallScanner* scanner_;
};

// "" for 0, "%d kB" below 1024, "%.1f MB" below 1048576, else "%.2f GB".
std::string UninstallSizeText(int32_t kilobytes);
// The short date, with " - " and the short time when the time of day is not exactly 0.
std::string UninstallDateText(double dateTime);
// "User:32", "Machine:64" ...
std::string UninstallScopeText(const TUninstallEntry& entry);

// An uninstall string as program and parameters: the whole text when it names a file; a quoted program; else the
// shortest text before a blank that names a file, or the split at the first blank.
std::pair<std::string, std::string> SplitUninstallCommand(const std::string& text,
                                                          const std::function<bool(const std::string&)>& fileExists);
