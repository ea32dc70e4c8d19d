// The menus of the frame as a new user meets them, on the headless backend:
// each item's text and command id in all six menus, each shortcut label
// against the accelerator table in force where the menu is shown, every
// item of the project page driven through the real menu (keys and clicks)
// to the dialog or action it reaches, the drawing count of the status bar
// and a start folder that does not exist.
#include <cairo.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "controls/lisanzeige.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "platform/accel.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/zeichen.h"
#include "platform/winconst.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/proverw.h"
#include "project/pvwliste.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/platform/golden_pruef.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

class Menue : public ::testing::Test {
protected:
    fs::path wurzel, vorher, projekt;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        wurzel = rahmenWurzel("menue");
        ASSERT_FALSE(wurzel.empty());
        projekt = wurzel / "arbeit" / "Projekt";
        fs::create_directories(projekt);
        fs::create_directories(wurzel / "arbeit" / "Anderes");
        setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
        vorher = fs::current_path();
        fs::current_path(wurzel / "arbeit");
    }

    void starten(std::vector<std::string> woerter = {"-W=1", "Projekt"})
    {
        rahmenStarten(args, argv, woerter);
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
    }

    void TearDown() override
    {
        if (anwLaufZustand() == 2) {
            PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
            EXPECT_EQ(anwLauf(), 0);
        }
        if (anwLaufZustand() != 0 && anwLaufZustand() != 9) anwSchluss();
        plFensterSystemEnde();
        fs::current_path(vorher);
        fs::remove_all(wurzel);
    }

    // Two drawings under the subtitle heading "001".
    void zweiZeichnungen()
    {
        projpruef::zeichnungSchreiben((projekt / "Plan.001").string(), BEF_ZA3, "a", "Deckblatt", "");
        projpruef::zeichnungSchreiben((projekt / "Plan.002").string(), BEF_ZA3, "", "Verteilung", "");
        std::ofstream(projekt / "Projekt.zvk", std::ios::binary)
            << "zvkP\n)S Titel\n" << projtest::felder({"___", "Projekt"}) << "\n"
            << projtest::felder({"001", "Steuerung", "Halle 1", "Ort A"}) << "\n)S Kennung\n)E\n";
    }

    static std::string status(int teil)
    {
        char t[200] = "";
        wiStatusTextHolen(teil, t, sizeof t);
        return t;
    }
};

// ---- The menus as data -------------------------------------------------------------------------

struct Punkt {
    const char* text;  // as in the resource, shortcut label after a TAB
    int id;            // 0 separator
};
struct Popup {
    const char* titel;
    std::vector<Punkt> punkte;
};
struct MenueSoll {
    const char* name;
    const char* accel;  // the table in force while the menu is shown
    std::vector<Popup> popups;
};

const Punkt TRENNER{"", 0};

// The master-data menu of the project and equipment-list pages.
const Popup stammdaten = {"&Stammdaten",
                                               {{"&Layer...", 1550},
                           {"S&tifte...", 1551},
                           {"&Schriften...", 1552},
                           {"&Farben...", 1553},
                           {"Sprac&hen...", 1554},
                           TRENNER,
                           {"Standardte&xte...", 1560},
                           {"Standardtexte der Sp&rache...", 1561},
                           {"&Zentrale Standardtexte...", 1562},
                           {"La&yertexte...", 1565},
                           TRENNER,
                           {"Betriebsmitteltexte exp&ortieren...", 1566},
                           {"Betriebsmitteltexte &importieren...", 1569},
                           {"&Artikel...", 1567},
                           {"La&ger...", 1568},
                           TRENNER,
                           {"&Bauteilbibliothek...", 1570},
                           {"Bauteilfe&nster...", 1571},
                           {"&Ersatzbauteile...", 1572},
                           TRENNER,
                           {"Betriebsmittel&definitionen Standard...", 1575},
                           {"Betriebsmitteldefinitionen &Kunde...", 1576},
                           TRENNER,
                           {"S&PS-Daten...", 1580},
                           {"SPS-Textdatei &1", 1581},
                           {"SPS-Textdatei &2", 1582}}};

// The dynamic items (recent folders, check lists) come on top at run time.
const std::vector<MenueSoll>& menueSoll()
{
    static const std::vector<MenueSoll> m = {
        {"ANW_MENU",
         "ANW_ACCEL",
         {{"&Projekt",
           {{"&Projektliste...", 1500},
            {"&Projektordner \xF6" "ffnen...", 1501},
            {"&Letzte Projekte...", 1502},
            {"&Neues Projekt anlegen...", 1503},
            TRENNER,
            {"Aktualisieren", 1505},
            {"Projekt sichern...", 1506},
            TRENNER,
            {"Sperrdatei l\xF6schen", 1507},
            {"Freigabedatei anlegen", 1508},
            {"Freigabedatei l\xF6schen", 1509},
            TRENNER,
            {"&Beenden", 1998}}},
          {"&Zeichnung",
           {{"A&nlegen...\t^N", 1800},
            {"&Bearbeiten...\t^B", 1810},
            {"&Ansehen...\t^O", 1820},
            {"&Drucken...\t^P", 1830},
            {"&L\xF6schen...", 1840},
            {"&Eigenschaften...", 1850},
            TRENNER,
            {"Impor&tieren...", 1600},
            {"&Exportieren...\t^E", 1611},
            TRENNER,
            {"&Index/Datum setzen...", 1860},
            {"&Texte eintragen...", 1862},
            {"&Massstab l\xF6schen...", 1870},
            {"&Umnummerieren...", 1880}}},
          {"&Titel",
           {{"&Titel...\t^T", 1510},
            {"&Untertitel...\t^U", 1511},
            TRENNER,
            {"Zeichnungs-Kurztexte importieren...", 1530},
            {"Zeichnungs-Kurztexte exportieren...", 1531},
            TRENNER,
            {"Datei-Update...", 1520}}},
          {"&Betriebsmittel",
           {{"Kennungen ein&frieren...", 1210},
            {"Betriebsmittel &pr\xFC" "fen...", 1250},
            {"Betriebsmittel &verschmelzen...", 1260}}},
          {"&Listen", {{"Checkliste", 1590}}},
          stammdaten,
          {"&Vorgaben",
           {{"&Umschalten...", 1700},
            TRENNER,
            {"&Velmo...", 1710},
            {"&Editor...", 1711},
            {"&Video...", 1712},
            {"Drucken A4 Quer / A&3-A0...", 1713},
            {"Drucken A&4...", 1714},
            {"&Betriebsmittel...", 1715},
            {"&Inhaltsverzeichnis...", 1716},
            {"&Listen...", 1717},
            {"&Auswertungen...", 1718},
            {"&Arbeitsplatz...", 1719}}},
          {"&Hilfe",
           {{"&Handbuch...", 1994},
            {"&Bauteile...", 1993},
            {"Velmo im &Internet...", 1996},
            {"&Information...", 1995},
            TRENNER,
            {"\xDC" "&ber Velmo...", 1999}}}}},
        {"EDT_MENU",
         "EDT_ACCEL",
         {{"&Datei",
           {{"&Anlegen ...\t^N", 1000},
            {"Aus &Vorlage...", 1001},
            {"\xD6" "&ffnen...\t^O", 1002},
            {"E&inf\xFC" "gen...", 1003},
            TRENNER,
            {"&Speichern\t^S", 1004},
            {"Speichern &unter...", 1005},
            {"&Exportieren...\t^E", 1006},
            TRENNER,
            {"&Drucken...\t^P", 1020},
            TRENNER,
            {"&Beenden", 1998}}},
          {"&Bearbeiten",
           {{"&L\xF6" "schen", 1320},
            {"Markierung entfernen", 1323},
            {"Alles markieren", 1324},
            TRENNER,
            {"&Kopieren", 1330},
            {"&Einf\xFC" "gen", 1331},
            {"&Ausschneiden", 1332},
            TRENNER,
            {"&Gruppe", -1},
            {"&Mehrfachlinien", -1}}},
          {"E&instellungen",
           {{"Ei&genschaften...", 1010},
            {"&Hintergrund...", 1011},
            TRENNER,
            {"&Stift, Textart...", 1100},
            {"&Optionen...", 1101},
            {"&XY...", 1102},
            {"&Bauteildatei, Textdatei...", 1103},
            {"&Layer...", 1104},
            {"&Mass-Stab...", 1105},
            {"&Fenster, Lupe...", 1110},
            {"&Anzeige...", 1111}}},
          {"&Zeichnen",
           {{"&Linie...", 1200},
            {"&Text...", 1201},
            {"&Bauteilliste...", 1202},
            {"B&auteile 1...", 1205},
            {"B&auteile 2...", 1240},
            {"&Unterbrechung...", 1207},
            {"Gra&fik...", 1208},
            {"&Masslinie...", 1209},
            {"&Kreis...", 1220},
            {"&Rechteck...", 1221},
            {"&Dreieck...", 1222},
            {"T&eilkreis...", 1223},
            {"Bo&gen...", 1224},
            TRENNER,
            {"Markierte E&lemente", -1}}},
          {"Betriebs&mittel",
           {{"&Zuweisen", -1},
            {"&Beschriften...", 1354},
            {"&Kennungen...", 1361},
            {"&Bearbeiten...", 1353},
            TRENNER,
            {"&Hauptbauteile...", 1351},
            {"&Unterbauteile...", 1359},
            {"&Dispobauteile...", 1355},
            {"&Prinzipbauteile...", 1362},
            {"&Nicht zugewiesen...", 1356}}},
          {"Ma&kro", {{"&Bauteil speichern...", 1300}, {"&Makro speichern...", 1310}, {"Makro &abspielen...", 1311}}},
          {"&Vorgaben",
           {{"&Umschalten...", 1700},
            TRENNER,
            {"&Editor...", 1711},
            {"&Video...", 1712},
            {"Drucken A4 Quer / A&3-A0...", 1713},
            {"Drucken A&4...", 1714}}},
          {"&Hilfe",
           {{"&Handbuch...", 1994},
            {"&Bauteile...", 1993},
            {"&Information...", 1995},
            {"&Tasten...", 1112},
            TRENNER,
            {"\xDC" "&ber Velmo...", 1999}}}}},
        {"SON_MENU",
         "SON_ACCEL",
         {{"&Projekt",
           {{"&Projektordner \xF6" "ffnen...", 1501}, {"Aktualisieren", 1505}, TRENNER, {"&Beenden", 1998}}},
          {"&Betriebsmittel",
           {{"Kennungen ein&frieren...", 1210},
            {"Betriebsmittel &pr\xFC" "fen...", 1250},
            {"Betriebsmittel &verschmelzen...", 1260}}},
          {"&Listen", {{"Checkliste", 1590}}},
          stammdaten,
          {"&Vorgaben",
           {{"&Umschalten...", 1700},
            TRENNER,
            {"&Betriebsmittel...", 1715},
            {"&Listen...", 1717},
            {"&Auswertungen...", 1718}}},
          {"&Hilfe",
           {{"&Handbuch...", 1994}, {"&Information...", 1995}, TRENNER, {"\xDC" "&ber Velmo...", 1999}}}}},
        {"ANZ_MENU",
         "ANZ_ACCEL",
         {{"&Datei", {{"&Projektordner \xF6" "ffnen...", 1501}, TRENNER, {"&Beenden", 1998}}},
          {"&Hilfe",
           {{"&Handbuch...", 1994}, {"&Information...", 1995}, TRENNER, {"\xDC" "&ber Velmo...", 1999}}}}},
        {"PROVERW_RM",
         "ANW_ACCEL",
         {{"Zeichnung",
           {{"A&nlegen...\t^N", 1800},
            {"&Bearbeiten...\t^B", 1810},
            {"&Ansehen...\t^O", 1820},
            {"&Eigenschaften...", 1850},
            TRENNER,
            {"&Drucken...\t^P", 1830},
            {"&Exportieren...\t^E", 1611},
            TRENNER,
            {"&Alles markieren\t^A", 1890},
            TRENNER,
            {"&Titel...\t^T", 1851},
            {"&Untertitel...\t^U", 1852},
            TRENNER,
            {"&Texte eintragen...", 1862},
            {"&Index/Datum setzen...", 1860},
            TRENNER,
            {"&Umnummerieren...", 1880},
            {"&Massstab l\xF6schen...", 1870},
            TRENNER,
            {"&L\xF6schen...\tDel", 1840}}}}},
        {"PROVERW_HGRM",
         "ANW_ACCEL",
         {{"Projekt", {{"A&nlegen...\t^N", 1800}, TRENNER, {"&Titel...\t^T", 1851}, {"&Untertitel...\t^U", 1852}}}}},
    };
    return m;
}

std::string menueText(HMENU m, int pos)
{
    char t[200] = "";
    GetMenuString(m, static_cast<UINT>(pos), t, sizeof t, MF_BYPOSITION);
    return t;
}

std::string kuerzel(const std::string& text)
{
    size_t tab = text.find('\t');
    return tab == std::string::npos ? "" : text.substr(tab + 1);
}

bool istSeitenMenue(const std::string& name) { return name.rfind("PROVERW", 0) == 0; }

// Names of the open dialogs of the dialog library.
std::set<std::string> offeneDialoge()
{
    std::set<std::string> d;
    for (int slot = 0; slot < DLGSUP; ++slot) {
        HWND f = 0;
        char name[100] = "", titel[200] = "";
        if (wiDlgSlotInfo(slot, &f, name, titel) && f != 0 && IsWindow(f)) d.insert(name);
    }
    return d;
}

// The caption of the open dialog `name`: what the user sees the item open.
std::string dialogTitel(const std::string& name)
{
    for (int slot = 0; slot < DLGSUP; ++slot) {
        HWND f = 0;
        char n[100] = "", titel[200] = "";
        if (wiDlgSlotInfo(slot, &f, n, titel) && f != 0 && name == n) {
            GetWindowText(f, titel, sizeof titel);
            // A defaults page names its set's file, then the group's title.
            const std::string t = titel;
            const size_t g = t.find(".vgb - ");
            return g == std::string::npos ? t : t.substr(g + 7);
        }
    }
    return "";
}

void dialogSchliessen(const std::string& name)
{
    for (int slot = 0; slot < DLGSUP; ++slot) {
        HWND f = 0;
        char n[100] = "", titel[200] = "";
        if (wiDlgSlotInfo(slot, &f, n, titel) && f != 0 && name == n) wiDlgSlotSchliessen(slot);
    }
}

// Position of the command in the popup, counted as the arrow keys step:
// separators are skipped, greyed items are not.
int schritte(HMENU popup, int id)
{
    int k = 0;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        if (static_cast<int>(GetMenuItemID(popup, i)) == id) return k;
        if (!(GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)) ++k;
    }
    return -1;
}

// Queues the keys that open the bar's popup by its mnemonic (its first item
// selected) and step down to the command; Enter chooses it.
bool perTastatur(int id)
{
    HMENU leiste = anwDaten()->menue;
    for (int p = 0; p < GetMenuItemCount(leiste); ++p) {
        HMENU popup = GetSubMenu(leiste, p);
        int k = popup != 0 ? schritte(popup, id) : -1;
        if (k < 0) continue;
        std::string titel = menueText(leiste, p);
        size_t und = titel.find('&');
        if (und == std::string::npos) return false;
        plHeadlessTasteRunter(VK_MENU);
        plHeadlessTaste(static_cast<UINT>(plZeichenGross(static_cast<unsigned char>(titel[und + 1]))));
        plHeadlessTasteHoch(VK_MENU);
        for (int i = 0; i < k; ++i) plHeadlessTaste(VK_DOWN);
        plHeadlessTaste(VK_RETURN);
        plHeadlessPumpen();
        return true;
    }
    return false;
}

// Queues what opens the page's context menu `name` (on the cursor row the
// Applications key, on the background a right click below the last row),
// the steps down to the command and Enter; nothing is selected at first.
bool perKontextmenue(HWND seite, const char* name, int id)
{
    HMENU menue = LoadMenu(GetModuleHandle(nullptr), name);
    int k = menue != 0 ? schritte(GetSubMenu(menue, 0), id) : -1;
    DestroyMenu(menue);
    if (k < 0) return false;
    HWND liste = GetDlgItem(seite, 3000);
    SetFocus(liste);
    if (std::string(name) == "PROVERW_RM") {
        plHeadlessTaste(VK_APPS);
    } else {
        RECT r;
        GetWindowRect(liste, &r);
        plHeadlessZeitVor(1000);  // two clicks in a row are not a double click
        plHeadlessKlick(r.left + 40, r.bottom - 8, 1);
    }
    for (int i = 0; i <= k; ++i) plHeadlessTaste(VK_DOWN);
    plHeadlessTaste(VK_RETURN);
    plHeadlessPumpen();
    return true;
}

}  // namespace

TEST_F(Menue, EveryMenuHoldsItsItemsWithTheirCommands)
{
    for (const MenueSoll& soll : menueSoll()) {
        HMENU m = LoadMenu(GetModuleHandle(nullptr), soll.name);
        ASSERT_NE(m, 0u) << soll.name;
        ASSERT_EQ(GetMenuItemCount(m), static_cast<int>(soll.popups.size())) << soll.name;
        for (size_t p = 0; p < soll.popups.size(); ++p) {
            const Popup& pop = soll.popups[p];
            EXPECT_EQ(menueText(m, static_cast<int>(p)), pop.titel) << soll.name;
            HMENU unter = GetSubMenu(m, static_cast<int>(p));
            ASSERT_NE(unter, 0u) << soll.name << " " << pop.titel;
            ASSERT_EQ(GetMenuItemCount(unter), static_cast<int>(pop.punkte.size())) << soll.name << " " << pop.titel;
            for (size_t i = 0; i < pop.punkte.size(); ++i) {
                const Punkt& pk = pop.punkte[i];
                int pos = static_cast<int>(i);
                if (pk.id == 0) {
                    EXPECT_NE(GetMenuState(unter, static_cast<UINT>(pos), MF_BYPOSITION) & MF_SEPARATOR, 0u)
                        << soll.name << " " << pop.titel << " #" << i;
                    continue;
                }
                EXPECT_EQ(menueText(unter, pos), pk.text) << soll.name << " " << pop.titel << " #" << i;
                EXPECT_EQ(static_cast<int>(GetMenuItemID(unter, pos)), pk.id) << soll.name << " " << pk.text;
            }
        }
        DestroyMenu(m);
    }
}

TEST_F(Menue, AcceleratorTablesOfTheModes)
{
    // "^X" is Ctrl+X, "F1" the function key.
    const std::vector<std::pair<const char*, std::vector<std::pair<std::string, int>>>> soll = {
        {"ANW_ACCEL",
         {{"^N", 1835}, {"^B", 1836}, {"^O", 1837}, {"^P", 1831}, {"^E", 1833}, {"^T", 1838}, {"^U", 1839},
          {"F1", 1992}}},
        {"EDT_ACCEL", {{"^N", 1825}, {"^O", 1827}, {"^P", 1832}, {"^E", 1834}, {"F1", 1992}}},
        {"ANZ_ACCEL", {{"^P", 1829}, {"F1", 1992}}},
        {"SON_ACCEL", {{"F1", 1992}}},
    };
    for (const auto& [name, eintraege] : soll) {
        HACCEL h = LoadAccelerators(GetModuleHandle(nullptr), name);
        ASSERT_NE(h, 0u) << name;
        ACCEL a[40];
        int n = CopyAcceleratorTable(h, a, 40);
        std::vector<std::pair<std::string, int>> ist;
        for (int i = 0; i < n; ++i) {
            const bool virt = (a[i].fVirt & FVIRTKEY) != 0;
            std::string taste = "?" + std::to_string(a[i].key);
            if (virt && a[i].key == VK_F1 && !(a[i].fVirt & (FCONTROL | FSHIFT | FALT))) taste = "F1";
            if (!virt && a[i].key >= 1 && a[i].key <= 26) taste = std::string("^") + char('@' + a[i].key);
            ist.emplace_back(taste, a[i].cmd);
        }
        EXPECT_EQ(ist, eintraege) << name;
    }
}

// A label "^X" promises that Ctrl+X does what the item does: the
// accelerator of the table in force reaches the item's command, posted to
// the page or to the main window as the item's own route posts it. "^A" and
// "Del" belong to the drawing list itself.
TEST_F(Menue, EveryShortcutLabelIsTheAcceleratorOfItsMode)
{
    zweiZeichnungen();
    starten();
    HWND seite = rahmenSeite(MODUS_PVW);
    ASSERT_NE(seite, 0u);
    std::set<std::string> gesehen;
    for (const MenueSoll& soll : menueSoll()) {
        HACCEL tabelle = LoadAccelerators(GetModuleHandle(nullptr), soll.accel);
        ASSERT_NE(tabelle, 0u) << soll.accel;
        ACCEL eintraege[40];
        int n = CopyAcceleratorTable(tabelle, eintraege, 40);
        // The labels of the menu as loaded, not of the table above.
        HMENU menue = LoadMenu(GetModuleHandle(nullptr), soll.name);
        ASSERT_NE(menue, 0u) << soll.name;
        std::vector<std::pair<std::string, int>> punkte;
        for (int p = 0; p < GetMenuItemCount(menue); ++p) {
            HMENU unter = GetSubMenu(menue, p);
            for (int i = 0; unter != 0 && i < GetMenuItemCount(unter); ++i)
                punkte.emplace_back(menueText(unter, i), static_cast<int>(GetMenuItemID(unter, i)));
        }
        DestroyMenu(menue);
        for (const auto& [text, id] : punkte) {
            std::string k = kuerzel(text);
            if (k.empty()) continue;
            gesehen.insert(k);
            if (k == "^A" || k == "Del") {
                EXPECT_TRUE(istSeitenMenue(soll.name)) << soll.name << " " << text << ": only the list has it";
                continue;
            }
            if (k == "^S") {
                // The editor's key file gives Ctrl+S (a second accelerator
                // would save twice): its line names the item's command.
                EXPECT_EQ(soll.name, std::string("EDT_MENU")) << text;
                std::ifstream tasten(std::string(VELMO_SOURCE_DIR) + "/data/EditKey.txt", std::ios::binary);
                std::string zeile;
                bool da = false;
                while (std::getline(tasten, zeile)) da = da || zeile.rfind("CS # " + std::to_string(id), 0) == 0;
                EXPECT_TRUE(da) << "Ctrl+S of the key file reaches " << id;
                continue;
            }
            ASSERT_EQ(k.size(), 2u) << text;
            ASSERT_EQ(k[0], '^') << text;
            int befehl = -1;
            for (int i = 0; i < n; ++i) {
                if (!(eintraege[i].fVirt & FVIRTKEY) && eintraege[i].key == k[1] - '@') befehl = eintraege[i].cmd;
            }
            ASSERT_GE(befehl, 0) << soll.name << " " << text << ": no Ctrl+" << k[1] << " in " << soll.accel;
            // The page's menus are used while the list has the focus.
            SetFocus(istSeitenMenue(soll.name) ? GetDlgItem(seite, 3000) : anwHauptfenster());
            const std::set<std::string> vorher = offeneDialoge();
            rahmenGepostet();
            AnwBefehl(WM_COMMAND, static_cast<WPARAM>(befehl), 0);
            const std::string perTaste = rahmenGepostet();
            // The item's command itself, or what its own route posts: the
            // page's answer to a page item, the dispatcher's forward of a
            // main-menu item.
            std::string perPunkt = perTaste;
            const std::string nr = std::to_string(id);
            if (perTaste != "ProVerw " + nr && perTaste != "Haupt " + nr) {
                if (istSeitenMenue(soll.name)) SendMessage(seite, WM_COMMAND, static_cast<WPARAM>(id), 0);
                else AnwBefehl(WM_COMMAND, static_cast<WPARAM>(id), 0);
                perPunkt = rahmenGepostet();
            }
            EXPECT_EQ(perTaste, perPunkt) << soll.name << " " << text << " (Ctrl+" << k[1] << " -> " << befehl << ")";
            for (const std::string& d : offeneDialoge()) {
                if (!vorher.count(d)) dialogSchliessen(d);
            }
            plHeadlessPumpen();
        }
    }
    EXPECT_EQ(gesehen, (std::set<std::string>{"^N", "^B", "^O", "^P", "^E", "^S", "^A", "^T", "^U", "Del"}));

    // "^A" and "Del" on the list: Ctrl+A marks every row, Delete asks to
    // delete the marked drawings.
    SetFocus(GetDlgItem(seite, 3000));
    plHeadlessTasteRunter(VK_CONTROL);
    plHeadlessTaste('A');
    plHeadlessTasteHoch(VK_CONTROL);
    plHeadlessPumpen();
    ASSERT_TRUE(wiDlgBetreten(seite));
    EXPECT_EQ(LisMarkiertAnzahl(3000), PvwAnzahl());
    wiDlgVerlassen();
    plHeadlessTaste(VK_DELETE);
    plHeadlessPumpen();
    EXPECT_NE(wiDlgSuchen("ZeiLoesch"), 0u) << "Delete on the list opens the delete dialog";
}

TEST_F(Menue, StatusBarCountsDrawingsNotHeadings)
{
    projpruef::zeichnungSchreiben((projekt / "Plan.001").string(), BEF_ZA3, "", "Deckblatt", "");
    std::ofstream(projekt / "Projekt.zvk", std::ios::binary)
        << "zvkP\n)S Titel\n" << projtest::felder({"___", "Projekt"}) << "\n"
        << projtest::felder({"001", "Steuerung"}) << "\n)S Kennung\n)E\n";
    std::ofstream(projekt / "Schaltplan.pdf", std::ios::binary) << "%PDF-1.4";
    starten();
    ASSERT_GE(PvwAnzahl(), 3) << "a heading, the drawing and the PDF file are rows";
    EXPECT_EQ(status(3), "1 Seite");
}

// A start folder that does not exist: said so, and the current folder stays
// (not its parent). On stderr without a user, in a box with one.
TEST_F(Menue, StartFolderThatDoesNotExistIsReported)
{
    const fs::path start = wurzel / "arbeit";
    struct Fall {
        std::vector<std::string> woerter;
        bool box;
    } faelle[] = {{{"-W=1", "Projekt/Fehlt"}, false}, {{"Projekt/Fehlt"}, true}};
    for (const Fall& f : faelle) {
        plNachrichtBoxFragenLeeren();
        testing::internal::CaptureStderr();
        starten(f.woerter);
        std::string fehler = testing::internal::GetCapturedStderr();
        const std::string text = "Der Ordner Projekt/Fehlt existiert nicht.";
        EXPECT_EQ(fehler.find(text) != std::string::npos, !f.box) << fehler;
        bool gezeigt = false;
        for (const plNachrichtBoxFrage& b : plNachrichtBoxFragen()) gezeigt = gezeigt || b.text == text;
        EXPECT_EQ(gezeigt, f.box);
        char verz[MAX_PATH + 1] = "";
        VerHolen(1, verz, sizeof verz);
        EXPECT_EQ((fs::path(verz) / "").lexically_normal(), (start / "").lexically_normal())
            << "the start folder stays, not the named folder's parent";
        PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
        EXPECT_EQ(anwLauf(), 0);
        anwSchluss();
    }
}

// Every item of the project page's menu bar, chosen with the keyboard as a
// user does, opens its dialog, does what it stands for, or says in one line
// that it is not there yet: none does nothing.
TEST_F(Menue, EveryProjectMenuItemOpensItsDialogOrSaysSo)
{
    zweiZeichnungen();
    starten();
    HWND seite = rahmenSeite(MODUS_PVW);
    ASSERT_NE(seite, 0u);
    SendMessage(seite, WM_COMMAND, 2591, 1);  // the cursor on the first drawing, below its heading
    const std::string nv = " ist noch nicht verf\xFCgbar.";
    // Without the viewer program "Ansehen" opens the viewer mode (1534).
    struct Fall {
        const char* menue;  // nullptr: the menu bar
        int id;
        std::string erwartet;  // "Dialog <name> \"<title>\"", "Meldung <text>", "Modus <n>", "Markiert <rows>"
    } faelle[] = {
        {nullptr, 1500, "Dialog PVWVERZEICHNIS \"Projektliste\""},
        {nullptr, 1502, "Dialog PVWSTARTUP \"    Willkommen bei Velmo\""},
        {nullptr, 1503, "Dialog PVWVERZANLEGEN \"Neuen Projektordner anlegen\""},
        {nullptr, 1506, "Dialog PVWPROSICHERN \"Projekt sichern\""},
        {nullptr, 1507, "Meldung Sperrdatei gel\xF6scht."},
        {nullptr, 1508, "Meldung Freigabedatei angelegt."},
        {nullptr, 1509, "Meldung Freigabedatei gel\xF6scht."},
        {nullptr, 1800, "Dialog ZeiAnlegen \"Neue Zeichnung\""},
        {nullptr, 1810, "Modus 1531"},
        {nullptr, 1820, "Modus 1534"},
        {nullptr, 1830, "Druckdialog"},
        {nullptr, 1840, "Dialog ZeiLoesch \"Zeichnungen l\xF6schen\""},
        {nullptr, 1850, "Dialog ZeiEigen \"Zeichnung - Eigenschaften\""},
        {nullptr, 1611, "Dialog Export \"Zeichnungen exportieren\""},
        {nullptr, 1860, "Dialog ZeiIdxset \"Index und Datum setzen\""},
        {nullptr, 1862, "Dialog ZeiTxtset \"Kurztexte setzen\""},
        {nullptr, 1870, "Dialog ZeiMstEntf \"Ma\xDFstab entfernen\""},
        {nullptr, 1880, "Dialog ZeiUmnr \"Zeichnungen umnummerieren\""},
        {nullptr, 1510, "Dialog PTITEL \"Projekttitel\""},
        {nullptr, 1511, "Dialog UTITEL \"Untertitel\""},
        {nullptr, 1530, "Dialog ZeiTxtImp \"Zeichnungs-Kurztexte importieren\""},
        {nullptr, 1531, "Dialog ZeiTxtExp \"Zeichnungs-Kurztexte exportieren\""},
        {nullptr, 1520, "Dialog ZV5Import \"Datei-Update\""},
        // The shipped defaults use the equipment store: its tools open.
        {nullptr, 1210, "Dialog Einfrieren \"Einfrieren\""},
        {nullptr, 1250, "Dialog BMPruefen \"Betriebsmittel pr\xFC" "fen\""},
        {nullptr, 1260, "Dialog BMMerge \"Betriebsmittel verschmelzen\""},
        {nullptr, 1550, "Dialog Layer \"Layer-Bezeichnungen\""},
        {nullptr, 1551, "Dialog Stifte \"Stift-Bezeichnungen\""},
        {nullptr, 1552, "Dialog Schriften \"Schriften\""},
        {nullptr, 1553, "Dialog FarbListe \"Farben\""},
        {nullptr, 1554, "Dialog Sprachen \"Sprachen\""},
        {nullptr, 1560, "Dialog STDTEXTT \"Standardtext\""},
        {nullptr, 1561, "Dialog STDTEXTS \"SPRACHE.TXT\""},
        {nullptr, 1562, "Meldung Kein Ordner f\xFCr zentrale Textdateien angegeben."},
        {nullptr, 1565, "Dialog STDTEXTL \"Lagerartikel\""},
        {nullptr, 1566, "Dialog AppExtTxtExp \"Betriebsmittel-Textdatei exportieren\""},
        {nullptr, 1567, "Dialog AppArtListe \"Lagerartikel\""},
        {nullptr, 1568, "Dialog AppStkListe \"Unterartikel\""},
        {nullptr, 1569, "Dialog AppExtTxtImp \"Betriebsmittel-Textdatei importieren\""},
        {nullptr, 1570, "Dialog BAUTEILE \"Velmo - " VELMO_SOURCE_DIR "/data/BAUTEILE.STD\""},
        {nullptr, 1571, "Dialog BTLFenster \"Bauteilfenster\""},
        {nullptr, 1572, "Dialog ErsatzBTL \"Ersatzbauteile\""},
        {nullptr, 1575, "Dialog BMittel \"Betriebsmittel - " VELMO_SOURCE_DIR "/data/BMListe.txt\""},
        {nullptr, 1576, "Dialog BMittel \"Betriebsmittel - " VELMO_SOURCE_DIR "/data/BMKunde.txt\""},
        {nullptr, 1580, "Dialog SPSInfoListe \"SPS-Daten\""},
        {nullptr, 1581, "Meldung Diese Infodatei ist nicht definiert."},
        {nullptr, 1582, "Meldung Diese Infodatei ist nicht definiert."},
        {nullptr, 1590, "Dialog CHKListen \"Checkliste\""},
        {nullptr, 1700, "Dialog VorListeGB \"Vorgaben umschalten\""},
        {nullptr, 1710, "Dialog VorEditGB \"Velmo\""},
        {nullptr, 1711, "Dialog VorEditGB \"Editor\""},
        {nullptr, 1712, "Dialog VorEditGB \"Video\""},
        {nullptr, 1713, "Dialog VorEditGB \"Drucken A4 Quer / A3-A0\""},
        {nullptr, 1714, "Dialog VorEditGB \"Drucken A4\""},
        {nullptr, 1715, "Dialog VorEditGB \"Betriebsmittel\""},
        {nullptr, 1716, "Dialog VorEditGB \"Inhaltsverzeichnis\""},
        {nullptr, 1717, "Dialog VorEditGB \"Listen\""},
        {nullptr, 1718, "Dialog VorEditGB \"Auswertungen\""},
        {nullptr, 1719, "Dialog VorEditGB \"Arbeitsplatz\""},
        // The books (made with the program, beside it) and the web page go
        // to the desktop's opener.
        {nullptr, 1994, "Gestartet xdg-open Velmo-Handbuch.pdf"},
        {nullptr, 1993, "Gestartet xdg-open Velmo-Bauteile.pdf"},
        {nullptr, 1996, "Gestartet xdg-open https"},
        {nullptr, 1995, "Dialog ZvCopy \"Programminformation\""},
        {"PROVERW_RM", 1800, "Dialog ZeiAnlegen \"Neue Zeichnung\""},
        {"PROVERW_RM", 1810, "Modus 1531"},
        {"PROVERW_RM", 1820, "Modus 1534"},
        {"PROVERW_RM", 1850, "Dialog ZeiEigen \"Zeichnung - Eigenschaften\""},
        {"PROVERW_RM", 1830, "Druckdialog"},
        {"PROVERW_RM", 1611, "Dialog Export \"Zeichnungen exportieren\""},
        {"PROVERW_RM", 1851, "Dialog PTITEL \"Projekttitel\""},
        {"PROVERW_RM", 1852, "Dialog UTITEL \"Untertitel\""},
        {"PROVERW_RM", 1862, "Dialog ZeiTxtset \"Kurztexte setzen\""},
        {"PROVERW_RM", 1860, "Dialog ZeiIdxset \"Index und Datum setzen\""},
        {"PROVERW_RM", 1880, "Dialog ZeiUmnr \"Zeichnungen umnummerieren\""},
        {"PROVERW_RM", 1870, "Dialog ZeiMstEntf \"Ma\xDFstab entfernen\""},
        {"PROVERW_RM", 1840, "Dialog ZeiLoesch \"Zeichnungen l\xF6schen\""},
        {"PROVERW_RM", 1890, "Markiert 3"},
        {"PROVERW_HGRM", 1800, "Dialog ZeiAnlegen \"Neue Zeichnung\""},
        {"PROVERW_HGRM", 1851, "Dialog PTITEL \"Projekttitel\""},
        {"PROVERW_HGRM", 1852, "Dialog UTITEL \"Untertitel\""},
    };
    // A desktop with a PDF viewer; what is started is only noted.
    static std::string gestartet;
    plShellZuordnungSetzen([](const std::string&, std::string* programm) {
        *programm = "/usr/bin/pdfansicht";
        return true;
    });
    plShellStarterSetzen([](const std::vector<std::string>& woerter, const std::string&) {
        gestartet = woerter.size() > 1 ? woerter[0] + " " + woerter[1] : "";
        return 0;
    });
    // The print dialog is cancelled and only noted.
    static int druckDialoge = 0;
    plDruckDialogNativ([](HWND, plDruckEinstellung*) {
        ++druckDialoge;
        return 0;
    });
    for (const Fall& f : faelle) {
        std::set<std::string> vorher = offeneDialoge();
        plNachrichtBoxFragenLeeren();
        druckDialoge = 0;
        if (f.menue == nullptr) ASSERT_TRUE(perTastatur(f.id)) << f.id;
        else ASSERT_TRUE(perKontextmenue(seite, f.menue, f.id)) << f.menue << " " << f.id;
        std::string ist;
        for (const std::string& d : offeneDialoge()) {
            if (!vorher.count(d)) ist += (ist.empty() ? "" : "; ") + ("Dialog " + d + " \"" + dialogTitel(d) + "\"");
        }
        for (const plNachrichtBoxFrage& b : plNachrichtBoxFragen()) {
            // Missing defaults keys are the defaults set's matter, not the menu's.
            if (b.text.rfind("Vorgabe ", 0) == 0) continue;
            ist += (ist.empty() ? "" : "; ") + ("Meldung " + b.text);
        }
        if (druckDialoge) ist += (ist.empty() ? "" : "; ") + std::string("Druckdialog");
        if (!gestartet.empty()) {
            // The program and the file's name (a web address: its scheme).
            const std::string w = gestartet.substr(gestartet.find(' ') + 1);
            const std::string kurz = w.rfind("https", 0) == 0 ? "https" : fs::path(w).filename().string();
            ist += (ist.empty() ? "" : "; ") + ("Gestartet " + gestartet.substr(0, gestartet.find(' ')) + " " + kurz);
            gestartet.clear();
        }
        ASSERT_TRUE(wiDlgBetreten(seite));
        if (LisMarkiertAnzahl(3000) == PvwAnzahl() && PvwAnzahl() > 1)
            ist += (ist.empty() ? "" : "; ") + ("Markiert " + std::to_string(PvwAnzahl()));
        wiDlgVerlassen();
        if (Modus() != MODUS_PVW) ist += (ist.empty() ? "" : "; ") + ("Modus " + std::to_string(Modus()));
        EXPECT_EQ(ist, f.erwartet) << (f.menue ? f.menue : "ANW_MENU") << " " << f.id;
        for (const std::string& d : offeneDialoge()) {
            if (!vorher.count(d)) dialogSchliessen(d);
        }
        if (Modus() != MODUS_PVW) ModusUmschalten(MODUS_PVW);
        SendMessage(seite, WM_COMMAND, 2590, 0);  // marks cleared
        SendMessage(seite, WM_COMMAND, 2591, 1);
        plHeadlessPumpen();
    }
    plDruckDialogNativ(nullptr);
    plShellZuordnungSetzen(nullptr);
    plShellStarterSetzen(nullptr);

    // "Aktualisieren" reads the folder again and writes its table of contents.
    fs::remove(projekt / "Inhalt.txt");
    plNachrichtBoxFragenLeeren();
    ASSERT_TRUE(perTastatur(1505));
    EXPECT_TRUE(fs::exists(projekt / "Inhalt.txt"));
    EXPECT_TRUE(plNachrichtBoxFragen().empty());

    // "Projektordner \xF6ffnen..." switches to the folder chosen.
    plDateiDialogAntwort((wurzel / "arbeit" / "Anderes").c_str());
    ASSERT_TRUE(perTastatur(1501));
    char verz[MAX_PATH + 1] = "";
    VerHolen(1, verz, sizeof verz);
    EXPECT_EQ((fs::path(verz) / "").lexically_normal(), (wurzel / "arbeit" / "Anderes" / "").lexically_normal());
    ASSERT_FALSE(plDateiDialogFragen().empty());
    EXPECT_EQ(plDateiDialogFragen().back().art, 2) << "a folder choice";
    EXPECT_EQ(plDateiDialogFragen().back().titel, "Projektordner \xF6" "ffnen");
    EXPECT_EQ((fs::path(plDateiDialogFragen().back().ordner) / "").lexically_normal(),
              (projekt / "").lexically_normal())
        << "it starts at the project folder";

    // "Beenden" ends the program.
    ASSERT_TRUE(perTastatur(1998));
    EXPECT_FALSE(IsWindow(anwHauptfenster()));
}

namespace {

std::string bildDatei;

LRESULT bildProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_INITMENUPOPUP) PostMessage(h, WM_USER + 1, 0, 0);
    if (m == WM_USER + 1) {
        UpdateWindow(plMenuePopupFenster(0));
        EXPECT_EQ(plHeadlessPng(plMenuePopupFenster(0), bildDatei.c_str()), 0);
        plHeadlessTaste(VK_ESCAPE);
    }
    return DefWindowProc(h, m, wp, lp);
}

void boxBild(HWND box)
{
    UpdateWindow(box);
    EXPECT_EQ(plHeadlessPng(box, bildDatei.c_str()), 0);
}

// A picture against its golden in tests/data/frame, pixel for pixel.
::testing::AssertionResult wieGolden(const std::string& bild, const std::string& name)
{
    const std::string soll = std::string(VELMO_TEST_DATA) + "/frame/" + name + ".png";
    if (golden::neuSchreiben()) {
        std::error_code f;
        fs::copy_file(bild, soll, fs::copy_options::overwrite_existing, f);
        if (f) return ::testing::AssertionFailure() << "golden not written: " << soll;
        return ::testing::AssertionSuccess();
    }
    cairo_surface_t* a = cairo_image_surface_create_from_png(bild.c_str());
    cairo_surface_t* b = cairo_image_surface_create_from_png(soll.c_str());
    ::testing::AssertionResult r = ::testing::AssertionSuccess();
    if (cairo_surface_status(a) != CAIRO_STATUS_SUCCESS) r = ::testing::AssertionFailure() << "no picture: " << bild;
    else if (cairo_surface_status(b) != CAIRO_STATUS_SUCCESS) r = ::testing::AssertionFailure() << "golden missing: " << soll;
    else if (cairo_image_surface_get_width(a) != cairo_image_surface_get_width(b) ||
             cairo_image_surface_get_height(a) != cairo_image_surface_get_height(b))
        r = ::testing::AssertionFailure() << "size differs from " << soll;
    else {
        const int h = cairo_image_surface_get_height(a), breite = cairo_image_surface_get_width(a) * 4;
        for (int y = 0; y < h; ++y) {
            if (std::memcmp(cairo_image_surface_get_data(a) + y * cairo_image_surface_get_stride(a),
                            cairo_image_surface_get_data(b) + y * cairo_image_surface_get_stride(b),
                            static_cast<size_t>(breite)) != 0) {
                r = ::testing::AssertionFailure() << bild << " differs from " << soll << " from row " << y;
                break;
            }
        }
    }
    cairo_surface_destroy(a);
    cairo_surface_destroy(b);
    return r;
}

}  // namespace

// The "Zeichnung" popup, the page's context menu and the box of a command
// refused in these defaults against their goldens; the whole window next to
// the test program for a look.
TEST_F(Menue, PicturesOfPopupsAndBoxes)
{
    zweiZeichnungen();
    starten();
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), (neben / "frame_menue_projekt.png").c_str()), 0);
    WNDCLASS wc{};
    wc.lpfnWndProc = bildProc;
    wc.hbrBackground = static_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "MenueBild";
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND h = CreateWindow("MenueBild", "Bild", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 600, 500, 0, 0, 0, nullptr);
    ASSERT_NE(h, 0u);
    for (auto [name, pos] : {std::pair<const char*, int>{"ANW_MENU", 1}, {"PROVERW_RM", 0}}) {
        bildDatei = (neben / ("frame_menue_" + std::string(name) + ".png")).string();
        fs::remove(bildDatei);
        HMENU m = LoadMenu(GetModuleHandle(nullptr), name);
        TrackPopupMenu(GetSubMenu(m, pos), TPM_RETURNCMD, 100, 80, 0, h, nullptr);
        DestroyMenu(m);
        EXPECT_TRUE(wieGolden(bildDatei, std::string("menue_") + name));
    }
    DestroyWindow(h);
    bildDatei = (neben / "frame_menue_meldung.png").string();
    fs::remove(bildDatei);
    plNachrichtBoxBeobachter(boxBild);
    AnwBefehl(WM_COMMAND, 1507, 0);  // "Sperrdatei l\xF6schen": a box says what it did
    plHeadlessPumpen();
    plNachrichtBoxBeobachter(nullptr);
    EXPECT_TRUE(wieGolden(bildDatei, "menue_meldung"));
    // The editor's page while the editor is not there.
    ModusUmschalten(MODUS_EDIT);
    plHeadlessPumpen();
    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), (neben / "frame_menue_editor.png").c_str()), 0);
}
