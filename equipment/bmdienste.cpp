// The equipment services registered into the service table of model/ at
// the store's start (BMStart): item and component lookups, the kind-code
// predicate, the settings, and the title and translation lookups of the
// project texts. Each adapter copies an equipment record into the model's
// view of it. Prefix `BmDienst`. Calls model/dienste, the equipment modules.
#include <cstring>

#include "equipment/bm.h"
#include "equipment/btl.h"
#include "equipment/fstx.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "equipment/utitel.h"
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

void BmDienstTitel(const projekttext& t, ModProjektText* m)
{
    std::memset(m, 0, sizeof *m);
    strkopie(m->titel, t.titel, MODTEXTSUP);
    strkopie(m->autor, t.anlage, MODTEXTSUP);
    strkopie(m->ort, t.ort, MODTEXTSUP);
    for (int i = 0; i < MODTITELTEXTE && i < UTTEXTE; ++i) strkopie(m->text[i], t.text[i], MODTEXTSUP);
    strkopie(m->k1, t.gruppe[0], MODTEXTSUP);
    strkopie(m->k2, t.gruppe[1], MODTEXTSUP);
}

void BmDienstProjektText(ModProjektText* m)
{
    projekttext t;
    UtitelProjektText(&t);
    BmDienstTitel(t, m);
}

void BmDienstProjektWeiterer(int n, ModProjektText* m)
{
    projekttext t;
    UtitelNrText(n, &t);
    BmDienstTitel(t, m);
}

void BmDienstZeichnungText(const char* name, ModProjektText* m)
{
    projekttext t;
    UtitelPfadText(name, &t);
    BmDienstTitel(t, m);
}

void BmDienstFstxTitelText(const char* name, int n, char* aus, size_t kap)
{
    char text[256] = {0};
    FstxTitelText(name, n, text);
    if (kap > 0) strkopie(aus, kap, text, static_cast<int>(kap) - 1);
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
    d.UtitelProjektText = BmDienstProjektText;
    d.UtitelProjektWeiterer = BmDienstProjektWeiterer;
    d.UtitelZeichnungText = BmDienstZeichnungText;
    d.FstxTitelText = BmDienstFstxTitelText;
    ModDiensteSetzen(d);
}
