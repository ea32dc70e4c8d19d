// Ini migration, directory kinds, path building, workstation styles and
// dialog positions (through the recording fake of the window system).
#include "config/apstil.h"
#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "konftest.h"
#include "platform/fehlersim.h"
#include "platform/winconst.h"
#include "support/basis.h"
#include "support/texte.h"
#include <cstring>
#include <string>
#include <vector>

namespace {

using konftest::fake;
namespace fs = std::filesystem;

class Verzeich : public konftest::KonfTest {};

TEST_F(Verzeich, IniMigrationPasses)
{
    struct Fall {
        const char* wie;
        std::vector<std::pair<std::string, std::string>> dateien;
        int pass;
        const char* inhalt;
    };
    const Fall faelle[] = {
        {"present: nothing copied", {{"cfg/Velmo/Velmo-11.ini", "neu"}, {"cfg/Velmo/Velmo-10.ini", "alt"}}, 3, "neu"},
        {"pass 0", {{"cfg/Velmo/Velmo-10.ini", "zehn"}, {"cfg/Velmo/Zavik10.ini", "zavik"}}, 0, "zehn"},
        {"pass 1", {{"cfg/Velmo/Zavik10.ini", "zavik"}, {"daten/Velmo-11.ini", "vorlage"}}, 1, "zavik"},
        {"program-folder copy", {{"daten/Velmo-11.ini", "vorlage"}}, 2, "vorlage"},
        {"nothing anywhere", {}, -1, nullptr},
    };
    for (const auto& f : faelle) {
        fs::remove_all(wurzel_ / "cfg" / "Velmo");
        fs::remove_all(wurzel_ / "daten");
        for (const auto& [p, i] : f.dateien) datei(p, i);
        EXPECT_EQ(IniUebernehmen(pfad("daten").c_str()), f.pass) << f.wie;
        if (f.inhalt) {
            EXPECT_EQ(lesen("cfg/Velmo/Velmo-11.ini"), f.inhalt) << f.wie;
        } else {
            EXPECT_FALSE(fs::exists(wurzel_ / "cfg" / "Velmo" / "Velmo-11.ini")) << f.wie;
            EXPECT_TRUE(fs::is_directory(wurzel_ / "cfg" / "Velmo")) << f.wie;  // the folder is made
        }
    }
    // a failed copy leaves the file to the first write
    fs::remove_all(wurzel_ / "cfg" / "Velmo");
    datei("cfg/Velmo/Velmo-10.ini", "zehn");
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Umbenennen, 1, true);
        EXPECT_EQ(IniUebernehmen(pfad("daten").c_str()), -1);
    }
    EXPECT_FALSE(fs::exists(wurzel_ / "cfg" / "Velmo" / "Velmo-11.ini"));
}

TEST_F(Verzeich, VerSetzen)
{
    VerSetzen(0, "/opt/velmo/share");
    struct Fall {
        int art;
        const char* text;
        const char* ergebnis;
        int aufwaerts;
    };
    const Fall faelle[] = {
        {2, "@<Velmo>/x", "/opt/velmo/share/x/", 1},
        {2, "<velm>\\teile\\", "/opt/velmo/share/teile/", 0},
        {3, "*/texte", "/opt/velmo/share/texte/", 0},
        {3, "<Zavik>", "/opt/velmo/share/", 0},
        {8, "  /home/u/sets  ", "/home/u/sets/", 0},
        {8, "", "", 0},
        {-5, "/null", "/null/", 0},   // clamped to kind 0
        {99, "/zehn", "/zehn/", 0},   // clamped to kind 10
    };
    for (const auto& f : faelle) {
        VerSetzen(f.art, f.text);
        int k = f.art < 0 ? 0 : f.art > 10 ? 10 : f.art;
        EXPECT_STREQ(VerZeiger(k), f.ergebnis) << f.text;
        EXPECT_EQ(VerAufwaerts(k), f.aufwaerts) << f.text;
        VerSetzen(0, "/opt/velmo/share");
    }
    setenv("VELMO_TEST_ORT", "/env/ort", 1);
    VerSetzen(6, "$(VELMO_TEST_ORT)/hilfe");
    EXPECT_STREQ(VerZeiger(6), "/env/ort/hilfe/");
    char b[VERSUP + 1];
    EXPECT_EQ(VerHolen(6, b), 1);
    EXPECT_EQ(VerHolen(5, b), 0);

    // a long text: 200 characters ending in the separator
    std::string lang = "/" + std::string(249, 'a');
    VerSetzen(7, lang.c_str());
    std::string k7 = VerZeiger(7);
    EXPECT_EQ(k7.size(), 200u);
    EXPECT_EQ(k7.back(), '/');
    EXPECT_EQ(k7.substr(0, 199), lang.substr(0, 199));
}

TEST_F(Verzeich, PfadPlatzhalterExpandsInPlaceWithoutASeparator)
{
    VerSetzen(0, "/opt/velmo/share");
    setenv("VELMO_TEST_ORT", "/env/ort", 1);
    struct Fall {
        const char* text;
        const char* ergebnis;
    };
    const Fall faelle[] = {
        {"<Velmo>\\bin\\notiz %s", "/opt/velmo/share/bin/notiz %s"},
        {"*", "/opt/velmo/share/"},
        {"  $(VELMO_TEST_ORT)/bib ", "/env/ort/bib"},
        {"/fest/pfad", "/fest/pfad"},
        {"", ""},
    };
    for (const auto& f : faelle) {
        char b[101];
        strkopie(b, sizeof b, f.text, 100);
        EXPECT_EQ(PfadPlatzhalter(b), 0) << f.text;
        EXPECT_STREQ(b, f.ergebnis) << f.text;
    }
    // A result that does not fit leaves the text as written.
    char eng[12] = "<Velmo>/abc";
    EXPECT_EQ(PfadPlatzhalter(eng), -1);
    EXPECT_STREQ(eng, "<Velmo>/abc");
}

TEST_F(Verzeich, PathBuilding)
{
    VerSetzen(1, "/prj");
    VerSetzen(2, "C:\\teile");
    char b[300];
    struct Fall {
        int art;
        const char* name;
        const char* endung;
        const char* ergebnis;
    };
    const Fall faelle[] = {
        {1, "Plan", "zei", "/prj/Plan.zei"},
        {1, "Plan.", "zei", "/prj/Plan.zei"},  // no second point
        {1, "Plan", nullptr, "/prj/Plan"},
        {1, "Plan", "", "/prj/Plan"},
        {1, "sub\\Plan", "zei", "sub/Plan.zei"},  // a folder part: used as it is
        {2, "Teil", "bib", "C:/teile/Teil.bib"},
    };
    for (const auto& f : faelle) {
        PfadBilden(f.art, f.name, f.endung, b);
        EXPECT_STREQ(b, f.ergebnis) << f.name;
    }
    PfadTmp(b, sizeof b, "/a.b/datei.zei");
    EXPECT_STREQ(b, "/a.b/datei.tmp");
    PfadTmp(b, sizeof b, "/a.b/datei");
    EXPECT_STREQ(b, "/a.b/datei.tmp");

    fs::current_path(wurzel_);
    char p[300] = "rel\\x.txt";
    PfadAbsolut(p);
    EXPECT_EQ(std::string(p), wurzel_.string() + "/rel/x.txt");
    char kurz[12] = "rel/x.txt";
    PfadAbsolut(kurz);  // does not fit: stays as it is
    EXPECT_STREQ(kurz, "rel/x.txt");
    char abs[20] = "/abs/x";
    PfadAbsolut(abs);
    EXPECT_STREQ(abs, "/abs/x");

    PfadHPfadDatei(b, sizeof b, "hilfe.chm");
    EXPECT_STREQ(b, "/prj/hilfe.chm");
    VerSetzen(6, "/help");
    PfadHPfadDatei(b, sizeof b, "hilfe.chm");
    EXPECT_STREQ(b, "/help/hilfe.chm");

    VerSetzen(3, pfad("t3").c_str());
    VerSetzen(7, pfad("t7").c_str());
    datei("t7/nur7.txt", "");
    datei("t3/beide.txt", "");
    datei("t7/beide.txt", "");
    PfadText(b, sizeof b, "nur7.txt");
    EXPECT_EQ(std::string(b), pfad("t7/nur7.txt"));
    PfadText(b, sizeof b, "beide.txt");
    EXPECT_EQ(std::string(b), pfad("t3/beide.txt"));
    PfadText(b, sizeof b, "keine.txt");
    EXPECT_EQ(std::string(b), pfad("t3/keine.txt"));
}

TEST_F(Verzeich, APathThatDoesNotFitIsRefusedNotCut)
{
    // A project folder of 150, 194 and 197 characters with "Plan.001" in a
    // drawing path of 200: a cut path once named "Plan.0" or "Pla".
    static std::vector<std::string> warnungen;
    warnungen.clear();
    KonfHaken h{};
    h.warnung = [](const char* t) { warnungen.emplace_back(t); };
    konfHakenSetzen(h);
    for (const size_t laenge : {150u, 194u, 197u}) {
        warnungen.clear();
        const std::string ordner = "/" + std::string(laenge - 1, 'o');
        VerSetzen(1, ordner.c_str());
        char b[201] = "alt";
        const int r = PfadBilden(1, "Plan.001", nullptr, b);
        if (laenge + 9 <= 200) {
            EXPECT_EQ(r, 0) << laenge;
            EXPECT_EQ(std::string(b), ordner + "/Plan.001");
            EXPECT_TRUE(warnungen.empty());
        } else {
            EXPECT_EQ(r, ERROR) << laenge;
            EXPECT_STREQ(b, "") << laenge;
            ASSERT_EQ(warnungen.size(), 1u) << laenge;
            EXPECT_NE(warnungen[0].find("l\xE4nger als 200 Zeichen"), std::string::npos) << warnungen[0];
        }
    }
    char b[20];
    EXPECT_EQ(PfadTmp(b, sizeof b, "/ein/langer/pfad/datei.zvk"), ERROR);
    EXPECT_STREQ(b, "");
    EXPECT_EQ(PfadHPfadDatei(b, sizeof b, "/ein/langer/pfad/hilfe.chm"), ERROR);
    EXPECT_EQ(PfadText(b, sizeof b, "/ein/langer/pfad/texte.txt"), ERROR);
    EXPECT_NE(warnungen.back().find("19 Zeichen"), std::string::npos) << warnungen.back();
}

TEST_F(Verzeich, UpwardSearch)
{
    ordner("a/b/prj");
    VerSetzen(1, pfad("a/b/prj").c_str());
    VerSetzen(2, pfad("teile").c_str());
    datei("a/x.vgb", "");
    char b[300];
    PfadSuchenAufwaerts(b, sizeof b, "x", "vgb");
    EXPECT_EQ(std::string(b), pfad("teile/x.vgb"));  // no flag: the component folder
    VerSetzen(2, ("@" + pfad("teile")).c_str());
    PfadSuchenAufwaerts(b, sizeof b, "x", "vgb");
    EXPECT_EQ(std::string(b), pfad("a/x.vgb"));
    PfadSuchenAufwaerts(b, sizeof b, "fehlt", "vgb");
    EXPECT_EQ(std::string(b), pfad("teile/fehlt.vgb"));

    std::vector<std::string> ordner;
    PfadeAufwaerts([](const char* v, void* u) { static_cast<std::vector<std::string>*>(u)->push_back(v); }, &ordner);
    ASSERT_GE(ordner.size(), 4u);
    EXPECT_EQ(ordner[0], pfad("a/b/prj") + "/");
    EXPECT_EQ(ordner[1], pfad("a/b") + "/");
    EXPECT_EQ(ordner[2], pfad("a") + "/");
    EXPECT_EQ(ordner.back(), "/");
}

TEST_F(Verzeich, StylesFontsAndColours)
{
    KonfHaken h{};
    h.schriftErzeugen = [](int hoehe, const char* name) {
        return static_cast<HFONT>(hoehe * 100 + static_cast<int>(std::strlen(name)));
    };
    h.hulTextSpalten = [] { return 3; };
    konfHakenSetzen(h);
    ProfilSchreiben("ArbPlatz", "OFSchrift1", "12 DejaVu Sans");
    ProfilSchreiben("ArbPlatz", "OFStil", "1");
    ProfilSchreiben("ArbPlatz", "BMLisZebra", "2");
    ProfilSchreiben("ArbPlatz", "BMLisPfad", "2");
    OFSchriftenLaden();
    EXPECT_EQ(konfEmpfangen().schrift[1], 1211u);
    EXPECT_EQ(OFSchrift(1), 1211u);
    EXPECT_EQ(OFSchrift(0), 0u);  // stock font of the stand-in
    ApStileLaden();
    EXPECT_EQ(konfEmpfangen().farbe[0], RGB(135, 206, 250));
    EXPECT_EQ(konfEmpfangen().farbe[2], RGB(255, 248, 220));
    EXPECT_EQ(konfEmpfangen().zebra, 1);
    EXPECT_EQ(konfEmpfangen().pfadModus, 2);
    EXPECT_EQ(ApOFStilRand(), 3);
    EXPECT_EQ(ApOFStilAbstand(), 3);
    EXPECT_EQ(ApOFStilZeile(), 8);

    h.hulTextSpalten = nullptr;  // stand-in: 1, no extra column
    konfHakenSetzen(h);
    ProfilSchreiben("ArbPlatz", "OFStil", "0");
    ProfilSchreiben("ArbPlatz", "BMLisPfad", "5");
    ApStileLaden();
    EXPECT_EQ(konfEmpfangen().farbe[1], RGB(215, 232, 255));
    EXPECT_EQ(konfEmpfangen().farbe[2], RGB(240, 240, 240));
    EXPECT_EQ(konfEmpfangen().zebra, 0);
    EXPECT_EQ(konfEmpfangen().pfadModus, 0);
    EXPECT_EQ(ApOFStilRand(), 0);
    EXPECT_EQ(ApOFStilAbstand(), 1);
    EXPECT_EQ(ApOFStilZeile(), 0);
    OFSchriftenFrei();
}

TEST_F(Verzeich, DialogPositions)
{
    fake().platz.rcNormalPosition = RECT{10, 20, 310, 220};
    wiDlgPosSichern("Dlg");
    char b[121];
    ProfilLesen("DBPosition", "Dlg", b, 120);
    EXPECT_STREQ(b, "0 1 0 0 0 0 10 20 310 220");

    // maximised: the previous entry stays
    fake().platz.showCmd = SW_SHOWMAXIMIZED;
    fake().platz.rcNormalPosition = RECT{50, 50, 60, 60};
    wiDlgPosSichern("Dlg");
    ProfilLesen("DBPosition", "Dlg", b, 120);
    EXPECT_STREQ(b, "0 1 0 0 0 0 10 20 310 220");

    // loading keeps the size: only the top-left corner moves
    fake().platz.showCmd = SW_SHOWNORMAL;
    wiDlgPosLaden("Dlg");
    ASSERT_EQ(fake().bewegt.size(), 1u);
    EXPECT_EQ(fake().bewegt[0].x, 10);
    EXPECT_EQ(fake().bewegt[0].y, 20);

    // nothing stored: centred, one third down (desktop 1000 x 900, dialog 300 x 200)
    fake().bewegt.clear();
    wiDlgPosLaden("Neu");
    ASSERT_EQ(fake().bewegt.size(), 1u);
    EXPECT_EQ(fake().bewegt[0].x, 350);
    EXPECT_EQ(fake().bewegt[0].y, 233);

    // an old "Zavik" entry is used and cleared
    ProfilSchreiben("Zavik", "Alt", "2 1 0 0 0 0 5 6 7 8");
    fake().bewegt.clear();
    wiDlgPlatzLaden("Alt");
    ASSERT_EQ(fake().gesetzt.size(), 1u);
    EXPECT_EQ(fake().gesetzt[0].flags, 2u);
    EXPECT_EQ(fake().gesetzt[0].rcNormalPosition.bottom, 8);
    ProfilLesen("Zavik", "Alt", b, 120);
    EXPECT_STREQ(b, "");
    wiDlgPlatzLaden("Alt");  // gone from "Zavik", not in "DBPosition"
    EXPECT_EQ(fake().gesetzt.size(), 1u);

    // the name switch keys by the current dialog
    wiDlgPosNachName(1);
    wiDlgPosSichern("Anders");
    wiDlgPosNachName(0);
    ProfilLesen("DBPosition", "TestDlg", b, 120);
    EXPECT_STRNE(b, "");
    ProfilLesen("DBPosition", "Anders", b, 120);
    EXPECT_STREQ(b, "");
}

}  // namespace
