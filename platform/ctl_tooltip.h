// The tooltip control of the layer ("tooltips_class32"): tools given by a
// window (TTF_IDISHWND: uId is the control's window) or by a rectangle of a
// window, texts given with the tool or asked for when shown (LPSTR_TEXTCALLBACK:
// WM_NOTIFY TTN_GETDISPINFO to the tool's window, with idFrom the tool id),
// mouse messages relayed by the program (TTM_RELAYEVENT) or watched by
// subclassing the tool's window (TTF_SUBCLASS). A tip shows after the
// initial delay while the mouse rests on a tool, whatever window is active
// (as TTS_ALWAYSTIP asks), and goes after the pop delay, on a click or when
// the mouse leaves; TTN_SHOW and TTN_POP are sent to the tool's window.
// Prefix `plTipp`. May call: fenster.h, nachricht.h, eingabe.h, gdi.h,
// stil3d.h, dialog.h.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#define TOOLTIPS_CLASS "tooltips_class32"
#define TTS_ALWAYSTIP 0x01
#define TTS_NOPREFIX 0x02
#define TTF_IDISHWND 0x0001
#define TTF_CENTERTIP 0x0002
#define TTF_SUBCLASS 0x0010
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3
#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_SETDELAYTIME (WM_USER + 3)
#define TTM_ADDTOOL (WM_USER + 4)
#define TTM_DELTOOL (WM_USER + 5)
#define TTM_NEWTOOLRECT (WM_USER + 6)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_GETTOOLINFO (WM_USER + 8)
#define TTM_SETTOOLINFO (WM_USER + 9)
#define TTM_GETTEXT (WM_USER + 11)
#define TTM_UPDATETIPTEXT (WM_USER + 12)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)
#define TTM_POP (WM_USER + 28)
#define TTM_UPDATE (WM_USER + 29)
#define TTM_POPUP (WM_USER + 34)
#define TTN_FIRST (0u - 520u)
#define TTN_GETDISPINFO (TTN_FIRST - 0)
#define TTN_NEEDTEXT TTN_GETDISPINFO
#define TTN_SHOW (TTN_FIRST - 1)
#define TTN_POP (TTN_FIRST - 2)
#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPSTR>(static_cast<intptr_t>(-1)))

struct TOOLINFO {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;       // the window that owns the tool (gets the notifications)
    UINT_PTR uId;    // an id, or the control's window with TTF_IDISHWND
    RECT rect;       // the tool's area in hwnd's client coordinates (not TTF_IDISHWND)
    HINSTANCE hinst;
    LPSTR lpszText;  // text, LPSTR_TEXTCALLBACK, or MAKEINTRESOURCE of a string
    LPARAM lParam;
};

struct NMTTDISPINFO {
    NMHDR hdr;
    LPSTR lpszText;   // set by the receiver: a text, or szText filled
    char szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};

// Milliseconds of the default delays.
inline constexpr UINT PL_TIPP_ANFANG = 500;
inline constexpr UINT PL_TIPP_DAUER = 5000;

void plTippKlasseRegistrieren();
