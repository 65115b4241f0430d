// Dates and times as users type them (and as the count-down slots store them): the reading never runs past the
// text, and whatever it accepts is a day of the calendar with a time of day inside it, in each date order.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/DateTime.h"
#include "core/Locale.h"
#include "fuzz/FuzzSupport.h"

namespace {
class TOrder : public TFixedLocale {
  public:
    explicit TOrder(const char* order) : order_(order) {}
    const char* DateOrder() const override { return order_; }

  private:
    const char* order_;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* order : {"YMD", "MDY", "DMY"}) {
        double date = 0;
        if (!ParseDateTime(text, TOrder(order), date))
            continue;
        Check(IsCalendarDay(date), "an accepted date lies in the calendar");
        const TDateTimeParts p = DecodeDateTime(date);
        Check(IsValidDate(p.year, p.month, p.day) && p.hour < 24 && p.minute < 60 && p.second < 60,
              "an accepted date decodes to a real day and time");
    }
    return 0;
}
