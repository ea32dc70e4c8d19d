// DXF import: hand-written DXF files for the edge cases of sections,
// tables, blocks, polylines, texts and points, checked on the generated
// lines and on the drawing; hostile numbers, frozen layers, many and long
// names; the drawing scale under other start scales; a round trip through
// the export; the progress texts; failures that leave the target as it was.
#include "output/dxfimp.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>

#include "dxftest.h"
#include "model/befehl.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/dxfexp.h"
#include "output/dxfkonf.h"
#include "output/dxfzahl.h"
#include "platform/dialog.h"
#include "winlib/anwdaten.h"
#include "winlib/langdlg.h"

#include "tests/output/zeiobjekte.h"

namespace {

using namespace dxftest;

std::vector<std::string> dxfZeilen;
void dxfMerken(const char* z) { dxfZeilen.push_back(z); }

// A DXF file of pairs written "code|value|code|value|..." ('|' separates).
std::string paare(const std::string& t)
{
    std::string aus;
    size_t p = 0;
    while (p <= t.size()) {
        size_t e = t.find('|', p);
        if (e == std::string::npos) e = t.size();
        aus += t.substr(p, e - p) + "\r\n";
        p = e + 1;
    }
    return aus;
}

std::string entities(const std::string& e) { return paare("0|SECTION|2|ENTITIES|" + e + "|0|ENDSEC|0|EOF"); }

class DxfImp : public DxfOrdner {
protected:
    // The lines generated from a DXF text.
    std::vector<std::string> zeilen(const std::string& dxf)
    {
        schreiben(pfad("ein.dxf"), dxf);
        dxfZeilen.clear();
        EXPECT_EQ(DxfImpKonfig(), 0);
        EXPECT_EQ(DxfLesen(pfad("ein.dxf").c_str(), dxfMerken), 0);
        return dxfZeilen;
    }

    // Imports a DXF text; the drawing's path.
    std::string importieren(const std::string& dxf)
    {
        schreiben(pfad("ein.dxf"), dxf);
        EXPECT_EQ(DxfImport(pfad("ein.dxf").c_str(), pfad("neu.zvk").c_str()), 0);
        EXPECT_EQ(wiLangTiefe(), 0);
        return pfad("neu.zvk");
    }

    // The drawing objects with their absolute positions, from a fresh state;
    // every double of every record is finite, and the scale at each object.
    std::vector<std::string> objekte(const std::string& zei, std::vector<double>* masse = nullptr)
    {
        return zeiObjekte(zei, masse);
    }
};

bool enthaelt(const std::vector<std::string>& v, const std::string& z) { return std::find(v.begin(), v.end(), z) != v.end(); }

int zaehlen(const std::vector<std::string>& v, const std::string& anfang)
{
    return static_cast<int>(std::count_if(v.begin(), v.end(), [&](const std::string& z) { return z.rfind(anfang, 0) == 0; }));
}

const std::string LINIE = "0|LINE|8|0|10|0|20|0|11|10|21|0";

TEST_F(DxfImp, EdgeCasesOnTheGeneratedLines)
{
    // Without HEADER or TABLES: CONTINUOUS, STANDARD and colour 0, and the
    // mapping lines only once for entities alike.
    EXPECT_EQ(zeilen(entities(LINIE + "|" + LINIE)),
              (std::vector<std::string>{"SA 7", "TS  0", "_BA 0.0000 0.0000", "ZL 10.0000 0.0000", "_BA 0.0000 0.0000",
                                        "ZL 10.0000 0.0000"}));
    // A colour of its own, then another line type: only what changes.
    EXPECT_EQ(zeilen(entities("0|LINE|8|0|62|1|10|0|20|0|11|10|21|0|0|LINE|8|0|62|1|6|DASHED|10|0|20|0|11|10|21|0")),
              (std::vector<std::string>{"ST 2", "LAY 3", "SA 7", "TS  0", "_BA 0.0000 0.0000", "ZL 10.0000 0.0000",
                                        "SA 1", "_BA 0.0000 0.0000", "ZL 10.0000 0.0000"}));

    const std::string bloecke =
        "0|SECTION|2|BLOCKS|"
        "0|BLOCK|8|0|2|B|70|0|10|0|20|0|30|0|3|B|0|ARC|8|0|10|0|20|0|40|5|50|0|51|90|0|ENDBLK|8|0|"
        "0|BLOCK|8|0|2|SELBST|70|0|10|0|20|0|0|INSERT|8|0|2|SELBST|10|1|20|0|0|LINE|8|0|10|0|20|0|11|10|21|0|"
        "0|ENDBLK|8|0|"
        "0|BLOCK|8|0|2|A|70|0|10|0|20|0|0|ATTDEF|8|0|10|0|20|0|40|2|1|versteckt|70|0|0|ENDBLK|8|0|"
        "0|ENDSEC|";
    // Mirrored: the arc 0..90 becomes 90..180.
    std::vector<std::string> z =
        zeilen(paare(bloecke + "0|SECTION|2|ENTITIES|0|INSERT|8|0|2|B|10|50|20|50|41|-1|42|1|0|ENDSEC|0|EOF"));
    EXPECT_TRUE(enthaelt(z, "TKR 90 180 5.0000 5.0000")) << ::testing::PrintToString(z);
    EXPECT_TRUE(enthaelt(z, "_BA 50.0000 50.0000"));
    // A block inserting itself nests five levels; the line after it is at
    // level 0 again (untransformed).
    z = zeilen(paare(bloecke + "0|SECTION|2|ENTITIES|0|INSERT|8|0|2|SELBST|10|0|20|0|" + LINIE +
                     "|0|ENDSEC|0|EOF"));
    EXPECT_EQ(zaehlen(z, "ZL"), 6) << ::testing::PrintToString(z);
    EXPECT_EQ(z[z.size() - 2], "_BA 0.0000 0.0000");
    EXPECT_TRUE(enthaelt(z, "_BA 4.0000 0.0000"));  // the fifth level, moved by four inner inserts
    EXPECT_FALSE(enthaelt(z, "_BA 5.0000 0.0000"));
    // An ATTDEF inside a block is not imported, an ATTRIB with flags 1 neither.
    z = zeilen(paare(bloecke + "0|SECTION|2|ENTITIES|0|INSERT|8|0|2|A|10|0|20|0|"
                               "0|ATTRIB|8|0|10|0|20|0|40|2|1|unsichtbar|70|1|0|ATTRIB|8|0|10|0|20|0|40|2|1|da|70|0|"
                               "0|ENDSEC|0|EOF"));
    EXPECT_EQ(zaehlen(z, "TFA"), 1);
    EXPECT_TRUE(enthaelt(z, "TFA \"da\""));

    // Two vertices with bulge 1 (or -1), closed: two half circles.
    for (const char* b : {"1", "-1"}) {
        z = zeilen(entities("0|POLYLINE|8|0|66|1|70|1|0|VERTEX|8|0|10|0|20|0|42|" + std::string(b) +
                            "|0|VERTEX|8|0|10|10|20|0|42|" + b + "|0|SEQEND|8|0"));
        EXPECT_EQ(zaehlen(z, "TKR"), 2) << b;
        EXPECT_EQ(zaehlen(z, "_BA 5.0000 0.0000"), 2) << b;
        if (std::string(b) == "1") {
            EXPECT_TRUE(enthaelt(z, "TKR 180 0 5.0000 5.0000") && enthaelt(z, "TKR 0 180 5.0000 5.0000"))
                << ::testing::PrintToString(z);
        } else {
            EXPECT_TRUE(enthaelt(z, "TKR 0 180 5.0000 5.0000") && enthaelt(z, "TKR 180 0 5.0000 5.0000"))
                << ::testing::PrintToString(z);
        }
    }

    // Texts: %%c the diameter sign, 70 characters cut to 60, double quotes
    // become blanks.
    z = zeilen(entities("0|TEXT|8|0|10|1|20|2|40|3.5|1|%%c 20 \"mm\"|0|TEXT|8|0|10|1|20|2|40|3.5|1|" + std::string(70, 'x')));
    EXPECT_TRUE(enthaelt(z, "TFA \"\xF8 20  mm \"")) << ::testing::PrintToString(z);
    EXPECT_TRUE(enthaelt(z, "TFA \"" + std::string(60, 'x') + "\""));
    EXPECT_TRUE(enthaelt(z, "TG 3.5000") && enthaelt(z, "TV 1.0000") && enthaelt(z, "TR 0"));

    // A POINT with $PDMODE 3; a section after ENTITIES adds nothing.
    z = zeilen(paare("0|SECTION|2|HEADER|9|$PDMODE|70|3|0|ENDSEC|0|SECTION|2|ENTITIES|0|POINT|8|0|10|4|20|5|"
                     "0|ENDSEC|0|SECTION|2|OBJECTS|0|LINE|8|0|10|0|20|0|11|10|21|0|0|ENDSEC|0|EOF"));
    EXPECT_EQ(z, (std::vector<std::string>{"SA 7", "TS  0", "_BA 4.0000 5.0000", "ZB \"PUNKT3\""}));
}

// The code line as writers lay it out: right- or left-aligned, with
// leading zeros or a tab, CR LF or LF alone, a last line without its end;
// a code that is no number (a sign, a letter, a blank inside, too large)
// takes its value with it and nothing else.
TEST_F(DxfImp, CodeLinesReadWhateverTheirLayout)
{
    const std::string pairs = "0|SECTION|2|ENTITIES|0|LINE|8|0|62|1|10|1.5|20|2|11|10|21|-3|"
                              "0|CIRCLE|8|0|10|4|20|5|40|2.25|0|TEXT|8|0|10|1|20|2|40|3.5|1| a b |0|ENDSEC|0|EOF";
    // Writes the pairs with each code line made by kopf and lines ended by nl.
    auto schreibe = [&](auto kopf, const std::string& nl, bool letztesEnde) {
        std::string aus;
        size_t p = 0;
        bool code = true;
        while (p <= pairs.size()) {
            size_t e = pairs.find('|', p);
            if (e == std::string::npos) e = pairs.size();
            const std::string w = pairs.substr(p, e - p);
            aus += (code ? kopf(w) : w) + nl;
            code = !code;
            p = e + 1;
        }
        if (!letztesEnde) aus.resize(aus.size() - nl.size());
        return aus;
    };
    const std::vector<std::string> soll =
        zeilen(schreibe([](const std::string& c) { return std::string(3 - std::min<size_t>(3, c.size()), ' ') + c; },
                        "\r\n", true));
    ASSERT_EQ(zaehlen(soll, "ZL"), 1) << ::testing::PrintToString(soll);
    ASSERT_TRUE(enthaelt(soll, "TFA \" a b \"")) << ::testing::PrintToString(soll);
    const struct {
        const char* name;
        std::string (*kopf)(const std::string&);
        const char* nl;
        bool letztesEnde;
    } faelle[] = {
        {"links", [](const std::string& c) { return c; }, "\r\n", true},
        {"LF", [](const std::string& c) { return "  " + c; }, "\n", true},
        {"Nullen", [](const std::string& c) { return "000000" + c; }, "\r\n", true},
        {"Tab und Blank dahinter", [](const std::string& c) { return "\t" + c + " "; }, "\r\n", true},
        {"ohne letztes Ende", [](const std::string& c) { return c; }, "\n", false},
    };
    for (const auto& f : faelle) EXPECT_EQ(zeilen(schreibe(f.kopf, f.nl, f.letztesEnde)), soll) << f.name;

    // Codes that are no number: their pairs are left out whole.
    const std::string gut = "0|LINE|8|0|10|0|20|0|11|10|21|0";
    const std::vector<std::string> ohne = zeilen(entities(gut));
    for (const char* c : {"+11", "1O", "1 1", "99999999999", "-11", "11\r1"}) {
        EXPECT_EQ(zeilen(entities(gut + "|" + c + "|77")), ohne) << c;
    }
}

// A number of n digits: zeros in front of its own and after a point.
std::string mitNullen(const std::string& w, int n)
{
    const bool minus = w[0] == '-';
    std::string z = w.substr(minus ? 1 : 0);
    if (z.find('.') == std::string::npos) z += '.';
    const int hinten = 3;
    z += std::string(hinten, '0');
    const int ziffern = static_cast<int>(z.size()) - 1;
    z.insert(0, static_cast<size_t>(std::max(0, n - ziffern)), '0');
    return (minus ? "-" : "") + z;
}

// Number values (codes 10 to 79) as writers lay them out: blanks or a tab
// around them, a plus sign, an exponent, more digits than a 64-bit integer
// holds, a stray CR, LF alone; and a file cut right after a number, without
// its line end. Each reads as the plain form does.
TEST_F(DxfImp, NumberValuesReadWhateverTheirLayout)
{
    const std::string pairs = "0|SECTION|2|ENTITIES|0|LINE|8|0|62|1|10|1.5|20|2|11|10.25|21|-3|"
                              "0|CIRCLE|8|0|62|3|10|4|20|5|40|2.125|0|ENDSEC|0|EOF";
    auto schreibe = [&](std::string (*zahl)(const std::string&), const std::string& nl) {
        std::string aus, code;
        size_t p = 0;
        for (bool istCode = true; p <= pairs.size(); istCode = !istCode) {
            size_t e = pairs.find('|', p);
            if (e == std::string::npos) e = pairs.size();
            const std::string w = pairs.substr(p, e - p);
            const bool zahlWert = !istCode && std::stoi(code) >= 10 && std::stoi(code) <= 79;
            aus += (zahlWert ? zahl(w) : w) + nl;
            if (istCode) code = w;
            p = e + 1;
        }
        return aus;
    };
    const std::vector<std::string> soll = zeilen(schreibe([](const std::string& w) { return w; }, "\r\n"));
    ASSERT_TRUE(enthaelt(soll, "ZL 8.7500 -5.0000") && enthaelt(soll, "KRE 0 2.1250 2.1250") && enthaelt(soll, "ST 2"))
        << ::testing::PrintToString(soll);
    const struct {
        const char* name;
        std::string (*zahl)(const std::string&);
        const char* nl;
    } faelle[] = {
        {"LF", [](const std::string& w) { return w; }, "\n"},
        {"Blanks davor", [](const std::string& w) { return "   " + w; }, "\r\n"},
        {"Blanks dahinter", [](const std::string& w) { return w + "  "; }, "\r\n"},
        {"Blanks davor, LF", [](const std::string& w) { return "  " + w; }, "\n"},
        {"Tab", [](const std::string& w) { return "\t" + w + "\t"; }, "\r\n"},
        {"Plus", [](const std::string& w) { return w[0] == '-' ? w : "+" + w; }, "\r\n"},
        {"CR CR LF", [](const std::string& w) { return w + "\r"; }, "\r\n"},
        {"Exponent", [](const std::string& w) { return w + "e0"; }, "\r\n"},
        {"25 Ziffern", [](const std::string& w) { return mitNullen(w, 25); }, "\r\n"},
        {"19 Ziffern", [](const std::string& w) { return mitNullen(w, 19); }, "\n"},
        {"20 Ziffern", [](const std::string& w) { return mitNullen(w, 20); }, "\n"},
    };
    for (const auto& f : faelle) EXPECT_EQ(zeilen(schreibe(f.zahl, f.nl)), soll) << f.name;

    // Cut right after the radius: the circle is still complete.
    std::string kurz = schreibe([](const std::string& w) { return w; }, "\r\n");
    kurz.resize(kurz.find("2.125") + 5);
    EXPECT_EQ(zeilen(kurz), soll);
}

// Plain decimals read by the import itself give the very double
// std::from_chars gives: awkward values by hand, the shortest texts of
// doubles, fixed texts, long digit runs and decimals next to (and at) the
// point halfway between two doubles.
TEST(DxfZahl, PlainDecimalsReadAsFromCharsReadsThem)
{
    long schnell = 0, faelle = 0;
    auto pruefe = [&](const std::string& t) {
        double a = 0, b = 0;
        ++faelle;
        if (!dxfzahl::dezimal(t.data(), t.data() + t.size(), &a)) return;
        ++schnell;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), b);
        ASSERT_TRUE(r.ec == std::errc() && r.ptr == t.data() + t.size()) << t;
        ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << t << ": " << a << " != " << b;
    };
    for (const char* t : {"0", "-0", "-0.000", "1.", ".5", "-.5", "0.1", "2.5", "0.30000000000000004", "1.2500000003336909",
                          "9007199254740991", "9007199254740993", "9007199254740992.5", "18446744073709551615",
                          "99999999999999999.99", "0.000000000000000000001", "4.35", "1e5", "1,5", "-", ".", "1.2.3",
                          "12345678901234567890",
                          // The quotient in 64 bits falls exactly halfway between two
                          // doubles while the decimal does not: rounded again it would
                          // be one off.
                          "9308491.4478091700", "2.65341996231748678", "-999499.9991994999", "9.0549005584659783",
                          "300.89443577917271", "9999.969399299979159", ".9210755938168094237"}) {
        pruefe(t);
    }
    // Only plain decimals of up to 19 digits are read here.
    for (const char* t : {"1e5", "1,5", "-", ".", "1.2.3", "12345678901234567890", " 1", "+1", "inf"}) {
        double v = 7;
        EXPECT_FALSE(dxfzahl::dezimal(t, t + std::strlen(t), &v)) << t;
        EXPECT_EQ(v, 7) << t;
    }
    std::mt19937_64 g(54);
    char z[64];
    for (int i = 0; i < 300000; ++i) {
        std::string t;
        switch (i % 4) {
        case 0: {
            const double v = std::ldexp(static_cast<double>(g() >> 11), -static_cast<int>(g() % 80));
            t.assign(z, std::to_chars(z, z + sizeof z, (i & 4) ? -v : v).ptr);
            break;
        }
        case 1: {
            const double v = static_cast<double>(g() % 2000000) / 7.0;
            t.assign(z, std::to_chars(z, z + sizeof z, v, std::chars_format::fixed, static_cast<int>(g() % 20)).ptr);
            break;
        }
        case 2: {
            const int n = 1 + static_cast<int>(g() % 19);
            for (int k = 0; k < n; ++k) t += static_cast<char>('0' + (g() % 3 ? 9 : g() % 10));
            t.insert(g() % (n + 1), 1, '.');
            break;
        }
        default: {
            // (2m + 1) / 2^(f + 1) is halfway between two doubles of 53 bits;
            // its exact decimal, or up to two units of its last digit off.
            const int f = static_cast<int>(g() % 4);
            unsigned __int128 x = 2 * ((uint64_t{1} << 52) + (g() >> 12)) + 1;
            for (int k = 0; k <= f; ++k) x *= 5;
            x += static_cast<unsigned __int128>(static_cast<long long>(g() % 5) - 2);
            for (; x > 0; x /= 10) t.insert(t.begin(), static_cast<char>('0' + static_cast<int>(x % 10)));
            t.insert(t.size() - static_cast<size_t>(f + 1), 1, '.');
            break;
        }
        }
        pruefe(t);
        if (HasFatalFailure()) return;
    }
    // The common forms take this way (not from_chars every time).
    EXPECT_GT(schnell, faelle * 3 / 4);
}

// Rounding without the library call gives the library's doubles: halves
// and their neighbours, signed zeros, the edge of 2^52 and beyond, values
// that are no number, and a sweep over every magnitude the import meets.
TEST(DxfZahl, RoundingWithoutTheLibraryGivesTheLibrarysDoubles)
{
    auto gleich = [](double x) {
        const double a[] = {dxfzahl::abschneiden(x), dxfzahl::runden(x), dxfzahl::rundenGerade(x)};
        const double b[] = {std::trunc(x), std::round(x), std::nearbyint(x)};
        for (int i = 0; i < 3; ++i) {
            if (std::memcmp(&a[i], &b[i], sizeof a[i]) != 0) return ::testing::AssertionFailure() << i << ": " << x;
        }
        return ::testing::AssertionSuccess();
    };
    const double faelle[] = {0.0, -0.0, 0.3, -0.3, 0.5, -0.5, 1.5, -1.5, 2.5, -2.5, 0.49999999999999994,
                             -0.49999999999999994, 4503599627370495.5, -4503599627370495.5, 0x1p52, -0x1p52,
                             0x1p52 + 1, 0x1p53 + 2, 1e300, -1e300, 1e-300, -1e-300, HUGE_VAL, -HUGE_VAL, NAN,
                             -2.5000000000000004, 12345678.5, -12345678.5, 1e12 * 10000};
    for (double x : faelle) EXPECT_TRUE(gleich(x));
    std::mt19937_64 g(61);
    for (int i = 0; i < 200000; ++i) {
        const double m = static_cast<double>(g() >> 11) * 0x1p-53;
        double x = std::ldexp(m, static_cast<int>(g() % 70) - 10);
        if (i % 3 == 0) x = std::floor(x) + 0.5;  // a half exactly
        if (i & 1) x = -x;
        ASSERT_TRUE(gleich(x));
    }
}

TEST_F(DxfImp, EdgeCasesOnTheDrawing)
{
    // A line below 0.1 in both directions and an arc with equal angles are
    // dropped; a line starting where the last ended needs no move.
    const std::string zei = importieren(
        entities("0|LINE|8|0|10|0|20|0|11|0.05|21|0.05|0|ARC|8|0|10|0|20|0|40|5|50|30|51|30|"
                 "0|LINE|8|0|10|0|20|0|11|10|21|0|0|LINE|8|0|10|10|20|0|11|10|21|10|"
                 "0|CIRCLE|8|0|62|1|10|20|20|20|40|3|0|TEXT|8|0|10|30|20|30|40|2.5|50|90|1|Text"));
    wieGolden("kanten.txt", alsText(zei));
    const std::string text = alsText(zei);
    EXPECT_EQ(text.find("TKR"), std::string::npos);
    EXPECT_NE(text.find("ZL 10,0000 0,0000\r\nZL 0,0000 10,0000\r\n"), std::string::npos);
    EXPECT_EQ(objekte(zei).size(), 4u);
}

TEST_F(DxfImp, HostileInputStaysFiniteAndBounded)
{
    // Not finite numbers read as 0; a bulge between coinciding vertices
    // writes nothing.
    const std::string zei = importieren(
        entities("0|LINE|8|0|10|nan|20|1e999|11|10|21|-inf|0|CIRCLE|8|0|10|1e999|20|0|40|1e308|"
                 "0|ARC|8|0|10|0|20|0|40|5|50|nan|51|1e999|"
                 "0|POLYLINE|8|0|66|1|70|1|0|VERTEX|8|0|10|3|20|3|42|1|0|VERTEX|8|0|10|3|20|3|42|1|0|SEQEND|8|0"));
    const std::vector<std::string> o = objekte(zei);
    EXPECT_EQ(zaehlen(o, "TKR"), 0) << ::testing::PrintToString(o);
    EXPECT_EQ(o.size(), 2u) << ::testing::PrintToString(o);
    // The arc whose angles read as equal is counted as left out.
    ASSERT_EQ(warnungen().size(), 1u);
    EXPECT_NE(warnungen()[0].find("\nUnter 0,1 mm nicht \xFC" "bernommen: ARC 1 "), std::string::npos) << warnungen()[0];
    plNachrichtBoxFragenLeeren();

    // Frozen layers (flags 1, without bit 64 too) are skipped; 600 layers
    // and a name of 300 characters are all found.
    std::string tab = "0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|600|";
    for (int i = 0; i < 600; ++i) tab += "0|LAYER|2|L" + std::to_string(i) + "|70|0|62|7|6|CONTINUOUS|";
    const std::string lang(300, 'n');
    tab += "0|LAYER|2|" + lang + "|70|0|62|2|6|DASHED|0|LAYER|2|EIS|70|1|62|1|6|CONTINUOUS|0|LAYER|2|EIS64|70|65|62|1|";
    tab += "0|ENDTAB|0|ENDSEC|";
    const std::string flach = "|10|0|20|0|11|10|21|0";
    fs::remove(pfad("dxflog.txt"));
    std::vector<std::string> z = zeilen(paare(tab + "0|SECTION|2|ENTITIES|0|LINE|8|EIS" + flach + "|0|LINE|8|EIS64" +
                                              flach + "|0|LINE|8|L599|62|5" + flach + "|0|LINE|8|" + lang + flach +
                                              "|0|ENDSEC|0|EOF"));
    EXPECT_EQ(zaehlen(z, "ZL"), 2) << ::testing::PrintToString(z);
    EXPECT_TRUE(enthaelt(z, "ST 6"));  // colour 5 of the entity on L599
    EXPECT_TRUE(enthaelt(z, "ST 4") && enthaelt(z, "SA 1"));  // colour and line type of the long name's layer
    EXPECT_EQ(lesen(pfad("dxflog.txt")).find("Layer "), std::string::npos) << lesen(pfad("dxflog.txt"));

    // A line that does not parse warns and the run goes on.
    DxfZeileUebernehmen("XYZ 1 2");
    EXPECT_EQ(warnungen(), std::vector<std::string>{">XYZ 1 2< nicht verstanden."});
}

TEST_F(DxfImp, TheDrawingHasScaleOneWhateverItStartsAt)
{
    for (int zvms : {25, 0}) {
        SCOPED_TRACE(zvms);
        GrundEinst()->zvms = zvms;
        const std::string zei = importieren(entities("0|LINE|8|0|10|10|20|10|11|30|21|10|0|CIRCLE|8|0|10|50|20|50|40|5"));
        std::vector<double> masse;
        EXPECT_EQ(objekte(zei, &masse),
                  (std::vector<std::string>{"ZL 20,0000 0,0000 @ 10.00 10.00", "KRE 0 5,0000 5,0000 @ 50.00 50.00"}));
        for (double m : masse) EXPECT_EQ(m, 1.0);
    }
}

// Lines, arcs and circles of a drawing in absolute coordinates, as the
// renderer sees them: "L x1 y1 x2 y2", "A cx cy r a b", "C cx cy r".
std::vector<std::string> dxfGeo;
int dxfGeoMerken(const BEF* b, const STT* s)
{
    char t[160];
    const double m = s->mass;
    if (b->code == 40) {
        std::snprintf(t, sizeof t, "L %.4f %.4f %.4f %.4f", s->x, s->y, s->x + b->darg[0] * m, s->y + b->darg[1] * m);
    } else if (b->code == 64 && b->darg[0] == b->darg[1]) {
        std::snprintf(t, sizeof t, "A %.4f %.4f %.4f %d %d", s->x, s->y, b->darg[0] * m, b->iarg[0] / 10,
                      b->iarg[1] / 10);
    } else if (b->code == 67 && b->darg[0] == b->darg[1] && b->iarg[0] == 0) {
        std::snprintf(t, sizeof t, "C %.4f %.4f %.4f", s->x, s->y, b->darg[0] * m);
    } else {
        return 0;
    }
    dxfGeo.push_back(t);
    return 0;
}

std::vector<std::string> geometrie(const std::string& zei)
{
    dxfGeo.clear();
    STT s;
    std::memset(&s, 0, sizeof s);
    SttInit(&s, nullptr);
    EXPECT_EQ(ZeiDurchlaufen(zei.c_str(), &s, dxfGeoMerken), 0);
    return dxfGeo;
}

TEST_F(DxfImp, AnExportedDrawingImportsBackToItsLinesArcsAndCircles)
{
    ASSERT_GE(ZeiAusText(pfad("alle.zvk").c_str(), daten("alle.txt").c_str()), 0);
    ASSERT_EQ(DxfExport(pfad("alle.dxf").c_str(), pfad("alle.zvk").c_str()), 0);
    ASSERT_EQ(DxfImport(pfad("alle.dxf").c_str(), pfad("neu.zvk").c_str()), 0);
    const std::vector<std::string> vorher = geometrie(pfad("alle.zvk"));
    const std::vector<std::string> nachher = geometrie(pfad("neu.zvk"));
    ASSERT_GE(vorher.size(), 6u);
    for (const std::string& g : vorher) EXPECT_TRUE(enthaelt(nachher, g)) << g << "\n" << ::testing::PrintToString(nachher);
}

TEST_F(DxfImp, RecordsBuiltDirectlyEqualTheParsedLines)
{
    std::vector<std::string> dateien = {daten("alle.dxf")};
    for (const auto& e : fs::directory_iterator(std::string(VELMO_SOURCE_DIR) + "/tests/fuzz/corpus/dxf_import")) {
        dateien.push_back(e.path().string());
    }
    DxfDirektPruefen(1);
    for (const std::string& quelle : dateien) {
        SCOPED_TRACE(quelle);
        // Imported from a copy: the log goes beside the DXF file.
        const std::string d = pfad("ein.dxf");
        fs::copy_file(quelle, d, fs::copy_options::overwrite_existing);
        EXPECT_EQ(DxfImport(d.c_str(), pfad("neu.zvk").c_str()), 0);
        EXPECT_GT(objekte(pfad("neu.zvk")).size(), 0u);
    }
    const long abweichungen = DxfDirektAbweichungen();
    DxfDirektPruefen(0);
    EXPECT_EQ(abweichungen, 0);
}

// Numbers on a tie of four decimals (1.03125 is exact and rounds to even),
// a floating-point remainder beside one, negative values that round to
// zero, and full-precision values: the records built without their text
// equal the parsed lines in every bit (signs of zero too).
TEST_F(DxfImp, RecordsBuiltDirectlyRoundAsTheTextAtTiesAndSigns)
{
    const char* const zahlen[] = {"1.03125", "-1.03125", "2.96875", "1.00015", "1.0000500000000001", "12.34565",
                                  "0.30000000000000004", "-0.00004", "-0.00005", "-0.00006", "0.00005",
                                  "1234567.89015625", "3.3333333333333335", "-7.999949999999999"};
    std::string e;
    for (const char* z : zahlen) {
        e += std::string("0|LINE|8|0|10|0|20|0|11|") + z + "|21|" + z + "|";
        e += std::string("0|CIRCLE|8|0|10|") + z + "|20|0|40|" + z + "|";
        e += std::string("0|ARC|8|0|10|0|20|") + z + "|40|" + z + "|50|0|51|90|";
    }
    schreiben(pfad("ein.dxf"), entities(e.substr(0, e.size() - 1)));
    DxfDirektPruefen(1);
    EXPECT_EQ(DxfImport(pfad("ein.dxf").c_str(), pfad("neu.zvk").c_str()), 0);
    const long abweichungen = DxfDirektAbweichungen();
    DxfDirektPruefen(0);
    EXPECT_GT(objekte(pfad("neu.zvk")).size(), 10u);
    EXPECT_EQ(abweichungen, 0);
}

TEST_F(DxfImp, ProgressRisesInTenPercentStepsAndTheDialogCloses)
{
    std::string e;
    for (int i = 0; e.size() < 2000000; ++i) e += LINIE + "|";
    schreiben(pfad("gross.dxf"), entities(e.substr(0, e.size() - 1)));
    static std::vector<std::string> texte;
    texte.clear();
    anwDaten()->instanz = GetModuleHandle(nullptr);
    EXPECT_EQ(DxfImpKonfig(), 0);
    EXPECT_EQ(DxfLesen(pfad("gross.dxf").c_str(),
                       [](const char*) {
                           char t[64] = "";
                           GetDlgItemText(wiLangFenster(), 4001, t, sizeof t);
                           if (texte.empty() || texte.back() != t) texte.push_back(t);
                       }),
              0);
    EXPECT_EQ(texte, (std::vector<std::string>{"0 %", "10 %", "20 %", "30 %", "40 %", "50 %", "60 %", "70 %", "80 %",
                                               "90 %"}));
    EXPECT_EQ(wiLangTiefe(), 0);
}

TEST_F(DxfImp, FailuresWarnAndLeaveTheTargetAsItWas)
{
    schreiben(pfad("neu.zvk"), "alt");
    EXPECT_EQ(DxfImport(pfad("fehlt.dxf").c_str(), pfad("neu.zvk").c_str()), -1);
    EXPECT_EQ(warnungen(), std::vector<std::string>{"DXF-Datei " + pfad("fehlt.dxf") + " nicht gefunden."});
    EXPECT_EQ(lesen(pfad("neu.zvk")), "alt");

    schreiben(pfad("ein.dxf"), entities(LINIE));
    fs::remove(ordner / "prog" / "dxfconfig.txt");
    plNachrichtBoxFragenLeeren();
    EXPECT_EQ(DxfImport(pfad("ein.dxf").c_str(), pfad("neu.zvk").c_str()), -1);
    ASSERT_EQ(warnungen().size(), 1u);
    EXPECT_NE(warnungen()[0].find("dxfconfig.txt"), std::string::npos);
    EXPECT_EQ(lesen(pfad("neu.zvk")), "alt");
    fs::copy_file(daten("dxfconfig.txt"), ordner / "prog" / "dxfconfig.txt");

    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        plNachrichtBoxFragenLeeren();
        plFehlerSetzen(art, 1, true);
        EXPECT_EQ(DxfImport(pfad("ein.dxf").c_str(), pfad("neu.zvk").c_str()), -1);
        plFehlerAllesAus();
        EXPECT_EQ(warnungen(), std::vector<std::string>{"Kann " + pfad("neu.zvk") + " nicht anlegen"});
        EXPECT_EQ(lesen(pfad("neu.zvk")), "alt");
        EXPECT_EQ(wiLangTiefe(), 0);
    }
    EXPECT_EQ(dateien(), (std::vector<std::string>{"ein.dxf", "neu.zvk"}));
}

}  // namespace
