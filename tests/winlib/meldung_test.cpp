// Message boxes and the assertion handler: every window disabled while a
// box is up and the modal owners still disabled afterwards, the answers of
// the question boxes (Escape included), the captions, and the assertion
// text under the application title before the process ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "config/konfhaken.h"
#include "platform/fehlersim.h"
#include "dlgpruef.h"
#include "support/basis.h"
#include "winlib/meldung.h"

using namespace dlgpruef;

namespace {

using MeldungTest = Fixture;

std::vector<HWND> beobachtet;
std::vector<bool> freiWaehrend;
void beobachter(HWND)
{
    if (!freiWaehrend.empty()) return;
    for (HWND h : beobachtet) freiWaehrend.push_back(IsWindowEnabled(h) != 0);
}

TEST_F(MeldungTest, ABoxDisablesEveryWindowAndKeepsModalOwnersDisabled)
{
    HWND o = neu("probe");
    wiDlgBetreten(o);
    HWND m = neu("probe_a", 0, 1);
    wiDlgVerlassen();
    HWND x = neu("probe_b");
    pumpe();
    SetActiveWindow(x);
    beobachtet = {haupt, o, m, x};
    freiWaehrend.clear();
    plNachrichtBoxBeobachter(beobachter);
    wiHinweis("Es sind %d Fehler.", 3);
    EXPECT_EQ(freiWaehrend, (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(IsWindowEnabled(haupt));
    EXPECT_FALSE(IsWindowEnabled(o));
    EXPECT_TRUE(IsWindowEnabled(m));
    EXPECT_TRUE(IsWindowEnabled(x));
    EXPECT_EQ(GetActiveWindow(), x);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    const auto& f = plNachrichtBoxFragen()[0];
    EXPECT_EQ(f.titel, "Velmo Test");
    EXPECT_EQ(f.text, "Es sind 3 Fehler.");
    EXPECT_EQ(f.typ & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_NE(f.typ & MB_TASKMODAL, 0u);
}

TEST_F(MeldungTest, QuestionWithCancelAnswers2ToAScriptedEscape)
{
    HWND x = neu("probe_b");
    pumpe();
    SetActiveWindow(x);
    plNachrichtBoxAntwort(IDCANCEL);  // the script's Escape
    EXPECT_EQ(wiFrageAbbruch("Speichern?", 0), 2);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].titel, "Probe B");  // the active window's title
    EXPECT_EQ(plNachrichtBoxFragen()[0].typ & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(GetActiveWindow(), x);
}

TEST_F(MeldungTest, ALongTextIsCutAt1000Characters)
{
    std::string lang(1500, 'z');
    wiMeldung("%s", lang.c_str());
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, std::string(WIMELDUNGSUP, 'z'));
}

TEST_F(MeldungTest, QuestionAnswersAndDefaultButtons)
{
    struct Fall { int standard; int antwort; int erwartet; UINT knopf; };
    for (Fall f : {Fall{0, IDYES, 1, MB_DEFBUTTON1}, Fall{1, IDNO, 0, MB_DEFBUTTON2},
                   Fall{2, IDCANCEL, 2, MB_DEFBUTTON3}}) {
        plNachrichtBoxFragenLeeren();
        plNachrichtBoxAntwort(f.antwort);
        EXPECT_EQ(wiFrageAbbruch("Weiter?", f.standard), f.erwartet);
        ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
        EXPECT_EQ(plNachrichtBoxFragen()[0].typ & MB_DEFMASK, f.knopf);
    }
    plNachrichtBoxAntwort(IDNO);
    EXPECT_EQ(wiFrage("Ja?"), 0);
    EXPECT_EQ(wiFrageArt("Nein?", 1), 0);  // default No
}

TEST_F(MeldungTest, TheConfigurationLayerReachesTheDialogManager)
{
    HWND a = neu("probe_a");
    wiDlgBetreten(a);
    EXPECT_EQ(konfHaken().dlgFenster(), a);
    EXPECT_STREQ(konfHaken().dlgName(), "probe_a");
    wiDlgVerlassen();
    EXPECT_STREQ(konfHaken().dlgName(), "Main");
    konfHaken().warnung("Achtung");
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "Achtung");
    EXPECT_EQ(plNachrichtBoxFragen()[0].typ & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

// In the dying child: tell what the stop box showed, then end.
void zeigeUndEnde(UINT, const char* text)
{
    const auto& v = plNachrichtBoxFragen();
    std::string t = v.empty() ? "" : v.back().titel + "|" + v.back().text;
    for (char& c : t)
        if (c == '\n') c = '|';
    std::fprintf(stderr, "BOX[%s] %s\n", t.c_str(), text);
    _exit(3);
}

TEST_F(MeldungTest, AssertionShowsItsTextUnderTheTitleAndEnds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            plFatalAppExitSetzen(zeigeUndEnde);
            wiAssert("struarr", 99, "anzahl < SAISUP");
        },
        ::testing::ExitedWithCode(3),
        "BOX\\[Velmo Test\\|ASSERT ERROR\\|struarr\\.99\\|anzahl < SAISUP\\] Das Programm wird beendet\\.");
}

TEST_F(MeldungTest, AFailedSlotTableEndsInTheAssertionBox)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    wiDlgFrei();
    EXPECT_EXIT(
        {
            plFatalAppExitSetzen(zeigeUndEnde);
            plFehlerSetzen(PlFehlerArt::Speicher, 1);
            wiDlgInit();
        },
        ::testing::ExitedWithCode(3),
        "ASSERT ERROR\\|dialog\\.119\\|\\(box=fmalloc\\( DLGSUP, sizeof\\(struct dlgbox\\)\\)\\) != NULL\\]");
    ASSERT_EQ(wiDlgInit(), 0);
}

TEST_F(MeldungTest, TheStackLimitsEndInTheAssertionBox)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            plFatalAppExitSetzen(zeigeUndEnde);
            wiDlgVerlassen();
        },
        ::testing::ExitedWithCode(3), "ASSERT ERROR\\|dialog\\.273\\|--idxtop >= 0\\]");
    HWND a = neu("probe");
    EXPECT_EXIT(
        {
            plFatalAppExitSetzen(zeigeUndEnde);
            for (int i = 0; i < 2 * DLGSUP; ++i) wiDlgBetreten(a);
        },
        ::testing::ExitedWithCode(3), "ASSERT ERROR\\|dialog\\.261\\|\\+\\+idxtop < 2\\*DLGSUP\\]");
    for (int i = 0; i < 2 * DLGSUP - 1; ++i) ASSERT_EQ(wiDlgBetreten(a), 1);  // 399 entries fit
    for (int i = 0; i < 2 * DLGSUP - 1; ++i) wiDlgVerlassen();
    EXPECT_EQ(wiDlgStapelTiefe(), 0);
}

}  // namespace
