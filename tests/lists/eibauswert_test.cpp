// The KNX evaluation on fixture items beside the demo's: the section
// sequence over items and drawings, references of the current component
// resolved, lines of any length, the filter variant, a missing format file.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "equipment/ngestext.h"
#include "lists/eibauswert.h"
#include "tests/lists/awpruef.h"

namespace {

class EibAuswertTest : public AwDemoTest {
protected:
    // The fixture's items stand in a building of their own, apart from the
    // demo's KNX sensors.
    void SetUp() override
    {
        AwDemoTest::SetUp();
        bauwerk_ = "Test";
        for (const char* p : {"LKnx", "LBus"}) vorgabe(std::string(p) + "bauwerk", "Test");
    }
    void format(const std::string& text) { std::ofstream(demo_.datei("KnxFormat.txt"), std::ios::binary) << text; }
    // A KNX item whose main component has two subs; each sub carries a
    // generated text (variant 0 takes only components that have some).
    uint32_t knx(const char* kennung, const char* ze1, const char* ze2, int art = 5)
    {
        uint32_t id = geraet(art, kennung);
        bauteil(id, "H", 0, ze1, 10.0, 10.0);
        bauteil(id, "U", 1, ze1, 20.0, 10.0);
        bauteil(id, "U", 2, ze2, 30.0, 10.0);
        for (int nr = 1; nr <= 2; ++nr) GtxTextSetzen(id, "U", nr, 1, "Aktor");
        return id;
    }
};

TEST_F(EibAuswertTest, SectionsFollowTheChangesOfItemAndDrawing)
{
    format(")S Start\r\nBeginn\r\n)S Wechsel\r\nWechsel\r\n)S NeueSeite\r\nSeite\r\n)S Hauptbauteil\r\nGeraet\r\n"
           ")S Unterbauteil\r\nU @Y7000B @Y7001B\r\n)S Stop\r\nEnde\r\n)S Start\r\nzweimal\r\n");
    knx("=E1", "03", "03");
    knx("=E2", "03", "04");
    uint32_t ohne = geraet(5, "=E3");  // no generated texts: not listed by variant 0
    bauteil(ohne, "H", 0, "03", 50.0, 10.0);
    sichern();
    ASSERT_EQ(lauf("LKnx"), 0);
    EXPECT_EQ(zeilen("Knx.txt"), (std::vector<std::string>{"Beginn", "Wechsel", "U =E1 =E2", "U =E1 =E2", "Geraet",
                                                           "U =E1 =E2", "Seite", "U =E1 =E2", "Ende"}));
    EXPECT_EQ(boxen(), std::vector<std::string>{});
}

TEST_F(EibAuswertTest, TheFilterVariantTakesItemsByIdentifierAndLongLinesStayWhole)
{
    const std::string lang(490, 'x');
    format(")S Unterbauteil\r\n" + lang + "@Y7000B|\r\n");
    knx("=E1", "03", "03", 0);  // a standard item: only the filter variant takes it
    uint32_t id = geraet(0, "=F1");
    bauteil(id, "H", 0, "03", 10.0, 20.0);
    sichern();
    vorgabe("LBusbmkenn", "=E");
    ASSERT_EQ(lauf("LBus"), 0);
    EXPECT_EQ(zeilen("KnxBm.txt"), (std::vector<std::string>{lang + "=E1|", lang + "=E1|"}));
    format(")S Unterbauteil\r\n@Y7000B " + lang + "|\r\n");
    ASSERT_EQ(lauf("LBus"), 0);
    EXPECT_EQ(zeilen("KnxBm.txt"), (std::vector<std::string>{"=E1 " + lang + "|", "=E1 " + lang + "|"}));
    ASSERT_EQ(lauf("LKnx"), 0);
    EXPECT_EQ(zeilen("Knx.txt"), std::vector<std::string>{});
}

TEST_F(EibAuswertTest, EachDrawingKeyFindsTheDrawingOfItsExtensionInAnyCase)
{
    // Beside the drawing of key 03: a text file and a folder of that
    // extension, which are no drawings; key 0a has its drawing in upper case.
    std::ofstream(demo_.datei("Notiz.03"), std::ios::binary) << "kein Plan";
    std::filesystem::create_directory(demo_.datei("Mappe.03"));
    zeichnung("Test.0A", {});
    format(")S Unterbauteil\r\n@Z|\r\n");
    knx("=E1", "03", "0a");
    knx("=E2", "0a", "77");  // no drawing of key 77: the context stays
    sichern();
    ASSERT_EQ(lauf("LKnx"), 0);
    EXPECT_EQ(zeilen("Knx.txt"), (std::vector<std::string>{"HV1.03|", "Test.0A|", "Test.0A|", "Test.0A|"}));
}

TEST_F(EibAuswertTest, ComponentsSortByPlaceOrByIdentifierOrKeepTheWalksOrder)
{
    format(")S Unterbauteil\r\n@Z\r\n");
    knx("=E1", "05", "03");
    knx("=E2", "04", "06");
    sichern();
    // The sort text's digit d is key d + 1.
    const struct {
        const char* sortierung;
        std::vector<std::string> zeichnungen;
    } faelle[] = {
        {"0", {"HV1.05", "HV1.03", "HV1.04", "HV1.06"}},  // as walked: by item, then component
        {"1", {"HV1.03", "HV1.04", "HV1.05", "HV1.06"}},  // by place
        {"2", {"HV1.03", "HV1.05", "HV1.04", "HV1.06"}},  // by identifier, then place
        // The building key orders the walk (items by their main component's
        // place) and leaves the components as walked.
        {"3", {"HV1.04", "HV1.06", "HV1.05", "HV1.03"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.sortierung);
        vorgabe("LKnxsortBPK", f.sortierung);
        ASSERT_EQ(lauf("LKnx"), 0);
        EXPECT_EQ(zeilen("Knx.txt"), f.zeichnungen);
    }
}

TEST_F(EibAuswertTest, AMissingFormatFileWritesNoResult)
{
    knx("=E1", "03", "03");
    sichern();
    vorgabe("LKnxformat", "fehlt.txt");
    ASSERT_EQ(lauf("LKnx"), 0);
    EXPECT_EQ(boxen(), std::vector<std::string>{"Kann Formatdatei fehlt.txt nicht lesen."});
    EXPECT_FALSE(std::filesystem::exists(demo_.datei("Knx.txt")));
}

}  // namespace
