#include "documents/two_decimals.h"

#include <cmath>
#include <cstdio>

namespace vanto::documents {

std::string FormatTwoDecimals(float value) {
  if (!std::isfinite(value)) {
    char text[32];
    std::snprintf(text, sizeof text, "%.02f", static_cast<double>(value));
    return text;
  }
  // A float has 24 significant bits and 100 needs 7, so the product is exact
  // in a double, and so are its floor and its fraction.
  double hundredths = std::fabs(static_cast<double>(value)) * 100.0;
  double whole = std::floor(hundredths);
  if (hundredths - whole >= 0.5) whole += 1.0;
  char digits[64];
  std::snprintf(digits, sizeof digits, "%03.0f", whole);
  std::string text = digits;
  text.insert(text.size() - 2, ".");
  if (std::signbit(value)) text.insert(0, "-");
  return text;
}

}  // namespace vanto::documents
