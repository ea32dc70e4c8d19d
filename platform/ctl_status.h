// The status bar control of the layer ("msctls_statusbar32"): parts with
// right edges (-1: to the right edge), a text per part (left; a tab centres
// what follows, a second tab right-aligns it), sunken, flat or raised part
// borders, a simple mode with one text, a size grip (SBARS_SIZEGRIP), and
// clicks reported to the parent as WM_NOTIFY (NM_CLICK, NM_DBLCLK, NM_RCLICK,
// NM_RDBLCLK with an NMMOUSE naming the part). It places itself along the
// bottom of its parent at full width whenever it gets WM_SIZE, and keeps its
// height. Prefix `plStatus`. May call: fenster.h, nachricht.h, gdi.h,
// stil3d.h, dialog.h.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#define STATUSCLASSNAME "msctls_statusbar32"

#ifndef NM_CLICK
#define NM_FIRST 0u
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#endif
#ifndef CCS_TOP
#define CCS_TOP 0x00000001L
#define CCS_NOMOVEY 0x00000002L
#define CCS_BOTTOM 0x00000003L
#define CCS_NORESIZE 0x00000004L
#define CCS_NOPARENTALIGN 0x00000008L
#endif

#define SBARS_SIZEGRIP 0x0100
#define SBARS_TOOLTIPS 0x0800
#define SB_SETTEXT (WM_USER + 1)
#define SB_GETTEXT (WM_USER + 2)
#define SB_GETTEXTLENGTH (WM_USER + 3)
#define SB_SETPARTS (WM_USER + 4)
#define SB_GETPARTS (WM_USER + 6)
#define SB_GETBORDERS (WM_USER + 7)
#define SB_SETMINHEIGHT (WM_USER + 8)
#define SB_SIMPLE (WM_USER + 9)
#define SB_GETRECT (WM_USER + 10)
#define SB_ISSIMPLE (WM_USER + 14)
#define SB_SETBKCOLOR 0x2001
#define SBT_NOBORDERS 0x0100
#define SBT_POPOUT 0x0200
#define SBT_RTLREADING 0x0400
#define SBT_OWNERDRAW 0x1000
#define SB_SIMPLEID 0x00FF
#define PL_STATUS_TEILESUP 256

struct NMMOUSE {
    NMHDR hdr;
    DWORD_PTR dwItemSpec;  // the part, or SB_SIMPLEID in simple mode; -1 none
    DWORD_PTR dwItemData;
    POINT pt;              // client coordinates of the bar
    LPARAM dwHitInfo;
};

// Creates a status bar child (as the old helper call does): style plus
// WS_CHILD, the text of part 0, id.
HWND CreateStatusWindow(LONG style, LPCSTR text, HWND parent, UINT id);

void plStatusKlasseRegistrieren();
