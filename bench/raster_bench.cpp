// Benchmark of the editor's raster export against plain Cairo, one run,
// times and ratio printed: an A3 sheet (420 x 297, frame, 4,000 lines,
// 1,500 texts, 400 circles in the store) is exported as PNG at 150 and
// 300 dpi (BildExport, as the export dialog calls it) and, as the baseline,
// the same primitives are drawn by Cairo into an image surface of the same
// size and written as PNG by Cairo, the two in turn (five runs each at
// 300 dpi). Goal: within 2x at 300 dpi in CPU time. Built with
// -DVELMO_BENCH=ON, never run by CTest. Files go to the process's temporary
// folder. Calls the editor's export, the store and the raster library.
#include <cairo.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "editor/elclip.h"
#include "model/beffifo.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/zerleg.h"
#include "platform/orte.h"
#include "platform/rasterbib.h"
#include "bench/messen.h"
#include "bench/modellbank.h"

namespace {

struct Element {
    int art;  // 0 line, 1 text, 2 circle
    double x, y, a, b;
    std::string text;
};

// The sheet: a frame, then lines, texts and circles spread over it.
std::vector<Element> blatt()
{
    std::vector<Element> v = {{0, 0, 0, 420, 0, ""}, {0, 420, 0, 0, 297, ""}, {0, 420, 297, -420, 0, ""},
                              {0, 0, 297, 0, -297, ""}};
    unsigned z = 4711;
    auto zufall = [&z](int n) {
        z = z * 1103515245u + 12345u;
        return static_cast<double>((z >> 8) % static_cast<unsigned>(n));
    };
    for (int i = 0; i < 4000; ++i) {
        const bool waag = i % 2 == 0;
        v.push_back({0, 10 + zufall(390), 10 + zufall(270), waag ? 5 + zufall(20) : 0, waag ? 0 : 5 + zufall(20), ""});
    }
    for (int i = 0; i < 1500; ++i) v.push_back({1, 10 + zufall(380), 10 + zufall(270), 0, 0, "-K" + std::to_string(i)});
    for (int i = 0; i < 400; ++i) v.push_back({2, 10 + zufall(390), 10 + zufall(270), 1.5, 1.5, ""});
    return v;
}

void einfuegen(const std::vector<Element>& v)
{
    TzEnde();
    TzInit();
    BefZuruecksetzen();
    BefAusfInit();
    BefAusfHakenSetzen();
    STT s = modellZustand();
    ZustandSetzen(&s);
    for (const Element& e : v) {
        s.x = e.x;
        s.y = e.y;
        BEF b = e.art == 0   ? modellSatz(40, e.a, e.b, nullptr)
                : e.art == 1 ? modellSatz(50, 0, 0, e.text.c_str())
                             : modellSatz(67, e.a, e.b, nullptr, 1);
        TzEinfuegen(&b, &s);
    }
}

// The baseline: the same primitives by Cairo at the same size, and the PNG.
// One image surface of the page's size, cleared white, the primitives drawn
// into it and written as PNG by Cairo: any raster export of the sheet must
// clear, draw and encode these pixels, and nothing cheaper does.
bool kairo(const std::vector<Element>& v, int dpi, const std::string& pfad)
{
    const double k = dpi / 25.4;
    const int w = static_cast<int>(420 * k), h = static_cast<int>(297 * k);
    cairo_surface_t* f = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(f);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, std::max(1.0, 0.25 * k));
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 2.5 * k);
    for (const Element& e : v) {
        const double x = e.x * k, y = h - e.y * k;
        if (e.art == 0) {
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + e.a * k, y - e.b * k);
            cairo_stroke(cr);
        } else if (e.art == 1) {
            cairo_move_to(cr, x, y);
            cairo_show_text(cr, e.text.c_str());
        } else {
            cairo_new_sub_path(cr);
            cairo_arc(cr, x, y, std::hypot(e.a, e.b) * k, 0, 2 * M_PI);
            cairo_stroke(cr);
        }
    }
    cairo_destroy(cr);
    cairo_surface_flush(f);
    const cairo_status_t st = cairo_surface_write_to_png(f, pfad.c_str());
    cairo_surface_destroy(f);
    return st == CAIRO_STATUS_SUCCESS;
}

const char* const kBasis = "Cairo-Bildfläche, dieselben Striche, PNG";

}  // namespace

int main(int argc, char** argv)
{
    const std::string ordner = modellBankAnlegen(argc, argv);
    if (ordner.empty()) return 1;
    VIEINST* vi = ViEinst();
    vi->frox = 420;
    vi->froy = 297;
    rasterbibLaden();
    const std::vector<Element> v = blatt();
    einfuegen(v);
    std::printf("Raster export of an A3 sheet, %d objects\n", TzAnzahl());
    int status = 0;
    for (int dpi : {150, 300}) {
        const std::string png = ordner + "/blatt" + std::to_string(dpi) + ".png";
        int r = 0;
        const messung::Paare p = messung::abwechselnd(
            dpi == 300 ? 5 : 3, [&] { return messung::einmal([&] { return kairo(v, dpi, ordner + "/kairo.png"); }); },
            [&] { return messung::einmal([&] { return (r = BildExport(EXP_PNG, png.c_str(), 0, 0, dpi, 0)) == 0; }); });
        std::error_code fe;
        const auto groesse = std::filesystem::file_size(png, fe);
        if (!p.gut || fe) {
            std::fprintf(stderr, "raster_bench: %d dpi: export %d\n", dpi, r);
            status = 1;
            continue;
        }
        // VELMO_RASTERBENCH_KOPIE=<folder> keeps the pictures to look at.
        if (const char* k = std::getenv("VELMO_RASTERBENCH_KOPIE"))
            std::filesystem::copy_file(png, std::filesystem::path(k) / std::filesystem::path(png).filename(),
                                       std::filesystem::copy_options::overwrite_existing, fe);
        std::printf("  %d dpi (%ju bytes)\n", dpi, static_cast<uintmax_t>(groesse));
        messung::bericht(kBasis, "BildExport PNG", p);
        if (dpi == 300) messung::ziel("5 Rasterexport A3 300 dpi", p, 2.0, kBasis);
    }
    rasterbibFreigeben();
    TzEnde();
    return status;
}
