// The tooltip control; see ctl_tooltip.h. Prefix `tipp` for file helpers.
// Tools live in a table keyed by the tooltip window; windows watched by
// subclassing in a second table with their old procedures, which are put
// back when the last tool of a window goes or a window dies.
#include "platform/ctl_tooltip.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "platform/klasseint.h"

namespace {

constexpr UINT_PTR TIPP_ANFANG_TIMER = 1;
constexpr UINT_PTR TIPP_DAUER_TIMER = 2;
constexpr UINT_PTR TIPP_PRUEF_TIMER = 3;  // while a tip is up: is the mouse still on its tool?
constexpr UINT TIPP_PRUEF_MS = 100;

struct TippWerkzeug {
    UINT flags = 0;
    HWND hwnd = 0;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE hinst = 0;
    bool rueckruf = false;
    bool nummer = false;  // the text is MAKEINTRESOURCE of a string id
    std::string text;
    LPARAM lParam = 0;
};

struct TippZustand {
    std::vector<TippWerkzeug> werkzeuge;
    bool aktiv = true;
    UINT anfang = PL_TIPP_ANFANG;
    UINT dauer = PL_TIPP_DAUER;
    int gezeigt = -1;    // index of the tool whose tip is up
    int kandidat = -1;   // index of the tool the mouse rests on
    int maxBreite = -1;
    HFONT schrift = 0;
};

struct TippUnterklasse {
    WNDPROC alt = nullptr;
    std::vector<HWND> tipps;
};

std::map<HWND, TippZustand> tippTabelle;
std::map<HWND, TippUnterklasse> tippUnter;

TippZustand* tippVon(HWND h)
{
    auto it = tippTabelle.find(h);
    return it == tippTabelle.end() ? nullptr : &it->second;
}

HWND tippZiel(const TippWerkzeug& w)
{
    return (w.flags & TTF_IDISHWND) ? static_cast<HWND>(w.id) : w.hwnd;
}

int tippFinden(const TippZustand* z, const TOOLINFO* ti)
{
    if (!z || !ti) return -1;
    for (size_t i = 0; i < z->werkzeuge.size(); ++i) {
        const TippWerkzeug& w = z->werkzeuge[i];
        if (w.id == ti->uId && ((ti->uFlags & TTF_IDISHWND) || w.hwnd == ti->hwnd)) return static_cast<int>(i);
    }
    return -1;
}

void tippTextSetzen(TippWerkzeug& w, const TOOLINFO* ti)
{
    w.rueckruf = ti->lpszText == LPSTR_TEXTCALLBACK;
    w.nummer = !w.rueckruf && ti->lpszText && IS_INTRESOURCE(ti->lpszText);
    w.text.clear();
    if (w.nummer)
        w.text = std::to_string(reinterpret_cast<uintptr_t>(ti->lpszText));
    else if (!w.rueckruf && ti->lpszText)
        w.text = ti->lpszText;
}

LRESULT CALLBACK tippUnterProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

void tippUnterAnmelden(HWND tipp, HWND ziel)
{
    if (!IsWindow(ziel)) return;
    auto it = tippUnter.find(ziel);
    if (it == tippUnter.end()) {
        TippUnterklasse u;
        u.alt = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(ziel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(tippUnterProc)));
        it = tippUnter.emplace(ziel, u).first;
    }
    if (std::find(it->second.tipps.begin(), it->second.tipps.end(), tipp) == it->second.tipps.end())
        it->second.tipps.push_back(tipp);
}

// Puts the old procedure back when no tooltip watches the window any more.
void tippUnterAbmelden(HWND tipp, HWND ziel)
{
    auto it = tippUnter.find(ziel);
    if (it == tippUnter.end()) return;
    TippZustand* z = tippVon(tipp);
    if (z)
        for (const TippWerkzeug& w : z->werkzeuge)
            if ((w.flags & TTF_SUBCLASS) && tippZiel(w) == ziel) return;  // still watched for another tool
    auto& v = it->second.tipps;
    v.erase(std::remove(v.begin(), v.end(), tipp), v.end());
    if (!v.empty()) return;
    if (IsWindow(ziel) && GetWindowLongPtr(ziel, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(tippUnterProc))
        SetWindowLongPtr(ziel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.alt));
    tippUnter.erase(it);
}

void tippMelden(HWND tipp, const TippWerkzeug& w, UINT code)
{
    NMHDR n{tipp, w.id, code};
    if (IsWindow(w.hwnd)) SendMessage(w.hwnd, WM_NOTIFY, w.id, reinterpret_cast<LPARAM>(&n));
}

void tippVerstecken(HWND tipp)
{
    TippZustand* z = tippVon(tipp);
    if (!z || z->gezeigt < 0) return;
    TippWerkzeug w = z->werkzeuge[static_cast<size_t>(z->gezeigt)];
    z->gezeigt = -1;
    KillTimer(tipp, TIPP_DAUER_TIMER);
    KillTimer(tipp, TIPP_PRUEF_TIMER);
    ShowWindow(tipp, SW_HIDE);
    tippMelden(tipp, w, TTN_POP);
}

// The text of a tool, asked from its window when it has none of its own.
std::string tippText(HWND tipp, const TippWerkzeug& w)
{
    if (w.nummer) {
        char t[256];
        LoadString(w.hinst, static_cast<UINT>(std::stoul(w.text)), t, sizeof t);
        return t;
    }
    if (!w.rueckruf) return w.text;
    NMTTDISPINFO di{};
    di.hdr = NMHDR{tipp, w.id, TTN_GETDISPINFO};
    di.hinst = w.hinst;
    di.uFlags = w.flags;
    di.lParam = w.lParam;
    if (IsWindow(w.hwnd)) SendMessage(w.hwnd, WM_NOTIFY, w.id, reinterpret_cast<LPARAM>(&di));
    di.szText[sizeof di.szText - 1] = '\0';
    if (di.lpszText && di.lpszText != LPSTR_TEXTCALLBACK) {
        if (IS_INTRESOURCE(di.lpszText)) {
            char t[256];
            LoadString(di.hinst, static_cast<UINT>(reinterpret_cast<uintptr_t>(di.lpszText)), t, sizeof t);
            return t;
        }
        return di.lpszText;
    }
    return di.szText;
}

void tippZeigen(HWND tipp, int index)
{
    TippZustand* z = tippVon(tipp);
    if (!z || index < 0 || index >= static_cast<int>(z->werkzeuge.size())) return;
    std::string text = tippText(tipp, z->werkzeuge[static_cast<size_t>(index)]);
    if (!(z = tippVon(tipp)) || text.empty()) return;
    HDC dc = GetDC(tipp);
    HGDIOBJ alt = SelectObject(dc, z->schrift ? z->schrift : plDialogSystemSchrift());
    RECT m{0, 0, z->maxBreite > 0 ? z->maxBreite : 4000, 0};
    UINT f = DT_CALCRECT | DT_NOPREFIX | (z->maxBreite > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &m, f);
    SelectObject(dc, alt);
    ReleaseDC(tipp, dc);
    int b = m.right - m.left + 8, h = m.bottom - m.top + 4;
    POINT p;
    GetCursorPos(&p);
    p.y += 20;
    p.x = std::min(p.x, static_cast<LONG>(GetSystemMetrics(SM_CXSCREEN) - b));
    if (p.y + h > GetSystemMetrics(SM_CYSCREEN)) p.y -= 20 + h + 4;
    SetWindowText(tipp, text.c_str());
    z->gezeigt = index;
    SetWindowPos(tipp, HWND_TOPMOST, p.x, p.y, b, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(tipp, nullptr, TRUE);
    if (!(z = tippVon(tipp))) return;
    tippMelden(tipp, z->werkzeuge[static_cast<size_t>(index)], TTN_SHOW);
    SetTimer(tipp, TIPP_DAUER_TIMER, z->dauer, nullptr);
    SetTimer(tipp, TIPP_PRUEF_TIMER, TIPP_PRUEF_MS, nullptr);
}

// Whether the mouse is still on a tool: a subclassed control does not see
// the mouse leave it, so the tip looks for itself.
bool tippNochDarauf(const TippWerkzeug& w)
{
    POINT p;
    GetCursorPos(&p);
    HWND unter = WindowFromPoint(p);
    if (w.flags & TTF_IDISHWND) {
        HWND ziel = static_cast<HWND>(w.id);
        return unter == ziel || IsChild(ziel, unter);
    }
    if (unter != w.hwnd) return false;
    ScreenToClient(w.hwnd, &p);
    return PtInRect(&w.rect, p) != 0;
}

// The tool under the mouse of a mouse message, -1 for none.
int tippTreffer(const TippZustand* z, const MSG* m)
{
    POINT c{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)};
    for (size_t i = 0; i < z->werkzeuge.size(); ++i) {
        const TippWerkzeug& w = z->werkzeuge[i];
        if (w.flags & TTF_IDISHWND) {
            HWND ziel = static_cast<HWND>(w.id);
            if (m->hwnd == ziel || IsChild(ziel, m->hwnd)) return static_cast<int>(i);
        } else if (m->hwnd == w.hwnd && PtInRect(&w.rect, c)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void tippMaus(HWND tipp, const MSG* m)
{
    TippZustand* z = tippVon(tipp);
    if (!z || !m) return;
    switch (m->message) {
    case WM_MOUSEMOVE: {
        int t = tippTreffer(z, m);
        if (t >= 0 && t == z->gezeigt) return;
        if (z->gezeigt >= 0) tippVerstecken(tipp);
        if (!(z = tippVon(tipp))) return;
        if (t != z->kandidat || t < 0) KillTimer(tipp, TIPP_ANFANG_TIMER);
        z->kandidat = t;
        if (t >= 0 && z->aktiv) SetTimer(tipp, TIPP_ANFANG_TIMER, z->anfang, nullptr);
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        KillTimer(tipp, TIPP_ANFANG_TIMER);
        z->kandidat = -1;
        tippVerstecken(tipp);
        return;
    default: return;
    }
}

bool tippIstMaus(UINT msg)
{
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
}

LRESULT CALLBACK tippUnterProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    auto it = tippUnter.find(h);
    if (it == tippUnter.end()) return DefWindowProc(h, msg, wp, lp);
    WNDPROC alt = it->second.alt;
    if (tippIstMaus(msg)) {
        MSG m{h, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&m.pt);
        std::vector<HWND> tipps = it->second.tipps;
        for (HWND t : tipps) tippMaus(t, &m);
    }
    if (msg == WM_NCDESTROY) {
        auto j = tippUnter.find(h);
        if (j != tippUnter.end()) {
            SetWindowLongPtr(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(alt));
            tippUnter.erase(j);
        }
    }
    return CallWindowProc(alt, h, msg, wp, lp);
}

void tippMalen(HWND h, HDC hdc)
{
    TippZustand* z = tippVon(h);
    RECT c;
    GetClientRect(h, &c);
    plStilFlaeche(hdc, &c, COLOR_INFOBK);
    FrameRect(hdc, &c, GetSysColorBrush(COLOR_INFOTEXT));
    char text[1024];
    int n = GetWindowText(h, text, sizeof text);
    HGDIOBJ alt = SelectObject(hdc, z && z->schrift ? z->schrift : plDialogSystemSchrift());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_INFOTEXT));
    RECT t = c;
    InflateRect(&t, -4, -2);
    DrawText(hdc, text, n, &t, DT_NOPREFIX | ((z && z->maxBreite > 0) ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(hdc, alt);
}

LRESULT tippNachricht(HWND h, TippZustand* z, UINT msg, WPARAM wp, LPARAM lp)
{
    const TOOLINFO* ti = reinterpret_cast<const TOOLINFO*>(lp);
    switch (msg) {
    case TTM_ADDTOOL: {
        if (!ti || tippFinden(z, ti) >= 0) return FALSE;
        TippWerkzeug w;
        w.flags = ti->uFlags;
        w.hwnd = ti->hwnd;
        w.id = ti->uId;
        w.rect = ti->rect;
        w.hinst = ti->hinst;
        w.lParam = ti->lParam;
        tippTextSetzen(w, ti);
        z->werkzeuge.push_back(w);
        if (w.flags & TTF_SUBCLASS) tippUnterAnmelden(h, tippZiel(w));
        return TRUE;
    }
    case TTM_DELTOOL: {
        int i = tippFinden(z, ti);
        if (i < 0) return 0;
        if (z->gezeigt == i) tippVerstecken(h);
        if (!(z = tippVon(h))) return 0;
        TippWerkzeug w = z->werkzeuge[static_cast<size_t>(i)];
        z->werkzeuge.erase(z->werkzeuge.begin() + i);
        if (z->gezeigt > i) --z->gezeigt;
        if (z->kandidat == i) z->kandidat = -1;
        else if (z->kandidat > i) --z->kandidat;
        if (w.flags & TTF_SUBCLASS) tippUnterAbmelden(h, tippZiel(w));
        return 0;
    }
    case TTM_NEWTOOLRECT: {
        int i = tippFinden(z, ti);
        if (i >= 0) z->werkzeuge[static_cast<size_t>(i)].rect = ti->rect;
        return 0;
    }
    case TTM_UPDATETIPTEXT: {
        int i = tippFinden(z, ti);
        if (i < 0) return 0;
        tippTextSetzen(z->werkzeuge[static_cast<size_t>(i)], ti);
        if (z->gezeigt == i) tippZeigen(h, i);
        return 0;
    }
    case TTM_GETTOOLINFO:
    case TTM_GETTEXT: {
        int i = tippFinden(z, ti);
        if (i < 0) return FALSE;
        auto* aus = reinterpret_cast<TOOLINFO*>(lp);
        const TippWerkzeug& w = z->werkzeuge[static_cast<size_t>(i)];
        if (msg == TTM_GETTOOLINFO) {
            aus->uFlags = w.flags;
            aus->hwnd = w.hwnd;
            aus->rect = w.rect;
            aus->hinst = w.hinst;
            aus->lParam = w.lParam;
            if (w.rueckruf) aus->lpszText = LPSTR_TEXTCALLBACK;
            return TRUE;
        }
        // The caller's buffer must hold 80 characters, as documented.
        if (aus->lpszText && aus->lpszText != LPSTR_TEXTCALLBACK && !IS_INTRESOURCE(aus->lpszText)) {
            std::string t = w.rueckruf ? std::string() : tippText(h, w);
            size_t n = std::min<size_t>(t.size(), 79);
            std::copy_n(t.data(), n, aus->lpszText);
            aus->lpszText[n] = '\0';
        }
        return TRUE;
    }
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(z->werkzeuge.size());
    case TTM_RELAYEVENT: tippMaus(h, reinterpret_cast<const MSG*>(lp)); return 0;
    case TTM_ACTIVATE:
        z->aktiv = wp != 0;
        if (!z->aktiv) {
            KillTimer(h, TIPP_ANFANG_TIMER);
            tippVerstecken(h);
        }
        return 0;
    case TTM_SETDELAYTIME: {
        int ms = static_cast<short>(LOWORD(lp));
        switch (wp) {
        case TTDT_INITIAL: z->anfang = ms < 0 ? PL_TIPP_ANFANG : static_cast<UINT>(ms); break;
        case TTDT_AUTOPOP: z->dauer = ms < 0 ? PL_TIPP_DAUER : static_cast<UINT>(ms); break;
        case TTDT_AUTOMATIC:
            z->anfang = ms < 0 ? PL_TIPP_ANFANG : static_cast<UINT>(ms);
            z->dauer = ms < 0 ? PL_TIPP_DAUER : static_cast<UINT>(ms) * 10;
            break;
        default: break;
        }
        return 0;
    }
    case TTM_SETMAXTIPWIDTH: {
        int alt = z->maxBreite;
        z->maxBreite = static_cast<int>(lp);
        return alt;
    }
    case TTM_POP: tippVerstecken(h); return 0;
    case TTM_POPUP:
    case TTM_UPDATE:
        // Show at once the tip of the tool the mouse rests on.
        if (z->kandidat >= 0) {
            KillTimer(h, TIPP_ANFANG_TIMER);
            tippZeigen(h, z->kandidat);
        }
        return 0;
    default: return 0;
    }
}

LRESULT tippProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg >= TTM_ACTIVATE && msg <= TTM_POPUP) {
        TippZustand* z = tippVon(h);
        return z ? tippNachricht(h, z, msg, wp, lp) : 0;
    }
    switch (msg) {
    case WM_NCCREATE:
        tippTabelle[h];
        return DefWindowProc(h, msg, wp, lp);
    case WM_NCDESTROY: {
        std::vector<HWND> ziele;
        for (auto& [fenster, u] : tippUnter)
            if (std::find(u.tipps.begin(), u.tipps.end(), h) != u.tipps.end()) ziele.push_back(fenster);
        if (TippZustand* z = tippVon(h)) z->werkzeuge.clear();
        for (HWND f : ziele) tippUnterAbmelden(h, f);
        tippTabelle.erase(h);
        return DefWindowProc(h, msg, wp, lp);
    }
    case WM_TIMER:
        if (wp == TIPP_ANFANG_TIMER) {
            KillTimer(h, TIPP_ANFANG_TIMER);
            TippZustand* z = tippVon(h);
            if (z && z->aktiv && z->kandidat >= 0) {
                if (tippNochDarauf(z->werkzeuge[static_cast<size_t>(z->kandidat)]))
                    tippZeigen(h, z->kandidat);
                else
                    z->kandidat = -1;
            }
        } else if (wp == TIPP_DAUER_TIMER) {
            tippVerstecken(h);
        } else if (wp == TIPP_PRUEF_TIMER) {
            TippZustand* z = tippVon(h);
            if (z && z->gezeigt >= 0 && !tippNochDarauf(z->werkzeuge[static_cast<size_t>(z->gezeigt)])) {
                z->kandidat = -1;
                tippVerstecken(h);
            }
        }
        return 0;
    case WM_SETFONT:
        if (TippZustand* z = tippVon(h)) z->schrift = static_cast<HFONT>(wp);
        return 0;
    case WM_GETFONT: {
        TippZustand* z = tippVon(h);
        return z ? static_cast<LRESULT>(z->schrift) : 0;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return plKlasseMalen(h, tippMalen);
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

}  // namespace

void plTippKlasseRegistrieren() { plKlasseSichern(TOOLTIPS_CLASS, tippProc, CS_SAVEBITS, 0); }
