// Element clipboard and picture export: copying the marked objects to the
// clipboard in three forms (text form, bitmap, the private drawing block
// with the components' equipment records), pasting the private form back,
// writing objects as a drawing file or in text form, and exporting the
// drawing or its marked part as a picture or metafile. Prefixes `El`,
// `Zei...Schreiben`, `Bild`, `Emf`. Calls the store, the drawing files and
// the command records of model/, the equipment lists (`Ges`, `Btl`, `Gtx`,
// `Ztx`, `Fstx`), the drawing clipboard formats and the GDI targets of
// output/, the raster and metafile functions of output/bilder, and the
// status line (editor/edmeld.h).
//
// Every writer reports a failed creation, write or close with
// "Schreibfehler: %s" (the text form with text 1230) and leaves no partial
// file: drawing files go through ZeiDateiAnlegen/ZeiDateiVerwerfen, texts
// through bdmake/bdclose, pictures through the writers of output/bilder.
#pragma once

#include <cstddef>
#include <string>

#include "platform/windef.h"

constexpr int ELGMSUP = 2000;        // entries of the paste work table
constexpr int ELERLEDIGTSUP = 100;   // handled item ids of one paste
constexpr int ELCLIPBILDSUP = 2000;  // longer side of a clipboard bitmap
constexpr int ELTEXTZEILESUP = 300;  // characters of a line of TextInDatei
constexpr int ELKOPIERDPI = 90;      // bitmap of a copy

// Export kinds.
constexpr int EXP_ZVK = 1, EXP_TXT = 2, EXP_WMF = 3, EXP_PNG = 4, EXP_BMP = 5, EXP_EMF = 6, EXP_JPG = 7;

int ExportArt(const char* pfad);
// Writes objects to a drawing file: 0, or -1 after "Schreibfehler: %s".
int ZeiDateiSchreiben(const char* pfad, int nurMarkiert, int mitGeraet, int kopie);
int MarkDateiSchreiben(const char* pfad);
int ZeiTextSchreiben(const char* pfad, int nurMarkiert);
// Pixel size of the world rectangle at dpi: side x dpi / 25.4, truncated.
int BildPixel(double seite, int dpi);
// The clipboard's size of a bitmap: at most ELCLIPBILDSUP on the longer
// side, keeping the aspect ratio (integer truncation).
void BildClipGroesse(int* breite, int* hoehe);
// The world rectangle of the objects (marked or all) grown by the margin;
// 0, or -1 when there is nothing to show.
int BildRechteck(int nurMarkiert, double rand, double r[4]);
HBITMAP BildErzeugen(int nurMarkiert, int dpi, double rand, int* breite, int* hoehe);
HENHMETAFILE EmfErzeugen(const char* pfad, int nurMarkiert, int dpi, double rand, int* breite, int* hoehe);
// 0 done, -1 failed or nothing to export.
int BildExport(int art, const char* pfad, int nurMarkiert, int zwischenablage, int dpi, double rand);
int TextInDatei(const char* pfad);

void ElKopieren(int modus, char* pfadAus, size_t kap);
void ElEinfuegen(int ausDatei, const char* pfad);
// The transfer files in the private temporary folder.
std::string ElTransferPfad(int n);  // 1: "velm.001", 2: "velm.002"
