// Every demo sheet, and the every-element drawings of the output tests,
// five ways: the memory bitmap of the screen device (the reference) and the
// PDF, SVG, HPGL and DXF exports as the programs people open them with draw
// them (pdftoppm, rsvg-convert, hp2xx, ezdxf's drawing add-on with
// matplotlib), all at 4 pixels a millimetre. Each is laid over the reference
// after a dilation of 0.5 mm: the share of the reference's ink that has ink
// of the other near it, and the other way round. HPGL and DXF readers draw
// texts with fonts of their own, so those two are compared without texts on
// either side, and each of their texts must start and end within 1 mm of
// where the sheet lays it out; the plot drawn with its labels has their ink
// on the texts' cells and on every one of them; every word pdftotext finds
// in the PDF lies within 1 mm of a text holding it. The figures of every
// sheet are printed with the worst per format; a sheet below its bound
// leaves both pictures and a difference picture in the output folder
// (VELMO_KREUZ_AUS, else a folder beside the test program).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/befehl.h"
#include "model/geometri.h"
#include "model/zeichnun.h"
#include "model/textvar.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "output/dxfexp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/pdfexport.h"
#include "output/plotdriv.h"
#include "output/schrift.h"
#include "output/svg.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "output/druck.h"
#include "platform/dateidialog.h"
#include "project/export.h"
#include "project/pvwliste.h"
#include "platform/drucker.h"
#include "winlib/anwdaten.h"
#include "winlib/wiwerk.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/output/gdigold.h"

namespace {

namespace fs = std::filesystem;

constexpr int PXMM = 4;                    // pixels a millimetre
int BREITE = 420 * PXMM, HOEHE = 297 * PXMM;  // of the sheet being compared
constexpr int NAH = PXMM / 2;              // 0.5 mm
// The sheet's outer edge falls on the picture's last pixel, which readers
// round either way: 2 mm along the edges are left out on both sides.
constexpr int RAND = 2 * PXMM;

const char* const blaetter[] = {"HV1.01", "HV1.02", "HV1.03", "HV1.04", "HV1.05", "HV1.06", "HV1.07", "HV1.08",
                                "HV1.09", "HV1.10", "HV1.11", "HV1.12", "HV1.13", "HV1.14", "HV1.15", "Plan.001"};

int aufruf(const std::string& befehl)
{
    const int r = std::system((befehl + " >/dev/null 2>&1").c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

std::string lesen(const fs::path& p)
{
    std::FILE* f = std::fopen(p.c_str(), "rb");
    std::string s;
    if (!f) return s;
    char b[65536];
    for (size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) s.append(b, n);
    std::fclose(f);
    return s;
}

void schreiben(const fs::path& p, const std::string& s)
{
    std::FILE* f = std::fopen(p.c_str(), "wb");
    if (!f) return;
    std::fwrite(s.data(), 1, s.size(), f);
    std::fclose(f);
}

// Ink of a picture on the reference's grid (another size is stretched onto it).
std::vector<uint8_t> tinte(const GdiBildPixel& b)
{
    std::vector<uint8_t> t(static_cast<size_t>(BREITE) * HOEHE, 0);
    if (b.w <= 0 || b.h <= 0) return t;
    for (int y = 0; y < HOEHE; ++y)
        for (int x = 0; x < BREITE; ++x) {
            const COLORREF c = b.an(std::min(b.w - 1, x * b.w / BREITE), std::min(b.h - 1, y * b.h / HOEHE));
            // A hair line of a reader that smooths is a light grey: ink too.
            const bool rand = x < RAND || y < RAND || x >= BREITE - RAND || y >= HOEHE - RAND;
            t[static_cast<size_t>(y) * BREITE + x] = !rand && GetRValue(c) + GetGValue(c) + GetBValue(c) < 720;
        }
    return t;
}

std::vector<uint8_t> geweitet(const std::vector<uint8_t>& t)
{
    std::vector<uint8_t> a(t.size(), 0), b(t.size(), 0);
    for (int y = 0; y < HOEHE; ++y)
        for (int x = 0; x < BREITE; ++x) {
            uint8_t v = 0;
            for (int d = -NAH; d <= NAH && !v; ++d) {
                const int xx = x + d;
                if (xx >= 0 && xx < BREITE) v = t[static_cast<size_t>(y) * BREITE + xx];
            }
            a[static_cast<size_t>(y) * BREITE + x] = v;
        }
    for (int y = 0; y < HOEHE; ++y)
        for (int x = 0; x < BREITE; ++x) {
            uint8_t v = 0;
            for (int d = -NAH; d <= NAH && !v; ++d) {
                const int yy = y + d;
                if (yy >= 0 && yy < HOEHE) v = a[static_cast<size_t>(yy) * BREITE + x];
            }
            b[static_cast<size_t>(y) * BREITE + x] = v;
        }
    return b;
}

// Share of a's ink that has ink of b within 0.5 mm (1 without ink).
double deckung(const std::vector<uint8_t>& a, const std::vector<uint8_t>& bWeit)
{
    long n = 0, gedeckt = 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i]) ++n, gedeckt += bWeit[i] != 0;
    return n ? static_cast<double>(gedeckt) / n : 1.0;
}

// Reference black, the other red where it misses, blue where it has more.
void unterschied(const std::vector<uint8_t>& r, const std::vector<uint8_t>& o, const fs::path& p)
{
    GdiBildPixel b;
    b.w = BREITE;
    b.h = HOEHE;
    b.p.assign(r.size(), 0xFFFFFF);
    for (size_t i = 0; i < r.size(); ++i) {
        if (r[i] && o[i]) b.p[i] = 0x000000;
        else if (r[i]) b.p[i] = 0xFF0000;
        else if (o[i]) b.p[i] = 0x0000FF;
    }
    gdiGoldSchreiben(b, p.string());
}

GdiBildPixel png(const fs::path& p)
{
    GdiBildPixel b;
    gdiGoldLesen(p.string(), &b);
    return b;
}

// The area the texts of a sheet cover on the reference's grid: each text's
// cell (from below its base line to its top, from its start to its end)
// widened by 1 mm all round; `eigene` gets, per text, its own cell's
// pixels (unwidened) for the check that each text has ink of its own.
struct KzText;
std::vector<uint8_t> kzTextFlaeche(const std::vector<KzText>& texte, std::vector<std::vector<size_t>>* eigene);

// A text as a sheet lays it out: the start and the end of its base line
// (sheet millimetres), its height, and the box of its cell (baseline less
// the font's descent up to its ascent) for words a PDF reader finds.
struct KzText {
    std::string text;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0, h = 0;
    double unten = 0, oben = 0;  // cell below and above the base line
};

struct KzErfassung {
    int font = 0, winkel = 0;
    double hoehe = 0, faktor = 1;
    std::vector<KzText> texte;
};
KzErfassung kzErfasst;
ELEMGERAET kzGeraet;

void kzAufnehmen(double x, double y, int spalte, const std::string& t)
{
    KzErfassung& e = kzErfasst;
    const double c = CosZehntel(e.winkel), s = SinZehntel(e.winkel);
    const double d = spalte * e.hoehe * e.faktor, w = SchriftTextBreite(e.font, t.c_str(), e.hoehe, e.faktor);
    double kappe = 0.5, obenAnteil = 0.7;
    SchriftMetrik(e.font, &kappe, &obenAnteil);
    const double zelle = kappe > 0.1 ? 1.1 * e.hoehe / kappe : e.hoehe;
    KzText k{t, x + d * c, y + d * s, x + (d + w) * c, y + (d + w) * s, e.hoehe, (1 - obenAnteil) * zelle,
             obenAnteil * zelle};
    e.texte.push_back(k);
}

// The texts of a sheet under the text-width model: plain texts line by line,
// standard texts piece by piece at their columns.
std::vector<uint8_t> kzTextFlaeche(const std::vector<KzText>& texte, std::vector<std::vector<size_t>>* eigene)
{
    std::vector<uint8_t> f(static_cast<size_t>(BREITE) * HOEHE, 0);
    for (const KzText& t : texte) {
        if (eigene) eigene->emplace_back();
        const double lang = std::hypot(t.x1 - t.x0, t.y1 - t.y0);
        if (lang <= 0) continue;
        const double ux = (t.x1 - t.x0) / lang, uy = (t.y1 - t.y0) / lang;  // along the base line
        const double rand = 1.0 + std::max(t.unten, t.oben) + lang;
        const int xa = std::max(0, static_cast<int>((std::min(t.x0, t.x1) - rand) * PXMM));
        const int xe = std::min(BREITE - 1, static_cast<int>((std::max(t.x0, t.x1) + rand) * PXMM));
        const int ya = std::max(0, static_cast<int>((297 - std::max(t.y0, t.y1) - rand) * PXMM));
        const int ye = std::min(HOEHE - 1, static_cast<int>((297 - std::min(t.y0, t.y1) + rand) * PXMM));
        for (int py = ya; py <= ye; ++py)
            for (int px = xa; px <= xe; ++px) {
                const double mx = (px + 0.5) / PXMM - t.x0, my = 297 - (py + 0.5) / PXMM - t.y0;
                const double l = mx * ux + my * uy, q = -mx * uy + my * ux;  // along, and up from the base line
                const size_t i = static_cast<size_t>(py) * BREITE + px;
                if (l >= -1 && l <= lang + 1 && q >= -t.unten - 1 && q <= t.oben + 1) f[i] = 1;
                if (eigene && l >= 0 && l <= lang && q >= -t.unten && q <= t.oben) eigene->back().push_back(i);
            }
    }
    return f;
}

std::vector<KzText> kzTexte(const std::string& zei)
{
    kzGeraet = ELEMGERAET{};
    kzGeraet.schrift = [](void*, int font, int winkel, double hoehe, double faktor) {
        kzErfasst.font = font;
        kzErfasst.winkel = winkel;
        kzErfasst.hoehe = hoehe;
        kzErfasst.faktor = faktor;
    };
    kzGeraet.textGroesse = [](void*, const char* t, double* w, double* h) {
        *w = SchriftTextBreite(kzErfasst.font, t, kzErfasst.hoehe, kzErfasst.faktor);
        *h = kzErfasst.hoehe;
    };
    kzGeraet.textZeile = [](void*, double x, double y, const char* t, int stdtext) {
        if (!stdtext) {
            if (std::string(t).find_first_not_of(" \t") != std::string::npos) kzAufnehmen(x, y, 0, t);
            return;
        }
        const int n = static_cast<int>(std::strlen(t));
        for (int ab = 0; ab < n;) {
            char stueck[1024];
            int anfang = 0, ende = 0;
            StrAbschnitt(t + ab, stueck, sizeof stueck, &anfang, &ende);
            if (ende <= anfang) break;
            kzAufnehmen(x, y, ab + anfang, stueck);
            ab += ende;
        }
    };
    kzErfasst.texte.clear();
    ZeiAktSetzen(zei.c_str());
    STT s;
    SttInit(&s, nullptr);
    ZeiDurchlaufen(zei.c_str(), &s, [](const BEF* b, const STT* st) {
        ElemZeichnen(&kzGeraet, b, st);
        return 0;
    });
    return kzErfasst.texte;
}

// The labels of a plot as its reader sets them: at the pen position, along
// DI, each letter 1.5 character widths of SI (plotter units of 1/40 mm).
std::vector<KzText> kzPlotTexte(const std::string& plt)
{
    std::vector<KzText> r;
    double x = 0, y = 0, dx = 1, dy = 0, w = 0.2 * 10 * 2 / 3, h = 0.2 * 10;
    std::string letzter;
    for (size_t i = 0; i + 1 < plt.size();) {
        if (!std::isalpha(static_cast<unsigned char>(plt[i]))) {
            ++i;
            continue;
        }
        const std::string cmd = plt.substr(i, 2);
        i += 2;
        if (cmd == "LB") {
            const size_t e = plt.find('\x03', i);
            const std::string t = plt.substr(i, e == std::string::npos ? std::string::npos : e - i);
            i = e == std::string::npos ? plt.size() : e + 1;
            const double l = std::hypot(dx, dy), cx = dx / l, cy = dy / l;
            // The plotter's label controls move back: a backspace one
            // cell, a tab half of one.
            double n = 0;
            for (const char c : t) n += c == '\b' ? -1 : c == '\t' ? -0.5 : 1;
            // A character set switch inside a label goes on with it.
            if (letzter == "CS" && !r.empty()) {
                r.back().text += t;
                r.back().x1 += n * 1.5 * w * cx;
                r.back().y1 += n * 1.5 * w * cy;
            } else {
                r.push_back({t, x, y, x + n * 1.5 * w * cx, y + n * 1.5 * w * cy, h});
            }
            letzter = cmd;
            continue;
        }
        const size_t e = plt.find(';', i);
        const std::string arg = plt.substr(i, e == std::string::npos ? std::string::npos : e - i);
        i = e == std::string::npos ? plt.size() : e + 1;
        letzter = cmd == "CS" && letzter == "LB" ? "CS" : cmd == "CS" ? "" : cmd;
        double a = 0, b = 0;
        const bool zwei = std::sscanf(arg.c_str(), "%lf,%lf", &a, &b) == 2;
        if ((cmd == "PA" || cmd == "PU" || cmd == "PD") && zwei) {
            x = a / 40;
            y = b / 40;
        } else if (cmd == "DI" && zwei) {
            dx = a;
            dy = b;
        } else if (cmd == "SI" && zwei) {
            w = a * 10;
            h = b * 10;
        }
    }
    return r;
}

std::vector<KzText> kzDxfTexte(const std::string& liste)
{
    std::vector<KzText> r;
    size_t ab = 0;
    while (ab < liste.size()) {
        size_t e = liste.find('\n', ab);
        if (e == std::string::npos) e = liste.size();
        const std::string z = liste.substr(ab, e - ab);
        ab = e + 1;
        KzText k;
        char hex[4096] = "";
        if (std::sscanf(z.c_str(), "%lf %lf %lf %lf %lf %4095s", &k.x0, &k.y0, &k.x1, &k.y1, &k.h, hex) < 5) continue;
        for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) k.text += static_cast<char>(std::stoi(std::string(hex + i, 2), nullptr, 16));
        r.push_back(k);
    }
    return r;
}

// Every text of the reference has a text of the output starting within
// 1 mm whose end and height lie within 1 mm too (the same text where both
// carry it as written); what does not is listed.
std::vector<std::string> kzKastenVergleich(const std::vector<KzText>& ref, const std::vector<KzText>& aus, bool gleicherText)
{
    std::vector<std::string> fehler;
    for (const KzText& r : ref) {
        const KzText* best = nullptr;
        double bestD = 1e9;
        for (const KzText& a : aus) {
            if (gleicherText && a.text != r.text) continue;
            const double d = std::hypot(a.x0 - r.x0, a.y0 - r.y0);
            if (d < bestD) bestD = d, best = &a;
        }
        char t[512];
        if (!best) {
            std::snprintf(t, sizeof t, "\"%s\" at %.1f,%.1f missing", r.text.c_str(), r.x0, r.y0);
            fehler.push_back(t);
            continue;
        }
        // A plain text with a tab reaches plot and DXF in pieces (neither
        // carries a tab): its end is that of the last piece on its base line.
        const KzText* ende = best;
        if (r.text.find('\t') != std::string::npos) {
            const double l = std::hypot(r.x1 - r.x0, r.y1 - r.y0), ux = l > 0 ? (r.x1 - r.x0) / l : 1, uy = l > 0 ? (r.y1 - r.y0) / l : 0;
            for (const KzText& a : aus) {
                const double mx = a.x0 - r.x0, my = a.y0 - r.y0, entlang = mx * ux + my * uy, quer = -mx * uy + my * ux;
                const double weit = (ende->x0 - r.x0) * ux + (ende->y0 - r.y0) * uy;
                if (std::fabs(quer) <= 1 && entlang > weit && entlang <= l + 1) ende = &a;
            }
        }
        const double dEnde = std::hypot(ende->x1 - r.x1, ende->y1 - r.y1), dH = std::fabs(best->h - r.h);
        if (bestD > 1 || dEnde > 1 || dH > 1) {
            std::snprintf(t, sizeof t, "\"%s\" %.1f,%.1f..%.1f,%.1f h %.1f; output \"%s\" %.1f,%.1f..%.1f,%.1f h %.1f",
                          r.text.c_str(), r.x0, r.y0, r.x1, r.y1, r.h, best->text.c_str(), best->x0, best->y0, best->x1,
                          best->y1, best->h);
            fehler.push_back(t);
        }
    }
    return fehler;
}

// Code page 1252 as UTF-8, as the PDF's reader gives it back (the euro
// sign and the other letters of 0x80..0x9F too; its five gaps as '?').
std::string kzUtf8(const std::string& t)
{
    static const char16_t cp1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string r;
    for (const char ch : t) {
        unsigned c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0) c = cp1252[c - 0x80] ? cp1252[c - 0x80] : '?';
        if (c < 0x80) r += static_cast<char>(c);
        else if (c < 0x800) r += static_cast<char>(0xC0 | (c >> 6)), r += static_cast<char>(0x80 | (c & 0x3F));
        else
            r += static_cast<char>(0xE0 | (c >> 12)), r += static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                r += static_cast<char>(0x80 | (c & 0x3F));
    }
    return r;
}

// The words pdftotext finds (-bbox, points from the top) each lie within
// 1 mm of the cell of a text holding that word.
std::vector<std::string> kzPdfWoerter(const std::string& html, const std::vector<KzText>& ref, double blattHoehe, int* woerter)
{
    std::vector<std::string> fehler;
    *woerter = 0;
    size_t ab = 0;
    while ((ab = html.find("<word xMin=\"", ab)) != std::string::npos) {
        double x0, y0, x1, y1;
        if (std::sscanf(html.c_str() + ab, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &x0, &y0, &x1, &y1) != 4) break;
        const size_t a = html.find('>', ab) + 1, e = html.find("</word>", a);
        ab = e;
        ++*woerter;
        std::string wort = html.substr(a, e - a);
        for (const auto& [ent, z] : {std::pair<std::string, std::string>{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}})
            for (size_t p; (p = wort.find(ent)) != std::string::npos;) wort.replace(p, ent.size(), z);
        const double mm = 25.4 / 72;
        const double wx0 = x0 * mm, wx1 = x1 * mm, wy0 = blattHoehe - y1 * mm, wy1 = blattHoehe - y0 * mm;
        bool gefunden = false;
        for (const KzText& r : ref) {
            // The cell of the text turned with it, as an upright box.
            const double l = std::hypot(r.x1 - r.x0, r.y1 - r.y0);
            const double cx = l > 0 ? (r.x1 - r.x0) / l : 1, cy = l > 0 ? (r.y1 - r.y0) / l : 0;
            double bx0 = 1e9, by0 = 1e9, bx1 = -1e9, by1 = -1e9;
            for (const double u : {0.0, l})
                for (const double v : {-r.unten, r.oben}) {
                    const double px = r.x0 + u * cx - v * cy, py = r.y0 + u * cy + v * cx;
                    bx0 = std::min(bx0, px), bx1 = std::max(bx1, px), by0 = std::min(by0, py), by1 = std::max(by1, py);
                }
            if (kzUtf8(r.text).find(wort) == std::string::npos) continue;
            if (wx0 >= bx0 - 1 && wx1 <= bx1 + 1 && wy0 >= by0 - 1 && wy1 <= by1 + 1) {
                gefunden = true;
                break;
            }
        }
        if (!gefunden) {
            char t[512];
            std::snprintf(t, sizeof t, "word \"%s\" at %.1f..%.1f, %.1f..%.1f mm outside every text", wort.c_str(), wx0, wx1, wy0, wy1);
            fehler.push_back(t);
        }
    }
    return fehler;
}

struct Kreuz : DemoRahmen {
    fs::path aus;
    void SetUp() override
    {
        DemoRahmen::SetUp();
        plHeadlessPumpen();  // the frame opens the demo project: its libraries and texts
        const char* o = std::getenv("VELMO_KREUZ_AUS");
        aus = o ? fs::path(o) : fs::read_symlink("/proc/self/exe").parent_path() / "kreuzformat";
        fs::create_directories(aus);
    }

    // The screen device's picture of a sheet; without texts and pictures
    // for the plot and the DXF file, which never carry pictures.
    GdiBildPixel referenz(const std::string& zei, bool alles)
    {
        AbbildungSichern();
        AbbildungSetzen(1, 0, 0, BREITE / PXMM, HOEHE / PXMM, BREITE, HOEHE, 0, 0, 100, 50, 50);
        EXPECT_EQ(GdiBitmapBeginn(BREITE, HOEHE, nullptr), 0);
        ElemTextAus(ElemBildschirm(), alles ? 0 : 1);
        STT s;
        SttInit(&s, nullptr);
        ZeiDurchlaufen(zei.c_str(), &s,
                       alles ? ElemRueckruf : +[](const BEF* b, const STT* st) { return b->code == 69 ? 0 : ElemRueckruf(b, st); });
        ElemTextAus(ElemBildschirm(), 0);
        HBITMAP bm = GdiBitmapEnde();
        AbbildungWieder();
        GdiBildPixel p = gdiBildLesen(bm);
        DeleteObject(bm);
        return p;
    }
};

TEST_F(Kreuz, EveryDemoSheetLooksTheSameInEveryOutput)
{
    for (const char* p : {"pdftoppm", "rsvg-convert", "hp2xx"})
        ASSERT_EQ(aufruf(std::string("command -v ") + p), 0) << p << " missing: scripts/install-deps";
    const std::string dxfbild = std::string(VELMO_SOURCE_DIR) + "/tests/tools/dxfbild.py";
    // The lowest share each format reaches, and the bounds they are held to.
    const char* const formate[] = {"pdf", "svg", "hpgl", "dxf"};
    std::map<std::string, double> schlechteste;
    for (const char* f : formate) schlechteste[f] = 1.0;
    // Every format is held to 97 % both ways.
    const std::map<std::string, double> grenze = {{"pdf", 0.97}, {"svg", 0.97}, {"hpgl", 0.97}, {"dxf", 0.97}};
    // Beside the demo sheets, the every-element drawings of the SVG and
    // plot tests and of the DXF tests (every kind of element, filled and
    // not, arcs, line types, texts with tabs and the euro sign), with the
    // pictures they name in the project.
    const std::string daten = std::string(VELMO_SOURCE_DIR) + "/tests/data/output/";
    const std::pair<const char*, const char*> alle[] = {{"Alle-Plot.001", "svghpgl"}, {"Alle-Dxf.001", "dxf"}};
    for (const auto& [name, ordner] : alle)
        ASSERT_GE(ZeiAusText(demo.datei(name).c_str(), (daten + ordner + "/alle.txt").c_str()), 0);
    fs::copy_file(demo.datei("bild.wmf"), demo.datei("Schema.WMF"));
    fs::copy_file(daten + "bilder/ecke.jpg", demo.datei("Foto.jpg"));
    fs::copy_file(daten + "bilder/ecke.png", demo.datei("bild.png"));
    // Every sheet exported as SVG as the export dialog does it: the
    // pictures go beside the files (the WMF of HV1.15 as bild.png), so the
    // demo's and the fixtures' go to folders of their own.
    PvwVerzLesen();
    auto exportieren = [](const fs::path& ziel, bool fixturen) {
        for (int i = 0; i < PvwAnzahl(); ++i)
            PvwMarkSetzen(i, (std::strncmp(PvwEintragAdr(i)->name, "Alle-", 5) == 0) == fixturen);
        fs::remove_all(ziel);
        return ExportDateien(EXPORT_SVG, ziel.c_str(), "@Z.svg", 0);
    };
    ASSERT_EQ(exportieren(aus / "svg", false), 16);
    EXPECT_TRUE(fs::exists(aus / "svg" / "bild.png"));
    ASSERT_EQ(exportieren(aus / "svg-alle", true), 2);
    std::vector<std::pair<std::string, std::string>> zeichnungen;
    for (const char* name : blaetter) zeichnungen.emplace_back(name, demo.datei(name));
    for (const auto& [name, ordner] : alle) zeichnungen.emplace_back(name, demo.datei(name));
    for (const auto& [name, zei] : zeichnungen) {
        SCOPED_TRACE(name);
        const fs::path b = aus / name;
        ZeiDatei zd;
        ASSERT_EQ(ZeiDateiLesend(&zd, zei.c_str()), 0);
        const bool a4 = ZeiFormat(&zd) == BEF_ZA4;  // portrait A4, else up to A3 landscape
        ZeiDateiSchliessen(&zd);
        BREITE = (a4 ? 210 : 420) * PXMM;
        HOEHE = 297 * PXMM;
        const std::string mmB = a4 ? "210" : "420", pxB = std::to_string(BREITE), pxH = std::to_string(HOEHE);
        // The SVG from the batch export, with its pictures beside it.
        const fs::path svg = aus / (name.rfind("Alle-", 0) == 0 ? "svg-alle" : "svg") / (name + ".svg");
        ASSERT_TRUE(fs::exists(svg));
        ASSERT_EQ(HpglPlot(zei.c_str(), (b.string() + ".plt").c_str()), 0);
        ASSERT_EQ(DxfExport((b.string() + ".dxf").c_str(), zei.c_str()), 0);
        // No placeholder or control byte in a text, the code page and every
        // line type named, and the reader's audit finds nothing to fix.
        EXPECT_EQ(aufruf("/usr/bin/python3 '" + std::string(VELMO_SOURCE_DIR) + "/tests/tools/dxfpruef.py' '" +
                         b.string() + ".dxf'"),
                  0);
        ASSERT_EQ(PdfExportStart((b.string() + ".pdf").c_str()), 1);
        ASSERT_EQ(PdfSeite(zei.c_str()), 0);
        ASSERT_EQ(PdfExportEnde(), 0);
        // The plot without its labels: hp2xx letters are its own.
        std::string plt = lesen(b.string() + ".plt"), ohne;
        for (size_t i = 0; i < plt.size(); ++i) {
            if (plt.compare(i, 2, "LB") == 0) {
                const size_t e = plt.find('\x03', i);
                if (e == std::string::npos) break;
                i = e;
                continue;
            }
            ohne += plt[i];
        }
        // hp2xx fits its picture around all that is drawn, beyond the
        // sheet too, where the plotter and the screen clip: its window (IW)
        // is the sheet. Two dots at the sheet's corners (inside the edge
        // left out) make it take the whole sheet, not just what is drawn.
        const std::string fenster = "IW0,0," + std::to_string(BREITE / PXMM * 40) + ",11880;";
        for (size_t p = 0; (p = plt.find("IP0,0,1,4000;", p)) != std::string::npos; p += 13) plt.insert(p + 13, fenster);
        for (size_t p = 0; (p = ohne.find("IP0,0,1,4000;", p)) != std::string::npos; p += 13) ohne.insert(p + 13, fenster);
        ohne += "PU;PA0,0;PD;PA0,0;PU;PA" + std::to_string(BREITE / PXMM * 40) + ",11880;PD;PA" +
                std::to_string(BREITE / PXMM * 40) + ",11880;PU;\r\n";
        schreiben(b.string() + "-ohne-text.plt", ohne);
        schreiben(b.string() + "-mit-text.plt", plt + ohne.substr(ohne.rfind("PU;PA0,0;")));

        // Texts: in the plot and the DXF file each starts and ends within
        // 1 mm of where the sheet lays it out (their readers draw them in
        // fonts of their own); every word the PDF's reader finds lies within
        // 1 mm of a text holding it.
        {
            const std::vector<KzText> ref = kzTexte(zei);
            EXPECT_GT(ref.size(), 0u);
            auto melden = [&](const char* was, const std::vector<std::string>& f) {
                EXPECT_TRUE(f.empty()) << was << ": " << f.size() << " of " << ref.size() << " texts, first: " << f.front();
            };
            melden("hpgl", kzKastenVergleich(ref, kzPlotTexte(plt), false));
            ASSERT_EQ(aufruf("/usr/bin/python3 '" + std::string(VELMO_SOURCE_DIR) + "/tests/tools/dxftexte.py' '" + b.string() +
                             ".dxf' '" + b.string() + ".dxf.texte'"),
                      0);
            melden("dxf", kzKastenVergleich(ref, kzDxfTexte(lesen(b.string() + ".dxf.texte")), false));
            ASSERT_EQ(aufruf("pdftotext -bbox '" + b.string() + ".pdf' '" + b.string() + ".pdf.html'"), 0);
            int woerter = 0;
            melden("pdf", kzPdfWoerter(lesen(b.string() + ".pdf.html"), ref, 297, &woerter));
            EXPECT_GE(woerter, static_cast<int>(ref.size()));
        }

        const std::string q = "'";
        ASSERT_EQ(aufruf("pdftoppm -r 101.6 -png -singlefile " + q + b.string() + ".pdf' '" + b.string() + ".pdf'"), 0);
        ASSERT_EQ(aufruf("rsvg-convert -w " + pxB + " -h " + pxH + " -b white '" + svg.string() + "' -o '" + b.string() + ".svg.png'"), 0);
        ASSERT_EQ(aufruf("hp2xx -m png -t -x 0 -X " + mmB + " -y 0 -Y 297 -d 101.6 -f '" + b.string() + ".plt.png' '" +
                         b.string() + "-ohne-text.plt'"),
                  0);
        ASSERT_EQ(aufruf("hp2xx -m png -t -x 0 -X " + mmB + " -y 0 -Y 297 -d 101.6 -f '" + b.string() + ".plt-text.png' '" +
                         b.string() + "-mit-text.plt'"),
                  0);
        ASSERT_EQ(aufruf("/usr/bin/python3 '" + dxfbild + "' '" + b.string() + ".dxf' '" + b.string() +
                         ".dxf.png' " + mmB + " 297 4 ohne-text"),
                  0);

        const GdiBildPixel ref = referenz(zei, true), refLinien = referenz(zei, false);
        gdiGoldSchreiben(ref, b.string() + ".ref.png");
        const std::vector<uint8_t> r = tinte(ref), rl = tinte(refLinien);
        const std::vector<uint8_t> rW = geweitet(r), rlW = geweitet(rl);
        struct Paar {
            const char* format;
            std::string bild;
            bool mitText;
        } paare[] = {{"pdf", b.string() + ".pdf.png", true},
                     {"svg", b.string() + ".svg.png", true},
                     {"hpgl", b.string() + ".plt.png", false},
                     {"dxf", b.string() + ".dxf.png", false}};
        // The plot with its labels: hp2xx letters them in its own font, so
        // the labels' ink (what the plot has beyond its lines) must lie on
        // the texts' cells (widened by 1 mm), and every text's own cell must
        // hold label ink: no label stands elsewhere, none is missing.
        {
            const std::vector<uint8_t> mit = tinte(png(b.string() + ".plt-text.png"));
            const std::vector<uint8_t> linienWeit = geweitet(tinte(png(b.string() + ".plt.png")));
            std::vector<std::vector<size_t>> eigene;
            const std::vector<KzText> texte = kzTexte(zei);
            const std::vector<uint8_t> flaeche = kzTextFlaeche(texte, &eigene);
            long etiketten = 0, daneben = 0;
            std::vector<uint8_t> etikett(mit.size(), 0);
            for (size_t i = 0; i < mit.size(); ++i)
                if (mit[i] && !linienWeit[i]) ++etiketten, daneben += !flaeche[i], etikett[i] = 1;
            EXPECT_GT(etiketten, 0) << "the plot's labels drawn";
            EXPECT_LE(daneben, etiketten * 3 / 100) << daneben << " of " << etiketten << " label pixels off every text";
            int ohneTinte = 0;
            std::string erster;
            for (size_t k = 0; k < texte.size(); ++k) {
                if (texte[k].text.find_first_not_of(' ') == std::string::npos) continue;
                bool da = false;
                for (size_t i : eigene[k]) da = da || mit[i];
                if (!da && ohneTinte++ == 0) erster = texte[k].text;
            }
            EXPECT_EQ(ohneTinte, 0) << "texts without a label, first \"" << erster << "\"";
            if (daneben > etiketten * 3 / 100) unterschied(flaeche, etikett, aus / (name + "-hpgl-text-unterschied.png"));
        }
        for (const Paar& p : paare) {
            const std::vector<uint8_t> o = tinte(png(p.bild));
            const std::vector<uint8_t>& rr = p.mitText ? r : rl;
            const double hin = deckung(rr, geweitet(o)), her = deckung(o, p.mitText ? rW : rlW);
            const double w = std::min(hin, her);
            schlechteste[p.format] = std::min(schlechteste[p.format], w);
            std::printf("%-8s %-4s reference covered %5.1f %%, output covered %5.1f %%\n", name.c_str(), p.format, 100 * hin,
                        100 * her);
            if (w < grenze.at(p.format)) {
                unterschied(rr, o, aus / (name + "-" + p.format + "-unterschied.png"));
                ADD_FAILURE() << p.format << ": " << 100 * hin << " % / " << 100 * her << " %, pictures in " << aus;
            }
        }
    }
    for (const char* f : formate) std::printf("worst agreement %-4s %5.1f %%\n", f, 100 * schlechteste[f]);
}

// The line types of the demo's last sheet (HV1.15: types 1..7 at y = 260,
// 252, ... 212 mm from x = 20 to 90 mm) as dark in the PDF and the SVG, drawn
// by pdftoppm and rsvg-convert at 101.6 dpi, as on the screen: per line type
// the ink along the line (darkness summed across it, per pixel of length)
// within a third of the screen's, and its darkest pixel nearly half black
// (a line one pixel wide that a reader smooths over two rows); in every
// output each line type, the dotted one too, carries at least an eighth of
// the ink of the solid line. Counting pixels below a grey of 240 cannot
// tell a line of 0.1 mm from one of 0.25 mm, nor a row of specks from a
// dotted line.
TEST_F(Kreuz, LinesAreAsDarkInThePdfAndTheSvgAsOnScreen)
{
    for (const char* p : {"pdftoppm", "rsvg-convert"})
        ASSERT_EQ(aufruf(std::string("command -v ") + p), 0) << p << " missing: scripts/install-deps";
    const std::string zei = demo.datei("HV1.15");
    const fs::path b = aus / "dunkel-HV1.15";
    BREITE = 420 * PXMM;
    HOEHE = 297 * PXMM;
    ASSERT_EQ(SvgExport(zei.c_str(), (b.string() + ".svg").c_str()), 0);
    ASSERT_EQ(PdfExportStart((b.string() + ".pdf").c_str()), 1);
    ASSERT_EQ(PdfSeite(zei.c_str()), 0);
    ASSERT_EQ(PdfExportEnde(), 0);
    ASSERT_EQ(aufruf("pdftoppm -r 101.6 -png -singlefile '" + b.string() + ".pdf' '" + b.string() + ".pdf'"), 0);
    ASSERT_EQ(aufruf("rsvg-convert -w " + std::to_string(BREITE) + " -h " + std::to_string(HOEHE) + " -b white '" +
                     b.string() + ".svg' -o '" + b.string() + ".svg.png'"),
              0);
    const GdiBildPixel ref = referenz(zei, false);
    gdiGoldSchreiben(ref, b.string() + ".ref.png");
    struct Messung {
        double tinte;  // darkness summed across the line, per pixel of its length
        int dunkelst;  // grey of the darkest pixel
    };
    // A band of 1 mm either side of line type t, without 2 mm at its ends.
    auto messen = [](const GdiBildPixel& p, int t) {
        Messung m{0, 255};
        const int mitte = (297 - (260 - 8 * (t - 1))) * PXMM, x0 = 22 * PXMM, x1 = 88 * PXMM;
        for (int y = mitte - PXMM; y <= mitte + PXMM; ++y)
            for (int x = x0; x < x1; ++x) {
                const COLORREF c = p.an(std::min(p.w - 1, x * p.w / BREITE), std::min(p.h - 1, y * p.h / HOEHE));
                const int grau = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
                m.tinte += (255 - grau) / 255.0;
                m.dunkelst = std::min(m.dunkelst, grau);
            }
        m.tinte /= x1 - x0;
        return m;
    };
    const GdiBildPixel pdf = png(b.string() + ".pdf.png"), svg = png(b.string() + ".svg.png");
    const std::pair<const char*, const GdiBildPixel*> bilder[] = {{"screen", &ref}, {"pdf", &pdf}, {"svg", &svg}};
    for (int t = 1; t <= 7; ++t) {
        SCOPED_TRACE("line type " + std::to_string(t));
        const Messung r = messen(ref, t);
        for (const auto& [format, bild] : bilder) {
            const Messung m = messen(*bild, t);
            std::printf("line type %d %-6s ink %.2f (screen %.2f), darkest %3d (screen %3d)\n", t, format, m.tinte, r.tinte,
                        m.dunkelst, r.dunkelst);
            EXPECT_GT(m.tinte, messen(*bild, 7).tinte / 8) << format << ": the line type is seen";
            EXPECT_GT(m.tinte, r.tinte / 1.5) << format;
            EXPECT_LT(m.tinte, r.tinte * 1.5) << format;
            EXPECT_LE(m.dunkelst, 160) << format;
        }
    }
}

// The title block of every framed sheet (cells 230..280, 280..370 and 370..410
// mm wide, 10..40 mm high) holds its texts: under the text-width model each
// text ends inside the cell it starts in.
struct Schriftfeld {
    int font = 0;
    double hoehe = 0, faktor = 1;
    int texte = 0;
    std::vector<std::string> fehler;
};
Schriftfeld feld;
ELEMGERAET feldGeraet;

TEST_F(Kreuz, TitleBlockTextsFitTheirCells)
{
    feldGeraet = ELEMGERAET{};
    feldGeraet.schrift = [](void*, int font, int, double hoehe, double faktor) {
        feld.font = font;
        feld.hoehe = hoehe;
        feld.faktor = faktor;
    };
    feldGeraet.textGroesse = [](void*, const char* t, double* w, double* h) {
        *w = SchriftTextBreite(feld.font, t, feld.hoehe, feld.faktor);
        *h = feld.hoehe;
    };
    feldGeraet.textZeile = [](void*, double x, double y, const char* t, int) {
        if (y < 10 || y > 40 || x < 230 || x > 410) return;
        ++feld.texte;
        const double w = SchriftTextBreite(feld.font, t, feld.hoehe, feld.faktor);
        const double rechts = x < 280 ? 280 : x < 370 ? 370 : 410;
        if (x + w > rechts + 0.5) feld.fehler.push_back(std::string(t) + " ends at " + std::to_string(x + w));
    };
    for (const char* name : blaetter) {
        const std::string n = name;
        if (n == "HV1.01" || n == "HV1.15" || n == "Plan.001") continue;  // cover sheet; no frame
        SCOPED_TRACE(name);
        feld.fehler.clear();
        feld.texte = 0;
        ZeiAktSetzen(demo.datei(name).c_str());  // its project's library and text variables
        STT s;
        SttInit(&s, nullptr);
        ZeiDurchlaufen(demo.datei(name).c_str(), &s, [](const BEF* b, const STT* st) {
            ElemZeichnen(&feldGeraet, b, st);
            return 0;
        });
        EXPECT_GE(feld.texte, 8);
        EXPECT_TRUE(feld.fehler.empty()) << feld.fehler.front();
    }
}

// Every text of a framed demo sheet stays inside the frame (10 mm from the
// sheet's edges) under the text-width model: none crosses it or leaves the
// sheet.
TEST_F(Kreuz, DemoTextsStayInsideTheFrame)
{
    for (const char* name : blaetter) {
        const std::string n = name;
        if (n == "HV1.01" || n == "HV1.15" || n == "Plan.001") continue;  // cover sheet; no frame
        SCOPED_TRACE(name);
        for (const KzText& t : kzTexte(demo.datei(name))) {
            const double l = std::min(t.x0, t.x1), r = std::max(t.x0, t.x1);
            EXPECT_TRUE(l >= 10.5 && r <= 409.5 && t.y0 >= 10.5 && t.y0 + t.h <= 286.5)
                << "\"" << t.text << "\" at " << l << ".." << r << ", " << t.y0;
        }
    }
}

// Every demo sheet printed into a PDF file through the print dialog, once on
// A4 and once on A3 paper (landscape): one page a sheet, and each sheet's
// outer border drawn whole where the fit into the printable area (1/6 inch
// all round, centred) puts it.
TEST_F(Kreuz, EveryDemoSheetPrintsWholeOnA4AndA3)
{
    const HINSTANCE vorher = anwDaten()->instanz;
    anwDaten()->instanz = GetModuleHandle(nullptr);  // the abort dialog's module
    for (int papier : {DMPAPER_A4, DMPAPER_A3}) {
        SCOPED_TRACE(papier);
        const fs::path pdf = aus / (papier == DMPAPER_A4 ? "druck-a4.pdf" : "druck-a3.pdf");
        plDruckEinstellung e;
        e.datei = pdf.string();
        e.papier = papier;
        e.ausrichtung = DMORIENT_LANDSCAPE;
        plDruckDialogAntwort(e);
        ASSERT_EQ(DruckStart(), 1);
        for (const char* name : blaetter) EXPECT_EQ(ZeichnungDrucken(demo.datei(name).c_str()), 0) << name;
        DruckEnde();
        const fs::path seiten = aus / (papier == DMPAPER_A4 ? "druck-a4" : "druck-a3");
        ASSERT_EQ(aufruf("pdftoppm -r 25.4 -png '" + pdf.string() + "' '" + seiten.string() + "'"), 0);
        // The sheet fitted into the printable area, in millimetres from the
        // page's upper left corner (1 pixel a millimetre).
        const double pw = papier == DMPAPER_A4 ? 297 : 420, ph = papier == DMPAPER_A4 ? 210 : 297;
        const double rand = 25.4 / 6, bw = pw - 2 * rand, bh = ph - 2 * rand;
        const double sk = std::min(1.0, std::min(bw / 420, bh / 297));
        const double l = rand + (bw - 420 * sk) / 2, o = rand + (bh - 297 * sk) / 2;
        const double r = l + 420 * sk, u = o + 297 * sk;
        int n = 0;
        for (int s = 1; s <= 16; ++s) {
            const std::string nr = std::string(s < 10 ? "-0" : "-") + std::to_string(s) + ".png";
            const GdiBildPixel b = png(seiten.string() + nr);
            if (b.w == 0) continue;
            ++n;
            const std::string name = blaetter[s - 1];
            if (name == "HV1.15" || name == "Plan.001") continue;  // no frame
            // Ink along a border line (the best of the lines within 3 mm).
            auto anteil = [&](bool senkrecht, double wo, double von, double bis) {
                int best = 0;
                for (int d = -3; d <= 3; ++d) {
                    int k = 0;
                    for (int i = static_cast<int>(von) + 2; i < static_cast<int>(bis) - 2; ++i) {
                        const int x = senkrecht ? static_cast<int>(wo) + d : i, y = senkrecht ? i : static_cast<int>(wo) + d;
                        if (x >= 0 && y >= 0 && x < b.w && y < b.h && b.an(x, y) != RGB(255, 255, 255)) ++k;
                    }
                    best = std::max(best, k);
                }
                return best / (bis - von - 4);
            };
            EXPECT_GT(anteil(true, l, o, u), 0.9) << name << " left";
            EXPECT_GT(anteil(true, r - 1, o, u), 0.9) << name << " right";
            EXPECT_GT(anteil(false, o, l, r), 0.9) << name << " top";
            EXPECT_GT(anteil(false, u - 1, l, r), 0.9) << name << " bottom";
        }
        EXPECT_EQ(n, 16);
    }
    anwDaten()->instanz = vorher;
}

}  // namespace
