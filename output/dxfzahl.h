// The DXF import's reading of a plain decimal number ("-12.3456", "0",
// "1.2500000003336909"): the same double std::from_chars gives, without its
// general machinery, for the form nearly every number of a DXF file has.
// Header only; used by output/dxfimp.cpp.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

namespace dxfzahl {

// 10^k, exact as double up to 10^22 and as an x87 long double up to 10^27
// (5^27 < 2^64).
inline constexpr double kZehnD[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr long double kZehnL[] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
    1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// [p, e) as an optional '-', digits and an optional '.' with digits (one
// digit at least, nineteen at most, nothing after them): true and *v set to
// the correctly rounded double, as std::from_chars gives it. false (nothing
// set) for every other text, and for the rare value that would need more
// than the precision used here; the caller then asks std::from_chars.
inline bool dezimal(const char* p, const char* e, double* v)
{
    const bool minus = p < e && *p == '-';
    if (minus) ++p;
    uint64_t m = 0;
    int ziffern = 0, nachkomma = 0;
    bool punkt = false;
    for (; p < e; ++p) {
        const unsigned d = static_cast<unsigned char>(*p) - '0';
        if (d <= 9) {
            if (++ziffern > 19) return false;
            m = m * 10 + d;
            nachkomma += punkt;
        } else if (*p == '.' && !punkt) {
            punkt = true;
        } else {
            return false;
        }
    }
    if (ziffern == 0) return false;
    double r;
    if (m < (uint64_t{1} << 53) && nachkomma <= 22) {
        // Both operands exact: one correctly rounded division.
        r = static_cast<double>(m) / kZehnD[nachkomma];
    } else if constexpr (std::numeric_limits<long double>::digits == 64) {
        if (nachkomma > 27) return false;
        // Both operands exact in 64 bits, the quotient rounded once to 64
        // bits and then to 53. The second rounding is the correct one unless
        // the first landed exactly halfway between two doubles (the 11 bits
        // below a double's last are 100 0000 0000): rounding is monotonic and
        // a halfway point is exact in 64 bits, so elsewhere both roundings
        // fall on the same side of it.
        const long double q = static_cast<long double>(m) / kZehnL[nachkomma];
        uint64_t signifikand;
        std::memcpy(&signifikand, &q, sizeof signifikand);
        if ((signifikand & 0x7FF) == 0x400) return false;
        r = static_cast<double>(q);
    } else {
        return false;
    }
    *v = minus ? -r : r;
    return true;
}

}  // namespace dxfzahl
