// System colours, metrics and parameters; see systemwerte.h. The palette is
// the classic Windows scheme, fixed: the program's look does not follow the
// desktop. Metrics are those of that scheme at 96 dpi.
#include "platform/systemwerte.h"

#include "platform/gdi.h"
#include "platform/gdiint.h"

namespace {

const COLORREF systemFarben[PL_SYSFARBEN] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(192, 192, 192),  // (25, unused)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

HBRUSH systemPinsel[PL_SYSFARBEN] = {};

struct SystemMetrik {
    int index;
    int wert;
};

const SystemMetrik systemMetriken[] = {
    {SM_CXVSCROLL, 17},
    {SM_CYHSCROLL, 17},
    {SM_CYCAPTION, 19},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CYVTHUMB, 17},
    {SM_CXHTHUMB, 17},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 19},
    {SM_MOUSEPRESENT, 1},
    {SM_CYVSCROLL, 17},
    {SM_CXHSCROLL, 17},
    {SM_SWAPBUTTON, 0},
    {SM_CXMIN, 112},
    {SM_CYMIN, 27},
    {SM_CXSIZE, 18},
    {SM_CYSIZE, 18},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXMINTRACK, 112},
    {SM_CYMINTRACK, 27},
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_CMOUSEBUTTONS, 3},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 15},
    {SM_CXMENUSIZE, 18},
    {SM_CYMENUSIZE, 18},
    {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
    {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
};

}  // namespace

DWORD GetSysColor(int index)
{
    if (index < 0 || index >= PL_SYSFARBEN) return 0;
    return systemFarben[index];
}

HBRUSH GetSysColorBrush(int index)
{
    if (index < 0 || index >= PL_SYSFARBEN) return 0;
    HBRUSH& b = systemPinsel[index];
    if (b && GetObjectType(b) == OBJ_BRUSH) return b;
    b = CreateSolidBrush(systemFarben[index]);
    if (b) gdiObjektDauerhaft(b);
    return b;
}

int GetSystemMetrics(int index)
{
    // The screen's own size (the display the backend found): a window sized
    // from these fits on a smaller screen than the nominal one.
    const GdiGeraet& g = gdiBildschirm();
    const int b = g.horzres, h = g.vertres;
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN: return b;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return h;
    case SM_CYFULLSCREEN: return h - PL_TASKLEISTE_HOEHE - 19;
    case SM_CXMAXTRACK: return b + 12;
    case SM_CYMAXTRACK: return h + 12;
    case SM_CXMAXIMIZED: return b + 8;
    case SM_CYMAXIMIZED: return h - PL_TASKLEISTE_HOEHE + 8;
    default: break;
    }
    for (const SystemMetrik& m : systemMetriken)
        if (m.index == index) return m.wert;
    return 0;
}

BOOL SystemParametersInfo(UINT action, UINT, LPVOID pv, UINT)
{
    switch (action) {
    case SPI_GETWORKAREA:
        if (!pv) return FALSE;
        *static_cast<RECT*>(pv) = RECT{0, 0, gdiBildschirm().horzres, gdiBildschirm().vertres - PL_TASKLEISTE_HOEHE};
        return TRUE;
    case SPI_GETWHEELSCROLLLINES:
        if (!pv) return FALSE;
        *static_cast<UINT*>(pv) = 3;
        return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
        if (!pv) return FALSE;
        *static_cast<BOOL*>(pv) = TRUE;
        return TRUE;
    default: return FALSE;
    }
}

void plSystemEnde()
{
    // The brushes are permanent GDI objects; the GDI layer frees them with
    // everything else. Forget them so that new ones are made after a reset.
    for (HBRUSH& b : systemPinsel) b = 0;
}
