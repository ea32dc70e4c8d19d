// Window manager: cursors (system cursors, image cursors for the resource
// loader, SetCursor) and the one caret of the program (solid, grey or bitmap,
// shown by a hide count, blinking by a timer of the layer, drawn by
// inverting its rectangle in the owner's client area). See eingabe.h.
#include <map>
#include <vector>

#include "platform/backend.h"
#include "platform/fensterint.h"
#include "platform/gdi.h"
#include "platform/systemwerte.h"

namespace {

struct CursorDaten {
    int systemId = 0;
    int breite = 32, hoehe = 32, hx = 0, hy = 0;
    std::vector<uint32_t> argb;
};

inline constexpr int PL_CURSOR_SEITESUP = 256;  // largest image cursor side

plHandleTabelle<CursorDaten>* cursorTabelle = nullptr;
std::map<int, HCURSOR> cursorSystem;

const int cursorSystemIds[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642, 32643,
                               32644, 32645, 32646, 32648, 32649, 32650, 32651};

plHandleTabelle<CursorDaten>& cursorTab()
{
    if (!cursorTabelle) cursorTabelle = new plHandleTabelle<CursorDaten>(plHandleArt::Cursor);
    return *cursorTabelle;
}

struct CaretDaten {
    HWND fenster = 0;
    HBITMAP bitmap = 0;
    bool grau = false;
    int breite = 0, hoehe = 0;
    POINT pos{0, 0};
    int versteckt = 1;
    bool gezeichnet = false;
    bool imMalen = false;  // taken off for a paint, to be put back after it
    UINT blinkZeit = 530;
};

CaretDaten caret;

void caretInvertieren()
{
    HDC hdc = GetDC(caret.fenster);
    if (!hdc) return;
    if (caret.bitmap && !caret.grau) {
        HDC mem = CreateCompatibleDC(hdc);
        HGDIOBJ alt = SelectObject(mem, caret.bitmap);
        BitBlt(hdc, caret.pos.x, caret.pos.y, caret.breite, caret.hoehe, mem, 0, 0, SRCINVERT);
        SelectObject(mem, alt);
        DeleteDC(mem);
    } else {
        PatBlt(hdc, caret.pos.x, caret.pos.y, caret.breite, caret.hoehe, DSTINVERT);
    }
    ReleaseDC(caret.fenster, hdc);
    caret.gezeichnet = !caret.gezeichnet;
}

void caretWeg()
{
    if (caret.gezeichnet && plFensterVon(caret.fenster)) caretInvertieren();
    caret.gezeichnet = false;
}

void caretBlinkStarten()
{
    if (caret.fenster && caret.blinkZeit && caret.blinkZeit != 0xFFFFFFFFu)
        plNachrichtSystemTimer(caret.fenster, PL_CARET_TIMER, caret.blinkZeit);
}

}  // namespace

// ---- Cursors -------------------------------------------------------------------------------------------

HCURSOR plCursorSystem(LPCSTR idc)
{
    if (!IS_INTRESOURCE(idc)) return 0;
    int id = static_cast<int>(reinterpret_cast<uintptr_t>(idc));
    bool bekannt = false;
    for (int s : cursorSystemIds) bekannt = bekannt || s == id;
    if (!bekannt) return 0;
    auto it = cursorSystem.find(id);
    if (it != cursorSystem.end() && cursorTab().gueltig(it->second)) return it->second;
    auto d = std::make_unique<CursorDaten>();
    d->systemId = id;
    HCURSOR h = cursorTab().anlegen(std::move(d));
    if (h) cursorSystem[id] = h;
    return h;
}

int plCursorSystemId(HCURSOR cursor)
{
    CursorDaten* d = cursorTab().finden(cursor);
    return d ? d->systemId : 0;
}

HCURSOR plCursorAnlegen(int breite, int hoehe, int hx, int hy, const uint32_t* argb)
{
    if (!argb || breite <= 0 || hoehe <= 0 || breite > PL_CURSOR_SEITESUP || hoehe > PL_CURSOR_SEITESUP) return 0;
    auto d = std::make_unique<CursorDaten>();
    d->breite = breite;
    d->hoehe = hoehe;
    d->hx = std::clamp(hx, 0, breite - 1);
    d->hy = std::clamp(hy, 0, hoehe - 1);
    d->argb.assign(argb, argb + static_cast<size_t>(breite) * static_cast<size_t>(hoehe));
    return cursorTab().anlegen(std::move(d));
}

BOOL plCursorBeschreibung(HCURSOR cursor, plCursorBild* aus)
{
    CursorDaten* d = cursorTab().finden(cursor);
    if (!d || !aus) return FALSE;
    *aus = plCursorBild{d->systemId, d->breite, d->hoehe, d->hx, d->hy, d->argb.empty() ? nullptr : d->argb.data()};
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    plWmZustand& wm = plWm();
    if (cursor && !cursorTab().gueltig(cursor)) return wm.cursor;
    HCURSOR alt = wm.cursor;
    wm.cursor = cursor;
    if (alt != cursor) plBeCursorSetzen(cursor);
    return alt;
}

HCURSOR GetCursor()
{
    return plWm().cursor;
}

int ShowCursor(BOOL show)
{
    plWmZustand& wm = plWm();
    wm.cursorZaehler += show ? 1 : -1;
    return wm.cursorZaehler;
}

BOOL DestroyCursor(HCURSOR cursor)
{
    CursorDaten* d = cursorTab().finden(cursor);
    if (!d || d->systemId) return FALSE;
    if (plWm().cursor == cursor) SetCursor(0);
    return cursorTab().freigeben(cursor) ? TRUE : FALSE;
}

void plCursorEnde()
{
    caret = CaretDaten{};
    cursorSystem.clear();
    if (cursorTabelle) cursorTabelle->leeren();
}

// ---- Caret ------------------------------------------------------------------------------------------------

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int w, int h)
{
    if (!plFensterVon(hwnd)) return FALSE;
    DestroyCaret();
    caret.fenster = hwnd;
    caret.grau = bitmap == 1;
    caret.bitmap = bitmap;
    caret.breite = w ? w : GetSystemMetrics(SM_CXBORDER);
    caret.hoehe = h ? h : GetSystemMetrics(SM_CYBORDER);
    if (bitmap && bitmap != 1) {
        BITMAP bm{};
        if (!GetObject(bitmap, sizeof bm, &bm)) return FALSE;
        caret.breite = bm.bmWidth;
        caret.hoehe = bm.bmHeight;
    }
    caret.versteckt = 1;
    caret.gezeichnet = false;
    caret.pos = POINT{0, 0};
    return TRUE;
}

BOOL DestroyCaret()
{
    if (!caret.fenster) return FALSE;
    caretWeg();
    plNachrichtSystemTimerWeg(caret.fenster, PL_CARET_TIMER);
    UINT blink = caret.blinkZeit;
    caret = CaretDaten{};
    caret.blinkZeit = blink;
    return TRUE;
}

BOOL ShowCaret(HWND hwnd)
{
    if (!caret.fenster || (hwnd && hwnd != caret.fenster)) return FALSE;
    if (caret.versteckt == 0) return TRUE;
    if (--caret.versteckt == 0) {
        if (!caret.gezeichnet && !caret.imMalen) caretInvertieren();
        caretBlinkStarten();
    }
    return TRUE;
}

BOOL HideCaret(HWND hwnd)
{
    if (!caret.fenster || (hwnd && hwnd != caret.fenster)) return FALSE;
    ++caret.versteckt;
    caretWeg();
    return TRUE;
}

BOOL SetCaretPos(int x, int y)
{
    if (!caret.fenster) return FALSE;
    if (caret.pos.x == x && caret.pos.y == y) return TRUE;
    bool war = caret.gezeichnet;
    caretWeg();
    caret.pos = POINT{x, y};
    if ((war || caret.versteckt == 0) && !caret.imMalen) caretInvertieren();
    if (caret.versteckt == 0) caretBlinkStarten();  // a moved caret starts its phase shown
    return TRUE;
}

BOOL GetCaretPos(LPPOINT pt)
{
    if (!pt || !caret.fenster) return FALSE;
    *pt = caret.pos;
    return TRUE;
}

UINT GetCaretBlinkTime()
{
    return caret.blinkZeit;
}

BOOL SetCaretBlinkTime(UINT ms)
{
    caret.blinkZeit = ms;
    if (caret.fenster && caret.versteckt == 0) caretBlinkStarten();
    return TRUE;
}

plCaretZustand plCaretAbfragen()
{
    return plCaretZustand{caret.fenster, caret.pos, caret.breite, caret.hoehe, caret.versteckt == 0, caret.gezeichnet};
}

void plCaretFensterWeg(HWND h)
{
    if (caret.fenster == h) {
        caret.gezeichnet = false;  // its pixels go with the window
        DestroyCaret();
    }
}

void plCaretVorMalen(HWND h)
{
    if (!caret.fenster || caret.fenster != h || plFensterNachholenLaeuft()) return;
    caret.imMalen = true;
    caretWeg();
}

void plCaretNachMalen(HWND h)
{
    if (!caret.fenster || caret.fenster != h || !caret.imMalen || plFensterNachholenLaeuft()) return;
    caret.imMalen = false;
    if (caret.versteckt == 0 && !caret.gezeichnet) caretInvertieren();
}

void plCaretTimer()
{
    if (!caret.fenster || caret.versteckt != 0 || caret.imMalen) return;
    caretInvertieren();
}
