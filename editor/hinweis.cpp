// The hint window "Hilfe"; see hinweis.h.
#include "editor/hinweis.h"

#include "config/apstil.h"
#include "controls/ctlkern.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/winbib.h"

namespace {

constexpr UINT_PTR HW_TIMER = 1;
constexpr size_t HW_TEXTSUP = 80;

struct HwZustand {
    HWND fenster = 0;
    int zeigt = 0;
    int uhr = 0;
    int art = -1;
    int index = -1;
};
HwZustand hw;
HinweisQuelle hwQuelle;

int hwLeiste(HWND f) { return hwQuelle.leisteIndex ? hwQuelle.leisteIndex(f) : -1; }
int hwStatus(HWND f) { return hwQuelle.statusfeldIndex ? hwQuelle.statusfeldIndex(f) : -1; }

void hwUhr(HWND seite, UINT ms)
{
    SetTimer(seite, HW_TIMER, ms, nullptr);
    hw.uhr = 1;
}

void hwUhrAus(HWND seite)
{
    if (hw.uhr) KillTimer(seite, HW_TIMER);
    hw.uhr = 0;
}

void hwVerbergen()
{
    if (hw.fenster != 0) DestroyWindow(hw.fenster);
    hw.fenster = 0;
    hw.zeigt = 0;
}

// Shows the hint of the current bar entry. A status field, or an entry
// without a label, has none: a hint of the item before goes.
void hwZeigen(HWND seite)
{
    RECT r;
    char text[HW_TEXTSUP + 1] = "";
    int leiste = 0;
    if (hw.art != 0 || !hwQuelle.leisteTip || hwQuelle.leisteTip(hw.index, &r, text, sizeof text, &leiste) != 0) {
        hwVerbergen();
        return;
    }
    const int mitText = hwQuelle.leisteMitText ? hwQuelle.leisteMitText(leiste) : 0;
    if (leiste == 1 && !mitText) HinweisText(seite, 1, text, r.left, r.right, r.top, HINWEIS_RECHTS);
    else if (leiste != 1 && mitText) HinweisText(seite, 1, text, r.left, r.right, r.top, HINWEIS_OBEN);
    else HinweisText(seite, 1, text, r.left, r.right, r.bottom, HINWEIS_UNTEN);
}

}  // namespace

void HinweisQuelleSetzen(const HinweisQuelle& q) { hwQuelle = q; }
HWND HinweisFenster() { return hw.zeigt ? hw.fenster : 0; }
int HinweisArt() { return hw.art; }

void HinweisText(HWND seite, int zeigen, const char* text, int x, int rechts, int y, int platz)
{
    if (!zeigen) {
        hwVerbergen();
        return;
    }
    const int b = wiDlgEinheit(HINWEISBREITE), h = wiDlgEinheit(HINWEISHOEHE), a = wiDlgEinheit(HINWEISABSTAND);
    int links = x, oben = y + a;
    if (platz == HINWEIS_RECHTS) {
        links = rechts + a;
        oben = y;
    } else if (platz == HINWEIS_OBEN) {
        oben = y - h - a;
    }
    if (platz != HINWEIS_RECHTS && seite != 0) {
        // Right of the page's centre the hint ends at the item's right edge.
        RECT c;
        GetClientRect(seite, &c);
        POINT p0 = {c.left, 0}, p1 = {c.right, 0};
        ClientToScreen(seite, &p0);
        ClientToScreen(seite, &p1);
        if (x + rechts > p0.x + p1.x) links = rechts - b;
    }
    if (hw.fenster == 0) {
        hw.fenster = CreateWindowEx(0, CTLSHOWKLASSE, "Hilfe", WS_POPUP | WS_BORDER, links, oben, b, h, seite, 0, 0,
                                    nullptr);
        if (hw.fenster == 0) return;
        SendMessage(hw.fenster, WM_SETFONT, static_cast<WPARAM>(OFSchrift(2)), 0);
    }
    SetWindowText(hw.fenster, text != nullptr ? text : "");
    SetWindowPos(hw.fenster, 0, links, oben, b, h, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hw.fenster, SW_SHOWNOACTIVATE);
    hw.zeigt = 1;
}

void HinweisAus()
{
    if (hw.uhr && hw.fenster != 0) KillTimer(GetParent(hw.fenster), HW_TIMER);
    hw.uhr = 0;
    hwVerbergen();
    hw.art = -1;
    hw.index = -1;
}

void HinweisNachricht(HWND seite, UINT nachricht, WPARAM wp, LPARAM)
{
    switch (nachricht) {
    case WM_SETCURSOR: {
        HWND f = static_cast<HWND>(wp);
        int art = -1, index = hwLeiste(f);
        if (index >= 0) art = 0;
        else if ((index = hwStatus(f)) >= 0) art = 1;
        if (art < 0) {
            if (hw.art >= 0 && hw.zeigt) hwUhr(seite, HINWEISWEG);
            hw.art = -1;
            hw.index = -1;
            return;
        }
        if (art == hw.art && index == hw.index) return;
        hw.art = art;
        hw.index = index;
        if (hw.zeigt) {
            hwUhrAus(seite);
            hwZeigen(seite);
        } else {
            hwUhr(seite, HINWEISWARTEN);
        }
        return;
    }
    case WM_COMMAND:
        hw.art = -1;
        hw.index = -1;
        if (hw.zeigt) hwUhr(seite, HINWEISWEG);
        return;
    case WM_TIMER:
        if (wp != HW_TIMER) return;
        hwUhrAus(seite);
        if (hw.art == 0) hwZeigen(seite);
        else if (hw.art == -1) hwVerbergen();
        return;
    case WM_ACTIVATE:
        if (LOWORD(wp) == 0 && hw.art != 0) {
            hw.art = -1;
            hw.index = -1;
            hwUhrAus(seite);
            hwVerbergen();
        }
        return;
    default:
        return;
    }
}
