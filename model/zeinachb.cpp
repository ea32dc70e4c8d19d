// Neighbour drawings of a drawing in its folder and the lookup of a drawing
// from a short page reference (declared in textvar.h). Owns the neighbour
// cache (the path last asked about, its four neighbour paths and the count)
// and the listing of the drawings of the folder last listed.
// Calls the drawing files and names of model/ and the folder listing of
// support/ and the project folder of config/.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "config/verzeich.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "support/dosdatei.h"
#include "support/texte.h"

using namespace modh;  // the model's calls through its service tables

namespace {

struct NbCache {
    std::string pfad;
    std::string slot[4];  // first, previous, next, last
    int anzahl = 0;
    int pruef = 0;      // check counter of the scan
    int aenderung = 0;  // change counter of the scan
};

NbCache nbCache;

// The drawings of the folder last listed. Stepping through the drawings of
// one folder asks about each of them in turn: the folder is listed once
// and listed again only when the check or change counter moved.
struct NbListe {
    std::string ordner;
    std::vector<std::string> pfade;  // drawings that are files, in drawing order
    std::vector<std::string> namen;  // their bare names
    bool gueltig = false;
    int pruef = 0;
    int aenderung = 0;
};

NbListe nbListe;

std::string nbOrdner(const std::string& pfad)
{
    size_t p = pfad.find_last_of("/\\");
    return p == std::string::npos ? std::string() : pfad.substr(0, p + 1);
}

std::string nbName(const std::string& pfad)
{
    size_t p = pfad.find_last_of("/\\");
    return p == std::string::npos ? pfad : pfad.substr(p + 1);
}

int nbEintrag(int verzeichnis, const char* pfad, void* user)
{
    if (verzeichnis) return 1;
    std::string name = nbName(pfad);
    if (!ZeiIstZeichnung(name.c_str()) || !ZeiIstDatei(pfad)) return 1;
    static_cast<NbListe*>(user)->pfade.emplace_back(pfad);
    return 1;
}

const NbListe& nbListen(const std::string& ordner)
{
    if (nbListe.gueltig && nbListe.ordner == ordner && nbListe.pruef == DatPruefZaehler() &&
        nbListe.aenderung == DatAenderungen())
        return nbListe;
    nbListe = NbListe{};
    nbListe.ordner = ordner;
    nbListe.pruef = DatPruefZaehler();
    nbListe.aenderung = DatAenderungen();
    std::string muster = ordner + "*.*";
    verzlesennamen(muster.c_str(), nbEintrag, &nbListe);
    // Stable: of drawings that compare equal the one listed first leads.
    std::stable_sort(nbListe.pfade.begin(), nbListe.pfade.end(), [](const std::string& a, const std::string& b) {
        return ZeiDateiVergleich(nbName(a).c_str(), nbName(b).c_str()) < 0;
    });
    for (const std::string& p : nbListe.pfade) nbListe.namen.push_back(nbName(p));
    nbListe.gueltig = true;
    return nbListe;
}

void nbScannen(const char* pfad)
{
    // Drawings made or deleted since the scan are noticed once the check or
    // change counter moved, not only when another drawing is asked about.
    if (!pfad) return;
    if (nbCache.pfad == pfad && nbCache.pruef == DatPruefZaehler() && nbCache.aenderung == DatAenderungen()) return;
    nbCache = NbCache{};
    nbCache.pfad = pfad;
    nbCache.pruef = DatPruefZaehler();
    nbCache.aenderung = DatAenderungen();
    const NbListe& l = nbListen(nbOrdner(pfad));
    const std::vector<std::string>& n = l.namen;
    const int anzahl = static_cast<int>(n.size());
    nbCache.anzahl = anzahl;
    if (anzahl == 0) return;
    // The first drawing of the group of equal ones that holds index i.
    auto gruppenAnfang = [&](int i) {
        while (i > 0 && ZeiDateiVergleich(n[i - 1].c_str(), n[i].c_str()) == 0) --i;
        return i;
    };
    nbCache.slot[0] = l.pfade[0];
    nbCache.slot[3] = l.pfade[gruppenAnfang(anzahl - 1)];
    const std::string eigen = nbName(pfad);
    const char* e = eigen.c_str();
    auto vor = std::partition_point(n.begin(), n.end(), [&](const std::string& x) { return ZeiDateiVergleich(x.c_str(), e) < 0; });
    auto nach = std::partition_point(vor, n.end(), [&](const std::string& x) { return ZeiDateiVergleich(x.c_str(), e) <= 0; });
    // A drawing of the same name is neither neighbour.
    for (int i = static_cast<int>(vor - n.begin()) - 1; i >= 0; --i)
        if (!ZeiNameGleich(n[i].c_str(), e)) {
            int a = gruppenAnfang(i);
            while (ZeiNameGleich(n[a].c_str(), e)) ++a;
            nbCache.slot[1] = l.pfade[a];
            break;
        }
    for (int i = static_cast<int>(nach - n.begin()); i < anzahl; ++i)
        if (!ZeiNameGleich(n[i].c_str(), e)) {
            nbCache.slot[2] = l.pfade[i];
            break;
        }
}

// The name of an existing file of the folder as spelled there; "" if none.
struct NbSuche {
    std::string gefunden;
    int anzahl = 0;
};

int nbTreffer(int verzeichnis, const char* pfad, void* user)
{
    NbSuche* s = static_cast<NbSuche*>(user);
    if (verzeichnis) return 1;
    ++s->anzahl;
    s->gefunden = nbName(pfad);
    return 1;
}

NbSuche nbSuchen(const std::string& ordner, const std::string& muster)
{
    NbSuche s;
    std::string m = ordner + muster;
    verzlesennamen(m.c_str(), nbTreffer, &s);
    return s;
}

}  // namespace

void ZeiNachbar(const char* pfad, int welcher, char* aus, size_t kap)
{
    nbScannen(pfad);
    std::string r = welcher >= 0 && welcher < 4 ? nbCache.slot[welcher] : std::string();
    strkopie(aus, kap, r.c_str(), static_cast<int>(kap) - 1);
}

int ZeiNachbarAnzahl(const char* pfad)
{
    nbScannen(pfad);
    return nbCache.anzahl;
}

int ZeiVerweisDatei(char* aus, size_t kap, const char* verweis)
{
    std::string ref = verweis ? verweis : "";
    if (!ref.empty() && ref[0] == '.') ref.erase(0, 1);
    strkopie(aus, kap, ref.c_str(), static_cast<int>(kap) - 1);
    if (ref.empty()) return 0;
    std::string stamm, seite = ref;
    size_t t = ref.find_first_of(" .");
    if (t != std::string::npos) {
        stamm = ref.substr(0, t);
        seite = ref.substr(t + 1);
        ref[t] = '.';
    }
    std::string akt = ZeiAktName();
    std::string aktSeite = ZeiAktSeite();
    std::string gepolstert = seite;
    if (gepolstert.size() < aktSeite.size()) gepolstert.insert(0, aktSeite.size() - gepolstert.size(), '0');
    std::string ordner = nbOrdner(ZeiAktPfad());
    if (ordner.empty()) ordner = VerZeiger(1);
    // The current name up to its page, and up to its key.
    std::string vorSeite = akt.size() > aktSeite.size() ? akt.substr(0, akt.size() - aktSeite.size()) : "";
    char ohneExt[ZEIPFADSUP + 1];
    strkopie(ohneExt, akt.c_str(), ZEIPFADSUP);
    ZeiExtLoeschen(ohneExt);
    std::string kandidaten[4] = {ref};
    int n = 1;
    if (!akt.empty() && !aktSeite.empty()) {
        kandidaten[n++] = vorSeite + seite;
        kandidaten[n++] = vorSeite + gepolstert;
    }
    std::string st = !stamm.empty() ? stamm : std::string(ZeiAktStamm());
    if (!akt.empty() && !st.empty()) kandidaten[n++] = std::string(ohneExt) + "." + st + "." + gepolstert;
    for (int i = 0; i < n; ++i) {
        if (kandidaten[i].find_first_of("*?#") != std::string::npos) continue;
        NbSuche s = nbSuchen(ordner, kandidaten[i]);
        if (s.anzahl >= 1) {
            strkopie(aus, kap, s.gefunden.c_str(), static_cast<int>(kap) - 1);
            return 1;
        }
    }
    NbSuche s = nbSuchen(ordner, "*." + ref);
    if (s.anzahl == 1) {
        strkopie(aus, kap, s.gefunden.c_str(), static_cast<int>(kap) - 1);
        return 1;
    }
    return 0;
}
