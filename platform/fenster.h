// Window manager of the platform layer: window classes, windows, their
// geometry, texts, relations and the paint protocol, shaped like the Windows
// calls of the same names (documented values and semantics). Internal names
// carry the prefix `plFenster`. Implemented in fenster.cpp (classes,
// creation, destruction, long values, relations), fensterplatz.cpp
// (geometry, show, z-order, placement), fenstermal.cpp (paint protocol, DCs,
// non-client frame) and fensterdef.cpp (DefWindowProc). Messages are in
// nachricht.h, input, focus and activation in eingabe.h.
// May call: handle.h, uhr.h, gdi/gdiint.h (DCs), backend.h.
#pragma once

#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "platform/windef.h"

struct WNDCLASS {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct STYLESTRUCT {
    DWORD styleOld;
    DWORD styleNew;
};

#ifndef WS_EX_NOINHERITLAYOUT
#define WS_EX_NOINHERITLAYOUT 0x00100000L
#endif
#ifndef ICON_SMALL
#define ICON_SMALL 0
#define ICON_BIG 1
#endif
#ifndef GCL_HBRBACKGROUND
#define GCL_HBRBACKGROUND (-10)
#define GCL_HCURSOR (-12)
#define GCL_HICON (-14)
#define GCL_HICONSM (-34)
#define GCL_WNDPROC (-24)
#endif
#ifndef WPF_ASYNCWINDOWPLACEMENT
#define WPF_ASYNCWINDOWPLACEMENT 0x0004
#endif
#ifndef CWP_ALL
#define CWP_ALL 0x0000
#endif
#ifndef DCX_WINDOW
#define DCX_WINDOW 0x00000001L
#define DCX_CACHE 0x00000002L
#define DCX_CLIPCHILDREN 0x00000008L
#define DCX_CLIPSIBLINGS 0x00000010L
#define DCX_PARENTCLIP 0x00000020L
#define DCX_EXCLUDERGN 0x00000040L
#define DCX_INTERSECTRGN 0x00000080L
#endif
#ifndef SW_SCROLLCHILDREN
#define SW_SCROLLCHILDREN 0x0001
#define SW_INVALIDATE 0x0002
#define SW_ERASE 0x0004
#endif

// Starts the window manager: chooses the backend (plBackendWaehlen) and
// makes the desktop window. 0, or -1 when the backend named by
// VELMO_BACKEND is unknown or failed (the headless backend stands in then,
// so nothing breaks, but the program should end). Every call of the layer
// starts it on first use too; plFensterSystemEnde ends it.
int plFensterSystemStart();
void plFensterSystemEnde();

// ---- Classes ------------------------------------------------------------------
// Class names compare ignoring case. A class with live windows cannot be
// unregistered. Extra bytes (class and window) are limited to
// PL_FENSTER_EXTRASUP each; more is refused.
inline constexpr int PL_FENSTER_EXTRASUP = 1024;
ATOM RegisterClassEx(const WNDCLASSEX* wc);
ATOM RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(LPCSTR name, HINSTANCE inst);
BOOL GetClassInfoEx(HINSTANCE inst, LPCSTR name, WNDCLASSEX* wc);
BOOL GetClassInfo(HINSTANCE inst, LPCSTR name, WNDCLASS* wc);
int GetClassName(HWND hwnd, LPSTR buf, int size);
// Windows of class `name` draw user interface: their DCs render text as the
// desktop's UI text (the layer's controls, dialogs and menus are such
// classes already). A class that draws sheets or pictures is never named.
void plKlasseOberflaeche(const char* name);
// Whether the DCs of `hwnd` (client area; `ganz` the whole window, whose
// frame and menu strip are always UI) render UI text.
bool plFensterOberflaeche(HWND hwnd, bool ganz);
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);
DWORD GetClassLong(HWND hwnd, int index);
DWORD SetClassLong(HWND hwnd, int index, LONG value);

// ---- Windows --------------------------------------------------------------------
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR name, DWORD style, int x, int y, int w, int h,
                    HWND parent, HMENU menu, HINSTANCE inst, LPVOID param);
inline HWND CreateWindow(LPCSTR className, LPCSTR name, DWORD style, int x, int y, int w, int h, HWND parent,
                         HMENU menu, HINSTANCE inst, LPVOID param)
{
    return CreateWindowEx(0, className, name, style, x, y, w, h, parent, menu, inst, param);
}
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
HWND GetDesktopWindow();

LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
WORD GetWindowWord(HWND hwnd, int index);
WORD SetWindowWord(HWND hwnd, int index, WORD value);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd);
HWND GetNextWindow(HWND hwnd, UINT cmd);
BOOL IsChild(HWND parent, HWND hwnd);
int GetDlgCtrlID(HWND hwnd);
HWND FindWindow(LPCSTR className, LPCSTR title);
HWND FindWindowEx(HWND parent, HWND after, LPCSTR className, LPCSTR title);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lp);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lp);

BOOL SetWindowText(HWND hwnd, LPCSTR text);
int GetWindowText(HWND hwnd, LPSTR buf, int size);
int GetWindowTextLength(HWND hwnd);

HMENU GetMenu(HWND hwnd);
BOOL SetMenu(HWND hwnd, HMENU menu);

// ---- Geometry, showing, z-order -----------------------------------------------------
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int w, int h, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int w, int h, BOOL repaint);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, LPRECT rc);
BOOL GetClientRect(HWND hwnd, LPRECT rc);
BOOL AdjustWindowRectEx(LPRECT rc, DWORD style, BOOL menu, DWORD exStyle);
BOOL AdjustWindowRect(LPRECT rc, DWORD style, BOOL menu);
BOOL ClientToScreen(HWND hwnd, LPPOINT pt);
BOOL ScreenToClient(HWND hwnd, LPPOINT pt);
int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT n);
HWND WindowFromPoint(POINT pt);
HWND ChildWindowFromPoint(HWND parent, POINT pt);
HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* wp);
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* wp);

// ---- Painting ---------------------------------------------------------------------------
BOOL InvalidateRect(HWND hwnd, const RECT* rc, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rc);
BOOL ValidateRgn(HWND hwnd, HRGN rgn);
BOOL GetUpdateRect(HWND hwnd, LPRECT rc, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rc, HRGN rgn, UINT flags);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC hdc);
HWND WindowFromDC(HDC hdc);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
                   UINT flags);

// Without a screen, true while no one has looked at the pixels of the
// window's top level: its painting is held until they are first read (see
// fenstermal.cpp). A control may then hold drawing of its own that only
// its painting shows, and draw it when it is painted again.
bool plFensterUngesehen(HWND hwnd);

// ---- Hooks for the menu bar and the non-client extras of higher modules ---------------------
// Height of the menu-bar strip of a top-level window with a menu, for a
// window `breite` pixels wide. Default: SM_CYMENU.
typedef int (*plMenueLeisteHoeheFn)(HWND hwnd, HMENU menu, int breite);
// Paints the menu bar into `rc` of the window DC `hdc`. Default: fills the
// strip with COLOR_MENU.
typedef void (*plMenueLeisteMalenFn)(HWND hwnd, HMENU menu, HDC hdc, const RECT* rc);
// Paints what else lives in the non-client area (window scroll bars) after
// the frame, caption and menu bar; `hdc` is the window DC. Default: fills the
// scroll-bar strips with COLOR_SCROLLBAR.
typedef void (*plNcExtrasMalenFn)(HWND hwnd, HDC hdc);
void plFensterMenueHooks(plMenueLeisteHoeheFn hoehe, plMenueLeisteMalenFn malen);
void plFensterNcExtrasHook(plNcExtrasMalenFn malen);
// WM_SYSCOMMAND as DefWindowProc gets it, offered first to the menu module
// (SC_KEYMENU from Alt, F10 or Alt+character with the character in lParam,
// SC_MOUSEMENU from a press on the menu bar); TRUE when it took the command.
// Default: nothing takes it (SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE and
// SC_RESTORE are then done by DefWindowProc, the rest ignored).
typedef BOOL (*plSysBefehlFn)(HWND hwnd, WPARAM wp, LPARAM lp);
void plFensterSysBefehlHookSetzen(plSysBefehlFn f);
// FindWindow of a class found in no window of this process asks this hook
// (another process's window, e.g. the single-instance test); it returns a
// non-zero value when such a window exists. Default: 0.
typedef HWND (*plFremdFensterFn)(LPCSTR klasse, LPCSTR titel);
void plFensterFremdHookSetzen(plFremdFensterFn f);

// Saves window `hwnd` with its children as it is on its backing surface
// (the client area for a child, the whole window for a top-level) into a
// PNG file. 0 or -1.
int plFensterPng(HWND hwnd, const char* pfad);
// The colour of pixel (x, y) of a window's client area on its surface,
// CLR_INVALID outside or for a bad handle.
COLORREF plFensterPixel(HWND hwnd, int x, int y);
