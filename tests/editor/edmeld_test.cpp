// The editor's messages: input-line texts, numbered boxes and the box flag
// that holds the command queue.
#include "editor/edmeld.h"

#include "editor/befausf.h"
#include "editor/history.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "tests/model/tztest.h"

namespace {

struct EdMeldTest : TzTest {
    void SetUp() override
    {
        TzTest::SetUp();
        BefAusfInit();
        BefAusfHakenSetzen();
        EdMeldHakenSetzen();
        STT s = tzStart();
        ZustandSetzen(&s);
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        plNachrichtBoxBeobachter(nullptr);
        plNachrichtBoxSkriptLeeren();
        TzTest::TearDown();
    }
};

TEST_F(EdMeldTest, StatusTextsBeepOnlyWhenTheyReport)
{
    int p0 = plNachrichtBoxPieps();
    StatusHinweis("leise");
    EXPECT_STREQ(StatusLetzterText(), "leise");
    EXPECT_EQ(plNachrichtBoxPieps(), p0);
    ::StatusTextf("Bauteil %s nicht gefunden.", "XX");
    EXPECT_STREQ(StatusLetzterText(), "Bauteil XX nicht gefunden.");
    EXPECT_EQ(plNachrichtBoxPieps(), p0 + 1);
    // The model's status texts arrive here too.
    lauf([&] { befehle({tzRec(TZ_ZB, {}, "YY")}); });
    EXPECT_STREQ(StatusLetzterText(), "Bauteil YY nicht gefunden.");
}

// A message ends a text prompt: the default command returns, the field empties.
TEST_F(EdMeldTest, AMessageResetsThePrompt)
{
    for (auto zeigen : {+[] { ::StatusMeldung("laut"); }, +[] { ::StatusHinweis("leise"); }}) {
        PromptSetzen(TZ_TEXT);
        EingabeFeldSetzen("halb getippt");
        ASSERT_EQ(PromptZustand(), 1);
        zeigen();
        EXPECT_EQ(PromptZustand(), 0);
        EXPECT_EQ(PromptCode(), TZ_ZB);
        EXPECT_EQ(EingabeFeld(), "");
    }
}

TEST_F(EdMeldTest, NumberedBoxesAnswerAndShowTheUserText)
{
    struct Fall {
        int antwort;
        int jaNein, jaNeinAbbruch;
    } faelle[] = {{IDYES, 1, 1}, {IDNO, 0, 0}, {IDCANCEL, -1, 2}};  // a yes/no box has no Cancel
    for (const Fall& f : faelle) {
        if (f.jaNein >= 0) {
            plNachrichtBoxAntwort(f.antwort);
            EXPECT_EQ(JaNeinFrage(91), f.jaNein);
        }
        plNachrichtBoxAntwort(f.antwort);
        EXPECT_EQ(JaNeinAbbruchFrage(91), f.jaNeinAbbruch);
    }
    plNachrichtBoxFragenLeeren();
    ::MeldungNr(91, 1);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Bitte speichern Sie zuerst die Zeichnung.");
    EXPECT_EQ(plNachrichtBoxFragen()[0].typ & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(EdMeldTest, AnOpenBoxHoldsTheQueueUntilItCloses)
{
    static int gezaehlt;
    gezaehlt = -1;
    plNachrichtBoxBeobachter([](HWND) {
        // Code that runs while the box is up queues a line and asks for a drain.
        BEF b = tzRec(TZ_ZL, {5, 0});
        BefEinreihen(&b);
        BefAbarbeiten();
        gezaehlt = TzAnzahl();
    });
    EXPECT_EQ(::MeldungOffen(), 0);
    JaNeinFrage(91);
    EXPECT_EQ(gezaehlt, 0);
    EXPECT_EQ(::MeldungOffen(), 0);
    EXPECT_EQ(BefAnzahl(), 1);
    lauf([&] { BefAbarbeiten(); });
    EXPECT_EQ(TzAnzahl(), 1);
}

}  // namespace
