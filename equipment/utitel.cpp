// Project title texts and the drawing-header cache (see utitel.h).
#include "equipment/utitel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "equipment/bmhilf.h"
#include "equipment/projini.h"
#include "equipment/projzeile.h"
#include "equipment/wache.h"
#include "model/textvar.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr int UTPFADSUP = VERSUP + 20;
constexpr int UTFELDER = 4 + UTTEXTE + 2;   // fields of a record line
constexpr int UTALTZEILESUP = 400;          // characters of an old text line

// The page ranges' starts as names beside one drawing stem, built once per
// stem and list: the project page looks up every drawing of a folder, and
// building and comparing the names for every range of every drawing made
// half of a folder scan.
struct UtBereichStarts {
    std::vector<std::string> kenn;   // every record's key when built
    std::string stamm;               // drawing name without its extension
    std::vector<size_t> stelle;      // list index of each range
    std::vector<std::string> start;  // the stem with the range's key
    bool geordnet = false;           // starts in nondecreasing order
    size_t weiter = 0;               // first range after the last drawing
};

struct UtZustand {
    bool init = false;
    std::vector<projekttext> liste;
    bool geaendert = false;
    bool lesefehler = false;  // the file was read short: it is not written over
    WACHE wache{};
    int sprache = 0;        // language the file was last written for
    int stand = 0;          // raised by every load and write
    std::string importPfad;
    UtBereichStarts starts;
};
UtZustand ut;

// Field i of a record in the file's order, and its width.
char* utFeld(projekttext* t, int i, int* breite)
{
    *breite = UTTEXTSUP;
    if (i == 0) {
        *breite = UTKENNSUP;
        return t->kenn;
    }
    if (i == 1) return t->titel;
    if (i == 2) return t->anlage;
    if (i == 3) return t->ort;
    if (i < 4 + UTTEXTE) return t->text[i - 4];
    return t->gruppe[i - 4 - UTTEXTE];
}

// Every field ends within its width and holds no control character (a
// line end or the field separator inside a field would split its record
// line in the project file and shift every later field); the key starts
// with no blank, ';' or ')' (records handed in by callers, and values of
// old files).
void utBereinigen(projekttext* t)
{
    for (int i = 0; i < UTFELDER; ++i) {
        int b = 0;
        char* f = utFeld(t, i, &b);
        f[b] = '\0';
        for (char* c = f; *c; ++c)
            if (static_cast<unsigned char>(*c) < 0x20 && *c != '\t') *c = ' ';
    }
    // The project file's reader trims its lines and takes a line starting
    // with ';' for a comment and one with ')' for a section: a key starting
    // so would not come back, with its record. A key has no such start.
    const size_t vorn = std::strspn(t->kenn, " \t;)");
    if (vorn > 0) std::memmove(t->kenn, t->kenn + vorn, std::strlen(t->kenn + vorn) + 1);
}

bool utIstBereich(const projekttext& t) { return std::strncmp(t.kenn, "__", 2) != 0; }

int utGruppe(const projekttext& t)
{
    if (std::strcmp(t.kenn, "___") == 0) return 0;
    return utIstBereich(t) ? 2 : 1;
}

int utVergleich(const projekttext& a, const projekttext& b)
{
    int ga = utGruppe(a), gb = utGruppe(b);
    if (ga != gb) return ga - gb;
    if (ga == 1) return std::strcmp(a.kenn, b.kenn);
    if (ga == 0) return 0;
    char xa[UTKENNSUP + 3], xb[UTKENNSUP + 3];
    std::snprintf(xa, sizeof xa, "x.%s", a.kenn);
    std::snprintf(xb, sizeof xb, "x.%s", b.kenn);
    return ZeiDateiVergleich(xa, xb);
}

void UtitelSortieren()
{
    std::stable_sort(ut.liste.begin(), ut.liste.end(),
                     [](const projekttext& a, const projekttext& b) { return utVergleich(a, b) < 0; });
}

bool utDa(const char* pfad)
{
    const int a = dosattrib(pfad);
    return a != DOSATTR_FEHLT && (a & DOSATTR_VERZEICHNIS) == 0;
}

void utProjektPfad(char* puffer, size_t groesse, const char* name) { PfadProjekt(puffer, groesse, name); }

// The old file that stands for the project while no project file exists:
// "UTitel.txt", else "ZavikPro.ini"; "" when neither exists.
void utAltQuelle(char* puffer, size_t groesse)
{
    utProjektPfad(puffer, groesse, "UTitel.txt");
    if (utDa(puffer)) return;
    utProjektPfad(puffer, groesse, "ZavikPro.ini");
    if (utDa(puffer)) return;
    puffer[0] = '\0';
}

// The file the list is loaded from now: the project file of the current
// language when it exists, else an old file, else the project file's path.
void utQuelle(char* puffer, size_t groesse)
{
    UtitelDateiName(puffer, groesse, 1);
    if (utDa(puffer)) return;
    char alt[UTPFADSUP];
    utAltQuelle(alt, sizeof alt);
    if (alt[0] != '\0') strkopie(puffer, groesse, alt, static_cast<int>(groesse));
}

void utLeeren()
{
    ut.liste.clear();
    ut.geaendert = false;
    ut.lesefehler = false;
    WacheLeeren(&ut.wache);
}

void utZerlegen(const char* zeile, projekttext* t)
{
    std::memset(t, 0, sizeof *t);
    const char* s = zeile;
    for (int i = 0; i < UTFELDER; ++i) {
        int b = 0;
        char* f = utFeld(t, i, &b);
        pzFeld(f, static_cast<size_t>(b) + 1, &s, PZTRENNER, b);
    }
}

void utAnhaengen(const projekttext* t, void*)
{
    if (ut.liste.size() >= static_cast<size_t>(UTITELSUP)) return;
    ut.liste.push_back(*t);
    utBereinigen(&ut.liste.back());
}

// The old format: "___" from section "Texte" of "ZavikPro.ini", then the
// lines of "UTitel.txt".
void utAltLesen()
{
    projekttext p{};
    strkopie(p.kenn, "___", UTKENNSUP);
    char wert[PROJEKTINISUP + 1];
    ProjektIniLesen("Texte", "Titel", wert);
    strkopie(p.titel, wert, UTTEXTSUP);
    ProjektIniLesen("Texte", "Anlage", wert);
    strkopie(p.anlage, wert, UTTEXTSUP);
    ProjektIniLesen("Texte", "Ort", wert);
    strkopie(p.ort, wert, UTTEXTSUP);
    for (int i = 0; i < 5; ++i) {
        char schluessel[24];
        std::snprintf(schluessel, sizeof schluessel, "ProText%d", i);
        ProjektIniLesen("Texte", schluessel, wert);
        strkopie(p.text[i], wert, UTTEXTSUP);
    }
    utAnhaengen(&p, nullptr);

    char pfad[UTPFADSUP];
    utProjektPfad(pfad, sizeof pfad, "UTitel.txt");
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return;
    std::vector<char> zeile(PZZEILESUP + 1);
    while (bdgets(&d, zeile.data(), UTALTZEILESUP) >= 0) {
        char* z = zeile.data();
        if (strleer(z)) continue;
        projekttext t{};
        if (z[0] == '~') {
            char feld[UTALTZEILESUP + 1];
            for (int i = 0; i < 4; ++i) {
                quotfeldab(feld, z);
                strtrim(feld);
                int b = 0;
                char* f = utFeld(&t, i, &b);
                strkopie(f, static_cast<size_t>(b) + 1, feld, i == 0 ? 5 : b);
            }
        } else {
            const char* s = z;
            for (int i = 0; i < 4 + 5; ++i) {
                int b = 0;
                char* f = utFeld(&t, i, &b);
                pzFeld(f, static_cast<size_t>(b) + 1, &s, PZTRENNER, b);
            }
        }
        utAnhaengen(&t, nullptr);
    }
    if (bdlesefehler(&d)) ut.lesefehler = true;
    bdclose(&d);
}

int utKennSuchen(const char* kenn)
{
    for (size_t i = 0; i < ut.liste.size(); ++i)
        if (std::strcmp(ut.liste[i].kenn, kenn) == 0) return static_cast<int>(i);
    return -1;
}

// Index in the list of the n-th page range, -1 when none.
int utBereichIndex(int n)
{
    if (n < 0) return -1;
    for (size_t i = 0; i < ut.liste.size(); ++i) {
        if (!utIstBereich(ut.liste[i])) continue;
        if (n-- == 0) return static_cast<int>(i);
    }
    return -1;
}

// A title record changed: the drawing in work reads its project texts
// again, so that "@TP.." shows the new text at once.
void utGemerkt()
{
    ut.geaendert = true;
    ZeiProTexteHolen();
}

}  // namespace

// ---- list management -------------------------------------------------------

void UtitelInit()
{
    ut.liste.clear();
    ut.liste.reserve(UTITELSUP);
    ut.geaendert = false;
    WacheLeeren(&ut.wache);
    ut.init = true;
}

void UtitelFrei()
{
    utLeeren();
    ut.liste.shrink_to_fit();
    ut.importPfad.clear();
    ut.starts = UtBereichStarts{};
    ut.init = false;
}

void UtitelNeuLaden()
{
    utLeeren();
    ZeiProTexteHolen();
}

void UtitelDateiName(char* puffer, size_t groesse, int sprache)
{
    const int n = SprNummer();
    char name[20];
    if (sprache && n >= 1 && n <= 9)
        std::snprintf(name, sizeof name, "Projekt%d.zvk", n);
    else
        std::snprintf(name, sizeof name, "Projekt.zvk");
    utProjektPfad(puffer, groesse, name);
}

int UtitelDateiLesen(const char* pfad, void (*rueckruf)(const projekttext* t, void* benutzer), void* benutzer)
{
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return ERROR;
    std::vector<char> puffer(PZZEILESUP + 1);
    char* zeile = puffer.data();
    bool nehmen = true;
    for (int i = 0; i < 2; ++i) bdgets(&d, zeile, PZZEILESUP);
    while (bdgets(&d, zeile, PZZEILESUP) >= 0) {
        strtrim(zeile);
        if (zeile[0] == '\0' || zeile[0] == ';') continue;
        if (std::strncmp(zeile, ")E", 2) == 0) break;
        if (std::strncmp(zeile, ")S Kennung", 10) == 0) {
            nehmen = false;
            continue;
        }
        if (!nehmen) continue;
        projekttext t;
        utZerlegen(zeile, &t);
        if (rueckruf != nullptr) rueckruf(&t, benutzer);
    }
    const bool lesefehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    return lesefehler ? ERROR : 0;
}

void UtitelLaden()
{
    if (!ut.init) return;
    utLeeren();
    char pfad[UTPFADSUP], quelle[UTPFADSUP];
    UtitelDateiName(pfad, sizeof pfad, 1);
    strkopie(quelle, pfad, UTPFADSUP);
    ut.lesefehler = false;
    if (utDa(pfad)) {
        if (UtitelDateiLesen(pfad, utAnhaengen, nullptr) != 0) ut.lesefehler = true;
    } else {
        char alt[UTPFADSUP];
        utAltQuelle(alt, sizeof alt);
        if (alt[0] != '\0') {
            strkopie(quelle, alt, UTPFADSUP);
            utAltLesen();
        }
    }
    if (ut.lesefehler) {
        // Nothing of a file read short is shown or written back; the next
        // check reads it again.
        ut.liste.clear();
        BmhLesefehler(quelle);
    }
    // Files of other programs may stand in any order; lookups need ours.
    UtitelSortieren();
    if (ut.liste.empty()) {
        projekttext p{};
        strkopie(p.kenn, "___", UTKENNSUP);
        ut.liste.push_back(p);
    }
    if (ut.lesefehler) {
        WacheZaehlerMerken(&ut.wache);
    } else {
        WacheGeladen(&ut.wache, quelle);
    }
    ut.geaendert = false;
    ++ut.stand;
}

void UtitelPruefen(int anlegen)
{
    if (!ut.init) return;
    if (ut.wache.geladen && WacheZaehler() == ut.wache.zaehler) return;
    char quelle[UTPFADSUP];
    utQuelle(quelle, sizeof quelle);
    if (!WacheVeraltet(&ut.wache, quelle)) return;
    if (anlegen == 1) UtitelAnlegen();
    UtitelLaden();
}

int UtitelAnlegen()
{
    char pfad[UTPFADSUP], alt[UTPFADSUP];
    UtitelDateiName(pfad, sizeof pfad, 1);
    if (utDa(pfad)) return 1;
    // An old project keeps its files until the first write converts it.
    utAltQuelle(alt, sizeof alt);
    if (alt[0] != '\0') return 1;
    PzSchreiber w;
    if (pzOeffnen(&w, pfad) != 0) return ERROR;
    for (const char* z : {"zvkP", ")S Titel", ")S Kennung", ")E"}) pzZeile(&w, z);
    if (pzSchliessen(&w) != 0) return ERROR;
    ++ut.stand;
    return 0;
}

int UtitelSchreiben()
{
    if (!ut.init || ut.lesefehler) return ERROR;
    char pfad[UTPFADSUP];
    UtitelDateiName(pfad, sizeof pfad, 1);
    PzSchreiber w;
    if (pzOeffnen(&w, pfad) != 0) return ERROR;
    pzZeile(&w, "zvkP");
    pzZeile(&w, ")S Titel");
    std::string z;
    for (projekttext& t : ut.liste) {
        utBereinigen(&t);
        z.clear();
        for (int i = 0; i < UTFELDER; ++i) {
            int b = 0;
            z += utFeld(&t, i, &b);
            z += PZTRENNER;
        }
        pzZeile(&w, z.c_str());
    }
    pzZeile(&w, ")S Kennung");
    pzZeile(&w, ")E");
    if (pzSchliessen(&w) != 0) return ERROR;
    // The new file is in place: only now may the old format go, and only
    // when the base language's file was written (the old files still hold
    // the base titles while a language file is written).
    char basis[UTPFADSUP], alt[UTPFADSUP];
    UtitelDateiName(basis, sizeof basis, 0);
    if (std::strcmp(basis, pfad) == 0) {
        for (const char* name : {"UTitel.txt", "ZavikPro.ini"}) {
            utProjektPfad(alt, sizeof alt, name);
            if (utDa(alt)) dateiloeschen(alt);
        }
    }
    WacheGeladen(&ut.wache, pfad);
    ut.geaendert = false;
    ut.sprache = SprNummer();
    ++ut.stand;
    return 0;
}

int UtitelBeenden(int schreiben)
{
    if (!ut.init) return 0;
    if (schreiben == 0) {
        utLeeren();
        return 0;
    }
    return ut.geaendert ? UtitelSchreiben() : 0;
}

int UtitelStand() { return ut.stand; }
int UtitelGeaendert() { return ut.geaendert ? 1 : 0; }

// ---- lookups ----------------------------------------------------------------

void UtitelLeerText(projekttext* t) { std::memset(t, 0, sizeof *t); }

void UtitelProjektText(projekttext* t)
{
    UtitelPruefen(0);
    if (!ut.liste.empty() && utGruppe(ut.liste[0]) == 0)
        *t = ut.liste[0];
    else
        UtitelLeerText(t);
}

// Looked up by key rather than by position: a missing "__1" must not hide
// "__2".
void UtitelNrText(int n, projekttext* t)
{
    UtitelPruefen(0);
    UtitelLeerText(t);
    if (n < 0 || n > 9) return;
    char kenn[4] = {'_', '_', static_cast<char>('0' + n), '\0'};
    const int i = utKennSuchen(kenn);
    if (i >= 0) *t = ut.liste[static_cast<size_t>(i)];
}

namespace {

bool utStartsAktuell(const char* stamm)
{
    if (ut.starts.stamm != stamm || ut.starts.kenn.size() != ut.liste.size()) return false;
    for (size_t i = 0; i < ut.liste.size(); ++i)
        if (ut.starts.kenn[i] != ut.liste[i].kenn) return false;
    return true;
}

// `name` is the drawing's name cut as the lookup cuts it.
void utStartsBauen(const char* name, const char* stamm)
{
    UtBereichStarts& x = ut.starts;
    x.kenn.clear();
    x.stelle.clear();
    x.start.clear();
    x.stamm = stamm;
    x.weiter = 0;
    for (size_t i = 0; i < ut.liste.size(); ++i) {
        x.kenn.emplace_back(ut.liste[i].kenn);
        if (!utIstBereich(ut.liste[i])) continue;
        char start[ZEIPFADSUP + 1];
        strkopie(start, name, ZEIPFADSUP);
        ZeiExtSetzen(start, ut.liste[i].kenn);
        x.stelle.push_back(i);
        x.start.emplace_back(start);
    }
    x.geordnet = true;
    for (size_t r = 1; r < x.start.size() && x.geordnet; ++r)
        x.geordnet = ZeiDateiVergleich(x.start[r - 1].c_str(), x.start[r].c_str()) <= 0;
}

}  // namespace

// The last range whose start is not after the drawing, where the walk stops
// at the first start after it. With the starts in order, the answer for the
// next drawing lies at or after the previous one's (drawings come in
// order); a drawing before the previous one walks back.
void UtitelPfadText(const char* zeichnung, projekttext* t)
{
    UtitelPruefen(0);
    UtitelLeerText(t);
    if (zeichnung == nullptr) return;
    char name[ZEIPFADSUP + 1], stamm[ZEIPFADSUP + 1];
    strkopie(name, zeichnung, ZEIPFADSUP);
    strkopie(stamm, name, ZEIPFADSUP);
    ZeiExtLoeschen(stamm);
    if (!utStartsAktuell(stamm)) utStartsBauen(name, stamm);
    UtBereichStarts& x = ut.starts;
    const auto nachher = [&](size_t r) { return ZeiDateiVergleich(zeichnung, x.start[r].c_str()) < 0; };
    size_t k = 0;
    if (x.geordnet) {
        k = std::min(x.weiter, x.start.size());
        while (k > 0 && nachher(k - 1)) --k;
        while (k < x.start.size() && !nachher(k)) ++k;
        x.weiter = k;
    } else {
        while (k < x.start.size() && !nachher(k)) ++k;
    }
    if (k > 0) *t = ut.liste[x.stelle[k - 1]];
}

void UtitelBereicheDurchlaufen(void (*rueckruf)(const projekttext* t, void* benutzer), void* benutzer)
{
    UtitelPruefen(0);
    const std::vector<projekttext> kopie = ut.liste;  // the callback may change the list
    for (const projekttext& r : kopie)
        if (utIstBereich(r)) rueckruf(&r, benutzer);
}

int UtitelBereichHolen(int n, projekttext* t)
{
    UtitelPruefen(0);
    const int i = utBereichIndex(n);
    if (i < 0) return 0;
    *t = ut.liste[static_cast<size_t>(i)];
    return 1;
}

int UtitelBereichNr(const char* kenn)
{
    UtitelPruefen(0);
    int n = 0;
    for (const projekttext& r : ut.liste) {
        if (!utIstBereich(r)) continue;
        if (std::strcmp(r.kenn, kenn) == 0) return n;
        ++n;
    }
    return 0;
}

int UtitelBereichAnzahl()
{
    UtitelPruefen(0);
    int n = 0;
    for (const projekttext& r : ut.liste) n += utIstBereich(r) ? 1 : 0;
    return n;
}

// ---- changes ---------------------------------------------------------------

int UtitelProjektSetzen(const projekttext* t)
{
    UtitelPruefen(1);
    if (!ut.init) return ERROR;
    projekttext p = *t;
    utBereinigen(&p);
    strkopie(p.kenn, "___", UTKENNSUP);
    if (!ut.liste.empty() && utGruppe(ut.liste[0]) == 0) {
        ut.liste[0] = p;
    } else {
        // A file without "___": its first record is a range, never replaced.
        if (ut.liste.size() >= static_cast<size_t>(UTITELSUP)) return ERROR;
        ut.liste.insert(ut.liste.begin(), p);
    }
    utGemerkt();
    return 0;
}

int UtitelNrSetzen(int n, const projekttext* t)
{
    UtitelPruefen(1);
    if (!ut.init || n < 0 || n > 9) return ERROR;
    projekttext p = *t;
    utBereinigen(&p);
    std::snprintf(p.kenn, sizeof p.kenn, "__%d", n);
    const int i = utKennSuchen(p.kenn);
    if (i >= 0) {
        ut.liste[static_cast<size_t>(i)] = p;
    } else {
        if (ut.liste.size() >= static_cast<size_t>(UTITELSUP)) return ERROR;
        ut.liste.push_back(p);
        UtitelSortieren();
    }
    utGemerkt();
    return 0;
}

int UtitelBereichSetzen(const projekttext* t)
{
    UtitelPruefen(1);
    if (!ut.init) return ERROR;
    projekttext p = *t;
    utBereinigen(&p);
    const auto gleich = [&p](const projekttext& r) { return std::strcmp(r.kenn, p.kenn) == 0; };
    const size_t bleiben = ut.liste.size() - static_cast<size_t>(std::count_if(ut.liste.begin(), ut.liste.end(), gleich));
    if (bleiben >= static_cast<size_t>(UTITELSUP)) return ERROR;
    ut.liste.erase(std::remove_if(ut.liste.begin(), ut.liste.end(), gleich), ut.liste.end());
    ut.liste.push_back(p);
    UtitelSortieren();
    utGemerkt();
    return 0;
}

void UtitelBereichLoeschen(int n)
{
    UtitelPruefen(1);
    const int i = utBereichIndex(n);
    if (i < 0) return;
    ut.liste.erase(ut.liste.begin() + i);
    utGemerkt();
}

// ---- other projects, import ------------------------------------------------

int UtitelFremdLesen(const char* pfad, char* titel, char* anlage, char* ort)
{
    titel[0] = anlage[0] = ort[0] = '\0';
    struct Aus {
        char* t;
        char* a;
        char* o;
        bool gefunden;
    } aus{titel, anlage, ort, false};
    auto nimm = [](const projekttext* r, void* b) {
        auto* x = static_cast<Aus*>(b);
        if (x->gefunden || std::strcmp(r->kenn, "___") != 0) return;
        x->gefunden = true;
        strkopie(x->t, UTTEXTSUP + 1, r->titel, UTTEXTSUP);
        strkopie(x->a, UTTEXTSUP + 1, r->anlage, UTTEXTSUP);
        strkopie(x->o, UTTEXTSUP + 1, r->ort, UTTEXTSUP);
    };
    return UtitelDateiLesen(pfad, nimm, &aus) == 0 ? 1 : 0;
}

const char* UtitelImportMerken()
{
    char pfad[UTPFADSUP];
    UtitelDateiName(pfad, sizeof pfad, 1);
    ut.importPfad = pfad;
    return ut.importPfad.c_str();
}

int UtitelImportVorhanden() { return ut.importPfad.empty() ? 0 : 1; }

int UtitelImportieren(int satzmodus, int textmodus)
{
    if (ut.importPfad.empty() || !ut.init) return ERROR;
    UtitelPruefen(1);
    std::vector<projekttext> quelle;
    auto nimm = [](const projekttext* r, void* b) { static_cast<std::vector<projekttext>*>(b)->push_back(*r); };
    if (UtitelDateiLesen(ut.importPfad.c_str(), nimm, &quelle) != 0) return ERROR;
    if (satzmodus != 0 && satzmodus != 1) return 0;
    for (projekttext& q : quelle) {
        if (!utIstBereich(q)) continue;
        projekttext* ziel = nullptr;
        for (projekttext& r : ut.liste)
            if (utIstBereich(r) && strvgl(r.kenn, q.kenn) == 0) {
                ziel = &r;
                break;
            }
        if (ziel == nullptr) {
            if (satzmodus == 1 && ut.liste.size() < static_cast<size_t>(UTITELSUP)) ut.liste.push_back(q);
            continue;
        }
        for (int i = 1; i < UTFELDER; ++i) {
            int b = 0;
            char* z = utFeld(ziel, i, &b);
            const char* s = utFeld(&q, i, &b);
            const bool nehmen = (textmodus == 1 && strleer(z)) || (textmodus == 2 && !strleer(s)) || textmodus == 3;
            if (nehmen) strkopie(z, static_cast<size_t>(b) + 1, s, b);
        }
    }
    UtitelSortieren();
    utGemerkt();
    return 0;
}

// ---- drawing-header cache --------------------------------------------------

namespace {

struct ZkEintrag {
    char kenn[UTKENNSUP + 1];
    ZeiKopf kopf;
};
std::vector<ZkEintrag> zkCache;

// Position of the key, or where it belongs (*gefunden tells).
size_t zkSuchen(const char* kenn, bool* gefunden)
{
    auto it = std::lower_bound(zkCache.begin(), zkCache.end(), kenn,
                               [](const ZkEintrag& e, const char* k) { return ZeiNameVergleich(e.kenn, k) < 0; });
    *gefunden = it != zkCache.end() && ZeiNameVergleich(it->kenn, kenn) == 0;
    return static_cast<size_t>(it - zkCache.begin());
}

bool zkHolen(const char* kenn, ZeiKopf* kopf)
{
    bool da = false;
    const size_t i = zkSuchen(kenn, &da);
    if (da) *kopf = zkCache[i].kopf;
    return da;
}

// A miss reads the drawing of that key beside the current drawing, in the
// project folder. Nothing is cached when it cannot be read.
void zkNachlesen(const char* kenn, ZeiKopf* kopf)
{
    std::memset(kopf, 0, sizeof *kopf);
    const char* akt = ZeiAktName();
    if (akt == nullptr || akt[0] == '\0' || strleer(kenn)) return;
    char name[ZEIPFADSUP + 1], pfad[UTPFADSUP];
    strkopie(name, akt, ZEIPFADSUP);
    ZeiExtSetzen(name, kenn);
    PfadProjekt(pfad, sizeof pfad, name);
    if (ZeiKopfLesen(pfad, kopf) == 0) ZeiKopfEintragen(kenn, kopf);
}

}  // namespace

void ZeiKopfInit() { zkCache.clear(); }

void ZeiKopfFrei()
{
    zkCache.clear();
    zkCache.shrink_to_fit();
}

void ZeiKopfCacheLeeren() { zkCache.clear(); }

void ZeiKopfEintragen(const char* kenn, const ZeiKopf* kopf)
{
    if (kenn == nullptr || strleer(kenn)) return;
    ZkEintrag e{};
    strkopie(e.kenn, kenn, UTKENNSUP);
    e.kopf = *kopf;
    bool da = false;
    const size_t i = zkSuchen(e.kenn, &da);
    if (da) {
        if (std::memcmp(&zkCache[i].kopf, kopf, sizeof *kopf) != 0) zkCache[i] = e;
        return;
    }
    zkCache.insert(zkCache.begin() + static_cast<std::ptrdiff_t>(i), e);
}

void ZeiKopfMerken(const char* zeichnung, const ZeiKopf* kopf)
{
    char kenn[ZEIPFADSUP + 1];
    ZeiExtHolen(zeichnung != nullptr ? zeichnung : "", kenn);
    ZeiKopfEintragen(kenn, kopf);
}

void ZeiKopfHolen(const char* kenn, ZeiKopf* kopf)
{
    if (!zkHolen(kenn != nullptr ? kenn : "", kopf)) zkNachlesen(kenn != nullptr ? kenn : "", kopf);
}

void ZeiKopfGruppenTexte(const char* kenn, char* text10, char* text11)
{
    ZeiKopf k;
    ZeiKopfHolen(kenn, &k);
    strkopie(text10, ZEIKOPFTEXTSUP + 1, k.text10, ZEIKOPFTEXTSUP);
    strkopie(text11, ZEIKOPFTEXTSUP + 1, k.text11, ZEIKOPFTEXTSUP);
}

void ZeiKopfGruppenTexteDatei(const char* zeichnung, char* text10, char* text11)
{
    text10[0] = text11[0] = '\0';
    if (zeichnung == nullptr) return;
    char kenn[ZEIPFADSUP + 1];
    ZeiExtHolen(zeichnung, kenn);
    ZeiKopf k{};
    if (!zkHolen(kenn, &k)) {
        char pfad[UTPFADSUP];
        PfadProjekt(pfad, sizeof pfad, zeichnung);
        if (ZeiKopfLesen(pfad, &k) != 0) return;
        ZeiKopfEintragen(kenn, &k);
    }
    strkopie(text10, ZEIKOPFTEXTSUP + 1, k.text10, ZEIKOPFTEXTSUP);
    strkopie(text11, ZEIKOPFTEXTSUP + 1, k.text11, ZEIKOPFTEXTSUP);
}

int ZeiKopfAnzahl() { return static_cast<int>(zkCache.size()); }
