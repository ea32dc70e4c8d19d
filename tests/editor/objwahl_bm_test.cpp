// Picks that bring a component's equipment item, over an equipment fixture.
#include "editor/objwahl.h"

#include "model/edhaken.h"
#include "tests/editor/eqtexttest.h"
#include "tests/model/edprotokoll.h"

namespace {

struct ObjWahlBm : EqDatenTest {
    void SetUp() override
    {
        EqDatenTest::SetUp();
        bauteil("MOT", {tzRec(TZ_ZL, {4, 0}), tzRec(TZ_ZL, {0, 4}), tzRec(ET_BW, {-4, -4})});
        geraet(1, 0);
        eintrag(1, "H", 0, "MOT", "", "S1", 10, 10);
        EdProtokollHolen().zeiName = "Anlage.S1";  // placed entries name the extension
    }
    int motor(double x, double y)
    {
        BEF b = tzRec(TZ_ZB, {}, "MOT");
        STT s = bei(x, y);
        return TzEinfuegen(&b, &s);
    }
};

// A rectangle holding the component alone marks it as a click does: with its
// item; holding two picks none.
TEST_F(ObjWahlBm, ARectangleAroundOneComponentBringsItsItem)
{
    motor(10, 10);
    ObjImRechteck(5, 5, 20, 20);
    EXPECT_EQ(ObjEquipment(), 1u);
    ObjImRechteck(5, 5, 20, 20);  // unmarks it
    motor(40, 10);                // no item placed there
    ObjImRechteck(35, 5, 50, 20);
    EXPECT_EQ(ObjEquipment(), 0u);
}

}  // namespace
