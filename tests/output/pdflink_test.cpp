// PDF links, bookmarks and appended files over a small equipment store:
// the links made (calls at the export's seam) and what the written file
// holds (qpdf's JSON: annotation rectangles and colours, the outline).
#define POINTERHOLDER_TRANSITION 4
#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "equipment/btl.h"
#include "equipment/ges.h"
#include "model/zeichnun.h"
#include "output/pdfbind.h"
#include "output/pdfexport.h"
#include "output/schrift.h"
#include "platform/nachrichtbox.h"
#include "platform/pdfbib.h"
#include "tests/equipment/bmtest.h"

namespace {

std::vector<std::string> protokoll;
void mitschreiben(const std::string& z) { protokoll.push_back(z); }

std::string alle(const std::vector<std::string>& p)
{
    std::string r;
    for (const std::string& z : p) r += z + "\n";
    return r;
}

std::vector<std::string> mit(const std::string& anfang)
{
    std::vector<std::string> r;
    for (const std::string& z : protokoll)
        if (z.rfind(anfang, 0) == 0) r.push_back(z);
    return r;
}

struct PdfLinks : bmtest::BmTest {
    void SetUp() override
    {
        BmTest::SetUp();
        satz("1", "1");
        BMStart();
        plNachrichtBoxFragenLeeren();
        protokoll.clear();
        PdfProtokollSetzen(mitschreiben);
        // Item 1: main component on page 5, sub-component on page 2; item
        // 2: main component on page 3.
        ASSERT_EQ(GesAnlegen(0, "Lampe"), 1u);
        ASSERT_EQ(GesAnlegen(0, "Schalter"), 2u);
        for (uint32_t id : {1u, 2u}) {
            appgeraet g;
            ASSERT_EQ(GesHolen(id, &g), 0);
            std::snprintf(g.ft, sizeof g.ft, "-K%u", id);
            ASSERT_EQ(GesAendern(id, &g), 0);
        }
        platzieren(1, "H", "005", 100, 100);
        platzieren(1, "Ua", "002", 30, 40);
        platzieren(2, "H", "003", 60, 60);
    }
    void TearDown() override
    {
        PdfProtokollSetzen(nullptr);
        BmTest::TearDown();
    }
    void satz(const char* mrk, const char* frb)
    {
        std::string z = "BMuse 1\nPaA4BlOri 0\nPaA4JusS 100\nPaA4StDef0 25 0 0 0\nPa34DPI 0\nPa34VrwUnt 1\n";
        z += std::string("Pa34VrwMrk ") + mrk + "\nPa34VrwFrb " + frb + "\nZvTG 35\nZvMS 10\n";
        for (int n = 0; n < 20; ++n) z += "LayAnz" + std::to_string(n) + " 1\n";
        vorgaben(z);
    }
    void platzieren(uint32_t id, const char* cd, const char* ze, double x, double y)
    {
        appbteil b{};
        b.id = id;
        std::strcpy(b.cd, cd);
        std::strcpy(b.ze, ze);
        std::strcpy(b.bl, "KON");
        b.platziert = 1;
        b.x = x;
        b.y = y;
        ASSERT_EQ(BtlEintragAnhaengen(&b), 0);
    }
    // Five A4 drawings "Anlage.001" ..; page 2 holds two texts naming item
    // 1, page 3 one naming item 2 (placed on page 3 itself).
    void exportieren(const std::vector<std::pair<std::string, std::string>>& anhang = {}, const char* seite4 = "")
    {
        const char* inhalt[5] = {"", "BW 20,0000 200,0000\nTFA \"@Y0001B\"\nBW 0,0000 20,0000\nTFA \"@Y0001K\"\n",
                                 "BW 20,0000 100,0000\nTFA \"@Y0002B\"\n", seite4, ""};
        ASSERT_EQ(PdfExportStart(pfad("aus.pdf").c_str()), 1);
        for (int i = 0; i < 5; ++i) {
            const std::string txt = pfad("a" + std::to_string(i) + ".txt");
            bmtest::schreiben(txt, std::string("VER 10\nTG 5,0000\n") + inhalt[i] + "ZA4\n");
            const std::string z = pfad("Anlage.00" + std::to_string(i + 1));
            ASSERT_GE(ZeiAusText(z.c_str(), txt.c_str()), 0);
            ASSERT_EQ(PdfSeite(z.c_str()), 0);
            PdfGliederung(0, i + 1, ("Blatt " + std::to_string(i + 1)).c_str());
        }
        for (const auto& [p, t] : anhang) PdfAnhaengen(p.c_str(), t.c_str());
        EXPECT_EQ(PdfExportEnde(), 0);
        EXPECT_EQ(PdfLibNutzer(), 0);
    }
    std::vector<std::string> warnungen()
    {
        std::vector<std::string> w;
        for (const auto& f : plNachrichtBoxFragen()) w.push_back(f.text);
        return w;
    }
};

// The link annotations of page `seite` (from 1) as the file holds them, in
// order: "rect x0 y0 x1 y1 C r g b -> target page".
std::vector<std::string> dateiLinks(const std::string& pfad, int seite)
{
    QPDF q;
    q.processFile(pfad.c_str());
    std::vector<QPDFPageObjectHelper> seiten = QPDFPageDocumentHelper(q).getAllPages();
    auto seiteVon = [&](QPDFObjectHandle ziel) {
        QPDFObjectHandle root = q.getRoot();
        if (ziel.isString() || ziel.isName()) {
            const std::string name = ziel.isString() ? ziel.getUTF8Value() : ziel.getName().substr(1);
            QPDFObjectHandle gefunden;
            if (root.getKey("/Names").isDictionary() && root.getKey("/Names").getKey("/Dests").isDictionary()) {
                QPDFNameTreeObjectHelper baum(root.getKey("/Names").getKey("/Dests"), q);
                baum.findObject(name, gefunden);
            } else if (root.getKey("/Dests").isDictionary()) {
                gefunden = root.getKey("/Dests").getKey("/" + name);
            }
            ziel = gefunden.isDictionary() ? gefunden.getKey("/D") : gefunden;
        }
        if (!ziel.isArray()) return 0;
        for (size_t i = 0; i < seiten.size(); ++i)
            if (seiten[i].getObjectHandle().getObjGen() == ziel.getArrayItem(0).getObjGen()) return static_cast<int>(i + 1);
        return 0;
    };
    std::vector<std::string> r;
    for (QPDFAnnotationObjectHelper h : seiten[seite - 1].getAnnotations("/Link")) {
        QPDFObjectHandle a = h.getObjectHandle();
        char t[200];
        auto zahl = [](QPDFObjectHandle o) { return o.getNumericValue(); };
        QPDFObjectHandle rect = a.getKey("/Rect"), c = a.getKey("/C");
        QPDFObjectHandle ziel = a.getKey("/Dest");
        if (ziel.isNull() && a.getKey("/A").isDictionary()) ziel = a.getKey("/A").getKey("/D");
        std::snprintf(t, sizeof t, "rect %.1f %.1f %.1f %.1f C %.1f %.1f %.1f -> %d", zahl(rect.getArrayItem(0)),
                      zahl(rect.getArrayItem(1)), zahl(rect.getArrayItem(2)), zahl(rect.getArrayItem(3)),
                      c.isArray() ? zahl(c.getArrayItem(0)) : -1, c.isArray() ? zahl(c.getArrayItem(1)) : -1,
                      c.isArray() ? zahl(c.getArrayItem(2)) : -1, seiteVon(ziel));
        r.push_back(t);
    }
    return r;
}

// A one-page PDF made by the layer.
void datenblatt(const std::string& pfad)
{
    const int inst = PdfLibHolen();
    DPLNewDocument(inst);
    DPLDrawText(inst, 50, 700, L"Datenblatt");
    ASSERT_EQ(DPLSaveToFile(inst, pdfbibBreit(pfad).c_str()), 1);
    DPLRemoveDocument(inst, DPLSelectedDocument(inst));
    PdfLibFreigeben();
}

TEST_F(PdfLinks, SubComponentsFirstThenTextsNumberedPerPage)
{
    exportieren();
    const auto links = mit("DPLAddLinkToDestination");
    // Page 2: the 4 mm square around the sub-component (30, 40) first, then
    // the two texts, all to page 5, orange; page 3's text stays on its page
    // and "Pa34VrwMrk" 1 gives it no link.
    ASSERT_EQ(links.size(), 3u) << alle(protokoll);
    EXPECT_EQ(links[0].rfind("DPLAddLinkToDestination 2 79.37 119.06 11.34 11.34 -> 5 (1) border 1 1.0 0.5 0.0", 0), 0u)
        << links[0];
    EXPECT_NE(links[1].find("-> 5 (2) border 2 1.0 0.5 0.0"), std::string::npos) << links[1];
    EXPECT_NE(links[2].find("-> 5 (3) border 3 1.0 0.5 0.0"), std::string::npos) << links[2];
    EXPECT_EQ(links[1].rfind("DPLAddLinkToDestination 2 ", 0), 0u);
    // The file holds them in that order: the square (28..32, 38..42 mm)
    // first, each to page 5 with an orange border.
    const auto datei = dateiLinks(pfad("aus.pdf"), 2);
    ASSERT_EQ(datei.size(), 3u);
    double r[4];
    ASSERT_EQ(std::sscanf(datei[0].c_str(), "rect %lf %lf %lf %lf", &r[0], &r[1], &r[2], &r[3]), 4);
    const double soll[4] = {79.37, 107.72, 90.71, 119.06};   // within the border's width
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(r[i], soll[i], 1.0) << datei[0];
    for (const std::string& l : datei) EXPECT_NE(l.find("C 1.0 0.5 0.0 -> 5"), std::string::npos) << l;
    EXPECT_TRUE(dateiLinks(pfad("aus.pdf"), 3).empty());
}

// References that lead nowhere make no link and no message: a page
// reference to a component that is not placed (its first line shows "-",
// though the component still names the drawing it was taken from), an item
// that does not exist. A page reference to a placed main component links to
// its page.
TEST_F(PdfLinks, ReferencesWithoutATargetMakeNoLink)
{
    ASSERT_EQ(GesAnlegen(0, "Taster"), 3u);
    appbteil b{};
    b.id = 3;
    std::strcpy(b.cd, "H");
    std::strcpy(b.ze, "003");
    std::strcpy(b.bl, "KON");
    ASSERT_EQ(BtlEintragAnhaengen(&b), 0);  // not placed
    exportieren({}, "BW 20,0000 200,0000\nTFA \"@Y0003P\"\nBW 0,0000 20,0000\nTFA \"@Y0009B\"\n"
                    "BW 0,0000 20,0000\nTFA \"@Y0002P\"\n");
    EXPECT_TRUE(warnungen().empty());
    const auto links = mit("DPLAddLinkToDestination 4 ");
    ASSERT_EQ(links.size(), 1u) << alle(protokoll);
    EXPECT_NE(links[0].find("-> 3 (1)"), std::string::npos) << links[0];
    const auto datei = dateiLinks(pfad("aus.pdf"), 4);
    ASSERT_EQ(datei.size(), 1u);
    EXPECT_NE(datei[0].find("-> 3"), std::string::npos) << datei[0];
}

TEST_F(PdfLinks, LinksWithinAPageOnlyWhenAsked)
{
    satz("2", "1");
    exportieren();
    const auto links = mit("DPLAddLinkToDestination 3 ");
    ASSERT_EQ(links.size(), 1u) << alle(protokoll);
    EXPECT_NE(links[0].find("-> 3 (1) border 1 0.0 0.5 1.0"), std::string::npos) << links[0];
    const auto datei = dateiLinks(pfad("aus.pdf"), 3);
    ASSERT_EQ(datei.size(), 1u);
    EXPECT_NE(datei[0].find("C 0.0 0.5 1.0 -> 3"), std::string::npos) << datei[0];
    satz("0", "1");
    protokoll.clear();
    exportieren();
    EXPECT_TRUE(mit("DPLAddLinkToDestination").empty());
}

TEST_F(PdfLinks, AppendedFilesGetBookmarksBelowTheLastAndAFailedOneIsNamed)
{
    datenblatt(pfad("eins.pdf"));
    datenblatt(pfad("zwei.pdf"));
    bmtest::schreiben(pfad("kaputt.pdf"), "kein PDF");
    exportieren({{pfad("eins.pdf"), "Eins"}, {pfad("kaputt.pdf"), "Kaputt"}, {pfad("zwei.pdf"), "Zwei"}});
    // One warning naming the file left out.
    const auto w = warnungen();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].find("kaputt.pdf"), std::string::npos) << w[0];
    EXPECT_EQ(w[0].find("eins.pdf"), std::string::npos) << w[0];
    // The written file: seven pages, the outline five sheets with the two
    // appended files below the last.
    const int inst = PdfLibHolen();
    ASSERT_GT(DPLLoadFromFile(inst, pdfbibBreit(pfad("aus.pdf")).c_str(), L""), 0);
    EXPECT_EQ(DPLPageCount(inst), 7);
    ASSERT_EQ(DPLOutlineCount(inst), 7);
    std::vector<std::string> titel;
    for (int i = 1; i <= 7; ++i) {
        const int id = DPLGetOutlineID(inst, i);
        titel.push_back(pdfbibSchmal(DPLOutlineTitle(inst, id), 100) + "@" + std::to_string(DPLGetOutlinePage(inst, id)));
    }
    EXPECT_EQ(titel, (std::vector<std::string>{"Blatt 1@1", "Blatt 2@2", "Blatt 3@3", "Blatt 4@4", "Blatt 5@5", "Eins@6",
                                               "Zwei@7"}));
    PdfLibFreigeben();
    // Depth: the appended ones sit below "Blatt 5" (qpdf's outline tree
    // writes an entry's kids before its title).
    ASSERT_EQ(std::system(("qpdf --json --json-key=outlines '" + pfad("aus.pdf") + "' > '" + pfad("o.json") + "'").c_str()), 0);
    const std::string json = bmtest::lesen(pfad("o.json"));
    const size_t b4 = json.find("\"title\": \"Blatt 4\""), b5 = json.find("\"title\": \"Blatt 5\"");
    ASSERT_NE(b5, std::string::npos) << json;
    for (const char* t : {"\"title\": \"Eins\"", "\"title\": \"Zwei\""}) {
        EXPECT_GT(json.find(t), b4) << t;
        EXPECT_LT(json.find(t), b5) << t;
    }
    EXPECT_EQ(std::system(("qpdf --check '" + pfad("aus.pdf") + "' >/dev/null").c_str()), 0);
}

TEST_F(PdfLinks, AppendListEndsAt200)
{
    datenblatt(pfad("eins.pdf"));
    std::vector<std::pair<std::string, std::string>> viele(201, {pfad("eins.pdf"), "E"});
    exportieren(viele);
    EXPECT_EQ(mit("DPLMergeDocument").size(), 200u);
}

}  // namespace
