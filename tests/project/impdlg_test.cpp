// Import dialogs: text drawings with and without their own format, an
// existing target, empty fields keeping what the importer wrote, names with
// folder parts, a scale of 0, an importer that leaves no readable drawing
// (nothing left behind), a header that cannot be written; and the dialogs
// on the headless window system reading rotation, offsets, scale and plot
// window (with pictures of the three).
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "project/impdlg.h"
#include "support/basis.h"
#include "tests/equipment/projtest.h"
#include "tests/project/projpruef.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "winlib/winbib.h"

using namespace projtest;

namespace {

using V = std::vector<std::string>;

V& verteilt()
{
    static V v;
    return v;
}

class ImpTest : public projpruef::VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        vorgaben("HIJusR 1\nHIJusX 125\nHIJusY 0\nHIJusS 150\nHIFlux 10\nHIFluy 20\nHIFrox 4200\nHIFroy 2970\n");
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        verteilt().clear();
        WiSeitenDienst d{};
        d.verteilen = [](int id, LPARAM lp) { verteilt().push_back(std::to_string(id) + "/" + std::to_string(lp)); };
        wiSeitenDienstSetzen(d);
    }
    void TearDown() override
    {
        wiSeitenDienstZuruecksetzen();
        VorgabenTest::TearDown();
    }
    static V boxen()
    {
        V v;
        for (const auto& f : plNachrichtBoxFragen()) v.push_back(f.text);
        return v;
    }
    // A text drawing made by the program's own writer from a drawing with a
    // title; `format` 0 drops the format line.
    std::string textZeichnung(const char* name, bool format)
    {
        const std::string z = pfad("vorlage.tmpz");
        projpruef::zeichnungSchreiben(z, BEF_ZA4, "x", "Titel vom Import", "");
        const std::string t = pfad(name);
        EXPECT_EQ(ZeiAlsText(z.c_str(), t.c_str()), 0);
        fs::remove(z);
        if (!format) {
            std::string s = lesen(t), aus;
            size_t a = 0;
            while (a < s.size()) {
                size_t e = s.find('\n', a);
                if (e == std::string::npos) e = s.size() - 1;
                std::string zeile = s.substr(a, e - a + 1);
                BEF b;
                std::string roh = zeile;
                while (!roh.empty() && (roh.back() == '\n' || roh.back() == '\r')) roh.pop_back();
                if (!(TextZuBef(&b, roh.data()) == 0 && BefFormat(b.code))) aus += zeile;
                a = e + 1;
            }
            EXPECT_NE(aus, s) << "the text has a format line";
            schreiben(t, aus);
        }
        return t;
    }
    ImpEingabe eingabe(int art, const std::string& quelle, const char* stamm, const char* endung)
    {
        ImpEingabe e{};
        e.art = art;
        std::snprintf(e.quelle, sizeof e.quelle, "%s", quelle.c_str());
        std::snprintf(e.stamm, sizeof e.stamm, "%s", stamm);
        std::snprintf(e.endung, sizeof e.endung, "%s", endung);
        e.trafo.mass = 1;
        return e;
    }
    ZeiKopf kopf(const char* name)
    {
        ZeiKopf k{};
        EXPECT_EQ(ZeiKopfLesen(pfad(name).c_str(), &k), 0) << name;
        return k;
    }
};

TEST_F(ImpTest, TextImportTakesItsOwnFormatAndFillsOnlyGivenFields)
{
    ImpEingabe e = eingabe(IMP_TXT, textZeichnung("mit.txt", true), "Plan", "001");
    e.a4 = 0;  // the text's A4 format wins over the button
    std::strcpy(e.titel[2], "Dritter");
    ASSERT_EQ(ImpAusfuehren(&e), 0);
    ZeiKopf k = kopf("Plan.001");
    EXPECT_EQ(k.format, BEF_ZA4);
    EXPECT_STREQ(k.titel[0], "Titel vom Import");  // empty field: the importer's text stays
    EXPECT_STREQ(k.titel[2], "Dritter");
    EXPECT_STREQ(k.kurz, "x");
    EXPECT_EQ(verteilt(), V{"2998/9"});

    e = eingabe(IMP_TXT, textZeichnung("ohne.txt", false), "Plan", "002");
    e.a4 = 1;
    std::strcpy(e.index, "b");
    ASSERT_EQ(ImpAusfuehren(&e), 0);
    k = kopf("Plan.002");
    EXPECT_EQ(k.format, BEF_ZA4);
    EXPECT_STREQ(k.kurz, "b");
    e = eingabe(IMP_TXT, pfad("ohne.txt"), "Plan", "003");
    ASSERT_EQ(ImpAusfuehren(&e), 0);
    EXPECT_EQ(kopf("Plan.003").format, BEF_ZA3);
}

TEST_F(ImpTest, RefusalsComeBeforeAnythingIsWritten)
{
    const std::string q = textZeichnung("q.txt", true);
    schreiben(pfad("Plan.001"), "alt");
    struct {
        const char* stamm;
        const char* endung;
        int art;
        double mass;
        const char* meldung;
    } faelle[] = {
        {"Plan", "001", IMP_TXT, 1, "Es gibt bereits eine Datei mit diesem Namen."},
        {"sub/x", "001", IMP_TXT, 1, "Der Name darf kein \"/\" enthalten."},
        {"a\\b", "001", IMP_TXT, 1, "Der Name darf kein \"\\\" enthalten."},
        {"c:d", "001", IMP_TXT, 1, "Der Name darf kein \":\" enthalten."},
        {"Plan", "0.1", IMP_TXT, 1, "Der Name darf kein \".\" enthalten."},
        {"", "001", IMP_TXT, 1, "Es m\xFCssen alle Felder gef\xFCllt sein."},
        {"Neu", "001", IMP_HPGL, 0, "Die Skalierung muss gr\xF6\xDF" "er als 0 sein."},
    };
    const auto vorher = namen();
    for (const auto& f : faelle) {
        plNachrichtBoxFragenLeeren();
        ImpEingabe e = eingabe(f.art, q, f.stamm, f.endung);
        e.trafo.mass = f.mass;
        EXPECT_EQ(ImpAusfuehren(&e), 1) << f.stamm;
        EXPECT_EQ(boxen(), V{f.meldung}) << f.stamm;
        EXPECT_EQ(namen(), vorher) << f.stamm;
    }
    EXPECT_EQ(lesen(pfad("Plan.001")), "alt");
    EXPECT_TRUE(verteilt().empty());
}

TEST_F(ImpTest, AnImportWithoutAReadableDrawingLeavesNothing)
{
    const auto vorher = namen();
    // The DXF importer refuses (here it finds no configuration) and says
    // why: no drawing comes out of it, and no second message.
    ImpEingabe e = eingabe(IMP_DXF, pfad("a.dxf"), "Plan", "001");
    EXPECT_EQ(ImpAusfuehren(&e), ERROR);
    EXPECT_EQ(boxen(), (V{"DXF-Konfiguration dxfconfig.txt nicht gefunden."}));
    // A text file without a drawing, and one that breaks off while written.
    schreiben(pfad("leer.txt"), "nichts\n");
    e = eingabe(IMP_TXT, pfad("leer.txt"), "Plan", "001");
    EXPECT_EQ(ImpAusfuehren(&e), ERROR);
    const std::string q = textZeichnung("q.txt", true);
    EXPECT_TRUE(verteilt().empty());
    // A failure at call k of each kind: a message and nothing left, until
    // the import runs through and leaves the whole drawing.
    for (PlFehlerArt art : {PlFehlerArt::Oeffnen, PlFehlerArt::Lesen, PlFehlerArt::Schreiben,
                            PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen}) {
        for (int k = 1; k < 50; ++k) {
            plNachrichtBoxFragenLeeren();
            plFehlerSetzen(art, k);
            e = eingabe(IMP_TXT, q, "Plan", "001");
            std::strcpy(e.titel[3], "Vierter");
            const int r = ImpAusfuehren(&e);
            const bool ausgeloest = plFehlerAusgeloest(art) > 0;
            plFehlerAllesAus();
            auto jetzt = namen();
            jetzt.erase("leer.txt");
            jetzt.erase("q.txt");
            if (r == 0) {
                EXPECT_EQ(jetzt, std::set<std::string>{"Plan.001"}) << k;
                EXPECT_STREQ(kopf("Plan.001").titel[3], "Vierter") << k;
                fs::remove(pfad("Plan.001"));
                if (!ausgeloest) break;
                continue;
            }
            EXPECT_EQ(r, ERROR) << k;
            EXPECT_EQ(boxen().size(), 1u) << k;
            EXPECT_EQ(jetzt, vorher) << static_cast<int>(art) << " " << k;
        }
    }
}

TEST_F(ImpTest, DxfImportTakesTheDialogsPlacementAndWritesItsHeaderOnce)
{
    fs::copy_file(std::string(VELMO_TEST_DATA) + "/output/dxf/dxfconfig.txt", pfad("dxfconfig.txt"));
    VerSetzen(0, ordner.string().c_str());
    schreiben(pfad("a.dxf"), "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\n0\r\n10\r\n0\r\n20\r\n0\r\n"
                             "11\r\n10\r\n21\r\n0\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
    const auto vorher = namen();
    ImpEingabe e = eingabe(IMP_DXF, pfad("a.dxf"), "Plan", "007");
    e.trafo.mass = 2.5;
    e.trafo.x = 100;
    e.a4 = 1;
    std::strcpy(e.titel[0], "Erster");
    std::strcpy(e.titel[3], "Vierter");
    EXPECT_EQ(ImpAusfuehren(&e), 0);
    VerSetzen(0, "");
    EXPECT_EQ(boxen(), V{});
    const ZeiKopf k = kopf("Plan.007");
    EXPECT_STREQ(k.titel[0], "Erster");
    EXPECT_STREQ(k.titel[3], "Vierter");
    EXPECT_EQ(k.format, BEF_ZA4);
    // The line 10 long at the origin, scaled by 2.5 and moved by 100; no
    // backup of the new drawing beside it.
    ASSERT_EQ(ZeiAlsText(pfad("Plan.007").c_str(), pfad("plan.txt").c_str()), 0);
    const std::string t = lesen(pfad("plan.txt"));
    EXPECT_NE(t.find("ZL 25,0000 0,0000"), std::string::npos) << t;
    EXPECT_NE(t.find("100,0000"), std::string::npos) << t;
    fs::remove(pfad("plan.txt"));
    auto neu = vorher;
    neu.insert({"Plan.007", "dxflog.txt"});
    EXPECT_EQ(namen(), neu);
    EXPECT_EQ(verteilt(), V{"2998/9"});
}

// ---- the dialogs ------------------------------------------------------------------------------

class ImpDlgTest : public ImpTest {
protected:
    void SetUp() override
    {
        ImpTest::SetUp();
        projpruef::dialogWirt(ordner.string(), 800, 600);
        if (HasFatalFailure()) return;
    }
    void TearDown() override
    {
        wiDlgAlleSchliessen();
        projpruef::dialogWirtEnde();
        ImpTest::TearDown();
    }
    static std::string text(HWND dlg, int id)
    {
        char t[300] = "";
        GetDlgItemText(dlg, id, t, sizeof t);
        return t;
    }
    static void befehl(HWND dlg, int id)
    {
        SendMessage(dlg, WM_COMMAND, static_cast<WPARAM>(id), 0);
        projpruef::dlgPumpen();
    }
};

TEST_F(ImpDlgTest, HpglDialogShowsAndReadsThePlacement)
{
    HWND dlg = ImpDlgOeffnen(IMP_HPGL, pfad("plot.plt").c_str(), "Plan", "001");
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(text(dlg, 3302), "plot.plt");
    EXPECT_EQ(text(dlg, 3301), ordner.string());
    EXPECT_EQ(text(dlg, 3000), " 90");
    EXPECT_EQ(text(dlg, 3010), "12,5");  // offsets in tenths
    EXPECT_EQ(text(dlg, 3030), "150");
    EXPECT_EQ(text(dlg, 3100), "1,0");
    EXPECT_EQ(text(dlg, 3130), "297,0");
    EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + "impdlg_hpgl.png").c_str()), 0);

    // "270" gives three quarter turns; 0 % is refused, the dialog stays.
    SendDlgItemMessage(dlg, 3000, CB_SETCURSEL, 3, 0);
    SetDlgItemText(dlg, 3030, "0");
    befehl(dlg, 2500);
    EXPECT_EQ(boxen(), V{"Die Skalierung muss gr\xF6\xDF" "er als 0 sein."});
    EXPECT_NE(wiDlgSuchen("HPGLImport"), 0u);
    befehl(dlg, 2501);
    EXPECT_EQ(wiDlgSuchen("HPGLImport"), 0u);
}

TEST_F(ImpDlgTest, TextDialogImportsAndClosesAndEveryKindRenders)
{
    const std::string q = textZeichnung("q.txt", true);
    HWND dlg = ImpDlgOeffnen(IMP_TXT, q.c_str(), "Plan", "004");
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + "impdlg_txt.png").c_str()), 0);
    SetDlgItemText(dlg, 3221, "  Zweiter  ");
    befehl(dlg, 1);
    EXPECT_EQ(wiDlgSuchen("TXTImport"), 0u);
    EXPECT_STREQ(kopf("Plan.004").titel[1], "Zweiter");

    dlg = ImpDlgOeffnen(IMP_DXF, pfad("a.dxf").c_str(), "Plan", "005");
    ASSERT_NE(dlg, 0u);
    projpruef::dlgPumpen();
    EXPECT_EQ(text(dlg, 3030), "100");
    EXPECT_EQ(plHeadlessPng(dlg, (std::string(::testing::TempDir()) + "impdlg_dxf.png").c_str()), 0);
}

}  // namespace
