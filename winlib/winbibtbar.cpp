// Tool bar of the common-controls kind of the window library: a bar along
// the top of the main window with up to WITBARSUP buttons whose bitmaps
// (button-face copies) and tooltip texts are kept here; the main window
// answers the bar's tooltip requests with wiTbarText. Prefix `wiTbar`
// (file helpers `wt`). May call platform/, support/, wibild.h and the frame
// record.
#include <cstring>

#include "platform/ctl_tbar.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "support/texte.h"
#include "winlib/anwdaten.h"
#include "winlib/wibild.h"
#include "winlib/winbib.h"

namespace {

struct WtKnopf {
    HBITMAP bitmap;
    int id;
    char tipp[WITBARTEXTSUP + 1];
};

HWND wtFenster = 0;
int wtLeerText = 0;
int wtHoehe = 0;
WtKnopf wtKnoepfe[WITBARSUP];
int wtAnzahl = 0;

int wtHinzu(HBITMAP bitmap, int id, const char* tipp)
{
    if (!wtFenster || wtAnzahl >= WITBARSUP) {
        if (bitmap) DeleteObject(bitmap);
        return -1;
    }
    int bild = -1;
    if (bitmap) {
        TBADDBITMAP ab{0, bitmap};
        bild = static_cast<int>(SendMessage(wtFenster, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&ab)));
    }
    TBBUTTON k{};
    k.iBitmap = bild;
    k.idCommand = id;
    k.fsState = TBSTATE_ENABLED;
    k.fsStyle = TBSTYLE_BUTTON;
    k.iString = wtLeerText;
    SendMessage(wtFenster, TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&k));
    WtKnopf& w = wtKnoepfe[wtAnzahl++];
    w.bitmap = bitmap;
    w.id = id;
    strkopie(w.tipp, tipp ? tipp : "", WITBARTEXTSUP);
    return 0;
}

}  // namespace

HWND wiTbarInit()
{
    plTbarKlasseRegistrieren();
    if (wtFenster && IsWindow(wtFenster)) DestroyWindow(wtFenster);
    wtAnzahl = 0;
    wtFenster = CreateWindowEx(0, TOOLBARCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0,
                               0, 0, anwHauptfenster(), static_cast<HMENU>(WITBARID), anwInstanz(), nullptr);
    if (!wtFenster) return 0;
    SendMessage(wtFenster, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    wtLeerText = static_cast<int>(SendMessage(wtFenster, TB_ADDSTRING, 0, reinterpret_cast<LPARAM>("")));
    SendMessage(wtFenster, TB_AUTOSIZE, 0, 0);
    RECT r{};
    GetWindowRect(wtFenster, &r);
    wtHoehe = r.bottom - r.top;
    return wtFenster;
}

HWND wiTbarFenster() { return wtFenster; }

void wiTbarGroesse(int knopf, int bild, int hoehe)
{
    if (!wtFenster) return;
    SendMessage(wtFenster, TB_SETBUTTONSIZE, 0, MAKELPARAM(knopf, knopf));
    SendMessage(wtFenster, TB_SETBITMAPSIZE, 0, MAKELPARAM(bild, bild));
    SendMessage(wtFenster, TB_AUTOSIZE, 0, 0);
    wtHoehe = hoehe;
}

int wiTbarKnopf(int id, const char* bild, const char* tipp)
{
    return wtHinzu(wtFenster && wtAnzahl < WITBARSUP ? wiBitmapLaden(bild) : 0, id, tipp);
}

int wiTbarKnopfAus(HMODULE modul, int id, const char* bild, const char* tipp)
{
    return wtHinzu(wtFenster && wtAnzahl < WITBARSUP ? wiModulBitmapLaden(modul, bild) : 0, id, tipp);
}

void wiTbarLuecke()
{
    if (!wtFenster) return;
    TBBUTTON k{};
    k.fsStyle = TBSTYLE_SEP;
    SendMessage(wtFenster, TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&k));
}

int wiTbarText(int id, char* puffer)
{
    puffer[0] = '\0';
    for (int i = 0; i < wtAnzahl; ++i) {
        if (wtKnoepfe[i].id != id) continue;
        strkopie(puffer, WITBARTEXTSUP + 1, wtKnoepfe[i].tipp, WITBARTEXTSUP);
        return 1;
    }
    return 0;
}

void wiTbarAnpassen()
{
    if (wtFenster) SendMessage(wtFenster, TB_AUTOSIZE, 0, 0);
}

int wiTbarHoehe() { return wtHoehe; }

void wiTbarBilderWeg()
{
    for (int i = 0; i < wtAnzahl; ++i) {
        if (wtKnoepfe[i].bitmap) DeleteObject(wtKnoepfe[i].bitmap);
        wtKnoepfe[i].bitmap = 0;
    }
}

// Called by wiBibEnde.
void wiTbarEnde()
{
    if (wtFenster && IsWindow(wtFenster)) DestroyWindow(wtFenster);
    wtFenster = 0;
    wiTbarBilderWeg();
    wtAnzahl = 0;
    wtHoehe = 0;
}
