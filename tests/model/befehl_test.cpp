// Command table, compact codec and text form.
#include "model/befehl.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "support/bdatei.h"

namespace {

BEF leer(int code)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    return b;
}

// A record with every used field of its row set to something recognisable.
BEF voll(int code)
{
    BEF b = leer(code);
    if (BefHatSub(code)) b.sub = 3;
    for (int i = 0; i < BefAnzInt(code); ++i) b.iarg[i] = -7 + 100 * i;
    for (int i = 0; i < BefAnzReal(code); ++i) b.darg[i] = 1.25 * (i + 1) - 0.5;
    if (BefHatText(code)) BefTextSetzen(&b, "Motor \"M1\"");
    return b;
}

// Memory-backed file for the codec.
struct Ram {
    std::vector<char> mem = std::vector<char>(4096, 0);
    BDAT d{};
    Ram() { bdopenram(&d, mem.data(), static_cast<int32_t>(mem.size())); }
    void zurueck() { bdseek(&d, 0); }
};

TEST(BefTabelle, UsedRowsHaveUniqueMnemonicsAndUnusedRowsAreEmpty)
{
    int benutzt = 0;
    for (int c = 0; c < BEFCODESUP; ++c) {
        if (BefName(c)[0] == '\0') {
            EXPECT_EQ(BefIstObjekt(c) + BefMakro(c) + BefHatSub(c) + BefAnzInt(c) + BefAnzReal(c) +
                          BefHatText(c) + BefNeutral(c),
                      0)
                << c;
            continue;
        }
        ++benutzt;
        EXPECT_EQ(BefCode(BefName(c)), c) << BefName(c);
        EXPECT_LE(BefAnzInt(c), 8);
        EXPECT_LE(BefAnzReal(c), 8);
    }
    EXPECT_EQ(benutzt, 166);
}

TEST(BefTabelle, RowsAndPredicates)
{
    struct Fall {
        int code;
        const char* name;
        int objekt, makro, sub, ints, reals, text, zehntel0, zehntel1, neutral;
    } faelle[] = {
        {1, "_BMG", 0, 0, 0, 0, 0, 0, 0, 0, 0},  {15, "LAY", 0, 1, 0, 1, 0, 0, 0, 0, 1},
        {40, "ZL", 1, 1, 1, 0, 2, 0, 0, 0, 0},   {63, "DRE", 1, 1, 1, 3, 2, 0, 0, 1, 0},
        {64, "TKR", 1, 1, 1, 2, 2, 0, 1, 1, 0},  {66, "_GRF", 1, 1, 0, 1, 2, 1, 0, 0, 0},
        {69, "GRF", 1, 1, 0, 2, 2, 1, 0, 1, 0},  {77, "_MFO", 0, 1, 0, 0, 0, 0, 0, 0, 0},
        {96, "ZML", 1, 1, 0, 8, 8, 1, 0, 0, 0},  {155, "FEN", 0, 1, 0, 0, 0, 1, 0, 0, 1},
        {199, "_UDB", 0, 0, 0, 1, 0, 0, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_STREQ(BefName(f.code), f.name);
        EXPECT_EQ(BefIstObjekt(f.code), f.objekt);
        EXPECT_EQ(BefMakro(f.code), f.makro);
        EXPECT_EQ(BefHatSub(f.code), f.sub);
        EXPECT_EQ(BefAnzInt(f.code), f.ints);
        EXPECT_EQ(BefAnzReal(f.code), f.reals);
        EXPECT_EQ(BefHatText(f.code), f.text);
        EXPECT_EQ(BefZehntel(f.code, 0), f.zehntel0);
        EXPECT_EQ(BefZehntel(f.code, 1), f.zehntel1);
        EXPECT_EQ(BefNeutral(f.code), f.neutral);
    }
    EXPECT_STREQ(BefName(250), "?");
    char puffer[8] = "xx";
    BefName(250, puffer, sizeof puffer);
    EXPECT_STREQ(puffer, "");
    EXPECT_EQ(BefCode("zl"), -1);
    EXPECT_EQ(BefCode(""), 0);
    EXPECT_EQ(BefAnzInt(250), 0);
    EXPECT_TRUE(BefFormat(116) && BefFormat(117) && !BefFormat(118));
    EXPECT_TRUE(BefIstKopfSatz(16) && BefIstKopfSatz(122) && !BefIstKopfSatz(118));
    EXPECT_TRUE(BefGleicheArt(50, 57) && BefGleicheArt(80, 86) && !BefGleicheArt(57, 58));
}

TEST(BefGleich, ComparesOnlyUsedFields)
{
    BEF a = voll(40), b = voll(40);
    b.iarg[5] = 9;  // unused slot
    EXPECT_EQ(BefGleich(&a, &b), 1);
    b.sub = 4;
    EXPECT_EQ(BefGleich(&a, &b), 0);
    BEF n1 = leer(13), n2 = leer(13);
    n1.darg[0] = n2.darg[0] = std::nan("");
    EXPECT_EQ(BefGleich(&n1, &n2), 0);  // unordered counts as different
}

TEST(BefKompakt, EveryUsedCodeRoundTripsWithItsByteCount)
{
    for (int c = 0; c < BEFCODESUP; ++c) {
        if (c != 0 && BefName(c)[0] == '\0') continue;
        SCOPED_TRACE(BefName(c));
        BEF b = voll(c);
        Ram r;
        int n = BefSchreiben(&r.d, &b);
        int l = BefHatText(c) ? static_cast<int>(std::strlen(b.text)) : 0;
        int erwartet = 1 + BefHatSub(c) + 2 * BefAnzInt(c) + 8 * BefAnzReal(c) + (BefHatText(c) ? 2 + l : 0);
        EXPECT_EQ(n, erwartet);
        EXPECT_EQ(bdtell(&r.d), erwartet);
        r.zurueck();
        BEF z = leer(0);
        EXPECT_EQ(BefLesen(&r.d, &z), erwartet);
        EXPECT_EQ(BefGleich(&b, &z), 1);
    }
}

TEST(BefKompakt, IntegersKeepTheirLow16BitsAndTextLengthsAreChecked)
{
    Ram r;
    BEF b = leer(25);  // ST, one integer
    b.iarg[0] = 40000;
    BefSchreiben(&r.d, &b);
    r.zurueck();
    BEF z = leer(0);
    BefLesen(&r.d, &z);
    EXPECT_EQ(z.iarg[0], -25536);

    // A TFA (code, sub, length, text) with a stored length of 250 followed by
    // a second record: 200 characters are kept, and the second record is read
    // where it lies.
    Ram lang;
    unsigned char kopf[4] = {50, 0, 250, 0};
    bdwrite(&lang.d, kopf, 4);
    std::string text(250, 'x');
    bdwrite(&lang.d, text.data(), 250);
    bdputc(&lang.d, 116);
    lang.zurueck();
    z = leer(0);
    EXPECT_EQ(BefLesen(&lang.d, &z), 4 + 250);
    EXPECT_EQ(std::strlen(z.text), 200u);
    EXPECT_EQ(bdgetc(&lang.d), 116);

    Ram negativ;
    unsigned char neg[4] = {50, 0, 0xFE, 0xFF};  // length -2
    bdwrite(&negativ.d, neg, 4);
    bdputc(&negativ.d, 116);
    negativ.zurueck();
    z = leer(0);
    EXPECT_EQ(BefLesen(&negativ.d, &z), 4);
    EXPECT_STREQ(z.text, "");
    EXPECT_EQ(bdgetc(&negativ.d), 116);
}

TEST(BefDateiForm, CompactCodesAndMinimumVersions)
{
    struct Fall {
        int code, i1;
        double d0, d1;
        int datei, version;
    } faelle[] = {
        {67, 450, 10, 5, 67, 9}, {67, 0, 10, 5, 60, 0},   {67, 450, 10, 10, 60, 0},
        {68, 0, 5, 3, 61, 0},    {68, 900, 5, 3, 68, 9},  {69, 0, 5, 3, 66, 0},
        {69, 900, 5, 3, 69, 9},  {96, 0, 0, 0, 96, 10},   {122, 0, 0, 0, 122, 8},
        {40, 0, 1, 1, 40, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.code);
        BEF b = leer(f.code), d, z;
        b.iarg[0] = 2;
        b.iarg[1] = f.i1;
        b.darg[0] = f.d0;
        b.darg[1] = f.d1;
        BefDateiForm(&b, &d);
        EXPECT_EQ(d.code, f.datei);
        EXPECT_EQ(BefMindestVersion(&d), f.version);
        BefAusDateiForm(&d, &z);
        EXPECT_EQ(z.code, f.code);
        if (f.datei != f.code) {
            EXPECT_EQ(z.iarg[1], 0);
        }
    }
}

// Text form: the golden lines and the parse table; run again under a comma
// locale, where nothing may change.
void textFormPruefen()
{
    BEF zl = leer(40);
    zl.sub = 2;
    zl.darg[0] = 10;
    zl.darg[1] = 2.5;
    EXPECT_EQ(BefZuText(&zl), "ZL [2] 10,0000 2,5000");
    BEF tr = leer(31);
    tr.iarg[0] = 450;
    EXPECT_EQ(BefZuText(&tr), "TR 45,0");
    BEF kre = leer(67);
    kre.iarg[0] = 5;
    kre.iarg[1] = 25;
    kre.darg[0] = kre.darg[1] = 10;
    EXPECT_EQ(BefZuText(&kre), "KRE 5 2,5 10,0000 10,0000");
    kre.iarg[1] = 0;
    EXPECT_EQ(BefZuText(&kre), "KRE 5 10,0000 10,0000");
    BEF zat = leer(119);
    BefTextSetzen(&zat, "A\x1C" "B\x1C" "C");
    EXPECT_EQ(BefZuText(&zat), "ZAT \"B\" \"A\" \"C\"");
    BEF tfa = leer(50);
    BefTextSetzen(&tfa, "Zeile 1.5 \"x\"");
    EXPECT_EQ(BefZuText(&tfa), "TFA \"Zeile 1.5 \"x\"\"");
    BEF ms = leer(13);
    ms.darg[0] = 0.00015;  // rounded from the exact binary value, as the C library does
    EXPECT_EQ(BefZuText(&ms), "MS 0,0001");
    ms.darg[0] = -2.00005;
    EXPECT_EQ(BefZuText(&ms), "MS -2,0000");

    struct Fall {
        const char* zeile;
        int code, i0, i1;
        double d0, d1;
        const char* text;
    } faelle[] = {
        {"TR -90", 31, 2700, 0, 0, 0, ""},
        {"tr 12,34", 31, 123, 0, 0, 0, ""},
        {"KRE 5 2,5 10,0000 10,0000", 67, 5, 25, 10, 10, ""},
        {"KRE 5 10,0000 10,0000", 67, 5, 0, 10, 10, ""},
        {"  zl [2] 10,0000 2,5000  ", 40, 0, 0, 10, 2.5, ""},
        {"ZL 1e3 abc", 40, 0, 0, 1000, 0, ""},
        {"LAY", 15, 0, 0, 0, 0, ""},
        {"TFA \"Zeile 1.5 \"x\"\"", 50, 0, 0, 0, 0, "Zeile 1.5 \"x\""},
        {"TFA ohne Anfuehrung", 50, 0, 0, 0, 0, "ohne Anfuehrung"},
        {"ZAT \"B\" \"A\" \"C\"", 119, 0, 0, 0, 0, "A\x1C" "B\x1C" "C"},
        {"ZTX 3 \"Titel\"", 122, 3, 0, 0, 0, "Titel"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.zeile);
        BEF b;
        ASSERT_EQ(TextZuBef(&b, f.zeile), 0);
        EXPECT_EQ(b.code, f.code);
        EXPECT_EQ(b.iarg[0], f.i0);
        EXPECT_EQ(b.iarg[1], f.i1);
        EXPECT_EQ(b.darg[0], f.d0);
        EXPECT_EQ(b.darg[1], f.d1);
        EXPECT_STREQ(b.text, f.text);
    }
    BEF b = voll(40);
    EXPECT_EQ(TextZuBef(&b, "XYZ 1 2"), -1);
    EXPECT_EQ(b.code, 0);
    EXPECT_EQ(BefVersionZeile("ver 10"), 10);
    EXPECT_EQ(BefVersionZeile("VER"), 0);
    EXPECT_EQ(BefVersionZeile("ZL 1 2"), -1);
    EXPECT_EQ(BefVersionZeile("VE"), -1);
}

TEST(BefText, GoldenLinesAndParseTable)
{
    textFormPruefen();
}

TEST(BefText, SameResultsUnderACommaLocale)
{
    const char* alt = std::setlocale(LC_NUMERIC, nullptr);
    std::string gemerkt = alt ? alt : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        GTEST_SKIP() << "de_DE.UTF-8 missing (scripts/install-deps generates it)";
    }
    textFormPruefen();
    std::setlocale(LC_NUMERIC, gemerkt.c_str());
}

TEST(BefText, EveryUsedCodeSurvivesTheTextForm)
{
    for (int c = 1; c < BEFCODESUP; ++c) {
        if (BefName(c)[0] == '\0') continue;
        SCOPED_TRACE(BefName(c));
        BEF b = voll(c);
        for (int i = 0; i < BefAnzInt(c); ++i) {
            if (BefZehntel(c, i)) b.iarg[i] = 450 + i;  // tenths come back within 0..3599
        }
        if (c == 67 || c == 68 || c == 69) b.iarg[1] = 455;
        if (c == 119) BefTextSetzen(&b, "T0\x1CK\x1CT1");
        BEF z;
        ASSERT_EQ(TextZuBef(&z, BefZuText(&b).c_str()), 0);
        EXPECT_EQ(BefGleich(&b, &z), 1) << BefZuText(&b);
    }
}

TEST(BefText, LongRecordsAreWrittenAndParsedWhole)
{
    // A ZML with 8 integers, 8 large doubles and a 200-character text: the
    // line is far longer than any fixed buffer guess, and parses back whole.
    BEF zml = leer(96);
    for (int i = 0; i < 8; ++i) {
        zml.iarg[i] = -30000 + i;
        zml.darg[i] = 1e20 * (i + 1);
    }
    std::string text(199, 'm');
    text += 'E';
    BefTextSetzen(&zml, text.c_str());
    std::string zeile = BefZuText(&zml);
    EXPECT_GT(zeile.size(), 400u);
    BEF z;
    ASSERT_EQ(TextZuBef(&z, zeile.c_str()), 0);
    EXPECT_EQ(BefGleich(&zml, &z), 1);

    char klein[16];
    EXPECT_EQ(BefZuText(&zml, klein, sizeof klein), static_cast<int>(zeile.size()));
    EXPECT_EQ(std::string(klein), zeile.substr(0, 15));

    // Three quoted texts of 95 characters join to more than the record holds.
    std::string q(95, 'q');
    std::string zat = "ZAT \"" + q + "\" \"" + q + "\" \"" + q + "\"";
    ASSERT_EQ(TextZuBef(&z, zat.c_str()), 0);
    EXPECT_EQ(std::strlen(z.text), 200u);

    // A text of 300 characters is cut to 200; a word keeps 95 characters.
    std::string tfa = "TFA \"" + std::string(300, 't') + "\"";
    ASSERT_EQ(TextZuBef(&z, tfa.c_str()), 0);
    EXPECT_EQ(std::strlen(z.text), 200u);
}

}  // namespace
