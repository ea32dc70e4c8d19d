// Drag buttons and dragging onto the drawing; see ziehknopf.h.
#include "editor/ziehknopf.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/knopf.h"
#include "editor/kontext.h"
#include "model/befehl.h"
#include "model/beffifo.h"
#include "output/ansicht.h"
#include "output/gdi.h"
#include "platform/bildlader.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dialog.h"

namespace {

constexpr int ZK_TFA = 50;
constexpr int ZK_TXT = 59;
constexpr int ZK_ZB = 80;
constexpr int ZK_NAMESUP = 200;

struct ZkSlot {
    HWND eltern = 0;  // 0: free (invariant 1)
    int id = 0;
    int befehl = 0;
    HWND fenster = 0;
    WNDPROC alt = nullptr;
    bool gedrueckt = false;
    bool gefangen = false;
    int phase = 0;
    POINT druck{0, 0};
    POINT letzt{0, 0};
};
ZkSlot zkSlots[ZIEHKNOPFSUP];

struct ZkZiehen {
    int art = 0;
    std::string name;
    BEF bef{};
    bool ueber = false;  // invariant 2
};
ZkZiehen zz;

ZkSlot* zkSlotVon(HWND fenster)
{
    for (ZkSlot& s : zkSlots)
        if (s.eltern && s.fenster == fenster) return &s;
    return nullptr;
}

POINT zkPunkt(LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

void zkMelden(const ZkSlot& s, int code)
{
    PostMessage(s.eltern, WM_COMMAND, static_cast<WPARAM>(s.befehl), static_cast<LPARAM>(code));
}

LRESULT CALLBACK ZiehKnopfProc(HWND fenster, UINT nachricht, WPARAM wp, LPARAM lp)
{
    ZkSlot* s = zkSlotVon(fenster);
    if (!s) return DefWindowProc(fenster, nachricht, wp, lp);
    WNDPROC alt = s->alt;
    switch (nachricht) {
    case WM_LBUTTONDOWN:
        s->gedrueckt = true;
        s->phase = 1;
        s->druck = s->letzt = zkPunkt(lp);
        break;
    case WM_MOUSEMOVE:
        if (!s->gedrueckt) break;
        s->letzt = zkPunkt(lp);
        if (s->phase == 1 &&
            (std::abs(s->letzt.x - s->druck.x) >= ZIEHSCHWELLE || std::abs(s->letzt.y - s->druck.y) >= ZIEHSCHWELLE)) {
            if (!s->gefangen) {
                SetCapture(fenster);
                s->gefangen = true;
            }
            s->phase = 2;
            zkMelden(*s, 1);
        }
        zkMelden(*s, 2);
        return 0;
    case WM_LBUTTONUP:
        s->gedrueckt = false;
        if (s->gefangen) {
            ReleaseCapture();
            s->gefangen = false;
        }
        s->letzt = zkPunkt(lp);
        s->phase = 0;
        zkMelden(*s, 3);
        break;
    default: break;
    }
    return CallWindowProc(alt, fenster, nachricht, wp, lp);
}

// The dragged element of a drawing command: the code of its mnemonic, the
// text "Text" for a text code.
BEF zkElement(int art, const std::string& name)
{
    BEF b{};
    std::memset(&b, 0, sizeof b);
    if (art == 1) {
        std::string w = name.substr(0, name.find(' '));
        for (char& c : w) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
        const int code = BefCode(w.c_str());
        b.code = static_cast<uint8_t>(code > 0 ? code : 0);
        if (BefIstText(b.code)) BefTextSetzen(&b, "Text");
    } else {
        b.code = ZK_ZB;
        BefTextSetzen(&b, name.c_str());
    }
    return b;
}

void zkCursor(LPCSTR art) { SetCursor(LoadCursor(0, art)); }

}  // namespace

// ---- drag buttons -------------------------------------------------------------------------

void ZiehKnopfAnmelden(HWND eltern, int id, int befehl)
{
    HWND fenster = GetDlgItem(eltern, id);
    if (!eltern || !fenster || zkSlotVon(fenster)) return;
    for (ZkSlot& s : zkSlots) {
        if (s.eltern && IsWindow(s.fenster)) continue;  // a dead button's slot is free
        s = ZkSlot{};
        s.eltern = eltern;
        s.id = id;
        s.befehl = befehl;
        s.fenster = fenster;
        s.alt = reinterpret_cast<WNDPROC>(SetWindowLongPtr(fenster, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ZiehKnopfProc)));
        return;
    }
    // All taken: the button works as a plain button.
}

void ZiehKnopfAbmelden(int id)
{
    HWND dlg = wiDlgFenster();
    for (ZkSlot& s : zkSlots) {
        if (!s.eltern || s.id != id || (dlg && s.eltern != dlg)) continue;
        if (IsWindow(s.fenster) && s.alt) SetWindowLongPtr(s.fenster, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s.alt));
        s = ZkSlot{};
    }
}

POINT ZiehKnopfPos(int id)
{
    HWND dlg = wiDlgFenster();
    for (const ZkSlot& s : zkSlots)
        if (s.eltern && s.id == id && (s.eltern == dlg || !dlg)) return s.letzt;
    return POINT{0, 0};
}

int ZiehKnopfAnzahl()
{
    int n = 0;
    for (const ZkSlot& s : zkSlots) n += s.eltern != 0 && IsWindow(s.fenster);
    return n;
}

void ZiehIdSenden(HWND fenster, int n)
{
    if (!fenster) return;
    char t[24];
    std::snprintf(t, sizeof t, "%cD %d", 27, n);
    SetWindowText(fenster, t);
}

void ZiehIdSetzen(int id, int n) { ZiehIdSenden(GetDlgItem(wiDlgFenster(), id), n); }

// ---- dragging onto the drawing ----------------------------------------------------------------

void ZiehenAnfang(int art, const char* name)
{
    zz = ZkZiehen{};
    zz.name = name != nullptr ? std::string(name).substr(0, ZK_NAMESUP) : "";
    if (zz.name.empty() || art < 1 || art > 3) return;
    zz.art = art;
    zz.bef = zkElement(art, zz.name);
    zkCursor(IDC_NO);
}

void ZiehenUeberFenster(HWND fenster, int x, int y)
{
    if (zz.art == 0) return;
    HWND zeichnung = AnsichtFenster();
    POINT p{x, y};
    ClientToScreen(fenster, &p);
    bool drin = false;
    double wx = 0, wy = 0;
    if (zeichnung && WindowFromPoint(p) == zeichnung) {
        ScreenToClient(zeichnung, &p);
        RECT r;
        GetClientRect(zeichnung, &r);
        if (p.x >= 0 && p.y >= 0 && p.x < r.right && p.y < r.bottom) {
            drin = true;
            wx = PixelZuWeltX(p.x);
            wy = PixelZuWeltY(p.y);
            PunktRasten(&wx, &wy, 0, 0);
        }
    }
    if (drin) {
        if (!zz.ueber) {
            BEF b = zz.bef;
            if (b.code == ZK_TXT) {
                std::memset(&b, 0, sizeof b);
                b.code = ZK_TFA;
                BefTextSetzen(&b, "Text");
            }
            if (b.code != 0 && !BaubfAktiv()) {
                BaubfStartenBei(b.code, wx, wy);
                BaubfSetzen(&b);
                if (BaubfGriffAnzahl(b.code) > 1) BaubfSchritt(1);
            }
        }
        BewegenNach(wx, wy);
        zkCursor(IDC_CROSS);
        zz.ueber = true;
        return;
    }
    if (zz.ueber) BaubfAbbrechen();
    zkCursor(IDC_NO);
    zz.ueber = false;
}

void ZiehenUeber(int id, int x, int y) { ZiehenUeberFenster(GetDlgItem(wiDlgFenster(), id), x, y); }

void ZiehenDispStop(int id)
{
    HWND d = GetDlgItem(wiDlgFenster(), id);
    if (!d) return;
    SetWindowText(d, "GET DRAGSTOP");
    char t[60] = "";
    GetWindowText(d, t, sizeof t);
    int x = 0, y = 0;
    if (std::sscanf(t, "%d %d", &x, &y) == 2) ZiehenUeberFenster(d, x, y);
}

int ZiehenEnde()
{
    if (zz.art == 0) return 0;
    zkCursor(IDC_ARROW);
    const bool ueber = zz.ueber;
    const ZkZiehen z = zz;
    zz = ZkZiehen{};
    if (!ueber) return 0;
    if (z.art == 1 && BefIstText(z.bef.code)) {
        BEF b = z.bef;
        BaubfSetzen(&b);
        BefTextSetzen(&b, "_#_");
        BefEinreihen(&b);
    } else if (z.art == 1) {
        if (z.bef.code == ZK_TXT) BaubfAbbrechen();
        else BaubfFertig();
        BefehlsTextAusfuehren(z.name.c_str());
    } else if (z.art == 2) {
        BaubfFertig();
    } else {
        BaubfAbbrechen();
    }
    return 1;
}

int ZiehenAktiv() { return zz.ueber ? 1 : 0; }
