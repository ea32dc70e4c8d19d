// The editor document on the real store and the recent-file list.
#include "editor/zeidok.h"

#include "config/inidatei.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/ges.h"
#include "model/einstell.h"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include "editor/befausf.h"
#include "platform/dateidialog.h"
#include "platform/menue.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "tests/editor/edtest.h"
#include "config/datwache.h"
#include "project/pvwliste.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "winlib/seitendienst.h"
#include "platform/fehlersim.h"
#include "tests/model/tztest.h"
#include "tests/model/edprotokoll.h"

namespace {

struct ZeiDokTest : TzTest {
    EdOrdner o;
    // Loads and saves follow their folder: the working folder comes back.
    std::filesystem::path cwd = std::filesystem::current_path();
    std::string verAktuell = VerAktuell(), projekt = VerZeiger(1);
    void SetUp() override
    {
        TzTest::SetUp();
        ZeiHakenSetzen();
        EdEinst()->sperre = 0;  // no lock files in the test's working folder
        ZeiNeu();
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        plDateiDialogSkriptLeeren();
        plDateiDialogFragenLeeren();
        for (int i = 0; i < FILHISTSUP; ++i) DateiHistorieMerken("");  // no effect
    }
    void TearDown() override
    {
        plNachrichtBoxSkriptLeeren();
        plDateiDialogSkriptLeeren();
        std::filesystem::current_path(cwd);
        VerAktuellSetzen(verAktuell.c_str());
        VerSetzen(1, projekt.c_str());
        TzTest::TearDown();
    }
    std::string gespeichert(const char* name)
    {
        std::string p = o.pfad(name);
        linie(0, 0, 10, 0);
        EXPECT_EQ(ZeiSpeichern(p.c_str()), 0);
        return p;
    }
    std::string hist(int i)
    {
        char n[ZEINAMSUP + 1];
        DateiHistorieName(ZEIHISTID + i, n, sizeof n);
        return n;
    }
};

TEST_F(ZeiDokTest, AFailedLoadLeavesTheDrawingUnnamedAndTheRecentListAlone)
{
    std::string p = gespeichert("Plan.001");
    std::filesystem::copy_file(p, o.pfad("Plan.TXT"));
    std::filesystem::copy_file(p, o.pfad("BAUTEILE.001"));
    std::ofstream(o.pfad("Notiz.001")) << "kein Plan\n";
    int vorher = DateiHistorieAnzahl();
    struct Fall {
        std::string name, status;
    } faelle[] = {
        {o.pfad("Fehlt.001"), "Keine Zeichnungsdatei"},
        {o.pfad("Notiz.001"), "Keine Zeichnungsdatei"},
        {o.pfad("Plan.TXT"), "Unm\xF6glicher Zeichnungsname"},
        {o.pfad("BAUTEILE.001"), "Unm\xF6glicher Zeichnungsname"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ZeiNeu();
        EXPECT_EQ(ZeiLaden(f.name.c_str(), 1, 0), -1);
        EXPECT_STREQ(ZeiName(), "");
        EXPECT_EQ(DateiHistorieAnzahl(), vorher);
        ASSERT_FALSE(EdProtokollHolen().status.empty());
        EXPECT_EQ(EdProtokollHolen().status.back(), f.status);
    }
    {
        // The file cannot be opened at all.
        PlFehlerScope f;
        plFehlerSetzen(PlFehlerArt::Oeffnen, 1, true);
        EXPECT_EQ(ZeiLaden(p.c_str(), 1, 0), -1);
    }
    EXPECT_STREQ(ZeiName(), "");
    EXPECT_EQ(EdProtokollHolen().status.back(), "Keine Zeichnungsdatei");
    // It passes the checks, then the store's loader cannot open it: the
    // fault moves one open later each round until the loader meets it.
    bool gesehen = false;
    for (int n = 1; n <= 10 && !gesehen; ++n) {
        PlFehlerScope f;
        ZeiNeu();
        plFehlerSetzen(PlFehlerArt::Oeffnen, n);
        const int r = ZeiLaden(p.c_str(), 1, 0);
        gesehen = EdProtokollHolen().status.back() == "Kann Zeichnung " + p + " nicht lesen.";
        if (!gesehen) continue;
        EXPECT_EQ(r, -1);
        EXPECT_STREQ(ZeiName(), "") << "an unreadable file does not name the drawing";
        EXPECT_EQ(DateiHistorieAnzahl(), vorher);
    }
    EXPECT_TRUE(gesehen);
    ZeiNeu();
    // Saving now asks for a name instead of overwriting the unreadable file.
    TzGeaendertSetzen();
    plNachrichtBoxAntwort(IDYES);
    plDateiDialogAntwort(nullptr);
    EXPECT_EQ(::ZeiFrageSpeichern(), 0);
    ASSERT_EQ(plDateiDialogFragen().size(), 1u);
    EXPECT_EQ(plDateiDialogFragen()[0].titel, "Zeichnung speichern");
}

TEST_F(ZeiDokTest, AFailedSaveKeepsNameAndChangedFlag)
{
    std::string p = gespeichert("Plan.001");
    linie(0, 0, 0, 10);
    ASSERT_EQ(TzIstGeaendert(), 1);
    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen, PlFehlerArt::Oeffnen}) {
        PlFehlerScope f;
        plFehlerSetzen(art, 1, true);
        EXPECT_EQ(ZeiSpeichern(o.pfad("Anders.001").c_str()), -1);
        EXPECT_EQ(TzIstGeaendert(), 1);
        EXPECT_STREQ(ZeiName(), p.c_str());
    }
    EXPECT_EQ(hist(0), p);
}

TEST_F(ZeiDokTest, SaveQuestionAnswers)
{
    struct Fall {
        const char* name;
        int abbruch;
        std::vector<int> boxen;
        std::vector<const char*> dialoge;  // nullptr: cancelled
        int ergebnis;
        int geaendert;
        size_t fragen;
        int queue;
    } faelle[] = {
        {"No", 1, {IDNO}, {}, 1, 0, 1, 1},
        {"Cancel", 1, {IDCANCEL}, {}, 0, 1, 1, 0},
        {"Yes, dialog cancelled", 1, {IDYES}, {nullptr}, 0, 1, 1, 0},
        {"Yes, saved", 1, {IDYES}, {"Neu.001"}, 1, 0, 1, 1},
        {"at exit: Yes, cancelled, asked again", 0, {IDYES, IDNO}, {nullptr}, 1, 0, 2, 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ZeiNeu();
        linie(0, 0, 10, 0);
        BefEinreihenCode(75);
        plNachrichtBoxFragenLeeren();
        for (int b : f.boxen) plNachrichtBoxAntwort(b);
        for (const char* d : f.dialoge) plDateiDialogAntwort(d ? o.pfad(d).c_str() : nullptr);
        EXPECT_EQ(ZeiFrage(f.abbruch), f.ergebnis);
        EXPECT_EQ(TzIstGeaendert(), f.geaendert);
        EXPECT_EQ(plNachrichtBoxFragen().size(), f.fragen);
        EXPECT_EQ(BefAnzahl(), f.queue);
        BefLeeren();
    }
}

TEST_F(ZeiDokTest, AForeignLockRefusesTheLoadAndKeepsTheDrawing)
{
    std::string p = gespeichert("Plan.001");
    std::filesystem::path alt = std::filesystem::current_path();
    std::filesystem::current_path(o.p);
    std::ofstream(o.pfad("Velmo.lock")) << "anderer\n01.01.2026\n";
    EdEinst()->sperre = 1;
    for (int geaendert : {1, 0}) {
        SCOPED_TRACE(geaendert);
        plNachrichtBoxFragenLeeren();
        ZeiNeu();
        linie(0, 0, 5, 5);
        if (!geaendert) TzGeaendertReset();
        EXPECT_EQ(ZeiLaden(p.c_str(), 0, 0), -1);  // an insert
        EXPECT_EQ(TzAnzahl(), 1);
        EXPECT_EQ(TzIstGeaendert(), geaendert);
        ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
        EXPECT_NE(plNachrichtBoxFragen()[0].text.find("Benutzer: anderer"), std::string::npos);
    }
    EdEinst()->sperre = 0;
    std::filesystem::current_path(alt);
}

TEST_F(ZeiDokTest, RecentFiles)
{
    for (int i = 0; i < 11; ++i) DateiHistorieMerken(("a/Plan.00" + std::to_string(i)).c_str());
    EXPECT_EQ(DateiHistorieAnzahl(), FILHISTSUP);
    EXPECT_EQ(hist(0), "a/Plan.0010");
    EXPECT_EQ(hist(9), "a/Plan.001");  // Plan.000 pushed out
    DateiHistorieMerken("a\\Plan.007");  // entry 3, written the other way
    EXPECT_EQ(hist(0), "a/Plan.007");
    EXPECT_EQ(hist(1), "a/Plan.0010");
    EXPECT_EQ(hist(3), "a/Plan.008");
    EXPECT_EQ(hist(4), "a/Plan.006");
    EXPECT_EQ(DateiHistorieAnzahl(), FILHISTSUP);
    for (const char* n : {"", "a/", "a/NAMENLOS", "NAMENLOS"}) DateiHistorieMerken(n);
    EXPECT_EQ(hist(0), "a/Plan.007");
    EXPECT_EQ(hist(10), "");
    EXPECT_EQ(hist(-1), "");

    // Through the ini file and back.
    DateiHistorieSichern();
    for (int i = 0; i < 3; ++i) DateiHistorieMerken(("b/X" + std::to_string(i)).c_str());
    DateiHistorieLaden();
    EXPECT_EQ(hist(0), "a/Plan.007");
    EXPECT_EQ(hist(9), "a/Plan.001");

    // The menu: one item per entry, ids 1050 + i.
    HMENU m = CreatePopupMenu();
    AppendMenu(m, MF_STRING, 1050, "alt");
    DateiHistorieMenue(m);
    EXPECT_EQ(GetMenuItemCount(m), FILHISTSUP);
    char text[300];
    GetMenuString(m, 1050, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&0 a/Plan.007");
    DestroyMenu(m);
    // Above "Beenden" when the menu has it.
    m = CreatePopupMenu();
    AppendMenu(m, MF_STRING, 1004, "&Speichern");
    AppendMenu(m, MF_STRING, 1998, "&Beenden");
    DateiHistorieMenue(m);
    ASSERT_EQ(GetMenuItemCount(m), FILHISTSUP + 2);
    EXPECT_EQ(static_cast<int>(GetMenuItemID(m, 1)), 1050);
    EXPECT_EQ(static_cast<int>(GetMenuItemID(m, FILHISTSUP + 1)), 1998);
    DestroyMenu(m);
}

std::vector<std::string>& spur()
{
    static std::vector<std::string> s;
    return s;
}

std::vector<std::string>& gefolgt()
{
    static std::vector<std::string> g;
    return g;
}

// The folder of the drawing: loads and saves follow it, the shell is told
// after a load and a save-as, DIR changes to a named folder.
struct ZeiOrdnerTest : ZeiDokTest {
    WiDebugSenke alteSenke = nullptr;
    void SetUp() override
    {
        ZeiDokTest::SetUp();
        spur().clear();
        gefolgt().clear();
        alteSenke = wiDebugSenkeSetzen([](const char* t) { spur().push_back(t); });
        WiSeitenDienst d{};
        d.umschaltenAuf = [](const char* pfad) { gefolgt().push_back(pfad); };
        wiSeitenDienstSetzen(d);
    }
    void TearDown() override
    {
        wiSeitenDienstZuruecksetzen();
        wiDebugSenkeSetzen(alteSenke);
        ZeiDokTest::TearDown();
    }
    std::string ordner(const char* name) const
    {
        std::filesystem::create_directories(o.p / name);
        return o.pfad(name);
    }
    static std::string aktuell()
    {
        std::string a = VerAktuell();
        while (a.size() > 1 && a.back() == '/') a.pop_back();
        return a;
    }
    std::vector<std::string> ordnerSpur() const
    {
        std::vector<std::string> v;
        for (const std::string& t : spur())
            if (t.rfind("DateiVerzeichnis", 0) == 0) v.push_back(t);
        return v;
    }
};

TEST_F(ZeiOrdnerTest, SaveAsAndLoadFollowTheDrawingsFolderOnce)
{
    const std::string unter = ordner("Unter");
    linie(0, 0, 10, 0);
    const std::string plan = unter + "/Plan.001";
    ASSERT_EQ(ZeiSpeichernUnter(plan.c_str()), 0);
    EXPECT_EQ(aktuell(), unter) << "the working folder is the drawing's";
    EXPECT_EQ(ordnerSpur(), std::vector<std::string>{"DateiVerzeichnis " + unter});
    EXPECT_EQ(gefolgt(), std::vector<std::string>{plan}) << "the shell follows after a save-as";
    ASSERT_EQ(ZeiSpeichern(plan.c_str()), 0);
    EXPECT_EQ(ordnerSpur().size(), 1u) << "the same folder again is no change";
    EXPECT_EQ(gefolgt().size(), 1u) << "a plain save does not move the shell";

    ZeiNeu();
    EXPECT_EQ(ZeiLaden(gespeichert("Oben.001").c_str(), 1, 0), 0);
    EXPECT_EQ(aktuell(), o.p.string());
    ZeiNeu();
    gefolgt().clear();
    ASSERT_EQ(ZeiLaden(plan.c_str(), 1, 0), 0);
    EXPECT_STREQ(ZeiName(), plan.c_str());
    EXPECT_EQ(aktuell(), unter);
    EXPECT_EQ(gefolgt(), std::vector<std::string>{plan}) << "the shell follows after a load";
    EXPECT_EQ(ordnerSpur().back(), "DateiVerzeichnis " + unter);
    // An insert neither follows nor names.
    gefolgt().clear();
    EXPECT_EQ(ZeiLaden(o.pfad("Oben.001").c_str(), 0, 0), 0);
    EXPECT_EQ(aktuell(), unter);
    EXPECT_TRUE(gefolgt().empty());
}

TEST_F(ZeiOrdnerTest, ANameWithoutFolderLiesInTheProjectFolder)
{
    VerSetzen(1, o.p.c_str());
    char pfad[ZEINAMSUP + 1];
    ZeiPfadBilden("Plan.001", pfad, sizeof pfad);
    EXPECT_EQ(std::string(pfad), o.pfad("Plan.001"));
    ZeiPfadBilden("/anders/Plan.001", pfad, sizeof pfad);
    EXPECT_STREQ(pfad, "/anders/Plan.001");
    linie(0, 0, 10, 0);
    ASSERT_EQ(ZeiSpeichern("Kurz.001"), 0);
    EXPECT_TRUE(std::filesystem::exists(o.pfad("Kurz.001")));
    EXPECT_STREQ(ZeiName(), "Kurz.001");
    // Opened by its bare name and by its path, it is one entry of the recent
    // list, kept with its folder.
    ASSERT_EQ(ZeiLaden(o.pfad("Kurz.001").c_str(), 1, 0), 0);
    ASSERT_EQ(ZeiLaden("Kurz.001", 1, 0), 0);
    char n[ZEINAMSUP + 1];
    DateiHistorieName(ZEIHISTID, n, sizeof n);
    EXPECT_EQ(std::string(n), o.pfad("Kurz.001"));
    DateiHistorieName(ZEIHISTID + 1, n, sizeof n);
    EXPECT_NE(std::string(n), o.pfad("Kurz.001")) << "the sheet stands twice in the recent list";
}

TEST_F(ZeiOrdnerTest, DirAsksThenChangesTheFolder)
{
    const std::string a = ordner("A"), b = ordner("B");
    const BEF dirA = tzRec(BefCode("DIR"), {}, a.c_str());
    const BEF dirB = tzRec(BefCode("DIR"), {}, (b + "/").c_str());
    EXPECT_EQ(BefOptionen(&dirA), 1);
    EXPECT_EQ(aktuell(), a);
    EXPECT_TRUE(plNachrichtBoxFragen().empty()) << "an unchanged drawing is not asked about";

    linie(0, 0, 10, 0);
    plNachrichtBoxAntwort(IDCANCEL);
    EXPECT_EQ(BefOptionen(&dirB), 1);
    EXPECT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(aktuell(), a) << "cancelled: the folder stays";

    plNachrichtBoxAntwort(IDNO);
    EXPECT_EQ(BefOptionen(&dirB), 1);
    EXPECT_EQ(aktuell(), b);
    EXPECT_TRUE(gefolgt().empty()) << "DIR moves the working folder, not the shell";

    // The remembered folder was forgotten: a save back in A follows it.
    ASSERT_EQ(ZeiSpeichern((a + "/Plan.001").c_str()), 0);
    EXPECT_EQ(aktuell(), a);

    const BEF fehlt = tzRec(BefCode("DIR"), {}, o.pfad("Fehlt").c_str());
    EXPECT_EQ(BefOptionen(&fehlt), 1);
    EXPECT_EQ(aktuell(), a);
    EXPECT_EQ(EdProtokollHolen().status.back(), "Ordner " + o.pfad("Fehlt") + " nicht gefunden.");
}

// After a save, EdDatumNeu 1 gives the saved file's time to the project's
// first drawing, 2 to the files EdDatumNam names; 0 to none.
TEST_F(ZeiOrdnerTest, TheSavedFilesTimeGoesWhereTheSettingSays)
{
    VerSetzen(1, o.p.c_str());
    linie(0, 0, 10, 0);
    const std::string vorlage = gespeichert("Vorlage.001");
    for (const char* n : {"A.001", "A.002", "Projekt.zvk", "Liste.txt"}) std::filesystem::copy_file(vorlage, o.pfad(n));
    std::filesystem::remove(vorlage);
    PvwVerzLesen();  // the project's drawings: A.001 comes first
    const DATZEIT alt{{101, 2, 3}, 4, 5, 6};  // 3.2.2001 4:05:06
    auto zeit = [&](const char* n) {
        DATZEIT z{};
        dateizeit(o.pfad(n).c_str(), &z);
        return std::vector<int>{z.datum.jahr, z.datum.monat, z.datum.tag, z.stunde, z.minute, z.sekunde};
    };
    struct Fall {
        int neu;
        const char* namen;
        std::vector<std::string> neuZeit;
    } faelle[] = {
        {0, "", {}},
        {1, "", {"A.001"}},
        {2, "  *.zvk  Liste.txt ", {"Projekt.zvk", "Liste.txt"}},
        {3, "*.zvk", {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.neu);
        for (const char* n : {"A.001", "A.002", "Projekt.zvk", "Liste.txt"})
            ASSERT_EQ(dateizeitsetzen(o.pfad(n).c_str(), &alt), 0);
        EdEinst()->datumneu = f.neu;
        std::snprintf(EdEinst()->datumnam, sizeof EdEinst()->datumnam, "%s", f.namen);
        ASSERT_EQ(ZeiSpeichern("Neu.003"), 0);
        const std::vector<int> gespeichertAm = zeit("Neu.003");
        ASSERT_NE(gespeichertAm[0], 101);
        for (const char* n : {"A.001", "A.002", "Projekt.zvk", "Liste.txt"}) {
            const bool neu = std::find(f.neuZeit.begin(), f.neuZeit.end(), n) != f.neuZeit.end();
            const std::vector<int> soll = neu ? gespeichertAm : std::vector<int>({101, 2, 3, 4, 5, 6});
            EXPECT_EQ(zeit(n), soll) << n;
        }
    }
    EdEinst()->datumneu = 0;
}

}  // namespace

namespace {

// The equipment data goes with the drawing: saving commits it to the
// project's file, No to the save question drops what was not saved.
struct ZeiDokBm : ZeiDokTest {
    void SetUp() override
    {
        ZeiDokTest::SetUp();
        std::ofstream(o.pfad("Test.vgb"), std::ios::binary) << "Name Test\nBMuse 1\n";
        VgbFehlMeldung(0);
        VgbSetSetzen("Test", o.pfad("Test.vgb").c_str());
        VerSetzen(1, o.p.c_str());
        std::filesystem::copy_file(std::string(VELMO_TEST_DATA) + "/equipment/BMittel.zvk", o.pfad("BMittel.zvk"));
        BMZuruecksetzen();
        BMStart();
    }
    void TearDown() override
    {
        BMZuruecksetzen();
        VerSetzen(1, "");
        VgbFehlMeldung(1);
        ZeiDokTest::TearDown();
    }
    static void nennen(const char* lt)
    {
        appgeraet g;
        ASSERT_EQ(GesHolen(2, &g), 0);
        std::snprintf(g.lt, sizeof g.lt, "%s", lt);
        ASSERT_EQ(GesAendern(2, &g), 0);
    }
    std::string datei()
    {
        std::ifstream f(o.pfad("BMittel.zvk"), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }
};

TEST_F(ZeiDokBm, SavingCommitsTheEquipmentDataAndNoDropsIt)
{
    ASSERT_EQ(BMVerwendet(), 1);
    nennen("Gespeichert");
    gespeichert("Plan.001");
    EXPECT_NE(datei().find("Gespeichert"), std::string::npos);

    nennen("Verworfen");
    TzGeaendertSetzen();
    plNachrichtBoxAntwort(IDNO);
    EXPECT_EQ(ZeiFrage(1), 1);
    EXPECT_EQ(datei().find("Verworfen"), std::string::npos);
    appgeraet g;
    ASSERT_EQ(GesHolen(2, &g), 0);
    EXPECT_STREQ(g.lt, "Gespeichert") << "read back from the file";
}

}  // namespace
