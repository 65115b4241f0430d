#pragma once
#include <array>
#include <string>
#include <vector>

#include "tools/storage/SmartReader.h"

// Attribute statuses, as the status pictures show them.
constexpr int kSmartNotJudged = 0;  // no threshold, yet a raw value
constexpr int kSmartGood = 1;
constexpr int kSmartWorstReached = 2;  // the worst value has reached the threshold
constexpr int kSmartFailing = 3;       // the current value has

// What the classic attributes mean: names of ids 1 to 13, raw values with units, statuses.
class TSmartAttributes {
  public:
    TSmartAttributes();
    virtual ~TSmartAttributes() = default;

    virtual std::string FormatRawValue(const TSmartAttribute& attribute) const;
    virtual int AttributeStatus(const TSmartAttribute& attribute) const;
    // "<Unknown>" for an id without a name.
    std::string AttributeName(int id) const;

  protected:
    std::array<const char*, 256> names_{};
};

// Adds the names of the later attributes the drive makers brought in, from 170 up.
class TSmartAttributesFallback : public TSmartAttributes {
  public:
    TSmartAttributesFallback();
};

// The worst status over a drive's attributes (a failing one ends the search); 0 for a drive without any.
int DriveStatus(const TSmartAttributes& meaning, const std::vector<TSmartAttribute>& attributes);
