// Scroll bars of the platform layer: the SCROLLBAR control class and the
// scroll bars of windows with WS_HSCROLL / WS_VSCROLL, shaped like the
// Windows calls of the same names (documented values and semantics).
// Prefix `plScroll`. Implemented in ctl_scroll.cpp (the shared bar core:
// geometry, drawing, the tracking loop; the control class) and
// scrollbar.cpp (window scroll bars in the non-client area).
// May call: fenster.h, nachricht.h, eingabe.h, gdi.h, systemwerte.h.
//
// Rules (as on Windows):
//  1. A bar holds min, max, page and pos; pos is kept in
//     min .. max - max(page - 1, 0), page in 0 .. max - min + 1.
//  2. Moving the mouse on a bar never changes pos by itself: the bar sends
//     WM_HSCROLL / WM_VSCROLL (a control to its parent with lParam = the
//     control, a window bar to its window with lParam 0) and the receiver
//     sets the new position. While the thumb is dragged the bar shows the
//     track position; SB_THUMBTRACK and SB_THUMBPOSITION carry its low 16
//     bits, GetScrollInfo(SIF_TRACKPOS) the whole 32-bit value.
//  3. A window bar whose range becomes unnecessary (max <= min, or a page
//     larger than the range) is hidden, or disabled when SIF_DISABLENOSCROLL
//     was given; it is shown (and enabled again) once it is needed.
//  4. Arrows and page areas repeat while the button is held (first after
//     PL_SCROLL_VERZOEGERUNG ms, then every PL_SCROLL_WIEDERHOLUNG ms);
//     every press ends with SB_ENDSCROLL.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef ESB_DISABLE_LTUP
#define ESB_DISABLE_LEFT 0x0001
#define ESB_DISABLE_RIGHT 0x0002
#define ESB_DISABLE_UP 0x0001
#define ESB_DISABLE_DOWN 0x0002
#define ESB_DISABLE_LTUP ESB_DISABLE_LEFT
#define ESB_DISABLE_RTDN ESB_DISABLE_RIGHT
#endif

inline constexpr int PL_SCROLL_VERZOEGERUNG = 200;
inline constexpr int PL_SCROLL_WIEDERHOLUNG = 50;

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* si, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* si);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);

// Registers the class "SCROLLBAR" (once per window-manager run; again after
// plFensterSystemEnde) and installs the painter of window scroll bars.
void plScrollAnmelden();

// Mouse on a window scroll bar: DefWindowProc hands WM_NCLBUTTONDOWN and
// WM_NCLBUTTONDBLCLK with HTHSCROLL / HTVSCROLL here, or the WM_SYSCOMMAND
// SC_HSCROLL / SC_VSCROLL it makes of them (`lp` the screen point). Runs the
// tracking loop until the button is released. 1 when the message was a
// scroll-bar press, else 0. The standard controls call it themselves.
LRESULT plScrollNcKlick(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
