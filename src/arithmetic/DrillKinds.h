#pragma once

#include "arithmetic/DrillScreen.h"

namespace arithmetic {

// The drill screens, one row each.
const DrillKind &additionDrill();
const DrillKind &subtractionDrill();
const DrillKind &multiplicationDrill();
const DrillKind &divisionDrill();
const DrillKind &olympiadDrill();

} // namespace arithmetic
