// Text comparison, collation and wildcard patterns; see vergleich.h.
// Calls only the case maps of platform/zeichen.h.
#include "support/vergleich.h"

#include <array>

namespace {

// The collation order: bytes listed from weight 65 upwards (0..64 keep their
// value). Upper-case letters each followed by their accented forms, then
// [ \ ] ^ _ `, the lower-case letters the same way (with ß and ÿ), then
// { | } ~ and 127, the bytes 128..191 in order, and last × Þ ÷ þ.
constexpr unsigned char vglFolge[256 - 65] = {
    // A À Á Â Ã Ä Å Æ B C Ç D Ð E È É Ê Ë F G H I Ì Í Î Ï J K L M N Ñ
    0x41, 0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0x42, 0x43, 0xC7, 0x44, 0xD0, 0x45, 0xC8, 0xC9,
    0xCA, 0xCB, 0x46, 0x47, 0x48, 0x49, 0xCC, 0xCD, 0xCE, 0xCF, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0xD1,
    // O Ò Ó Ô Õ Ö Ø P Q R S T U Ù Ú Û Ü V W X Y Ý Z
    0x4F, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD8, 0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0xD9, 0xDA, 0xDB,
    0xDC, 0x56, 0x57, 0x58, 0x59, 0xDD, 0x5A,
    // [ \ ] ^ _ `
    0x5B, 0x5C, 0x5D, 0x5E, 0x5F, 0x60,
    // a à á â ã ä å æ b c ç d ð e è é ê ë f g h i ì í î ï j k l m n ñ
    0x61, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0x62, 0x63, 0xE7, 0x64, 0xF0, 0x65, 0xE8, 0xE9,
    0xEA, 0xEB, 0x66, 0x67, 0x68, 0x69, 0xEC, 0xED, 0xEE, 0xEF, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0xF1,
    // o ò ó ô õ ö ø p q r s ß t u ù ú û ü v w x y ý ÿ z
    0x6F, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF8, 0x70, 0x71, 0x72, 0x73, 0xDF, 0x74, 0x75, 0xF9, 0xFA,
    0xFB, 0xFC, 0x76, 0x77, 0x78, 0x79, 0xFD, 0xFF, 0x7A,
    // { | } ~ DEL
    0x7B, 0x7C, 0x7D, 0x7E, 0x7F,
    // 128..191
    0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F,
    0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F,
    0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF,
    0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
    // × Þ ÷ þ
    0xD7, 0xDE, 0xF7, 0xFE,
};

constexpr std::array<unsigned char, 256> vglGewichteBauen()
{
    std::array<unsigned char, 256> g{};
    std::array<bool, 256> belegt{};
    for (int c = 0; c < 65; ++c) {
        g[c] = static_cast<unsigned char>(c);
        belegt[c] = true;
    }
    for (int i = 0; i < 256 - 65; ++i) {
        if (belegt[vglFolge[i]]) {
            throw "collation order names a byte twice";
        }
        belegt[vglFolge[i]] = true;
        g[vglFolge[i]] = static_cast<unsigned char>(65 + i);
    }
    return g;
}

constexpr std::array<unsigned char, 256> vglGewicht = vglGewichteBauen();
static_assert(vglGewicht[0x5A] == 119 && vglGewicht[0x60] == 125 && vglGewicht[0x7A] == 182 &&
              vglGewicht[0x7F] == 187 && vglGewicht[0xBF] == 251 && vglGewicht[0xFE] == 255);

inline unsigned char vglByte(const char* s, int i)
{
    return static_cast<unsigned char>(s[i]);
}

inline int vglW(unsigned char c)
{
    return vglGewicht[c];
}

inline bool vglZiffer(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// Wildcard match without recursion: on a mismatch, the last '*' takes one
// more text character. Same answers as trying '*' at every position, without
// the exponential cost of nested stars.
int vglMuster(const char* muster, const char* text, bool ohneFall, bool ziffernKlasse)
{
    auto gleich = [ohneFall](unsigned char m, unsigned char t) {
        return ohneFall ? zgross(m) == zgross(t) : m == t;
    };
    const char* m = muster;
    const char* t = text;
    const char* sternM = nullptr;
    const char* sternT = nullptr;
    while (*t != '\0') {
        auto mc = static_cast<unsigned char>(*m);
        auto tc = static_cast<unsigned char>(*t);
        if (mc == '*') {
            sternM = ++m;
            sternT = t;
            continue;
        }
        bool passt = mc != '\0' && (mc == '?' || (ziffernKlasse && mc == '#' ? vglZiffer(tc) : gleich(mc, tc)));
        if (passt) {
            ++m;
            ++t;
        } else if (sternM != nullptr) {
            m = sternM;
            t = ++sternT;
        } else {
            return 0;
        }
    }
    while (*m == '*') {
        ++m;
    }
    return *m == '\0' ? 1 : 0;
}

}  // namespace

int istgross(unsigned char c)
{
    return zklein(c) != c ? 1 : 0;
}

int istklein(unsigned char c)
{
    return zgross(c) != c ? 1 : 0;
}

int istdruckbar(unsigned char c)
{
    return (c >= 32 && c <= 126) || c >= 160 ? 1 : 0;
}

int zeichengewicht(unsigned char c)
{
    return vglW(c);
}

int zeichengewichtvgl(unsigned char a, unsigned char b)
{
    return vglW(a) - vglW(b);
}

int zeichenvgl(unsigned char a, unsigned char b)
{
    return vglW(a) - vglW(b);
}

int strvgl(const char* a, const char* b)
{
    int i = 0;
    while (a[i] != '\0' && zgross(vglByte(a, i)) == zgross(vglByte(b, i))) {
        ++i;
    }
    return zgross(vglByte(a, i)) - zgross(vglByte(b, i));
}

int strnvgl(const char* a, const char* b, int n)
{
    for (int i = 0; i < n; ++i) {
        int d = zgross(vglByte(a, i)) - zgross(vglByte(b, i));
        if (d != 0 || a[i] == '\0') {
            return d;
        }
    }
    return 0;
}

int strvglsort(const char* a, const char* b)
{
    int i = 0;
    while (a[i] != '\0' && zgross(vglByte(a, i)) == zgross(vglByte(b, i))) {
        ++i;
    }
    return vglW(zgross(vglByte(a, i))) - vglW(zgross(vglByte(b, i)));
}

int strgewichtvgl(const char* a, const char* b)
{
    int i = 0;
    while (a[i] != '\0' && a[i] == b[i]) {
        ++i;
    }
    return vglW(vglByte(a, i)) - vglW(vglByte(b, i));
}

int strngewichtvgl(const char* a, const char* b, int n)
{
    // Stops where both texts have ended: nothing behind a terminator is read.
    for (int i = 0; i < n; ++i) {
        int d = vglW(vglByte(a, i)) - vglW(vglByte(b, i));
        if (d != 0 || a[i] == '\0') {
            return d;
        }
    }
    return 0;
}

int strngewichtvgl2(const char* a, const char* b, int n)
{
    for (int i = 0; i < n && a[i] != '\0'; ++i) {
        int d = vglW(vglByte(a, i)) - vglW(vglByte(b, i));
        if (d != 0) {
            return d;
        }
    }
    return 0;
}

int strvglohnerest(const char* a, const char* b)
{
    auto sichtbar = [](const char* s) {
        int n = 0;
        int letzte = 0;
        for (; s[n] != '\0'; ++n) {
            unsigned char c = vglByte(s, n);
            if (!(c == ' ' || (c >= '\t' && c <= '\r'))) {
                letzte = n + 1;
            }
        }
        return letzte;
    };
    int la = sichtbar(a);
    int lb = sichtbar(b);
    if (la == lb) {
        return strngewichtvgl(a, b, la);
    }
    return strgewichtvgl(a, b);
}

int strvglzahl(const char* a, const char* b)
{
    if (*a == '\0' || *b == '\0') {
        return vglW(vglByte(a, 0)) - vglW(vglByte(b, 0));
    }
    for (;;) {
        auto ca = static_cast<unsigned char>(*a);
        auto cb = static_cast<unsigned char>(*b);
        if (vglZiffer(ca) && vglZiffer(cb)) {
            while (a[0] == '0' && vglZiffer(vglByte(a, 1))) {
                ++a;
            }
            while (b[0] == '0' && vglZiffer(vglByte(b, 1))) {
                ++b;
            }
            int la = 0;
            int lb = 0;
            while (vglZiffer(vglByte(a, la))) {
                ++la;
            }
            while (vglZiffer(vglByte(b, lb))) {
                ++lb;
            }
            if (la != lb) {
                return la - lb;
            }
            for (int i = 0; i < la; ++i) {
                if (a[i] != b[i]) {
                    return vglW(vglByte(a, i)) - vglW(vglByte(b, i));
                }
            }
            a += la;
            b += lb;
            continue;
        }
        if (ca == '\0' || cb == '\0' || ca != cb) {
            return vglW(ca) - vglW(cb);
        }
        ++a;
        ++b;
    }
}

int mustervgl(const char* muster, const char* text)
{
    return vglMuster(muster, text, false, true);
}

int mustervgli(const char* muster, const char* text)
{
    return vglMuster(muster, text, true, true);
}

int mustervglohne(const char* muster, const char* text)
{
    return vglMuster(muster, text, true, false);
}
