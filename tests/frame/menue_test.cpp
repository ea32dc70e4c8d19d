// The menus of the frame as a new user meets them, on the headless backend:
// each item's text and command id in all six menus, each shortcut label
// against the accelerator table in force where the menu is shown, every
// item of the project page driven through the real menu (keys and clicks)
// to the dialog or action it reaches, the drawing count of the status bar
// and a start folder that does not exist.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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
#include "platform/winconst.h"
#include "project/platzhalter.h"
#include "tests/frame/rahmen_pruef.h"
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
        char muster[] = "/tmp/velmo-menue-XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        wurzel = muster;
        projekt = wurzel / "arbeit" / "Projekt";
        fs::create_directories(wurzel / "laufzeit");
        fs::permissions(wurzel / "laufzeit", fs::perms::owner_all);
        fs::create_directories(wurzel / "konfig");
        fs::create_directories(projekt);
        fs::create_directories(wurzel / "arbeit" / "Anderes");
        setenv("XDG_RUNTIME_DIR", (wurzel / "laufzeit").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (wurzel / "konfig").c_str(), 1);
        vorher = fs::current_path();
        fs::current_path(wurzel / "arbeit");
    }

    void starten(std::vector<std::string> woerter = {"-W=1", "Projekt"})
    {
        args = {"velmo"};
        args.insert(args.end(), woerter.begin(), woerter.end());
        argv.clear();
        for (const std::string& a : args) argv.push_back(a.c_str());
        plOrtArgumenteSetzen(static_cast<int>(argv.size()), argv.data());
        plFensterSystemEnde();
        ASSERT_EQ(plFensterSystemStart(), 0);
        ASSERT_EQ(anwStart(GetModuleHandle(nullptr), wiKommandozeile(), SW_SHOWDEFAULT), 0);
        ASSERT_EQ(anwLaufZustand(), 2);
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
         {{"&Datei", {{"&Beenden", 1998}}},
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
        for (const auto& [text, punktId] : punkte) {
            {
                const Punkt pk{text.c_str(), punktId};
                std::string k = kuerzel(pk.text);
                if (k.empty()) continue;
                gesehen.insert(k);
                if (k == "^A" || k == "Del") {
                    EXPECT_TRUE(istSeitenMenue(soll.name)) << soll.name << " " << pk.text << ": only the list has it";
                    continue;
                }
                ASSERT_EQ(k.size(), 2u) << pk.text;
                ASSERT_EQ(k[0], '^') << pk.text;
                int befehl = -1;
                for (int i = 0; i < n; ++i) {
                    if (!(eintraege[i].fVirt & FVIRTKEY) && eintraege[i].key == k[1] - '@') befehl = eintraege[i].cmd;
                }
                ASSERT_GE(befehl, 0) << soll.name << " " << pk.text << ": no Ctrl+" << k[1] << " in " << soll.accel;
                // The page's menus are used while the list has the focus.
                if (istSeitenMenue(soll.name)) SetFocus(GetDlgItem(seite, 3000));
                else SetFocus(anwHauptfenster());
                rahmenGepostet();
                AnwBefehl(WM_COMMAND, static_cast<WPARAM>(befehl), 0);
                std::string perTaste = rahmenGepostet();
                // The item's command itself, or what its own route posts: the
                // page's answer to a page item, the dispatcher's forward of a
                // main-menu item.
                std::string perPunkt;
                const std::string id = std::to_string(pk.id);
                if (perTaste == "ProVerw " + id || perTaste == "Haupt " + id) {
                    perPunkt = perTaste;
                } else if (istSeitenMenue(soll.name)) {
                    SendMessage(seite, WM_COMMAND, static_cast<WPARAM>(pk.id), 0);
                    perPunkt = rahmenGepostet();
                } else {
                    AnwBefehl(WM_COMMAND, static_cast<WPARAM>(pk.id), 0);
                    perPunkt = rahmenGepostet();
                }
                EXPECT_EQ(perTaste, perPunkt) << soll.name << " " << pk.text << " (Ctrl+" << k[1] << " -> " << befehl
                                              << ")";
                // Whatever the item opened is closed again.
                for (int slot = 0; slot < DLGSUP; ++slot) {
                    HWND f = 0;
                    char name[100] = "", titel[100] = "";
                    if (wiDlgSlotInfo(slot, &f, name, titel) && f != 0 && f != seite && rahmenSeite(MODUS_PVW) == seite &&
                        std::string(name) != "FUNKWAHL" && std::string(name) != "PROVERW")
                        SendMessage(f, WM_CLOSE, 0, 0);
                }
                plHeadlessPumpen();
            }
        }
    }
    EXPECT_EQ(gesehen, (std::set<std::string>{"^N", "^B", "^O", "^P", "^E", "^A", "^T", "^U", "Del"}));

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
    EXPECT_EQ(status(3), "1 Seiten");
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
