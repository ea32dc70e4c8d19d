// The equipment lists (see bmauswert.h).
#include "lists/bmauswert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <algorithm>

#include "config/vorgaben.h"
#include "equipment/nartikel.h"
#include "equipment/definfo.h"
#include "equipment/ngestext.h"
#include "lists/auswertung.h"
#include "lists/awformat.h"
#include "equipment/btl.h"
#include "model/befehl.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "project/pvwliste.h"
#include "support/vergleich.h"
#include "winlib/meldung.h"
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

std::vector<std::string> awMarkiert;

int awBmFilter(const bmzeile* z, void*)
{
    return AwZeileFilter(z) ? 1 : 0;
}

// One line of placements of a potential; a cell that would pass the
// line's end starts the next line.
struct AwPotLauf {
    int einzug, breit, anzahl;
    std::string zeile;
    int zellen;
};

void awPotAus(AwPotLauf& l)
{
    if (l.zellen > 0) AwfZeile(l.zeile.c_str());
    l.zeile.assign(static_cast<size_t>(l.einzug), ' ');
    l.zellen = 0;
}

void awPotStelle(const appbteil* b, void* p)
{
    auto* l = static_cast<AwPotLauf*>(p);
    if (!b->platziert) return;
    char t[AWTEXTSUP + 1];
    QvwPosText(t, sizeof t, b->ze, b->x, b->y);
    ZeiStammVorsetzen(t, sizeof t, b->ze);
    std::string zelle(t);
    zelle.resize(static_cast<size_t>(l->breit), ' ');
    if (l->zellen > 0 && l->zeile.size() + zelle.size() > static_cast<size_t>(ZEILNG)) awPotAus(*l);
    l->zeile += zelle;
    if (++l->zellen >= l->anzahl) awPotAus(*l);
}

int awPotFilter(const bmzeile* z, void*)
{
    if (z->g.n1 != 1) return 0;
    return !AwOptionen().nurMarkiert || AwMarkiert(z->h.ze);
}

void awPotZeile(const bmzeile* z, void* p)
{
    auto* l = static_cast<AwPotLauf*>(p);
    if (!AwOrtFilter(z->t6, z->t7, z->g.n2)) return;
    AwfSatzLeeren();
    AwStdFelder(z);
    AwfSatzAus();
    awPotAus(*l);
    BtlDurchlaufen(z->g.id, awPotStelle, l);
    awPotAus(*l);
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

// The external table's text of (identifier, nr) by the mode: 1 only the
// table, 2 the table else the own text (eigen); false when the own text
// stays.
bool awExtern(const bmzeile* z, int nr, char* aus, size_t kap)
{
    const int modus = AwOptionen().extxwie;
    if (modus == 0 || !DefTextTabAktiv()) return false;
    int da = DefTextTabHolen(z->kennung, nr, aus, kap);
    return modus == 1 || da;
}

void awLRef(const bmzeile* z, char* t, size_t kap)
{
    if (t[0] == '@' && t[1] == 'L') AwArtikelText(z, LRefNummer(t), t, kap);
}

}  // namespace

void AwArtikelText(const bmzeile* z, int n, char* aus, size_t kap)
{
    if (!awExtern(z, n - 1, aus, kap)) ArtFeld(aus, kap, z->g.lt, n);
    awSchnitt4(aus);
}

void AwEquipmentText(const bmzeile* z, int n, char* aus, size_t kap)
{
    // Line n counts from 1, the main component's stored lines from 0.
    if (!awExtern(z, n, aus, kap)) {
        if (n >= 1) GtxHauptText(z->g.id, n - 1, aus, kap);
        else if (kap > 0) aus[0] = '\0';
    }
    awSchnitt4(aus);
    awLRef(z, aus, kap);
}

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
        AwEquipmentText(z, n, t, sizeof t);
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

void AwZusatzTexte(const bmzeile* z, const char* code, int nr, int unter)
{
    if (unter < 0) unter = code[0] == 'H' ? 0 : 1;
    for (int n = 0; n < AWZUSATZANZ; ++n) {
        const std::string& q = awQuelle[n];
        if (q.size() < 2 || (q[0] != 'T' && q[0] != 'U')) continue;
        int k = std::atoi(q.c_str() + 1);
        char t[AWTEXTSUP + 1] = "";
        if (q[0] == 'T') {
            AwEquipmentText(z, k, t, sizeof t);
        } else {
            GtxTextHolen(z->g.id, code, nr, k, t, sizeof t);
            awSchnitt4(t);
        }
        AwfSlotFeld(awZusatzErster + n, t, 0, unter);
    }
}

int AwBetriebsmittelListe(int mitArtikel)
{
    const awoptionen& o = AwOptionen();
    if (o.nurMarkiert) AwMarkListe();
    if (AwfStart(o.praefix.c_str(), o.datei.c_str()) != 0) return -1;
    VgbPraefix(o.praefix.c_str());
    AwZusatzLesen(10);
    if (mitArtikel) AwfSlotLesen(0, "artik");
    AwBmLauf l{mitArtikel};
    return AwLaufEnde(AwSortiertDurchlaufen(awBmFilter, awBmZeile, o.sortiert, &l));
}

void AwMarkListe()
{
    awMarkiert.clear();
    char name[PVWNAMESUP + 1], ext[PVWNAMESUP + 1];
    for (int n = 0; n < PvwAnzahl(); ++n) {
        if (!PvwMarkiert(n) || !PvwZeiName(n, name)) continue;
        ZeiExtHolen(name, ext);
        awMarkiert.emplace_back(ext);
    }
    std::sort(awMarkiert.begin(), awMarkiert.end(),
              [](const std::string& a, const std::string& b) { return strvgl(a.c_str(), b.c_str()) < 0; });
}

bool AwMarkiert(const char* schluessel)
{
    return std::binary_search(awMarkiert.begin(), awMarkiert.end(), std::string(schluessel ? schluessel : ""),
                              [](const std::string& a, const std::string& b) { return strvgl(a.c_str(), b.c_str()) < 0; });
}

int AwSortiertDurchlaufen(int (*filter)(const bmzeile*, void*), void (*aus)(const bmzeile*, void*), int code, void* benutzer)
{
    if (BMSortiertDurchlaufen(filter, aus, code, benutzer) == 0) return 0;
    wiHinweis("Die Betriebsmittel konnten nicht sortiert werden.");
    return -1;
}

int AwLaufEnde(int walk)
{
    int r = -1;
    if (walk != 0) AwfVerwerfen();
    else r = AwfEnde();
    VgbPraefix("");
    return r;
}

int AwVerweisAufloesen(std::string& t, size_t p, size_t* ende, uint32_t id, const char* code, int nr, int etikett,
                       size_t mindestens)
{
    size_t e = p + 1;
    while (e < t.size() && YRefZeichen(static_cast<unsigned char>(t[e]))) ++e;
    *ende = e;
    if (e - p - 1 < mindestens) {
        *ende = p + 1;
        return 0;
    }
    char ref[BEFTEXTSUP + 1];
    strkopie(ref, sizeof ref, t.substr(p, e - p).c_str(), BEFTEXTSUP);
    if (!YRefPruefen(ref, sizeof ref, id, code, nr, etikett)) return 0;
    YRefKontextSetzen(AwOptionen().feld, AwOptionen().feld);
    YRefAufloesen(ref, sizeof ref);
    YRefKontextSetzen(0, 0);
    t.replace(p, e - p, ref);
    *ende = p + std::strlen(ref);
    return 1;
}

bool AwZeileFilter(const bmzeile* z)
{
    if (AwOptionen().nurMarkiert && !AwMarkiert(z->h.ze)) return false;
    return AwFilter(z->g.n1, z->kennung);
}

int AwPotentialListe()
{
    const awoptionen& o = AwOptionen();
    if (o.nurMarkiert) AwMarkListe();
    if (AwfStart(o.praefix.c_str(), o.datei.c_str()) != 0) return -1;
    VgbPraefix(o.praefix.c_str());
    AwfPfadLoeschen();
    char w[VGBWERTSUP + 1];
    VgbText("pfad", w, VGBWERTSUP);
    AwPotLauf l{std::max(0, std::atoi(w)), std::max(1, VgbInt("breit")), std::max(1, VgbInt("anzahl")), "", 0};
    if (l.einzug > ZEILNG) l.einzug = ZEILNG;
    l.zeile.assign(static_cast<size_t>(l.einzug), ' ');
    return AwLaufEnde(AwSortiertDurchlaufen(awPotFilter, awPotZeile, 0, &l));
}
