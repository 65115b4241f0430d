#include "core/Locale.h"

#include <cstdio>

const ILocale& SystemLocale();  // the platform half

namespace {
const ILocale* overrideLocale = nullptr;
}

bool IsValidDate(int year, int month, int day) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string TFixedLocale::FormatShortDate(int year, int month, int day) const {
    if (!IsValidDate(year, month, day))
        return {};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

const ILocale& AppLocale() {
    return overrideLocale ? *overrideLocale : SystemLocale();
}

void SetAppLocale(const ILocale* locale) {
    overrideLocale = locale;
}
