// Input of the window manager: keyboard state, focus, activation, enabling,
// mouse capture, cursors and the caret, shaped like the Windows calls of the
// same names. Prefix `plEingabe` for internals. Implemented in eingabe.cpp
// (input events to messages, key state), fokus.cpp (focus, activation,
// enabling, capture) and cursor.cpp (cursors, caret).
//
// Input arrives from the backend as plEingabeEreignis records in a queue;
// GetMessage turns one into messages when it is taken (after posted
// messages), so capture and the window under the mouse count at that time.
#pragma once

#include <cstdint>

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef KF_EXTENDED
#define KF_EXTENDED 0x0100
#define KF_DLGMODE 0x0800
#define KF_MENUMODE 0x1000
#define KF_ALTDOWN 0x2000
#define KF_REPEAT 0x4000
#define KF_UP 0x8000
#endif
#ifndef MAPVK_VK_TO_VSC
#define MAPVK_VK_TO_VSC 0
#define MAPVK_VSC_TO_VK 1
#define MAPVK_VK_TO_CHAR 2
#endif

// ---- Keyboard -------------------------------------------------------------------
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(BYTE* state);  // 256 bytes
UINT MapVirtualKey(UINT code, UINT mapType);
// The character (code page 1252) key `vk` gives with the key state `state`
// (256 bytes); 1 when one was written to buf[0], 0 when the key gives none.
int ToAscii(UINT vk, UINT scan, const BYTE* state, WORD* buf, UINT flags);
SHORT VkKeyScan(char ch);

// ---- Focus, activation, enabling, capture -----------------------------------------
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// ---- Mouse ---------------------------------------------------------------------------
BOOL GetCursorPos(LPPOINT pt);
BOOL SetCursorPos(int x, int y);
UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT ms);
BOOL SwapMouseButton(BOOL swap);

// ---- Cursors ---------------------------------------------------------------------------
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
BOOL DestroyCursor(HCURSOR cursor);
// The handle of a system cursor (IDC_ARROW, IDC_WAIT, ...); 0 for an unknown
// id. Always the same handle per id; never freed. LoadCursor(0, id) gives it.
HCURSOR plCursorSystem(LPCSTR idc);
// The IDC number of a system cursor handle, 0 for another cursor.
int plCursorSystemId(HCURSOR cursor);
// A cursor from an image: `argb` holds breite x hoehe pixels, premultiplied
// ARGB32 as Cairo stores them, rows top to bottom; hot spot (hx, hy). For
// the resource loader. 0 when the table is full or the size is bad.
HCURSOR plCursorAnlegen(int breite, int hoehe, int hx, int hy, const uint32_t* argb);
struct plCursorBild {
    int systemId;  // IDC number, 0 for an image cursor
    int breite, hoehe, hx, hy;
    const uint32_t* argb;  // nullptr for system cursors
};
// What a cursor is, for backends; FALSE for a bad handle.
BOOL plCursorBeschreibung(HCURSOR cursor, plCursorBild* aus);

// ---- Caret -------------------------------------------------------------------------------
// One caret for the program. `bitmap` 0 gives a solid caret w x h (0 = the
// system border width / height), 1 a grey one; another handle a bitmap
// caret. The caret starts hidden; it blinks by a timer of the layer.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int w, int h);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT pt);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT ms);
// Caret state for tests and backends: owner (0 none), whether it is shown
// (hide count 0) and whether its blink phase has it drawn now.
struct plCaretZustand {
    HWND fenster;
    POINT pos;
    int breite, hoehe;
    bool sichtbar;
    bool gezeichnet;
};
plCaretZustand plCaretAbfragen();

// ---- Input events from backends ---------------------------------------------------------
enum class plEreignisArt : uint8_t {
    MausBewegung,
    MausRunter,   // knopf 0 left, 1 right, 2 middle
    MausHoch,
    MausRad,      // delta in units of WHEEL_DELTA (120 per notch)
    TasteRunter,  // vk, scan, erweitert; wiederholung for auto-repeat
    TasteHoch,
    Zeichen,      // one character of code page 1252 (typed text, input method)
};
struct plEingabeEreignis {
    plEreignisArt art;
    POINT pos;        // screen position of the mouse for mouse events
    int knopf = 0;
    int delta = 0;
    UINT vk = 0;
    UINT scan = 0;
    bool erweitert = false;
    int wiederholung = 1;
    unsigned char zeichen = 0;
    DWORD zeit = 0;   // GetTickCount when it happened (0: when queued)
};
// Queues an input event (updates the asynchronous key and mouse state at
// once, the GetKeyState view when the event is taken). Backends call it.
void plEingabeEreignisEinreihen(const plEingabeEreignis& e);
// Whether input waits in the queue.
bool plEingabeWartet();
