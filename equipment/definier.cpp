// Equipment definitions (see definier.h). Prefix `Def`.
//
// The texts stay raw: a definition is the offset of its 'H' line in the
// text of its source (0 the edit file, 1 the customer file in mode 0), and
// every lookup parses the lines it needs. An edit builds the new edit text
// beside the old one, writes it whole and only then takes it and reloads,
// so a failed write leaves file and memory as they were. No size limit:
// a cut text would lose its tail at the next edit.
#include "equipment/definier.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "equipment/defint.h"
#include "equipment/definfo.h"
#include "equipment/nhuliste.h"
#include "equipment/wache.h"
#include "config/verzeich.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

struct DefEintrag {
    size_t apppos;  // offset of the 'H' line
    int appsok;     // 0 edit text, 1 customer text
};

struct {
    int init;
    int modus;
    std::string text[2];
    std::vector<DefEintrag> index;
    std::string bearbeitung, kunde;   // paths
    WACHE wache;
    int generation;
} def;

const int DEFBLOCK = 30000;   // write block

bool DefWeiss(char c) { return c == ' ' || c == '\t'; }

// The line at pos (without its line end) and the start of the next one.
std::string DefZeile(const std::string& t, size_t pos, size_t* naechste)
{
    size_t e = t.find('\n', pos);
    const size_t ende = e == std::string::npos ? t.size() : e;
    *naechste = e == std::string::npos ? t.size() : e + 1;
    size_t z = ende;
    while (z > pos && t[z - 1] == '\r') --z;
    return t.substr(pos, z - pos);
}

bool DefFortsetzung(const std::string& t, size_t pos)
{
    return pos < t.size() && (t[pos] == '\r' || t[pos] == '\n' || DefWeiss(t[pos]));
}

// Reads a file whole: NUL or Ctrl-Z ends the text, trailing line ends
// become one CR LF. False when it cannot be read.
bool DefDateiLesen(const std::string& pfad, std::string& text)
{
    text.clear();
    BDAT d;
    if (pfad.empty() || bdopenlesen(&d, pfad.c_str()) < 0) return false;
    const long laenge = dateilaenge(pfad.c_str());
    if (laenge > 0) {
        text.resize(static_cast<size_t>(laenge));
        if (bdread(&d, text.data(), static_cast<int32_t>(laenge)) < 0) {
            bdclose(&d);
            text.clear();
            return false;
        }
    }
    bdclose(&d);
    const size_t ende = text.find_first_of(std::string("\0\x1a", 2));
    if (ende != std::string::npos) text.resize(ende);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    if (!text.empty()) text += "\r\n";
    return true;
}

void DefIndizieren(int quelle)
{
    const std::string& t = def.text[quelle];
    for (size_t p = 0; p < t.size();) {
        if (t[p] == 'H') def.index.push_back({p, quelle});
        const size_t e = t.find('\n', p);
        if (e == std::string::npos) break;
        p = e + 1;
    }
}

const char* DefKundeOderLeer() { return def.modus == 0 ? def.kunde.c_str() : ""; }

void DefLaden()
{
    def.index.clear();
    def.text[0].clear();
    def.text[1].clear();
    DefDateiLesen(def.bearbeitung, def.text[0]);
    DefIndizieren(0);
    if (def.modus == 0 && DefDateiLesen(def.kunde, def.text[1])) DefIndizieren(1);
    WacheGeladen2(&def.wache, def.bearbeitung.c_str(), DefKundeOderLeer());
    ++def.generation;
    DefInfoVeraltet();
}

const DefEintrag* DefHolen(int n)
{
    DefPruefen(0);
    if (n < 0 || n >= static_cast<int>(def.index.size())) return nullptr;
    return &def.index[static_cast<size_t>(n)];
}

std::vector<std::string> DefKopf(int n)
{
    std::vector<std::string> f;
    const DefEintrag* e = DefHolen(n);
    size_t naechste = 0;
    DefZeileZerlegen(e != nullptr ? DefZeile(def.text[e->appsok], e->apppos, &naechste) : std::string(), f);
    return f;
}

// Continuation lines of definition n: (start, end incl. line end, text).
struct DefFolge {
    size_t von, bis;
    std::string zeile;
};
std::vector<DefFolge> DefFolgen(const DefEintrag& e)
{
    std::vector<DefFolge> v;
    const std::string& t = def.text[e.appsok];
    size_t p = 0;
    DefZeile(t, e.apppos, &p);
    while (DefFortsetzung(t, p)) {
        size_t n = 0;
        std::string z = DefZeile(t, p, &n);
        v.push_back({p, n, std::move(z)});
        p = n;
    }
    return v;
}

std::string DefWort(const std::string& zeile)
{
    std::vector<std::string> f;
    DefZeileZerlegen(zeile, f);
    return f[0];
}

std::string DefUnterWort(const char* code)
{
    std::string c = code != nullptr ? code : "";
    if (!c.empty() && c[0] == 'U') c.erase(0, 1);
    return "U" + c;
}

// The sub-component line of definition n with that word, or nullptr.
bool DefUnterZeile(int n, const char* code, std::vector<std::string>& f)
{
    const DefEintrag* e = DefHolen(n);
    DefZeileZerlegen(std::string(), f);
    if (e == nullptr) return false;
    const std::string w = DefUnterWort(code);
    for (const DefFolge& z : DefFolgen(*e)) {
        std::vector<std::string> g;
        DefZeileZerlegen(z.zeile, g);
        if (g[0] == w) {
            f = g;
            return true;
        }
    }
    return false;
}

void DefAus(char* ziel, const std::string& quelle, int breite)
{
    if (ziel != nullptr) strkopie(ziel, static_cast<size_t>(breite) + 1, quelle.c_str(), breite);
}

std::string DefFeld(const char* t, int breite)
{
    std::string s = t != nullptr ? t : "";
    if (static_cast<int>(s.size()) > breite) s.resize(static_cast<size_t>(breite));
    return s;
}

// A line from fields: the prefix, then each field 1.. and '~', ending
// after the last non-empty field.
std::string DefZeileBauen(const std::string& praefix, const std::vector<std::string>& f)
{
    size_t letzte = 0;
    for (size_t i = 1; i < f.size(); ++i)
        if (!f[i].empty()) letzte = i;
    std::string z = praefix;
    for (size_t i = 1; i <= letzte; ++i) z += f[i] + "~";
    return z;
}

// The shipped definitions in the program folder are only read: the file
// to edit (or to create) lying there becomes the project's own file of the
// same name, so that the first change copies the whole text into the
// project, where the lookup finds it first.
void DefInsProjekt()
{
    if (def.bearbeitung.empty() || strleer(VerZeiger(0)) || strleer(VerZeiger(1))) return;
    namespace fs = std::filesystem;
    std::error_code f;
    const fs::path datei = def.bearbeitung;
    const fs::path programm = fs::weakly_canonical(VerZeiger(0), f);
    if (f || fs::weakly_canonical(datei.parent_path(), f) != programm || f) return;
    if (fs::weakly_canonical(VerZeiger(1), f) == programm) return;
    std::string neu = std::string(VerZeiger(1));
    if (neu.back() != '/') neu += '/';
    neu += datei.filename().string();
    if (def.kunde == def.bearbeitung) def.kunde = neu;
    def.bearbeitung = neu;
}

// Writes the new edit text; on success it becomes the text and is reloaded.
int DefSpeichern(std::string neu)
{
    DefInsProjekt();
    BDAT d;
    if (bdmake(&d, def.bearbeitung.c_str()) < 0) return -1;
    int r = 0;
    for (size_t p = 0; p < neu.size() && r == 0; p += DEFBLOCK) {
        const size_t n = std::min(neu.size() - p, static_cast<size_t>(DEFBLOCK));
        if (bdwrite(&d, neu.data() + p, static_cast<int32_t>(n)) < 0) r = -1;
    }
    if (r < 0) d.fehler = 1;
    if (bdclose(&d) < 0) r = -1;
    if (r < 0) return -1;
    DefLaden();
    return 0;
}

// The edit text with definition n's range [von, bis) replaced.
const DefEintrag* DefBearbeitbar(int n)
{
    DefPruefen(1);
    if (n < 0 || n >= static_cast<int>(def.index.size())) return nullptr;
    const DefEintrag* e = &def.index[static_cast<size_t>(n)];
    return e->appsok == 0 ? e : nullptr;
}

std::string DefKopfZeile(const DEFKOPF* k)
{
    std::string z = "H ~";
    auto feld = [&](const char* t, int b) { z += DefFeld(t, b) + "~"; };
    z += DefFeld(k->bauteil, DEFNAMESUP) + "~";
    z += DefFeld(k->typ, DEFNAMESUP) + "~";
    z += DefFeld(k->kenn1, DEFTEXTSUP) + "^" + DefFeld(k->kenn2, DEFTEXTSUP) + "~";
    feld(k->text[0], DEFTEXTSUP);
    z += std::to_string(k->zahl1) + "~";
    feld(k->text[1], DEFTEXTSUP);
    feld(k->kurz, DEFNAMESUP);
    feld(k->text[2], DEFTEXTSUP);
    feld(k->text[3], DEFTEXTSUP);
    feld(k->text[4], DEFTEXTSUP);
    z += std::to_string(k->zahl2) + "~";
    return z;
}

// Inserts "  w r" into the edit text before the first continuation line of
// the definition at pos that sorts after w; returns the new text.
std::string DefEinfuegen(const std::string& t, const DefEintrag& e, const std::string& w, const std::string& rest)
{
    size_t p = 0;
    DefZeile(t, e.apppos, &p);
    while (DefFortsetzung(t, p)) {
        size_t n = 0;
        const std::string z = DefZeile(t, p, &n);
        const std::string v = DefWort(z);
        if (!v.empty()) {
            if (v[0] > w[0]) break;
            if (v[0] == 'U' && w[0] == 'U' && BtlBuchstabenNr(v.c_str() + 1) > BtlBuchstabenNr(w.c_str() + 1)) break;
        }
        p = n;
    }
    std::string neu = t;
    neu.insert(p, "  " + w + " " + rest + "\r\n");
    return neu;
}

}  // namespace

namespace {

// The edit text without every continuation line of the definition at
// e.apppos whose word is w.
std::string DefEntfernen(const std::string& t, const DefEintrag& e, const std::string& w)
{
    std::string neu;
    size_t p = 0;
    DefZeile(t, e.apppos, &p);
    neu = t.substr(0, p);
    while (DefFortsetzung(t, p)) {
        size_t n = 0;
        const std::string z = DefZeile(t, p, &n);
        if (DefWort(z) != w) neu.append(t, p, n - p);
        p = n;
    }
    neu.append(t, p, std::string::npos);
    return neu;
}

// The edit text with the header line of the definition at e.apppos replaced.
std::string DefKopfErsetzen(const std::string& t, const DefEintrag& e, const std::string& zeile)
{
    size_t n = 0;
    DefZeile(t, e.apppos, &n);
    std::string neu = t.substr(0, e.apppos) + zeile + "\r\n";
    neu.append(t, n, std::string::npos);
    return neu;
}

std::string DefDplRest(const char* t) { return "~" + DefFeld(t, DEFNAMESUP) + "~"; }

std::string DefUnterRest(const char* bauteil, const char* typ, int anzahl, const char* kurz, const char* const texte[5])
{
    std::string z = "~" + DefFeld(bauteil, DEFNAMESUP) + "~" + DefFeld(typ, DEFNAMESUP) + "~";
    z += (anzahl == 1 ? std::string() : std::to_string(anzahl)) + "~";
    z += DefFeld(kurz, DEFNAMESUP) + "~";
    for (int i = 0; i < 5; ++i) z += DefFeld(texte != nullptr ? texte[i] : nullptr, DEFTEXTSUP) + "~";
    return z;
}

// Text number i (0..39) of a header or sub line is this field.
size_t DefKopfTextFeld(int i) { return i == 0 ? 4 : i == 1 ? 6 : i < 5 ? static_cast<size_t>(6 + i) : static_cast<size_t>(7 + i); }
size_t DefUnterTextFeld(int i) { return i < 5 ? static_cast<size_t>(5 + i) : static_cast<size_t>(7 + i); }

}  // namespace

void DefZeileZerlegen(const std::string& zeile, std::vector<std::string>& f)
{
    f.assign(DEFFELDSUP, std::string());
    size_t p = 0;
    while (p < zeile.size() && DefWeiss(zeile[p])) ++p;
    const size_t w = p;
    while (p < zeile.size() && !DefWeiss(zeile[p])) ++p;
    f[0] = zeile.substr(w, p - w);
    while (p < zeile.size() && DefWeiss(zeile[p])) ++p;
    if (p >= zeile.size()) return;
    const char trenner = zeile[p++];
    for (size_t i = 1; i < static_cast<size_t>(DEFFELDSUP); ++i) {
        const size_t e = zeile.find(trenner, p);
        f[i] = zeile.substr(p, e == std::string::npos ? std::string::npos : e - p);
        if (e == std::string::npos) break;
        p = e + 1;
    }
}

void DefInit()
{
    def.init = 1;
    def.modus = 0;
    def.index.clear();
    def.text[0].clear();
    def.text[1].clear();
    WacheLeeren(&def.wache);
}

void DefFrei()
{
    def.init = 0;
    def.index.clear();
    def.text[0].clear();
    def.text[0].shrink_to_fit();
    def.text[1].clear();
    def.text[1].shrink_to_fit();
    WacheLeeren(&def.wache);
    DefInfoFrei();   // until the program-end clean-up takes it over
}

void DefDateienSetzen()
{
    char pfad[WACHEPFADSUP];
    PfadSuchenAufwaerts(pfad, sizeof pfad, "BMListe.txt", "");
    const std::string standard = pfad;
    PfadSuchenAufwaerts(pfad, sizeof pfad, "BMKunde.txt", "");
    def.kunde = pfad;
    def.bearbeitung = def.modus == 2 ? def.kunde : standard;
    WacheLeeren(&def.wache);
    DefPruefen(0);
}

void DefModusSetzen(int modus)
{
    if (modus < 0 || modus > 2) modus = 0;
    if (modus == def.modus) return;
    char pfad[WACHEPFADSUP];
    PfadSuchenAufwaerts(pfad, sizeof pfad, "BMListe.txt", "");
    def.modus = modus;
    def.bearbeitung = modus == 2 ? def.kunde : std::string(pfad);
    WacheLeeren(&def.wache);
}

int DefModus() { return def.modus; }
int DefGeneration() { return def.generation; }
const char* DefBearbeitungsPfad() { return def.bearbeitung.c_str(); }

void DefPruefen(int anlegen)
{
    if (!def.init) return;
    if (def.wache.geladen && !WacheVeraltet2(&def.wache, def.bearbeitung.c_str(), DefKundeOderLeer())) return;
    if (anlegen && !def.bearbeitung.empty() && dateilaenge(def.bearbeitung.c_str()) < 0) {
        DefInsProjekt();
        BDAT d;
        if (bdmake(&d, def.bearbeitung.c_str()) >= 0) bdclose(&d);
    }
    DefLaden();
}

int DefAnzahl()
{
    DefPruefen(0);
    return static_cast<int>(def.index.size());
}

int DefBauteilVorhanden(const char* bauteil)
{
    const int n = DefAnzahl();
    for (int i = 0; i < n; ++i)
        if (DefKopf(i)[1] == (bauteil != nullptr ? bauteil : "")) return 1;
    return 0;
}

int DefTypSuchen(const char* typ)
{
    const int n = DefAnzahl();
    for (int i = 0; i < n; ++i)
        if (strvgl(DefKopf(i)[2].c_str(), typ != nullptr ? typ : "") == 0) return i;
    return -1;
}

int DefTypNameSuchen(const char* typ, char* bauteil)
{
    const int n = DefTypSuchen(typ);
    DefAus(bauteil, n >= 0 ? DefKopf(n)[1] : std::string(), DEFNAMESUP);
    return n;
}

void DefFelderHolen(int n, char* bauteil, char* typ, char* kenn1, char* kenn2, char* kurz, char* t1, char* t2, char* t3,
                    char* t4, char* t5)
{
    const std::vector<std::string> f = DefKopf(n);
    DefAus(bauteil, f[1], DEFNAMESUP);
    DefAus(typ, f[2], DEFNAMESUP);
    const size_t dach = f[3].find('^');
    DefAus(kenn1, f[3].substr(0, dach), DEFTEXTSUP);
    DefAus(kenn2, dach == std::string::npos ? std::string() : f[3].substr(dach + 1), DEFTEXTSUP);
    DefAus(kurz, f[7], DEFNAMESUP);
    char* texte[5] = {t1, t2, t3, t4, t5};
    for (int i = 0; i < 5; ++i) DefAus(texte[i], f[DefKopfTextFeld(i)], DEFTEXTSUP);
}

int DefZahlHolen(int n) { return std::atoi(DefKopf(n)[5].c_str()); }
int DefZahl2Holen(int n) { return std::atoi(DefKopf(n)[11].c_str()); }

void DefTexteHolen(int n, DEFTEXTE texte)
{
    const std::vector<std::string> f = DefKopf(n);
    for (int i = 0; i < DEFTEXTEANZ; ++i) DefAus(texte[i], f[DefKopfTextFeld(i)], DEFTEXTSUP);
}

void DefZeileSuchen(int n, const char* wort, char* aus, size_t kap)
{
    if (aus == nullptr || kap == 0) return;
    aus[0] = 0;
    const DefEintrag* e = DefHolen(n);
    if (e == nullptr) return;
    for (const DefFolge& z : DefFolgen(*e)) {
        std::vector<std::string> f;
        DefZeileZerlegen(z.zeile, f);
        if (f[0] != (wort != nullptr ? wort : "")) continue;
        strkopie(aus, kap, f[1].c_str(), static_cast<int>(kap - 1));
        return;
    }
}

void DefUnterDurchlaufen(int n, DEFUNTERFN fn, void* benutzer)
{
    const DefEintrag* e = DefHolen(n);
    if (e == nullptr || fn == nullptr) return;
    for (const DefFolge& z : DefFolgen(*e)) {
        std::string t = z.zeile;
        const size_t a = t.find_first_not_of(" \t");
        if (a == std::string::npos || t[a] != 'U') continue;
        t.erase(0, a);
        while (!t.empty() && DefWeiss(t.back())) t.pop_back();
        fn(t.c_str(), benutzer);
    }
}

void DefAlleUnterDurchlaufen(const char* bauteil, DEFNRFN fn, void* benutzer, int alle)
{
    const int n = DefAnzahl();
    for (int i = 0; i < n; ++i) {
        if (bauteil != nullptr && bauteil[0] != 0 && DefKopf(i)[1] != bauteil) continue;
        if (!alle) {
            bool unter = false;
            for (const DefFolge& z : DefFolgen(def.index[static_cast<size_t>(i)])) {
                const std::string w = DefWort(z.zeile);
                if (!w.empty() && w[0] == 'U') unter = true;
            }
            if (!unter) continue;
        }
        fn(i, benutzer);
    }
}

int DefUnterFelder(int n, const char* code, char* bauteil, char* typ, int* anzahl, char* kurz, char* t1, char* t2,
                   char* t3, char* t4, char* t5)
{
    std::vector<std::string> f;
    const bool da = DefUnterZeile(n, code, f);
    DefAus(bauteil, f[1], DEFNAMESUP);
    DefAus(typ, f[2], DEFNAMESUP);
    if (anzahl != nullptr) *anzahl = da ? std::max(1, std::atoi(f[3].c_str())) : 0;
    DefAus(kurz, f[4], DEFNAMESUP);
    char* texte[5] = {t1, t2, t3, t4, t5};
    for (int i = 0; i < 5; ++i) DefAus(texte[i], f[DefUnterTextFeld(i)], DEFTEXTSUP);
    return da ? 1 : 0;
}

void DefUnterTexteHolen(int n, const char* code, DEFTEXTE texte)
{
    std::vector<std::string> f;
    DefUnterZeile(n, code, f);
    for (int i = 0; i < DEFTEXTEANZ; ++i) DefAus(texte[i], f[DefUnterTextFeld(i)], DEFTEXTSUP);
}

// ---- edits -------------------------------------------------------------------------

int DefSchreiben(const DEFKOPF* k)
{
    if (k == nullptr) return -1;
    DefPruefen(1);
    if (def.bearbeitung.empty()) return -1;
    std::string neu = def.text[0] + DefKopfZeile(k) + "\r\n";
    if (k->dispo != nullptr && k->dispo[0]) neu += "  D " + DefDplRest(k->dispo) + "\r\n";
    if (k->prinzip != nullptr && k->prinzip[0]) neu += "  P " + DefDplRest(k->prinzip) + "\r\n";
    if (k->stueckliste != nullptr && k->stueckliste[0]) neu += "  L " + DefDplRest(k->stueckliste) + "\r\n";
    if (DefSpeichern(std::move(neu)) < 0) return -1;
    return static_cast<int>(def.index.size()) - 1;
}

int DefAendern(int n, const DEFKOPF* k)
{
    const DefEintrag* e = DefBearbeitbar(n);
    if (e == nullptr || k == nullptr) return -1;
    const DefEintrag stelle = *e;
    std::vector<std::string> f = DefKopf(n), neuf;
    DefZeileZerlegen(DefKopfZeile(k), neuf);
    for (size_t i = 1; i <= 11; ++i) f[i] = neuf[i];
    std::string t = DefKopfErsetzen(def.text[0], stelle, DefZeileBauen("H ~", f));
    for (const char* w : {"D", "P", "L"}) t = DefEntfernen(t, stelle, w);
    if (k->dispo != nullptr && k->dispo[0]) t = DefEinfuegen(t, stelle, "D", DefDplRest(k->dispo));
    if (k->prinzip != nullptr && k->prinzip[0]) t = DefEinfuegen(t, stelle, "P", DefDplRest(k->prinzip));
    if (k->stueckliste != nullptr && k->stueckliste[0]) t = DefEinfuegen(t, stelle, "L", DefDplRest(k->stueckliste));
    return DefSpeichern(std::move(t));
}

int DefTexteSetzen(int n, const char* const texte[DEFTEXTEANZ])
{
    const DefEintrag* e = DefBearbeitbar(n);
    if (e == nullptr) return -1;
    const DefEintrag stelle = *e;
    std::vector<std::string> f = DefKopf(n);
    for (int i = 0; i < DEFTEXTEANZ; ++i) f[DefKopfTextFeld(i)] = DefFeld(texte != nullptr ? texte[i] : nullptr, DEFTEXTSUP);
    return DefSpeichern(DefKopfErsetzen(def.text[0], stelle, DefZeileBauen("H ~", f)));
}

int DefUnterSchreiben(int n, const char* code, const char* bauteil, const char* typ, int anzahl, const char* kurz,
                      const char* const texte[5])
{
    const DefEintrag* e = DefBearbeitbar(n);
    if (e == nullptr) return -1;
    const DefEintrag stelle = *e;
    const std::string w = DefUnterWort(code);
    std::vector<std::string> f;
    std::string rest;
    if (DefUnterZeile(n, code, f)) {
        std::vector<std::string> neu;
        DefZeileZerlegen("U " + DefUnterRest(bauteil, typ, anzahl, kurz, texte), neu);
        for (size_t i = 1; i <= 9; ++i) f[i] = neu[i];
        rest = DefZeileBauen("~", f);
    } else {
        rest = DefUnterRest(bauteil, typ, anzahl, kurz, texte);
    }
    std::string t = DefEntfernen(def.text[0], stelle, w);
    return DefSpeichern(DefEinfuegen(t, stelle, w, rest));
}

int DefUnterTexteSetzen(int n, const char* code, const char* const texte[DEFTEXTEANZ])
{
    const DefEintrag* e = DefBearbeitbar(n);
    if (e == nullptr) return -1;
    const DefEintrag stelle = *e;
    std::vector<std::string> f;
    if (!DefUnterZeile(n, code, f)) return -1;
    for (int i = 0; i < DEFTEXTEANZ; ++i) f[DefUnterTextFeld(i)] = DefFeld(texte != nullptr ? texte[i] : nullptr, DEFTEXTSUP);
    const std::string w = DefUnterWort(code);
    std::string t = DefEntfernen(def.text[0], stelle, w);
    return DefSpeichern(DefEinfuegen(t, stelle, w, DefZeileBauen("~", f)));
}

int DefUnterLoeschen(int n, const char* code)
{
    const DefEintrag* e = DefBearbeitbar(n);
    if (e == nullptr) return -1;
    const DefEintrag stelle = *e;
    return DefSpeichern(DefEntfernen(def.text[0], stelle, DefUnterWort(code)));
}

int DefLoeschen(int n)
{
    const DefEintrag* e = DefBearbeitbar(n);
    if (e == nullptr) return -1;
    const std::vector<DefFolge> folgen = DefFolgen(*e);
    size_t bis = 0;
    DefZeile(def.text[0], e->apppos, &bis);
    if (!folgen.empty()) bis = folgen.back().bis;
    std::string t = def.text[0];
    t.erase(e->apppos, bis - e->apppos);
    return DefSpeichern(std::move(t));
}

int DefKopieren(int n)
{
    const DefEintrag* e = DefBearbeitbar(n);
    if (e == nullptr) return -1;
    const std::vector<DefFolge> folgen = DefFolgen(*e);
    size_t bis = 0;
    DefZeile(def.text[0], e->apppos, &bis);
    if (!folgen.empty()) bis = folgen.back().bis;
    std::string t = def.text[0] + def.text[0].substr(e->apppos, bis - e->apppos);
    if (DefSpeichern(std::move(t)) < 0) return -1;
    return static_cast<int>(def.index.size()) - 1;
}
