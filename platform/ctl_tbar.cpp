// The tool bar control of the layer. Prefix `plTbar` (file helpers `tb`).
// State per window in a table, dropped at WM_NCDESTROY; the bitmaps added
// stay the caller's (the control only draws from them).
#include "platform/ctl_tbar.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/ctl_status.h"
#include "platform/ctl_tooltip.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

struct TbStreifen {
    HBITMAP bitmap;
    int erstes;  // index of its first image
    int anzahl;
};

struct TbZustand {
    std::vector<TBBUTTON> knoepfe;
    std::vector<TbStreifen> streifen;
    int bilder = 0;
    int knopfB = 24, knopfH = 22;
    int bildB = 16, bildH = 15;
    int strings = 0;
    int gedrueckt = -1;  // index of the button held down
    HWND tipp = 0;
};

std::map<HWND, TbZustand> tbTabelle;

TbZustand* tbVon(HWND h)
{
    auto it = tbTabelle.find(h);
    return it == tbTabelle.end() ? nullptr : &it->second;
}

RECT tbRechteck(const TbZustand& z, int index)
{
    int x = 0;
    for (int i = 0; i < index; ++i) {
        const TBBUTTON& b = z.knoepfe[static_cast<size_t>(i)];
        if (b.fsState & TBSTATE_HIDDEN) continue;
        x += (b.fsStyle & TBSTYLE_SEP) ? PL_TBAR_LUECKE : z.knopfB;
    }
    const TBBUTTON& b = z.knoepfe[static_cast<size_t>(index)];
    int w = (b.fsState & TBSTATE_HIDDEN) ? 0 : (b.fsStyle & TBSTYLE_SEP) ? PL_TBAR_LUECKE : z.knopfB;
    return RECT{x, PL_TBAR_RAND, x + w, PL_TBAR_RAND + z.knopfH};
}

int tbIndex(const TbZustand& z, int id)
{
    for (size_t i = 0; i < z.knoepfe.size(); ++i)
        if (!(z.knoepfe[i].fsStyle & TBSTYLE_SEP) && z.knoepfe[i].idCommand == id) return static_cast<int>(i);
    return -1;
}

int tbTreffer(const TbZustand& z, POINT p)
{
    for (size_t i = 0; i < z.knoepfe.size(); ++i) {
        RECT r = tbRechteck(z, static_cast<int>(i));
        if (!(z.knoepfe[i].fsStyle & TBSTYLE_SEP) && PtInRect(&r, p)) return static_cast<int>(i);
    }
    return -1;
}

// The tooltip tools follow the buttons: one rectangle tool per button.
void tbTippsNeu(HWND h, TbZustand& z)
{
    if (!z.tipp) return;
    for (size_t i = 0; i < z.knoepfe.size(); ++i) {
        const TBBUTTON& b = z.knoepfe[i];
        if (b.fsStyle & TBSTYLE_SEP) continue;
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = h;
        ti.uId = static_cast<UINT_PTR>(b.idCommand);
        SendMessage(z.tipp, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
        ti.uFlags = TTF_SUBCLASS;
        ti.rect = tbRechteck(z, static_cast<int>(i));
        ti.lpszText = LPSTR_TEXTCALLBACK;
        SendMessage(z.tipp, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void tbPlatzieren(HWND h, TbZustand& z)
{
    HWND p = GetParent(h);
    int hoehe = z.knopfH + 2 * PL_TBAR_RAND;
    if (p && !(GetWindowLong(h, GWL_STYLE) & CCS_NOPARENTALIGN)) {
        RECT k{};
        GetClientRect(p, &k);
        MoveWindow(h, 0, 0, k.right, hoehe, TRUE);
    } else {
        SetWindowPos(h, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    tbTippsNeu(h, z);
    InvalidateRect(h, nullptr, TRUE);
}

void tbBild(HDC dc, const TbZustand& z, int bild, const RECT& r, bool frei)
{
    for (const TbStreifen& s : z.streifen) {
        if (bild < s.erstes || bild >= s.erstes + s.anzahl) continue;
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ alt = SelectObject(mem, s.bitmap);
        int x = r.left + (r.right - r.left - z.bildB) / 2, y = r.top + (r.bottom - r.top - z.bildH) / 2;
        BitBlt(dc, x, y, z.bildB, z.bildH, mem, (bild - s.erstes) * z.bildB, 0, frei ? SRCCOPY : MERGEPAINT);
        SelectObject(mem, alt);
        DeleteDC(mem);
        return;
    }
}

void tbMalen(HWND h, TbZustand& z)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT k{};
    GetClientRect(h, &k);
    plStilFlaeche(dc, &k, COLOR_BTNFACE);
    for (size_t i = 0; i < z.knoepfe.size(); ++i) {
        const TBBUTTON& b = z.knoepfe[i];
        if (b.fsState & TBSTATE_HIDDEN) continue;
        RECT r = tbRechteck(z, static_cast<int>(i));
        if (b.fsStyle & TBSTYLE_SEP) continue;
        bool unten = (b.fsState & (TBSTATE_CHECKED | TBSTATE_PRESSED)) != 0;
        if (unten) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        tbBild(dc, z, b.iBitmap, r, (b.fsState & TBSTATE_ENABLED) != 0);
    }
    EndPaint(h, &ps);
}

LRESULT CALLBACK tbProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    TbZustand* z = tbVon(h);
    switch (msg) {
    case WM_CREATE: {
        TbZustand& neu = tbTabelle[h];
        if (GetWindowLong(h, GWL_STYLE) & TBSTYLE_TOOLTIPS) {
            plTippKlasseRegistrieren();
            neu.tipp = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, h,
                                      0, 0, nullptr);
        }
        return 0;
    }
    case WM_NCDESTROY:
        if (z && z->tipp && IsWindow(z->tipp)) DestroyWindow(z->tipp);
        tbTabelle.erase(h);
        return DefWindowProc(h, msg, wp, lp);
    case WM_PAINT:
        if (z) tbMalen(h, *z);
        else ValidateRect(h, nullptr);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NOTIFY: {
        // The tooltip asks for texts: the parent answers, as for the bar.
        const NMHDR* n = reinterpret_cast<const NMHDR*>(lp);
        if (z && n && n->hwndFrom == z->tipp) return SendMessage(GetParent(h), WM_NOTIFY, wp, lp);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        if (!z) return 0;
        int i = tbTreffer(*z, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        if (i < 0 || !(z->knoepfe[static_cast<size_t>(i)].fsState & TBSTATE_ENABLED)) return 0;
        z->gedrueckt = i;
        z->knoepfe[static_cast<size_t>(i)].fsState |= TBSTATE_PRESSED;
        SetCapture(h);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case WM_LBUTTONUP: {
        if (!z || z->gedrueckt < 0) return 0;
        size_t i = static_cast<size_t>(z->gedrueckt);
        z->gedrueckt = -1;
        z->knoepfe[i].fsState &= static_cast<BYTE>(~TBSTATE_PRESSED);
        if (GetCapture() == h) ReleaseCapture();
        InvalidateRect(h, nullptr, FALSE);
        RECT r = tbRechteck(*z, static_cast<int>(i));
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (PtInRect(&r, p)) {
            int id = z->knoepfe[i].idCommand;
            if (z->knoepfe[i].fsStyle & TBSTYLE_CHECK) z->knoepfe[i].fsState ^= TBSTATE_CHECKED;
            PostMessage(GetParent(h), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), static_cast<LPARAM>(h));
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (z && z->gedrueckt >= 0) {
            z->knoepfe[static_cast<size_t>(z->gedrueckt)].fsState &= static_cast<BYTE>(~TBSTATE_PRESSED);
            z->gedrueckt = -1;
            InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    case TB_BUTTONSTRUCTSIZE:
        return 0;
    case TB_SETBUTTONSIZE:
        if (!z) return FALSE;
        z->knopfB = std::max(1, static_cast<int>(LOWORD(lp)));
        z->knopfH = std::max(1, static_cast<int>(HIWORD(lp)));
        return TRUE;
    case TB_SETBITMAPSIZE:
        if (!z) return FALSE;
        z->bildB = std::max(1, static_cast<int>(LOWORD(lp)));
        z->bildH = std::max(1, static_cast<int>(HIWORD(lp)));
        return TRUE;
    case TB_ADDBITMAP: {
        const auto* ab = reinterpret_cast<const TBADDBITMAP*>(lp);
        if (!z || !ab || ab->hInst != 0) return -1;
        HBITMAP b = static_cast<HBITMAP>(ab->nID);
        BITMAP bm{};
        if (!GetObject(b, sizeof bm, &bm)) return -1;
        int n = static_cast<int>(wp) > 0 ? static_cast<int>(wp) : std::max(1, bm.bmWidth / z->bildB);
        z->streifen.push_back(TbStreifen{b, z->bilder, n});
        z->bilder += n;
        return z->bilder - n;
    }
    case TB_ADDSTRING:
        return z ? z->strings++ : -1;
    case TB_ADDBUTTONS: {
        const auto* b = reinterpret_cast<const TBBUTTON*>(lp);
        if (!z || !b || z->knoepfe.size() + wp > PL_TBAR_KNOPFSUP) return FALSE;
        z->knoepfe.insert(z->knoepfe.end(), b, b + wp);
        tbTippsNeu(h, *z);
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    }
    case TB_DELETEBUTTON:
        if (!z || wp >= z->knoepfe.size()) return FALSE;
        z->knoepfe.erase(z->knoepfe.begin() + static_cast<long>(wp));
        tbTippsNeu(h, *z);
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    case TB_BUTTONCOUNT:
        return z ? static_cast<LRESULT>(z->knoepfe.size()) : 0;
    case TB_GETBUTTON:
        if (!z || wp >= z->knoepfe.size() || !lp) return FALSE;
        *reinterpret_cast<TBBUTTON*>(lp) = z->knoepfe[wp];
        return TRUE;
    case TB_COMMANDTOINDEX:
        return z ? tbIndex(*z, static_cast<int>(wp)) : -1;
    case TB_GETITEMRECT:
        if (!z || wp >= z->knoepfe.size() || !lp) return FALSE;
        *reinterpret_cast<RECT*>(lp) = tbRechteck(*z, static_cast<int>(wp));
        return TRUE;
    case TB_ENABLEBUTTON:
    case TB_CHECKBUTTON: {
        int i = z ? tbIndex(*z, static_cast<int>(wp)) : -1;
        if (i < 0) return FALSE;
        BYTE bit = msg == TB_ENABLEBUTTON ? TBSTATE_ENABLED : TBSTATE_CHECKED;
        BYTE& s = z->knoepfe[static_cast<size_t>(i)].fsState;
        s = LOWORD(lp) ? static_cast<BYTE>(s | bit) : static_cast<BYTE>(s & ~bit);
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    }
    case TB_ISBUTTONENABLED:
    case TB_ISBUTTONCHECKED: {
        int i = z ? tbIndex(*z, static_cast<int>(wp)) : -1;
        if (i < 0) return 0;
        BYTE bit = msg == TB_ISBUTTONENABLED ? TBSTATE_ENABLED : TBSTATE_CHECKED;
        return (z->knoepfe[static_cast<size_t>(i)].fsState & bit) ? TRUE : FALSE;
    }
    case TB_AUTOSIZE:
        if (z) tbPlatzieren(h, *z);
        return 0;
    case TB_GETTOOLTIPS:
        return z ? static_cast<LRESULT>(z->tipp) : 0;
    default:
        return DefWindowProc(h, msg, wp, lp);
    }
}

}  // namespace

void plTbarKlasseRegistrieren() { plKlasseSichern(TOOLBARCLASSNAME, tbProc, 0, 0); }
