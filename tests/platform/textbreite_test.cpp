// Widths of many short texts from the characters' own widths (plTextBreite)
// equal the laid-out measure of GetTextExtentPoint32, for raster and vector
// DCs, stretched and spaced fonts, kerning pairs, control characters and
// drawing-file names.
#include <random>
#include <string>
#include <vector>

#include "platform/gdiimpl.h"
#include "platform/textbreite.h"
#include "tests/platform/gdi_pruef.h"

namespace {

std::vector<std::string> pruefTexte()
{
    std::vector<std::string> t = {"Anlage.0001", "AV", "To", "Wa", "LT", "Y.", "ff", "fi", "AVAVA", "Plan 3.001",
                                  "\xC4nderung", "\x80 5", "a\tb", "x\x7Fy", "  ", "hv1.08"};
    for (int i = 1; i <= 300; ++i) t.push_back("Anlage." + std::to_string(i));
    // Random texts over letters that kern, digits, blanks, punctuation and
    // the upper half of the code page.
    const std::string zeichen = "AVWTYLPFaeoyrv.,-:0123456789 fil\xC4\xD6\xDC\xE4\xF6\xFC\xDF\x80\x84\x93\xE9";
    std::mt19937 zufall(24);
    for (int i = 0; i < 1500; ++i) {
        std::string s(2 + zufall() % 20, ' ');
        for (char& c : s) c = zeichen[zufall() % zeichen.size()];
        t.push_back(s);
    }
    return t;
}

TEST(PlTextBreite, EqualsTheLaidOutWidthOfEveryText)
{
    GdiLeinwand l(8, 8);
    cairo_surface_t* pdf = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    GdiGeraet drucker;
    drucker.technik = DT_RASPRINTER;
    drucker.logpixelsx = drucker.logpixelsy = 600;
    HDC vektor = gdiDcVektorErzeugen(pdf, drucker);
    ASSERT_NE(vektor, 0u);
    const struct {
        const char* face;  // nullptr: the stock font of the project page's list
        int hoehe, breite, gewicht, abstand;
    } faelle[] = {
        {nullptr, 0, 0, 0, 0},           {"Arial", -11, 0, FW_NORMAL, 0}, {"Arial", -16, 0, FW_BOLD, 2},
        {"Times New Roman", 128, 40, FW_NORMAL, 0}, {"DejaVu Sans", -7, 0, FW_NORMAL, 0},
        {"Courier New", 13, 0, FW_NORMAL, 0},
    };
    const std::vector<std::string> texte = pruefTexte();
    int gekernt = 0;
    for (HDC dc : {l.dc, vektor}) {
        for (const auto& f : faelle) {
            SCOPED_TRACE(std::string(f.face ? f.face : "ANSI_VAR_FONT") + " " + std::to_string(f.hoehe) +
                         (dc == l.dc ? " raster" : " vector"));
            HFONT h = f.face ? CreateFont(f.hoehe, f.breite, 0, 0, f.gewicht, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, f.face)
                             : HFONT{};
            HGDIOBJ alt = SelectObject(dc, h ? static_cast<HGDIOBJ>(h) : GetStockObject(ANSI_VAR_FONT));
            SetTextCharacterExtra(dc, f.abstand);
            int einzel[256];
            ASSERT_TRUE(GetCharWidth32(dc, 0, 255, einzel));
            for (const std::string& t : texte) {
                const int n = static_cast<int>(t.size());
                SIZE erwartet{}, schnell{};
                ASSERT_TRUE(GetTextExtentPoint32(dc, t.data(), n, &erwartet));
                ASSERT_TRUE(plTextBreite(dc, t.data(), n, &schnell));
                EXPECT_EQ(schnell.cx, erwartet.cx) << t;
                EXPECT_EQ(schnell.cy, erwartet.cy) << t;
                int summe = 0;
                for (char c : t) summe += einzel[static_cast<unsigned char>(c)] + f.abstand;
                gekernt += dc == l.dc && summe != erwartet.cx;
            }
            // Again: the pairs measured above are remembered now.
            for (size_t i = 0; i < texte.size(); i += 7) {
                SIZE erwartet{}, schnell{};
                GetTextExtentPoint32(dc, texte[i].data(), static_cast<int>(texte[i].size()), &erwartet);
                plTextBreite(dc, texte[i].data(), static_cast<int>(texte[i].size()), &schnell);
                EXPECT_EQ(schnell.cx, erwartet.cx) << texte[i];
            }
            SetTextCharacterExtra(dc, 0);
            SelectObject(dc, alt);
            if (h) DeleteObject(h);
        }
    }
    // The texts hold pairs whose width is not the sum of their characters'.
    EXPECT_GT(gekernt, 0);
    SIZE sz;
    EXPECT_TRUE(plTextBreite(l.dc, "", 0, &sz));
    EXPECT_EQ(sz.cx, 0);
    EXPECT_FALSE(plTextBreite(l.dc, nullptr, 3, &sz));
    DeleteDC(vektor);
    cairo_surface_destroy(pdf);
}

}  // namespace
