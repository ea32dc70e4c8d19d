// The input line's rings, prompts and parsing on the real queue.
#include "editor/history.h"

#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "editor/edtseite.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"

#include <fstream>

#include "config/inidatei.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "tests/editor/eqtexttest.h"

namespace {

struct HistoryTest : EqTextTest {
    std::string ini;
    void SetUp() override
    {
        EqTextTest::SetUp();
        ini = IniPfadZeiger();
        IniPfadSetzen(o.pfad("Velmo-11.ini").c_str());
        plIniCacheLeeren();
        HistoryLaden();
        PromptStandard();
        BaubfAbbrechen();
        // A plain window stands in for the page and takes its posted commands.
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "HistSeite";
        RegisterClass(&wc);
        seite = CreateWindow("HistSeite", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr);
        EdtFensterFuerTests(seite);
        etAbholen();  // what cancelling an element queued
        bauteil("M1", {tzRec(TZ_ZL, {5, 0})});
    }
    void TearDown() override
    {
        HistorySichern();
        EdtFensterFuerTests(0);
        DestroyWindow(seite);
        IniPfadSetzen(ini.c_str());
        plIniCacheLeeren();
        EqTextTest::TearDown();
    }
    std::string zurueck(int art = 'B')
    {
        char t[ZEILNG + 1];
        HistoryZurueck(art, t, sizeof t);
        return t;
    }
    // The queued records in text form, then the commands posted to the page.
    std::string abholen()
    {
        std::string r;
        for (const BEF& b : etAbholen()) r += (r.empty() ? "" : "; ") + BefZuText(&b);
        if (BaubfAktiv()) {
            // The element taken into construction, then cancelled.
            const BEF b = BaubfHolen();
            r += "; Baubf(" + BefZuText(&b) + ")";
            BaubfAbbrechen();
            etAbholen();
        }
        MSG m;
        while (PeekMessage(&m, seite, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            r += " EdtBefehlPosten(" + std::to_string(LOWORD(m.wParam)) + ")";
        return r;
    }
    HWND seite = 0;
};

TEST_F(HistoryTest, RingsKeepDistinctLinesAndBrowse)
{
    EXPECT_EQ(zurueck(), "");  // empty ring: nothing, and the index stays
    HistoryMerken('B', "ZL 1 2");
    HistoryMerken('B', "TFA");
    HistoryMerken('B', "ZL 1 2");  // already there
    HistoryMerken('B', "   ");
    HistoryMerken('T', "Hallo");
    EXPECT_EQ(zurueck(), "TFA");
    EXPECT_EQ(zurueck(), "ZL 1 2");
    EXPECT_EQ(zurueck(), "");        // stays on the oldest
    char t[ZEILNG + 1];
    HistoryVor('B', t, sizeof t);
    EXPECT_STREQ(t, "ZL 1 2");
    EXPECT_EQ(zurueck('T'), "Hallo");

    // The 51st distinct line overwrites the oldest.
    for (int i = 1; i <= ZEISUP + 1; ++i) HistoryMerken('B', ("L" + std::to_string(i)).c_str());
    std::vector<std::string> l;
    HistoryListe('B', &l);
    ASSERT_EQ(l.size(), static_cast<size_t>(ZEISUP));
    EXPECT_EQ(l.front(), "L51");
    EXPECT_EQ(l.back(), "L2");
}

TEST_F(HistoryTest, AWrappedRingComesBackInOrderAfterARestart)
{
    for (int i = 1; i <= 55; ++i) HistoryMerken('B', ("L" + std::to_string(i)).c_str());
    HistoryMerken('T', "Hallo");
    HistorySichern();
    HistoryLaden();
    EXPECT_EQ(zurueck(), "L55");
    EXPECT_EQ(zurueck(), "L54");
    std::vector<std::string> l;
    HistoryListe('B', &l);
    ASSERT_EQ(l.size(), static_cast<size_t>(ZEISUP));
    EXPECT_EQ(l[0], "L55");
    EXPECT_EQ(l[49], "L6");
    EXPECT_EQ(zurueck('T'), "Hallo");

    // A shorter ring saved later leaves no stale keys behind.
    HistorySichern();
    HistoryLaden();
    HistoryLeeren();
    HistoryMerken('B', "X");
    HistorySichern();
    HistoryLaden();
    HistoryListe('B', &l);
    EXPECT_EQ(l, (std::vector<std::string>{"X"}));
}

TEST_F(HistoryTest, TypedLines)
{
    std::ofstream(o.pfad("MAKRO.mac")) << "ZL 1 1\n";
    struct Fall {
        const char* zeile;
        int ergebnis;
        std::string queue;
    } faelle[] = {
        {"12 34", 1, "BW 12,0000 34,0000"},
        {"12,5 -3", 1, "BW 12,5000 -3,0000"},
        {"A1 2", 0, ""},
        {"M1", 1, "ZB \"M1\""},
        {"makro", 1, "MAC \"makro\""},
        {".", 1, "SUP"},
        {"zl 3 4", 1, "ZL 3,0000 4,0000"},
        {"zb m1", 1, "ZB \"M1\""},
        {"QVB 10 50", 1, "QVB 10 50,0000 0,0000 0,0000 0,0000"},
        {"QVB 0 50", 1, "_BA 0,0000 0,0000; ; _BA 50,0000 0,0000; ; Baubf(QVB 0 50,0000 0,0000 0,0000 0,0000) EdtBefehlPosten(1203)"},
        {"ZL", 1, " EdtBefehlPosten(1200)"},
        {"LER", 1, "LER 0"},
        {"SUE TFA", 1, "SUE 50"},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(EingabeAbschliessen(f.zeile, 1), f.ergebnis) << f.zeile;
        EXPECT_EQ(abholen(), f.queue) << f.zeile;
        EXPECT_EQ(EingabeFeld(), f.ergebnis ? "" : f.zeile) << f.zeile;
    }
    // A missing drawing reference is refused with a beep and its message.
    const int pieps = plNachrichtBoxPieps();
    EXPECT_EQ(EingabeAbschliessen("ZO nix", 1), 0);
    EXPECT_EQ(plNachrichtBoxPieps(), pieps + 1);
    EXPECT_EQ(EingabeFeld(), "Kann Zeichnung nix nicht lesen.");
    EXPECT_EQ(abholen(), "");
}

TEST_F(HistoryTest, PromptsAskForTheValue)
{
    struct Fall {
        const char* befehl;
        std::string prompt;
        const char* antwort;
        std::string queue;
    } faelle[] = {
        {"TG", "Textgr\xF6sse", "2,5", "TG 2,5000"},
        {"ST", "Nummer", "12", "ST 8"},
        {"SA", "Nummer", "0", "SA 1"},
        {"TR", "Richtung", "-90", "TR 270,0"},
        {"TR", "Richtung", "12.36", "TR 12,4"},
        {"MS", "Mass-Stab", "", ""},
        {"ZBO", "Name", "m1", "ZBW 90,0 \"M1\""},
        {"TS", "Nummer", "12", "TS 9"},
        {"TFA", "Text (TFA)", "Hallo", "TFA \"Hallo\""},
    };
    for (const Fall& f : faelle) {
        ASSERT_EQ(EingabeAbschliessen(f.befehl, 1), 1) << f.befehl;
        EXPECT_EQ(PromptText(), f.prompt) << f.befehl;
        EXPECT_EQ(EingabeAbschliessen(f.antwort, 1), 1) << f.befehl;
        EXPECT_EQ(abholen(), f.queue) << f.befehl;
        EXPECT_EQ(PromptText(), f.befehl == std::string("TFA") ? "Text (TFA)" : "Befehl (ZB)") << f.befehl;
    }
    EXPECT_EQ(zurueck('T'), "Hallo");
    // A text prompt stays for the next text; Escape goes back to the
    // command prompt, also from a value prompt.
    EXPECT_EQ(EingabeAbschliessen("", 0), 1);
    EingabeAbschliessen("TG", 1);
    EXPECT_EQ(EingabeAbschliessen("", 0), 1);
    EXPECT_EQ(PromptText(), "Befehl (ZB)");
    EXPECT_EQ(abholen(), "");
}

// A marked object's record put into the field for editing: a typed record
// of its kind starts at the object's point, once; another kind or an
// unmarked object does not.
TEST_F(HistoryTest, ARecordPutIntoTheFieldForEditingStartsAtItsObject)
{
    BEF zl = tzRec(TZ_ZL, {5, 0});
    STT s = bei(20, 30);
    const int id = TzEinfuegen(&zl, &s);
    TzMarkSetzen(id, 1);
    ObjCursorSetzen(id);
    EingabeBearbeitenSetzen(&zl, &s);
    EXPECT_EQ(EingabeFeld(), BefZuText(&zl));
    EXPECT_EQ(PromptText(), "Befehl (ZB)");
    EXPECT_EQ(EingabeAbschliessen("ZL 7 0", 1), 1);
    EXPECT_EQ(abholen(), "_BA 20,0000 30,0000; ZL 7,0000 0,0000");
    EXPECT_EQ(EingabeAbschliessen("ZL 7 0", 1), 1);
    EXPECT_EQ(abholen(), "ZL 7,0000 0,0000") << "once";
    EingabeBearbeitenSetzen(&zl, &s);
    EXPECT_EQ(EingabeAbschliessen("SUP", 1), 1);
    EXPECT_EQ(abholen(), "SUP") << "another kind";
    TzMarkSetzen(id, 0);
    EingabeBearbeitenSetzen(&zl, &s);
    EXPECT_EQ(EingabeAbschliessen("ZL 1 1", 1), 1);
    EXPECT_EQ(abholen(), "ZL 1,0000 1,0000") << "not marked: not remembered";
}

}  // namespace
