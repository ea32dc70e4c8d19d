// The editor page on a test main window: its start and end, the pending
// drawing name, docking, the follow-up command after the exit question,
// dropped files, the toolbar-style close, the menu table and the editor's
// hooks.
#include "editor/edtseite.h"
#include "editor/baubf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/inidatei.h"
#include "config/vorgaben.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/hinweis.h"
#include "editor/edtaufrufe.h"
#include "editor/eingabe.h"
#include "editor/history.h"
#include "editor/zeidok.h"
#include "platform/eingabe.h"
#include "config/verzeich.h"
#include "editor/leiste.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "output/ansicht.h"
#include "output/guck.h"
#include "project/rschreib.h"
#include "platform/ablegen.h"
#include "platform/dialog.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/systemwerte.h"
#include "tests/editor/edtaufrufprotokoll.h"
#include "tests/editor/edtest.h"
#include "tests/project/projpruef.h"
#include "winlib/seitendienst.h"
#include "tests/model/edprotokoll.h"

namespace {

std::vector<std::string> dienst;  // what the page asked of the shell
int shellModus = 0;
std::vector<int> folge;           // commands the follow-up window got
size_t fragenBeiFolge = 0;        // boxes asked when the follow-up arrived

LRESULT CALLBACK folgeProz(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_COMMAND) {
        folge.push_back(LOWORD(wp));
        fragenBeiFolge = plNachrichtBoxFragen().size();
    }
    return DefWindowProc(h, m, wp, lp);
}

struct EdtSeite : ::testing::Test {
    EdOrdner o;

    void SetUp() override
    {
        projpruef::dialogWirt(o.pfad("konfig"), 1000, 750);
        IniPfadSetzen(o.pfad("Velmo.ini").c_str());
        ASSERT_EQ(GuckRegistrieren(), 0);
        VgbSetzen("EdSperre", "0");  // no lock files in the working folder
        dienst.clear();
        folge.clear();
        shellModus = EDTMODUS;
        WiSeitenDienst d{};
        d.anmelden = [](HWND) { dienst.push_back("anmelden"); };
        d.abmelden = [](HWND) { dienst.push_back("abmelden"); };
        d.modusSetzen = [](int m) { shellModus = m; };
        d.modusUmschalten = [](int m) {
            shellModus = m;
            dienst.push_back("umschalten " + std::to_string(m));
        };
        d.modus = [] { return shellModus; };
        wiSeitenDienstSetzen(d);
        EdProtokollStarten();
        BefZuruecksetzen();
        BefAusfInit();
        BefAusfHakenSetzen();
        ZeiHakenSetzen();
        EdMeldHakenSetzen();
        EdtHakenSetzen();
        ApStileLaden();
    }
    void TearDown() override
    {
        if (EdtFenster()) {
            EdtMenueBefehl(1099);
            pumpen();
            EXPECT_EQ(EdtFenster(), 0u);
        }
        GuckAbmelden();
        RsTestZuruecksetzen();
        projpruef::dialogWirtEnde();
        wiSeitenDienstZuruecksetzen();
        IniPfadSetzen("");
        EdProtokollStarten();
        EdtAufrufProtokollStarten();
    }
    void pumpen() { projpruef::dlgPumpen(); }
    // The queue's records as "code text", without running them.
    std::vector<std::string> queue()
    {
        std::vector<std::string> v;
        while (BefAnzahl() > 0) {
            BEF b;
            BefVorne(&b);
            BefEntfernen();
            v.push_back(std::to_string(b.code) + (b.text[0] ? std::string(" ") + b.text : ""));
        }
        return v;
    }
    // A line straight into the store: the drawing is changed.
    void aendern()
    {
        BEF b{};
        b.code = 40;
        b.darg[0] = 10;
        STT s = *BefAktZustand();
        TzEinfuegen(&b, &s);
    }
    // Opens the page with a name and keeps the queue from draining.
    void oeffnen(const char* name = "")
    {
        EdtZeiOeffnen(name);
        ASSERT_NE(EdtFenster(), 0u);
    }
};

std::string zo(const std::string& name) { return std::to_string(BefCode("ZO")) + " " + name; }

TEST_F(EdtSeite, ANameGivenWhileClosedIsQueuedAfterEveryModuleStarted)
{
    // Opening runs EdtInit inside; the drain is only posted, so the queue
    // shows what the page queued.
    oeffnen("/tmp/Plan.001");
    EXPECT_EQ(EdtModulAnzahl(), [] {
        int n = 0;
        while (EdtModulName(n)[0] != '\0') ++n;
        return n;
    }());
    EXPECT_STREQ(EdtModulName(0), "Seite");
    EXPECT_EQ(queue(), std::vector<std::string>{zo("/tmp/Plan.001")});
    EXPECT_STREQ(EdtWartenderName(), "");
    EXPECT_EQ(shellModus, EDTMODUS);
    EXPECT_EQ(dienst, std::vector<std::string>{"anmelden"});

    // While open the name is queued at once; a blank one queues nothing.
    EdtZeiOeffnen("  /tmp/Zwei.001 ");
    EdtZeiOeffnen("   ");
    EXPECT_EQ(queue(), std::vector<std::string>{zo("/tmp/Zwei.001")});
}

// A line left under construction ends with the page: the page opened again
// is idle.
TEST_F(EdtSeite, AConstructionEndsWithThePage)
{
    oeffnen("/tmp/Plan.001");
    queue();
    BaubfStartenBei(BefCode("ZL"), 10, 10);
    ASSERT_TRUE(BaubfAktiv());
    EdtMenueBefehl(1099);
    pumpen();
    ASSERT_EQ(EdtFenster(), 0u);
    EXPECT_FALSE(BaubfAktiv());
    oeffnen("/tmp/Plan.001");
    EXPECT_FALSE(BaubfAktiv());
}

// The button's picture: its pixels in the arrow's red.
std::vector<std::pair<int, int>> rotePunkte(HWND knopf)
{
    UpdateWindow(knopf);
    RECT r;
    GetClientRect(knopf, &r);
    std::vector<std::pair<int, int>> v;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (plFensterPixel(knopf, x, y) == RGB(192, 0, 0)) v.emplace_back(x, y);
    return v;
}

TEST_F(EdtSeite, DockingSwitchesTheShellBetweenEditorAndProjectManager)
{
    oeffnen();
    HWND f = EdtFenster();
    pumpen();
    const auto raus = rotePunkte(GetDlgItem(f, 2980));
    EXPECT_GT(raus.size(), 10u) << "the button shows its picture";
    dienst.clear();
    SendMessage(f, WM_COMMAND, 2980, 0);
    pumpen();
    const auto rein = rotePunkte(GetDlgItem(f, 2980));
    EXPECT_GT(rein.size(), 10u);
    EXPECT_NE(rein, raus) << "the other picture once separate";
    EXPECT_TRUE(EdtIstExtern());
    EXPECT_EQ(GetParent(f), 0u) << "a top-level window";
    EXPECT_EQ(dienst, (std::vector<std::string>{"abmelden", "umschalten 1530"}));
    char titel[100] = "";
    GetWindowText(f, titel, sizeof titel);
    EXPECT_NE(std::string(titel).find("NAMENLOS"), std::string::npos) << titel;
    // The separate window, kept beside the test program for a look.
    const std::filesystem::path bild = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "editor_separat.png";
    EXPECT_EQ(plHeadlessPng(f, bild.c_str()), 0);
    // The scroll bars paint in the free window too (the page keeps clipping its children).
    const COLORREF grund = plFensterPixel(GetDlgItem(f, 5001), 1, 1);
    EXPECT_NE(grund, GetSysColor(COLOR_BTNFACE)) << "the vertical scroll bar's shaft, not the page's face";

    dienst.clear();
    SendMessage(f, WM_COMMAND, 2980, 0);
    pumpen();
    EXPECT_FALSE(EdtIstExtern());
    EXPECT_EQ(GetParent(f), anwHauptfenster());
    EXPECT_EQ(dienst, (std::vector<std::string>{"anmelden", "umschalten 1531"}));

    // The setting survives the page in the ini file.
    SendMessage(f, WM_COMMAND, 2980, 0);
    pumpen();
    EdtMenueBefehl(1099);
    pumpen();
    EXPECT_EQ(ProfilZahlLesen("ArbPlatz", "EdtExtern"), 1);
}

TEST_F(EdtSeite, FollowUpCommandArrivesAfterTheExitQuestion)
{
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = folgeProz;
    wc.lpszClassName = "EdtFolge";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    HWND ziel = CreateWindowEx(0, "EdtFolge", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr);
    EXPECT_EQ(EdtSchliessenDann(ziel, 4711), 0) << "nothing while closed";

    oeffnen();
    aendern();
    ASSERT_TRUE(ZeiIstGeaendert());
    plNachrichtBoxAntwort(IDNO);
    EXPECT_EQ(EdtSchliessenDann(ziel, 4711), 1);
    pumpen();
    EXPECT_EQ(EdtFenster(), 0u);
    EXPECT_EQ(folge, std::vector<int>{4711});
    EXPECT_EQ(fragenBeiFolge, 1u) << "the question came first";
    EXPECT_EQ(EdtLaeuft(), 0);
    DestroyWindow(ziel);
}

TEST_F(EdtSeite, OfSeveralDroppedFilesTheLastOpens)
{
    oeffnen();
    HWND f = EdtFenster();
    RECT r;
    GetWindowRect(GetDlgItem(f, 5000), &r);
    DragAcceptFiles(f, TRUE);
    ASSERT_EQ(plAblegenDateien(r.left + 20, r.top + 20, {"/tmp/a.001", "/tmp/b.001", "/tmp/c.001"}), f);
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        if (m.message == WM_COMMAND && LOWORD(m.wParam) == 2501) continue;  // keep the queue
        DispatchMessage(&m);
    }
    const std::vector<std::string> q = queue();
    ASSERT_FALSE(q.empty());
    EXPECT_EQ(q.size(), 2u);
    EXPECT_EQ(q.back(), std::to_string(BefCode("ZZ")) + " /tmp/c.001");
}

TEST_F(EdtSeite, ANewStartToolbarStyleClosesThePage)
{
    oeffnen();
    pumpen();
    ASSERT_NE(EdtFenster(), 0u);
    VgbSetzen("AP-ZvTbarStil", ApTbarStil1() ? "0" : "1");
    ApStileLaden();
    EdtTitelMenueAktualisieren(0);
    pumpen();
    EXPECT_EQ(EdtFenster(), 0u);
}

// A foreign project lock refuses an insert; the page closes without asking
// only when no change would be lost.
TEST_F(EdtSeite, AForeignLockClosesThePageOnlyWhenNothingIsLost)
{
    const std::filesystem::path alt = std::filesystem::current_path();
    std::filesystem::current_path(o.p);
    std::ofstream(o.pfad("Velmo.lock")) << "anderer\n01.01.2026\n";
    for (int geaendert : {1, 0}) {
        SCOPED_TRACE(geaendert);
        oeffnen();
        pumpen();
        EdEinst()->sperre = 1;
        plNachrichtBoxFragenLeeren();
        aendern();
        if (!geaendert) TzGeaendertReset();
        EXPECT_EQ(ZeiLaden(o.pfad("Plan.001").c_str(), 0, 0), -1);
        pumpen();
        ASSERT_EQ(plNachrichtBoxFragen().size(), 1u) << "the lock message and no save question";
        EXPECT_NE(plNachrichtBoxFragen()[0].text.find("Benutzer: anderer"), std::string::npos);
        EXPECT_EQ(EdtFenster() != 0, geaendert != 0);
        if (geaendert) {
            EXPECT_EQ(TzAnzahl(), 1);
            EXPECT_TRUE(ZeiIstGeaendert());
        }
        EdEinst()->sperre = 0;
        if (EdtFenster()) {
            EdtMenueBefehl(1099);
            pumpen();
        }
    }
    std::filesystem::current_path(alt);
}

// While a question box of a record is open, a posted 2501 drains nothing;
// closing the box posts the drain that takes the waiting records.
int waehrendBox = -1;
void boxOffen(HWND)
{
    PostMessage(EdtFenster(), WM_COMMAND, 2501, 0);
    projpruef::dlgPumpen();
    waehrendBox = BefAnzahl();
}

TEST_F(EdtSeite, ADrainWaitsWhileABoxIsOpen)
{
    oeffnen();
    pumpen();
    aendern();  // the next file command asks
    queue();
    BefEinreihenXY(40, 5, 0);
    BefEinreihenXY(40, 0, 5);
    plNachrichtBoxBeobachter(boxOffen);
    plNachrichtBoxAntwort(IDNO);
    waehrendBox = -1;
    EdtMenueBefehl(1002);  // opening asks first
    plNachrichtBoxBeobachter(nullptr);
    EXPECT_EQ(waehrendBox, 2) << "nothing drained while the box was open";
    pumpen();
    EXPECT_EQ(BefAnzahl(), 0) << "the box's closing drained the queue";
}

TEST_F(EdtSeite, MenuItemsQueueTheirRecords)
{
    oeffnen();
    pumpen();
    queue();
    struct Fall {
        int id;
        const char* code;
        int zahl;  // the first integer
    } faelle[] = {
        {1006, "EXP", -1}, {1320, "LME", 0},  {1323, "ELM", 1}, {1324, "ELM", 2},  {1326, "BEA", 2},
        {1340, "MFL", 5},  {1346, "MFL", 6},  {1401, "LER", -1}, {1412, "SUE", 50}, {1416, "SUE", 0},
        {1402, "_MLG", 0},
    };
    for (const Fall& f : faelle) {
        ASSERT_EQ(EdtMenueBefehl(f.id), 1) << f.id;
        ASSERT_EQ(BefAnzahl(), 1) << f.id;
        BEF b;
        BefVorne(&b);
        BefEntfernen();
        EXPECT_EQ(b.code, BefCode(f.code)) << f.id;
        EXPECT_EQ(b.iarg[0], f.zahl) << f.id;
    }
    // Every id in the dialogs' range goes to the opener first.
    EdtAufrufProtokoll().clear();
    EdtMenueBefehl(1320);
    EdtMenueBefehl(1010);
    EXPECT_EQ(EdtAufrufProtokoll(), (std::vector<std::string>{"DBDialogOeffnen(1320)", "DBDialogOeffnen(1010)"}));
    EXPECT_EQ(EdtMenueBefehl(1500), 0);
    queue();
}

// The input line's texts pass the speller when it checks on confirm: a
// known text is queued at once; one with an unknown word waits while the
// spelling dialog is open and goes as corrected (shown in the field when it
// was typed at the text prompt), or unchanged when the dialog is cancelled.
// S texts are not checked; a reopened page registers its text once.
TEST_F(EdtSeite, TypedTextsPassTheSpellerBeforeTheyAreQueued)
{
    RsTestStart(1);
    static const RsSpeller speller = {
        [](const char* w) { return std::string(w) == "Halo" ? 0 : 1; },
        [](char* p, size_t) {
            p[0] = '\0';
            return 0;
        },
        [](const char*) { return 0; }, [](const char*, const char*) { return 0; }};
    RsSpellerSetzen(&speller);
    oeffnen();
    pumpen();
    EXPECT_EQ(RsFeldAnzahl(), 1);
    HWND feld = GetDlgItem(EdtFenster(), 5020);
    auto feldText = [&] {
        char t[200] = "";
        GetWindowText(feld, t, sizeof t);
        return std::string(t);
    };
    // Typed into the field, then Enter.
    auto tippen = [&](const char* t) {
        SetWindowText(feld, t);
        pumpen();
        return EingabeAbschicken(1);
    };
    // The texts in the drawing, once the queue has run.
    std::vector<std::string> texte;
    auto gesetzt = [&] {
        pumpen();
        texte.clear();
        BEF b;
        STT st;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id))
            if (TzObjHolen(id, &b, &st) == 0 && b.code >= 50 && b.code <= 57)
                texte.push_back(std::string(BefName(b.code)) + " " + b.text);
        return texte;
    };
    using V = std::vector<std::string>;

    EingabeAusfuehren("TFA");
    EXPECT_EQ(tippen("Hallo Welt"), 1);
    EXPECT_EQ(wiDlgSuchen("RSCHREIB"), 0u);
    EXPECT_EQ(gesetzt(), (V{"TFA Hallo Welt"})) << "a known text goes at once";

    EXPECT_EQ(tippen("Halo Welt"), 1);
    HWND rs = wiDlgSuchen("RSCHREIB");
    ASSERT_NE(rs, 0u);
    EXPECT_EQ(gesetzt().size(), 1u) << "held while the dialog is open";
    EXPECT_EQ(feldText(), "Halo Welt");
    SetDlgItemText(rs, 3010, "Hallo");
    SendMessage(rs, WM_COMMAND, 2500, 0);
    EXPECT_EQ(gesetzt(), (V{"TFA Hallo Welt", "TFA Hallo Welt"})) << "the corrected text";
    EXPECT_EQ(wiDlgSuchen("RSCHREIB"), 0u);
    EXPECT_EQ(feldText(), "");
    EXPECT_EQ(EingabeRsWartet(), 0);

    // Typed with its command: checked, the dialog cancelled, the text goes
    // as typed.
    EingabeAbschicken(0);
    EXPECT_EQ(EingabeAusfuehren("TFA Halo"), 1);
    rs = wiDlgSuchen("RSCHREIB");
    ASSERT_NE(rs, 0u);
    EXPECT_EQ(gesetzt().size(), 2u);
    SendMessage(rs, WM_COMMAND, 2501, 0);
    EXPECT_EQ(gesetzt().back(), "TFA Halo");
    EXPECT_EQ(wiDlgSuchen("RSCHREIB"), 0u);

    EingabeAbschicken(0);
    EingabeAusfuehren("TSA");
    EXPECT_EQ(tippen("Halo"), 1);
    EXPECT_EQ(wiDlgSuchen("RSCHREIB"), 0u) << "an S text names a block";
    EXPECT_EQ(gesetzt().back(), "TSA Halo");

    EdtMenueBefehl(1099);
    pumpen();
    EXPECT_EQ(RsFeldAnzahl(), 0) << "the closed page's text is gone";
    oeffnen();
    EXPECT_EQ(RsFeldAnzahl(), 1);
}

// TBD shows a section of "Toolbar.txt" as the top bar; _FCS gives the focus
// to a slot of the focus ring.
TEST_F(EdtSeite, TbdReplacesTheTopBarAndFcsMovesTheFocus)
{
    // The shipped toolbar file in a program folder of the test's own.
    const std::string programm = VerZeiger(0);
    std::filesystem::copy_file(std::string(VELMO_SOURCE_DIR) + "/data/Toolbar.txt", o.pfad("Toolbar.txt"));
    VerSetzen(0, o.p.c_str());
    oeffnen();
    pumpen();
    auto befehle = [] {
        std::vector<std::string> v;
        for (const LeisteEintrag& e : LeisteEintraege(LEISTE_OBEN)) v.push_back(e.befehl);
        return v;
    };
    const std::vector<std::string> vorher = befehle();
    for (const char* abschnitt : {"EditStart", "EditOben"}) {
        BEF b{};
        b.code = static_cast<uint8_t>(BefCode("TBD"));
        BefTextSetzen(&b, abschnitt);
        EXPECT_EQ(BefRahmen(&b), 1);
        char pfad[300];
        PfadBilden(0, "Toolbar.txt", nullptr, pfad);
        std::vector<LeisteEintrag> soll;
        ASSERT_GT(LeisteLesen(pfad, abschnitt, LEISTE_OBEN, LeisteMasse{}, &soll), 0) << abschnitt;
        std::vector<std::string> s;
        for (const LeisteEintrag& e : soll) s.push_back(e.befehl);
        EXPECT_EQ(befehle(), s) << abschnitt;
    }
    EXPECT_EQ(befehle(), vorher) << "EditOben is the bar of these settings";
    BEF f{};
    f.code = static_cast<uint8_t>(BefCode("_FCS"));
    f.iarg[0] = 1;
    EXPECT_EQ(BefRahmen(&f), 1);
    EXPECT_EQ(FokusAktuell(), 1);
    EXPECT_EQ(GetFocus(), GetDlgItem(EdtFenster(), 5020)) << "the input line";
    VerSetzen(0, programm.c_str());
}

// The model's calls reach the editor once its modules registered: the
// status line, the recent files, the name and the save question of the
// document, the editor's current state.
TEST_F(EdtSeite, EditorHooksReachTheEditor)
{
    EdProtokollStarten();
    BefAusfHakenSetzen();
    ZeiHakenSetzen();
    EdMeldHakenSetzen();
    EdtHakenSetzen();
    modh::StatusTextf("Hallo %d", 1);
    EXPECT_STREQ(StatusLetzterText(), "Hallo 1");
    DateiHistorieMerken("/tmp/a/Plan.001");
    char n[ZEINAMSUP + 1] = "";
    modh::ZuletztGeoeffnet(0, n, sizeof n);
    EXPECT_STREQ(n, "/tmp/a/Plan.001");
    EXPECT_EQ(modh::EditorZeiName(), ZeiName());
    EXPECT_EQ(modh::EditorZustand(), BefAktZustand());
    aendern();
    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDCANCEL);
    EXPECT_EQ(modh::ZeiFrageSpeichern(), 0) << "cancelled";
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].text, "\xC4nderungen speichern?");
    TzGeaendertReset();
}

}  // namespace

namespace {

HWND hinweisFeld = 0;

// The page hands the pointer to the hint window: resting on a bar entry
// shows its hint after the pause; closing the page takes it away.
TEST_F(EdtSeite, TheHintFollowsThePagesPointer)
{
    oeffnen();
    hinweisFeld = GetDlgItem(EdtFenster(), 5010);
    ASSERT_NE(hinweisFeld, 0u);
    HinweisQuelle q;
    q.leisteIndex = [](HWND f) { return f == hinweisFeld ? 0 : -1; };
    q.leisteTip = [](int, RECT* r, char* text, size_t kap, int* leiste) {
        GetWindowRect(hinweisFeld, r);
        std::snprintf(text, kap, "Linie");
        *leiste = 0;
        return 0;
    };
    HinweisQuelleSetzen(q);
    pumpen();  // the commands of the opening first: a command drops a pending hint
    SendMessage(EdtFenster(), WM_SETCURSOR, static_cast<WPARAM>(hinweisFeld), 0);
    EXPECT_EQ(HinweisArt(), 0);
    plHeadlessZeitVor(700);
    pumpen();
    EXPECT_NE(HinweisFenster(), 0u);
    EdtMenueBefehl(1099);
    pumpen();
    EXPECT_EQ(EdtFenster(), 0u);
    EXPECT_EQ(HinweisFenster(), 0u);
    HinweisQuelleSetzen(HinweisQuelle{});
}

}  // namespace
