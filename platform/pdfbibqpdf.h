// The part of the PDF library that works through qpdf. It lives in a module
// of its own (velmo-qpdf.so, beside the program or in lib/velmo), opened with
// the first PDF read or written: qpdf and its crypto libraries (gnutls,
// nettle, gmp, ...) cost every start otherwise. Only standard types cross.
#pragma once

#include <string>
#include <vector>

struct PdfbibQpdfLink {
    int rahmen = 0;
    double r = 0, g = 0, b = 0;
};

// A page of the document being written: from a loaded file (`quelle`, a
// handle of `laden`, and its page there) or drawn; its links' borders.
struct PdfbibQpdfSeite {
    void* quelle = nullptr;
    int quellSeite = 0;
    std::vector<PdfbibQpdfLink> links;
};

struct PdfbibQpdfTabelle {
    // Reads a PDF whose bytes it takes over (qpdf reads them in place): a
    // handle, its page count and qpdf's copy of it (objects numbered afresh,
    // not encrypted); nullptr for anything qpdf cannot read.
    void* (*laden)(std::string* daten, const char* passwort, int* seiten, std::string* kopie);
    void (*frei)(void* quelle);
    // Cairo's file with each loaded page's content put in place of its empty
    // page, the links' borders and the page mode set; false on any failure.
    bool (*fertigstellen)(const std::string& roh, const std::vector<PdfbibQpdfSeite>& seiten, int seitenModus,
                          std::string* aus);
};

extern "C" const PdfbibQpdfTabelle* velmoPdfbibQpdf();
