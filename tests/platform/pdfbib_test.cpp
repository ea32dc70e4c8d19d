// The PDF library: drawn documents checked by outside readers (qpdf --check,
// pdftotext), where shapes and images land (rendered back into a memory DC),
// links and outlines after a round trip, loading and merging a small file,
// text metrics, and the failures (missing and foreign files, a missing
// folder, a failed rename).
#include <cairo.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <poppler.h>

#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <ftw.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/bild.h"
#include "platform/fehlersim.h"
#include "platform/gdi.h"
#include "platform/pdfbib.h"

namespace {

int pdfWeg(const char* p, const struct stat*, int, struct FTW*)
{
    remove(p);
    return 0;
}

std::wstring W(const char* cp1252) { return pdfbibBreit(cp1252); }

std::string pdfLesen(const std::string& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Output of a command line (stdout only).
std::string pdfAusgabe(const std::string& befehl)
{
    std::string aus;
    FILE* f = popen(befehl.c_str(), "r");
    if (!f) return aus;
    char puffer[4096];
    size_t n;
    while ((n = fread(puffer, 1, sizeof puffer, f)) > 0) aus.append(puffer, n);
    pclose(f);
    return aus;
}

// A fresh folder and a library instance per test.
class Pdf : public testing::Test {
protected:
    std::string ordner;
    int bib = 0;
    void SetUp() override
    {
        char muster[] = "/tmp/velmo-pdf-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner = muster;
        bib = DPLCreateLibrary();
        ASSERT_GT(bib, 0);
    }
    void TearDown() override
    {
        plFehlerAllesAus();
        DPLReleaseLibrary(bib);
        nftw(ordner.c_str(), pdfWeg, 16, FTW_DEPTH | FTW_PHYS);
    }
    std::string p(const std::string& rel) const { return ordner + "/" + rel; }
    std::string fixture(const char* name) const { return std::string(VELMO_TEST_DATA) + "/platform/pdf/" + name; }

    // A PNG of w x h pixels: left half red, right half blue.
    std::string zweifarbPng(int w, int h)
    {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        cairo_t* cr = cairo_create(s);
        cairo_set_source_rgb(cr, 1, 0, 0);
        cairo_rectangle(cr, 0, 0, w / 2.0, h);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0, 0, 1);
        cairo_rectangle(cr, w / 2.0, 0, w / 2.0, h);
        cairo_fill(cr);
        cairo_destroy(cr);
        std::string pfad = p("zweifarb.png");
        cairo_surface_write_to_png(s, pfad.c_str());
        cairo_surface_destroy(s);
        return pfad;
    }

    // The same as a JPEG file (quality 95).
    std::string zweifarbJpeg(int w, int h)
    {
        std::string pfad = p("zweifarb.jpg");
        FILE* f = fopen(pfad.c_str(), "wb");
        jpeg_compress_struct info;
        jpeg_error_mgr fehler;
        info.err = jpeg_std_error(&fehler);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, f);
        info.image_width = static_cast<JDIMENSION>(w);
        info.image_height = static_cast<JDIMENSION>(h);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 95, TRUE);
        jpeg_start_compress(&info, TRUE);
        std::vector<unsigned char> zeile(static_cast<size_t>(w) * 3);
        for (int x = 0; x < w; ++x) {
            zeile[3 * x] = x < w / 2 ? 255 : 0;
            zeile[3 * x + 2] = x < w / 2 ? 0 : 255;
        }
        while (info.next_scanline < info.image_height) {
            JSAMPROW z = zeile.data();
            jpeg_write_scanlines(&info, &z, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        fclose(f);
        return pfad;
    }

    int speichern(const std::string& pfad) { return DPLSaveToFile(bib, W(pfad.c_str()).c_str()); }
};

// Page `seite` of the selected document rendered at 72 dpi into a memory DC
// of w x h pixels on white; the pixels come back as COLORREFs.
struct PdfBildschirm {
    HDC dc;
    HBITMAP bm;
    HGDIOBJ alt;
    PdfBildschirm(int w, int h)
    {
        dc = CreateCompatibleDC(0);
        bm = CreateBitmap(w, h, 1, 32, nullptr);
        alt = SelectObject(dc, bm);
        RECT rc{0, 0, w, h};
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~PdfBildschirm()
    {
        SelectObject(dc, alt);
        DeleteDC(dc);
        DeleteObject(bm);
    }
};

bool istRot(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }
bool istBlau(COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) < 60; }

TEST_F(Pdf, DrawnDocumentPassesQpdfCheckAndShowsItsTexts)
{
    ASSERT_GT(DPLNewDocument(bib), 0);
    ASSERT_EQ(DPLSetPageSize(bib, L"A4 Landscape"), 1);
    EXPECT_DOUBLE_EQ(DPLPageHeight(bib), 595.3);
    int helv = DPLAddStandardFont(bib, 4);
    int arial = DPLAddTrueTypeFont(bib, W("Arial").c_str(), 1);
    ASSERT_GT(helv, 0);
    ASSERT_GT(arial, 0);
    std::string png = zweifarbPng(20, 10);
    std::vector<uint8_t> bmp;
    plBild b;
    b.breite = b.hoehe = 4;
    b.pixel.assign(16, 0xFF00FF00u);
    ASSERT_EQ(plBmpSchreiben(b, 24, bmp), 0);
    std::ofstream(p("gruen.bmp"), std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()),
                                                          static_cast<std::streamsize>(bmp.size()));
    int bildPng = DPLAddImageFromFile(bib, W(png.c_str()).c_str(), 0);
    int bildBmp = DPLAddImageFromFile(bib, W(p("gruen.bmp").c_str()).c_str(), 0);
    int bildJpg = DPLAddImageFromFile(bib, W(zweifarbJpeg(16, 8).c_str()).c_str(), 0);
    ASSERT_GT(bildJpg, 0);
    ASSERT_GT(bildPng, 0);
    ASSERT_GT(bildBmp, 0);

    // Every drawing call of the export, once.
    struct Schritt {
        const char* was;
        int ergebnis;
    };
    const Schritt schritte[] = {
        {"breite", DPLSetLineWidth(bib, 1.5)},
        {"farben", DPLSetLineColor(bib, 0, 0, 0) & DPLSetFillColor(bib, 0.2, 0.4, 0.6) & DPLSetTextColor(bib, 0, 0, 0)},
        {"linie", DPLDrawLine(bib, 10, 10, 300, 200)},
        {"strich", DPLSetLineDashEx(bib, L"6.00 2.50 1.50 2.50")},
        {"box", DPLDrawBox(bib, 400, 500, 100, 50, 0)},
        {"strich aus", DPLSetLineDashEx(bib, L"")},
        {"kreis", DPLDrawCircle(bib, 600, 400, 30, 2)},
        {"ellipse", DPLDrawEllipse(bib, 600, 300, 80, 40, 1)},
        {"bogen", DPLDrawEllipticArc(bib, 700, 300, 60, 60, 270, 360, 0, 0)},
        {"pfad", DPLStartPath(bib, 50, 300) & DPLAddLineToPath(bib, 100, 350) & DPLAddLineToPath(bib, 150, 300) &
                     DPLClosePath(bib) & DPLDrawPath(bib, 2)},
        {"schrift", DPLSelectFont(bib, helv) & DPLSetTextSize(bib, 14) & DPLSetTextScaling(bib, 100) &
                        DPLSetTextAlign(bib, 0)},
        {"text", DPLDrawText(bib, 50, 550, W("Normtext \xC4rger").c_str())},
        {"truetype", DPLSelectFont(bib, arial) & DPLDrawText(bib, 50, 520, L"Wahrtext")},
        {"gedreht", DPLDrawRotatedText(bib, 300, 100, 90, L"Gedreht")},
        {"bild", DPLSelectImage(bib, bildPng) & DPLDrawImage(bib, 400, 200, 40, 20)},
        {"bild gedreht", DPLDrawRotatedImage(bib, 500, 100, 40, 20, 90)},
        {"bmp", DPLSelectImage(bib, bildBmp) & DPLDrawImage(bib, 450, 200, 10, 10)},
        {"jpeg", DPLSelectImage(bib, bildJpg) & DPLDrawImage(bib, 470, 200, 16, 8)},
    };
    for (const Schritt& s : schritte) EXPECT_EQ(s.ergebnis, 1) << s.was << " error " << DPLLastErrorCode(bib);
    EXPECT_EQ(DPLReleaseImage(bib, bildPng), 1);  // drawn images stay drawn
    std::string ziel = p("zeichnung.pdf");
    ASSERT_EQ(speichern(ziel), 1) << DPLLastErrorCode(bib);
    EXPECT_EQ(std::system(("qpdf --check '" + ziel + "' >/dev/null 2>&1").c_str()), 0);
    std::string text = pdfAusgabe("pdftotext -enc UTF-8 '" + ziel + "' - 2>/dev/null");
    for (const char* t : {"Normtext \xC3\x84rger", "Wahrtext", "Gedreht"}) EXPECT_NE(text.find(t), std::string::npos) << t;
    EXPECT_NE(pdfLesen(ziel).find("/DCTDecode"), std::string::npos);  // the JPEG embedded as it is
    std::string info = pdfAusgabe("pdffonts '" + ziel + "' 2>/dev/null");
    EXPECT_NE(info.find("LiberationSans"), std::string::npos) << info;
    // Only the temporary file's rename wrote the target: nothing else is left.
    int eintraege = 0;
    for (const char* n : {"zeichnung.pdf", "zweifarb.png", "gruen.bmp", "zweifarb.jpg"})
        eintraege += access(p(n).c_str(), F_OK) == 0;
    EXPECT_EQ(eintraege, 4);
    EXPECT_EQ(pdfAusgabe("ls '" + ordner + "' | wc -l"), "4\n");
}

// Points are PDF's: y up from the lower left corner; boxes and images hang
// down from their top edge; a rotated image turns counter-clockwise about
// its lower left corner. Checked by rendering at 72 dpi (1 pixel a point).
TEST_F(Pdf, ShapesAndImagesLandWhereTheCoordinatesSay)
{
    std::string png = zweifarbPng(40, 20), jpg = zweifarbJpeg(40, 20);
    ASSERT_GT(DPLNewDocument(bib), 0);
    ASSERT_EQ(DPLSetPageSize(bib, L"A5"), 1);  // 419.5 x 595.3
    const double H = 595.3;
    int bild = DPLAddImageFromFile(bib, W(png.c_str()).c_str(), 0);
    ASSERT_GT(bild, 0);
    ASSERT_EQ(DPLSelectImage(bib, bild), 1);
    DPLSetFillColor(bib, 0, 0, 1);
    ASSERT_EQ(DPLDrawBox(bib, 20, 580, 40, 20, 2), 1);  // y 560..580
    struct Fall {
        double winkel, x, y;
        // where red (the image's left half) and blue show, in points, y up
        double rx, ry, bx, by;
    };
    const Fall faelle[] = {
        {0, 100, 400, 110, 410, 130, 410},     // unrotated: red left of blue
        {90, 250, 400, 240, 410, 240, 430},    // turned left: red below blue, left of x
        {180, 300, 300, 290, 290, 270, 290},   // upside down: red right of blue, below y
        {270, 100, 200, 110, 190, 110, 170},   // turned right: red above blue
    };
    for (const Fall& f : faelle) {
        if (f.winkel == 0) ASSERT_EQ(DPLDrawImage(bib, f.x, f.y + 20, 40, 20), 1);
        else ASSERT_EQ(DPLDrawRotatedImage(bib, f.x, f.y, 40, 20, f.winkel), 1);
    }
    int jpeg = DPLAddImageFromFile(bib, W(jpg.c_str()).c_str(), 0);
    ASSERT_GT(jpeg, 0) << DPLLastErrorCode(bib);
    ASSERT_EQ(DPLSelectImage(bib, jpeg), 1);
    ASSERT_EQ(DPLDrawImage(bib, 300, 500, 40, 20), 1);
    // Arc angles start at the top and run counter-clockwise: 270..360 is
    // the quarter from the right to the top.
    DPLSetLineColor(bib, 0, 0, 1);
    DPLSetLineWidth(bib, 6);
    ASSERT_EQ(DPLDrawEllipticArc(bib, 300, 150, 100, 100, 270, 360, 0, 0), 1);
    PdfBildschirm schirm(420, 596);
    ASSERT_EQ(DPLRenderPageToDC(bib, 72, 1, schirm.dc), 1) << DPLLastErrorCode(bib);
    auto px = [&](double x, double y) { return GetPixel(schirm.dc, static_cast<int>(x), static_cast<int>(H - y)); };
    EXPECT_TRUE(istBlau(px(40, 570)));
    EXPECT_EQ(px(40, 555), RGB(255, 255, 255));
    for (const Fall& f : faelle) {
        EXPECT_TRUE(istRot(px(f.rx, f.ry))) << f.winkel;
        EXPECT_TRUE(istBlau(px(f.bx, f.by))) << f.winkel;
    }
    EXPECT_TRUE(istRot(px(310, 490)));  // the JPEG
    EXPECT_TRUE(istBlau(px(330, 490)));
    EXPECT_TRUE(istBlau(px(300 + 35.36, 150 + 35.36)));  // 45 degrees on the arc
    for (double grad : {135.0, 225.0, 315.0})
        EXPECT_EQ(px(300 + 50 * std::cos(grad * M_PI / 180), 150 + 50 * std::sin(grad * M_PI / 180)),
                  RGB(255, 255, 255))
            << grad;
}

// Hands the content of page `seite` (from 1) to `leser`.
void seiteLesen(const std::string& pfad, int seite, QPDFObjectHandle::ParserCallbacks& leser)
{
    QPDF q;
    q.processFile(pfad.c_str());
    QPDFObjectHandle s = q.getAllPages()[static_cast<size_t>(seite - 1)];
    s.parsePageContents(&leser);
}

// Stroke operators ("S") in the content of page `seite` (from 1).
int striche(const std::string& pfad, int seite)
{
    struct Zaehler : QPDFObjectHandle::ParserCallbacks {
        int n = 0;
        void handleObject(QPDFObjectHandle o) override { n += o.isOperator() && o.getOperatorValue() == "S"; }
        void handleEOF() override {}
    } z;
    seiteLesen(pfad, seite, z);
    return z.n;
}

// Width, colour and dash pattern in force at every stroke of a page, as
// "w r g b [dash]|", or with `nurMuster` the pattern alone, as "6 3|"
// (solid: "|").
std::string zustandFolge(const std::string& pfad, int seite, bool nurMuster = false)
{
    struct Leser : QPDFObjectHandle::ParserCallbacks {
        bool nurMuster = false;
        std::string folge, breite, farbe, muster;
        std::vector<QPDFObjectHandle> werte;
        static std::string zahl(QPDFObjectHandle o)
        {
            char t[32];
            std::snprintf(t, sizeof t, "%g", o.getNumericValue());
            return t;
        }
        void handleObject(QPDFObjectHandle o) override
        {
            if (!o.isOperator()) {
                werte.push_back(o);
                return;
            }
            const std::string op = o.getOperatorValue();
            if (op == "w" && werte.size() == 1) breite = zahl(werte[0]);
            if (op == "RG" && werte.size() == 3) farbe = zahl(werte[0]) + " " + zahl(werte[1]) + " " + zahl(werte[2]);
            if (op == "d" && !werte.empty() && werte[0].isArray()) {
                muster.clear();
                for (QPDFObjectHandle z : std::vector<QPDFObjectHandle>(werte[0].getArrayAsVector()))
                    muster += (muster.empty() ? "" : " ") + zahl(z);
            }
            if (op == "S") folge += nurMuster ? muster + "|" : breite + " " + farbe + " [" + muster + "]|";
            werte.clear();
        }
        void handleEOF() override {}
    } l;
    l.nurMuster = nurMuster;
    seiteLesen(pfad, seite, l);
    return l.folge;
}

// Each line keeps the pattern it was drawn with, whatever is set after it;
// setting the same pattern again leaves lines drawn alike.
TEST_F(Pdf, EveryLineKeepsTheDashPatternItWasDrawnWith)
{
    ASSERT_GT(DPLNewDocument(bib), 0);
    auto linie = [&](const wchar_t* muster, double y) {
        return DPLSetLineDashEx(bib, muster) & DPLDrawLine(bib, 20, y, 300, y);
    };
    ASSERT_EQ(linie(L"6 3", 700), 1);
    ASSERT_EQ(linie(L"6.00 3.00", 690), 1);  // the same pattern: one stroke with the first
    ASSERT_EQ(linie(L"2 1 0.5 1", 680), 1);
    ASSERT_EQ(linie(L"", 670), 1);
    ASSERT_EQ(linie(L"6 3", 660), 1);
    ASSERT_EQ(DPLSetLineDashEx(bib, L"9 9"), 1);  // set, but nothing drawn with it
    const std::string ziel = p("muster.pdf");
    ASSERT_EQ(speichern(ziel), 1) << DPLLastErrorCode(bib);
    EXPECT_EQ(zustandFolge(ziel, 1, true), "6 3|2 1 0.5 1||6 3|");
}

// Ops drawn one after another share what they are drawn with as long as
// nothing changes: each change of width, colour or pattern reaches only the
// ops drawn after it, and a pattern set again (also after many others, and
// after solid end strokes) is the same pattern.
TEST_F(Pdf, EveryOpKeepsTheWidthColourAndPatternItWasDrawnWith)
{
    ASSERT_GT(DPLNewDocument(bib), 0);
    DPLSetLineWidth(bib, 1);
    DPLSetLineColor(bib, 0, 0, 0);
    double y = 800;
    auto linie = [&] {
        y -= 10;
        return DPLDrawLine(bib, 20, y + 10, 300 - y / 10, y);
    };
    struct Schritt {
        const char* was;
        std::function<void()> setzen;
        const char* erwartet;  // the stroke of the line drawn after it
    };
    const Schritt schritte[] = {
        {"start", [] {}, "1 0 0 0 []|"},
        {"breite", [&] { DPLSetLineWidth(bib, 2.5); }, "2.5 0 0 0 []|"},
        {"farbe", [&] { DPLSetLineColor(bib, 1, 0, 0); }, "2.5 1 0 0 []|"},
        {"fuellung allein", [&] { DPLSetFillColor(bib, 0, 1, 0); }, "2.5 1 0 0 []|"},
        {"muster", [&] { DPLSetLineDashEx(bib, L"3 1"); }, "2.5 1 0 0 [3 1]|"},
        {"voll", [&] { DPLSetLineDashEx(bib, L""); }, "2.5 1 0 0 []|"},
        {"muster wieder", [&] { DPLSetLineDashEx(bib, L"3 1"); }, "2.5 1 0 0 [3 1]|"},
        {"anderes", [&] { DPLSetLineDashEx(bib, L"1 2"); }, "2.5 1 0 0 [1 2]|"},
        {"viele andere",
         [&] {
             for (int i = 1; i <= 40; ++i) DPLSetLineDashEx(bib, (std::to_wstring(i) + L" 1").c_str());
             DPLSetLineDashEx(bib, L"3 1");
         },
         "2.5 1 0 0 [3 1]|"},
        {"breite zurueck", [&] { DPLSetLineWidth(bib, 1); }, "1 1 0 0 [3 1]|"},
        {"farbe zurueck", [&] { DPLSetLineColor(bib, 0, 0, 1); }, "1 0 0 1 [3 1]|"},
    };
    std::string erwartet;
    for (const Schritt& s : schritte) {
        s.setzen();
        ASSERT_EQ(linie(), 1) << s.was;
        ASSERT_EQ(DPLDrawBox(bib, 400, y + 10, 20, 5, 0), 1) << s.was;  // a box drawn with the same state
        erwartet += std::string(s.erwartet) + s.erwartet;
    }
    const std::string ziel = p("zustand.pdf");
    ASSERT_EQ(speichern(ziel), 1) << DPLLastErrorCode(bib);
    EXPECT_EQ(zustandFolge(ziel, 1), erwartet);
}

// A text is laid out once and set again wherever it repeats: each
// occurrence keeps its own size, angle, scaling and alignment.
TEST_F(Pdf, ARepeatedTextKeepsEachSizeAngleScalingAndAlignment)
{
    ASSERT_GT(DPLNewDocument(bib), 0);
    ASSERT_EQ(DPLSelectFont(bib, DPLAddStandardFont(bib, 4)), 1);
    struct Fall {
        double groesse, skala, winkel;
        int ausrichtung;
        double x, y;
    };
    const Fall faelle[] = {
        {20, 100, 0, 0, 50, 750}, {40, 100, 0, 0, 50, 650}, {20, 100, 90, 0, 400, 400},
        {20, 50, 0, 0, 50, 550},  {20, 100, 0, 2, 500, 750}, {20, 100, 0, 0, 50, 450},
    };
    for (const Fall& f : faelle) {
        DPLSetTextSize(bib, f.groesse);
        DPLSetTextScaling(bib, f.skala);
        DPLSetTextAlign(bib, f.ausrichtung);
        ASSERT_EQ(DPLDrawRotatedText(bib, f.x, f.y, f.winkel, L"Klemme"), 1);
    }
    const std::string ziel = p("texte.pdf");
    ASSERT_EQ(speichern(ziel), 1) << DPLLastErrorCode(bib);
    // Word boxes in the reader's space (y down from the top): the order of
    // the texts drawn.
    const std::string xml = pdfAusgabe("pdftotext -bbox '" + ziel + "' - 2>/dev/null");
    struct Kasten {
        double l, o, r, u;
    };
    std::vector<Kasten> k;
    for (size_t i = xml.find("<word"); i != std::string::npos; i = xml.find("<word", i + 1)) {
        Kasten b{};
        ASSERT_EQ(std::sscanf(xml.c_str() + i, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &b.l, &b.o,
                              &b.r, &b.u),
                  4)
            << xml.substr(i, 80);
        k.push_back(b);
    }
    ASSERT_EQ(k.size(), std::size(faelle)) << xml;
    // pdftotext sorts the words; take them by their places.
    auto bei = [&](double x, double yOben) -> Kasten {
        for (const Kasten& b : k)
            if (b.l - 1 <= x && x <= b.r + 1 && b.o - 1 <= yOben && yOben <= b.u + 1) return b;
        return Kasten{};
    };
    const double h = 841.9;
    const Kasten a = bei(60, h - 755), gross = bei(60, h - 660), gedreht = bei(395, h - 420),
                 schmal = bei(55, h - 555), rechts = bei(480, h - 755), wieder = bei(60, h - 455);
    const double w = a.r - a.l, hoehe = a.u - a.o;
    ASSERT_GT(w, 40);
    EXPECT_NEAR(gross.r - gross.l, 2 * w, 1);
    EXPECT_NEAR(gross.u - gross.o, 2 * hoehe, 1);
    EXPECT_NEAR(gedreht.u - gedreht.o, w, 1);  // upward along the page
    EXPECT_NEAR(gedreht.r - gedreht.l, hoehe, 1);
    EXPECT_NEAR(schmal.r - schmal.l, w / 2, 1);
    EXPECT_NEAR(rechts.r, 500, 1);  // right-aligned: ends at its point
    EXPECT_NEAR(rechts.r - rechts.l, w, 1);
    EXPECT_NEAR(wieder.l, a.l, 0.01);
    EXPECT_NEAR(wieder.r - wieder.l, w, 0.01);
}

// Lines drawn alike in a row become one stroke of several subpaths; each
// line still starts its dash pattern afresh (the lines start at different
// x, so a pattern running on from one to the next shows), and the page
// looks as when every line is a stroke of its own: page 1 draws the black
// lines in a row, then the red ones; page 2 the same lines taking turns.
TEST_F(Pdf, LinesDrawnAlikeInARowAreOneStrokeThatLooksTheSame)
{
    ASSERT_GT(DPLNewDocument(bib), 0);
    ASSERT_EQ(DPLSetPageSize(bib, L"A5"), 1);
    DPLSetLineWidth(bib, 2);
    DPLSetLineDashEx(bib, L"6.00 3.00");
    auto linie = [&](int i, bool rot) {
        DPLSetLineColor(bib, rot ? 1 : 0, 0, 0);
        const double y = (rot ? 300 : 500) - 10 * i;
        return DPLDrawLine(bib, 20 + 1.5 * i, y, 300, y);
    };
    for (bool rot : {false, true})
        for (int i = 0; i < 6; ++i) ASSERT_EQ(linie(i, rot), 1);
    ASSERT_EQ(DPLSelectPage(bib, DPLNewPage(bib)), 1);
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(linie(i, false), 1);
        ASSERT_EQ(linie(i, true), 1);
    }
    const std::string ziel = p("linien.pdf");
    ASSERT_EQ(speichern(ziel), 1) << DPLLastErrorCode(bib);
    EXPECT_EQ(striche(ziel, 1), 2);
    EXPECT_EQ(striche(ziel, 2), 12);
    PdfBildschirm eins(420, 596), zwei(420, 596);
    ASSERT_EQ(DPLRenderPageToDC(bib, 72, 1, eins.dc), 1);
    ASSERT_EQ(DPLRenderPageToDC(bib, 72, 2, zwei.dc), 1);
    int anders = 0, tinte = 0;
    for (int y = 0; y < 596; ++y)
        for (int x = 0; x < 420; ++x) {
            const COLORREF a = GetPixel(eins.dc, x, y);
            anders += a != GetPixel(zwei.dc, x, y);
            tinte += a != RGB(255, 255, 255);
        }
    EXPECT_EQ(anders, 0);
    EXPECT_GT(tinte, 2000);
}

TEST_F(Pdf, RenderFollowsTheViewportAndStaysInsideTheClip)
{
    ASSERT_GT(DPLNewDocument(bib), 0);
    DPLSetFillColor(bib, 1, 0, 0);
    ASSERT_EQ(DPLDrawBox(bib, 0, 841.9, 595.3, 841.9, 2), 1);  // the whole page red
    PdfBildschirm schirm(100, 100);
    SetViewportOrgEx(schirm.dc, 10, 20, nullptr);
    IntersectClipRect(schirm.dc, 0, 0, 50, 50);  // logical: device 10..60, 20..70
    ASSERT_EQ(DPLRenderPageToDC(bib, 72, 1, schirm.dc), 1);
    SetViewportOrgEx(schirm.dc, 0, 0, nullptr);
    SelectClipRgn(schirm.dc, 0);
    EXPECT_TRUE(istRot(GetPixel(schirm.dc, 12, 22)));
    EXPECT_TRUE(istRot(GetPixel(schirm.dc, 58, 68)));
    for (POINT q : {POINT{5, 30}, POINT{30, 15}, POINT{65, 30}, POINT{30, 75}})
        EXPECT_EQ(GetPixel(schirm.dc, q.x, q.y), RGB(255, 255, 255)) << q.x << "," << q.y;
}

// What poppler sees of the links of page `seite` (from 1): target pages.
std::vector<int> linkZiele(const std::string& pfad, int seite)
{
    std::vector<int> ziele;
    gchar* uri = g_filename_to_uri(pfad.c_str(), nullptr, nullptr);
    PopplerDocument* doc = poppler_document_new_from_file(uri, nullptr, nullptr);
    g_free(uri);
    if (!doc) return ziele;
    PopplerPage* pg = poppler_document_get_page(doc, seite - 1);
    GList* links = poppler_page_get_link_mapping(pg);
    for (GList* l = links; l; l = l->next) {
        auto* m = static_cast<PopplerLinkMapping*>(l->data);
        if (m->action->type != POPPLER_ACTION_GOTO_DEST) continue;
        PopplerDest* d = m->action->goto_dest.dest;
        if (d->type == POPPLER_DEST_NAMED) {
            PopplerDest* n = poppler_document_find_dest(doc, d->named_dest);
            ziele.push_back(n ? n->page_num : -1);
            if (n) poppler_dest_free(n);
        } else {
            ziele.push_back(d->page_num);
        }
    }
    poppler_page_free_link_mapping(links);
    g_object_unref(pg);
    g_object_unref(doc);
    return ziele;
}

TEST_F(Pdf, LinksDestinationsAndOutlineSurviveSaving)
{
    int doc = DPLNewDocument(bib);
    ASSERT_GT(doc, 0);
    ASSERT_EQ(DPLNewPage(bib), 2);
    ASSERT_EQ(DPLSelectedPage(bib), 1);
    int ziel2 = DPLNewDestination(bib, 2, 0, 2, 0, 0, 0, 0);
    int ziel1 = DPLNewDestination(bib, 1, 0, 2, 0, 0, 0, 0);
    ASSERT_GT(ziel2, 0);
    ASSERT_EQ(DPLAddLinkToDestination(bib, 100, 700, 80, 20, ziel2, 1), 1);
    ASSERT_EQ(DPLSetAnnotBorderColor(bib, 1, 1, 0.5, 0), 1);
    ASSERT_EQ(DPLSelectPage(bib, 2), 1);
    ASSERT_EQ(DPLAddLinkToDestination(bib, 100, 700, 80, 20, ziel1, 0), 1);
    int oben = DPLNewOutline(bib, 0, W("Zeichnung \xDC" "bersicht").c_str(), 1, DPLPageHeight(bib));
    ASSERT_GT(oben, 0);
    ASSERT_EQ(DPLSetOutlineStyle(bib, oben, 0, 1), 1);
    ASSERT_GT(DPLNewOutline(bib, oben, L"Blatt 2", 2, DPLPageHeight(bib)), 0);
    ASSERT_EQ(DPLSetPageMode(bib, 1), 1);
    std::string pfad = p("navigation.pdf");
    ASSERT_EQ(speichern(pfad), 1) << DPLLastErrorCode(bib);
    EXPECT_EQ(std::system(("qpdf --check '" + pfad + "' >/dev/null 2>&1").c_str()), 0);

    EXPECT_EQ(linkZiele(pfad, 1), std::vector<int>{2});
    EXPECT_EQ(linkZiele(pfad, 2), std::vector<int>{1});
    QPDF q;
    q.processFile(pfad.c_str());
    EXPECT_EQ(q.getRoot().getKey("/PageMode").getName(), "/UseOutlines");
    QPDFObjectHandle erste = q.getAllPages()[0];
    QPDFObjectHandle a = erste.getKey("/Annots").getArrayItem(0);
    EXPECT_EQ(a.getKey("/C").unparse(), "[ 1 0.5 0 ]");
    EXPECT_EQ(a.getKey("/Border").unparse(), "[ 0 0 1 ]");

    ASSERT_EQ(DPLLoadFromFile(bib, W(pfad.c_str()).c_str(), L""), 1);
    EXPECT_NE(DPLSelectedDocument(bib), doc);
    ASSERT_EQ(DPLOutlineCount(bib), 2);
    struct Eintrag {
        const char* titel;
        int seite;
    };
    const Eintrag erwartet[] = {{"Zeichnung \xDC" "bersicht", 1}, {"Blatt 2", 2}};
    for (int i = 1; i <= 2; ++i) {
        int id = DPLGetOutlineID(bib, i);
        EXPECT_EQ(pdfbibSchmal(DPLOutlineTitle(bib, id), 200), erwartet[i - 1].titel);
        EXPECT_EQ(DPLGetOutlinePage(bib, id), erwartet[i - 1].seite);
    }
}

// The appended file: two pages (the second turned by /Rotate 90, sizes and
// resources inherited from the page tree) and an outline with a child whose
// target is a named destination.
TEST_F(Pdf, LoadedFileGivesItsOutlineAndPageSizes)
{
    ASSERT_EQ(DPLLoadFromFile(bib, W(fixture("anhang.pdf").c_str()).c_str(), L""), 1) << DPLLastErrorCode(bib);
    int doc = DPLGetDocumentID(bib, DPLDocumentCount(bib));
    ASSERT_EQ(DPLSelectDocument(bib, doc), 1);
    EXPECT_EQ(DPLPageCount(bib), 2);
    EXPECT_DOUBLE_EQ(DPLPageHeight(bib), 792);
    DPLSelectPage(bib, 2);
    EXPECT_DOUBLE_EQ(DPLPageHeight(bib), 612);
    ASSERT_EQ(DPLOutlineCount(bib), 2);
    int a = DPLGetOutlineID(bib, 1), b = DPLGetOutlineID(bib, 2);
    EXPECT_EQ(pdfbibSchmal(DPLOutlineTitle(bib, a), 200), "Datenblatt");
    EXPECT_EQ(DPLGetOutlinePage(bib, a), 1);
    EXPECT_EQ(pdfbibSchmal(DPLOutlineTitle(bib, b), 200), "Ma\xDF" "e");
    EXPECT_EQ(DPLGetOutlinePage(bib, b), 2);
    // The manual viewer paints a loaded page.
    PdfBildschirm schirm(200, 200);
    ASSERT_EQ(DPLRenderPageToDC(bib, 72, 1, schirm.dc), 1);
    int dunkel = 0;
    for (int y = 80; y < 100; ++y)
        for (int x = 70; x < 200; ++x) dunkel += GetRValue(GetPixel(schirm.dc, x, y)) < 128;
    EXPECT_GT(dunkel, 20);
    // Its pages are kept as they are.
    EXPECT_EQ(DPLDrawLine(bib, 0, 0, 10, 10), 0);
    EXPECT_EQ(DPLLastErrorCode(bib), DPL_E_FREMDSEITE);
}

TEST_F(Pdf, MergeAppendsTheLoadedPagesBehindTheDrawnOnes)
{
    int haupt = DPLNewDocument(bib);
    int helv = DPLAddStandardFont(bib, 8);
    DPLSelectFont(bib, helv);
    DPLSetTextSize(bib, 20);
    ASSERT_EQ(DPLDrawText(bib, 72, 700, L"Eigene Seite"), 1);
    int oben = DPLNewOutline(bib, 0, L"Zeichnungen", 1, DPLPageHeight(bib));
    ASSERT_EQ(DPLLoadFromFile(bib, W(fixture("anhang.pdf").c_str()).c_str(), L""), 1);
    int geladen = DPLSelectedDocument(bib);
    ASSERT_EQ(DPLSelectDocument(bib, haupt), 1);
    int n = DPLPageCount(bib);
    ASSERT_EQ(DPLMergeDocument(bib, geladen), 1);
    EXPECT_EQ(DPLPageCount(bib), n + 2);
    ASSERT_GT(DPLNewOutline(bib, oben, L"Datenblatt", n + 1, DPLPageHeight(bib)), 0);
    std::string pfad = p("gesamt.pdf");
    ASSERT_EQ(speichern(pfad), 1) << DPLLastErrorCode(bib);
    EXPECT_EQ(std::system(("qpdf --check '" + pfad + "' >/dev/null 2>&1").c_str()), 0);
    std::string text = pdfAusgabe("pdftotext '" + pfad + "' - 2>/dev/null");
    size_t a = text.find("Eigene Seite"), b = text.find("Anhangseite Eins"), c = text.find("Anhangseite Zwei");
    ASSERT_NE(a, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    ASSERT_NE(c, std::string::npos);
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);

    ASSERT_EQ(DPLLoadFromFile(bib, W(pfad.c_str()).c_str(), L""), 1);
    EXPECT_EQ(DPLPageCount(bib), 3);
    DPLSelectPage(bib, 3);
    EXPECT_DOUBLE_EQ(DPLPageHeight(bib), 612);  // still turned
    ASSERT_EQ(DPLOutlineCount(bib), 2);
    EXPECT_EQ(DPLGetOutlinePage(bib, DPLGetOutlineID(bib, 2)), 2);
    // A merge into itself or of an unknown document is refused.
    EXPECT_EQ(DPLMergeDocument(bib, DPLSelectedDocument(bib)), 0);
    EXPECT_EQ(DPLMergeDocument(bib, 9999), 0);
    EXPECT_EQ(DPLLastErrorCode(bib), DPL_E_DOKUMENT);
}

TEST_F(Pdf, TextMetricsScaleWithSizeAndScaling)
{
    ASSERT_GT(DPLNewDocument(bib), 0);
    EXPECT_EQ(DPLGetTextWidth(bib, L"W"), 0.0);  // no font yet
    EXPECT_EQ(DPLLastErrorCode(bib), DPL_E_SCHRIFT);
    for (int nummer : {0, 4, 8}) {
        ASSERT_EQ(DPLSelectFont(bib, DPLAddStandardFont(bib, nummer)), 1);
        DPLSetTextSize(bib, 100);
        DPLSetTextScaling(bib, 100);
        double a = DPLGetTextAscent(bib);
        EXPECT_GT(a, 60);
        EXPECT_LT(a, 110);
        double w = DPLGetTextWidth(bib, L"Hallo");
        int mittel = DPLGetFontMetrics(bib, 6);
        EXPECT_GT(mittel, 300) << nummer;
        EXPECT_LT(mittel, 800) << nummer;
        DPLSetTextScaling(bib, 50);
        EXPECT_NEAR(DPLGetTextWidth(bib, L"Hallo"), w / 2, 0.01);
        DPLSetTextScaling(bib, 100);
        DPLSetTextSize(bib, 10);
        EXPECT_NEAR(DPLGetTextWidth(bib, L"Hallo"), w / 10, 0.05);
        EXPECT_NEAR(DPLGetTextAscent(bib), a / 10, 0.05);
    }
    // Courier is monospaced: every letter as wide as the average.
    DPLSelectFont(bib, DPLAddStandardFont(bib, 0));
    DPLSetTextSize(bib, 100);
    EXPECT_NEAR(DPLGetTextWidth(bib, L"iiii"), DPLGetTextWidth(bib, L"MMMM"), 0.01);
    EXPECT_NEAR(DPLGetTextWidth(bib, L"M"), DPLGetFontMetrics(bib, 6) / 10.0, 0.6);
    EXPECT_EQ(DPLGetFontMetrics(bib, 99), 0);
    EXPECT_EQ(DPLLastErrorCode(bib), DPL_E_ARGUMENT);
}

TEST_F(Pdf, FailuresReturnZeroWithAnErrorCode)
{
    std::ofstream(p("kein.pdf")) << "Das ist kein PDF.\n";
    std::ofstream(p("kaputt.pdf")) << "%PDF-1.4\n1 0 obj << /Type /Catalog >>\n";
    std::ofstream(p("kein.png")) << "\x89PNG nur der Anfang";
    ASSERT_GT(DPLNewDocument(bib), 0);
    const std::string fehlt = p("fehlt.pdf"), kein = p("kein.pdf"), kaputt = p("kaputt.pdf");
    const std::string fehltBild = p("fehlt.png"), keinBild = p("kein.png");
    struct Fall {
        const char* was;
        std::function<int()> ruf;
        int code;
    };
    const Fall faelle[] = {
        {"missing file", [&] { return DPLLoadFromFile(bib, W(fehlt.c_str()).c_str(), L""); }, DPL_E_DATEI},
        {"not a PDF", [&] { return DPLLoadFromFile(bib, W(kein.c_str()).c_str(), L""); }, DPL_E_FORMAT},
        {"damaged PDF", [&] { return DPLLoadFromFile(bib, W(kaputt.c_str()).c_str(), L""); }, DPL_E_FORMAT},
        {"missing image", [&] { return DPLAddImageFromFile(bib, W(fehltBild.c_str()).c_str(), 0); }, DPL_E_DATEI},
        {"not an image", [&] { return DPLAddImageFromFile(bib, W(keinBild.c_str()).c_str(), 0); }, DPL_E_FORMAT},
        {"page size", [&] { return DPLSetPageSize(bib, L"B7"); }, DPL_E_ARGUMENT},
        {"page", [&] { return DPLSelectPage(bib, 2); }, DPL_E_SEITE},
        {"dash", [&] { return DPLSetLineDashEx(bib, L"3 x"); }, DPL_E_ARGUMENT},
        {"path not started", [&] { return DPLAddLineToPath(bib, 1, 1); }, DPL_E_PFAD},
        {"destination", [&] { return DPLAddLinkToDestination(bib, 0, 10, 10, 10, 4711, 1); }, DPL_E_ZIEL},
        {"image", [&] { return DPLDrawImage(bib, 0, 10, 10, 10); }, DPL_E_BILD},
        {"outline", [&] { return DPLGetOutlinePage(bib, 4711); }, DPL_E_ZIEL},
        {"document", [&] { return DPLSelectDocument(bib, 4711); }, DPL_E_DOKUMENT},
        {"mode", [&] { return DPLDrawBox(bib, 0, 10, 10, 10, 3); }, DPL_E_ARGUMENT},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(f.ruf(), 0) << f.was;
        EXPECT_EQ(DPLLastErrorCode(bib), f.code) << f.was;
    }
    EXPECT_EQ(DPLDrawLine(bib, 0, 0, 1, 1), 1);
    EXPECT_EQ(DPLLastErrorCode(bib), DPL_OK);
    EXPECT_EQ(DPLDocumentCount(bib), 1);  // nothing half-loaded stays
    EXPECT_EQ(DPLLastErrorCode(4711), DPL_E_INSTANZ);
    EXPECT_EQ(DPLNewDocument(4711), 0);
}

TEST_F(Pdf, SaveFailuresLeaveNoFileAndKeepTheOldOne)
{
    ASSERT_GT(DPLNewDocument(bib), 0);
    DPLDrawLine(bib, 0, 0, 100, 100);
    EXPECT_EQ(speichern(p("fehlt/ordner.pdf")), 0);
    EXPECT_EQ(DPLLastErrorCode(bib), DPL_E_SCHREIBEN);
    EXPECT_NE(access(p("fehlt").c_str(), F_OK), 0);

    std::ofstream(p("alt.pdf")) << "alter Inhalt";
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1);
        EXPECT_EQ(speichern(p("ALT.PDF")), 0);  // found ignoring case
        EXPECT_EQ(DPLLastErrorCode(bib), DPL_E_SCHREIBEN);
        EXPECT_EQ(plFehlerAusgeloest(PlFehlerArt::Umbenennen), 1);
    }
    EXPECT_EQ(pdfLesen(p("alt.pdf")), "alter Inhalt");
    EXPECT_EQ(pdfAusgabe("ls '" + ordner + "'"), "alt.pdf\n");
    ASSERT_EQ(speichern(p("ALT.PDF")), 1);
    EXPECT_EQ(pdfLesen(p("alt.pdf")).substr(0, 5), "%PDF-");
}

}  // namespace
