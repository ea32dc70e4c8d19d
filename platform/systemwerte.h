// System values of the window manager: the fixed classic colour palette,
// system-colour brushes, system metrics and the work area of the virtual
// screen (1920 x 1080 at 96 dpi, a 40-pixel task bar at the bottom). Prefix
// `plSystem` for internals. Implemented in systemwerte.cpp; calls the GDI
// layer only to make the system-colour brushes.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef SPI_GETWORKAREA
#define SPI_GETWORKAREA 0x0030
#endif
#ifndef SPI_GETNONCLIENTMETRICS
#define SPI_GETNONCLIENTMETRICS 0x0029
#endif
#ifndef SPI_GETWHEELSCROLLLINES
#define SPI_GETWHEELSCROLLLINES 0x0068
#endif
#ifndef SPI_GETDRAGFULLWINDOWS
#define SPI_GETDRAGFULLWINDOWS 0x0026
#endif
#ifndef SM_CMOUSEBUTTONS
#define SM_CMOUSEBUTTONS 43
#endif
#ifndef SM_CXDRAG
#define SM_CXDRAG 68
#define SM_CYDRAG 69
#endif
#ifndef SM_CXMAXTRACK
#define SM_CXMAXTRACK 59
#define SM_CYMAXTRACK 60
#endif
#ifndef SM_CXMENUSIZE
#define SM_CXMENUSIZE 54
#define SM_CYMENUSIZE 55
#endif

inline constexpr int PL_BILDSCHIRM_BREITE = 1920;
inline constexpr int PL_BILDSCHIRM_HOEHE = 1080;
inline constexpr int PL_BILDSCHIRM_DPI = 96;
inline constexpr int PL_TASKLEISTE_HOEHE = 40;
inline constexpr int PL_SYSFARBEN = 31;  // COLOR_SCROLLBAR .. COLOR_MENUBAR

DWORD GetSysColor(int index);
// A permanent solid brush of a system colour (DeleteObject does nothing on
// it); 0 for an index out of range.
HBRUSH GetSysColorBrush(int index);
int GetSystemMetrics(int index);
BOOL SystemParametersInfo(UINT action, UINT param, LPVOID pv, UINT winIni);
// Frees the system-colour brushes (end of program or test).
void plSystemEnde();
