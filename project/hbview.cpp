// The manual viewer (see hbview.h).
#include "project/hbview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/apstil.h"
#include "controls/elseite.h"
#include "output/pdfbind.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/pdfbib.h"
#include "platform/winconst.h"
#include "project/hilfe.h"
#include "support/bdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

struct HilfeZustand {
    std::vector<HilfeLesezeichen> gliederung;
    bool geladen = false;
    int bibliothek = 0;
    int dokument = 0;
    int erste = 1;
    int anzahl = 1;
    int aktuell = 1;
    std::string thema;
    std::string titel;
    int scroll = 0;
    int anteil = 100;
    int zoom = 100;
    HWND fenster = 0;
};
HilfeZustand hz;

void hAnteilNeu()
{
    RECT r{};
    HWND bereich = hz.fenster ? GetDlgItem(hz.fenster, 3910) : 0;
    if (bereich) GetClientRect(bereich, &r);
    hz.anteil = HilfeSichtAnteil(r.right - r.left, r.bottom - r.top);
    if (hz.scroll > 100 - hz.anteil) hz.scroll = 100 - hz.anteil;
    if (hz.scroll < 0) hz.scroll = 0;
}

// The whole page is the range; the thumb is the visible share.
void hScrollSetzen() { wiScrollSetzen(3920, hz.scroll, 0, 100, hz.anteil); }

// The buttons keep to the right edge; header, page area and scroll bar
// follow the dialog's size.
void HilfeLayout()
{
    wiItemsRechtsAn(2, 2511, 0);
    wiItemsRechtsAn(20, 2510, 0);
    wiItemsRechtsBis(2, 5000, 0);
    wiItemsRechtsBis(10, 3910, 0);
    wiItemsRechtsAn(2, 3920, 0);
    wiItemsUntenBis(14, 3910, 3920, 0);
}

// After a resize everything is painted anew. The scroll bar redraws itself
// at once when it is set, which takes its pending paint; so the dialog is
// invalidated only after that, or its background would cover the bar.
void hAllesNeu()
{
    if (!hz.fenster) return;
    InvalidateRect(hz.fenster, nullptr, TRUE);
    for (int id : {2510, 2511, 3920}) InvalidateRect(GetDlgItem(hz.fenster, id), nullptr, TRUE);
}

// The topic's page and, apart from it and named as such, the page of the
// whole manual: two bare numbers side by side read as one ("2 1 / 1").
void HilfeSeitenText()
{
    char t[40];
    std::snprintf(t, sizeof t, "Seite %d von %d", hz.aktuell - hz.erste + 1, hz.anzahl);
    wiTextSetzen(3011, t);
    std::snprintf(t, sizeof t, "(Handbuch S. %d)", hz.aktuell);
    wiTextSetzen(3010, t);
}

void hNeuZeichnen()
{
    HWND bereich = GetDlgItem(hz.fenster, 3910);
    if (bereich) InvalidateRect(bereich, nullptr, FALSE);
}

// A disabled step button shows its picture greyed.
void hKnoepfe()
{
    wiKnopfFreiBild(2520, hz.aktuell > hz.erste ? 1 : 0, "BMPPGPREVAUS", "BMPPGPREV");
    wiKnopfFreiBild(2521, hz.aktuell < hz.erste + hz.anzahl - 1 ? 1 : 0, "BMPPGNEXTAUS", "BMPPGNEXT");
}

// A page change starts at the top of the page.
void hSeiteWechseln(int neu)
{
    hz.aktuell = neu;
    hz.scroll = 0;
    hAnteilNeu();
    hScrollSetzen();
    HilfeSeitenText();
    hKnoepfe();
    hNeuZeichnen();
}

void HilfeSeiteZeichnen(const DRAWITEMSTRUCT* di)
{
    int w = di->rcItem.right - di->rcItem.left;
    int h = di->rcItem.bottom - di->rcItem.top;
    RECT r{0, 0, di->rcItem.right, di->rcItem.bottom};
    FillRect(di->hDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    int gesichert = SaveDC(di->hDC);
    int versatz = hz.anteil == 0 ? 0 : static_cast<int>(std::lround(hz.scroll * (h * 100.0 / hz.anteil) / 100.0));
    SetViewportOrgEx(di->hDC, 0, -versatz, nullptr);
    HandbuchSeiteRendern(di->hDC, HilfeAufloesung(w), hz.aktuell);
    RestoreDC(di->hDC, gesichert);
    PostMessage(hz.fenster, WM_COMMAND, 2525, 0);
}

int HilfeDlgInit(int, const char* const*)
{
    hz.fenster = wiDlgFenster();
    wiDlgPosLadenAkt();
    const char* titel = DlgTextHolen("DBTitel");
    if (titel && titel[0]) wiDlgTitelSetzen(titel);
    hz.aktuell = hz.erste;
    hz.scroll = 0;
    hAnteilNeu();
    hScrollSetzen();
    HilfeSeitenText();
    hKnoepfe();
    wiTextSetzen(5000, hz.titel.c_str());
    return 0;
}

int HilfeDlgEnde()
{
    wiDlgPosSichernAkt();
    hz.fenster = 0;
    return 0;
}

int HilfeDlgBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (wiScrollNachricht(3920, nachricht, wp, lp, &hz.scroll, 0, 100 - hz.anteil, hz.anteil)) {
        PostMessage(hz.fenster, WM_COMMAND, 2522, 0);
        return 1;
    }
    if (nachricht == WM_DRAWITEM) {
        const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (di && di->CtlID == 3910) {
            HilfeSeiteZeichnen(di);
            return 1;
        }
        return 0;
    }
    if (nachricht == WM_SIZE) {
        HilfeLayout();
        hAnteilNeu();
        hScrollSetzen();
        hAllesNeu();
        return 0;
    }
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2511: wiSeiteHauptPost(1993, 0); break;
    case 2510: wiSeiteHauptPost(1994, 0); break;
    case 2522: hScrollSetzen(); hNeuZeichnen(); break;
    case 2525: hKnoepfe(); break;
    case 2520:
        if (hz.aktuell > hz.erste) hSeiteWechseln(hz.aktuell - 1);
        break;
    case 2521:
        if (hz.aktuell < hz.erste + hz.anzahl - 1) hSeiteWechseln(hz.aktuell + 1);
        break;
    case 2530:
        if (hz.zoom < 200) hz.zoom += 10;
        else if (hz.zoom < 400) hz.zoom += 25;
        hNeuZeichnen();
        break;
    case 2531:
        if (hz.zoom > 70) hz.zoom -= 10;
        hNeuZeichnen();
        break;
    case 1: case 2: case 2500: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

void HilfeDialogOeffnen()
{
    if (hz.fenster && IsWindow(hz.fenster)) wiDlgSlotSchliessen(wiDlgSlot(hz.fenster));
    wiDlgOeffnen("PDFHilfe", HilfeDlgInit, HilfeDlgEnde, HilfeDlgBefehl);
}

}  // namespace

void HilfeStart()
{
    hz.gliederung.clear();
    hz.geladen = false;
}

void HilfeEnde()
{
    hz.gliederung.clear();
    if (hz.bibliothek) PdfLibFreigeben();
    hz = HilfeZustand{};
}

void HandbuchInit() { HilfeStart(); }
void HandbuchEnde() { HilfeEnde(); }

void HandbuchGliederungLaden(const char* pfad)
{
    if (hz.geladen) return;
    hz.geladen = true;
    if (!hz.bibliothek) hz.bibliothek = PdfLibHolen();
    int b = hz.bibliothek;
    if (!b) return;
    std::wstring w = pdfbibBreit(pfad ? pfad : "", 200);
    if (!DPLLoadFromFile(b, w.c_str(), L"")) return;
    hz.dokument = DPLGetDocumentID(b, DPLDocumentCount(b));
    DPLSelectDocument(b, hz.dokument);
    // The library numbers the entries 1..n.
    int n = DPLOutlineCount(b);
    for (int i = 1; i <= n; ++i) {
        DPLSelectDocument(b, hz.dokument);
        int id = DPLGetOutlineID(b, i);
        std::string titel = pdfbibSchmal(DPLOutlineTitle(b, id), 200);
        if (titel.size() > HILFETITELSUP) titel.resize(HILFETITELSUP);
        hz.gliederung.push_back({DPLGetOutlinePage(b, id), titel});
    }
}

int HilfeIndexSuchen(const char* pfad, const char* thema, int* seiten, std::string* titel)
{
    *seiten = 1;
    titel->clear();
    BDAT d{};
    if (bdopenlesen(&d, pfad) < 0) return -1;
    char zeile[201];
    bool gefunden = false;
    while (bdgets(&d, zeile, 200) >= 0) {
        char wort[201];
        wortab(wort, zeile);
        if (strvgl(wort, thema ? thema : "") != 0) continue;
        gefunden = true;
        wortab(wort, zeile);
        // A count from the file never takes the last page past int range.
        const long n = std::strtol(wort, nullptr, 10);
        *seiten = static_cast<int>(std::clamp(n, 1L, static_cast<long>(HILFESEITENSUP)));
        strtrim(zeile);
        *titel = zeile;
        if (titel->size() > HILFETITELSUP) titel->resize(HILFETITELSUP);
        break;
    }
    const bool kurz = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (kurz) return -2;
    return gefunden ? 1 : 0;
}

void HilfeThemaZeigen(const char* thema)
{
    char pfad[400];
    HilfeDateiPfad("PDFIndex.txt", pfad, sizeof pfad);
    int seiten = 1;
    std::string titel;
    const int r = HilfeIndexSuchen(pfad, thema, &seiten, &titel);
    if (r == -1) {
        wiMeldung("%s nicht vorhanden.", pfad);
        return;
    }
    if (r == -2) {
        // A topic not seen in a file read short is not "not found".
        wiMeldung("Kann %s nicht lesen.", pfad);
        return;
    }
    const bool gefunden = r == 1;
    hz.thema = thema ? thema : "";
    if (hz.thema.size() > HILFESCHLUESSELSUP) hz.thema.resize(HILFESCHLUESSELSUP);
    if (!gefunden || titel.empty()) {
        wiMeldung("Hilfethema %s nicht gefunden", hz.thema.c_str());
        hz.erste = 1;
        hz.anzahl = 1;
        hz.titel = "?";
        HilfeDialogOeffnen();
        return;
    }
    hz.titel = titel;
    hz.erste = 1;
    hz.anzahl = seiten;
    bool da = false;
    for (const auto& l : hz.gliederung)
        if (strvgl(l.titel.c_str(), titel.c_str()) == 0) {
            hz.erste = l.seite;
            da = true;
            break;
        }
    if (!da) wiMeldung("Hilfeseite %s zum Thema %s nicht gefunden", titel.c_str(), hz.thema.c_str());
    HilfeDialogOeffnen();
}

void HilfeKontext()
{
    char pfad[400];
    HandbuchPfad(pfad);
    HandbuchGliederungLaden(pfad);
    char thema[HILFESCHLUESSELSUP + 1];
    HilfeThemaZeigen(HilfeThema(thema));
}

int HilfeSichtAnteil(int breite, int hoehe)
{
    if (breite == 0) return 50;
    int a = static_cast<int>(std::lround(hoehe * 170.0 / breite / 275.0 * 100.0));
    return a < 10 ? 10 : a > 100 ? 100 : a;
}

int HilfeAufloesung(int breite) { return breite * 254 / 170; }

int HandbuchSeiteRendern(HDC dc, int aufloesung, int seite)
{
    if (!hz.bibliothek || !hz.dokument) return 0;
    // Another user of the library may have selected its own document.
    DPLSelectDocument(hz.bibliothek, hz.dokument);
    return DPLRenderPageToDC(hz.bibliothek, aufloesung / 10, seite, dc);
}

const std::vector<HilfeLesezeichen>& HilfeGliederung() { return hz.gliederung; }
int HilfeErsteSeite() { return hz.erste; }
int HilfeSeitenAnzahl() { return hz.anzahl; }
int HilfeAktuelleSeite() { return hz.aktuell; }
int HilfeScrollPosition() { return hz.scroll; }
HWND HilfeFenster() { return hz.fenster; }
int HilfeBibliothek() { return hz.bibliothek; }
