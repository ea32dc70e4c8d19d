// The file update: old drawings of each format code converted and others
// passed over, a version-5 library converted in batches, current files
// untouched, the folders restored, and under injected failures every file
// keeps its old bytes or has its complete new form.
#include "project/zv5.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "model/altbau.h"
#include "model/bauteil.h"
#include "model/transport.h"
#include "model/zeichnun.h"
#include "controls/ctlkern.h"
#include "platform/dialog.h"
#include "platform/fehlersim.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"
#include "platform/nachrichtbox.h"
#include "support/dosdatei.h"
#include "tests/equipment/projtest.h"
#include "tests/model/altbib.h"

using namespace projtest;

namespace {

class Zv5Test : public ProjTest {
protected:
    std::string alt;
    void SetUp() override
    {
        ProjTest::SetUp();
        fs::create_directories(pfad("alt"));
        alt = pfad("alt");
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        AltBibSchliessen();
        AltZeiSchliessen();
        BauBibSchliessen();
        ProjTest::TearDown();
    }
    // The old drawing fixture with its first record's code set.
    void altZeichnung(const std::string& name, int code)
    {
        std::string b = mtLesen(mtFixture("ALTKOPF.ZEI"));
        b[8] = static_cast<char>(code);
        mtSchreiben(alt + "/" + name, b);
    }
    void fuellen()
    {
        altZeichnung("A.001", 20);
        altZeichnung("B.001", 24);
        altZeichnung("C.001", 28);
        altZeichnung("D.001", 29);
        altZeichnung("E.001", 21);          // another code: passed over
        altZeichnung("F.tmp", 20);          // never a source
        mtSchreiben(alt + "/BAUTEILE.V5", altBib3(45));
        mtSchreiben(alt + "/BAUTEILE.V5.tmp", "Benutzerdatei");
        ASSERT_EQ(BauBibAnlegen((alt + "/BAUTEILE.NEU").c_str(), 10), 0);
        BauBibSchliessen();
        mtSchreiben(alt + "/BAUTEIL.X", altBib3(2));   // not named BAUTEILE
    }
    std::map<std::string, std::string> stand()
    {
        std::map<std::string, std::string> m;
        for (const auto& e : fs::directory_iterator(alt)) m[e.path().filename().string()] = mtLesen(e.path().string());
        return m;
    }
    static int format(const std::string& p)
    {
        ZeiDatei z{};
        if (ZeiDateiLesend(&z, p.c_str()) != 0) return -1;
        const int f = ZeiFormat(&z);
        ZeiDateiVerwerfen(&z);
        return f;
    }
};

TEST_F(Zv5Test, ConvertsOldFilesAndPassesOverTheRest)
{
    fuellen();
    const auto vorher = stand();
    char cwd[300];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    Zv5Zaehler z{};
    ASSERT_EQ(Zv5Konvertieren((alt + "/").c_str(), &z), 0);
    EXPECT_EQ(z.zeichnungen, 4);
    EXPECT_EQ(z.bib5, 1);
    EXPECT_EQ(z.bib3, 0);
    EXPECT_EQ(z.bm, 0);
    for (const auto& [n, f] : std::map<std::string, int>{{"A.001", 't'}, {"B.001", 'u'}, {"C.001", 't'}, {"D.001", 'u'}}) {
        EXPECT_EQ(ZeiIstDatei((alt + "/" + n).c_str()), 1) << n;
        EXPECT_EQ(format(alt + "/" + n), f) << n;
    }
    const auto nachher = stand();
    for (const char* n : {"E.001", "F.tmp", "BAUTEILE.V5.tmp", "BAUTEILE.NEU", "BAUTEIL.X"})
        EXPECT_EQ(nachher.at(n), vorher.at(n)) << n;
    EXPECT_EQ(nachher.size(), vorher.size());
    EXPECT_EQ(TraStapel(), (std::vector<int>{20, 20, 5}));
    BauBibHandle h;
    ASSERT_EQ(BauBibOeffnen(&h, (alt + "/BAUTEILE.V5").c_str()), 0);
    EXPECT_EQ(h.anzahl, 45);
    BauBibZu(&h);
    // Working folder and project folder are as before.
    char jetzt[300];
    ASSERT_NE(getcwd(jetzt, sizeof jetzt), nullptr);
    EXPECT_STREQ(jetzt, cwd);
    char p[VERSUP + 1];
    VerHolen(1, p, sizeof p);
    EXPECT_EQ(fs::path(p), fs::path(ordner.string() + "/"));

    // A second run finds nothing old.
    ASSERT_EQ(Zv5Konvertieren(alt.c_str(), &z), 0);
    EXPECT_EQ(z.zeichnungen, 0);
    EXPECT_EQ(z.bib5, 0);
    EXPECT_EQ(stand(), nachher);
}

TEST_F(Zv5Test, Version2PairsAndVersion7ListsAreConverted)
{
    for (const char* n : {"BAUTEILB.AL2", "BAUTEILN.AL2"}) mtSchreiben(alt + "/" + n, mtLesen(mtFixture(n)));
    for (const char* n : {"BMHAUPT.ZVK", "BMUNTER.ZVK", "BMOHNEH.ZVK"})
        mtSchreiben(alt + "/" + n, mtLesen(std::string(VELMO_TEST_DATA) + "/equipment/zv7/" + n));
    Zv5Zaehler z{};
    ASSERT_EQ(Zv5Konvertieren(alt.c_str(), &z), 0);
    EXPECT_EQ(z.bib3, 1);
    EXPECT_EQ(z.bib5, 1);   // the pair's new library is brought up to date as well
    EXPECT_EQ(z.bm, 1);
    const auto jetzt = stand();
    for (const char* n : {"BAUTEILB.AL2", "BAUTEILN.AL2", "BMHAUPT.ZVK", "BMUNTER.ZVK", "BMOHNEH.ZVK"})
        EXPECT_EQ(jetzt.count(n), 0u) << n;
    EXPECT_EQ(jetzt.count("BMittel.zvk"), 1u);
    BauBibHandle h;
    ASSERT_EQ(BauBibOeffnen(&h, (alt + "/BAUTEILE.AL2").c_str()), 0);
    EXPECT_EQ(h.anzahl, 2);
    EXPECT_GE(h.version, 6);
    BauBibZu(&h);
}

// Nothing lost: the update with each kind of call failing at call k until
// it completes; every file holds its old bytes or its complete new form,
// and no temporary is left.
TEST_F(Zv5Test, LosesNothingUnderInjectedFailures)
{
    fuellen();
    const auto vorher = stand();
    Zv5Zaehler z{};
    ASSERT_EQ(Zv5Konvertieren(alt.c_str(), &z), 0);
    const auto fertig = stand();
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen,
                            PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 400; k += (k < 40 ? 1 : 7)) {
            for (const auto& e : fs::directory_iterator(alt)) fs::remove(e.path());
            for (const auto& [n, b] : vorher) mtSchreiben(alt + "/" + n, b);
            int ausgeloest;
            {
                PlFehlerScope s;
                plFehlerSetzen(art, k);
                Zv5Konvertieren(alt.c_str(), &z);
                ausgeloest = plFehlerAusgeloest(art);
            }
            AltBibSchliessen();
            BauBibSchliessen();
            const auto jetzt = stand();
            EXPECT_EQ(jetzt.size(), vorher.size()) << static_cast<int>(art) << "/" << k;
            for (const auto& [n, b] : jetzt) {
                const bool gut = (vorher.count(n) && b == vorher.at(n)) || (fertig.count(n) && b == fertig.at(n));
                EXPECT_TRUE(gut) << static_cast<int>(art) << "/" << k << " " << n;
            }
            if (ausgeloest == 0) break;
        }
    }
}

LRESULT CALLBACK zv5HauptProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

std::vector<std::string>& verteilt()
{
    static std::vector<std::string> v;
    return v;
}

TEST_F(Zv5Test, DialogRunsTheUpdateAndTellsTheCounts)
{
    fuellen();
    plFensterSystemEnde();
    anwZuruecksetzen();
    anwDaten()->instanz = LoadLibrary("velmo");
    ASSERT_NE(anwDaten()->instanz, 0u);
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = zv5HauptProz;
    wc.lpszClassName = "VelmoZv5Haupt";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    anwDaten()->hauptfenster =
        CreateWindowEx(0, "VelmoZv5Haupt", "Velmo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, 0, 0, 0, nullptr);
    anwLaufZustandSetzen(2);
    ASSERT_EQ(wiDlgInit(), 0);
    ASSERT_EQ(ctlKlassenAnmelden(), 0);
    WiSeitenDienst d{};
    d.verteilen = [](int id, LPARAM lp) { verteilt().push_back(std::to_string(id) + "/" + std::to_string(lp)); };
    wiSeitenDienstSetzen(d);
    verteilt().clear();

    Zv5DlgOeffnen();
    HWND dlg = wiDlgSuchen("ZV5Import");
    ASSERT_NE(dlg, 0u);
    SetDlgItemText(dlg, 3000, alt.c_str());
    plNachrichtBoxAntwort(IDYES);
    SendMessage(dlg, WM_COMMAND, 2500, 0);
    projpruef::dlgPumpen();
    char t[40];
    GetDlgItemText(dlg, 3200, t, sizeof t);
    EXPECT_STREQ(t, "4");
    GetDlgItemText(dlg, 3201, t, sizeof t);
    EXPECT_STREQ(t, "1");
    ASSERT_EQ(plNachrichtBoxFragen().size(), 2u);
    EXPECT_EQ(plNachrichtBoxFragen()[1].text, "4 Zeichnungen und 1 Bauteildateien konvertiert.");
    EXPECT_EQ(verteilt(), std::vector<std::string>{"2998/9"});
    EXPECT_NE(wiDlgSuchen("ZV5Import"), 0u);   // stays open for the next folder
    const char* ziel = std::getenv("VELMO_TEST_BILDER");
    if (ziel != nullptr) {
        EXPECT_EQ(plHeadlessPng(dlg, (std::string(ziel) + "/ZV5Import.png").c_str()), 0);
    }
    wiSeitenDienstZuruecksetzen();
    wiDlgAlleSchliessen();
    ctlKlassenAbmelden();
    wiDlgFrei();
    wiBibEnde();
    plFensterSystemEnde();
    FreeLibrary(anwDaten()->instanz);
    anwZuruecksetzen();
}

}  // namespace
