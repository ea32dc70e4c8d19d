// Printing to a file: a printer DC over Cairo's PDF or PostScript surface
// with the Windows job calls (StartDoc, StartPage, EndPage, EndDoc, AbortDoc,
// SetAbortProc, ResetDC) and the device capabilities of a nominal 600 dpi
// printer on A4 or A3 paper in either orientation. Prefix `plDruck` for the
// layer's own additions. The document is written to a temporary file in the
// target's folder and renamed over the target at EndDoc; AbortDoc (or a
// failed write) leaves no file behind. The GTK backend later hands the file
// to a real printer; the print dialog fills the settings below.
// May call: platform/gdi.h, platform/gdiint.h (vector DCs), platform/bild.h.
#pragma once

#include <string>

#include "platform/gdi.h"
#include "platform/windef.h"

// ---- Device mode (documented layout of the 156-byte block) --------------------------
#define CCHDEVICENAME 32
#define CCHFORMNAME 32
struct DEVMODE {
    BYTE dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    short dmOrientation;
    short dmPaperSize;
    short dmPaperLength;
    short dmPaperWidth;
    short dmScale;
    short dmCopies;
    short dmDefaultSource;
    short dmPrintQuality;
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    BYTE dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};
static_assert(sizeof(DEVMODE) == 156, "DEVMODE is the 156-byte block");

#define DM_ORIENTATION 0x00000001
#define DM_PAPERSIZE 0x00000002
#define DM_COPIES 0x00000100
#define DM_PRINTQUALITY 0x00000400
#define DM_DUPLEX 0x00001000
#define DM_COLLATE 0x00008000
#ifndef DMORIENT_PORTRAIT
#define DMORIENT_PORTRAIT 1
#define DMORIENT_LANDSCAPE 2
#endif
#ifndef DMPAPER_A4
#define DMPAPER_A3 8
#define DMPAPER_A4 9
#endif
#ifndef DMDUP_SIMPLEX
#define DMDUP_SIMPLEX 1
#define DMDUP_VERTICAL 2
#define DMDUP_HORIZONTAL 3
#endif

struct DOCINFO {
    int cbSize;
    LPCSTR lpszDocName;
    LPCSTR lpszOutput;  // target file; nullptr: the one of the settings
    LPCSTR lpszDatatype;
    DWORD fwType;
};
typedef BOOL (*ABORTPROC)(HDC hdc, int code);
#define SP_ERROR (-1)
#define SP_APPABORT (-2)
#define SP_OUTOFDISK (-4)

// ---- Settings of a printer DC -------------------------------------------------------
enum class plDruckFormat { Pdf, PostScript };

struct plDruckEinstellung {
    std::string datei;                  // the file written (code page 1252 path)
    plDruckFormat format = plDruckFormat::Pdf;
    int papier = DMPAPER_A4;            // DMPAPER_A4 or DMPAPER_A3
    int ausrichtung = DMORIENT_PORTRAIT;
    int kopien = 1;
    bool sortiert = true;
    int duplex = DMDUP_SIMPLEX;
};

// The nominal printer: 600 dots per inch, an unprintable margin of 100 dots
// (1/6 inch) on every side.
inline constexpr int PL_DRUCK_DPI = 600;
inline constexpr int PL_DRUCK_RAND = 100;

// A printer DC for the settings; 0 for paper or orientation other than the
// ones above, or when Cairo cannot make the surface.
HDC plDruckerDcErzeugen(const plDruckEinstellung& e);
// The settings as a device mode block (fields, orientation, paper, copies,
// collation, duplex, 600 dpi) and back; plDruckAusDevmode takes only the
// fields the mask names and refuses unknown paper (-1).
void plDruckNachDevmode(const plDruckEinstellung& e, DEVMODE& dm);
int plDruckAusDevmode(const DEVMODE& dm, plDruckEinstellung& e);
// The settings of a printer DC (nullptr for another handle).
const plDruckEinstellung* plDruckerEinstellung(HDC hdc);
// Ends a printer DC: aborts an open document (no file is left) and deletes
// the DC.
BOOL plDruckerDcLoeschen(HDC hdc);

// ---- Job calls ------------------------------------------------------------------------
int StartDoc(HDC hdc, const DOCINFO* di);
int StartPage(HDC hdc);
int EndPage(HDC hdc);
int EndDoc(HDC hdc);
int AbortDoc(HDC hdc);
int SetAbortProc(HDC hdc, ABORTPROC proc);
// Takes the orientation and paper of `dm` for the next page; only between
// pages. The DC itself, or 0.
HDC ResetDC(HDC hdc, const DEVMODE* dm);
