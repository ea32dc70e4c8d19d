// Benchmark of the GDI layer against plain Cairo: 100,000 lines and 10,000
// text runs into a 2000x1400 memory DC, and the same drawing through Cairo
// and Pango calls on an image surface of the same size, in one run. Prints
// the times and the ratio (the layer should stay within 1.5x). Then blits of
// a 1920x1080 surface (SRCCOPY unscaled and scaled by 1.5, PATINVERT,
// SRCINVERT) as ratios to a memcpy of the same pixels (unscaled SRCCOPY
// should stay within 1.5x). Built with -DVELMO_BENCH=ON, not run by CTest.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <chrono>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/gdi.h"

namespace {

constexpr int BREITE = 2000, HOEHE = 1400, LINIEN = 100000, TEXTE = 10000;

struct Zufall {
    uint32_t z = 12345;
    int naechste(int n)
    {
        z = z * 1664525u + 1013904223u;
        return static_cast<int>((z >> 8) % static_cast<uint32_t>(n));
    }
};

struct Strich {
    int x0, y0, x1, y1;
};
struct Lauf {
    int x, y;
    char text[16];
};

double sekunden(std::chrono::steady_clock::time_point a)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
}

void gdiLauf(const std::vector<Strich>& striche, const std::vector<Lauf>& laeufe, double& tl, double& tt)
{
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = CreateBitmap(BREITE, HOEHE, 1, 32, nullptr);
    HGDIOBJ altBm = SelectObject(dc, bm);
    RECT rc{0, 0, BREITE, HOEHE};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    auto t0 = std::chrono::steady_clock::now();
    for (const Strich& s : striche) {
        MoveToEx(dc, s.x0, s.y0, nullptr);
        LineTo(dc, s.x1, s.y1);
    }
    GdiFlush();
    tl = sekunden(t0);
    HFONT f = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ altF = SelectObject(dc, f);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    t0 = std::chrono::steady_clock::now();
    for (const Lauf& l : laeufe) TextOut(dc, l.x, l.y, l.text, static_cast<int>(std::char_traits<char>::length(l.text)));
    GdiFlush();
    tt = sekunden(t0);
    SelectObject(dc, altF);
    DeleteObject(f);
    SelectObject(dc, altBm);
    DeleteObject(bm);
    DeleteDC(dc);
}

void cairoLauf(const std::vector<Strich>& striche, const std::vector<Lauf>& laeufe, double& tl, double& tt)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, BREITE, HOEHE);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1);
    auto t0 = std::chrono::steady_clock::now();
    for (const Strich& l : striche) {
        cairo_move_to(cr, l.x0 + 0.5, l.y0 + 0.5);
        cairo_line_to(cr, l.x1 + 0.5, l.y1 + 0.5);
        cairo_stroke(cr);
    }
    cairo_surface_flush(s);
    tl = sekunden(t0);
    PangoLayout* lay = pango_cairo_create_layout(cr);
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pango_layout_get_context(lay), o);
    cairo_font_options_destroy(o);
    PangoFontDescription* d = pango_font_description_from_string("Liberation Sans");
    pango_font_description_set_absolute_size(d, 12 * PANGO_SCALE);
    pango_layout_set_font_description(lay, d);
    pango_font_description_free(d);
    t0 = std::chrono::steady_clock::now();
    for (const Lauf& l : laeufe) {
        pango_layout_set_text(lay, l.text, -1);
        cairo_move_to(cr, l.x, l.y - pango_layout_get_baseline(lay) / double(PANGO_SCALE));
        pango_cairo_show_layout(cr, lay);
    }
    cairo_surface_flush(s);
    tt = sekunden(t0);
    g_object_unref(lay);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

constexpr int BLITW = 1920, BLITH = 1080, BLITLAEUFE = 20;

// The best of BLITLAEUFE runs of `tun`, in seconds.
template <typename F>
double bestzeit(F tun)
{
    double best = 1e9;
    for (int i = 0; i < BLITLAEUFE; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        tun();
        best = std::min(best, sekunden(t0));
    }
    return best;
}

void blitLauf()
{
    std::vector<uint32_t> a(static_cast<size_t>(BLITW) * BLITH, 0x123456u), b(a.size());
    const double mc = bestzeit([&] {
        std::memcpy(b.data(), a.data(), a.size() * sizeof(uint32_t));
        __asm__ __volatile__("" : : "r"(b.data()) : "memory");
    });
    auto speicher = [](int w, int h, HBITMAP* bm) {
        HDC dc = CreateCompatibleDC(0);
        *bm = CreateBitmap(w, h, 1, 32, nullptr);
        SelectObject(dc, *bm);
        RECT rc{0, 0, w, h};
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        return dc;
    };
    HBITMAP qbm, zbm;
    HDC q = speicher(BLITW, BLITH, &qbm), z = speicher(BLITW * 3 / 2, BLITH * 3 / 2, &zbm);
    HBRUSH pinsel = CreateSolidBrush(RGB(0x5A, 0xA5, 0x0F));
    SelectObject(z, pinsel);
    struct Fall {
        const char* name;
        double pixel;  // pixels written
        double zeit;
    } faelle[] = {
        {"SRCCOPY unscaled", double(BLITW) * BLITH,
         bestzeit([&] { BitBlt(z, 0, 0, BLITW, BLITH, q, 0, 0, SRCCOPY); })},
        {"SRCCOPY scaled 1.5", 2.25 * BLITW * BLITH,
         bestzeit([&] { StretchBlt(z, 0, 0, BLITW * 3 / 2, BLITH * 3 / 2, q, 0, 0, BLITW, BLITH, SRCCOPY); })},
        {"PATINVERT", double(BLITW) * BLITH, bestzeit([&] { PatBlt(z, 0, 0, BLITW, BLITH, PATINVERT); })},
        {"SRCINVERT unscaled", double(BLITW) * BLITH,
         bestzeit([&] { BitBlt(z, 0, 0, BLITW, BLITH, q, 0, 0, SRCINVERT); })},
    };
    std::printf("memcpy of %dx%d pixels: %8.5f s\n", BLITW, BLITH, mc);
    for (const Fall& f : faelle)
        std::printf("blit %-20s: %8.5f s, ratio to memcpy per pixel %.2f%s\n", f.name, f.zeit,
                    f.zeit / (mc * f.pixel / (double(BLITW) * BLITH)),
                    f.name == faelle[0].name ? " (target within 1.50)" : "");
    DeleteDC(q);
    DeleteDC(z);
    DeleteObject(qbm);
    DeleteObject(zbm);
    DeleteObject(pinsel);
}

}  // namespace

int main()
{
    Zufall z;
    std::vector<Strich> striche(LINIEN);
    for (Strich& s : striche) s = Strich{z.naechste(BREITE), z.naechste(HOEHE), z.naechste(BREITE), z.naechste(HOEHE)};
    std::vector<Lauf> laeufe(TEXTE);
    for (Lauf& l : laeufe) {
        l.x = z.naechste(BREITE - 100);
        l.y = 20 + z.naechste(HOEHE - 40);
        std::snprintf(l.text, sizeof l.text, "Klemme X%d", z.naechste(100));
    }
    // A warm-up pass of each loads fonts and caches outside the timing.
    double gl, gt, cl, ct;
    gdiLauf(std::vector<Strich>(striche.begin(), striche.begin() + 100), std::vector<Lauf>(laeufe.begin(), laeufe.begin() + 100), gl, gt);
    cairoLauf(std::vector<Strich>(striche.begin(), striche.begin() + 100), std::vector<Lauf>(laeufe.begin(), laeufe.begin() + 100), cl, ct);
    gdiLauf(striche, laeufe, gl, gt);
    cairoLauf(striche, laeufe, cl, ct);
    std::printf("lines  %6d: GDI layer %8.3f s, plain Cairo %8.3f s, ratio %.2f\n", LINIEN, gl, cl, gl / cl);
    std::printf("texts  %6d: GDI layer %8.3f s, plain Cairo %8.3f s, ratio %.2f\n", TEXTE, gt, ct, gt / ct);
    double r = (gl + gt) / (cl + ct);
    std::printf("total        : GDI layer %8.3f s, plain Cairo %8.3f s, ratio %.2f (target within 1.50)\n", gl + gt,
                cl + ct, r);
    blitLauf();
    return 0;
}
