#include "tools/system/Uninstall.h"

#include <cmath>

#include "core/DateTime.h"
#include "core/Format.h"
#include "core/KoLib.h"
#include "core/Locale.h"

namespace {
template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
}  // namespace

std::string UninstallSizeText(int32_t kilobytes) {
    if (kilobytes == 0)
        return {};
    if (kilobytes < 1024)
        return Format("%d kB", {kilobytes});
    if (kilobytes < 1048576)
        return Format("%.1f MB", {kilobytes / 1024.0});
    return Format("%.2f GB", {kilobytes / 1024.0 / 1024.0});
}

std::string UninstallDateText(double dateTime) {
    const TDateTimeParts t = DecodeDateTime(dateTime);
    const std::string date = AppLocale().FormatShortDate(t.year, t.month, t.day);
    if (dateTime == std::floor(dateTime))
        return date;
    return date + " - " + Format("%d%s%.2d", {t.hour, std::string(1, AppLocale().TimeSeparator()), t.minute});
}

std::string UninstallScopeText(const TUninstallEntry& entry) {
    return Format("%s:%d", {entry.RootKey == kHKeyCurrentUser ? "User" : "Machine", entry.Is64BitView ? 64 : 32});
}

std::string TUninstallRows::CellText(int row, int column) const {
    const TUninstallEntry& e = scanner_->Entry(row);
    switch (column) {
        case 0:
            return e.DisplayName;
        case 1:
            return e.Publisher;
        case 2:
            return e.DisplayVersion;
        case 3:
            return UninstallSizeText(e.EstimatedSize);
        case 4:
            return e.InstallDate != 0 ? UninstallDateText(e.InstallDate) : std::string();
        case 5:
            return e.UninstallString;
        case 6:
            return e.KeyName;
        case 7:
            return UninstallScopeText(e);
        case 8:
            return Format("%.3d", {row});
        default:
            return {};
    }
}

// Equal keys compare equal: the row view then keeps them in scan order.
int TUninstallRows::CompareRows(int a, int b, int column) const {
    const TUninstallEntry& x = scanner_->Entry(a);
    const TUninstallEntry& y = scanner_->Entry(b);
    switch (column) {
        case 3:
            return Order(x.EstimatedSize, y.EstimatedSize);
        case 4:
            return Order(x.InstallDate, y.InstallDate);
        case 7: {
            const int root = Order(static_cast<uint32_t>(x.RootKey), static_cast<uint32_t>(y.RootKey));
            return root != 0 ? root : Order(x.Is64BitView, y.Is64BitView);
        }
        case 8:
            return Order(a, b);
        default:
            return IRowSource::CompareRows(a, b, column);
    }
}

std::pair<std::string, std::string> SplitUninstallCommand(const std::string& text,
                                                          const std::function<bool(const std::string&)>& fileExists) {
    const std::string command = Trimmed(text);
    if (command.empty() || fileExists(command))
        return {command, {}};
    if (command.front() == '"') {
        const size_t close = command.find('"', 1);
        if (close == std::string::npos)
            return {command.substr(1), {}};
        return {command.substr(1, close - 1), command.substr(close + 1)};
    }
    for (size_t blank = command.find(' '); blank != std::string::npos; blank = command.find(' ', blank + 1)) {
        if (fileExists(command.substr(0, blank)))
            return {command.substr(0, blank), command.substr(blank + 1)};
    }
    const size_t blank = command.find(' ');
    if (blank == std::string::npos)
        return {command, {}};
    return {command.substr(0, blank), command.substr(blank + 1)};
}
