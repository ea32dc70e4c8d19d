// The equipment master list window: free sub component codes, component
// rows read back, the filter with and without "Alle Texte", and the window
// saving a 40-character text and deleting the last definition, its
// choosers filling their fields.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editdlg/bmtcopy.h"
#include "equipment/bm.h"
#include "equipment/definier.h"
#include "lists/bmlaufruf.h"
#include "lists/bmliste.h"
#include "lists/stammlist.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/equipment/bmtest.h"
#include "tests/lists/bmlaufrufprotokoll.h"
#include "tests/project/projpruef.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"

namespace {

TEST(BmDefRegeln, FreeCodesAndComponentRows)
{
    std::vector<std::string> alle;
    for (char c = 'a'; c <= 'z'; ++c) alle.push_back(std::string(1, c));
    const struct {
        std::vector<std::string> codes;
        const char* frei;
    } faelle[] = {{{}, "a"}, {{"a", "b", "d"}, "c"}, {{"b"}, "a"}, {alle, "aa"}};
    for (const auto& f : faelle) EXPECT_EQ(BmDefFreierCode(f.codes), f.frei) << f.codes.size();

    const std::string eins = BmDefUnterZeile("a", "KON", "Schliesser", 1, "S");
    EXPECT_EQ(eins.substr(0, 50), std::string(" a  KON        Schliesser             ").append(12, ' '));
    EXPECT_EQ(BmDefUnterZeile("b", "KON", "T", 2, "").substr(35, 3), "  2");
    std::string code, name, typ, kurz;
    int anzahl = 0;
    ASSERT_TRUE(BmDefUnterLesen(BmDefUnterZeile("c", "X", "Y", 0, "K"), code, name, typ, &anzahl, kurz));
    EXPECT_EQ(code, "c");
    EXPECT_EQ(kurz, "K");
    EXPECT_EQ(anzahl, 1) << "a count of 0 reads as 1";
}

using BmListe = bmtest::BmTest;

TEST_F(BmListe, FilterSaveAndDelete)
{
    DefInit();
    PhDefinitionenSetzen({{"K", "SCH", "-K", "", "", 0, 0, {}}, {"M", "MOT", "-M", "", "", 0, 0, {}}});
    DefModusSetzen(1);
    DefDateienSetzen();
    // Text 3 only matches with "Alle Texte".
    const char* texte[5] = {"Erster", "", "Sondertext", "", ""};
    DEFKOPF k{"K", "SCH", "-K", "", "", "", "", 0, 0, "", {texte[0], texte[1], texte[2], texte[3], texte[4]}};
    ASSERT_EQ(DefAendern(0, &k), 0);
    EXPECT_TRUE(BmDefPasst(0, "sonder", 1));
    EXPECT_FALSE(BmDefPasst(0, "sonder", 0));
    EXPECT_TRUE(BmDefPasst(1, "mot", 0));
    DefModusSetzen(0);
    DefDateienSetzen();

    projpruef::dialogWirt((wurzel_ / "cfg").string(), 1000, 800);
    BMStart();
    BmListeOeffnen(0);
    projpruef::dlgPumpen();
    HWND d = wiDlgSuchen("BMittel");
    ASSERT_NE(d, 0u);
    if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(d, (std::string(z) + "/BMittel.png").c_str());
    const std::string vierzig(40, 'x');
    ASSERT_TRUE(wiDlgBetreten(d));
    EXPECT_EQ(wiListeAnzahl(3100), 2);
    wiTextSetzen(3020, vierzig.c_str());
    wiDlgVerlassen();
    SendMessage(d, WM_COMMAND, 2510, 0);
    projpruef::dlgPumpen();
    char b[DEFNAMESUP + 1], t[DEFNAMESUP + 1], k1[DEFTEXTSUP + 1], k2[DEFTEXTSUP + 1], kurz[DEFNAMESUP + 1],
        t1[DEFTEXTSUP + 1];
    DefFelderHolen(0, b, t, k1, k2, kurz, t1);
    EXPECT_EQ(std::string(t1), vierzig) << "a 40-character text survives a save";

    // The short texts of the definition: the window saves all forty.
    SendMessage(d, WM_COMMAND, 2515, 0);
    projpruef::dlgPumpen();
    HWND tx = wiDlgSuchen("BMTexte");
    ASSERT_NE(tx, 0u);
    if (const char* z = std::getenv("VELMO_BILDER")) plHeadlessPng(tx, (std::string(z) + "/BMTexte.png").c_str());
    ASSERT_TRUE(wiDlgBetreten(tx));
    EXPECT_EQ(std::string(wiTextRing(3000)), vierzig);
    wiTextSetzen(3390, "Letzter");
    wiDlgVerlassen();
    // Copy and paste through the clipboard; the key "12" is line 12, edit 3120.
    SendMessage(tx, WM_COMMAND, 2510, 0);
    ASSERT_TRUE(wiDlgBetreten(tx));
    wiTextSetzen(3000, "weg");
    wiTextSetzen(3390, "weg");
    wiDlgVerlassen();
    SendMessage(tx, WM_COMMAND, 2511, 0);
    ASSERT_TRUE(wiDlgBetreten(tx));
    EXPECT_EQ(std::string(wiTextRing(3000)), vierzig);
    EXPECT_STREQ(wiTextRing(3390), "Letzter");
    wiDlgVerlassen();
    char tab[DEFTEXTEANZ][41] = {};
    std::strcpy(tab[0], vierzig.c_str());
    std::strcpy(tab[12], "Zwoelf");
    std::strcpy(tab[39], "Letzter");
    ASSERT_EQ(BmTextTabInClip("K", "", tab), 0);
    SendMessage(tx, WM_COMMAND, 2511, 0);
    ASSERT_TRUE(wiDlgBetreten(tx));
    EXPECT_STREQ(wiTextRing(3120), "Zwoelf");
    wiDlgVerlassen();
    SendMessage(tx, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("BMTexte"), 0u);
    DEFTEXTE alle;
    DefTexteHolen(0, alle);
    EXPECT_STREQ(alle[39], "Letzter");

    // "Neues Unterbauteil" and at once OK: the new row has nothing stored to
    // compare with (it read past the rows), and nothing typed asks nothing.
    plNachrichtBoxFragenLeeren();
    SendMessage(d, WM_COMMAND, 2512, 0);
    projpruef::dlgPumpen();
    SendMessage(d, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    EXPECT_TRUE(plNachrichtBoxFragen().empty());
    ASSERT_NE(wiDlgSuchen("BMittel"), 0u);

    // Deleting the last row selects the one before it.
    ASSERT_TRUE(wiDlgBetreten(d));
    wiListeWahlSetzen(3100, 1);
    wiDlgVerlassen();
    SendMessage(d, WM_COMMAND, MAKEWPARAM(3100, LBN_SELCHANGE), 0);
    SendMessage(d, WM_COMMAND, 2501, 0);
    projpruef::dlgPumpen();
    ASSERT_TRUE(wiDlgBetreten(d));
    EXPECT_EQ(wiListeAnzahl(3100), 1);
    EXPECT_EQ(wiListeWahl(3100), 0);
    wiDlgVerlassen();
    wiDlgSlotSchliessen(wiDlgSlot(d));
    projpruef::dlgPumpen();
    projpruef::dialogWirtEnde();
    DefFrei();
}

// The choosers answer into their fields, cut and trimmed; the dispo and
// stock choosers follow their settings.
TEST_F(BmListe, ChoosersFillTheirFields)
{
    DefInit();
    PhDefinitionenSetzen({{"K", "SCH", "-K", "", "", 0, 0, {}}});
    vorgaben("BMuse 1\nBMduse 1\nBMluse 1\n");
    projpruef::dialogWirt((wurzel_ / "cfg").string(), 1000, 800);
    BMStart();
    static std::string antwort;
    BmlAufrufProtokollStarten();
    BmlAufrufe t;
    t.DB1210Oeffnen = [](BmlWahlFn f) { f(antwort.c_str()); };
    t.DB1232Oeffnen = [](int, BmlWahlFn f) { f(antwort.c_str()); };
    BmlAufrufeSetzen(t);
    BmListeOeffnen(0);
    projpruef::dlgPumpen();
    HWND d = wiDlgSuchen("BMittel");
    ASSERT_NE(d, 0u);
    ASSERT_TRUE(wiDlgBetreten(d));
    EXPECT_EQ(wiItemIstFrei(2521), 1);
    EXPECT_EQ(wiItemIstFrei(2522), 0) << "principle components off";
    EXPECT_EQ(wiItemIstFrei(2520), 1);
    wiDlgVerlassen();
    const std::string lang = " " + std::string(45, 'n') + "X ";
    const struct {
        int befehl, feld;
        std::string gewaehlt, erwartet;
    } faelle[] = {{2520, 3040, "  A23456789012345678XYZ", "A23456789012345678"},
                  {2521, 3030, " DISPO ", "DISPO"},
                  {2523, 3090, lang, std::string(45, 'n') + "X"}};
    for (const auto& f : faelle) {
        antwort = f.gewaehlt;
        SendMessage(d, WM_COMMAND, f.befehl, 0);
        projpruef::dlgPumpen();
        ASSERT_TRUE(wiDlgBetreten(d));
        EXPECT_EQ(std::string(wiTextRing(f.feld)), f.erwartet) << f.befehl;
        wiDlgVerlassen();
    }
    wiDlgSlotSchliessen(wiDlgSlot(d));
    projpruef::dlgPumpen();
    projpruef::dialogWirtEnde();
    BmlAufrufProtokollStarten();
    DefFrei();
}

}  // namespace
