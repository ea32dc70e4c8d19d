// The transfer drawing of an equipped component: its equipment block as the
// copy writes it, in text form against a golden file.
#include <cstdlib>
#include <cstring>

#include "editor/befausf.h"
#include "editor/elclip.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/zeichnun.h"
#include "config/reaktion.h"
#include "editor/edmeld.h"
#include "tests/platform/golden_pruef.h"
#include "tests/equipment/bmtest.h"
#include "tests/model/edprotokoll.h"

namespace {

struct ElClipBm : bmtest::BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        BMStart();
        EdProtokollStarten();
        BefZuruecksetzen();
        TzEnde();
        TzInit();
        BefQueueInit();
        // The transfer file carries the sheet format: A4 sheets, whatever
        // settings an earlier test read.
        einstVorher = *EdEinst();
        EdEinst()->a3a4 = 'u';
        BefAusfInit();
        STT s;
        SttInit(&s, nullptr);
        s.mass = s.msm = s.msf = 1.0;
        s.x = s.y = 0;
        ZustandSetzen(&s);
        BefStartZustandSetzen(&s);
        for (int l = 1; l <= LAYERSUP; ++l) LayerSichtSetzen(l, 1);
        EdProtokollHolen().zeiName = pfad("Anlage.005");
    }
    void TearDown() override
    {
        BefQueueFrei();
        TzEnde();
        EdProtokollStarten();
        *EdEinst() = einstVorher;
        BmTest::TearDown();
    }
    EDEINST einstVorher{};
    // Item 1 (text lt, identifier "-E1") with its main entry placed under
    // the marked component "M1" at (100, 50) of this drawing; the position
    // is (90, 40), where the copy is made.
    void bauteilMitGeraet(const char* lt)
    {
        ASSERT_EQ(GesAnlegen(0, lt), 1u);
        appgeraet g;
        ASSERT_EQ(GesHolen(1, &g), 0);
        std::snprintf(g.kg, sizeof g.kg, "-E1");
        ASSERT_EQ(GesAendern(1, &g), 0);
        appbteil b{};
        b.id = 1;
        std::strcpy(b.cd, "H");
        std::strcpy(b.bl, "M1");
        std::strcpy(b.ze, "005");
        b.platziert = 1;
        b.x = 100;
        b.y = 50;
        ASSERT_EQ(BtlEintragAnhaengen(&b), 0);
        bauteilZeichnen();
    }
    // The marked component "M1" at (100, 50), the position at (90, 40).
    void bauteilZeichnen()
    {
        BEF zb{};
        zb.code = 80;
        BefTextSetzen(&zb, "M1");
        STT s = *BefAktZustand();
        s.x = 100;
        s.y = 50;
        TzMarkSetzen(TzEinfuegenRoh(&zb, &s), 1);
        BefAktZustand()->x = 90;
        BefAktZustand()->y = 40;
    }
};

TEST_F(ElClipBm, TheTransferFileOfAnEquippedComponentHoldsItsEquipmentBlock)
{
    bauteilMitGeraet("Lampe");
    ZtxTextSetzen(1, "H", 0, 2, "Decke");
    appbteil d{};
    d.id = 1;
    std::strcpy(d.cd, "D");
    std::strcpy(d.bl, "UV1");
    ASSERT_EQ(BtlEintragAnhaengen(&d), 0);
    const std::string zvk = pfad("velm.zvk"), txt = pfad("velm.txt");
    ASSERT_EQ(ZeiDateiSchreiben(zvk.c_str(), 1, 1, 0), 0);
    ASSERT_EQ(ZeiAlsText(zvk.c_str(), txt.c_str()), 0);
    EXPECT_TRUE(golden::text(std::string(VELMO_TEST_DATA) + "/editor/transfer.txt", bmtest::lesen(txt)));
}

// The `_BMC` records of one sub-kind in the transfer file of the marked
// objects, as text lines.
std::vector<std::string> bmcZeilen(const std::string& ordner, int sub)
{
    const std::string zvk = ordner + "/unter.zvk", txt = ordner + "/unter.txt";
    EXPECT_EQ(ZeiDateiSchreiben(zvk.c_str(), 1, 1, 0), 0);
    EXPECT_EQ(ZeiAlsText(zvk.c_str(), txt.c_str()), 0);
    std::vector<std::string> z;
    const std::string kopf = "_BMC " + std::to_string(sub) + " ";
    std::string t = bmtest::lesen(txt), zeile;
    for (char c : t) {
        if (c != '\n') { if (c != '\r') zeile += c; continue; }
        if (zeile.rfind(kopf, 0) == 0) z.push_back(zeile);
        zeile.clear();
    }
    return z;
}

// A sub-text is a Gtx line numbered by the line of its generated text; the
// lines numbered like the component itself, or like another component entry
// of the item, are those components' own texts and no sub-texts.
TEST_F(ElClipBm, OnlyTheLinesNumberedByAGeneratedTextAreItsSubTexts)
{
    bauteilMitGeraet("Lampe");
    appbteil h{};
    ASSERT_EQ(BtlSuchen(1, "H", 0, &h), 1);
    h.platziert = 0;
    ASSERT_EQ(BtlEintragAendern(1, "H", 0, &h), 1);
    for (int nr : {1, 2}) {
        appbteil u{};
        u.id = 1;
        std::strcpy(u.cd, "Uk");
        u.nr = nr;
        std::strcpy(u.bl, "M1");
        std::strcpy(u.ze, "005");
        u.platziert = nr == 1;
        u.x = 100;
        u.y = 50;
        ASSERT_EQ(BtlEintragAnhaengen(&u), 0);
    }
    for (const char* t : {"eins", "zwei", "drei"}) ZtxTextSetzen(1, "Uk", 1, 0, t);   // lines 1, 2, 3
    GtxTextSetzenBasis(1, "Uk", 1, 4, "eigen");   // the component's own line
    GtxTextSetzenBasis(1, "Uk", 2, 4, "Uk2");     // the other entry's line
    GtxTextSetzenBasis(1, "Uk", 3, 5, "unter");
    EXPECT_EQ(bmcZeilen(pfad(""), 3), std::vector<std::string>{"_BMC 3 4 0 100,0000 50,0000 \"eigen\""});
    EXPECT_EQ(bmcZeilen(pfad(""), 5), std::vector<std::string>{"_BMC 5 5 3 100,0000 50,0000 \"unter\""});
}

// The component with an item of type "LAMPE" from the definition, copied
// into a transfer file; then the drawing is emptied and the position is
// (200, 100).
struct ElClipPaste : ElClipBm {
    std::string transfer;
    void SetUp() override
    {
        ElClipBm::SetUp();
        for (int32_t& f : BefFlags()->bmk) f = 1;
        PhDefinitionenSetzen({{"M1", "LAMPE", "-E", "", "Leuchte", 0, 0, {}}});
        bauteilMitGeraet("Flur");
        transfer = pfad("velm.001");
        ASSERT_EQ(ZeiDateiSchreiben(transfer.c_str(), 1, 1, 0), 0);
        TzLeeren();
        BefAktZustand()->x = 200;
        BefAktZustand()->y = 100;
    }
    appbteil haupt(uint32_t id)
    {
        appbteil h{};
        EXPECT_EQ(BtlSuchen(id, "H", 0, &h), 1) << id;
        return h;
    }
};

TEST_F(ElClipPaste, AnUnplacedMainEntryIsPlacedAgainWithoutANewItem)
{
    appbteil h = haupt(1);
    h.platziert = 0;
    ASSERT_EQ(BtlEintragAendern(1, "H", 0, &h), 1);
    ElEinfuegen(1, transfer.c_str());
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(GesAnzahl(), 1);
    h = haupt(1);
    EXPECT_EQ(h.platziert, 1);
    EXPECT_EQ(h.x, 210);
    EXPECT_EQ(h.y, 110);
}

TEST_F(ElClipPaste, APlacedItemGivesANewItemFromItsDefinition)
{
    ElEinfuegen(1, transfer.c_str());
    ASSERT_EQ(GesAnzahl(), 2);
    appgeraet g;
    ASSERT_EQ(GesHolen(2, &g), 0);
    EXPECT_STREQ(g.tt, "LAMPE");
    EXPECT_STREQ(g.lt, "Flur");
    EXPECT_STREQ(g.kg, "-E1") << "the pasted identifier";
    appbteil h = haupt(2);
    EXPECT_EQ(h.x, 210);
    EXPECT_STREQ(h.bl, "M1");
    EXPECT_EQ(haupt(1).x, 100) << "the original stays";
}

TEST_F(ElClipPaste, AnUnknownTypeCopiesTheItemAndNamesTheMissingDefinition)
{
    PhDefinitionenSetzen({});
    ElEinfuegen(1, transfer.c_str());
    ASSERT_EQ(GesAnzahl(), 2);
    EXPECT_EQ(haupt(2).x, 210);
    char t[200];
    std::snprintf(t, sizeof t, TextNr(59 + 1000), "LAMPE");
    EXPECT_STREQ(StatusLetzterText(), t);
}

// Neither the type nor the item is known: a new item from the pasted record,
// its main entry placed where the paste puts it, its "D" entry named as the
// copy's and typed like its main entry.
TEST_F(ElClipPaste, AnUnknownTypeOfAMissingItemMakesOneFromThePastedRecord)
{
    appbteil h = haupt(1);
    std::strcpy(h.tt, "LAMPE");
    ASSERT_EQ(BtlEintragAendern(1, "H", 0, &h), 1);
    appbteil d{};
    d.id = 1;
    std::strcpy(d.cd, "D");
    std::strcpy(d.bl, "UV1");
    ASSERT_EQ(BtlEintragAnhaengen(&d), 0);
    bauteilZeichnen();
    ASSERT_EQ(ZeiDateiSchreiben(transfer.c_str(), 1, 1, 0), 0);
    TzLeeren();
    BefAktZustand()->x = 200;
    BefAktZustand()->y = 100;
    BtlEintraegeLoeschen(1);
    GesLoeschen(1);
    ASSERT_EQ(GesAnzahl(), 0);
    PhDefinitionenSetzen({});

    ElEinfuegen(1, transfer.c_str());
    ASSERT_EQ(GesAnzahl(), 1);
    appgeraet g;
    ASSERT_EQ(GesHolen(1, &g), 0);
    EXPECT_STREQ(g.tt, "LAMPE");
    EXPECT_STREQ(g.lt, "Flur");
    EXPECT_STREQ(g.kg, "-E1");
    h = haupt(1);
    EXPECT_EQ(h.platziert, 1);
    EXPECT_STREQ(h.bl, "M1");
    EXPECT_STREQ(h.ze, "005");
    EXPECT_EQ(h.x, 210);
    EXPECT_EQ(h.y, 110);
    ASSERT_EQ(BtlSuchen(1, "D", 0, &d), 1);
    EXPECT_STREQ(d.bl, "UV1");
    EXPECT_STREQ(d.tt, "LAMPE");
    EXPECT_EQ(d.platziert, 0);
    EXPECT_EQ(BtlSuchen(1, "P", 0, &d), 0) << "no principle name, no entry";
}

TEST_F(ElClipPaste, ATypeWhoseFlagIsOffPastesAPlainComponent)
{
    BefFlags()->bmk[0] = 0;
    ElEinfuegen(1, transfer.c_str());
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(GesAnzahl(), 1);
}

// Generated texts with their sub-texts, attached texts: copied with the
// item and pasted onto a new one, every text keeps its number and line.
TEST_F(ElClipPaste, SubTextsComeBackUnderTheLinesOfTheirGeneratedTexts)
{
    TzLeeren();
    bauteilZeichnen();
    ZtxTextSetzen(1, "H", 0, 0, "Decke");   // line 1
    ZtxTextSetzen(1, "H", 0, 0, "Wand");    // line 2
    GtxTextSetzenBasis(1, "H", 0, 7, "Haupt");
    GtxTextSetzenBasis(1, "H", 1, 3, "D3");
    GtxTextSetzenBasis(1, "H", 2, 1, "W1");
    GtxTextSetzenBasis(1, "H", 2, 4, "W4");
    ASSERT_EQ(ZeiDateiSchreiben(transfer.c_str(), 1, 1, 0), 0);
    TzLeeren();
    BefAktZustand()->x = 200;
    BefAktZustand()->y = 100;
    ElEinfuegen(1, transfer.c_str());
    ASSERT_EQ(GesAnzahl(), 2);
    struct Fall {
        bool gtx;
        int nr, zeile;
        const char* text;
    };
    for (const Fall& f : {Fall{false, 0, 1, "Decke"}, Fall{false, 0, 2, "Wand"}, Fall{true, 0, 7, "Haupt"},
                          Fall{true, 1, 3, "D3"}, Fall{true, 2, 1, "W1"}, Fall{true, 2, 4, "W4"}}) {
        char t[64] = "";
        if (f.gtx) GtxTextRoh(2, "H", f.nr, f.zeile, t, sizeof t);
        else ZtxTextHolen(2, "H", f.nr, f.zeile, t, sizeof t);
        EXPECT_STREQ(t, f.text) << (f.gtx ? "Gtx " : "Ztx ") << f.nr << "/" << f.zeile;
    }
}

}  // namespace
