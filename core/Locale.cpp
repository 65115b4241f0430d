#include "core/Locale.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "core/DateTime.h"

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

std::string TFixedLocale::LongDayName(int dayOfWeek) const {
    static const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return dayOfWeek >= 0 && dayOfWeek < 7 ? kDays[dayOfWeek] : "";
}

std::string TFixedLocale::LongMonthName(int month) const {
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? kMonths[month - 1] : "";
}

bool ParseDateTime(const std::string& text, const ILocale& locale, double& dateTime) {
    size_t at = 0;
    const auto skip = [&](const char* separators) {
        while (at < text.size() && text[at] != '\0' && std::strchr(separators, text[at]))
            ++at;
    };
    // A number of up to limit digits, and how many it had.
    const auto number = [&](int& value, size_t limit) {
        const size_t start = at;
        value = 0;
        while (at < text.size() && at - start < limit && std::isdigit(static_cast<unsigned char>(text[at])))
            value = value * 10 + (text[at++] - '0');
        return at - start;
    };
    skip(" ");
    int d[3] = {};
    size_t firstDigits = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t digits = number(d[i], 5);
        if (digits == 0)
            return false;
        firstDigits = i == 0 ? digits : firstDigits;
        if (i < 2)
            skip("/-. ");
    }
    const std::string order = firstDigits >= 3 ? "YMD" : locale.DateOrder();
    int year = 0, month = 0, day = 0;
    for (int i = 0; i < 3; ++i)
        (order[i] == 'Y' ? year : order[i] == 'M' ? month : day) = d[i];
    if (firstDigits < 3 && year < 100 && order.find('Y') != std::string::npos)
        year += year < 50 ? 2000 : 1900;  // two-digit years as the system reads them
    int time[4] = {};
    skip(" ");
    if (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        for (int i = 0; i < 4; ++i) {
            if (number(time[i], i == 3 ? 3 : 2) == 0)
                return false;
            if (i == 3)
                break;
            if (at >= text.size() || (i == 2 ? text[at] != '.' : text[at] != ':' && text[at] != locale.TimeSeparator()))
                break;
            ++at;
        }
    }
    skip(" ");
    std::string suffix = text.substr(at);
    for (char& c : suffix)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (suffix == "am" || suffix == "pm") {
        if (time[0] < 1 || time[0] > 12)
            return false;
        time[0] = time[0] % 12 + (suffix == "pm" ? 12 : 0);
    } else if (!suffix.empty()) {
        return false;
    }
    if (!IsValidDate(year, month, day) || time[0] > 23 || time[1] > 59 || time[2] > 59)
        return false;
    dateTime = EncodeDateTime(year, month, day, time[0], time[1], time[2], time[3]);
    return true;
}

const ILocale& AppLocale() {
    return overrideLocale ? *overrideLocale : SystemLocale();
}

void SetAppLocale(const ILocale* locale) {
    overrideLocale = locale;
}
