// The equipment list page's frame (see bmlbearb.h and bmlint.h): embedded
// page or separate window, the snap button between them, layout, title and
// the operations that raise or close the page.
//
// Invariants:
//  1. The external flag is read once from the ini file and written back at
//     every exit of the page.
//  2. An embedded page is registered in the frame's page table from init
//     (or docking) to exit (or undocking); a separate one never is.
#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "config/apstil.h"
#include "config/inidatei.h"
#include "config/reaktion.h"
#include "controls/elseite.h"
#include "lists/bmlbearb.h"
#include "lists/bmlint.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/eingabe.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/seitendienst.h"
#include "winlib/toolbar.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int BMLENTWURFBREITE = 444;   // the template's client size, dialog units
constexpr int BMLPANEEL = 268;          // designed left edge of the item panel
constexpr int BMLEXTBREITE = 462;       // separate window, dialog units (+ 40 pixels)
constexpr int BMLEXTHOEHE = 396;

struct BmlRahmen {
    HWND fenster = 0;
    int ext = -1;
    HWND dannFenster = 0;
    int dannBefehl = 0;
    std::string titel;
    int titelExt = -1;
    std::map<int, RECT> entwurf;   // designed rectangles in dialog units
};
BmlRahmen br;

// Pixels of n dialog units and back (one factor for both axes).
int brPx(int n) { return wiDlgEinheit(n); }
int brDu(int px)
{
    const int hundert = std::max(wiDlgEinheit(100), 1);
    return px * 100 / hundert;
}

BOOL CALLBACK brMerken(HWND h, LPARAM)
{
    RECT r;
    GetWindowRect(h, &r);
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ScreenToClient(br.fenster, &a);
    ScreenToClient(br.fenster, &b);
    br.entwurf[GetDlgCtrlID(h)] = RECT{brDu(a.x), brDu(a.y), brDu(b.x), brDu(b.y)};
    return TRUE;
}

void brSetzen(int id, int l, int o, int r, int u)
{
    HWND h = GetDlgItem(br.fenster, id);
    if (h) MoveWindow(h, brPx(l), brPx(o), brPx(r - l), brPx(u - o), TRUE);
}

void brSnapKnopf()
{
    const bool ext = BmlIstExtern() != 0;
    wiKnopfFreiBild(2980, 1, ext ? "BMSNAPREIN" : "BMSNAPRAUS", ext ? "BMSNAPREIN" : "BMSNAPRAUS");
    wiDlgTooltip(2980, ext ? "Im Hauptfenster darstellen" : "In separatem Fenster darstellen");
}

void brTitel()
{
    char t[200] = "";
    GetWindowText(anwHauptfenster(), t, sizeof t);
    const std::string titel = BmlIstExtern() ? TextNr(4310) : t;
    if (titel == br.titel && br.titelExt == BmlIstExtern()) return;
    br.titel = titel;
    br.titelExt = BmlIstExtern();
    SetWindowText(br.fenster, titel.c_str());
}

void brFensterGroesse()
{
    RECT r;
    GetWindowRect(br.fenster, &r);
    MoveWindow(br.fenster, r.left, r.top, brPx(BMLEXTBREITE) + 40, brPx(BMLEXTHOEHE) + 40, TRUE);
}

void brAbdocken()
{
    wiSeiteAbmelden(br.fenster);
    wiDlgAbdocken(br.fenster);
    wiDlgPosLadenAkt();
    brFensterGroesse();
    br.ext = 1;
    br.titel.clear();
    SetWindowText(br.fenster, TextNr(4310));
    brSnapKnopf();
    ShowWindow(br.fenster, SW_SHOW);
    PostMessage(br.fenster, WM_COMMAND, 2596, 0);
}

void brAndocken()
{
    br.ext = 0;
    wiDlgPosSichernAkt();
    wiDlgAndocken(br.fenster);
    wiSeiteAnmelden(br.fenster);
    brSnapKnopf();
    ShowWindow(br.fenster, SW_SHOW);
    PostMessage(br.fenster, WM_COMMAND, 2595, 0);
}

}  // namespace

void BmlLayoutMasse(int breite, int hoehe, int* b, int* h)
{
    *b = std::clamp(breite, BMLBREITEMIN, BMLBREITEMAX);
    *h = std::clamp(hoehe, BMLHOEHEMIN, BMLHOEHEMAX);
}

void BmlRahmenLayout()
{
    if (!br.fenster || br.entwurf.empty()) return;
    RECT k;
    GetClientRect(br.fenster, &k);
    int w, h;
    BmlLayoutMasse(brDu(k.right), brDu(k.bottom), &w, &h);
    const int dx = (w - 176) - BMLPANEEL;
    for (const auto& [id, r] : br.entwurf) {
        if (id == 3100 || id == 3200 || (id >= 3120 && id <= 3127)) continue;
        const bool unten = (id >= 3130 && id <= 3132) || id == 3139 || (id >= 3230 && id <= 3232) || id == 3239;
        const int x = r.left >= BMLPANEEL ? dx : 0;
        const int o = unten ? h - 12 : r.top;
        const int u = unten ? h - 2 : r.bottom;
        brSetzen(id, r.left + x, o, r.right + x, u);
    }
    const RECT& l = br.entwurf[3100];
    brSetzen(3100, l.left, l.top, l.left + w - 180, h - 14);
    const RECT& b = br.entwurf[3200];
    brSetzen(3200, b.left + dx, b.top, b.right + dx, h - 14);
    const int snapLinks = w - 2 - (br.entwurf[2980].right - br.entwurf[2980].left);
    for (int id = 3120; id <= 3127; ++id) {
        const RECT& r = br.entwurf[id];
        brSetzen(id, r.left, r.top, r.right, r.bottom);
        ShowWindow(GetDlgItem(br.fenster, id), r.right < snapLinks ? SW_SHOW : SW_HIDE);
    }
    InvalidateRect(br.fenster, nullptr, TRUE);
}

void BmlRahmenInit(HWND seite)
{
    br.fenster = seite;
    br.entwurf.clear();
    EnumChildWindows(seite, brMerken, 0);
    if (BmlIstExtern()) {
        wiDlgPosLadenAkt();
        brFensterGroesse();
    } else {
        wiSeiteAnmelden(seite);
    }
    ElsSchriftIds(2, 3129, 3300, 3041, 3051, 3405, 3091, 3081, 3082, 3083, 3084, 3085, 3086, 3087, 3111, 3151, 3160,
                  3140, 3141, 3130, 3131, 3132, 3139, 3230, 3231, 3232, 3239, 0);
    wiDlgIcon("DLGICON");
    brSnapKnopf();
    br.titel.clear();
    brTitel();
    BmlRahmenLayout();
    wiSeiteModus(1532);
}

void BmlRahmenExit()
{
    if (BmlIstExtern()) wiDlgPosSichernAkt();
    else wiSeiteAbmelden(br.fenster);
    ProfilZahlSchreiben("ArbPlatz", "BmlExtern", BmlIstExtern());
    br.ext = -1;  // the next opening reads what was written
    if (br.dannFenster) PostMessage(br.dannFenster, WM_COMMAND, static_cast<WPARAM>(br.dannBefehl), 0);
    br.dannFenster = 0;
    br.dannBefehl = 0;
    br.fenster = 0;
    br.entwurf.clear();
}

int BmlRahmenNachricht(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht == WM_SIZE) {
        BmlRahmenLayout();
        return 0;
    }
    if (nachricht == WM_ACTIVATE) {
        if (LOWORD(wp) != WA_INACTIVE) wiSeiteModus(1532);
        return 0;
    }
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2980:
        if (BmlIstExtern()) brAndocken();
        else brAbdocken();
        return 1;
    case 2595: wiSeiteUmschalten(1532); return 1;
    case 2596:
        // The main window goes back to the project page; the undocked page
        // stays in front.
        wiSeiteUmschalten(1530);
        SetActiveWindow(br.fenster);
        return 1;
    case 2580:
        SetFocus(GetDlgItem(br.fenster, 3100));
        return 1;
    case 2593:
        PostMessage(br.fenster, WM_CLOSE, 0, 0);
        return 1;
    case 2998: case 2999:
        brTitel();
        return 0;
    default: return 0;
    }
}

int BmlIstExtern()
{
    if (br.ext < 0) br.ext = ProfilZahlLesen("ArbPlatz", "BmlExtern") != 0 ? 1 : 0;
    return br.ext;
}

HWND BmlFenster() { return br.fenster && IsWindow(br.fenster) ? br.fenster : 0; }

int BmlFensterHeben()
{
    HWND f = BmlFenster();
    if (!f) return 0;
    // The frame hides and disables every page before it shows one.
    EnableWindow(f, TRUE);
    ShowWindow(f, SW_SHOW);
    SetActiveWindow(f);
    PostMessage(f, WM_COMMAND, 2580, 0);
    return 1;
}

int BmlSchliessenDann(HWND fenster, int befehl)
{
    HWND f = BmlFenster();
    if (!f) return 0;
    if (BmlIstExtern()) SetActiveWindow(f);
    br.dannFenster = fenster;
    br.dannBefehl = befehl;
    PostMessage(f, WM_COMMAND, 2593, 0);
    return 1;
}
