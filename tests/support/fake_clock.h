// A clock the unit tests set.
#pragma once

#include "platform/clock.h"

extern LocalTime FakeNow;
