// The EDIT control: state, line layout, painting and the message switch.
// Keyboard, mouse, clipboard and undo are in ctl_edit_tasten.cpp. See
// ctl_edit.h for the rules. May call: fenster.h, nachricht.h, eingabe.h,
// gdi.h, systemwerte.h, ctl_scroll.h; dialog.h, ctl_liste.h and
// ctl_combo.h only to offer the classes.
#include <algorithm>
#include <cstring>

#include "platform/ctl_combo.h"
#include "platform/ctl_edit_int.h"
#include "platform/ctl_liste.h"
#include "platform/dialog.h"
#include "platform/ctl_scroll.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "platform/systemwerte.h"
#include "platform/zeichen.h"
#include "platform/klasseint.h"

namespace {

// Length of the line break at `i` (CR LF 2, LF 1), 0 when none.
int edUmbruchBei(const std::string& t, size_t i)
{
    if (i >= t.size()) return 0;
    if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') return 2;
    if (t[i] == '\n') return 1;
    return 0;
}

void edSchriftMessen(EdZustand& z)
{
    plSchriftMessen(z.h, z.font, [&z](HDC hdc, const TEXTMETRIC& tm) {
        z.zeilenHoehe = std::max<int>(1, tm.tmHeight);
        if (!GetCharWidth32(hdc, 0, 255, z.breiten))
            for (int& b : z.breiten) b = std::max<int>(1, tm.tmAveCharWidth);
    });
}

std::string edFall(const EdZustand& z, std::string s)
{
    DWORD stil = edStil(z);
    if (stil & ES_UPPERCASE)
        for (char& c : s) c = static_cast<char>(plZeichenGross(static_cast<unsigned char>(c)));
    else if (stil & ES_LOWERCASE)
        for (char& c : s) c = static_cast<char>(plZeichenKlein(static_cast<unsigned char>(c)));
    return s;
}

bool edUmbrechenAn(const EdZustand& z)
{
    DWORD stil = edStil(z);
    return edMehrzeilig(z) && !(stil & ES_AUTOHSCROLL) && !(stil & WS_HSCROLL);
}

HBRUSH edFarben(EdZustand& z, HDC hdc)
{
    HWND eltern = GetParent(z.h);
    bool grau = (edStil(z) & ES_READONLY) || !IsWindowEnabled(z.h);
    UINT msg = grau ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH br = 0;
    if (eltern) br = static_cast<HBRUSH>(SendMessage(eltern, msg, static_cast<WPARAM>(hdc), static_cast<LPARAM>(z.h)));
    if (!br) {
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(hdc, GetSysColor(grau ? COLOR_BTNFACE : COLOR_WINDOW));
        br = GetSysColorBrush(grau ? COLOR_BTNFACE : COLOR_WINDOW);
    }
    if (!IsWindowEnabled(z.h)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    return br;
}

// Draws text[von, bis) of one line at x, with the selection highlighted.
void edZeileMalen(EdZustand& z, HDC hdc, int von, int bis, int x, int y)
{
    int sa = edSelAnf(z), se = edSelEnde(z);
    bool zeigeSel = sa != se && (z.fokus || (edStil(z) & ES_NOHIDESEL));
    bool pw = (edStil(z) & ES_PASSWORD) && !edMehrzeilig(z);
    auto stueck = [&](int a, int b, bool markiert) {
        if (a >= b) return;
        int px = x + edBreite(z, von, a);
        std::string s = pw ? std::string(static_cast<size_t>(b - a), z.passwort) : z.text.substr(a, b - a);
        // Tabs are shown as blanks; the width tables give them the blank's width.
        for (char& c : s)
            if (c == '\t') c = ' ';
        COLORREF altT = 0, altH = 0;
        if (markiert) {
            altT = SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            altH = SetBkColor(hdc, GetSysColor(COLOR_HIGHLIGHT));
            RECT r{px, y, px + edBreite(z, a, b), y + z.zeilenHoehe};
            FillRect(hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        TextOut(hdc, px, y, s.data(), static_cast<int>(s.size()));
        if (markiert) {
            SetTextColor(hdc, altT);
            SetBkColor(hdc, altH);
        }
    };
    if (!zeigeSel || se <= von || sa >= bis) {
        stueck(von, bis, false);
        return;
    }
    int a = std::max(sa, von), b = std::min(se, bis);
    stueck(von, a, false);
    stueck(a, b, true);
    stueck(b, bis, false);
}

void edMalen(EdZustand& z)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(z.h, &ps);
    if (!hdc) return;
    RECT c;
    GetClientRect(z.h, &c);
    HGDIOBJ altFont = SelectObject(hdc, z.font ? z.font : GetStockObject(SYSTEM_FONT));
    HBRUSH br = edFarben(z, hdc);
    FillRect(hdc, &c, br);
    int altModus = SetBkMode(hdc, TRANSPARENT);
    RECT f = edFormat(z);
    IntersectClipRect(hdc, f.left, f.top, f.right, f.bottom);
    int n = static_cast<int>(z.zeilen.size());
    int sichtbar = edSichtbareZeilen(z) + 1;
    for (int i = z.ersteZeile; i < n && i < z.ersteZeile + sichtbar; ++i) {
        POINT p = edPunktVon(z, z.zeilen[static_cast<size_t>(i)]);
        edZeileMalen(z, hdc, z.zeilen[static_cast<size_t>(i)], edZeilenEnde(z, i), p.x, p.y);
    }
    SetBkMode(hdc, altModus);
    SelectObject(hdc, altFont);
    EndPaint(z.h, &ps);
}

int edAusrichtungVersatz(const EdZustand& z, int zeile)
{
    DWORD stil = edStil(z);
    if (!(stil & (ES_CENTER | ES_RIGHT))) return 0;
    RECT f = edFormat(z);
    int frei = (f.right - f.left) - edBreite(z, z.zeilen[static_cast<size_t>(zeile)], edZeilenEnde(z, zeile));
    if (frei <= 0) return 0;
    return (stil & ES_CENTER) ? frei / 2 : frei;
}

void edScrollen(EdZustand& z, int zeilen, int pixel)
{
    int n = static_cast<int>(z.zeilen.size());
    int neu = std::clamp(z.ersteZeile + zeilen, 0, std::max(0, n - 1));
    int x = std::max(0, z.xVersatz + pixel);
    if (neu == z.ersteZeile && x == z.xVersatz) return;
    z.ersteZeile = neu;
    z.xVersatz = x;
    edScrollLeisten(z);
    edNeuMalen(z);
    edCaretSetzen(z);
}

void edScrollNachricht(EdZustand& z, UINT msg, WPARAM wp)
{
    int code = LOWORD(wp);
    if (msg == WM_VSCROLL) {
        int seite = std::max(1, edSichtbareZeilen(z));
        int n = static_cast<int>(z.zeilen.size());
        switch (code) {
        case SB_LINEUP: edScrollen(z, -1, 0); break;
        case SB_LINEDOWN: edScrollen(z, 1, 0); break;
        case SB_PAGEUP: edScrollen(z, -seite, 0); break;
        case SB_PAGEDOWN: edScrollen(z, seite, 0); break;
        case SB_TOP: edScrollen(z, -n, 0); break;
        case SB_BOTTOM: edScrollen(z, n, 0); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(z.h, SB_VERT, &si);
            edScrollen(z, si.nTrackPos - z.ersteZeile, 0);
            break;
        }
        default: return;
        }
        edMelden(z, EN_VSCROLL);
        return;
    }
    int schritt = std::max(1, z.breiten[static_cast<unsigned char>('x')]);
    RECT f = edFormat(z);
    int seite = std::max(schritt, f.right - f.left);
    switch (code) {
    case SB_LINELEFT: edScrollen(z, 0, -schritt); break;
    case SB_LINERIGHT: edScrollen(z, 0, schritt); break;
    case SB_PAGELEFT: edScrollen(z, 0, -seite); break;
    case SB_PAGERIGHT: edScrollen(z, 0, seite); break;
    case SB_LEFT: edScrollen(z, 0, -z.xVersatz); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(z.h, SB_HORZ, &si);
        edScrollen(z, 0, si.nTrackPos - z.xVersatz);
        break;
    }
    default: return;
    }
    edMelden(z, EN_HSCROLL);
}

void edTextSetzen(EdZustand& z, const char* t)
{
    z.text = edFall(z, t ? t : "");
    z.anker = z.caret = 0;
    z.ersteZeile = 0;
    z.xVersatz = 0;
    z.geaendert = false;
    z.kannUndo = false;
    z.tippen = false;
    edUmbrechen(z);
    edScrollLeisten(z);
    HWND h = z.h;
    edMelden(z, EN_UPDATE);
    if (edVon(h) != &z) return;
    edNeuMalen(z);
    edCaretSetzen(z);
    edMelden(z, EN_CHANGE);
}

// Characters of line `zeile` not selected, for EM_LINELENGTH(-1).
int edUnmarkiertInZeilen(const EdZustand& z)
{
    int sa = edSelAnf(z), se = edSelEnde(z);
    int za = edZeileVon(z, sa), ze = edZeileVon(z, se);
    return (sa - z.zeilen[static_cast<size_t>(za)]) + (edZeilenEnde(z, ze) - se);
}

LRESULT edGetDlgCode(const EdZustand& z, LPARAM lp)
{
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!edMehrzeilig(z)) return code;
    const MSG* m = reinterpret_cast<const MSG*>(lp);
    if (m && m->message == WM_KEYDOWN) {
        if (m->wParam == VK_RETURN) return (edStil(z) & ES_WANTRETURN) ? code | DLGC_WANTMESSAGE : code;
        if (m->wParam == VK_TAB || m->wParam == VK_ESCAPE) return code;
    }
    return code | DLGC_WANTALLKEYS;
}

LRESULT edNachricht(EdZustand& z, UINT msg, WPARAM wp, LPARAM lp);

LRESULT CALLBACK edProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* z = new EdZustand();
        z->h = h;
        SetWindowLongPtr(h, 0, reinterpret_cast<LONG_PTR>(z));
        return DefWindowProc(h, msg, wp, lp);
    }
    EdZustand* z = edVon(h);
    if (!z) return DefWindowProc(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(h, 0, 0);
        delete z;
        return DefWindowProc(h, msg, wp, lp);
    }
    return edNachricht(*z, msg, wp, lp);
}

LRESULT edNachricht(EdZustand& z, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND h = z.h;
    switch (msg) {
    case WM_CREATE: {
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
        if (edMehrzeilig(z)) z.grenze = PL_EDIT_GRENZE_STANDARD;
        edSchriftMessen(z);
        z.text = edFall(z, cs && cs->lpszName ? cs->lpszName : "");
        edUmbrechen(z);
        edScrollLeisten(z);
        return 0;
    }
    case WM_SIZE:
        edUmbrechen(z);
        z.ersteZeile = std::min(z.ersteZeile, static_cast<int>(z.zeilen.size()) - 1);
        edScrollLeisten(z);
        edNeuMalen(z);
        return 0;
    case WM_SETFONT:
        z.font = static_cast<HFONT>(wp);
        edSchriftMessen(z);
        edUmbrechen(z);
        edScrollLeisten(z);
        if (z.fokus) {
            CreateCaret(h, 0, 1, z.zeilenHoehe);
            edCaretSetzen(z);
            ShowCaret(h);
        }
        if (LOWORD(lp)) edNeuMalen(z);
        return 0;
    case WM_GETFONT: return static_cast<LRESULT>(z.font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: edMalen(z); return 0;
    case WM_ENABLE: edNeuMalen(z); return 0;
    case WM_SETTEXT: edTextSetzen(z, reinterpret_cast<const char*>(lp)); return TRUE;
    case WM_GETTEXT: {
        char* buf = reinterpret_cast<char*>(lp);
        if (!buf || wp == 0) return 0;
        size_t n = std::min(z.text.size(), static_cast<size_t>(wp - 1));
        std::memcpy(buf, z.text.data(), n);
        buf[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(z.text.size());
    case WM_GETDLGCODE: return edGetDlgCode(z, lp);
    case WM_SETFOCUS:
        z.fokus = true;
        CreateCaret(h, 0, 1, z.zeilenHoehe);
        edCaretSetzen(z);
        ShowCaret(h);
        edNeuMalen(z);
        edMelden(z, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        z.fokus = false;
        z.ziehen = false;
        DestroyCaret();
        edNeuMalen(z);
        edMelden(z, EN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN: edTaste(z, wp); return 0;
    case WM_CHAR: edZeichen(z, static_cast<unsigned char>(wp)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: edMaus(z, msg, wp, lp); return 0;
    case WM_MOUSEWHEEL:
        if (!edMehrzeilig(z)) return 0;
        edScrollen(z, -3 * static_cast<short>(HIWORD(wp)) / WHEEL_DELTA, 0);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (lp == 0) edScrollNachricht(z, msg, wp);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (plScrollNcKlick(h, msg, wp, lp)) return 0;
        return DefWindowProc(h, msg, wp, lp);
    case WM_CUT:
        if (edStil(z) & ES_PASSWORD) return 0;
        edKopieren(z);
        edErsetzen(z, "", true, false, false);
        return 0;
    case WM_COPY: edKopieren(z); return 0;
    case WM_PASTE: edEinfuegen(z); return 0;
    case WM_CLEAR: edErsetzen(z, "", true, false, false); return 0;
    case WM_UNDO:
    case EM_UNDO: edUndo(z); return z.kannUndo ? TRUE : FALSE;
    case EM_CANUNDO: return z.kannUndo ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
        z.kannUndo = false;
        z.tippen = false;
        return 0;
    case EM_GETSEL: {
        DWORD a = static_cast<DWORD>(edSelAnf(z)), e = static_cast<DWORD>(edSelEnde(z));
        if (wp) *reinterpret_cast<DWORD*>(wp) = a;
        if (lp) *reinterpret_cast<DWORD*>(lp) = e;
        return MAKELRESULT(std::min<DWORD>(a, 0xFFFF), std::min<DWORD>(e, 0xFFFF));
    }
    case EM_SETSEL: {
        int a = static_cast<int>(wp), e = static_cast<int>(lp);
        int n = static_cast<int>(z.text.size());
        if (a == -1) {
            edSelSetzen(z, z.caret, z.caret, false);
            return 0;
        }
        if (a < 0) a = n;
        if (e < 0) e = n;
        edSelSetzen(z, std::min(a, n), std::min(e, n), !edMehrzeilig(z));
        return 0;
    }
    case EM_REPLACESEL: {
        const char* t = reinterpret_cast<const char*>(lp);
        edErsetzen(z, t ? t : "", false, true, false);
        if (!wp) z.kannUndo = false;
        return 0;
    }
    case EM_LIMITTEXT:  // = EM_SETLIMITTEXT
        z.grenze = wp == 0 ? PL_EDIT_GRENZE_MAX : static_cast<int>(std::min<WPARAM>(wp, PL_EDIT_GRENZE_MAX));
        return 0;
    case EM_GETLIMITTEXT: return z.grenze;
    case EM_SETREADONLY: {
        DWORD stil = edStil(z);
        SetWindowLong(h, GWL_STYLE, static_cast<LONG>(wp ? (stil | ES_READONLY) : (stil & ~static_cast<DWORD>(ES_READONLY))));
        edNeuMalen(z);
        return TRUE;
    }
    case EM_SCROLLCARET: edCaretZeigen(z); return TRUE;
    case EM_GETMODIFY: return z.geaendert ? TRUE : FALSE;
    case EM_SETMODIFY: z.geaendert = wp != 0; return 0;
    case EM_GETLINECOUNT: return edMehrzeilig(z) ? static_cast<LRESULT>(z.zeilen.size()) : 1;
    case EM_LINEINDEX: {
        if (!edMehrzeilig(z)) return 0;
        int zeile = static_cast<int>(wp) < 0 ? edZeileVon(z, z.caret) : static_cast<int>(wp);
        if (zeile >= static_cast<int>(z.zeilen.size())) return -1;
        return z.zeilen[static_cast<size_t>(zeile)];
    }
    case EM_LINELENGTH: {
        if (!edMehrzeilig(z)) return static_cast<LRESULT>(z.text.size());
        int pos = static_cast<int>(wp);
        if (pos < 0) return edUnmarkiertInZeilen(z);
        if (pos > static_cast<int>(z.text.size())) return 0;
        int zeile = edZeileVon(z, pos);
        return edZeilenEnde(z, zeile) - z.zeilen[static_cast<size_t>(zeile)];
    }
    case EM_LINEFROMCHAR: {
        if (!edMehrzeilig(z)) return 0;
        int pos = static_cast<int>(wp) < 0 ? edSelAnf(z) : std::min(static_cast<int>(wp), static_cast<int>(z.text.size()));
        return edZeileVon(z, pos);
    }
    case EM_GETLINE: {
        char* buf = reinterpret_cast<char*>(lp);
        if (!buf) return 0;
        WORD max;
        std::memcpy(&max, buf, sizeof max);
        int von = 0, bis = static_cast<int>(z.text.size());
        if (edMehrzeilig(z)) {
            int zeile = static_cast<int>(wp);
            if (zeile < 0 || zeile >= static_cast<int>(z.zeilen.size())) return 0;
            von = z.zeilen[static_cast<size_t>(zeile)];
            bis = edZeilenEnde(z, zeile);
        }
        int n = std::min(bis - von, static_cast<int>(max));
        if (n > 0) std::memcpy(buf, z.text.data() + von, static_cast<size_t>(n));
        return n;
    }
    case EM_GETFIRSTVISIBLELINE: {
        if (edMehrzeilig(z)) return z.ersteZeile;
        int x = 0, i = 0, n = static_cast<int>(z.text.size());
        while (i < n && x + z.breiten[static_cast<unsigned char>(z.text[static_cast<size_t>(i)])] <= z.xVersatz)
            x += z.breiten[static_cast<unsigned char>(z.text[static_cast<size_t>(i++)])];
        return i;
    }
    case EM_LINESCROLL:
        if (!edMehrzeilig(z)) return FALSE;
        edScrollen(z, static_cast<int>(lp), static_cast<int>(wp) * std::max(1, z.breiten[static_cast<unsigned char>('x')]));
        return TRUE;
    case EM_SCROLL: {
        if (!edMehrzeilig(z)) return FALSE;
        int vorher = z.ersteZeile;
        edScrollNachricht(z, WM_VSCROLL, wp);
        return MAKELRESULT(static_cast<WORD>(z.ersteZeile - vorher), TRUE);
    }
    case EM_SETPASSWORDCHAR: {
        if (edMehrzeilig(z)) return 0;
        DWORD stil = edStil(z);
        if (wp) z.passwort = static_cast<char>(wp);
        SetWindowLong(h, GWL_STYLE, static_cast<LONG>(wp ? (stil | ES_PASSWORD) : (stil & ~static_cast<DWORD>(ES_PASSWORD))));
        edNeuMalen(z);
        return 0;
    }
    case EM_GETPASSWORDCHAR: return (edStil(z) & ES_PASSWORD) ? static_cast<unsigned char>(z.passwort) : 0;
    case EM_SETMARGINS:
        if (wp & EC_LEFTMARGIN) z.randLinks = LOWORD(lp) == EC_USEFONTINFO ? 1 : LOWORD(lp);
        if (wp & EC_RIGHTMARGIN) z.randRechts = HIWORD(lp) == EC_USEFONTINFO ? 1 : HIWORD(lp);
        edUmbrechen(z);
        edNeuMalen(z);
        return 0;
    case EM_GETMARGINS: return MAKELRESULT(z.randLinks, z.randRechts);
    case EM_GETRECT:
        if (lp) *reinterpret_cast<RECT*>(lp) = edFormat(z);
        return 0;
    case EM_SETRECT:
    case EM_SETRECTNP: {
        const RECT* r = reinterpret_cast<const RECT*>(lp);
        z.eigenesFormat = r != nullptr;
        if (r) z.format = *r;
        edUmbrechen(z);
        edScrollLeisten(z);
        if (msg == EM_SETRECT) edNeuMalen(z);
        edCaretSetzen(z);
        return 0;
    }
    case EM_POSFROMCHAR: {
        int pos = static_cast<int>(wp);
        if (pos < 0 || pos > static_cast<int>(z.text.size())) return -1;
        POINT p = edPunktVon(z, pos);
        return MAKELRESULT(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    }
    case EM_CHARFROMPOS: {
        int pos = edPosBei(z, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return MAKELRESULT(static_cast<WORD>(pos), static_cast<WORD>(edZeileVon(z, pos)));
    }
    case EM_SETTABSTOPS: return TRUE;
    case EM_FMTLINES: return wp ? TRUE : FALSE;
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

}  // namespace

// ---- State ------------------------------------------------------------------------------------

EdZustand* edVon(HWND h)
{
    return reinterpret_cast<EdZustand*>(GetWindowLongPtr(h, 0));
}

DWORD edStil(const EdZustand& z)
{
    return static_cast<DWORD>(GetWindowLong(z.h, GWL_STYLE));
}

bool edMehrzeilig(const EdZustand& z)
{
    return (edStil(z) & ES_MULTILINE) != 0;
}

int edSelAnf(const EdZustand& z)
{
    return std::min(z.anker, z.caret);
}

int edSelEnde(const EdZustand& z)
{
    return std::max(z.anker, z.caret);
}

void edMelden(EdZustand& z, int code)
{
    HWND eltern = GetParent(z.h);
    if (!eltern) return;
    SendMessage(eltern, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(z.h), code), static_cast<LPARAM>(z.h));
}

// ---- Layout -------------------------------------------------------------------------------------

RECT edFormat(const EdZustand& z)
{
    if (z.eigenesFormat) return z.format;
    RECT c;
    GetClientRect(z.h, &c);
    RECT f{c.left + z.randLinks, c.top, c.right - z.randRechts, c.bottom};
    if (!edMehrzeilig(z)) {
        int oben = std::max(0, (c.bottom - z.zeilenHoehe) / 2);
        f.top = oben;
        f.bottom = std::min<LONG>(c.bottom, oben + z.zeilenHoehe);
        if (f.bottom <= f.top) f.bottom = c.bottom;
    }
    if (f.right < f.left) f.right = f.left;
    return f;
}

int edBreite(const EdZustand& z, int von, int bis)
{
    bool pw = (edStil(z) & ES_PASSWORD) && !edMehrzeilig(z);
    if (pw) return std::max(0, bis - von) * z.breiten[static_cast<unsigned char>(z.passwort)];
    int b = 0;
    for (int i = von; i < bis; ++i) {
        unsigned char c = static_cast<unsigned char>(z.text[static_cast<size_t>(i)]);
        b += z.breiten[c == '\t' ? ' ' : c];
    }
    return b;
}

void edUmbrechen(EdZustand& z)
{
    z.zeilen.assign(1, 0);
    if (!edMehrzeilig(z)) return;
    bool umbrechen = edUmbrechenAn(z);
    RECT f = edFormat(z);
    int breite = std::max<int>(1, f.right - f.left);
    const std::string& t = z.text;
    size_t n = t.size();
    size_t i = 0;
    while (i < n) {
        size_t anf = i;
        int x = 0;
        size_t letzteLuecke = std::string::npos;
        for (;;) {
            if (i >= n) return;
            int ub = edUmbruchBei(t, i);
            if (ub) {
                i += static_cast<size_t>(ub);
                break;
            }
            int cb = z.breiten[static_cast<unsigned char>(t[i] == '\t' ? ' ' : t[i])];
            if (umbrechen && i > anf && x + cb > breite) {
                if (t[i] == ' ') {
                    // Blanks at the wrap stay on the line they end.
                    while (i < n && t[i] == ' ') ++i;
                } else if (letzteLuecke != std::string::npos) {
                    i = letzteLuecke + 1;
                }
                break;
            }
            if (t[i] == ' ') letzteLuecke = i;
            x += cb;
            ++i;
        }
        z.zeilen.push_back(static_cast<int>(i));
    }
}

int edZeileVon(const EdZustand& z, int pos)
{
    auto it = std::upper_bound(z.zeilen.begin(), z.zeilen.end(), pos);
    return std::max(0, static_cast<int>(it - z.zeilen.begin()) - 1);
}

int edZeilenEnde(const EdZustand& z, int zeile)
{
    size_t n = z.zeilen.size();
    if (zeile + 1 >= static_cast<int>(n)) return static_cast<int>(z.text.size());
    int naechste = z.zeilen[static_cast<size_t>(zeile) + 1];
    const std::string& t = z.text;
    if (naechste >= 2 && t[static_cast<size_t>(naechste) - 2] == '\r' && t[static_cast<size_t>(naechste) - 1] == '\n')
        return naechste - 2;
    if (naechste >= 1 && t[static_cast<size_t>(naechste) - 1] == '\n') return naechste - 1;
    return naechste;
}

int edSichtbareZeilen(const EdZustand& z)
{
    if (!edMehrzeilig(z)) return 1;
    RECT f = edFormat(z);
    return std::max(1, static_cast<int>((f.bottom - f.top) / z.zeilenHoehe));
}

POINT edPunktVon(const EdZustand& z, int pos)
{
    RECT f = edFormat(z);
    int zeile = edZeileVon(z, pos);
    int anf = z.zeilen[static_cast<size_t>(zeile)];
    int x = f.left - z.xVersatz + edAusrichtungVersatz(z, zeile) + edBreite(z, anf, pos);
    int y = f.top + (zeile - z.ersteZeile) * z.zeilenHoehe;
    return POINT{x, y};
}

int edPosBei(const EdZustand& z, int x, int y)
{
    RECT f = edFormat(z);
    int zeile = z.ersteZeile;
    if (edMehrzeilig(z)) {
        int d = y - f.top;
        zeile += d < 0 ? -((-d + z.zeilenHoehe - 1) / z.zeilenHoehe) : d / z.zeilenHoehe;
        zeile = std::clamp(zeile, 0, static_cast<int>(z.zeilen.size()) - 1);
    }
    int anf = z.zeilen[static_cast<size_t>(zeile)], ende = edZeilenEnde(z, zeile);
    int px = f.left - z.xVersatz + edAusrichtungVersatz(z, zeile);
    for (int i = anf; i < ende; ++i) {
        int cb = edBreite(z, i, i + 1);
        if (x < px + cb / 2) return i;
        px += cb;
    }
    return ende;
}

// ---- Changes ---------------------------------------------------------------------------------------

namespace {

// A multi-line field without vertical scrolling takes only as much of `s`
// (replacing sa..se) as leaves every line visible: the longest prefix, by
// halving.
size_t edPasstZeilen(EdZustand& z, const std::string& s, int sa, int se)
{
    std::string alt = z.text;
    int sichtbar = edSichtbareZeilen(z);
    auto passt = [&](size_t k) {
        z.text = alt;
        z.text.replace(static_cast<size_t>(sa), static_cast<size_t>(se - sa), s.substr(0, k));
        edUmbrechen(z);
        return static_cast<int>(z.zeilen.size()) <= sichtbar;
    };
    size_t lo = 0, hi = s.size();
    if (!passt(hi)) {
        while (lo < hi) {
            size_t mitte = (lo + hi + 1) / 2;
            if (passt(mitte))
                lo = mitte;
            else
                hi = mitte - 1;
        }
        if (lo > 0 && s[lo - 1] == '\r') --lo;
    } else {
        lo = s.size();
    }
    z.text = std::move(alt);
    edUmbrechen(z);
    return lo;
}

}  // namespace

bool edErsetzen(EdZustand& z, std::string s, bool nutzer, bool begrenzt, bool tippen)
{
    DWORD stil = edStil(z);
    if (nutzer && (stil & ES_READONLY)) return false;
    if (!edMehrzeilig(z)) {
        size_t ub = s.find_first_of("\r\n");
        if (ub != std::string::npos) s.resize(ub);
    }
    s = edFall(z, s);
    int sa = edSelAnf(z), se = edSelEnde(z);
    bool voll = false;
    if (begrenzt) {
        int rest = static_cast<int>(z.text.size()) - (se - sa);
        int platz = std::max(0, z.grenze - rest);
        if (static_cast<int>(s.size()) > platz) {
            s.resize(static_cast<size_t>(platz));
            // Never split a line break.
            if (!s.empty() && s.back() == '\r') s.pop_back();
            voll = true;
        }
        if (!edMehrzeilig(z) && !(stil & ES_AUTOHSCROLL)) {
            RECT f = edFormat(z);
            int frei = (f.right - f.left) - (edBreite(z, 0, static_cast<int>(z.text.size())) - edBreite(z, sa, se));
            int b = 0;
            size_t k = 0;
            while (k < s.size() && b + z.breiten[static_cast<unsigned char>(s[k])] <= frei)
                b += z.breiten[static_cast<unsigned char>(s[k++])];
            if (k < s.size()) {
                s.resize(k);
                voll = true;
            }
        }
        if (edMehrzeilig(z) && !(stil & (ES_AUTOVSCROLL | WS_VSCROLL)) && !s.empty()) {
            size_t k = edPasstZeilen(z, s, sa, se);
            if (k < s.size()) {
                s.resize(k);
                voll = true;
            }
        }
    }
    HWND h = z.h;
    if (voll) {
        edMelden(z, EN_MAXTEXT);
        if (edVon(h) != &z) return false;  // the receiver destroyed the field
    }
    if (s.empty() && sa == se) return false;
    // Undo keeps the text before a run of typing at the caret.
    if (!(tippen && z.tippen && z.kannUndo)) {
        z.undoText = z.text;
        z.undoAnker = z.anker;
        z.undoCaret = z.caret;
    }
    z.kannUndo = true;
    z.tippen = tippen;
    z.text.replace(static_cast<size_t>(sa), static_cast<size_t>(se - sa), s);
    z.anker = z.caret = sa + static_cast<int>(s.size());
    z.geaendert = true;
    z.wunschX = -1;
    edUmbrechen(z);
    edCaretZeigen(z);
    edScrollLeisten(z);
    edMelden(z, EN_UPDATE);
    if (edVon(h) != &z) return true;
    edNeuMalen(z);
    edMelden(z, EN_CHANGE);
    return true;
}

void edSelSetzen(EdZustand& z, int anker, int caret, bool zeigen)
{
    int n = static_cast<int>(z.text.size());
    anker = std::clamp(anker, 0, n);
    caret = std::clamp(caret, 0, n);
    bool anders = anker != z.anker || caret != z.caret;
    z.anker = anker;
    z.caret = caret;
    if (zeigen) edCaretZeigen(z);
    if (anders) edNeuMalen(z);
    edCaretSetzen(z);
}

void edCaretZeigen(EdZustand& z)
{
    RECT f = edFormat(z);
    int breite = f.right - f.left;
    bool anders = false;
    if (edMehrzeilig(z)) {
        int zeile = edZeileVon(z, z.caret);
        int sichtbar = edSichtbareZeilen(z);
        int erste = z.ersteZeile;
        if (zeile < erste) erste = zeile;
        if (zeile >= erste + sichtbar) erste = zeile - sichtbar + 1;
        if (erste != z.ersteZeile) {
            z.ersteZeile = erste;
            anders = true;
        }
    }
    if (!edUmbrechenAn(z)) {
        int zeile = edZeileVon(z, z.caret);
        int x = edAusrichtungVersatz(z, zeile) + edBreite(z, z.zeilen[static_cast<size_t>(zeile)], z.caret);
        int v = z.xVersatz;
        if (x < v) v = std::max(0, x - breite / 3);
        if (x > v + breite - 1) v = x - breite + 1 + breite / 3;
        v = std::max(0, v);
        if (v != z.xVersatz) {
            z.xVersatz = v;
            anders = true;
        }
    }
    if (anders) {
        edScrollLeisten(z);
        edNeuMalen(z);
    }
    edCaretSetzen(z);
}

void edCaretSetzen(EdZustand& z)
{
    if (!z.fokus) return;
    POINT p = edPunktVon(z, z.caret);
    SetCaretPos(p.x, p.y);
}

void edNeuMalen(EdZustand& z)
{
    InvalidateRect(z.h, nullptr, FALSE);
}

void edScrollLeisten(EdZustand& z)
{
    DWORD stil = edStil(z);
    if (!edMehrzeilig(z)) return;
    if (stil & WS_VSCROLL) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                      static_cast<int>(z.zeilen.size()) - 1, static_cast<UINT>(edSichtbareZeilen(z)), z.ersteZeile, 0};
        SetScrollInfo(z.h, SB_VERT, &si, TRUE);
    }
    if (stil & WS_HSCROLL) {
        int breitest = 0;
        for (size_t i = 0; i < z.zeilen.size(); ++i)
            breitest = std::max(breitest, edBreite(z, z.zeilen[i], edZeilenEnde(z, static_cast<int>(i))));
        RECT f = edFormat(z);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, breitest,
                      static_cast<UINT>(std::max<LONG>(1, f.right - f.left)), z.xVersatz, 0};
        SetScrollInfo(z.h, SB_HORZ, &si, TRUE);
    }
}

// ---- Registration ------------------------------------------------------------------------------------

namespace {

// The dialog layer registers offered classes before it builds a dialog.
// The edit module is linked wherever dialogs are (the dialog layer calls
// plEditAnmelden), so it offers the list and combo box classes too: that
// links them into every program with dialogs.
struct EdAngebot {
    EdAngebot()
    {
        plDialogKlasseAnbieten("LISTBOX", plListeAnmelden);
        plDialogKlasseAnbieten("COMBOBOX", plComboAnmelden);
    }
} edAngebot;

}  // namespace

void plEditAnmelden()
{
    plScrollAnmelden();
    plKlasseSichern("EDIT", edProc, CS_DBLCLKS | CS_GLOBALCLASS, sizeof(LONG_PTR), IDC_IBEAM);
}
