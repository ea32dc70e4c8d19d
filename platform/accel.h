// Accelerator tables: LoadAccelerators (from a module's ACCELERATORS
// resource), CreateAcceleratorTable, CopyAcceleratorTable,
// DestroyAcceleratorTable and TranslateAccelerator, shaped like the Windows
// calls. Prefix `plAccel`. May call: handle.h, ressource.h, eingabe.h
// (key state), nachricht.h, menue.h (greyed items).
//
// Matching (TranslateAccelerator): WM_KEYDOWN / WM_SYSKEYDOWN against
// FVIRTKEY entries, whose Shift, Ctrl and Alt flags must equal the keys
// held; WM_CHAR / WM_SYSCHAR against character entries, compared exactly,
// with Alt held exactly when FALT is given (Shift and Ctrl are part of the
// character). The first matching entry wins. The command is sent as
// WM_COMMAND (high word 1) to the window; a command that the window's menu
// shows greyed or disabled is swallowed without a message.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

HACCEL LoadAccelerators(HINSTANCE modul, LPCSTR name);
HACCEL CreateAcceleratorTable(const ACCEL* eintraege, int anzahl);
// dst NULL: the number of entries; else copies min(n, count) entries and
// returns that number. 0 for a bad handle.
int CopyAcceleratorTable(HACCEL h, ACCEL* dst, int n);
BOOL DestroyAcceleratorTable(HACCEL h);
// 1 when the message was a key of the table (it is then not to be
// dispatched), else 0.
int TranslateAccelerator(HWND hwnd, HACCEL h, const MSG* msg);

// Number of live tables (tests check that nothing leaks).
size_t plAccelAnzahl();
