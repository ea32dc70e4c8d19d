// The input line's preview snapshot: what counts as a change of the line
// being typed, by prompt code, text and the state after the record.
#include "editor/eingabe.h"

#include "editor/befausf.h"
#include "editor/history.h"
#include "tests/editor/bautest.h"

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

}  // namespace
