#pragma once

#include "arithmetic/DrillScreen.h"

namespace arithmetic {

// The drill screens, one row each.
const DrillKind &additionDrill();

} // namespace arithmetic
