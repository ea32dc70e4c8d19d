// Equipment assignment in the running frame on a working copy of the demo
// project, driven as a user does: with linking on, a motor placed by the
// input line waits in the main-assignment window because two definitions
// use its component; the user picks the second and confirms, the item is
// created and the window closes; the next motor opens it again. A sign of
// one definition is assigned without asking and labelled in its window;
// the catalogue places it again by a double click. Undo and redo take a
// waiting placement away and bring it back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editdlg/popup.h"
#include "editdlg/zuordnung.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/zeidok.h"
#include "equipment/app.h"
#include "equipment/definier.h"
#include "equipment/ges.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "platform/accel.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "project/pvwliste.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

class BetrMit : public ::testing::Test {
protected:
    DemoKopie demo;
    fs::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    // Two definitions of the project use the demo's motor symbol M1.
    virtual std::string definitionen() const
    {
        return "H ~M1~Motor Pumpe~-M^~~0~~MP~~~~0~\r\n"
               "H ~M1~Motor Luefter~-M^~~0~~ML~~~~0~\r\n"
               "H ~SCHILD3~Schild~-S^~~0~~SC~~~~0~\r\n";
    }
    void SetUp() override
    {
        std::ofstream(fs::path(demo.projekt()) / "BMListe.txt") << definitionen();
        std::ofstream(fs::path(demo.wurzel()) / "befehle.txt") << "open " + demo.projekt() + "/HV1.08\n";
        rahmenUmgebung(demo.wurzel());
        vorher = fs::current_path();
        fs::current_path(demo.wurzel());
        rahmenStarten(args, argv, {"-W=1", "-A=befehle.txt", "Projekt"});
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        rahmenBeenden();
        fs::current_path(vorher);
    }
    // The command file's sheet, once the project page shows it, edited by
    // Ctrl+B from the drawing list.
    static void editorAuf() { rahmenZeichnungBearbeiten("HV1.08"); }
    // The sign, assigned at once, placed beside the sheet's start with linking on.
    static void schildSetzen()
    {
        editorAuf();
        ASSERT_EQ(Modus(), MODUS_EDIT);
        ASSERT_EQ(AppAktiv(), 1);
        HbzImmerFragenSetzen(0);
        eingabeZeile("BW 80 0");
        eingabeZeile("ZB SCHILD3");
    }
    static bool textGezeichnet(const char* text)
    {
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT st;
            if (TzObjHolen(id, &b, &st) == 0 && b.code >= 50 && b.code <= 57 && std::string(b.text) == text) return true;
        }
        return false;
    }
    static void klicken(HWND d, int id)
    {
        RECT r;
        GetWindowRect(GetDlgItem(d, id), &r);
        plHeadlessKlick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        rahmenPumpen();
    }
};

TEST_F(BetrMit, APlacedMotorIsAssignedInTheWindow)
{
    editorAuf();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    ASSERT_EQ(DefAnzahl(), 3) << "the project's definitions";
    ASSERT_EQ(AppAktiv(), 1) << "the project's equipment use switches linking on";
    HbzImmerFragenSetzen(0);
    const int vorher = GesAnzahl();

    eingabeZeile("ZB M1");
    HWND d = wiDlgSuchen("DB1350");
    ASSERT_NE(d, 0u) << StatusLetzterText();
    EXPECT_EQ(HbzGeladen(), 1);
    HWND liste = GetDlgItem(d, 3100);
    ASSERT_EQ(SendMessage(liste, LB_GETCOUNT, 0, 0), 2);
    rahmenZeileKlicken(liste, 1);
    char typ[40] = "";
    GetDlgItemText(d, 3010, typ, sizeof typ);
    EXPECT_STREQ(typ, "Motor Luefter");
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(plHeadlessPng(d, (neben / "frame_db1350.png").c_str()), 0);
    klicken(d, 2500);
    EXPECT_EQ(GesAnzahl(), vorher + 1);
    EXPECT_EQ(HbzGeladen(), 0);
    EXPECT_EQ(wiDlgSuchen("DB1350"), 0u) << "the empty queue closes the window";

    // A second motor beside it waits in the window again.
    eingabeZeile("BW 40 0");
    eingabeZeile("ZB M1");
    EXPECT_EQ(HbzGeladen(), 1) << StatusLetzterText();
    EXPECT_NE(wiDlgSuchen("DB1350"), 0u);
    SendMessage(wiDlgSuchen("DB1350"), WM_COMMAND, 2501, 0);
    rahmenPumpen();
}

// A sign used by one definition is assigned at once; its label
// placeholders wait in the labelling window, where the user types "K1".
TEST_F(BetrMit, ASignIsAssignedAtOnceAndItsLabelTypedInTheWindow)
{
    editorAuf();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    ASSERT_EQ(AppAktiv(), 1);
    HbzImmerFragenSetzen(0);
    const int vorher = GesAnzahl();
    eingabeZeile("BW 80 0");
    eingabeZeile("ZB SCHILD3");
    EXPECT_EQ(GesAnzahl(), vorher + 1) << StatusLetzterText();
    EXPECT_EQ(wiDlgSuchen("DB1350"), 0u) << "one definition: no question";
    HWND d = wiDlgSuchen("DB1354");
    ASSERT_NE(d, 0u);
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    klicken(d, 3000);
    plHeadlessText("K1");
    rahmenPumpen();
    EXPECT_EQ(plHeadlessPng(d, (neben / "frame_db1354.png").c_str()), 0);
    klicken(d, 2500);
    rahmenPumpen();
    EXPECT_TRUE(textGezeichnet("K1")) << "the label is drawn";
    if (HWND offen = wiDlgSuchen("DB1354")) SendMessage(offen, WM_CLOSE, 0, 0);
    rahmenPumpen();

    // The catalogue (menu item 1240): the recently used sign placed again
    // by a double click in its list.
    modh::DBDialogOeffnen(1240);
    rahmenPumpen();
    HWND k = wiDlgSuchen("DB1240");
    ASSERT_NE(k, 0u);
    HWND liste = GetDlgItem(k, 3100);
    ASSERT_GE(SendMessage(liste, LB_GETCOUNT, 0, 0), 1) << "\"Eingetragen\" lists the sign";
    char name[40] = "";
    SendMessage(liste, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "SCHILD3");
    EXPECT_EQ(plHeadlessPng(k, (neben / "frame_db1240.png").c_str()), 0);
    eingabeZeile("BW 40 0");
    const int objekte = TzAnzahl();
    RECT r;
    SendMessage(liste, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(liste, &p);
    plHeadlessKlick(p.x, p.y);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    EXPECT_GT(TzAnzahl(), objekte) << StatusLetzterText();

    // The palette (menu item 1205) shows the same sign on its first button.
    modh::DBDialogOeffnen(1205);
    rahmenPumpen();
    HWND palette = wiDlgSuchen("DB1205");
    ASSERT_NE(palette, 0u);
    EXPECT_EQ(plHeadlessPng(palette, (neben / "frame_db1205.png").c_str()), 0);

    // Resting on that button shows its hint below its lower right corner;
    // its menu's "Vorschau" draws the component under the hint; leaving
    // the button takes both away.
    HWND knopf = GetDlgItem(palette, 2600);
    RECT kr;
    GetWindowRect(knopf, &kr);
    plHeadlessMausBewegen((kr.left + kr.right) / 2, (kr.top + kr.bottom) / 2);
    rahmenPumpen();
    HWND hinweis = PopupHinweisFenster();
    ASSERT_NE(hinweis, 0u);
    EXPECT_TRUE(IsWindowVisible(hinweis));
    char text[100] = "";
    GetWindowText(hinweis, text, sizeof text);
    EXPECT_EQ(std::string(text).rfind("SCHILD3", 0), 0u) << text;
    RECT hr;
    GetWindowRect(hinweis, &hr);
    EXPECT_EQ(hr.top, kr.bottom);
    EXPECT_EQ(hr.right, kr.right);
    plMenueAntwort(2510);
    plHeadlessKlick((kr.left + kr.right) / 2, (kr.top + kr.bottom) / 2, 1);
    rahmenPumpen();
    EXPECT_EQ(PopupVorschauGezeigt(), 1);
    EXPECT_TRUE(IsWindowVisible(hinweis)) << "the hint stays over the preview";
    EXPECT_EQ(plHeadlessPng(palette, (neben / "frame_db1205_hinweis.png").c_str()), 0);
    RECT pr;
    GetWindowRect(palette, &pr);
    plHeadlessMausBewegen(pr.left + 4, pr.bottom - 4);
    rahmenPumpen();
    EXPECT_FALSE(IsWindowVisible(hinweis));
    EXPECT_EQ(PopupVorschauGezeigt(), 0);
}

// Undo takes a waiting placement away with its symbol and closes the
// window; redo brings both back.
TEST_F(BetrMit, UndoAndRedoTakeTheWaitingRowAwayAndBringItBack)
{
    editorAuf();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    ASSERT_EQ(AppAktiv(), 1);
    HbzImmerFragenSetzen(0);
    const int objekte = TzAnzahl();
    eingabeZeile("ZB M1");
    ASSERT_EQ(HbzGeladen(), 1);
    ASSERT_NE(wiDlgSuchen("DB1350"), 0u);
    eingabeZeile("UDO");
    EXPECT_EQ(TzAnzahl(), objekte);
    EXPECT_EQ(HbzGeladen(), 0);
    EXPECT_EQ(wiDlgSuchen("DB1350"), 0u);
    eingabeZeile("RDO");
    EXPECT_EQ(TzAnzahl(), objekte + 1);
    EXPECT_EQ(HbzGeladen(), 1);
    EXPECT_NE(wiDlgSuchen("DB1350"), 0u);
}

// Undo of a confirmed assignment takes the item away and brings the
// waiting row back; redo confirms it again. A later placement is undone
// alone: the item stays and no row waits.
TEST_F(BetrMit, UndoOfAConfirmedAssignmentBringsTheRowBack)
{
    editorAuf();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    HbzImmerFragenSetzen(0);
    const int vorher = GesAnzahl();
    eingabeZeile("ZB M1");
    HWND d = wiDlgSuchen("DB1350");
    ASSERT_NE(d, 0u) << StatusLetzterText();
    const int mitSymbol = TzAnzahl();
    klicken(d, 2500);
    ASSERT_EQ(GesAnzahl(), vorher + 1);
    ASSERT_EQ(HbzGeladen(), 0);
    ASSERT_GT(TzAnzahl(), mitSymbol) << "the item's texts are drawn";

    eingabeZeile("UDO");
    EXPECT_EQ(GesAnzahl(), vorher) << "the item goes";
    EXPECT_EQ(TzAnzahl(), mitSymbol) << "its texts go with it, in one step";
    EXPECT_EQ(HbzGeladen(), 1) << "the row waits again";
    EXPECT_NE(wiDlgSuchen("DB1350"), 0u);
    eingabeZeile("RDO");
    EXPECT_EQ(GesAnzahl(), vorher + 1);
    EXPECT_EQ(HbzGeladen(), 0);
    EXPECT_EQ(wiDlgSuchen("DB1350"), 0u);

    const int objekte = TzAnzahl();
    eingabeZeile("BW 60 0");
    eingabeZeile("ZB M1");
    ASSERT_EQ(HbzGeladen(), 1);
    eingabeZeile("UDO");
    EXPECT_EQ(TzAnzahl(), objekte) << "the second motor goes";
    EXPECT_EQ(GesAnzahl(), vorher + 1) << "the confirmed item stays";
    EXPECT_EQ(HbzGeladen(), 0) << "no row waits";
    EXPECT_EQ(wiDlgSuchen("DB1350"), 0u);
}

// Confirming a label is one undo step: undo takes the label and what the
// confirmation wrote for the item back together; the sign and its item stay.
TEST_F(BetrMit, UndoTakesAConfirmedLabelBackInOneStep)
{
    schildSetzen();
    if (HasFatalFailure()) return;
    HWND d = wiDlgSuchen("DB1354");
    ASSERT_NE(d, 0u) << StatusLetzterText();
    const int objekte = TzAnzahl();
    const int geraete = GesAnzahl();
    klicken(d, 3000);
    plHeadlessText("K1");
    rahmenPumpen();
    klicken(d, 2500);
    ASSERT_TRUE(textGezeichnet("K1"));

    eingabeZeile("UDO");
    EXPECT_FALSE(textGezeichnet("K1"));
    EXPECT_EQ(TzAnzahl(), objekte) << "the whole confirmation in one step";
    EXPECT_EQ(GesAnzahl(), geraete) << "the sign's item stays";
    eingabeZeile("RDO");
    EXPECT_TRUE(textGezeichnet("K1"));
}

// A sign whose definition holds a lamp: the lamp placed beside it waits in
// the sub-assignment window; confirming it draws the lamp's two texts, and
// one undo takes the placement and both texts back.
class BetrMitLampe : public BetrMit {
protected:
    std::string definitionen() const override
    {
        return "H ~SCHILD3~Schild~-S^~~0~~SC~~~~0~\r\n"
               "  Ua ~LAMPE~Lampe~~k~~~\r\n";
    }
};

TEST_F(BetrMitLampe, UndoTakesAConfirmedSubPlacementBackInOneStep)
{
    schildSetzen();
    if (HasFatalFailure()) return;
    if (HWND offen = wiDlgSuchen("DB1354")) SendMessage(offen, WM_CLOSE, 0, 0);
    rahmenPumpen();
    eingabeZeile("BW 0 -40");
    eingabeZeile("ZB LAMPE");
    HWND d = wiDlgSuchen("DB1352");
    ASSERT_NE(d, 0u) << StatusLetzterText();
    if (HWND offen = wiDlgSuchen("DB1354")) SendMessage(offen, WM_CLOSE, 0, 0);
    rahmenPumpen();
    HWND liste = GetDlgItem(d, 3100);
    HWND ok = GetDlgItem(d, 2500);
    for (int i = 0; i < SendMessage(liste, LB_GETCOUNT, 0, 0) && !IsWindowEnabled(ok); ++i) rahmenZeileKlicken(liste, i);
    ASSERT_TRUE(IsWindowEnabled(ok)) << "the sign's item offers the lamp's entry";
    const int mitSymbol = TzAnzahl();
    klicken(d, 2500);
    ASSERT_GE(TzAnzahl(), mitSymbol + 2) << "the lamp's two texts are drawn";

    eingabeZeile("UDO");
    EXPECT_EQ(TzAnzahl(), mitSymbol) << "both texts go in one step";
    EXPECT_EQ(UbzGeladen(), 1) << "the row waits again";
}

}  // namespace
