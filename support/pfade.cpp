// Path and file-name functions and the code-page conversions 850 <-> 1252;
// see pfade.h. Text work over texte; only dateiexist and dateilesbar open a
// file, through the handle layer of dosdatei.
#include "support/pfade.h"

#include <cstring>
#include <string>

#include "support/dosdatei.h"
#include "support/texte.h"

namespace {

inline bool pfTrenner(char c)
{
    return c == '/' || c == '\\';
}

// "..." followed by room for the longest shortened tail and a terminator.
char pfKurzPuffer[3 + PFADKURZNSUP + 1] = "...";

// Index of the '.' that starts the extension, or -1.
int pfEndungsPunkt(const char* name)
{
    size_t len = std::strlen(name);
    if (len < 2) {
        return -1;
    }
    int punkt = zeichenposr(name, '.');
    if (punkt <= 0 || punkt < pfadlang(name)) {
        return -1;
    }
    return punkt;
}

// The shortened display form of p in `breite` characters; `grenze` is the
// longest length shown whole.
const char* pfKurz(const char* p, size_t grenze, size_t breite)
{
    std::string k(p);
    if (!k.empty() && pfTrenner(k.back())) {
        k.pop_back();
    }
    pfadtrenner(k.data());
    char* ziel = pfKurzPuffer + 3;
    if (k.size() <= grenze) {
        std::memcpy(ziel, k.data(), k.size() + 1);
        return ziel;
    }
    size_t tail = breite > 3 ? breite - 3 : 0;
    size_t start = k.size() - tail;
    if (tail > 0 && k[start] != '/') {
        size_t t = k.find_first_of("\\/", start);
        if (t != std::string::npos) {
            start = t;
        }
    }
    std::memcpy(ziel, k.data() + start, k.size() - start + 1);
    return pfKurzPuffer;
}

// Code page 850 to 1252, bytes 0x80..0xFF.
constexpr unsigned char pfOemAnsi[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    0xA6, 0xA6, 0xA6, 0xA6, 0xA6, 0xC1, 0xC2, 0xC0, 0xA9, 0xA6, 0xA6, 0x2B, 0x2B, 0xA2, 0xA5, 0x2B,
    0x2B, 0x2D, 0x2D, 0x2B, 0x2D, 0x2B, 0xE3, 0xC3, 0x2B, 0x2B, 0x2D, 0x2D, 0xA6, 0x2D, 0x2B, 0xA4,
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0x69, 0xCD, 0xCE, 0xCF, 0x2B, 0x2B, 0xA6, 0x5F, 0xA6, 0xCC, 0xAF,
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE, 0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,
    0xAD, 0xB1, 0x3D, 0xBE, 0xB6, 0xA7, 0xF7, 0xB8, 0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0xA6, 0xA0,
};

// Code page 1252 to 850, bytes 0x80..0xFF.
constexpr unsigned char pfAnsiOem[128] = {
    0x5F, 0x5F, 0x27, 0x9F, 0x22, 0x2E, 0xC5, 0xCE, 0x5E, 0x25, 0x53, 0x3C, 0x4F, 0x5F, 0x5A, 0x5F,
    0x5F, 0x27, 0x27, 0x22, 0x22, 0x07, 0x2D, 0x2D, 0x7E, 0x54, 0x73, 0x3E, 0x6F, 0x5F, 0x7A, 0x59,
    0xFF, 0xAD, 0xBD, 0x9C, 0xCF, 0xBE, 0xDD, 0xF5, 0xF9, 0xB8, 0xA6, 0xAE, 0xAA, 0xF0, 0xA9, 0xEE,
    0xF8, 0xF1, 0xFD, 0xFC, 0xEF, 0xE6, 0xF4, 0xFA, 0xF7, 0xFB, 0xA7, 0xAF, 0xAC, 0xAB, 0xF3, 0xA8,
    0xB7, 0xB5, 0xB6, 0xC7, 0x8E, 0x8F, 0x92, 0x80, 0xD4, 0x90, 0xD2, 0xD3, 0xDE, 0xD6, 0xD7, 0xD8,
    0xD1, 0xA5, 0xE3, 0xE0, 0xE2, 0xE5, 0x99, 0x9E, 0x9D, 0xEB, 0xE9, 0xEA, 0x9A, 0xED, 0xE8, 0xE1,
    0x85, 0xA0, 0x83, 0xC6, 0x84, 0x86, 0x91, 0x87, 0x8A, 0x82, 0x88, 0x89, 0x8D, 0xA1, 0x8C, 0x8B,
    0xD0, 0xA4, 0x95, 0xA2, 0x93, 0xE4, 0x94, 0xF6, 0x9B, 0x97, 0xA3, 0x96, 0x81, 0xEC, 0xE7, 0x98,
};

void pfUmsetzen(char* ziel, size_t groesse, const char* quelle, const unsigned char* tabelle)
{
    if (groesse == 0) {
        return;
    }
    size_t i = 0;
    for (; quelle[i] != '\0' && i < groesse - 1; ++i) {
        auto c = static_cast<unsigned char>(quelle[i]);
        ziel[i] = static_cast<char>(c >= 0x80 ? tabelle[c - 0x80] : c);
    }
    ziel[i] = '\0';
}

}  // namespace

int pfadlang(const char* p)
{
    int lang = 0;
    for (int i = 0; p[i] != '\0'; ++i) {
        if (pfTrenner(p[i]) || p[i] == ':') {
            lang = i + 1;
        }
    }
    return lang;
}

int pfadholen(char* ziel, size_t groesse, const char* p)
{
    return strkopie(ziel, groesse, p, pfadlang(p));
}

void pfadweg(char* p)
{
    strloeschen(p, 0, pfadlang(p));
}

int pfadschluss(char* p, size_t groesse)
{
    size_t len = std::strlen(p);
    if (len == 0 || pfTrenner(p[len - 1])) {
        return 0;
    }
    if (groesse == 0 || len + 1 > groesse - 1) {
        return -1;
    }
    char art = '/';
    for (size_t i = 0; i < len; ++i) {
        if (pfTrenner(p[i])) {
            art = p[i];
        }
    }
    p[len] = art;
    p[len + 1] = '\0';
    return 0;
}

void pfadschlussweg(char* p)
{
    size_t len = std::strlen(p);
    if (len > 0 && pfTrenner(p[len - 1])) {
        p[len - 1] = '\0';
    }
}

void pfadtrenner(char* p)
{
    const char* erster = std::strpbrk(p, "\\/");
    if (erster == nullptr) {
        return;
    }
    char art = *erster;
    for (; *p != '\0'; ++p) {
        if (pfTrenner(*p)) {
            *p = art;
        }
    }
}

void pfadslash(char* p)
{
    zeichentausch(p, '\\', '/');
}

void pfadbackslash(char* p)
{
    zeichentausch(p, '/', '\\');
}

int pfadnormal(char* ziel, size_t groesse, const char* p)
{
    // A longer path is refused: a cut one would name a different file.
    size_t len = strnlen(p, PFADSUP + 1);
    if (len > static_cast<size_t>(PFADSUP) || groesse == 0 || len > groesse - 1) {
        if (groesse > 0) {
            ziel[0] = '\0';
        }
        return -1;
    }
    std::memmove(ziel, p, len);
    ziel[len] = '\0';
    pfadslash(ziel);
    return 0;
}

const char* pfadkurz(const char* p)
{
    return pfKurz(p, PFADKURZSUP - 1, PFADKURZSUP);
}

const char* pfadkurzn(const char* p, int n)
{
    size_t breite = n < 0 ? 0 : static_cast<size_t>(n);
    if (breite > static_cast<size_t>(PFADKURZNSUP)) {
        breite = PFADKURZNSUP;
    }
    return pfKurz(p, breite, breite);
}

int endungholen(char* ziel, size_t groesse, const char* name)
{
    int punkt = pfEndungsPunkt(name);
    return strkopie(ziel, groesse, punkt < 0 ? "" : name + punkt + 1, 1 << 30);
}

int endungsetzen(char* name, size_t groesse, const char* endung)
{
    int punkt = pfEndungsPunkt(name);
    size_t basis = punkt < 0 ? std::strlen(name) : static_cast<size_t>(punkt);
    size_t e = std::strlen(endung);
    if (groesse == 0 || basis + 1 + e > groesse - 1) {
        return -1;
    }
    name[basis] = '.';
    std::memmove(name + basis + 1, endung, e);
    name[basis + 1 + e] = '\0';
    return 0;
}

void endungweg(char* name)
{
    int punkt = pfEndungsPunkt(name);
    if (punkt >= 0) {
        name[punkt] = '\0';
    }
}

int endungsetzen83(char* name, const char* endung, int platz)
{
    if (name[0] == '\0' || name[0] == '.' || platz <= 11) {
        return -1;
    }
    size_t p = static_cast<size_t>(platz);
    size_t len = strnlen(name, p);
    size_t k = 0;
    while (k < len && name[k] != '.' && name[k] != ' ') {
        ++k;
    }
    size_t e = strnlen(endung, 3);
    // Point, extension and a terminator must lie inside the field.
    if (k + 1 + e >= p) {
        return -1;
    }
    name[k] = '.';
    std::memcpy(name + k + 1, endung, e);
    if (k + 1 + e >= len) {
        name[k + 1 + e] = '\0';
    }
    return 0;
}

int dateiexist(const char* pfad)
{
    int h = dosopen(pfad, 2);  // read/write, else read-only
    if (h < 0) {
        return 0;
    }
    dosclose(h);
    return 1;
}

int dateilesbar(const char* pfad)
{
    int h = dosopen(pfad, 0);
    if (h < 0) {
        return 0;
    }
    dosclose(h);
    return 1;
}

void oemansi(char* ziel, size_t groesse, const char* quelle)
{
    pfUmsetzen(ziel, groesse, quelle, pfOemAnsi);
}

void ansioem(char* ziel, size_t groesse, const char* quelle)
{
    pfUmsetzen(ziel, groesse, quelle, pfAnsiOem);
}

void StrOemAnsi(char* s)
{
    for (; *s != '\0'; ++s) {
        auto c = static_cast<unsigned char>(*s);
        if (c >= 0x80 && c <= 0xA5) {
            c = pfOemAnsi[c - 0x80];
        }
        *s = static_cast<char>(c == 0xFF ? ' ' : c);
    }
}

void StrAnsiOem(char* s)
{
    for (; *s != '\0'; ++s) {
        auto c = static_cast<unsigned char>(*s);
        if (c >= 0xC0) {
            *s = static_cast<char>(pfAnsiOem[c - 0x80]);
        }
    }
}

unsigned char ZeichenOemAnsi(unsigned char c)
{
    return c >= 0x80 ? pfOemAnsi[c - 0x80] : c;
}

unsigned char ZeichenAnsiOem(unsigned char c)
{
    return c >= 0xC0 ? pfAnsiOem[c - 0x80] : c;
}

void sonderzeichenhin(char* s)
{
    for (; *s != '\0'; ++s) {
        switch (static_cast<unsigned char>(*s)) {
        case 0x9B:
        case 0x9D: *s = static_cast<char>(0xED); break;
        case 0xBD: *s = static_cast<char>(0x9B); break;
        case 0xBE: *s = static_cast<char>(0x9D); break;
        default: break;
        }
    }
}

void sonderzeichenher(char* s)
{
    for (; *s != '\0'; ++s) {
        switch (static_cast<unsigned char>(*s)) {
        case 0x9B: *s = static_cast<char>(0xBD); break;
        case 0x9D: *s = static_cast<char>(0xBE); break;
        case 0xED: *s = static_cast<char>(0x9D); break;
        default: break;
        }
    }
}
