#include <windows.h>

#include "core/Locale.h"

namespace {
class TWin32Locale : public ILocale {
  public:
    char DecimalSeparator() const override { return Info(LOCALE_SDECIMAL, '.'); }
    char ThousandSeparator() const override { return Info(LOCALE_STHOUSAND, ','); }
    char TimeSeparator() const override { return Info(LOCALE_STIME, ':'); }
    std::string FormatShortDate(int year, int month, int day) const override {
        if (!IsValidDate(year, month, day))
            return {};
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(year);
        st.wMonth = static_cast<WORD>(month);
        st.wDay = static_cast<WORD>(day);
        char text[128];
        const int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, sizeof text);
        return n > 0 ? std::string(text) : std::string();
    }

    const char* DateOrder() const override {
        switch (Info(LOCALE_IDATE, '2')) {
            case '0':
                return "MDY";
            case '1':
                return "DMY";
            default:
                return "YMD";
        }
    }
    // The system counts its day names from Monday.
    std::string LongDayName(int dayOfWeek) const override {
        return dayOfWeek >= 0 && dayOfWeek < 7 ? Text(LOCALE_SDAYNAME1 + (dayOfWeek + 6) % 7) : "";
    }
    std::string LongMonthName(int month) const override {
        return month >= 1 && month <= 12 ? Text(LOCALE_SMONTHNAME1 + month - 1) : "";
    }
    std::string ShortMonthName(int month) const override {
        return month >= 1 && month <= 12 ? Text(LOCALE_SABBREVMONTHNAME1 + month - 1) : "";
    }

  private:
    static std::string Text(LCTYPE type) {
        char text[80];
        return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 1 ? text : "";
    }
    static char Info(LCTYPE type, char fallback) {
        char text[8];
        return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 1 ? text[0] : fallback;
    }
};
}  // namespace

const ILocale& SystemLocale() {
    static const TWin32Locale locale;
    return locale;
}
