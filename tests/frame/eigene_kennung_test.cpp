// Identifiers of a project of the user's own (not the demo): a folder made
// from the shipped defaults with equipment use switched on, definitions of
// its own and the sample's sheet; no identifier template is configured.
// Driven on the real frame, headless, as a user does: a symbol placed from
// the input line becomes a numbered device whose identifier is drawn at
// the symbol; an identifier typed on the equipment page shows there on
// screen, in the PDF, SVG and DXF export and after the sheet is read again;
// symbols placed before their device can be assigned later.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editdlg/zuordnung.h"
#include "editor/edmeld.h"
#include "editor/edtseite.h"
#include "editor/zeidok.h"
#include "equipment/app.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/wse.h"
#include "lists/bmlbearb.h"
#include "equipment/nhuliste.h"
#include "frame/modus.h"
#include "model/dienste.h"
#include "model/tempzeic.h"
#include "output/dxfexp.h"
#include "output/ansicht.h"
#include "output/element.h"
#include "output/pdfexport.h"
#include "output/svg.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "project/export.h"
#include "project/pvwliste.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

std::string ekLesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// The texts the screen device is given while the view repaints.
std::vector<std::string>& ekMitschrift()
{
    static std::vector<std::string> t;
    return t;
}

std::vector<std::string> ekSchirmTexte()
{
    ELEMGERAET* g = ElemBildschirm();
    auto alt = g->textZeile;
    auto altKlein = g->zuKlein;
    g->textZeile = [](void*, double, double, const char* t, int) { ekMitschrift().push_back(t); };
    g->zuKlein = nullptr;
    ekMitschrift().clear();
    HWND ansicht = GetDlgItem(EdtFenster(), 5000);
    InvalidateRect(ansicht, nullptr, TRUE);
    UpdateWindow(ansicht);
    g->textZeile = alt;
    g->zuKlein = altKlein;
    return ekMitschrift();
}

bool ekGezeigt(const std::vector<std::string>& texte, const std::string& t)
{
    return std::find(texte.begin(), texte.end(), t) != texte.end();
}

std::string ekAlle(const std::vector<std::string>& texte)
{
    std::string s;
    for (const std::string& t : texte) s += "[" + t + "]";
    return s;
}

// The shipped defaults with equipment use switched on and the shipped
// library named, everything else as shipped (no identifier template).
std::string ekVorgaben()
{
    const std::string s = ekLesen(fs::path(VELMO_SOURCE_DIR) / "data" / "Standard.vgb");
    std::string aus;
    for (size_t a = 0; a < s.size();) {
        size_t e = s.find('\n', a);
        if (e == std::string::npos) e = s.size();
        std::string zeile = s.substr(a, e - a);
        a = e + 1;
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        const std::string schluessel = zeile.substr(0, zeile.find_first_of(" \t"));
        if (schluessel == "BMuse") zeile = "BMuse           1";
        if (schluessel == "ZvBD") zeile = "ZvBD            STD";
        aus += zeile + "\r\n";
    }
    return aus;
}

class EigeneKennung : public ::testing::Test {
protected:
    DemoKopie wurzel;  // for the shipped library beside the project
    fs::path projekt, vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        projekt = fs::path(wurzel.wurzel()) / "Anlage";
        fs::create_directories(projekt);
        const fs::path muster = fs::path(VELMO_SOURCE_DIR) / "data" / "Muster";
        fs::copy_file(muster / "Muster.01", projekt / "Anlage.01");
        fs::copy_file(muster / "Projekt.zvk", projekt / "Projekt.zvk");
        std::ofstream(projekt / "Standard.vgb", std::ios::binary) << ekVorgaben();
        std::ofstream(projekt / "BMListe.txt", std::ios::binary)
            << "H ~LS3~LS-Schalter~-Q^~Leitungsschutzschalter~0~LS C16 3-polig~LS~~~~0~\r\n"
               "H ~SPULE~Schuetz~-K^~Leistungsschuetz~0~3 kW 230 V~SK~~~~0~\r\n"
               "  Ua ~HAUPTKONTAKT~Hauptkontakte~~HK~\r\n"
               "  Ub ~SCHLIESSER~Schliesser~~13-14~\r\n";
        std::ofstream(fs::path(wurzel.wurzel()) / "befehle.txt") << "open " + (projekt / "Anlage.01").string() + "\n";
        rahmenUmgebung(wurzel.wurzel());
        vorher = fs::current_path();
        fs::current_path(wurzel.wurzel());
        rahmenStarten(args, argv, {"-W=1", "-A=befehle.txt", "Anlage"});
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        plNachrichtBoxFragenLeeren();
        rahmenZeichnungBearbeiten("Anlage.01");
        ASSERT_EQ(Modus(), MODUS_EDIT);
        ASSERT_EQ(AppAktiv(), 1) << "the project's equipment use switches linking on";
    }
    void TearDown() override
    {
        rahmenBeenden();
        fs::current_path(vorher);
    }
    // A click into the middle of a control of the equipment page.
    static void seitenKlick(int id)
    {
        ASSERT_NE(GetDlgItem(BmlFenster(), id), 0u) << id;
        rahmenKlicken(BmlFenster(), id);
    }
    static std::vector<std::string> seitenZeilen()
    {
        std::vector<std::string> z;
        wiDlgBetreten(BmlFenster());
        for (int i = 0; i < wiListeAnzahl(3100); ++i) {
            char t[300] = "";
            wiListeText(3100, i, t);
            z.emplace_back(t, strnlen(t, 80));
        }
        wiDlgVerlassen();
        return z;
    }
    // A click on row `n` of the page's item list.
    static void zeileKlicken(int n)
    {
        rahmenZeileKlicken(GetDlgItem(BmlFenster(), 3100), n);
    }
    // The sheet saved as a user saves it (Ctrl+S on the drawing).
    static void speichern()
    {
        SetFocus(GetDlgItem(EdtFenster(), 5000));
        plHeadlessTasteRunter(VK_CONTROL);
        plHeadlessTaste('S');
        plHeadlessTasteHoch(VK_CONTROL);
        rahmenPumpen();
    }
    static std::string kennung(uint32_t id)
    {
        char k[64] = "";
        modh::BMKennungHolen(k, sizeof k, id);
        return k;
    }
};

// Placed symbols become devices numbered by their letter, each drawn with
// its identifier; no template is needed for that.
TEST_F(EigeneKennung, PlacedSymbolsAreNumberedAndShowTheirIdentifiers)
{
    eingabeZeile("BW 60 150");
    eingabeZeile("ZB LS3");
    eingabeZeile("BW 60 0");
    eingabeZeile("ZB SPULE");
    eingabeZeile("BW 60 0");
    eingabeZeile("ZB LS3");
    ASSERT_EQ(GesAnzahl(), 3) << StatusLetzterText();
    EXPECT_EQ(kennung(1), "-Q1");
    EXPECT_EQ(kennung(2), "-K1");
    EXPECT_EQ(kennung(3), "-Q2");
    const std::vector<std::string> texte = ekSchirmTexte();
    for (const char* k : {"-Q1", "-K1", "-Q2"}) EXPECT_TRUE(ekGezeigt(texte, k)) << k << " " << ekAlle(texte);
    EXPECT_TRUE(ekGezeigt(texte, "Leitungsschutzschalter")) << ekAlle(texte);
}

// An identifier typed on the equipment page (and saved there) is the one
// drawn at the symbol: on screen, in the PDF, SVG and DXF export of the
// saved sheet and after the sheet is read again. The page's first filter
// ("Standard") shows the contactor's row with its identifier and text.
TEST_F(EigeneKennung, AnIdentifierTypedOnThePageShowsWhereverTheSheetIsDrawn)
{
    eingabeZeile("BW 60 150");
    eingabeZeile("ZB LS3");
    eingabeZeile("BW 60 0");
    eingabeZeile("ZB SPULE");
    ASSERT_EQ(GesAnzahl(), 2) << StatusLetzterText();
    ASSERT_TRUE(menueWaehlen(1353));  // "Betriebsmittel"
    ASSERT_EQ(Modus(), MODUS_BML) << rahmenLetzteMeldung();
    std::vector<std::string> zeilen = seitenZeilen();
    ASSERT_EQ(zeilen.size(), 1u) << "\"Standard\": the item with sub components";
    EXPECT_EQ(zeilen[0].rfind("-K1", 0), 0u) << zeilen[0];
    EXPECT_NE(zeilen[0].find("Leistungsschuetz"), std::string::npos) << zeilen[0];
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    plHeadlessPng(anwHauptfenster(), (neben / "frame_eigene_kennung_seite.png").c_str());
    seitenKlick(3120);  // "Alle"
    zeilen = seitenZeilen();
    ASSERT_EQ(zeilen.size(), 2u);
    int q = -1;
    for (size_t i = 0; i < zeilen.size(); ++i)
        if (zeilen[i].rfind("-Q1", 0) == 0) q = static_cast<int>(i);
    ASSERT_GE(q, 0) << zeilen[0] << "|" << zeilen[1];
    zeileKlicken(q);
    rahmenEintippen(BmlFenster(), 3070, "-Q7");
    seitenKlick(2502);  // "Speichern"
    EXPECT_EQ(kennung(1), "-Q7");

    ModusUmschalten(MODUS_EDIT);
    rahmenPumpen();
    ASSERT_EQ(Modus(), MODUS_EDIT);
    std::vector<std::string> texte = ekSchirmTexte();
    EXPECT_TRUE(ekGezeigt(texte, "-Q7")) << ekAlle(texte);
    EXPECT_TRUE(ekGezeigt(texte, "-K1")) << ekAlle(texte);
    appbteil h{};
    ASSERT_EQ(BtlSuchen(1, "H", 0, &h), 1);
    AnsichtZoomRechteck(h.x - 30, h.y - 40, h.x + 110, h.y + 30);
    rahmenPumpen();
    plHeadlessPng(anwHauptfenster(), (neben / "frame_eigene_kennung_blatt.png").c_str());

    speichern();
    const fs::path blatt = projekt / "Anlage.01";
    const fs::path aus = fs::path(wurzel.wurzel()) / "aus";
    fs::create_directories(aus);
    ASSERT_EQ(PdfExportStart((aus / "blatt.pdf").c_str()), 1);
    ASSERT_EQ(PdfSeite(blatt.c_str()), 0);
    ASSERT_EQ(PdfExportEnde(), 0);
    ASSERT_EQ(std::system(("pdftotext '" + (aus / "blatt.pdf").string() + "' '" + (aus / "blatt.txt").string() + "'").c_str()), 0);
    const std::string pdf = ekLesen(aus / "blatt.txt");
    EXPECT_NE(pdf.find("-Q7"), std::string::npos) << pdf;
    EXPECT_NE(pdf.find("-K1"), std::string::npos) << pdf;
    ASSERT_EQ(SvgExport(blatt.c_str(), (aus / "blatt.svg").c_str()), 0);
    EXPECT_NE(ekLesen(aus / "blatt.svg").find(">-Q7<"), std::string::npos);
    ASSERT_EQ(DxfExport((aus / "blatt.dxf").c_str(), blatt.c_str()), 0);
    EXPECT_NE(ekLesen(aus / "blatt.dxf").find("\n-Q7\r\n"), std::string::npos);
    if (const char* ziel = std::getenv("VELMO_BILD_KENNUNG")) fs::copy_file(aus / "blatt.pdf", ziel, fs::copy_options::overwrite_existing);

    // Read again: the references in the sheet still name the identifiers.
    EditorMitDatei(blatt.c_str());
    rahmenPumpen();
    texte = ekSchirmTexte();
    EXPECT_TRUE(ekGezeigt(texte, "-Q7")) << ekAlle(texte);
}

// A symbol placed while linking was off, and a contact placed before its
// coil, are offered for assignment by "Zuweisen > Hauptbauteile..." and
// "> Unterbauteile...": the breaker becomes a device; the contact is
// placed as the contactor's sub component and leaves the not-assigned list.
TEST_F(EigeneKennung, SymbolsPlacedBeforeTheirDeviceCanBeAssignedLater)
{
    AppAktivSetzen(0);
    eingabeZeile("BW 60 150");
    eingabeZeile("ZB LS3");
    AppAktivSetzen(1);
    ASSERT_EQ(GesAnzahl(), 0);
    ASSERT_TRUE(menueWaehlen(1350));  // "Zuweisen > Hauptbauteile..."
    rahmenPumpen();
    ASSERT_EQ(GesAnzahl(), 1) << "one definition: assigned at once " << StatusLetzterText();
    EXPECT_EQ(kennung(1), "-Q1");
    EXPECT_TRUE(ekGezeigt(ekSchirmTexte(), "-Q1"));

    eingabeZeile("BW 60 0");
    eingabeZeile("ZB SCHLIESSER");
    ASSERT_EQ(WseAnzahl(), 1) << "the contact is known only as a part of a definition";
    eingabeZeile("BW 60 0");
    eingabeZeile("ZB SPULE");
    ASSERT_EQ(GesAnzahl(), 2);
    ASSERT_TRUE(menueWaehlen(1352));  // "Zuweisen > Unterbauteile..."
    rahmenPumpen();
    HWND d = wiDlgSuchen("DB1352");
    ASSERT_NE(d, 0u) << StatusLetzterText();
    EXPECT_EQ(WseAnzahl(), 0) << "taken out of the not-assigned list";
    const fs::path neben = fs::read_symlink("/proc/self/exe").parent_path();
    plHeadlessPng(d, (neben / "frame_eigene_kennung_db1352.png").c_str());
    // The contactor is the only item with a free contact: selected; its
    // free contact is the selected component row.
    rahmenKlicken(d, 2500);
    appbteil e{};
    ASSERT_EQ(BtlFreieSuchen(2, "", -1, "SCHLIESSER", &e), 0) << "the contact is placed";
    EXPECT_EQ(WseAnzahl(), 0);
    EXPECT_TRUE(ekGezeigt(ekSchirmTexte(), "-K1"));
}


}  // namespace
