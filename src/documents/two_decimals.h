// "%.02f" as the documents print it: two decimals, rounded half away from
// zero on the exact decimal value of the single-precision number (0.125
// prints 0.13 and -0.125 prints -0.13, where the C library gives 0.12).
#pragma once

#include <string>

namespace vanto::documents {

std::string FormatTwoDecimals(float value);

}  // namespace vanto::documents
