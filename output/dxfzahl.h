// The DXF import's reading of a plain decimal number ("-12.3456", "0",
// "1.2500000003336909"): the same double std::from_chars gives, without its
// general machinery, for the form nearly every number of a DXF file has.
// Header only; used by output/dxfimp.cpp.
#pragma once

#include <cmath>
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

// The digits of a plain decimal read so far: mantissa, digit count, digits
// after the point, sign.
struct Ziffern {
    uint64_t m = 0;
    int ziffern = 0, nachkomma = 0;
    bool minus = false;
};

// Reads an optional '-', digits and an optional '.' with digits from p on,
// stopping at the first byte that is neither a digit nor the first '.';
// that byte's position, or nullptr after a twentieth digit. Eight digits
// are taken at a time where eight bytes are at hand: the usual 17-digit
// values are two such steps after the point.
inline const char* lesen(const char* p, const char* e, Ziffern* z)
{
    z->minus = p < e && *p == '-';
    if (z->minus) ++p;
    uint64_t m = 0;
    int ziffern = 0, nachkomma = 0;
    for (int teil = 0; teil < 2; ++teil) {
        int n = 0;
        while (e - p >= 8) {
            uint64_t w;
            std::memcpy(&w, p, 8);
            constexpr uint64_t hoch = 0xF0F0F0F0F0F0F0F0ull;
            if (((w & hoch) | (((w + 0x0606060606060606ull) & hoch) >> 4)) != 0x3333333333333333ull) break;
            if (ziffern + n + 8 > 19) return nullptr;
            // Eight digits of a little-endian word to their number.
            w -= 0x3030303030303030ull;
            w = w * 10 + (w >> 8);
            w = (((w & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
                 (((w >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >> 32;
            m = m * 100000000 + w;
            n += 8;
            p += 8;
        }
        for (; p < e; ++p) {
            const unsigned d = static_cast<unsigned char>(*p) - '0';
            if (d > 9) break;
            if (ziffern + ++n > 19) return nullptr;
            m = m * 10 + d;
        }
        ziffern += n;
        if (teil == 1) {
            nachkomma = n;
        } else if (p < e && *p == '.') {
            ++p;
        } else {
            break;
        }
    }
    z->m = m;
    z->ziffern = ziffern;
    z->nachkomma = nachkomma;
    return p;
}

// The correctly rounded double of digits read by lesen (one digit at
// least), as std::from_chars gives it; false (nothing set) for the rare
// value that would need more than the precision used here.
inline bool wert(const Ziffern& z, double* v)
{
    const uint64_t m = z.m;
    const int nachkomma = z.nachkomma;
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
    *v = z.minus ? -r : r;
    return true;
}

// [p, e) as an optional '-', digits and an optional '.' with digits (one
// digit at least, nineteen at most, nothing after them): true and *v set to
// the correctly rounded double, as std::from_chars gives it. false (nothing
// set) for every other text, and for the rare value that would need more
// than the precision used here; the caller then asks std::from_chars.
inline bool dezimal(const char* p, const char* e, double* v)
{
    Ziffern z;
    return lesen(p, e, &z) == e && z.ziffern > 0 && wert(z, v);
}

// std::trunc, std::round and std::nearbyint (in the default rounding mode)
// without the library call, which every coordinate of an import passes
// through: the same doubles, the sign of a zero included. Below 2^52 the
// conversion to a 64-bit integer truncates exactly, and adding and taking
// away 2^52 rounds to an integer, ties to even; above, every double is an
// integer already (or not a number) and goes to the library.
inline double abschneiden(double x)
{
    if (!(std::fabs(x) < 0x1p52)) return std::trunc(x);
    return std::copysign(static_cast<double>(static_cast<int64_t>(x)), x);
}

inline double runden(double x)
{
    if (!(std::fabs(x) < 0x1p52)) return std::round(x);
    const double t = abschneiden(x);
    // x - t is exact: the fraction of a double below 2^52.
    return std::fabs(x - t) >= 0.5 ? t + std::copysign(1.0, x) : t;
}

inline double rundenGerade(double x)
{
    if (!(std::fabs(x) < 0x1p52)) return std::nearbyint(x);
    return std::copysign(x >= 0 ? (x + 0x1p52) - 0x1p52 : (x - 0x1p52) + 0x1p52, x);
}

}  // namespace dxfzahl
