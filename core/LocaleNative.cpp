#include "core/Locale.h"

const ILocale& SystemLocale() {
    static const TFixedLocale locale;
    return locale;
}
