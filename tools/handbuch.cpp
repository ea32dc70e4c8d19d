// The manual and its topic index (see handbuch.h). A small page setter over
// the PDF layer (`HbSatz`): entries start on a new page with a bookmark of
// their own, text is broken at blanks by the font's widths, and the topics
// of an entry go into the index with the number of pages it took.
#include "tools/handbuch.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/pdfbib.h"
#include "platform/ressource.h"
#include "platform/winconst.h"

namespace {

std::string hbLesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    if (!f) return {};
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string hbTrimmen(std::string s)
{
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(a, e - a + 1);
}

// ---- the page setter --------------------------------------------------------------------------

class HbSatz {
public:
    explicit HbSatz(int bib) : b(bib)
    {
        normal = DPLAddStandardFont(b, 4);  // Helvetica
        fett = DPLAddStandardFont(b, 5);    // Helvetica-Bold
    }

    // A new entry on a new page: its bookmark and its topics.
    void eintrag(const std::string& titel, const std::vector<std::string>& themen)
    {
        abschliessen();
        neueSeite();
        offenTitel = titel;
        offenThemen = themen;
        offenStart = seite;
        DPLNewOutline(b, 0, pdfbibBreit(titel).c_str(), seite, hoehe);
        zeile(titel, fett, 17, 26);
        y -= 6;
    }
    void ueberschrift(const std::string& t)
    {
        y -= 6;
        if (y < UNTEN + 40) neueSeite();
        zeile(t, fett, 12.5, 17);
    }
    // A paragraph; `einzug` indents it (a bullet when `punkt`).
    void absatz(const std::string& text, double einzug = 0, bool punkt = false, int schrift = 0, double groesse = 10.5)
    {
        DPLSelectFont(b, schrift ? schrift : normal);
        DPLSetTextSize(b, groesse);
        const double breite = RECHTS - LINKS - einzug - (punkt ? 10 : 0);
        std::vector<std::string> zeilen = umbrechen(text, breite);
        for (size_t i = 0; i < zeilen.size(); ++i) {
            if (y < UNTEN) neueSeite();
            DPLSelectFont(b, schrift ? schrift : normal);
            DPLSetTextSize(b, groesse);
            if (punkt && i == 0) DPLDrawText(b, LINKS + einzug, y, pdfbibBreit("\x95").c_str());
            DPLDrawText(b, LINKS + einzug + (punkt ? 10 : 0), y, pdfbibBreit(zeilen[i]).c_str());
            y -= groesse * 1.35;
        }
        y -= 3;
    }
    void fettAbsatz(const std::string& text, double einzug = 0) { absatz(text, einzug, false, fett, 10.5); }
    // Room for a picture of `h` points; gives the top edge to draw it at.
    double platz(double h)
    {
        if (y - h < UNTEN) neueSeite();
        const double oben = y;
        y -= h + 6;
        return oben;
    }
    void abschliessen()
    {
        if (offenTitel.empty()) return;
        const int n = seite - offenStart + 1;
        for (const std::string& t : offenThemen) {
            // The first page that names a topic answers F1 for it.
            std::string gross = t;
            for (char& c : gross) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (!vergeben.insert(gross).second) continue;
            index += t + " " + std::to_string(n) + " " + offenTitel + "\n";
        }
        offenTitel.clear();
        offenThemen.clear();
    }
    int seiten() const { return seite; }
    std::string index;
    int b;
    int normal = 0, fett = 0;

private:
    // The online viewer shows 170 mm of the page from its left edge: the
    // text ends within that.
    static constexpr double LINKS = 50, RECHTS = 465, UNTEN = 60;
    int seite = 0;
    double hoehe = 842, y = 0;
    std::string offenTitel;
    std::vector<std::string> offenThemen;
    std::set<std::string> vergeben;
    int offenStart = 0;

    void neueSeite()
    {
        seite = seite == 0 ? 1 : DPLNewPage(b);
        DPLSelectPage(b, seite);
        hoehe = DPLPageHeight(b);
        y = hoehe - 64;
        // The page number at the foot.
        DPLSelectFont(b, normal);
        DPLSetTextSize(b, 8);
        DPLSetTextAlign(b, 1);
        DPLDrawText(b, (LINKS + RECHTS) / 2, 30, pdfbibBreit(std::to_string(seite)).c_str());
        DPLSetTextAlign(b, 0);
    }
    void zeile(const std::string& t, int schrift, double groesse, double vorschub)
    {
        if (y < UNTEN) neueSeite();
        DPLSelectFont(b, schrift);
        DPLSetTextSize(b, groesse);
        for (const std::string& z : umbrechen(t, RECHTS - LINKS)) {
            DPLDrawText(b, LINKS, y, pdfbibBreit(z).c_str());
            y -= vorschub;
        }
    }
    std::vector<std::string> umbrechen(const std::string& text, double breite)
    {
        std::vector<std::string> zeilen;
        std::istringstream w(text);
        std::string wort, z;
        while (w >> wort) {
            const std::string probe = z.empty() ? wort : z + " " + wort;
            if (!z.empty() && DPLGetTextWidth(b, pdfbibBreit(probe).c_str()) > breite) {
                zeilen.push_back(z);
                z = wort;
            } else {
                z = probe;
            }
        }
        if (!z.empty()) zeilen.push_back(z);
        return zeilen;
    }
};

// ---- the written source -----------------------------------------------------------------------

struct HbSeite {
    std::string titel;
    std::vector<std::string> themen;
    std::vector<std::string> zeilen;  // as written: "= ...", "- ...", text, ""
    std::vector<std::string> dialoge;  // "> NAME ...": dialogs whose pages point here
};

struct HbQuelle {
    std::vector<HbSeite> seiten;
    std::map<int, std::string> befehle;         // "% id text"
    std::map<std::string, std::string> dialoge;  // "& NAME text"
    // "&+ NAME Feld | text": what one field of a dialog means, by the
    // field's words as the page lists them.
    std::map<std::string, std::map<std::string, std::string>> felder;
};

HbQuelle hbQuelleLesen(const std::string& utf8)
{
    HbQuelle q;
    std::istringstream ein(plCpAusUtf8(utf8));
    std::string z;
    while (std::getline(ein, z)) {
        if (!z.empty() && z.back() == '\r') z.pop_back();
        if (!z.empty() && z[0] == '#') continue;
        if (z.rfind("@ ", 0) == 0) {
            HbSeite s;
            const size_t strich = z.find('|');
            s.titel = hbTrimmen(z.substr(2, strich == std::string::npos ? std::string::npos : strich - 2));
            if (strich != std::string::npos) {
                std::istringstream t(z.substr(strich + 1));
                std::string w;
                while (t >> w) s.themen.push_back(w);
            }
            q.seiten.push_back(s);
        } else if (z.rfind("% ", 0) == 0) {
            std::istringstream t(z.substr(2));
            int id = 0;
            t >> id;
            std::string rest;
            std::getline(t, rest);
            q.befehle[id] = hbTrimmen(rest);
        } else if (z.rfind("&+ ", 0) == 0) {
            std::istringstream t(z.substr(3));
            std::string name, rest;
            t >> name;
            std::getline(t, rest);
            const size_t strich = rest.find('|');
            if (strich == std::string::npos) continue;
            // "A,B": two templates of one dialog share their text.
            std::istringstream namen(name);
            for (std::string n; std::getline(namen, n, ',');)
                q.felder[n][hbTrimmen(rest.substr(0, strich))] = hbTrimmen(rest.substr(strich + 1));
        } else if (z.rfind("& ", 0) == 0) {
            std::istringstream t(z.substr(2));
            std::string name, rest;
            t >> name;
            std::getline(t, rest);
            std::istringstream namen(name);
            for (std::string n; std::getline(namen, n, ',');) q.dialoge[n] = hbTrimmen(rest);
        } else if (z.rfind("> ", 0) == 0 && !q.seiten.empty()) {
            std::istringstream t(z.substr(2));
            std::string w;
            while (t >> w) q.seiten.back().dialoge.push_back(w);
        } else if (!q.seiten.empty()) {
            q.seiten.back().zeilen.push_back(z);
        }
    }
    return q;
}

// Sets an entry; gives its first page.
int hbSeiteSetzen(HbSatz& s, const HbSeite& seite)
{
    s.eintrag(seite.titel, seite.themen);
    const int start = s.seiten();
    std::string absatz;
    auto fertig = [&] {
        if (!hbTrimmen(absatz).empty()) s.absatz(hbTrimmen(absatz));
        absatz.clear();
    };
    for (const std::string& z : seite.zeilen) {
        if (z.rfind("= ", 0) == 0) {
            fertig();
            s.ueberschrift(z.substr(2));
        } else if (z.rfind("- ", 0) == 0) {
            fertig();
            s.absatz(z.substr(2), 6, true);
        } else if (hbTrimmen(z).empty()) {
            fertig();
        } else {
            absatz += " " + z;
        }
    }
    fertig();
    return start;
}

// ---- menus --------------------------------------------------------------------------------------

struct HbMenue {
    const char* name;
    const char* titel;
    const char* thema;
    const char* text;
};

const HbMenue HB_MENUES[] = {
    {"ANW_MENU", "Menü der Seite Projekt", "ANW_MENU", "Das Menü der Projektseite, auch auf der Seite Auswertungen."},
    {"EDT_MENU", "Menü des Editors", "EDT_MENU", "Das Menü der Seite Zeichnung."},
    {"SON_MENU", "Menü der Seiten Betriebsmittel und Auswertungen", "SON_MENU",
     "Das Menü der Betriebsmittelliste und der Auswertungen."},
    {"ANZ_MENU", "Menü der Zeichnungsanzeige", "ANZ_MENU", "Das Menü der Anzeige."},
    {"PROVERW_RM", "Kontextmenü einer Zeichnung", "PROVERW_RM",
     "Rechtsklick auf eine Zeile der Zeichnungsliste oder die Anwendungstaste."},
    {"PROVERW_HGRM", "Kontextmenü des Projekts", "PROVERW_HGRM",
     "Rechtsklick unter die letzte Zeile der Zeichnungsliste."},
};

void hbMenuePunkte(HbSatz& s, const HbQuelle& q, const std::vector<RcMenuePunkt>& punkte, double einzug)
{
    for (const RcMenuePunkt& p : punkte) {
        if (p.flags & MF_SEPARATOR) continue;
        const std::string text = HbMenueText(p.text);
        if (p.flags & MF_POPUP) {
            s.fettAbsatz(text, einzug);
            hbMenuePunkte(s, q, p.unter, einzug + 14);
            continue;
        }
        auto it = q.befehle.find(p.id);
        s.absatz(text + (it != q.befehle.end() ? " \x96 " + it->second : ""), einzug, true);
    }
}

// ---- dialogs ------------------------------------------------------------------------------------

// The user's words of a control: a picture button's "BITMAP; Text" gives
// its text; '&' taken out; an edit class's creation text is no label.
std::string hbElementText(const RcDlgElement& e)
{
    std::string k = e.klasse;
    for (char& c : k) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (k == "edit" || k == "orvaedit" || k == "listbox" || k == "combobox" || k == "scrollbar") return "";
    std::string t = e.text;
    const size_t semi = t.find(';');
    if (semi != std::string::npos) t = t.substr(semi + 1);
    std::string r;
    for (char c : t)
        if (c != '&') r += c;
    return hbTrimmen(r);
}

}  // namespace

std::string HbMenueText(const std::string& text)
{
    std::string t, kurz;
    const size_t tab = text.find('\t');
    const std::string vorne = text.substr(0, tab);
    for (char c : vorne)
        if (c != '&') t += c;
    if (tab != std::string::npos) {
        kurz = text.substr(tab + 1);
        if (kurz.size() == 2 && kurz[0] == '^') kurz = std::string("Strg+") + kurz[1];
        t += " (" + kurz + ")";
    }
    return t;
}

int HbHandbuchSchreiben(const std::string& quelle, const std::string& vorgaben, const std::string& pdf,
                        const std::string& index)
{
    const std::string text = hbLesen(quelle);
    if (text.empty()) {
        std::fprintf(stderr, "velmo_handbuch: %s fehlt oder ist leer\n", quelle.c_str());
        return -1;
    }
    const HbQuelle q = hbQuelleLesen(text);
    int b = DPLCreateLibrary();
    if (b <= 0 || DPLNewDocument(b) <= 0) return -1;
    HbSatz s(b);

    // The written chapters.
    // A dialog named by a chapter points to it (dialog -> title, page).
    std::map<std::string, std::pair<std::string, int>> verweise;
    for (const HbSeite& seite : q.seiten) {
        const int start = hbSeiteSetzen(s, seite);
        for (const std::string& d : seite.dialoge) verweise.emplace(d, std::make_pair(seite.titel, start));
    }

    // The menus, item by item.
    HMODULE programm = GetModuleHandle(nullptr);
    for (const HbMenue& m : HB_MENUES) {
        const RcMenue* r = rcMenue(programm, m.name);
        if (r == nullptr) continue;
        s.eintrag(plCpAusUtf8(m.titel), {m.thema});
        s.absatz(plCpAusUtf8(m.text));
        for (const RcMenuePunkt& p : r->punkte) {
            if (p.flags & MF_SEPARATOR) continue;
            if (p.flags & MF_POPUP) {
                s.ueberschrift(HbMenueText(p.text));
                hbMenuePunkte(s, q, p.unter, 0);
            } else {
                s.absatz(HbMenueText(p.text), 0, true);
            }
        }
    }

    // The dialogs of every module, by template name (F1 in a dialog asks
    // for its name).
    std::map<std::string, std::pair<std::string, const RcDialog*>> dialoge;
    std::vector<HMODULE> module;
    for (const std::string& m : rcModulNamen()) {
        HMODULE h = LoadLibrary(m.c_str());
        if (h == 0) continue;
        module.push_back(h);
        for (const std::string& name : rcDialogNamen(h))
            if (const RcDialog* d = rcDialog(h, name.c_str())) dialoge.emplace(name, std::make_pair(m, d));
    }
    for (const auto& [name, md] : dialoge) {
        const RcDialog* d = md.second;
        std::string titel = hbTrimmen(d->titel);
        s.eintrag("Dialog " + (titel.empty() ? name : titel) + " (" + name + ")", {name});
        auto it = q.dialoge.find(name);
        if (it != q.dialoge.end()) s.absatz(it->second);
        std::vector<std::string> felder;
        std::set<std::string> schon;
        for (const RcDlgElement& e : d->elemente) {
            const std::string t = hbElementText(e);
            if (t.empty() || schon.count(t)) continue;
            schon.insert(t);
            felder.push_back(t);
        }
        // Each field with what it means; a description whose field the
        // dialog no longer has is reported, so a renamed control does not
        // silently lose its text.
        const auto beschrieben = q.felder.find(name);
        if (!felder.empty()) {
            s.fettAbsatz("Felder und Kn\xF6pfe:");
            for (const std::string& f : felder) {
                std::string zeile = f;
                if (beschrieben != q.felder.end()) {
                    auto b = beschrieben->second.find(f);
                    if (b != beschrieben->second.end()) {
                        if (zeile.size() > 1 && zeile.back() == ':') zeile.pop_back();
                        zeile += " \x96 " + b->second;
                    }
                }
                s.absatz(zeile, 6, true);
            }
        }
        if (beschrieben != q.felder.end())
            for (const auto& [f, t] : beschrieben->second)
                if (!schon.count(f))
                    std::fprintf(stderr, "velmo_handbuch: Dialog %s hat kein Feld \"%s\"\n", name.c_str(),
                                 plCpNachUtf8(f).c_str());
        if (auto v = verweise.find(name); v != verweise.end())
            s.absatz("Schritt f\xFC" "r Schritt an einem Beispiel: Kapitel \"" + v->second.first + "\", Seite " +
                     std::to_string(v->second.second) + ".");
        s.absatz("Esc schlie\xDF" "t den Dialog, F1 zeigt diese Seite.", 0, false, 0, 9);
    }
    for (HMODULE h : module) FreeLibrary(h);

    // The settings groups of "Vorgaben.txt".
    std::istringstream vg(hbLesen(vorgaben));
    struct Gruppe {
        std::string name, titel;
        std::vector<std::string> muster;
    };
    struct Schluessel {
        std::string name, titel;
        std::vector<std::string> info;
    };
    std::vector<Gruppe> gruppen;
    std::vector<Schluessel> schluessel;
    std::string z;
    int erwartet = 0;  // 1 group line, 2 caption, 3 info
    while (std::getline(vg, z)) {
        if (!z.empty() && z.back() == '\r') z.pop_back();
        if (z.rfind(")I", 0) == 0) {
            erwartet = 1;
            continue;
        }
        if (z.rfind(")S ", 0) == 0) {
            std::istringstream w(z.substr(3));
            Schluessel k;
            w >> k.name;
            schluessel.push_back(k);
            erwartet = 2;
            continue;
        }
        if (!z.empty() && z[0] == ')') {
            erwartet = 0;
            continue;
        }
        if (erwartet == 1) {
            Gruppe g;
            std::istringstream w(z);
            w >> g.name;
            const size_t a = z.find('"'), e = z.find('"', a + 1);
            if (a != std::string::npos && e != std::string::npos) g.titel = z.substr(a + 1, e - a - 1);
            std::istringstream m(e != std::string::npos ? z.substr(e + 1) : "");
            std::string p;
            while (m >> p) g.muster.push_back(p);
            gruppen.push_back(g);
            erwartet = 0;
        } else if (erwartet == 2) {
            schluessel.back().titel = z;
            erwartet = 3;
        } else if (erwartet == 3 && z.rfind("+)", 0) != 0) {
            schluessel.back().info.push_back(z);
        }
    }
    auto passt = [](const std::string& muster, const std::string& k) {
        if (!muster.empty() && muster.back() == '*') return k.rfind(muster.substr(0, muster.size() - 1), 0) == 0;
        return k == muster;
    };
    for (const Gruppe& g : gruppen) {
        // The group's key name is internal (the ini files keep it); the user
        // sees its title.
        s.eintrag("Einstellungen " + (g.titel.empty() ? g.name : g.titel), {"VorEditGB-" + g.name});
        s.absatz("Die Einstellungsseite \"" + g.titel +
                 "\" zeigt diese Schl\xFC" "ssel des Vorgabensatzes. Ein Wert wird rechts ge\xE4" "ndert; OK schreibt "
                 "den Vorgabensatz, Abbrechen schlie\xDF" "t ohne zu schreiben.");
        for (const Schluessel& k : schluessel) {
            bool drin = false;
            for (const std::string& m : g.muster) drin = drin || passt(m, k.name);
            if (!drin) continue;
            s.fettAbsatz(k.name + " \x96 " + k.titel);
            std::string info;
            for (const std::string& i : k.info) info += " " + i;
            if (!hbTrimmen(info).empty()) s.absatz(hbTrimmen(info), 10, false, 0, 9.5);
        }
    }
    s.abschliessen();
    const bool ok = DPLSaveToFile(b, pdfbibBreit(pdf).c_str()) != 0;
    DPLReleaseLibrary(b);
    if (!ok) {
        std::fprintf(stderr, "velmo_handbuch: %s kann nicht geschrieben werden\n", pdf.c_str());
        return -1;
    }
    std::ofstream idx(index, std::ios::binary);
    idx << s.index;
    idx.close();
    if (!idx) {
        std::fprintf(stderr, "velmo_handbuch: %s kann nicht geschrieben werden\n", index.c_str());
        return -1;
    }
    return 0;
}
