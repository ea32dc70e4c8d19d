// Fonts and text of the GDI layer over Pango: face resolution through
// fontconfig (DejaVu and Liberation stand in for the Windows faces), font
// metrics, TextOut/ExtTextOut, DrawText, extents, character widths and font
// enumeration. Prefix `gdi`. Calls Pango/Cairo and the DC state.
//
// Sizes: a negative lfHeight is the character (em) height, a positive one
// the cell height (ascent + descent), 0 a default cell of 16 pixels; both
// are logical units mapped to device pixels. lfWidth, when set, stretches
// the glyphs so that the average character width becomes lfWidth.
// lfEscapement turns the run and its glyphs counter-clockwise (tenths of a
// degree); lfOrientation is taken to equal it, as Windows does outside
// GM_ADVANCED. Raster DCs shape with hinted metrics and no anti-aliasing, so
// widths are whole pixels as on Windows; printer DCs use unhinted outlines.
// A DC showing a drawing on screen (GdiDc::glatt) measures as the raster DCs
// and draws the same glyphs in grey levels.
// DCs of the user interface (GdiDc::oberflaeche) shape with hinted metrics
// too but rasterise as the desktop does (anti-aliased, its hint style); their
// fonts, metrics and widths are kept apart from the drawing DCs'.
// Text is code page 1252 and becomes UTF-8 only for Pango.
#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include <fontconfig/fontconfig.h>

#include "platform/gdimalen.h"
#include "platform/textbreite.h"

namespace {

PangoFontMap* gdiFontMap;
PangoContext* gdiKontext[4];  // [0] vector, [1] raster, [2] user interface, [3] smoothed raster

struct GdiMetrik {
    int ascent = 0, descent = 0;  // device pixels (rounded up for raster)
    double asc = 0, desc = 0;     // exact
    int internLeading = 0, externLeading = 0;
    double avg = 0;
};
std::map<std::string, GdiMetrik> gdiMetriken;
long gdiGeladen = 0;  // fonts loaded (each a new Pango font match; tests)
std::map<std::string, double> gdiZellVerhaeltnis;  // em / cell per face+style
std::set<std::string> gdiFamilien;                  // installed, lower case

// Fonts resolved at a scale (GdiSchriftLage below), kept for reuse: text runs
// of one font cost one lookup. Full means cleared (a DC's layout then
// notices the new number).
struct GdiSchriftLage;
constexpr size_t GDI_LAGENSUP = 64;
std::vector<std::unique_ptr<GdiSchriftLage>> gdiLagen;
uint64_t gdiLagenNummer;
void gdiLagenLeeren();
void gdiGesichterFrei();
bool gdiZellSchaetzung = true;  // gdiZellSchritte on
bool gdiGesichtDirekt = true;   // gdiZelle through gdiGesichtSuchen

std::string gdiKlein(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void gdiFamilienLaden()
{
    if (!gdiFamilien.empty()) return;
    PangoFontFamily** f = nullptr;
    int n = 0;
    pango_font_map_list_families(gdiFontMap, &f, &n);
    for (int i = 0; i < n; ++i) gdiFamilien.insert(gdiKlein(pango_font_family_get_name(f[i])));
    g_free(f);
}

// Code page 1252 to UTF-8 (0x80..0x9F by table; undefined bytes become '?').
void gdiNachUtf8(const char* t, size_t n, std::string& aus, std::vector<int>* start)
{
    static const uint16_t tab[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    aus.clear();
    if (start) start->clear();
    for (size_t i = 0; i < n; ++i) {
        if (start) start->push_back(static_cast<int>(aus.size()));
        unsigned c = static_cast<unsigned char>(t[i]);
        unsigned u = c;
        if (c >= 0x80 && c < 0xA0) u = tab[c - 0x80] ? tab[c - 0x80] : '?';
        if (u == 0) u = ' ';
        if (u < 0x80) {
            aus += static_cast<char>(u);
        } else if (u < 0x800) {
            aus += static_cast<char>(0xC0 | (u >> 6));
            aus += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            aus += static_cast<char>(0xE0 | (u >> 12));
            aus += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            aus += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    if (start) start->push_back(static_cast<int>(aus.size()));
}

// Logical widths (Pango units, unstretched) of the printable characters
// of the code page (32..126, 160..255; the others stay -1), each as if laid
// out alone: one layout holds one paragraph per character, and Pango shapes
// every paragraph by itself, so no kerning or ligature joins two of them.
// One layout in place of 190 keeps font start-up cheap.
void gdiEinzelBreiten(PangoContext* k, const PangoFontDescription* d, std::array<int, 256>& breite)
{
    breite.fill(-1);
    std::string text, u;
    std::vector<int> zeichen;
    for (int c = 32; c < 256; ++c) {
        if (c >= 127 && c < 160) continue;
        char ch = static_cast<char>(c);
        gdiNachUtf8(&ch, 1, u, nullptr);
        if (!text.empty()) text += '\n';
        text += u;
        zeichen.push_back(c);
    }
    PangoLayout* l = pango_layout_new(k);
    pango_layout_set_font_description(l, d);
    pango_layout_set_text(l, text.c_str(), static_cast<int>(text.size()));
    if (pango_layout_get_line_count(l) >= static_cast<int>(zeichen.size())) {
        // Walk the line list once: fetching line i by number walks it from
        // the start every time.
        GSList* zeilen = pango_layout_get_lines_readonly(l);
        for (size_t i = 0; i < zeichen.size() && zeilen; ++i, zeilen = zeilen->next) {
            PangoRectangle log;
            pango_layout_line_get_extents(static_cast<PangoLayoutLine*>(zeilen->data), nullptr, &log);
            breite[static_cast<size_t>(zeichen[i])] = log.width;
        }
    }
    g_object_unref(l);
}

// Single-character widths by font description and kind (raster or vector):
// faces the program names differently often resolve to one description
// (Arial and Liberation Sans), which then is laid out once.
std::map<std::string, std::array<int, 256>> gdiEinzelSpeicher;

void gdiEinzelBreitenGemerkt(PangoContext* k, const PangoFontDescription* d, const char* art,
                             std::array<int, 256>& breite)
{
    char* t = pango_font_description_to_string(d);
    std::string key = std::string(t) + art;
    g_free(t);
    auto it = gdiEinzelSpeicher.find(key);
    if (it == gdiEinzelSpeicher.end()) {
        gdiEinzelBreiten(k, d, breite);
        gdiEinzelSpeicher.emplace(key, breite);
        return;
    }
    breite = it->second;
}

}  // namespace

void gdiSchriftenVorbereiten()
{
    if (!gdiFontMap) gdiFontMap = pango_cairo_font_map_new();
}

PangoContext* gdiPangoKontext(bool raster)
{
    if (!gdiFontMap) gdiFontMap = pango_cairo_font_map_new();
    PangoContext*& k = gdiKontext[raster ? 1 : 0];
    if (!k) {
        k = pango_font_map_create_context(gdiFontMap);
        cairo_font_options_t* o = cairo_font_options_create();
        if (raster) {
            cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_NONE);
            cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
            cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_FULL);
        } else {
            cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
            cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
        }
        pango_cairo_context_set_font_options(k, o);
        cairo_font_options_destroy(o);
        pango_cairo_context_set_resolution(k, 72);
        pango_context_set_round_glyph_positions(k, raster);
    }
    return k;
}

PangoContext* gdiPangoKontextOberflaeche()
{
    if (!gdiFontMap) gdiFontMap = pango_cairo_font_map_new();
    PangoContext*& k = gdiKontext[2];
    if (!k) {
        k = pango_font_map_create_context(gdiFontMap);
        cairo_font_options_t* o = cairo_font_options_create();
        plBeSchriftOptionen(o);
        // Whole-pixel advances, as the dialog units are measured with.
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
        pango_cairo_context_set_font_options(k, o);
        cairo_font_options_destroy(o);
        pango_cairo_context_set_resolution(k, 72);
        pango_context_set_round_glyph_positions(k, true);
    }
    return k;
}

PangoContext* gdiPangoKontextGlatt()
{
    if (!gdiFontMap) gdiFontMap = pango_cairo_font_map_new();
    PangoContext*& k = gdiKontext[3];
    if (!k) {
        k = pango_font_map_create_context(gdiFontMap);
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_FULL);
        pango_cairo_context_set_font_options(k, o);
        cairo_font_options_destroy(o);
        pango_cairo_context_set_resolution(k, 72);
        pango_context_set_round_glyph_positions(k, true);
    }
    return k;
}

// Widths of whole texts measured before (device pixels, stretched), by
// resolved font and text: list controls and dialogs measure the same texts
// again and again. A resolved font is known by its number, which is never
// given twice, so another font, size or scale on a DC is another key; the
// store goes with the fonts (gdiTextFreigeben) and when it is full.
namespace {
std::unordered_map<std::string, double> gdiBreitenSpeicher;
constexpr size_t GDI_BREITENSUP = 16384;
long gdiBreitenGemessen = 0;  // texts laid out for GetTextExtentPoint32 (tests)
}  // namespace

void gdiTextFreigeben()
{
    gdiBreitenSpeicher.clear();
    for (PangoContext*& k : gdiKontext)
        if (k) g_object_unref(k), k = nullptr;
    if (gdiFontMap) g_object_unref(gdiFontMap), gdiFontMap = nullptr;
    gdiMetriken.clear();
    gdiEinzelSpeicher.clear();
    gdiZellVerhaeltnis.clear();
    gdiGesichterFrei();
    gdiLagenLeeren();
    gdiFamilien.clear();
}

void gdiZellSchaetzungSetzen(bool an)
{
    gdiZellSchaetzung = an;
}

void gdiGesichtDirektSetzen(bool an)
{
    gdiGesichtDirekt = an;
}

// The Windows faces the program names, and their stand-ins.
void gdiSchriftLoesen(const LOGFONT& lf, std::string& familie)
{
    static const struct {
        const char* windows;
        const char* hier;
    } ersatz[] = {
        {"arial", "Liberation Sans"},          {"helvetica", "Liberation Sans"},
        {"arial narrow", "Liberation Sans Narrow"},
        {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},      {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},        {"ms sans serif", "DejaVu Sans"},
        {"microsoft sans serif", "DejaVu Sans"}, {"ms shell dlg", "DejaVu Sans"},
        {"ms shell dlg 2", "DejaVu Sans"},     {"system", "Liberation Sans Narrow"},
        {"tahoma", "DejaVu Sans"},             {"verdana", "DejaVu Sans"},
        {"segoe ui", "DejaVu Sans"},           {"small fonts", "DejaVu Sans"},
        {"terminal", "DejaVu Sans Mono"},      {"fixedsys", "DejaVu Sans Mono"},
        {"lucida console", "DejaVu Sans Mono"}, {"consolas", "DejaVu Sans Mono"},
        {"symbol", "DejaVu Sans"},             {"wingdings", "DejaVu Sans"},
    };
    gdiPangoKontext(true);
    gdiFamilienLaden();
    std::string name(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    std::string k = gdiKlein(name);
    for (const auto& e : ersatz)
        if (k == e.windows) {
            familie = e.hier;
            return;
        }
    if (!name.empty() && gdiFamilien.count(k)) {
        familie = name;
        return;
    }
    // Unknown face: by pitch and family, as the font mapper would choose.
    int fam = lf.lfPitchAndFamily & 0xF0;
    if ((lf.lfPitchAndFamily & 3) == FIXED_PITCH || fam == FF_MODERN) familie = "Liberation Mono";
    else if (fam == FF_ROMAN) familie = "Liberation Serif";
    else if (fam == FF_SWISS) familie = "Liberation Sans";
    else familie = "DejaVu Sans";
}

namespace {

// A font as Pango sees it on one DC.
struct GdiSchriftLage {
    PangoFontDescription* desc = nullptr;
    double em = 0;           // device pixels
    double dehnung = 1;      // horizontal stretch from lfWidth
    double winkel = 0;       // escapement in radians, counter-clockwise
    bool unterstrichen = false, durchgestrichen = false;
    bool raster = true;
    bool ui = false;         // user-interface text (raster only)
    GdiMetrik m;
    double skala = 1;        // device pixels per logical unit (vertical)
    double skalaX = 1;
    LOGFONT lf{};            // what it was made from (the cache's key with the scales)
    uint64_t nummer = 0;     // unique per entry, so a DC's layout knows its font
    // Single characters, filled on first use (gdiEinzel): the sizes the
    // cell search tries and drops never pay for them.
    mutable bool einzelDa = false;
    mutable std::array<int, 256> einzel{};  // Pango units, unstretched; -1 not printable
    mutable double max = 0;                 // widest printable character, whole pixels up
    // Pairs of characters (by the first, 256 each, made on first use by
    // plTextBreite): 0 not measured, 1 their width together is the sum of
    // their own, 2 it is not (kerning, a ligature). By the first character,
    // so that a font's few letters touch a few rows, not 64 KB.
    mutable std::array<std::unique_ptr<std::array<uint8_t, 256>>, 256> paare;
    ~GdiSchriftLage()
    {
        if (desc) pango_font_description_free(desc);
    }
};

PangoFontDescription* gdiBeschreibung(const LOGFONT& lf, double em)
{
    std::string fam;
    gdiSchriftLoesen(lf, fam);
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, fam.c_str());
    int w = lf.lfWeight == 0 ? 400 : std::clamp<int>(lf.lfWeight, 100, 1000);
    pango_font_description_set_weight(d, static_cast<PangoWeight>(w));
    pango_font_description_set_style(d, lf.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(d, std::max(em, 0.5) * PANGO_SCALE);
    return d;
}

// Ascent, descent and line height (Pango units) from the face's own
// extents, as pango_font_get_metrics gives them (hinted metrics whole
// pixels up) without its sample layout: that layout runs in a context of
// its own and costs two further fontconfig match and sort threads per size.
void gdiFlaechenMetrik(PangoFont* f, bool raster, int& asc, int& desc, int& hoehe)
{
    hb_font_extents_t e{};
    hb_font_get_extents_for_direction(pango_font_get_hb_font(f), HB_DIRECTION_LTR, &e);
    asc = e.ascender;
    desc = -e.descender;
    hoehe = e.ascender - e.descender + e.line_gap;
    if (raster) {
        asc = PANGO_UNITS_CEIL(asc);
        desc = PANGO_UNITS_CEIL(desc);
        hoehe = PANGO_UNITS_CEIL(hoehe);
    }
}

// The faces behind gdiZelle's vector fonts (key as there), referenced:
// their extents at any size are known without loading the font at that
// size (gdiZellSchritte).
// Referenced faces, let go with the map (some are read from their files
// here, and no font map holds them).
struct GdiGesichtMap : std::map<std::string, hb_face_t*> {
    ~GdiGesichtMap()
    {
        for (auto& [k, g] : *this) hb_face_destroy(g);
    }
};
GdiGesichtMap gdiGesichter;

void gdiGesichterFrei()
{
    for (auto& [k, g] : gdiGesichter) hb_face_destroy(g);
    gdiGesichter.clear();
}

// `gesicht`, when given, receives the face (referenced) if the font was
// loaded here.
GdiMetrik gdiMetrikHolen(PangoFontDescription* d, bool raster, hb_face_t** gesicht = nullptr, bool ui = false)
{
    char* s = pango_font_description_to_string(d);
    std::string key = std::string(s) + (ui ? "|u" : raster ? "|r" : "|v");
    g_free(s);
    auto it = gdiMetriken.find(key);
    if (it != gdiMetriken.end()) return it->second;
    ++gdiGeladen;
    PangoContext* k = ui ? gdiPangoKontextOberflaeche() : gdiPangoKontext(raster);
    GdiMetrik m;
    // The face comes from laying out the probe text, not from
    // pango_font_map_load_font: the two ask fontconfig with different
    // patterns, and each new pattern sorts the installed fonts on two
    // threads of its own. One layout per size keeps it to one pattern.
    PangoLayout* l = pango_layout_new(k);
    pango_layout_set_font_description(l, d);
    // The average width as Windows reports it (tmAveCharWidth): of the
    // lower-case letters and the blank. lfWidth asks for this width.
    const char* probe = "abcdefghijklmnopqrstuvwxyz ";
    pango_layout_set_text(l, probe, -1);
    PangoRectangle log;
    pango_layout_get_extents(l, nullptr, &log);
    PangoLayoutLine* zeile = pango_layout_get_line_readonly(l, 0);
    PangoFont* f = zeile && zeile->runs ? static_cast<PangoGlyphItem*>(zeile->runs->data)->item->analysis.font : nullptr;
    if (f) {
        m.avg = log.width / double(PANGO_SCALE) / 27.0;
        int asc, desc, hoehe;
        gdiFlaechenMetrik(f, raster, asc, desc, hoehe);
        m.asc = asc / double(PANGO_SCALE);
        m.desc = desc / double(PANGO_SCALE);
        double em = pango_font_description_get_size(d) / double(PANGO_SCALE);
        m.ascent = static_cast<int>(std::ceil(m.asc - 0.01));
        m.descent = static_cast<int>(std::ceil(m.desc - 0.01));
        m.internLeading = std::max(0, m.ascent + m.descent - static_cast<int>(std::lround(em)));
        m.externLeading = std::max(0, static_cast<int>(std::lround(hoehe / double(PANGO_SCALE))) - m.ascent - m.descent);
        if (gesicht) *gesicht = hb_face_reference(hb_font_get_face(pango_font_get_hb_font(f)));
    }
    g_object_unref(l);
    gdiMetriken.emplace(key, m);
    return m;
}

// The face fontconfig matches first for the family, weight and slant, as
// Pango's first font of the same description (its match, not its sorted
// list), read from its file; null when the match is another family or the
// file does not load. One match on this thread, where loading the font
// through Pango starts a fontconfig match and sort on two threads.
hb_face_t* gdiGesichtSuchen(const std::string& familie, const LOGFONT& lf, double em)
{
    FcPattern* muster = FcPatternCreate();
    if (!muster) return nullptr;
    FcPatternAddString(muster, FC_FAMILY, reinterpret_cast<const FcChar8*>(familie.c_str()));
    int w = lf.lfWeight == 0 ? 400 : std::clamp<int>(lf.lfWeight, 100, 1000);
    FcPatternAddDouble(muster, FC_WEIGHT, FcWeightFromOpenTypeDouble(w));
    FcPatternAddInteger(muster, FC_SLANT, lf.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddInteger(muster, FC_WIDTH, FC_WIDTH_NORMAL);
    FcPatternAddDouble(muster, FC_PIXEL_SIZE, em);
    FcConfigSubstitute(nullptr, muster, FcMatchPattern);
    FcDefaultSubstitute(muster);
    FcResult r = FcResultNoMatch;
    FcPattern* treffer = FcFontMatch(nullptr, muster, &r);
    FcPatternDestroy(muster);
    if (!treffer) return nullptr;
    hb_face_t* g = nullptr;
    FcChar8* name = nullptr;
    FcChar8* datei = nullptr;
    int index = 0;
    if (FcPatternGetString(treffer, FC_FAMILY, 0, &name) == FcResultMatch &&
        gdiKlein(reinterpret_cast<const char*>(name)) == gdiKlein(familie) &&
        FcPatternGetString(treffer, FC_FILE, 0, &datei) == FcResultMatch) {
        if (FcPatternGetInteger(treffer, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        hb_blob_t* b = hb_blob_create_from_file_or_fail(reinterpret_cast<const char*>(datei));
        if (b) {
            g = hb_face_create(b, static_cast<unsigned>(index & 0xFFFF));
            hb_blob_destroy(b);
            if (hb_face_get_glyph_count(g) == 0) hb_face_destroy(g), g = nullptr;
        }
    }
    FcPatternDestroy(treffer);
    return g;
}

// em / (ascent + descent) of a face, for positive (cell) heights: from the
// face's own extents at em 1000 unhinted, as the vector font gives them.
double gdiZelle(const LOGFONT& lf)
{
    std::string fam;
    gdiSchriftLoesen(lf, fam);
    std::string key = fam + "|" + std::to_string(lf.lfWeight) + "|" + std::to_string(lf.lfItalic);
    auto it = gdiZellVerhaeltnis.find(key);
    if (it != gdiZellVerhaeltnis.end()) return it->second;
    double asc = 0, desc = 0;
    hb_face_t* g = gdiGesichtDirekt ? gdiGesichtSuchen(fam, lf, 1000) : nullptr;
    if (g) {
        hb_font_t* f = hb_font_create(g);
        hb_font_set_scale(f, 1000 * PANGO_SCALE, 1000 * PANGO_SCALE);
        hb_font_extents_t e{};
        hb_font_get_extents_for_direction(f, HB_DIRECTION_LTR, &e);
        hb_font_destroy(f);
        asc = e.ascender / double(PANGO_SCALE);
        desc = -e.descender / double(PANGO_SCALE);
    } else {
        PangoFontDescription* d = gdiBeschreibung(lf, 1000);
        GdiMetrik m = gdiMetrikHolen(d, false, &g);
        pango_font_description_free(d);
        asc = m.asc;
        desc = m.desc;
    }
    if (g) gdiGesichter.emplace(key, g);
    double v = (asc + desc) > 0 ? 1000 / (asc + desc) : 1;
    gdiZellVerhaeltnis.emplace(key, v);
    return v;
}

void gdiLagenLeeren() { gdiLagen.clear(); }

// Raster ascent and descent (whole pixels) of a face at em size `em`, as
// gdiMetrikHolen gives them: the face's own extents scaled, rounded up.
void gdiRasterZelle(hb_face_t* g, double em, int& ascent, int& descent)
{
    hb_font_t* f = hb_font_create(g);
    int skala = static_cast<int>(em * PANGO_SCALE);
    hb_font_set_scale(f, skala, skala);
    hb_font_extents_t e{};
    hb_font_get_extents_for_direction(f, HB_DIRECTION_LTR, &e);
    hb_font_destroy(f);
    ascent = static_cast<int>(std::ceil(PANGO_UNITS_CEIL(e.ascender) / double(PANGO_SCALE) - 0.01));
    descent = static_cast<int>(std::ceil(PANGO_UNITS_CEIL(-e.descender) / double(PANGO_SCALE) - 0.01));
}

// The steps down from `em` the cell search of gdiLage takes, worked out from
// the face instead of loading every size on the way (each new size costs
// Pango a fontconfig match and sort of its own); 0 when the face is unknown.
int gdiZellSchritte(const LOGFONT& lf, double em, long ziel, int& ascent, int& descent)
{
    if (!gdiZellSchaetzung) return 0;
    std::string fam;
    gdiSchriftLoesen(lf, fam);
    auto it = gdiGesichter.find(fam + "|" + std::to_string(lf.lfWeight) + "|" + std::to_string(lf.lfItalic));
    if (it == gdiGesichter.end()) return 0;
    int i = 0;
    gdiRasterZelle(it->second, em, ascent, descent);
    for (; i < 4 && em > 1 && ascent + descent > ziel; ++i) {
        em -= 1;
        gdiRasterZelle(it->second, em, ascent, descent);
    }
    return i;
}

// The DC's font at the DC's scale. Recorders measure as the screen does.
const GdiSchriftLage& gdiLage(GdiDc* dc)
{
    GdiSchrift* f = gdiSchriften().finden(dc->z.schrift);
    LOGFONT lf{};
    if (f) lf = f->lf;
    else lf.lfHeight = 16;
    bool raster = dc->art != GdiDcArt::Vektor;
    bool ui = raster && dc->oberflaeche;
    double skala = 1, skalaX = 1;
    if (dc->art != GdiDcArt::Recorder && dc->z.grafikModus != GM_ADVANCED) {
        // (In GM_ADVANCED the world matrix scales at drawing time.)
        const cairo_matrix_t& m = gdiMatrix(dc);
        skala = std::fabs(m.yy);
        skalaX = std::fabs(m.xx);
    }
    for (const auto& e : gdiLagen)
        if (e->raster == raster && e->ui == ui && e->skala == skala && e->skalaX == skalaX && std::memcmp(&e->lf, &lf, sizeof lf) == 0)
            return *e;
    if (gdiLagen.size() >= GDI_LAGENSUP) gdiLagen.clear();
    gdiLagen.push_back(std::make_unique<GdiSchriftLage>());
    GdiSchriftLage& s = *gdiLagen.back();
    s.lf = lf;
    s.nummer = ++gdiLagenNummer;
    s.raster = raster;
    s.ui = ui;
    s.skala = skala;
    s.skalaX = skalaX;
    double h = lf.lfHeight == 0 ? 16 : std::fabs(static_cast<double>(lf.lfHeight)) * s.skala;
    double em = lf.lfHeight < 0 ? h : h * gdiZelle(lf);
    // Sizes past any page are cut (a font from a damaged file must not
    // make cairo fail): 1/64 to 10000 device pixels.
    em = std::clamp(em, 1.0 / 64, 10000.0);
    if (s.raster) em = std::max(1.0, std::round(em));
    // A cell height is a ceiling: hinting may round the cell up, so step
    // the size down until the cell fits (as the font mapper chooses). The
    // steps come from the face where it is known, then checked against the
    // loaded size: where the two differ, the search runs size by size.
    int i = 0;
    if (s.raster && lf.lfHeight > 0) {
        int ascent = 0, descent = 0;
        int schritte = gdiZellSchritte(lf, em, std::lround(h), ascent, descent);
        if (schritte > 0) {
            PangoFontDescription* d = gdiBeschreibung(lf, em - schritte);
            GdiMetrik m = gdiMetrikHolen(d, s.raster, nullptr, s.ui);
            if (m.ascent == ascent && m.descent == descent) {
                em -= schritte;
                i = schritte;
                s.desc = d;
                s.m = m;
            } else {
                pango_font_description_free(d);
            }
        }
    }
    if (!s.desc) {
        s.desc = gdiBeschreibung(lf, em);
        s.m = gdiMetrikHolen(s.desc, s.raster, nullptr, s.ui);
    }
    for (; s.raster && lf.lfHeight > 0 && i < 4 && em > 1 && s.m.ascent + s.m.descent > std::lround(h); ++i) {
        em -= 1;
        pango_font_description_free(s.desc);
        s.desc = gdiBeschreibung(lf, em);
        s.m = gdiMetrikHolen(s.desc, s.raster, nullptr, s.ui);
    }
    s.em = em;
    if (lf.lfWidth > 0 && s.m.avg > 0) s.dehnung = std::clamp(lf.lfWidth * s.skalaX / s.m.avg, 0.01, 100.0);
    s.winkel = lf.lfEscapement / 1800.0 * M_PI;
    s.unterstrichen = lf.lfUnderline != 0;
    s.durchgestrichen = lf.lfStrikeOut != 0;
    return s;
}

PangoContext* gdiKontextVon(const GdiSchriftLage& s)
{
    return s.ui ? gdiPangoKontextOberflaeche() : gdiPangoKontext(s.raster);
}

const GdiSchriftLage& gdiEinzel(const GdiSchriftLage& s)
{
    if (!s.einzelDa) {
        s.einzelDa = true;
        gdiEinzelBreitenGemerkt(gdiKontextVon(s), s.desc, s.ui ? "|u" : s.raster ? "|r" : "|v", s.einzel);
        s.max = 0;
        for (int w : s.einzel)
            if (w > 0) s.max = std::max(s.max, double(PANGO_PIXELS_CEIL(w)));
    }
    return s;
}

PangoLayout* gdiLayout(GdiDc* dc, const GdiSchriftLage& s)
{
    PangoContext* k = gdiKontextVon(s);
    if (!dc->layout || pango_layout_get_context(dc->layout) != k) {
        if (dc->layout) g_object_unref(dc->layout);
        dc->layout = pango_layout_new(k);
        dc->layoutNummer = 0;
    }
    if (dc->layoutNummer == s.nummer) return dc->layout;
    dc->layoutNummer = s.nummer;
    pango_layout_set_font_description(dc->layout, s.desc);
    PangoAttrList* a = pango_attr_list_new();
    if (s.unterstrichen) pango_attr_list_insert(a, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (s.durchgestrichen) pango_attr_list_insert(a, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(dc->layout, a);
    pango_attr_list_unref(a);
    return dc->layout;
}

// The layout a `glatt` DC draws its text with: the font of the measuring
// layout, rasterised in grey levels. Measuring stays with gdiLayout, so a
// smoothed DC reports the widths of any other screen DC.
PangoLayout* gdiLayoutGlatt(GdiDc* dc, const GdiSchriftLage& s)
{
    PangoContext* k = gdiPangoKontextGlatt();
    if (!dc->layoutGlatt || pango_layout_get_context(dc->layoutGlatt) != k) {
        if (dc->layoutGlatt) g_object_unref(dc->layoutGlatt);
        dc->layoutGlatt = pango_layout_new(k);
        dc->layoutGlattNummer = 0;
    }
    if (dc->layoutGlattNummer == s.nummer) return dc->layoutGlatt;
    dc->layoutGlattNummer = s.nummer;
    pango_layout_set_font_description(dc->layoutGlatt, s.desc);
    pango_layout_set_attributes(dc->layoutGlatt, pango_layout_get_attributes(gdiLayout(dc, s)));
    return dc->layoutGlatt;
}

// Advance of a UTF-8 run in device pixels (stretched).
double gdiBreite(PangoLayout* l, const std::string& u, const GdiSchriftLage& s)
{
    pango_layout_set_text(l, u.c_str(), static_cast<int>(u.size()));
    PangoRectangle log;
    pango_layout_get_extents(l, nullptr, &log);
    return log.width / double(PANGO_SCALE) * s.dehnung;
}

// Widths of each character of a run (device pixels): cumulative positions
// from Pango, so kerning inside the run is kept.
void gdiPositionen(PangoLayout* l, const std::string& u, const std::vector<int>& start, const GdiSchriftLage& s,
                   std::vector<double>& x)
{
    pango_layout_set_text(l, u.c_str(), static_cast<int>(u.size()));
    x.assign(start.size(), 0);
    for (size_t i = 0; i < start.size(); ++i) {
        if (i + 1 == start.size()) {
            PangoRectangle log;
            pango_layout_get_extents(l, nullptr, &log);
            x[i] = log.width / double(PANGO_SCALE) * s.dehnung;
        } else {
            PangoRectangle p;
            pango_layout_index_to_pos(l, start[i], &p);
            x[i] = p.x / double(PANGO_SCALE) * s.dehnung;
        }
    }
}

void gdiQuelle(cairo_t* cr, uint32_t px)
{
    cairo_set_source_rgb(cr, ((px >> 16) & 0xFF) / 255.0, ((px >> 8) & 0xFF) / 255.0, (px & 0xFF) / 255.0);
}

// Draws a run with explicit alignment (DrawText passes its own).
BOOL gdiTextAus(GdiDc* dc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT n, const INT* dx, UINT align)
{
    if (dc->art == GdiDcArt::Vektor && dc->abgeschlossen) return FALSE;
    GdiZeichnung zeichnung(dc);
    const GdiSchriftLage& s = gdiLage(dc);
    // Text takes no raster operation: a smoothed DC smooths all of it.
    PangoLayout* l = !s.ui && gdiGlatt(dc, R2_COPYPEN) ? gdiLayoutGlatt(dc, s) : gdiLayout(dc, s);
    std::string u;
    std::vector<int> start;
    gdiNachUtf8(text ? text : "", text ? n : 0, u, &start);
    bool welt = dc->z.grafikModus == GM_ADVANCED;
    bool raster = gdiIstRaster(dc);
    cairo_t* cr = gdiCairo(dc);
    bool mono = gdiIstMono(dc);
    auto farbe = [&](COLORREF c) { uint32_t p = gdiPixelAus(c); return mono ? gdiMonoAus(p) : p; };

    // Positions of the characters along the baseline, device pixels.
    std::vector<double> pos;
    double breite;
    double zus = dc->z.zeichenAbstand * s.skalaX;
    bool ganz = !dx && zus == 0;  // one shaping of the whole run suffices
    if (dx) {
        pos.assign(start.size(), 0);
        for (UINT i = 0; i < n; ++i) pos[i + 1] = pos[i] + dx[i] * (welt ? 1 : s.skalaX);
        breite = pos[n];
    } else if (ganz) {
        breite = gdiBreite(l, u, s);
    } else {
        gdiPositionen(l, u, start, s, pos);
        for (size_t i = 0; i < pos.size(); ++i) pos[i] += zus * static_cast<double>(i);
        breite = pos.back();
    }
    if (raster) {
        for (double& p : pos) p = std::round(p);
        breite = std::round(breite);
    }

    // Reference point.
    POINT ref{x, y};
    if (align & TA_UPDATECP) ref = dc->z.pos;
    double rx, ry;
    if (welt) {
        rx = ref.x, ry = ref.y;
    } else {
        gdiLpNachDp(dc, ref.x, ref.y, rx, ry);
        if (raster) rx = std::floor(rx + 0.5), ry = std::floor(ry + 0.5);
    }
    // A run starting millions of pixels away cannot reach the window (and
    // cairo's coordinates would not hold it).
    bool weit = !welt && (std::fabs(rx) > double(1 << 21) || std::fabs(ry) > double(1 << 21));
    // Glyphs larger than any page (a world transform scaling a big font) are
    // not drawn: cairo cannot make such fonts and would lose track of them.
    // Measured along the matrix's longest and shortest axes (its singular
    // values), so that a shear cannot hide a giant or a degenerate glyph.
    double gross = s.em * std::max(1.0, s.dehnung), klein = s.em * std::min(1.0, s.dehnung);
    if (welt) {
        const cairo_matrix_t& m = gdiMatrix(dc);
        double summe = m.xx * m.xx + m.yx * m.yx + m.xy * m.xy + m.yy * m.yy;
        double det = m.xx * m.yy - m.xy * m.yx;
        double wurzel = std::sqrt(std::max(0.0, summe * summe - 4 * det * det));
        gross *= std::sqrt((summe + wurzel) / 2);
        klein *= std::sqrt(std::max(0.0, (summe - wurzel) / 2));
    }
    if (!(gross <= 20000 && klein >= 0.5)) weit = true;  // (nor specks below half a pixel)
    double ax = 0;
    switch (align & (TA_LEFT | TA_RIGHT | TA_CENTER)) {
    case TA_RIGHT: ax = -breite; break;
    case TA_CENTER: ax = raster ? -std::floor(breite / 2) : -breite / 2; break;
    default: break;
    }
    double basis = 0;  // baseline relative to the reference point
    switch (align & (TA_TOP | TA_BOTTOM | TA_BASELINE)) {
    case TA_BASELINE: basis = 0; break;
    case TA_BOTTOM: basis = -(raster ? s.m.descent : s.m.desc); break;
    default: basis = raster ? s.m.ascent : s.m.asc; break;
    }
    double zellHoehe = raster ? s.m.ascent + s.m.descent : s.m.asc + s.m.desc;

    if (weit) n = 0;  // nothing of the run shows; the current position still moves
    cairo_save(cr);
    if (!weit && rc && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
        // The rectangle is in logical units: fill and/or clip to it.
        double x0, y0, x1, y1;
        gdiLpNachDp(dc, rc->left, rc->top, x0, y0);
        gdiLpNachDp(dc, rc->right, rc->bottom, x1, y1);
        if (raster) x0 = std::floor(x0 + 0.5), y0 = std::floor(y0 + 0.5), x1 = std::floor(x1 + 0.5), y1 = std::floor(y1 + 0.5);
        cairo_rectangle(cr, std::min(x0, x1), std::min(y0, y1), std::fabs(x1 - x0), std::fabs(y1 - y0));
        if (options & ETO_OPAQUE) {
            gdiQuelle(cr, farbe(dc->z.bkFarbe));
            if (options & ETO_CLIPPED) cairo_fill_preserve(cr);
            else cairo_fill(cr);
        }
        if (options & ETO_CLIPPED) cairo_clip(cr);
        cairo_new_path(cr);
    }
    if (welt) {
        cairo_matrix_t m = gdiMatrix(dc), basisM;
        cairo_get_matrix(cr, &basisM);
        cairo_matrix_t r;
        cairo_matrix_multiply(&r, &m, &basisM);
        cairo_set_matrix(cr, &r);
    }
    cairo_translate(cr, rx, ry);
    if (s.winkel != 0) cairo_rotate(cr, -s.winkel);
    if (dc->z.bkModus == OPAQUE && n > 0) {
        gdiQuelle(cr, farbe(dc->z.bkFarbe));
        cairo_rectangle(cr, ax, basis - (raster ? s.m.ascent : s.m.asc), breite, zellHoehe);
        cairo_fill(cr);
    }
    gdiQuelle(cr, farbe(dc->z.textFarbe));
    int layoutBasis = pango_layout_get_baseline(l);
    auto zeigen = [&](double px) {
        cairo_save(cr);
        cairo_translate(cr, ax + px, basis);
        if (s.dehnung != 1) cairo_scale(cr, s.dehnung, 1);
        cairo_move_to(cr, 0, -layoutBasis / double(PANGO_SCALE));
        pango_cairo_show_layout(cr, l);
        cairo_restore(cr);
    };
    if (n > 0) {
        if (ganz) {
            layoutBasis = pango_layout_get_baseline(l);  // the run's text is set by gdiBreite
            zeigen(0);
        } else {
            for (UINT i = 0; i < n; ++i) {
                pango_layout_set_text(l, u.c_str() + start[i], start[i + 1] - start[i]);
                layoutBasis = pango_layout_get_baseline(l);
                zeigen(pos[i]);
            }
        }
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    if (raster) cairo_surface_flush(dc->flaeche);
    if (align & TA_UPDATECP) {
        // The current position moves by the run's advance (logical units).
        double f = welt ? 1 : (s.skalaX > 0 ? 1 / s.skalaX : 1);
        int w = static_cast<int>(std::lround(breite * f));
        if ((align & TA_CENTER) == TA_CENTER) w = 0;
        else if (align & TA_RIGHT) w = -w;
        dc->z.pos.x = static_cast<LONG>(std::clamp<int64_t>(int64_t{dc->z.pos.x} + w, INT32_MIN, INT32_MAX));
    }
    return TRUE;
}

}  // namespace

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT n, const INT* dx)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || (n > 0 && !text)) return FALSE;
    if (dc->art == GdiDcArt::Recorder) return dc->rec->ExtTextOut(hdc, x, y, options, rc, text, n, dx);
    return gdiTextAus(dc, x, y, options, rc, text, n, dx, dc->z.ausrichtung);
}

BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int n)
{
    if (n < 0) return FALSE;
    return ExtTextOut(hdc, x, y, 0, nullptr, text, static_cast<UINT>(n), nullptr);
}

// ---- Measuring ------------------------------------------------------------------------------
namespace {

struct GdiMessen {
    GdiDc* dc;
    const GdiSchriftLage& s;
    PangoLayout* l;
    explicit GdiMessen(GdiDc* d) : dc(d), s(gdiLage(d)), l(gdiLayout(d, s)) {}
    // device -> logical
    double lx(double v) const { return s.skalaX > 0 ? v / s.skalaX : v; }
    double ly(double v) const { return s.skala > 0 ? v / s.skala : v; }
    int zelle() const { return s.raster ? s.m.ascent + s.m.descent : static_cast<int>(std::ceil(s.m.asc + s.m.desc)); }
};

// Width of one character (device pixels, stretched) from the font's table
// where it has one, else laid out.
double gdiZeichenBreite(GdiMessen& m, char c, const std::string& u)
{
    int w = gdiEinzel(m.s).einzel[static_cast<unsigned char>(c)];
    return w >= 0 ? w / double(PANGO_SCALE) * m.s.dehnung : gdiBreite(m.l, u, m.s);
}

// The width of a text of two or more characters: remembered, else laid out.
double gdiTextBreiteGemerkt(GdiMessen& m, const char* text, int n)
{
    std::string k(reinterpret_cast<const char*>(&m.s.nummer), sizeof m.s.nummer);
    k.append(text, static_cast<size_t>(n));
    const auto it = gdiBreitenSpeicher.find(k);
    if (it != gdiBreitenSpeicher.end()) return it->second;
    std::string u;
    gdiNachUtf8(text, static_cast<size_t>(n), u, nullptr);
    const double w = gdiBreite(m.l, u, m.s);
    ++gdiBreitenGemessen;
    if (gdiBreitenSpeicher.size() >= GDI_BREITENSUP) gdiBreitenSpeicher.clear();
    gdiBreitenSpeicher.emplace(std::move(k), w);
    return w;
}

}  // namespace

long gdiTexteGemessen() { return gdiBreitenGemessen; }
long plSchriftenGeladen() { return gdiGeladen; }

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int n, LPSIZE sz)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !sz || n < 0 || (n > 0 && !text)) return FALSE;
    GdiMessen m(dc);
    double w = 0;
    if (n == 1) {
        std::string u;
        gdiNachUtf8(text, 1, u, nullptr);
        w = gdiZeichenBreite(m, text[0], u);
    } else if (n > 1) {
        w = gdiTextBreiteGemerkt(m, text, n);
    }
    if (m.s.raster) w = std::round(w);
    w += dc->z.zeichenAbstand * m.s.skalaX * n;
    sz->cx = static_cast<LONG>(std::lround(m.lx(w)));
    sz->cy = static_cast<LONG>(std::lround(m.ly(m.zelle())));
    return TRUE;
}

// Pango sums the advances of the shaped glyphs: where no neighbouring pair
// of a text kerns or joins, its width is the sum of its characters' own.
// Each pair is laid out once per font and remembered; a text with a pair
// that does not add up, or a character without a table width, is laid out
// as GetTextExtentPoint32 does.
BOOL plTextBreite(HDC hdc, LPCSTR text, int n, LPSIZE sz)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !sz || n < 0 || (n > 0 && !text)) return FALSE;
    if (n < 2) return GetTextExtentPoint32(hdc, text, n, sz);
    GdiMessen m(dc);
    const GdiSchriftLage& s = gdiEinzel(m.s);
    long summe = 0;
    std::string u;
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int w = s.einzel[c];
        if (w < 0) return GetTextExtentPoint32(hdc, text, n, sz);
        summe += w;
        if (i == 0) continue;
        const unsigned char v = static_cast<unsigned char>(text[i - 1]);
        auto& zeile = s.paare[v];
        if (!zeile) zeile = std::make_unique<std::array<uint8_t, 256>>();
        uint8_t& paar = (*zeile)[c];
        if (paar == 0) {
            gdiNachUtf8(text + i - 1, 2, u, nullptr);
            pango_layout_set_text(m.l, u.c_str(), static_cast<int>(u.size()));
            PangoRectangle log;
            pango_layout_get_extents(m.l, nullptr, &log);
            paar = log.width == s.einzel[v] + w ? 1 : 2;
        }
        if (paar != 1) return GetTextExtentPoint32(hdc, text, n, sz);
    }
    double w = summe / double(PANGO_SCALE) * s.dehnung;
    if (s.raster) w = std::round(w);
    w += dc->z.zeichenAbstand * s.skalaX * n;
    sz->cx = static_cast<LONG>(std::lround(m.lx(w)));
    sz->cy = static_cast<LONG>(std::lround(m.ly(m.zelle())));
    return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, LPCSTR text, int n, int maxExtent, int* fit, int* dx, LPSIZE sz)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !sz || n < 0 || (n > 0 && !text)) return FALSE;
    GdiMessen m(dc);
    std::string u;
    std::vector<int> start;
    gdiNachUtf8(text ? text : "", static_cast<size_t>(n), u, &start);
    std::vector<double> pos;
    gdiPositionen(m.l, u, start, m.s, pos);
    int passt = 0;
    for (int i = 0; i < n; ++i) {
        double p = pos[static_cast<size_t>(i) + 1] + dc->z.zeichenAbstand * m.s.skalaX * (i + 1);
        if (m.s.raster) p = std::round(p);
        int lp = static_cast<int>(std::lround(m.lx(p)));
        if (dx) dx[i] = lp;
        if (fit && (maxExtent < 0 || lp <= maxExtent) && passt == i) passt = i + 1;
    }
    if (fit) *fit = passt;
    double w = pos.back() + dc->z.zeichenAbstand * m.s.skalaX * n;
    if (m.s.raster) w = std::round(w);
    sz->cx = static_cast<LONG>(std::lround(m.lx(w)));
    sz->cy = static_cast<LONG>(std::lround(m.ly(m.zelle())));
    return TRUE;
}

int gdiTextZellHoehe(HDC hdc)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    GdiMessen m(dc);
    auto ly = [&](double v) { return static_cast<LONG>(std::lround(m.ly(v))); };
    return ly(m.s.raster ? m.s.m.ascent : m.s.m.asc) + ly(m.s.raster ? m.s.m.descent : m.s.m.desc);
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* tm)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !tm) return FALSE;
    GdiMessen m(dc);
    GdiSchrift* f = gdiSchriften().finden(dc->z.schrift);
    const LOGFONT lf = f ? f->lf : LOGFONT{};
    std::memset(tm, 0, sizeof *tm);
    auto ly = [&](double v) { return static_cast<LONG>(std::lround(m.ly(v))); };
    auto lx = [&](double v) { return static_cast<LONG>(std::lround(m.lx(v))); };
    tm->tmAscent = ly(m.s.raster ? m.s.m.ascent : m.s.m.asc);
    tm->tmDescent = ly(m.s.raster ? m.s.m.descent : m.s.m.desc);
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading = ly(m.s.m.internLeading);
    tm->tmExternalLeading = ly(m.s.m.externLeading);
    double avg = m.s.m.avg * m.s.dehnung;
    tm->tmAveCharWidth = std::max<LONG>(1, lx(m.s.raster ? std::round(avg) : avg));
    tm->tmMaxCharWidth = std::max<LONG>(tm->tmAveCharWidth, lx(gdiEinzel(m.s).max * m.s.dehnung));
    tm->tmWeight = lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight;
    tm->tmOverhang = 0;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 32;
    tm->tmLastChar = 255;
    tm->tmDefaultChar = '?';
    tm->tmBreakChar = ' ';
    tm->tmItalic = lf.lfItalic;
    tm->tmUnderlined = lf.lfUnderline;
    tm->tmStruckOut = lf.lfStrikeOut;
    std::string fam;
    gdiSchriftLoesen(lf, fam);
    bool fest = gdiKlein(fam).find("mono") != std::string::npos;
    // TMPF_FIXED_PITCH set means a variable pitch (the documented inversion).
    tm->tmPitchAndFamily = static_cast<BYTE>((fest ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE |
                                             (lf.lfPitchAndFamily & 0xF0));
    tm->tmCharSet = ANSI_CHARSET;
    return TRUE;
}

BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, int* widths)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !widths || last < first || last > 255) return FALSE;
    GdiMessen m(dc);
    std::string u;
    for (UINT c = first; c <= last; ++c) {
        char ch = static_cast<char>(c);
        gdiNachUtf8(&ch, 1, u, nullptr);
        double w = gdiZeichenBreite(m, ch, u);
        if (m.s.raster) w = std::round(w);
        widths[c - first] = static_cast<int>(std::lround(m.lx(w)));
    }
    return TRUE;
}

int GetTextFace(HDC hdc, int n, LPSTR face)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return 0;
    GdiSchrift* f = gdiSchriften().finden(dc->z.schrift);
    std::string name = f ? std::string(f->lf.lfFaceName, strnlen(f->lf.lfFaceName, LF_FACESIZE)) : std::string();
    if (name.empty() && f) gdiSchriftLoesen(f->lf, name);
    if (!face) return static_cast<int>(name.size()) + 1;
    if (n <= 0) return 0;
    size_t k = std::min(name.size(), static_cast<size_t>(n - 1));
    std::memcpy(face, name.data(), k);
    face[k] = 0;
    return static_cast<int>(k);
}

int SetTextCharacterExtra(HDC hdc, int extra)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc) return static_cast<int>(0x80000000u);
    int alt = dc->z.zeichenAbstand;
    dc->z.zeichenAbstand = extra;
    return alt;
}

// Fontconfig keeps allocations that no pointer reaches until the process
// ends (its pattern caches behind Pango's font map); the leak checker of the
// sanitizer builds is told so here, for that library only.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options();
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

// ---- Enumeration ------------------------------------------------------------------------------
namespace {

// The families offered: what is installed, plus the Windows names that have
// stand-ins, so that a program looking for "Arial" finds it.
std::vector<std::string> gdiFamilienListe()
{
    gdiPangoKontext(true);
    std::vector<std::string> v{"Arial", "Courier New", "MS Sans Serif", "Times New Roman", "System"};
    PangoFontFamily** f = nullptr;
    int n = 0;
    pango_font_map_list_families(gdiFontMap, &f, &n);
    for (int i = 0; i < n; ++i) v.emplace_back(pango_font_family_get_name(f[i]));
    g_free(f);
    std::sort(v.begin(), v.end(), [](const std::string& a, const std::string& b) { return gdiKlein(a) < gdiKlein(b); });
    v.erase(std::unique(v.begin(), v.end(), [](const std::string& a, const std::string& b) { return gdiKlein(a) == gdiKlein(b); }),
            v.end());
    return v;
}

int gdiAufzaehlen(HDC hdc, const std::string& nur, FONTENUMPROC proc, LPARAM lParam)
{
    if (!proc || !gdiDc(hdc)) return 0;
    int r = 1;
    for (const std::string& name : gdiFamilienListe()) {
        if (!nur.empty() && gdiKlein(nur) != gdiKlein(name)) continue;
        ENUMLOGFONTEX elf{};
        std::snprintf(elf.elfLogFont.lfFaceName, LF_FACESIZE, "%s", name.c_str());
        elf.elfLogFont.lfHeight = 16;
        elf.elfLogFont.lfWeight = FW_NORMAL;
        elf.elfLogFont.lfCharSet = ANSI_CHARSET;
        elf.elfLogFont.lfOutPrecision = OUT_STROKE_PRECIS;
        elf.elfLogFont.lfClipPrecision = CLIP_STROKE_PRECIS;
        elf.elfLogFont.lfQuality = DRAFT_QUALITY;
        std::string fam;
        gdiSchriftLoesen(elf.elfLogFont, fam);
        bool fest = gdiKlein(fam).find("mono") != std::string::npos;
        elf.elfLogFont.lfPitchAndFamily = static_cast<BYTE>(fest ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS);
        std::snprintf(reinterpret_cast<char*>(elf.elfFullName), LF_FULLFACESIZE, "%s", name.c_str());
        std::snprintf(reinterpret_cast<char*>(elf.elfStyle), LF_FACESIZE, "%s", "Regular");
        std::snprintf(reinterpret_cast<char*>(elf.elfScript), LF_FACESIZE, "%s", "Western");
        NEWTEXTMETRICEX ntm{};
        ntm.ntmTm.tmHeight = 16;
        ntm.ntmTm.tmWeight = FW_NORMAL;
        ntm.ntmTm.tmCharSet = ANSI_CHARSET;
        ntm.ntmTm.tmPitchAndFamily = static_cast<BYTE>((fest ? 0 : TMPF_FIXED_PITCH) | TMPF_TRUETYPE | TMPF_VECTOR);
        ntm.ntmTm.ntmSizeEM = 2048;
        r = proc(&elf.elfLogFont, reinterpret_cast<const TEXTMETRIC*>(&ntm), TRUETYPE_FONTTYPE, lParam);
        if (!r) break;
    }
    return r;
}

}  // namespace

int EnumFontFamilies(HDC hdc, LPCSTR family, FONTENUMPROC proc, LPARAM lParam)
{
    return gdiAufzaehlen(hdc, family ? std::string(family) : std::string(), proc, lParam);
}

int EnumFontFamiliesEx(HDC hdc, const LOGFONT* lf, FONTENUMPROC proc, LPARAM lParam, DWORD flags)
{
    (void)flags;
    if (!lf) return 0;
    return gdiAufzaehlen(hdc, std::string(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE)), proc, lParam);
}

// ---- DrawText -------------------------------------------------------------------------------
namespace {

struct GdiZeile {
    std::string text;       // code page 1252, prefixes removed
    int unterstrich = -1;   // index of the '&'-marked character
};

int gdiTextBreite(HDC hdc, const std::string& t)
{
    SIZE sz{0, 0};
    GetTextExtentPoint32(hdc, t.data(), static_cast<int>(t.size()), &sz);
    return sz.cx;
}

// Tabs to blanks up to the next tab stop (at least one blank, at most a
// tab stop's worth, however the font measures).
std::string gdiTabs(HDC hdc, const std::string& t, int tabBreite)
{
    std::string r;
    int b = std::max(1, gdiTextBreite(hdc, " "));
    tabBreite = std::max(tabBreite, 1);
    for (char c : t) {
        if (c != '\t') {
            r += c;
            continue;
        }
        int w = gdiTextBreite(hdc, r);
        int ziel = (w / tabBreite + 1) * tabBreite;
        int n = std::clamp((ziel - w + b - 1) / b, 1, 256);
        r.append(static_cast<size_t>(n), ' ');
    }
    return r;
}

GdiZeile gdiPraefix(const std::string& t, UINT format)
{
    GdiZeile z;
    if (format & DT_NOPREFIX) {
        z.text = t;
        return z;
    }
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '&' && i + 1 < t.size()) {
            ++i;
            if (t[i] != '&' && z.unterstrich < 0) z.unterstrich = static_cast<int>(z.text.size());
        } else if (t[i] == '&') {
            continue;
        }
        z.text += t[i];
    }
    if (format & DT_HIDEPREFIX) z.unterstrich = -1;
    return z;
}

// Breaks a paragraph into lines that fit `breite` at blanks (a word longer
// than the line is broken only with DT_EDITCONTROL, else it overflows).
void gdiUmbrechen(HDC hdc, const std::string& absatz, int breite, UINT format, std::vector<std::string>& zeilen)
{
    if (!(format & DT_WORDBREAK) || gdiTextBreite(hdc, absatz) <= breite) {
        zeilen.push_back(absatz);
        return;
    }
    size_t i = 0;
    while (i < absatz.size()) {
        size_t ende = i, letzteGute = std::string::npos;
        while (ende < absatz.size()) {
            size_t wortEnde = absatz.find(' ', ende);
            if (wortEnde == std::string::npos) wortEnde = absatz.size();
            if (gdiTextBreite(hdc, absatz.substr(i, wortEnde - i)) > breite) break;
            letzteGute = wortEnde;
            ende = wortEnde + 1;
        }
        if (letzteGute == std::string::npos) {
            size_t wortEnde = absatz.find(' ', i);
            if (wortEnde == std::string::npos) wortEnde = absatz.size();
            if (format & DT_EDITCONTROL) {
                size_t k = i + 1;
                while (k < wortEnde && gdiTextBreite(hdc, absatz.substr(i, k + 1 - i)) <= breite) ++k;
                wortEnde = k;
            }
            letzteGute = wortEnde;
        }
        zeilen.push_back(absatz.substr(i, letzteGute - i));
        i = letzteGute;
        while (i < absatz.size() && absatz[i] == ' ') ++i;
    }
    if (zeilen.empty()) zeilen.emplace_back();
}

std::string gdiAuslassung(HDC hdc, const std::string& t, int breite, UINT format)
{
    if (gdiTextBreite(hdc, t) <= breite) return t;
    const std::string pkt = "...";
    if (format & DT_PATH_ELLIPSIS) {
        size_t s = t.find_last_of("\\/");
        if (s != std::string::npos) {
            std::string ende = t.substr(s);
            for (size_t k = s; k > 0; --k) {
                std::string v = t.substr(0, k) + pkt + ende;
                if (gdiTextBreite(hdc, v) <= breite) return v;
            }
            return pkt + ende;
        }
    }
    for (size_t k = t.size(); k > 0; --k) {
        std::string v = t.substr(0, k - 1) + pkt;
        if (gdiTextBreite(hdc, v) <= breite) return v;
    }
    return pkt;
}

}  // namespace

int DrawTextEx(HDC hdc, LPSTR text, int n, LPRECT rc, UINT format, DRAWTEXTPARAMS* params)
{
    GdiDc* dc = gdiDc(hdc);
    if (!dc || !rc || (!text && n != 0)) return 0;
    std::string t = text ? (n < 0 ? std::string(text) : std::string(text, static_cast<size_t>(n))) : std::string();
    TEXTMETRIC tm;
    GetTextMetrics(hdc, &tm);
    // Rectangle arithmetic in 64 bits: any RECT the caller passes is fine.
    auto sat = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    int64_t zeilenHoehe = int64_t{tm.tmHeight} + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    int64_t links = int64_t{rc->left} + (params ? params->iLeftMargin : 0);
    int64_t rechts = int64_t{rc->right} - (params ? params->iRightMargin : 0);
    int breite = sat(rechts - links);
    int64_t tabBreite = int64_t{tm.tmAveCharWidth} * ((format & DT_TABSTOP) ? ((format >> 8) & 0xFF) : 8);
    if (params && params->iTabLength > 0) tabBreite = int64_t{tm.tmAveCharWidth} * params->iTabLength;
    if (tabBreite <= 0) tabBreite = 8 * std::max<int64_t>(1, tm.tmAveCharWidth);

    // Paragraphs, then lines.
    std::vector<std::string> zeilen;
    if (format & DT_SINGLELINE) {
        std::string z;
        for (char c : t) z += (c == '\r' || c == '\n') ? ' ' : c;
        zeilen.push_back(z);
    } else {
        size_t i = 0;
        while (true) {
            size_t e = t.find_first_of("\r\n", i);
            std::string absatz = t.substr(i, e == std::string::npos ? std::string::npos : e - i);
            if (format & DT_EXPANDTABS) absatz = gdiTabs(hdc, absatz, sat(tabBreite));
            GdiZeile p = gdiPraefix(absatz, format | DT_NOPREFIX);
            gdiUmbrechen(hdc, p.text, breite, format, zeilen);
            if (e == std::string::npos) break;
            i = e + ((t[e] == '\r' && e + 1 < t.size() && t[e + 1] == '\n') ? 2 : 1);
            if (i >= t.size()) break;
        }
    }
    // Prefix marks, tabs for single lines, ellipses.
    std::vector<GdiZeile> fertig;
    int64_t maxBreite = 0;
    for (std::string& z : zeilen) {
        if ((format & DT_EXPANDTABS) && (format & DT_SINGLELINE)) z = gdiTabs(hdc, z, sat(tabBreite));
        GdiZeile g = gdiPraefix(z, format);
        if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
            g.text = gdiAuslassung(hdc, g.text, breite, format);
        maxBreite = std::max<int64_t>(maxBreite, gdiTextBreite(hdc, g.text));
        fertig.push_back(g);
    }
    int64_t hoehe = zeilenHoehe * static_cast<int64_t>(fertig.size());
    if (format & DT_CALCRECT) {
        rc->right = sat(int64_t{rc->left} + maxBreite + (params ? int64_t{params->iLeftMargin} + params->iRightMargin : 0));
        if (fertig.size() == 1 && fertig[0].text.empty()) rc->right = rc->left;
        rc->bottom = sat(int64_t{rc->top} + hoehe);
        if (params) params->uiLengthDrawn = static_cast<UINT>(t.size());
        return sat(hoehe);
    }
    int64_t y = rc->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = rc->top + (int64_t{rc->bottom} - rc->top - zeilenHoehe) / 2;
        else if (format & DT_BOTTOM) y = rc->bottom - zeilenHoehe;
    }
    bool aufnahme = dc->art == GdiDcArt::Recorder;
    UINT alt = dc->z.ausrichtung;
    if (aufnahme) dc->rec->SetTextAlign(hdc, TA_LEFT | TA_TOP);
    for (const GdiZeile& z : fertig) {
        int64_t w = gdiTextBreite(hdc, z.text);
        int64_t x = links;
        if (format & DT_CENTER) x = links + (breite - w) / 2;
        else if (format & DT_RIGHT) x = rechts - w;
        UINT opt = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
        const char* s = z.text.data();
        UINT len = static_cast<UINT>(z.text.size());
        if (aufnahme) dc->rec->ExtTextOut(hdc, sat(x), sat(y), opt, rc, s, len, nullptr);
        else gdiTextAus(dc, sat(x), sat(y), opt, rc, s, len, nullptr, TA_LEFT | TA_TOP);
        if (z.unterstrich >= 0) {
            // The mnemonic's underline: a line under the marked character.
            int64_t a = gdiTextBreite(hdc, z.text.substr(0, static_cast<size_t>(z.unterstrich)));
            int64_t b = gdiTextBreite(hdc, z.text.substr(0, static_cast<size_t>(z.unterstrich) + 1));
            HPEN stift = CreatePen(PS_SOLID, 0, dc->z.textFarbe);
            HGDIOBJ altStift = SelectObject(hdc, stift);
            POINT altPos;
            MoveToEx(hdc, sat(x + a), sat(y + tm.tmAscent + 1), &altPos);
            LineTo(hdc, sat(x + b), sat(y + tm.tmAscent + 1));
            MoveToEx(hdc, altPos.x, altPos.y, nullptr);
            SelectObject(hdc, altStift);
            DeleteObject(stift);
        }
        y += zeilenHoehe;
    }
    if (aufnahme) dc->rec->SetTextAlign(hdc, alt);
    if (params) params->uiLengthDrawn = static_cast<UINT>(t.size());
    // With DT_VCENTER or DT_BOTTOM the answer is the offset of the text's bottom.
    return sat((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? y - rc->top : hoehe);
}

int DrawText(HDC hdc, LPCSTR text, int n, LPRECT rc, UINT format)
{
    // DrawTextEx only writes into the text with DT_MODIFYSTRING, which this
    // layer never does.
    return DrawTextEx(hdc, const_cast<LPSTR>(text), n, rc, format & ~DT_MODIFYSTRING, nullptr);
}
