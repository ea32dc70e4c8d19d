// Code page 1252 conversion; see cp1252.h.
#include "platform/cp1252.h"

#include <cstdio>

namespace {

// 0x80..0x9F; the undefined five map to the C1 control of the same value.
constexpr char16_t cpTabelle80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void cpUtf8Anhaengen(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one character at s[i]; returns its length, 0 when malformed.
size_t cpUtf8Lesen(std::string_view s, size_t i, char32_t* c)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        *c = b0;
        return 1;
    }
    size_t len;
    char32_t wert;
    char32_t minimum;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, wert = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, wert = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, wert = b0 & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        wert = (wert << 6) | (b & 0x3F);
    }
    if (wert < minimum || wert > 0x10FFFF || (wert >= 0xD800 && wert <= 0xDFFF)) return 0;
    *c = wert;
    return len;
}

}  // namespace

char32_t plCpUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0) return cpTabelle80[byte - 0x80];
    return byte;
}

int plCpByte(char32_t zeichen)
{
    if (zeichen < 0x80 || (zeichen >= 0xA0 && zeichen <= 0xFF)) return static_cast<int>(zeichen);
    for (int i = 0; i < 32; ++i) {
        if (cpTabelle80[i] == zeichen) return 0x80 + i;
    }
    return -1;
}

bool plCpUtf8Gueltig(std::string_view s)
{
    char32_t c;
    for (size_t i = 0; i < s.size();) {
        const size_t n = cpUtf8Lesen(s, i, &c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string plCpNachUtf8(std::string_view cp)
{
    std::string out;
    out.reserve(cp.size() + cp.size() / 4);
    for (const char ch : cp) cpUtf8Anhaengen(out, plCpUnicode(static_cast<unsigned char>(ch)));
    return out;
}

std::string plCpAusUtf8(std::string_view utf8, int* ersetzt)
{
    if (ersetzt) *ersetzt = 0;
    if (!plCpUtf8Gueltig(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    char32_t c = 0;
    for (size_t i = 0; i < utf8.size();) {
        i += cpUtf8Lesen(utf8, i, &c);
        const int b = plCpByte(c);
        if (b < 0) {
            out += '?';
            if (ersetzt) ++*ersetzt;
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

std::string plCpAusUtf8Melden(std::string_view utf8, const char* wo)
{
    int ersetzt = 0;
    std::string out = plCpAusUtf8(utf8, &ersetzt);
    if (ersetzt > 0) {
        std::fprintf(stderr, "velmo: %s: %d Zeichen ohne Entsprechung in Codepage 1252 durch '?' ersetzt: %.*s\n",
                     wo, ersetzt, static_cast<int>(utf8.size()), utf8.data());
    }
    return out;
}
