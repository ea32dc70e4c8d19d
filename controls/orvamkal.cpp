// ORVAMKAL, the month calendar: a header with the month name and two picture
// areas (previous / next month), a grid of weekday names, week numbers and
// days; a day, a week or a weekday column can be picked and days marked.
// Rows follow the week within the calendar year (datkalwoche). Clicks are
// posted to the parent; focus and change use the edit-style codes with
// lParam 0. Prefix `mkal`. Calls the class core, support/datum, platform/.
//
// Grid in horizontal layout: column 0 week numbers, 1..7 Monday..Sunday;
// row 0 weekday names, rows 1.. the weeks. Vertical layout swaps the two.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/ctlkern.h"
#include "controls/ctlklassen.h"
#include "controls/orvamkal.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/kopierdaten.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/datum.h"
#include "support/texte.h"

namespace {

constexpr int MKALBEFEHLSUP = 150;
constexpr int MKALWOCHENTAGSUP = 30;
constexpr int MKALANTWORTSUP = 400;

struct MkalBild {
    HBITMAP bild;
    int breite;
    int hoehe;
};

struct MkalZustand {
    bool geaendert;
    int breite, hoehe;
    int zeichenB, zeichenH;
    int links, oben;
    double zelleB, zelleH;
    double faktorX, faktorY;
    MkalBild bilder[2];
    DWORD stil;
    HFONT schrift;
    COLORREF hintergrund, textFarbe;
    bool waagrecht;
    int monat, jahr;
    int wochen;
    char wochentage[MKALWOCHENTAGSUP + 1];
    char monate[MKALBEFEHLSUP + 1];
    bool kwZeigen;
    bool wtWaehlbar;
    int textForm;
    int auswahlArt;  // 0 none, 1 day, 2 week, 3 weekday, 4 month changed
    int auswahlWert;
    COLORREF auswahlFarbe;
    COLORREF markFarbe;
    bool markiert[32];
    int y1, y2;
};

DATUM mkalDatum(int jahr, int monat, int tag)
{
    return DATUM{static_cast<uint8_t>(jahr - 1900), static_cast<uint8_t>(monat), static_cast<uint8_t>(tag)};
}

int mkalTage(const MkalZustand* z)
{
    DATUM d = mkalDatum(z->jahr, z->monat, 1);
    return datmonatstage(&d);
}

// Row of a day: its calendar-year week minus that of the 1st, plus 1.
int mkalZeile(const MkalZustand* z, int tag)
{
    return mkalZeileVon(z->jahr, z->monat, tag);
}

void mkalMessen(MkalZustand* z)
{
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ alt = SelectObject(dc, z->schrift);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, alt);
    DeleteDC(dc);
    z->zeichenB = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 8;
    z->zeichenH = tm.tmHeight > 0 ? tm.tmHeight : 16;
    z->zelleB = z->zeichenB * z->faktorX * 3.0;
    z->zelleH = z->zeichenH * z->faktorY * 1.5;
    z->wochen = mkalZeile(z, mkalTage(z));
    const int spalten = z->waagrecht ? 8 : 6;
    z->links = static_cast<int>((z->breite - spalten * z->zelleB) / 2);
    if (z->links < 0) z->links = 0;
    const int bildH = std::max(z->bilder[0].hoehe, z->bilder[1].hoehe);
    const int kopf = bildH + 2 * z->y1 + z->y2 + 2;
    z->oben = kopf + 1 - static_cast<int>((z->zelleH - z->zeichenH) / 2);
}

int mkalKopfHoehe(const MkalZustand* z)
{
    return std::max(z->bilder[0].hoehe, z->bilder[1].hoehe) + 2 * z->y1 + z->y2 + 2;
}

// The rectangle of picture area i (0 left, 1 right) in the header.
RECT mkalBildFlaeche(const MkalZustand* z, int i)
{
    const MkalBild& b = z->bilder[i];
    const int y = 1 + z->y1;
    const int x = i == 0 ? 2 : z->breite - 2 - b.breite;
    return RECT{x, y, x + b.breite, y + b.hoehe};
}

// Cell (column c, row r) of the grid in pixels.
RECT mkalZelle(const MkalZustand* z, int c, int r)
{
    const int x = z->links + static_cast<int>(c * z->zelleB);
    const int y = z->oben + static_cast<int>(r * z->zelleH);
    return RECT{x, y, x + static_cast<int>(z->zelleB), y + static_cast<int>(z->zelleH) - 1};
}

// Grid position of a (weekday 0..6 + 1, week row) pair in the layout.
RECT mkalZelleVon(const MkalZustand* z, int spalte, int zeile)
{
    return z->waagrecht ? mkalZelle(z, spalte, zeile) : mkalZelle(z, zeile, spalte);
}

int mkalWochentag(const MkalZustand* z, int tag)
{
    DATUM d = mkalDatum(z->jahr, z->monat, tag);
    return datwochentag(&d);
}

// Entry n (from 0) of a list split at its own first character.
bool mkalListenEintrag(const char* liste, int n, char* ziel, size_t groesse)
{
    if (liste[0] == '\0' || n < 0) return false;
    const char trenner = liste[0];
    const char* p = liste + 1;
    for (int i = 0; i < n; ++i) {
        p = std::strchr(p, trenner);
        if (p == nullptr) return false;
        ++p;
    }
    const char* ende = std::strchr(p, trenner);
    if (ende == nullptr) return false;
    size_t laenge = static_cast<size_t>(ende - p);
    if (laenge >= groesse) laenge = groesse - 1;
    std::memcpy(ziel, p, laenge);
    ziel[laenge] = '\0';
    return true;
}

// The Monday of week row r of the shown month.
DATUM mkalMontag(const MkalZustand* z, int r)
{
    DATUM d = mkalDatum(z->jahr, z->monat, 1);
    datplustage(&d, 7L * (r - 1) - datwochentag(&d));
    return d;
}

void mkalIso(char* ziel, size_t groesse, const DATUM& d)
{
    std::snprintf(ziel, groesse, "%04d-%02d-%02d", datjahr(&d), d.monat, d.tag);
}

void mkalListeAnhaengen(char* antwort, size_t groesse, const DATUM& d)
{
    char iso[16];
    mkalIso(iso, sizeof iso, d);
    size_t n = std::strlen(antwort);
    if (n == 0 && n + 1 < groesse) antwort[n++] = '~';
    std::snprintf(antwort + n, groesse - n, "%s~", iso);
}

int mkalAntwort(const MkalZustand* z, char* antwort, size_t groesse)
{
    antwort[0] = '\0';
    const int art = z->auswahlArt;
    if (z->textForm == 1) {
        if (art == 1) {
            char iso[16];
            mkalIso(iso, sizeof iso, mkalDatum(z->jahr, z->monat, z->auswahlWert));
            std::snprintf(antwort, groesse, "%d %s", art, iso);
        } else if (art == 2) {
            DATUM montag = mkalMontag(z, z->auswahlWert);
            DATUM d = montag.monat == z->monat ? montag : mkalDatum(z->jahr, z->monat, 1);
            std::snprintf(antwort, groesse, "%d %d %d", art, datkalwoche(&d), z->jahr);
        } else if (art == 3) {
            std::snprintf(antwort, groesse, "%d %d", art, z->auswahlWert);
        } else if (art == 4) {
            std::snprintf(antwort, groesse, "%d %d %d", art, z->monat, z->jahr);
        }
        return static_cast<int>(std::strlen(antwort));
    }
    if (art == 1) {
        mkalListeAnhaengen(antwort, groesse, mkalDatum(z->jahr, z->monat, z->auswahlWert));
    } else if (art == 2) {
        DATUM d = mkalMontag(z, z->auswahlWert);
        for (int i = 0; i < 7; ++i) {
            mkalListeAnhaengen(antwort, groesse, d);
            datplustage(&d, 1);
        }
    } else if (art == 3) {
        for (int tag = 1; tag <= mkalTage(z); ++tag) {
            if (mkalWochentag(z, tag) == z->auswahlWert) {
                mkalListeAnhaengen(antwort, groesse, mkalDatum(z->jahr, z->monat, tag));
            }
        }
    }
    return static_cast<int>(std::strlen(antwort));
}

// "##.##.####" or "####-##-##"; false when neither.
bool mkalDatumLesen(const char* t, int* jahr, int* monat, int* tag)
{
    auto ziffern = [](const char* p, int n) {
        for (int i = 0; i < n; ++i) {
            if (p[i] < '0' || p[i] > '9') return false;
        }
        return true;
    };
    if (std::strlen(t) < 10) return false;
    if (ziffern(t, 2) && t[2] == '.' && ziffern(t + 3, 2) && t[5] == '.' && ziffern(t + 6, 4)) {
        *tag = std::atoi(t);
        *monat = std::atoi(t + 3);
        *jahr = std::atoi(t + 6);
    } else if (ziffern(t, 4) && t[4] == '-' && ziffern(t + 5, 2) && t[7] == '-' && ziffern(t + 8, 2)) {
        *jahr = std::atoi(t);
        *monat = std::atoi(t + 5);
        *tag = std::atoi(t + 8);
    } else {
        return false;
    }
    return *monat >= 1 && *monat <= 12 && *jahr >= 1901 && *jahr <= 2155;
}

void mkalMonatSetzen(MkalZustand* z, int jahr, int monat)
{
    if (jahr == z->jahr && monat == z->monat) return;
    z->jahr = jahr;
    z->monat = monat;
    std::memset(z->markiert, 0, sizeof z->markiert);
    mkalMessen(z);
}

void mkalDatumBefehl(MkalZustand* z, const char* p)
{
    char wort[32];
    for (;;) {
        ctlWortLesen(&p, wort, sizeof wort);
        if (wort[0] == '\0') break;
        int jahr, monat, tag;
        const bool mark = (wort[0] == 'M' || wort[0] == 'm') && (wort[1] == '+' || wort[1] == '-');
        if (!mkalDatumLesen(mark ? wort + 2 : wort, &jahr, &monat, &tag)) continue;
        if (!mark) {
            mkalMonatSetzen(z, jahr, monat);
        } else if (jahr == z->jahr && monat == z->monat && tag >= 1 && tag <= 31) {
            z->markiert[tag] = wort[1] == '+';
        }
    }
}

// "KEY=" n words of the F, O and S commands.
void mkalSchluessel(MkalZustand* z, char befehl, const char* p)
{
    char wort[40];
    for (;;) {
        ctlWortLesen(&p, wort, sizeof wort);
        if (wort[0] == '\0') break;
        char* gleich = std::strchr(wort, '=');
        if (gleich == nullptr) continue;
        *gleich = '\0';
        const char* wert = gleich + 1;
        strgross(wort);
        if (befehl == 'F') {
            if (std::strcmp(wort, "KW") == 0) z->kwZeigen = std::atoi(wert) != 0;
            if (std::strcmp(wort, "WT") == 0) z->wtWaehlbar = std::atoi(wert) != 0;
            if (std::strcmp(wort, "TXT") == 0) z->textForm = std::atoi(wert);
        } else if (befehl == 'O') {
            if (std::strcmp(wort, "Y1") == 0) z->y1 = std::atoi(wert);
            if (std::strcmp(wort, "Y2") == 0) z->y2 = std::atoi(wert);
        } else if (befehl == 'S') {
            double f = std::strtod(wert, nullptr);
            if (f <= 0.0) continue;
            if (std::strcmp(wort, "X") == 0) z->faktorX = f;
            if (std::strcmp(wort, "Y") == 0) z->faktorY = f;
        }
    }
    mkalMessen(z);
}

void mkalListeSetzen(char* ziel, size_t groesse, const char* p)
{
    char puffer[MKALBEFEHLSUP + 1];
    ctlKopie(puffer, p, groesse < sizeof puffer ? groesse : sizeof puffer);
    strtrim(puffer);
    ctlKopie(ziel, puffer, groesse);
}

void mkalBefehl(HWND fenster, MkalZustand* z, const char* voll)
{
    char text[MKALBEFEHLSUP + 1];
    ctlKopie(text, voll, sizeof text);
    const char b = text[1];
    if (b < '+' || b > 'W') return;
    const char* p = text + 2;
    switch (b) {
    case '-':
    case '+': {
        MkalBild& bild = z->bilder[b == '-' ? 0 : 1];
        bild.breite = std::max(0, ctlZahlLesen(&p));
        bild.hoehe = std::max(0, ctlZahlLesen(&p));
        mkalMessen(z);
        break;
    }
    case 'A':
        z->waagrecht = ctlZahlLesen(&p) != 0;
        mkalMessen(z);
        break;
    case 'C': z->markFarbe = ctlFarbeLesen(p); break;
    case 'D': mkalDatumBefehl(z, p); break;
    case 'F':
    case 'O':
    case 'S': mkalSchluessel(z, b, p); break;
    case 'H': z->hintergrund = ctlFarbeLesen(p); break;
    case 'M': z->auswahlFarbe = ctlFarbeLesen(p); break;
    case 'T': mkalListeSetzen(z->monate, sizeof z->monate, p); break;
    case 'V': z->textFarbe = ctlFarbeLesen(p); break;
    case 'W': mkalListeSetzen(z->wochentage, sizeof z->wochentage, p); break;
    default: return;
    }
    InvalidateRect(fenster, nullptr, FALSE);
}

// ---- Painting ----------------------------------------------------------------------------------

void mkalText(HDC dc, const RECT& r, const char* text)
{
    RECT q = r;
    DrawText(dc, text, -1, &q, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

void mkalRahmen(HDC dc, const RECT& r, COLORREF farbe)
{
    HBRUSH pinsel = CreateSolidBrush(farbe);
    FrameRect(dc, &r, pinsel);
    DeleteObject(pinsel);
}

void mkalBilderMalen(HDC dc, const MkalZustand* z)
{
    for (int i = 0; i < 2; ++i) {
        const MkalBild& b = z->bilder[i];
        RECT r = mkalBildFlaeche(z, i);
        if (b.bild != 0) {
            BITMAP bm{};
            GetObject(b.bild, sizeof bm, &bm);
            HDC quelle = CreateCompatibleDC(dc);
            HGDIOBJ alt = SelectObject(quelle, b.bild);
            BitBlt(dc, r.left + (b.breite - bm.bmWidth) / 2, r.top + (b.hoehe - bm.bmHeight) / 2, bm.bmWidth,
                   bm.bmHeight, quelle, 0, 0, SRCCOPY);
            SelectObject(quelle, alt);
            DeleteDC(quelle);
        } else {
            // without a picture: a small arrow to the previous / next month
            plStilPfeil(dc, &r, i == 0 ? 2 : 3, GetTextColor(dc));
        }
    }
}

void mkalMalen(HWND fenster, MkalZustand* z)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(fenster, &ps);
    COLORREF grund = !IsWindowEnabled(fenster) ? GetSysColor(COLOR_BTNFACE)
                     : z->hintergrund != 0      ? z->hintergrund
                     : (z->stil & 8)            ? GetSysColor(COLOR_BTNFACE)
                                                : RGB(255, 255, 255);
    ctlHintergrundMalen(dc, z->breite, z->hoehe, z->stil, grund);
    ctlRahmenMalen(dc, z->breite, z->hoehe, z->stil);
    HGDIOBJ alt = SelectObject(dc, z->schrift);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, z->textFarbe);
    mkalBilderMalen(dc, z);

    char text[64];
    char name[40];
    if (!mkalListenEintrag(z->monate, z->monat - 1, name, sizeof name)) name[0] = '\0';
    std::snprintf(text, sizeof text, "%s %d", name, z->jahr);
    RECT kopf{0, 1, z->breite, mkalKopfHoehe(z)};
    mkalText(dc, kopf, text);

    for (int wt = 0; wt < 7; ++wt) {
        if (mkalListenEintrag(z->wochentage, wt, name, sizeof name)) mkalText(dc, mkalZelleVon(z, wt + 1, 0), name);
    }
    DATUM heute{};
    datheute(&heute);
    const int tage = mkalTage(z);
    for (int tag = 1; tag <= tage; ++tag) {
        const int zeile = mkalZeile(z, tag);
        const int wt = mkalWochentag(z, tag);
        RECT r = mkalZelleVon(z, wt + 1, zeile);
        const bool gewaehlt = (z->auswahlArt == 1 && z->auswahlWert == tag) ||
                              (z->auswahlArt == 2 && z->auswahlWert == zeile) ||
                              (z->auswahlArt == 3 && z->auswahlWert == wt);
        if (z->markiert[tag]) ctlFlaeche(dc, r.left, r.top, r.right, r.bottom, z->markFarbe);
        if (gewaehlt) ctlFlaeche(dc, r.left, r.top, r.right, r.bottom, z->auswahlFarbe);
        if (datjahr(&heute) == z->jahr && heute.monat == z->monat && heute.tag == tag) {
            mkalRahmen(dc, r, RGB(255, 0, 0));
            RECT innen{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
            mkalRahmen(dc, innen, RGB(255, 0, 0));
        }
        std::snprintf(text, sizeof text, "%2d", tag);
        mkalText(dc, r, text);
        if (z->kwZeigen && (tag == 1 || wt == 0)) {
            DATUM d = mkalDatum(z->jahr, z->monat, tag);
            const int kw = datkalwoche(&d);
            std::snprintf(text, sizeof text, kw >= 10 ? "%3d" : "%2d", kw);
            mkalText(dc, mkalZelleVon(z, 0, zeile), text);
        }
    }
    SelectObject(dc, alt);
    EndPaint(fenster, &ps);
    if (z->geaendert && GetFocus() == fenster) {
        z->geaendert = false;
        ctlMelden(fenster, CTLGEAENDERT, 0);
    }
}

// ---- Input -------------------------------------------------------------------------------------

void mkalMelden(HWND fenster, MkalZustand* z, int hoch)
{
    z->geaendert = true;
    InvalidateRect(fenster, nullptr, FALSE);
    DWORD wert = (static_cast<DWORD>(z->auswahlArt) & 0xFFFFu) | (static_cast<DWORD>(hoch) << 16);
    PostMessage(GetParent(fenster), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(fenster)),
                static_cast<LPARAM>(wert));
}

void mkalKlick(HWND fenster, MkalZustand* z, int x, int y, bool doppelt)
{
    POINT p{x, y};
    for (int i = 0; i < 2; ++i) {
        RECT r = mkalBildFlaeche(z, i);
        if (!PtInRect(&r, p)) continue;
        int monat = z->monat + (i == 0 ? -1 : 1);
        int jahr = z->jahr;
        if (monat < 1) {
            monat = 12;
            --jahr;
        } else if (monat > 12) {
            monat = 1;
            ++jahr;
        }
        mkalMonatSetzen(z, jahr, monat);
        z->auswahlArt = 4;
        z->auswahlWert = 0;
        mkalMelden(fenster, z, (z->jahr - 1900) * 100 + z->monat);
        return;
    }
    if (y < z->oben || x < z->links || z->zelleB <= 0.0 || z->zelleH <= 0.0) return;
    int c = static_cast<int>((x - z->links) / z->zelleB);
    int r = static_cast<int>((y - z->oben) / z->zelleH);
    if (!z->waagrecht) std::swap(c, r);
    // now c: 0 week numbers, 1..7 weekdays; r: 0 weekday names, 1.. weeks
    if (c > 7 || r > z->wochen) return;
    if (r == 0) {
        if (c < 1 || !z->wtWaehlbar) return;
        z->auswahlArt = 3;
        z->auswahlWert = c - 1;
    } else if (c == 0) {
        if (!z->kwZeigen) return;
        z->auswahlArt = 2;
        z->auswahlWert = r;
    } else {
        int gefunden = 0;
        for (int tag = 1; tag <= mkalTage(z); ++tag) {
            if (mkalZeile(z, tag) == r && mkalWochentag(z, tag) == c - 1) gefunden = tag;
        }
        if (gefunden == 0) return;
        z->auswahlArt = 1;
        z->auswahlWert = gefunden;
    }
    mkalMelden(fenster, z, doppelt ? 1 : 0);
}

void mkalBildKopie(HWND fenster, MkalZustand* z, const COPYDATASTRUCT* cd)
{
    if (cd == nullptr || (cd->dwData != 1 && cd->dwData != 2) || cd->cbData < 4 || cd->lpData == nullptr) return;
    uint32_t h = 0;
    std::memcpy(&h, cd->lpData, 4);
    BITMAP bm{};
    if (h == 0 || GetObject(static_cast<HBITMAP>(h), sizeof bm, &bm) == 0) return;
    MkalBild& b = z->bilder[cd->dwData - 1];
    if (b.bild != 0) DeleteObject(b.bild);
    // a copy: the sender's bitmap is its own
    HDC schirm = GetDC(0);
    b.bild = CreateCompatibleBitmap(schirm, bm.bmWidth, bm.bmHeight);
    ReleaseDC(0, schirm);
    HDC ziel = CreateCompatibleDC(0);
    HDC quelle = CreateCompatibleDC(0);
    HGDIOBJ altZ = SelectObject(ziel, b.bild);
    HGDIOBJ altQ = SelectObject(quelle, static_cast<HBITMAP>(h));
    BitBlt(ziel, 0, 0, bm.bmWidth, bm.bmHeight, quelle, 0, 0, SRCCOPY);
    SelectObject(quelle, altQ);
    SelectObject(ziel, altZ);
    DeleteDC(quelle);
    DeleteDC(ziel);
    b.breite = std::max(b.breite, static_cast<int>(bm.bmWidth));
    b.hoehe = std::max(b.hoehe, static_cast<int>(bm.bmHeight));
    mkalMessen(z);
    InvalidateRect(fenster, nullptr, FALSE);
}

LRESULT mkalAnlegen(HWND fenster, const CREATESTRUCT* cs)
{
    auto* z = static_cast<MkalZustand*>(ctlZustandAnlegen(fenster, sizeof(MkalZustand)));
    if (z == nullptr) return -1;
    z->breite = cs->cx;
    z->hoehe = cs->cy;
    z->stil = static_cast<DWORD>(cs->style);
    z->schrift = ctlSchrift(2);
    z->faktorX = z->faktorY = 1.0;
    z->bilder[0] = MkalBild{0, 10, 10};
    z->bilder[1] = MkalBild{0, 10, 10};
    z->waagrecht = z->breite > z->hoehe;
    DATUM heute{};
    datheute(&heute);
    z->jahr = datjahr(&heute);
    z->monat = heute.monat >= 1 && heute.monat <= 12 ? heute.monat : 1;
    ctlKopie(z->wochentage, "~Mo~Di~Mi~Do~Fr~Sa~So~", sizeof z->wochentage);
    ctlKopie(z->monate, "~Januar~Februar~M\xE4rz~April~Mai~Juni~Juli~August~September~Oktober~November~Dezember~",
             sizeof z->monate);
    z->auswahlFarbe = RGB(135, 206, 250);
    z->markFarbe = RGB(255, 255, 160);
    mkalMessen(z);
    return 0;
}

}  // namespace

int mkalZeileVon(int jahr, int monat, int tag)
{
    DATUM erster = mkalDatum(jahr, monat, 1);
    DATUM d = mkalDatum(jahr, monat, tag);
    return datkalwoche(&d) - datkalwoche(&erster) + 1;
}

bool mkalZellenRect(HWND kalender, int spalte, int zeile, RECT* r)
{
    if (ctlZustand(kalender) == nullptr || GetWindowLongPtr(kalender, GWLP_WNDPROC) == 0) return false;
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(kalender, GWLP_WNDPROC));
    if (proc != ctlMkalProc) return false;
    *r = mkalZelleVon(ctlZustandVon<MkalZustand>(kalender), spalte, zeile);
    return true;
}

bool mkalBildRect(HWND kalender, int i, RECT* r)
{
    if (i < 0 || i > 1 || ctlZustand(kalender) == nullptr) return false;
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(kalender, GWLP_WNDPROC));
    if (proc != ctlMkalProc) return false;
    *r = mkalBildFlaeche(ctlZustandVon<MkalZustand>(kalender), i);
    return true;
}

LRESULT CALLBACK ctlMkalProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_CREATE) return mkalAnlegen(fenster, reinterpret_cast<const CREATESTRUCT*>(lp));
    auto* z = ctlZustandVon<MkalZustand>(fenster);
    if (z == nullptr) return DefWindowProc(fenster, nachricht, wp, lp);
    switch (nachricht) {
    case WM_DESTROY:
        for (MkalBild& b : z->bilder) {
            if (b.bild != 0) DeleteObject(b.bild);
        }
        ctlZustandFrei(fenster);
        return 0;
    case WM_SIZE:
        z->breite = LOWORD(lp);
        z->hoehe = HIWORD(lp);
        mkalMessen(z);
        InvalidateRect(fenster, nullptr, FALSE);
        return 0;
    case WM_SETFONT:
        z->schrift = static_cast<HFONT>(wp);
        mkalMessen(z);
        if (lp) InvalidateRect(fenster, nullptr, FALSE);
        return 0;
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lp);
        if (text != nullptr && text[0] == 27) mkalBefehl(fenster, z, text);
        return 1;
    }
    case WM_GETTEXT: {
        char* puffer = reinterpret_cast<char*>(lp);
        if (puffer == nullptr || wp == 0) return 0;
        char antwort[MKALANTWORTSUP];
        mkalAntwort(z, antwort, sizeof antwort);
        ctlKopie(puffer, antwort, static_cast<size_t>(wp));
        return static_cast<LRESULT>(std::strlen(puffer));
    }
    case WM_GETTEXTLENGTH: {
        char antwort[MKALANTWORTSUP];
        return mkalAntwort(z, antwort, sizeof antwort);
    }
    case WM_COPYDATA:
        mkalBildKopie(fenster, z, reinterpret_cast<const COPYDATASTRUCT*>(lp));
        return 1;
    case WM_PAINT:
        mkalMalen(fenster, z);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        mkalKlick(fenster, z, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), false);
        return 0;
    case WM_LBUTTONDBLCLK:
        mkalKlick(fenster, z, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), true);
        return 0;
    case WM_SETFOCUS:
        ctlMelden(fenster, CTLFOKUSEIN, 0);
        return 0;
    case WM_KILLFOCUS:
        ctlMelden(fenster, CTLFOKUSAUS, 0);
        return 0;
    default:
        return DefWindowProc(fenster, nachricht, wp, lp);
    }
}
