// Fonts and text of the GDI layer. Glyph pixels depend on the installed
// font files (fonts-dejavu-core, fonts-liberation), so these tests compare
// metrics and ink bounds, not pictures: where the text sits relative to its
// reference point for each alignment, heights, widths and line layout.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>

#include "platform/gdiimpl.h"
#include "platform/textbreite.h"
#include "tests/platform/gdi_pruef.h"

namespace {

struct Schrift {
    HDC dc;
    HFONT f;
    HGDIOBJ alt;
    Schrift(HDC d, int hoehe, const char* face, int gewicht = FW_NORMAL, int winkel = 0)
        : dc(d), f(CreateFont(hoehe, 0, winkel, winkel, gewicht, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face)),
          alt(SelectObject(d, f))
    {
    }
    ~Schrift()
    {
        SelectObject(dc, alt);
        DeleteObject(f);
    }
};

TEST(GdiText, WindowsFacesResolveToTheirStandIns)
{
    struct Fall {
        const char* windows;
        BYTE pitch;
        const char* erwartet;
    } faelle[] = {
        {"Arial", 0, "Liberation Sans"},          {"Times New Roman", 0, "Liberation Serif"},
        {"Courier New", 0, "Liberation Mono"},    {"MS Sans Serif", 0, "DejaVu Sans"},
        {"System", 0, "Liberation Sans Narrow"},           {"DejaVu Sans Mono", 0, "DejaVu Sans Mono"},
        {"Gibt Es Nicht", FF_ROMAN, "Liberation Serif"}, {"", FIXED_PITCH, "Liberation Mono"},
    };
    for (const Fall& f : faelle) {
        LOGFONT lf{};
        std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", f.windows);
        lf.lfPitchAndFamily = f.pitch;
        std::string fam;
        gdiSchriftLoesen(lf, fam);
        EXPECT_EQ(fam, f.erwartet) << f.windows;
    }
}

// The metrics these tests expect hold for these font files (fonts-liberation,
// fonts-dejavu-core): the stand-ins must resolve to them, not to look-alikes.
TEST(GdiText, StandInFamiliesAreThePinnedFontFiles)
{
    struct Fall {
        const char* familie;
        const char* datei;
    } faelle[] = {{"Liberation Sans", "LiberationSans-Regular.ttf"},
                  {"Liberation Serif", "LiberationSerif-Regular.ttf"},
                  {"Liberation Mono", "LiberationMono-Regular.ttf"},
                  {"DejaVu Sans", "DejaVuSans.ttf"}};
    for (const Fall& f : faelle) {
        FcPattern* p = FcNameParse(reinterpret_cast<const FcChar8*>(f.familie));
        FcConfigSubstitute(nullptr, p, FcMatchPattern);
        FcDefaultSubstitute(p);
        FcResult r;
        FcPattern* m = FcFontMatch(nullptr, p, &r);
        ASSERT_NE(m, nullptr) << f.familie;
        FcChar8* datei = nullptr;
        ASSERT_EQ(FcPatternGetString(m, FC_FILE, 0, &datei), FcResultMatch);
        std::string d(reinterpret_cast<const char*>(datei));
        EXPECT_EQ(d.substr(d.find_last_of('/') + 1), f.datei);
        FcPatternDestroy(m);
        FcPatternDestroy(p);
    }
}

TEST(GdiText, HeightsNegativeIsCharacterHeightPositiveIsCell)
{
    GdiLeinwand l(8, 8);
    for (int h : {12, 20, 33}) {
        TEXTMETRIC tm;
        {
            Schrift s(l.dc, -h, "Arial");
            ASSERT_TRUE(GetTextMetrics(l.dc, &tm));
            EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, h) << h;
            EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        }
        {
            Schrift s(l.dc, h, "Arial");
            ASSERT_TRUE(GetTextMetrics(l.dc, &tm));
            EXPECT_NEAR(tm.tmHeight, h, 1) << h;
            EXPECT_GT(tm.tmAveCharWidth, 0);
            EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
            SIZE sz;
            GetTextExtentPoint32(l.dc, "Hx", 2, &sz);
            EXPECT_EQ(sz.cy, tm.tmHeight);
        }
    }
    // A mapping mode scales the font: 2 device pixels per logical unit.
    SetMapMode(l.dc, MM_ANISOTROPIC);
    SetWindowExtEx(l.dc, 1, 1, nullptr);
    SetViewportExtEx(l.dc, 2, 2, nullptr);
    Schrift s(l.dc, -10, "Arial");
    TEXTMETRIC tm;
    GetTextMetrics(l.dc, &tm);
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 10, 1);
}

TEST(GdiText, ExtentsAddUpAndBoldIsWider)
{
    GdiLeinwand l(8, 8);
    Schrift s(l.dc, -16, "Arial");
    SIZE a, b, ab;
    GetTextExtentPoint32(l.dc, "Schalt", 6, &a);
    GetTextExtentPoint32(l.dc, "plan", 4, &b);
    GetTextExtentPoint32(l.dc, "Schaltplan", 10, &ab);
    EXPECT_NEAR(ab.cx, a.cx + b.cx, 2);
    int w[3];
    ASSERT_TRUE(GetCharWidth32(l.dc, 'i', 'k', w));
    SIZE i;
    GetTextExtentPoint32(l.dc, "i", 1, &i);
    EXPECT_EQ(w[0], i.cx);
    EXPECT_LT(w[0], w[2]);  // i is narrower than k
    int fit = 0;
    int dx[10];
    SIZE sz;
    GetTextExtentExPoint(l.dc, "Schaltplan", 10, a.cx, &fit, dx, &sz);
    EXPECT_EQ(fit, 6);
    EXPECT_EQ(dx[9], sz.cx);
    Schrift fett(l.dc, -16, "Arial", FW_BOLD);
    SIZE f;
    GetTextExtentPoint32(l.dc, "Schaltplan", 10, &f);
    EXPECT_GT(f.cx, ab.cx);
    // Umlauts and the euro sign of code page 1252 are measured as characters.
    SIZE u;
    EXPECT_TRUE(GetTextExtentPoint32(l.dc, "\xC4\x80", 2, &u));
    EXPECT_GT(u.cx, 8);
}

// A text measured once is not laid out again in the same font; a change of
// font, size or scale on the DC, or fonts made anew, measure afresh.
TEST(GdiText, TextWidthsAreRememberedPerFontAndForgottenWithTheFonts)
{
    GdiLeinwand l(8, 8);
    SIZE a, b;
    long vorher;
    {
        Schrift s(l.dc, -16, "Arial");
        GetTextExtentPoint32(l.dc, "Verteilung", 10, &a);
        vorher = gdiTexteGemessen();
        GetTextExtentPoint32(l.dc, "Verteilung", 10, &b);
        EXPECT_EQ(gdiTexteGemessen(), vorher);
        EXPECT_EQ(b.cx, a.cx);
    }
    struct Fall {
        const char* was;
        int hoehe;
        const char* face;
        int gewicht;
    } faelle[] = {{"larger", -24, "Arial", FW_NORMAL}, {"bold", -16, "Arial", FW_BOLD}, {"other face", -16, "Courier New", FW_NORMAL}};
    for (const Fall& f : faelle) {
        Schrift s(l.dc, f.hoehe, f.face, f.gewicht);
        const long n = gdiTexteGemessen();
        SIZE c;
        GetTextExtentPoint32(l.dc, "Verteilung", 10, &c);
        EXPECT_EQ(gdiTexteGemessen(), n + 1) << f.was;
        EXPECT_NE(c.cx, a.cx) << f.was;
    }
    {
        // The same font at twice the scale.
        Schrift s(l.dc, -16, "Arial");
        SetMapMode(l.dc, MM_ANISOTROPIC);
        SetWindowExtEx(l.dc, 1, 1, nullptr);
        SetViewportExtEx(l.dc, 2, 2, nullptr);
        const long n = gdiTexteGemessen();
        SIZE c;
        GetTextExtentPoint32(l.dc, "Verteilung", 10, &c);
        EXPECT_EQ(gdiTexteGemessen(), n + 1);
        SetMapMode(l.dc, MM_TEXT);
    }
    {
        // Fonts made anew: nothing remembered survives.
        gdiTextFreigeben();
        Schrift s(l.dc, -16, "Arial");
        const long n = gdiTexteGemessen();
        SIZE c;
        GetTextExtentPoint32(l.dc, "Verteilung", 10, &c);
        EXPECT_EQ(gdiTexteGemessen(), n + 1);
        EXPECT_EQ(c.cx, a.cx);
    }
}

// Where "H" lands for each alignment: its ink against the reference point.
TEST(GdiText, EachAlignmentPlacesTheRunAroundTheReferencePoint)
{
    const int X = 60, Y = 30;
    struct Fall {
        UINT align;
        const char* was;
    } faelle[] = {
        {TA_LEFT | TA_TOP, "left top"},        {TA_CENTER | TA_TOP, "centre top"},
        {TA_RIGHT | TA_TOP, "right top"},      {TA_LEFT | TA_BASELINE, "left baseline"},
        {TA_RIGHT | TA_BOTTOM, "right bottom"}, {TA_CENTER | TA_BASELINE, "centre baseline"},
    };
    for (const Fall& f : faelle) {
        GdiLeinwand l(120, 60);
        Schrift s(l.dc, -20, "Arial");
        TEXTMETRIC tm;
        GetTextMetrics(l.dc, &tm);
        SIZE sz;
        GetTextExtentPoint32(l.dc, "HH", 2, &sz);
        SetTextAlign(l.dc, f.align);
        SetBkMode(l.dc, TRANSPARENT);
        TextOut(l.dc, X, Y, "HH", 2);
        RECT t = gdiTestTinte(l.s);
        // Horizontal: the run's advance starts at X, ends at X or is centred.
        int links = X;
        if ((f.align & TA_CENTER) == TA_CENTER) links = X - sz.cx / 2;
        else if (f.align & TA_RIGHT) links = X - sz.cx;
        EXPECT_GE(t.left, links) << f.was;
        EXPECT_LE(t.left, links + 3) << f.was;
        EXPECT_LE(t.right, links + sz.cx) << f.was;
        EXPECT_GE(t.right, links + sz.cx - 4) << f.was;
        // Vertical: H stands on the baseline.
        int basis = Y;
        if ((f.align & TA_BASELINE) == TA_BASELINE) basis = Y;
        else if (f.align & TA_BOTTOM) basis = Y - tm.tmDescent;
        else basis = Y + tm.tmAscent;
        EXPECT_EQ(t.bottom, basis) << f.was;
        EXPECT_NEAR(t.bottom - t.top, 14, 2) << f.was;  // cap height of a 20-pixel Arial
    }
}

TEST(GdiText, OpaqueBackgroundAdvanceArrayAndUpdateCp)
{
    GdiLeinwand l(120, 40);
    Schrift s(l.dc, -16, "Arial");
    TEXTMETRIC tm;
    GetTextMetrics(l.dc, &tm);
    SetBkColor(l.dc, RGB(0, 0, 255));
    SetTextColor(l.dc, RGB(255, 255, 0));
    SIZE sz;
    GetTextExtentPoint32(l.dc, "ab", 2, &sz);
    TextOut(l.dc, 10, 5, "ab", 2);
    // OPAQUE paints the whole cell: advance x cell height.
    RECT t = gdiTestTinte(l.s);
    EXPECT_EQ(t.left, 10);
    EXPECT_EQ(t.top, 5);
    EXPECT_EQ(t.right, 10 + sz.cx);
    EXPECT_EQ(t.bottom, 5 + tm.tmHeight);

    // An advance array places each character where it says.
    GdiLeinwand m(120, 40);
    Schrift s2(m.dc, -16, "Arial");
    SetBkMode(m.dc, TRANSPARENT);
    INT dx[2] = {40, 10};
    ExtTextOut(m.dc, 10, 5, 0, nullptr, "II", 2, dx);
    RECT links = gdiTestTinte(m.s);
    EXPECT_GE(links.right, 50);  // the second I starts near x = 50
    EXPECT_LE(links.right, 56);
    EXPECT_EQ(gdiTestPixel(m.s, 30, 15), RGB(255, 255, 255));

    // ETO_CLIPPED keeps the run inside its rectangle; ETO_OPAQUE fills it.
    GdiLeinwand k(120, 40);
    Schrift s3(k.dc, -16, "Arial");
    SetBkColor(k.dc, RGB(0, 255, 0));
    RECT rc{5, 5, 25, 30};
    ExtTextOut(k.dc, 5, 5, ETO_CLIPPED | ETO_OPAQUE, &rc, "Schaltplan", 10, nullptr);
    RECT kt = gdiTestTinte(k.s);
    EXPECT_EQ(kt.left, 5);
    EXPECT_EQ(kt.right, 25);
    EXPECT_EQ(kt.bottom, 30);

    // TA_UPDATECP draws at the current position and moves it by the advance.
    GdiLeinwand c(120, 40);
    Schrift s4(c.dc, -16, "Arial");
    SetTextAlign(c.dc, TA_UPDATECP);
    MoveToEx(c.dc, 7, 3, nullptr);
    TextOut(c.dc, 100, 100, "ab", 2);
    POINT p;
    GetCurrentPositionEx(c.dc, &p);
    EXPECT_EQ(p.x, 7 + sz.cx);
    EXPECT_EQ(p.y, 3);
}

TEST(GdiText, EscapementTurnsTheRunCounterClockwise)
{
    GdiLeinwand l(80, 120);
    Schrift s(l.dc, -16, "Arial", FW_NORMAL, 900);
    TEXTMETRIC tm;
    GetTextMetrics(l.dc, &tm);
    SetBkMode(l.dc, TRANSPARENT);
    SetTextAlign(l.dc, TA_LEFT | TA_BASELINE);
    TextOut(l.dc, 40, 100, "Schaltplan", 10);
    RECT t = gdiTestTinte(l.s);
    // Upwards from the reference point; the glyphs stand left of the
    // baseline, only descenders reach right of it.
    EXPECT_LE(t.bottom, 101);
    EXPECT_GT(t.bottom - t.top, 50);
    EXPECT_LT(t.right - t.left, 20);
    EXPECT_LE(t.right, 40 + tm.tmDescent + 1);
    EXPECT_GE(t.left, 40 - tm.tmAscent - 1);
}

TEST(GdiDrawText, FlagsPlaceBreakAndMeasureLines)
{
    GdiLeinwand l(200, 100);
    Schrift s(l.dc, -14, "Arial");
    TEXTMETRIC tm;
    GetTextMetrics(l.dc, &tm);
    SetBkMode(l.dc, TRANSPARENT);
    // DT_CALCRECT with word breaks: several lines, the widest line's width.
    RECT rc{0, 0, 110, 0};
    int h = DrawText(l.dc, "Verteiler Untergeschoss Hauptleitung", -1, &rc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h, 3 * tm.tmHeight);
    EXPECT_LE(rc.right, 110);
    SIZE lang;
    GetTextExtentPoint32(l.dc, "Untergeschoss", 13, &lang);
    EXPECT_EQ(rc.right, lang.cx);
    EXPECT_EQ(rc.bottom, h);
    EXPECT_EQ(gdiTestTinte(l.s).right, 0);  // measuring draws nothing
    // A single line centred both ways.
    RECT box{20, 20, 180, 80};
    SIZE sz;
    GetTextExtentPoint32(l.dc, "Mitte", 5, &sz);
    DrawText(l.dc, "Mitte", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT t = gdiTestTinte(l.s);
    int mitte = (t.left + t.right) / 2;
    EXPECT_NEAR(mitte, 100, 2);
    EXPECT_GE(t.top, 50 - tm.tmHeight / 2);
    EXPECT_LE(t.bottom, 50 + tm.tmHeight / 2 + 1);
    // '&' marks a mnemonic and takes no room; "&&" is one '&'; DT_NOPREFIX shows it.
    RECT r1{0, 0, 0, 0}, r2{0, 0, 0, 0}, r3{0, 0, 0, 0};
    DrawText(l.dc, "&Datei", -1, &r1, DT_CALCRECT | DT_SINGLELINE);
    DrawText(l.dc, "Datei", -1, &r2, DT_CALCRECT | DT_SINGLELINE);
    DrawText(l.dc, "&Datei", -1, &r3, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r1.right, r2.right);
    EXPECT_GT(r3.right, r2.right);
    // DT_END_ELLIPSIS cuts with "..." to fit.
    GdiLeinwand e(200, 40);
    Schrift s2(e.dc, -14, "Arial");
    RECT eng{0, 0, 60, 20};
    DrawText(e.dc, "Sehr langer Dateiname der nicht passt", -1, &eng, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(gdiTestTinte(e.s).right, 60);
    EXPECT_GT(gdiTestTinte(e.s).right, 40);
}

int CALLBACK gdiTestFamilie(const LOGFONT* lf, const TEXTMETRIC*, DWORD art, LPARAM p)
{
    auto* namen = reinterpret_cast<std::vector<std::string>*>(p);
    namen->emplace_back(lf->lfFaceName);
    EXPECT_EQ(art, static_cast<DWORD>(TRUETYPE_FONTTYPE));
    return 1;
}

TEST(GdiText, EnumFontFamiliesOffersTheWindowsNamesAndTheInstalledFaces)
{
    GdiLeinwand l(4, 4);
    std::vector<std::string> namen;
    EnumFontFamilies(l.dc, nullptr, gdiTestFamilie, reinterpret_cast<LPARAM>(&namen));
    auto hat = [&](const char* n) { return std::find(namen.begin(), namen.end(), n) != namen.end(); };
    EXPECT_TRUE(hat("Arial"));
    EXPECT_TRUE(hat("Times New Roman"));
    EXPECT_TRUE(hat("DejaVu Sans"));
    EXPECT_TRUE(hat("Liberation Mono"));
    namen.clear();
    EnumFontFamilies(l.dc, "arial", gdiTestFamilie, reinterpret_cast<LPARAM>(&namen));
    EXPECT_EQ(namen, std::vector<std::string>{"Arial"});
    namen.clear();
    LOGFONT lf{};
    std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", "Gibt Es Nicht");
    EXPECT_EQ(EnumFontFamiliesEx(l.dc, &lf, gdiTestFamilie, reinterpret_cast<LPARAM>(&namen), 0), 1);
    EXPECT_TRUE(namen.empty());
}

}  // namespace

namespace {

TEST(GdiText, WidthStretchesToTheRequestedAverageCharacterWidth)
{
    GdiLeinwand l(8, 8);
    SIZE schmal, breit;
    TEXTMETRIC tm;
    {
        HFONT f = CreateFont(20, 5, 0, 0, FW_NORMAL, 0, 0, 0, 0, OUT_TT_ONLY_PRECIS, 0, DRAFT_QUALITY, 0, "Arial");
        HGDIOBJ alt = SelectObject(l.dc, f);
        GetTextMetrics(l.dc, &tm);
        EXPECT_NEAR(tm.tmAveCharWidth, 5, 1);
        GetTextExtentPoint32(l.dc, "Verteiler", 9, &schmal);
        SelectObject(l.dc, alt);
        DeleteObject(f);
    }
    {
        HFONT f = CreateFont(20, 15, 0, 0, FW_NORMAL, 0, 0, 0, 0, OUT_TT_ONLY_PRECIS, 0, DRAFT_QUALITY, 0, "Arial");
        HGDIOBJ alt = SelectObject(l.dc, f);
        GetTextMetrics(l.dc, &tm);
        EXPECT_NEAR(tm.tmAveCharWidth, 15, 1);
        EXPECT_NEAR(tm.tmHeight, 20, 1);  // the height stays
        GetTextExtentPoint32(l.dc, "Verteiler", 9, &breit);
        SelectObject(l.dc, alt);
        DeleteObject(f);
    }
    EXPECT_NEAR(static_cast<double>(breit.cx) / schmal.cx, 3.0, 0.3);
}

}  // namespace

namespace {

TEST(GdiText, WorldTransformScalesAndTurnsText)
{
    GdiLeinwand eins(200, 120), zwei(200, 120);
    for (GdiLeinwand* l : {&eins, &zwei}) {
        HFONT f = CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        HGDIOBJ alt = SelectObject(l->dc, f);
        SetBkMode(l->dc, TRANSPARENT);
        SetTextAlign(l->dc, TA_LEFT | TA_BASELINE);
        if (l == &zwei) {
            SetGraphicsMode(l->dc, GM_ADVANCED);
            XFORM doppelt{2, 0, 0, 2, 0, 0};
            SetWorldTransform(l->dc, &doppelt);
        }
        TextOut(l->dc, 10, 40, "HHH", 3);
        SelectObject(l->dc, alt);
        DeleteObject(f);
    }
    RECT a = gdiTestTinte(eins.s), b = gdiTestTinte(zwei.s);
    EXPECT_NEAR(b.bottom - b.top, 2 * (a.bottom - a.top), 2);
    EXPECT_NEAR(b.right - b.left, 2 * (a.right - a.left), 4);
    EXPECT_EQ(b.bottom, 80);  // the baseline at 2 x 40
    EXPECT_NEAR(b.left, 20, 3);
}

}  // namespace

// Font start-up measures without Pango's own metrics call and without a
// layout per character; the figures must stay those Pango gives. Raster
// (memory bitmap) and vector (printer) DCs, cell and character heights.
TEST(GdiText, FastMetricsAndCharacterWidthsEqualPangosOwn)
{
    GdiLeinwand l(8, 8);
    cairo_surface_t* pdf = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    GdiGeraet drucker;
    drucker.technik = DT_RASPRINTER;
    drucker.logpixelsx = drucker.logpixelsy = 600;
    HDC vektor = gdiDcVektorErzeugen(pdf, drucker);
    ASSERT_NE(vektor, 0u);
    const struct {
        const char* face;
        int hoehe, gewicht;
        bool kursiv;
    } faelle[] = {
        {"Arial", -11, FW_NORMAL, false},     {"Arial", 128, FW_NORMAL, false},
        {"Times New Roman", 128, FW_NORMAL, false}, {"Courier New", 13, FW_BOLD, false},
        {"DejaVu Sans", -7, FW_NORMAL, true},  {"Liberation Mono", -40, FW_NORMAL, false},
    };
    for (HDC dc : {l.dc, vektor}) {
        const bool raster = dc == l.dc;
        for (const auto& f : faelle) {
            SCOPED_TRACE(std::string(f.face) + " " + std::to_string(f.hoehe) + (raster ? " raster" : " vector"));
            HFONT h = CreateFont(f.hoehe, 0, 0, 0, f.gewicht, f.kursiv, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, f.face);
            HGDIOBJ alt = SelectObject(dc, h);
            int schnell[256];
            ASSERT_TRUE(GetCharWidth32(dc, 0, 255, schnell));
            int breitest = 0;
            for (int c = 32; c < 256; ++c) {
                char z = static_cast<char>(c);
                SIZE langsam{}, einzeln{};
                int passt = 0;
                // The run measure lays the character out on its own.
                ASSERT_TRUE(GetTextExtentExPoint(dc, &z, 1, -1, &passt, nullptr, &langsam));
                ASSERT_TRUE(GetTextExtentPoint32(dc, &z, 1, &einzeln));
                EXPECT_EQ(schnell[c], langsam.cx) << c;
                EXPECT_EQ(einzeln.cx, langsam.cx) << c;
                if (c < 127 || c >= 160) breitest = std::max(breitest, static_cast<int>(langsam.cx));
            }
            TEXTMETRIC tm;
            ASSERT_TRUE(GetTextMetrics(dc, &tm));
            if (raster) EXPECT_GE(tm.tmMaxCharWidth, breitest);
            else EXPECT_GT(tm.tmMaxCharWidth, 0);
            // Ascent, descent and leading against pango_font_get_metrics of
            // the face at the size the DC chose.
            LOGFONT lf{};
            GetObject(h, sizeof lf, &lf);
            std::string familie;
            gdiSchriftLoesen(lf, familie);
            PangoFontDescription* d = pango_font_description_new();
            pango_font_description_set_family(d, familie.c_str());
            pango_font_description_set_weight(d, static_cast<PangoWeight>(f.gewicht));
            pango_font_description_set_style(d, f.kursiv ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
            if (!raster) {  // (vector sizes are scaled to the device; their figures are Pango's unrounded)
                pango_font_description_free(d);
                SelectObject(dc, alt);
                DeleteObject(h);
                continue;
            }
            pango_font_description_set_absolute_size(d, (tm.tmHeight - tm.tmInternalLeading) * PANGO_SCALE);
            PangoFont* pf = pango_font_map_load_font(pango_context_get_font_map(gdiPangoKontext(raster)),
                                                     gdiPangoKontext(raster), d);
            ASSERT_NE(pf, nullptr);
            PangoFontMetrics* pm = pango_font_get_metrics(pf, nullptr);
            const double asc = pango_font_metrics_get_ascent(pm) / double(PANGO_SCALE);
            const double desc = pango_font_metrics_get_descent(pm) / double(PANGO_SCALE);
            EXPECT_EQ(tm.tmAscent, static_cast<LONG>(std::ceil(asc - 0.01)));
            EXPECT_EQ(tm.tmDescent, static_cast<LONG>(std::ceil(desc - 0.01)));
            const int hoehe = PANGO_PIXELS(pango_font_metrics_get_height(pm));
            EXPECT_EQ(tm.tmExternalLeading, std::max(0, hoehe - tm.tmAscent - tm.tmDescent));
            pango_font_metrics_unref(pm);
            g_object_unref(pf);
            pango_font_description_free(d);
            SelectObject(dc, alt);
            DeleteObject(h);
        }
    }
    DeleteDC(vektor);
    cairo_surface_destroy(pdf);
}

namespace {

// A face's metrics and character widths, measured two ways that must agree.
struct ZellMasse {
    TEXTMETRIC tm;
    std::vector<int> breiten;
};

void zellMasseGleich(const std::vector<ZellMasse>& ist, const std::vector<ZellMasse>& soll)
{
    ASSERT_EQ(ist.size(), soll.size());
    for (size_t i = 0; i < soll.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ist[i].tm.tmHeight, soll[i].tm.tmHeight);
        EXPECT_EQ(ist[i].tm.tmAscent, soll[i].tm.tmAscent);
        EXPECT_EQ(ist[i].tm.tmDescent, soll[i].tm.tmDescent);
        EXPECT_EQ(ist[i].tm.tmAveCharWidth, soll[i].tm.tmAveCharWidth);
        EXPECT_EQ(ist[i].tm.tmMaxCharWidth, soll[i].tm.tmMaxCharWidth);
        EXPECT_EQ(ist[i].tm.tmInternalLeading, soll[i].tm.tmInternalLeading);
        EXPECT_EQ(ist[i].breiten, soll[i].breiten);
    }
}

// Cell heights (positive lfHeight) are searched size by size from the face's
// ratio; the start works the steps out from the face instead. Both must give
// the same font: metrics and every character width, for each stand-in face
// and a range of heights on the way to the 128-pixel measuring size.
TEST(GdiText, CellHeightStepsFromTheFaceMatchTheSearchBySize)
{
    const char* flaechen[] = {"Arial",       "Times New Roman", "Courier New",     "DejaVu Sans",
                              "DejaVu Serif", "DejaVu Sans Mono", "Liberation Sans", "Liberation Serif",
                              "Liberation Mono", "System"};
    auto messen = [&](bool schaetzen) {
        gdiTextFreigeben();
        gdiZellSchaetzungSetzen(schaetzen);
        std::vector<ZellMasse> aus;
        HDC dc = CreateCompatibleDC(0);
        for (const char* f : flaechen)
            for (int hoehe : {6, 9, 12, 13, 14, 15, 16, 20, 27, 33, 48, 64, 100, 127, 128, 129}) {
                for (int gewicht : {FW_NORMAL, FW_BOLD}) {
                    Schrift s(dc, hoehe, f, gewicht);
                    ZellMasse e{};
                    GetTextMetrics(dc, &e.tm);
                    for (int c = 32; c < 256; ++c) {
                        char z = static_cast<char>(c);
                        SIZE g{};
                        GetTextExtentPoint32(dc, &z, 1, &g);
                        e.breiten.push_back(g.cx);
                    }
                    aus.push_back(e);
                }
            }
        DeleteDC(dc);
        gdiZellSchaetzungSetzen(true);
        return aus;
    };
    const std::vector<ZellMasse> stufen = messen(false), geschaetzt = messen(true);
    zellMasseGleich(geschaetzt, stufen);
    gdiTextFreigeben();
}

// The cell height alone (the dialog units take it at start) is the height
// GetTextMetrics gives, on drawing and UI DCs, scaled or not.
TEST(GdiText, CellHeightAloneEqualsTheMetricsHeight)
{
    HDC dc = CreateCompatibleDC(0);
    EXPECT_EQ(gdiTextZellHoehe(0), 0);
    for (bool ui : {false, true})
        for (int skala : {1, 3})
            for (const char* f : {"MS Shell Dlg", "Arial", "Courier New", "System"})
                for (int hoehe : {-11, -16, 13, 20, 0}) {
                    SCOPED_TRACE(std::string(f) + " " + std::to_string(hoehe));
                    gdiDcOberflaecheSetzen(dc, ui);
                    SetMapMode(dc, MM_ANISOTROPIC);
                    SetWindowExtEx(dc, 1, 1, nullptr);
                    SetViewportExtEx(dc, skala, skala, nullptr);
                    Schrift s(dc, hoehe, f);
                    TEXTMETRIC tm{};
                    ASSERT_TRUE(GetTextMetrics(dc, &tm));
                    EXPECT_EQ(gdiTextZellHoehe(dc), tm.tmHeight);
                }
    DeleteDC(dc);
}

// The cell ratio of a face is read from fontconfig's match directly, without
// loading the face through Pango at em 1000 (a match and sort on two threads
// of their own each): the same font comes out, its metrics and every
// character width, for each stand-in face, weight and slant; a face costs
// one font load fewer.
TEST(GdiText, CellRatioFromTheMatchedFaceMatchesTheLoadedFace)
{
    const char* flaechen[] = {"Arial",           "Times New Roman", "Courier New",   "DejaVu Sans",
                              "DejaVu Serif",    "DejaVu Sans Mono", "Liberation Sans", "Liberation Serif",
                              "Liberation Mono", "System",          "Unbekannt"};
    long geladen[2] = {0, 0};
    auto messen = [&](bool direkt) {
        gdiTextFreigeben();
        gdiGesichtDirektSetzen(direkt);
        const long vorher = plSchriftenGeladen();
        std::vector<ZellMasse> aus;
        HDC dc = CreateCompatibleDC(0);
        for (const char* f : flaechen)
            for (int hoehe : {9, 13, 16, 27, 128})
                for (int gewicht : {FW_NORMAL, FW_BOLD})
                    for (BYTE kursiv : {0, 1}) {
                        HFONT h = CreateFont(hoehe, 0, 0, 0, gewicht, kursiv, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, f);
                        HGDIOBJ alt = SelectObject(dc, h);
                        ZellMasse e{};
                        GetTextMetrics(dc, &e.tm);
                        for (int c = 32; c < 256; ++c) {
                            char z = static_cast<char>(c);
                            SIZE g{};
                            GetTextExtentPoint32(dc, &z, 1, &g);
                            e.breiten.push_back(g.cx);
                        }
                        aus.push_back(e);
                        SelectObject(dc, alt);
                        DeleteObject(h);
                    }
        DeleteDC(dc);
        geladen[direkt] = plSchriftenGeladen() - vorher;
        gdiGesichtDirektSetzen(true);
        return aus;
    };
    const std::vector<ZellMasse> pango = messen(false), direkt = messen(true);
    zellMasseGleich(direkt, pango);
    // Four slants and weights of every face that resolved: one load fewer each.
    EXPECT_LT(geladen[1], geladen[0]);
    EXPECT_GE(geladen[0] - geladen[1], 4 * 4);
    gdiTextFreigeben();
}

}  // namespace

// UI text (a DC marked as drawing user interface) is smoothed as the desktop
// renders it, grey-scale with slight hinting on the headless backend; the
// same text on a drawing DC keeps its exact two colours, and raster
// operations on the UI DC stay exact.
namespace {

struct UiLeinwand : GdiLeinwand {
    UiLeinwand(int w, int h) : GdiLeinwand(w, h) { gdiDcOberflaecheSetzen(dc, true); }
};

int uiGrauStufen(cairo_surface_t* s)
{
    int n = 0;
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
            COLORREF c = gdiTestPixel(s, x, y);
            if (c != RGB(0, 0, 0) && c != RGB(255, 255, 255)) ++n;
        }
    return n;
}

// Columns the eye sees inked: some pixel at least half covered (black text
// on white). A column of faint smoothing only between two glyphs reads as a gap.
std::vector<bool> uiTintenSpalten(cairo_surface_t* s)
{
    std::vector<bool> v(static_cast<size_t>(cairo_image_surface_get_width(s)));
    for (int x = 0; x < cairo_image_surface_get_width(s); ++x)
        for (int y = 0; y < cairo_image_surface_get_height(s); ++y)
            if (GetRValue(gdiTestPixel(s, x, y)) < 128) v[static_cast<size_t>(x)] = true;
    return v;
}

}  // namespace

TEST(GdiUiText, IsSmoothedWhileDrawingTextAndRasterOperationsStayExact)
{
    UiLeinwand ui(120, 24);
    GdiLeinwand zeichnung(120, 24);
    for (HDC dc : {ui.dc, zeichnung.dc}) {
        HGDIOBJ alt = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        TextOut(dc, 2, 2, "Inhalt -X0 -W1", 14);
        SelectObject(dc, alt);
    }
    EXPECT_GT(uiGrauStufen(ui.s), 20);
    EXPECT_EQ(uiGrauStufen(zeichnung.s), 0);

    // A cross cursor drawn twice with XOR leaves every pixel as it was, and
    // once inverts exactly.
    cairo_surface_t* vorher = cairo_surface_create_similar_image(ui.s, CAIRO_FORMAT_RGB24, 120, 24);
    cairo_t* cr = cairo_create(vorher);
    cairo_set_source_surface(cr, ui.s, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    HPEN stift = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ altStift = SelectObject(ui.dc, stift);
    int altRop = SetROP2(ui.dc, R2_XORPEN);
    auto kreuz = [&] {
        MoveToEx(ui.dc, 0, 12, nullptr);
        LineTo(ui.dc, 120, 12);
        MoveToEx(ui.dc, 30, 0, nullptr);
        LineTo(ui.dc, 30, 24);
    };
    kreuz();
    for (int x = 0; x < 120; ++x) {
        if (x == 30) continue;  // where the two strokes cross, twice inverted
        COLORREF a = gdiTestPixel(vorher, x, 12), b = gdiTestPixel(ui.s, x, 12);
        ASSERT_EQ(b, RGB(255 - GetRValue(a), 255 - GetGValue(a), 255 - GetBValue(a))) << x;
    }
    kreuz();
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_EQ(gdiTestPixel(ui.s, x, y), gdiTestPixel(vorher, x, y)) << x << "," << y;
    SetROP2(ui.dc, altRop);
    SelectObject(ui.dc, altStift);
    DeleteObject(stift);
    cairo_surface_destroy(vorher);
}

// A hyphen before a capital keeps a clear column of its own ("-X0", "-W1")
// at the dialog font and the next sizes up (the drawing DCs' unsmoothed,
// fully hinted glyphs touch there).
TEST(GdiUiText, HyphenAndTheNextLetterDoNotTouch)
{
    for (int hoehe : {0, -11, -12, -13}) {
        for (const char* text : {"-X0", "-W1"}) {
            UiLeinwand l(60, 24);
            HFONT f = hoehe ? CreateFont(hoehe, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Shell Dlg") : 0;
            HGDIOBJ alt = SelectObject(l.dc, f ? static_cast<HGDIOBJ>(f) : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(l.dc, TRANSPARENT);
            TextOut(l.dc, 3, 2, text, 3);
            SIZE strich{};
            GetTextExtentPoint32(l.dc, text, 1, &strich);
            SelectObject(l.dc, alt);
            if (f) DeleteObject(f);
            std::vector<bool> tinte = uiTintenSpalten(l.s);
            // The hyphen's ink, then at least one clear column before the letter.
            size_t x = 0;
            while (x < tinte.size() && !tinte[x]) ++x;
            while (x < tinte.size() && tinte[x]) ++x;
            ASSERT_LT(x, tinte.size());
            EXPECT_LE(x, static_cast<size_t>(3 + strich.cx)) << text << " at " << hoehe;
            EXPECT_FALSE(tinte[x]) << text << " at " << hoehe;
            size_t lauf = x;
            while (lauf < tinte.size() && !tinte[lauf]) ++lauf;
            EXPECT_GE(lauf - x, 1u) << text << " at " << hoehe;
            EXPECT_LT(lauf, tinte.size()) << text << " at " << hoehe;
        }
    }
}

// What DrawText measures for UI text is where its ink lies (nothing cut),
// and UI widths are remembered apart from the drawing DCs' of the same font.
TEST(GdiUiText, MeasuredBoxHoldsTheInkAndWidthsAreKeptApart)
{
    for (const char* text : {"Inhalt", "Ausf\xFChrung", "Leitungsl\xE4nge [m]", "Gepr\xFC" "ft -W1"}) {
        UiLeinwand l(200, 30);
        HGDIOBJ alt = SelectObject(l.dc, GetStockObject(DEFAULT_GUI_FONT));
        RECT r{4, 4, 4, 4};
        DrawText(l.dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        SetBkMode(l.dc, TRANSPARENT);
        DrawText(l.dc, text, -1, &r, DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(l.dc, alt);
        RECT t = gdiTestTinte(l.s);
        EXPECT_GE(t.left, r.left) << text;
        EXPECT_LE(t.right, r.right) << text;
        EXPECT_GE(t.top, r.top) << text;
        EXPECT_LE(t.bottom, r.bottom) << text;
    }
    UiLeinwand ui(8, 8);
    GdiLeinwand zeichnung(8, 8);
    Schrift a(ui.dc, -13, "Arial"), b(zeichnung.dc, -13, "Arial");
    SIZE s1{}, s2{};
    GetTextExtentPoint32(ui.dc, "Schaltgruppe", 12, &s1);
    const long n = gdiTexteGemessen();
    GetTextExtentPoint32(zeichnung.dc, "Schaltgruppe", 12, &s2);
    EXPECT_EQ(gdiTexteGemessen(), n + 1);
    GetTextExtentPoint32(ui.dc, "Schaltgruppe", 12, &s1);
    EXPECT_EQ(gdiTexteGemessen(), n + 1);
}

// Layouts measured on a drawing DC (list cell widths, dialog units) hold the
// UI text drawn in them: the cell metrics agree for the UI faces and sizes.
TEST(GdiUiText, CellMetricsAgreeWithTheDrawingDcs)
{
    UiLeinwand ui(8, 8);
    GdiLeinwand zeichnung(8, 8);
    for (const char* face : {"MS Shell Dlg", "Arial", "Courier New", "Tahoma"})
        for (int hoehe : {-11, -12, -13, -15, 16}) {
            Schrift a(ui.dc, hoehe, face), b(zeichnung.dc, hoehe, face);
            TEXTMETRIC ta{}, tb{};
            GetTextMetrics(ui.dc, &ta);
            GetTextMetrics(zeichnung.dc, &tb);
            EXPECT_EQ(ta.tmHeight, tb.tmHeight) << face << " " << hoehe;
            EXPECT_EQ(ta.tmAscent, tb.tmAscent) << face << " " << hoehe;
            EXPECT_EQ(ta.tmAveCharWidth, tb.tmAveCharWidth) << face << " " << hoehe;
            SIZE sa{}, sb{};
            GetTextExtentPoint32(ui.dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &sa);
            GetTextExtentPoint32(zeichnung.dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &sb);
            EXPECT_NEAR(sa.cx, sb.cx, 2) << face << " " << hoehe;
        }
}
