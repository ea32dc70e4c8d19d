// The evaluation page's right-click menu on the running frame, headless,
// over a working copy of the demo project: a right click on the result list
// opens "AUSWERTUNG_RM"; arrow keys and Enter choose "Markierte als CSV
// speichern...", which writes the marked lines; Escape closes the menu and
// nothing runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "controls/lisanzeige.h"
#include "frame/modus.h"
#include "lists/auswertseite.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "tests/frame/editor_pruef.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class AuswertRm : public DemoLauf {
protected:
    void seiteOeffnen() override
    {
        ModusUmschalten(MODUS_AUS);
        plHeadlessPumpen();
    }
    static HWND seite() { return rahmenSeite(MODUS_AUS); }
    static POINT zeile(int n) { return plHeadlessPunkt(GetDlgItem(seite(), AWSLISTE), 30, n * wiDlgEinheit(8) + 3); }
    static void klick(int n, bool strg)
    {
        POINT p = zeile(n);
        if (strg) plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessKlick(p.x, p.y);
        if (strg) plHeadlessTasteHoch(VK_CONTROL);
        plHeadlessZeitVor(1000);  // no double click
        plHeadlessPumpen();
    }
};

TEST_F(AuswertRm, ARightClickOpensTheMenuAndKeysChooseTheCsvOfTheMarkedLines)
{
    ProfilZahlSchreiben("ArbPlatz", "ExpCsvTab", 0);
    ProfilZahlSchreiben("ArbPlatz", "ExpCsvTxt", 0);
    PostMessage(seite(), WM_COMMAND, 1521, 0);  // the toolbar's "run"
    plHeadlessPumpen();
    klick(0, false);
    klick(1, true);
    const std::string csv = demo.datei("Rechts.csv");
    plDateiDialogAntwort(csv.c_str());
    menueBlick().bild = demo.wurzel() + "/menue.png";
    POINT p = zeile(1);
    menueBlick().tasten = {VK_DOWN, VK_DOWN, VK_RETURN};
    plHeadlessKlick(p.x, p.y, 1);
    plHeadlessPumpen();
    EXPECT_EQ(menueBlick().texte, (std::vector<std::string>{"Markierte &kopieren", "Markierte als &CSV speichern...", "",
                                                    "&Auswertung kopieren", "Auswertung als CSV &speichern...", "",
                                                    "&Optionen..."}));
    EXPECT_TRUE(fs::exists(demo.wurzel() + "/menue.png"));
    bildAblegen("menue.png", "AW_BILD_RM");
    ASSERT_TRUE(fs::exists(csv)) << "the second item saved the marked lines";
    const std::string s = lesen(csv);
    EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 2) << s;
    EXPECT_EQ(s.substr(0, 8), "-A1;11-1") << s;
    EXPECT_EQ(plMenueVerfolgt(), 0u);

    // Escape closes it: nothing is chosen, nothing written.
    const std::string zweite = demo.datei("Nicht.csv");
    plDateiDialogAntwort(zweite.c_str());
    menueBlick().texte.clear();
    menueBlick().tasten = {VK_ESCAPE};
    plHeadlessZeitVor(1000);  // no double click
    plHeadlessKlick(p.x, p.y, 1);
    plHeadlessPumpen();
    EXPECT_FALSE(fs::exists(zweite));
    EXPECT_EQ(menueBlick().texte.size(), 7u) << "the menu was open";
    EXPECT_EQ(plMenueVerfolgt(), 0u);
}

}  // namespace
