// WM_COPYDATA of the platform layer: the message value and the copy-data
// record, as documented. One process, one GUI thread: the record and the
// bytes it points at are the sender's and live only while SendMessage runs,
// so a receiver copies what it keeps during the call. The window manager
// needs nothing beyond SendMessage for it (DefWindowProc answers 0).
// Prefix none (the Windows names). May call: windef.h.
#pragma once

#include "platform/windef.h"

#ifndef WM_COPYDATA
#define WM_COPYDATA 0x004A
#endif

struct COPYDATASTRUCT {
    ULONG_PTR dwData;
    DWORD cbData;
    LPVOID lpData;
};
typedef COPYDATASTRUCT* PCOPYDATASTRUCT;
