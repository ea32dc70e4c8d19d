// The terminal and cable lists (see klemmkabel.h).
#include "lists/klemmkabel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/vorgaben.h"
#include "equipment/btl.h"
#include "equipment/nartikel.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "lists/auswertung.h"
#include "lists/awformat.h"
#include "lists/bmauswert.h"
#include "model/textvar.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr int KLKFELDSUP = 80;

struct klowrk {
    uint32_t index;
    char text[KLKTEXTSUP + 1];
    appbteil b;
    int32_t nr;  // attached text entry, -1 for the component's own text
};

// The column keys of a first and a following line.
const char* const klkSchluessel[] = {"kenn", "pfad", "texta", "textb", "textc", "textd", "texte", "beschr"};
const int klkSlots[] = {AWF_KENN, AWF_PFAD, AWF_TEXT1, AWF_TEXT1 + 1, AWF_TEXT1 + 2, AWF_TEXT1 + 3, AWF_TEXT1 + 4, 0};

struct KlkLauf {
    int art;
    int fchg, abstand, grupp;
    std::string erste[8], folge[8];
    std::string gruppe;
    std::vector<klowrk> zeilen;
    appbteil aktuell{};
};

void klkSpaltenSetzen(const std::string (&texte)[8])
{
    for (int i = 0; i < 8; ++i) AwfSlotAusText(klkSlots[i], texte[i].c_str());
}

void klkDazu(KlkLauf& l, const appbteil* b, const char* text, int nr)
{
    klowrk w{};
    w.index = static_cast<uint32_t>(l.zeilen.size());
    strkopie(w.text, sizeof w.text, text, KLKTEXTSUP);
    w.b = *b;
    w.nr = nr;
    l.zeilen.push_back(w);
}

void klkBauteil(const appbteil* b, void* p)
{
    auto* l = static_cast<KlkLauf*>(p);
    if (!b->platziert) return;
    l->aktuell = *b;
    if (!BtlIstHaupt(b->cd) && b->bs[0]) {
        char t[KLKFELDSUP + 1];
        BtlText99(b, 0, t, sizeof t);
        klkDazu(*l, b, t[0] ? t : b->bs, -1);
    }
    ZtxDurchlaufen(
        b->id, b->cd, b->nr, 1,
        [](const appztext* t, void* q) {
            auto* k = static_cast<KlkLauf*>(q);
            klkDazu(*k, &k->aktuell, t->text, t->zeile);
        },
        l);
}

int klkRang(const char* cd)
{
    switch (cd[0]) {
    case 'H': return 0;
    case 'U': return 1;
    case 'D': return 2;
    default: return 3;
    }
}

int klkZahl(int a, int b) { return a < b ? -1 : a > b ? 1 : 0; }

int klkVergleich(const klowrk& a, const klowrk& b, int ordnung)
{
    int c = 0;
    switch (ordnung) {
    case 1:
        c = klkZahl(klkRang(a.b.cd), klkRang(b.b.cd));
        if (!c) c = std::strcmp(a.b.cd, b.b.cd);
        if (!c) c = klkZahl(a.b.nr, b.b.nr);
        break;
    case 2: c = BtlPosVergleich(a.b.ze, a.b.x, a.b.y, b.b.ze, b.b.x, b.b.y); break;
    case 3: c = strvglzahl(a.text, b.text); break;
    default: c = klkZahl(klkRang(a.b.cd), klkRang(b.b.cd)); break;
    }
    if (!c) c = klkZahl(a.nr, b.nr);
    if (!c && ordnung != 3) c = strvglzahl(a.text, b.text);
    return c;
}

void klkZeileAus(const bmzeile* z, const klowrk& w, bool erste)
{
    const awoptionen& o = AwOptionen();
    char kenn[KLKFELDSUP + 1], pos[KLKFELDSUP + 1];
    strkopie(kenn, sizeof kenn, z->kennung, KLKFELDSUP);
    if (o.feld) ZeiStammVorsetzen(kenn, sizeof kenn, w.b.ze);
    QvwPosText(pos, sizeof pos, w.b.ze, w.b.x, w.b.y);
    ZeiStammVorsetzen(pos, sizeof pos, w.b.ze);
    AwfSatzLeeren();
    // A following line stands for a sub component: the columns' main and
    // sub flags select first-line and following-line fields.
    bmzeile r = *z;
    if (!erste) {
        r.h = w.b;
        std::snprintf(r.h.cd, sizeof r.h.cd, "U");
    }
    int unter = erste ? 0 : 1;
    AwfSlotFeld(AWF_PFAD, pos, 0, unter);
    AwfSlotFeld(AWF_KENN, kenn, 0, unter);
    for (int n = 1; n <= 5; ++n) {
        char t[KLKFELDSUP + 1];
        AwEquipmentText(&r, n, t, sizeof t);
        AwfSlotFeld(AWF_TEXT1 + n - 1, t, 0, unter);
    }
    AwfSlotFeld(0, w.text, 0, unter);
    // The columns read the texts of the line's own component: a terminal of
    // a strip keeps its code ("Ua"), only the flags take it as a sub one.
    AwZusatzTexte(&r, w.b.cd, w.nr < 0 ? w.b.nr : w.nr, unter);
    AwfSatzAus();
}

int klkFilter(const bmzeile* z, void* p)
{
    const auto* l = static_cast<const KlkLauf*>(p);
    if (AwOptionen().nurMarkiert && !AwMarkiert(z->h.ze)) return 0;
    return z->g.n1 == (l->art == 0 ? 2 : 4);
}

void klkZeile(const bmzeile* z, void* p)
{
    auto* l = static_cast<KlkLauf*>(p);
    const awoptionen& o = AwOptionen();
    if (!AwOrtFilter(z->t6, z->t7, z->g.n2)) return;
    if (!l->gruppe.empty() && l->grupp > 0 && l->gruppe.compare(0, static_cast<size_t>(l->grupp), z->kennung, 0, static_cast<size_t>(l->grupp)) != 0)
        AwfNeueSeite();
    l->zeilen.clear();
    HulBauteileDurchlaufen(z->g.id, 0, klkBauteil, l);
    if (o.auf1sei) AwfBlock(1);
    const int ordnung = o.sortiert % 10;
    std::stable_sort(l->zeilen.begin(), l->zeilen.end(),
                     [&](const klowrk& a, const klowrk& b) { return klkVergleich(a, b, ordnung) < 0; });
    for (size_t i = 0; i < l->zeilen.size(); ++i) {
        if (l->fchg) klkSpaltenSetzen(i == 0 ? l->erste : l->folge);
        klkZeileAus(z, l->zeilen[i], i == 0);
    }
    AwfBlock(0);
    AwfLeerzeilen(0);
    l->gruppe = z->kennung;
    AwfLeerzeilen(l->abstand);
}

}  // namespace

void KlkSpalten(const char* praefix)
{
    VgbPraefix(praefix);
    VgbFehlMeldung(0);
    AwfSlotLesen(0, "beschr");
    AwZusatzLesen(10);
    VgbFehlMeldung(1);
    VgbPraefix("");
}

int KlkListe(int art)
{
    const awoptionen& o = AwOptionen();
    if (o.nurMarkiert) AwMarkListe();
    if (AwfStart(o.praefix.c_str(), o.datei.c_str()) != 0) return -1;
    KlkLauf l;
    l.art = art;
    VgbPraefix(o.praefix.c_str());
    AwfSlotLesen(0, "beschr");
    l.fchg = VgbInt("fchg") != 0;
    l.abstand = std::max(0, VgbInt("abstand"));
    l.grupp = std::max(0, VgbInt("grupp"));
    AwZusatzLesen(10);
    if (l.fchg) {
        char w[VGBWERTSUP + 1];
        for (int i = 0; i < 8; ++i) {
            VgbText(klkSchluessel[i], w, VGBWERTSUP);
            l.erste[i] = w;
        }
        VgbPraefix((o.praefix + "f").c_str());
        for (int i = 0; i < 8; ++i) {
            VgbText(klkSchluessel[i], w, VGBWERTSUP);
            l.folge[i] = w;
        }
        VgbPraefix(o.praefix.c_str());
    }
    return AwLaufEnde(AwSortiertDurchlaufen(klkFilter, klkZeile, o.sortiert, &l));
}
