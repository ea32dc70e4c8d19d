// The equipment lists (see bmauswert.h).
#include "lists/bmauswert.h"

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

int AwBetriebsmittelListe(int mitArtikel)
{
    const awoptionen& o = AwOptionen();
    if (AwfStart(o.praefix.c_str(), o.datei.c_str()) != 0) return -1;
    VgbPraefix(o.praefix.c_str());
    if (mitArtikel) AwfSlotLesen(0, "artik");
    AwBmLauf l{mitArtikel};
    BMSortiertDurchlaufen(awBmFilter, awBmZeile, o.sortiert, &l);
    int r = AwfEnde();
    VgbPraefix("");
    return r;
}
