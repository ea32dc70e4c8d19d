// Generated and attached texts, unassigned placements and the start point
// over the equipment file: a hand-written file read and written back, the
// text operations and the display post-processing.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/reaktion.h"
#include "equipment/btl.h"
#include "equipment/fstx.h"
#include "equipment/ges.h"
#include "equipment/lagerart.h"
#include "equipment/nartikel.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "equipment/projdienst.h"
#include "equipment/utitel.h"
#include "equipment/wse.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "support/bdatei.h"
#include "tests/equipment/bmtest.h"

using namespace bmtest;

namespace {

struct Texte : BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        altX_ = GrundEinst()->zvx;
        altY_ = GrundEinst()->zvy;
        GrundEinst()->zvx = 0;
        GrundEinst()->zvy = 0;
        kopieren("BMittel-texte.zvk", "BMittel.zvk");
        ProjModuleStarten();
        BMStart();
    }
    void TearDown() override
    {
        SprSetzen(0);
        ProjModuleBeenden();
        GrundEinst()->zvx = altX_;
        GrundEinst()->zvy = altY_;
        BmTest::TearDown();
    }
    std::string gtx(uint32_t id, const char* code, int nr, int zeile)
    {
        char t[100];
        GtxTextRoh(id, code, nr, zeile, t, sizeof t);
        return t;
    }
    std::string ztx(uint32_t id, const char* code, int nr, int zeile)
    {
        char t[100];
        ZtxTextHolen(id, code, nr, zeile, t, sizeof t);
        return t;
    }
    int32_t altX_ = 0, altY_ = 0;
};

TEST_F(Texte, HandWrittenSectionsAreReadAndWrittenBackAsTheGoldenFile)
{
    // Id 0000 and lines without 0x1C are dropped, codes cut to 3, a text of
    // 25 characters keeps 20 (trailing blanks removed), the malformed
    // placement line stays as an empty entry, "startxy" counts in any case,
    // and the 14-character name is written whole.
    EXPECT_EQ(GtxAnzahl(0, nullptr, -1), 2);
    EXPECT_EQ(gtx(1, "HXY", 0, 3), "Code lang");
    EXPECT_EQ(ztx(1, "U", 1, 1), "12345678901234567890");
    EXPECT_EQ(ztx(1, "U", 1, 2), "ABCDEFGHIJKLMNOPQRS");
    ASSERT_EQ(WseAnzahl(), 2);
    appwaise w;
    WseNrHolen(1, &w);
    EXPECT_EQ(w.platziert, 0);
    GtxTextNeu(1, "H", 0, 4, "neu");  // something to write
    ASSERT_EQ(BMDateiSchreiben(), 0);
    EXPECT_EQ(lesen(pfad("BMittel.zvk")), lesen(fixture("BMittel-texte-gold.zvk")));

    BmDatenNeuLaden();
    EXPECT_EQ(WsePlatzFreigeben("KLEMME-LANG-14", "Plan.001", 12.5, 33.5), 1);
}

TEST_F(Texte, FileWrittenAtStartPointZeroAndReadAtTenMovesEveryPlacement)
{
    GrundEinst()->zvx = 100;  // tenths: 10 mm
    BmDatenNeuLaden();
    appbteil h;
    ASSERT_EQ(BtlSuchen(1, "H", 0, &h), 1);
    EXPECT_DOUBLE_EQ(h.x, 60);
    EXPECT_DOUBLE_EQ(h.y, 100);
    appwaise w;
    WseNrHolen(0, &w);
    EXPECT_DOUBLE_EQ(w.x, 22);
    EXPECT_DOUBLE_EQ(w.y, 34);
    // Written back, the file holds the point in force: no second shift.
    ASSERT_EQ(BMDateiSchreiben(), 0);
    BmDatenNeuLaden();
    ASSERT_EQ(BtlSuchen(1, "H", 0, &h), 1);
    EXPECT_DOUBLE_EQ(h.x, 60);
}

TEST_F(Texte, FailedWriteKeepsTheChangedMarksOfTheTextsAndPlacements)
{
    GtxTextNeu(1, "H", 0, 5, "g");
    ZtxAnfuegen(1, "H", 0, "z");
    appwaise w{};
    std::strcpy(w.name, "NEU");
    WseAnlegen(&w);
    plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
    EXPECT_EQ(BMDateiSchreiben(), -1);
    EXPECT_TRUE(GtxGeaendert());
    EXPECT_TRUE(ZtxGeaendert());
    EXPECT_TRUE(WseGeaendert());
    plFehlerAllesAus();
    EXPECT_EQ(BMListenSpeichern(1), 0);
    EXPECT_FALSE(GtxGeaendert() || ZtxGeaendert() || WseGeaendert());
}

TEST_F(Texte, AttachedTextsTakeTheNextLineAndTheNextNumber)
{
    ZtxAnfuegen(2, "Ua", 1, "x");
    ZtxTextSetzen(2, "Ua", 1, 5, "fuenf");  // line 5 asked, line 2 given
    EXPECT_EQ(ztx(2, "Ua", 1, 2), "fuenf");
    EXPECT_EQ(ztx(2, "Ua", 1, 5), "");
    ZtxTextSetzen(2, "Ua", 1, 2, " ");       // blank deletes
    EXPECT_EQ(ztx(2, "Ua", 1, 2), "");

    ZtxAnfuegen(3, "H", 0, "3");
    ZtxAnfuegen(3, "U", 1, "12");
    ZtxAnfuegen(3, "U", 2, "X");
    EXPECT_EQ(ZtxNaechsteNummer(3), 13);
    EXPECT_EQ(ZtxNaechsteNummer(4), 1);
}

TEST_F(Texte, OtherLanguageStoresATranslationAndKeepsTheBaseText)
{
    GtxTextSetzen(1, "H", 0, 1, "Basis");
    ZtxTextSetzenSpr(1, "U", 1, 1, "Basis-Z");
    SprSetzen(2);
    GtxTextSetzen(1, "H", 0, 1, "Antrieb 2");
    ZtxTextSetzenSpr(1, "U", 1, 1, "Klemme 2");
    EXPECT_EQ(gtx(1, "H", 0, 1), "Antrieb 2");
    EXPECT_EQ(ztx(1, "U", 1, 1), "Klemme 2");
    SprSetzen(0);
    EXPECT_EQ(gtx(1, "H", 0, 1), "Basis");
    EXPECT_EQ(ztx(1, "U", 1, 1), "Basis-Z");
}

TEST_F(Texte, DeletingAComponentsTextsTakesAllItsAdjacentEntries)
{
    for (int z = 1; z <= 3; ++z) GtxTextNeu(7, "Ua", 1, z, "t");
    GtxTextNeu(7, "Ub", 1, 1, "bleibt");
    GtxBauteilLoeschen(7, "Ua", 1);
    EXPECT_EQ(GtxAnzahl(7, "Ua", 1), 0);
    EXPECT_EQ(gtx(7, "Ub", 1, 1), "bleibt");
}

// Both lists sort by id, then code by bytes, then number, then line; texts
// of one key keep the order they had.
TEST_F(Texte, SortingOrdersTheTextsByIdCodeNumberAndLine)
{
    struct Satz {
        uint32_t id;
        const char* code;
        int nr, zeile;
        const char* text;
    };
    const Satz saetze[] = {{0x101, "H", 0, 0, "a"}, {0x100, "U", 2, 0, "b"},  {0x100, "U", 1, 10, "c"},
                           {0x100, "H", 3, 1, "d"}, {0x100, "U", 1, 9, "e"},  {0x100, "Uk", 0, 0, "f"},
                           {0x100, "U", 1, 9, "g"}, {0x100, "UK", 0, 0, "h"}, {0x100, "U", -1, 20, "i"}};
    for (const Satz& s : saetze) {
        GtxTextNeu(s.id, s.code, s.nr, s.zeile, s.text);
        appztext z{};
        z.id = s.id;
        std::strcpy(z.code, s.code);
        z.nr = s.nr;
        z.zeile = s.zeile;
        std::strcpy(z.text, s.text);
        ASSERT_EQ(ZtxAnhaengen(&z), 0);
    }
    GtxSortieren();
    ZtxSortieren();
    std::string g, z;
    GtxDurchlaufen(0, nullptr, -1, 0, [](const appgtext* t, void* u) {
        if (t->id >= 0x100) *static_cast<std::string*>(u) += t->text;
    }, &g);
    ZtxDurchlaufen(0, nullptr, -1, 0, [](const appztext* t, void* u) {
        if (t->id >= 0x100) *static_cast<std::string*>(u) += t->text;
    }, &z);
    EXPECT_EQ(g, "diegcbhfa");
    EXPECT_EQ(z, "diegcbhfa");
}

// The text sections are kept as lines and become records on first use.
// That parse keeps the reading rules (id 0 and lines without 0x1C dropped,
// at most 19,999 records, counting kept ones only), a reload or a restored
// snapshot replaces lines never parsed, and a sort or a write that comes
// first sees the file's records.
TEST_F(Texte, TextLinesParsedOnFirstUseKeepTheRulesOfAParseWhileReading)
{
    const auto gz = [](uint32_t id, const char* code, int nr, int zeile, const std::string& text) {
        char k[16];
        std::snprintf(k, sizeof k, "%04X", id);
        return std::string(k) + "\x1c" + code + "\x1c" + std::to_string(nr) + "\x1c" + std::to_string(zeile) + "\x1c" +
               text + "\n";
    };
    const auto datei = [](const std::string& g, const std::string& z) {
        return "zvkA\n)S Ges\n)S Btl\n)S Gtx\n" + g + ")S Ztx\n" + z + ")S Wse\n)S Vgb\n)E\n";
    };
    const auto alle = [](bool zusatz) {
        std::string s;
        if (zusatz) {
            ZtxDurchlaufen(0, nullptr, -1, 0, [](const appztext* t, void* u) {
                *static_cast<std::string*>(u) += std::to_string(t->id) + t->code + std::to_string(t->nr) + ":" +
                                                 std::to_string(t->zeile) + "=" + t->text + ",";
            }, &s);
        } else {
            GtxDurchlaufen(0, nullptr, -1, 0, [](const appgtext* t, void* u) {
                *static_cast<std::string*>(u) += std::to_string(t->id) + t->code + std::to_string(t->nr) + ":" +
                                                 std::to_string(t->zeile) + "=" + t->text + ",";
            }, &s);
        }
        return s;
    };
    // File A, unsorted, with what the parse drops and cuts.
    const std::string a = datei(gz(9, "H", 0, 2, "neun zwei") + "; Kommentar\n" + gz(0, "H", 0, 1, "null") +
                                    "ohne Trenner\n" + gz(9, "HXYZ", 0, 1, std::string(45, 'g') + "   ") +
                                    "   " + gz(3, " U", 1, 1, "drei"),
                                gz(7, "U", 1, 1, std::string(25, 'z')) + gz(0, "U", 1, 1, "null") + gz(2, "U", 1, 1, "zwei"));
    const std::string aGtx = "9H0:2=neun zwei,9HXY0:1=" + std::string(40, 'g') + ",3U1:1=drei,";
    const std::string aZtx = "7U1:1=" + std::string(20, 'z') + ",2U1:1=zwei,";
    const std::string b = datei(gz(5, "H", 0, 1, "fuenf"), gz(6, "U", 1, 1, "sechs"));
    schreiben(pfad("BMittel.zvk"), a);
    BMDateiLesen();
    EXPECT_EQ(alle(false), aGtx);
    EXPECT_EQ(alle(true), aZtx);

    // A reload before any use forgets the first file's lines.
    schreiben(pfad("BMittel.zvk"), a);
    BMDateiLesen();
    schreiben(pfad("BMittel.zvk"), b);
    BMDateiLesen();
    EXPECT_EQ(alle(false), "5H0:1=fuenf,");
    EXPECT_EQ(alle(true), "6U1:1=sechs,");

    // A snapshot restored over lines not parsed yet replaces them.
    std::vector<char> g(static_cast<size_t>(GtxSichern(nullptr))), z(static_cast<size_t>(ZtxSichern(nullptr)));
    GtxSichern(g.data());
    ZtxSichern(z.data());
    schreiben(pfad("BMittel.zvk"), a);
    BMDateiLesen();
    GtxHerstellen(g.data());
    ZtxHerstellen(z.data());
    EXPECT_EQ(alle(false), "5H0:1=fuenf,");
    EXPECT_EQ(alle(true), "6U1:1=sechs,");

    // The same straight through the section reader, without the store's
    // reset in between.
    const auto abschnitt = [&](const std::string& zeilen) {
        schreiben(pfad("abschnitt.txt"), zeilen + ")S Ztx\n");
        BDAT d;
        ASSERT_GE(bdopenlesen(&d, pfad("abschnitt.txt").c_str()), 0);
        GtxAbschnittLesen(&d);
        bdclose(&d);
    };
    abschnitt(gz(1, "H", 0, 1, "eins"));
    abschnitt(gz(2, "H", 0, 1, "zwei"));
    EXPECT_EQ(alle(false), "2H0:1=zwei,");

    // A sort as the first use orders the file's records.
    BMDateiLesen();
    GtxSortieren();
    ZtxSortieren();
    EXPECT_EQ(alle(false), "3U1:1=drei,9H0:2=neun zwei,9HXY0:1=" + std::string(40, 'g') + ",");
    EXPECT_EQ(alle(true), "2U1:1=zwei,7U1:1=" + std::string(20, 'z') + ",");

    // A write as the first use writes the file's records.
    BMDateiLesen();
    GtxTextNeu(4, "H", 0, 1, "vier");  // something to write
    ASSERT_EQ(BMDateiSchreiben(), 0);
    const std::string geschrieben = lesen(pfad("BMittel.zvk"));
    EXPECT_NE(geschrieben.find(")S Gtx\n" + gz(9, "H", 0, 2, "neun zwei") + gz(9, "HXY", 0, 1, std::string(40, 'g')) +
                               gz(3, "U", 1, 1, "drei") + gz(4, "H", 0, 1, "vier") + ")S Ztx\n" +
                               gz(7, "U", 1, 1, std::string(20, 'z')) + gz(2, "U", 1, 1, "zwei") + ")S Wse"),
              std::string::npos)
        << geschrieben;

    // The cap counts kept records only: 20,001 lines with an id-0 line
    // among the first ones keep the first 19,999 with an id.
    std::string viele;
    viele += gz(0, "H", 0, 1, "null");
    for (int i = 1; i <= 20001; ++i) viele += gz(static_cast<uint32_t>(i), "H", 0, 1, "t" + std::to_string(i));
    schreiben(pfad("BMittel.zvk"), datei(viele, viele));
    BMDateiLesen();
    EXPECT_EQ(GtxAnzahl(0, nullptr, -1), 19999);
    EXPECT_EQ(gtx(19999, "H", 0, 1), "t19999");
    EXPECT_EQ(gtx(20000, "H", 0, 1), "");
    EXPECT_EQ(ztx(19999, "H", 0, 1), "t19999");
    EXPECT_EQ(ztx(20000, "H", 0, 1), "");
    // A full list refuses an append.
    GtxTextNeu(1, "H", 0, 2, "mehr");
    EXPECT_EQ(GtxAnzahl(0, nullptr, -1), 19999);
}

TEST_F(Texte, PostProcessingTable)
{
    ZeiKopf kopf{};
    std::strcpy(kopf.titel[0], "Kurz0");
    std::strcpy(kopf.titel[1], "Kurz1");
    ZeiKopfEintragen("001", &kopf);
    const std::string lang(90, 'x'), lang80(80, 'x');
    struct Fall {
        const char* ein;
        const char* aus;
    } faelle[] = {
        {"@BX Text", " BX Text"},    // not P, K, F: the '@' goes
        {"@T Ende", "Kurz0Ende"},    // blank: short text 0, blank gone
        {"A@T1B", "AKurz1B"},
        {"@T7", "@T7"},              // not 0..4: unchanged
        {"zuletzt @T", "zuletzt Kurz0"},  // at the very end two characters
        {lang.c_str(), lang80.c_str()},
    };
    for (const Fall& f : faelle) {
        char t[200];
        std::strcpy(t, f.ein);
        GtxNachbearbeiten(t, sizeof t, 1, "H", 0);
        EXPECT_STREQ(t, f.aus) << f.ein;
    }
    // "@G" and "@Q" become references and are expanded at once; "@Q"
    // without its flag stays in the text.
    char g[200] = "@G", q[200] = "@Q", r[200];
    GtxNachbearbeiten(g, sizeof g, 1, "H", 0);
    GtxNachbearbeiten(q, sizeof q, 1, "H", 0);
    char erwartet[200] = "@Y0001B";
    TextVarErsetzen(erwartet, sizeof erwartet, 50, 100);
    EXPECT_STRNE(erwartet, "@Y0001B");
    EXPECT_STREQ(g, erwartet);
    EXPECT_STREQ(q, erwartet);
    std::strcpy(r, "@Q");
    EXPECT_EQ(ArtKuerzelErsetzen(r, sizeof r, 1, "H", 0, 0, 0), 0);
    EXPECT_STREQ(r, "@Q");
}

TEST_F(Texte, ArticleFieldsOfAnItemComeThroughTheEquipmentServices)
{
    // The item's stock article names the article; the texts are resolved by
    // the services the store registers, as in the program.
    vorgaben("BMuse 1\nLaDatei art.zvk\n");
    schreiben(pfad("art.zvk"), "zvkL\n)S Art\nA-17\x1cSch\xFCtz\x1c" "230 V\n)S Stl\n)E\n");
    LagerLaden();
    appgeraet g;
    ASSERT_EQ(GesHolen(1, &g), 0);
    std::strcpy(g.lt, "A-17");
    ASSERT_EQ(GesAendern(1, &g), 0);
    struct Fall {
        const char* ein;
        const char* aus;
    } faelle[] = {{"@L1", "A-17"}, {"@L2", "Sch\xFCtz"}, {"@L3", "230 V"}, {"@L4", ""}};
    for (const Fall& f : faelle) {
        char t[200];
        std::strcpy(t, f.ein);
        GtxNachbearbeiten(t, sizeof t, 1, "H", 0);  // "@L2" -> "@Y0001L2" -> the field
        EXPECT_STREQ(t, f.aus) << f.ein;
        std::strcpy(t, f.ein);
        LRefAufloesen(1, t, sizeof t);
        EXPECT_STREQ(t, f.aus) << f.ein;
    }
    // An item without an article gives empty texts.
    char t[200] = "@L2";
    LRefAufloesen(2, t, sizeof t);
    EXPECT_STREQ(t, "");
    LagerFrei();
}

TEST_F(Texte, SnapshotsRestoreTextsAndPlacements)
{
    ASSERT_EQ(GtxAnzahl(0, nullptr, -1), 2);  // loads the file; packers take the lists as they are
    ASSERT_EQ(GtxSichern(nullptr), 4 + 2 * 60);
    ASSERT_EQ(ZtxSichern(nullptr), 4 + 2 * 40);
    std::vector<char> g(static_cast<size_t>(GtxSichern(nullptr))), z(static_cast<size_t>(ZtxSichern(nullptr))),
        w(static_cast<size_t>(WsePacken(nullptr)));
    GtxSichern(g.data());
    ZtxSichern(z.data());
    WsePacken(w.data());
    GtxLoeschen(1);
    ZtxLoeschen(1);
    WseNrLoeschen(0);
    GtxHerstellen(g.data());
    ZtxHerstellen(z.data());
    WseEntpacken(w.data());
    EXPECT_EQ(gtx(1, "H", 0, 1), "Hauptantrieb");
    EXPECT_EQ(ztx(1, "U", 1, 2), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(WseAnzahl(), 2);
    EXPECT_TRUE(GtxGeaendert());
}

}  // namespace
