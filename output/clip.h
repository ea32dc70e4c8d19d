// The drawing clipboard formats: the program's two private formats
// "ZavikStatus" (project folder and a reference point of a copy) and
// "ZavikZeichnung" (the bytes of a drawing file), and the small clipboard
// operations that put and get texts, bitmaps, metafile pictures and enhanced
// metafiles. Prefix `Clip`. Calls platform (clipboard, global memory,
// metafiles), support (blocks) and winlib (the main window as owner).
//
// Each operation opens the clipboard with the main window as owner and
// closes it again, except the copy sequence: ClipStatusBeginnen leaves the
// clipboard open for ClipTextDazu, ClipMetaDazu, ClipZeichnungDazu,
// ClipBitmapDazu, and ClipSchliessen closes it. Memory the clipboard
// accepted belongs to it; blocks returned by the readers belong to the
// caller. Blocks from the clipboard may come from another process and are
// checked before use: a block shorter than its format needs counts as
// absent.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/windef.h"

// Status block layout.
inline constexpr size_t CLIP_STATUS_GROESSE = 224;
inline constexpr size_t CLIP_STATUS_TEXTSUP = 208;  // text field incl. NUL
inline constexpr size_t CLIP_STATUS_X = 208;
inline constexpr size_t CLIP_STATUS_Y = 216;

// Registers both private formats with the system (once per run).
void ClipFormateAnmelden();
// The registered numbers of "ZavikStatus" and "ZavikZeichnung" (registering
// them when needed).
UINT ClipStatusFormat();
UINT ClipZeichnungFormat();

// Replacing operations: TRUE when the clipboard took the data. A bitmap or
// enhanced metafile the clipboard refused stays the caller's.
BOOL ClipTextSetzen(const char* text);
BOOL ClipBitmapSetzen(HBITMAP bild);
// A metafile picture from `groesse` bytes of Windows metafile records (the
// caller keeps its bytes), `b` x `h` pixels at `r` pixels per inch.
BOOL ClipMetaSetzen(const void* bits, size_t groesse, int b, int h, int r);
BOOL ClipEmfSetzen(HENHMETAFILE emf);

// The copy sequence. ClipStatusBeginnen opens and empties the clipboard and
// puts a status block (the text cut to 207 bytes); FALSE when the clipboard
// could not be opened (nothing is open then).
BOOL ClipStatusBeginnen(const char* text, double x, double y);
BOOL ClipTextDazu(const char* text);
BOOL ClipMetaDazu(const void* bits, size_t groesse, int b, int h, int r);
// The caller's block (u32 L, then L bytes) of `groesse` = L + 4 bytes,
// copied; refused when `groesse` and L disagree.
BOOL ClipZeichnungDazu(const void* block, size_t groesse);
// CF_BITMAP into the open clipboard; a refused bitmap stays the caller's.
BOOL ClipBitmapDazu(HBITMAP bild);
void ClipSchliessen();

// Reads a status block: 1 and the text (208 bytes incl. NUL; may be null)
// and the point (each may be null), else 0 and nothing written.
int ClipStatusHolen(char* text, double* x, double* y);
// Reads a drawing block: 1 and a new block (fmalllong) of 4 + L bytes, else
// 0 and *block = nullptr.
int ClipZeichnungHolen(char** block);
// At most n characters of CF_TEXT and a NUL into `puffer` (n + 1 bytes); an
// empty string when there is no text.
void ClipTextHolen(char* puffer, int n);
// A new zero-filled block (fmalloc) with a copy of CF_TEXT, or nullptr.
char* ClipTextNeu();

// The metafile picture's extents in 0.01 mm for `b` x `h` pixels at `r`
// pixels per inch; FALSE for r <= 0.
BOOL ClipMetaAusmass(int b, int h, int r, LONG* xExt, LONG* yExt);
