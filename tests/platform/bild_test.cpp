// Tests of the BMP/DIB and PNG reader and writer (platform/bild).
#include "platform/bild.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/bild_le.h"

namespace {

// The picture every depth encodes: 3 x 2 pixels, top row red, green, blue;
// bottom row white, black, grey.
const COLORREF kMuster[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                {RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128)}};

struct BmpBau {
    int kopf = 40;  // 12, 40, 108
    int bits = 24;
    uint32_t kompression = BI_RGB;
    bool vonOben = false;
};

// Encodes kMuster (or, for 1 bit, black and white only) as a BMP file.
std::vector<uint8_t> bmpBauen(const BmpBau& b)
{
    std::vector<COLORREF> tabelle;
    if (b.bits <= 8) {
        if (b.bits == 1) tabelle = {RGB(0, 0, 0), RGB(255, 255, 255)};
        else for (auto& z : kMuster) for (COLORREF c : z) tabelle.push_back(c);
    }
    auto index = [&](COLORREF c) {
        if (b.bits == 1) return (c == RGB(255, 255, 255) || c == RGB(255, 0, 0) || c == RGB(0, 0, 255)) ? 1u : 0u;
        for (size_t i = 0; i < tabelle.size(); ++i) if (tabelle[i] == c) return static_cast<unsigned>(i);
        return 0u;
    };
    plLeSchreiber pixel;
    size_t zeile = ((3 * b.bits + 31) / 32) * 4;
    for (int i = 0; i < 2; ++i) {
        int y = b.vonOben ? i : 1 - i;
        size_t anfang = pixel.groesse();
        unsigned akku = 0, nbits = 0;
        for (int x = 0; x < 3; ++x) {
            COLORREF c = kMuster[y][x];
            switch (b.bits) {
            case 1: case 4: case 8:
                akku = (akku << b.bits) | index(c);
                nbits += b.bits;
                if (nbits == 8) { pixel.u8(static_cast<uint8_t>(akku)); akku = nbits = 0; }
                break;
            case 16:
                if (b.kompression == BI_BITFIELDS)  // 5-6-5
                    pixel.u16(static_cast<uint16_t>(((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3)));
                else
                    pixel.u16(static_cast<uint16_t>(((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3)));
                break;
            case 24: pixel.u8(GetBValue(c)); pixel.u8(GetGValue(c)); pixel.u8(GetRValue(c)); break;
            case 32:
                if (b.kompression == BI_BITFIELDS) { pixel.u8(GetRValue(c)); pixel.u8(GetGValue(c)); pixel.u8(GetBValue(c)); pixel.u8(0); }
                else { pixel.u8(GetBValue(c)); pixel.u8(GetGValue(c)); pixel.u8(GetRValue(c)); pixel.u8(0); }
                break;
            }
        }
        if (nbits) pixel.u8(static_cast<uint8_t>(akku << (8 - nbits)));
        pixel.nullen(zeile - (pixel.groesse() - anfang));
    }
    plLeSchreiber k;
    k.u32(static_cast<uint32_t>(b.kopf));
    if (b.kopf == 12) {
        k.u16(3); k.u16(2); k.u16(1); k.u16(static_cast<uint16_t>(b.bits));
    } else {
        k.i32(3); k.i32(b.vonOben ? -2 : 2); k.u16(1); k.u16(static_cast<uint16_t>(b.bits));
        k.u32(b.kompression); k.u32(static_cast<uint32_t>(pixel.groesse())); k.i32(0); k.i32(0);
        k.u32(static_cast<uint32_t>(tabelle.size())); k.u32(0);
        uint32_t m[3] = {0, 0, 0};
        if (b.kompression == BI_BITFIELDS) {
            if (b.bits == 16) { m[0] = 0xF800; m[1] = 0x07E0; m[2] = 0x001F; }
            else { m[0] = 0x000000FF; m[1] = 0x0000FF00; m[2] = 0x00FF0000; }
        }
        if (b.kopf > 40) {
            for (uint32_t v : m) k.u32(v);
            k.u32(0);
            k.nullen(static_cast<size_t>(b.kopf) - k.groesse());
        } else if (b.kompression == BI_BITFIELDS) {
            for (uint32_t v : m) k.u32(v);
        }
    }
    for (COLORREF c : tabelle) {
        k.u8(GetBValue(c)); k.u8(GetGValue(c)); k.u8(GetRValue(c));
        if (b.kopf != 12) k.u8(0);
    }
    if (b.kopf == 12) for (size_t i = tabelle.size(); i < (b.bits <= 8 ? (1u << b.bits) : 0u); ++i) { k.u8(0); k.u8(0); k.u8(0); }
    if (b.kopf != 12 && b.bits == 4) {
        // A 4-bit table of six entries is fine; nothing to pad.
    }
    plLeSchreiber f;
    f.u16(0x4D42);
    f.u32(static_cast<uint32_t>(14 + k.groesse() + pixel.groesse()));
    f.u32(0);
    f.u32(static_cast<uint32_t>(14 + k.groesse()));
    f.bytes(k.daten.data(), k.groesse());
    f.bytes(pixel.daten.data(), pixel.groesse());
    return f.daten;
}

COLORREF erwartet(const BmpBau& b, int x, int y)
{
    COLORREF c = kMuster[y][x];
    if (b.bits == 1) return (c == RGB(255, 255, 255) || c == RGB(255, 0, 0) || c == RGB(0, 0, 255)) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    if (b.bits == 16) {
        // 5 bits per channel scaled back; 128 becomes 132 (16 << 3 scaled), the rest exact.
        auto k5 = [](int v) { return ((v >> 3) * 255 + 15) / 31; };
        auto k6 = [](int v) { return ((v >> 2) * 255 + 31) / 63; };
        bool g6 = b.kompression == BI_BITFIELDS;
        return RGB(k5(GetRValue(c)), g6 ? k6(GetGValue(c)) : k5(GetGValue(c)), k5(GetBValue(c)));
    }
    return c;
}

TEST(Bmp, EveryDepthHeaderAndRowOrderDecodesToTheSamePixels)
{
    const BmpBau faelle[] = {
        {12, 1}, {12, 4}, {12, 8}, {12, 24},
        {40, 1}, {40, 4}, {40, 8}, {40, 16}, {40, 24}, {40, 32},
        {40, 16, BI_BITFIELDS}, {40, 32, BI_BITFIELDS}, {108, 32, BI_BITFIELDS}, {108, 16, BI_BITFIELDS},
        {40, 24, BI_RGB, true}, {40, 8, BI_RGB, true}, {40, 32, BI_BITFIELDS, true}, {124, 24},
    };
    for (const BmpBau& b : faelle) {
        SCOPED_TRACE("header " + std::to_string(b.kopf) + " bits " + std::to_string(b.bits) + " compression " +
                     std::to_string(b.kompression) + (b.vonOben ? " top-down" : ""));
        std::vector<uint8_t> datei = bmpBauen(b);
        plBild bild;
        std::string fehler;
        ASSERT_EQ(plBmpLesen(datei.data(), datei.size(), bild, &fehler), 0) << fehler;
        ASSERT_EQ(bild.breite, 3);
        ASSERT_EQ(bild.hoehe, 2);
        EXPECT_EQ(bild.bits, b.bits);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(bild.at(x, y) >> 24, 0xFFu) << x << "," << y;
                EXPECT_EQ(plBildFarbe(bild.at(x, y)), erwartet(b, x, y)) << x << "," << y;
            }
    }
}

std::vector<uint8_t> rleBauen(uint32_t kompression, int breite, int hoehe, const std::vector<uint8_t>& daten, int farben = 4)
{
    plLeSchreiber f;
    f.u16(0x4D42);
    f.u32(static_cast<uint32_t>(14 + 40 + farben * 4 + daten.size()));
    f.u32(0);
    f.u32(static_cast<uint32_t>(14 + 40 + farben * 4));
    f.u32(40); f.i32(breite); f.i32(hoehe); f.u16(1); f.u16(kompression == BI_RLE8 ? 8 : 4);
    f.u32(kompression); f.u32(static_cast<uint32_t>(daten.size())); f.i32(0); f.i32(0);
    f.u32(static_cast<uint32_t>(farben)); f.u32(0);
    const COLORREF tab[4] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int i = 0; i < farben; ++i) { f.u8(GetBValue(tab[i])); f.u8(GetGValue(tab[i])); f.u8(GetRValue(tab[i])); f.u8(0); }
    f.bytes(daten.data(), daten.size());
    return f.daten;
}

// Rows as letters, top row first: 0 black, R, G, B.
std::string zeilen(const plBild& b)
{
    std::string s;
    for (int y = 0; y < b.hoehe; ++y) {
        for (int x = 0; x < b.breite; ++x) {
            COLORREF c = plBildFarbe(b.at(x, y));
            s += c == RGB(255, 0, 0) ? 'R' : c == RGB(0, 255, 0) ? 'G' : c == RGB(0, 0, 255) ? 'B' : '0';
        }
        s += '/';
    }
    return s;
}

TEST(Bmp, RleRunsAbsoluteRunsDeltasAndLineEnds)
{
    struct Fall {
        const char* name;
        uint32_t kompression;
        std::vector<uint8_t> daten;
        const char* bild;  // 4 x 3, top row first
    };
    const Fall faelle[] = {
        // Bottom row: 4 x R; middle: absolute G B G then end of line; top: delta to x 2, 1 B.
        {"rle8", BI_RLE8, {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 0, 1, 3, 0, 1}, "00B0/GBG0/RRRR/"},
        // RLE4 runs alternate the two nibbles; absolute run of 3 nibbles padded.
        {"rle4", BI_RLE4, {4, 0x12, 0, 0, 0, 3, 0x32, 0x10, 0, 0, 0, 2, 2, 0, 1, 0x30, 0, 1}, "00B0/BGR0/RGRG/"},
        // An early end mark leaves the rest in colour 0.
        {"early end", BI_RLE8, {2, 2, 0, 1}, "0000/0000/GG00/"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        std::vector<uint8_t> datei = rleBauen(f.kompression, 4, 3, f.daten);
        plBild bild;
        std::string fehler;
        ASSERT_EQ(plBmpLesen(datei.data(), datei.size(), bild, &fehler), 0) << fehler;
        EXPECT_EQ(zeilen(bild), f.bild);
    }
}

TEST(Bmp, InconsistentFilesAreRefused)
{
    auto gut = [] { return bmpBauen({40, 8}); };
    struct Fall {
        const char* name;
        std::vector<uint8_t> datei;
    };
    std::vector<Fall> faelle;
    auto mit = [&](const char* name, auto aendern) {
        std::vector<uint8_t> d = gut();
        aendern(d);
        faelle.push_back({name, d});
    };
    auto setze32 = [](std::vector<uint8_t>& d, size_t pos, uint32_t v) { for (int i = 0; i < 4; ++i) d[pos + i] = static_cast<uint8_t>(v >> (8 * i)); };
    auto setze16 = [](std::vector<uint8_t>& d, size_t pos, uint16_t v) { d[pos] = static_cast<uint8_t>(v); d[pos + 1] = static_cast<uint8_t>(v >> 8); };
    mit("wrong magic", [](auto& d) { d[0] = 'X'; });
    mit("file size beyond the data", [&](auto& d) { setze32(d, 2, static_cast<uint32_t>(d.size() + 1)); });
    mit("pixel offset past the end", [&](auto& d) { setze32(d, 10, static_cast<uint32_t>(d.size() + 10)); });
    mit("pixel offset inside the colour table", [&](auto& d) { setze32(d, 10, 14 + 40 + 4); });
    mit("unknown header size", [&](auto& d) { setze32(d, 14, 41); });
    mit("zero width", [&](auto& d) { setze32(d, 18, 0); });
    mit("negative width", [&](auto& d) { setze32(d, 18, static_cast<uint32_t>(-3)); });
    mit("zero height", [&](auto& d) { setze32(d, 22, 0); });
    mit("huge height", [&](auto& d) { setze32(d, 22, 0x7FFFFFFF); });
    mit("two planes", [&](auto& d) { setze16(d, 26, 2); });
    mit("bit count 7", [&](auto& d) { setze16(d, 28, 7); });
    mit("unknown compression", [&](auto& d) { setze32(d, 30, 9); });
    mit("RLE4 with 8 bits", [&](auto& d) { setze32(d, 30, BI_RLE4); });
    mit("colour table larger than 256", [&](auto& d) { setze32(d, 46, 257); });
    mit("index outside a short colour table", [&](auto& d) { setze32(d, 46, 2); setze32(d, 10, 14 + 40 + 8); });
    std::vector<uint8_t> rle = rleBauen(BI_RLE8, 4, 3, {5, 1, 0, 1});
    faelle.push_back({"RLE run longer than the row", rle});
    faelle.push_back({"RLE without end mark", rleBauen(BI_RLE8, 4, 3, {2, 1, 0, 0})});
    faelle.push_back({"RLE delta beyond the picture", rleBauen(BI_RLE8, 4, 3, {0, 2, 9, 0, 0, 1})});
    faelle.push_back({"RLE index beyond the table", rleBauen(BI_RLE8, 4, 3, {1, 7, 0, 1})});
    faelle.push_back({"RLE top-down", [&] { auto d = rleBauen(BI_RLE8, 4, 3, {0, 1}); setze32(d, 22, static_cast<uint32_t>(-3)); return d; }()});
    {
        std::vector<uint8_t> d = bmpBauen({40, 16, BI_BITFIELDS});
        setze32(d, 54, 0xF0F0);  // red mask with a hole
        faelle.push_back({"mask not contiguous", d});
        d = bmpBauen({40, 16, BI_BITFIELDS});
        setze32(d, 58, 0xF800);  // green mask equal to red
        faelle.push_back({"masks overlap", d});
    }
    for (const Fall& f : faelle) {
        plBild bild;
        std::string fehler;
        EXPECT_EQ(plBmpLesen(f.datei.data(), f.datei.size(), bild, &fehler), -1) << f.name;
        EXPECT_FALSE(fehler.empty()) << f.name;
        EXPECT_TRUE(bild.pixel.empty()) << f.name;
    }
}

// Every cut of a file is refused; every flipped byte either decodes to a
// picture of consistent size or is refused. Run under the sanitizers, this
// shows no read outside the data.
TEST(Bmp, CutAndFlippedFilesNeverReadOutsideTheData)
{
    const BmpBau arten[] = {{12, 4}, {40, 8}, {40, 24, BI_RGB, true}, {40, 16, BI_BITFIELDS}, {108, 32, BI_BITFIELDS}};
    std::vector<std::vector<uint8_t>> dateien;
    for (const BmpBau& b : arten) dateien.push_back(bmpBauen(b));
    dateien.push_back(rleBauen(BI_RLE8, 4, 3, {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 0, 1, 3, 0, 1}));
    dateien.push_back(rleBauen(BI_RLE4, 4, 3, {4, 0x12, 0, 0, 0, 3, 0x32, 0x10, 0, 0, 0, 2, 2, 0, 1, 0x30, 0, 1}));
    for (const auto& voll : dateien) {
        for (size_t n = 0; n < voll.size(); ++n) {
            // The cut copy lives in its own allocation, so reading past it trips the sanitizer.
            std::vector<uint8_t> cut(voll.begin(), voll.begin() + static_cast<long>(n));
            plBild bild;
            EXPECT_EQ(plBmpLesen(cut.data(), cut.size(), bild), -1) << "cut at " << n;
        }
        for (size_t i = 0; i < voll.size(); ++i) {
            for (uint8_t maske : {0x01, 0x80, 0xFF}) {
                std::vector<uint8_t> d = voll;
                d[i] ^= maske;
                plBild bild;
                if (plBmpLesen(d.data(), d.size(), bild) == 0) {
                    EXPECT_GT(bild.breite, 0);
                    EXPECT_EQ(bild.pixel.size(), static_cast<size_t>(bild.breite) * static_cast<size_t>(bild.hoehe));
                }
            }
        }
    }
}

plBild testBild()
{
    plBild b;
    b.breite = 5;
    b.hoehe = 3;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) b.pixel.push_back(plBildPixel(RGB(x * 50, y * 100, 7)));
    return b;
}

TEST(Bmp, WrittenFilesReadBackAtEveryDepth)
{
    plBild b = testBild();
    for (int bits : {8, 24, 32}) {
        SCOPED_TRACE(bits);
        std::vector<uint8_t> datei;
        ASSERT_EQ(plBmpSchreiben(b, bits, datei), 0);
        plBild zurueck;
        ASSERT_EQ(plBmpLesen(datei.data(), datei.size(), zurueck), 0);
        EXPECT_EQ(zurueck.pixel, b.pixel);
        std::vector<uint8_t> dib;
        ASSERT_EQ(plDibSchreiben(b, bits, dib), 0);
        ASSERT_EQ(plDibGepacktLesen(dib.data(), dib.size(), zurueck), 0);
        EXPECT_EQ(zurueck.pixel, b.pixel);
    }
    // More than 256 colours cannot take an 8-bit table.
    plBild bunt;
    bunt.breite = 300;
    bunt.hoehe = 1;
    for (int x = 0; x < 300; ++x) bunt.pixel.push_back(plBildPixel(RGB(x & 0xFF, x >> 8, 0)));
    std::vector<uint8_t> datei;
    EXPECT_EQ(plBmpSchreiben(bunt, 8, datei), -1);
    EXPECT_EQ(plBmpSchreiben(plBild{}, 24, datei), -1);
}

TEST(Png, RoundTripKeepsPixelsAndAlphaAndCutFilesAreRefused)
{
    plBild b = testBild();
    b.at(0, 0) = 0x80400000u;  // half-transparent red, premultiplied
    b.at(1, 0) = 0;            // fully transparent
    std::vector<uint8_t> png;
    ASSERT_EQ(plPngSchreiben(b, png), 0);
    plBild zurueck;
    ASSERT_EQ(plBildLesen(png.data(), png.size(), zurueck), 0);
    EXPECT_EQ(zurueck.breite, 5);
    EXPECT_EQ(zurueck.hoehe, 3);
    EXPECT_EQ(zurueck.pixel, b.pixel);
    for (size_t n : {size_t{0}, size_t{7}, size_t{20}, png.size() / 2, png.size() - 1}) {
        std::vector<uint8_t> cut(png.begin(), png.begin() + static_cast<long>(n));
        EXPECT_EQ(plBildLesen(cut.data(), cut.size(), zurueck), -1) << n;
    }
}

TEST(BildDatei, WriteReplacesThroughATemporaryAndReadsBack)
{
    std::string pfad = testing::TempDir() + "bild_test_datei_" + std::to_string(getpid()) + ".bin";
    const uint8_t a[] = {1, 2, 3};
    ASSERT_EQ(plBildDateiSchreiben(pfad.c_str(), a, 3), 0);
    const uint8_t b[] = {9};
    ASSERT_EQ(plBildDateiSchreiben(pfad.c_str(), b, 1), 0);
    std::vector<uint8_t> v;
    ASSERT_EQ(plBildDateiLesen(pfad.c_str(), v), 0);
    EXPECT_EQ(v, std::vector<uint8_t>({9}));
    EXPECT_EQ(plBildDateiLesen(pfad.c_str(), v, 0), -1);  // larger than allowed
    EXPECT_EQ(plBildDateiSchreiben((testing::TempDir() + "kein/ordner/x.bin").c_str(), a, 3), -1);
    std::remove(pfad.c_str());
}

}  // namespace

TEST(Bmp, AHugeSizeWithLittleDataIsRefusedBeforeThePictureIsMade)
{
    // 137 bytes of RLE4 claiming 1024 x 32766 pixels took 20 s and 600 MB
    // in the fuzz target; uncompressed data shorter than its rows was found
    // short only after the picture had been allocated.
    std::FILE* f = std::fopen(VELMO_SOURCE_DIR "/tests/fuzz/regress/bild/rle4-1024x32766-137-bytes.bmp", "rb");
    ASSERT_NE(f, nullptr);
    std::vector<uint8_t> d(200);
    d.resize(std::fread(d.data(), 1, d.size(), f));
    std::fclose(f);
    ASSERT_EQ(d.size(), 137u);
    plBild b;
    std::string fehler;
    EXPECT_EQ(plBmpLesen(d.data(), d.size(), b, &fehler), -1);
    EXPECT_EQ(fehler, "RLE data too short for the picture's height");
    EXPECT_TRUE(b.pixel.empty());
    // The same data for 1024 x 32 rows reads.
    d[22] = 32;
    d[23] = 0;
    EXPECT_EQ(plBmpLesen(d.data(), d.size(), b, &fehler), 0) << fehler;
    EXPECT_EQ(b.hoehe, 32);
}
