// Private state of the PDF library (prefix `pdfbib`), shared only by
// pdfbib.cpp, pdfbibtext.cpp, pdfbibbild.cpp and pdfbibdatei.cpp. Nothing
// else includes it. Recorded pages keep PDF coordinates (points, y up); the
// writer turns them into Cairo's space (y down) at save time.
#pragma once

#include <cairo.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/pdfbib.h"

namespace pdfbibQpdf {
struct Quelle;  // a loaded file (qpdf and poppler objects), see pdfbibdatei.cpp
}

struct PdfbibFarbe {
    double r = 0, g = 0, b = 0;
};

struct PdfbibSchrift {
    std::string familie;  // fontconfig family
    bool fett = false;
    bool kursiv = false;
};

// A decoded image: a Cairo image surface (ARGB32), with the JPEG bytes
// attached for compact embedding where the file was a JPEG.
struct PdfbibBild {
    cairo_surface_t* flaeche = nullptr;
    ~PdfbibBild();
};

enum class PdfbibOpArt : uint8_t { Linie, Box, Kreis, Ellipse, Bogen, Pfad, Text, Bild, Vektor };

// Coordinates and sizes of a recorded op: up to four in place (lines,
// boxes, circles, ellipses, texts, images), more (arcs, paths) shared on
// the heap. Pages hold thousands of lines, and the recording of a document
// stays until it is written: an allocation for each line's four numbers,
// and every byte more per op, cost fresh pages.
class PdfbibZahlen {
public:
    PdfbibZahlen& operator=(std::initializer_list<double> l)
    {
        n = l.size();
        if (n <= fest.size()) {
            mehr.reset();
            std::copy(l.begin(), l.end(), fest.begin());
        } else {
            mehr = std::make_shared<const std::vector<double>>(l);
        }
        return *this;
    }
    PdfbibZahlen& operator=(std::vector<double>&& v)
    {
        n = v.size();
        mehr = std::make_shared<const std::vector<double>>(std::move(v));
        return *this;
    }
    double operator[](size_t i) const { return mehr ? (*mehr)[i] : fest[i]; }
    size_t size() const { return n; }

private:
    std::array<double, 4> fest{};
    std::shared_ptr<const std::vector<double>> mehr;
    size_t n = 0;
};

// What a recorded text op carries beyond its place and angle.
struct PdfbibTextTeil {
    std::string utf8;
    PdfbibSchrift schrift;
    double groesse = 0, skala = 100;
    int ausrichtung = 0;
    PdfbibFarbe farbe;
};

// The drawing state an op is drawn with: line width, colours and dash
// pattern (lengths; null: solid).
struct PdfbibStil {
    double breite = 1;
    PdfbibFarbe linie, fuellung;
    std::shared_ptr<const std::vector<double>> strich;
};

// One recorded drawing call with the state it was made in. The state is
// shared by the ops drawn in a row with the same one: a document's ops stay
// until it is written, and every byte more per op costs fresh pages.
struct PdfbibOp {
    PdfbibOpArt art = PdfbibOpArt::Linie;
    uint8_t modus = 0;
    bool geschlossen = true;     // a path: closed by DPLClosePath
    std::shared_ptr<const PdfbibStil> stil;  // never null once recorded
    PdfbibZahlen p;              // coordinates and sizes, by kind
    double winkel = 0;
    std::shared_ptr<const PdfbibTextTeil> text;
    // image; Vektor: its surface is a recording of vectors in points, y down
    std::shared_ptr<PdfbibBild> bild;
};

struct PdfbibLink {
    double l = 0, t = 0, w = 0, h = 0;
    int ziel = 0;
    int rahmen = 0;
    PdfbibFarbe farbe;
};

struct PdfbibSeite {
    double breite = 595.3, hoehe = 841.9;
    std::vector<PdfbibOp> ops;
    std::vector<PdfbibLink> links;
    std::shared_ptr<pdfbibQpdf::Quelle> quelle;  // a page of a loaded file
    int quellSeite = -1;                        // its index there
};

struct PdfbibZiel {
    int id = 0;
    int seite = 0;
    int zoom = 0;
    int art = 0;
    double l = 0, t = 0;
};

struct PdfbibGliederung {
    int id = 0;
    int eltern = 0;
    std::wstring titel;
    int seite = 1;
    double y = 0;
    int stil = 0;
    int offen = 0;
};

struct PdfbibDokument {
    int id = 0;
    std::vector<PdfbibSeite> seiten;
    int seite = 1;  // selected page
    std::vector<PdfbibZiel> ziele;
    std::vector<PdfbibGliederung> gliederung;
    int seitenModus = -1;                        // -1: not set
    std::shared_ptr<pdfbibQpdf::Quelle> geladen;  // the file it was loaded from
    bool veraendert = false;                     // anything added since loading
};

// ---- Text (pdfbibtext.cpp) -----------------------------------------------------------------
// UCS-4 to UTF-8; characters outside Unicode become U+FFFD.
std::string pdfbibUtf8(const std::wstring& w);
// Font by standard number (0..13); false for another number.
bool pdfbibStandardSchrift(int nummer, PdfbibSchrift& s);
// Font by face name through the GDI's face mapping.
void pdfbibTrueTypeSchrift(const std::string& faceCp1252, PdfbibSchrift& s);
// Metrics at `groesse` points (unscaled): ascent and logical width of a text.
double pdfbibAufstieg(const PdfbibSchrift& s, double groesse);
double pdfbibTextBreite(const PdfbibSchrift& s, double groesse, const std::string& utf8);
// DPLGetFontMetrics's items, in 1/1000 of the size; false for an unknown item.
bool pdfbibSchriftMass(const PdfbibSchrift& s, int item, double& wert);
// Draws a recorded text op; `cr` is in PDF space (y up) at the page.
void pdfbibTextMalen(cairo_t* cr, const PdfbibOp& op);

// ---- Images (pdfbibbild.cpp) ----------------------------------------------------------------
// Reads a PNG, JPEG or BMP file; nullptr with *fehler = DPL_E_DATEI or DPL_E_FORMAT.
std::shared_ptr<PdfbibBild> pdfbibBildLaden(const std::string& pfadCp1252, int* fehler);
// The whole file through the file-system boundary (at most `max` bytes); 0 or -1.
int pdfbibDateiLesen(const std::string& pfadCp1252, std::string& daten, size_t max);

// ---- Files (pdfbibdatei.cpp) ------------------------------------------------------------------
// Loads a PDF from bytes into `doc` (pages, sizes, outline); 0 or a DPL_E_ code.
int pdfbibPdfLaden(std::string daten, const std::string& passwortUtf8, PdfbibDokument& doc,
                   int (*neueId)());
// The complete file of a document; 0 or a DPL_E_ code.
int pdfbibPdfErzeugen(const PdfbibDokument& doc, std::string& aus);
// Renders page `seite` (from 1) of a document into a Cairo context whose user
// space is in dots with y down, at `dpi`; 0 or a DPL_E_ code.
int pdfbibSeiteRendern(const PdfbibDokument& doc, int seite, double dpi, cairo_t* cr);
// Draws one recorded shape or image op; `cr` is in PDF space (y up).
void pdfbibOpMalen(cairo_t* cr, const PdfbibOp& op);
// Draws the run of lines drawn alike from ops[k] on as one stroke; gives the
// index after the run.
size_t pdfbibLinienMalen(cairo_t* cr, const std::vector<PdfbibOp>& ops, size_t k);
