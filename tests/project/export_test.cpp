// Batch export on a project folder of its own: names and their limits, the
// per-drawing run with a recording writer (order, headings of the index,
// cancel, nothing marked), pictures listed or converted beside SVG files,
// the PDF run's outline and its overwrite question, and failures that leave
// the earlier files.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "model/textvar.h"
#include "output/bilder.h"
#include "output/pdfexport.h"
#include "platform/fehlersim.h"
#include "platform/gdi.h"
#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "platform/nachrichtbox.h"
#include "platform/rasterbib.h"
#include "platform/uhr.h"
#include "project/export.h"
#include "project/inhalt.h"
#include "project/pvwliste.h"
#include "tests/project/projpruef.h"
#include "winlib/langdlg.h"

using namespace projtest;
using namespace projpruef;

namespace {

std::vector<std::string>& geschrieben()
{
    static std::vector<std::string> g;
    return g;
}

// The name part of a path.
std::string name(const std::string& p) { return p.substr(p.find_last_of('/') + 1); }

int schreiberAufzeichnen(int art, const char* zeichnung, const char* ausgabe)
{
    geschrieben().push_back(std::to_string(art) + " " + name(zeichnung) + " " + name(ausgabe));
    return 0;
}

class ExportTest : public VorgabenTest {
protected:
    void SetUp() override
    {
        VorgabenTest::SetUp();
        konfig = ordner.string() + "-konfig";
        fs::create_directories(konfig);
        dialogWirt(konfig, 900, 700);
        plUhrFestsetzen(1615766400000);  // 15.03.2021
        PvwListeZuruecksetzen();
        IvEinstellungenVergessen();
        vorgaben("BMnorm 0\nSprPrj 0\n");
        geschrieben().clear();
        ExportSchreiberSetzen(schreiberAufzeichnen);
        BildBibLaden();
    }
    void TearDown() override
    {
        BildBibFreigeben();
        PdfProtokollSetzen(nullptr);
        ExportSchreiberSetzen(nullptr);
        wiDlgAlleSchliessen();
        PvwListeZuruecksetzen();
        IvEinstellungenVergessen();
        plUhrFreigeben();
        dialogWirtEnde();
        fs::remove_all(konfig);
        VorgabenTest::TearDown();
    }

    // A drawing with a title and the given body records.
    void zeichnung(const std::string& n, const char* titel, const std::vector<BEF>& koerper = {})
    {
        ZeiDatei d;
        ASSERT_EQ(ZeiDateiAnlegen(&d, pfad(n).c_str()), 0);
        ZeiFormatSetzen(&d, BEF_ZA3);
        BEF b{};
        b.code = BEF_ZAT;
        char w[BEFTEXTSUP + 1];
        ZatBauen(w, "", titel, "");
        BefTextSetzen(&b, w);
        ASSERT_EQ(ZeiBefSchreiben(&d, &b), 0);
        for (const BEF& k : koerper) ASSERT_EQ(ZeiBefSchreiben(&d, &k), 0);
        ASSERT_EQ(ZeiDateiSchliessen(&d), 0);
    }

    static BEF bild(const char* datei, double b = 25.4, double h = 12.7)
    {
        BEF r{};
        r.code = BEF_GRF;
        r.darg[0] = b;
        r.darg[1] = h;
        BefTextSetzen(&r, datei);
        return r;
    }

    // Subtitle "Steuerung" from Plan.005 on.
    void untertitel()
    {
        std::vector<std::string> steuerung = {"005", "Steuerung", "Halle 1", "Ort A"};
        schreiben(pfad("Projekt.zvk"), "zvkP\n)S Titel\n" + felder({"___", "Werk", "", ""}) + "\n" +
                                           felder(steuerung) + "\n)S Kennung\n)E\n");
    }

    // Reads the list and marks the named entries ("*" every one).
    void markieren(const std::vector<std::string>& namen)
    {
        PvwVerzLesen();
        for (int i = 0; i < PvwAnzahl(); ++i) {
            char n[PVWNAMESUP + 1] = "";
            PvwEintragName(i, n);
            for (const std::string& m : namen)
                if (m == "*" || m == n) PvwMarkSetzen(i, 1);
        }
    }

    std::vector<std::string> meldungen()
    {
        std::vector<std::string> m;
        for (const auto& f : plNachrichtBoxFragen()) m.push_back(f.text);
        plNachrichtBoxFragenLeeren();
        return m;
    }

    std::string konfig;
};

TEST_F(ExportTest, KindsAndNames)
{
    struct Art {
        const char* eintrag;
        int art;
    } arten[] = {{"PDF         1", 1}, {"DUMP        5", 5}, {"  SVG 4", 4}, {"TXT", -1}, {"", -1}};
    for (const Art& a : arten) EXPECT_EQ(ExportArtAusText(a.eintrag), a.art) << a.eintrag;
    EXPECT_STREQ(ExportArtTabelle(EXPORT_DUMP)->endung, ".dump");
    EXPECT_STREQ(ExportArtTabelle(EXPORT_DUMP)->nameSchluessel, "TxtDatei");
    EXPECT_EQ(ExportArtTabelle(6), nullptr);

    // Folder and name together below 161 characters.
    const std::string o100(100, 'o');
    EXPECT_EQ(ExportNameLaenge(o100.c_str(), std::string(60, 'n').c_str()), 0);
    EXPECT_TRUE(meldungen().empty());
    EXPECT_EQ(ExportNameLaenge(o100.c_str(), std::string(61, 'n').c_str()), -1);
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Der erzeugte Dateiname ist zu lang."});

    zeichnung("Plan.005", "Verteilung");
    ZeiAktSetzen(pfad("Plan.005").c_str());
    struct Name {
        const char* ordner;
        const char* name;
        const char* pfad;  // "" refused
    } namen[] = {
        {"/x/", "Plan.dxf", "/x/Plan.dxf"},          // no placeholder: the same file for every drawing
        {"/x/", "@Z.svg", "/x/Plan.005.svg"},        // the extension is cut before expanding
        {"/x/", "@ZP-@ZS", "/x/Plan-005"},           // no extension
        {"/a.b/", "@ZS", "/a.b/005"},                // a '.' of the folder is no extension
    };
    for (const Name& n : namen) {
        std::string p;
        EXPECT_EQ(ExportAusgabeName(n.ordner, n.name, &p), 0) << n.name;
        EXPECT_EQ(p, n.pfad) << n.name;
    }
    // 130 + 20 characters pass the field check, but expand to 210.
    const std::string lang = "/" + std::string(128, 'o') + "/";
    const std::string zehnmal = "@Z@Z@Z@Z@Z@Z@Z@Z@Z@Z";
    EXPECT_EQ(ExportNameLaenge(lang.c_str(), zehnmal.c_str()), 0);
    std::string p = "alt";
    EXPECT_EQ(ExportAusgabeName(lang.c_str(), zehnmal.c_str(), &p), -1);
    EXPECT_EQ(p, "");
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Der erzeugte Dateiname ist zu lang."});
}

TEST_F(ExportTest, PerDrawingRunInListOrderWithIndex)
{
    zeichnung("Plan.001", "Deckblatt");
    zeichnung("Plan.005", "Verteilung");
    zeichnung("Plan.010", "Einspeisung");
    zeichnung("Plan.012", "Antrieb");
    schreiben(pfad("Liste.pdf"), "%PDF");
    untertitel();
    markieren({"Plan.012", "Plan.001", "Plan.005", "Liste.pdf"});
    const std::string ziel = pfad("aus/tief");  // missing folders are made

    EXPECT_EQ(ExportDateien(EXPORT_SVG, ziel.c_str(), "Plan #@ZS.svg", 1), 3);
    EXPECT_EQ(geschrieben(), (std::vector<std::string>{"4 Plan.001 Plan #001.svg", "4 Plan.005 Plan #005.svg",
                                                       "4 Plan.012 Plan #012.svg"}));
    const std::string html = lesen(ziel + "/Inhalt.html");
    EXPECT_NE(html.find("15.03.2021<p>"), std::string::npos);
    // Plan.001 before the subtitle, then the heading and its two drawings.
    const size_t a = html.find("href=\"Plan%20%23001.svg\">Plan #001.svg<");
    const size_t h = html.find("<h2>\nSteuerung\nHalle 1\nOrt A\n</h2>");
    const size_t b = html.find("href=\"Plan%20%23005.svg\"");
    const size_t c = html.find("href=\"Plan%20%23012.svg\"");
    EXPECT_TRUE(a < h && h < b && b < c) << html;
    EXPECT_EQ(html.find("Liste.pdf"), std::string::npos);

    // Nothing marked: the folder and an index without rows.
    geschrieben().clear();
    markieren({});
    const std::string leer = pfad("leer");
    EXPECT_EQ(ExportDateien(EXPORT_TXT, leer.c_str(), "@Z.txt", 1), 0);
    EXPECT_TRUE(geschrieben().empty());
    EXPECT_EQ(lesen(leer + "/Inhalt.html").find("<tr>"), std::string::npos);
    EXPECT_NE(lesen(leer + "/Inhalt.html").find("</html>"), std::string::npos);

    // PDF is not a per-drawing kind.
    EXPECT_EQ(ExportDateien(EXPORT_PDF, leer.c_str(), "x.pdf", 0), -1);
}

TEST_F(ExportTest, CancelEndsAfterTheCurrentDrawing)
{
    for (const char* n : {"Plan.001", "Plan.002", "Plan.003"}) zeichnung(n, "T");
    markieren({"*"});
    ExportSchreiberSetzen([](int art, const char* z, const char* a) {
        // The user presses Cancel of the progress dialog while the first is written.
        if (geschrieben().empty()) SendMessage(wiLangFenster(), WM_COMMAND, 2, 0);
        return schreiberAufzeichnen(art, z, a);
    });
    EXPECT_EQ(ExportDateien(EXPORT_DUMP, pfad("d").c_str(), "@Z.dump", 0), 1);
    EXPECT_EQ(geschrieben(), std::vector<std::string>{"5 Plan.001 Plan.001.dump"});
    EXPECT_EQ(wiLangTiefe(), 0);
}

TEST_F(ExportTest, PicturesLeftOutAreListedOnce)
{
    const char* const bilder[] = {"a.wmf", "b.bmp", "c.jpg", "d.png", "e.emf"};
    std::vector<std::string> namen;
    for (int i = 0; i < 5; ++i) {
        const std::string n = "Plan.00" + std::to_string(i + 1);
        zeichnung(n, "T", {bild(bilder[i])});
        namen.push_back(n);
    }
    markieren(namen);
    EXPECT_EQ(ExportDateien(EXPORT_DXF, pfad("dxf").c_str(), "@Z.dxf", 0), 5);
    EXPECT_EQ(ExportBildAnzahl(), 5);
    EXPECT_STREQ(ExportBildFehlt(), "a.wmf, b.bmp, c.jpg, ...");
    EXPECT_EQ(meldungen(), std::vector<std::string>{"Grafiken werden nicht exportiert: a.wmf, b.bmp, c.jpg, ..."});

    // A name that does not fit closes the list at once, and only once.
    zeichnung("Plan.001", "T", {bild("a.wmf"), bild((std::string(176, 'x') + ".png").c_str()), bild("c.jpg")});
    markieren({"Plan.001"});
    ExportDateien(EXPORT_HPGL, pfad("pl").c_str(), "@Z.hpgl", 0);
    EXPECT_STREQ(ExportBildFehlt(), "a.wmf, ...");

    // SVG and DUMP list nothing.
    ExportDateien(EXPORT_DUMP, pfad("pl").c_str(), "@Z.dump", 0);
    EXPECT_STREQ(ExportBildFehlt(), "");
    EXPECT_TRUE(meldungen().size() == 1);
}

TEST_F(ExportTest, SvgRunConvertsPicturesBesideItsFiles)
{
    ExportSchreiberSetzen(nullptr);  // the real SVG writer
    // a.wmf and d.emf recorded by the platform, b.bmp and c.jpg written by
    // the raster library: 40 x 20 pixels.
    {
        HDC dc = CreateMetaFile(nullptr);
        SetWindowExtEx(dc, 400, 200, nullptr);
        Rectangle(dc, 0, 0, 401, 201);
        HMETAFILE mf = CloseMetaFile(dc);
        std::vector<uint8_t> bits(GetMetaFileBitsEx(mf, 0, nullptr));
        GetMetaFileBitsEx(mf, static_cast<UINT>(bits.size()), bits.data());
        DeleteMetaFile(mf);
        HGLOBAL g = plGlobalAus(bits.data(), bits.size());
        ASSERT_EQ(MetaDateiSchreibenBox(pfad("a.wmf").c_str(), g, 400, 200, 1440), 0);
        BildSpeicherFrei(g);
        HDC e = CreateEnhMetaFile(0, pfad("d.emf").c_str(), nullptr, "Test");
        RECT r = {0, 0, 400, 200};
        FillRect(e, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DeleteEnhMetaFile(CloseEnhMetaFile(e));
        imgdes i;
        ASSERT_EQ(allocimage(&i, 40, 20, 24), 0);
        ASSERT_EQ(savebmp(pfad("b.bmp").c_str(), &i, 0), 0);
        ASSERT_EQ(savejpg(pfad("c.jpg").c_str(), &i, 75), 0);
        freeimage(&i);
    }
    zeichnung("Plan.001", "Bilder",
              {bild("a.wmf"), bild("b.bmp"), bild("c.jpg"), bild("d.emf"), bild("fehlt.png"), bild("x.gif")});
    markieren({"Plan.001"});
    const std::string ziel = pfad("svg");
    ASSERT_EQ(ExportDateien(EXPORT_SVG, ziel.c_str(), "@Z.svg", 0), 1);
    std::vector<std::string> dateien;
    for (const auto& e : fs::directory_iterator(ziel)) dateien.push_back(e.path().filename().string());
    std::sort(dateien.begin(), dateien.end());
    EXPECT_EQ(dateien, (std::vector<std::string>{"Plan.001.svg", "a.png", "b.png", "c.jpg", "d.png"}));
    // Metafiles at 100 per inch of 25.4 x 12.7 mm; the 40 x 20 BMP fits
    // within 100 and keeps its size.
    struct Groesse {
        const char* name;
        int b, h;
    } groessen[] = {{"a.png", 100, 50}, {"d.png", 100, 50}, {"b.png", 40, 20}};
    for (const Groesse& g : groessen) {
        int b = 0, h = 0;
        EXPECT_EQ(BildGroesse((ziel + "/" + g.name).c_str(), BILD_PNG, &b, &h), 0) << g.name;
        EXPECT_EQ(b, g.b) << g.name;
        EXPECT_EQ(h, g.h) << g.name;
    }
    const std::string svg = lesen(ziel + "/Plan.001.svg");
    for (const char* ref : {"\"a.png\"", "\"b.png\"", "\"c.jpg\"", "\"d.png\""})
        EXPECT_NE(svg.find(ref), std::string::npos) << ref;
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(ExportTest, PdfOutlineAndOverwriteQuestion)
{
    zeichnung("Plan.001", "Deckblatt");
    zeichnung("Plan.005", "Verteilung");
    zeichnung("Plan.010", "Einspeisung");
    zeichnung("Plan.012", "Antrieb");
    untertitel();
    markieren({"*"});
    static std::vector<std::string> gliederung;
    gliederung.clear();
    PdfProtokollSetzen([](const std::string& z) {
        if (z.rfind("DPLNewOutline", 0) == 0) gliederung.push_back(z.substr(0, z.find(" ->")));
    });
    const std::string ziel = pfad("pdf");
    ASSERT_EQ(ExportPdf(ziel.c_str(), "Mappe.pdf"), 0);
    EXPECT_EQ(ExportPdfPfad(), ziel + "/Mappe.pdf");
    ASSERT_EQ(gliederung.size(), 5u);
    EXPECT_EQ(gliederung[0].rfind("DPLNewOutline 0 \"001  ", 0), 0u) << gliederung[0];
    // The heading points at the page that follows it, its three drawings below it.
    EXPECT_EQ(gliederung[1].rfind("DPLNewOutline 0 \"", 0), 0u) << gliederung[1];
    EXPECT_NE(gliederung[1].find("\" 2"), std::string::npos) << gliederung[1];
    for (int i = 2; i < 5; ++i) {
        EXPECT_EQ(gliederung[static_cast<size_t>(i)].rfind("DPLNewOutline 0 ", 0), std::string::npos);
        EXPECT_NE(gliederung[static_cast<size_t>(i)].find("\" " + std::to_string(i)), std::string::npos);
    }
    EXPECT_NE(gliederung[2].find("005  "), std::string::npos);
    const std::string erste = lesen(ziel + "/Mappe.pdf");
    ASSERT_EQ(erste.rfind("%PDF", 0), 0u);

    // Declining the overwrite leaves the file; the question names it.
    plNachrichtBoxAntwort(IDNO);
    EXPECT_EQ(ExportPdf(ziel.c_str(), "Mappe.pdf"), 1);
    EXPECT_EQ(lesen(ziel + "/Mappe.pdf"), erste);
    const auto m = meldungen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find("Diese Datei ist bereits vorhanden."), std::string::npos);
    EXPECT_EQ(ExportPdfPfad(), std::string());
}

TEST_F(ExportTest, FailuresKeepTheEarlierFiles)
{
    ExportSchreiberSetzen(nullptr);
    zeichnung("Plan.001", "Deckblatt");
    markieren({"Plan.001"});
    const std::string ziel = pfad("txt");
    fs::create_directories(ziel);
    schreiben(ziel + "/Plan.001.txt", "alt");
    schreiben(ziel + "/Inhalt.html", "alt");
    for (int k = 1;; ++k) {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Schreiben, k, true);
        ExportDateien(EXPORT_TXT, ziel.c_str(), "@Z.txt", 1);
        const bool fertig = !plFehlerAusgeloest(PlFehlerArt::Schreiben);
        const std::string txt = lesen(ziel + "/Plan.001.txt"), html = lesen(ziel + "/Inhalt.html");
        for (const auto& e : fs::directory_iterator(ziel)) {
            const std::string n = e.path().filename().string();
            EXPECT_TRUE(n == "Plan.001.txt" || n == "Inhalt.html") << "left over: " << n << " at write " << k;
        }
        if (fertig) {
            EXPECT_NE(txt, "alt");
            EXPECT_NE(html.find("</html>"), std::string::npos);
            break;
        }
        EXPECT_TRUE(txt == "alt" || txt.size() > 3) << k;
        EXPECT_TRUE(html == "alt" || html.find("</html>") != std::string::npos) << k;
        ASSERT_LT(k, 50);
    }
}

}  // namespace
