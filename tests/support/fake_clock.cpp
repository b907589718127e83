// The local time as the unit tests set it.
#include "support/fake_clock.h"

LocalTime FakeNow = {2026, 12, 6, 9, 7, 5};

LocalTime LocalNow() {
    return FakeNow;
}
