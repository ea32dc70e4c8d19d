// Old formats: a version-3 library, a version-2 pair and its conversion,
// old drawings with and without header, refusals of bad files, and the
// conversion of every old code.
#include "model/altbau.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "model/zeichnun.h"
#include "platform/fehlersim.h"
#include "tests/model/modelltest.h"

namespace {

std::string w16(int w)
{
    return std::string{static_cast<char>(w & 0xFF), static_cast<char>((w >> 8) & 0xFF)};
}

// The text form of a record given in text form (tenths columns in degrees).
std::string form(const char* text)
{
    BEF b;
    EXPECT_EQ(TextZuBef(&b, text), 0) << text;
    return BefZuText(&b);
}

struct Alt : ::testing::Test {
    MtOrdner o;
    void TearDown() override
    {
        AltBibSchliessen();
        AltZeiSchliessen();
    }
    std::string kopie(const char* fixture, const std::string& name = "")
    {
        std::string p = o / (name.empty() ? fixture : name);
        mtSchreiben(p, mtLesen(mtFixture(fixture)));
        return p;
    }
};

TEST_F(Alt, Version3LibraryListsOpensAndConverts)
{
    std::string bib = kopie("BAUTEILE.AL3");
    AltBibHandle info;
    ASSERT_EQ(AltBibInfo(&info, bib.c_str()), 0);
    EXPECT_EQ(info.version, 4);
    EXPECT_EQ(info.anzahl, 2);
    EXPECT_EQ(info.kbyte, 0);
    char name[ALTNAMSUP + 1];
    AltBauName(bib.c_str(), 0, name, sizeof name);
    EXPECT_STREQ(name, "K1");  // byte order
    AltBauName(bib.c_str(), 1, name, sizeof name);
    EXPECT_STREQ(name, "MOTOR");
    AltBauName(bib.c_str(), 2, name, sizeof name);
    EXPECT_STREQ(name, "");

    AltBauHandle h;
    EXPECT_EQ(AltBauOpen(&h, bib.c_str(), "motor"), -1);  // exact name
    ASSERT_EQ(AltBauOpen(&h, bib.c_str(), "MOTOR"), 0);
    EXPECT_EQ(h.start, 25);
    EXPECT_EQ(h.laenge, 12);
    BEF b;
    ASSERT_EQ(AltBauRead(&h, &b), 0);
    EXPECT_EQ(BefZuText(&b), form("ZL 10 -5"));
    ASSERT_EQ(AltBauRead(&h, &b), 0);
    EXPECT_STREQ(BefName(b.code), "TFA");
    EXPECT_STREQ(b.text, "M\xE4");  // DOS code page to 1252
    EXPECT_EQ(AltBauRead(&h, &b), -1);

    // Copied into a drawing.
    ASSERT_EQ(AltBauOpen(&h, bib.c_str(), "K1"), 0);
    std::string z = o / "K1.001";
    ASSERT_EQ(AltBauNachZeichnung(&h, z.c_str()), 0);
    ZeiDatei zd;
    ASSERT_EQ(ZeiDateiLesend(&zd, z.c_str()), 0);
    std::vector<std::string> texte;
    while (ZeiBefLesen(&zd, &b) == 0) texte.push_back(BefZuText(&b));
    ZeiDateiSchliessen(&zd);
    ASSERT_EQ(texte.size(), 2u);
    EXPECT_EQ(texte[0].substr(0, 3), "KRE");  // the compact circle reads back as KRE
    EXPECT_EQ(texte[1], form("TV 2.5"));

    // An empty library loads and lists nothing.
    std::string leer = o / "BAUTEILE.NUL";
    mtSchreiben(leer, w16(3) + w16(0) + w16(8) + w16(0));
    ASSERT_EQ(AltBibLaden(leer.c_str()), 0);
    AltBauName(leer.c_str(), 0, name, sizeof name);
    EXPECT_STREQ(name, "");
}

TEST_F(Alt, Version2PairReadsAndConverts)
{
    std::string b = kopie("BAUTEILB.AL2");
    std::string n = kopie("BAUTEILN.AL2");
    AltBauHandle h;
    ASSERT_EQ(AltBauOpen(&h, b.c_str(), "EINS"), 0);
    EXPECT_EQ(h.laenge, 4);
    BEF r;
    ASSERT_EQ(AltBauRead(&h, &r), 0);
    EXPECT_EQ(BefZuText(&r), form("TV 1"));
    EXPECT_EQ(AltBauRead(&h, &r), -1);
    AltBibSchliessen();

    static std::vector<std::string> gemeldet;
    gemeldet.clear();
    ASSERT_EQ(AltBibUmsetzen(b.c_str(), [](const char* name) { gemeldet.push_back(name); }), 0);
    EXPECT_EQ(gemeldet, (std::vector<std::string>{"ZWEI", "EINS"}));
    EXPECT_EQ(mtLesen(o / "BAUTEILE.AL2"), mtLesen(mtFixture("UMGESETZT.AL2")));
    EXPECT_FALSE(std::filesystem::exists(b));
    EXPECT_FALSE(std::filesystem::exists(n));
    EXPECT_EQ(o.anzahl(), 1);
    // Nothing more to do once the new library exists.
    EXPECT_EQ(AltBibUmsetzen((o / "BAUTEILB.AL2").c_str(), nullptr), 0);

    ASSERT_EQ(AltBauOpen(&h, (o / "BAUTEILE.AL2").c_str(), "ZWEI"), 0);
    ASSERT_EQ(AltBauRead(&h, &r), 0);
    EXPECT_EQ(BefZuText(&r), form("ZL 1 2"));
}

TEST_F(Alt, FailedConversionKeepsTheSources)
{
    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        SCOPED_TRACE(static_cast<int>(art));
        std::string b = kopie("BAUTEILB.AL2");
        std::string n = kopie("BAUTEILN.AL2");
        {
            PlFehlerScope scope;
            plFehlerSetzen(art, 1, true);
            EXPECT_EQ(AltBibUmsetzen(b.c_str(), nullptr), -1);
        }
        EXPECT_EQ(mtLesen(b), mtLesen(mtFixture("BAUTEILB.AL2")));
        EXPECT_EQ(mtLesen(n), mtLesen(mtFixture("BAUTEILN.AL2")));
        EXPECT_EQ(o.anzahl(), 2);  // no partial "BAUTEILE"
    }
    // A names file missing: nothing converted, nothing removed.
    std::filesystem::remove(o / "BAUTEILN.AL2");
    EXPECT_EQ(AltBibUmsetzen((o / "BAUTEILB.AL2").c_str(), nullptr), -1);
    EXPECT_EQ(o.anzahl(), 1);
}

TEST_F(Alt, BadLibrariesAreRefused)
{
    std::string al3 = mtLesen(mtFixture("BAUTEILE.AL3"));
    std::string v4 = al3, n5001 = al3, indexWeit = al3, datenWeit = al3;
    v4[0] = 4;
    n5001.replace(2, 2, w16(5001));
    indexWeit[4] = 0x50;  // the index would pass the end
    datenWeit[0x40 + 15] = 0x7F;  // MOTOR's length in the index
    std::string bl2 = mtLesen(mtFixture("BAUTEILB.AL2"));
    std::string n1001 = bl2;
    n1001.replace(2, 2, w16(1001));
    struct Fall {
        const char* name;
        const char* datei;
        std::string inhalt;
        int laden;
    } faelle[] = {
        {"Version 4", "BAUTEILE.BAD", v4, -1},
        {"N 5001", "BAUTEILE.BAD", n5001, -1},
        {"Index ueber das Ende", "BAUTEILE.BAD", indexWeit, -1},
        {"Daten ueber das Ende", "BAUTEILE.BAD", datenWeit, 0},
        {"v2 N 1001", "BAUTEILB.AL2", n1001, -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        AltBibSchliessen();
        std::string p = o / f.datei;
        mtSchreiben(p, f.inhalt);
        mtSchreiben(o / "BAUTEILN.AL2", mtLesen(mtFixture("BAUTEILN.AL2")));
        EXPECT_EQ(AltBibLaden(p.c_str()), f.laden);
        AltBauHandle h;
        EXPECT_EQ(AltBauOpen(&h, p.c_str(), "MOTOR"), -1);
        BEF b;
        EXPECT_EQ(AltBauRead(&h, &b), -1);
    }
    EXPECT_EQ(AltBibLaden((o / "BAUTEILE.FEHLT").c_str()), -1);
    AltBibHandle info;
    EXPECT_EQ(AltBibInfo(&info, (o / "BAUTEILE.FEHLT").c_str()), -1);
}

TEST_F(Alt, OldDrawings)
{
    int version = 0;
    int format = 0;
    BEF b;
    ASSERT_EQ(AltZeiOeffnen(kopie("ALTKOPF.ZEI").c_str(), &version, &format), 0);
    EXPECT_EQ(version, 3);
    EXPECT_EQ(format, 't');
    ASSERT_EQ(AltZeiRead(&b), 0);
    EXPECT_EQ(BefZuText(&b), form("ZL 10 0"));
    ASSERT_EQ(AltZeiRead(&b), 0);
    EXPECT_STREQ(BefName(b.code), "ZBW");
    EXPECT_EQ(b.iarg[0], 900);
    EXPECT_STREQ(b.text, "K1");
    EXPECT_EQ(AltZeiRead(&b), -1);
    AltZeiSchliessen();

    ASSERT_EQ(AltZeiOeffnen(kopie("ALTOHNE.ZEI").c_str(), &version, &format), 0);
    EXPECT_EQ(version, 2);
    EXPECT_EQ(format, 'u');
    ASSERT_EQ(AltZeiRead(&b), 0);
    EXPECT_STREQ(BefName(b.code), "TR");
    EXPECT_EQ(b.iarg[0], 90);
    EXPECT_EQ(AltZeiRead(&b), -1);
    AltZeiSchliessen();

    std::string kopf = mtLesen(mtFixture("ALTKOPF.ZEI"));
    std::string ohne = mtLesen(mtFixture("ALTOHNE.ZEI"));
    std::string laengeWeit = kopf, zaehlerWeit = ohne, keinFormat = ohne;
    laengeWeit[4] = 15;  // one byte beyond the file
    zaehlerWeit[0] = 4;
    keinFormat[2] = 81;
    struct Fall {
        const char* name;
        std::string inhalt;
        int ergebnis;
    } faelle[] = {
        {"Kopflaenge ueber das Ende", laengeWeit, -1},
        {"Kopflaenge riesig", kopf.substr(0, 4) + std::string("\xF0\xFF\xFF\x7F", 4) + kopf.substr(8), -1},
        {"Wortzahl ueber das Ende", zaehlerWeit, -1},
        {"128 Bytes zu kurz", ohne + std::string(128, '\0'), 0},
        {"129 Bytes zu kurz", ohne + std::string(129, '\0'), -1},
        {"kein Format zuerst", keinFormat, -1},
        {"leer", "", -1},
    };
    int offen = mtOffeneDateien();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        std::string p = o / "ALT.ZEI";
        mtSchreiben(p, f.inhalt);
        EXPECT_EQ(AltZeiOeffnen(p.c_str(), &version, &format), f.ergebnis);
        AltZeiSchliessen();
        EXPECT_EQ(mtOffeneDateien(), offen);
    }
}

TEST_F(Alt, RecordStreamLimits)
{
    // A long text keeps 35 words and is read to its end; the group element
    // outside 1..11 is a point; RHX carries one more word.
    std::string text(80, 'x');
    std::string recs = w16(20) + w16(60) + w16(40) + text + w16(53) + w16(0x0300 | 12) + w16(58) + w16(1) + "AB" +
                       w16(7) + w16(53) + w16(0) + w16(22) + w16(5);
    std::string p = o / "GRENZ.ZEI";
    mtSchreiben(p, w16(static_cast<int>(recs.size() / 2)) + recs);
    int v = 0;
    int f = 0;
    ASSERT_EQ(AltZeiOeffnen(p.c_str(), &v, &f), 0);
    BEF b;
    ASSERT_EQ(AltZeiRead(&b), 0);
    EXPECT_EQ(std::string(b.text), std::string(70, 'x'));
    ASSERT_EQ(AltZeiRead(&b), 0);
    EXPECT_STREQ(BefName(b.code), "PKT");
    EXPECT_EQ(b.sub, 3);
    ASSERT_EQ(AltZeiRead(&b), 0);
    EXPECT_STREQ(BefName(b.code), "RHX");
    EXPECT_EQ(b.iarg[0], 7);
    EXPECT_STREQ(b.text, "AB");
    ASSERT_EQ(AltZeiRead(&b), 0);
    EXPECT_STREQ(BefName(b.code), "PKT");  // element 0
    ASSERT_EQ(AltZeiRead(&b), 0);
    EXPECT_EQ(BefZuText(&b), form("TV 0.5"));
    EXPECT_EQ(AltZeiRead(&b), -1);
}

struct Umsetzung {
    int code;
    int sub;
    std::vector<int> w;  // w1..w5
    const char* text;
    const char* erwartet;  // the record's text form; "" for no record
    int neuSub;
};

TEST(AltBefUmsetzen, EveryOldCode)
{
    // Codes that keep their mnemonic and lose their arguments.
    const std::pair<int, const char*> ohne[] = {
        {11, "EB"},   {12, "LE"},   {13, "LA"},   {14, "LB"},   {15, "SUV"},  {16, "SUT"},  {17, "SUE"},
        {21, "WH"},   {23, "VRR"},  {25, "SUP"},  {27, "VRV"},  {35, "ELV"},  {36, "ELR"},  {46, "VRZ"},
        {94, "MKT"},  {98, "RZT"},  {114, "CS"},  {115, "CL"},  {116, "CZL"}, {123, "RLG"}, {126, "QVA"},
        {127, "SUA"}, {129, "HZL"}, {135, "ZAK"}, {136, "ZAE"}, {140, "STA"}, {141, "EL1"}, {142, "ATS"},
        {143, "ATA"}, {144, "ATV"}, {145, "ATR"}, {146, "VRA"}, {147, "TDA"}, {148, "FKA"}, {151, "DRU"},
        {153, "CPV"}, {154, "CPR"}, {155, "CFM"}, {156, "LER"}, {157, "LME"}, {159, "ELM"}, {158, "EXP"},
    };
    for (auto [code, name] : ohne) {
        AltSatz a = {};
        a.code = static_cast<uint8_t>(code);
        a.w[1] = 12;
        BEF b;
        AltBefUmsetzen(&a, &b);
        EXPECT_STREQ(BefName(b.code), name) << code;
        EXPECT_EQ(b.iarg[0], 0) << code;
    }

    const Umsetzung faelle[] = {
        {20, 0, {}, "", "ZA3", 0},
        {28, 0, {}, "", "ZA3", 0},
        {24, 0, {}, "", "ZA4", 0},
        {29, 0, {}, "", "ZA4", 0},
        {22, 0, {25}, "", "TV 2.5", 0},
        {26, 3, {}, "", "QVW 3", 0},
        {26, 0, {}, "", "VAR", 0},
        {30, 0, {15}, "", "_MSA 1.5", 0},
        {31, 0, {-5}, "", "TG -0.5", 0},
        {32, 0, {9}, "", "TR 45", 0},
        {32, 0, {5}, "", "TR 0", 0},
        {32, 0, {12}, "", "TR 0", 0},
        {33, 0, {7}, "", "_MR5 0 7", 0},
        {34, 0, {7}, "", "_MR5 1 7", 0},
        {37, 0, {}, "LIB", "BD LIB", 0},
        {50, 0, {}, "T.TXT", "TD T.TXT", 0},
        {57, 0, {}, "T.TXT", "TD T.TXT", 0},
        {51, 0, {}, "S", "SB S", 0},
        {52, 0, {}, "S", "SZ S", 0},
        {42, 0, {}, "H", "HZ H", 0},
        {84, 0, {}, "Z", "ZBZ Z", 0},
        {96, 0, {}, "F", "FEN F", 0},
        {128, 0, {}, "T", "TAU T", 0},
        {133, 0, {}, "T", "TBD T", 0},
        {152, 0, {}, "V", "ZV V", 0},
        {38, 0, {2, 10, 20, 30, 40}, "", "QVB 2 1 2 3 4", 0},
        {39, 0, {2}, "", "_RIC 90", 0},
        {40, 0, {3}, "", "ST 3", 0},
        {41, 0, {3}, "", "SA 3", 0},
        {44, 0, {3}, "", "_SG 3", 0},
        {49, 0, {3}, "", "QVW 3", 0},
        {77, 0, {3}, "", "LAY 3", 0},
        {79, 0, {3}, "", "TS 3", 0},
        {97, 0, {3}, "", "LUP 3", 0},
        {124, 0, {3}, "", "TA 3", 0},
        {125, 0, {3}, "", "TM 3", 0},
        {134, 0, {3}, "", "MFL 3", 0},
        {43, 0, {7}, "", "SL 0.7", 0},
        {53, 0, {1, 50}, "", "_KRE 0 5 5", 0},
        {53, 0, {0x0202, 50}, "", "_KRE 1 5 5", 2},
        {53, 0, {3, 10, 20}, "", "_RTK 0 1 2", 0},
        {53, 0, {4, 10, 20}, "", "_RTK 1 1 2", 0},
        {53, 0, {5}, "", "PKT", 0},
        {53, 0, {6, 0xFE08, 10}, "", "DRE -2 90 1 1 0.866", 0},
        {53, 0, {7, 0x0208, 10}, "", "TKR 0 180 1 1", 0},
        {53, 0, {7, 0x0108, 10}, "", "TKR 45 135 1 1", 0},
        {53, 0, {8, 10, 20}, "", "_KRE 0 1 2", 0},
        {53, 0, {9, 10, 9, 18}, "", "TKR 9 18 1 1", 0},
        {53, 0, {10, 10, 20, 9, 18}, "", "TKR 9 18 1 2", 0},
        {53, 0, {11, 10, 20, 9, 3}, "", "DRE 3 9 0 1 2", 0},
        {54, 0, {}, "M1", "ZB M1", 0},
        {55, 0, {}, "M1", "ZB M1", 0},
        {54, 2, {}, "M1", "ZBW 90 M1", 0},
        {55, 9, {}, "M1", "ZBW 45 M1", 0},
        {58, 0, {4}, "R", "RHX 4 R", 0},
        {59, 0, {4}, "R", "RHY 4 R", 0},
        {60, 1, {}, "a\x84", "TFA a\xE4", 1},
        {62, 0, {}, "a", "TFA a", 0},
        {61, 0, {}, "a", "TFZ a", 0},
        {63, 0, {}, "a", "TFZ a", 0},
        {65, 0, {}, "a", "TSA a", 0},
        {67, 0, {}, "a", "TSA a", 0},
        {66, 0, {}, "a", "TSZ a", 0},
        {68, 0, {}, "a", "TSZ a", 0},
        {70, 0, {}, "a", "TFE a", 0},
        {71, 0, {}, "a", "TSE a", 0},
        {72, 0, {}, "a", "TFM a", 0},
        {73, 2, {}, "a", "TSM a", 2},
        {75, 0, {45}, "", "TR 45", 0},
        {78, 0, {1, 2}, "", "LRA 1 2", 0},
        {80, 0, {10, 20}, "", "BW 1 2", 0},
        {82, 0, {10, 20}, "", "_BA 1 2", 0},
        {83, 0, {10, 20}, "", "_BA 1 2", 0},
        {81, 4, {10, 20}, "", "ZL 1 2", 4},
        {93, 0, {10, 20}, "", "SW 1 2", 0},
        {10, 0, {}, "x", "", 0},
        {160, 0, {}, "", "", 0},
        {99, 0, {1}, "", "", 0},
    };
    for (const Umsetzung& f : faelle) {
        SCOPED_TRACE(f.code);
        AltSatz a = {};
        a.code = static_cast<uint8_t>(f.code);
        a.sub = static_cast<uint8_t>(f.sub);
        for (size_t i = 0; i < f.w.size(); ++i) a.w[1 + i] = static_cast<int16_t>(f.w[i]);
        std::strncpy(a.text, f.text, sizeof a.text - 1);
        BEF b;
        AltBefUmsetzen(&a, &b);
        if (*f.erwartet == '\0') {
            EXPECT_EQ(b.code, 0);
            continue;
        }
        BEF e;
        ASSERT_EQ(TextZuBef(&e, f.erwartet), 0) << f.erwartet;
        e.sub = static_cast<uint8_t>(f.neuSub);
        EXPECT_EQ(BefZuText(&b), BefZuText(&e));
        EXPECT_EQ(b.sub, f.neuSub);
    }
    for (int z = 0; z <= 10; ++z) {
        static const int grad[] = {0, 225, 270, 315, 180, 0, 0, 135, 90, 45, 0};
        EXPECT_EQ(AltRichtung(z), grad[z]) << z;
    }
}

}  // namespace
