// PDF export: marked drawings become one PDF document, one page per drawing,
// drawn through the element renderer into the PDF library (platform/pdfbib)
// in points with the origin at the page's lower left corner. Pens and
// placement come from the device style set "PaA4" (drawings of format 117)
// or "PaA3"; its "BlOri" gives the page size. Cross-reference links,
// bookmarks, appended files and saving are in pdflink.cpp. Prefix `Pdf`.
// Calls the element renderer, style sets, dash patterns, fonts and pictures
// of output/, the model (drawing files, walks, states, "@Y" references), the
// equipment store, the defaults of config/ and the warning box of winlib/.
//
// One export runs at a time; its state exists once (GUI thread only).
#pragma once

#include <string>

struct BEF;
struct STT;

inline constexpr int PDFANHANGSUP = 200;    // appended files
inline constexpr int PDFANHANGTITELSUP = 100;
inline constexpr int PDFBILDSUP = 200;      // cached images
inline constexpr int PDFTTSUP = 20;         // TrueType faces

// Opens a document for `datei`: 1, or 0 when the library gives no instance
// (then only PdfExportEnde may follow, and it does nothing).
int PdfExportStart(const char* datei);
// Adds the drawing as the next page: 0, or -1 when no document is open or
// the drawing cannot be walked (after a warning; its page stays so that page
// numbers and links hold).
int PdfSeite(const char* zeichnung);
// Makes the links, appends the registered files and saves: 0, or -1 after a
// warning when the file cannot be written (an older file of the name stays).
// Nothing (0) when no document is open.
int PdfExportEnde();
// A bookmark: level 0 top level (remembered as the parent), any other level
// below the last top-level bookmark; at the top of `seite`.
void PdfGliederung(int ebene, int seite, const char* titel);
// Registers a PDF file to append with its bookmark title; a 201st is ignored.
void PdfAnhaengen(const char* pfad, const char* titel);

// Page size by index: 0 "A4", 1 "A4 Landscape", 2 "A3", 3 "A3 Landscape";
// other indexes change nothing.
void PdfSeitenformat(int index);
// Millimetres of the sheet to points of the current page size.
double PdfMmZuPt(double mm);

// Walk callbacks: layer switching; pictures in the first pass, all other
// elements in the second.
int PdfRueckrufBild(const BEF* b, const STT* s);
int PdfRueckrufRest(const BEF* b, const STT* s);

// Test seam: every library call of the export as one line ("DPLDrawLine
// 0.00 0.00 841.89 595.28"); null switches it off.
void PdfProtokollSetzen(void (*fn)(const std::string& zeile));
