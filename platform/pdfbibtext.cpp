// Fonts and texts of the PDF library (prefix `pdfbib`): the standard font
// numbers and face names to fontconfig families, text metrics and the
// drawing of a recorded text, all over Pango with unhinted metrics so that
// what is measured is what the PDF shows.
// May call: platform/pdfbibint.h, platform/gdiint.h (face mapping), Pango,
// Cairo.
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
#include <strings.h>

#include "platform/gdiint.h"
#include "platform/pdfbibint.h"

namespace {

// One context for measuring: unhinted, unrounded glyph positions, sizes in
// points (absolute sizes, so the resolution does not matter).
PangoContext* pdfbibKontext()
{
    static PangoContext* k = nullptr;
    if (!k) {
        k = pango_font_map_create_context(pango_cairo_font_map_get_default());
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
        pango_cairo_context_set_font_options(k, o);
        cairo_font_options_destroy(o);
        pango_context_set_round_glyph_positions(k, FALSE);
    }
    return k;
}

PangoFontDescription* pdfbibBeschreibung(const PdfbibSchrift& s, double groesse)
{
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, s.familie.c_str());
    pango_font_description_set_weight(d, s.fett ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d, s.kursiv ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(d, groesse * PANGO_SCALE);
    return d;
}

PangoLayout* pdfbibLayout(PangoContext* k, const PdfbibSchrift& s, double groesse, const std::string& utf8)
{
    PangoLayout* l = pango_layout_new(k);
    PangoFontDescription* d = pdfbibBeschreibung(s, groesse);
    pango_layout_set_font_description(l, d);
    pango_font_description_free(d);
    pango_layout_set_text(l, utf8.data(), static_cast<int>(utf8.size()));
    return l;
}

}  // namespace

std::string pdfbibUtf8(const std::wstring& w)
{
    std::string s;
    for (wchar_t wc : w) {
        auto c = static_cast<uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || c == 0) c = 0xFFFD;
        if (c < 0x80) {
            s.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            s.push_back(static_cast<char>(0xC0 | (c >> 6)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            s.push_back(static_cast<char>(0xE0 | (c >> 12)));
            s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            s.push_back(static_cast<char>(0xF0 | (c >> 18)));
            s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return s;
}

bool pdfbibStandardSchrift(int nummer, PdfbibSchrift& s)
{
    // Courier, Helvetica and Times in the order regular, bold, bold
    // slanted, slanted (Times: regular, bold, italic, bold italic).
    static const char* const familien[] = {"Liberation Mono", "Liberation Sans", "Liberation Serif"};
    if (nummer >= 0 && nummer < 8) {
        int v = nummer % 4;
        s.familie = familien[nummer / 4];
        s.fett = v == 1 || v == 2;
        s.kursiv = v == 2 || v == 3;
        return true;
    }
    if (nummer >= 8 && nummer < 12) {
        int v = nummer - 8;
        s.familie = familien[2];
        s.fett = v == 1 || v == 3;
        s.kursiv = v >= 2;
        return true;
    }
    if (nummer == 12 || nummer == 13) {  // Symbol, ZapfDingbats: DejaVu has those characters
        s.familie = "DejaVu Sans";
        s.fett = s.kursiv = false;
        return true;
    }
    return false;
}

void pdfbibTrueTypeSchrift(const std::string& faceCp1252, PdfbibSchrift& s)
{
    LOGFONT lf{};
    std::string name = faceCp1252;
    // "Name,Bold" and "Name Bold" styles as font pickers write them.
    auto endet = [&name](const char* z) {
        size_t n = std::strlen(z);
        if (name.size() > n && strncasecmp(name.c_str() + name.size() - n, z, n) == 0) {
            name.resize(name.size() - n);
            return true;
        }
        return false;
    };
    s.fett = s.kursiv = false;
    if (endet(",BoldItalic") || endet(" Bold Italic")) s.fett = s.kursiv = true;
    else if (endet(",Bold") || endet(" Bold")) s.fett = true;
    else if (endet(",Italic") || endet(" Italic")) s.kursiv = true;
    std::memcpy(lf.lfFaceName, name.data(), std::min(name.size(), size_t{LF_FACESIZE - 1}));
    gdiSchriftLoesen(lf, s.familie);
}

double pdfbibAufstieg(const PdfbibSchrift& s, double groesse)
{
    PangoFontDescription* d = pdfbibBeschreibung(s, groesse);
    PangoFontMetrics* m = pango_context_get_metrics(pdfbibKontext(), d, nullptr);
    double a = pango_font_metrics_get_ascent(m) / static_cast<double>(PANGO_SCALE);
    pango_font_metrics_unref(m);
    pango_font_description_free(d);
    return a;
}

double pdfbibTextBreite(const PdfbibSchrift& s, double groesse, const std::string& utf8)
{
    // Widths measured before, by font, size and text: an export measures
    // each text piece to fit it, and sheets repeat their texts (terminal
    // and device names) many times. Laying a text out costs far more than
    // the lookup. The table is emptied when full.
    static std::unordered_map<std::string, double> gemessen;
    constexpr size_t GEMESSENSUP = 8192;
    std::string schluessel;
    schluessel.reserve(s.familie.size() + utf8.size() + sizeof groesse + 3);
    schluessel.append(s.familie);
    schluessel.push_back('\0');
    schluessel.push_back(static_cast<char>((s.fett ? 1 : 0) | (s.kursiv ? 2 : 0)));
    schluessel.append(reinterpret_cast<const char*>(&groesse), sizeof groesse);
    schluessel.append(utf8);
    if (auto it = gemessen.find(schluessel); it != gemessen.end()) return it->second;
    PangoLayout* l = pdfbibLayout(pdfbibKontext(), s, groesse, utf8);
    PangoRectangle logisch;
    pango_layout_get_extents(l, nullptr, &logisch);
    g_object_unref(l);
    const double breite = logisch.width / static_cast<double>(PANGO_SCALE);
    if (gemessen.size() >= GEMESSENSUP) gemessen.clear();
    gemessen.emplace(std::move(schluessel), breite);
    return breite;
}

double pdfbibGesichtBreite(std::string_view faceCp1252, double groesse, std::string_view cp1252,
                           std::string* familie)
{
    PdfbibSchrift s;
    pdfbibTrueTypeSchrift(std::string(faceCp1252), s);
    if (familie) *familie = s.familie;
    // Measured at 100 units: Pango's units of 1/1024 would round small sizes.
    return pdfbibTextBreite(s, 100, pdfbibUtf8(pdfbibBreit(cp1252))) * groesse / 100;
}

bool pdfbibSchriftMass(const PdfbibSchrift& s, int item, double& wert)
{
    const double em = 1000.0;  // measured at 1000 points, so points are the 1/1000 units
    if (item == 3 || item == 4) {
        PangoLayout* l = pdfbibLayout(pdfbibKontext(), s, em, item == 3 ? "H" : "x");
        PangoRectangle tinte;
        pango_layout_get_extents(l, &tinte, nullptr);
        int grund = pango_layout_get_baseline(l);
        g_object_unref(l);
        wert = (grund - tinte.y) / static_cast<double>(PANGO_SCALE);
        return true;
    }
    PangoFontDescription* d = pdfbibBeschreibung(s, em);
    PangoFontMetrics* m = pango_context_get_metrics(pdfbibKontext(), d, nullptr);
    bool ok = true;
    double p = 1.0 / PANGO_SCALE;
    switch (item) {
    case 0: wert = pango_font_metrics_get_ascent(m) * p; break;
    case 1: wert = -pango_font_metrics_get_descent(m) * p; break;
    case 2: wert = pango_font_metrics_get_height(m) * p; break;
    case 5: wert = pango_font_metrics_get_approximate_digit_width(m) * p; break;
    case 6: wert = pango_font_metrics_get_approximate_char_width(m) * p; break;
    case 7: wert = pango_font_metrics_get_underline_position(m) * p; break;
    case 8: wert = pango_font_metrics_get_underline_thickness(m) * p; break;
    default: ok = false; wert = 0;
    }
    pango_font_metrics_unref(m);
    pango_font_description_free(d);
    return ok;
}

namespace {

// The layout texts are drawn with, one for all of them: a context and a
// layout made for every text cost more than laying the text out. It takes
// the target's transformation and font options anew for each text.
PangoLayout* pdfbibZeichenLayout(cairo_t* cr)
{
    static PangoLayout* l = nullptr;
    if (!l) {
        PangoContext* k = pango_font_map_create_context(pango_cairo_font_map_get_default());
        pango_context_set_round_glyph_positions(k, FALSE);
        l = pango_layout_new(k);
        g_object_unref(k);
    }
    pango_cairo_update_context(cr, pango_layout_get_context(l));
    pango_layout_context_changed(l);
    return l;
}

}  // namespace

namespace {

// A text laid out at its natural width: what drawing it needs, whatever
// its place, scaling and alignment.
struct PdfbibLauf {
    cairo_font_face_t* face = nullptr;  // referenced
    cairo_matrix_t matrix{};            // the font matrix, not yet widened
    cairo_font_options_t* optionen = nullptr;
    double grund = 0;                   // baseline, from the layout's top
    std::vector<cairo_glyph_t> glyphen; // x: the natural position (offset included); y: from the baseline
};
struct PdfbibSatz {
    double breite = 0;  // natural logical width
    std::vector<PdfbibLauf> laeufe;
    PdfbibSatz() = default;
    PdfbibSatz(const PdfbibSatz&) = delete;
    PdfbibSatz& operator=(const PdfbibSatz&) = delete;
    ~PdfbibSatz()
    {
        for (PdfbibLauf& l : laeufe) {
            cairo_font_face_destroy(l.face);
            cairo_font_options_destroy(l.optionen);
        }
    }
};

void pdfbibSetzen(cairo_t* cr, const PdfbibTextTeil& t, PdfbibSatz& satz)
{
    PangoLayout* l = pdfbibZeichenLayout(cr);
    PangoFontDescription* d = pdfbibBeschreibung(t.schrift, t.groesse);
    pango_layout_set_font_description(l, d);
    pango_font_description_free(d);
    pango_layout_set_text(l, t.utf8.data(), static_cast<int>(t.utf8.size()));
    PangoRectangle logisch;
    pango_layout_get_extents(l, nullptr, &logisch);
    satz.breite = logisch.width / static_cast<double>(PANGO_SCALE);
    const double oben = -pango_layout_get_baseline(l) / static_cast<double>(PANGO_SCALE);
    PangoLayoutIter* it = pango_layout_get_iter(l);
    do {
        PangoLayoutRun* run = pango_layout_iter_get_run_readonly(it);
        if (run == nullptr) continue;
        PangoRectangle lauf;
        pango_layout_iter_get_run_extents(it, nullptr, &lauf);
        const double grund = oben + pango_layout_iter_get_baseline(it) / static_cast<double>(PANGO_SCALE);
        cairo_scaled_font_t* sf = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(run->item->analysis.font));
        if (sf == nullptr) continue;
        PdfbibLauf& r = satz.laeufe.emplace_back();
        r.face = cairo_font_face_reference(cairo_scaled_font_get_font_face(sf));
        cairo_scaled_font_get_font_matrix(sf, &r.matrix);
        r.optionen = cairo_font_options_create();
        cairo_scaled_font_get_font_options(sf, r.optionen);
        r.grund = grund;
        double x = lauf.x / static_cast<double>(PANGO_SCALE);
        const PangoGlyphString* gs = run->glyphs;
        for (int i = 0; i < gs->num_glyphs; ++i) {
            const PangoGlyphInfo& g = gs->glyphs[i];
            const double ox = g.geometry.x_offset / static_cast<double>(PANGO_SCALE);
            const double oy = g.geometry.y_offset / static_cast<double>(PANGO_SCALE);
            if (!(g.glyph & PANGO_GLYPH_UNKNOWN_FLAG) && g.glyph != PANGO_GLYPH_EMPTY)
                r.glyphen.push_back({g.glyph, x + ox, oy});
            x += g.geometry.width / static_cast<double>(PANGO_SCALE);
        }
    } while (pango_layout_iter_next_run(it));
    pango_layout_iter_free(it);
}

// Texts laid out before, by font, size, text, the linear part of the
// transformation and the target's font options (what the layout depends
// on: Pango drops the translation). Sheets repeat their texts, and laying
// one out costs far more than the lookup. Emptied when full.
const PdfbibSatz& pdfbibSatz(cairo_t* cr, const PdfbibTextTeil& t)
{
    static std::unordered_map<std::string, std::unique_ptr<PdfbibSatz>> saetze;
    constexpr size_t SAETZESUP = 4096;
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_surface_get_font_options(cairo_get_target(cr), fo);
    const unsigned long optionen = cairo_font_options_hash(fo);
    cairo_font_options_destroy(fo);
    std::string k;
    k.reserve(t.schrift.familie.size() + t.utf8.size() + 6 * sizeof(double) + 3);
    auto zahl = [&k](const auto& v) { k.append(reinterpret_cast<const char*>(&v), sizeof v); };
    k.append(t.schrift.familie);
    k.push_back('\0');
    k.push_back(static_cast<char>((t.schrift.fett ? 1 : 0) | (t.schrift.kursiv ? 2 : 0)));
    zahl(t.groesse);
    zahl(m.xx);
    zahl(m.yx);
    zahl(m.xy);
    zahl(m.yy);
    zahl(optionen);
    k.append(t.utf8);
    if (auto it = saetze.find(k); it != saetze.end()) return *it->second;
    if (saetze.size() >= SAETZESUP) saetze.clear();
    auto satz = std::make_unique<PdfbibSatz>();
    pdfbibSetzen(cr, t, *satz);
    return *saetze.emplace(std::move(k), std::move(satz)).first->second;
}

}  // namespace

// The text is laid out at its natural width and its glyphs are set one by
// one with a font matrix widened by the scaling, each at its advance times
// the scaling. Scaling the whole layout through the transformation instead
// leaves PDF readers with glyphs widened twice but advances widened once:
// letters then overlap and text extraction splits the words.
void pdfbibTextMalen(cairo_t* cr, const PdfbibOp& op)
{
    cairo_save(cr);
    cairo_translate(cr, op.p[0], op.p[1]);
    cairo_rotate(cr, op.winkel * M_PI / 180.0);
    cairo_scale(cr, 1.0, -1.0);  // glyphs upright again, y down
    const PdfbibTextTeil& t = *op.text;
    const PdfbibSatz& satz = pdfbibSatz(cr, t);
    const double sk = t.skala / 100.0;
    const double breite = satz.breite * sk;
    const double dx = t.ausrichtung == 1 ? -breite / 2 : t.ausrichtung == 2 ? -breite : 0.0;
    cairo_set_source_rgb(cr, t.farbe.r, t.farbe.g, t.farbe.b);
    std::vector<cairo_glyph_t> glyphen;
    for (const PdfbibLauf& r : satz.laeufe) {
        cairo_matrix_t fm = r.matrix;
        fm.xx *= sk;
        fm.xy *= sk;
        cairo_set_font_face(cr, r.face);
        cairo_set_font_matrix(cr, &fm);
        cairo_set_font_options(cr, r.optionen);
        glyphen.clear();
        for (const cairo_glyph_t& g : r.glyphen) glyphen.push_back({g.index, dx + g.x * sk, r.grund + g.y});
        if (!glyphen.empty()) cairo_show_glyphs(cr, glyphen.data(), static_cast<int>(glyphen.size()));
    }
    cairo_restore(cr);
}
