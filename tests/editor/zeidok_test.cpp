// The editor document on the real store and the recent-file list.
#include "editor/zeidok.h"

#include "config/inidatei.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bm.h"
#include "equipment/ges.h"
#include "model/einstell.h"
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
#include "tests/model/tztest.h"

namespace {

struct ZeiDokTest : TzTest {
    EdOrdner o;
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
    int vorher = DateiHistorieAnzahl();
    ZeiNeu();
    for (int fall = 0; fall < 2; ++fall) {
        SCOPED_TRACE(fall);
        PlFehlerScope f;
        std::string name = fall == 0 ? o.pfad("Fehlt.001") : p;
        if (fall == 1) plFehlerSetzen(PlFehlerArt::Oeffnen, 1, true);
        EXPECT_EQ(ZeiLaden(name.c_str(), 1, 0), -1);
        EXPECT_STREQ(ZeiName(), "");
        EXPECT_EQ(DateiHistorieAnzahl(), vorher);
        ASSERT_FALSE(EdProtokollHolen().status.empty());
        EXPECT_EQ(EdProtokollHolen().status.back(), "Kann Zeichnung " + name + " nicht lesen.");
    }
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
