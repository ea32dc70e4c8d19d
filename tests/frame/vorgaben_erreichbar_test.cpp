// Every key described in the shipped "Vorgaben.txt" can be reached by a
// user: on the real frame (headless, the demo project) every way to a
// settings page is walked with the keys and clicks a user gives (the
// "Vorgaben" menu, "Einstellen..." of the export dialog for each format and
// of the import dialogs, of the evaluation dialog for each evaluation, of
// the PLC data and the stock article list); each page's list of keys is
// read; a key described but listed on no page fails, named with its caption.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "frame/funkwahl.h"
#include "frame/modus.h"
#include "platform/dateidialog.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"

namespace fs = std::filesystem;
using namespace seitepruef;

namespace {

// The keys described in the file and their captions (code page 1252).
std::map<std::string, std::string> beschriebeneSchluessel(const fs::path& datei)
{
    std::ifstream f(datei, std::ios::binary);
    std::map<std::string, std::string> s;
    std::string zeile, offen;
    while (std::getline(f, zeile)) {
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        if (!offen.empty()) {
            s[offen] = zeile;
            offen.clear();
            continue;
        }
        if (zeile.rfind(")S ", 0) == 0) {
            std::istringstream w(zeile.substr(3));
            w >> offen;
        }
    }
    return s;
}

class VorgabenErreichbar : public DemoRahmen {
protected:
    std::set<std::string> gesehen;
    std::set<std::string> seiten;

    void SetUp() override
    {
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
    }
    // The settings page now open: its keys (the last word of each row)
    // noted, then closed with Esc.
    void seiteLesen(const std::string& weg)
    {
        HWND d = wiDlgSuchen("VorEditGB");
        ASSERT_NE(d, 0u) << weg << ": no settings page";
        char titel[300] = "";
        GetWindowText(d, titel, sizeof titel);
        seiten.insert(weg + " -> " + titel);
        HWND liste = GetDlgItem(d, 3010);
        const int n = static_cast<int>(SendMessage(liste, LB_GETCOUNT, 0, 0));
        EXPECT_GT(n, 0) << weg << ": " << titel;
        for (int i = 0; i < n; ++i) {
            char z[400] = "";
            SendMessage(liste, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(z));
            std::string t = z;
            const size_t e = t.find_last_not_of(' ');
            const size_t a = t.find_last_of(' ', e);
            gesehen.insert(t.substr(a == std::string::npos ? 0 : a + 1, e - (a == std::string::npos ? 0 : a + 1) + 1));
        }
        SetActiveWindow(d);
        taste(VK_ESCAPE);
        schliessen("VorEditGB");
    }
    // A dialog left open is closed through the dialog library.
    static void schliessen(const std::string& name)
    {
        for (int slot = 0; slot < DLGSUP; ++slot) {
            HWND f = 0;
            char n[100] = "", titel[200] = "";
            if (wiDlgSlotInfo(slot, &f, n, titel) && f != 0 && name == n) wiDlgSlotSchliessen(slot);
        }
        rahmenPumpen();
    }
    void dialogZu(const char* name)
    {
        if (HWND d = wiDlgSuchen(name)) {
            SetActiveWindow(d);
            taste(VK_ESCAPE);
        }
        schliessen(name);
        plNachrichtBoxFragenLeeren();
    }
};

}  // namespace

TEST_F(VorgabenErreichbar, EveryDescribedKeyIsOnASettingsPage)
{
    // The "Vorgaben" menu of the project page.
    for (int id = 1710; id <= 1719; ++id) {
        ASSERT_TRUE(menueWaehlen(id)) << id;
        seiteLesen("Vorgaben " + std::to_string(id));
    }

    // "Einstellen..." of the drawing export, for every format of its list.
    zeileWaehlen("HV1.01");
    for (int zeile = 0; zeile < 6; ++zeile) {
        ASSERT_TRUE(menueWaehlen(1611));
        HWND d = wiDlgSuchen("Export");
        ASSERT_NE(d, 0u);
        klick(d, 3030);
        taste(VK_HOME);
        taste(VK_DOWN, zeile);
        taste(VK_RETURN);
        klick(d, 2502);
        seiteLesen("Export Format " + std::to_string(zeile));
        dialogZu("Export");
    }

    // "Einstellen..." of the DXF and HPGL imports ("Zeichnung > Importieren").
    for (const char* datei : {"plan.dxf", "plan.hpgl"}) {
        const fs::path p = fs::path(demo.wurzel()) / datei;
        std::ofstream(p) << "0\n";
        plDateiDialogAntwort(p.c_str());
        ASSERT_TRUE(menueWaehlen(1600));
        const bool dxf = std::string(datei).find("dxf") != std::string::npos;
        HWND d = wiDlgSuchen(dxf ? "DXFImport" : "HPGLImport");
        ASSERT_NE(d, 0u) << datei << " " << rahmenLetzteMeldung();
        klick(d, dxf ? 2502 : 2503);
        seiteLesen(std::string("Import ") + datei);
        dialogZu(dxf ? "DXFImport" : "HPGLImport");
    }

    // The PLC data and the stock articles of "Stammdaten".
    ASSERT_TRUE(menueWaehlen(1580));
    ASSERT_NE(wiDlgSuchen("SPSInfoListe"), 0u);
    klick(wiDlgSuchen("SPSInfoListe"), 2520);
    seiteLesen("SPS-Daten");
    dialogZu("SPSInfoListe");
    ASSERT_TRUE(menueWaehlen(1567));
    ASSERT_NE(wiDlgSuchen("AppArtListe"), 0u);
    klick(wiDlgSuchen("AppArtListe"), 2520);
    seiteLesen("Lagerartikel");
    dialogZu("AppArtListe");

    // The evaluation page: "Auswertung definieren", every evaluation of its
    // list, "Einstellen...".
    ModusUmschalten(MODUS_AUS);
    rahmenPumpen();
    HWND seite = rahmenSeite(MODUS_AUS);
    ASSERT_NE(seite, 0u);
    SendMessage(seite, WM_COMMAND, 1520, 0);  // the page's toolbar button
    rahmenPumpen();
    HWND aw = wiDlgSuchen("AUSWERTEN");
    ASSERT_NE(aw, 0u) << rahmenLetzteMeldung();
    HWND liste = GetDlgItem(aw, 3900);
    const int n = static_cast<int>(SendMessage(liste, LB_GETCOUNT, 0, 0));
    ASSERT_GT(n, 5);
    for (int i = 0; i < n; ++i) {
        SetFocus(liste);
        taste(VK_HOME);
        taste(VK_DOWN, i);
        klick(aw, 2501);
        seiteLesen("Auswertung " + std::to_string(i));
    }

    const auto beschrieben = beschriebeneSchluessel(fs::path(VELMO_SOURCE_DIR) / "data" / "Vorgaben.txt");
    ASSERT_GT(beschrieben.size(), 500u);
    std::string fehlt;
    for (const auto& [schluessel, titel] : beschrieben)
        if (!gesehen.count(schluessel)) fehlt += schluessel + " (" + titel + ")\n";
    std::string wege;
    for (const std::string& s : seiten) wege += s + "\n";
    EXPECT_EQ(fehlt, "") << "pages walked:\n" << wege;
}
