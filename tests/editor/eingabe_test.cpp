// The input line's preview: what counts as a change of the line being
// typed, by prompt code, text and the state after the record, and which
// areas the page's overlay repaints for it.
#include "editor/eingabe.h"

#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/history.h"
#include "model/edhaken.h"
#include "tests/editor/bautest.h"
#include "tests/model/edprotokoll.h"

namespace {

struct EingabeTest : BauTest {
    void TearDown() override
    {
        PromptStandard();
        BauTest::TearDown();
    }
};

TEST_F(EingabeTest, ThePreviewChangesWithTheCodeTheTextOfATextAndItsState)
{
    PromptSetzen(BefCode("TFA"));
    EingabeFeldSetzen("Hallo");
    EingabeVorschauMerken();
    EXPECT_EQ(EingabeVorschauGeaendert(), 0);
    EingabeFeldSetzen("Hallo Welt");
    EXPECT_EQ(EingabeVorschauGeaendert(), 1) << "a text code's text";
    EingabeVorschauMerken();
    BefAktZustand()->tg = BefAktZustand()->tg + 1;
    EXPECT_EQ(EingabeVorschauGeaendert(), 1) << "the state after the text";
    EingabeVorschauMerken();
    EXPECT_EQ(EingabeVorschauGeaendert(), 0);
    PromptStandard();
    EXPECT_EQ(EingabeVorschauGeaendert(), 1) << "the prompt code";
    EingabeVorschauMerken();
    EingabeFeldSetzen("ZL 10 0");
    EXPECT_EQ(EingabeVorschauGeaendert(), 0) << "a command line is no preview";
    BEF b;
    EingabeBef(&b);
    EXPECT_EQ(b.code, BefCode("ZB"));
    EXPECT_STREQ(b.text, "");
    EingabeVorschauNeu();  // without a view: nothing to repaint
}

// Typing at the text prompt makes the page busy; renewing repaints where
// the text was drawn and where it goes now, and a prompt that leaves the
// text queues the refresh that erases it.
TEST_F(EingabeTest, ATypedTextIsRepaintedWhereItWasAndWhereItGoes)
{
    std::vector<std::vector<int>>& bereiche = EdProtokollHolen().bereiche;
    auto erneuern = [&] {
        bereiche.clear();
        EXPECT_EQ(EdtBeschaeftigt(), 1);
        EdtVorschauLoeschen();
        EdtVorschauZeigen();
        EXPECT_EQ(EdtBeschaeftigt(), 0);
        return bereiche;
    };
    EdtVorschauZeigen();
    position(100, 100);
    PromptSetzen(BefCode("TFA"));
    EXPECT_EQ(erneuern().size(), 0u) << "an empty text shows nothing";
    EingabeFeldSetzen("Hallo");
    const auto hallo = erneuern();
    ASSERT_EQ(hallo.size(), 1u) << "nothing was shown before";
    EingabeFeldSetzen("Hallo Welt");
    const auto welt = erneuern();
    ASSERT_EQ(welt.size(), 2u);
    EXPECT_EQ(welt[0], hallo[0]) << "the old text's area";
    position(300, 100);
    const auto weiter = erneuern();
    ASSERT_EQ(weiter.size(), 2u);
    EXPECT_EQ(weiter[0], welt[1]) << "erased where it was";
    EXPECT_GT(weiter[1][0], welt[1][2]) << "drawn at the new position";

    schlange();
    EingabeAbschicken(0);  // Escape
    EXPECT_EQ(schlange(), (std::vector<std::string>{"0"})) << "the refresh that erases it";
    EXPECT_EQ(erneuern(), (std::vector<std::vector<int>>{weiter[1]}));
    EXPECT_EQ(EdtBeschaeftigt(), 0);
    EingabeAbschicken(0);
    EXPECT_TRUE(schlange().empty()) << "nothing shown, nothing to erase";
}

}  // namespace
