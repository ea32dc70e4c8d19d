// Bitmaps, metafiles, painting and the control commands of the window
// library: button-face copies of bitmaps (key colour RGB(240, 240, 240)),
// bitmaps handed to controls by WM_COPYDATA, the BMP-file and metafile-file
// readers (over the platform's bounds-checked parsers), placeable metafile
// files, the paint context of the current dialog and the senders of the
// escape commands of the custom controls. Prefix `wi`.
// May call: platform/, support/, config/, the dialog manager, the dialog
// items and the frame record of winlib/.
#pragma once

#include <cstdint>

#include "platform/windef.h"

inline constexpr COLORREF WITASTENFARBE = RGB(240, 240, 240);  // key colour
inline constexpr uint32_t WIMETASCHLUESSEL = 0x9AC6CDD7u;     // placeable key
inline constexpr int WIMETAKOPFSUP = 22;                      // header bytes
inline constexpr int WIMETAEINHEITEN = 254;                   // units per inch
inline constexpr int WIBMPBLOCKSUP = 4096;                    // read block
inline constexpr int WIBEFEHLSUP = 128;                       // escape command text

// ---- Bitmaps -----------------------------------------------------------------------------
HBITMAP wiBitmapTasten(HBITMAP quelle);
HBITMAP wiBitmapLaden(const char* name);
HBITMAP wiModulBitmapLaden(HMODULE modul, const char* name);
HBITMAP wiBitmapResource(const char* name);
HBITMAP wiBitmapAusModul(HMODULE modul, const char* name);
// WM_COPYDATA, dwData 1, cbData 4, lpData at the 32-bit handle; wParam the
// main window, or the current dialog for a control of it.
LRESULT wiBitmapSenden(HWND fenster, HBITMAP bitmap);
LRESULT wiItemBitmap(int id, HBITMAP bitmap);
void wiBitmapNameSenden(HWND fenster, const char* name);
void wiItemBitmapName(int id, const char* name);
void wiFensterBitmapLaden(HWND fenster, const char* name);
void wiItemBitmapLaden(int id, const char* name);
void wiModulBitmapSenden(HMODULE modul, HWND fenster, const char* name);
void wiModulItemBitmap(HMODULE modul, int id, const char* name);
HBITMAP wiBitmapWeiss(int breite, int hoehe);
void wiBitmapFuellen(HBITMAP bitmap, int x, int y, int b, int h, int r, int g, int bl);
void wiBitmapGroesse(HBITMAP bitmap, int* breite, int* hoehe);
void wiObjektLoeschen(HGDIOBJ objekt);
// A BMP file as a bitmap; 0 when the file cannot be read or is malformed
// (sizes, offsets, dimensions, bit count and rows are checked against the
// file's real length, never against its own size fields).
HBITMAP wiBmpDateiLaden(const char* pfad);
// Not available: shows the warning "BMPWrite nicht implementiert.".
int wiBmpDateiSchreiben(const char* pfad, HBITMAP bitmap);

// ---- Metafiles ----------------------------------------------------------------------------
// box: left, top, right, bottom (may be nullptr). A zero-filled global block
// with the bare metafile bits, or 0.
HGLOBAL wiMetaDateiLaden(const char* pfad, int box[4]);
// box nullptr: no header. 0, or -1 when the file cannot be written.
int wiMetaDateiSchreiben(const char* pfad, HGLOBAL block, const int box[4]);
int wiMetaDateiSchreibenMm(const char* pfad, HGLOBAL block, double breiteMm, double hoeheMm);
// The 22-byte header of a box (checksum included).
void wiMetaKopf(const int box[4], uint8_t kopf[WIMETAKOPFSUP]);
HMETAFILE wiMetaAusSpeicher(HGLOBAL block);
void wiMetaLoeschen(HMETAFILE metafile);
void wiGlobalFrei(HGLOBAL block);
HGLOBAL wiClipMetaHolen(int* breite, int* hoehe);

// ---- Painting --------------------------------------------------------------------------------
HDC wiMalenStart();
HDC wiMalenStartFenster(HWND fenster, int beginPaint);
void wiMalenEnde();
HDC wiMalenDC();
void wiDlgNeuMalen();
void wiItemNeuMalen(int id);
void wiRahmen(int r, int g, int b, int x1, int y1, int x2, int y2);
void wiFlaeche(int r, int g, int b, int x1, int y1, int x2, int y2);
void wiTextBild(int r, int g, int b, int x, int y, int w, int h, const char* text, const char* schrift,
                int hoehe);
void wiBmpDateiMalen(int x, int y, int w, int h, const char* pfad);
void wiBitmapMalen(int x, int y, int w, int h, HBITMAP bitmap);
void wiMetaDateiMalen(int x, int y, int w, int h, const char* pfad);

// ---- Escape commands to the custom controls (WM_SETTEXT) -------------------------------------
void wiItemBitmapBefehl(int id, const char* name);
void wiItemVordergrund(int id, int r, int g, int b);
void wiItemVordergrundRGB(int id, const int rgb[3]);
void wiItemHintergrund(int id, int r, int g, int b);
void wiItemMarkFarbe(int id, const int rgb[3]);
void wiItemHintergrundKnopf(int id);
void wiItemStil(int id, int n);
void wiItemArt(int id, char art);
void wiItemMaske(int id, const char* maske);
