// The button bar (see tbleiste.h): reads one ")S name" section of a toolbar
// file, makes an ORVAGRBU per entry and a disabled ORVADISP filler behind
// them, and keeps which entry is selected (face "215 232 255", the others
// "240 240 240"). Prefix `tbLeiste`.
#include "controls/tbleiste.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "platform/fenster.h"
#include "platform/winconst.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/meldung.h"
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

double tblZahl(const char* p)
{
    while (*p == ' ') ++p;
    double wert = 0.0;
    const char* ende = p + std::strlen(p);
    std::from_chars(p, ende, wert);
    return wert;
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

// Reads up to the ")S name" line; true when found.
bool tblAbschnittSuchen(BDAT* d, const char* abschnitt, char* zeile)
{
    while (bdgets(d, zeile, TBLEISTEZEILESUP) >= 0) {
        zeilenendeweg(zeile);
        if (std::strncmp(zeile, ")S ", 3) != 0) continue;
        const char* p = zeile + 3;
        char name[TBLEISTEZEILESUP + 1];
        ctlWortLesen(&p, name, sizeof name);
        if (strvgl(name, abschnitt) == 0) return true;
    }
    return false;
}

}  // namespace

int tbLeisteAnlegen(int x, int y, int ersteId, const char* datei, const char* abschnitt)
{
    tblAnzahl = 0;
    tblGewaehlt = 0;
    char pfad[260];
    PfadBilden(0, datei, nullptr, pfad, sizeof pfad);
    BDAT d{};
    if (bdopenlesen(&d, pfad) < 0) return -1;
    char zeile[TBLEISTEZEILESUP + 1];
    if (!tblAbschnittSuchen(&d, abschnitt, zeile)) {
        if (bdlesefehler(&d)) wiMeldung("Kann %s nicht lesen.", pfad);
        bdclose(&d);
        return -1;
    }
    HWND dlg = wiDlgFenster();
    double px = x;
    double breite = TBLBREITE;
    double extra = 0.0;
    while (tblAnzahl < TBLEISTESUP && bdgets(&d, zeile, TBLEISTEZEILESUP) >= 0) {
        zeilenendeweg(zeile);
        if (zeile[0] == ')') break;
        if (zeile[0] == '=') {
            const char* p = zeile + 1;
            char wort[8];
            ctlWortLesen(&p, wort, sizeof wort);
            if (std::strcmp(wort, "X*") == 0) {
                breite *= tblZahl(p);
            } else if (std::strcmp(wort, "X+") == 0) {
                px += tblZahl(p);
            } else if (std::strcmp(wort, "B+") == 0) {
                extra += tblZahl(p);
            } else if (std::strcmp(wort, "B-") == 0) {
                extra -= tblZahl(p);
            }
            continue;
        }
        if (strleer(zeile)) continue;
        TblEintrag& e = tblEintraege[tblAnzahl];
        e.id = ersteId + tblAnzahl + 1;
        ctlKopie(e.text, zeile, sizeof e.text);
        char label[TBLEISTEZEILESUP + 1];
        const char* p = zeile;
        ctlWortLesen(&p, label, sizeof label);
        const double w = breite + extra;
        e.knopf = CreateWindow(CTLGRBUKLASSE, label, WS_CHILD | WS_VISIBLE | 0x40, tblPixel(px), tblPixel(y),
                               tblPixel(w), tblPixel(TBLHOEHE), dlg, static_cast<HMENU>(e.id), 0, nullptr);
        px += w;
        ++tblAnzahl;
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) {
        // Half a bar is not shown as if it were the whole.
        for (int i = 0; i < tblAnzahl; ++i) {
            if (tblEintraege[i].knopf && IsWindow(tblEintraege[i].knopf)) DestroyWindow(tblEintraege[i].knopf);
            tblEintraege[i].knopf = 0;
        }
        tblAnzahl = 0;
        wiMeldung("Kann %s nicht lesen.", pfad);
        return -1;
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
