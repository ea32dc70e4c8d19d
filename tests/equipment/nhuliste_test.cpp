// Identifiers (levels, templates, counters, placement texts, group texts,
// markers), the counting index against the walk without it, and list lines.
#include <algorithm>

#include "equipment/hauspindex.h"
#include "equipment/utitel.h"
#include "model/textvar.h"
#include "kennung_test.h"

using namespace kenntest;

namespace {

struct Kennung : KennTest {};

TEST_F(Kennung, LevelsMarksPrefixAndSuffix)
{
    starten("BMkenn =@K\n");
    const struct {
        const char* kg;
        int stufe;
        const char* kennung;
    } faelle[] = {
        {"!!3K1", 3, "=K1"},       // level from the third character, template applies
        {"!K1", 9, "K1"},          // marked: literal text
        {"!K@Q1", 9, "K_Q1"},      // a "@Q" in it shown as "_Q"
        {"X<K1", 0, "X=K1"},       // prefix before '<'
        {"K1>Y ", 0, "=K1Y"},      // suffix after '>', right-trimmed
        {"K1@Q", 0, "=K1_Q"},
    };
    for (const auto& f : faelle) {
        const uint32_t id = hauptGeraet(f.kg, 10, 10);
        int stufe = -1;
        EXPECT_EQ(gebaut(id, &stufe), f.kennung) << f.kg;
        EXPECT_EQ(stufe, f.stufe) << f.kg;
    }
    EXPECT_EQ(gebaut(999), "03E7");  // no item record: the id
}

// A "@Q" left in the template would name the identifier itself, whose
// resolution builds it again: it stays "_Q" and the build ends.
TEST_F(Kennung, SelfReferenceOfTheTemplateStops)
{
    starten("BMkenn @K@Q\n");
    const uint32_t id = hauptGeraet("K1", 10, 10);
    EXPECT_EQ(kennung(id), "K1_Q");
}

// "@G" brings in the "BMkenn" template and "@K" the main part, two rounds at
// most, so a template naming "@G" itself still ends.
TEST_F(Kennung, TemplatesNestTwiceAndEnd)
{
    const struct {
        const char* fkenn;
        const char* kennung;
    } faelle[] = {
        {"@K@G", "=K1"},  // the destination's own "@K" goes, the template's stays
        {"X@G", "X=K1"},
        {"@K", "K1"},
    };
    for (const auto& f : faelle) {
        BMZuruecksetzen();
        starten(std::string("BMFkuse0 1\nBMFkenn ") + f.fkenn + "\nBMkenn =@K\n");
        EXPECT_EQ(gebaut(hauptGeraet("K1", 10, 10)), f.kennung) << f.fkenn;
    }
    BMZuruecksetzen();
    starten("BMFkuse0 1\nBMFkenn X@G\nBMkenn @G\n");
    EXPECT_EQ(gebaut(hauptGeraet("K1", 10, 10)), "X@G");
}

// "P^P" is the column and "P^S" the page of the placement; "P>S"/"P<S" the
// pages of the neighbours, "P>P"/"P<P" their cross-reference texts.
TEST_F(Kennung, PositionFormsOfReferences)
{
    starten("SPabst 1000\n");
    ZeiAktSetzen(pfad("Anl.001").c_str());
    const uint32_t id = hauptGeraet("K1", 150, 20, "Anl.001");
    eintrag(id, "Ua", "S", "Anl.001", 10, 20);
    eintrag(id, "Ub", "S", "Anl.001", 250, 20);
    eintrag(id, "Uc", "S", "Anl.001", 30, 20);
    char spalte[41], seite[41], verweis[41];
    ZeiSpalteText(spalte, sizeof spalte, "Anl.001", 150);
    ZeiSeiteText(seite, sizeof seite, "Anl.001");
    QvwVerweisText(verweis, sizeof verweis, "Anl.001", 30, 20);  // Uc; Ua shares its column
    auto aufgeloest = [&](const char* form) {
        char t[200];
        std::snprintf(t, sizeof t, "@Y%04X%s", id, form);
        TextVarErsetzen(t, sizeof t, 0, 0);
        return std::string(t);
    };
    EXPECT_EQ(aufgeloest("P^PH"), spalte);
    EXPECT_EQ(aufgeloest("P^SH"), seite);
    EXPECT_EQ(aufgeloest("P<SH"), seite);  // Ub
    EXPECT_EQ(aufgeloest("P>PH"), verweis);
    EXPECT_EQ(aufgeloest("P>SUc"), "-");
    EXPECT_NE(std::string(spalte), std::string(seite));
    ZeiAktVergessen();
}

TEST_F(Kennung, EquipmentUseOffReadsDashes)
{
    vorgaben("BMuse 0\n");
    BMStart();
    EXPECT_EQ(kennung(1), "---");
}

// Equal identifiers in one column get counters from the greatest y down.
TEST_F(Kennung, CountersByStyleWithAndWithoutIndex)
{
    const struct {
        const char* vgb;
        const char* erwartet[3];
    } faelle[] = {
        {"BMzkenn 0\n", {"K1A", "K1B", "K1C"}},
        {"BMzkenn 0\nBMzkab2 1\n", {"K1", "K1A", "K1B"}},
        {"BMzkenn 1\n", {"K1.A", "K1.B", "K1.C"}},
        {"BMzkenn 5\n", {"K1-1", "K1-2", "K1-3"}},
        {"BMzkenn 7\n", {"K1B", "K1C", "K1D"}},   // other styles: one letter further
        {"BMzkenn 9\n", {"K1", "K1", "K1"}},      // no counter
    };
    for (const auto& f : faelle) {
        BMZuruecksetzen();
        starten(std::string("BMkenn @K@Z\n") + f.vgb);
        const uint32_t a = hauptGeraet("K1", 5, 50);
        const uint32_t c = hauptGeraet("K1", 5, 30);
        const uint32_t b = hauptGeraet("K1", 5, 40);
        hauptGeraet("K2", 5, 45);  // another identifier does not count
        for (int mitIndex = 0; mitIndex < 2; ++mitIndex) {
            if (mitIndex) HbkIndexAufbauen();
            EXPECT_EQ(kennung(a), f.erwartet[0]) << f.vgb << mitIndex;
            EXPECT_EQ(kennung(b), f.erwartet[1]) << f.vgb << mitIndex;
            EXPECT_EQ(kennung(c), f.erwartet[2]) << f.vgb << mitIndex;
        }
        HbkIndexFrei();
    }
}

TEST_F(Kennung, CounterLettersGoOnPastZ)
{
    starten("BMkenn @K@Z\n");
    std::vector<uint32_t> ids;
    for (int i = 0; i < 28; ++i) ids.push_back(hauptGeraet("K", 5, 1000 - i));
    HbkIndexAufbauen();
    EXPECT_EQ(kennung(ids[0]), "KA");
    EXPECT_EQ(kennung(ids[25]), "KZ");
    EXPECT_EQ(kennung(ids[26]), "KAA");
    EXPECT_EQ(kennung(ids[27]), "KAB");
    HbkIndexFrei();
    EXPECT_EQ(kennung(ids[27]), "KAB");
}

// Equal y: the left one counts first; index and walk agree; another column
// or a single item gives 0, and so does an unplaced main component.
TEST_F(Kennung, CountingWithAndWithoutIndexAgree)
{
    starten("SPabst 1000\n");  // columns of 100 units
    const uint32_t rechts = hauptGeraet("Q", 40, 20);
    const uint32_t links = hauptGeraet("Q", 10, 20);
    const uint32_t hoch = hauptGeraet("Q", 30, 80);
    const uint32_t fremd = hauptGeraet("Q", 150, 20);  // column 2
    const uint32_t lose = hauptGeraet("Q", 0, 0, "");
    auto zaehlen = [](uint32_t id) {
        appgeraet g;
        GesHolen(id, &g);
        appbteil h;
        BtlSuchen(id, "H", 0, &h);
        return HbkZaehlen(&g, &h);
    };
    const int erwartet[] = {3, 2, 1, 0, 0};
    const uint32_t ids[] = {rechts, links, hoch, fremd, lose};
    for (int mitIndex = 0; mitIndex < 2; ++mitIndex) {
        if (mitIndex) HbkIndexAufbauen();
        for (int i = 0; i < 5; ++i) EXPECT_EQ(zaehlen(ids[i]), erwartet[i]) << i << " index " << mitIndex;
    }
    EXPECT_EQ(HbkIndexAnzahl(), 5);
    HbkIndexFrei();
}

TEST_F(Kennung, UnplacedMainComponentGivesDashes)
{
    starten("BMkenn @K/@S/@P/@U\n");
    const uint32_t id = hauptGeraet("K1", 0, 0, "");
    char p[41], u[41];
    ZeiSpalteText(p, sizeof p, "", 0);
    QvwPosText(u, sizeof u, "", 0, 0);
    EXPECT_EQ(kennung(id), "K1//" + std::string(std::strlen(p), '-') + "/" + std::string(std::strlen(u), '-'));
    const std::string k = kennung(id);
    EXPECT_EQ(k.find_first_not_of("K1/-"), std::string::npos);
}

TEST_F(Kennung, TitleTokensAndGroupTexts)
{
    starten("BMkenn @TUK2|@TUK|@TUK1|@TPT|@TUA|@TX|@ZK1@K\n");
    UtitelInit();
    projekttext p{};
    UtitelLeerText(&p);
    std::strcpy(p.titel, "PROJ");
    ASSERT_EQ(UtitelProjektSetzen(&p), 0);
    projekttext b{};
    UtitelLeerText(&b);
    std::strcpy(b.kenn, "001");
    std::strcpy(b.anlage, "ANL");
    std::strcpy(b.gruppe[0], "G1");
    std::strcpy(b.gruppe[1], "G2");
    ASSERT_EQ(UtitelBereichSetzen(&b), 0);
    ZeiAktSetzen(pfad("Z.001").c_str());

    const uint32_t id = hauptGeraet("K1", 10, 10);
    // "@ZK1" without the item's own text takes the title record's group text.
    EXPECT_EQ(kennung(id), "G2|G1|G1|PROJ|ANL|@TX|G1K1");
    char mitMarken[HULKENNSUP + 1];
    NhuKennungPosition(mitMarken, sizeof mitMarken, id);
    EXPECT_EQ(std::string(mitMarken), "G2|G1|G1|PROJ|ANL|@TX|\x02G1\x03K1");
    char teil[HULKENNSUP + 1];
    HulMarkenFiltern(teil, sizeof teil, mitMarken, 2);
    EXPECT_STREQ(teil, "G1");
    HulMarkenFiltern(teil, sizeof teil, mitMarken, 1);
    EXPECT_STREQ(teil, "G2|G1|G1|PROJ|ANL|@TX|K1");

    appgeraet g;
    GesHolen(id, &g);
    std::strcpy(g.t6, "EIGEN");
    GesAendern(id, &g);
    EXPECT_EQ(kennung(id), "G2|G1|G1|PROJ|ANL|@TX|EIGENK1");
    UtitelFrei();
    ZeiAktVergessen();
}

TEST_F(Kennung, GroupTokenWithoutValueLeavesNoMarkers)
{
    for (const char* vgb : {"BMkenn [@ZK2]@K\n", "BMkenn [@ZK2]@K\nBMzkNvrw 1\n"}) {
        BMZuruecksetzen();
        starten(vgb);
        const uint32_t id = hauptGeraet("K1", 10, 10);
        char t[HULKENNSUP + 1];
        NhuKennungPosition(t, sizeof t, id);
        EXPECT_STREQ(t, "[]K1") << vgb;
        EXPECT_FALSE(HulHatMarke(t));
    }
}

TEST(KennungTeilen, SplitsAtTheLastSeparator)
{
    const struct {
        const char* text;
        const char* haupt;
        const char* zaehler;
    } faelle[] = {{"K1-2", "K1", "2"}, {"A.B C", "A.B", "C"}, {"-K1", "-K1", ""}, {"K1", "K1", ""}, {"K 1/3", "K 1", "3"}};
    for (const auto& f : faelle) {
        std::string h, z;
        BMKennungTeilen(f.text, h, z);
        EXPECT_EQ(h, f.haupt) << f.text;
        EXPECT_EQ(z, f.zaehler) << f.text;
    }
}

TEST_F(Kennung, ListLinesAreGolden)
{
    starten("BMkenn @K\n");
    const uint32_t kurz = hauptGeraet("K1", 10, 10);
    GtxHauptTextNeu(kurz, 0, "Motor");
    const uint32_t mittel = hauptGeraet("ABCDEFGHIJKL", 10, 10);
    HulBreitenInit(0);
    appgeraet g;
    std::string z;
    GesHolen(kurz, &g);
    HulZeileFormatieren(&g, z, 0, 0, "");
    EXPECT_EQ(z, "K1         Motor" + std::string(64, ' ') + "1          11");
    EXPECT_EQ(HulZeileId(z.c_str()), kurz);
    EXPECT_EQ(HulZeileId("kurz"), 0u);

    GesHolen(kurz, &g);
    HulZeileFormatieren(&g, z, 0, 0, "EX");
    EXPECT_EQ(z, "K1         EX Motor" + std::string(61, ' ') + "1          14");

    GesHolen(mittel, &g);
    std::strcpy(g.tt, "TYP");
    HulZeileFormatieren(&g, z, 1, 0, "");
    EXPECT_EQ(z, "ABCDEFGHIJKL     TYP" + std::string(60, ' ') + "2          17");
    EXPECT_EQ(HulKennBreite(), 12);

    // Position mode 1 lays the position text over the blanks from column 63.
    GesHolen(kurz, &g);
    HulZeileFormatieren(&g, z, 0, 1, "");
    char pos[41];
    QvwPosText(pos, sizeof pos, "001", 10, 10);
    ASSERT_GT(std::strlen(pos), 0u);
    EXPECT_EQ(z.substr(63, std::strlen(pos)), pos);

    HulSpalteSetzen(0, 6);  // column 1 shows T6, the item's lt
    HulBreitenInit(1);
    EXPECT_EQ(konfHaken().hulTextSpalten(), 2);  // config's hook answers from here
    HulZeileLaden(z.c_str());
    char spalte[300];
    EXPECT_EQ(HulSpaltenText(1, spalte, sizeof spalte), 11);
    EXPECT_EQ(std::string(spalte), std::string(11, ' '));
    EXPECT_EQ(std::string(HulZeileText(1)), std::string(11, ' '));  // the list rows' call
    EXPECT_TRUE(HulZeileSuchen("moT", 1));
    EXPECT_FALSE(HulZeileSuchen("moT", 0));
}

}  // namespace

namespace {

std::vector<std::string> codes(void (*lauf)(std::vector<std::string>*))
{
    std::vector<std::string> v;
    lauf(&v);
    return v;
}

void merken(const appbteil* b, void* u)
{
    static_cast<std::vector<std::string>*>(u)->push_back(std::string(b->cd) + std::to_string(b->nr));
}

TEST_F(Kennung, ComponentOrdersOfAnItem)
{
    starten("");
    const uint32_t id = geraet("K1", 0, 1);  // definition number 1: main first
    eintrag(id, "Uaa", "S", "001", 5, 5, 1);
    eintrag(id, "Ub", "S", "", 0, 0, 2);
    eintrag(id, "Ua", "S", "001", 50, 5, 1);
    eintrag(id, "H", "K", "001", 20, 5);
    eintrag(id, "D", "DIS", "", 0, 0);  // not collected
    static uint32_t sid;
    sid = id;
    // Mode 0: main, then sub codes by letter number.
    EXPECT_EQ(codes([](std::vector<std::string>* v) { HulBauteileDurchlaufen(sid, 0, merken, v); }),
              (std::vector<std::string>{"H0", "Ua1", "Ub2", "Uaa1"}));
    // Mode 1: unplaced before placed, placed ones by position.
    EXPECT_EQ(codes([](std::vector<std::string>* v) { HulBauteileDurchlaufen(sid, 1, merken, v); }),
              (std::vector<std::string>{"H0", "Ub2", "Uaa1", "Ua1"}));
    // Mode 2: by placement only.
    EXPECT_EQ(codes([](std::vector<std::string>* v) { HulBauteileDurchlaufen(sid, 2, merken, v); }).front(), "Ub2");  // no drawing sorts first

    // The external sort: main first, unplaced before placed, then code
    // length and code.
    ASSERT_EQ(BtlSortStart(0), 0);
    BtlDurchlaufen(id, [](const appbteil* b, void*) { BtlSortDazu(b); }, nullptr);
    std::vector<std::string> v;
    ASSERT_EQ(BtlSortEnde(merken, &v), 0);
    EXPECT_EQ(v, (std::vector<std::string>{"H0", "D0", "Ub2", "Ua1", "Uaa1"}));
}

}  // namespace
