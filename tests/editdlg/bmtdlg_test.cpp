// The identifier, renumbering and library-chooser windows on the real
// stores: DB1361 writing the alternative identifier unless marked with '!',
// DB1360 renumbering only all-digit values in the range typed, and the
// dispo chooser handing the chosen name back or warning about a library
// it cannot open.
#include <cstring>
#include <string>
#include <vector>

#include "editdlg/bmtexte.h"
#include "editdlg/db1232.h"
#include "editdlg/zuordnung.h"
#include "equipment/apphaken.h"
#include "model/bauteil.h"
#include "tests/editdlg/bautpruef.h"
#include "tests/editdlg/bmdlgpruef.h"
#include "tests/editdlg/dbpruef.h"
#include "tests/editdlg/zuopruef.h"
#include "tests/equipment/kennung_test.h"

namespace {

using bmdlgpruef::bild;
using bmdlgpruef::druecken;
using dbpruef::pumpen;
using zuopruef::bei;

class BmtDlg : public dbpruef::SchlangeTest {
protected:
    bmdlgpruef::Lager lager;
    void SetUp() override
    {
        lager.an();
        lager.starten("BMnorm 1\n");
        SchlangeTest::SetUp();
        AppAktivSetzen(1);
        BmTexteZuruecksetzen();
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        BmTexteZuruecksetzen();
        AppAktivSetzen(0);
        lager.aus();
    }
};

TEST_F(BmtDlg, IdentifierWindowWritesTheAlternativeUnlessMarked)
{
    appgeraet g{};
    g.id = 3;
    std::strcpy(g.kg, "K1");
    std::strcpy(g.kz, "ALT1");
    ASSERT_EQ(GesEinfuegen(&g), 0);
    const BEF b = zuopruef::satz(80, "K");
    const STT s = bei(10, 10);
    AppKennungAnlegen(3, &g, nullptr, &b, &s);
    AppKennungAnlegen(3, &g, nullptr, &b, &s);
    HWND d = oeffnen(1361);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "ALT1");
    EXPECT_EQ(text(d, 3200), "2");
    bild(d, "db1361");
    tippen(d, 3000, "K7");
    druecken(d, 2500);
    appgeraet n;
    GesHolen(3, &n);
    EXPECT_STREQ(n.kz, "K7");
    EXPECT_STREQ(n.kg, "K1");
    tippen(d, 3000, "!K8");
    druecken(d, 2500);
    GesHolen(3, &n);
    EXPECT_STREQ(n.kg, "!K8");
    EXPECT_EQ(wiDlgSuchen("DB1361"), 0u) << "the empty queue closes the window";
}

TEST_F(BmtDlg, RenumberingWindowTakesTheRangeTyped)
{
    const uint32_t a = lager.hauptGeraet("!K1", 0, 0);
    const char* nummern[] = {"1", "2", "5", "A3"};
    for (int i = 0; i < 4; ++i) {
        lager.eintrag(a, "U", "KONTAKT", "001", 10.0 * (i + 1), 0, i + 1);
        appbteil e;
        ASSERT_EQ(BtlSuchen(a, "U", i + 1, &e), 1);
        std::strcpy(e.bs, nummern[i]);
        BtlEintragAendern(a, "U", i + 1, &e);
    }
    DB1360Oeffnen(a, 0);
    pumpen();
    HWND d = wiDlgSuchen("DB1360");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "!K1");
    EXPECT_EQ(text(d, 3010), "1");
    EXPECT_EQ(text(d, 3020), "5");
    EXPECT_EQ(text(d, 3030), "1");
    bild(d, "db1360");
    tippen(d, 3020, "3");
    tippen(d, 3030, "7");
    druecken(d, 2500);
    EXPECT_EQ(wiDlgSuchen("DB1360"), 0u);
    std::vector<std::string> bs;
    for (int i = 1; i <= 4; ++i) {
        appbteil e;
        BtlSuchen(a, "U", i, &e);
        bs.emplace_back(e.bs);
    }
    EXPECT_EQ(bs, (std::vector<std::string>{"7", "8", "5", "A3"}));
}

TEST_F(BmtDlg, TerminalTextWindowShowsTheItemAndItsSymbolPairs)
{
    lager.vorgaben("BMuse 1\nBMnorm 1\nKSKlvBtl xkl xklf kl1\nKSKlvBtl1 kl2 rest\n");
    BMStart();
    EXPECT_EQ(Db1358Paare(), (std::vector<std::string>{"XKL XKLF", "KL1 KL2"})) << "two words at a time";
    const uint32_t a = lager.hauptGeraet("!X1", 10, 10);
    DB1358Oeffnen(a, 0);
    pumpen();
    HWND d = wiDlgSuchen("DB1358");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "X1");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 3160)));
    klick(d, 3151);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 3160)));
    EXPECT_EQ(SendMessage(GetDlgItem(d, 3160), CB_GETCOUNT, 0, 0), 2);
    bild(d, "db1358");
    // The item goes: the window closes by itself.
    BtlEintraegeLoeschen(a);
    GesLoeschen(a);
    SendMessage(d, WM_COMMAND, 2530, 0);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1358"), 0u);
}

std::string gewaehlt;
void merken(const char* n) { gewaehlt = n; }

TEST_F(BmtDlg, DispoChooserHandsBackTheNameOrWarns)
{
    bautpruef::BautHilfe h;
    h.start();
    const std::string bib = h.kopie("BAUTEILE.L10", "BAUTEILE.DIS");
    h.dazu(bib, {"D1"});
    VerSetzen(2, (h.o.pfad.string() + "/").c_str());
    lager.vorgaben("BMuse 1\nBMdzus DIS\nBMpzus XYZ\n");
    BMStart();
    gewaehlt.clear();
    DB1232Oeffnen(0, merken);
    pumpen();
    HWND d = wiDlgSuchen("DB1232D");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(SendMessage(GetDlgItem(d, 3000), LB_GETCOUNT, 0, 0), 2);
    bild(d, "db1232d");
    druecken(d, 2500);
    EXPECT_EQ(gewaehlt, "D1");
    EXPECT_EQ(wiDlgSuchen("DB1232D"), 0u);
    // The principle library cannot be opened: the warning, an empty list.
    DB1232Oeffnen(1, merken);
    pumpen();
    d = wiDlgSuchen("DB1232P");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(SendMessage(GetDlgItem(d, 3000), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(h.meldungen(), std::vector<std::string>{"Kann Bauteildatei XYZ nicht \xF6" "ffnen."});
    VerSetzen(2, "");
    h.ende();
}

}  // namespace
