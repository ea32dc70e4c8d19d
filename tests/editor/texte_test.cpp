// Generated equipment texts on the real store and executor.
#include "editor/texte.h"

#include "equipment/app.h"
#include "equipment/apphaken.h"
#include "tests/editor/edtaufrufprotokoll.h"
#include "tests/editor/eqtexttest.h"

namespace {

struct TexteTest : EqTextTest {
    void SetUp() override
    {
        EqTextTest::SetUp();
        // "M1": a cross reference at its origin with a "@Q" on it, a "@Q"
        // and a "@L1" away from it, and a plain text.
        bauteil("M1", {tzRec(ET_QVW, {}, nullptr, {0}), tzRec(TZ_TEXT, {}, "@Q"), tzRec(ET_BW, {5, 0}),
                       tzRec(TZ_TEXT, {}, "@Q"), tzRec(ET_BW, {0, 5}), tzRec(TZ_TEXT, {}, "@L1"),
                       tzRec(TZ_TEXT, {}, "Schild")});
        bauteil("LEER", {tzRec(TZ_ZL, {5, 0}), tzRec(TZ_TEXT, {}, "Schild")});
    }
    void TearDown() override
    {
        AppAktivSetzen(0);
        AppHakenStandard();
        EqTextTest::TearDown();
    }
};

TEST_F(TexteTest, InsertFillsPlaceholdersAndQueuesUnreferencedLabels)
{
    AppAktivSetzen(1);
    STT vorher = *BefAktZustand();
    vorher.st = 7;  // the user's pen differs from the component's
    ZustandSetzen(&vorher);
    BEF zb = tzRec(TZ_ZB, {}, "M1");
    STT s = bei(100, 100);
    lauf([&] { TexteEinfuegen(&zb, &s, 0x12, "H", 1); });
    EXPECT_EQ(textOrte(), (std::vector<std::string>{"@Y0012B@(100,100)", "@Y0012L1@(105,105)"}));
    // The "@Q" beside the cross reference waits for its label.
    EXPECT_EQ(EdtAufrufProtokoll(), (std::vector<std::string>{"AppTextAnlegen(18 H 1 @Q)"}));
    EXPECT_TRUE(SttGleich(BefAktZustand(), &vorher));
    EXPECT_EQ(BefAktZustand()->st, 7);

    // Without linking nothing is queued; without placeholders nothing at all.
    AppAktivSetzen(0);
    EdtAufrufProtokoll().clear();
    lauf([&] { TexteEinfuegen(&zb, &s, 0x12, "H", 1); });
    EXPECT_TRUE(EdtAufrufProtokoll().empty());
    const int n = TzAnzahl();
    BEF leer = tzRec(TZ_ZB, {}, "LEER");
    lauf([&] { TexteEinfuegen(&leer, &s, 0x12, "H", 1); });
    EXPECT_EQ(TzAnzahl(), n);
    EXPECT_TRUE(SttGleich(BefAktZustand(), &vorher));
}

TEST_F(TexteTest, DeleteTakesTheNearestAndAClosePreviousInEitherOrder)
{
    // "M1" placed at (50, 50): placeholders at (50, 50), (55, 50), (55, 55).
    struct Fall {
        std::vector<std::pair<double, const char*>> alt;  // x offsets from 50 at y 50
        int alle;
        std::vector<std::string> bleiben;
    } faelle[] = {
        {{{0.3, "@Y0001B"}, {0.9, "@Y0001B"}}, 0, {}},
        {{{0.9, "@Y0001B"}, {0.3, "@Y0001B"}}, 0, {}},
        {{{0.3, "@Y0001B"}, {1.5, "@Y0001B"}}, 0, {"@Y0001B@(51.5,50)"}},
        {{{1.5, "@Y0001B"}, {0.3, "@Y0001B"}}, 0, {"@Y0001B@(51.5,50)"}},
        {{{0.1, "Alt"}, {0.3, "@Y0001B"}}, 0, {"Alt@(50.1,50)"}},
        {{{0.1, "Alt"}, {0.3, "@Y0001B"}, {2.0, "@Y0001B"}}, 1, {"@Y0001B@(52,50)"}},
        {{{2.01, "@Y0001B"}}, 1, {"@Y0001B@(52.01,50)"}},
    };
    TexteHakenSetzen();
    for (const Fall& f : faelle) {
        TzLeeren();
        for (const auto& [dx, t] : f.alt) text(50 + dx, 50, t);
        BEF zb = tzRec(TZ_ZB, {}, "M1");
        STT s = bei(50, 50);
        lauf([&] { TexteLoeschen(&zb, &s, f.alle); });  // through the equipment layer's hook
        EXPECT_EQ(textOrte(), f.bleiben) << f.alt.size() << " " << f.alle;
    }
}

TEST_F(TexteTest, MarkingTakesTheGeneratedTextsAndTheItemsReferences)
{
    const int a = text(50.2, 50, "@Y0012B");
    const int fremd = text(58, 58, "@Y0034B");  // in the area, near no placeholder
    const int eigen = text(51, 57, "@Y0012P");
    BEF zb = tzRec(TZ_ZB, {}, "M1");
    STT s = bei(50, 50);
    EXPECT_EQ(TexteMarkieren(&zb, &s, 1, 1, 0x12), 0u);
    EXPECT_EQ(TzMarkHolen(a), 1);
    EXPECT_EQ(TzMarkHolen(fremd), 0);
    EXPECT_EQ(TzMarkHolen(eigen), 0);
    const uint32_t gelesen = TexteMarkieren(&zb, &s, 2, 1, 0x12);
    EXPECT_TRUE(gelesen == 0x12 || gelesen == 0x34);
    EXPECT_EQ(TzMarkHolen(eigen), 1);
    EXPECT_EQ(TzMarkHolen(fremd), 0);
}

}  // namespace
