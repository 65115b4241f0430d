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

  private:
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
