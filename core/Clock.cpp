#include "core/Clock.h"

const IClock& SystemClock();  // the platform half

namespace {
const IClock* overrideClock = nullptr;
}

const IClock& AppClock() {
    return overrideClock ? *overrideClock : SystemClock();
}

void SetAppClock(const IClock* clock) {
    overrideClock = clock;
}
