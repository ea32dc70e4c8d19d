// Metafiles of the platform layer: Windows metafiles (WMF) and enhanced
// metafiles (EMF) made by recording any GDI drawing into a metafile DC, kept
// in memory or written to a file, their bits read and set, and played into
// any DC. Shaped like the Windows calls of the same names. Prefix `plMeta`
// for the layer's own additions. Players check a whole file before drawing
// anything: a truncated or inconsistent file is refused (the call fails and
// plMetaFehler() says why); records of unknown kinds are skipped.
// May call: platform/gdi.h, platform/gdiint.h (recording DCs),
// platform/metafile_format.h, platform/bild.h, platform/handle.h.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/metafile_format.h"
#include "platform/windef.h"
#include "platform/winconst.h"

struct METAFILEPICT {
    LONG mm;
    LONG xExt;
    LONG yExt;
    HMETAFILE hMF;
};

// ---- Windows metafiles ---------------------------------------------------------
// A metafile DC recording into memory (file nullptr) or, at CloseMetaFile,
// into the file (written to a temporary name and renamed).
HDC CreateMetaFile(LPCSTR file);
// Ends the recording: the metafile, or 0 (the DC is freed either way; 0 also
// when the file cannot be written).
HMETAFILE CloseMetaFile(HDC hdc);
// A metafile from a file (bare; a placeable header is skipped); 0 when the
// file cannot be read or is not a valid metafile.
HMETAFILE GetMetaFile(LPCSTR file);
HMETAFILE CopyMetaFile(HMETAFILE hmf, LPCSTR file);
BOOL DeleteMetaFile(HMETAFILE hmf);
// Size of the bits when `buf` is nullptr; else copies them when `size` is
// large enough (0 when not).
UINT GetMetaFileBitsEx(HMETAFILE hmf, UINT size, LPVOID buf);
// A metafile from bits (a copy); 0 when they are not a valid metafile.
HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data);
BOOL PlayMetaFile(HDC hdc, HMETAFILE hmf);

// ---- Enhanced metafiles ------------------------------------------------------------
// `frame` in 0.01 mm (nullptr: the bounds of what is drawn); the reference
// device is `ref` or, when 0, the screen. `desc` (may be nullptr): the
// application name; only the text up to its first NUL is read, so a caller's
// single-NUL string is never read past.
HDC CreateEnhMetaFile(HDC ref, LPCSTR file, const RECT* frame, LPCSTR desc);
HENHMETAFILE CloseEnhMetaFile(HDC hdc);
HENHMETAFILE GetEnhMetaFile(LPCSTR file);
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE hemf, LPCSTR file);
BOOL DeleteEnhMetaFile(HENHMETAFILE hemf);
UINT GetEnhMetaFileBits(HENHMETAFILE hemf, UINT size, LPBYTE buf);
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
// Copies the header (at most `size` bytes); the header's size when `out` is
// nullptr; 0 for an unknown handle.
UINT GetEnhMetaFileHeader(HENHMETAFILE hemf, UINT size, ENHMETAHEADER* out);
// Plays the metafile so that its frame fills `rc` (logical units of `hdc`).
BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE hemf, const RECT* rc);

// ---- The layer's own additions -------------------------------------------------------
// Reason of the last refused metafile (empty when none).
const char* plMetaFehler();
// Reads a metafile file into its bare bits; with the placeable key the
// header is returned in `kopf` and `platziert` is set. -1 when the file
// cannot be read or its bits are not a valid metafile.
int plWmfDateiLesen(const char* pfad, std::vector<uint8_t>& bits, plWmfPlatziert* kopf, bool* platziert);
// Writes bare bits to a file, with a placeable header first when `kopf` is
// given (temporary name, renamed; -1 on any failure).
int plWmfDateiSchreiben(const char* pfad, const uint8_t* bits, size_t laenge, const plWmfPlatziert* kopf);
// Frees every metafile (end of program or of a test).
void plMetaAllesFreigeben();
