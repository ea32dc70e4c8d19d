// Bitmaps, icons and cursors from modules and files: LoadBitmap, LoadIcon,
// LoadCursor, LoadImage, icons (HICON) with DrawIcon/DrawIconEx and
// DestroyIcon, and the reading of ICO/CUR files (PNG or BMP images inside).
// Prefix `plBildLader` / `plIcon`. Where the bytes of a resource come from is
// a hook: the resource bundles register their loader at start; until then a
// stand-in answers from a table that tests (or start-up code) fill with
// plBildRessourceAnmelden. System icons (IDI_...) are drawn by the layer;
// system cursors come from the window manager (plCursorSystem).
// May call: platform/bild.h, platform/gdi.h, platform/gdiint.h (raster
// surfaces), platform/eingabe.h (cursors), platform/metafile.h,
// platform/handle.h.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/bild.h"
#include "platform/windef.h"
#include "platform/winconst.h"

#ifndef LR_DEFAULTCOLOR
#define LR_DEFAULTCOLOR 0x00000000
#define LR_MONOCHROME 0x00000001
#define LR_LOADFROMFILE 0x00000010
#define LR_LOADTRANSPARENT 0x00000020
#define LR_DEFAULTSIZE 0x00000040
#define LR_CREATEDIBSECTION 0x00002000
#define LR_SHARED 0x00008000
#endif
#ifndef DI_NORMAL
#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#endif
#define OIC_SAMPLE 32512

// ---- The resource hook ----------------------------------------------------------------
// Fills `bytes` with the image file of resource `name` (a text, compared
// ignoring case, or MAKEINTRESOURCE) of `art` (IMAGE_BITMAP, IMAGE_ICON,
// IMAGE_CURSOR) in `modul`; 0, or -1 when the module has no such resource.
typedef int (*plBildLaderFn)(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t>& bytes);
// Installs the loader (nullptr: back to the stand-in).
void plBildLaderSetzen(plBildLaderFn fn);
// The stand-in's table: the bytes of a BMP, PNG, ICO or CUR file for
// (modul, name, art); an entry of the same key is replaced.
void plBildRessourceAnmelden(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t> bytes);
void plBildRessourcenLeeren();

// ---- Icons and cursors files ------------------------------------------------------------
// One image of an ICO or CUR file: the entry closest to `groesse` pixels
// (largest when 0), decoded; hot spot from a CUR entry (0, 0 for icons).
// -1 for anything inconsistent (entries outside the file, images that do not
// decode, an AND mask cut short).
int plIcoLesen(const uint8_t* daten, size_t laenge, int groesse, plBild& bild, int& hx, int& hy,
               std::string* fehler = nullptr);

// ---- The Windows calls --------------------------------------------------------------------
HBITMAP LoadBitmap(HINSTANCE modul, LPCSTR name);
HICON LoadIcon(HINSTANCE modul, LPCSTR name);
HCURSOR LoadCursor(HINSTANCE modul, LPCSTR name);
// IMAGE_BITMAP, IMAGE_ICON, IMAGE_CURSOR (and IMAGE_ENHMETAFILE with
// LR_LOADFROMFILE); `cx`, `cy` scale the picture when not 0 (LR_DEFAULTSIZE:
// 32 x 32 for icons and cursors); LR_MONOCHROME gives a monochrome bitmap.
HANDLE LoadImage(HINSTANCE modul, LPCSTR name, UINT art, int cx, int cy, UINT flags);
BOOL DestroyIcon(HICON icon);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT schritt, HBRUSH hinter, UINT flags);

// ---- Icons as images (for the window manager and backends) ---------------------------------
// The picture of an icon (nullptr for a bad handle); it lives as long as the icon.
const plBild* plIconBild(HICON icon);
// A new icon from a picture (0 when it is empty).
HICON plIconAnlegen(const plBild& bild);
// Frees every icon (end of program or of a test).
void plIconsFreigeben();
