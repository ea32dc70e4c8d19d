// The display-list surface: drawing scripts against PNG goldens (with the
// pixel rule each scene rests on checked by name), texts by their ink box,
// the command cut, questions, and the input notifications seen by a
// recording parent.
#include <cstdio>
#include <string>

#include "controls/ctlklassen.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/kopierdaten.h"
#include "platform/metafile_format.h"
#include "platform/metafile.h"
#include "platform/ressource.h"
#include "tests/controls/ctlh1_pruef.h"

namespace {

using h1::Meldung;
using h1::px;

constexpr COLORREF ROT = RGB(255, 0, 0);
constexpr COLORREF BLAU = RGB(0, 0, 255);
constexpr COLORREF SCHWARZ = RGB(0, 0, 0);

class Disp : public h1::Fixture {
protected:
    HWND disp(int b, int h, DWORD stil = 0, int id = 7) { return kind("ORVADISP", "", stil, 10, 10, b, h, id); }
    static void sag(HWND w, const std::string& befehl) { SetWindowText(w, befehl.c_str()); }
    // Drawing goes to the back bitmap only; PAINT shows it.
    static plBild zeig(HWND w)
    {
        sag(w, "PAINT");
        return h1::bild(w);
    }
};

::testing::AssertionResult golden(HWND w, const std::string& name)
{
    SetWindowText(w, "PAINT");
    return h1::golden(w, name);
}

// ---- Drawing --------------------------------------------------------------------------------------

struct Szene {
    const char* name;
    DWORD stil;
    std::vector<std::string> befehle;
};

TEST_F(Disp, ScriptsMatchTheirGoldens)
{
    const Szene szenen[] = {
        {"disp_linie", 0, {"COLOR 255 0 0", "LINE -1 0 -1 -1", "line 0 0 10 10"}},
        {"disp_kaesten", 0, {"COLOR 255 0 0", "RECT 2 2 10 8", "FILL 12 2 20 8", "COLOR 0 0 255", "FILL -5 -5 -1 -1"}},
        {"disp_ellipse", 0, {"COLOR 255 0 0", "ELLIPSE -10 -10 10 10", "ELLIPSE 20 4 40 24"}},
        {"disp_torte", 0, {"COLOR 255 0 0", "PIE 0 0 40 40 0 25"}},
        {"disp_rahmen1", 1, {"FILL 4 4 8 8"}},
        {"disp_rahmen2", 2, {}},
        {"disp_rahmen3", 3, {}},
        {"disp_knopfsymbol", 8 | 1, {"COLOR BTNFACE", "FILL 2 2 10 10", "COLOR 0 0 0", "RECT 2 2 10 10"}},
    };
    for (const Szene& s : szenen) {
        SCOPED_TRACE(s.name);
        HWND w = disp(48, 32, s.stil);
        for (const std::string& b : s.befehle) sag(w, b);
        EXPECT_TRUE(golden(w, s.name));
        DestroyWindow(w);
    }
}

TEST_F(Disp, PixelRulesOfLinesBoxesEllipsesAndPies)
{
    HWND w = disp(48, 32);
    sag(w, "COLOR 255 0 0");
    sag(w, "LINE -1 0 -1 -1");
    plBild b = zeig(w);
    // the last column, top to bottom minus the end point
    EXPECT_EQ(px(b, 47, 0), ROT);
    EXPECT_EQ(px(b, 47, 30), ROT);
    EXPECT_NE(px(b, 47, 31), ROT);

    sag(w, "CLEAR");
    sag(w, "RECT 10 8 2 2");  // normalised
    sag(w, "FILL 12 2 20 8");
    b = zeig(w);
    EXPECT_EQ(px(b, 2, 2), ROT);
    EXPECT_EQ(px(b, 9, 7), ROT);
    EXPECT_NE(px(b, 10, 7), ROT);  // right edge excluded
    EXPECT_NE(px(b, 9, 8), ROT);   // bottom edge excluded
    EXPECT_NE(px(b, 5, 5), ROT);   // a frame, not a fill
    EXPECT_EQ(px(b, 19, 7), ROT);
    EXPECT_NE(px(b, 20, 7), ROT);
    EXPECT_NE(px(b, 19, 8), ROT);

    // ELLIPSE does not count from the far edge: it lies around the origin
    sag(w, "CLEAR");
    sag(w, "ELLIPSE -10 -10 10 10");
    b = zeig(w);
    EXPECT_EQ(px(b, 1, 1), ROT);
    EXPECT_NE(px(b, 46, 30), ROT);

    // PIE 0 0 40 40 0 25: the upper right quarter
    HWND t = disp(48, 48, 0, 8);
    sag(t, "COLOR 255 0 0");
    sag(t, "PIE 0 0 40 40 0 25");
    b = zeig(t);
    EXPECT_EQ(px(b, 30, 10), ROT);
    EXPECT_NE(px(b, 10, 10), ROT);
    EXPECT_NE(px(b, 30, 30), ROT);
    EXPECT_NE(px(b, 10, 30), ROT);
}

TEST_F(Disp, PaintShowsTheBackBitmapAtOnce)
{
    HWND w = disp(30, 20);
    h1::bild(w);
    sag(w, "COLOR 255 0 0");
    sag(w, "FILL 0 0 30 20");
    EXPECT_EQ(plFensterPixel(w, 5, 5), GetSysColor(COLOR_WINDOW));
    sag(w, "paint");  // invalidate and update, no message loop needed
    EXPECT_EQ(plFensterPixel(w, 5, 5), ROT);
}

// A display not shown draws nothing: it holds the commands (dropping what a
// clear wipes) and draws them when painted or asked, to the same picture
// as one shown all along.
TEST_F(Disp, AHiddenDisplayDrawsWhenShownOrAsked)
{
    HWND w = disp(30, 20);
    HWND v = disp(30, 20, 0, 8);
    h1::bild(eltern);  // looked at: a display shown draws at once
    ShowWindow(w, SW_HIDE);
    auto beide = [&](const char* b) {
        sag(w, b);
        sag(v, b);
    };
    for (const char* b : {"COLOR 255 0 0", "FILL 0 0 30 20", "TEXT 2 10 alt", "CLEAR", "COLOR 0 0 255",
                          "FILL 4 4 10 10", "BBX LOX = 3", "PAINT"})
        beide(b);
    // Held: the red (a colour outlives the clear), the clear, the blue, its
    // box and the text box; the red box and the text are wiped, the paint
    // comes with showing.
    EXPECT_EQ(ctlDispOffen(w), 5);
    EXPECT_EQ(ctlDispOffen(v), 0);
    sag(w, "GET BBX");  // a question is answered as after drawing
    EXPECT_EQ(h1::text(w), "3 0 0 0");
    EXPECT_EQ(ctlDispOffen(w), 0);

    beide("FILL 20 4 26 10");
    beide("TEXT 2 18 neu");
    EXPECT_EQ(ctlDispOffen(w), 2);
    ShowWindow(w, SW_SHOW);
    const plBild a = h1::bild(w);
    const plBild b = h1::bild(v);
    EXPECT_EQ(ctlDispOffen(w), 0);
    EXPECT_EQ(px(a, 6, 6), BLAU);
    EXPECT_EQ(px(a, 22, 6), BLAU);
    EXPECT_EQ(px(a, 15, 2), GetSysColor(COLOR_WINDOW));
    ASSERT_EQ(a.pixel.size(), b.pixel.size());
    EXPECT_TRUE(a.pixel == b.pixel);

    // A font set on the window comes after a held FONT, as it was given:
    // the text box is measured with it.
    HFONT gross = CreateFont(30, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Sans");
    ShowWindow(w, SW_HIDE);
    for (HWND d : {w, v}) {
        sag(d, "FONT 2");
        SendMessage(d, WM_SETFONT, static_cast<WPARAM>(gross), 0);
        for (const char* b : {"BBX LOY = 0", "BBX RUX = 30", "BBX RUY = 20", "BBXTEXT Wort", "BBX LOY . 0"}) sag(d, b);
    }
    EXPECT_GT(ctlDispOffen(w), 0);
    sag(w, "GET BBX");
    sag(v, "GET BBX");
    EXPECT_EQ(h1::text(w), h1::text(v));
    for (HWND d : {w, v}) SendMessage(d, WM_SETFONT, static_cast<WPARAM>(GetStockObject(SYSTEM_FONT)), 0);
    DeleteObject(gross);
    EXPECT_EQ(ctlDispOffen(w), 0);

    // A clear while hidden wipes what was held; a new size too.
    ShowWindow(w, SW_HIDE);
    sag(w, "FILL 0 0 5 5");
    sag(w, "CLEAR");
    EXPECT_EQ(ctlDispOffen(w), 1);
    SetWindowPos(w, 0, 0, 0, 32, 20, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ctlDispOffen(w), 0);
}

// Without a screen, a display shown in a window whose pixels no one has
// read yet holds its drawing like a hidden one (the list of a run that
// never looks makes no bitmap). The first read, or deleting a font the
// held drawing uses, draws it: to the same pixels and text box as a
// display drawing at once. A clear keeps of the settings before it only
// the last colours and the fonts a text box was measured with.
TEST_F(Disp, AShownDisplayNoOneLooksAtHoldsItsDrawingUntilRead)
{
    HFONT gross = CreateFont(30, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Sans");
    ASSERT_NE(gross, HFONT{0});
    auto fenster = [](const char* titel, bool angesehen) {
        HWND oben = CreateWindow("H1Eltern", titel, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 200,
                                 150, 0, 0, 0, nullptr);
        if (angesehen) h1::bild(oben);
        return CreateWindow("ORVADISP", "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 60, oben, static_cast<HMENU>(7), 0,
                            nullptr);
    };
    auto malen = [&](HWND w) {
        for (const char* b : {"COLOR 0 0 255", "FILL 0 0 80 60", "BBX LOX = 2", "BBX LOY = 0", "BBX RUX = 78",
                              "BBX RUY = 60"})
            sag(w, b);
        SendMessage(w, WM_SETFONT, static_cast<WPARAM>(gross), 0);
        sag(w, "BBXTEXT Eins");  // measured with the large font
        for (const char* b : {"FONT 0", "COLOR 255 0 0", "BGCOLOR 0 255 0", "CLEAR", "CLEAR", "BBX LOY . 0",
                              "BBXTEXT zwei", "FILL 60 50 70 58", "PAINT"})
            sag(w, b);
    };
    auto gleich = [](HWND a, HWND b) {
        const plBild x = h1::bild(a), y = h1::bild(b);
        EXPECT_EQ(px(x, 65, 55), ROT);
        ASSERT_EQ(x.pixel.size(), y.pixel.size());
        EXPECT_TRUE(x.pixel == y.pixel);
        sag(a, "GET BBX");
        sag(b, "GET BBX");
        EXPECT_EQ(h1::text(a), h1::text(b));
    };

    // Held until the first read.
    HWND sofort = fenster("sofort", true), gehalten = fenster("gehalten", false);
    malen(sofort);
    malen(gehalten);
    EXPECT_EQ(ctlDispOffen(sofort), 0);
    EXPECT_GT(ctlDispOffen(gehalten), 0);
    EXPECT_FALSE(ctlDispBildDa(gehalten));
    gleich(sofort, gehalten);
    EXPECT_EQ(ctlDispOffen(gehalten), 0);

    // Drawn before a font it holds is deleted.
    sofort = fenster("sofort 2", true);
    gehalten = fenster("gehalten 2", false);
    malen(sofort);
    malen(gehalten);
    for (HWND w : {sofort, gehalten}) SendMessage(w, WM_SETFONT, static_cast<WPARAM>(ctlSchrift(0)), 0);
    EXPECT_GT(ctlDispOffen(gehalten), 0);
    EXPECT_TRUE(DeleteObject(gross));
    EXPECT_EQ(ctlDispOffen(gehalten), 0);
    gleich(sofort, gehalten);
}

TEST_F(Disp, ClearingKeepsTheFrameRingAndTheBitmapIsTheClientSize)
{
    HWND w = disp(30, 20, 1);
    sag(w, "GET SIZE");
    EXPECT_EQ(h1::text(w), "30 20");
    sag(w, "COLOR 0 0 255");
    sag(w, "FILL 0 0 30 20");
    sag(w, "CLEAR");
    plBild b = zeig(w);
    EXPECT_EQ(px(b, 0, 0), SCHWARZ);
    EXPECT_EQ(px(b, 29, 19), SCHWARZ);
    EXPECT_EQ(px(b, 1, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(px(b, 28, 18), GetSysColor(COLOR_WINDOW));
    // a resize makes a new cleared bitmap of the new size
    sag(w, "FILL 0 0 30 20");
    MoveWindow(w, 10, 10, 50, 24, TRUE);
    sag(w, "GET SIZE");
    EXPECT_EQ(h1::text(w), "50 24");
    b = zeig(w);
    EXPECT_EQ(px(b, 5, 5), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(px(b, 49, 23), SCHWARZ);
}

// A cleared display makes its bitmap only when drawn on: a list cleared
// and sized on the way to its first rows fills no bitmap for each step,
// and shows the same picture as one cleared after drawing.
TEST_F(Disp, AClearedDisplayMakesItsBitmapAtTheFirstDrawing)
{
    h1::bild(eltern);  // looked at: a display shown draws at once
    for (DWORD stil : {0u, 1u, 2u, 3u}) {
        SCOPED_TRACE(stil);
        HWND frisch = disp(30, 20, stil, 8);
        HWND bemalt = disp(30, 20, stil, 9);
        sag(bemalt, "COLOR 0 0 255");
        sag(bemalt, "FILL 0 0 30 20");
        sag(frisch, "CLEAR");
        MoveWindow(frisch, 10, 10, 34, 22, TRUE);
        MoveWindow(bemalt, 10, 10, 34, 22, TRUE);
        sag(bemalt, "FILL 0 0 30 20");
        sag(bemalt, "CLEAR");
        sag(bemalt, "FILL 0 0 0 0");  // draws nothing, but on the bitmap
        EXPECT_FALSE(ctlDispBildDa(frisch));
        EXPECT_TRUE(ctlDispBildDa(bemalt));
        const plBild a = zeig(frisch), b = zeig(bemalt);
        ASSERT_EQ(a.pixel.size(), b.pixel.size());
        EXPECT_TRUE(a.pixel == b.pixel);
        sag(frisch, "COLOR 0 0 255");
        sag(frisch, "FILL 2 2 6 6");
        EXPECT_TRUE(ctlDispBildDa(frisch));
        EXPECT_EQ(px(zeig(frisch), 3, 3), BLAU);
        DestroyWindow(frisch);
        DestroyWindow(bemalt);
    }
}

TEST_F(Disp, FramesInTheFlatLook)
{
    ctlFlachStilSetzen(1);
    HWND w = disp(20, 12, 3);
    plBild b = zeig(w);
    EXPECT_EQ(px(b, 0, 0), RGB(127, 157, 185));
    EXPECT_EQ(px(b, 19, 11), RGB(127, 157, 185));
    EXPECT_EQ(px(b, 1, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(golden(w, "disp_rahmen3flach"));
}

// ---- Pictures ------------------------------------------------------------------------------------

std::string bmpDatei(const char* name, int b, int h)
{
    plBild bild;
    bild.breite = b;
    bild.hoehe = h;
    bild.pixel.assign(static_cast<size_t>(b) * h, plBildPixel(RGB(240, 240, 240)));
    for (int y = h / 4; y < h - h / 4; ++y)
        for (int x = b / 4; x < b - b / 4; ++x) bild.at(x, y) = plBildPixel(ROT);
    std::vector<uint8_t> daten;
    plBmpSchreiben(bild, 24, daten);
    std::string pfad = std::string("/tmp/velmo_h1_") + name + ".bmp";
    plBildDateiSchreiben(pfad.c_str(), daten.data(), daten.size());
    return pfad;
}

TEST_F(Disp, KeyColourBecomesTheBackgroundField)
{
    HMODULE modul = LoadLibrary("ctlh1");
    ASSERT_NE(modul, 0u);
    HWND w = disp(40, 24);
    sag(w, "BGCOLOR 256 0 255");  // mod 256: blue
    sag(w, "BMPRC 0 0 0 0 schluessel(" + std::to_string(modul) + ")");
    std::string datei = bmpDatei("schluessel", 12, 8);
    sag(w, "BMPFI 20 0 0 0 " + datei);
    plBild b = zeig(w);
    EXPECT_EQ(px(b, 0, 0), BLAU);
    EXPECT_EQ(px(b, 5, 3), ROT);
    EXPECT_EQ(px(b, 12, 0), GetSysColor(COLOR_WINDOW));  // natural size: 12 wide
    EXPECT_EQ(px(b, 20, 0), BLAU);
    EXPECT_EQ(px(b, 25, 3), ROT);
    EXPECT_TRUE(golden(w, "disp_schluessel"));
    // BMP keeps the key colour as it is
    sag(w, "CLEAR");
    sag(w, "BMP -12 -8 " + datei);
    b = zeig(w);
    EXPECT_EQ(px(b, 28, 16), RGB(240, 240, 240));
    EXPECT_EQ(px(b, 33, 19), ROT);
    // an unknown picture draws nothing
    sag(w, "CLEAR");
    sag(w, "BMPRC 0 0 0 0 gibtsnicht");
    sag(w, "BMPS 0 0 40 24 /tmp/velmo_h1_gibtsnicht.bmp");
    b = zeig(w);
    EXPECT_EQ(h1::tinte(b, ROT).right, 0);
    std::remove(datei.c_str());
    FreeLibrary(modul);
}

TEST_F(Disp, StretchedPicturesKeepTheirAspect)
{
    std::string datei = bmpDatei("streck", 12, 8);  // ratio 1.5, red inner 6 x 4
    HWND w = disp(48, 32);
    // box 40 x 10 is wider: x shrinks by trunc((40 - 15) / 2) = 12 each side
    sag(w, "BMPS 0 0 40 10 " + datei);
    plBild b = zeig(w);
    RECT grau = h1::tinte(b, RGB(240, 240, 240));
    EXPECT_EQ(grau.left, 12);
    EXPECT_EQ(grau.right, 28);
    EXPECT_EQ(grau.top, 0);
    EXPECT_EQ(grau.bottom, 10);
    // box 12 x 30 is taller: y shrinks by trunc((30 - 12 / 1.5) / 2) = 11
    sag(w, "CLEAR");
    sag(w, "BMPS 0 0 12 30 " + datei);
    b = zeig(w);
    grau = h1::tinte(b, RGB(240, 240, 240));
    EXPECT_EQ(grau.top, 11);
    EXPECT_EQ(grau.bottom, 19);
    EXPECT_TRUE(golden(w, "disp_streck"));
    std::remove(datei.c_str());
}

// A placeable metafile of a red filled box over its whole 20 x 10 frame.
std::string wmfDatei(bool platziert)
{
    HDC mf = CreateMetaFile(nullptr);
    SetMapMode(mf, MM_ANISOTROPIC);
    SetWindowExtEx(mf, 20, 10, nullptr);
    HBRUSH rot = CreateSolidBrush(ROT);
    SelectObject(mf, rot);
    SelectObject(mf, GetStockObject(NULL_PEN));
    Rectangle(mf, 0, 0, 20, 10);
    HMETAFILE h = CloseMetaFile(mf);
    DeleteObject(rot);
    std::vector<uint8_t> bits(GetMetaFileBitsEx(h, 0, nullptr));
    GetMetaFileBitsEx(h, static_cast<UINT>(bits.size()), bits.data());
    DeleteMetaFile(h);
    std::string pfad = platziert ? "/tmp/velmo_h1_p.wmf" : "/tmp/velmo_h1_n.wmf";
    plWmfPlatziert kopf{};
    kopf.rechts = 20;
    kopf.unten = 10;
    kopf.einheitenProZoll = 254;
    plWmfDateiSchreiben(pfad.c_str(), bits.data(), bits.size(), platziert ? &kopf : nullptr);
    return pfad;
}

TEST_F(Disp, MetafilesAreFittedByTheirPlaceableBox)
{
    std::string p = wmfDatei(true);
    std::string n = wmfDatei(false);
    RECT box{1, 1, 1, 1};
    HGLOBAL block = wmfDateiLaden(p.c_str(), &box);
    ASSERT_NE(block, 0u);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 10);
    HMETAFILE mf = wmfAbspielbar(block);
    EXPECT_NE(mf, 0u);
    DeleteMetaFile(mf);
    GlobalFree(block);
    block = wmfDateiLaden(n.c_str(), &box);
    ASSERT_NE(block, 0u);
    EXPECT_EQ(box.left | box.top | box.right | box.bottom, 0);
    GlobalFree(block);
    EXPECT_EQ(wmfDateiLaden("/tmp/velmo_h1_fehlt.wmf", &box), 0u);

    HWND w = disp(48, 32);
    sag(w, "WMF 0 0 40 40 " + p);  // 2:1 into a square: 40 x 20, 10 down
    plBild b = zeig(w);
    RECT r = h1::tinte(b, ROT);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 10);
    EXPECT_NEAR(r.bottom, 30, 2);
    EXPECT_NEAR(r.right, 40, 2);
    sag(w, "CLEAR");
    sag(w, "WMF 0 0 40 30 " + n);  // plain: the whole box, not fitted
    b = zeig(w);
    r = h1::tinte(b, ROT);
    EXPECT_EQ(r.top, 0);
    EXPECT_NEAR(r.bottom, 30, 3);
    EXPECT_NEAR(r.right, 40, 2);
    EXPECT_TRUE(golden(w, "disp_wmf"));
    std::remove(p.c_str());
    std::remove(n.c_str());
}

TEST_F(Disp, CopyDataCentresABitmap)
{
    HWND w = disp(40, 30);
    HDC schirm = GetDC(0);
    HBITMAP bm = CreateCompatibleBitmap(schirm, 10, 6);
    HDC dc = CreateCompatibleDC(schirm);
    HGDIOBJ alt = SelectObject(dc, bm);
    RECT r{0, 0, 10, 6};
    HBRUSH rot = CreateSolidBrush(ROT);
    FillRect(dc, &r, rot);
    SelectObject(dc, alt);
    DeleteDC(dc);
    ReleaseDC(0, schirm);
    uint32_t h = bm;
    COPYDATASTRUCT cd{1, 4, &h};
    SendMessage(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd));
    RECT ist = h1::tinte(zeig(w), ROT);
    EXPECT_EQ(ist.left, 15);
    EXPECT_EQ(ist.top, 12);
    EXPECT_EQ(ist.right, 25);
    EXPECT_EQ(ist.bottom, 18);
    DeleteObject(bm);
    DeleteObject(rot);
}

// ---- Texts ---------------------------------------------------------------------------------------

TEST_F(Disp, TextsSitOnTheirBaseLine)
{
    struct Fall {
        const char* befehl;
        int x;  // anchor
        char ausrichtung;
    };
    const Fall faelle[] = {
        {"LTEXT 20 30 Hallo", 20, 'L'},
        {"text 20 30 Hallo", 20, 'L'},
        {"CTEXT 100 30 Hallo", 100, 'C'},
        {"RTEXT 180 30 Hallo", 180, 'R'},
        {"RTEXT -20 -10 Hallo", 180, 'R'},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.befehl);
        HWND w = disp(200, 40);
        sag(w, "COLOR 255 0 0");
        sag(w, f.befehl);
        RECT r = h1::tinte(zeig(w), ROT);
        ASSERT_GT(r.right, r.left);
        EXPECT_LE(r.bottom, 31);  // above the base line (no descenders in "Hallo")
        EXPECT_GE(r.bottom, 28);
        EXPECT_LT(r.top, 26);
        if (f.ausrichtung == 'L') {
            EXPECT_NEAR(r.left, f.x, 2);
        } else if (f.ausrichtung == 'R') {
            EXPECT_NEAR(r.right, f.x, 2);
        } else {
            EXPECT_NEAR((r.left + r.right) / 2, f.x, 2);
        }
        DestroyWindow(w);
    }
}

TEST_F(Disp, CommandsAreCutAt100CharactersButBoxTextIsNot)
{
    HWND w = disp(380, 280);
    sag(w, "COLOR 255 0 0");
    const std::string kurz = "LTEXT 0 20 " + std::string(89, 'x');
    sag(w, kurz);
    RECT ohne = h1::tinte(zeig(w), ROT);
    sag(w, "CLEAR");
    sag(w, kurz + "WWWWWWWWWW");  // characters 101.. are cut
    RECT mit = h1::tinte(zeig(w), ROT);
    EXPECT_EQ(mit.right, ohne.right);

    // BBXTEXT draws the whole text: a narrow box and a long text wrap further
    std::string woerter;
    for (int i = 0; i < 30; ++i) woerter += "wort ";
    sag(w, "CLEAR");
    sag(w, "BBX RUX = 200");
    sag(w, "BBX RUY = 280");
    sag(w, "BBXTEXT " + woerter.substr(0, 40));
    RECT kurzBox = h1::tinte(zeig(w), ROT);
    sag(w, "CLEAR");
    sag(w, "BBXTEXT " + woerter);
    RECT langBox = h1::tinte(zeig(w), ROT);
    EXPECT_GT(langBox.bottom, kurzBox.bottom + 30);
    EXPECT_LE(langBox.right, 200);
    // the next paragraph follows the last one
    ASSERT_LT(langBox.bottom, 270);  // all of it inside the control
    sag(w, "BBX LOY . 4");
    sag(w, "GET BBX");
    int l = -1, o = -1, r = -1, u = -1;
    ASSERT_EQ(std::sscanf(h1::text(w).c_str(), "%d %d %d %d", &l, &o, &r, &u), 4);
    EXPECT_GE(o, langBox.bottom + 4);
    EXPECT_LE(o, langBox.bottom + 4 + 8);  // below the last line's descent
    // '&' is shown as it is: no prefix processing
    sag(w, "CLEAR");
    sag(w, "BBX LOY = 0");
    sag(w, "BBXTEXT &&&");
    EXPECT_GT(h1::tinte(zeig(w), ROT).right, 0);
}

TEST_F(Disp, QuestionsAndTheTextBox)
{
    HWND w = disp(200, 40);
    struct Fall {
        const char* befehl;
        const char* antwort;
    };
    const Fall faelle[] = {
        {"get size", "200 40"},
        {"GET", "200 40"},          // no question: the answer stays
        {"GET NONSENSE", "200 40"},
        {"BBX LOX = 5", nullptr},
        {"GET BBX", "5 0 0 0"},
        {"bbx lox =5", nullptr},     // the value is the next word: missing, 0
        {"GET BBX", "0 0 0 0"},
        {"BBX RUX + 7", nullptr},
        {"BBX RUX + 7", nullptr},
        {"BBX XXX = 9", nullptr},    // unknown side
        {"BBX RUY ? 9", nullptr},    // unknown op
        {"GET BBX", "0 0 14 0"},
        {"GET CLICK", "0 0"},
        {"GET DRAGSTART", "0 0"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.befehl);
        sag(w, f.befehl);
        if (f.antwort) {
            EXPECT_EQ(h1::text(w), f.antwort);
        }
    }
    char kurz[4];
    GetWindowText(w, kurz, sizeof kurz);
    EXPECT_STREQ(kurz, "0 0");
}

TEST_F(Disp, EscapeTextsAndUnknownWordsDoNothing)
{
    HWND w = disp(40, 20);
    sag(w, "COLOR 255 0 0");
    sag(w, "\x1b" "FILL 0 0 40 20");
    sag(w, "FILLX 0 0 40 20");
    sag(w, "FONT 9");
    EXPECT_EQ(h1::tinte(zeig(w), ROT).right, 0);
    sag(w, "  fill   0 0 40 20  ");
    EXPECT_EQ(h1::tinte(zeig(w), ROT).right, 40);
}

// ---- Input ---------------------------------------------------------------------------------------

TEST_F(Disp, ButtonModeClickSendsAndPostsInOrder)
{
    HWND w = disp(60, 30, 0, 7);
    SetWindowText(w, "KNOPF");
    POINT p = schirm(w, 10, 10);
    plHeadlessMausBewegen(p.x, p.y);
    h1::pumpen();
    h1::meldungen.clear();
    plHeadlessMausDruecken(0);
    h1::pumpen();
    plHeadlessMausLoslassen(0);
    h1::pumpen();
    POINT imEltern{10 + 10, 10 + 10};
    const LPARAM punkt = MAKELPARAM(imEltern.x, imEltern.y);
    std::vector<Meldung> soll = {
        {7, 0x310003, false},
        {2062, punkt, true},
        {7, 0x31000a, false},
        {2064, punkt, true},
    };
    EXPECT_EQ(h1::nimm({7, 2062, 2064}), soll);
}

TEST_F(Disp, DragStartsOnTheMoveThatCrossesFivePixels)
{
    HWND w = disp(80, 40, 0, 7);
    POINT p = schirm(w, 10, 10);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessMausDruecken(0);
    h1::pumpen();
    h1::meldungen.clear();
    const int schritte[] = {13, 14, 15, 16};
    std::vector<std::vector<Meldung>> ist;
    for (int x : schritte) {
        POINT q = schirm(w, x, 10);
        plHeadlessMausBewegen(q.x, q.y);
        h1::pumpen();
        ist.push_back(h1::nimm({7}));
    }
    EXPECT_TRUE(ist[0].empty());
    EXPECT_TRUE(ist[1].empty());
    EXPECT_EQ(ist[2], (std::vector<Meldung>{{7, 0x310007, false}}));
    EXPECT_EQ(ist[3], (std::vector<Meldung>{{7, 0x310008, false}}));
    plHeadlessMausLoslassen(0);
    h1::pumpen();
    EXPECT_EQ(h1::nimm({7}), (std::vector<Meldung>{{7, 0x310009, false}}));
    SetWindowText(w, "GET DRAGSTART");
    EXPECT_EQ(h1::text(w), "10 10");
    SetWindowText(w, "GET DRAGSTOP");
    EXPECT_EQ(h1::text(w), "16 10");
}

TEST_F(Disp, ClicksWithModifiersAndTheRightButton)
{
    HWND w = disp(60, 30, 0, 7);
    struct Fall {
        UINT taste;  // 0 none
        int knopf;
        LPARAM ereignis;
        bool geste;
    };
    const Fall faelle[] = {
        {0, 0, 0x310003, true},
        {VK_SHIFT, 0, 0x310004, false},
        {VK_CONTROL, 0, 0x310005, false},
        {0, 1, 0x320003, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.ereignis);
        POINT p = schirm(w, 12, 8);
        if (f.taste) plHeadlessTasteRunter(f.taste);
        plHeadlessMausBewegen(p.x, p.y);
        h1::pumpen();
        h1::meldungen.clear();
        plHeadlessMausDruecken(f.knopf);
        h1::pumpen();
        auto m = h1::nimm({7, 2062});
        ASSERT_FALSE(m.empty());
        EXPECT_EQ(m[0], (Meldung{7, f.ereignis, false}));
        EXPECT_EQ(m.size(), f.geste ? 2u : 1u);
        plHeadlessMausLoslassen(f.knopf);
        if (f.taste) plHeadlessTasteHoch(f.taste);
        plHeadlessZeitVor(2000);  // no double click with the next case
        h1::meldungen.clear();
    }
    SetWindowText(w, "GET CLICK");
    EXPECT_EQ(h1::text(w), "12 8");
}

TEST_F(Disp, KeyLetters)
{
    HWND w = disp(60, 30, 0, 7);
    SetFocus(w);
    h1::pumpen();
    h1::meldungen.clear();
    struct Fall {
        UINT vk;
        UINT mod;  // 0, VK_SHIFT or VK_CONTROL
        LPARAM ereignis;  // 0: none
    };
    auto e = [](char c, int plus) { return (static_cast<LPARAM>(c) << 16) + plus; };
    const Fall faelle[] = {
        {VK_RETURN, 0, e('C', 1)},  {VK_SPACE, 0, e('S', 1)},  {VK_PRIOR, 0, e('P', 1)},
        {VK_NEXT, 0, e('N', 1)},    {VK_END, 0, e('E', 1)},    {VK_HOME, 0, e('H', 1)},
        {VK_LEFT, 0, e('L', 1)},    {VK_UP, 0, e('U', 1)},     {VK_RIGHT, 0, e('R', 1)},
        {VK_DOWN, VK_SHIFT, e('D', 2)},
        {VK_INSERT, 0, e('i', 1)},  {VK_INSERT, VK_CONTROL, e('c', 1)}, {VK_INSERT, VK_SHIFT, e('v', 2)},
        {VK_DELETE, 0, e('d', 1)},  {VK_DELETE, VK_SHIFT, e('x', 2)},
        {'A', VK_CONTROL, e('a', 1)}, {'C', VK_CONTROL, e('c', 1)}, {'V', VK_CONTROL, e('v', 1)},
        {'X', VK_CONTROL, e('x', 1)}, {'A', 0, 0}, {VK_F1, 0, 0}, {VK_APPS, 0, e('M', 1)},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.vk << " mod " << f.mod);
        if (f.mod) plHeadlessTasteRunter(f.mod);
        plHeadlessTasteRunter(f.vk);
        plHeadlessTasteHoch(f.vk);
        if (f.mod) plHeadlessTasteHoch(f.mod);
        h1::pumpen();
        auto m = h1::nimm({7});
        if (f.ereignis == 0) {
            EXPECT_TRUE(m.empty());
        } else {
            ASSERT_EQ(m.size(), 1u);
            EXPECT_EQ(m[0].lp, f.ereignis);
        }
    }
    // the Applications key put the click point at the focus box centre
    SetWindowText(w, "GET CLICK");
    EXPECT_EQ(h1::text(w), "30 15");
}

TEST_F(Disp, KeyAndCharMessages)
{
    HWND w = disp(60, 30, 0, 7);
    SetWindowText(w, "KEYMESSAGE 900");
    SetWindowText(w, "CHARMESSAGE 901");
    SetFocus(w);
    h1::pumpen();
    h1::meldungen.clear();
    SendMessage(w, WM_KEYDOWN, VK_F5, 0);
    SendMessage(w, WM_CHAR, 0xE4, 0);  // ä
    EXPECT_EQ(h1::nimm({900, 901}), (std::vector<Meldung>{{900, VK_F5, false}, {901, 0xE4, false}}));
    plHeadlessTasteRunter(VK_CONTROL);
    h1::pumpen();
    SendMessage(w, WM_CHAR, 'a', 0);
    plHeadlessTasteHoch(VK_CONTROL);
    EXPECT_TRUE(h1::nimm({901}).empty());
    SetWindowText(w, "CHARMESSAGE 0");
    SendMessage(w, WM_CHAR, 'a', 0);
    EXPECT_TRUE(h1::nimm({901}).empty());
}

TEST_F(Disp, WheelDirectionFollowsTheSign)
{
    HWND w = disp(60, 30, 0, 7);
    const struct {
        short delta;
        LPARAM ereignis;
    } faelle[] = {{60, 0x3c0001}, {120, 0x3c0001}, {-120, 0x3e0001}, {-60, 0x3e0001}};
    for (const auto& f : faelle) {
        SendMessage(w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(f.delta)), 0);
        EXPECT_EQ(h1::nimm({7}), (std::vector<Meldung>{{7, f.ereignis, false}})) << f.delta;
    }
}

TEST_F(Disp, FocusNotificationsAndDialogCode)
{
    HWND w = disp(60, 30, 0, 7);
    EXPECT_EQ(SendMessage(w, WM_GETDLGCODE, 0, 0), 129);
    SetFocus(w);
    h1::pumpen();
    EXPECT_EQ(h1::nimm({7}), (std::vector<Meldung>{{7, 0x1000000, false}}));
    // the focus box is drawn while focused
    plBild b = zeig(w);
    EXPECT_NE(px(b, 2, 2), GetSysColor(COLOR_WINDOW));
    SetFocus(eltern);
    h1::pumpen();
    EXPECT_EQ(h1::nimm({7}), (std::vector<Meldung>{{7, 0x2000000, false}}));
    b = zeig(w);
    EXPECT_EQ(px(b, 2, 2), GetSysColor(COLOR_WINDOW));
}

TEST_F(Disp, ButtonFramesPressedAndHover)
{
    HWND w = disp(30, 16, 0, 7);
    SetWindowText(w, "KNOPF");
    plBild b = zeig(w);
    EXPECT_EQ(px(b, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(px(b, 29, 15), SCHWARZ);
    POINT p = schirm(w, 10, 8);
    plHeadlessMausBewegen(p.x, p.y);
    plHeadlessMausDruecken(0);
    h1::pumpen();
    b = zeig(w);
    EXPECT_EQ(px(b, 0, 0), SCHWARZ);  // pressed: dark top and left
    EXPECT_EQ(px(b, 29, 15), RGB(255, 255, 255));
    EXPECT_TRUE(golden(w, "disp_knopf_gedrueckt"));
    plHeadlessMausLoslassen(0);
    h1::pumpen();

    plHeadlessZeitVor(2000);  // the next press is no double click
    ctlFlachStilSetzen(1);
    plHeadlessMausBewegen(p.x + 1, p.y);  // hover while the owner is active
    h1::pumpen();
    b = zeig(w);
    EXPECT_EQ(px(b, 5, 0), RGB(100, 149, 237));
    EXPECT_NE(px(b, 0, 0), RGB(100, 149, 237));  // corners left out
    EXPECT_TRUE(golden(w, "disp_knopf_schwebend"));
    plHeadlessMausDruecken(0);
    h1::pumpen();
    b = zeig(w);
    EXPECT_EQ(px(b, 5, 0), RGB(229, 151, 0));
    EXPECT_EQ(px(b, 5, 1), RGB(253, 216, 137));
    EXPECT_EQ(px(b, 5, 2), RGB(253, 216, 137));
    plHeadlessMausLoslassen(0);
    h1::pumpen();
    // leaving ends the hover and releases the capture
    POINT weg = schirm(w, 100, 100);
    plHeadlessMausBewegen(weg.x, weg.y);
    h1::pumpen();
    EXPECT_EQ(GetCapture(), 0u);
    b = zeig(w);
    EXPECT_NE(px(b, 5, 0), RGB(100, 149, 237));
}

TEST_F(Disp, NoHoverWhileTheOwnerIsInactive)
{
    HWND anderes = CreateWindow("H1Eltern", "X", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100, 100, 100, 0, 0, 0,
                                nullptr);
    HWND w = disp(30, 16, 0, 7);
    SetWindowText(w, "KNOPF");
    SetActiveWindow(anderes);
    h1::pumpen();
    POINT p = schirm(w, 10, 8);
    plHeadlessMausBewegen(p.x, p.y);
    h1::pumpen();
    EXPECT_EQ(GetCapture(), 0u);
    DestroyWindow(anderes);
}

}  // namespace
