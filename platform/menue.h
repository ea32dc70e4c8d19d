// Menus of the platform layer: menu objects (CreateMenu ... DestroyMenu),
// menu resources (LoadMenu), the menu bar in the non-client strip of a
// top-level window (its height, painting, DrawMenuBar), the system menu
// (GetSystemMenu) and menu tracking (the bar by mouse and keyboard,
// TrackPopupMenu(Ex)), shaped like the Windows calls with the documented
// values. Prefix `plMenue`. Implemented in menue.cpp (objects, items,
// resources, system menu) and menue_verfolgung.cpp (bar layout and
// painting, popup windows, the tracking loop, DefWindowProc's share).
// May call: handle.h, ressource.h, fenster.h, nachricht.h, eingabe.h,
// gdi.h, stil3d.h, systemwerte.h, backend.h.
//
// SetMenu and GetMenu are the window manager's; it asks this module for the
// bar's height and painting and offers it WM_SYSCOMMAND through the hooks of
// fenster.h, which every menu creation installs.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef MNC_IGNORE
#define MNC_IGNORE 0
#define MNC_CLOSE 1
#define MNC_EXECUTE 2
#define MNC_SELECT 3
#endif
#ifndef TPM_RECURSE
#define TPM_NOANIMATION 0x4000L
#define TPM_RECURSE 0x0001L
#define TPM_HORIZONTAL 0x0000L
#define TPM_VERTICAL 0x0040L
#endif

struct TPMPARAMS {
    UINT cbSize;
    RECT rcExclude;
};

// ---- Menu objects -------------------------------------------------------------------
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and every submenu it holds.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// `id` is the command, or the submenu's handle with MF_POPUP. Texts are
// code page 1252 with '&' before the mnemonic and '\t' before the shortcut.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text);
// DeleteMenu destroys a submenu of the item; RemoveMenu keeps it alive.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// Previous state (MF_GRAYED / MF_DISABLED bits), or -1 when the item is
// missing. MF_BYCOMMAND searches submenus too.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
// Previous check state (MF_CHECKED or 0), or -1 when the item is missing.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
// The command of the item; -1 for a submenu or a bad position.
UINT GetMenuItemID(HMENU menu, int position);
// Copies at most max - 1 characters of the item's text and a NUL; the
// count copied (buf NULL: the text's length); 0 when the item is missing.
int GetMenuString(HMENU menu, UINT item, LPSTR buf, int max, UINT flags);
// The item's flags (for a submenu also its item count in bits 8..15), or
// 0xFFFFFFFF when missing.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// A menu built from a MENU resource of the module; 0 when missing.
HMENU LoadMenu(HINSTANCE modul, LPCSTR name);

// ---- Menu bar, system menu, tracking ----------------------------------------------------
// Repaints the window's menu bar (and re-lays it out).
BOOL DrawMenuBar(HWND hwnd);
// The window's system menu (made on first use: restore, move, size,
// minimise, maximise, close SC_CLOSE); revert TRUE drops a changed copy and
// returns 0. A greyed or disabled SC_CLOSE stops WM_SYSCOMMAND SC_CLOSE
// (caption button, Alt+F4).
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
// Shows `menu` as a popup at the screen point and runs its loop until an
// item is chosen or the menu is dismissed. TPM_RETURNCMD: returns the
// command (0 when none); otherwise the command is posted to `owner` as
// WM_COMMAND and the result is TRUE when the loop ran. FALSE when a menu is
// already being tracked or the arguments are bad.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rc);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
// Ends the menu being tracked (as Esc all the way).
BOOL EndMenu();

// DefWindowProc turns Alt alone, F10, Alt + character and a press on the
// bar into WM_SYSCOMMAND SC_KEYMENU / SC_MOUSEMENU and offers every
// WM_SYSCOMMAND to the window manager's hook first; this module installs
// it (with the bar hooks): SC_KEYMENU tracks the bar by keyboard (lParam 0:
// the first bar item selected; a character: the bar item of that mnemonic
// opened; a blank: the system menu), SC_MOUSEMENU by mouse at the screen
// point in lParam, and an SC_CLOSE whose system-menu item is greyed or
// disabled is swallowed (caption button, Alt+F4).

// ---- For tests and backends ---------------------------------------------------------------
// The menu being tracked (0 when none), its popup window at depth `ebene`
// (0 first), and the item selected there (-1 none; the bar: ebene -1).
HMENU plMenueVerfolgt();
HWND plMenuePopupFenster(int ebene);
int plMenueAuswahl(int ebene);
// Screen rectangle of item `pos` of the popup at depth `ebene`; FALSE when
// none.
BOOL plMenuePopupPunkt(int ebene, int pos, RECT* rc);
// Screen rectangle of item `pos` of the bar of `hwnd`; FALSE when none.
BOOL plMenueLeistenPunkt(HWND hwnd, int pos, RECT* rc);
// Headless, a tracked menu whose loop is idle (no input, nothing posted, no
// program timer due within 2 s of virtual time from its opening) takes the
// next answer queued here: the item with that command is chosen
// (from the innermost open popup outwards); 0, a missing or greyed item, or
// an empty queue close the menu as Escape would. Input injected before the
// menu opened (keys, clicks) reaches it first, like a user's.
void plMenueAntwort(UINT id);
void plMenueSkriptLeeren();
// Called with the innermost popup window each time the loop is idle, before
// an answer is taken; input it injects is processed first (screenshots,
// clicks on plMenuePopupPunkt).
typedef void (*plMenueBeobachterFn)(HWND popup);
void plMenueBeobachter(plMenueBeobachterFn fn);
// Live menus (tests check that nothing leaks).
size_t plMenueAnzahl();
// Destroys every menu (end of the program or of a test).
void plMenueEnde();
