// The tool bar control of the layer ("ToolbarWindow32"), the part of it the
// window library uses: bitmaps added as strips of square images
// (TB_ADDBITMAP with a bitmap handle), push buttons and separators
// (TB_ADDBUTTONS), button and bitmap sizes, enabling and checking, item
// rectangles, a layout along the top of the parent at full width
// (TB_AUTOSIZE, CCS_TOP), clicks sent to the parent as WM_COMMAND with the
// button's command id, and with TBSTYLE_TOOLTIPS a tooltip control whose
// text requests (TTN_GETDISPINFO, idFrom = the command id) go to the
// parent. Buttons are laid out left to right from x = 0; a separator is
// PL_TBAR_LUECKE pixels wide. Prefix `plTbar`. May call: fenster.h,
// nachricht.h, eingabe.h, gdi.h, stil3d.h, systemwerte.h, ctl_status.h (CCS_),
// ctl_tooltip.h,
// dialog.h.
#pragma once

#include "platform/ctl_status.h"
#include "platform/winconst.h"
#include "platform/windef.h"

#define TOOLBARCLASSNAME "ToolbarWindow32"

#define TBSTATE_CHECKED 0x01
#define TBSTATE_PRESSED 0x02
#define TBSTATE_ENABLED 0x04
#define TBSTATE_HIDDEN 0x08
#define TBSTYLE_BUTTON 0x0000
#define TBSTYLE_SEP 0x0001
#define TBSTYLE_CHECK 0x0002
#define TBSTYLE_TOOLTIPS 0x0100
#define TBSTYLE_FLAT 0x0800

#define TB_ENABLEBUTTON (WM_USER + 1)
#define TB_CHECKBUTTON (WM_USER + 2)
#define TB_ISBUTTONENABLED (WM_USER + 9)
#define TB_ISBUTTONCHECKED (WM_USER + 10)
#define TB_ADDBITMAP (WM_USER + 19)
#define TB_ADDBUTTONS (WM_USER + 20)
#define TB_DELETEBUTTON (WM_USER + 22)
#define TB_GETBUTTON (WM_USER + 23)
#define TB_BUTTONCOUNT (WM_USER + 24)
#define TB_COMMANDTOINDEX (WM_USER + 25)
#define TB_ADDSTRING (WM_USER + 28)
#define TB_GETITEMRECT (WM_USER + 29)
#define TB_BUTTONSTRUCTSIZE (WM_USER + 30)
#define TB_SETBUTTONSIZE (WM_USER + 31)
#define TB_SETBITMAPSIZE (WM_USER + 32)
#define TB_AUTOSIZE (WM_USER + 33)
#define TB_GETTOOLTIPS (WM_USER + 35)

inline constexpr int PL_TBAR_LUECKE = 8;    // separator width in pixels
inline constexpr int PL_TBAR_RAND = 2;      // margin above and below the buttons
inline constexpr int PL_TBAR_KNOPFSUP = 1000;

struct TBBUTTON {
    int iBitmap;
    int idCommand;
    BYTE fsState;
    BYTE fsStyle;
    BYTE bReserved[6];
    DWORD_PTR dwData;
    INT_PTR iString;
};

// hInst 0: nID is a bitmap handle whose width holds width / bitmap-width images.
struct TBADDBITMAP {
    HINSTANCE hInst;
    UINT_PTR nID;
};

void plTbarKlasseRegistrieren();
