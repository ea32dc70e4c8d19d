// The floating hint and preview of the component catalogues, the preview
// window inside a dialog, the owner-drawn picture list and the list sizing
// helpers; see popup.h.
//
// Invariants:
//  1. The current slot is -1 or a slot whose hint window is shown.
//  2. Both popup windows belong to the dialog current at PopupAnlegen; they
//     are hidden whenever no slot is current.
#include "editdlg/popup.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "controls/elseite.h"
#include "editdlg/vorschau.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

namespace {

struct PopSlot {
    int id = 0;
    HWND fenster = 0;
    char name[POPUPNAMESUP + 1] = "";
    char hinweis[POPUPHINWEISSUP + 1] = "";
};

struct PopZustand {
    PopSlot slot[POPUPSUP];
    int aktuell = -1;
    HWND hilfe = 0, grafik = 0;
    bool hilfeZu = false, grafikZu = false;  // shown
    bool aktiv = true;
} pop;

HWND vscVorschauFenster = 0;  // "Grafik" of VorschauAnlegen

RECT popRechteck(HWND dialog, HWND steuer);

void popZeigen(HWND w, bool an, bool* flag)
{
    if (w == 0) return;
    const bool war = IsWindowVisible(w) != 0;
    ShowWindow(w, an ? SW_SHOWNOACTIVATE : SW_HIDE);
    // What lay under a hidden popup is drawn again (the layer's own
    // repaint of the parent misses it by the dialog's caption).
    if (war && !an) {
        const RECT r = popRechteck(GetParent(w), w);
        InvalidateRect(GetParent(w), &r, TRUE);
    }
    *flag = an;
}

void popAllesVerbergen()
{
    popZeigen(pop.hilfe, false, &pop.hilfeZu);
    popZeigen(pop.grafik, false, &pop.grafikZu);
}

// A control's rectangle in the client coordinates of its dialog.
RECT popRechteck(HWND dialog, HWND steuer)
{
    RECT r{};
    GetWindowRect(steuer, &r);
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ScreenToClient(dialog, &a);
    ScreenToClient(dialog, &b);
    return RECT{a.x, a.y, b.x, b.y};
}

// Moves a popup to (x, y), pulled back inside the dialog's client area
// where it would stick out: a child window is cut at the edge.
void popPlatzieren(HWND d, HWND w, int x, int y)
{
    RECT k{}, r{};
    GetClientRect(d, &k);
    GetWindowRect(w, &r);
    x = std::max(0, std::min(x, static_cast<int>(k.right - (r.right - r.left))));
    y = std::max(0, std::min(y, static_cast<int>(k.bottom - (r.bottom - r.top))));
    SetWindowPos(w, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

int popSlotVon(HWND steuer)
{
    if (steuer == 0) return -1;
    for (int i = 0; i < POPUPSUP; ++i)
        if (pop.slot[i].fenster == steuer) return i;
    return -1;
}

}  // namespace

void PopupAnlegen(int breite)
{
    PopupEntfernen();
    HWND d = wiDlgFenster();
    if (d == 0) return;
    const int w = wiDlgEinheit(3 * breite);
    // "T": a text field (the class reads its kind from the creation text).
    pop.hilfe = CreateWindowEx(0, "ORVASHOW", "T", WS_CHILD | WS_BORDER, 0, 0, w, wiDlgEinheit(8), d, 0,
                               GetModuleHandle(nullptr), nullptr);
    if (pop.hilfe != 0) {
        if (HFONT f = OFSchrift(2)) SendMessage(pop.hilfe, WM_SETFONT, static_cast<WPARAM>(f), 0);
    }
    // Clipped by its siblings: the hint stays readable where the preview
    // has to overlap it.
    pop.grafik = CreateWindowEx(0, "ORVADISP", "Grafik", WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS, 0, 0, w, w, d, 0,
                                GetModuleHandle(nullptr), nullptr);
    pop.aktuell = -1;
    pop.hilfeZu = pop.grafikZu = false;
    pop.aktiv = true;
}

void PopupEntfernen()
{
    if (pop.hilfe != 0) DestroyWindow(pop.hilfe);
    if (pop.grafik != 0) DestroyWindow(pop.grafik);
    pop = PopZustand{};
}

void PopupEintragen(int slot, int id, const char* name, const char* hinweis)
{
    if (slot < 0 || slot >= POPUPSUP || pop.hilfe == 0) return;
    PopSlot& s = pop.slot[slot];
    s.id = id;
    s.fenster = GetDlgItem(GetParent(pop.hilfe), id);
    strkopie(s.name, sizeof s.name, name != nullptr ? name : "", POPUPNAMESUP);
    char t[POPUPHINWEISSUP * 4 + 1];
    const char* quelle = hinweis != nullptr && hinweis[0] != '\0' ? hinweis : (name != nullptr ? name : "");
    strkopie(t, sizeof t, quelle, static_cast<int>(sizeof t) - 1);
    strtrim(t);
    strkopie(s.hinweis, sizeof s.hinweis, t, POPUPHINWEISSUP);
}

void PopupZeigen(HWND steuer)
{
    if (!pop.aktiv) return;
    const int n = popSlotVon(steuer);
    if (n < 0) {
        popAllesVerbergen();
        pop.aktuell = -1;
        return;
    }
    if (n == pop.aktuell) return;
    popAllesVerbergen();
    const PopSlot& s = pop.slot[n];
    if (s.hinweis[0] == '\0' || pop.hilfe == 0) {
        pop.aktuell = -1;
        return;
    }
    SetWindowText(pop.hilfe, s.hinweis);
    HWND d = GetParent(pop.hilfe);
    const RECT r = popRechteck(d, s.fenster);
    RECT h{};
    GetWindowRect(pop.hilfe, &h);
    popPlatzieren(d, pop.hilfe, r.right - (h.right - h.left), r.bottom);
    popZeigen(pop.hilfe, true, &pop.hilfeZu);
    pop.aktuell = n;
}

void PopupMausBewegt(UINT nachricht, WPARAM, LPARAM lp)
{
    if (nachricht != WM_MOUSEMOVE || !pop.hilfeZu || pop.aktuell < 0) return;
    HWND d = GetParent(pop.hilfe);
    POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    ClientToScreen(d, &p);
    if (WindowFromPoint(p) != pop.slot[pop.aktuell].fenster) {
        popAllesVerbergen();
        pop.aktuell = -1;
    }
}

void PopupVerbergen()
{
    popAllesVerbergen();
    pop.aktuell = -1;
}

void PopupName(char* aus, size_t groesse)
{
    strkopie(aus, groesse, pop.aktuell >= 0 ? pop.slot[pop.aktuell].name : "", static_cast<int>(groesse) - 1);
}

HWND PopupFenster() { return pop.aktuell >= 0 ? pop.slot[pop.aktuell].fenster : 0; }

void PopupVorschauUmschalten()
{
    if (pop.grafikZu) {
        popZeigen(pop.grafik, false, &pop.grafikZu);
        return;
    }
    if (pop.aktuell < 0 || pop.grafik == 0) return;
    BtlVorschauFenster(pop.slot[pop.aktuell].name, nullptr, pop.grafik, 1, 1);
    HWND d = GetParent(pop.hilfe);
    const RECT h = popRechteck(d, pop.hilfe);
    popPlatzieren(d, pop.grafik, h.left, h.bottom - 1);
    SetWindowPos(pop.hilfe, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    popZeigen(pop.grafik, true, &pop.grafikZu);
}

void PopupAktivSetzen(int flag)
{
    pop.aktiv = flag != 0;
    if (!pop.aktiv) PopupVerbergen();
}

int PopupHinweisGezeigt() { return pop.hilfeZu ? 1 : 0; }
int PopupVorschauGezeigt() { return pop.grafikZu ? 1 : 0; }
HWND PopupHinweisFenster() { return pop.hilfe; }

HWND VorschauAnlegen(HWND dialog, int id, int ecke, int groesse, int neueId)
{
    VorschauEntfernen();
    HWND steuer = GetDlgItem(dialog, id);
    if (steuer == 0) return 0;
    const RECT r = popRechteck(dialog, steuer);
    const int s = std::min({wiDlgEinheit(groesse), static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)});
    int x = r.left, y = r.top;
    if (ecke == 1) {
        x = r.right - s;
        y = r.bottom - s;
    } else if (ecke == 2) {
        x = r.right - s;
    }
    vscVorschauFenster =
        CreateWindowEx(WS_EX_CLIENTEDGE, "ORVADISP", "Grafik", WS_CHILD | WS_VISIBLE, x, y, s, s, dialog,
                       static_cast<HMENU>(neueId), GetModuleHandle(nullptr), nullptr);
    if (vscVorschauFenster != 0) SetWindowPos(vscVorschauFenster, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return vscVorschauFenster;
}

HWND VorschauFenster() { return vscVorschauFenster; }

void VorschauEntfernen()
{
    if (vscVorschauFenster == 0) return;
    ShowWindow(vscVorschauFenster, SW_HIDE);
    DestroyWindow(vscVorschauFenster);
    vscVorschauFenster = 0;
}

// ---- Lists ---------------------------------------------------------------------------------------------

void ListeSpaltenbreite(int id, int breite) { SendMessage(wiItem(id), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(breite), 0); }

int ItemBreite(int id)
{
    RECT r{};
    GetClientRect(wiItem(id), &r);
    return r.right - r.left;
}

int ListeMessen(int id, int breite, int hoehe, UINT nachricht, int steuer, LPARAM daten)
{
    if (nachricht != WM_MEASUREITEM || steuer != id) return 0;
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(daten);
    mi->itemWidth = static_cast<UINT>(breite);
    mi->itemHeight = static_cast<UINT>(hoehe);
    return 1;
}

int BildListeZeichnen(int id, BildZustandFn zustand, BildBitmapFn bitmap, UINT nachricht, int steuer, LPARAM daten)
{
    if (nachricht != WM_DRAWITEM || steuer != id) return 0;
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(daten);
    if (!(di->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return 1;
    const int n = static_cast<int>(di->itemID);
    const bool gewaehlt = (di->itemState & ODS_SELECTED) != 0;
    int mr = 0, mg = 0, mb = 0;
    ElsMarkFarbe(&mr, &mg, &mb);
    HBRUSH grund = CreateSolidBrush(gewaehlt ? RGB(mr, mg, mb) : GetSysColor(COLOR_WINDOW));
    FillRect(di->hDC, &di->rcItem, grund);
    DeleteObject(grund);
    if (n < 0) return 1;
    if (zustand != nullptr && !gewaehlt) {
        static const COLORREF farben[4] = {RGB(82, 130, 251), RGB(0, 188, 237), RGB(255, 32, 128), RGB(192, 192, 192)};
        int k = 3;
        for (int z = 0; z < 3; ++z)
            if (zustand(n, z)) {
                k = z;
                break;
            }
        HPEN stift = CreatePen(PS_SOLID, 1, farben[k]);
        HGDIOBJ altStift = SelectObject(di->hDC, stift);
        HGDIOBJ altPinsel = SelectObject(di->hDC, GetStockObject(NULL_BRUSH));
        Rectangle(di->hDC, di->rcItem.left + 2, di->rcItem.top + 2, di->rcItem.right - 2, di->rcItem.bottom - 2);
        SelectObject(di->hDC, altPinsel);
        SelectObject(di->hDC, altStift);
        DeleteObject(stift);
    }
    char text[256] = "";
    if (SendMessage(di->hwndItem, LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) < static_cast<LRESULT>(sizeof text))
        SendMessage(di->hwndItem, LB_GETTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(text));
    HGDIOBJ altSchrift = 0;
    if (HFONT f = OFSchrift(2)) altSchrift = SelectObject(di->hDC, f);
    SetBkMode(di->hDC, TRANSPARENT);
    SetTextColor(di->hDC, GetSysColor(COLOR_WINDOWTEXT));
    RECT t = di->rcItem;
    t.top += wiDlgEinheit(2);
    DrawText(di->hDC, text, -1, &t, DT_CENTER | DT_TOP | DT_SINGLELINE);
    if (altSchrift != 0) SelectObject(di->hDC, altSchrift);
    if (di->itemState & ODS_FOCUS) DrawFocusRect(di->hDC, &di->rcItem);
    HBITMAP bild = bitmap != nullptr ? bitmap(n) : 0;
    if (bild != 0) {
        BITMAP bm{};
        GetObject(bild, sizeof bm, &bm);
        HDC quelle = CreateCompatibleDC(di->hDC);
        HGDIOBJ alt = SelectObject(quelle, bild);
        BitBlt(di->hDC, di->rcItem.left + wiDlgEinheit(2), di->rcItem.top + wiDlgEinheit(9), bm.bmWidth, bm.bmHeight,
               quelle, 0, 0, SRCCOPY);
        SelectObject(quelle, alt);
        DeleteDC(quelle);
    }
    return 1;
}
