// Component information and the (name, number) text table (see definfo.h).
// Prefix `DefInfo`, `DefTextTab`.
#include "equipment/definfo.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "equipment/definier.h"
#include "equipment/defint.h"
#include "config/haken.h"
#include "config/verzeich.h"
#include "support/bdatei.h"
#include "support/sortier.h"
#include "support/texte.h"
#include "support/vergleich.h"

static_assert(sizeof(definfo) == 23, "component information records are 23 bytes");

namespace {

std::vector<definfo> infoListe;
int infoVeraltet = 1;
bool infoAngemeldet = false;

int DefInfoVergleich(const void* a, const void* b)
{
    return std::strncmp(static_cast<const definfo*>(a)->name, static_cast<const definfo*>(b)->name, 20);
}

struct DefInfoLauf {
    MSORT m;
    int fehler;
};

void DefInfoUnter(const char* zeile, void* p)
{
    auto* l = static_cast<DefInfoLauf*>(p);
    std::vector<std::string> f;
    DefZeileZerlegen(zeile, f);
    definfo r;
    std::memset(&r, 0, sizeof r);
    strkopie(r.name, sizeof r.name, f[1].c_str(), 20);
    r.flag2 = 1;
    if (msortput(&l->m, &r) < 0) l->fehler = 1;
}

void DefInfoDefinition(int n, void* p) { DefUnterDurchlaufen(n, DefInfoUnter, p); }

int DefInfoAus(const void* satz, void* p)
{
    auto* liste = static_cast<std::vector<definfo>*>(p);
    const auto* r = static_cast<const definfo*>(satz);
    if (!liste->empty() && DefInfoVergleich(&liste->back(), r) == 0) {
        liste->back().flag1 |= r->flag1;
        liste->back().flag2 |= r->flag2;
    } else if (static_cast<int>(liste->size()) < DEFINFOSUP) {
        liste->push_back(*r);
    }
    return 1;
}

void DefInfoAufbauen()
{
    if (!infoAngemeldet) {
        // The list lives until the program ends; its clean-up runs there.
        AufwischenAnmelden([](int32_t, const char*) { DefInfoFrei(); }, 0, "Bauteilinformation");
        infoAngemeldet = true;
    }
    infoListe.clear();
    DefInfoLauf l{};
    if (msortinit(&l.m, static_cast<int32_t>(sizeof(definfo)), DefInfoVergleich) < 0) return;
    DefAlleUnterDurchlaufen("", DefInfoDefinition, &l, 0);
    if (msortende(&l.m, DefInfoAus, &infoListe) == 0 && !l.fehler) infoVeraltet = 0;
}

// ---- text table ----
struct DefTabEintrag {
    char name[21];
    int nr;
    char text[DEFTABTEXTSUP + 1];
};
std::vector<DefTabEintrag> tabListe;
int tabAktiv = 0;

bool DefTabKleiner(const DefTabEintrag& a, const DefTabEintrag& b)
{
    if (int c = strvgl(a.name, b.name)) return c < 0;
    return a.nr < b.nr;
}

}  // namespace

void DefInfoVeraltet() { infoVeraltet = 1; }

void DefInfoFrei()
{
    infoListe.clear();
    infoListe.shrink_to_fit();
    infoVeraltet = 1;
}

int DefInfoVorhanden(const char* bauteil)
{
    DefPruefen(0);
    if (infoVeraltet) DefInfoAufbauen();
    definfo k;
    std::memset(&k, 0, sizeof k);
    strkopie(k.name, sizeof k.name, bauteil != nullptr ? bauteil : "", 20);
    auto it = std::lower_bound(infoListe.begin(), infoListe.end(), k,
                               [](const definfo& a, const definfo& b) { return DefInfoVergleich(&a, &b) < 0; });
    return it != infoListe.end() && DefInfoVergleich(&*it, &k) == 0 && it->flag2 ? 1 : 0;
}

void DefTextTabLaden(int an, const char* datei)
{
    DefTextTabFrei();
    if (!an || datei == nullptr || datei[0] == 0) return;
    char pfad[VERSUP + 128];
    PfadProjekt(pfad, sizeof pfad, datei);
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return;
    char zeile[201];
    while (bdgets(&d, zeile, 200) >= 0) {
        std::string z = zeile;
        size_t p = z.find_first_not_of(" \t");
        if (p == std::string::npos) continue;
        size_t e = z.find_first_of(" \t", p);
        DefTabEintrag t;
        std::memset(&t, 0, sizeof t);
        strkopie(t.name, sizeof t.name, z.substr(p, e == std::string::npos ? std::string::npos : e - p).c_str(), 20);
        if (e != std::string::npos) {
            p = z.find_first_not_of(" \t", e);
            if (p != std::string::npos) {
                e = z.find_first_of(" \t", p);
                // A number out of range is held at the nearest int (atoi's is undefined).
                const long nr = std::strtol(z.substr(p, e == std::string::npos ? std::string::npos : e - p).c_str(), nullptr, 10);
                t.nr = static_cast<int>(std::clamp<long>(nr, INT_MIN, INT_MAX));
                if (e != std::string::npos) {
                    p = z.find_first_not_of(" \t", e);
                    if (p != std::string::npos)
                        strkopie(t.text, sizeof t.text, z.c_str() + p, DEFTABTEXTSUP);
                }
            }
        }
        tabListe.push_back(t);
    }
    const bool lesefehler = bdlesefehler(&d) != 0;
    bdclose(&d);
    if (lesefehler) {
        DefTextTabFrei();
        return;
    }
    std::stable_sort(tabListe.begin(), tabListe.end(), DefTabKleiner);
    tabAktiv = 1;
}

int DefTextTabAktiv() { return tabAktiv; }

int DefTextTabHolen(const char* name, int nr, char* aus, size_t kap)
{
    if (aus != nullptr && kap > 0) aus[0] = 0;
    if (!tabAktiv) return 0;
    DefTabEintrag k;
    std::memset(&k, 0, sizeof k);
    strkopie(k.name, sizeof k.name, name != nullptr ? name : "", 20);
    k.nr = nr;
    auto it = std::lower_bound(tabListe.begin(), tabListe.end(), k, DefTabKleiner);
    if (it == tabListe.end() || DefTabKleiner(k, *it)) return 0;
    if (aus != nullptr && kap > 0) strkopie(aus, kap, it->text, static_cast<int>(kap - 1));
    return 1;
}

int DefTextTabEintrag(int i, char* name, int* nr, char* text)
{
    if (i < 0 || i >= static_cast<int>(tabListe.size())) return 0;
    const DefTabEintrag& t = tabListe[static_cast<size_t>(i)];
    if (name != nullptr) strkopie(name, 21, t.name, 20);
    if (nr != nullptr) *nr = t.nr;
    if (text != nullptr) strkopie(text, DEFTABTEXTSUP + 1, t.text, DEFTABTEXTSUP);
    return 1;
}

void DefTextTabFrei()
{
    tabListe.clear();
    tabAktiv = 0;
}
