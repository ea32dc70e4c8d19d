// State shared by the PDF export's two modules (pdfexport.cpp draws the
// pages, pdflink.cpp makes links, bookmarks, appended files and saves).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "model/zustand.h"

struct PdfSeitenEintrag {
    int seite;
    std::string schluessel;   // drawing key
    int ziel;                 // destination id
    int links;                // link annotations put on the page
    int format;               // BEF_ZA3 / BEF_ZA4
};

struct PdfLinkEintrag {
    uint32_t id;
    std::string zielSchluessel;
    int seite;
    std::string schluessel;
    int format;
    double ecken[4][2];
};

struct PdfAnhang {
    std::string pfad;
    std::string titel;
};

struct PdfExport {
    int offen = 0;
    int seite = 0;
    std::string zeichnung;
    std::string schluessel;
    int format = 0;           // paper format of the section loaded last
    int seiteFrei = 0;
    int inst = 0;
    int dokument = 0;
    std::string datei;
    int dpi = 100;
    int vrwMrk = 0, vrwUnt = 0, vrwFrb = 0;
    std::vector<PdfSeitenEintrag> seiten;
    std::vector<PdfLinkEintrag> links;
    std::vector<PdfAnhang> anhang;
    int eltern = 0;           // last top-level bookmark
    // Pending "@Y" text while its record is expanded.
    bool wartend = false;
    BEF wBef{};
    STT wStt{};
};

PdfExport& pdfZustand();
// The library call log of the test seam.
void pdfLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Loads the pen section of a paper format when it differs from the last.
void PdfPapier(int format);
// Releases every cached image.
void pdfBilderFrei();
// Records a text's link (first line of a text element; corners in mm).
void PdfVerweisMerken(double x, double y, const char* zeile, const double ecken[4][2]);
// Record hook during the second walk.
void PdfYRefMerken(int phase, const BEF* b, const STT* s);
