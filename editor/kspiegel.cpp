// Contact mirrors; see kspiegel.h.
#include "editor/kspiegel.h"

#include <cstring>
#include <memory>
#include <string>

#include "editor/befausf.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nartikel.h"
#include "equipment/nhuliste.h"
#include "editor/texte.h"
#include "editor/texteint.h"
#include "model/beffifo.h"
#include "model/zerleg.h"
#include "support/texte.h"

namespace {

constexpr int C_TFA = 50, C_ZB = 80;

KSPEINST kspEinst;

struct KspLauf {
    uint32_t id;
    int modus;
    STT stt;          // the state the symbols are expanded in
    double x, y;      // the column position
};

void kspBauteil(const appbteil* e, void* u)
{
    auto* l = static_cast<KspLauf*>(u);
    if (!NhuIstUnter(e->cd) || (e->platziert == 0 && e->nr != 0)) return;
    StartpunktSetzen(l->x, l->y);
    char name[TXNAMSUP + 1];
    strkopie(name, sizeof name, TexteSymbolName(e).c_str(), TXNAMSUP);
    if (!TexteBauteilDa(l->stt.bd, name)) return;
    BefEinreihenText(C_ZB, name);
    STT e2 = l->stt;
    e2.x = l->x;
    e2.y = l->y;
    std::unique_ptr<TxSymbol> w = TexteSymbolSammeln(name, &e2);
    if (l->modus == 0) {
        l->y = e2.y - kspEinst.symbolAbstand;
    } else {
        l->x = e2.x;
        l->y = e2.y;
    }

    std::string pos;
    ArtVerweisText(pos, l->id, "P", 0, e->cd, e->nr);
    for (int i = 0; i < w->anz; ++i) {
        TexteZustandNach(&w->sliste[i]);
        if (std::strncmp(w->bliste[i].text, "@Q", 2) == 0) {
            std::string t = w->bliste[i].text;
            if (ArtKuerzelErsetzen(t, l->id, e->cd, e->nr, 1, 0)) TexteTextSofort(&w->bliste[i], t);
        } else {
            TexteTextSofort(&w->bliste[i], pos);
            w->qvw = false;
        }
    }
    if (w->qvw) {
        StartpunktSetzen(w->qx, w->qy);
        BefEinreihenText(C_TFA, pos.c_str());
    }
}

int kspZeilen(uint32_t id)
{
    appgeraet g;
    const int art = GesHolen(id, &g) == 0 ? g.n1 : -1;
    if (art == 0) return kspEinst.zeilen[BtlUnterAnzahl(id) > 0 ? 0 : KSPARTSUP - 1];
    if (art >= 1 && art < KSPARTSUP) return kspEinst.zeilen[art];
    return 0;
}

}  // namespace

KSPEINST* KspEinst() { return &kspEinst; }

void KspiegelErzeugen(uint32_t id, int modus)
{
    KspLauf l{id, modus, *BefAktZustand(), 0, 0};
    const double x0 = l.stt.x, y0 = l.stt.y;
    l.x = x0;
    l.y = y0;
    if (modus == 0) {
        const int n = kspZeilen(id);
        for (int i = 1; i <= n; ++i) {
            if (i > 1) StartpunktSetzen(l.x, l.y);
            std::string t;
            ArtVerweisText(t, id, "T", i, nullptr, 0);
            BefEinreihenText(C_TFA, t.c_str());
            l.y -= kspEinst.zeilenAbstand;
        }
    }
    HulBauteileDurchlaufen(id, 0, kspBauteil, &l);
    StartpunktSetzen(x0, y0);
}
