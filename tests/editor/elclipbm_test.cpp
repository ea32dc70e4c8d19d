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
};

TEST_F(ElClipBm, TheTransferFileOfAnEquippedComponentHoldsItsEquipmentBlock)
{
    ASSERT_EQ(GesAnlegen(0, "Lampe"), 1u);
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
    ZtxTextSetzen(1, "H", 0, 2, "Decke");

    BEF zb{};
    zb.code = 80;
    BefTextSetzen(&zb, "M1");
    STT s = *BefAktZustand();
    s.x = 100;
    s.y = 50;
    int id = TzEinfuegenRoh(&zb, &s);
    TzMarkSetzen(id, 1);
    BefAktZustand()->x = 90;
    BefAktZustand()->y = 40;
    const std::string zvk = pfad("velm.zvk"), txt = pfad("velm.txt");
    ASSERT_EQ(ZeiDateiSchreiben(zvk.c_str(), 1, 1, 0), 0);
    ASSERT_EQ(ZeiAlsText(zvk.c_str(), txt.c_str()), 0);
    if (std::getenv("VELMO_GOLDEN_SCHREIBEN")) bmtest::schreiben(std::string(VELMO_TEST_DATA) + "/editor/transfer.txt", bmtest::lesen(txt));
    EXPECT_EQ(bmtest::lesen(txt), bmtest::lesen(std::string(VELMO_TEST_DATA) + "/editor/transfer.txt"));
}

}  // namespace
