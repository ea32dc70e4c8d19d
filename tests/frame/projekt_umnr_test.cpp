// Renaming, renumbering, creating and deleting drawings on the project page
// of the real frame, headless, over a working copy of the demo cut to twelve
// drawings under two subtitles, with its equipment and translated texts and
// one drawing whose file name is cased unlike the others. Driven by the
// keys and clicks a user gives; the project's files, the drawing keys of the
// equipment and text files and "Inhalt.txt" end equal to golden results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "controls/lisanzeige.h"
#include "frame/anw.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "project/pvwliste.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "tests/platform/golden_pruef.h"
#include "tests/tools/demokopie.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

using namespace seitepruef;

std::vector<std::string> zeilen(const std::string& t)
{
    std::vector<std::string> z;
    std::stringstream s(t);
    for (std::string l; std::getline(s, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        z.push_back(l);
    }
    return z;
}

std::vector<std::string> felder(const std::string& z)
{
    std::vector<std::string> f;
    std::string t;
    for (char c : z) {
        if (c == '\x1c') {
            f.push_back(t);
            t.clear();
        } else {
            t += c;
        }
    }
    f.push_back(t);
    return f;
}

std::string gross(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The page's rows as the list shows them: headings as "# <title>", drawings
// by name.
std::vector<std::string> seitenZeilen()
{
    std::vector<std::string> z;
    for (int i = 0; i < PvwAnzahl(); ++i) {
        const PvwEintrag* e = PvwEintragAdr(i);
        if (e->art == PVW_UNTERTITEL)
            z.push_back(std::string("# ") + e->utitel);
        else if (e->art == PVW_ZEICHNUNG)
            z.push_back(e->name);
    }
    return z;
}

class ProjektUmnr : public ::testing::Test {
protected:
    DemoKopie demo;
    fs::path vorher;
    fs::path projekt;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        const fs::path w = demo.wurzel();
        projekt = w / "Projekt";
        rahmenOrdnerEinrichten(w);
        // Two subtitles instead of six: the project record and the numbered
        // ones stay.
        std::string titel;
        for (const std::string& z : zeilen(lesen(projekt / "Projekt.zvk"))) {
            if (z == ")S Kennung") {
                titel += "01\x1c" "Allgemein\x1c\x1c\n07\x1c" "Antriebe\x1c\x1c\n";
            }
            const std::string kenn = felder(z)[0];
            if (z.find('\x1c') != std::string::npos && kenn.rfind("__", 0) != 0) continue;
            titel += z + "\n";
        }
        std::ofstream(projekt / "Projekt.zvk", std::ios::binary) << titel;
        // The run works on the HV1 drawings alone; the editor's plain sheet
        // would head a group of its own.
        fs::remove(projekt / "Plan.001");
        // Files renamed by hand: the references keep their upper case. Page
        // 10 becomes "A10" in the references and "a10" on disk.
        fs::rename(projekt / "HV1.08", projekt / "hv1.08");
        fs::rename(projekt / "HV1.10", projekt / "HV1.a10");
        std::string bm, abschnitt;
        for (const std::string& z : zeilen(lesen(projekt / "BMittel.zvk"))) {
            if (z.rfind(")S ", 0) == 0) abschnitt = z.substr(3);
            std::vector<std::string> f = felder(z);
            if (abschnitt != "Btl" || f.size() <= 10 || f[10] != "10") {
                bm += z + "\n";
                continue;
            }
            f[10] = "A10";
            std::string neu;
            for (size_t i = 0; i < f.size(); ++i) neu += (i ? "\x1c" : "") + f[i];
            bm += neu + "\n";
        }
        std::ofstream(projekt / "BMittel.zvk", std::ios::binary) << bm;
        std::string texte;
        for (const std::string& z : zeilen(lesen(projekt / "Texte.zvk")))
            texte += (z.rfind("S\x1c" "10-", 0) == 0 ? "S\x1c" "A10-" + z.substr(5) : z) + "\n";
        std::ofstream(projekt / "Texte.zvk", std::ios::binary) << texte;
        vorher = fs::current_path();
        fs::current_path(w);
    }

    void TearDown() override
    {
        rahmenBeenden(vorher);
    }

    void starten()
    {
        rahmenStarten(args, argv, {"-W=1", "Projekt"});
        if (HasFatalFailure()) return;
        pumpen();
        plNachrichtBoxFragenLeeren();
    }

    // Every drawing key of the equipment placements and the translated
    // sheet texts, upper case.
    std::set<std::string> schluessel() const
    {
        std::set<std::string> s;
        std::string abschnitt;
        for (const std::string& z : zeilen(lesen(projekt / "BMittel.zvk"))) {
            if (z.rfind(")S ", 0) == 0) abschnitt = z.substr(3);
            const std::vector<std::string> f = felder(z);
            if (abschnitt == "Btl" && f.size() > 10) s.insert(gross(f[10]));
        }
        for (const std::string& z : zeilen(lesen(projekt / "Texte.zvk"))) {
            const std::vector<std::string> f = felder(z);
            if (f.size() > 1 && f[0] == "S") s.insert(gross(f[1].substr(0, f[1].find('-'))));
        }
        return s;
    }

    std::set<std::string> seiten() const
    {
        std::set<std::string> s;
        for (const auto& e : fs::directory_iterator(projekt)) {
            const std::string n = e.path().filename().string();
            if (gross(n).rfind("HV1.", 0) == 0) s.insert(gross(n.substr(4)));
        }
        return s;
    }
};

// "Eigenschaften..." from the row's context menu: a new page typed over
// the shown one, Enter saves and closes.
void seiteAendern(const char* zeichnung, const char* seite, const char* neu)
{
    zeileWaehlen(zeichnung);
    kontext(4);
    HWND dlg = wiDlgSuchen("ZeiEigen");
    ASSERT_NE(dlg, 0u) << zeichnung;
    EXPECT_EQ(feld(dlg, 3001), seite);
    tippen(dlg, 3001, neu);
    taste(VK_RETURN);
    EXPECT_EQ(wiDlgSuchen("ZeiEigen"), 0u) << rahmenLetzteMeldung();
}

TEST_F(ProjektUmnr, RenameRenumberNewAndDeleteThroughTheDialogs)
{
    starten();
    ASSERT_FALSE(HasFatalFailure());
    using V = std::vector<std::string>;
    // A page with a letter sorts before the numbers, above every heading.
    V soll = {"HV1.a10", "# Allgemein", "HV1.01", "HV1.02", "HV1.03", "HV1.04",    "HV1.05", "HV1.06", "# Antriebe",
              "HV1.07",  "hv1.08",      "HV1.09", "HV1.11", "HV1.12", "HV1.13", "HV1.14",    "HV1.15"};
    ASSERT_EQ(seitenZeilen(), soll);

    // The last three marked with Shift+Down and deleted (Del, "Löschen").
    zeileWaehlen("HV1.13");
    mit(VK_SHIFT, VK_DOWN, 2);
    EXPECT_EQ(PvwAnzMarkiert(), 3);
    taste(VK_DELETE);
    HWND dlg = wiDlgSuchen("ZeiLoesch");
    ASSERT_NE(dlg, 0u);
    klick(dlg, 2500);
    EXPECT_EQ(wiDlgSuchen("ZeiLoesch"), 0u);
    EXPECT_EQ(PvwZeiAnzahl(), 12);

    // Ctrl+N after the last one proposes the next number; Enter creates it
    // and the cursor stands on it.
    zeileWaehlen("HV1.12");
    mit(VK_CONTROL, 'N');
    dlg = wiDlgSuchen("ZeiAnlegen");
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(feld(dlg, 3010), "13");
    taste(VK_RETURN);
    EXPECT_EQ(wiDlgSuchen("ZeiAnlegen"), 0u);
    EXPECT_STREQ(PvwCursorName(), "HV1.13");
    EXPECT_EQ(cursorEintrag(), "HV1.13");

    // "Eigenschaften...": HV1.05 gets page 20; the hand-renamed page "a10",
    // referenced as "A10", gets page 21.
    seiteAendern("HV1.05", "05", "20");
    seiteAendern("HV1.a10", "a10", "21");

    // "Umnummerieren...": HV1.07 to HV1.09 (the hand-renamed one between)
    // from page 30 on.
    zeileWaehlen("HV1.07");
    mit(VK_SHIFT, VK_DOWN, 2);
    EXPECT_EQ(PvwAnzMarkiert(), 3);
    kontext(12);
    dlg = wiDlgSuchen("ZeiUmnr");
    ASSERT_NE(dlg, 0u);
    EXPECT_EQ(feld(dlg, 3010), "HV1.07");
    EXPECT_EQ(feld(dlg, 3020), "HV1.09");
    plHeadlessTaste(VK_END);
    for (int i = 0; i < 10; ++i) plHeadlessTaste(VK_BACK);
    plHeadlessText("30");
    taste(VK_RETURN);
    EXPECT_EQ(wiDlgSuchen("ZeiUmnr"), 0u) << rahmenLetzteMeldung();
    EXPECT_TRUE(plNachrichtBoxFragen().empty()) << rahmenLetzteMeldung();

    soll = {"# Allgemein", "HV1.01", "HV1.02", "HV1.03", "HV1.04", "HV1.06", "# Antriebe", "HV1.11",
            "HV1.12",      "HV1.13", "HV1.20", "HV1.21", "HV1.30", "HV1.31", "HV1.32"};
    EXPECT_EQ(seitenZeilen(), soll);

    // Every key names a drawing of the folder.
    const std::set<std::string> da = seiten();
    for (const std::string& k : schluessel()) EXPECT_TRUE(da.count(k)) << "key without a drawing: " << k;

    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), (std::string(::testing::TempDir()) + "projekt_umnr.png").c_str()), 0);
    rahmenBeenden();
    // The folder's names, the equipment and text files and the contents
    // against the golden results.
    std::string namen;
    for (const auto& e : fs::directory_iterator(projekt)) namen += e.path().filename().string() + "\n";
    V sortiert = zeilen(namen);
    std::sort(sortiert.begin(), sortiert.end());
    namen.clear();
    for (const std::string& n : sortiert) namen += n + "\n";
    const std::string gold = std::string(VELMO_TEST_DATA) + "/frame/umnr/";
    EXPECT_TRUE(golden::text(gold + "Dateien.txt", namen));
    for (const char* n : {"BMittel.zvk", "Texte.zvk"}) EXPECT_TRUE(golden::text(gold + n, lesen(projekt / n))) << n;
    // The contents name the files' days: the copy's and the new drawing's.
    std::string inhalt = lesen(projekt / "Inhalt.txt");
    const std::string form = "00.00.0000";
    for (size_t i = 0; i + form.size() <= inhalt.size(); ++i) {
        bool datum = true;
        for (size_t k = 0; k < form.size() && datum; ++k)
            datum = form[k] == '.' ? inhalt[i + k] == '.' : std::isdigit(static_cast<unsigned char>(inhalt[i + k])) != 0;
        if (datum) inhalt.replace(i, form.size(), "TT.MM.JJJJ");
    }
    EXPECT_TRUE(golden::text(gold + "Inhalt.txt", inhalt));
}

}  // namespace
