// Benchmark of the PDF export against plain Cairo: 100 schematic sheets of
// 500 lines, 100 texts and 30 circles each (mixed pens and line types) go
// through the export from PdfExportStart to PdfExportEnde, and the same
// lines, texts and circles with the same widths, dashes and fonts straight
// onto a Cairo PDF surface, the two in turn, five runs each. Prints the
// minimum and median of CPU and wall time and the ratio in CPU time (the
// export should stay within 2x) and checks the exported file with
// `qpdf --check`. Built with -DVELMO_BENCH=ON, not run by CTest. Files go
// to the process's temporary folder and are removed.
#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "model/einstell.h"
#include "model/zeichnun.h"
#include "output/pdfexport.h"
#include "bench/messen.h"

namespace fs = std::filesystem;

namespace {

constexpr int BLAETTER = 100, LINIEN = 500, TEXTE = 100, KREISE = 30;


struct Zufall {
    uint32_t z = 4711;
    int naechste(int n)
    {
        z = z * 1664525u + 1013904223u;
        return static_cast<int>((z >> 8) % static_cast<uint32_t>(n));
    }
};

struct Linie {
    int x, y, dx, dy, stift, art;
};
struct Text {
    int x, y;
    std::string t;
};
struct Kreis {
    int x, y, r, stift;
};
struct Blatt {
    std::vector<Linie> linien;
    std::vector<Text> texte;
    std::vector<Kreis> kreise;
};

// Pen widths (hundredths of a millimetre) and colours of pens 1..4.
constexpr int breiten[4] = {25, 35, 50, 70};
constexpr double farben[4][3] = {{0, 0, 0}, {0.8, 0, 0}, {0, 0, 0.8}, {0, 0.5, 0}};

Blatt blattMachen(Zufall& z)
{
    Blatt b;
    for (int i = 0; i < LINIEN; ++i)
        b.linien.push_back({10 + z.naechste(270), 10 + z.naechste(190), z.naechste(40) - 20, z.naechste(40) - 20,
                            1 + z.naechste(4), 1 + z.naechste(7)});
    for (int i = 0; i < TEXTE; ++i)
        b.texte.push_back({10 + z.naechste(250), 10 + z.naechste(190), "-K" + std::to_string(z.naechste(1000)) + " Klemme"});
    for (int i = 0; i < KREISE; ++i) b.kreise.push_back({20 + z.naechste(250), 20 + z.naechste(170), 2 + z.naechste(8), 1 + z.naechste(4)});
    return b;
}

// The sheet in the drawing's text form (positions by moves from the last).
std::string alsText(const Blatt& b)
{
    std::string s = "VER 10\nSL 0,5000\nTG 3,5000\n";
    char t[160];
    int x = 0, y = 0;
    auto gehe = [&](int nx, int ny) {
        std::snprintf(t, sizeof t, "BW %d,0000 %d,0000\n", nx - x, ny - y);
        s += t;
        x = nx;
        y = ny;
    };
    for (const Linie& l : b.linien) {
        gehe(l.x, l.y);
        std::snprintf(t, sizeof t, "ST %d\nSA %d\nZL %d,0000 %d,0000\n", l.stift, l.art, l.dx, l.dy);
        s += t;
        x += l.dx;
        y += l.dy;
    }
    s += "ST 1\nSA 7\n";
    for (const Text& e : b.texte) {
        gehe(e.x, e.y);
        s += "TFA \"" + e.t + "\"\n";
    }
    for (const Kreis& k : b.kreise) {
        gehe(k.x, k.y);
        std::snprintf(t, sizeof t, "ST %d\nKRE 0 %d,0000 %d,0000\n", k.stift, k.r, k.r);
        s += t;
    }
    return s + "ZA3\n";
}

// The same sheets straight onto a Cairo PDF surface (A4 landscape).
// Nothing cheaper writes these pages: every stroke, dash, colour and text
// goes once through Cairo's PDF surface, as the export's must.
bool cairoLauf(const std::vector<Blatt>& blaetter, const std::string& datei)
{
    const double pt = 841.9 / 297;
    cairo_surface_t* f = cairo_pdf_surface_create(datei.c_str(), 841.9, 595.3);
    cairo_t* cr = cairo_create(f);
    PangoLayout* lay = pango_cairo_create_layout(cr);
    PangoFontDescription* fd = pango_font_description_from_string("Liberation Mono");
    pango_font_description_set_absolute_size(fd, 3.5 * pt * PANGO_SCALE);
    pango_layout_set_font_description(lay, fd);
    for (const Blatt& b : blaetter) {
        for (const Linie& l : b.linien) {
            const int s = l.stift - 1;
            cairo_set_source_rgb(cr, farben[s][0], farben[s][1], farben[s][2]);
            cairo_set_line_width(cr, breiten[s] / 100.0 * pt);
            if (l.art == 7) cairo_set_dash(cr, nullptr, 0, 0);
            else {
                const double d[2] = {3 * pt, 2 * pt};
                cairo_set_dash(cr, d, 2, 0);
            }
            cairo_move_to(cr, l.x * pt, 595.3 - l.y * pt);
            cairo_line_to(cr, (l.x + l.dx) * pt, 595.3 - (l.y + l.dy) * pt);
            cairo_stroke(cr);
        }
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_set_source_rgb(cr, 0, 0, 0);
        for (const Text& e : b.texte) {
            cairo_move_to(cr, e.x * pt, 595.3 - e.y * pt - 3.5 * pt);
            pango_layout_set_text(lay, e.t.c_str(), -1);
            pango_cairo_show_layout(cr, lay);
        }
        for (const Kreis& k : b.kreise) {
            const int s = k.stift - 1;
            cairo_set_source_rgb(cr, farben[s][0], farben[s][1], farben[s][2]);
            cairo_set_line_width(cr, breiten[s] / 100.0 * pt);
            cairo_new_sub_path(cr);
            cairo_arc(cr, k.x * pt, 595.3 - k.y * pt, k.r * pt, 0, 2 * M_PI);
            cairo_stroke(cr);
        }
        cairo_show_page(cr);
    }
    pango_font_description_free(fd);
    g_object_unref(lay);
    cairo_destroy(cr);
    cairo_surface_finish(f);
    const bool gut = cairo_surface_status(f) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(f);
    return gut;
}

bool exportLauf(const std::vector<std::string>& zeichnungen, const std::string& datei)
{
    if (PdfExportStart(datei.c_str()) != 1) {
        std::fprintf(stderr, "PdfExportStart failed\n");
        std::exit(1);
    }
    for (const std::string& z : zeichnungen) PdfSeite(z.c_str());
    if (PdfExportEnde() != 0) {
        std::fprintf(stderr, "PdfExportEnde failed\n");
        return false;
    }
    return true;
}

const char* const kBasis = "dieselben Seiten direkt mit Cairo als PDF";

}  // namespace

int main()
{
    const fs::path wurzel = fs::temp_directory_path() / ("velmo-pdf-bench-" + std::to_string(::getpid()));
    fs::create_directories(wurzel);
    VerSetzen(1, wurzel.c_str());
    std::string satz = "Name Bench\nPaA3BlOri 1\nPaA3Font\nPaA3JusR 0\nPaA3JusX 0\nPaA3JusY 0\nPaA3JusS 100\n"
                       "Pa34DPI 150\nPa34VrwMrk 1\nPa34VrwUnt 1\nPa34VrwFrb 1\nZvMS 10\nZvTG 35\nZvSL 5\n";
    for (int i = 0; i < 4; ++i)
        satz += "PaA3StDef" + std::to_string(i) + " " + std::to_string(breiten[i]) + " " +
                std::to_string(static_cast<int>(farben[i][0] * 255)) + " " + std::to_string(static_cast<int>(farben[i][1] * 255)) +
                " " + std::to_string(static_cast<int>(farben[i][2] * 255)) + "\n";
    for (int n = 0; n < 20; ++n) satz += "LayAnz" + std::to_string(n) + " 1\n";
    std::ofstream(wurzel / "Bench.vgb") << satz;
    VgbFehlMeldung(0);
    VgbSetSetzen("Bench", (wurzel / "Bench.vgb").c_str());
    GrundEinstLesen(nullptr);

    Zufall z;
    std::vector<Blatt> blaetter;
    std::vector<std::string> zeichnungen;
    for (int i = 0; i < BLAETTER; ++i) {
        blaetter.push_back(blattMachen(z));
        char name[32];
        std::snprintf(name, sizeof name, "Schema.%03d", i + 1);
        const fs::path txt = wurzel / "blatt.txt";
        std::ofstream(txt) << alsText(blaetter.back());
        const std::string d = (wurzel / name).string();
        if (ZeiAusText(d.c_str(), txt.c_str()) < 0) {
            std::fprintf(stderr, "cannot write %s\n", d.c_str());
            return 1;
        }
        zeichnungen.push_back(d);
    }
    const messung::Paare p = messung::abwechselnd(
        5, [&] { return messung::einmal([&] { return cairoLauf(blaetter, (wurzel / "cairo.pdf").string()); }); },
        [&] { return messung::einmal([&] { return exportLauf(zeichnungen, (wurzel / "export.pdf").string()); }); });
    if (!p.gut) {  // a failed export is no measurement: no ratio
        fs::remove_all(wurzel);
        return 1;
    }
    std::printf("%d sheets of %d lines, %d texts, %d circles\n", BLAETTER, LINIEN, TEXTE, KREISE);
    messung::bericht(kBasis, "PdfExportStart .. PdfExportEnde", p);
    messung::ziel("7 PDF-Export (100 Blätter)", p, 2.0, kBasis);
    const std::string pruefen = "qpdf --check '" + (wurzel / "export.pdf").string() + "' >/dev/null 2>&1";
    const int qpdf = std::system(pruefen.c_str());
    std::printf("qpdf --check of the export: %s\n", qpdf == 0 ? "passed" : "FAILED");
    fs::remove_all(wurzel);
    return qpdf == 0 ? 0 : 1;
}
