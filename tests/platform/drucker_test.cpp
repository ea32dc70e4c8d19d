// Tests of printing to PDF and PostScript files (platform/drucker).
#include "platform/drucker.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/bild.h"
#include "platform/fehlersim.h"

namespace {

std::string ordnerNeu(const char* name)
{
    // Own folder per process: other test runs may use the same temporary folder.
    std::string o = testing::TempDir() + name + "_" + std::to_string(getpid());
    std::system(("rm -rf '" + o + "' && mkdir -p '" + o + "'").c_str());
    return o;
}

std::vector<std::string> dateienIn(const std::string& ordner)
{
    std::vector<std::string> v;
    if (DIR* d = opendir(ordner.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') v.push_back(e->d_name);
        closedir(d);
    }
    return v;
}

std::string ausgabe(const std::string& befehl)
{
    std::string s;
    if (FILE* p = popen(befehl.c_str(), "r")) {
        char puffer[512];
        while (std::fgets(puffer, sizeof puffer, p)) s += puffer;
        if (pclose(p) != 0) s += "\n(exit status not 0)";
    }
    // Runs of blanks as one, so the tests do not depend on column widths.
    std::string k;
    for (char c : s)
        if (c != ' ' || k.empty() || k.back() != ' ') k += c;
    return k;
}

void seiteMalen(HDC dc, const char* text)
{
    Rectangle(dc, 0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    TextOut(dc, 300, 300, text, static_cast<int>(std::string(text).size()));
}

TEST(Drucker, TwoPagesTheSecondLandscapeGiveAValidPdfWithThoseSizes)
{
    std::string ordner = ordnerNeu("drucker_pdf");
    plDruckEinstellung e;
    e.datei = ordner + "/Ausdruck.pdf";
    HDC dc = plDruckerDcErzeugen(e);
    ASSERT_NE(dc, 0u);
    DOCINFO di{sizeof(DOCINFO), "Schaltplan \x84" "Erdgescho\xDF\x93", nullptr, nullptr, 0};
    ASSERT_GT(StartDoc(dc, &di), 0);
    ASSERT_GT(StartPage(dc), 0);
    seiteMalen(dc, "Seite 1");
    ASSERT_GT(EndPage(dc), 0);
    DEVMODE dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_ORIENTATION;
    dm.dmOrientation = DMORIENT_LANDSCAPE;
    ASSERT_EQ(ResetDC(dc, &dm), dc);
    EXPECT_GT(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    ASSERT_GT(StartPage(dc), 0);
    seiteMalen(dc, "Seite 2");
    ASSERT_GT(EndPage(dc), 0);
    // While the document is open only a temporary file exists.
    EXPECT_EQ(std::fopen(e.datei.c_str(), "rb"), nullptr);
    ASSERT_GT(EndDoc(dc), 0);
    EXPECT_EQ(dateienIn(ordner), std::vector<std::string>{"Ausdruck.pdf"});
    EXPECT_TRUE(plDruckerDcLoeschen(dc));

    if (std::system("command -v qpdf >/dev/null && command -v pdfinfo >/dev/null") != 0) GTEST_SKIP() << "qpdf/pdfinfo missing";
    std::string pruefung = ausgabe("qpdf --check '" + e.datei + "' 2>&1");
    EXPECT_EQ(pruefung.find("(exit status not 0)"), std::string::npos) << pruefung;
    std::string info = ausgabe("pdfinfo -f 1 -l 2 '" + e.datei + "' 2>&1");
    EXPECT_NE(info.find("Pages: 2"), std::string::npos) << info;
    EXPECT_NE(info.find("Page 1 size: 595.276 x 841.89 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Page 2 size: 841.89 x 595.276 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Title: Schaltplan \xE2\x80\x9E" "Erdgescho\xC3\x9F\xE2\x80\x9C"), std::string::npos) << info;
}

TEST(Drucker, DeviceCapsOfANominal600DpiPrinterPerPaperAndOrientation)
{
    struct Fall {
        int papier, ausrichtung;
        int physB, physH;  // dots
    };
    const Fall faelle[] = {
        {DMPAPER_A4, DMORIENT_PORTRAIT, 4961, 7016},
        {DMPAPER_A4, DMORIENT_LANDSCAPE, 7016, 4961},
        {DMPAPER_A3, DMORIENT_PORTRAIT, 7016, 9921},
        {DMPAPER_A3, DMORIENT_LANDSCAPE, 9921, 7016},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.papier) + "/" + std::to_string(f.ausrichtung));
        plDruckEinstellung e;
        e.datei = ordnerNeu("drucker_caps") + "/caps.pdf";
        e.papier = f.papier;
        e.ausrichtung = f.ausrichtung;
        HDC dc = plDruckerDcErzeugen(e);
        ASSERT_NE(dc, 0u);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 600);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 600);
        EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), f.physB);
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), f.physH);
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 100);
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), 100);
        EXPECT_EQ(GetDeviceCaps(dc, HORZRES), f.physB - 200);
        EXPECT_EQ(GetDeviceCaps(dc, VERTRES), f.physH - 200);
        // Printable millimetres: (dots - margins) at 600 dpi.
        EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), static_cast<int>(std::lround((f.physB - 200) * 25.4 / 600)));
        EXPECT_EQ(GetDeviceCaps(dc, VERTSIZE), static_cast<int>(std::lround((f.physH - 200) * 25.4 / 600)));
        plDruckerDcLoeschen(dc);
    }
    plDruckEinstellung letter;
    letter.papier = 1;
    EXPECT_EQ(plDruckerDcErzeugen(letter), 0u);
}

BOOL abbrechen(HDC, int) { return FALSE; }
BOOL weiter(HDC, int) { return TRUE; }

TEST(Drucker, AbortedOrCancelledJobsLeaveNoFileAndKeepAnOldOne)
{
    std::string ordner = ordnerNeu("drucker_abbruch");
    std::string ziel = ordner + "/alt.pdf";
    const uint8_t alt[] = {'a', 'l', 't'};
    ASSERT_EQ(plBildDateiSchreiben(ziel.c_str(), alt, 3), 0);
    struct Fall {
        const char* name;
        ABORTPROC proc;
        bool abortDoc;
        int endPage;
    };
    const Fall faelle[] = {
        {"AbortDoc in a page", weiter, true, 1},
        {"abort procedure answers FALSE", abbrechen, false, SP_APPABORT},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        plDruckEinstellung e;
        e.datei = ziel;
        HDC dc = plDruckerDcErzeugen(e);
        ASSERT_EQ(SetAbortProc(dc, f.proc), 1);
        ASSERT_GT(StartDoc(dc, nullptr), 0);
        ASSERT_GT(StartPage(dc), 0);
        seiteMalen(dc, "weg");
        if (f.abortDoc) {
            EXPECT_GT(AbortDoc(dc), 0);
        } else {
            EXPECT_EQ(EndPage(dc), f.endPage);
        }
        EXPECT_EQ(EndDoc(dc), SP_ERROR);  // the job is gone
        EXPECT_EQ(StartDoc(dc, nullptr), SP_ERROR);
        EXPECT_EQ(dateienIn(ordner), std::vector<std::string>{"alt.pdf"});
        std::vector<uint8_t> inhalt;
        ASSERT_EQ(plBildDateiLesen(ziel.c_str(), inhalt), 0);
        EXPECT_EQ(inhalt.size(), 3u);
        plDruckerDcLoeschen(dc);
    }
    // Deleting the DC of an open document also leaves nothing.
    plDruckEinstellung e;
    e.datei = ordner + "/neu.pdf";
    HDC dc = plDruckerDcErzeugen(e);
    ASSERT_GT(StartDoc(dc, nullptr), 0);
    ASSERT_TRUE(plDruckerDcLoeschen(dc));
    EXPECT_EQ(dateienIn(ordner), std::vector<std::string>{"alt.pdf"});
}

TEST(Drucker, AFailedWriteOrRenameAtEndDocKeepsTheOldFile)
{
    std::string ordner = ordnerNeu("drucker_fehler");
    std::string ziel = ordner + "/alt.pdf";
    const uint8_t alt[] = {'a', 'l', 't'};
    ASSERT_EQ(plBildDateiSchreiben(ziel.c_str(), alt, 3), 0);
    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen}) {
        SCOPED_TRACE(static_cast<int>(art));
        plDruckEinstellung e;
        e.datei = ziel;
        HDC dc = plDruckerDcErzeugen(e);
        ASSERT_GT(StartDoc(dc, nullptr), 0);
        ASSERT_GT(StartPage(dc), 0);
        seiteMalen(dc, "fehler");
        {
            PlFehlerScope scope;
            plFehlerSetzen(art, 1, true);
            EXPECT_LT(EndDoc(dc), 0);
        }
        plDruckerDcLoeschen(dc);
        EXPECT_EQ(dateienIn(ordner), std::vector<std::string>{"alt.pdf"});
        std::vector<uint8_t> inhalt;
        ASSERT_EQ(plBildDateiLesen(ziel.c_str(), inhalt), 0);
        EXPECT_EQ(inhalt.size(), 3u);
    }
}

TEST(Drucker, CallsOutOfOrderAreRefused)
{
    plDruckEinstellung e;
    e.datei = ordnerNeu("drucker_reihe") + "/reihenfolge.pdf";
    HDC dc = plDruckerDcErzeugen(e);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_EQ(AbortDoc(dc), SP_ERROR);
    ASSERT_GT(StartDoc(dc, nullptr), 0);
    EXPECT_EQ(StartDoc(dc, nullptr), SP_ERROR);
    ASSERT_GT(StartPage(dc), 0);
    DEVMODE dm{};
    dm.dmFields = DM_ORIENTATION;
    dm.dmOrientation = DMORIENT_LANDSCAPE;
    EXPECT_EQ(ResetDC(dc, &dm), 0u);  // not inside a page
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    // EndDoc inside a page ends the page first.
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_EQ(StartDoc(dc, nullptr), SP_ERROR);  // one document per DC
    plDruckerDcLoeschen(dc);
    std::remove(e.datei.c_str());
    HDC fremd = CreateCompatibleDC(0);
    EXPECT_EQ(StartDoc(fremd, nullptr), SP_ERROR);
    DeleteDC(fremd);
    plDruckEinstellung ohneDatei;
    HDC leer = plDruckerDcErzeugen(ohneDatei);
    EXPECT_EQ(StartDoc(leer, nullptr), SP_ERROR);
    // A target in a folder that does not exist: StartDoc fails, nothing is left.
    DOCINFO di{sizeof(DOCINFO), "x", "/nicht/da/plan.pdf", nullptr, 0};
    EXPECT_EQ(StartDoc(leer, &di), SP_ERROR);
    plDruckerDcLoeschen(leer);
}

TEST(Drucker, PostScriptOutputAndDeviceModeRoundTrip)
{
    std::string ordner = ordnerNeu("drucker_ps");
    plDruckEinstellung e;
    e.format = plDruckFormat::PostScript;
    e.papier = DMPAPER_A3;
    e.datei = ordner + "/plan.ps";
    HDC dc = plDruckerDcErzeugen(e);
    ASSERT_GT(StartDoc(dc, nullptr), 0);
    ASSERT_GT(StartPage(dc), 0);
    seiteMalen(dc, "PS");
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);
    plDruckerDcLoeschen(dc);
    std::vector<uint8_t> ps;
    ASSERT_EQ(plBildDateiLesen(e.datei.c_str(), ps), 0);
    std::string text(ps.begin(), ps.end());
    EXPECT_EQ(text.rfind("%!PS", 0), 0u);
    EXPECT_NE(text.find("%%DocumentMedia: A3 842 1190"), std::string::npos);

    plDruckEinstellung a;
    a.papier = DMPAPER_A3;
    a.ausrichtung = DMORIENT_LANDSCAPE;
    a.kopien = 5;
    a.sortiert = false;
    a.duplex = DMDUP_VERTICAL;
    DEVMODE dm;
    plDruckNachDevmode(a, dm);
    EXPECT_EQ(dm.dmSize, 156);
    plDruckEinstellung b;
    ASSERT_EQ(plDruckAusDevmode(dm, b), 0);
    EXPECT_EQ(b.papier, DMPAPER_A3);
    EXPECT_EQ(b.ausrichtung, DMORIENT_LANDSCAPE);
    EXPECT_EQ(b.kopien, 5);
    EXPECT_FALSE(b.sortiert);
    EXPECT_EQ(b.duplex, DMDUP_VERTICAL);
    dm.dmPaperSize = 1;  // letter: not offered
    EXPECT_EQ(plDruckAusDevmode(dm, b), -1);
    EXPECT_EQ(b.papier, DMPAPER_A3);
    dm.dmFields = 0;  // nothing named: nothing taken
    ASSERT_EQ(plDruckAusDevmode(dm, b), 0);
    EXPECT_EQ(b.papier, DMPAPER_A3);
}

}  // namespace
