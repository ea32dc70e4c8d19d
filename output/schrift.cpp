// Fonts and their metrics; see schrift.h. Owns the font table, its loaded
// flag, the ten metrics records and the measuring context (a memory DC).
#include "output/schrift.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "output/stilint.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/winconst.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/meldung.h"

namespace {

struct SchEintrag {
    char name[SCHRIFTNAMESUP + 1];
    int32_t art;
};

constexpr SchEintrag schStart[SCHRIFTSUP] = {
    {"Standard", 1},     {"Schriftart 1", 0}, {"Schriftart 2", 0}, {"Schriftart 3", 0},
    {"Schriftart 4", 0}, {"Schriftart 5", 0}, {"Schriftart 6", 0}, {"Schriftart 7", 0},
    {"Schriftart 8", 0}, {"Schriftart 9", 0},
};
SchEintrag schTabelle[SCHRIFTSUP] = {
    schStart[0], schStart[1], schStart[2], schStart[3], schStart[4],
    schStart[5], schStart[6], schStart[7], schStart[8], schStart[9],
};
bool schGeladen = false;
bool schKurz = false;  // the file was read short: the table kept its values and is not written
SCHRIFTMETRIK schMetrik[SCHRIFTSUP];
HDC schDc = 0;

int schNr(int n) { return n < 0 ? 0 : n >= SCHRIFTSUP ? SCHRIFTSUP - 1 : n; }

void schLaden()
{
    schGeladen = true;
    schKurz = false;
    strkopie(schTabelle[0].name, "Courier", SCHRIFTNAMESUP);
    schTabelle[0].art = 1;
    std::string pfad = stlDateiLesen("Schrift.txt", true);
    BDAT d;
    if (bdopenlesen(&d, pfad.c_str()) < 0) {
        return;  // the table keeps its values
    }
    SchEintrag vorher[SCHRIFTSUP];
    std::memcpy(vorher, schTabelle, sizeof vorher);
    char zeile[SCHRIFTZEILESUP + 1];
    int zeilen = 0;
    while (zeilen < SCHRIFTSUP && bdgets78(&d, zeile) >= 0) {
        char wort[SCHRIFTZEILESUP + 1];
        if (wortab(wort, zeile) == 0) {
            continue;
        }
        int n = schNr(stlZahl(wort));
        wortab(wort, zeile);
        schTabelle[n].art = stlZahl(wort);
        // The first line's name is not taken: font 0 is the program's.
        if (zeilen > 0 && zeile[0] != '\0') {
            strkopie(schTabelle[n].name, zeile, SCHRIFTNAMESUP);
            strtrim(schTabelle[n].name);
        }
        ++zeilen;
    }
    schKurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (schKurz) {
        // Half a table would be written back whole: it keeps its values.
        std::memcpy(schTabelle, vorher, sizeof vorher);
        wiMeldung("Kann %s nicht lesen.", pfad.c_str());
    }
}

void schSichern()
{
    if (!schGeladen) {
        schLaden();
    }
}

HDC schKontext()
{
    if (schDc == 0) {
        HWND haupt = anwHauptfenster();
        HDC w = haupt ? GetDC(haupt) : 0;
        schDc = CreateCompatibleDC(w);
        if (w) {
            ReleaseDC(haupt, w);
        }
    }
    return schDc;
}

// The fixed values of a font that cannot be made: every character as wide
// as the average, so lengths are those of the fixed columns.
void schErsatz(SCHRIFTMETRIK* m)
{
    m->oben = 0.7;
    m->kappe = 0.5;
    m->kappePixel = SCHRIFTMESSHOEHE / 2;
    m->mittel = SCHRIFTMESSBREITE;
    for (int32_t& b : m->breite) b = SCHRIFTMESSBREITE;
    m->gueltig = 1;
}

void schSichernMetrik(int n)
{
    schSichern();
    const SCHRIFTMETRIK& m = schMetrik[n];
    if (!m.gueltig || std::strcmp(m.name, schTabelle[n].name) != 0) {
        SchriftMessen(n);
    }
}

}  // namespace

void SchriftName(int n, char* puffer, size_t groesse)
{
    schSichern();
    strkopie(puffer, groesse, schTabelle[schNr(n)].name, SCHRIFTNAMESUP);
}

int SchriftArt(int n)
{
    schSichern();
    return schTabelle[schNr(n)].art;
}

void SchriftSetzen(int n, const char* name, int attribut)
{
    // Loaded first, so that a later first use does not overwrite what is set.
    schSichern();
    SchEintrag& e = schTabelle[schNr(n)];
    strkopie(e.name, name ? name : "", SCHRIFTNAMESUP);
    e.art = attribut;
}

int SchriftSchreiben()
{
    schSichern();
    if (schKurz) {
        return ERROR;
    }
    std::string pfad = stlDateiSchreiben("Schrift.txt", true);
    BDAT d;
    if (bdmake(&d, pfad.c_str()) < 0) {
        return ERROR;
    }
    bool ok = true;
    for (int i = 0; i < SCHRIFTSUP; ++i) {
        char zeile[SCHRIFTNAMESUP + 32];
        std::snprintf(zeile, sizeof zeile, "%d %d %.*s", i, schTabelle[i].art, SCHRIFTNAMESUP, schTabelle[i].name);
        ok = bdputsmodus(&d, zeile, 1) == 0 && ok;
    }
    if (!ok) {
        d.fehler = 1;  // bdclose then drops the new file; the old one stays
    }
    return bdclose(&d) == 0 && ok ? 0 : ERROR;
}

void SchriftNeuLaden() { schGeladen = false; }

void SchriftMessen(int n)
{
    n = schNr(n);
    schSichern();
    SCHRIFTMETRIK& m = schMetrik[n];
    m = SCHRIFTMETRIK{};
    strkopie(m.name, schTabelle[n].name, SCHRIFTMESSNAMESUP);
    HDC dc = schKontext();
    HFONT f = dc ? CreateFont(SCHRIFTMESSHOEHE, SCHRIFTMESSBREITE, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET,
                              OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, m.name)
                 : 0;
    if (!f) {
        schErsatz(&m);
        return;
    }
    HGDIOBJ alt = SelectObject(dc, f);
    SIZE s{0, 0};
    GetTextExtentPoint32(dc, "n", 1, &s);
    for (int32_t& b : m.breite) b = s.cx;
    for (int c = 32; c < 256; ++c) {
        if (c >= 127 && c < 160) continue;
        char z = static_cast<char>(c);
        if (GetTextExtentPoint32(dc, &z, 1, &s)) m.breite[c] = s.cx;
    }
    TEXTMETRIC tm{};
    if (GetTextMetrics(dc, &tm) && tm.tmHeight > 0) {
        m.kappe = static_cast<double>(tm.tmAscent - tm.tmInternalLeading) / tm.tmHeight;
        m.oben = static_cast<double>(tm.tmAscent) / tm.tmHeight;
        m.kappePixel = tm.tmAscent - tm.tmInternalLeading;
        m.mittel = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : (m.breite['n'] > 0 ? m.breite['n'] : 1);
        m.gueltig = 1;
    } else {
        schErsatz(&m);
    }
    SelectObject(dc, alt);
    DeleteObject(f);
}

void SchriftMetrik(int n, double* kappe, double* oben)
{
    n = schNr(n);
    schSichernMetrik(n);
    *kappe = schMetrik[n].kappe;
    *oben = schMetrik[n].oben;
}

const SCHRIFTMETRIK* SchriftMetrikSatz(int n)
{
    n = schNr(n);
    schSichernMetrik(n);
    return &schMetrik[n];
}

double SchriftLaenge(int n, const char* text, double ziel)
{
    const SCHRIFTMETRIK* m = SchriftMetrikSatz(n);
    long summe = 0;
    for (int i = 0; text && text[i] && i < SCHRIFTTEXTSUP; ++i) {
        summe += m->breite[static_cast<unsigned char>(text[i])];
    }
    return summe * ziel / m->mittel;
}

double SchriftTextBreite(int n, const char* text, double hoehe, double faktor)
{
    if (text == nullptr) return 0;
    if (SchriftArt(n) != 0) return static_cast<double>(std::strlen(text)) * hoehe * faktor;
    return SchriftLaenge(n, text, hoehe * faktor);
}

int SchriftVorschub(int n, const char* text, double ziel, int* vorschub, int max)
{
    const SCHRIFTMETRIK* m = SchriftMetrikSatz(n);
    const double faktor = ziel / m->mittel;
    long summe = 0;
    long vorher = 0;
    int i = 0;
    for (; text && text[i] && i < max && i < SCHRIFTTEXTSUP; ++i) {
        summe += m->breite[static_cast<unsigned char>(text[i])];
        long jetzt = static_cast<long>(summe * faktor);
        vorschub[i] = static_cast<int>(jetzt - vorher);
        vorher = jetzt;
    }
    return i;
}

void GdiSchriftMetrikStart(HDC dc)
{
    if (schDc) {
        DeleteDC(schDc);
    }
    schDc = CreateCompatibleDC(dc);
    // Each font is measured on its first use on this context: a start that
    // draws nothing (the project page) loads none of the ten faces.
    for (SCHRIFTMETRIK& m : schMetrik) m.gueltig = 0;
}

void SchriftEnde()
{
    if (schDc) {
        DeleteDC(schDc);
        schDc = 0;
    }
    // Back to the start values, so that a later start (another frame in the
    // same process) does not see the fonts of the project before.
    std::memcpy(schTabelle, schStart, sizeof schTabelle);
    for (SCHRIFTMETRIK& m : schMetrik) m = SCHRIFTMETRIK{};
    schGeladen = false;
    schKurz = false;
}
