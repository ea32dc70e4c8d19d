// The editor's small dialogs: the series of parallel lines asked for by
// DB1345, the macro values of DB1312 and how they replace "$I<d>", the
// export of DB1006 with its proposed name, kinds and overwrite question.
#include "editdlg/kleindlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "editor/edmeld.h"
#include "editor/edzeich.h"
#include "editor/elclip.h"
#include "editor/macro.h"
#include "editor/zeidok.h"
#include "output/bilder.h"
#include "platform/dateidialog.h"
#include "platform/fehlersim.h"
#include "platform/rasterbib.h"
#include "platform/zwischenablage.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

using dbpruef::pumpen;

TEST(Kd, ValuesReplaceTheirPlaceholdersWhole)
{
    const std::string werte[KDWERTSUP] = {std::string(40, 'a'), "B", "", "D", "E"};
    struct Fall {
        const char* zeile;
        std::string soll;
    } faelle[] = {
        {"TFA \"$I1-$i3\"", "TFA \"B-D\""},
        {"ZL $I2 1", "ZL  1"},
        {"$I7 $I9", "E E"},             // digits above 4 are the last value
        {"$I $Ix $J1 $", "$I $Ix $J1 $"},  // no digit, no placeholder
    };
    for (const Fall& f : faelle) EXPECT_EQ(KdWerteEinsetzen(f.zeile, werte), f.soll) << f.zeile;
    // A full line of placeholders grows to 26 whole values.
    std::string zeile;
    for (int i = 0; i < 26; ++i) zeile += "$I0";
    EXPECT_EQ(KdWerteEinsetzen(zeile.c_str(), werte), std::string(26 * 40, 'a'));
}

class KdTest : public dbpruef::SchlangeTest {
protected:
    fs::path ordner = dbpruef::tempName("kleindlg");
    void SetUp() override
    {
        SchlangeTest::SetUp();
        fs::create_directories(ordner);
        VerSetzen(1, ordner.string().c_str());
        VerSetzen(2, ordner.string().c_str());
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        plDateiDialogSkriptLeeren();
        plDateiDialogFragenLeeren();
        BildBibLaden();
    }
    void TearDown() override
    {
        MakroSofortSetzen(nullptr);
        BildBibFreigeben();
        VerSetzen(1, "");
        VerSetzen(2, "");
        SchlangeTest::TearDown();
        std::error_code ec;
        fs::remove_all(ordner, ec);
    }
    static HWND offen(const char* name)
    {
        pumpen();
        return wiDlgSuchen(name);
    }
    // A picture button pressed (it reports itself to the dialog).
    static void knopf(HWND d, int id)
    {
        SendMessage(d, WM_COMMAND, static_cast<WPARAM>(id), static_cast<LPARAM>(GetDlgItem(d, id)));
        pumpen();
    }
    static void bestaetigen(HWND d) { knopf(d, 2500); }
    int linie(double x, int markiert)
    {
        BEF b{};
        b.code = BEF_ZL;
        b.darg[0] = 10;
        b.darg[1] = 10;
        STT s{};
        SttInit(&s, nullptr);
        s.mass = s.msm = s.msf = 1.0;
        s.x = x;
        s.y = 50;
        const int id = TzEinfuegen(&b, &s);
        TzMarkSetzen(id, markiert);
        return id;
    }
};

TEST_F(KdTest, StartPointsTakeTheLineUpDistanceOfTheirDirectionAndQueueTheSeries)
{
    EdEinst()->kax = 7.5;
    EdEinst()->kay = 2.5;
    DB1345Oeffnen();
    HWND d = offen("DB1345");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 3010), BST_CHECKED);
    EXPECT_EQ(text(d, 3020), "7.50");
    klick(d, 3011);
    EXPECT_EQ(text(d, 3020), "2.50");
    klick(d, 3010);
    EXPECT_EQ(text(d, 3020), "7.50");
    klick(d, 3011);
    // Without a count the series would bring the dialog back: it stays.
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(offen("DB1345"), d);
    EXPECT_TRUE(saetze().empty());
    tippen(d, 3000, "4");
    tippen(d, 3020, "5");
    SetFocus(GetDlgItem(d, 3020));
    SendMessage(d, WM_COMMAND, 1, 0);
    EXPECT_EQ(offen("DB1345"), 0u);
    const std::vector<BEF> v = saetze();
    ASSERT_EQ(v.size(), 1u);
    EXPECT_STREQ(BefName(v[0].code), "MFS");
    EXPECT_EQ(v[0].iarg[0], 4);
    EXPECT_EQ(v[0].iarg[1], 1);
    EXPECT_EQ(v[0].darg[0], 5);
}

std::vector<std::string> gelaufen;

// A macro read short shows no half set of labels: the dialog says so and
// closes, and nothing runs.
TEST_F(KdTest, MacroValuesOfAMacroReadShortCloseTheDialog)
{
    std::string inhalt;
    for (int i = 0; i < 40; ++i) inhalt += "// " + std::string(60, '-') + "\n";
    inhalt += "Input 1 Laenge:\nZL $I1 0\n";  // in the second block
    ASSERT_GT(inhalt.size(), 2048u);
    std::ofstream(MakroPfad("kurz"), std::ios::binary) << inhalt;
    gelaufen.clear();
    MakroSofortSetzen([](const BEF* b) { gelaufen.push_back(BefZuText(b)); });
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 2, true);
        DB1312Oeffnen("kurz");
        EXPECT_EQ(offen("DB1312"), 0u);
    }
    EXPECT_EQ(std::string(StatusLetzterText()), "Kann Macro-Datei " + MakroPfad("kurz") + " nicht lesen.");
    EXPECT_TRUE(gelaufen.empty());
}

TEST_F(KdTest, MacroValuesAreLabelledByTheirInputLinesAndRunTheMacro)
{
    std::ofstream(MakroPfad("werte"), std::ios::binary) << "// Widerstand\n"
                                                          "text Bitte Werte angeben\n"
                                                          "Input 1 Laenge:\n"
                                                          "INPUT 7 Hoehe:\n"
                                                          "Input -2 Start\n"
                                                          "ZL $I1 $I7\n"
                                                          "ZL $i0 0\n";
    gelaufen.clear();
    MakroSofortSetzen([](const BEF* b) { gelaufen.push_back(BefZuText(b)); });
    DB1312Oeffnen("werte");
    HWND d = offen("DB1312");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(text(d, 3000), "werte");
    EXPECT_EQ(text(d, 3010), "Bitte Werte angeben");
    EXPECT_EQ(text(d, 3100), "Start");
    EXPECT_EQ(text(d, 3110), "Laenge:");
    EXPECT_EQ(text(d, 3120), "");
    EXPECT_EQ(text(d, 3140), "Hoehe:") << "index 7 labels the last value";
    tippen(d, 3101, "3");
    tippen(d, 3111, "  12  ");
    tippen(d, 3141, ("4" + std::string(50, ' ') + "x").c_str());  // cut to 40, then trimmed
    saetze();
    bestaetigen(d);
    EXPECT_EQ(offen("DB1312"), 0u);
    BEF a, b;
    ASSERT_EQ(TextZuBef(&a, "ZL 12 4"), 0);
    ASSERT_EQ(TextZuBef(&b, "ZL 3 0"), 0);
    EXPECT_EQ(gelaufen, (std::vector<std::string>{BefZuText(&a), BefZuText(&b)}));
    const std::vector<BEF> v = saetze();
    ASSERT_FALSE(v.empty());
    EXPECT_EQ(v.back().code, 0) << "a refresh follows the run";
}

TEST_F(KdTest, ExportProposesThePngOfTheDrawingAndWritesIt)
{
    linie(10, 1);
    linie(40, 0);
    const fs::path blatt = ordner / "Blatt1.zvk";
    ASSERT_EQ(ZeiSpeichern(blatt.string().c_str()), 0);
    DB1006Oeffnen();
    HWND d = offen("DB1006");
    ASSERT_NE(d, 0u);
    const std::string png = (ordner / "Blatt1.zvk.png").string();
    EXPECT_EQ(text(d, 3000), png) << "the proposal takes the selected kind's extension";
    EXPECT_EQ(SendDlgItemMessage(d, 3010, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessage(d, 3010, CB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(IsDlgButtonChecked(d, 3100), BST_CHECKED) << "something is marked";
    EXPECT_EQ(IsDlgButtonChecked(d, 3022), BST_CHECKED);
    EXPECT_EQ(text(d, 3030), "0.00");

    // Kinds: the resolution for pictures, the margin also for emf.
    struct Art {
        int index;
        const char* endung;
        bool aufloesung, rand;
    } arten[] = {{0, "zvk", false, false}, {5, "emf", false, true}, {4, "bmp", true, true}, {3, "png", true, true}};
    for (const Art& a : arten) {
        SendDlgItemMessage(d, 3010, CB_SETCURSEL, static_cast<WPARAM>(a.index), 0);
        SendMessage(d, WM_COMMAND, MAKEWPARAM(3010, CBN_SELCHANGE), static_cast<LPARAM>(GetDlgItem(d, 3010)));
        pumpen();
        EXPECT_EQ(text(d, 3000), (ordner / (std::string("Blatt1.zvk.") + a.endung)).string());
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(d, 3024)) != 0, a.aufloesung) << a.endung;
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(d, 3030)) != 0, a.rand) << a.endung;
    }
    klick(d, 3110);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 3000))) << "the clipboard needs no name";
    klick(d, 3110);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 3000)));

    klick(d, 3020);  // 75 dpi
    bestaetigen(d);
    EXPECT_EQ(offen("DB1006"), 0u);
    imginfo i{};
    ASSERT_EQ(pnginfo(png.c_str(), &i), 0) << "the default name holds a PNG";
    EXPECT_EQ(i.width, 29) << "only the marked line, 10 units at 75 dpi";
}

TEST_F(KdTest, ExportAsksBeforeOverwritingAndTakesTheKindOfAChosenFile)
{
    linie(10, 0);
    VIEINST* v = ViEinst();
    const VIEINST vorher = *v;
    v->flux = v->fluy = 0;
    v->frox = 50;
    v->froy = 20;
    const fs::path alt = ordner / "alt.bmp";
    std::ofstream(alt, std::ios::binary) << "alt";
    DB1006Oeffnen();
    HWND d = offen("DB1006");
    ASSERT_NE(d, 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 3100), BST_UNCHECKED) << "nothing marked";
    plDateiDialogAntwort(alt.string().c_str());
    plNachrichtBoxAntwort(IDYES);  // the file dialog's own "replace?"
    knopf(d, 2502);
    ASSERT_EQ(plDateiDialogFragen().size(), 1u);
    const plDateiDialogFrage& f = plDateiDialogFragen()[0];
    EXPECT_EQ(f.titel, "Name der Exportdatei");
    EXPECT_EQ(f.filter.rfind("Portable Network Graphics|*.png|Velmo|*.zvk|", 0), 0u) << f.filter;
    EXPECT_NE(f.filter.find("|Alle Dateien|*.*|"), std::string::npos) << f.filter;
    EXPECT_EQ(text(d, 3000), alt.string());
    EXPECT_EQ(SendDlgItemMessage(d, 3010, CB_GETCURSEL, 0, 0), 4) << "bmp from the chosen name";

    plNachrichtBoxFragenLeeren();
    plNachrichtBoxAntwort(IDNO);
    bestaetigen(d);
    EXPECT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_NE(offen("DB1006"), 0u) << "No keeps the dialog and the file";
    EXPECT_EQ(fs::file_size(alt), 3u);
    plNachrichtBoxAntwort(IDYES);
    bestaetigen(d);
    EXPECT_EQ(offen("DB1006"), 0u);
    imginfo i{};
    ASSERT_EQ(bmpinfo(alt.string().c_str(), &i), 0);
    EXPECT_EQ(i.width, 590) << "the whole drawing area, 50 units at 300 dpi";
    *v = vorher;
}

TEST_F(KdTest, ExportIntoTheClipboardNeedsNoNameAndWritesNoFile)
{
    linie(10, 1);
    plClipEnde();
    DB1006Oeffnen();
    HWND d = offen("DB1006");
    ASSERT_NE(d, 0u);
    SetDlgItemText(d, 3000, "");
    klick(d, 3110);
    bestaetigen(d);
    EXPECT_EQ(offen("DB1006"), 0u);
    EXPECT_TRUE(plNachrichtBoxFragen().empty()) << "nothing to overwrite";
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP)) << "a picture kind goes in as a bitmap";
    plClipEnde();
}

}  // namespace

