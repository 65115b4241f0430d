#include "core/Format.h"
#include "core/KoLib.h"
#include "core/Locale.h"

std::string FormatVersion(uint32_t updated, bool shortForm) {
    const int day = static_cast<int>(updated & 0xFF);
    const int month = static_cast<int>(updated >> 8 & 0xFF);
    const int year = static_cast<int>(updated >> 16 & 0xFF);
    if (shortForm)
        return Format("%.2d.%.2d.%.2d", {year, month, day});
    return AppLocale().FormatShortDate(2000 + year, month, day);
}
