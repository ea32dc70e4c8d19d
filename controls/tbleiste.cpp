// The button bar (see tbleiste.h): reads one ")S name" section of a toolbar
// file, makes an ORVAGRBU per entry and a disabled ORVADISP filler behind
// them, and keeps which entry is selected (face "215 232 255", the others
// "240 240 240"). Prefix `tbLeiste`.
#include "controls/tbleiste.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "platform/fenster.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/meldung.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"

namespace {

constexpr int TBLBREITE = 36;  // base width, dialog units
constexpr int TBLHOEHE = 10;   // height, dialog units

struct TblEintrag {
    int id;
    HWND knopf;
    char text[TBLEISTEZEILESUP + 1];
};

TblEintrag tblEintraege[TBLEISTESUP];
int tblAnzahl = 0;
int tblGewaehlt = 0;
char tblAntwort[TBLEISTEZEILESUP + 1];

int tblPixel(double du)
{
    return static_cast<int>(std::lround(du * wiDlgFaktor()));
}

void tblAuswahlZeigen()
{
    for (int i = 0; i < tblAnzahl; ++i) {
        const bool an = tblEintraege[i].id == tblGewaehlt;
        SetWindowText(tblEintraege[i].knopf, an ? "\x1bH 215 232 255" : "\x1bH 240 240 240");
    }
}

const char* tblText(const TblEintrag& e)
{
    if (std::strncmp(e.text, "TBD", 3) == 0) {
        ctlKopie(tblAntwort, e.text, sizeof tblAntwort);
    } else {
        const char* p = e.text;
        while (*p == ' ') ++p;
        while (*p != '\0' && *p != ' ') ++p;
        while (*p == ' ') ++p;
        ctlKopie(tblAntwort, p, sizeof tblAntwort);
    }
    return tblAntwort;
}

}  // namespace

int tbLeisteAnlegen(int x, int y, int ersteId, const char* datei, const char* abschnitt)
{
    tblAnzahl = 0;
    tblGewaehlt = 0;
    char pfad[260];
    PfadBilden(0, datei, nullptr, pfad, sizeof pfad);
    std::vector<TbarZeile> zeilen;
    const int r = wiTbarAbschnittLesen(pfad, abschnitt, &zeilen);
    if (r == -2) wiMeldung("Kann %s nicht lesen.", pfad);
    if (r <= 0) return -1;
    HWND dlg = wiDlgFenster();
    // Sizes and places stay within what a window can take.
    double px = x;
    double breite = TBLBREITE;
    double extra = 0.0;
    for (const TbarZeile& z : zeilen) {
        if (tblAnzahl >= TBLEISTESUP) break;
        if (z.art == TBARMASS) {
            if (z.schluessel == "X*") {
                breite = std::clamp(breite * z.wert, 0.0, TBARWERTSUP);
            } else if (z.schluessel == "X+") {
                px = std::clamp(px + z.wert, -TBARWERTSUP, TBARWERTSUP);
            } else if (z.schluessel == "B+") {
                extra = std::clamp(extra + z.wert, -TBARWERTSUP, TBARWERTSUP);
            } else if (z.schluessel == "B-") {
                extra = std::clamp(extra - z.wert, -TBARWERTSUP, TBARWERTSUP);
            }
            continue;
        }
        if (z.art == TBARLEER) continue;
        TblEintrag& e = tblEintraege[tblAnzahl];
        e.id = ersteId + tblAnzahl + 1;
        ctlKopie(e.text, z.text.c_str(), sizeof e.text);
        const char* p = z.text.c_str();
        const std::string label = wiTbarWort(&p);
        const double w = breite + extra;
        e.knopf = CreateWindow(CTLGRBUKLASSE, label.c_str(), WS_CHILD | WS_VISIBLE | 0x40, tblPixel(px), tblPixel(y),
                               tblPixel(w), tblPixel(TBLHOEHE), dlg, static_cast<HMENU>(e.id), 0, nullptr);
        px = std::clamp(px + w, -TBARWERTSUP, TBARWERTSUP);
        ++tblAnzahl;
    }
    CreateWindow(CTLDISPKLASSE, "", WS_CHILD | WS_VISIBLE | WS_DISABLED | 8, tblPixel(px), tblPixel(y),
                 tblPixel(4 * breite), tblPixel(TBLHOEHE), dlg, static_cast<HMENU>(ersteId), 0, nullptr);
    if (tblAnzahl > 0) {
        tblGewaehlt = tblEintraege[0].id;
        tblAuswahlZeigen();
    }
    return tblAnzahl;
}

const char* tbLeisteWahl(int id)
{
    for (int i = 0; i < tblAnzahl; ++i) {
        if (tblEintraege[i].id != id) continue;
        tblGewaehlt = id;
        tblAuswahlZeigen();
        return tblText(tblEintraege[i]);
    }
    return "";
}

const char* tbLeisteText()
{
    return tblAnzahl > 0 ? tblText(tblEintraege[0]) : "";
}

int tbLeisteHoehe()
{
    return tblPixel(TBLHOEHE);
}

int tbLeisteAnzahl()
{
    return tblAnzahl;
}

int tbLeisteGewaehlt()
{
    return tblGewaehlt;
}
