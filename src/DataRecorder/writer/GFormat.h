#pragma once

#include <cstdint>

// Number text for CSV files: the printf "%g" form (six significant digits) byte for byte, without
// printf's cost and independent of any locale.
namespace GFormat {

// Longest text appendG writes ("-1.23457e+308"), with room to spare.
constexpr int MaxGLength = 24;
constexpr int MaxUIntLength = 10;

// Write v as printf("%g", v) would in the C locale; returns the end. No terminating zero.
char *appendG(char *out, double v);

// Decimal digits of v; returns the end.
char *appendUInt(char *out, uint32_t v);

} // namespace GFormat
