// The system's own case maps of code page 1252, held here because the
// file-system boundary compares names ignoring case with them; the support
// library's `zgross`/`zklein` use the same tables. Prefix `plZeichen`.
// Calls nothing; header only (the tables are built at compile time).
//
// Upper case: 'a'..'z' and 224..254 lose 32. Lower case: 'A'..'Z' and
// 192..222 gain 32. Every other byte maps to itself; so 247 and 215 map to
// each other, and 223 and 255 stay.
#pragma once

#include <array>

namespace plzeichen_detail {

constexpr std::array<unsigned char, 256> bauen(bool gross)
{
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        bool klein = (c >= 'a' && c <= 'z') || (c >= 224 && c <= 254);
        bool grossb = (c >= 'A' && c <= 'Z') || (c >= 192 && c <= 222);
        if (gross) {
            t[c] = static_cast<unsigned char>(klein ? c - 32 : c);
        } else {
            t[c] = static_cast<unsigned char>(grossb ? c + 32 : c);
        }
    }
    return t;
}

}  // namespace plzeichen_detail

inline constexpr std::array<unsigned char, 256> plZeichenGrossTabelle = plzeichen_detail::bauen(true);
inline constexpr std::array<unsigned char, 256> plZeichenKleinTabelle = plzeichen_detail::bauen(false);

constexpr unsigned char plZeichenGross(unsigned char c)
{
    return plZeichenGrossTabelle[c];
}

constexpr unsigned char plZeichenKlein(unsigned char c)
{
    return plZeichenKleinTabelle[c];
}
