// The equipment lists (see bmauswert.h).
#include "lists/bmauswert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/vorgaben.h"
#include "equipment/nartikel.h"
#include "equipment/ngestext.h"
#include "lists/auswertung.h"
#include "lists/awformat.h"
#include "model/textvar.h"
#include "support/texte.h"

namespace {

constexpr int AWTEXTSUP = 80;

// A text ends at the first byte 4 after its first character.
void awSchnitt4(char* t)
{
    if (t[0] == '\0') return;
    char* e = std::strchr(t + 1, 4);
    if (e) *e = '\0';
}

constexpr int AWZUSATZANZ = 20;
std::string awQuelle[AWZUSATZANZ];
int awZusatzErster = 10;

struct AwBmLauf {
    int mitArtikel;
};

int awBmFilter(const bmzeile* z, void*)
{
    return AwFilter(z->g.n1, z->kennung) ? 1 : 0;
}

void awBmZeile(const bmzeile* z, void* p)
{
    const auto* l = static_cast<const AwBmLauf*>(p);
    if (!AwOrtFilter(z->t6, z->t7, z->g.n2)) return;
    AwfSatzLeeren();
    AwStdFelder(z);
    AwZusatzTexte(z, "H", z->h.nr);
    if (l->mitArtikel) AwfSlotFeld(0, z->g.lt);
    AwfSatzAus();
}

}  // namespace

void AwStdFelder(const bmzeile* z)
{
    char t[AWTEXTSUP + 1];
    strkopie(t, sizeof t, z->kennung, AWTEXTSUP);
    if (AwOptionen().feld) ZeiStammVorsetzen(t, sizeof t, z->h.ze);
    AwfSlotFeld(AWF_KENN, t);
    strkopie(t, sizeof t, z->pos, AWTEXTSUP);
    ZeiStammVorsetzen(t, sizeof t, z->h.ze);
    AwfSlotFeld(AWF_PFAD, t);
    for (int n = 1; n <= 5; ++n) {
        GtxHauptText(z->g.id, n, t, sizeof t);
        awSchnitt4(t);
        AwfSlotFeld(AWF_TEXT1 + n - 1, t);
    }
}

void AwZusatzLesen(int erster)
{
    awZusatzErster = erster;
    for (int n = 0; n < AWZUSATZANZ; ++n) {
        char k[24], w[VGBWERTSUP + 1];
        std::snprintf(k, sizeof k, "zustxt%d", n);
        VgbText(k, w, VGBWERTSUP);
        char* p = w;
        while (*p == ' ') ++p;
        char* e = p;
        while (*e && *e != ' ') ++e;
        std::string quelle(p, e);
        if (!quelle.empty() && quelle[0] == '@') quelle.erase(0, 1);
        if (!quelle.empty() && quelle[0] == 'B') quelle.erase(0, 1);
        awQuelle[n] = quelle.substr(0, 10);
        AwfSlotAusText(erster + n, awQuelle[n].empty() ? "" : e);
    }
}

void AwZusatzTexte(const bmzeile* z, const char* code, int nr)
{
    for (int n = 0; n < AWZUSATZANZ; ++n) {
        const std::string& q = awQuelle[n];
        if (q.size() < 2 || (q[0] != 'T' && q[0] != 'U')) continue;
        int k = std::atoi(q.c_str() + 1);
        char t[AWTEXTSUP + 1] = "";
        if (q[0] == 'T') GtxHauptText(z->g.id, k, t, sizeof t);
        else GtxTextHolen(z->g.id, code, nr, k, t, sizeof t);
        awSchnitt4(t);
        AwfSlotFeld(awZusatzErster + n, t, 0, code[0] == 'H' ? 0 : 1);
    }
}

int AwBetriebsmittelListe(int mitArtikel)
{
    const awoptionen& o = AwOptionen();
    if (AwfStart(o.praefix.c_str(), o.datei.c_str()) != 0) return -1;
    VgbPraefix(o.praefix.c_str());
    AwZusatzLesen(10);
    if (mitArtikel) AwfSlotLesen(0, "artik");
    AwBmLauf l{mitArtikel};
    BMSortiertDurchlaufen(awBmFilter, awBmZeile, o.sortiert, &l);
    int r = AwfEnde();
    VgbPraefix("");
    return r;
}
