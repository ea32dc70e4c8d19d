// Input of the window manager: the queue of input events from the backend,
// their conversion into mouse and keyboard messages, the key state and the
// keyboard layout (German layout for the keys that differ). See eingabe.h.
//
// A mouse event, when taken: the target is the capture window, else the
// window under the point (disabled children passed over); a window whose
// top-level window is disabled gets no input (a press gets WM_SETCURSOR with
// HTERROR only). Then WM_NCHITTEST, for a press on an inactive window
// WM_MOUSEACTIVATE and the activation, WM_SETCURSOR (not while captured),
// and the message itself: client messages with MK_ flags and client
// coordinates, non-client ones with the hit code and screen coordinates.
// A second press of the same button on the same window within the
// double-click time and rectangle becomes ..DBLCLK when the class has
// CS_DBLCLKS (always in the non-client area); a third press is a plain one.
#include <cstdlib>

#include "platform/backend.h"
#include "platform/fensterint.h"
#include "platform/systemwerte.h"
#include "platform/uhr.h"

namespace {

struct EingabeScan {
    UINT vk;
    UINT scan;
};

// Scan codes (set 1) of the keys the program uses.
const EingabeScan eingabeScans[] = {
    {VK_ESCAPE, 0x01}, {'1', 0x02}, {'2', 0x03}, {'3', 0x04}, {'4', 0x05}, {'5', 0x06}, {'6', 0x07},
    {'7', 0x08}, {'8', 0x09}, {'9', 0x0A}, {'0', 0x0B}, {VK_BACK, 0x0E}, {VK_TAB, 0x0F}, {'Q', 0x10},
    {'W', 0x11}, {'E', 0x12}, {'R', 0x13}, {'T', 0x14}, {'Z', 0x15}, {'U', 0x16}, {'I', 0x17},
    {'O', 0x18}, {'P', 0x19}, {VK_RETURN, 0x1C}, {VK_CONTROL, 0x1D}, {'A', 0x1E}, {'S', 0x1F},
    {'D', 0x20}, {'F', 0x21}, {'G', 0x22}, {'H', 0x23}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26},
    {VK_SHIFT, 0x2A}, {'Y', 0x2C}, {'X', 0x2D}, {'C', 0x2E}, {'V', 0x2F}, {'B', 0x30}, {'N', 0x31},
    {'M', 0x32}, {0xBC, 0x33}, {0xBE, 0x34}, {0xBD, 0x35}, {0xBB, 0x1B}, {VK_MENU, 0x38},
    {VK_SPACE, 0x39}, {VK_CAPITAL, 0x3A}, {0x70, 0x3B}, {0x71, 0x3C}, {0x72, 0x3D}, {0x73, 0x3E},
    {0x74, 0x3F}, {0x75, 0x40}, {0x76, 0x41}, {0x77, 0x42}, {0x78, 0x43}, {0x79, 0x44}, {0x7A, 0x57},
    {0x7B, 0x58}, {VK_HOME, 0x47}, {VK_UP, 0x48}, {VK_PRIOR, 0x49}, {VK_LEFT, 0x4B}, {VK_RIGHT, 0x4D},
    {VK_END, 0x4F}, {VK_DOWN, 0x50}, {VK_NEXT, 0x51}, {VK_INSERT, 0x52}, {VK_DELETE, 0x53},
};

constexpr UINT VK_OEM_PLUS_PL = 0xBB, VK_OEM_COMMA_PL = 0xBC, VK_OEM_MINUS_PL = 0xBD, VK_OEM_PERIOD_PL = 0xBE;

void eingabeTasteSetzen(BYTE* t, UINT vk, bool unten)
{
    if (vk > 255) return;
    if (unten) {
        if (!(t[vk] & 0x80)) t[vk] ^= 0x01;
        t[vk] |= 0x80;
    } else {
        t[vk] &= static_cast<BYTE>(~0x80);
    }
    // Left and right variants and the generic key move together.
    UINT generisch = 0, links = 0;
    switch (vk) {
    case VK_SHIFT: links = VK_LSHIFT; break;
    case VK_CONTROL: links = VK_LCONTROL; break;
    case VK_MENU: links = VK_LMENU; break;
    case VK_LSHIFT:
    case VK_RSHIFT: generisch = VK_SHIFT; break;
    case VK_LCONTROL:
    case VK_RCONTROL: generisch = VK_CONTROL; break;
    case VK_LMENU:
    case VK_RMENU: generisch = VK_MENU; break;
    default: break;
    }
    UINT andere = generisch ? generisch : links;
    if (!andere) return;
    if (unten)
        t[andere] |= 0x80;
    else
        t[andere] &= static_cast<BYTE>(~0x80);
}

UINT eingabeKnopfVk(int knopf)
{
    return knopf == 1 ? VK_RBUTTON : knopf == 2 ? VK_MBUTTON : VK_LBUTTON;
}

WPARAM eingabeMk(const BYTE* t)
{
    WPARAM mk = 0;
    if (t[VK_LBUTTON] & 0x80) mk |= MK_LBUTTON;
    if (t[VK_RBUTTON] & 0x80) mk |= MK_RBUTTON;
    if (t[VK_MBUTTON] & 0x80) mk |= MK_MBUTTON;
    if (t[VK_SHIFT] & 0x80) mk |= MK_SHIFT;
    if (t[VK_CONTROL] & 0x80) mk |= MK_CONTROL;
    return mk;
}

// A press in a child is told to its parents (WM_PARENTNOTIFY with the
// point in each parent's client coordinates) unless WS_EX_NOPARENTNOTIFY.
void eingabeElternMelden(HWND h, UINT msg, POINT bildschirm)
{
    for (;;) {
        plFenster* w = plFensterVon(h);
        if (!w || !w->eltern || (w->exStil & WS_EX_NOPARENTNOTIFY)) return;
        HWND p = w->eltern;
        POINT q = bildschirm;
        ScreenToClient(p, &q);
        SendMessage(p, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(msg), 0),
                    MAKELPARAM(static_cast<WORD>(q.x), static_cast<WORD>(q.y)));
        h = p;
    }
}

bool eingabeMaus(const plEingabeEreignis& e, MSG* aus)
{
    plWmZustand& wm = plWm();
    bool runter = e.art == plEreignisArt::MausRunter, hoch = e.art == plEreignisArt::MausHoch;
    if (runter || hoch) eingabeTasteSetzen(wm.tasten, eingabeKnopfVk(e.knopf), runter);
    static const UINT runterNachr[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const UINT hochNachr[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    int k = (e.knopf >= 0 && e.knopf < 3) ? e.knopf : 0;
    UINT msg = runter ? runterNachr[k] : hoch ? hochNachr[k] : WM_MOUSEMOVE;

    HWND ziel = wm.capture ? wm.capture : plFensterUnterPunkt(e.pos, true);
    if (!ziel) return false;
    LPARAM bpos = MAKELPARAM(static_cast<WORD>(e.pos.x), static_cast<WORD>(e.pos.y));
    LRESULT treffer = HTCLIENT;
    if (!wm.capture) {
        plFenster* w = plFensterVon(ziel);
        if (!w) return false;
        if (!plFensterFrei(w)) {
            if (runter) SendMessage(ziel, WM_SETCURSOR, ziel, MAKELPARAM(static_cast<WORD>(HTERROR), msg));
            return false;
        }
        treffer = SendMessage(ziel, WM_NCHITTEST, 0, bpos);
        if (!plFensterVon(ziel) || treffer == HTNOWHERE || treffer == HTTRANSPARENT) return false;
        if (runter) {
            HWND oben = plFensterOben(ziel);
            if (oben != wm.aktiv) {
                LRESULT r = SendMessage(ziel, WM_MOUSEACTIVATE, oben, MAKELPARAM(static_cast<WORD>(treffer), msg));
                if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) plFokusAktivieren(oben, WA_CLICKACTIVE);
                if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT) return false;
                if (!plFensterVon(ziel)) return false;
            }
        }
        SendMessage(ziel, WM_SETCURSOR, ziel, MAKELPARAM(static_cast<WORD>(treffer), msg));
        if (!plFensterVon(ziel)) return false;
    }
    bool client = treffer == HTCLIENT;
    if (!client) msg -= WM_MOUSEMOVE - WM_NCMOUSEMOVE;
    if (runter) {
        plFenster* w = plFensterVon(ziel);
        bool darf = !client || (w->klasse && (w->klasse->stil & CS_DBLCLKS));
        int dx = std::abs(static_cast<int>(e.pos.x - wm.klickPos.x));
        int dy = std::abs(static_cast<int>(e.pos.y - wm.klickPos.y));
        if (darf && wm.klickFenster == ziel && wm.klickNachricht == msg && e.zeit - wm.klickZeit <= wm.doppelklickZeit &&
            dx <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 && dy <= GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
            msg += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
            wm.klickFenster = 0;
        } else {
            wm.klickFenster = ziel;
            wm.klickNachricht = msg;
            wm.klickZeit = e.zeit;
            wm.klickPos = e.pos;
        }
    }
    if (runter && client) eingabeElternMelden(ziel, msg, e.pos);
    if (!plFensterVon(ziel)) return false;
    WPARAM wp;
    LPARAM lp;
    if (client) {
        POINT p = e.pos;
        ScreenToClient(ziel, &p);
        wp = eingabeMk(wm.tasten);
        lp = MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    } else {
        wp = static_cast<WPARAM>(treffer);
        lp = bpos;
    }
    *aus = MSG{ziel, msg, wp, lp, e.zeit, e.pos};
    return true;
}

HWND eingabeTastaturZiel(bool* ohneFokus)
{
    plWmZustand& wm = plWm();
    *ohneFokus = false;
    HWND ziel = wm.fokus;
    if (!ziel || !plFensterVon(ziel)) {
        ziel = wm.aktiv;
        *ohneFokus = true;
    }
    plFenster* w = plFensterVon(ziel);
    if (!w || !plFensterFrei(w)) return 0;
    return ziel;
}

bool eingabeTaste(const plEingabeEreignis& e, MSG* aus)
{
    plWmZustand& wm = plWm();
    bool runter = e.art == plEreignisArt::TasteRunter;
    bool warUnten = e.vk < 256 && (wm.tasten[e.vk] & 0x80);
    if (runter && !warUnten) wm.menueTasteAllein = e.vk == VK_MENU || e.vk == VK_LMENU || e.vk == VK_RMENU || e.vk == VK_F10;
    eingabeTasteSetzen(wm.tasten, e.vk, runter);
    bool ohneFokus;
    HWND ziel = eingabeTastaturZiel(&ohneFokus);
    if (!ziel) return false;
    bool alt = wm.tasten[VK_MENU] & 0x80, strg = wm.tasten[VK_CONTROL] & 0x80;
    bool sys = (alt && !strg) || e.vk == VK_F10 || (e.vk == VK_MENU) || ohneFokus;
    UINT msg = runter ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    UINT scan = e.scan ? e.scan : MapVirtualKey(e.vk, MAPVK_VK_TO_VSC);
    DWORD lp = static_cast<DWORD>(runter ? (e.wiederholung > 0 ? e.wiederholung : 1) & 0xFFFF : 1);
    lp |= (scan & 0xFF) << 16;
    if (e.erweitert) lp |= 1u << 24;
    if (alt) lp |= 1u << 29;
    if (runter ? warUnten : true) lp |= 1u << 30;
    if (!runter) lp |= 1u << 31;
    *aus = MSG{ziel, msg, e.vk, static_cast<LPARAM>(lp), e.zeit, wm.maus};
    return true;
}

}  // namespace

void plEingabeEreignisEinreihen(const plEingabeEreignis& e)
{
    plWmZustand& wm = plWm();
    plEingabeEreignis x = e;
    if (!x.zeit) x.zeit = GetTickCount();
    switch (x.art) {
    case plEreignisArt::MausRunter:
    case plEreignisArt::MausHoch:
        eingabeTasteSetzen(wm.tastenAsync, eingabeKnopfVk(x.knopf), x.art == plEreignisArt::MausRunter);
        [[fallthrough]];
    case plEreignisArt::MausBewegung:
    case plEreignisArt::MausRad: wm.maus = x.pos; break;
    case plEreignisArt::TasteRunter:
    case plEreignisArt::TasteHoch: eingabeTasteSetzen(wm.tastenAsync, x.vk, x.art == plEreignisArt::TasteRunter); break;
    case plEreignisArt::Zeichen: break;
    }
    wm.eingabe.push_back(x);
}

bool plEingabeWartet()
{
    plWmZustand& wm = plWm();
    return !wm.eingabe.empty() || !wm.eingabeNachrichten.empty();
}

bool plEingabeNehmen(MSG* aus)
{
    plWmZustand& wm = plWm();
    if (wm.eingabe.empty()) return false;
    plEingabeEreignis e = wm.eingabe.front();
    wm.eingabe.pop_front();
    switch (e.art) {
    case plEreignisArt::MausBewegung:
    case plEreignisArt::MausRunter:
    case plEreignisArt::MausHoch: return eingabeMaus(e, aus);
    case plEreignisArt::MausRad: {
        bool ohneFokus;
        HWND ziel = eingabeTastaturZiel(&ohneFokus);
        if (!ziel) return false;
        WPARAM wp = MAKEWPARAM(static_cast<WORD>(eingabeMk(wm.tasten)), static_cast<WORD>(static_cast<short>(e.delta)));
        *aus = MSG{ziel, WM_MOUSEWHEEL, wp, MAKELPARAM(static_cast<WORD>(e.pos.x), static_cast<WORD>(e.pos.y)), e.zeit, e.pos};
        return true;
    }
    case plEreignisArt::TasteRunter:
    case plEreignisArt::TasteHoch: return eingabeTaste(e, aus);
    case plEreignisArt::Zeichen: {
        bool ohneFokus;
        HWND ziel = eingabeTastaturZiel(&ohneFokus);
        if (!ziel) return false;
        *aus = MSG{ziel, ohneFokus ? static_cast<UINT>(WM_SYSCHAR) : static_cast<UINT>(WM_CHAR), e.zeichen, 1, e.zeit, wm.maus};
        return true;
    }
    }
    return false;
}

void plEingabeEnde()
{
    plWmZustand& wm = plWm();
    wm.eingabe.clear();
    wm.eingabeNachrichten.clear();
}

// ---- Key state and layout ------------------------------------------------------------------------

SHORT GetKeyState(int vk)
{
    if (vk < 0 || vk > 255) return 0;
    BYTE b = plWm().tasten[vk];
    return static_cast<SHORT>(((b & 0x80) ? 0x8000 : 0) | (b & 0x01));
}

SHORT GetAsyncKeyState(int vk)
{
    if (vk < 0 || vk > 255) return 0;
    return static_cast<SHORT>((plWm().tastenAsync[vk] & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* state)
{
    if (!state) return FALSE;
    for (int i = 0; i < 256; ++i) state[i] = plWm().tasten[i];
    return TRUE;
}

UINT MapVirtualKey(UINT code, UINT mapType)
{
    switch (mapType) {
    case MAPVK_VK_TO_VSC:
        for (const auto& s : eingabeScans)
            if (s.vk == code) return s.scan;
        if (code >= VK_NUMPAD0 && code <= VK_NUMPAD0 + 9) {
            static const UINT np[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
            return np[code - VK_NUMPAD0];
        }
        return 0;
    case MAPVK_VSC_TO_VK:
        for (const auto& s : eingabeScans)
            if (s.scan == code) return s.vk;
        return 0;
    case MAPVK_VK_TO_CHAR: {
        if (code >= 'A' && code <= 'Z') return code;
        BYTE leer[256] = {};
        WORD c = 0;
        return ToAscii(code, 0, leer, &c, 0) == 1 ? c : 0;
    }
    default: return 0;
    }
}

int ToAscii(UINT vk, UINT, const BYTE* state, WORD* buf, UINT)
{
    if (!buf) return 0;
    static const BYTE leer[256] = {};
    if (!state) state = leer;
    bool shift = state[VK_SHIFT] & 0x80, caps = state[VK_CAPITAL] & 0x01;
    bool strg = state[VK_CONTROL] & 0x80, alt = state[VK_MENU] & 0x80;
    if (strg && alt) return 0;
    int c = -1;
    if (vk >= 'A' && vk <= 'Z') {
        if (strg)
            c = static_cast<int>(vk - 'A' + 1);
        else
            c = (shift != caps) ? static_cast<int>(vk) : static_cast<int>(vk - 'A' + 'a');
    } else if (strg) {
        if (vk == VK_RETURN) c = '\n';
        else if (vk == VK_BACK) c = 0x7F;
        else if (vk == VK_ESCAPE) c = 0x1B;
    } else if (vk >= '0' && vk <= '9') {
        static const char mitShift[] = "=!\"\xA7$%&/()";
        c = shift ? static_cast<unsigned char>(mitShift[vk - '0']) : static_cast<int>(vk);
    } else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) {
        c = static_cast<int>('0' + (vk - VK_NUMPAD0));
    } else {
        switch (vk) {
        case VK_SPACE: c = ' '; break;
        case VK_RETURN: c = '\r'; break;
        case VK_BACK: c = 8; break;
        case VK_TAB: c = 9; break;
        case VK_ESCAPE: c = 27; break;
        case VK_MULTIPLY: c = '*'; break;
        case VK_ADD: c = '+'; break;
        case VK_SUBTRACT: c = '-'; break;
        case VK_DECIMAL: c = ','; break;
        case VK_DIVIDE: c = '/'; break;
        case VK_OEM_PLUS_PL: c = shift ? '*' : '+'; break;
        case VK_OEM_COMMA_PL: c = shift ? ';' : ','; break;
        case VK_OEM_MINUS_PL: c = shift ? '_' : '-'; break;
        case VK_OEM_PERIOD_PL: c = shift ? ':' : '.'; break;
        default: break;
        }
    }
    if (c < 0) return 0;
    buf[0] = static_cast<WORD>(c);
    return 1;
}

SHORT VkKeyScan(char ch)
{
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<SHORT>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<SHORT>(0x100 | c);
    if (c >= '0' && c <= '9') return static_cast<SHORT>(c);
    switch (c) {
    case ' ': return VK_SPACE;
    case '\r': return VK_RETURN;
    case '\t': return VK_TAB;
    case 8: return VK_BACK;
    case 27: return VK_ESCAPE;
    case '+': return VK_OEM_PLUS_PL;
    case '*': return 0x100 | VK_OEM_PLUS_PL;
    case ',': return VK_OEM_COMMA_PL;
    case ';': return 0x100 | VK_OEM_COMMA_PL;
    case '-': return VK_OEM_MINUS_PL;
    case '_': return 0x100 | VK_OEM_MINUS_PL;
    case '.': return VK_OEM_PERIOD_PL;
    case ':': return 0x100 | VK_OEM_PERIOD_PL;
    default: break;
    }
    static const char mitShift[] = "=!\"\xA7$%&/()";
    for (int i = 0; i < 10; ++i)
        if (static_cast<unsigned char>(mitShift[i]) == c) return static_cast<SHORT>(0x100 | ('0' + i));
    return -1;
}

// ---- Mouse -------------------------------------------------------------------------------------------

BOOL GetCursorPos(LPPOINT pt)
{
    if (!pt) return FALSE;
    *pt = plWm().maus;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    plEingabeEreignis e{};
    e.art = plEreignisArt::MausBewegung;
    e.pos = POINT{x, y};
    plEingabeEreignisEinreihen(e);
    plBeMausPosSetzen(x, y);
    return TRUE;
}

UINT GetDoubleClickTime()
{
    return plWm().doppelklickZeit;
}

BOOL SetDoubleClickTime(UINT ms)
{
    plWm().doppelklickZeit = ms ? ms : 500;
    return TRUE;
}

BOOL SwapMouseButton(BOOL)
{
    return FALSE;
}
