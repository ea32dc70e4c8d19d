// The frame of the numbered editor dialogs: which template library a
// template comes from and when it is loaded, the opener by number, and the
// conventions (placement by family, Enter on a picture button, the fill
// guard, the refusal while another element is being drawn).
#include <gtest/gtest.h>

#include <cstdio>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/inidatei.h"
#include "model/befehl.h"
#include "platform/ressource.h"
#include "tests/editdlg/dbpruef.h"
#include "tests/editor/edtaufrufprotokoll.h"

namespace {

using dbpruef::DbTest;
using dbpruef::pumpen;
using dbpruef::seiteGehoben;

std::string modulVon(const char* vorlage) { return rcModulName(DlgModulEddb(vorlage)); }

// The display settings as the settings reader leaves them from a defaults
// set holding these two keys (an empty value: the key is missing).
void einstellen(const char* nk, const char* wnk)
{
    static int nr = 0;
    std::string pfad = dbpruef::tempName("eddb" + std::to_string(++nr)) + ".vgb";
    {
        std::ofstream f(pfad, std::ios::binary);
        f << "Name     Eddb\r\n";
        if (nk[0]) f << "Ednk     " << nk << "\r\n";
        if (wnk[0]) f << "Edwnk    " << wnk << "\r\n";
    }
    VgbFehlMeldung(0);
    VgbSetSetzen("Test", pfad.c_str());
    EdEinstLesen(nullptr);
    VgbSetSetzen("", "");
    VgbFehlMeldung(1);
    // Left in the temp folder it would be offered as a defaults set to every
    // project below it ("Eddb" rows in the set chooser).
    std::remove(pfad.c_str());
}

TEST_F(DbTest, TheSettingsChooseTheLibrary)
{
    struct Fall {
        const char* nk;
        const char* wnk;
        const char* modul;
    } faelle[] = {
        {"", "", "eddb10"}, {"", "1", "eddb11"}, {"7", "0", "eddb40"}, {"2", "5", "eddb21"}, {"3", "-1", "eddb30"},
    };
    EdEinst()->nk = 0;  // not read yet: the smallest library
    EdEinst()->wnk = 0;
    EXPECT_EQ(modulVon("DB1100"), "eddb10");
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.nk) + "/" + f.wnk);
        einstellen(f.nk, f.wnk);
        EXPECT_EQ(modulVon("DB1100"), f.modul);
    }
}

TEST_F(DbTest, ALibraryIsLoadedOnceForItsSettingsAndOnlyForDbNames)
{
    einstellen("2", "1");
    EXPECT_EQ(modulVon("DB1100"), "eddb21");
    const int geladen = DbModulLadungen();
    EXPECT_EQ(modulVon("DB1201"), "eddb21");
    EXPECT_EQ(DbModulLadungen(), geladen) << "a second dialog loads nothing";
    einstellen("3", "1");
    EXPECT_EQ(modulVon("DB1201"), "eddb31");
    EXPECT_EQ(DbModulLadungen(), geladen + 1);
    EXPECT_EQ(GetModuleHandle("eddb21"), 0u) << "the old library was freed";
    for (const char* fremd : {"db1010", "Db1010", "DRUCK", "", "D"}) {
        SCOPED_TRACE(fremd);
        EXPECT_EQ(DlgModulEddb(fremd), 0u);
    }
    EXPECT_EQ(wiDlgModul("db1010"), GetModuleHandle(nullptr)) << "lower case is the program's own";
    EXPECT_EQ(rcModulName(wiDlgModul("DB1010")), "eddb31");
}

TEST_F(DbTest, AMissingLibraryIsReportedAndTriedAgain)
{
    DbModulMusterSetzen("fehlt%d%d.dll");
    const int vorher = DbModulLadungen();
    plNachrichtBoxFragenLeeren();
    DBDialogOeffnen(1100);
    pumpen();
    ASSERT_FALSE(plNachrichtBoxFragen().empty());
    EXPECT_EQ(plNachrichtBoxFragen().back().text, "Kann Dialogbox DB1100 nicht herstellen.");
    EXPECT_EQ(wiDlgSuchen("DB1100"), 0u);
    EXPECT_EQ(DlgModulEddb("DB1100"), 0u);
    EXPECT_EQ(DbModulLadungen(), vorher + 2) << "a failed load is not kept";
    DbModulMusterSetzen(nullptr);
    EXPECT_EQ(modulVon("DB1100"), "eddb21");
}

// Every number reaches its own opener; 1353 the editor table's entry; the
// rest nothing.
std::vector<int> oeffnerSpur;
template <int N> void oeffnerMerken() { oeffnerSpur.push_back(N); }

TEST_F(DbTest, EveryNumberReachesItsOpener)
{
    int anzahl = 0;
    const DbDialogZeile* t = DbDialogTabelle(&anzahl);
    ASSERT_EQ(anzahl, 45);
    std::vector<void (*)()> alt;
    static void (*const merker[])() = {
        oeffnerMerken<0>,  oeffnerMerken<1>,  oeffnerMerken<2>,  oeffnerMerken<3>,  oeffnerMerken<4>,
        oeffnerMerken<5>,  oeffnerMerken<6>,  oeffnerMerken<7>,  oeffnerMerken<8>,  oeffnerMerken<9>,
        oeffnerMerken<10>, oeffnerMerken<11>, oeffnerMerken<12>, oeffnerMerken<13>, oeffnerMerken<14>,
        oeffnerMerken<15>, oeffnerMerken<16>, oeffnerMerken<17>, oeffnerMerken<18>, oeffnerMerken<19>,
        oeffnerMerken<20>, oeffnerMerken<21>, oeffnerMerken<22>, oeffnerMerken<23>, oeffnerMerken<24>,
        oeffnerMerken<25>, oeffnerMerken<26>, oeffnerMerken<27>, oeffnerMerken<28>, oeffnerMerken<29>,
        oeffnerMerken<30>, oeffnerMerken<31>, oeffnerMerken<32>, oeffnerMerken<33>, oeffnerMerken<34>,
        oeffnerMerken<35>, oeffnerMerken<36>, oeffnerMerken<37>, oeffnerMerken<38>, oeffnerMerken<39>,
        oeffnerMerken<40>, oeffnerMerken<41>, oeffnerMerken<42>, oeffnerMerken<43>, oeffnerMerken<44>,
    };
    std::vector<int> nummern;
    for (int i = 0; i < anzahl; ++i) nummern.push_back(t[i].nummer);
    for (int i = 0; i < anzahl; ++i)
        if (nummern[i] != 1353) alt.push_back(DbOeffnerSetzen(nummern[i], merker[i]));
    oeffnerSpur.clear();
    for (int n = 1000; n <= 1400; ++n) DBDialogOeffnen(n);
    std::vector<int> soll;
    for (int i = 0; i < anzahl; ++i)
        if (nummern[i] != 1353) soll.push_back(i);
    EXPECT_EQ(oeffnerSpur, soll) << "each row once, 1013 and 1400 nothing";
    EXPECT_EQ(EdtAufrufProtokoll(), std::vector<std::string>{"BmlUmschalten()"});
    size_t k = 0;
    for (int i = 0; i < anzahl; ++i)
        if (nummern[i] != 1353) DbOeffnerSetzen(nummern[i], alt[k++]);
    // The model's open command and the editor reach the same dispatcher.
    static std::vector<int> erreicht;
    erreicht.clear();
    void (*a1012)() = DbOeffnerSetzen(1012, [] { erreicht.push_back(1012); });
    void (*a1104)() = DbOeffnerSetzen(1104, [] { erreicht.push_back(1104); });
    modh::DBDialogOeffnen(1012);
    EdtAufrufTabelle().DBDialogOeffnen(1104);
    DbOeffnerSetzen(1012, a1012);
    DbOeffnerSetzen(1104, a1104);
    EXPECT_EQ(erreicht, (std::vector<int>{1012, 1104}));
}

TEST_F(DbTest, AnOpenDialogIsRaisedNotOpenedTwice)
{
    DBDialogOeffnen(1104);
    pumpen();
    HWND d = wiDlgSuchen("DB1104");
    ASSERT_NE(d, 0u);
    DBDialogOeffnen(1100);
    pumpen();
    DBDialogOeffnen(1104);
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1104"), d);
    EXPECT_NE(wiDlgSuchen("DB1100"), 0u) << "another dialog of the shared procedures is its own window";
    int offen = 0;
    for (int s = 0; s < DLGSUP; ++s) {
        const dlgbox* b = wiDlgBox(s);
        if (b != nullptr && b->fenster != 0 && std::strcmp(b->name, "DB1104") == 0) ++offen;
    }
    EXPECT_EQ(offen, 1);
}

TEST_F(DbTest, DialogsOfAFamilyShareTheirPlace)
{
    DBDialogOeffnen(1104);
    pumpen();
    HWND d = wiDlgSuchen("DB1104");
    ASSERT_NE(d, 0u);
    SetWindowPos(d, 0, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessage(d, WM_COMMAND, 2, 0);
    pumpen();
    ASSERT_EQ(wiDlgSuchen("DB1104"), 0u);
    DBDialogOeffnen(1101);
    pumpen();
    HWND e = wiDlgSuchen("DB1101");
    ASSERT_NE(e, 0u);
    RECT r;
    GetWindowRect(e, &r);
    EXPECT_EQ(r.left, 123);
    EXPECT_EQ(r.top, 77);
    EXPECT_EQ(GetWindow(e, GW_OWNER), seite) << "opened by the editor, over its page";
}

// Enter on a focused picture button posts the button, nothing else.
TEST_F(DbTest, EnterOnAPictureButtonPostsIt)
{
    DBDialogOeffnen(1322);
    pumpen();
    HWND d = wiDlgSuchen("DB1322");
    ASSERT_NE(d, 0u);
    SetFocus(GetDlgItem(d, 2501));
    seiteGehoben() = 0;
    SendMessage(d, WM_COMMAND, 1, 0);
    EXPECT_NE(wiDlgSuchen("DB1322"), 0u) << "Enter did not confirm";
    pumpen();
    EXPECT_EQ(wiDlgSuchen("DB1322"), 0u) << "the posted 2501 closed it";
    EXPECT_EQ(seiteGehoben(), 1) << "the exit gives the editor the focus";
}

TEST_F(DbTest, TheFillGuardNests)
{
    EXPECT_FALSE(DbFuellt());
    {
        DbFuellen a;
        {
            DbFuellen b;
            EXPECT_TRUE(DbFuellt());
        }
        EXPECT_TRUE(DbFuellt());
    }
    EXPECT_FALSE(DbFuellt());
}

TEST_F(DbTest, AnotherElementUnderConstructionRefusesWithItsMnemonic)
{
    BaubfStarten(BEF_KRE);
    EXPECT_EQ(DbAndererBefehl(BEF_ZL), 1);
    EXPECT_STREQ(StatusLetzterText(), "Sie m\xfcssen erst den laufenden KRE-Befehl abschliessen.");
    EXPECT_EQ(DbAndererBefehl(BEF_KRE), 0);
    BaubfStarten(82);
    EXPECT_EQ(DbAndererBefehl(80, 86), 0);
    EXPECT_EQ(DbAndererBefehl(50, 57), 1);
    BaubfAbbrechen();
    EXPECT_EQ(DbAndererBefehl(BEF_ZL), 0);
}

}  // namespace
