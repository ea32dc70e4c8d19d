// The spell check of dialog texts: the word walk, the registry, the dialog
// "RSchreib" driven with a fake speller, and the options over the real
// Aspell binding.
#include "project/rschreib.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "controls/ctlkern.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "project/aspbind.h"
#include "project/rswliste.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

using namespace projtest;

namespace {

using V = std::vector<std::string>;

// The fake speller: a fixed vocabulary, suggestions for one misspelling,
// and a record of what it learned and was told.
struct Fake {
    std::set<std::string> woerter{"Schaltschrank", "Verdrahtung", "Geb\xE4ude", "Motor", "Kabel", "Dose"};
    std::string gemerkt;
    size_t naechster = 0;
    V gelernt, ersatz, gefragt;
};
Fake fake;

int fkPruefen(const char* w)
{
    fake.gemerkt = w;
    fake.naechster = 0;
    fake.gefragt.push_back(w);
    return fake.woerter.count(w) ? 1 : 0;
}
int fkVorschlag(char* p, size_t n)
{
    static const V vorschlaege{"Schaltschrank", "Schaltschranke"};
    if (fake.gemerkt != "Schaltschrnak" || fake.naechster >= vorschlaege.size()) {
        p[0] = '\0';
        return 0;
    }
    std::snprintf(p, n, "%s", vorschlaege[fake.naechster++].c_str());
    return 1;
}
int fkLernen(const char* w)
{
    fake.gelernt.push_back(w);
    fake.woerter.insert(w);
    return 0;
}
int fkErsatz(const char* a, const char* b)
{
    fake.ersatz.push_back(std::string(a) + "->" + b);
    return 0;
}
const RsSpeller FAKE = {fkPruefen, fkVorschlag, fkLernen, fkErsatz};

// What the test dialog received.
V& befehle()
{
    static V v;
    return v;
}
// The free text reached through callbacks.
std::string freitext;
int fertigAufrufe = 0;

int tdInit(int, const char* const*) { return 0; }
int tdExit()
{
    RsFelderAbmelden();
    return 0;
}
int tdBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    RsNachricht(nachricht, wp, lp);
    if (nachricht == WM_COMMAND) befehle().push_back(std::to_string(LOWORD(wp)));
    return 0;
}
// A second dialog beside the first needs a callback of its own.
int tdBefehl2(UINT nachricht, WPARAM wp, LPARAM lp) { return tdBefehl(nachricht, wp, lp); }

class RsTest : public projpruef::VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        projpruef::dialogWirt(ordner.string(), 1100, 700);
        if (HasFatalFailure()) return;
        RsTestZuruecksetzen();
        fake = Fake{};
        befehle().clear();
        freitext.clear();
        fertigAufrufe = 0;
        RswPfad(ordner.c_str());
        RswOeffnen();
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        RswSchliessen();
        RsTestZuruecksetzen();
        projpruef::dialogWirtEnde();
        VorgabenTest::TearDown();
    }
    // A dialog with the five short-text fields 3010..3014 registered (3010
    // highlighted while its word is shown).
    HWND dialog(int sofort, std::initializer_list<const char*> texte)
    {
        RsTestStart(sofort);
        RsSpellerSetzen(&FAKE);
        HWND d = wiDlgOeffnen("ZeiEigen", tdInit, tdExit, tdBefehl);
        EXPECT_NE(d, 0u);
        int id = 3010;
        for (const char* t : texte) SetDlgItemText(d, id++, t);
        wiDlgBetreten(d);
        for (int i = 0; i < 5; ++i) {
            char name[40];
            std::snprintf(name, sizeof name, "Kurztext %d", i + 1);
            RsFeldAnmelden(3010 + i, name, i == 0 ? 1 : 0);
        }
        wiDlgVerlassen();
        projpruef::dlgPumpen();
        befehle().clear();
        return d;
    }
    static int pruefen(HWND d, int alle, int folge)
    {
        wiDlgBetreten(d);
        int r = RsPruefen(alle, folge);
        wiDlgVerlassen();
        projpruef::dlgPumpen();
        return r;
    }
    static HWND rschreib() { return wiDlgSuchen("RSCHREIB"); }
    static void befehl(HWND d, int id)
    {
        SendMessage(d, WM_COMMAND, static_cast<WPARAM>(id), 0);
        projpruef::dlgPumpen();
    }
    static std::string text(HWND d, int id)
    {
        char t[600] = "";
        GetDlgItemText(d, id, t, sizeof t);
        return t;
    }
    static V liste(HWND d)
    {
        V v;
        int n = static_cast<int>(SendDlgItemMessage(d, 3100, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char t[100] = "";
            SendDlgItemMessage(d, 3100, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t));
            v.push_back(t);
        }
        return v;
    }
    static bool gepostet(const std::string& id)
    {
        for (const auto& b : befehle())
            if (b == id) return true;
        return false;
    }
    static V boxen()
    {
        V v;
        for (const auto& f : plNachrichtBoxFragen()) v.push_back(f.text);
        return v;
    }
};

TEST(RsWortTest, TheWalkSplitsAtTheDelimitersAndLooksOnlyAtLetterWords)
{
    const char* t = "Schaltschrank-Verdrahtung (Geb\xE4ude 3)";
    int pos = 0, a = 0, n = 0;
    V woerter;
    while (RsWortAb(t, static_cast<int>(std::strlen(t)), &pos, &a, &n))
        if (n > 0) woerter.push_back(std::string(t + a, static_cast<size_t>(n)));
    EXPECT_EQ(woerter, (V{"Schaltschrank", "Verdrahtung", "Geb\xE4ude", "3"}));

    struct Fall {
        std::string wort;
        int erwartet;
    } faelle[] = {{"Geb\xE4ude", 1}, {std::string(30, 'a'), 1}, {std::string(31, 'a'), 0}, {"3", 0},
                  {"M3", 0},        {"", 0},                   {"\xD7Kreuz", 1}};
    for (const auto& f : faelle)
        EXPECT_EQ(RsIstWort(f.wort.c_str(), static_cast<int>(f.wort.size())), f.erwartet) << f.wort;
}

TEST_F(RsTest, SuggestionsInTheSpellersOrderAndAChosenOneReplacesAtItsPlace)
{
    HWND d = dialog(1, {"Schaltschrnak", "Motor Tor"});
    EXPECT_EQ(pruefen(d, 1, 0), 1);
    HWND r = rschreib();
    ASSERT_NE(r, 0u);
    EXPECT_EQ(text(r, 3000), "Kurztext 1");
    EXPECT_EQ(text(r, 3020), "Schaltschrnak");
    EXPECT_EQ(liste(r), (V{"Schaltschrank", "Schaltschranke"}));
    projpruef::dlgPumpen();
    EXPECT_EQ(plHeadlessPng(r, (std::string(::testing::TempDir()) + "rschreib.png").c_str()), 0);

    SendDlgItemMessage(r, 3100, LB_SETCURSEL, 0, 0);
    SendMessage(r, WM_COMMAND, MAKEWPARAM(3100, LBN_SELCHANGE), 0);
    EXPECT_EQ(text(r, 3010), "Schaltschrank");
    befehl(r, 1);  // Enter
    EXPECT_EQ(text(d, 3010), "Schaltschrank");
    EXPECT_TRUE(gepostet("3010")) << "the field's change is notified";
    EXPECT_EQ(fake.ersatz, (V{"Schaltschrnak->Schaltschrank"}));
    char e[100];
    EXPECT_EQ(RswNachsehen("Schaltschrnak", e), 2);
    EXPECT_STREQ(e, "Schaltschrank");

    // "Tor" lies inside "Motor" too: the word found is replaced, not the
    // first matching letters.
    ASSERT_EQ(rschreib(), r);
    EXPECT_EQ(text(r, 3020), "Tor");
    SetDlgItemText(r, 3010, "Dose");
    befehl(r, 2500);
    EXPECT_EQ(text(d, 3011), "Motor Dose");
    EXPECT_EQ(rschreib(), 0u) << "nothing left closes the dialog";
}

TEST_F(RsTest, AStoredReplacementIsProposedAndAnUnchangedOneLearns)
{
    ASSERT_EQ(RswErsatz("Kabel", "Kabelkanal"), 0);
    HWND d = dialog(1, {"Kabel", "Wortt"});
    EXPECT_EQ(pruefen(d, 1, 0), 1);
    HWND r = rschreib();
    EXPECT_EQ(text(r, 3020), "Kabel") << "a known word with a stored replacement is reported";
    EXPECT_EQ(text(r, 3010), "Kabelkanal");
    befehl(r, 2502);
    EXPECT_EQ(text(r, 3020), "Wortt");
    befehl(r, 2500);  // replacement field unchanged
    EXPECT_EQ(fake.gelernt, (V{"Wortt"}));
    EXPECT_EQ(text(d, 3011), "Wortt");
    EXPECT_EQ(text(r, 3020), "Kabel") << "going on wraps to the first field";
    befehl(r, 2510);
    char e[100];
    EXPECT_EQ(RswNachsehen("Kabel", e), 1) << "ignoring drops the stored replacement";
    EXPECT_EQ(rschreib(), 0u);
}

TEST_F(RsTest, NextAndPreviousMoveToAnotherFieldAndWrap)
{
    HWND d = dialog(1, {"Aaa", "Bbb", "", "Ccc"});
    EXPECT_EQ(pruefen(d, 1, 0), 1);
    HWND r = rschreib();
    V gesehen{text(r, 3020)};
    for (int id : {2502, 2502, 2502, 2503, 2503}) {
        befehl(r, id);
        gesehen.push_back(text(r, 3020));
    }
    EXPECT_EQ(gesehen, (V{"Aaa", "Bbb", "Ccc", "Aaa", "Ccc", "Bbb"}));
    befehl(r, 2501);
    EXPECT_EQ(rschreib(), 0u);
    EXPECT_TRUE(fake.gelernt.empty());
}

TEST_F(RsTest, TheFollowUpIsPostedAtOnceWithoutUnknownWordsAndAfterCancel)
{
    HWND d = dialog(1, {"Motor", "Kabel"});
    wiDlgBetreten(d);
    RsFeldGeaendert(3010);
    wiDlgVerlassen();
    EXPECT_EQ(pruefen(d, 0, 2509), 0);
    EXPECT_TRUE(gepostet("2509"));

    befehle().clear();
    SetDlgItemText(d, 3011, "Kabl");
    wiDlgBetreten(d);
    RsFeldGeaendert(3011);
    wiDlgVerlassen();
    EXPECT_EQ(pruefen(d, 0, 2509), 1);
    EXPECT_FALSE(gepostet("2509"));
    befehl(rschreib(), 2501);
    EXPECT_TRUE(gepostet("2509")) << "a cancelled check still stores the dialog";

    // The marks were cleared: the unchanged fields are not looked at again.
    befehle().clear();
    EXPECT_EQ(pruefen(d, 0, 2509), 0);
    EXPECT_TRUE(gepostet("2509"));

    // Checking all without an unknown word says so.
    SetDlgItemText(d, 3011, "Kabel");
    EXPECT_EQ(pruefen(d, 1, 0), 0);
    EXPECT_EQ(boxen(), (V{"Keine unbekannten W\xF6rter"}));
}

TEST_F(RsTest, LeavingAChangedFieldChecksItWhenSoSet)
{
    HWND d = dialog(2, {"Kabl"});
    EXPECT_EQ(RsBeimVerlassen(), 1);
    EXPECT_EQ(RsSofort(), 0);
    wiDlgBetreten(d);
    RsFeldGeaendert(3010);
    wiDlgVerlassen();
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3011, EN_KILLFOCUS), 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(rschreib(), 0u) << "an unchanged field is not checked";
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3010, EN_KILLFOCUS), 0);
    projpruef::dlgPumpen();
    HWND r = rschreib();
    ASSERT_NE(r, 0u);
    EXPECT_EQ(text(r, 3020), "Kabl");
    befehl(r, 2501);
    EXPECT_TRUE(gepostet("2991")) << "the focus goes back";
}

TEST_F(RsTest, ALongFreeTextKeepsItsTailAndTheCompletionRunsAfterTheDialog)
{
    RsTestStart(1);
    RsSpellerSetzen(&FAKE);
    freitext = "Schaltschrnak " + std::string(290, 'x') + " Ende";
    RsTextAnmelden([](char* t, int n) { std::snprintf(t, static_cast<size_t>(n), "%s", freitext.c_str()); },
                   [](const char* t) { freitext = t; }, [] { ++fertigAufrufe; });
    EXPECT_EQ(RsTextPruefen(), 1);
    HWND r = rschreib();
    ASSERT_NE(r, 0u);
    SetDlgItemText(r, 3010, "Schaltschrank");
    befehl(r, 2500);
    EXPECT_EQ(freitext, "Schaltschrank " + std::string(290, 'x') + " Ende");
    EXPECT_EQ(rschreib(), 0u);
    EXPECT_EQ(fertigAufrufe, 1);
    EXPECT_EQ(RsTextPruefen(), 0);
    EXPECT_EQ(fertigAufrufe, 2);
}

TEST_F(RsTest, TheRegistryHolds200AndRemovesEveryEntryOfADialog)
{
    RsTestStart(1);
    HWND a = wiDlgOeffnen("ZeiEigen", tdInit, tdExit, tdBefehl);
    HWND b = wiDlgOeffnen("ZeiAnlegen", tdInit, tdExit, tdBefehl2);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    for (int runde = 0; runde < 3; ++runde)
        for (HWND d : {a, b}) {
            wiDlgBetreten(d);
            RsFeldAnmelden(3010 + runde, "x", 0);
            wiDlgVerlassen();
        }
    EXPECT_EQ(RsFeldAnzahl(), 6);
    wiDlgBetreten(a);
    RsFelderAbmelden();
    wiDlgVerlassen();
    EXPECT_EQ(RsFeldAnzahl(), 3);
    wiDlgBetreten(b);
    for (int i = 0; i < 250; ++i) RsFeldAnmelden(3010, "x", 0);
    EXPECT_EQ(RsFeldAnzahl(), RSFELDSUP);
    RsFelderAbmelden();
    wiDlgVerlassen();
    EXPECT_EQ(RsFeldAnzahl(), 0);
}

TEST_F(RsTest, WithoutAStartedSpellerNothingRegistersAndTheFollowUpGoes)
{
    vorgaben("SpllUse 0\n");
    EXPECT_EQ(RsStarten(), 0);
    HWND d = wiDlgOeffnen("ZeiEigen", tdInit, tdExit, tdBefehl);
    wiDlgBetreten(d);
    RsFeldAnmelden(3010, "x", 0);
    EXPECT_EQ(RsFeldAnzahl(), 0);
    EXPECT_EQ(RsPruefen(0, 2509), 0);
    wiDlgVerlassen();
    projpruef::dlgPumpen();
    EXPECT_TRUE(gepostet("2509"));
}

TEST_F(RsTest, AMissingLibraryWarnsAndSwitchesCheckingOffUntilTheNextRead)
{
    vorgaben("SpllUse 1\nSpllSofort 1\nSpllInst /nirgends/aspell\n");
    RsOptionenLesen();
    V b = boxen();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].rfind("ASpell scheint nicht installiert zu sein.\n(/nirgends/aspell/libaspell.so", 0), 0u) << b[0];
    EXPECT_EQ(RsStarten(), 0);
    EXPECT_EQ(RsPruefenAktiv(), 0);
    EXPECT_EQ(boxen().size(), 1u) << "no second warning before the next read";
    RsOptionenLesen();
    EXPECT_EQ(boxen().size(), 2u);
}

TEST_F(RsTest, AMissingWordListFolderIsOfferedAndAStartErrorShown)
{
    std::string woerter = (ordner / "woerter" / "de").string();
    vorgaben("SpllUse 1\nSpllSofort 1\nSpllPfad " + woerter + "\n");
    plNachrichtBoxAntwort(IDYES);
    // A library lacking one function stops the start.
    AspSymbolSucheSetzen([](void* bib, const char* name) -> void* {
        return std::strcmp(name, "aspell_speller_clear_session") == 0 ? nullptr : dlsym(bib, name);
    });
    EXPECT_EQ(RsStarten(), 0);
    AspSymbolSucheSetzen(nullptr);
    V b = boxen();
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0], "Das W\xF6rterbuch-Verzeichnis\n" + woerter + "\nist nicht vorhanden. Wollen Sie es jetzt anlegen?");
    EXPECT_TRUE(fs::is_directory(woerter));
    EXPECT_EQ(b[1], "ASpell Start ERROR: -27 (libaspell.so.15)");

    // The next call tries again and starts the real speller.
    EXPECT_EQ(RsStarten(), 1);
    EXPECT_EQ(RsSofort(), 1);
    RsBeenden();
}

}  // namespace
