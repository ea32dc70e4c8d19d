// Neighbour drawings of a drawing in its folder and the lookup of a drawing
// from a short page reference (declared in textvar.h). Owns the neighbour
// cache: the path last scanned, the four neighbour paths and the count.
// Calls the drawing files and names of model/ and the folder listing of
// support/ and the project folder of config/.
#include <cstring>
#include <string>

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
};

NbCache nbCache;

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

struct NbScan {
    std::string name;  // bare name of the drawing
    NbCache* c;
};

int nbEintrag(int verzeichnis, const char* pfad, void* user)
{
    NbScan* s = static_cast<NbScan*>(user);
    if (verzeichnis) return 1;
    std::string name = nbName(pfad);
    if (!ZeiIstZeichnung(name.c_str()) || !ZeiIstDatei(pfad)) return 1;
    NbCache& c = *s->c;
    ++c.anzahl;
    auto namevon = [](const std::string& p) { return nbName(p); };
    if (c.slot[0].empty() || ZeiDateiVergleich(name.c_str(), namevon(c.slot[0]).c_str()) < 0) c.slot[0] = pfad;
    if (c.slot[3].empty() || ZeiDateiVergleich(name.c_str(), namevon(c.slot[3]).c_str()) > 0) c.slot[3] = pfad;
    if (!ZeiNameGleich(name.c_str(), s->name.c_str())) {
        int zu = ZeiDateiVergleich(name.c_str(), s->name.c_str());
        if (zu < 0 && (c.slot[1].empty() || ZeiDateiVergleich(name.c_str(), namevon(c.slot[1]).c_str()) > 0))
            c.slot[1] = pfad;
        if (zu > 0 && (c.slot[2].empty() || ZeiDateiVergleich(name.c_str(), namevon(c.slot[2]).c_str()) < 0))
            c.slot[2] = pfad;
    }
    return 1;
}

void nbScannen(const char* pfad)
{
    if (!pfad || nbCache.pfad == pfad) return;
    nbCache = NbCache{};
    nbCache.pfad = pfad;
    NbScan s{nbName(pfad), &nbCache};
    std::string muster = nbOrdner(pfad) + "*.*";
    verzlesennamen(muster.c_str(), nbEintrag, &s);
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
