// The editor page in the running frame on the headless backend over a
// working copy of the demo project: a demo sheet opened in the editor and
// drawn, the picture kept beside the test program for a look.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/zeidok.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "platform/accel.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "model/befehl.h"
#include "model/tempzeic.h"
#include "model/undo.h"
#include "model/zeichnun.h"
#include "output/gdi.h"
#include "project/pvwliste.h"
#include "platform/dateidialog.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/eingabe.h"
#include "platform/nachrichtbox.h"
#include "platform/nachricht.h"
#include "tests/platform/golden_pruef.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

std::string popupBild;

// Saves the picture of the popup menu that opens over this window.
LRESULT CALLBACK popupProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_INITMENUPOPUP) PostMessage(h, WM_USER + 1, 0, 0);
    if (m == WM_USER + 1) {
        UpdateWindow(plMenuePopupFenster(0));
        EXPECT_EQ(plHeadlessPng(plMenuePopupFenster(0), popupBild.c_str()), 0);
        plHeadlessTaste(VK_ESCAPE);
    }
    return DefWindowProc(h, m, wp, lp);
}

class Editor : public ::testing::Test {
protected:
    DemoKopie demo;
    fs::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    // The command-line words of the start.
    virtual std::vector<std::string> woerter() { return {"-W=1", "Projekt"}; }

    void SetUp() override
    {
        rahmenUmgebung(demo.wurzel());
        vorher = fs::current_path();
        fs::current_path(demo.wurzel());
        rahmenStarten(args, argv, woerter());
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        plNachrichtBoxFragenLeeren();
    }

    void TearDown() override
    {
        rahmenBeenden();
        fs::current_path(vorher);
    }
};

TEST_F(Editor, ADemoSheetOpensAndIsDrawn)
{
    const std::string plan = demo.projekt() + "/HV1.08";
    EditorMitDatei(plan.c_str());
    plHeadlessPumpen();
    ASSERT_NE(EdtFenster(), 0u);
    EXPECT_EQ(Modus(), MODUS_EDIT);
    EXPECT_GT(TzAnzahl(), 0) << "the sheet's objects are in the store";
    EXPECT_NE(std::string(ZeiName()).find("HV1.08"), std::string::npos) << ZeiName();
    // The view shows more than its background.
    HWND v = GetDlgItem(EdtFenster(), 5000);
    RECT r;
    GetClientRect(v, &r);
    const COLORREF grund = plFensterPixel(v, 1, 1);
    int anders = 0;
    for (int y = 0; y < r.bottom; y += 2)
        for (int x = 0; x < r.right; x += 2) anders += plFensterPixel(v, x, y) != grund;
    EXPECT_GT(anders, 500);
    const fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "frame_editor_demo.png";
    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), bild.c_str()), 0);
}

// Another sheet edited from the project page while the editor page is open
// (hidden, and so disabled, by the switch): the page shown again takes input.
TEST_F(Editor, ASecondSheetFromTheProjectPageFindsThePageEnabled)
{
    EditorMitDatei((demo.projekt() + "/HV1.08").c_str());
    plHeadlessPumpen();
    const HWND seite = EdtFenster();
    ASSERT_NE(seite, 0u);
    ModusUmschalten(MODUS_PVW);
    plHeadlessPumpen();
    EXPECT_FALSE(IsWindowEnabled(seite));
    EditorMitDatei((demo.projekt() + "/HV1.01").c_str());
    plHeadlessPumpen();
    ASSERT_EQ(EdtFenster(), seite) << "the open page is used again";
    EXPECT_TRUE(IsWindowVisible(seite));
    EXPECT_TRUE(IsWindowEnabled(seite));
    EXPECT_NE(std::string(ZeiName()).find("HV1.01"), std::string::npos) << ZeiName();
}

// A user's way through the editor, by keys and the input line only: the
// command file's open selects the demo's drawing sheet "Plan.001", Ctrl+B
// edits it, the demo macro draws, Speichern writes it, typed commands draw,
// undo and redo, a missing component is said so, Ctrl+N starts a new
// drawing saved as "Neu.001", and the recent-file item opens the sheet
// again. The project uses no equipment data in this run: with it, a new
// drawing is made through the project page instead.
class EditorLauf : public Editor {
protected:
    std::vector<std::string> woerter() override
    {
        const fs::path w(demo.wurzel());
        std::ofstream(w / "befehle.txt") << "open " + demo.projekt() + "/Plan.001\n";
        const std::string vgb = demo.datei("Standard.vgb");
        std::ifstream ein(vgb, std::ios::binary);
        std::string t((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
        ein.close();
        const size_t k = t.find("BMuse           1");
        EXPECT_NE(k, std::string::npos);
        if (k != std::string::npos) t[k + 16] = '0';
        std::ofstream(vgb, std::ios::binary) << t;
        return {"-W=1", "-A=befehle.txt", "Projekt"};
    }
    // The frame's own loop body: accelerators, then the dialogs' keyboard
    // interface, then dispatch, until nothing is waiting.
    void schleife()
    {
        MSG m;
        for (int i = 0; i < 100000 && PeekMessage(&m, 0, 0, 0, PM_REMOVE); ++i) {
            if (TranslateAccelerator(anwHauptfenster(), anwDaten()->accel, &m)) continue;
            if (wiDlgNachricht(&m)) continue;
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    }
    void tippen(const char* zeile)
    {
        HWND feld = GetDlgItem(EdtFenster(), 5020);
        SetFocus(feld);
        SetWindowText(feld, "");  // a status text may stand there
        plHeadlessText(zeile);
        plHeadlessTaste(VK_RETURN);
        schleife();
    }
    void strg(UINT taste)
    {
        plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste(taste);
        plHeadlessTasteHoch(VK_CONTROL);
        schleife();
    }
    // The drawing in text form.
    std::string alsText(const std::string& zeichnung)
    {
        const std::string text = (fs::path(demo.wurzel()) / "zeichnung.txt").string();
        EXPECT_EQ(ZeiAlsText(zeichnung.c_str(), text.c_str()), 0);
        std::ifstream ein(text, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
    }
    // The newest object of the store as "code x y".
    static std::string letztes()
    {
        int id = -1;
        for (int n = TzNaechstes(-1); n < TZENDE; n = TzNaechstes(n)) id = n;
        BEF b;
        STT s;
        if (id < 0 || TzObjHolen(id, &b, &s) != 0) return "";
        char t[80];
        std::snprintf(t, sizeof t, "%s %g %g", BefName(b.code), b.darg[0], b.darg[1]);
        return t;
    }
};

TEST_F(EditorLauf, OpenDrawUndoRedoSaveAndReopen)
{
    for (int i = 0; i < 50 && std::string(PvwAktZeichnung()).find("Plan.001") == std::string::npos; ++i) {
        plHeadlessZeitVor(500);
        plHeadlessPumpen();
    }
    ASSERT_NE(std::string(PvwAktZeichnung()).find("Plan.001"), std::string::npos) << PvwAktZeichnung();
    SetFocus(GetDlgItem(rahmenSeite(MODUS_PVW), 3000));  // the drawing list of the project page
    strg('B');
    ASSERT_NE(EdtFenster(), 0u);
    EXPECT_EQ(Modus(), MODUS_EDIT);
    const std::string plan = std::string(ZeiName());
    ASSERT_NE(plan.find("Plan.001"), std::string::npos) << plan;
    const int anfang = TzAnzahl();
    ASSERT_GT(anfang, 0);

    // The demo macro: lines, two texts, the component M1, a loop.
    tippen("MAC Demo");
    EXPECT_EQ(TzAnzahl(), anfang + 8) << StatusLetzterText();
    SendMessage(anwHauptfenster(), WM_COMMAND, 1004, 0);
    schleife();
    EXPECT_FALSE(ZeiIstGeaendert());
    const std::string soll = (fs::path(VELMO_TEST_DATA) / "editor" / "Plan.txt").string();
    const std::string gespeichert = alsText(plan);
    EXPECT_TRUE(golden::text(soll, gespeichert));

    // Undo and redo of a typed line: the store and the journal.
    const int gesichert = TzAnzahl();
    tippen("ZL 20 0");
    EXPECT_EQ(TzAnzahl(), gesichert + 1);
    EXPECT_EQ(letztes(), "ZL 20 0");
    EXPECT_TRUE(ZeiIstGeaendert());
    EXPECT_EQ(UndoVerfuegbar(1), 0);
    tippen("UDO");
    EXPECT_EQ(TzAnzahl(), gesichert);
    EXPECT_NE(letztes(), "ZL 20 0");
    EXPECT_GT(UndoVerfuegbar(1), 0) << "the journal holds the step for redo";
    tippen("RDO");
    EXPECT_EQ(TzAnzahl(), gesichert + 1);
    EXPECT_EQ(letztes(), "ZL 20 0");
    EXPECT_EQ(UndoVerfuegbar(1), 0);
    EXPECT_GT(UndoVerfuegbar(0), 0);
    tippen("ZB XX");
    EXPECT_STREQ(StatusLetzterText(), "Bauteil XX nicht gefunden.");
    EXPECT_EQ(TzAnzahl(), gesichert + 1);
    tippen("NIX 1");  // no command: it stays in the field
    char feld[200] = "";
    GetWindowText(GetDlgItem(EdtFenster(), 5020), feld, sizeof feld);
    EXPECT_STREQ(feld, "NIX 1");

    // Ctrl+N: No drops the change; the new drawing is saved under a name
    // the file dialog gives.
    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDNO);
    strg('N');
    EXPECT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(TzAnzahl(), 0);
    EXPECT_STREQ(ZeiName(), "");
    tippen("ZL 10 10");
    const std::string neu = demo.datei("Neu.001");
    plDateiDialogFragenLeeren();
    plDateiDialogAntwort(neu.c_str());
    SendMessage(anwHauptfenster(), WM_COMMAND, 1004, 0);
    schleife();
    EXPECT_EQ(plDateiDialogFragen().size(), 1u);
    EXPECT_EQ(std::string(ZeiName()), neu);
    EXPECT_FALSE(ZeiIstGeaendert());
    EXPECT_NE(alsText(neu).find("ZL 10,0000 10,0000"), std::string::npos);

    // The second recent drawing is the sheet, as it was saved.
    SendMessage(anwHauptfenster(), WM_COMMAND, ZEIHISTID + 1, 0);
    schleife();
    EXPECT_EQ(std::string(ZeiName()), plan);
    EXPECT_EQ(TzAnzahl(), gesichert) << "the saved objects came back, the unsaved line did not";
    EXPECT_FALSE(ZeiIstGeaendert());
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), (neben / "frame_editor_lauf.png").c_str()), 0);

    // The file menu lists the sheet among the recent drawings, above "Beenden".
    HMENU datei = GetSubMenu(GetMenu(anwHauptfenster()), 0);
    int zuletzt = -1, beenden = -1;
    for (int p = 0; p < GetMenuItemCount(datei); ++p) {
        if (static_cast<int>(GetMenuItemID(datei, p)) == ZEIHISTID) zuletzt = p;
        if (GetMenuItemID(datei, p) == 1998) beenden = p;
    }
    EXPECT_GE(zuletzt, 0);
    EXPECT_LT(zuletzt, beenden);
    WNDCLASS wc{};
    wc.lpfnWndProc = popupProc;
    wc.lpszClassName = "EditorMenueBild";
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND h = CreateWindow("EditorMenueBild", "Bild", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 600, 500, 0, 0, 0, nullptr);
    popupBild = (neben / "frame_editor_datei.png").string();
    TrackPopupMenu(datei, TPM_RETURNCMD, 100, 80, 0, h, nullptr);
    DestroyWindow(h);
    EXPECT_TRUE(fs::exists(popupBild));
}

// The mouse on the real page, with the shipped key file: a click sets the
// cursor, two Shift+clicks draw a line and leave the next one under
// construction, a Shift+click on its start cancels that one; Ctrl+Z and
// Ctrl+Y take the line back and forth; the saved sheet reopens from the
// recent list with the same objects. A component placed at a click is
// marked by a right-button rectangle and dragged by its insertion point.
class EditorMaus : public EditorLauf {
protected:
    HWND ansicht() { return editorAnsicht(); }
    POINT punkt(double x, double y) { return editorPunkt(x, y); }
    void klick(double x, double y, bool shift = false) { editorKlick(x, y, shift); }
    void ziehen(double x1, double y1, double x2, double y2, int knopf)
    {
        const POINT a = punkt(x1, y1), b = punkt(x2, y2);
        plHeadlessZiehen(a.x, a.y, b.x, b.y, knopf, 6);
        schleife();
        plHeadlessZeitVor(1000);
        schleife();
    }
    // The objects of the store as "code x y dx dy" (position before each).
    static std::vector<std::string> objekte()
    {
        std::vector<std::string> v;
        for (int n = TzNaechstes(-1); n < TZENDE; n = TzNaechstes(n)) {
            BEF b;
            STT st;
            if (TzObjHolen(n, &b, &st) != 0) continue;
            char t[120];
            std::snprintf(t, sizeof t, "%s %g %g %g %g", BefName(b.code), st.x, st.y, b.darg[0], b.darg[1]);
            v.push_back(t);
        }
        return v;
    }
    // The position before the newest object of a code.
    static bool stelle(const char* name, double* x, double* y)
    {
        bool da = false;
        for (int n = TzNaechstes(-1); n < TZENDE; n = TzNaechstes(n)) {
            BEF b;
            STT st;
            if (TzObjHolen(n, &b, &st) == 0 && std::string(BefName(b.code)) == name) {
                *x = st.x;
                *y = st.y;
                da = true;
            }
        }
        return da;
    }
};

TEST_F(EditorMaus, ClicksDrawUndoSaveReopenPlaceMarkAndDrag)
{
    for (int i = 0; i < 50 && std::string(PvwAktZeichnung()).find("Plan.001") == std::string::npos; ++i) {
        plHeadlessZeitVor(500);
        plHeadlessPumpen();
    }
    SetFocus(GetDlgItem(rahmenSeite(MODUS_PVW), 3000));
    strg('B');
    ASSERT_NE(EdtFenster(), 0u);
    const std::string plan = ZeiName();
    ASSERT_NE(plan.find("Plan.001"), std::string::npos) << plan;
    const int anfang = TzAnzahl();

    klick(100, 100);
    EXPECT_EQ(GetFocus(), ansicht()) << "a press takes the keyboard to the drawing";
    EXPECT_DOUBLE_EQ(BefAktZustand()->x, 100);
    EXPECT_DOUBLE_EQ(BefAktZustand()->y, 100);
    klick(40, 120, true);
    EXPECT_TRUE(BaubfAktiv()) << "the first Shift+click starts a line";
    EXPECT_EQ(TzAnzahl(), anfang);
    klick(80, 130, true);
    ASSERT_EQ(TzAnzahl(), anfang + 1);
    EXPECT_EQ(objekte().back(), "ZL 40 120 40 10");
    EXPECT_TRUE(BaubfAktiv()) << "the next line follows from the second point";
    EXPECT_EQ(BaubfCode(), 40);
    klick(80, 130, true);
    EXPECT_FALSE(BaubfAktiv()) << "a Shift+click on its start cancels it";
    EXPECT_EQ(TzAnzahl(), anfang + 1);

    // Ctrl+Z and Ctrl+Y of the key file, typed on the drawing.
    SetFocus(ansicht());
    strg('Z');
    EXPECT_EQ(TzAnzahl(), anfang);
    EXPECT_GT(UndoVerfuegbar(1), 0);
    strg('Y');
    ASSERT_EQ(TzAnzahl(), anfang + 1);
    EXPECT_EQ(UndoVerfuegbar(1), 0);
    EXPECT_EQ(objekte().back(), "ZL 40 120 40 10");

    // Speichern, then the newest recent drawing: the same objects.
    const std::vector<std::string> gespeichert = objekte();
    strg('S');
    EXPECT_FALSE(ZeiIstGeaendert());
    SendMessage(anwHauptfenster(), WM_COMMAND, ZEIHISTID, 0);
    schleife();
    EXPECT_EQ(std::string(ZeiName()), plan);
    EXPECT_EQ(objekte(), gespeichert);
    const std::string soll = (fs::path(VELMO_TEST_DATA) / "editor" / "PlanMaus.txt").string();
    const std::string text = alsText(plan);
    EXPECT_TRUE(golden::text(soll, text));

    // The demo component at a clicked point.
    klick(150, 60);
    tippen("ZB M1");
    double x = 0, y = 0;
    ASSERT_TRUE(stelle("ZB", &x, &y)) << StatusLetzterText();
    EXPECT_DOUBLE_EQ(x, 150);
    EXPECT_DOUBLE_EQ(y, 60);
    const int mitBauteil = TzAnzahl();
    ziehen(125, 85, 175, 30, 1);
    EXPECT_GE(TzMarkAnzahl(), 1) << "the right-button rectangle marks it";
    ziehen(150, 60, 170, 40, 0);
    ASSERT_TRUE(stelle("ZB", &x, &y));
    EXPECT_DOUBLE_EQ(x, 170);
    EXPECT_DOUBLE_EQ(y, 40);
    EXPECT_EQ(TzAnzahl(), mitBauteil);
    tippen("UDO");
    ASSERT_TRUE(stelle("ZB", &x, &y));
    EXPECT_DOUBLE_EQ(x, 150) << "one undo takes the whole drag back";
    EXPECT_DOUBLE_EQ(y, 60);
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), (neben / "frame_editor_maus.png").c_str()), 0);
}

}  // namespace
