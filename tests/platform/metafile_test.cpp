// Tests of the metafile formats, recorders and players (platform/metafile*).
#include "platform/metafile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/bild.h"
#include "platform/gdi.h"
#include "platform/metafile_format.h"

namespace {

// The screen reference device is 1920 x 1080 pixels on 508 x 286 mm: at
// these sizes the frame in 0.01 mm is exact both ways (5080 x 2860).
constexpr int kB = 192;
constexpr int kH = 108;

// A memory DC with a white 32-bit bitmap of kB x kH.
struct Leinwand {
    HDC dc = 0;
    HBITMAP bm = 0;
    HGDIOBJ alt = 0;
    Leinwand()
    {
        dc = CreateCompatibleDC(0);
        bm = CreateBitmap(kB, kH, 1, 32, nullptr);
        alt = SelectObject(dc, bm);
        PatBlt(dc, 0, 0, kB, kH, WHITENESS);
    }
    ~Leinwand()
    {
        SelectObject(dc, alt);
        DeleteObject(bm);
        DeleteDC(dc);
    }
    std::vector<uint32_t> pixel() const
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), kB, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<uint32_t> p(static_cast<size_t>(kB) * kH);
        GetDIBits(dc, bm, 0, kH, p.data(), &bmi, DIB_RGB_COLORS);
        for (auto& v : p) v &= 0xFFFFFF;
        return p;
    }
};

// The drawing every recorder must reproduce: state, objects, shapes, text
// and blits, as the program's output layers use them.
void szene(HDC dc)
{
    HPEN rot = CreatePen(PS_SOLID, 3, RGB(200, 0, 0));
    HPEN strich = CreatePen(PS_DASH, 1, RGB(0, 0, 160));
    HBRUSH gruen = CreateSolidBrush(RGB(0, 160, 0));
    HBRUSH schraffur = CreateHatchBrush(HS_CROSS, RGB(90, 90, 0));
    HFONT schrift = CreateFont(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                               DRAFT_QUALITY, DEFAULT_PITCH, "Arial");
    HGDIOBJ altStift = SelectObject(dc, rot);
    HGDIOBJ altPinsel = SelectObject(dc, gruen);
    HGDIOBJ altSchrift = SelectObject(dc, schrift);
    Rectangle(dc, 4, 4, 40, 30);
    SelectObject(dc, strich);
    SelectObject(dc, schraffur);
    Ellipse(dc, 44, 4, 90, 40);
    MoveToEx(dc, 2, 90, nullptr);
    LineTo(dc, 90, 50);
    POINT dreieck[3] = {{100, 10}, {140, 40}, {96, 44}};
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Polygon(dc, dreieck, 3);
    POINT zug[4] = {{150, 5}, {185, 5}, {150, 40}, {185, 40}};
    SelectObject(dc, rot);
    Polyline(dc, zug, 4);
    Arc(dc, 100, 50, 140, 90, 140, 70, 100, 70);
    SelectObject(dc, gruen);
    Pie(dc, 146, 50, 186, 90, 186, 70, 166, 50);
    DeleteObject(strich);  // not selected any more: leaves the metafile's table
    RECT rc{10, 60, 30, 70};
    FillRect(dc, &rc, schraffur);
    SetPixel(dc, 5, 94, RGB(255, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    TextOut(dc, 36, 80, "Ma\xDF 1:50", 8);

    // A blit from a small bitmap and a DIB stretched.
    HDC quelle = CreateCompatibleDC(0);
    HBITMAP qbm = CreateBitmap(8, 8, 1, 32, nullptr);
    HGDIOBJ qalt = SelectObject(quelle, qbm);
    PatBlt(quelle, 0, 0, 8, 8, BLACKNESS);
    HBRUSH gelb = CreateSolidBrush(RGB(255, 255, 0));
    RECT q{2, 2, 6, 6};
    FillRect(quelle, &q, gelb);
    BitBlt(dc, 60, 44, 8, 8, quelle, 0, 0, SRCCOPY);
    SelectObject(quelle, qalt);
    DeleteObject(qbm);
    DeleteDC(quelle);
    DeleteObject(gelb);
    uint8_t bits[2 * 4 * 3 + 2 * 4] = {};  // 3 x 2, 24 bits, rows padded to 12 bytes
    const uint8_t farben[6][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}, {0, 0, 0}, {128, 128, 128}};
    for (int i = 0; i < 6; ++i)
        for (int c = 0; c < 3; ++c) bits[(i / 3) * 12 + (i % 3) * 3 + c] = farben[i][c];
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    StretchDIBits(dc, 70, 56, 12, 8, 0, 0, 3, 2, bits, &bmi, DIB_RGB_COLORS, SRCCOPY);

    // A pattern brush of a colour bitmap and text with an opaque box and advances.
    HDC mdc = CreateCompatibleDC(0);
    HBITMAP muster = CreateBitmap(8, 8, 1, 32, nullptr);
    HGDIOBJ malt = SelectObject(mdc, muster);
    PatBlt(mdc, 0, 0, 8, 8, WHITENESS);
    RECT ecke{0, 0, 4, 4};
    HBRUSH blau = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(mdc, &ecke, blau);
    SelectObject(mdc, malt);
    DeleteDC(mdc);
    HBRUSH musterPinsel = CreatePatternBrush(muster);
    RECT feld{150, 92, 190, 106};
    FillRect(dc, &feld, musterPinsel);
    RECT kasten{100, 94, 140, 106};
    const INT vorschub[3] = {12, 12, 12};
    SetBkColor(dc, RGB(255, 255, 160));
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    ExtTextOut(dc, 102, 94, ETO_OPAQUE, &kasten, "W1m", 3, vorschub);

    SelectObject(dc, altStift);
    SelectObject(dc, altPinsel);
    SelectObject(dc, altSchrift);
    DeleteObject(musterPinsel);
    DeleteObject(muster);
    DeleteObject(blau);
    DeleteObject(rot);
    DeleteObject(gruen);
    DeleteObject(schraffur);
    DeleteObject(schrift);
}

// A temporary file name of this process (other test runs share the folder).
std::string tmpName(const char* stamm, const char* endung)
{
    return testing::TempDir() + stamm + "_" + std::to_string(getpid()) + endung;
}

size_t unterschiede(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    size_t n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
    return n + (a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

std::vector<uint8_t> wmfBits(HMETAFILE h)
{
    std::vector<uint8_t> v(GetMetaFileBitsEx(h, 0, nullptr));
    GetMetaFileBitsEx(h, static_cast<UINT>(v.size()), v.data());
    return v;
}
std::vector<uint8_t> emfBits(HENHMETAFILE h)
{
    std::vector<uint8_t> v(GetEnhMetaFileBits(h, 0, nullptr));
    GetEnhMetaFileBits(h, static_cast<UINT>(v.size()), v.data());
    return v;
}

HMETAFILE szeneWmf()
{
    HDC m = CreateMetaFile(nullptr);
    EXPECT_NE(m, 0u);
    szene(m);
    return CloseMetaFile(m);
}
HENHMETAFILE szeneEmf()
{
    RECT frame{0, 0, kB * 50800 / 1920, kH * 28600 / 1080};
    HDC m = CreateEnhMetaFile(0, nullptr, &frame, "Velmo");
    EXPECT_NE(m, 0u);
    szene(m);
    return CloseEnhMetaFile(m);
}

class Metafile : public testing::Test {
protected:
    void TearDown() override { plMetaAllesFreigeben(); }
};

TEST_F(Metafile, RecordedAndPlayedDrawingGivesTheSamePixelsAsDrawingDirectly)
{
    Leinwand direkt;
    szene(direkt.dc);
    std::vector<uint32_t> soll = direkt.pixel();
    ASSERT_GT(unterschiede(soll, Leinwand().pixel()), 500u);  // the scene draws something

    HMETAFILE wmf = szeneWmf();
    ASSERT_NE(wmf, 0u);
    Leinwand ausWmf;
    ASSERT_TRUE(PlayMetaFile(ausWmf.dc, wmf)) << plMetaFehler();
    EXPECT_EQ(unterschiede(soll, ausWmf.pixel()), 0u);

    HENHMETAFILE emf = szeneEmf();
    ASSERT_NE(emf, 0u);
    Leinwand ausEmf;
    RECT ziel{0, 0, kB, kH};
    ASSERT_TRUE(PlayEnhMetaFile(ausEmf.dc, emf, &ziel)) << plMetaFehler();
    EXPECT_EQ(unterschiede(soll, ausEmf.pixel()), 0u);

    // Played twice into one DC (objects of the first run deleted, the DC's own restored).
    Leinwand zweimal;
    HGDIOBJ stift = GetCurrentObject(zweimal.dc, OBJ_PEN);
    ASSERT_TRUE(PlayMetaFile(zweimal.dc, wmf));
    ASSERT_TRUE(PlayMetaFile(zweimal.dc, wmf));
    EXPECT_EQ(GetCurrentObject(zweimal.dc, OBJ_PEN), stift);
    EXPECT_EQ(unterschiede(soll, zweimal.pixel()), 0u);
}

TEST_F(Metafile, EnhancedPlaybackFitsTheFrameIntoTheTargetRectangle)
{
    RECT frame{0, 0, 2540, 2540};  // one inch: 96 x 96 reference pixels
    HDC m = CreateEnhMetaFile(0, nullptr, &frame, nullptr);
    HBRUSH schwarz = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT voll{0, 0, 48, 96};  // left half
    FillRect(m, &voll, schwarz);
    HENHMETAFILE emf = CloseEnhMetaFile(m);
    ASSERT_NE(emf, 0u);

    ENHMETAHEADER k{};
    ASSERT_EQ(GetEnhMetaFileHeader(emf, sizeof k, &k), sizeof k);
    EXPECT_EQ(k.dSignature, static_cast<DWORD>(ENHMETA_SIGNATURE));
    EXPECT_EQ(k.rclFrame.right, 2540);
    EXPECT_EQ(k.rclBounds.left, 0);
    EXPECT_EQ(k.rclBounds.right, 48);
    EXPECT_EQ(k.nBytes, GetEnhMetaFileBits(emf, 0, nullptr));

    // Into a 20 x 10 box at (100, 40): the left 10 x 10 turns black.
    Leinwand l;
    RECT ziel{100, 40, 120, 50};
    ASSERT_TRUE(PlayEnhMetaFile(l.dc, emf, &ziel));
    std::vector<uint32_t> p = l.pixel();
    auto px = [&](int x, int y) { return p[static_cast<size_t>(y) * kB + x]; };
    EXPECT_EQ(px(100, 40), 0u);
    EXPECT_EQ(px(109, 49), 0u);
    EXPECT_EQ(px(110, 45), 0xFFFFFFu);
    EXPECT_EQ(px(99, 45), 0xFFFFFFu);
    EXPECT_EQ(px(105, 50), 0xFFFFFFu);
}

// How the drawing layer uses metafiles: a WMF recorded with its own window
// extent is played into a box that the caller's viewport sets; an EMF drawn
// in 0.01 mm units (y upwards) is played into a rectangle.
TEST_F(Metafile, PlayedIntoScaledBoxesTheMappingsCompose)
{
    HBRUSH schwarz = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    HDC m = CreateMetaFile(nullptr);
    SetMapMode(m, MM_ANISOTROPIC);
    SetWindowExtEx(m, 100, 50, nullptr);
    RECT links{0, 0, 50, 50};
    FillRect(m, &links, schwarz);
    HMETAFILE wmf = CloseMetaFile(m);
    ASSERT_NE(wmf, 0u);
    Leinwand a;
    SaveDC(a.dc);
    SetMapMode(a.dc, MM_ANISOTROPIC);
    SetViewportOrgEx(a.dc, 10, 4, nullptr);
    SetViewportExtEx(a.dc, 160, 80, nullptr);
    ASSERT_TRUE(PlayMetaFile(a.dc, wmf));
    RestoreDC(a.dc, -1);
    std::vector<uint32_t> p = a.pixel();
    auto px = [&](const std::vector<uint32_t>& v, int x, int y) { return v[static_cast<size_t>(y) * kB + x]; };
    EXPECT_EQ(px(p, 10, 4), 0u);
    EXPECT_EQ(px(p, 89, 83), 0u);
    EXPECT_EQ(px(p, 90, 40), 0xFFFFFFu);
    EXPECT_EQ(px(p, 9, 40), 0xFFFFFFu);
    EXPECT_EQ(px(p, 50, 84), 0xFFFFFFu);

    // A picture recorded without a mapping mode still carries its window
    // extent: played under the target's MM_ANISOTROPIC it scales the same.
    HDC ohne = CreateMetaFile(nullptr);
    SetWindowExtEx(ohne, 100, 50, nullptr);
    FillRect(ohne, &links, schwarz);
    HMETAFILE wmfOhne = CloseMetaFile(ohne);
    ASSERT_NE(wmfOhne, 0u);
    Leinwand a2;
    SetMapMode(a2.dc, MM_ANISOTROPIC);
    SetViewportOrgEx(a2.dc, 10, 4, nullptr);
    SetViewportExtEx(a2.dc, 160, 80, nullptr);
    ASSERT_TRUE(PlayMetaFile(a2.dc, wmfOhne));
    SetMapMode(a2.dc, MM_TEXT);
    EXPECT_EQ(a2.pixel(), p);

    RECT frame{0, 0, 5080, 2860};
    HDC e = CreateEnhMetaFile(0, nullptr, &frame, nullptr);
    SetMapMode(e, MM_HIMETRIC);
    SelectObject(e, schwarz);
    SelectObject(e, GetStockObject(NULL_PEN));
    Rectangle(e, 0, 0, 2540, -1270);  // 1 x 0.5 inch at the top left, y upwards
    HENHMETAFILE emf = CloseEnhMetaFile(e);
    ASSERT_NE(emf, 0u);
    Leinwand b;
    RECT ziel{0, 0, kB, kH};
    ASSERT_TRUE(PlayEnhMetaFile(b.dc, emf, &ziel));
    p = b.pixel();
    EXPECT_EQ(px(p, 1, 1), 0u);
    EXPECT_EQ(px(p, 94, 46), 0u);
    EXPECT_EQ(px(p, 98, 20), 0xFFFFFFu);
    EXPECT_EQ(px(p, 20, 50), 0xFFFFFFu);
    EXPECT_EQ(GetMapMode(b.dc), MM_TEXT);  // the target's mapping is back

    // A target turned by a quarter through its world transform (a picture
    // placed with a turn): (x, y) lands on (100 - y, x).
    HDC r = CreateEnhMetaFile(0, nullptr, &frame, nullptr);
    SelectObject(r, schwarz);
    SelectObject(r, GetStockObject(NULL_PEN));
    Rectangle(r, 0, 0, 21, 11);
    HENHMETAFILE gedreht = CloseEnhMetaFile(r);
    Leinwand c;
    SetGraphicsMode(c.dc, GM_ADVANCED);
    XFORM viertel{0, 1, -1, 0, 100, 0};
    SetWorldTransform(c.dc, &viertel);
    ASSERT_TRUE(PlayEnhMetaFile(c.dc, gedreht, &ziel));
    XFORM danach{};
    GetWorldTransform(c.dc, &danach);
    EXPECT_EQ(danach.eDx, 100.0f);  // the target's own transform is back
    p = c.pixel();
    EXPECT_EQ(px(p, 95, 10), 0u);
    EXPECT_EQ(px(p, 92, 18), 0u);
    EXPECT_EQ(px(p, 85, 10), 0xFFFFFFu);
    EXPECT_EQ(px(p, 95, 25), 0xFFFFFFu);
    EXPECT_EQ(px(p, 5, 5), 0xFFFFFFu);
}

TEST_F(Metafile, BitsFilesAndCopiesRoundTrip)
{
    HMETAFILE wmf = szeneWmf();
    std::vector<uint8_t> bits = wmfBits(wmf);
    ASSERT_GT(bits.size(), 18u);
    EXPECT_EQ(GetMetaFileBitsEx(wmf, static_cast<UINT>(bits.size() - 1), bits.data()), 0u);  // too small a buffer
    HMETAFILE zweit = SetMetaFileBitsEx(static_cast<UINT>(bits.size()), bits.data());
    ASSERT_NE(zweit, 0u);
    EXPECT_EQ(wmfBits(zweit), bits);
    EXPECT_TRUE(DeleteMetaFile(zweit));
    EXPECT_FALSE(DeleteMetaFile(zweit));  // stale handle
    EXPECT_FALSE(PlayMetaFile(Leinwand().dc, zweit));

    // A placeable file: written with a box, read back with the same box and bits.
    std::string pfad = tmpName("metafile_test", ".wmf");
    plWmfPlatziert kopf{0, 0, 2100, 2970, 254};
    ASSERT_EQ(plWmfDateiSchreiben(pfad.c_str(), bits.data(), bits.size(), &kopf), 0);
    std::vector<uint8_t> datei;
    ASSERT_EQ(plBildDateiLesen(pfad.c_str(), datei), 0);
    ASSERT_EQ(datei.size(), bits.size() + 22);
    uint16_t x = 0;
    for (int i = 0; i < 10; ++i) x ^= static_cast<uint16_t>(datei[2 * i] | (datei[2 * i + 1] << 8));
    EXPECT_EQ(datei[20] | (datei[21] << 8), x);
    std::vector<uint8_t> gelesen;
    plWmfPlatziert zurueck;
    bool platziert = false;
    ASSERT_EQ(plWmfDateiLesen(pfad.c_str(), gelesen, &zurueck, &platziert), 0);
    EXPECT_TRUE(platziert);
    EXPECT_EQ(gelesen, bits);
    EXPECT_EQ(zurueck.rechts, 2100);
    EXPECT_EQ(zurueck.unten, 2970);
    EXPECT_EQ(zurueck.einheitenProZoll, 254);
    HMETAFILE ausDatei = GetMetaFile(pfad.c_str());
    ASSERT_NE(ausDatei, 0u);
    EXPECT_EQ(wmfBits(ausDatei), bits);

    // A metafile DC writing its file on close; an enhanced copy to a file.
    std::string pfad2 = tmpName("metafile_test2", ".wmf");
    HDC m = CreateMetaFile(pfad2.c_str());
    Rectangle(m, 1, 1, 5, 5);
    HMETAFILE mitDatei = CloseMetaFile(m);
    ASSERT_NE(mitDatei, 0u);
    EXPECT_EQ(wmfBits(GetMetaFile(pfad2.c_str())), wmfBits(mitDatei));
    std::string pfad3 = tmpName("metafile_test", ".emf");
    HENHMETAFILE emf = szeneEmf();
    HENHMETAFILE kopie = CopyEnhMetaFile(emf, pfad3.c_str());
    ASSERT_NE(kopie, 0u);
    HENHMETAFILE gelesenEmf = GetEnhMetaFile(pfad3.c_str());
    ASSERT_NE(gelesenEmf, 0u);
    EXPECT_EQ(emfBits(gelesenEmf), emfBits(emf));
    EXPECT_EQ(CloseMetaFile(Leinwand().dc), 0u);  // not a metafile DC
    // A file that cannot be written: the close fails and says why.
    std::string fehlt = testing::TempDir() + "fehlt_" + std::to_string(getpid()) + "/x.wmf";
    HDC ohne = CreateMetaFile(fehlt.c_str());
    Rectangle(ohne, 1, 1, 5, 5);
    EXPECT_EQ(CloseMetaFile(ohne), 0u);
    EXPECT_STRNE(plMetaFehler(), "");
    HDC ohneEmf = CreateEnhMetaFile(0, fehlt.c_str(), nullptr, nullptr);
    EXPECT_EQ(CloseEnhMetaFile(ohneEmf), 0u);
    EXPECT_EQ(GetEnhMetaFile(fehlt.c_str()), 0u);
    std::remove(pfad.c_str());
    std::remove(pfad2.c_str());
    std::remove(pfad3.c_str());
}

TEST_F(Metafile, RecordingRefusesWhatTheFormatCannotHold)
{
    HDC m = CreateMetaFile(nullptr);
    EXPECT_FALSE(Rectangle(m, 0, 0, 40000, 10));  // beyond 16-bit coordinates
    XFORM x{1, 0, 0, 1, 5, 5};
    SetGraphicsMode(m, GM_ADVANCED);
    EXPECT_FALSE(SetWorldTransform(m, &x));
    EXPECT_TRUE(Rectangle(m, 0, 0, 10, 10));
    HMETAFILE h = CloseMetaFile(m);
    plWmfKopf kopf;
    std::vector<plWmfDatensatz> saetze;
    std::vector<uint8_t> bits = wmfBits(h);
    ASSERT_EQ(plWmfPruefen(bits.data(), bits.size(), kopf, saetze), 0);
    ASSERT_EQ(saetze.size(), 1u);
    EXPECT_EQ(saetze[0].funktion, META_RECTANGLE);
}

// Inserts a record of an unknown kind after the header: it is skipped.
TEST_F(Metafile, UnknownRecordsAreSkipped)
{
    HMETAFILE wmf = szeneWmf();
    std::vector<uint8_t> bits = wmfBits(wmf);
    const uint8_t fremd[] = {5, 0, 0, 0, 0x77, 0x0A, 1, 2, 3, 4};  // 5 words, function 0x0A77
    bits.insert(bits.begin() + 18, std::begin(fremd), std::end(fremd));
    uint32_t worte = static_cast<uint32_t>(bits.size() / 2);
    for (int i = 0; i < 4; ++i) bits[6 + i] = static_cast<uint8_t>(worte >> (8 * i));
    HMETAFILE mitFremd = SetMetaFileBitsEx(static_cast<UINT>(bits.size()), bits.data());
    ASSERT_NE(mitFremd, 0u) << plMetaFehler();
    Leinwand a, b;
    ASSERT_TRUE(PlayMetaFile(a.dc, wmf));
    ASSERT_TRUE(PlayMetaFile(b.dc, mitFremd));
    EXPECT_EQ(unterschiede(a.pixel(), b.pixel()), 0u);

    HENHMETAFILE emf = szeneEmf();
    std::vector<uint8_t> e = emfBits(emf);
    ENHMETAHEADER k;
    std::memcpy(&k, e.data(), sizeof k);
    const uint8_t fremdEmf[] = {0xE8, 3, 0, 0, 12, 0, 0, 0, 9, 9, 9, 9};  // type 1000, 12 bytes
    e.insert(e.begin() + k.nSize, std::begin(fremdEmf), std::end(fremdEmf));
    k.nBytes += 12;
    k.nRecords += 1;
    std::memcpy(e.data(), &k, sizeof k);
    HENHMETAFILE emfFremd = SetEnhMetaFileBits(static_cast<UINT>(e.size()), e.data());
    ASSERT_NE(emfFremd, 0u) << plMetaFehler();
    RECT ziel{0, 0, kB, kH};
    Leinwand c;
    EXPECT_TRUE(PlayEnhMetaFile(c.dc, emfFremd, &ziel));
    EXPECT_EQ(unterschiede(a.pixel(), c.pixel()), 0u);
}

TEST_F(Metafile, InconsistentMetafilesAreRefusedWithAReason)
{
    std::vector<uint8_t> w = wmfBits(szeneWmf());
    std::vector<uint8_t> e = emfBits(szeneEmf());
    auto wmfMit = [&](size_t pos, std::vector<uint8_t> neu) {
        std::vector<uint8_t> v = w;
        for (size_t k = 0; k < neu.size(); ++k) v.at(pos + k) = neu[k];
        return v;
    };
    auto emfMit = [&](size_t pos, std::vector<uint8_t> neu) {
        std::vector<uint8_t> v = e;
        for (size_t k = 0; k < neu.size(); ++k) v.at(pos + k) = neu[k];
        return v;
    };
    struct Fall {
        const char* name;
        std::vector<uint8_t> bits;
        bool erweitert;
    };
    std::vector<Fall> faelle = {
        {"wmf type 3", wmfMit(0, {3, 0}), false},
        {"wmf header size 8", wmfMit(2, {8, 0}), false},
        {"wmf size beyond the block", wmfMit(6, {0xFF, 0xFF, 0, 0}), false},
        {"wmf first record of size 2", wmfMit(18, {2, 0, 0, 0}), false},
        {"wmf first record past the end", wmfMit(18, {0xFF, 0xFF, 0, 0}), false},
        {"wmf object index beyond the table", [&] {
             // The first select record refers to object 200.
             std::vector<uint8_t> v = w;
             for (size_t p = 18; p + 8 <= v.size();) {
                 uint32_t n = v[p] | (v[p + 1] << 8) | (v[p + 2] << 16);
                 if ((v[p + 4] | (v[p + 5] << 8)) == META_SELECTOBJECT) {
                     v[p + 6] = 200;
                     break;
                 }
                 p += n * 2;
             }
             return v;
         }(), false},
        {"emf wrong signature", emfMit(40, {0, 0, 0, 0}), true},
        {"emf stated size beyond the block", emfMit(48, {0xFF, 0xFF, 0, 0}), true},
        {"emf record count wrong", emfMit(52, {1, 0, 0, 0}), true},
        {"emf no object table", emfMit(56, {0, 0}), true},
        {"emf header size not a multiple of 4", emfMit(4, {110, 0, 0, 0}), true},
    };
    for (const Fall& f : faelle) {
        if (f.erweitert) {
            EXPECT_EQ(SetEnhMetaFileBits(static_cast<UINT>(f.bits.size()), f.bits.data()), 0u) << f.name;
        } else {
            HMETAFILE h = SetMetaFileBitsEx(static_cast<UINT>(f.bits.size()), f.bits.data());
            // The structure may pass; then playing refuses it.
            if (h) {
                EXPECT_FALSE(PlayMetaFile(Leinwand().dc, h)) << f.name;
            }
        }
        EXPECT_STRNE(plMetaFehler(), "") << f.name;
    }
}

// Lines that a metafile's own mapping throws beyond GDI's 27-bit coordinate
// space draw nothing (and take no time), while the rest of the file plays.
TEST_F(Metafile, DrawingsBeyondTheCoordinateSpaceDrawNothing)
{
    HBRUSH schwarz = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT punkt{5, 5, 6, 6};
    HDC m = CreateMetaFile(nullptr);
    FillRect(m, &punkt, schwarz);
    SetMapMode(m, MM_ANISOTROPIC);
    SetWindowExtEx(m, 1, 1, nullptr);
    SetViewportExtEx(m, 32767, 32767, nullptr);
    MoveToEx(m, 0, 0, nullptr);
    LineTo(m, 30000, 30000);
    HMETAFILE wmf = CloseMetaFile(m);
    Leinwand a;
    ASSERT_TRUE(PlayMetaFile(a.dc, wmf));
    std::vector<uint32_t> p = a.pixel();
    EXPECT_EQ(std::count(p.begin(), p.end(), 0u), 1);

    RECT frame{0, 0, 5080, 2860};
    HDC e = CreateEnhMetaFile(0, nullptr, &frame, nullptr);
    FillRect(e, &punkt, schwarz);
    SetGraphicsMode(e, GM_ADVANCED);
    XFORM gross{1e5f, 0, 0, 1e5f, 0, 0};
    SetWorldTransform(e, &gross);
    MoveToEx(e, 0, 0, nullptr);
    LineTo(e, 20000, 20000);
    HENHMETAFILE emf = CloseEnhMetaFile(e);
    ASSERT_NE(emf, 0u);
    Leinwand b;
    RECT ziel{0, 0, kB, kH};
    ASSERT_TRUE(PlayEnhMetaFile(b.dc, emf, &ziel));
    p = b.pixel();
    EXPECT_EQ(std::count(p.begin(), p.end(), 0u), 1);
}

// Every cut of a metafile is refused; every flipped byte is either refused or
// plays without touching memory outside the data (the sanitizers watch).
TEST_F(Metafile, CutAndFlippedMetafilesAreRefusedOrPlayedSafely)
{
    std::vector<uint8_t> w = wmfBits(szeneWmf());
    std::vector<uint8_t> e = emfBits(szeneEmf());
    Leinwand l;
    RECT ziel{0, 0, kB, kH};
    for (size_t n = 0; n < w.size(); n += (n < 64 ? 1 : 7)) {
        std::vector<uint8_t> cut(w.begin(), w.begin() + static_cast<long>(n));
        EXPECT_EQ(SetMetaFileBitsEx(static_cast<UINT>(cut.size()), cut.data()), 0u) << n;
    }
    for (size_t n = 0; n < e.size(); n += (n < 128 ? 1 : 7)) {
        std::vector<uint8_t> cut(e.begin(), e.begin() + static_cast<long>(n));
        EXPECT_EQ(SetEnhMetaFileBits(static_cast<UINT>(cut.size()), cut.data()), 0u) << n;
    }
    unsigned zufall = 12345;
    for (int runde = 0; runde < 600; ++runde) {
        zufall = zufall * 1103515245u + 12345u;
        bool erweitert = runde % 2;
        std::vector<uint8_t> v = erweitert ? e : w;
        size_t pos = (zufall >> 8) % v.size();
        v[pos] ^= static_cast<uint8_t>(1u << ((zufall >> 4) % 8));
        if (runde % 3 == 0) v[(pos * 7 + 3) % v.size()] = 0xFF;
        if (erweitert) {
            HENHMETAFILE h = SetEnhMetaFileBits(static_cast<UINT>(v.size()), v.data());
            if (h) PlayEnhMetaFile(l.dc, h, &ziel), DeleteEnhMetaFile(h);
        } else {
            HMETAFILE h = SetMetaFileBitsEx(static_cast<UINT>(v.size()), v.data());
            if (h) PlayMetaFile(l.dc, h), DeleteMetaFile(h);
        }
    }
}

// Outside readers take the files written here without complaint: Debian's
// libwmf (wmf2svg) the placeable WMF, libemf2svg (emf2svg-conv) the EMF, down
// to the code page 1252 text turned into UTF-16.
TEST_F(Metafile, WrittenFilesAreReadByOutsideReaders)
{
    if (std::system("command -v wmf2svg >/dev/null 2>&1 && command -v emf2svg-conv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "wmf2svg or emf2svg-conv not installed";
    std::vector<uint8_t> bits = wmfBits(szeneWmf());
    std::string wmf = tmpName("metafile_aussen", ".wmf");
    std::string emf = tmpName("metafile_aussen", ".emf");
    std::string svg = tmpName("metafile_aussen", ".svg");
    std::string fehlerDatei = tmpName("metafile_aussen", ".err");
    plWmfPlatziert kopf{0, 0, kB, kH, 96};
    ASSERT_EQ(plWmfDateiSchreiben(wmf.c_str(), bits.data(), bits.size(), &kopf), 0);
    ASSERT_NE(CopyEnhMetaFile(szeneEmf(), emf.c_str()), 0u);
    struct Leser {
        std::string befehl;
        const char* text;  // the scene's text as the reader writes it
    };
    const Leser leser[] = {
        {"wmf2svg -o '" + svg + "' '" + wmf + "'", "Ma"},
        {"emf2svg-conv -i '" + emf + "' -o '" + svg + "'", "Ma\xC3\x9F 1:50"},
    };
    for (const Leser& l : leser) {
        SCOPED_TRACE(l.befehl);
        std::remove(svg.c_str());
        EXPECT_EQ(std::system((l.befehl + " 2>'" + fehlerDatei + "'").c_str()), 0);
        std::vector<uint8_t> aus, fehler;
        ASSERT_EQ(plBildDateiLesen(svg.c_str(), aus), 0);
        std::string text(aus.begin(), aus.end());
        EXPECT_NE(text.find("<svg"), std::string::npos);
        EXPECT_NE(text.find("<ellipse"), std::string::npos);
        EXPECT_NE(text.find(l.text), std::string::npos);
        plBildDateiLesen(fehlerDatei.c_str(), fehler);
        EXPECT_TRUE(fehler.empty()) << std::string(fehler.begin(), fehler.end());
    }
    for (const std::string& f : {wmf, emf, svg, fehlerDatei}) std::remove(f.c_str());
}

}  // namespace
