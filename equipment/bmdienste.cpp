// The equipment services registered into the service table of model/ at
// the store's start (BMStart): item and component lookups, the kind-code
// predicate and the settings; the project texts add theirs through
// ProjDiensteEintragen (projdienst). Each adapter copies an equipment record
// into the model's view of it. Prefix `BmDienst`. Calls model/dienste, the
// equipment modules.
#include <cstring>

#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/ngestext.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "equipment/projdienst.h"
#include "model/dienste.h"
#include "support/texte.h"

void BmDiensteEintragen();

namespace {

int BmDienstGesHolen(uint32_t id, ModGeraet* m)
{
    std::memset(m, 0, sizeof *m);
    appgeraet g;
    if (GesHolen(id, &g) != 0) return -1;
    m->id = g.id;
    m->art = g.n1;
    strkopie(m->kg, g.kg, MODTEXTSUP);
    strkopie(m->kz, g.kz, MODTEXTSUP);
    strkopie(m->artnr, g.lt, GESTTSUP);  // the stock article: "@L" and "@Y...L" look it up
    return 0;
}

int BmDienstBtlSuchen(uint32_t id, const char* art, int nr, ModBauteil* m)
{
    std::memset(m, 0, sizeof *m);
    appbteil b;
    if (!BtlSuchen(id, art, nr, &b)) return 0;
    m->platziert = b.platziert;
    m->x = b.x;
    m->y = b.y;
    strkopie(m->ze, b.ze, 20);
    strkopie(m->kb, b.kb, 20);
    return 1;
}

ModBmEinst bmDienstEinst{};

const ModBmEinst* BmDienstEinst()
{
    const bmvorgaben& v = BMVorgaben();
    ModBmEinst& e = bmDienstEinst;
    e.spnull = v.spnull;
    e.spabst = v.spabst;
    e.spblatt = v.spblatt;
    e.spfort = v.spfort;
    e.bmseite = v.bmseite;
    e.bmpfad = v.bmpfad;
    e.bmksnull = v.bmksnull;
    e.bmuse = v.bmuse;
    e.bmnorm = v.bmnorm == 1 ? 1 : 0;  // alternative identifiers
    e.bmtzfeld = v.bmtzfeld;
    for (int i = 0; i < 6; ++i) e.fkuse[i] = v.bmfkuse[i];
    e.zkzei = v.bmzkzei;
    e.bpzei = v.bmbpzei;
    e.bpyoff = v.bmbpyoff;
    e.fbpzei = v.bmfbpzei;
    e.fbpyoff = v.bmfbpyoff;
    e.zknvrw = v.bmzknvrw;
    e.zkyoff = v.bmzkyoff;
    e.zktg = v.bmzktg;
    e.bptg = v.bmbptg;
    return &e;
}

}  // namespace

void BmDiensteEintragen()
{
    ModDienste d{};
    d.GesHolen = BmDienstGesHolen;
    d.BtlSuchen = BmDienstBtlSuchen;
    d.BtlIstUnter = NhuIstUnter;
    d.BmEinst = BmDienstEinst;
    ProjDiensteEintragen(&d);  // titles, texts by language, check lists
    NtxDiensteEintragen(&d);   // generated and attached texts, articles
    NhuDiensteEintragen(&d);   // identifiers, component lists, positions
    ModDiensteSetzen(d);
}
