// The project folder tree: roots on first opening, what is read and shown
// around the current folder, hidden names, the order, the limit of roots,
// filter, search, single-folder mode, the folder operations with their
// refusals, and copy and move under injected failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "controls/lisanzeige.h"
#include "platform/dialog.h"
#include "platform/fehlersim.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "project/dirhist.h"
#include "project/wrz.h"
#include "tests/equipment/projtest.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"

using namespace projtest;
using V = std::vector<std::string>;

namespace {

V boxTexte()
{
    V t;
    for (const plNachrichtBoxFrage& f : plNachrichtBoxFragen()) t.push_back(f.text);
    return t;
}

class WrzTest : public ProjTest {
protected:
    std::string wurzel, home;
    void SetUp() override
    {
        ProjTest::SetUp();
        wurzel = pfad("Basis");
        home = pfad("home");
        fs::create_directories(home);
        setenv("XDG_CONFIG_HOME", pfad("cfg").c_str(), 1);
        setenv("HOME", home.c_str(), 1);
        unsetenv("USERPROFILE");
        unsetenv("XDG_DOCUMENTS_DIR");
        plIniCacheLeeren();
        IniPfadSetzen(pfad("Velmo.ini").c_str());
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        WrzLeeren();
        DirZuruecksetzen();
    }
    void TearDown() override
    {
        WrzLeeren();
        DirZuruecksetzen();
        IniPfadSetzen("");
        plIniCacheLeeren();
        unsetenv("XDG_CONFIG_HOME");
        ProjTest::TearDown();
    }
    void ordner(const std::string& rel) { fs::create_directories(wurzel + "/" + rel); }
    void datei(const std::string& rel, const std::string& inhalt = "x")
    {
        fs::create_directories(fs::path(wurzel + "/" + rel).parent_path());
        schreiben(wurzel + "/" + rel, inhalt);
    }
    // A tree with one root and the current folder given.
    void baum(const std::string& aktuellRel)
    {
        ProfilSchreiben("DirHistory", "WrzDir0", wurzel.c_str());
        WrzWurzelnLesen();
        WrzAktuellSetzen((wurzel + "/" + aktuellRel).c_str());
        WrzAuswahlSetzen((wurzel + "/" + aktuellRel).c_str());
        ASSERT_EQ(WrzAufbauen(), 0);
    }
    int eintrag(const std::string& rel)
    {
        const std::string p = rel.empty() ? wurzel : wurzel + "/" + rel;
        for (int i = 0; i < WrzAnzahl(); ++i)
            if (p == WrzEintragAdr(i)->pfad) return i;
        return -1;
    }
    // The shown rows as paths below the root ("" for the root).
    V zeilen()
    {
        V v;
        for (int z = 0; z < WrzZeilen(); ++z) {
            std::string p = WrzEintragAdr(WrzZeileEintrag(z))->pfad;
            v.push_back(p == wurzel ? "" : p.substr(wurzel.size() + 1));
        }
        return v;
    }
};

TEST_F(WrzTest, FirstOpeningTakesProgramAndHomeFoldersAndWritesNothing)
{
    VerSetzen(0, pfad("prog").c_str());
    WrzWurzelnLesen();
    const std::string prog = pfad("prog");
    V w;
    for (int i = 0; i < WRZWURZELSUP; ++i)
        if (WrzWurzel(i)[0]) w.push_back(WrzWurzel(i));
    EXPECT_EQ(w, (V{home, prog}));   // sorted; no documents folder: the home
    EXPECT_FALSE(fs::exists(home + "/Zavik")) << "nothing is made in the home folder";
    // With a documents folder, that one.
    fs::create_directories(home + "/Dokumente");
    WrzLeeren();
    WrzWurzelnLesen();
    EXPECT_EQ(std::string(WrzWurzel(0)), home + "/Dokumente");
    EXPECT_EQ(std::string(WrzWurzel(1)), prog);
    char k[10] = "";
    EXPECT_EQ(ProfilLesen("DirHistory", "WrzDir0", k, 9), 0);
    EXPECT_FALSE(fs::exists(pfad("Velmo.ini")));

    // Ten roots at most: an eleventh changes nothing.
    for (int i = 2; i < WRZWURZELSUP; ++i) EXPECT_EQ(WrzWurzelDazu((pfad("r") + std::to_string(i)).c_str()), 0);
    EXPECT_EQ(WrzWurzelDazu(pfad("elf").c_str()), -1);
    for (int i = 0; i < WRZWURZELSUP; ++i) EXPECT_NE(std::string(WrzWurzel(i)), pfad("elf"));
}

TEST_F(WrzTest, CurrentFolderBranchIsReadAndItsNeighboursShown)
{
    for (const char* o : {"a/b/c/d", "a/b/c2", "a/b2/x", "a2/y/z", "a/b/c/d/e"}) ordner(o);
    datei("a/b/Plan.001");
    datei("a/b2/Fremd.001");
    for (const char* v : {"a/$sys", "a/.git", "a/b/c/.versteckt"}) ordner(v);
    datei("a/b/c/.tmp");
    baum("a/b/c");
    // The branch above the current folder is read; the current folder
    // itself and everything beside it wait until expanded.
    EXPECT_EQ(zeilen(), (V{"", "a", "a/b", "a/b/c", "a/b/c2", "a/b2", "a2"}));
    EXPECT_EQ(WrzEintragAdr(eintrag("a/b"))->art, 1);
    EXPECT_EQ(WrzEintragAdr(eintrag("a/b/c"))->art, 2);
    EXPECT_EQ(WrzEintragAdr(eintrag("a/b2"))->art, 2);     // not read yet
    EXPECT_EQ(eintrag("a/b2/Fremd.001"), -1);
    EXPECT_EQ(WrzEintragZeile(eintrag("a/b/Plan.001")), -1);   // files above: read, hidden
    EXPECT_EQ(WrzZustand(eintrag("a/b2")), 1);
    for (const char* v : {"a/$sys", "a/.git", "a/b/c/.versteckt", "a/b/c/.tmp"}) EXPECT_EQ(eintrag(v), -1) << v;
    EXPECT_EQ(WrzZeileEintrag(WrzAktSetzen()), eintrag("a/b/c"));

    // Expand reads on demand and shows one level; collapse hides again.
    WrzAufklappen(eintrag("a/b2"));
    EXPECT_NE(eintrag("a/b2/Fremd.001"), -1);
    EXPECT_NE(WrzEintragZeile(eintrag("a/b2/x")), -1);
    EXPECT_EQ(WrzZustand(eintrag("a/b2")), 2);
    WrzZuklappen(eintrag("a/b2"));
    EXPECT_EQ(WrzEintragZeile(eintrag("a/b2/x")), -1);
    EXPECT_EQ(WrzDateienZaehlen(eintrag("a/b")), 1);
    char n[WRZPFADSUP + 1];
    WrzDateiName(eintrag("a/b"), 0, n, sizeof n);
    EXPECT_STREQ(n, "Plan.001");
    WrzDateiName(eintrag("a/b"), 1, n, sizeof n);
    EXPECT_STREQ(n, "");
}

TEST_F(WrzTest, UnderscoreSortsFirstAndFilesComeAfterSubfolders)
{
    for (const char* o : {"Ab", "A_b", "Z", "1"}) ordner(o);
    datei("Plan.001");
    datei("0.txt");
    baum("");
    V alle;
    for (int i = 0; i < WrzAnzahl(); ++i) alle.push_back(fs::path(WrzEintragAdr(i)->pfad).filename().string());
    EXPECT_EQ(alle, (V{"Basis", "1", "A_b", "Ab", "Z", "0.txt", "Plan.001"}));
}

TEST_F(WrzTest, FilterAndSearch)
{
    for (const char* o : {"Halle", "Werk", "Werk/Halle2", "Buero"}) ordner(o);
    baum("");
    WrzFilterSetzen(" hall ");
    WrzFiltern();
    WrzZeilenBilden();
    EXPECT_EQ(zeilen(), (V{"", "Halle"}));   // Werk/Halle2 is not shown at this level
    WrzFilterSetzen("");
    WrzFiltern();
    WrzZeilenBilden();
    EXPECT_EQ(zeilen(), (V{"", "Buero", "Halle", "Werk"}));
    EXPECT_EQ(WrzSuchen(0, "werk"), 3);
    EXPECT_EQ(WrzSuchen(3, "halle"), -1);   // no wrap-around
    EXPECT_EQ(WrzSuchen(0, "  "), -1);
}

TEST_F(WrzTest, SingleFolderModeShowsTheParentOfAFolderWithoutSubfolders)
{
    ordner("Nur");
    datei("Nur/Plan.001");
    ordner("Andere");
    WrzAktuellSetzen((wurzel + "/Nur").c_str());
    WrzEinzelOrdner((wurzel + "/Nur").c_str());
    ASSERT_EQ(WrzAufbauen(), 0);
    EXPECT_EQ(std::string(WrzWurzel(0)), wurzel);
    EXPECT_STREQ(WrzWurzel(1), "");
    EXPECT_EQ(WrzWurzelDazu(pfad("x").c_str()), -1);   // roots stay as they are
    EXPECT_EQ(WrzBasisSpeichern(), 0);
    char k[10] = "";
    EXPECT_EQ(ProfilLesen("DirHistory", "WrzDir0", k, 9), 0);
}

TEST_F(WrzTest, RenameRefusesTheCurrentFolderItsAncestorsAndPathNames)
{
    for (const char* o : {"Anlage", "Projekt/Teil"}) ordner(o);
    datei("Anlage/Anlage.pdf", "p");
    datei("Anlage/Anlage.001", "z");
    datei("Anlage/Andere.pdf", "a");
    baum("Projekt/Teil");
    for (const auto& [rel, name] : std::vector<std::pair<std::string, std::string>>{
             {"Projekt/Teil", "Neu"}, {"Projekt", "Neu"}, {"Anlage", "..\\x"}, {"Anlage", "a/b"}, {"Anlage", ".."}}) {
        plNachrichtBoxFragenLeeren();
        EXPECT_EQ(WrzUmbenennen(eintrag(rel), name.c_str()), -1) << rel << " " << name;
        EXPECT_EQ(boxTexte(), V{TextNr(360)}) << rel << " " << name;
    }
    EXPECT_TRUE(fs::is_directory(wurzel + "/Projekt/Teil"));
    WrzAufklappen(eintrag("Anlage"));
    ASSERT_EQ(WrzUmbenennen(eintrag("Anlage"), "Halle"), 0);
    std::set<std::string> n;
    for (const auto& e : fs::directory_iterator(wurzel + "/Halle")) n.insert(e.path().filename().string());
    EXPECT_EQ(n, (std::set<std::string>{"Halle.pdf", "Halle.001", "Andere.pdf"}));
    EXPECT_NE(eintrag("Halle/Halle.pdf"), -1);
    ordner("Besetzt");
    plNachrichtBoxFragenLeeren();
    EXPECT_EQ(WrzUmbenennen(eintrag("Halle"), "Besetzt"), -1);
    EXPECT_EQ(boxTexte(), V{TextNr(151)});
}

TEST_F(WrzTest, DeletingAFolderWithSubfoldersDeletesItsFilesOnly)
{
    datei("Alt/a.txt");
    datei("Alt/Unter/b.txt");
    datei("Leer/c.txt");
    baum("");
    WrzAufklappen(eintrag("Alt"));
    EXPECT_EQ(WrzLoeschen(eintrag("Alt")), 1);
    EXPECT_FALSE(fs::exists(wurzel + "/Alt/a.txt"));
    EXPECT_TRUE(fs::exists(wurzel + "/Alt/Unter/b.txt"));
    EXPECT_EQ(eintrag("Alt/a.txt"), -1);
    EXPECT_EQ(WrzLoeschen(eintrag("Leer")), 0);
    EXPECT_FALSE(fs::exists(wurzel + "/Leer"));
    EXPECT_EQ(eintrag("Leer"), -1);
}

TEST_F(WrzTest, CopyAndMoveRefuseBadTargetsAndReportWhatStays)
{
    datei("Q/Q.001", "z");
    datei("Q/b.txt", "b");
    datei("Q/Unter/c.txt", "c");
    ordner("Da");
    baum("Da");
    char m[1000];
    struct Fall {
        std::string ziel;
        int verschieben, text;
    };
    for (const Fall& f : {Fall{wurzel + "/Q/", 0, 150}, Fall{wurzel + "/Da", 0, 151}, Fall{wurzel + "/Q/Innen", 0, 150}}) {
        plNachrichtBoxFragenLeeren();
        EXPECT_EQ(WrzKopieren((wurzel + "/Q").c_str(), f.ziel.c_str(), f.verschieben, m, sizeof m), -1) << f.ziel;
        EXPECT_EQ(boxTexte(), V{TextNr(f.text)}) << f.ziel;
    }
    EXPECT_FALSE(fs::exists(wurzel + "/Q/Innen"));
    // The current folder (and any above it) is not moved away.
    plNachrichtBoxFragenLeeren();
    EXPECT_EQ(WrzKopieren((wurzel + "/Da").c_str(), (wurzel + "/Weg").c_str(), 1, m, sizeof m), -1);
    EXPECT_EQ(boxTexte(), V{TextNr(363)});

    ASSERT_EQ(WrzKopieren((wurzel + "/Q").c_str(), (wurzel + "/K").c_str(), 0, m, sizeof m), 0) << m;
    EXPECT_EQ(lesen(wurzel + "/K/K.001"), "z");   // named after the new folder
    EXPECT_FALSE(fs::exists(wurzel + "/K/Unter"));
    // A move leaves the subfolder and says so.
    EXPECT_EQ(WrzKopieren((wurzel + "/Q").c_str(), (wurzel + "/M").c_str(), 1, m, sizeof m), -1);
    EXPECT_NE(std::string(m).find("Unter"), std::string::npos) << m;
    EXPECT_FALSE(fs::exists(wurzel + "/Q/Q.001"));
    EXPECT_TRUE(fs::exists(wurzel + "/Q/Unter/c.txt"));
    EXPECT_EQ(lesen(wurzel + "/M/b.txt"), "b");
}

// Nothing lost: a move with each kind of call failing at call k until it
// completes; every file is in the source or completely in the target, and
// what was not moved is reported.
TEST_F(WrzTest, MoveLosesNothingUnderInjectedFailures)
{
    ordner("Da");
    baum("Da");
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                            PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 100; ++k) {
            fs::remove_all(wurzel + "/Q");
            fs::remove_all(wurzel + "/Z");
            datei("Q/a.txt", "a");
            datei("Q/b.txt", std::string(30000, 'b'));
            char m[1000] = "";
            int r;
            {
                PlFehlerScope s;
                plFehlerSetzen(art, k);
                r = WrzKopieren((wurzel + "/Q").c_str(), (wurzel + "/Z").c_str(), 1, m, sizeof m);
                if (plFehlerAusgeloest(art) == 0) {
                    EXPECT_EQ(r, 0);
                    EXPECT_FALSE(fs::exists(wurzel + "/Q"));
                    break;
                }
            }
            for (const auto& [n, b] : std::map<std::string, std::string>{{"a.txt", "a"}, {"b.txt", std::string(30000, 'b')}}) {
                const bool quelle = fs::exists(wurzel + "/Q/" + n) && lesen(wurzel + "/Q/" + n) == b;
                const bool ziel = fs::exists(wurzel + "/Z/" + n) && lesen(wurzel + "/Z/" + n) == b;
                EXPECT_TRUE(quelle || ziel) << static_cast<int>(art) << "/" << k << " " << n;
                if (!ziel && r == 0) ADD_FAILURE() << "not moved but no report " << static_cast<int>(art) << "/" << k;
            }
        }
    }
}

// Nothing lost: a folder rename with its renamed files, failing at call k
// of each kind until it completes: the folder is under one of its names
// with both files' bytes, and a failure of the folder's own rename says so.
TEST_F(WrzTest, RenameLosesNothingUnderInjectedFailures)
{
    ordner("Da");
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Umbenennen}) {
        for (int k = 1; k < 20; ++k) {
            fs::remove_all(wurzel);
            ordner("Da");
            datei("Anlage/Anlage.pdf", "p");
            datei("Anlage/Notiz.txt", "n");
            WrzLeeren();
            baum("Da");
            WrzAufklappen(eintrag("Anlage"));
            plNachrichtBoxFragenLeeren();
            int r;
            {
                PlFehlerScope s;
                plFehlerSetzen(art, k);
                r = WrzUmbenennen(eintrag("Anlage"), "Halle");
                if (plFehlerAusgeloest(art) == 0) {
                    EXPECT_EQ(r, 0);
                    break;
                }
            }
            const std::string o = fs::exists(wurzel + "/Halle") ? wurzel + "/Halle" : wurzel + "/Anlage";
            const bool pdf = (fs::exists(o + "/Halle.pdf") && lesen(o + "/Halle.pdf") == "p") ||
                             (fs::exists(o + "/Anlage.pdf") && lesen(o + "/Anlage.pdf") == "p");
            EXPECT_TRUE(pdf) << static_cast<int>(art) << "/" << k;
            EXPECT_EQ(lesen(o + "/Notiz.txt"), "n") << static_cast<int>(art) << "/" << k;
            if (r != 0) {
                EXPECT_FALSE(boxTexte().empty()) << static_cast<int>(art) << "/" << k;
            }
        }
    }
}

// ---- the dialog --------------------------------------------------------------------------

LRESULT CALLBACK wrzHauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

class WrzDlgTest : public WrzTest {
protected:
    void SetUp() override
    {
        WrzTest::SetUp();
        plFensterSystemEnde();
        anwZuruecksetzen();
        anwDaten()->instanz = LoadLibrary("velmo");
        ASSERT_NE(anwDaten()->instanz, 0u);
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = wrzHauptProz;
        wc.lpszClassName = "VelmoWrzHaupt";
        ASSERT_NE(RegisterClassEx(&wc), 0);
        HWND haupt = CreateWindowEx(0, "VelmoWrzHaupt", "Velmo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, 0,
                                    0, 0, nullptr);
        ASSERT_NE(haupt, 0u);
        anwDaten()->hauptfenster = haupt;
        anwLaufZustandSetzen(2);
        ASSERT_EQ(wiDlgInit(), 0);
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        WiSeitenDienst d{};
        d.hauptPost = [](int id, LPARAM) { posts().push_back(id); };
        wiSeitenDienstSetzen(d);
        posts().clear();
    }
    void TearDown() override
    {
        wiSeitenDienstZuruecksetzen();
        wiDlgAlleSchliessen();
        ctlKlassenAbmelden();
        wiDlgFrei();
        wiBibEnde();
        plFensterSystemEnde();
        FreeLibrary(anwDaten()->instanz);
        anwZuruecksetzen();
        WrzTest::TearDown();
    }
    static std::vector<int>& posts()
    {
        static std::vector<int> p;
        return p;
    }
};

TEST_F(WrzDlgTest, TreeOpensOnTheCurrentFolderAndOpensTheChosenOne)
{
    for (const char* o : {"Halle 1", "Halle 2", "Werk/Teil"}) ordner(o);
    schreiben(wurzel + "/Halle 2/Projekt.zvk", "zvkP\n)S Titel\n___\x1cHalle zwei\x1c" "Anlage\x1cOrt\n)S Kennung\n)E\n");
    datei("Halle 1/Plan.001");
    ProfilSchreiben("DirHistory", "WrzDir0", wurzel.c_str());
    VerSetzen(1, (wurzel + "/Halle 1").c_str());
    ProjektlisteOeffnen();
    HWND dlg = WrzDlgFenster();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(zeilen(), (V{"", "Halle 1", "Halle 2", "Werk"}));
    ASSERT_GE(wiDlgBetreten(dlg), 0);
    EXPECT_EQ(WrzZeileEintrag(LisAkt(3000)), eintrag("Halle 1"));
    LisAktSetzen(3000, WrzEintragZeile(eintrag("Halle 2")));
    wiDlgVerlassen();
    const char* ziel = std::getenv("VELMO_TEST_BILDER");
    if (ziel != nullptr) {
        EXPECT_EQ(plHeadlessPng(dlg, (std::string(ziel) + "/PVWVERZEICHNIS.png").c_str()), 0);
    }
    SendMessage(dlg, WM_COMMAND, 2540, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(WrzDlgFenster(), 0u);
    EXPECT_EQ(posts(), std::vector<int>{DIRIDBASIS});
    char o[DIRPFADSUP + 1];
    ASSERT_EQ(DirNachId(DIRIDBASIS, o, sizeof o), 1);
    EXPECT_EQ(std::string(o), wurzel + "/Halle 2");
}

TEST_F(WrzDlgTest, FileAndFolderDialogs)
{
    for (const char* o : {"Halle 1", "Werk"}) ordner(o);
    datei("Werk/x.txt", "x");
    datei("Werk/y.txt", "y");
    ProfilSchreiben("DirHistory", "WrzDir0", wurzel.c_str());
    VerSetzen(1, (wurzel + "/Halle 1").c_str());
    ProjektlisteOeffnen();
    HWND dlg = WrzDlgFenster();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    SendMessage(dlg, WM_COMMAND, 2520, eintrag("Werk"));
    projpruef::dlgPumpen();
    const char* bilder = std::getenv("VELMO_TEST_BILDER");
    auto zeige = [&](const char* name) {
        HWND f = wiDlgSuchen(name);
        ASSERT_NE(f, 0u) << name;
        projpruef::dlgPumpen();
        if (bilder != nullptr) {
            EXPECT_EQ(plHeadlessPng(f, (std::string(bilder) + "/" + name + ".png").c_str()), 0);
        }
    };
    auto cursor = [&](const std::string& rel) {
        ASSERT_GE(wiDlgBetreten(dlg), 0);
        LisAktSetzen(3000, WrzEintragZeile(eintrag(rel)));
        wiDlgVerlassen();
    };

    // Rename a file: an existing name is refused, the dialog stays.
    cursor("Werk/x.txt");
    SendMessage(dlg, WM_COMMAND, 2552, 0);
    zeige("PVWNZDUBENENN");
    HWND f = wiDlgSuchen("PVWNZDUBENENN");
    SetDlgItemText(f, 3021, "y.txt");
    SendMessage(f, WM_COMMAND, 2512, 0);
    projpruef::dlgPumpen();
    EXPECT_NE(wiDlgSuchen("PVWNZDUBENENN"), 0u);
    SetDlgItemText(f, 3021, "z.txt");
    SendMessage(f, WM_COMMAND, 2512, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(wiDlgSuchen("PVWNZDUBENENN"), 0u);
    EXPECT_EQ(lesen(wurzel + "/Werk/z.txt"), "x");
    EXPECT_NE(eintrag("Werk/z.txt"), -1);

    // Take it over under a new name into the current project folder, which
    // is read (opened) first.
    SendMessage(dlg, WM_COMMAND, 2520, eintrag("Halle 1"));
    projpruef::dlgPumpen();
    ASSERT_EQ(WrzEintragAdr(eintrag("Halle 1"))->art, 1);
    cursor("Werk/z.txt");
    SendMessage(dlg, WM_COMMAND, 2551, 0);
    zeige("PVWNZDUEBER");
    f = wiDlgSuchen("PVWNZDUEBER");
    SetDlgItemText(f, 3021, "Kopie.txt");
    SendMessage(f, WM_COMMAND, 1, 0);
    projpruef::dlgPumpen();
    EXPECT_EQ(lesen(wurzel + "/Halle 1/Kopie.txt"), "x");
    // The read current folder shows it at once, right below it, with the cursor on it.
    const int kopie = eintrag("Halle 1/Kopie.txt");
    ASSERT_EQ(kopie, eintrag("Halle 1") + 1);
    EXPECT_EQ(WrzEintragAdr(kopie)->ebene, 2);
    ASSERT_GE(wiDlgBetreten(dlg), 0);
    EXPECT_EQ(WrzZeileEintrag(LisAkt(3000)), kopie);
    wiDlgVerlassen();

    // The folder dialogs, each closed again.
    cursor("Werk");
    for (const auto& [id, name] : std::vector<std::pair<int, const char*>>{
             {2530, "PVWVERZNEU"}, {2531, "PVWVERZREN"}, {2533, "PVWVERZCOPY"}, {2534, "PVWVERZMOVE"}}) {
        SendMessage(dlg, WM_COMMAND, static_cast<WPARAM>(id), 0);
        zeige(name);
        SendMessage(wiDlgSuchen(name), WM_COMMAND, 2501, 0);
        projpruef::dlgPumpen();
        EXPECT_EQ(wiDlgSuchen(name), 0u) << name;
    }
}

// A click on a folder's picture opens or closes it; a click on its name
// only moves the cursor there.
TEST_F(WrzDlgTest, AClickOnAFolderPictureTogglesIt)
{
    for (const char* o : {"Halle/Teil", "Werk/Teil"}) ordner(o);
    ProfilSchreiben("DirHistory", "WrzDir0", wurzel.c_str());
    VerSetzen(1, wurzel.c_str());
    ProjektlisteOeffnen();
    HWND dlg = WrzDlgFenster();
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    ASSERT_EQ(zeilen(), (V{"", "Halle", "Werk"}));
    HWND liste = GetDlgItem(dlg, 3000);
    RECT r{};
    GetClientRect(liste, &r);
    ASSERT_GE(wiDlgBetreten(dlg), 0);
    const int halb = r.bottom / LisSeite(3000);  // pixels of a half-line; an entry is two
    wiDlgVerlassen();
    auto klick = [&](const std::string& rel, int spalte) {
        const int zeile = WrzEintragZeile(eintrag(rel));
        const POINT p = plHeadlessPunkt(liste, spalte * wiDlgEinheit(4) + 3, 2 * zeile * halb + halb);
        plHeadlessZeitVor(1000);  // never a double click
        plHeadlessKlick(p.x, p.y);
        projpruef::dlgPumpen();
    };
    EXPECT_EQ(WrzZustand(eintrag("Halle")), 1);
    klick("Halle", 5);  // the name, behind the picture
    EXPECT_EQ(WrzZustand(eintrag("Halle")), 1);
    EXPECT_EQ(std::string(WrzAuswahl()), wurzel + "/Halle");
    klick("Werk", 2);  // the picture of a level-1 folder
    EXPECT_EQ(WrzZustand(eintrag("Werk")), 2);
    EXPECT_EQ(zeilen(), (V{"", "Halle", "Werk", "Werk/Teil"}));
    EXPECT_EQ(std::string(WrzAuswahl()), wurzel + "/Werk");
}

}  // namespace
