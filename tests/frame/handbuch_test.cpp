// The books made at build time beside the program: the manual and the
// component book pass qpdf's check; pdftotext finds in the manual the
// caption of every item of the six menus and in the component book the
// name of every symbol of the shipped library; F1 finds a page for every
// program page, every dialog template of the resources and every settings
// page (a table over the help topics through the online viewer's own
// lookup, which says so in a box when a topic or its page is missing);
// every dialog page says what its dialog is for before its field list and
// gives each field a line of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/bauteil.h"
#include "platform/cp1252.h"
#include "platform/nachrichtbox.h"
#include "platform/ressource.h"
#include "project/hbview.h"
#include "project/hilfe.h"
#include "tests/frame/rahmen_pruef.h"
#include "winlib/dialog.h"

namespace fs = std::filesystem;

namespace {

fs::path neben(const char* name) { return fs::read_symlink("/proc/self/exe").parent_path() / name; }

std::string befehl(const std::string& b)
{
    std::string aus;
    FILE* p = popen(b.c_str(), "r");
    if (!p) return aus;
    char puffer[4096];
    size_t n;
    while ((n = fread(puffer, 1, sizeof puffer, p)) > 0) aus.append(puffer, n);
    pclose(p);
    return aus;
}

// pdftotext's text (UTF-8) with every run of white space one blank: a
// caption broken over two lines is still found.
std::string text(const fs::path& pdf)
{
    std::string t = befehl("pdftotext -enc UTF-8 '" + pdf.string() + "' -"), r;
    bool blank = false;
    for (char c : t) {
        const bool w = c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f';
        if (w && !blank) r += ' ';
        if (!w) r += c;
        blank = w;
    }
    return r;
}

void punkteSammeln(const std::vector<RcMenuePunkt>& punkte, std::vector<std::string>& aus)
{
    for (const RcMenuePunkt& p : punkte) {
        if (p.flags & MF_SEPARATOR) continue;
        std::string t;
        for (char c : p.text.substr(0, p.text.find('\t')))
            if (c != '&') t += c;
        aus.push_back(plCpNachUtf8(t));
        punkteSammeln(p.unter, aus);
    }
}

}  // namespace

TEST(Handbuch, BothBooksPassQpdfAndHoldEveryMenuCaptionAndSymbolName)
{
    const fs::path handbuch = neben("Velmo-Handbuch.pdf"), bauteile = neben("Velmo-Bauteile.pdf");
    ASSERT_TRUE(fs::exists(handbuch)) << "built with the program: " << handbuch;
    ASSERT_TRUE(fs::exists(bauteile)) << bauteile;
    for (const fs::path& p : {handbuch, bauteile, neben("Velmo.pdf")})
        EXPECT_EQ(std::system(("qpdf --check '" + p.string() + "' > /dev/null").c_str()), 0) << p;

    const std::string h = text(handbuch);
    std::vector<std::string> captions;
    for (const char* m : {"ANW_MENU", "EDT_MENU", "SON_MENU", "ANZ_MENU", "PROVERW_RM", "PROVERW_HGRM"}) {
        const RcMenue* r = rcMenue(GetModuleHandle(nullptr), m);
        ASSERT_NE(r, nullptr) << m;
        punkteSammeln(r->punkte, captions);
    }
    ASSERT_GT(captions.size(), 150u);
    std::string fehlt;
    for (const std::string& c : captions)
        if (h.find(c) == std::string::npos) fehlt += c + "\n";
    EXPECT_EQ(fehlt, "");

    const std::string b = text(bauteile);
    BauBibHandle bib;
    ASSERT_EQ(BauBibOeffnen(&bib, (std::string(VELMO_SOURCE_DIR) + "/data/BAUTEILE.STD").c_str()), 0);
    ASSERT_GT(bib.anzahl, 40);
    fehlt.clear();
    for (int i = 0; i < bib.anzahl; ++i) {
        char n[BAUNAMSUP + 1] = "";
        BauNameHolen(&bib, i, n, sizeof n);
        if (b.find(plCpNachUtf8(n)) == std::string::npos) fehlt += std::string(n) + "\n";
    }
    BauBibZu(&bib);
    EXPECT_EQ(fehlt, "");
}

// Each dialog page as pdftotext reads it: the words between its title and
// the closing line, a sentence first, then "Felder und Knöpfe:" and one
// bullet per field, "Feld – was es bedeutet". The pages a new user meets on
// the way from a new project to the printed lists must be whole; the count
// of whole pages and the ones still bare are reported.
TEST(Handbuch, DialogPagesSayWhatTheDialogIsForAndWhatEachFieldMeans)
{
    const std::string h = text(neben("Velmo-Handbuch.pdf"));
    ASSERT_FALSE(h.empty());
    const std::string ende = "Esc schließt den Dialog, F1 zeigt diese Seite.", liste = "Felder und Knöpfe:";
    // The start screen is left out: its version line is a field of its own
    // whose words change with the version.
    const std::set<std::string> ganz = {
        "ANW_ABOUT", "FUNKWAHL", "anw_long", "APPARTLISTE", "APPSTKLISTE", "APPARTEINZ", "APPSTKEINZ", "AUSWERTNEU",
        "AUSWERTALT", "BAUTEILE", "BAUDATANLEGEN", "EIGENSCHAFT", "UMBENENNEN", "LOESCHEN", "MARKIEREN",
        "ZEICHIMPORT", "BMTEXTE", "APPEXTTXTEXP", "APPEXTTXTIMP", "CHKListen", "CHKListenSPR", "anw_lpt",
        "TEXTANZEIGEN", "EDITMAIN", "ERSATZBTL", "BTLFENSTER", "ZvCopy", "PDFHilfe", "DXFImport", "HPGLImport",
        "TXTImport", "ZeiTxtExp", "ZeiTxtImp", "PROVERW", "SHOWZEICH", "RSCHREIB", "SPSINFOLISTE", "SPSINFOEINZ",
        "SPRACHEN", "STDTEXTT", "STDTEXTS", "STDTEXTL", "FARBLISTE", "SCHRIFTEN", "PVWSTARTUP1", "UTitelImp",
        "PVWNZDUEBER", "PVWNZDUBENENN", "ZV5Import",
        "PVWVERZANLEGEN", "PVWVERZEICHNIS", "PVWPROSICHERN", "ZeiAnlegen", "ZeiEigen",  "ZeiLoesch",    "ZeiUmnr",
        "ZeiIdxset",      "ZeiTxtset",      "ZeiMstEntf",    "VorListeGB", "VorEditGB", "BMITTEL",      "BMLBEARB_INT",
        "BMLBEARB_EXT",   "BMMERGE",        "BMPRUEFEN",     "EINFRIEREN", "DB1202",    "DB1211",       "DB1350",
        "DB1352",         "DB1361",         "DB1200",        "DB1201",     "DB1102",    "DB1104",       "DB1105",
        "PTITEL",         "LAYER",          "STIFTE",        "AUSWERTEN",  "AUSWERTALLE", "AUSWERTOPT", "Export",
        "PVWVERZNEU",     "PVWVERZREN",     "PVWVERZCOPY",   "PVWVERZMOVE", "UTITEL",
        "DB1010",         "DB1103",         "DB1100",
        "DB1351", "DB1354", "DB1355", "DB1356", "DB1357", "DB1358", "DB1359", "DB1360", "DB1362",
        "DB1232D", "DB1232P", "DB1232K",
        "DB1240", "DB1205",
        "DB1205F002", "DB1205F003", "DB1205F004", "DB1205F005", "DB1205F006", "DB1205F007", "DB1205F008", "DB1205F009", "DB1205F010", "DB1205F011", "DB1205F012",
        "DB1205F101", "DB1205F102", "DB1205F103", "DB1205F104", "DB1205F105", "DB1205F106", "DB1205F107", "DB1205F108", "DB1205F109", "DB1205F110", "DB1205F111", "DB1205F112",
        "DB1011", "DB1012", "DB1101", "DB1110", "DB1111", "DB1112",
        "DB1203", "DB1206", "DB1207", "DB1208", "DB1209",
        "DB1220", "DB1221", "DB1222", "DB1223", "DB1224",
        "DB1230", "DB1231", "DB1300", "DB1310", "DB1311", "DB1321", "DB1322",
        "DB1345", "DB1312", "DB1006",
        "DB1210", "DB1204T", "DB1204V"};
    int seiten = 0, vollstaendig = 0;
    std::string fehlt, offen;
    std::set<std::string> gesehen;  // several modules carry the editor's dialogs
    for (const std::string& m : rcModulNamen()) {
        if (fs::exists(fs::path(VELMO_TEST_DATA) / m)) continue;
        HMODULE modul = LoadLibrary(m.c_str());
        if (modul == 0) continue;
        for (const std::string& name : rcDialogNamen(modul)) {
            const RcDialog* d = rcDialog(modul, name.c_str());
            if (d == nullptr || !gesehen.insert(name).second) continue;
            // The title as pdftotext gives it: runs of blanks as one.
            std::string titel;
            std::istringstream worte(plCpNachUtf8(d->titel));
            for (std::string w; worte >> w;) titel += (titel.empty() ? "" : " ") + w;
            const std::string kopf = "Dialog " + (titel.empty() ? name : titel) + " (" + name + ") ";
            const size_t a = h.find(kopf);
            if (a == std::string::npos) {
                fehlt += name + ": no page\n";
                continue;
            }
            const size_t e = h.find(ende, a);
            ASSERT_NE(e, std::string::npos) << name;
            ++seiten;
            const std::string seite = h.substr(a + kopf.size(), e - a - kopf.size());
            const size_t l = seite.find(liste);
            const std::string vorne = seite.substr(0, l);
            // A sentence: several words ending in a full stop.
            const bool satz = std::count(vorne.begin(), vorne.end(), ' ') >= 5 && vorne.find(". ") != std::string::npos;
            std::string bar;
            if (l != std::string::npos) {
                const std::string felder = seite.substr(l + liste.size()) + "•";
                size_t p = felder.find("•"), q;
                for (; p != std::string::npos && (q = felder.find("•", p + 1)) != std::string::npos; p = q) {
                    const std::string feld = felder.substr(p, q - p);
                    if (feld.find(" – ") == std::string::npos) bar += " " + feld;
                }
            }
            if (satz && bar.empty()) {
                ++vollstaendig;
                continue;
            }
            const std::string warum = name + (satz ? "" : ": no sentence before the fields") +
                                      (bar.empty() ? "" : ": fields without a line:" + bar) + "\n";
            if (ganz.count(name)) fehlt += warum;
            else offen += name + " ";
        }
        FreeLibrary(modul);
    }
    EXPECT_GT(seiten, 150);
    EXPECT_EQ(fehlt, "");
    std::printf("%d of %d dialog pages describe every field; still bare: %s\n", vollstaendig, seiten, offen.c_str());
    RecordProperty("whole_dialog_pages", vollstaendig);
}

// F1 over every help topic: the viewer says nothing is missing and opens at
// the topic's own page: the page of the book (as pdftotext reads it) that
// carries the title the help index gives the topic.
TEST(Handbuch, F1FindsAPageForEveryPageDialogAndSettingsGroup)
{
    std::vector<std::string> args;
    std::vector<const char*> argv;
    const fs::path wurzel = rahmenWurzel("handbuch");
    ASSERT_FALSE(wurzel.empty());
    rahmenUmgebung(wurzel);
    rahmenStarten(args, argv, {"-W=1"});
    ASSERT_FALSE(HasFatalFailure());
    std::vector<std::string> themen = {"Zavik-PVW", "Zavik-EDIT", "Zavik-BML", "Zavik-AUS", "Zavik-ANZ"};
    // The program's modules (the test executable carries test modules too).
    for (const std::string& m : rcModulNamen()) {
        if (fs::exists(fs::path(VELMO_TEST_DATA) / m)) continue;
        HMODULE h = LoadLibrary(m.c_str());
        if (h == 0) continue;
        for (const std::string& d : rcDialogNamen(h)) themen.push_back(d);
        FreeLibrary(h);
    }
    std::ifstream vg(std::string(VELMO_SOURCE_DIR) + "/data/Vorgaben.txt", std::ios::binary);
    std::string z;
    bool gruppe = false;
    while (std::getline(vg, z)) {
        if (gruppe) themen.push_back("VorEditGB-" + z.substr(0, z.find(' ')));
        gruppe = z.rfind(")I", 0) == 0;
    }
    ASSERT_GT(themen.size(), 150u);
    char pfad[400];
    HandbuchPfad(pfad);
    EXPECT_EQ(fs::path(pfad), neben("Velmo.pdf")) << "the book beside the program in a build tree";
    HandbuchGliederungLaden(pfad);
    // The book's pages as pdftotext reads them, white space folded.
    std::vector<std::string> seiten;
    {
        const std::string roh = befehl("pdftotext -enc UTF-8 '" + std::string(pfad) + "' -");
        std::string s;
        bool blank = false;
        for (char c : roh + "\f") {
            if (c == '\f') {
                seiten.push_back(s);
                s.clear();
                blank = false;
                continue;
            }
            const bool w = c == ' ' || c == '\n' || c == '\r' || c == '\t';
            if (w && !blank) s += ' ';
            if (!w) s += c;
            blank = w;
        }
    }
    ASSERT_GT(seiten.size(), 20u);
    char index[400];
    HilfeDateiPfad("PDFIndex.txt", index, sizeof index);
    std::string fehlt;
    for (const std::string& t : themen) {
        plNachrichtBoxFragenLeeren();
        HilfeThemaZeigen(t.c_str());
        for (const plNachrichtBoxFrage& f : plNachrichtBoxFragen()) fehlt += t + ": " + f.text + "\n";
        if (!plNachrichtBoxFragen().empty()) continue;
        int anzahl = 0;
        std::string titel;
        ASSERT_EQ(HilfeIndexSuchen(index, t.c_str(), &anzahl, &titel), 1) << t;
        const int seite = HilfeErsteSeite();
        if (seite < 1 || seite > static_cast<int>(seiten.size()))
            fehlt += t + ": page " + std::to_string(seite) + " outside the book\n";
        else if (seiten[seite - 1].find(plCpNachUtf8(titel)) == std::string::npos)
            fehlt += t + ": page " + std::to_string(seite) + " does not carry \"" + plCpNachUtf8(titel) + "\"\n";
    }
    EXPECT_EQ(fehlt, "");
    rahmenBeenden();
    fs::remove_all(wurzel);
}

namespace {

struct Wort {
    double x0, y0, x1, y1;
    int zeile;
    std::string text;
};
struct Seite {
    double breite = 0, hoehe = 0;
    std::vector<Wort> woerter;
};

double attribut(const std::string& z, const char* name)
{
    const std::string k = std::string(name) + "=\"";
    const size_t a = z.find(k);
    return a == std::string::npos ? -1 : std::atof(z.c_str() + a + k.size());
}

// The words of every page with their boxes and lines (pdftotext
// -bbox-layout), in points from the top left corner.
std::vector<Seite> woerter(const fs::path& pdf)
{
    std::vector<Seite> seiten;
    std::istringstream ein(befehl("pdftotext -bbox-layout '" + pdf.string() + "' -"));
    std::string z;
    int zeile = 0;
    while (std::getline(ein, z)) {
        if (z.find("<page ") != std::string::npos) {
            seiten.push_back({attribut(z, "width"), attribut(z, "height"), {}});
        } else if (z.find("<line ") != std::string::npos) {
            ++zeile;
        } else if (z.find("<word ") != std::string::npos && !seiten.empty()) {
            const size_t a = z.find('>'), e = z.rfind("</word>");
            seiten.back().woerter.push_back({attribut(z, "xMin"), attribut(z, "yMin"), attribut(z, "xMax"),
                                             attribut(z, "yMax"), zeile,
                                             a != std::string::npos && e != std::string::npos ? z.substr(a + 1, e - a - 1) : ""});
        }
    }
    return seiten;
}

// What a reader would see as broken on the page: a word outside the page,
// two words of different lines on top of each other (a point of slack: a
// symbol's own stacked letters touch within their font's boxes).
std::string layoutFehler(const fs::path& pdf)
{
    std::string f;
    const std::vector<Seite> seiten = woerter(pdf);
    if (seiten.empty()) return pdf.filename().string() + ": no pages\n";
    for (size_t s = 0; s < seiten.size(); ++s) {
        const Seite& p = seiten[s];
        const std::string wo = pdf.filename().string() + " page " + std::to_string(s + 1) + ": ";
        for (size_t i = 0; i < p.woerter.size(); ++i) {
            const Wort& a = p.woerter[i];
            if (a.x0 < 0 || a.y0 < 0 || a.x1 > p.breite || a.y1 > p.hoehe) f += wo + "outside the page: " + a.text + "\n";
            for (size_t j = i + 1; j < p.woerter.size(); ++j) {
                const Wort& b = p.woerter[j];
                if (a.zeile == b.zeile) continue;
                const double e = 1.0;
                if (a.x0 + e < b.x1 && b.x0 + e < a.x1 && a.y0 + e < b.y1 && b.y0 + e < a.y1)
                    f += wo + "\"" + a.text + "\" over \"" + b.text + "\"\n";
            }
        }
    }
    return f;
}

}  // namespace

// Both books rendered page by page and read back word by word: every page
// renders, no word leaves its page or lies on a word of another line, and
// on the component book's grid pages every word stays inside its cell's
// column (the texts of neighbouring cells used to run into each other).
TEST(Handbuch, EveryPageRendersAndNoWordLeavesItsPageOrCoversAnother)
{
    const fs::path handbuch = neben("Velmo-Handbuch.pdf"), bauteile = neben("Velmo-Bauteile.pdf");
    const fs::path bilder = fs::path(::testing::TempDir()) / "handbuch_seiten";
    fs::create_directories(bilder);
    for (const fs::path& p : {handbuch, bauteile}) {
        ASSERT_TRUE(fs::exists(p)) << p;
        EXPECT_EQ(std::system(("pdftoppm -r 20 -png '" + p.string() + "' '" + (bilder / "s").string() + "'").c_str()), 0)
            << p;
        EXPECT_EQ(layoutFehler(p), "");
    }
    fs::remove_all(bilder);

    // The cells: five columns of 80 mm from 10 mm on the A3 sheet.
    const double mm = 72 / 25.4;
    std::string f;
    const std::vector<Seite> seiten = woerter(bauteile);
    for (size_t s = 0; s < seiten.size(); ++s) {
        int zellen = 0;
        for (const Wort& w : seiten[s].woerter) zellen += w.text == "Anschlusspunkte:";
        if (zellen < 2) continue;
        for (const Wort& w : seiten[s].woerter) {
            const int spalte = static_cast<int>((w.x0 / mm - 10) / 80);
            if (w.x1 / mm > 10 + 80 * (spalte + 1))
                f += "page " + std::to_string(s + 1) + ": \"" + w.text + "\" runs into the next cell\n";
        }
    }
    EXPECT_EQ(f, "");
    // A frame's title block keeps its variables: the book is no project.
    EXPECT_EQ(text(bauteile).find("Blatt 1"), std::string::npos);
}

// Each symbol's list of connection points is whole: as many "(x; y)" pairs
// follow "Anschlusspunkte: N" as N says, however many lines they take.
TEST(Handbuch, ComponentBookListsEveryConnectionPoint)
{
    const std::string b = text(neben("Velmo-Bauteile.pdf")), kopf = "Anschlusspunkte: ";
    // A pair "(x; y)" of numbers with one decimal at `a`: its end, or npos.
    auto paar = [&](size_t a) {
        if (a >= b.size() || b[a] != '(') return std::string::npos;
        const size_t e = b.find(')', a);
        if (e == std::string::npos) return e;
        const std::string t = b.substr(a + 1, e - a - 1);
        const size_t s = t.find("; ");
        auto zahl = [](const std::string& z) {
            const size_t k = z.find(',');
            return k != std::string::npos && k + 2 == z.size() && k > (z[0] == '-' ? 1u : 0u) &&
                   z.find_first_not_of("-0123456789,", 0) == std::string::npos;
        };
        return s != std::string::npos && zahl(t.substr(0, s)) && zahl(t.substr(s + 2)) ? e + 1 : std::string::npos;
    };
    std::string f;
    int listen = 0;
    for (size_t k = b.find(kopf); k != std::string::npos; k = b.find(kopf, k + 1), ++listen) {
        size_t a = k + kopf.size();
        const int soll = std::atoi(b.c_str() + a);
        a = b.find(' ', a);
        int n = 0;
        for (size_t e; a != std::string::npos && (e = paar(a + 1)) != std::string::npos; a = e) {
            ++n;
            if (b.compare(e, 1, ",") == 0) ++e;
        }
        if (n != soll) f += b.substr(k, 20) + " lists " + std::to_string(n) + "\n";
    }
    EXPECT_GT(listen, 40);
    EXPECT_EQ(f, "");
}

// The chapter that walks a project of one's own is in the manual, the
// pages of the dialogs it passes through point to it, and the program's
// internal key name shows nowhere.
TEST(Handbuch, DialogsOfTheFirstProjectPointToItsChapter)
{
    const std::string h = text(neben("Velmo-Handbuch.pdf"));
    ASSERT_NE(h.find("Erste Schritte: ein eigenes Projekt"), std::string::npos);
    EXPECT_EQ(h.find("Zavik"), std::string::npos);
    EXPECT_NE(h.find("Einstellungen Velmo "), std::string::npos);
    for (const char* d : {"PVWVERZANLEGEN", "ZeiAnlegen", "DB1350", "DB1352", "AUSWERTEN"}) {
        const size_t a = h.find("(" + std::string(d) + ")");
        ASSERT_NE(a, std::string::npos) << d;
        const size_t e = h.find("Esc schlie\xC3\x9F" "t den Dialog", a);
        EXPECT_NE(h.substr(a, e - a).find("Kapitel \"Erste Schritte: ein eigenes Projekt\""), std::string::npos) << d;
    }
}
