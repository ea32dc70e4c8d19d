// The browser window on a library of K1, K2 and M1, driven as a user would:
// mark "K*" through MARKIEREN, delete through LOESCHEN, rename M1 through
// UMBENENNEN, export K1 as drawing and import it again through ZEICHIMPORT,
// drop a second library onto the window; the library checked by its
// BauPruefen report after each step. Also the guards and refusals.
#include <filesystem>

#include "controls/ctlkern.h"
#include "editdlg/bautwork.h"
#include "output/tbar.h"
#include "winlib/tbarhaken.h"
#include "platform/ablegen.h"
#include "platform/dateidialog.h"
#include "platform/headless.h"
#include "tests/editdlg/bautpruef.h"
#include "tests/platform/golden_pruef.h"
#include "tests/winlib/dlgpruef.h"
#include "winlib/dlgitem.h"

namespace {

struct BautFensterTest : dlgpruef::Fixture {
    bautpruef::BautHilfe b;
    std::string bib;
    void SetUp() override
    {
        Fixture::SetUp();
        FreeLibrary(anwDaten()->instanz);
        anwDaten()->instanz = LoadLibrary("velmo");
        ctlKlassenAbmelden();
        ASSERT_EQ(ctlKlassenAnmelden(), 0);
        b.start();
        bib = b.kopie("BAUTEILE.L10", "BAUTEILE.L10");
        b.dazu(bib, {"K1", "K2"});
        b.meldungen();
    }
    void TearDown() override
    {
        b.ende();
        Fixture::TearDown();
        ctlKlassenAbmelden();
    }
    HWND oeffnen(const std::string& pfad)
    {
        HWND f = BautOeffnen(pfad.c_str());
        dlgpruef::pumpe();
        return f;
    }
    // A command of the window, as its menu or toolbar gives it.
    void befehl(int id)
    {
        PostMessage(BautFenster(), WM_COMMAND, static_cast<WPARAM>(id), 0);
        dlgpruef::pumpe();
    }
    // The text of the window's list rows.
    std::vector<std::string> liste()
    {
        std::vector<std::string> v;
        wiDlgBetreten(BautFenster());
        for (int i = 0; i < wiListeAnzahl(3100); ++i) {
            char t[100];
            wiListeText(3100, i, t);
            v.push_back(t);
        }
        wiDlgVerlassen();
        return v;
    }
    std::vector<int> markiert()
    {
        std::vector<int> v;
        wiDlgBetreten(BautFenster());
        for (int i = 0; i < wiListeAnzahl(3100); ++i)
            if (wiListeMarkiert(3100, i)) v.push_back(i);
        wiDlgVerlassen();
        return v;
    }
    std::string feld(HWND d, int id)
    {
        char t[300];
        wiDlgBetreten(d);
        wiTextHolen(id, t, 299);
        wiDlgVerlassen();
        return t;
    }
    // Types into a field of a dialog and clicks its OK (id 1).
    void eingeben(const char* dlg, int id, const char* text, bool ok = true)
    {
        HWND d = wiDlgSuchen(dlg);
        ASSERT_NE(d, 0u) << dlg;
        wiDlgBetreten(d);
        SetFocus(wiItem(id));
        wiTextSetzen(id, "");
        wiDlgVerlassen();
        plHeadlessText(text);
        dlgpruef::pumpe();
        if (ok) {
            PostMessage(d, WM_COMMAND, 1, 0);
            dlgpruef::pumpe();
        }
    }
};

TEST_F(BautFensterTest, OpensTheLibraryAndShowsItsFields)
{
    HWND f = oeffnen(bib);
    ASSERT_NE(f, 0u);
    EXPECT_EQ(liste(), (std::vector<std::string>{" K1", " K2", " M1"}));
    char titel[120];
    GetWindowText(f, titel, sizeof titel);
    ASSERT_LE(bib.size(), 40u);
    EXPECT_EQ(titel, "Velmo - " + bib);
    EXPECT_EQ(feld(f, 3200), "3 Stk");
    EXPECT_EQ(feld(f, 3202), "Version 10");
    EXPECT_EQ(feld(f, 3203), bib);
}

// The toolbar of section "Bauteil" of the shipped "Toolbar.txt": every
// operation without a menu gets its button.
TEST_F(BautFensterTest, ToolbarCarriesEveryOperation)
{
    VerSetzen(0, VELMO_SOURCE_DIR "/data/");
    TbarHakenEintragen();
    ToolbarBibLaden();
    HWND f = oeffnen(bib);
    for (int id : {1000, 1001, 1002, 1020, 1021, 1022, 1100, 1101, 1110, 1120, 1121, 1130}) {
        HWND k = GetDlgItem(f, id);
        EXPECT_TRUE(k != 0 && IsWindowVisible(k)) << id;
    }
    wiDlgSchliessen();
    ToolbarBibFrei();
    wiTbarHakenZuruecksetzen();
}

// The search button and typing in the list find the first name beginning
// with the text; Backspace takes a letter back.
TEST_F(BautFensterTest, SearchFieldAndTypingInTheList)
{
    b.dazu(bib, {"K10", "M2"});  // K1 K10 K2 M1 M2
    oeffnen(bib);
    wiDlgBetreten(BautFenster());
    wiTextSetzen(3010, " m2 ");
    wiDlgVerlassen();
    befehl(2510);
    EXPECT_EQ(markiert(), std::vector<int>{4});
    wiDlgBetreten(BautFenster());
    SetFocus(wiItem(3100));
    wiDlgVerlassen();
    const struct {
        UINT taste;
        std::vector<int> markiert;
        std::string feld;
    } faelle[] = {{'K', {0}, "K"}, {'2', {2}, "K2"}, {VK_BACK, {0}, "K"}, {'1', {0}, "K1"}, {'0', {1}, "K10"}};
    for (const auto& f : faelle) {
        plHeadlessTaste(f.taste);
        dlgpruef::pumpe();
        EXPECT_EQ(markiert(), f.markiert) << f.feld;
        EXPECT_EQ(feld(BautFenster(), 3010), f.feld);
    }
}

TEST_F(BautFensterTest, MarkDeleteRenameExportImportAndDrop)
{
    oeffnen(bib);
    befehl(1130);
    eingeben("MARKIEREN", 3000, "k*", false);
    EXPECT_EQ(markiert(), (std::vector<int>{0, 1}));
    PostMessage(wiDlgSuchen("MARKIEREN"), WM_COMMAND, 1, 0);
    dlgpruef::pumpe();

    // Delete: K2 deselected in the dialog, K1 goes.
    befehl(1101);
    HWND d = wiDlgSuchen("LOESCHEN");
    ASSERT_NE(d, 0u);
    wiDlgBetreten(d);
    EXPECT_EQ(wiListeAnzahl(3000), 2);
    wiListeMarkSetzen(3000, 1, 0);
    wiDlgVerlassen();
    PostMessage(d, WM_COMMAND, 1, 0);
    dlgpruef::pumpe();
    EXPECT_EQ(liste(), (std::vector<std::string>{" K2", " M1"}));

    // Rename M1 (marked alone) to M9.
    wiDlgBetreten(BautFenster());
    wiListeMarkSetzen(3100, 0, 0);
    wiListeMarkSetzen(3100, 1, 1);
    wiDlgVerlassen();
    befehl(1100);
    ASSERT_NE(wiDlgSuchen("UMBENENNEN"), 0u);
    EXPECT_EQ(feld(wiDlgSuchen("UMBENENNEN"), 3001), "M1");
    eingeben("UMBENENNEN", 3001, "m9");
    EXPECT_EQ(wiDlgSuchen("UMBENENNEN"), 0u);
    EXPECT_EQ(liste(), (std::vector<std::string>{" K2", " M9"}));

    // Export K2 as drawing, import it again as K3 (the proposal is K2).
    wiDlgBetreten(BautFenster());
    wiListeMarkSetzen(3100, 1, 0);
    wiListeMarkSetzen(3100, 0, 1);
    wiDlgVerlassen();
    const std::string z = b.o / "k2.z";
    plDateiDialogAntwort(z.c_str());
    befehl(1121);
    ASSERT_TRUE(std::filesystem::exists(z));
    plDateiDialogAntwort(z.c_str());
    befehl(1120);
    EXPECT_EQ(feld(wiDlgSuchen("ZEICHIMPORT"), 3010), "K2");
    eingeben("ZEICHIMPORT", 3010, "K2");  // in use: the dialog stays
    EXPECT_EQ(b.meldungen(), std::vector<std::string>{"Bauteilname bereits verwendet."});
    eingeben("ZEICHIMPORT", 3010, "k3");
    EXPECT_EQ(wiDlgSuchen("ZEICHIMPORT"), 0u);
    EXPECT_EQ(liste(), (std::vector<std::string>{" K2", " K3", " M9"}));
    EXPECT_TRUE(golden::text(std::string(VELMO_TEST_DATA) + "/editdlg/fenster.txt", b.bericht(bib)));

    // A second library dropped onto the window opens.
    const std::string zweite = b.kopie("BAUTEILE.L6", "BAUTEILE.L6");
    RECT r{};
    GetWindowRect(BautFenster(), &r);
    ASSERT_EQ(plAblegenDateien(r.left + 40, r.top + 80, {zweite}), BautFenster());
    dlgpruef::pumpe();
    EXPECT_EQ(liste(), std::vector<std::string>{" M1"});
    EXPECT_EQ(feld(BautFenster(), 3202), "Version 6");
    EXPECT_TRUE(b.meldungen().empty());
}

// An old library asks before it is converted; "no" lists nothing and every
// change is refused, "yes" converts it in place.
TEST_F(BautFensterTest, OldLibraryIsConvertedOnlyWhenTheUserAgrees)
{
    const std::string alt = b.kopie("BAUTEILE.AL3", "BAUTEILE.AL3");
    const std::string vorher = mtLesen(alt);
    plNachrichtBoxAntwort(IDNO);
    oeffnen(alt);
    EXPECT_EQ(b.meldungen().at(0).substr(0, 12), "Alte Version");
    EXPECT_TRUE(liste().empty());
    befehl(1101);
    EXPECT_EQ(b.meldungen(), std::vector<std::string>{"Alte Version\nVer\xE4nderungen sind nicht m\xF6glich."});
    EXPECT_EQ(mtLesen(alt), vorher);

    plNachrichtBoxAntwort(IDYES);
    oeffnen(alt);
    EXPECT_EQ(liste(), (std::vector<std::string>{" K1", " MOTOR"}));
    EXPECT_EQ(feld(BautFenster(), 3202), "Version 6");
    EXPECT_EQ(b.meldungen().back(), "Die Bauteildatei ist umgewandelt.");
}

TEST_F(BautFensterTest, GuardsAndRefusals)
{
    oeffnen(b.o / "TEILE.L10");  // not a library name
    EXPECT_EQ(b.meldungen(), std::vector<std::string>{"Der Dateiname muss von der Form BAUTEILE.??? sein."});
    EXPECT_TRUE(liste().empty());
    char titel[120];
    GetWindowText(BautFenster(), titel, sizeof titel);
    EXPECT_STREQ(titel, "Velmo - Bauteile");
    const struct {
        int befehl;
        const char* meldung;
    } faelle[] = {{1101, "Keine Bauteildatei geladen."}, {1022, "Keine Bauteildatei geladen."}};
    for (const auto& f : faelle) {
        befehl(f.befehl);
        EXPECT_EQ(b.meldungen(), std::vector<std::string>{f.meldung});
    }
    oeffnen(bib);
    befehl(1101);  // nothing marked
    EXPECT_EQ(b.meldungen(), std::vector<std::string>{"Kein Bauteil selektiert."});

    // A library in the shipped-data folder is listed but never changed.
    const std::string std = b.kopie("BAUTEILE.L10", "programm/BAUTEILE.STD");
    oeffnen(std);
    EXPECT_EQ(liste(), std::vector<std::string>{" M1"});
    wiDlgBetreten(BautFenster());
    wiListeMarkSetzen(3100, 0, 1);
    wiDlgVerlassen();
    const std::string vorher = mtLesen(std);
    befehl(1101);
    EXPECT_EQ(b.meldungen(), std::vector<std::string>{"Bauteildatei ist schreibgesch\xFCtzt."});
    EXPECT_EQ(wiDlgSuchen("LOESCHEN"), 0u);
    EXPECT_EQ(mtLesen(std), vorher);
}

}  // namespace
