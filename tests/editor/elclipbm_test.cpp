// The transfer drawing of an equipped component: its equipment block as the
// copy writes it, in text form against a golden file.
#include <cstdlib>
#include <cstring>

#include "editor/befausf.h"
#include "editor/elclip.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nzustext.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/zeichnun.h"
#include "config/reaktion.h"
#include "editor/edmeld.h"
#include "tests/equipment/bmtest.h"

namespace {

struct ElClipBm : bmtest::BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        BMStart();
        EdHakenStandard();
        BefZuruecksetzen();
        TzEnde();
        TzInit();
        BefQueueInit();
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
        EdHakenStandard();
        BmTest::TearDown();
    }
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
    if (std::getenv("VELMO_GOLDEN_SCHREIBEN")) bmtest::schreiben(std::string(VELMO_TEST_DATA) + "/editor/transfer.txt", bmtest::lesen(txt));
    EXPECT_EQ(bmtest::lesen(txt), bmtest::lesen(std::string(VELMO_TEST_DATA) + "/editor/transfer.txt"));
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

TEST_F(ElClipPaste, ATypeWhoseFlagIsOffPastesAPlainComponent)
{
    BefFlags()->bmk[0] = 0;
    ElEinfuegen(1, transfer.c_str());
    EXPECT_EQ(TzAnzahl(), 1);
    EXPECT_EQ(GesAnzahl(), 1);
}

}  // namespace
