// Files of the PDF library (prefix `pdfbib`): loading a PDF (qpdf for the
// pages, poppler-glib for sizes and the outline), making the file of a
// document and rendering a page.
// May call: platform/pdfbibint.h, Cairo (PDF surface), the qpdf module
// (platform/pdfbibqpdf.h), poppler-glib.
//
// Making a file is two passes:
//  1. Cairo's PDF surface draws every page in order: recorded shapes, texts
//     and images, named destinations (CAIRO_TAG_DEST "d<id>"), links
//     (CAIRO_TAG_LINK with rect and dest) and the outline
//     (cairo_pdf_surface_add_outline). A page of a loaded file is an empty
//     page of its size there, so page numbers, destinations and outline
//     entries already point at the right page object.
//  2. qpdf reads Cairo's output and puts each loaded page's content in place
//     of its empty page (replaceObject keeps every reference to it), sets the
//     border width and colour of the links (Cairo writes none) and the page
//     mode, and writes the final file (platform/qpdf/pdfbibqpdf.cpp, a module
//     opened on first use).
#include <cairo-pdf.h>
#include <dlfcn.h>
#include <poppler.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "platform/pdfbibint.h"
#include "platform/pdfbibqpdf.h"

namespace {

// poppler-glib and what it needs (NSS, TIFF, OpenJPEG, LCMS, ...) are
// opened with the first PDF read or rendered, not at every start of the
// program. The table is complete or not there at all.
#define PDFBIB_POPPLER(X) \
    X(document_new_from_bytes) \
    X(document_get_n_pages) \
    X(document_get_page) \
    X(document_find_dest) \
    X(dest_free) \
    X(page_get_size) \
    X(page_render) \
    X(index_iter_new) \
    X(index_iter_free) \
    X(index_iter_next) \
    X(index_iter_get_child) \
    X(index_iter_is_open) \
    X(index_iter_get_action) \
    X(action_free)

struct PdfbibPopplerTabelle {
#define PDFBIB_FELD(n) decltype(&poppler_##n) n;
    PDFBIB_POPPLER(PDFBIB_FELD)
#undef PDFBIB_FELD
};

template <typename F>
bool pdfbibHolen(void* h, F& f, const char* name)
{
    f = reinterpret_cast<F>(::dlsym(h, name));
    return f != nullptr;
}

const PdfbibPopplerTabelle* pdfbibPoppler()
{
    static PdfbibPopplerTabelle p{};
    static int zustand = 0;  // 0 not tried, 1 loaded, -1 not there
    if (zustand == 0) {
        zustand = -1;
        void* h = ::dlopen("libpoppler-glib.so.8", RTLD_NOW | RTLD_LOCAL);
        if (!h) h = ::dlopen("libpoppler-glib.so", RTLD_NOW | RTLD_LOCAL);
        bool ok = h != nullptr;
#define PDFBIB_HOLEN(n) ok = ok && pdfbibHolen(h, p.n, "poppler_" #n);
        PDFBIB_POPPLER(PDFBIB_HOLEN)
#undef PDFBIB_HOLEN
        if (ok) zustand = 1;
    }
    return zustand == 1 ? &p : nullptr;
}

// The qpdf module, opened with the first PDF read or written: beside the
// program (or one folder up, for programs in a subfolder of the build) or
// where it is installed.
const PdfbibQpdfTabelle* pdfbibQpdfModul()
{
    static const PdfbibQpdfTabelle* t = [] () -> const PdfbibQpdfTabelle* {
        using Holen = const PdfbibQpdfTabelle* (*)();
        char pfad[4096];
        const ssize_t n = ::readlink("/proc/self/exe", pfad, sizeof pfad - 1);
        if (n <= 0) return nullptr;
        pfad[n] = 0;
        std::string ordner(pfad);
        ordner.erase(ordner.rfind('/') + 1);
        for (const char* ort : {"velmo-qpdf.so", "../velmo-qpdf.so", "../lib/velmo/velmo-qpdf.so"}) {
            const std::string datei = ordner + ort;
            if (::access(datei.c_str(), F_OK) != 0) continue;
            void* h = ::dlopen(datei.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!h) {
                std::fprintf(stderr, "velmo: PDF-Modul nicht ladbar: %s\n", ::dlerror());
                return nullptr;
            }
            auto f = reinterpret_cast<Holen>(::dlsym(h, "velmoPdfbibQpdf"));
            return f ? f() : nullptr;
        }
        std::fprintf(stderr, "velmo: PDF-Modul velmo-qpdf.so nicht gefunden\n");
        return nullptr;
    }();
    return t;
}

}  // namespace

namespace pdfbibQpdf {
// A loaded file: the qpdf module's handle on it (its bytes, read in place, the
// qpdf document with its pages), qpdf's copy, and poppler's document for rendering.
struct Quelle {
    void* qpdf = nullptr;  // the module's handle: the file's bytes, its qpdf document and pages
    int seitenZahl = 0;
    std::string kopie;     // what poppler reads: qpdf's copy of the file
    GBytes* bytes = nullptr;
    PopplerDocument* poppler = nullptr;
    ~Quelle()
    {
        if (poppler) g_object_unref(poppler);
        if (bytes) g_bytes_unref(bytes);
        if (qpdf) pdfbibQpdfModul()->frei(qpdf);
    }
};
}  // namespace pdfbibQpdf

using pdfbibQpdf::Quelle;

namespace {

constexpr int PDFBIB_GLIEDERUNG_TIEFESUP = 32;  // deeper outline levels are not read

// A number for Cairo's attribute strings, independent of the locale.
std::string pdfbibZahl(double v)
{
    char puffer[64];
    if (!std::isfinite(v)) v = 0;
    auto [ende, ec] = std::to_chars(puffer, puffer + sizeof puffer, v, std::chars_format::fixed, 3);
    return ec == std::errc() ? std::string(puffer, ende) : std::string("0");
}

std::wstring pdfbibAusUtf8(const char* utf8)
{
    std::wstring w;
    if (!utf8) return w;
    glong n = 0;
    gunichar* u = g_utf8_to_ucs4_fast(utf8, -1, &n);
    for (glong i = 0; i < n && w.size() < static_cast<size_t>(DPL_TEXTSUP); ++i) w.push_back(static_cast<wchar_t>(u[i]));
    g_free(u);
    return w;
}

int pdfbibZielSeite(PopplerDocument* pd, PopplerDest* d)
{
    if (!d) return 0;
    if (d->type == POPPLER_DEST_NAMED) {
        PopplerDest* n = pdfbibPoppler()->document_find_dest(pd, d->named_dest);
        int s = n ? n->page_num : 0;
        if (n) pdfbibPoppler()->dest_free(n);
        return s;
    }
    return d->page_num;
}

void pdfbibIndexLesen(PopplerDocument* pd, PopplerIndexIter* it, int eltern, int tiefe, PdfbibDokument& doc,
                      int (*neueId)())
{
    do {
        PdfbibGliederung g;
        g.id = neueId();
        g.eltern = eltern;
        g.seite = 0;
        g.offen = pdfbibPoppler()->index_iter_is_open(it) ? 1 : 0;
        if (PopplerAction* a = pdfbibPoppler()->index_iter_get_action(it)) {
            g.titel = pdfbibAusUtf8(a->any.title);
            if (a->type == POPPLER_ACTION_GOTO_DEST) g.seite = pdfbibZielSeite(pd, a->goto_dest.dest);
            pdfbibPoppler()->action_free(a);
        }
        int id = g.id;
        doc.gliederung.push_back(std::move(g));
        if (PopplerIndexIter* kind = pdfbibPoppler()->index_iter_get_child(it)) {
            if (tiefe < PDFBIB_GLIEDERUNG_TIEFESUP) pdfbibIndexLesen(pd, kind, id, tiefe + 1, doc, neueId);
            pdfbibPoppler()->index_iter_free(kind);
        }
    } while (pdfbibPoppler()->index_iter_next(it));
}

cairo_status_t pdfbibAnhaengen(void* ziel, const unsigned char* daten, unsigned int n)
{
    static_cast<std::string*>(ziel)->append(reinterpret_cast<const char*>(daten), n);
    return CAIRO_STATUS_SUCCESS;
}

void pdfbibFuellenZiehen(cairo_t* cr, const PdfbibOp& op)
{
    if (op.modus != 0) {
        cairo_set_source_rgb(cr, op.stil->fuellung.r, op.stil->fuellung.g, op.stil->fuellung.b);
        if (op.modus == 2) {
            cairo_fill(cr);
            return;
        }
        cairo_fill_preserve(cr);
    }
    cairo_set_source_rgb(cr, op.stil->linie.r, op.stil->linie.g, op.stil->linie.b);
    cairo_stroke(cr);
}

// An ellipse path around (x, y) with radii rx, ry, turned by `drehung`,
// from angle a0 to a1 (radians, counter-clockwise from +x).
void pdfbibEllipsenPfad(cairo_t* cr, double x, double y, double rx, double ry, double drehung, double a0, double a1)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, drehung);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, a0, a1);
    cairo_restore(cr);
}

void pdfbibBildMalen(cairo_t* cr, const PdfbibOp& op)
{
    cairo_surface_t* f = op.bild->flaeche;
    int iw = cairo_image_surface_get_width(f), ih = cairo_image_surface_get_height(f);
    if (iw <= 0 || ih <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, op.p[0], op.p[1]);
    cairo_rotate(cr, op.winkel * M_PI / 180.0);
    cairo_translate(cr, 0, op.p[3]);
    cairo_scale(cr, op.p[2] / iw, -op.p[3] / ih);  // the image's top row at the top
    cairo_set_source_surface(cr, f, 0, 0);
    cairo_rectangle(cr, 0, 0, iw, ih);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Cairo's pass: the whole document with empty pages for loaded ones.
int pdfbibCairoSchreiben(const PdfbibDokument& doc, std::string& roh)
{
    const PdfbibSeite& erste = doc.seiten.front();
    // Room for Cairo's file at once (what is not written is never touched):
    // a string doubling its way up copies megabytes into fresh pages.
    size_t ops = 0;
    for (const PdfbibSeite& s : doc.seiten) ops += s.ops.size();
    roh.reserve(std::min<size_t>(ops * 48 + doc.seiten.size() * 65536 + 65536, size_t{1} << 30));
    cairo_surface_t* fl = cairo_pdf_surface_create_for_stream(pdfbibAnhaengen, &roh, erste.breite, erste.hoehe);
    cairo_t* cr = cairo_create(fl);
    std::map<int, int> cairoIds;
    for (const PdfbibGliederung& g : doc.gliederung) {
        int eltern = CAIRO_PDF_OUTLINE_ROOT;
        if (auto it = cairoIds.find(g.eltern); it != cairoIds.end()) eltern = it->second;
        int seite = g.seite >= 1 && g.seite <= static_cast<int>(doc.seiten.size()) ? g.seite : 1;
        double h = doc.seiten[static_cast<size_t>(seite - 1)].hoehe;
        double y = std::clamp(h - g.y, 0.0, h);
        std::string ziel = "page=" + std::to_string(seite) + " pos=[0 " + pdfbibZahl(y) + "]";
        int flags = (g.offen ? CAIRO_PDF_OUTLINE_FLAG_OPEN : 0) | ((g.stil & 1) ? CAIRO_PDF_OUTLINE_FLAG_ITALIC : 0) |
                    ((g.stil & 2) ? CAIRO_PDF_OUTLINE_FLAG_BOLD : 0);
        std::string titel = pdfbibUtf8(g.titel);
        cairoIds[g.id] = cairo_pdf_surface_add_outline(fl, eltern, titel.c_str(), ziel.c_str(),
                                                        static_cast<cairo_pdf_outline_flags_t>(flags));
    }
    for (size_t i = 0; i < doc.seiten.size(); ++i) {
        const PdfbibSeite& s = doc.seiten[i];
        cairo_pdf_surface_set_size(fl, s.breite, s.hoehe);
        cairo_save(cr);
        cairo_translate(cr, 0, s.hoehe);
        cairo_scale(cr, 1, -1);  // PDF space: y up from the lower left corner
        for (size_t k = 0; k < s.ops.size();) {
            const PdfbibOp& op = s.ops[k];
            if (op.art == PdfbibOpArt::Text) pdfbibTextMalen(cr, op), ++k;
            else if (op.art == PdfbibOpArt::Linie) k = pdfbibLinienMalen(cr, s.ops, k);
            else pdfbibOpMalen(cr, op), ++k;
        }
        cairo_restore(cr);
        bool ziele = std::any_of(doc.ziele.begin(), doc.ziele.end(),
                                 [i](const PdfbibZiel& z) { return z.seite == static_cast<int>(i + 1); });
        if (s.ops.empty() && (ziele || !s.links.empty())) {
            // Cairo 1.16 drops the tags of a page it sees nothing drawn on:
            // a speck of white in the corner makes the page count.
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_rectangle(cr, 0, 0, 0.01, 0.01);
            cairo_fill(cr);
        }
        for (const PdfbibZiel& z : doc.ziele) {
            if (z.seite != static_cast<int>(i + 1)) continue;
            std::string a = "name='d" + std::to_string(z.id) + "' x=" + pdfbibZahl(std::max(0.0, z.l)) +
                            " y=" + pdfbibZahl(std::clamp(s.hoehe - z.t, 0.0, s.hoehe));
            cairo_tag_begin(cr, CAIRO_TAG_DEST, a.c_str());
            cairo_tag_end(cr, CAIRO_TAG_DEST);
        }
        for (const PdfbibLink& l : s.links) {
            std::string a = "rect=[" + pdfbibZahl(l.l) + " " + pdfbibZahl(s.hoehe - l.t) + " " + pdfbibZahl(l.w) + " " +
                            pdfbibZahl(l.h) + "] dest='d" + std::to_string(l.ziel) + "'";
            cairo_tag_begin(cr, CAIRO_TAG_LINK, a.c_str());
            cairo_tag_end(cr, CAIRO_TAG_LINK);
        }
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(fl);
    cairo_status_t st = cairo_surface_status(fl);
    cairo_surface_destroy(fl);
    return st == CAIRO_STATUS_SUCCESS ? 0 : DPL_E_SCHREIBEN;
}

PopplerDocument* pdfbibPopplerAus(GBytes* bytes, const char* passwort)
{
    if (!pdfbibPoppler()) return nullptr;
    GError* fehler = nullptr;
    PopplerDocument* pd = pdfbibPoppler()->document_new_from_bytes(bytes, passwort, &fehler);
    if (fehler) g_error_free(fehler);
    return pd;
}

}  // namespace

namespace {

bool pdfbibGleicherStrich(const PdfbibStil& a, const PdfbibStil& b)
{
    if (a.strich == b.strich) return true;
    return a.strich && b.strich && *a.strich == *b.strich;
}

void pdfbibStrichSetzen(cairo_t* cr, const PdfbibOp& op)
{
    const auto& strich = op.stil->strich;
    if (strich) cairo_set_dash(cr, strich->data(), static_cast<int>(strich->size()), 0);
    else cairo_set_dash(cr, nullptr, 0, 0);
}

}  // namespace

// A run of lines drawn alike (width, dash, colour) from ops[k] on, as one
// path of one stroke: every line is its own subpath, so each starts its
// dash pattern afresh as a stroke of its own would, and the colours are
// opaque. Fewer strokes make the file smaller and Cairo's page analysis
// (a region grown by every operation) faster. Gives the index after the run.
size_t pdfbibLinienMalen(cairo_t* cr, const std::vector<PdfbibOp>& ops, size_t k)
{
    const PdfbibOp& a = ops[k];
    const PdfbibStil& sa = *a.stil;
    auto gleich = [&sa](const PdfbibOp& o) {
        if (o.art != PdfbibOpArt::Linie) return false;
        if (o.stil.get() == &sa) return true;
        const PdfbibStil& so = *o.stil;
        return so.breite == sa.breite && pdfbibGleicherStrich(so, sa) && so.linie.r == sa.linie.r &&
               so.linie.g == sa.linie.g && so.linie.b == sa.linie.b;
    };
    // No save and restore around the run: every op sets the width, dash
    // and colour it draws with, and a saved state copies the dash pattern.
    cairo_set_line_width(cr, sa.breite);
    pdfbibStrichSetzen(cr, a);
    cairo_set_source_rgb(cr, sa.linie.r, sa.linie.g, sa.linie.b);
    for (; k < ops.size() && gleich(ops[k]); ++k) {
        const PdfbibZahlen& p = ops[k].p;
        cairo_move_to(cr, p[0], p[1]);
        cairo_line_to(cr, p[2], p[3]);
    }
    cairo_stroke(cr);
    return k;
}

void pdfbibOpMalen(cairo_t* cr, const PdfbibOp& op)
{
    if (op.art == PdfbibOpArt::Bild) {
        pdfbibBildMalen(cr, op);
        return;
    }
    if (op.art == PdfbibOpArt::Vektor) {
        // The recording replays as vectors, clipped to its box.
        cairo_save(cr);
        cairo_translate(cr, op.p[0], op.p[1]);
        cairo_scale(cr, 1, -1);
        cairo_rectangle(cr, 0, 0, op.p[2], op.p[3]);
        cairo_clip(cr);
        cairo_set_source_surface(cr, op.bild->flaeche, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        return;
    }
    cairo_save(cr);
    cairo_set_line_width(cr, op.stil->breite);
    pdfbibStrichSetzen(cr, op);
    const PdfbibZahlen& p = op.p;
    switch (op.art) {
    case PdfbibOpArt::Linie:
        cairo_move_to(cr, p[0], p[1]);
        cairo_line_to(cr, p[2], p[3]);
        cairo_set_source_rgb(cr, op.stil->linie.r, op.stil->linie.g, op.stil->linie.b);
        cairo_stroke(cr);
        break;
    case PdfbibOpArt::Box:
        cairo_rectangle(cr, p[0], p[1] - p[3], p[2], p[3]);
        pdfbibFuellenZiehen(cr, op);
        break;
    case PdfbibOpArt::Kreis:
        cairo_new_sub_path(cr);
        cairo_arc(cr, p[0], p[1], p[2], 0, 2 * M_PI);
        cairo_close_path(cr);
        pdfbibFuellenZiehen(cr, op);
        break;
    case PdfbibOpArt::Ellipse:
        if (p[2] > 0 && p[3] > 0) {
            pdfbibEllipsenPfad(cr, p[0], p[1], p[2] / 2, p[3] / 2, 0, 0, 2 * M_PI);
            cairo_close_path(cr);
            pdfbibFuellenZiehen(cr, op);
        } else {  // flat: the line between its extremes
            cairo_move_to(cr, p[0] - p[2] / 2, p[1] - p[3] / 2);
            cairo_line_to(cr, p[0] + p[2] / 2, p[1] + p[3] / 2);
            cairo_set_source_rgb(cr, op.stil->linie.r, op.stil->linie.g, op.stil->linie.b);
            cairo_stroke(cr);
        }
        break;
    case PdfbibOpArt::Bogen:
        if (p[2] > 0 && p[3] > 0) {
            // The library's angles start at the top: +90 degrees from +x.
            double a0 = (p[4] + 90.0) * M_PI / 180.0, a1 = (p[5] + 90.0) * M_PI / 180.0;
            pdfbibEllipsenPfad(cr, p[0], p[1], p[2] / 2, p[3] / 2, p[6] * M_PI / 180.0, a0, a1);
            if (op.modus != 0) {
                cairo_line_to(cr, p[0], p[1]);
                cairo_close_path(cr);
            }
            pdfbibFuellenZiehen(cr, op);
        }
        break;
    case PdfbibOpArt::Pfad:
        if (p.size() >= 4) {
            cairo_move_to(cr, p[0], p[1]);
            for (size_t i = 2; i + 1 < p.size(); i += 2) cairo_line_to(cr, p[i], p[i + 1]);
            if (op.geschlossen) cairo_close_path(cr);  // a filling closes it anyway
            pdfbibFuellenZiehen(cr, op);
        }
        break;
    default: break;
    }
    cairo_restore(cr);
}

int pdfbibPdfLaden(std::string daten, const std::string& passwortUtf8, PdfbibDokument& doc, int (*neueId)())
{
    // A PDF file starts with its header within the first kilobyte.
    if (daten.substr(0, 1024).find("%PDF-") == std::string::npos) return DPL_E_FORMAT;
    const PdfbibQpdfTabelle* modul = pdfbibQpdfModul();
    if (!modul) return DPL_E_FORMAT;
    auto q = std::make_shared<Quelle>();
    // Poppler reads qpdf's copy of the file, objects numbered afresh and not
    // encrypted: poppler sizes its table by the largest object number it
    // meets, so a damaged file's "10000002 0 obj" would have it reserve
    // hundreds of megabytes the file never held.
    q->qpdf = modul->laden(&daten, passwortUtf8.c_str(), &q->seitenZahl, &q->kopie);
    if (!q->qpdf) return DPL_E_FORMAT;
    q->bytes = g_bytes_new_static(q->kopie.data(), q->kopie.size());
    q->poppler = pdfbibPopplerAus(q->bytes, nullptr);
    if (!q->poppler || pdfbibPoppler()->document_get_n_pages(q->poppler) != q->seitenZahl)
        return DPL_E_FORMAT;
    doc.seiten.clear();
    for (size_t i = 0; i < static_cast<size_t>(q->seitenZahl); ++i) {
        PdfbibSeite s;
        PopplerPage* pp = pdfbibPoppler()->document_get_page(q->poppler, static_cast<int>(i));
        if (pp) {
            pdfbibPoppler()->page_get_size(pp, &s.breite, &s.hoehe);
            g_object_unref(pp);
        }
        s.quelle = q;
        s.quellSeite = static_cast<int>(i);
        doc.seiten.push_back(std::move(s));
    }
    doc.seite = 1;
    doc.gliederung.clear();
    if (PopplerIndexIter* it = pdfbibPoppler()->index_iter_new(q->poppler)) {
        pdfbibIndexLesen(q->poppler, it, 0, 1, doc, neueId);
        pdfbibPoppler()->index_iter_free(it);
    }
    doc.geladen = q;
    doc.veraendert = false;
    return 0;
}

int pdfbibPdfErzeugen(const PdfbibDokument& doc, std::string& aus)
{
    aus.clear();
    std::string roh;
    int rc = pdfbibCairoSchreiben(doc, roh);
    if (rc != 0) return rc;
    const PdfbibQpdfTabelle* modul = pdfbibQpdfModul();
    if (!modul) return DPL_E_SCHREIBEN;
    std::vector<PdfbibQpdfSeite> seiten(doc.seiten.size());
    for (size_t i = 0; i < doc.seiten.size(); ++i) {
        const PdfbibSeite& s = doc.seiten[i];
        seiten[i].quelle = s.quelle ? s.quelle->qpdf : nullptr;
        seiten[i].quellSeite = s.quellSeite;
        for (const PdfbibLink& l : s.links)
            seiten[i].links.push_back(PdfbibQpdfLink{l.rahmen, l.farbe.r, l.farbe.g, l.farbe.b});
    }
    if (!modul->fertigstellen(roh, seiten, doc.seitenModus, &aus)) {
        aus.clear();
        return DPL_E_SCHREIBEN;
    }
    return 0;
}

int pdfbibSeiteRendern(const PdfbibDokument& doc, int seite, double dpi, cairo_t* cr)
{
    PopplerDocument* pd = nullptr;
    int index = seite - 1;
    GBytes* bytes = nullptr;
    if (doc.geladen && !doc.veraendert) {
        pd = doc.geladen->poppler;
        g_object_ref(pd);
        index = doc.seiten[static_cast<size_t>(seite - 1)].quellSeite;
    } else {
        std::string daten;
        int rc = pdfbibPdfErzeugen(doc, daten);
        if (rc != 0) return rc;
        bytes = g_bytes_new(daten.data(), daten.size());
        pd = pdfbibPopplerAus(bytes, nullptr);
        if (!pd) {
            g_bytes_unref(bytes);
            return DPL_E_SCHREIBEN;
        }
    }
    int rc = DPL_E_SEITE;
    if (PopplerPage* pp = pdfbibPoppler()->document_get_page(pd, index)) {
        cairo_save(cr);
        cairo_scale(cr, dpi / 72.0, dpi / 72.0);
        pdfbibPoppler()->page_render(pp, cr);
        cairo_restore(cr);
        g_object_unref(pp);
        rc = 0;
    }
    g_object_unref(pd);
    if (bytes) g_bytes_unref(bytes);
    return rc;
}
