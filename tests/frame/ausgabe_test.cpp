// Where a new user's output goes and what the program says about it, on the
// real frame driven headless by the clicks and keys a user gives: the
// evaluation dialog's "Starten" says which files it wrote into which
// folder; a PDF file in the project folder is listed on the project page
// with its name and marked as a PDF, never as a sheet without a name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "frame/modus.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;
using namespace seitepruef;

namespace {

std::string ausgabeBoxen()
{
    std::string s;
    for (const plNachrichtBoxFrage& b : plNachrichtBoxFragen()) s += "[" + b.titel + "] " + b.text + "\n";
    return s;
}

size_t ausgabeZeilen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    size_t n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

// What the project page's list display is told to paint.
std::vector<std::string> ausgabeGemalt;
WNDPROC ausgabeAltListe = nullptr;
LRESULT CALLBACK ausgabeListeProz(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_SETTEXT && lp) ausgabeGemalt.emplace_back(reinterpret_cast<const char*>(lp));
    return CallWindowProc(ausgabeAltListe, h, m, wp, lp);
}

class AusgabeRahmen : public DemoSeite {
protected:
    const fs::path bilder = fs::read_symlink("/proc/self/exe").parent_path();
};

}  // namespace

// The evaluation page's "Definition" button, then "Starten" in the dialog:
// a box names the folder and the result file with its line count.
TEST_F(AusgabeRahmen, EvaluationStartenSaysWhatItWroteWhere)
{
    ModusUmschalten(MODUS_AUS);
    pumpen();
    HWND seite = rahmenSeite(MODUS_AUS);
    ASSERT_NE(seite, 0u);
    klick(seite, 1520);  // the toolbar's "Auswertung definieren"
    HWND dlg = wiDlgSuchen("AUSWERTEN");
    ASSERT_NE(dlg, 0u);
    plNachrichtBoxFragenLeeren();
    klick(dlg, 2500);  // "Starten"
    EXPECT_EQ(wiDlgSuchen("AUSWERTEN"), 0u) << "closed: Schliessen is checked";
    const fs::path ergebnis = fs::path(demo.projekt()) / "Betriebsmittel.txt";
    ASSERT_TRUE(fs::exists(ergebnis)) << ausgabeBoxen();
    const size_t n = ausgabeZeilen(ergebnis);
    ASSERT_GT(n, 50u);
    const auto& b = plNachrichtBoxFragen();
    ASSERT_EQ(b.size(), 1u) << ausgabeBoxen();
    EXPECT_EQ(b[0].text, "Auswertung \"Betriebsmittelliste\" fertig:\n1 Datei in " + demo.projekt() +
                             "/ geschrieben:\nBetriebsmittel.txt (" + std::to_string(n) + " Zeilen)");
    EXPECT_NE(b[0].typ & MB_ICONINFORMATION, 0u);
    EXPECT_EQ(b[0].titel, "Auswerten");

    // Run again: the file is rewritten, and said so again.
    plNachrichtBoxFragenLeeren();
    klick(seite, 1520);
    dlg = wiDlgSuchen("AUSWERTEN");
    ASSERT_NE(dlg, 0u);
    klick(dlg, 2500);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u) << ausgabeBoxen();
    EXPECT_NE(plNachrichtBoxFragen()[0].text.find("Betriebsmittel.txt ("), std::string::npos);
}

// A PDF file in the project folder (F5 refreshes): its row carries "PDF"
// in the name column and its file name, and it is no drawing.
TEST_F(AusgabeRahmen, APdfInTheProjectFolderIsListedWithItsNameNotAsANamelessSheet)
{
    const fs::path pdf = fs::path(demo.projekt()) / "Ausgabe.pdf";
    std::ofstream(pdf, std::ios::binary) << "%PDF-1.4\n%%EOF\n";
    HWND seite = rahmenSeite(MODUS_PVW);
    ASSERT_NE(seite, 0u);
    HWND liste = GetDlgItem(seite, 3000);
    ASSERT_NE(liste, 0u);
    const int zeichnungen = PvwZeiAnzahl();
    ausgabeGemalt.clear();
    ausgabeAltListe = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(liste, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ausgabeListeProz)));
    SetFocus(liste);
    taste(VK_END);
    taste(VK_F5);
    pumpen();
    SetWindowLongPtr(liste, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ausgabeAltListe));
    EXPECT_EQ(PvwZeiAnzahl(), zeichnungen) << "a PDF file is no drawing";
    const int letzte = PvwAnzahl() - 1;
    char name[PVWNAMESUP + 1] = "";
    ASSERT_EQ(PvwEintragName(letzte, name), 2) << "the last row is the PDF file";
    bool mitName = false, alsPdf = false;
    for (const std::string& befehle : ausgabeGemalt) {
        std::istringstream ein(befehle);
        for (std::string t; std::getline(ein, t);) {
            mitName |= t.find("Ausgabe.pdf") != std::string::npos;
            // "ltext x y <text>": the row's texts as drawn
            alsPdf |= t.rfind("ltext", 0) == 0 && t.size() >= 3 && t.compare(t.size() - 3, 3, "PDF") == 0;
        }
    }
    EXPECT_TRUE(mitName);
    EXPECT_TRUE(alsPdf) << "the name column says PDF";
    plHeadlessPng(seite, (bilder / "frame_ausgabe_pdfzeile.png").c_str());
}

// "Alle Listen aktualisieren", "Starten": one box for the whole run, the
// results of the lists with their line counts in the folder they went to.
TEST_F(AusgabeRahmen, AllListsStartenSaysWhatTheyWroteWhere)
{
    ModusUmschalten(MODUS_AUS);
    pumpen();
    HWND seite = rahmenSeite(MODUS_AUS);
    ASSERT_NE(seite, 0u);
    klick(seite, 1523);  // the toolbar's "Alle Listen aktualisieren"
    HWND dlg = wiDlgSuchen("AUSWERTALLE");
    ASSERT_NE(dlg, 0u);
    plNachrichtBoxFragenLeeren();
    klick(dlg, 2500);
    pumpen();
    // The lists' own messages first (missing articles), then the one box.
    ASSERT_FALSE(plNachrichtBoxFragen().empty());
    const std::string t = plNachrichtBoxFragen().back().text;
    EXPECT_EQ(t.substr(0, t.find('\n')), "2 Listen ausgewertet:") << ausgabeBoxen();
    EXPECT_EQ(plNachrichtBoxFragen().back().titel, "Alle Listen aktualisieren");
    EXPECT_NE(t.find(" in " + demo.projekt() + "/ geschrieben:"), std::string::npos) << t;
    const fs::path bm = fs::path(demo.projekt()) / "Betriebsmittel.txt";
    if (fs::exists(bm)) {
        EXPECT_NE(t.find("Betriebsmittel.txt (" + std::to_string(ausgabeZeilen(bm)) + " Zeilen)"), std::string::npos) << t;
    }
}
