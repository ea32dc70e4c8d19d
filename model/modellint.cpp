// Locale-free number texts of model/; see modellint.h. Calls only the C++
// runtime's to_chars/from_chars.
#include "model/modellint.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

std::string modFixed(double x, int stellen)
{
    std::string s;
    modFixedAn(s, x, stellen);
    return s;
}

void modFixedAn(std::string& s, double x, int stellen)
{
    char puffer[400];  // the longest fixed form of a double is 309 digits + 17
    auto r = std::to_chars(puffer, puffer + sizeof puffer, x, std::chars_format::fixed, stellen);
    if (r.ec == std::errc()) {
        s.append(puffer, r.ptr);
    }
}

namespace {

bool modLeer(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Past the leading white space and sign of a number, as the C library reads
// it; `minus` tells the sign.
const char* modZahlAnfang(const char* s, bool& minus)
{
    while (modLeer(*s)) {
        ++s;
    }
    minus = *s == '-';
    if (*s == '+' || *s == '-') {
        ++s;
    }
    return s;
}

}  // namespace

double modAtof(const char* s)
{
    if (!s) {
        return 0.0;
    }
    bool minus = false;
    s = modZahlAnfang(s, minus);
    const char* ende = s;
    while (*ende) {
        ++ende;
    }
    double wert = 0.0;
    auto r = std::from_chars(s, ende, wert, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; the C library gives +-HUGE_VAL or 0.
        bool klein = false;
        for (const char* p = s; p < r.ptr; ++p) {
            if (*p == 'e' || *p == 'E') {
                klein = p[1] == '-';
                break;
            }
        }
        wert = klein ? 0.0 : HUGE_VAL;
    } else if (r.ec != std::errc()) {
        wert = 0.0;
    }
    return minus ? -wert : wert;
}

int modAtoi(const char* s)
{
    if (!s) {
        return 0;
    }
    bool minus = false;
    s = modZahlAnfang(s, minus);
    int64_t wert = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        if (wert < INT64_C(1) << 40) {  // saturates far beyond the int range
            wert = wert * 10 + (*s - '0');
        }
    }
    if (minus) {
        wert = -wert;
    }
    if (wert > INT_MAX) {
        return INT_MAX;
    }
    if (wert < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(wert);
}
