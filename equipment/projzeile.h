// Line helpers shared by the project title, translation and check-list
// files (utitel, fstx, chk) and nothing else: field cutting at a separator
// into a fixed width, `atoi` without the process locale, and a line writer
// over a replacement file. Prefix `pz`. Calls support (buffered files,
// texts) only. Internal to equipment/.
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "support/bdatei.h"
#include "support/texte.h"

inline constexpr char PZTRENNER = 0x1C;  // field separator of the record lines
inline constexpr int PZZEILESUP = 4096;  // read buffer: fields are cut after reading

// atoi: blanks, one sign, decimal digits; no locale, no overflow.
inline int pzAtoi(const char* s)
{
    while (istweiss(static_cast<unsigned char>(*s))) ++s;
    bool minus = false;
    if (*s == '-' || *s == '+') minus = *s++ == '-';
    long long wert = 0;
    while (*s >= '0' && *s <= '9') {
        if (wert < 10000000000LL) wert = wert * 10 + (*s - '0');
        ++s;
    }
    if (minus) wert = -wert;
    if (wert > 2147483647LL) return 2147483647;
    if (wert < -2147483647LL - 1) return static_cast<int>(-2147483647LL - 1);
    return static_cast<int>(wert);
}

// The next field of `*s` up to `trenner` (or the end), cut to `breite`
// characters within the target; *s moves past the separator.
inline void pzFeld(char* ziel, size_t groesse, const char** s, char trenner, int breite)
{
    const char* p = *s;
    const char* e = std::strchr(p, trenner);
    size_t n = e != nullptr ? static_cast<size_t>(e - p) : std::strlen(p);
    size_t k = n < static_cast<size_t>(breite) ? n : static_cast<size_t>(breite);
    if (k + 1 > groesse) k = groesse - 1;
    std::memcpy(ziel, p, k);
    ziel[k] = '\0';
    *s = e != nullptr ? e + 1 : p + n;
}

// Hands each record line of a section to `fn`, trimmed, passing over blank
// lines and ";" comments, up to a line beginning ")" or the file's end;
// `fn` answers false to stop early.
template <typename FN>
void pzSaetzeLesen(BDAT* d, FN fn)
{
    std::vector<char> puffer(PZZEILESUP + 1);
    char* zeile = puffer.data();
    while (bdgets(d, zeile, PZZEILESUP) >= 0) {
        strtrim(zeile);
        if (zeile[0] == '\0' || zeile[0] == ';') continue;
        if (zeile[0] == ')') break;
        if (!fn(static_cast<const char*>(zeile))) break;
    }
}

// Writer over a replacement file: lines end with LF whatever the line mode;
// the first failure sticks and the close then drops the new file, so the
// old one stays as it was.
struct PzSchreiber {
    BDAT d{};
    bool offen = false;
    bool fehler = false;
};

inline int pzOeffnen(PzSchreiber* w, const char* pfad)
{
    w->fehler = false;
    w->offen = bdmake(&w->d, pfad) >= 0;
    return w->offen ? 0 : -1;
}

inline void pzZeile(PzSchreiber* w, const char* text)
{
    if (!w->offen || w->fehler) return;
    if (bdputsmodus(&w->d, text, 0) != 0) w->fehler = true;
}

// 0 when every line and the close (rename) succeeded, else -1.
inline int pzSchliessen(PzSchreiber* w)
{
    if (!w->offen) return -1;
    w->offen = false;
    if (w->fehler) w->d.fehler = 1;  // makes the close drop the new file
    const int r = bdclose(&w->d);
    return r == 0 && !w->fehler ? 0 : -1;
}
