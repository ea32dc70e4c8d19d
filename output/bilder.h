// Picture files of drawings: placeable Windows metafiles (".wmf"), enhanced
// metafiles (".emf") and raster images (".bmp", ".jpg", ".png") drawn into a
// pixel box of a device context with a turn and the picture's aspect kept;
// their sizes; conversion of metafiles and BMP files into PNG, BMP or JPEG
// files; a metafile rendered into a bitmap; metafile bits written as a
// placeable metafile file; load and release of the raster image library.
// Prefix `Bild` / the names the callers use; file-static helpers `bld`.
// Owns no state: every image and handle made on the way is freed before
// return. May call: platform/ (GDI, metafiles, raster image library, the
// file-system boundary), support/, winlib/ (the main window), and the
// current-target accessor of the GDI drawing layer (`GdiDC`).
#pragma once

#include "platform/rasterbib.h"
#include "platform/windef.h"

// Kinds of `BildGroesse` and `MetaBildSpeichern`.
inline constexpr int BILD_PNG = 0;
inline constexpr int BILD_BMP = 1;
inline constexpr int BILD_JPG = 2;

// Quality of written JPEG files.
inline constexpr int BILD_JPGQUALITAET = 75;

// The raster image library, loaded at start and released at exit.
void BildBibLaden();
void BildBibFreigeben();
void BildBibFrei();  // the same as BildBibFreigeben (the name the frame calls)

// Draws a picture file into the pixel box (any corner order) of the current
// target of the GDI drawing layer; the file's extension picks the kind, any
// other extension draws nothing. Turn in tenths of a degree, counter-clockwise.
void BildZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei);
void WmfZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei);
void EmfZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei);
void JpgZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei);
void PngZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei);
void BmpZeichnen(int x1, int y1, int x2, int y2, int drehung, const char* datei);

// The same into a given device context: a metafile turns by any angle; a
// raster image honours 0, 900, 1800 and 2700 only (others draw it unturned).
// Box: x1, y1, x2, y2. The metafile ones draw nothing for an unreadable file.
void WmfZeichnenDC(HDC dc, const int box[4], int drehung, const char* datei);
void EmfZeichnenDC(HDC dc, const int box[4], int drehung, const char* datei);
// 0, or -1 when the file cannot be read (nothing drawn).
int RasterJpgZeichnen(HDC dc, const char* datei, const int box[4], int drehung);
int RasterPngZeichnen(HDC dc, const char* datei, const int box[4], int drehung);
int RasterBmpZeichnen(HDC dc, const char* datei, const int box[4], int drehung);
// Draws a loaded image of breite x hoehe pixels. At 900 and 2700 the image
// is turned first: *bild is then replaced by the turned image (the old one
// freed); the caller frees *bild afterwards in every case.
void RasterZeichnen(HDC dc, const int box[4], int drehung, imgdes* bild, int breite, int hoehe, int bits);

// Shrinks the box (corners ordered first) to the aspect of a breite x hoehe
// picture, centred. An aspect below 0.1 counts as square.
void BildEinpassen(int box[4], int breite, int hoehe);
void BildEinpassenD(double box[4], double breite, double hoehe);

// Pixel size of a PNG (BILD_PNG), BMP (BILD_BMP) or JPEG (BILD_JPG) file:
// 0, or -1 with both 0 when the file cannot be read.
int BildGroesse(const char* datei, int art, int* breite, int* hoehe);
// Size of a metafile in millimetres: 0, or -1 with both 0 when the file
// cannot be read (a ".wmf" without the placeable key counts as unreadable).
int EmfGroesse(const char* datei, double* breite, double* hoehe);
int WmfGroesse(const char* datei, double* breite, double* hoehe);

// Renders a metafile into a breite x hoehe picture on white and writes it as
// PNG, BMP (256-colour palette) or JPEG (quality 75). 0, or -1 when any step
// fails (no file is left then).
int MetaBildSpeichern(const char* ziel, HMETAFILE metafile, int art, int breite, int hoehe);
// A BMP file as a PNG file; with groessteSeite != 0 a picture wider or higher
// than it is scaled so that its larger side is groessteSeite. 1, or 0 when
// any step fails.
int BildBmpNachPng(const char* quelle, const char* ziel, int groessteSeite);
// A new breite x hoehe bitmap, compatible with the main window, showing the
// metafile on white; the caller owns it. 0 when it cannot be made.
HBITMAP MetaZuBitmap(HMETAFILE metafile, int breite, int hoehe);

// Writes metafile bits (a global block) as a file, with a placeable header
// of the box (left, top, right, bottom; nullptr: no header) and the units per
// inch first. The file is replaced as a whole. 0, or -1 when it cannot be
// written or the box does not fit the header's 16-bit fields.
int MetaDateiSchreiben(const char* datei, HGLOBAL block, const int box[4], int einheitenProZoll);
int MetaDateiSchreibenBox(const char* datei, HGLOBAL block, int breite, int hoehe, int einheitenProZoll);
// Frees a global memory block unless it is 0.
void BildSpeicherFrei(HGLOBAL block);
