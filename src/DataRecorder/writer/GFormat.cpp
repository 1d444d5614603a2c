#include "GFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

constexpr uint64_t Pow10[] = {1ull,      10ull,      100ull,      1000ull,      10000ull,
                              100000ull, 1000000ull, 10000000ull, 100000000ull, 1000000000ull};

// Lower bounds of the decimal exponents -4..5 as doubles; only a first guess, checked exactly below.
constexpr double DecadeStart[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5};

// The six significant digits of a (positive, normal) rounded half to even, exactly, with the decimal
// exponent after rounding. Works with the exact binary value, so no double rounding can creep in.
// Returns false when the value lies outside the plain (non-exponent) range of "%g".
bool sixDigits(double a, uint32_t &digits, int &exponent)
{
    uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int biased = int(bits >> 52);
    if (biased == 0)
        return false; // subnormal: far outside the plain range anyway
    const uint64_t mantissa = (bits & ((1ull << 52) - 1)) | (1ull << 52);
    const int shift = 1075 - biased; // a = mantissa / 2^shift
    if (a < 9e-5 || a >= 1e6 || shift <= 0)
        return false;

    int x = 0;
    while (x < 9 && a >= DecadeStart[x + 1])
        ++x;
    x -= 4; // first guess of the decimal exponent
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 5 - x;
        if (k < 0 || k > 9)
            return false;
        const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * Pow10[k];
        const uint64_t whole = uint64_t(scaled >> shift);
        if (whole < 100000) {
            --x;
            continue;
        }
        if (whole >= 1000000) {
            ++x;
            continue;
        }
        const unsigned __int128 rest = scaled & ((static_cast<unsigned __int128>(1) << shift) - 1);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        uint64_t rounded = whole;
        if (rest > half || (rest == half && (whole & 1)))
            ++rounded;
        if (rounded == 1000000) {
            rounded = 100000;
            ++x;
        }
        if (x < -4 || x > 5)
            return false;
        digits = uint32_t(rounded);
        exponent = x;
        return true;
    }
    return false;
}

inline char *putTwo(char *out, uint32_t v)
{
    std::memcpy(out, DigitPairs + 2 * v, 2);
    return out + 2;
}

} // namespace

namespace GFormat {

char *appendUInt(char *out, uint32_t v)
{
    char tmp[MaxUIntLength];
    char *p = tmp + MaxUIntLength;
    while (v >= 100) {
        p -= 2;
        std::memcpy(p, DigitPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (v >= 10) {
        p -= 2;
        std::memcpy(p, DigitPairs + 2 * v, 2);
    } else {
        *--p = char('0' + v);
    }
    const size_t n = size_t(tmp + MaxUIntLength - p);
    std::memcpy(out, p, n);
    return out + n;
}

char *appendG(char *out, double v)
{
    if (v == 0.0) {
        if (std::signbit(v))
            *out++ = '-';
        *out++ = '0';
        return out;
    }
    uint32_t digits = 0;
    int exponent = 0;
    const double a = v < 0 ? -v : v;
    if (!sixDigits(a, digits, exponent)) {
        // Exponent form, subnormals, infinities and NaN: the standard library's exact "%g".
        return std::to_chars(out, out + MaxGLength, v, std::chars_format::general, 6).ptr;
    }
    if (v < 0)
        *out++ = '-';
    char d[6];
    putTwo(d, digits / 10000);
    putTwo(d + 2, (digits / 100) % 100);
    putTwo(d + 4, digits % 100);
    int last = 5; // trailing zeros of the fraction are dropped
    const int intDigits = exponent >= 0 ? exponent + 1 : 0;
    while (last >= intDigits && d[last] == '0')
        --last;
    if (exponent >= 0) {
        std::memcpy(out, d, size_t(intDigits));
        out += intDigits;
        if (last >= intDigits) {
            *out++ = '.';
            const size_t n = size_t(last + 1 - intDigits);
            std::memcpy(out, d + intDigits, n);
            out += n;
        }
        return out;
    }
    *out++ = '0';
    *out++ = '.';
    for (int i = -1; i > exponent; --i)
        *out++ = '0';
    std::memcpy(out, d, size_t(last + 1));
    return out + last + 1;
}

} // namespace GFormat
