// The project manager page: opening, initialisation and exit, the list
// display of the drawing list (row heights, painting, events, context
// menus), the marking taken over into the entries, and the page's messages.
// The command table is in proverwbef.cpp. See proverw.h.
#include "project/proverw.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "config/apstil.h"
#include "config/textring.h"
#include "controls/elseite.h"
#include "controls/lisanzeige.h"
#include "config/reaktion.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "project/proverwint.h"
#include "project/pvwliste.h"
#include "support/datum.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/seitendienst.h"
#include "winlib/tbarhaken.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

PvwSeite pvwSeite;

namespace {

// The sort combo's texts in the order of the sort modes.
const char* pvwSortText(int i)
{
    switch (i) {
    case 0: return TextRing("PROVERW_TEXT", 0, "Nummer");
    case 1: return TextRing("PROVERW_TEXT", 0, "Datum");
    case 2: return TextRing("PROVERW_TEXT", 0, "Index");
    default: return "";
    }
}

void pvwMenue(const char* name, int zeile, int sperren)
{
    if (wiDlgMenuLaden(name) != 0) return;
    if (sperren) {
        const auto LisAnzMarkiert = LisMarkiertAnzahl;  // the marked rows, as the menu greys for them
        PvwMenueSperren(zeile, LisAnzMarkiert(PVWLISTE));
    }
    int x = 0, y = 0;
    LisKlickHolen(PVWLISTE, &x, &y);
    wiDlgMenuZeigen(MAKELPARAM(x, y), GetDlgItem(pvwSeite.fenster, PVWLISTE));
}

// Text of `a` and `b` joined by a blank, trimmed.
std::string pvwVerbunden(const char* a, const char* b)
{
    char t[2 * PVWNAMESUP + 2];
    std::snprintf(t, sizeof t, "%s %s", a, b);
    strtrim(t);
    return t;
}

}  // namespace

// ---- Opening and the page's services --------------------------------------------------------------

void PvwOeffnen()
{
    HWND f = pvwSeite.fenster;
    if (f != 0 && IsWindow(f)) {
        ShowWindow(f, SW_SHOW);
        EnableWindow(f, TRUE);
        SetActiveWindow(f);
        PostMessage(f, WM_COMMAND, 2580, 0);
        return;
    }
    pvwSeite.fenster = 0;
    // A child page of the main window; the frame's page table places it.
    HWND s = wiDlgEinbetten(anwHauptfenster(), "PROVERW", PvwInit, PvwExit, PvwKommando, nullptr, 0);
    if (s != 0) ShowWindow(s, SW_SHOW);
}

HWND PvwFenster() { return pvwSeite.fenster != 0 && IsWindow(pvwSeite.fenster) ? pvwSeite.fenster : 0; }
HWND PvwDlgFenster() { return PvwFenster(); }

void PvwBefehl(int id)
{
    if (HWND f = PvwFenster()) PostMessage(f, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void PvwListeNeu()
{
    if (HWND f = PvwFenster()) PostMessage(f, WM_COMMAND, 2590, 0);
}

void PvwZeiWaehlen(const char* pfad)
{
    char name[PVWNAMESUP + 1] = "";
    pvwDateiTeil(pfad, name, sizeof name);
    if (HWND f = PvwFenster()) PostMessage(f, WM_COMMAND, 2591, static_cast<LPARAM>(PvwZeiSuchen(name)));
}

void pvwDateiTeil(const char* pfad, char* name, size_t kap)
{
    const char* p = pfad != nullptr ? pfad : "";
    for (const char* q = p; *q; ++q)
        if (*q == '/' || *q == '\\') p = q + 1;
    std::snprintf(name, kap, "%s", p);
}

int PvwMarkUebernehmen()
{
    if (!pvwSeite.bereit) return 0;
    for (int i = 0; i < PvwAnzahl(); ++i) PvwMarkSetzen(i, LisIstMarkiert(PVWLISTE, i) ? 1 : 0);
    char name[PVWNAMESUP + 1] = "";
    int art = PvwEintragName(LisAkt(PVWLISTE), name);
    PvwCursorNameSetzen(art == 1 ? name : "");
    return art;
}

namespace {

// List columns (4 dialog units each) that hold `pixel`, rounded up: a text
// ends before the next column starts.
int pvwSpalten(int pixel)
{
    const int vier = wiDlgEinheit(4);
    return vier > 0 ? (pixel + vier - 1) / vier : 0;
}

}  // namespace

int PvwSpalteBreite()
{
    return pvwSpalten(PvwNameBreiteMax());
}

// ---- Initialisation, exit, messages -----------------------------------------------------------------

int PvwInit(int, const char* const*)
{
    HWND f = wiDlgFenster();
    pvwSeite.fenster = f;
    wiDlgHilfeSetzen(f, "PROVERW");
    wiTbarLaden("Toolbar.txt", "ZeiListe");
    if (ApTbarStil1()) wiItemsRunter(TbarKnopfHoehe() - 22, PVWLISTE, PVWROLLEN, PVWSORT, PVWSORTTEXT, 0);
    else wiItemsUnterTbar(PVWLISTE, PVWROLLEN, PVWSORT, PVWSORTTEXT, 0);
    LisDlgSchrift("2");
    wiComboLeeren(PVWSORT);
    for (int i = 0; i < 3; ++i) wiComboAnhaengen(PVWSORT, pvwSortText(i));
    // The sort mode outlives the page: the combo shows the one in force.
    wiComboWahlSetzen(PVWSORT, PvwSortModus());
    wiSeiteAnmelden(f);
    LisAnlegen(PVWLISTE, PvwZeileHoehe, PvwZeileMalen, PvwListenEreignis);
    if (ApOFStilNicht1()) LisOhneFokus(PVWLISTE);
    pvwSeite.spalte = PvwSpalteBreite();
    pvwSeite.bereit = 1;
    SetWindowText(GetDlgItem(f, PVWLISTE), "KEYMESSAGE  1900");
    SetWindowText(GetDlgItem(f, PVWLISTE), "CHARMESSAGE 1901");
    wiSeiteModus(1530);
    return 1;
}

int PvwExit()
{
    pvwSeite.bereit = 0;
    if (LisVorhanden(PVWLISTE)) LisFreigeben(PVWLISTE);
    wiSeiteAbmelden(pvwSeite.fenster);
    pvwSeite.fenster = 0;
    return 0;
}

namespace {

void pvwGroesse()
{
    HWND f = pvwSeite.fenster;
    // The combo 2 units from the right edge, its label ending 2 units left
    // of it; only the toolbar buttons that end left of the combo stay.
    int links = wiItemsRechtsAn(2, PVWSORT, 0);
    HWND label = GetDlgItem(f, PVWSORTTEXT);
    RECT r;
    GetWindowRect(label, &r);
    POINT p{r.left, r.top};
    ScreenToClient(f, &p);
    const int b = r.right - r.left;
    MoveWindow(label, links - wiDlgEinheit(2) - b, p.y, b, r.bottom - r.top, TRUE);
    wiTbarBreite(f, links);
    wiRollbalkenLayout(2, 2, PVWLISTE, PVWROLLEN, 0, 0);
    if (pvwSeite.bereit) {
        LisGroesseNeu(PVWLISTE);
        LisNeuAufbauen(PVWLISTE);
    }
}

}  // namespace

int PvwKommando(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (wp == PVWSORT && (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM))
        return ElsCbZeichnen(PVWSORT, pvwSortText, nachricht, wp, lp);
    if (pvwSeite.fenster == 0) return 0;
    if (pvwSeite.bereit) LisNachricht(PVWLISTE, nachricht, wp, lp);
    switch (nachricht) {
    case WM_ACTIVATE:
        if (LOWORD(wp)) {
            wiSeiteModus(1530);
            SetFocus(GetDlgItem(pvwSeite.fenster, PVWLISTE));
        }
        break;
    case WM_SIZE: pvwGroesse(); break;
    case WM_COMMAND: PvwBefehlAusfuehren(LOWORD(wp), HIWORD(wp), lp); break;
    default: break;
    }
    return 0;
}

// ---- The list display's callbacks -------------------------------------------------------------------

int PvwZeileHoehe(int zeile)
{
    if (PvwAnzahl() == 0 || zeile < 0 || zeile >= PvwAnzahl()) return 2;
    return PvwEintragAdr(zeile)->art == PVW_UNTERTITEL ? 4 : 2;
}

void PvwZeileMalen(int zeile)
{
    LisFarbe(0, 0, 0);
    if (PvwAnzahl() == 0) {
        LisSchrift(2);
        LisText(1, 0, TextNr(270));
        return;
    }
    if (zeile < 0 || zeile >= PvwAnzahl()) return;
    const PvwEintrag* e = PvwEintragAdr(zeile);
    const int b = ApOFStil1() ? 3 : 1;
    // One reading of the setting for all rows of a paint.
    static int kurzDurchgang = 0, kurzGelesen = 0;
    const int durchgang = LisMalDurchgang();
    if (durchgang == 0 || durchgang != kurzDurchgang) kurzGelesen = PvwKurztexteZeigen();
    kurzDurchgang = durchgang;
    const int kurz = kurzGelesen;
    // Each column as wide as its widest text, at least its classic width.
    const int kurzX = b + pvwSeite.spalte + 2;
    const int datumX = kurzX + std::max(4, pvwSpalten(PvwKurzBreiteMax()) + 1);
    const int formatX = datumX + std::max(9, pvwSpalten(wiTextBreite(2, "00.00.0000")) + 1);
    const int zusatzX = formatX + std::max(4, pvwSpalten(wiTextBreite(2, "A3")) + 1);
    const int titelX = kurz ? zusatzX + std::max(15, pvwSpalten(PvwZusatzBreiteMax()) + 1) : zusatzX;
    char datum[DATTEXTSUP + 1];
    dattext(datum, sizeof datum, &e->zeit.datum);
    switch (e->art) {
    case PVW_UNTERTITEL: {
        char t[6 * (PVWUTTEXTSUP + 1)];
        std::snprintf(t, sizeof t, "%s %s %s %s %s", e->utitel, e->anlage, e->ort, e->bauwerk, e->objekt);
        LisSchrift(0);
        LisText(1, 1, t);
        break;
    }
    case PVW_ZEICHNUNG: {
        LisSchrift(2);
        LisText(b, 0, e->name);
        LisText(kurzX, 0, e->kopf.kurz);
        LisText(datumX, 0, datum);
        LisText(formatX, 0, PvwFormatText(*e));
        if (kurz) LisText(zusatzX, 0, PvwKurztexte(*e).c_str());
        LisText(titelX, 0, pvwVerbunden(e->titel0, e->titel1).c_str());
        break;
    }
    case PVW_PDF:
        // The file name stands in the title column; the name column says
        // what the row is, so it never reads as a sheet without a name.
        LisSchrift(2);
        LisText(b, 0, "PDF");
        LisText(datumX, 0, datum);
        LisText(titelX, 0, e->datei);
        break;
    default: break;
    }
}

int PvwListenEreignis(int ereignis, int)
{
    const int zeile = LisAkt(PVWLISTE);
    if (PvwAnzahl() == 0) {
        if (ereignis == LISKONTEXT || ereignis == LISUNTEN) pvwMenue("PROVERW_HGRM", zeile, 0);
        return 0;
    }
    switch (ereignis) {
    case LISAKTIV: PvwDoppelklick(zeile); break;
    case LISKONTEXT: pvwMenue("PROVERW_RM", zeile, 1); break;
    case LISENTF: PvwBefehl(1840); break;
    case LISCURSOR:
    case LISMARKEN: PvwMarkUebernehmen(); break;
    case LISUNTEN: pvwMenue("PROVERW_HGRM", zeile, 0); break;
    default: break;
    }
    return 0;
}

void PvwDoppelklick(int zeile)
{
    if (zeile < 0 || zeile >= PvwAnzahl()) return;
    if (PvwEintragAdr(zeile)->art == PVW_UNTERTITEL) wiSeiteHauptPost(1512, zeile);
    else wiSeiteHauptPost(1810, 0);
}

void PvwMenueSperren(int zeile, int markiert)
{
    int art = zeile >= 0 && zeile < PvwAnzahl() ? PvwEintragAdr(zeile)->art : PVW_UNTERTITEL;
    auto grau = [](std::initializer_list<int> ids) {
        for (int id : ids) wiDlgMenuFrei(id, 0);
    };
    switch (art) {
    case PVW_UNTERTITEL:
        grau({1810, 1820, 1850});
        if (markiert == 0) grau({1860, 1862, 1870, 1840, 1880});
        break;
    case PVW_ZEICHNUNG:
        if (markiert >= 2) grau({1810, 1820, 1850});
        break;
    case PVW_PDF:
        grau({1850});
        if (markiert == 0) grau({1860, 1862, 1870, 1840, 1880});
        break;
    default: break;
    }
}
