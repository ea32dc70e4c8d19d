// Printing (see druck.h). The printer copy of the renderer is the screen
// copy's GDI members with the style set's placement, the printer's pens and
// layer switching; the page mapping puts world (0, 0) on the paper's corner.
// The abort dialog is modeless: the spooler runs the abort procedure from
// EndPage, which pumps messages until the user cancels.
#include "output/druck.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "config/vorgaben.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/stndtext.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/ansicht.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/stil.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/drucker.h"
#include "platform/fenster.h"
#include "platform/globalmem.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"

namespace {

constexpr int DRUCKNAMESUP = 200;   // characters of the document name

struct DruckAuftrag {
    std::string zeichnung;
    int fehler = 0;
    STT stt{};
    PRINTDLG pd{};
    HDC dc = 0;
    int kopien = 1;
    int saetze = 1;
    int duplex = 0;
    int lage = -1;
    HWND abbruchDlg = 0;
    HWND besitzer = 0;
    int abgebrochen = 0;
    char name[DRUCKNAMESUP + 1] = {};
    int resets = 0;
};

DruckAuftrag dj;
ELEMGERAET druckGeraet;
bool druckGeraetDa = false;

int druckStift(void*, int stil, const STT* s)
{
    VISTIFT e;
    StilHolen(stil - 1, &e);
    GdiStiftSetzen(&e, s->sa, WeltZuPixelLaenge(StilMass(10 * s->sl * s->mass)));
    GdiStrichEinheit(WeltZuPixelLaenge(StilMass(1000 * s->mass)));
    return 1;
}

// The screen copy's members on the GDI layer, with the printer's pen, the
// style set's placement and layer switching.
ELEMGERAET* geraet()
{
    if (!druckGeraetDa) {
        druckGeraet = *ElemBildschirm();
        druckGeraet.stift = druckStift;
        druckGeraet.platzierung = ELEM_PLATZ_STIL;
        druckGeraet.jus = nullptr;
        druckGeraet.textAus = 0;
        druckGeraet.layerAn = 1;
        druckGeraetDa = true;
    }
    return &druckGeraet;
}

INT_PTR CALLBACK DruckAbbruchDialog(HWND h, UINT msg, WPARAM, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        EnableMenuItem(GetSystemMenu(h, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        SetWindowText(h, anwTitel());
        wiZentrieren(h);
        return TRUE;
    case WM_COMMAND:
        dj.abgebrochen = 1;
        if (dj.besitzer) EnableWindow(dj.besitzer, TRUE);
        DestroyWindow(h);
        if (dj.abbruchDlg == h) dj.abbruchDlg = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL DruckAbbruchProz(HDC, int)
{
    MSG m;
    while (!dj.abgebrochen && PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {  // for the loop that owns the program
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (dj.abbruchDlg && IsDialogMessage(dj.abbruchDlg, &m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    return dj.abgebrochen ? FALSE : TRUE;
}

// World y grows upward while pixels grow down: an offset of the top margin
// alone would put world (0, 0) one top and one bottom margin above the
// paper's lower left corner. The vertical offset is taken from the bottom
// margin instead, so that world (0, 0) lies on that corner.
//
// A sheet that does not lie whole inside the printable area at 1:1 (an A3
// sheet on A4 paper, or one on paper of its own size whose border falls in
// the unprintable margin) is fitted into the printable area instead, its
// aspect kept and centred, so nothing of it is cut.
void abbildung()
{
    const int hoehe = dj.dc ? GetDeviceCaps(dj.dc, PHYSICALHEIGHT) : 0;
    int dy = DruckGeraetewert(6);
    if (hoehe > 0) dy = -(hoehe - DruckGeraetewert(2) - DruckGeraetewert(6));
    const int pw = DruckGeraetewert(1), ph = DruckGeraetewert(2);
    DruckAbbildungSetzen(pw, ph, DruckGeraetewert(3), DruckGeraetewert(4), DruckGeraetewert(5), dy);
    // The sheet: up to A3 landscape, or A4 the way the paper lies.
    double bw = 420, bh = 297;
    ZeiDatei z;
    if (ZeiDateiLesend(&z, dj.zeichnung.c_str()) == 0) {
        if (ZeiFormat(&z) == BEF_ZA4) {
            const bool quer = DruckGeraetewert(3) > DruckGeraetewert(4);
            bw = quer ? 297 : 210;
            bh = quer ? 210 : 297;
        }
        ZeiDateiSchliessen(&z);
    }
    const int x0 = WeltZuPixelX(0), x1 = WeltZuPixelX(bw), y0 = WeltZuPixelY(0), y1 = WeltZuPixelY(bh);
    const bool ganz = x0 >= 0 && x1 < pw && y1 >= 0 && y0 < ph;
    if (!ganz && pw > 0 && ph > 0) AbbildungSetzenProp(0, 0, bw, bh, pw, ph, 0, 0, 100, 50, 50);
}

void DruckSeiteZeichnen()
{
    DruckStifte();
    abbildung();
    ELEMGERAET* g = geraet();
    GrundEinstLesen(nullptr);
    const GRUNDEINST* ge = GrundEinst();
    g->layer[0] = 1;
    for (int n = 1; n <= ELEMLAYERSUP; ++n) g->layer[n] = ge->layanz[n - 1] != 0;
    SttInit(&dj.stt, nullptr);
    if (ZeiDurchlaufen(dj.zeichnung.c_str(), &dj.stt, DruckRueckrufBild) < 0) dj.fehler = -1;
    SttInit(&dj.stt, nullptr);
    if (ZeiDurchlaufen(dj.zeichnung.c_str(), &dj.stt, DruckRueckrufRest) < 0) dj.fehler = -1;
    BauBibSchliessen();
    StndTextSchliessen();
}

void leerZeichnen() {}

int rueckruf(const BEF* b, const STT* s, bool bilder)
{
    ELEMGERAET* g = geraet();
    if (ElemLayerSchalten(g, b)) return 0;
    if (!ElemLayerAn(g, s)) return 0;
    if ((b->code == 69) != bilder) return 0;
    ElemZeichnen(g, b, s);
    return 0;
}

// Ends whatever the job holds: document, target, owner, dialog, DC, blocks.
void aufraeumen(bool dokument)
{
    if (dokument && dj.dc) EndDoc(dj.dc);
    GdiDruckEnde();
    if (dj.besitzer && IsWindow(dj.besitzer)) EnableWindow(dj.besitzer, TRUE);
    if (dj.abbruchDlg && IsWindow(dj.abbruchDlg)) DestroyWindow(dj.abbruchDlg);
    dj.abbruchDlg = 0;
    dj.besitzer = 0;
    if (dj.dc) DeleteDC(dj.dc);
    dj.dc = 0;
    if (dj.pd.hDevMode) GlobalFree(dj.pd.hDevMode);
    if (dj.pd.hDevNames) GlobalFree(dj.pd.hDevNames);
    dj.pd = PRINTDLG{};
}

}  // namespace

int DruckStart()
{
    VgbOeffnen();
    VgbPraefix(VgbInt("Eda3a4") != 0 ? "DrA4" : "DrA3");
    const int lage = VgbInt("BlOri");
    VgbPraefix("");
    VgbSchliessen();
    return DruckAuftragOeffnen("Velmo", lage);
}

int DruckAuftragOeffnen(const char* titel, int ausrichtung)
{
    strkopie(dj.name, sizeof dj.name, titel ? titel : "", DRUCKNAMESUP);
    dj.lage = -1;
    dj.resets = 0;
    dj.pd = PRINTDLG{};
    dj.pd.lStructSize = 66;
    dj.pd.hwndOwner = wiDlgFenster();
    dj.pd.Flags = PD_RETURNDC | PD_COLLATE | PD_NOPAGENUMS | PD_NOSELECTION;
    dj.pd.hDevMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODE));
    if (ausrichtung != 0 && dj.pd.hDevMode) {
        auto* dm = static_cast<DEVMODE*>(GlobalLock(dj.pd.hDevMode));
        dm->dmOrientation = static_cast<short>(ausrichtung);
        dm->dmFields |= DM_ORIENTATION;
        GlobalUnlock(dj.pd.hDevMode);
    }
    if (!PrintDlg(&dj.pd)) {
        if (dj.pd.hDevMode) GlobalFree(dj.pd.hDevMode);
        if (dj.pd.hDevNames) GlobalFree(dj.pd.hDevNames);
        dj.pd = PRINTDLG{};
        return 0;
    }
    dj.kopien = 1;
    dj.saetze = 1;
    const int n = std::max<int>(1, dj.pd.nCopies);
    if (!(dj.pd.Flags & PD_COLLATE)) dj.kopien = n;
    else dj.saetze = n;
    dj.duplex = 0;
    if (dj.pd.hDevMode) {
        const auto* dm = static_cast<const DEVMODE*>(GlobalLock(dj.pd.hDevMode));
        if (dm && (dm->dmFields & DM_DUPLEX) && dm->dmDuplex != DMDUP_SIMPLEX) dj.duplex = 1;
        GlobalUnlock(dj.pd.hDevMode);
    }
    dj.dc = dj.pd.hDC;
    dj.besitzer = wiDlgFenster();
    if (dj.besitzer) EnableWindow(dj.besitzer, FALSE);
    dj.abgebrochen = 0;
    dj.abbruchDlg = CreateDialogParam(anwInstanz(), "anw_lpt", dj.besitzer, DruckAbbruchDialog, 0);
    // Painted now: the job runs without a message loop until its first page
    // is spooled.
    if (dj.abbruchDlg) RedrawWindow(dj.abbruchDlg, nullptr, 0, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SetAbortProc(dj.dc, DruckAbbruchProz);
    GdiDruckBeginn(dj.dc);
    DOCINFO di{};
    di.cbSize = 20;
    di.lpszDocName = strleer(dj.name) ? anwTitel() : dj.name;
    if (StartDoc(dj.dc, &di) <= 0) {
        // A job that cannot start is no job: say so and leave nothing open.
        wiMeldung("Der Druckauftrag %s kann nicht gestartet werden.", di.lpszDocName);
        aufraeumen(false);
        return 0;
    }
    return 1;
}

int ZeichnungDrucken(const char* datei)
{
    ZeiAktSetzen(datei);
    dj.zeichnung = datei;
    SttInit(&dj.stt, nullptr);
    DruckStifte();
    dj.fehler = 0;
    DruckStatusText(datei);
    abbildung();
    for (int i = 0; i < dj.kopien; ++i) {
        if (DruckSeite(DruckSeiteZeichnen, StilBlattLage()) < 0) dj.fehler = -1;
    }
    return dj.fehler;
}

int DruckLeerseite()
{
    DruckStifte();
    dj.fehler = 0;
    DruckStatusText("Leerseite");
    return DruckSeite(leerZeichnen, 0) < 0 ? -1 : 0;
}

void DruckEnde() { aufraeumen(true); }

int DruckSatzAnzahl() { return dj.saetze; }
int DruckSeitenKopien() { return dj.kopien; }
int DruckDuplex() { return dj.duplex; }

int DruckSeite(void (*zeichnen)(), int ausrichtung)
{
    if (!(dj.lage != -1 && (ausrichtung == 0 || ausrichtung == dj.lage))) {
        dj.lage = ausrichtung;
        auto* dm = dj.pd.hDevMode ? static_cast<DEVMODE*>(GlobalLock(dj.pd.hDevMode)) : nullptr;
        if (dm && ausrichtung != 0) {
            dm->dmOrientation = static_cast<short>(ausrichtung);
            dm->dmFields |= DM_ORIENTATION;
        }
        ResetDC(dj.dc, dm);
        ++dj.resets;
        if (dm) GlobalUnlock(dj.pd.hDevMode);
    }
    int r = StartPage(dj.dc);
    if (r < 0) return r;
    zeichnen();
    r = EndPage(dj.dc);
    if (r < 0) return r;
    GdiZielNeu();
    return 0;
}

void DruckStatusText(const char* text)
{
    if (!dj.abbruchDlg) return;
    SetDlgItemText(dj.abbruchDlg, 4001, text ? text : "");
    HWND c = GetDlgItem(dj.abbruchDlg, 4001);
    if (c) {
        InvalidateRect(c, nullptr, TRUE);
        UpdateWindow(c);
    }
}

void DruckStifte()
{
    ZeiDatei z;
    if (ZeiDateiLesend(&z, dj.zeichnung.c_str()) != 0) return;
    const int format = ZeiFormat(&z);
    ZeiDateiSchliessen(&z);
    StilLaden(format == BEF_ZA4 ? "DrA4" : "DrA3");
}

int DruckGeraetewert(int index)
{
    static constexpr int indexe[7] = {0, HORZRES, VERTRES, HORZSIZE, VERTSIZE, PHYSICALOFFSETX, PHYSICALOFFSETY};
    if (index < 1 || index > 6 || !dj.dc) return 0;
    return GetDeviceCaps(dj.dc, indexe[index]);
}

int DruckRueckrufBild(const BEF* b, const STT* s) { return rueckruf(b, s, true); }
int DruckRueckrufRest(const BEF* b, const STT* s) { return rueckruf(b, s, false); }

HWND DruckAbbruchFenster() { return dj.abbruchDlg; }
int DruckResetAnzahl() { return dj.resets; }
