// The project manager page over a project folder of its own: opening and
// the rows it shows, clicks and keys that move the cursor and mark rows,
// the command table (what each command calls or posts, its refusals and
// guards), delete with its question, the refresh after a new file, the
// sort combo, the context menus and the new-name proposal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "config/verzeich.h"
#include "config/vgbziel.h"
#include "config/vorgaben.h"
#include "controls/ctlkern.h"
#include "controls/lisanzeige.h"
#include "model/befehl.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/drucker.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/lokalbefehl.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/pdfbib.h"
#include "platform/ressource.h"
#include "platform/shell.h"
#include "platform/uhr.h"
#include "platform/winconst.h"
#include "project/zeiops.h"
#include "output/druck.h"
#include "project/chkdlg.h"
#include "project/dirhist.h"
#include "project/export.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "project/impdlg.h"
#include "project/inhalt.h"
#include "project/projneu.h"
#include "project/rschreib.h"
#include "project/startbild.h"
#include "project/titeldlg.h"
#include "project/wrz.h"
#include "project/zeitxt.h"
#include "project/zv5.h"
#include "project/proverw.h"
#include "project/pvwliste.h"
#include "support/dosdatei.h"
#include "tests/equipment/projtest.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"

using namespace projtest;
using namespace projpruef;

namespace {

// What left the page: posts to the main window, broadcasts, modes and the
// frame's services, in order.
std::vector<std::string> protokoll;
void rec(const std::string& s) { protokoll.push_back(s); }

// Texts sent to the list display (its paint command stream).
std::vector<std::string> malBefehle;
WNDPROC altAnzeige = nullptr;
LRESULT CALLBACK anzeigeAufzeichner(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_SETTEXT && lp) malBefehle.emplace_back(reinterpret_cast<const char*>(lp));
    return CallWindowProc(altAnzeige, h, m, wp, lp);
}

// The context menu while it is tracked: each item as "id" or "id grau".
std::vector<std::string> menuePunkte;
LRESULT CALLBACK beobachterProz(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    // The timer runs only while a nested loop waits: the menu's.
    if (m != WM_TIMER) return DefWindowProc(h, m, wp, lp);
    HMENU menue = plMenueVerfolgt();
    if (menue == 0) return 0;
    for (int i = 0; i < GetMenuItemCount(menue); ++i) {
        UINT id = GetMenuItemID(menue, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;
        UINT st = GetMenuState(menue, id, MF_BYCOMMAND);
        menuePunkte.push_back(std::to_string(id) + ((st & MF_GRAYED) ? " grau" : ""));
    }
    EndMenu();
    return 0;
}

LRESULT CALLBACK hauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

struct Zeichnung {
    const char* name;
    const char* index;
    const char* titel0;
    const char* titel1;
    int format;
};

class Seite : public VorgabenTest {
protected:
    HWND haupt = 0, beobachter = 0;
    int ddeAntwort = 0;
    static Seite* aktiv;

    void SetUp() override
    {
        VorgabenTest::SetUp();
        aktiv = this;
        PvwListeZuruecksetzen();
        protokoll.clear();
        malBefehle.clear();
        plFensterSystemEnde();
        plUhrFestsetzen(1767254400000);
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        plDateiDialogSkriptLeeren();
        plDateiDialogFragenLeeren();
        anwZuruecksetzen();
        anwDaten()->instanz = LoadLibrary("velmo");
        ASSERT_NE(anwDaten()->instanz, 0u);
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        WNDCLASS wc{};
        wc.lpfnWndProc = hauptProz;
        wc.lpszClassName = "PvwHauptProbe";
        ASSERT_NE(RegisterClass(&wc), 0);
        wc.lpfnWndProc = beobachterProz;
        wc.lpszClassName = "PvwMenueProbe";
        ASSERT_NE(RegisterClass(&wc), 0);
        haupt = CreateWindowEx(0, "PvwHauptProbe", "Velmo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, 0, 0, 0,
                               nullptr);
        beobachter = CreateWindowEx(0, "PvwMenueProbe", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, 0, nullptr);
        anwDaten()->hauptfenster = haupt;
        anwLaufZustandSetzen(2);
        ASSERT_EQ(wiDlgInit(), 0);
        WiSeitenDienst d{};
        d.anmelden = [](HWND) { rec("anmelden"); };
        d.abmelden = [](HWND) { rec("abmelden"); };
        d.modusSetzen = [](int m) { rec("modus " + std::to_string(m)); };
        d.verteilen = [](int id, LPARAM lp) { rec("verteilen " + std::to_string(id) + " " + std::to_string(lp)); };
        d.hauptPost = [](int id, LPARAM lp) { rec("haupt " + std::to_string(id) + " " + std::to_string(lp)); };
        wiSeitenDienstSetzen(d);
        PvwRahmenDienst r{};
        r.EdtModusOeffnen = [](const char* p) { rec(std::string("editor ") + name(p)); };
        r.ShowModusOeffnen = [](const char* p) { rec(std::string("anzeige ") + name(p)); };
        r.DdeDateiMelden = [](const char* p, int art) { rec("melden '" + std::string(p) + "' " + std::to_string(art)); };
        r.DdeAusfuehren = [](const char* dienst, const char* thema, const char* b) {
            rec(std::string("dde ") + dienst + " " + thema + " " + name(b));
            return aktiv->ddeAntwort;
        };
        r.AuswertDlgOeffnen = [](int, int) { rec("auswerten"); };
        r.EdtVorlageEinreihen = [](const char* p) { rec(std::string("vorlage ") + name(p)); };
        PvwRahmenSetzen(r);
        plShellStarterSetzen([](const std::vector<std::string>& w, const std::string&) {
            rec("start " + name(w.empty() ? "" : w.back().c_str()));
            return 0;
        });
        plDruckDialogSkriptLeeren();
        vorgaben("BMnorm 0\nSprPrj 0\nEda3a4 0\nDrA3BlOri 0\n");
    }

    void TearDown() override
    {
        wiDlgAlleSchliessen();
        wiDlgFrei();
        PvwRahmenZuruecksetzen();
        wiSeitenDienstZuruecksetzen();
        plShellStarterSetzen(nullptr);
        plFensterSystemEnde();
        ctlKlassenAbmelden();
        FreeLibrary(anwDaten()->instanz);
        anwZuruecksetzen();
        plUhrFreigeben();
        plNachrichtBoxSkriptLeeren();
        PvwListeZuruecksetzen();
        aktiv = nullptr;
        VorgabenTest::TearDown();
    }

    // The file-name part of a path (the temporary folder differs per run).
    static std::string name(const char* p)
    {
        std::string s = p != nullptr ? p : "";
        size_t i = s.find_last_of('/');
        return i == std::string::npos ? s : s.substr(i + 1);
    }

    static void pumpen() { projpruef::dlgPumpen(); }

    void zeichnung(const Zeichnung& z)
    {
        zeichnungSchreiben(pfad(z.name), z.format, z.index, z.titel0, z.titel1);
    }

    // Three drawings and a PDF file.
    void standard()
    {
        zeichnung({"Plan.001", "a", "Deckblatt", "", BEF_ZA4});
        zeichnung({"Plan.002", "", "Einspeisung", "Haupt", BEF_ZA3});
        zeichnung({"Plan.005", "b", "Motor", "", BEF_ZA3});
        schreiben(pfad("Liste.pdf"), "%PDF-1.4");
    }

    // The next print dialog answers: the file printer writing `datei` in
    // the temporary folder.
    void druckerAntwort(const std::string& datei, int duplex = DMDUP_SIMPLEX)
    {
        plDruckEinstellung e;
        e.datei = druckPfad(datei);
        e.duplex = duplex;
        plDruckDialogAntwort(e);
    }
    static std::string druckPfad(const std::string& datei)
    {
        return (std::filesystem::temp_directory_path() / ("velmo-druck-" + std::to_string(::getpid()) + "-" + datei))
            .string();
    }
    // Pages of a printed file (removed after), -1 when there is none.
    static int seiten(const std::string& datei)
    {
        const std::string p = druckPfad(datei);
        if (!std::filesystem::exists(p)) return -1;
        const int inst = DPLCreateLibrary();
        const int n = DPLLoadFromFile(inst, pdfbibBreit(p).c_str(), L"") ? DPLPageCount(inst) : -2;
        DPLReleaseLibrary(inst);
        std::filesystem::remove(p);
        return n;
    }

    // Subtitles from the drawings 002 and 005 on.
    void untertitel()
    {
        schreiben(pfad("Projekt.zvk"), "zvkP\n)S Titel\n" + felder({"___", "Projekt"}) + "\n" +
                                           felder({"002", "Steuerung", "Halle", "Ort"}) + "\n" +
                                           felder({"005", "Antriebe", "", ""}) + "\n)S Kennung\n)E\n");
    }

    HWND oeffnen()
    {
        PvwVerzLesen();
        PvwOeffnen();
        HWND s = PvwFenster();
        EXPECT_NE(s, 0u);
        if (s == 0) return 0;
        HWND anzeige = GetDlgItem(s, PVWLISTE);
        altAnzeige = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(anzeige, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(anzeigeAufzeichner)));
        PvwListeNeu();
        pumpen();
        return s;
    }
    // Opened, with what the opening left behind taken away.
    HWND offen()
    {
        HWND s = oeffnen();
        aufrufe();
        wege();
        plNachrichtBoxFragenLeeren();
        return s;
    }

    int liste(int (*f)(int))
    {
        wiDlgBetreten(PvwFenster());
        int r = f(PVWLISTE);
        wiDlgVerlassen();
        return r;
    }
    void cursor(int zeile)
    {
        wiDlgBetreten(PvwFenster());
        LisAktSetzen(PVWLISTE, zeile);
        wiDlgVerlassen();
        PvwMarkUebernehmenSeite();
    }
    void PvwMarkUebernehmenSeite()
    {
        wiDlgBetreten(PvwFenster());
        PvwMarkUebernehmen();
        wiDlgVerlassen();
    }
    void befehl(int id, LPARAM lp = 0)
    {
        SendMessage(PvwFenster(), WM_COMMAND, static_cast<WPARAM>(id), lp);
        pumpen();
    }
    POINT zeilenPunkt(int zeile) const
    {
        return plHeadlessPunkt(GetDlgItem(PvwFenster(), PVWLISTE), 30, zeile * wiDlgEinheit(8) + 3);
    }
    void klick(int zeile, int knopf = 0, bool strg = false)
    {
        POINT p = zeilenPunkt(zeile);
        if (strg) plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessKlick(p.x, p.y, knopf);
        if (strg) plHeadlessTasteHoch(VK_CONTROL);
        pumpen();
    }
    void taste(UINT vk, bool strg = false)
    {
        SetFocus(GetDlgItem(PvwFenster(), PVWLISTE));
        if (strg) plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste(vk);
        if (strg) plHeadlessTasteHoch(VK_CONTROL);
        pumpen();
    }
    std::vector<std::string> kontext(int zeile)
    {
        menuePunkte.clear();
        plHeadlessZeitVor(1000);  // two right clicks in a row are no double click
        SetTimer(beobachter, 1, 10, nullptr);
        POINT p = zeilenPunkt(zeile);
        plHeadlessKlick(p.x, p.y, 1);
        pumpen();
        KillTimer(beobachter, 1);
        return menuePunkte;
    }
    // The drawing-operation dialogs that are open (each is closed again).
    static std::string aufrufe()
    {
        std::string s;
        for (const char* name : {"ZeiAnlegen", "ZeiEigen", "ZeiUmnr", "ZeiLoesch", "ZeiIdxset", "ZeiTxtset",
                                 "ZeiMstEntf", "Export"}) {
            HWND dlg = wiDlgSuchen(name);
            if (dlg == 0) continue;
            s += (s.empty() ? "" : " ") + std::string(name);
            SendMessage(dlg, WM_COMMAND, 2501, 0);
            pumpen();
        }
        return s;
    }
    static std::string wege()
    {
        std::string s;
        for (const std::string& a : protokoll) s += (s.empty() ? "" : "; ") + a;
        protokoll.clear();
        return s;
    }
    static std::string meldung()
    {
        const auto& f = plNachrichtBoxFragen();
        std::string t = f.empty() ? std::string() : f.back().text;
        plNachrichtBoxFragenLeeren();
        return t;
    }
    bool gemalt(const std::string& text) const
    {
        return std::any_of(malBefehle.begin(), malBefehle.end(),
                           [&](const std::string& b) { return b.find(text) != std::string::npos; });
    }
};
Seite* Seite::aktiv = nullptr;

TEST_F(Seite, OpensOverTheFolderRegistersAndShowsEveryRow)
{
    standard();
    HWND s = oeffnen();
    ASSERT_NE(s, 0u);
    std::string w = wege();
    EXPECT_NE(w.find("anmelden"), std::string::npos) << w;
    EXPECT_NE(w.find("modus 1530"), std::string::npos) << w;
    EXPECT_EQ(PvwAnzahl(), 4);
    EXPECT_EQ(liste(LisAnzahl), 4);
    char combo[40] = "";
    SendDlgItemMessage(s, PVWSORT, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(combo));
    EXPECT_STREQ(combo, "Datum");
    EXPECT_EQ(SendDlgItemMessage(s, PVWSORT, CB_GETCURSEL, 0, 0), 0);

    // The rows as painted: name, index, format, titles; the PDF file's name.
    malBefehle.clear();
    befehl(2590);
    for (const char* t : {"Plan.001", "Plan.005", "Deckblatt", "Einspeisung Haupt", "A4", "A3", "Liste.pdf"})
        EXPECT_TRUE(gemalt(t)) << t;

    // Opening again only raises the page and focuses the list.
    PvwOeffnen();
    pumpen();
    EXPECT_EQ(PvwFenster(), s);
    EXPECT_EQ(GetFocus(), GetDlgItem(s, PVWLISTE));

    PostMessage(s, WM_CLOSE, 0, 0);
    pumpen();
    EXPECT_EQ(PvwFenster(), 0u);
    EXPECT_NE(wege().find("abmelden"), std::string::npos);
    // Opened again while the list is sorted by date, the combo says so.
    PvwSortSetzen(PVW_SORT_DATUM);
    PvwOeffnen();
    pumpen();
    ASSERT_NE(PvwFenster(), 0u);
    EXPECT_EQ(SendDlgItemMessage(PvwFenster(), PVWSORT, CB_GETCURSEL, 0, 0), 1);
    PostMessage(PvwFenster(), WM_CLOSE, 0, 0);
    pumpen();
    PvwBefehl(1840);  // closed: nothing is posted
    pumpen();
}

// Every text of a row ends before the next one starts, in the list's font:
// long short names, a wide date and titles after the short texts.
TEST_F(Seite, RowTextsDoNotRunIntoTheNextColumn)
{
    zeichnung({"Hauptverteilung.001", "Deckblatt", "Titel", "", BEF_ZA4});
    zeichnungSchreiben(pfad("HV.002"), BEF_ZA3, "WWWWWWWWWW", "Einspeisung", "Haupt",
                       {{10, "WWWWWWWWWW"}, {11, "MMMMMMMMM"}});
    schreiben(pfad("Liste.pdf"), "%PDF-1.4");
    for (const char* ohneKurztexte : {"0", "1"}) {
        vorgaben(std::string("BMnorm 0\nSprPrj 0\nEda3a4 0\nDrA3BlOri 0\nBMzkNvrw ") + ohneKurztexte + "\n");
        ASSERT_NE(oeffnen(), 0u);
        malBefehle.clear();
        befehl(2590);
        std::map<int, std::vector<std::pair<int, std::string>>> zeilen;
        for (const std::string& m : malBefehle) {
            int x = 0, y = 0, n = 0;
            if (std::sscanf(m.c_str(), "ltext %d %d %n", &x, &y, &n) == 2 && n > 0)
                zeilen[y].emplace_back(x, m.substr(static_cast<size_t>(n) + 1));
        }
        ASSERT_EQ(zeilen.size(), 3u) << ohneKurztexte;
        for (auto& [y, texte] : zeilen) {
            std::sort(texte.begin(), texte.end());
            texte.erase(std::unique(texte.begin(), texte.end()), texte.end());  // painted more than once
            for (size_t i = 0; i + 1 < texte.size(); ++i)
                EXPECT_LT(texte[i].first + wiTextBreite(2, texte[i].second.c_str()), texte[i + 1].first)
                    << ohneKurztexte << ": '" << texte[i].second << "' runs into '" << texte[i + 1].second << "'";
        }
        PostMessage(PvwFenster(), WM_CLOSE, 0, 0);
        pumpen();
    }
}

// A paint of the list reads the defaults once, not once for each row, and
// the next paint sees the file changed on disk.
TEST_F(Seite, APaintReadsTheDefaultsOnceAndTheNextSeesAChange)
{
    for (int i = 1; i <= 12; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "HV.%03d", i);
        zeichnungSchreiben(pfad(name), BEF_ZA3, "", "Titel", "", {{10, "Halle"}, {11, "Ost"}});
    }
    vorgaben("BMnorm 0\nSprPrj 0\nBMzkNvrw 0\n");
    ASSERT_NE(oeffnen(), 0u);
    const long vorher = VgbLesungen();
    malBefehle.clear();
    befehl(2590);
    EXPECT_TRUE(gemalt("Halle"));
    EXPECT_LE(VgbLesungen() - vorher, 3);
    vorgaben("BMnorm 0\nSprPrj 0\nBMzkNvrw 1\n");
    malBefehle.clear();
    befehl(2590);
    EXPECT_TRUE(gemalt("HV.012"));
    EXPECT_FALSE(gemalt("Halle"));
    PostMessage(PvwFenster(), WM_CLOSE, 0, 0);
    pumpen();
}

TEST_F(Seite, EmptyFolderShowsOneRowAndOnlyTheBackgroundMenu)
{
    HWND s = offen();
    ASSERT_NE(s, 0u);
    EXPECT_EQ(PvwAnzahl(), 0);
    EXPECT_EQ(liste(LisAnzahl), 1);
    malBefehle.clear();
    befehl(2590);
    EXPECT_TRUE(gemalt("Der Projektordner ist leer"));
    EXPECT_EQ(kontext(0), (std::vector<std::string>{"1800", "1851", "1852"}));
    EXPECT_EQ(PvwAktZeichnung(), std::string());
}

TEST_F(Seite, ClicksAndKeysMoveTheCursorAndMark)
{
    standard();
    ASSERT_NE(offen(), 0u);
    klick(1);
    EXPECT_EQ(liste(LisAkt), 1);
    EXPECT_STREQ(PvwAktZeichnung(), "Plan.002");
    taste(VK_DOWN);
    EXPECT_STREQ(PvwAktZeichnung(), "Plan.005");
    taste(VK_DOWN);  // the PDF file: no cursor name, the first drawing counts
    EXPECT_STREQ(PvwCursorName(), "");
    EXPECT_STREQ(PvwAktZeichnung(), "Plan.001");

    klick(0, 0, true);
    klick(2, 0, true);
    EXPECT_EQ(PvwMarkiert(0), 1);
    EXPECT_EQ(PvwMarkiert(1), 0);
    EXPECT_EQ(PvwMarkiert(2), 1);
    EXPECT_EQ(PvwAnzMarkiert(), 2);

    befehl(1890);
    EXPECT_EQ(PvwAnzMarkiert(), 3);
    EXPECT_EQ(PvwAnzMarkiertMitPdf(), 4);
    // The rebuild drops the marks; the cursor row always counts.
    befehl(2590);
    PvwMarkUebernehmenSeite();
    EXPECT_EQ(PvwAnzMarkiertMitPdf(), 1);

    // The frame selects a drawing by its path.
    PvwZeiWaehlen(pfad("Plan.005").c_str());
    pumpen();
    EXPECT_EQ(liste(LisAkt), 2);
    EXPECT_STREQ(PvwCursorName(), "Plan.005");

    // Double click and Enter post the edit command to the main window;
    // F5 asks the main window for a refresh.
    wege();
    POINT p = zeilenPunkt(0);
    plHeadlessKlick(p.x, p.y);
    plHeadlessKlick(p.x, p.y);
    pumpen();
    EXPECT_NE(wege().find("haupt 1810 0"), std::string::npos);
    befehl(1);
    EXPECT_EQ(wege(), "haupt 1810 0");
    befehl(1900, 116);
    befehl(1900, 117);
    EXPECT_EQ(wege(), "haupt 1505 0");

    // Enter and Escape on the sort combo only move the focus to the list.
    for (int id : {1, 2}) {
        SetFocus(GetDlgItem(PvwFenster(), PVWSORT));
        befehl(id);
        EXPECT_EQ(GetFocus(), GetDlgItem(PvwFenster(), PVWLISTE)) << id;
        EXPECT_EQ(wege(), "") << id;
    }
}

TEST_F(Seite, CommandTable)
{
    standard();
    ASSERT_NE(offen(), 0u);
    // The cursor row counts as marked; `alle` marks every row first.
    struct Fall {
        int id;
        int zeile;
        bool alle;
        const char* aufrufe;  // stand-ins called, dialogs opened
        const char* wege;     // posts and the frame's services
        const char* meldung;  // warning box
    } faelle[] = {
        {1500, 0, false, "", "auswerten", ""},
        {1510, 0, false, "Export", "", ""},
        {1610, 0, false, "", "melden '' 4; auswerten", ""},
        {1611, 0, false, "Export", "melden '' 4", ""},
        {1800, 0, false, "ZeiAnlegen", "", ""},
        {2500, 2, false, "ZeiAnlegen", "", ""},
        {1810, 1, false, "", "editor Plan.002", ""},
        {2501, 3, false, "", "start Liste.pdf", ""},
        {1820, 0, false, "", "dde ZVKView option -s=0; dde ZVKView option -gd=Test; dde ZVKView system Plan.001", ""},
        {1821, 2, false, "", "anzeige Plan.005", ""},
        {1821, 3, false, "", "start Liste.pdf", ""},
        {1830, 0, false, "", "", ""},   // printed to the file printer: see below
        {2503, 1, false, "", "", ""},
        {1840, 3, false, "", "", "Es sind keine Zeichnungen markiert."},
        {1850, 1, false, "ZeiEigen", "", ""},
        {1850, 3, false, "", "", ""},
        {1851, 0, false, "", "haupt 1510 0", ""},
        {1852, 2, false, "", "haupt 1512 0", ""},
        {1860, 0, true, "ZeiIdxset", "", ""},
        {1862, 1, false, "ZeiTxtset", "", ""},
        {1870, 3, false, "", "", "Es sind keine Zeichnungen markiert."},
        {1870, 3, true, "ZeiMstEntf", "", ""},
        {1880, 1, true, "ZeiUmnr", "", ""},
        {1880, 3, false, "", "", "Es sind keine Zeichnungen markiert."},
        {1900, 0, false, "", "", ""},
    };
    for (const Fall& f : faelle) {
        befehl(2590);
        cursor(f.zeile);
        if (f.alle) befehl(1890);
        aufrufe();
        wege();
        plNachrichtBoxFragenLeeren();
        if (f.id == 1830 || f.id == 2503) druckerAntwort("tabelle.pdf");
        befehl(f.id);
        if (f.id == 1830 || f.id == 2503) {
            EXPECT_EQ(seiten("tabelle.pdf"), 1) << f.id;
        }
        std::string w = wege();
        EXPECT_EQ(aufrufe(), f.aufrufe) << f.id << " row " << f.zeile;
        EXPECT_EQ(w, f.wege) << f.id << " row " << f.zeile;
        EXPECT_EQ(meldung(), f.meldung) << f.id << " row " << f.zeile;
    }
}

TEST_F(Seite, GuardsAndRefusals)
{
    standard();
    ASSERT_NE(offen(), 0u);
    // A separate editor frame takes the command: nothing happens now.
    PvwRahmenDienst r{};
    r.BefehlNachSchliessen = [](HWND, int id) {
        rec("abgegeben " + std::to_string(id));
        return 1;
    };
    PvwRahmenSetzen(r);
    befehl(1890);
    aufrufe();
    for (int id : {1800, 1830, 1840, 1860, 1880}) {
        cursor(0);
        wege();
        befehl(id);
        EXPECT_EQ(wege(), "abgegeben " + std::to_string(id));
        EXPECT_EQ(aufrufe(), "") << id;
    }
    PvwRahmenSetzen(PvwRahmenDienst{});

    // New drawing while sorted by date: text 403, no dialog.
    SendDlgItemMessage(PvwFenster(), PVWSORT, CB_SETCURSEL, 1, 0);
    befehl(PVWSORT);
    EXPECT_EQ(PvwSortModus(), 1);
    befehl(1800);
    EXPECT_EQ(meldung(), "Diese Funktion ist nur bei Sortierung nach Nummer erlaubt");
    EXPECT_EQ(aufrufe(), "");

    // The component library program is running: text 400.
    ASSERT_EQ(plLokalKlasseMelden("ZVKBaut"), 0);
    for (int id : {1800, 1810, 1820}) {
        befehl(id);
        EXPECT_EQ(meldung(), "Die Bauteilverwaltung ist ge\xF6""ffnet.") << id;
    }
    plLokalKlasseAbmelden("ZVKBaut");
    EXPECT_EQ(aufrufe(), "");
}

TEST_F(Seite, DeleteAsksAndDeletesOnlyOnYesThenTheRefreshShowsIt)
{
    standard();
    ASSERT_NE(offen(), 0u);
    klick(0);
    klick(2, 0, true);
    befehl(1840);
    HWND dlg = wiDlgSuchen("ZeiLoesch");
    ASSERT_NE(dlg, 0u) << "the delete dialog asks";
    SendMessage(dlg, WM_COMMAND, 2501, 0);  // cancelled: nothing goes
    pumpen();
    EXPECT_EQ(wiDlgSuchen("ZeiLoesch"), 0u);
    EXPECT_TRUE(fs::exists(pfad("Plan.001")));
    EXPECT_TRUE(fs::exists(pfad("Plan.005")));
    EXPECT_EQ(wege().find("verteilen"), std::string::npos);

    taste(VK_DELETE);  // the Del key posts 1840
    dlg = wiDlgSuchen("ZeiLoesch");
    ASSERT_NE(dlg, 0u);
    SendMessage(dlg, WM_COMMAND, 2500, 0);
    pumpen();
    EXPECT_FALSE(fs::exists(pfad("Plan.001")));
    EXPECT_TRUE(fs::exists(pfad("Plan.002")));
    EXPECT_FALSE(fs::exists(pfad("Plan.005")));
    EXPECT_NE(wege().find("verteilen 2998 9"), std::string::npos);

    // The frame's refresh: rescan, rebuild the display.
    PvwVerzLesen();
    PvwListeNeu();
    pumpen();
    EXPECT_EQ(liste(LisAnzahl), 2);
    zeichnung({"Plan.007", "", "Neu", "", BEF_ZA4});
    PvwVerzLesen();
    PvwListeNeu();
    pumpen();
    EXPECT_EQ(liste(LisAnzahl), 3);
    EXPECT_GE(PvwZeiSuchen("Plan.007"), 0);
}

TEST_F(Seite, HeadingsEditSubtitlesAndSortKeepsTheCursor)
{
    standard();
    untertitel();
    ASSERT_NE(offen(), 0u);
    // Plan.001, heading 002, Plan.002, heading 005, Plan.005, PDF heading?, Liste.pdf
    ASSERT_EQ(PvwEintragAdr(1)->art, PVW_UNTERTITEL);
    EXPECT_EQ(PvwZeileHoehe(1), 4);
    EXPECT_EQ(PvwZeileHoehe(0), 2);
    cursor(1);
    befehl(1810);
    EXPECT_EQ(wege(), "haupt 1512 1");
    cursor(4);
    befehl(1852);
    EXPECT_EQ(wege(), "haupt 1512 3");
    cursor(0);
    befehl(1852);
    EXPECT_EQ(wege(), "haupt 1512 0");
    EXPECT_EQ(kontext(1), (std::vector<std::string>{"1800", "1810 grau", "1820 grau", "1850 grau", "1830", "1611",
                                                    "1890", "1851", "1852", "1862 grau", "1860 grau", "1880 grau",
                                                    "1870 grau", "1840 grau"}));

    // By date the headings go; the cursor stays on Plan.005.
    cursor(4);
    SendDlgItemMessage(PvwFenster(), PVWSORT, CB_SETCURSEL, 1, 0);
    befehl(PVWSORT);
    EXPECT_STREQ(PvwCursorName(), "Plan.005");
    EXPECT_EQ(liste(LisAnzahl), PvwAnzahl());
    // A heading under the cursor hands it to the drawing below.
    SendDlgItemMessage(PvwFenster(), PVWSORT, CB_SETCURSEL, 0, 0);
    befehl(PVWSORT);
    cursor(3);
    ASSERT_EQ(PvwEintragAdr(3)->art, PVW_UNTERTITEL);
    SendDlgItemMessage(PvwFenster(), PVWSORT, CB_SETCURSEL, 2, 0);
    befehl(PVWSORT);
    EXPECT_STREQ(PvwCursorName(), "Plan.005");
}

TEST_F(Seite, ContextMenuGreysByKindAndMarks)
{
    standard();
    ASSERT_NE(offen(), 0u);
    // A drawing with no marked row: nothing grey.
    auto punkte = kontext(0);
    ASSERT_EQ(punkte.size(), 14u);
    EXPECT_EQ(std::count_if(punkte.begin(), punkte.end(),
                            [](const std::string& p) { return p.find("grau") != std::string::npos; }),
              0);
    // The PDF file with no marked row.
    punkte = kontext(3);
    EXPECT_EQ(punkte, (std::vector<std::string>{"1800", "1810", "1820", "1850 grau", "1830", "1611", "1890", "1851",
                                                "1852", "1862 grau", "1860 grau", "1880 grau", "1870 grau",
                                                "1840 grau"}));
    // Every row marked: edit, view and properties grey on a drawing.
    befehl(1890);
    punkte = kontext(3);
    EXPECT_EQ(std::count_if(punkte.begin(), punkte.end(),
                            [](const std::string& p) { return p.find("grau") != std::string::npos; }),
              1) << "a PDF file never has properties";
    punkte = kontext(1);
    for (const char* p : {"1810 grau", "1820 grau", "1850 grau", "1840"})
        EXPECT_NE(std::find(punkte.begin(), punkte.end(), p), punkte.end()) << p;
    // Background below the last row.
    EXPECT_EQ(kontext(10), (std::vector<std::string>{"1800", "1851", "1852"}));
    // A choice reaches the page as its command.
    EXPECT_EQ(wege(), "");
}

TEST_F(Seite, ImportChoosesTheDialogByExtension)
{
    standard();
    ASSERT_NE(offen(), 0u);
    cursor(1);
    struct {
        const char* datei;
        const char* dialog;
        const char* meldung;
    } faelle[] = {
        {"a.DXF", "DXFImport", ""},
        {"b.hpgl", "HPGLImport", ""},
        {"c.txt", "TXTImport", ""},
        {"d.svg", "", "Unbekannter Zusatz: svg"},
        {"", "", ""},
    };
    for (const auto& f : faelle) {
        if (f.datei[0]) schreiben(pfad(f.datei), "x");
        plDateiDialogAntwort(f.datei[0] ? pfad(f.datei).c_str() : "");
        befehl(1600);
        EXPECT_EQ(meldung(), f.meldung) << f.datei;
        if (!f.dialog[0]) continue;
        HWND d = wiDlgSuchen(f.dialog);
        ASSERT_NE(d, 0u) << f.datei;
        char t[300] = "";
        GetDlgItemText(d, 3302, t, sizeof t);
        EXPECT_STREQ(t, f.datei);
        GetDlgItemText(d, 3200, t, sizeof t);
        EXPECT_STREQ(t, "Plan");
        GetDlgItemText(d, 3210, t, sizeof t);
        EXPECT_STREQ(t, "003");
        SendMessage(d, WM_COMMAND, 2501, 0);
        projpruef::dlgPumpen();
        EXPECT_EQ(wiDlgSuchen(f.dialog), 0u);
    }
    ASSERT_FALSE(plDateiDialogFragen().empty());
    EXPECT_EQ(plDateiDialogFragen().front().titel, "Zeichnung importieren");
}

TEST_F(Seite, AfterANewDrawingTheCursorOrTheEditorFollows)
{
    standard();
    ASSERT_NE(offen(), 0u);
    auto anlegen = [&](const char* seite, const char* vorlage) {
        ZeiNeuEingabe e;
        ZeiNeuVorbereiten(&e, "", "Plan", seite);
        std::snprintf(e.vorlage, sizeof e.vorlage, "%s", vorlage);
        ASSERT_EQ(ZeiAnlegen(&e, 1), 0) << seite;
        PvwVerzLesen();
    };
    anlegen("007", "");
    befehl(1801);
    EXPECT_STREQ(PvwCursorName(), "Plan.007");
    EXPECT_EQ(liste(LisAkt), PvwZeiSuchen("Plan.007"));
    wege();
    anlegen("008", "/vorlagen/Deckblatt.001");
    wege();  // the creation's own broadcast
    befehl(1801);
    EXPECT_EQ(wege(), "editor Plan.008; vorlage Deckblatt.001");
}

TEST_F(Seite, ViewingWithoutViewerProgramOpensTheViewerMode)
{
    standard();
    ASSERT_NE(offen(), 0u);
    cursor(0);
    ddeAntwort = -1;  // no viewer running
    // The program folder is one of the test's own, without the viewer.
    const std::string altProg = VerZeiger(0);
    VerSetzen(0, ordner.string().c_str());
    wege();
    befehl(1820);
    EXPECT_EQ(meldung(), "");
    EXPECT_EQ(wege(), "dde ZVKView option -s=0; anzeige Plan.001");
    VerSetzen(0, altProg.c_str());
}

TEST_F(Seite, PrintingPdfGoesToTheSpoolerAndCancelStops)
{
    standard();
    ASSERT_NE(offen(), 0u);
    // Only the PDF row: the job opens and closes with no drawing in it (a
    // document needs a page: the file printer writes one blank). No spooler
    // in PATH: the user is told.
    const char* altPfad = std::getenv("PATH");
    const std::string pfadVorher = altPfad ? altPfad : "";
    const fs::path bin = ordner.parent_path() / (ordner.filename().string() + "-bin");
    fs::create_directories(bin);
    setenv("PATH", bin.c_str(), 1);
    klick(3);
    wege();
    druckerAntwort("leer.pdf");
    befehl(1830);
    EXPECT_EQ(seiten("leer.pdf"), 1);
    EXPECT_EQ(meldung(), "Kein Programm f\xFCr " + pfad("Liste.pdf"));
    EXPECT_EQ(wege(), "");
    // A spooler: the marked PDF file reaches it as its last word.
    schreiben((bin / "lp").string(), "#!/bin/sh\nexit 0\n");
    fs::permissions(bin / "lp", fs::perms::owner_all);
    druckerAntwort("leer2.pdf");
    befehl(1830);
    EXPECT_EQ(wege(), "start Liste.pdf");
    setenv("PATH", pfadVorher.c_str(), 1);
    fs::remove_all(bin);
    // Odd count with duplex: one empty page after the drawing.
    klick(0);
    druckerAntwort("duplex.pdf", DMDUP_VERTICAL);
    befehl(1830);
    EXPECT_EQ(seiten("duplex.pdf"), 2);
    druckerAntwort("einfach.pdf");
    befehl(1830);
    EXPECT_EQ(seiten("einfach.pdf"), 1);
    // The print dialog cancelled: no job, no file.
    befehl(1830);
    EXPECT_EQ(seiten("abbruch.pdf"), -1);
}

TEST(ZeiNrErhoehen, Cases)
{
    struct {
        const char* vorher;
        const char* nachher;
    } faelle[] = {
        {"001", "002"}, {"009", "010"}, {"999", "1000"}, {"12a", "013"}, {"A9", "A10"},
        {"A09", "A10"}, {"AB", "AB1"},  {"1.05", "1.06"}, {"E.A3", "E.A4"},
    };
    for (const auto& f : faelle) {
        char t[PVWENDUNGSUP + 1];
        std::snprintf(t, sizeof t, "%s", f.vorher);
        ZeiNrErhoehen(t, sizeof t);
        EXPECT_STREQ(t, f.nachher) << f.vorher;
    }
    char kurz[4] = "999";
    ZeiNrErhoehen(kurz, sizeof kurz);
    EXPECT_STREQ(kurz, "100") << "cut to the capacity, never past it";
}

}  // namespace
