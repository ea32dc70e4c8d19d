// Messages, message loops and timers of the window manager, shaped like the
// Windows calls of the same names. Prefix `plNachricht` for internals.
// Implemented in nachricht.cpp.
//
// Order in which GetMessage/PeekMessage hand out work (as on Windows):
//   1. posted messages, first in first out;
//   2. input (mouse and keys from the backend), turned into messages when
//      taken, so hit testing and capture apply at that moment;
//   3. the quit message once PostQuitMessage was called;
//   4. WM_PAINT for a window with a non-empty update region;
//   5. WM_TIMER for an expired timer (one per expiry, never piled up).
// Sent messages call the window procedure at once, re-entrantly; nested
// loops (message boxes, menus, modal dialogs) run from any depth.
// One GUI thread: InSendMessage is always FALSE, ReplyMessage does nothing.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef PM_QS_INPUT
#define PM_QS_INPUT 0x04070000
#define PM_QS_POSTMESSAGE 0x00980000
#define PM_QS_PAINT 0x00200000
#endif
#ifndef QS_KEY
#define QS_KEY 0x0001
#define QS_MOUSEMOVE 0x0002
#define QS_MOUSEBUTTON 0x0004
#define QS_POSTMESSAGE 0x0008
#define QS_TIMER 0x0010
#define QS_PAINT 0x0020
#define QS_SENDMESSAGE 0x0040
#define QS_MOUSE (QS_MOUSEMOVE | QS_MOUSEBUTTON)
#define QS_INPUT (QS_MOUSE | QS_KEY)
#define QS_ALLINPUT (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE)
#endif

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
BOOL PostThreadMessage(DWORD thread, UINT msg, WPARAM wp, LPARAM lp);
BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
void PostQuitMessage(int code);
// Returns 0 for WM_QUIT, 1 otherwise; -1 for a bad window handle.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL InSendMessage();
BOOL ReplyMessage(LRESULT result);
LONG GetMessageTime();
DWORD GetMessagePos();
DWORD GetQueueStatus(UINT flags);
DWORD GetCurrentThreadId();
UINT RegisterWindowMessage(LPCSTR name);

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT ms, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Number of pending timers (including the layer's own, e.g. the caret).
int plNachrichtTimerAnzahl();
// Milliseconds until the next timer expires on the program clock; -1 when
// there is none. `auchSystem`: count the layer's own timers too.
int64_t plNachrichtNaechsterTimer(bool auchSystem);
// Whether posted messages, input or paint work is waiting now.
bool plNachrichtArbeitWartet();
