// Tests of bitmaps, metafiles, painting and the control commands: the
// placeable header byte for byte, the button-face copy read back pixel by
// pixel, malformed BMP files, WM_COPYDATA transfer and the escape texts.
#include <cstring>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "platform/systemwerte.h"
#include "platform/zwischenablage.h"
#include "tests/winlib/bibpruef.h"
#include "winlib/wibild.h"

using bibpruef::Fixture;

namespace {

class Bild : public Fixture {
protected:
    std::vector<uint8_t> lesen(const std::string& pfad)
    {
        std::ifstream ein(pfad, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
    }
    void schreiben(const std::string& pfad, const std::vector<uint8_t>& d)
    {
        std::ofstream(pfad, std::ios::binary).write(reinterpret_cast<const char*>(d.data()), static_cast<long>(d.size()));
    }
    // A metafile of a black square 0..100 as a global block.
    static HGLOBAL quadrat()
    {
        HDC mdc = CreateMetaFile(nullptr);
        SelectObject(mdc, GetStockObject(BLACK_BRUSH));
        Rectangle(mdc, 0, 0, 100, 100);
        HMETAFILE mf = CloseMetaFile(mdc);
        UINT n = GetMetaFileBitsEx(mf, 0, nullptr);
        HGLOBAL b = GlobalAlloc(GMEM_MOVEABLE, n);
        GetMetaFileBitsEx(mf, n, GlobalLock(b));
        GlobalUnlock(b);
        DeleteMetaFile(mf);
        return b;
    }
    static std::vector<COLORREF> pixel(HBITMAP b)
    {
        std::vector<COLORREF> v;
        int w = 0, h = 0;
        wiBitmapGroesse(b, &w, &h);
        HDC dc = CreateCompatibleDC(0);
        HGDIOBJ alt = SelectObject(dc, b);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) v.push_back(GetPixel(dc, x, y));
        SelectObject(dc, alt);
        DeleteDC(dc);
        return v;
    }
    // A 2 x 2 24-bit BMP with the given header fields.
    static std::vector<uint8_t> bmp(uint32_t dateiGroesse, uint32_t bitsAb, uint32_t kopf, int32_t b, int32_t h,
                                    uint16_t bits)
    {
        std::vector<uint8_t> d(14 + 40 + 16, 0);
        auto w16 = [&](size_t o, uint16_t v) { d[o] = v & 0xFF; d[o + 1] = v >> 8; };
        auto w32 = [&](size_t o, uint32_t v) { for (int i = 0; i < 4; ++i) d[o + i] = (v >> (8 * i)) & 0xFF; };
        d[0] = 'B';
        d[1] = 'M';
        w32(2, dateiGroesse);
        w32(10, bitsAb);
        w32(14, kopf);
        w32(18, static_cast<uint32_t>(b));
        w32(22, static_cast<uint32_t>(h));
        w16(26, 1);
        w16(28, bits);
        for (size_t i = 54; i < d.size(); ++i) d[i] = 0x80;
        return d;
    }
};

TEST_F(Bild, PlaceableHeaderIsWrittenByteForByteAndReadBack)
{
    HGLOBAL bits = quadrat();
    std::string pfad = ordner + "/a4.wmf";
    ASSERT_EQ(wiMetaDateiSchreibenMm(pfad.c_str(), bits, 210, 297), 0);
    std::vector<uint8_t> d = lesen(pfad);
    ASSERT_EQ(d.size(), WIMETAKOPFSUP + GlobalSize(bits));
    // Key 0x9AC6CDD7, handle 0, box 0 0 2100 2970, 254 per inch, reserved 0,
    // checksum 0xCDD7 ^ 0x9AC6 ^ 0x0834 ^ 0x0B9A ^ 0x00FE = 0x5441.
    const std::vector<uint8_t> golden = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x34, 0x08,
                                         0x9A, 0x0B, 0xFE, 0,    0, 0, 0, 0, 0x41, 0x54};
    EXPECT_EQ(std::vector<uint8_t>(d.begin(), d.begin() + 22), golden);
    EXPECT_EQ(std::memcmp(d.data() + 22, GlobalLock(bits), GlobalSize(bits)), 0);
    GlobalUnlock(bits);

    struct {
        int box[4];
    } boxen[] = {{{0, 0, 2100, 2970}}, {{-5, 3, 400, 300}}, {{-32768, -1, 32767, 0}}};
    for (const auto& f : boxen) {
        ASSERT_EQ(wiMetaDateiSchreiben(pfad.c_str(), bits, f.box), 0);
        std::vector<uint8_t> k = lesen(pfad);
        uint16_t x = 0;
        for (int i = 0; i < 10; ++i) x ^= static_cast<uint16_t>(k[2 * i] | (k[2 * i + 1] << 8));
        EXPECT_EQ(k[20] | (k[21] << 8), x);
        int box[4] = {9, 9, 9, 9};
        HGLOBAL zurueck = wiMetaDateiLaden(pfad.c_str(), box);
        ASSERT_NE(zurueck, 0u);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(box[i], f.box[i]);
        ASSERT_EQ(GlobalSize(zurueck), GlobalSize(bits));
        EXPECT_EQ(std::memcmp(GlobalLock(zurueck), GlobalLock(bits), GlobalSize(bits)), 0);
        GlobalUnlock(zurueck);
        GlobalUnlock(bits);
        wiGlobalFrei(zurueck);
    }

    // A box beyond 16 bits is refused rather than wrapped; the old file stays.
    int gross[4] = {0, 0, 40000, 10};
    EXPECT_EQ(wiMetaDateiSchreiben(pfad.c_str(), bits, gross), -1);
    EXPECT_EQ(lesen(pfad).size(), 22 + GlobalSize(bits));

    // Without a box: bare bits, read back with the box zeroed.
    ASSERT_EQ(wiMetaDateiSchreiben(pfad.c_str(), bits, nullptr), 0);
    EXPECT_EQ(lesen(pfad).size(), GlobalSize(bits));
    int box[4] = {1, 2, 3, 4};
    HGLOBAL nackt = wiMetaDateiLaden(pfad.c_str(), box);
    ASSERT_NE(nackt, 0u);
    EXPECT_EQ(box[0] | box[1] | box[2] | box[3], 0);
    wiGlobalFrei(nackt);

    // Not a metafile, or missing: null.
    schreiben(pfad, {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(wiMetaDateiLaden(pfad.c_str(), box), 0u);
    EXPECT_EQ(wiMetaDateiLaden((ordner + "/fehlt.wmf").c_str(), nullptr), 0u);
    wiGlobalFrei(bits);
}

TEST_F(Bild, MetafileIsPlayedIntoTheGivenRectangle)
{
    HGLOBAL bits = quadrat();
    std::string pfad = ordner + "/q.wmf";
    int box[4] = {0, 0, 100, 100};
    ASSERT_EQ(wiMetaDateiSchreiben(pfad.c_str(), bits, box), 0);
    HWND w = CreateWindowEx(0, "VelmoBibHaupt", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, 0, 0, 0, nullptr);
    plHeadlessPumpen();
    HDC dc = wiMalenStartFenster(w, 0);
    ASSERT_NE(dc, 0u);
    int modus = GetMapMode(dc);
    wiMetaDateiMalen(20, 20, 50, 50, pfad.c_str());
    EXPECT_EQ(GetMapMode(dc), modus);  // the context is restored
    wiMalenEnde();
    EXPECT_EQ(plFensterPixel(w, 45, 45), RGB(0, 0, 0));
    EXPECT_NE(plFensterPixel(w, 90, 90), RGB(0, 0, 0));
    EXPECT_NE(plFensterPixel(w, 10, 10), RGB(0, 0, 0));
    DestroyWindow(w);
    wiGlobalFrei(bits);
}

TEST_F(Bild, KeyColourBecomesButtonFace)
{
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(face, WITASTENFARBE);
    HBITMAP nurTaste = wiBitmapLaden("taste");
    ASSERT_NE(nurTaste, 0u);
    for (COLORREF c : pixel(nurTaste)) EXPECT_EQ(c, face);
    DeleteObject(nurTaste);

    HBITMAP quelle = wiBitmapResource("gemischt");
    ASSERT_NE(quelle, 0u);
    std::vector<COLORREF> vorher = pixel(quelle);
    ASSERT_EQ(vorher.size(), 8u);
    HBITMAP kopie = wiBitmapTasten(quelle);
    const COLORREF K = WITASTENFARBE;
    const std::vector<COLORREF> erwartet = {face, RGB(255, 0, 0), face, RGB(0, 0, 255),
                                            RGB(0, 128, 0), face, face, RGB(0, 0, 0)};
    EXPECT_EQ(pixel(kopie), erwartet);
    EXPECT_EQ(pixel(quelle), vorher);  // the source is unchanged
    EXPECT_EQ(vorher[0], K);
    DeleteObject(kopie);
    DeleteObject(quelle);
    EXPECT_EQ(wiBitmapLaden("gibtesnicht"), 0u);
}

TEST_F(Bild, MalformedBmpFilesGiveNull)
{
    std::string pfad = ordner + "/probe.bmp";
    const uint32_t L = 14 + 40 + 16;
    struct Fall {
        const char* name;
        std::vector<uint8_t> d;
        bool gut;
    } faelle[] = {
        {"sound", bmp(L, 54, 40, 2, 2, 24), true},
        {"lying size", bmp(0x7FFFFFFF, 54, 40, 2, 2, 24), false},
        {"lying size, rows missing", [&] { auto d = bmp(L, 54, 40, 2, 2, 24); d.resize(60); return d; }(), false},
        {"bits offset past the end", bmp(L, 4000, 40, 2, 2, 24), false},
        {"bits offset inside the header", bmp(L, 20, 40, 2, 2, 24), false},
        {"huge dimensions", bmp(L, 54, 40, 30000, 30000, 24), false},
        {"beyond the side limit", bmp(L, 54, 40, 70000, 1, 24), false},
        {"header too small", bmp(L, 54, 12, 2, 2, 24), false},
        {"header larger than the file", bmp(L, 54, 0x10000000, 2, 2, 24), false},
        {"bad bit count", bmp(L, 54, 40, 2, 2, 7), false},
        {"zero width", bmp(L, 54, 40, 0, 2, 24), false},
        {"not a BMP", [&] { auto d = bmp(L, 54, 40, 2, 2, 24); d[0] = 'X'; return d; }(), false},
        {"headers cut", std::vector<uint8_t>{'B', 'M', 0, 0, 0, 0}, false},
    };
    for (const Fall& f : faelle) {
        schreiben(pfad, f.d);
        HBITMAP b = wiBmpDateiLaden(pfad.c_str());
        EXPECT_EQ(b != 0, f.gut) << f.name;
        if (b) {
            int w = 0, h = 0;
            wiBitmapGroesse(b, &w, nullptr);
            wiBitmapGroesse(b, nullptr, &h);
            EXPECT_EQ(w, 2);
            EXPECT_EQ(h, 2);
            DeleteObject(b);
        }
    }
    EXPECT_EQ(wiBmpDateiLaden((ordner + "/fehlt.bmp").c_str()), 0u);
    EXPECT_EQ(wiBmpDateiLaden(ordner.c_str()), 0u);  // a folder
}

TEST_F(Bild, BmpFileIsStretchedIntoTheRectangle)
{
    HWND w = CreateWindowEx(0, "VelmoBibHaupt", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, 0, 0, 0, nullptr);
    plHeadlessPumpen();
    wiMalenStartFenster(w, 0);
    std::string datei = std::string(VELMO_TEST_DATA) + "/wbibprobe/gemischt.bmp";
    wiBmpDateiMalen(10, 10, 8, 4, datei.c_str());
    wiFlaeche(0, 0, 255, 30, 30, 33, 33);
    wiRahmen(255, 0, 0, 40, 40, 45, 45);
    wiMalenEnde();
    EXPECT_EQ(plFensterPixel(w, 12, 10), RGB(255, 0, 0));  // source pixel (1, 0), doubled
    EXPECT_EQ(plFensterPixel(w, 17, 13), RGB(0, 0, 0));    // source pixel (3, 1)
    EXPECT_EQ(plFensterPixel(w, 33, 33), RGB(0, 0, 255));  // corners inclusive
    EXPECT_NE(plFensterPixel(w, 34, 34), RGB(0, 0, 255));
    EXPECT_EQ(plFensterPixel(w, 45, 42), RGB(255, 0, 0));
    EXPECT_NE(plFensterPixel(w, 42, 42), RGB(255, 0, 0));  // a frame, not a fill

    // Text on white: only the w x h area at (x, y) changes.
    wiMalenStartFenster(w, 0);
    wiFlaeche(0, 128, 0, 50, 50, 99, 99);
    wiTextBild(255, 0, 0, 55, 55, 30, 14, "WWW", "DejaVu Sans", 14);
    wiMalenEnde();
    int rot = 0, weiss = 0;
    for (int y = 55; y < 69; ++y)
        for (int x = 55; x < 85; ++x) {
            COLORREF c = plFensterPixel(w, x, y);
            rot += GetRValue(c) > 128 && GetGValue(c) < 128 ? 1 : 0;
            weiss += c == RGB(255, 255, 255) ? 1 : 0;
        }
    EXPECT_GT(rot, 0);
    EXPECT_GT(weiss, 0);
    EXPECT_EQ(plFensterPixel(w, 54, 54), RGB(0, 128, 0));
    EXPECT_EQ(plFensterPixel(w, 85, 69), RGB(0, 128, 0));
    DestroyWindow(w);
}

TEST_F(Bild, BitmapsReachControlsByCopyData)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    HWND knopf = GetDlgItem(dlg, 1001);
    COLORREF face = GetSysColor(COLOR_BTNFACE);

    wiItemBitmapLaden(1001, "gemischt");  // button-face copy
    wiItemBitmapName(1001, "gemischt");   // as loaded
    wiBitmapNameSenden(knopf, "gemischt");
    wiItemBitmapLaden(1001, "gibtesnicht");
    const auto& e = bibpruef::bilder[knopf];
    ASSERT_EQ(e.size(), 4u);
    for (const auto& x : e) {
        EXPECT_EQ(x.art, 1u);
        EXPECT_EQ(x.laenge, 4u);
    }
    EXPECT_EQ(e[0].von, dlg);
    EXPECT_EQ(e[0].breite, 4);
    EXPECT_EQ(e[0].hoehe, 2);
    EXPECT_EQ(e[0].erstes, face);
    EXPECT_EQ(e[1].erstes, WITASTENFARBE);
    EXPECT_EQ(e[2].von, haupt);  // sent to a window: the main window sends
    EXPECT_EQ(e[3].handle, 0u);  // a missing bitmap is passed on as null
    // The sender deleted its bitmaps after the call.
    BITMAP bm{};
    EXPECT_EQ(GetObject(e[0].handle, sizeof bm, &bm), 0);
}

TEST_F(Bild, EscapeCommandTexts)
{
    HWND dlg = oeffnen("bibprobe");
    ASSERT_NE(dlg, 0u);
    bibpruef::Aktuell a(dlg);
    HWND feld = GetDlgItem(dlg, 2004);
    const int rgb[3] = {1, 2, 3};
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    std::string knopf = "\x1bH " + std::to_string(GetRValue(face)) + " " + std::to_string(GetGValue(face)) + " " +
                        std::to_string(GetBValue(face));
    struct {
        std::function<void()> senden;
        std::string text;
    } faelle[] = {
        {[] { wiItemBitmapBefehl(2004, "pfeil"); }, "\x1b" "B pfeil"},
        {[] { wiItemVordergrund(2004, 255, 0, 10); }, "\x1bV 255 0 10"},
        {[&] { wiItemVordergrundRGB(2004, rgb); }, "\x1bV 1 2 3"},
        {[] { wiItemHintergrund(2004, 0, 128, 255); }, "\x1bH 0 128 255"},
        {[&] { wiItemMarkFarbe(2004, rgb); }, "\x1bH 1 2 3"},
        {[] { wiItemHintergrundKnopf(2004); }, knopf},
        {[] { wiItemStil(2004, -3); }, "\x1bS -3"},
        {[] { wiItemArt(2004, 'Z'); }, "\x1bT Z"},
        {[] { wiItemMaske(2004, "99.99"); }, "\x1bT F99.99"},
    };
    for (const auto& f : faelle) {
        f.senden();
        EXPECT_EQ(bibpruef::texte[feld], f.text);
    }
}

TEST_F(Bild, BmpWriteOnlyWarns)
{
    EXPECT_EQ(wiBmpDateiSchreiben((ordner + "/x.bmp").c_str(), 0), -1);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "BMPWrite nicht implementiert.");
    EXPECT_FALSE(std::filesystem::exists(ordner + "/x.bmp"));
}

TEST_F(Bild, MetafilePictureFromTheClipboard)
{
    int b = 0, h = 0;
    EXPECT_EQ(wiClipMetaHolen(&b, &h), 0u);  // nothing there
    HGLOBAL bits = quadrat();
    HMETAFILE mf = wiMetaAusSpeicher(bits);
    ASSERT_NE(mf, 0u);
    HGLOBAL bild = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    auto* mfp = static_cast<METAFILEPICT*>(GlobalLock(bild));
    *mfp = METAFILEPICT{MM_ANISOTROPIC, 2100, 2970, mf};
    GlobalUnlock(bild);
    ASSERT_TRUE(OpenClipboard(haupt));
    EmptyClipboard();
    SetClipboardData(CF_METAFILEPICT, bild);
    CloseClipboard();
    HGLOBAL kopie = wiClipMetaHolen(&b, &h);
    ASSERT_NE(kopie, 0u);
    EXPECT_EQ(b, 2100);
    EXPECT_EQ(h, 2970);
    ASSERT_EQ(GlobalSize(kopie), GlobalSize(bits));
    EXPECT_EQ(std::memcmp(GlobalLock(kopie), GlobalLock(bits), GlobalSize(bits)), 0);
    GlobalUnlock(kopie);
    GlobalUnlock(bits);
    wiGlobalFrei(kopie);
    wiGlobalFrei(bits);
    plClipEnde();
}

}  // namespace
