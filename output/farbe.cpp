// Colour names of "rgb.txt"; see farbe.h. Owns the table and its count.
#include "output/farbe.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "output/stilint.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

RGBNAME rgbTabelle[RGBSUP];
int rgbAnzahl = 0;

int rgbWert(const char* wort)
{
    int v = stlZahl(wort);
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

// One line "r g b name"; false for lines that are not an entry (empty,
// comments, fewer than three numbers or no name).
bool rgbZeile(char* zeile, RGBNAME* e)
{
    int wert[3];
    for (int& w : wert) {
        char wort[RGBZEILESUP + 1];
        if (wortab(wort, zeile) == 0 || !(wort[0] >= '0' && wort[0] <= '9')) {
            return false;
        }
        w = rgbWert(wort);
    }
    strtrim(zeile);
    if (zeile[0] == '\0') {
        return false;
    }
    e->r = static_cast<uint16_t>(wert[0]);
    e->g = static_cast<uint16_t>(wert[1]);
    e->b = static_cast<uint16_t>(wert[2]);
    strkopie(e->name, zeile, RGBNAMESUP);
    strtrim(e->name);
    return true;
}

void rgbSichern()
{
    if (rgbAnzahl == 0) {
        RgbLaden();
    }
}

}  // namespace

int RgbLaden()
{
    rgbAnzahl = 0;
    std::string pfad = stlDateiLesen("rgb.txt", false);
    BDAT d;
    if (bdopenlesen(&d, pfad.c_str()) < 0) {
        return ERROR;
    }
    char zeile[RGBZEILESUP + 1];
    while (rgbAnzahl < RGBSUP && bdgets78(&d, zeile) >= 0) {
        if (rgbZeile(zeile, &rgbTabelle[rgbAnzahl])) {
            ++rgbAnzahl;
        }
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) {
        rgbAnzahl = 0;  // half the names would look like the whole list
        return ERROR;
    }
    return rgbAnzahl;
}

void RgbPfad(char* puffer, size_t groesse)
{
    strkopie(puffer, groesse, stlDateiLesen("rgb.txt", false).c_str(), static_cast<int>(groesse));
}

void RgbAusFarbname(char* text, size_t kap)
{
    if (!text || kap == 0) {
        return;
    }
    rgbSichern();
    char name[RGBZEILESUP + 1];
    strkopie(name, text, RGBZEILESUP);
    strtrim(name);
    int r = 0, g = 0, b = 0;
    for (int i = 0; i < rgbAnzahl; ++i) {
        if (strvgl(name, rgbTabelle[i].name) == 0) {
            r = rgbTabelle[i].r;
            g = rgbTabelle[i].g;
            b = rgbTabelle[i].b;
            break;
        }
    }
    std::snprintf(text, kap, "%d %d %d", r, g, b);
}

int RgbAnzahl()
{
    rgbSichern();
    return rgbAnzahl;
}

const RGBNAME* RgbEintrag(int i)
{
    rgbSichern();
    return i >= 0 && i < rgbAnzahl ? &rgbTabelle[i] : nullptr;
}

void RgbVergessen() { rgbAnzahl = 0; }
