// Global memory blocks of the platform layer: GlobalAlloc, GlobalLock,
// GlobalUnlock, GlobalSize, GlobalReAlloc, GlobalFree and GlobalFlags,
// shaped like the Windows calls. Prefix `plGlobal` for the layer's own
// additions. A block is an HGLOBAL id in a handle table (never a pointer),
// so it can travel in clipboard entries and message parameters; its bytes
// are reached only through GlobalLock. GMEM_FIXED blocks are handles too:
// callers always lock. May call: handle.h, fehlersim.h.
//
// Invariants:
//  1. A block's bytes never move while its lock count is above 0: growing
//     a locked block is refused.
//  2. A freed handle is dead: every call on it fails and touches nothing.
#pragma once

#include <cstddef>

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef GMEM_INVALID_HANDLE
#define GMEM_INVALID_HANDLE 0x8000
#define GMEM_LOCKCOUNT 0x00FF
#define GMEM_DISCARDED 0x4000
#define GMEM_MODIFY 0x0080
#endif

// Largest block the layer hands out (a larger request fails with 0).
inline constexpr size_t PL_GLOBAL_GROESSESUP = size_t{1} << 30;

HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
// The block's bytes (lock count + 1); NULL for a dead handle or a block of
// size 0.
LPVOID GlobalLock(HGLOBAL h);
// Lock count - 1; TRUE while the block is still locked.
BOOL GlobalUnlock(HGLOBAL h);
size_t GlobalSize(HGLOBAL h);
// Resizes in place (the handle stays); new bytes are zero with
// GMEM_ZEROINIT. 0 when the handle is dead, the size too large, or the block
// is locked and would have to grow. GMEM_MODIFY changes only the flags.
HGLOBAL GlobalReAlloc(HGLOBAL h, size_t bytes, UINT flags);
// 0 on success; the handle itself when it is dead.
HGLOBAL GlobalFree(HGLOBAL h);
// Lock count in the low byte; GMEM_INVALID_HANDLE for a dead handle.
UINT GlobalFlags(HGLOBAL h);

// Number of live blocks (tests check that nothing leaks).
size_t plGlobalAnzahl();
// A new block holding a copy of `n` bytes; 0 when allocation fails.
HGLOBAL plGlobalAus(const void* daten, size_t n, UINT flags = GMEM_MOVEABLE);
