// The KNX evaluation (see eibauswert.h).
//
// The format file is read whole at the start; its sections are kept as
// lists of lines of any length, and a line grows as its references and
// variables are resolved. The result is written to a temporary file that
// replaces the old result only when the run ends well.
#include "lists/eibauswert.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/btl.h"
#include "equipment/nartikel.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "lists/auswertung.h"
#include "lists/bmauswert.h"
#include "model/befehl.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "support/bdatei.h"
#include "support/fileload.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/meldung.h"

namespace {

constexpr int EIBKENNSUP = 40;
constexpr int EIBFORMATSUP = 40;
constexpr int EIBSCANSUP = 300;  // characters of a line scanned for references

struct nsowrk {
    uint32_t index;
    char kennung[EIBKENNSUP + 1];
    appbteil b;
};

// The components of a run. Kept from run to run: a fresh block of this
// size costs its pages again every time.
std::vector<nsowrk> eibListe;

struct EibLauf {
    int variante;
    std::vector<nsowrk>& liste = eibListe;
    std::map<std::string, std::vector<std::string>> abschnitte;
    const bmzeile* zeile = nullptr;   // the row whose components are walked
    std::vector<char> puffer;         // a section line, reused
    BDAT aus{};
};

// The sections of a format file: ")S name" opens one, up to the next.
// Two paths naming one file or folder (its device and node).
bool eibGleicheDatei(const char* a, const char* b)
{
    struct stat sa, sb;
    return plDsStat(a, &sa) == 0 && plDsStat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void eibAbschnitteLesen(const std::string& text, EibLauf& l)
{
    std::vector<std::string>* ab = nullptr;
    size_t a = 0;
    while (a < text.size()) {
        size_t e = text.find('\n', a);
        if (e == std::string::npos) e = text.size();
        std::string z = text.substr(a, e - a);
        if (!z.empty() && z.back() == '\r') z.pop_back();
        a = e + 1;
        if (z.compare(0, 2, ")S") == 0) {
            size_t w1 = z.find_first_not_of(' ', 0);
            size_t w1e = z.find(' ', w1);
            size_t w2 = w1e == std::string::npos ? std::string::npos : z.find_first_not_of(' ', w1e);
            std::string name = w2 == std::string::npos ? "" : z.substr(w2, z.find(' ', w2) - w2);
            ab = l.abschnitte.count(name) ? nullptr : &l.abschnitte[name];
            continue;
        }
        if (ab) ab->push_back(z);
    }
}

// Resolves the references of the current component in a line: "@" and a
// run of reference characters that the reference test accepts.
std::string eibVerweise(const std::string& zeile, const appbteil& b)
{
    std::string t = zeile;
    size_t p = 0;
    while (p < t.size() && p < static_cast<size_t>(EIBSCANSUP)) {
        if (t[p] != '@') {
            ++p;
            continue;
        }
        // A reference of more than one character.
        AwVerweisAufloesen(t, p, &p, b.id, b.cd, b.nr, 0, 2);
    }
    return t;
}

void eibAbschnitt(EibLauf& l, const char* name, const appbteil& b)
{
    auto it = l.abschnitte.find(name);
    if (it == l.abschnitte.end()) return;
    for (const std::string& z : it->second) {
        std::string t = eibVerweise(z, b);
        size_t anzahl = static_cast<size_t>(std::count(t.begin(), t.end(), '@'));
        if (anzahl == 0) {   // nothing for the variables to replace
            bdwrite(&l.aus, t.c_str(), static_cast<int32_t>(std::strlen(t.c_str())));   // up to a NUL, as below
            bdwrite(&l.aus, "\r\n", 2);
            continue;
        }
        std::vector<char>& puffer = l.puffer;
        puffer.resize(t.size() + anzahl * (TEXTVARWERTSUP + 1) + 1);
        std::memcpy(puffer.data(), t.c_str(), t.size() + 1);
        TextVarErsetzen(puffer.data(), puffer.size(), b.x, b.y);
        bdwrite(&l.aus, puffer.data(), static_cast<int32_t>(std::strlen(puffer.data())));
        bdwrite(&l.aus, "\r\n", 2);
    }
}

void eibBauteil(const appbteil* b, void* p)
{
    auto* l = static_cast<EibLauf*>(p);
    const awoptionen& o = AwOptionen();
    if (!b->platziert) return;
    const bool haupt = BtlIstHaupt(b->cd);
    if (o.nurUnter ? haupt : (haupt && BtlUnterAnzahl(b->id) > 0)) return;
    if (l->variante == 0 && GtxAnzahl(b->id, b->cd, b->nr) == 0) return;
    nsowrk w{};
    w.index = static_cast<uint32_t>(l->liste.size());
    strkopie(w.kennung, sizeof w.kennung, l->zeile->kennung, EIBKENNSUP);
    if (o.feld) ZeiStammVorsetzen(w.kennung, sizeof w.kennung, b->ze);
    w.b = *b;
    l->liste.push_back(w);
}

int eibFilter(const bmzeile* z, void* p)
{
    const auto* l = static_cast<const EibLauf*>(p);
    if (AwOptionen().nurMarkiert && !AwMarkiert(z->h.ze)) return 0;
    return l->variante == 0 ? z->g.n1 == 5 : AwFilter(z->g.n1, z->kennung);
}

void eibZeile(const bmzeile* z, void* p)
{
    auto* l = static_cast<EibLauf*>(p);
    if (!AwOrtFilter(z->t6, z->t7, z->g.n2)) return;
    l->zeile = z;
    HulBauteileDurchlaufen(z->g.id, 0, eibBauteil, l);
    l->zeile = nullptr;
}

int eibPlatz(const nsowrk& a, const nsowrk& b) { return BtlPosVergleich(a.b.ze, a.b.x, a.b.y, b.b.ze, b.b.x, b.b.y); }

int eibSchluessel(int k, const nsowrk& a, const nsowrk& b)
{
    int c = 0;
    if (k == 2) {
        c = eibPlatz(a, b);
        if (!c) c = strvglzahl(a.kennung, b.kennung);
    } else if (k == 3) {
        c = strvglzahl(a.kennung, b.kennung);
        if (!c) c = eibPlatz(a, b);
    }
    return c;
}

// The entries of the working folder, listed once per run in listing order,
// and those of each extension (upper case, after the last '.').
struct EibOrdner {
    bool gelesen = false;
    std::vector<std::string> pfade;
    std::map<std::string, std::vector<size_t>> nachEndung;
    std::map<std::string, std::string> gefunden;  // drawing key -> path, "" if none
    std::string projektOrdner;   // the project's spelling of its folder
    bool projektHier = false;    // the working folder is the project folder
};

std::string eibGross(const char* t)
{
    std::string r;
    for (; *t; ++t) r += static_cast<char>(zgross(static_cast<unsigned char>(*t)));
    return r;
}

void eibOrdnerLesen(EibOrdner& o)
{
    o.gelesen = true;
    char probe[VERSUP + 300];
    PfadProjekt(probe, sizeof probe, "x");
    o.projektOrdner.assign(probe, std::strlen(probe) - 1);
    o.projektHier = !o.projektOrdner.empty() && eibGleicheDatei(".", o.projektOrdner.c_str());
    // Names only: a folder among them is no drawing and fails the drawing
    // check like any other file that is none.
    if (PlDsVerz* v = plDsVerzOeffnen(".")) {
        std::string name;
        while (plDsVerzLesen(v, &name) > 0)
            if (name != "." && name != "..") o.pfade.push_back("./" + name);
        plDsVerzSchliessen(v);
    }
    for (size_t i = 0; i < o.pfade.size(); ++i) {
        const std::string& p = o.pfade[i];
        const size_t punkt = p.find_last_of("./\\");
        if (punkt != std::string::npos && p[punkt] == '.') o.nachEndung[eibGross(p.c_str() + punkt + 1)].push_back(i);
    }
}

// The drawing of a drawing key in the working folder: the first file of
// the listing that matches "*.key" and is a drawing. The folder is listed
// once per run.
const std::string& eibZeichnung(EibOrdner& o, const char* ze)
{
    auto it = o.gefunden.find(ze);
    if (it != o.gefunden.end()) return it->second;
    if (!o.gelesen) eibOrdnerLesen(o);
    const std::string muster = std::string("*.") + ze;
    std::string& treffer = o.gefunden[ze];
    auto pruefen = [&](const std::string& pfad) {
        const size_t schnitt = pfad.find_last_of("/\\");
        const char* name = pfad.c_str() + (schnitt == std::string::npos ? 0 : schnitt + 1);
        if (mustervgli(muster.c_str(), name) != 1 || ZeiDateiPruefen(pfad.c_str()) != 0) return false;
        // A drawing of the project folder goes by the project's spelling of
        // its path, as at the run's start: the drawing context then keeps
        // its listing of the folder instead of listing it again.
        char projekt[VERSUP + 300];
        PfadProjekt(projekt, sizeof projekt, name);
        // In the project folder itself the same name is the same file.
        const bool dort =
            (o.projektHier && o.projektOrdner + name == projekt) || eibGleicheDatei(pfad.c_str(), projekt);
        treffer = dort ? projekt : pfad;
        return true;
    };
    // A key without wildcards or dots matches only names of its extension.
    if (std::strpbrk(ze, "*?#./\\") == nullptr) {
        auto e = o.nachEndung.find(eibGross(ze));
        if (e != o.nachEndung.end())
            for (size_t i : e->second)
                if (pruefen(o.pfade[i])) break;
    } else {
        for (const std::string& p : o.pfade)
            if (pruefen(p)) break;
    }
    return treffer;
}

}  // namespace

int EibAuswertung(int variante)
{
    const awoptionen& o = AwOptionen();
    char format[VERSUP + EIBFORMATSUP + 1];
    VgbPraefix(o.praefix.c_str());
    VgbText("format", format, EIBFORMATSUP);
    VgbPraefix("");
    strtrim(format);
    PfadPlatzhalter(format);
    EibLauf l;
    l.variante = variante;
    char* block = nullptr;
    long laenge = 0;
    if (format[0] == '\0' || dateiladen(format, &block, &laenge) != 0) {
        wiHinweis("Kann Formatdatei %s nicht lesen.", format);
        return -1;
    }
    eibAbschnitteLesen(std::string(block, static_cast<size_t>(laenge)), l);
    ffree(block);
    if (o.nurMarkiert) AwMarkListe();
    l.liste.clear();
    // At most every component once.
    l.liste.reserve(static_cast<size_t>(std::max(BtlAnzahl(), 0)));
    if (o.datei.empty() || bdmake(&l.aus, o.datei.c_str()) < 0) {
        wiHinweis("Kann Ausgabedatei %s nicht anlegen.", o.datei.c_str());
        return -1;
    }
    if (AwSortiertDurchlaufen(eibFilter, eibZeile, o.sortiert, &l) != 0) {
        l.aus.fehler = 1;
        bdclose(&l.aus);
        return -1;
    }
    const int k1 = BmlSortModus1(o.sortiert), k2 = BmlSortModus2(o.sortiert);
    // Only the place and identifier keys order components; under any other
    // the walk's order stands.
    auto ordnet = [](int k) { return k == 2 || k == 3; };
    if (ordnet(k1) || ordnet(k2))
        std::stable_sort(l.liste.begin(), l.liste.end(), [&](const nsowrk& a, const nsowrk& b) {
            int c = eibSchluessel(k1, a, b);
            if (!c && k2) c = eibSchluessel(k2, a, b);
            return c < 0;
        });
    EibOrdner zeichnungen;
    bool gestartet = false;
    std::string letzteZe;
    uint32_t letzteId = 0;
    for (const nsowrk& w : l.liste) {
        if (!gestartet || strvgl(letzteZe.c_str(), w.b.ze) != 0) {
            const std::string& pfad = eibZeichnung(zeichnungen, w.b.ze);
            if (!pfad.empty()) ZeiAktSetzen(pfad.c_str());
        }
        if (!gestartet) {
            eibAbschnitt(l, "Start", w.b);
            gestartet = true;
        }
        bool neuZe = strvgl(letzteZe.c_str(), w.b.ze) != 0;
        if (neuZe && w.b.id != letzteId) {
            eibAbschnitt(l, "Wechsel", w.b);
            letzteZe = w.b.ze;
            letzteId = w.b.id;
        }
        if (strvgl(letzteZe.c_str(), w.b.ze) != 0) {
            eibAbschnitt(l, "NeueSeite", w.b);
            letzteZe = w.b.ze;
        }
        if (w.b.id != letzteId) {
            eibAbschnitt(l, "Hauptbauteil", w.b);
            letzteId = w.b.id;
        }
        eibAbschnitt(l, "Unterbauteil", w.b);
    }
    eibAbschnitt(l, "Stop", appbteil{});
    if (bdclose(&l.aus) < 0) {
        wiHinweis("Kann Ausgabedatei %s nicht anlegen.", o.datei.c_str());
        return -1;
    }
    return 0;
}
