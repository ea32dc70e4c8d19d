// The component book (see handbuch.h), made the way the program makes any
// PDF of drawings: the book's pages are drawings in text form (A3 landscape,
// a grid of cells), each cell holding one symbol of the library (its own
// records after a move to the cell) and its name, title, description, norm
// and connection points as text records; the model's reader turns each page
// into a drawing file and the PDF export draws it through the element
// renderer. A symbol
// as large as a sheet (frames, cover sheets) gets a page of its own. The
// connection points are the PKT records at the position the moves before
// them reach, relative to the insertion point.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "output/pdfexport.h"
#include "tools/handbuch.h"

namespace {

struct HbbSymbol {
    std::string name;
    std::vector<std::string> zat;     // title, description, norm
    std::vector<std::string> punkte;  // "(x; y)"
    std::string zeichnung;            // its drawing records in text form, relative to the insertion point
    double links = 0, unten = 0, rechts = 0, oben = 0;  // extent from the insertion point
};

std::vector<std::string> hbbZitate(const std::string& t)
{
    std::vector<std::string> w;
    for (size_t a = t.find('"'); a != std::string::npos; a = t.find('"', a + 1)) {
        const size_t e = t.find('"', a + 1);
        if (e == std::string::npos) break;
        w.push_back(t.substr(a + 1, e - a - 1));
        a = e;
    }
    return w;
}

std::string hbbZahl(double v)
{
    char t[32];
    std::snprintf(t, sizeof t, "%.1f", v);
    std::string s = t;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

// A text record's text: the quotes of the text form are not allowed inside.
std::string hbbText(std::string t)
{
    for (char& c : t)
        if (c == '"') c = '\'';
    return t;
}

HbbSymbol hbbLesen(const char* bib, const std::string& name)
{
    HbbSymbol s;
    s.name = name;
    BauBefListe liste = BauBefehle(bib, name.c_str());
    if (!liste) return s;
    double x = 0, y = 0;
    auto dehnen = [&](double px, double py) {
        s.links = std::min(s.links, px);
        s.rechts = std::max(s.rechts, px);
        s.unten = std::min(s.unten, py);
        s.oben = std::max(s.oben, py);
    };
    for (const BEF& r : *liste) {
        const std::string code = BefName(r.code);
        if (code == "ZAT") s.zat = hbbZitate(BefZuText(&r));
        if (code != "ZAT" && code != "VER" && code != "ZA3" && code != "ZA4") s.zeichnung += BefZuText(&r) + "\n";
        if (code == "BW" || code == "ZL") {
            x += r.darg[0];
            y += r.darg[1];
            if (code == "ZL") dehnen(x, y);
        }
        if (code == "RTK") {
            dehnen(x, y);
            dehnen(x + r.darg[0], y + r.darg[1]);
        }
        if (code == "KRE") {
            dehnen(x - r.darg[0], y - r.darg[1]);
            dehnen(x + r.darg[0], y + r.darg[1]);
        }
        if (code == "PKT") {
            dehnen(x, y);
            s.punkte.push_back("(" + hbbZahl(x) + "; " + hbbZahl(y) + ")");
        }
    }
    return s;
}

// One A3 page in text form: its symbols at their cells.
struct HbbSeite {
    std::string text;
    std::vector<std::string> namen;
};

void hbbZeile(std::string& t, double x, double y, const std::string& text, double groesse)
{
    char z[200];
    std::snprintf(z, sizeof z, "TG %s\n_BA %s %s\n", hbbZahl(groesse).c_str(), hbbZahl(x).c_str(), hbbZahl(y).c_str());
    t += z;
    t += "TFA \"" + hbbText(text) + "\"\n";
}

// Text broken at blanks into lines of at most `zeichen` characters (a
// word longer than that is cut); at most `max` lines, the last one ending
// in "..." when text is left over.
std::vector<std::string> hbbUmbrechen(const std::string& text, size_t zeichen, size_t max)
{
    std::vector<std::string> zeilen;
    std::string z;
    size_t i = 0;
    bool rest = false;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        size_t e = text.find(' ', i);
        if (e == std::string::npos) e = text.size();
        std::string wort = text.substr(i, e - i);
        i = e;
        if (wort.empty()) continue;
        if (wort.size() > zeichen) wort = wort.substr(0, zeichen);
        const std::string probe = z.empty() ? wort : z + " " + wort;
        if (probe.size() <= zeichen) {
            z = probe;
            continue;
        }
        zeilen.push_back(z);
        z = wort;
        if (zeilen.size() == max) {
            rest = true;
            break;
        }
    }
    if (!rest && !z.empty()) zeilen.push_back(z);
    if (rest) {
        std::string& l = zeilen.back();
        if (l.size() + 4 > zeichen) l = l.substr(0, zeichen > 4 ? zeichen - 4 : 0);
        l += " ...";
    }
    return zeilen;
}

// Characters of text size `groesse` (mm) that fit in `breite` mm: the plot
// font is set at a pitch of its size.
size_t hbbZeichen(double breite, double groesse) { return static_cast<size_t>(breite / groesse); }

// Lines of text from (x, y) downwards inside `breite`; gives the y below them.
double hbbAbsatz(std::string& t, double x, double y, const std::string& text, double groesse, double breite,
                 size_t max)
{
    for (const std::string& z : hbbUmbrechen(text, hbbZeichen(breite, groesse), max)) {
        hbbZeile(t, x, y, z, groesse);
        // The plot font's letters are 0.6 of their height wide: a pitch of
        // twice the size keeps the lines' boxes apart.
        y -= groesse * 2.05;
    }
    return y;
}

// The factor that fits the symbol into `breite` x `hoehe` mm, never above 1.
double hbbFaktor(const HbbSymbol& s, double breite, double hoehe)
{
    const double w = s.rechts - s.links, h = s.oben - s.unten;
    double f = 1;
    if (w > breite) f = std::min(f, breite / w);
    if (h > hoehe) f = std::min(f, hoehe / h);
    return f;
}

std::string hbbMassstab(double f)
{
    if (f >= 0.999) return "Ma\xDFstab 1:1";
    char t[40];
    std::snprintf(t, sizeof t, "Ma\xDFstab 1:%s", hbbZahl(1 / f).c_str());
    std::string m = t;
    if (m.size() > 2 && m.compare(m.size() - 2, 2, ",0") == 0) m.resize(m.size() - 2);
    return m;
}

// The symbol scaled by `f` with its insertion point at (sx, sy): `MS` scales
// the moves and lines of its own records; the scale is set back after it.
void hbbSymbol(HbbSeite& p, const HbbSymbol& s, double sx, double sy, double f)
{
    char m[32];
    std::snprintf(m, sizeof m, "%.4f", f);
    for (char* c = m; *c; ++c)
        if (*c == '.') *c = ',';
    char z[200];
    std::snprintf(z, sizeof z, "MS %s\nTG 2,5\n_BA %s %s\n", m, hbbZahl(sx).c_str(), hbbZahl(sy).c_str());
    p.text += z;
    p.text += s.zeichnung;
    p.text += "MS 1\n";
}

// The small lines under a symbol's name: title and description (two lines
// at most), norm, and every connection point (the book states them all).
struct HbbAbsatz {
    std::string text;
    size_t max;
};

std::vector<HbbAbsatz> hbbAbsaetze(const HbbSymbol& s, double f)
{
    std::vector<HbbAbsatz> a{{hbbMassstab(f), 1}};
    if (!s.zat.empty()) {
        a.push_back({s.zat[0] + (s.zat.size() > 1 && !s.zat[1].empty() ? " \x96 " + s.zat[1] : ""), 2});
        if (s.zat.size() > 2 && !s.zat[2].empty()) a.push_back({"Norm: " + s.zat[2], 1});
    }
    std::string p = "Anschlusspunkte: " + std::to_string(s.punkte.size());
    for (size_t i = 0; i < s.punkte.size(); ++i) p += (i == 0 ? " " : ", ") + s.punkte[i];
    a.push_back({p, SIZE_MAX});
    return a;
}

size_t hbbKleineZeilen(const HbbSymbol& s, double f, double breite)
{
    size_t n = 0;
    for (const HbbAbsatz& a : hbbAbsaetze(s, f)) n += hbbUmbrechen(a.text, hbbZeichen(breite, 2), a.max).size();
    return n;
}

// The cell's texts from `ty` downwards, wrapped to the cell's width.
void hbbTexte(HbbSeite& p, const HbbSymbol& s, double x, double ty, double breite, double f)
{
    ty = hbbAbsatz(p.text, x, ty, s.name, 3.5, breite, 1);
    for (const HbbAbsatz& a : hbbAbsaetze(s, f)) ty = hbbAbsatz(p.text, x, ty, a.text, 2, breite, a.max);
}

void hbbZelle(HbbSeite& p, const HbbSymbol& s, double x0, double y0, double breite, double hoehe)
{
    // The symbol scaled into the upper part of the cell, centred; the texts
    // below it, in the lower 36 mm, or higher up when a long list of
    // connection points needs the room (the last line stays 2 mm above the
    // cell's foot; the scale is reckoned at 1:1 first, then with the
    // smaller picture).
    double textOben = 30, f = 1;
    for (int runde = 0; runde < 2; ++runde) {
        const size_t zeilen = hbbKleineZeilen(s, f, breite - 6);
        textOben = std::max(30.0, 2.3 + 3.5 * 2.05 + 2 * 2.05 * static_cast<double>(zeilen - 1));
        f = hbbFaktor(s, breite - 8, hoehe - textOben - 10);
    }
    const double bildH = hoehe - textOben - 10;
    const double sx = x0 + breite / 2 - f * (s.links + s.rechts) / 2;
    const double sy = y0 + textOben + 7 + bildH / 2 - f * (s.unten + s.oben) / 2;
    hbbSymbol(p, s, sx, sy, f);
    hbbTexte(p, s, x0 + 2, y0 + textOben, breite - 6, f);
    p.namen.push_back(s.name);
}

// A sheet-sized symbol (frame, cover) alone on an A3 page, scaled to fit
// whole above its texts.
void hbbGanzeSeite(HbbSeite& p, const HbbSymbol& s)
{
    const double f = hbbFaktor(s, 400, 250);
    const double sx = 210 - f * (s.links + s.rechts) / 2;
    const double sy = 40 + 125 + 2 - f * (s.unten + s.oben) / 2;
    hbbSymbol(p, s, sx, sy, f);
    hbbTexte(p, s, 12, 30, 396, f);
    p.namen.push_back(s.name);
}

std::string hbbKopf(const std::string& titel)
{
    return "VER 10\nZAT \"" + hbbText(titel) + "\" \"\" \"\"\nBD \"STD\"\n";
}

}  // namespace

int HbBauteileSchreiben(const std::string& bibliothek, const std::string& bilder, const std::string& pdf)
{
    // The renderer finds a library by its short name (the extension of
    // "BAUTEILE.xxx") in the component folder: the library's folder is that.
    const std::filesystem::path bp = std::filesystem::absolute(bibliothek);
    const std::string ordner = bp.parent_path().string() + "/";
    VerSetzen(1, ordner.c_str());
    VerSetzen(2, ordner.c_str());
    BauBibHandle h;
    if (BauBibOeffnen(&h, bp.string().c_str()) != 0) {
        std::fprintf(stderr, "velmo_handbuch: Bauteildatei %s kann nicht ge\xC3\xB6" "ffnet werden\n", bibliothek.c_str());
        return -1;
    }
    std::vector<HbbSymbol> symbole;
    for (int i = 0; i < h.anzahl; ++i) {
        char n[BAUNAMSUP + 1] = "";
        BauNameHolen(&h, i, n, sizeof n);
        if (n[0]) symbole.push_back(hbbLesen(bp.string().c_str(), n));
    }
    BauBibZu(&h);

    // A3 landscape: 5 x 3 cells of 80 x 90 below a title line.
    constexpr double ZB = 80, ZH = 88, X0 = 10, Y0 = 10;
    std::vector<HbbSeite> seiten;
    HbbSeite titel;
    titel.text = hbbKopf("Velmo \x96 Bauteile");
    hbbZeile(titel.text, 20, 250, "Velmo \x96 Bauteile", 10);
    double y = hbbAbsatz(titel.text, 20, 230,
                         "Die Symbole der mitgelieferten Bauteilbibliothek " + bp.filename().string() + ": " +
                             std::to_string(symbole.size()) + " Eintr\xE4ge, gezeichnet wie im Editor.",
                         4, 380, 4);
    y = hbbAbsatz(titel.text, 20, y - 3,
                  "Je Symbol: Bild, Name, Ma\xDFstab, Titel und Beschreibung, Norm, Anschlusspunkte (x; y in mm vom "
                  "Einf\xFCgepunkt, in wahrer Gr\xF6\xDF" "e). Ein Symbol, das seine Zelle \xFC" "bersteigt, ist "
                  "verkleinert gezeichnet; Rahmen und Deckbl\xE4tter stehen ganz auf einer Seite f\xFCr sich.",
                  4, 380, 6);
    titel.namen.push_back("Bauteile");
    seiten.push_back(titel);
    HbbSeite p;
    int zelle = 0;
    auto fertig = [&] {
        if (!p.namen.empty()) {
            p.text += "ZA3\n";
            seiten.push_back(p);
        }
        p = HbbSeite{};
        zelle = 0;
    };
    for (const HbbSymbol& s : symbole) {
        if (s.rechts - s.links > 2 * ZB || s.oben - s.unten > 2 * ZH) {
            // A sheet-sized symbol alone on a page; any other is scaled
            // down into its cell.
            HbbSeite g;
            g.text = hbbKopf(s.name);
            hbbGanzeSeite(g, s);
            g.text += "ZA3\n";
            seiten.push_back(g);
            continue;
        }
        if (zelle == 0) p.text = hbbKopf("Bauteile");
        hbbZelle(p, s, X0 + (zelle % 5) * ZB, 297 - Y0 - (zelle / 5 + 1) * ZH - 10, ZB, ZH);
        if (++zelle == 15) fertig();
    }
    fertig();
    titel.text += "ZA3\n";
    seiten[0].text = titel.text;

    if (PdfExportStart(pdf.c_str()) != 1) {
        std::fprintf(stderr, "velmo_handbuch: %s kann nicht angelegt werden\n", pdf.c_str());
        return -1;
    }
    // The pages lie in a folder of their own beside a copy of the library,
    // where the drawing walk looks for it.
    const std::filesystem::path arbeit = std::filesystem::path(bilder) / "bauteilbuch";
    std::error_code f;
    std::filesystem::create_directories(arbeit, f);
    std::filesystem::copy_file(bp, arbeit / bp.filename(), std::filesystem::copy_options::overwrite_existing, f);
    // The pages' folder settings: the shipped set with the component
    // folder found upwards from the pages (the library beside them).
    {
        std::ifstream ein(bp.parent_path() / "Standard.vgb", std::ios::binary);
        std::ofstream aus(arbeit / "Standard.vgb", std::ios::binary);
        std::string z;
        while (std::getline(ein, z)) {
            if (z.rfind("ZvBPfad", 0) == 0) z = "ZvBPfad         @";
            aus << z << "\n";
        }
    }
    VerSetzen(1, (arbeit.string() + "/").c_str());
    VerSetzen(2, (arbeit.string() + "/").c_str());
    // A drawing's walk takes the folder settings of its own folder, where no
    // component folder is set: the library is then looked up in the working
    // folder.
    const std::filesystem::path vorher = std::filesystem::current_path();
    std::filesystem::current_path(arbeit, f);
    for (int n = 1; n <= 20; ++n) LayerSichtSetzen(n, 1);  // a symbol shows all its layers
    // A frame's title block shows its variables ("Blatt @SZ von @VA") as
    // written: filled in, they would name the book's own work files.
    TextVarSperren(1);
    int r = 0;
    for (size_t i = 0; i < seiten.size(); ++i) {
        const std::string txt = (arbeit / ("Seite" + std::to_string(i) + ".txt")).string();
        const std::string zei = (arbeit / ("Bauteile." + std::to_string(100 + i))).string();
        std::ofstream(txt, std::ios::binary) << seiten[i].text;
        if (ZeiAusText(zei.c_str(), txt.c_str()) < 0 || PdfSeite(zei.c_str()) != 0) {
            std::fprintf(stderr, "velmo_handbuch: Seite %zu des Bauteilbuchs misslang\n", i + 1);
            r = -1;
        }
        for (const std::string& n : seiten[i].namen) PdfGliederung(0, static_cast<int>(i) + 1, n.c_str());
        std::remove(txt.c_str());
        std::remove(zei.c_str());
    }
    TextVarSperren(0);
    if (PdfExportEnde() != 0) r = -1;
    std::filesystem::current_path(vorher, f);
    std::filesystem::remove_all(arbeit, f);
    return r;
}
