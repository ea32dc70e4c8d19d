// Contact mirrors; see kspiegel.h.
//
// The expander's callback carries no user data: the collector fills the
// lists of the one call running (kspArbeit).
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
#include "model/beffifo.h"
#include "model/zerleg.h"
#include "support/texte.h"

namespace {

constexpr int C_TFA = 50, C_ZB = 80, C_QVW = 91;

struct KspArbeit {
    BEF bliste[KSPLISSUP];
    STT sliste[KSPLISSUP];
    int anz = 0;
    bool qvw = false;
    double qx = 0, qy = 0;
};

KSPEINST kspEinst;
KspArbeit* kspArbeit = nullptr;

int kspSammeln(const BEF* b, const STT* s)
{
    if (b->code == C_QVW && b->iarg[0] == 0) {
        kspArbeit->qvw = true;
        kspArbeit->qx = s->x;
        kspArbeit->qy = s->y;
    } else if (BefIstText(b->code) && b->text[0] == '@' && kspArbeit->anz < KSPLISSUP) {
        kspArbeit->bliste[kspArbeit->anz] = *b;
        kspArbeit->sliste[kspArbeit->anz] = *s;
        ++kspArbeit->anz;
    }
    return 0;
}

int kspSofort(const BEF* b)
{
    BefSofort(b);
    return 0;
}

// Runs what is queued (the symbol's `ZB`, start points) so that the state
// differences start from the state it leaves: a zeroed record only drains.
void kspLeeren()
{
    BEF leer;
    std::memset(&leer, 0, sizeof leer);
    BefSofort(&leer);
}

void kspTextSofort(const BEF* muster, const std::string& text)
{
    BEF r = *muster;
    BefTextSetzen(&r, text.c_str());
    BefSofort(&r);
}

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
    char kb[sizeof e->kb];
    strkopie(kb, sizeof kb, e->kb, static_cast<int>(sizeof kb - 1));
    strtrim(kb);
    if (kb[0] != '\0') {
        strkopie(name, sizeof name, kb, TXNAMSUP);
    } else {
        std::string n = std::string(e->bl) + "K";
        strkopie(name, sizeof name, n.c_str(), TXNAMSUP);
    }
    if (!TexteBauteilDa(l->stt.bd, name)) return;
    BefEinreihenText(C_ZB, name);

    auto w = std::make_unique<KspArbeit>();
    kspArbeit = w.get();
    BEF zb;
    std::memset(&zb, 0, sizeof zb);
    zb.code = C_ZB;
    BefTextSetzen(&zb, name);
    STT e2 = l->stt;
    e2.x = l->x;
    e2.y = l->y;
    BefZerlegen(&zb, &e2, kspSammeln);
    kspArbeit = nullptr;
    if (l->modus == 0) {
        l->y = e2.y - kspEinst.symbolAbstand;
    } else {
        l->x = e2.x;
        l->y = e2.y;
    }

    std::string pos;
    ArtVerweisText(pos, l->id, "P", 0, e->cd, e->nr);
    for (int i = 0; i < w->anz; ++i) {
        kspLeeren();
        const STT jetzt = *BefAktZustand();
        SttDifferenz(&jetzt, &w->sliste[i], kspSofort);
        if (std::strncmp(w->bliste[i].text, "@Q", 2) == 0) {
            std::string t = w->bliste[i].text;
            if (ArtKuerzelErsetzen(t, l->id, e->cd, e->nr, 1, 0)) kspTextSofort(&w->bliste[i], t);
        } else {
            kspTextSofort(&w->bliste[i], pos);
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
