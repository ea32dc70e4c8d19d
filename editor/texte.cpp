// Generated equipment texts; see texte.h.
//
// The expander's callback carries no user data, so the collector fills the
// lists of the one operation running (txArbeit), which lives from the start
// to the end of that operation.
#include "editor/texte.h"
#include "editor/texteint.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "editor/befausf.h"
#include "editor/edtaufrufe.h"
#include "equipment/app.h"
#include "equipment/apphaken.h"
#include "equipment/nartikel.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "model/zerleg.h"
#include "support/texte.h"

namespace {

constexpr int C_QVW = 91, C_ZB = 80;
constexpr double TX_SUCHE = 5.0;     // half side of the walked square
constexpr double TX_FANG = 2.0;      // a candidate lies within this in x and y
constexpr double TX_ZWEITER = 1.0;   // the second nearest goes too within this
constexpr double TX_QVW = 0.1;       // a cross-reference position at the text

struct qvwpos {
    int32_t nr;
    double x, y;
};

struct TxArbeit {
    BEF bliste[TXLISSUP];
    STT sliste[TXLISSUP];
    int banz = 0;
    qvwpos qvwlis[TXLISSUP];
    int qanz = 0;
};

TxArbeit* txArbeit = nullptr;

// Saturates at TXLISSUP - 1: a further entry overwrites the last.
int txPlatz(int* anz)
{
    if (*anz < TXLISSUP - 1) return (*anz)++;
    return TXLISSUP - 2;
}

int txSammeln(const BEF* b, const STT* s)
{
    if (b->code == C_QVW) {
        qvwpos& q = txArbeit->qvwlis[txPlatz(&txArbeit->qanz)];
        q.nr = b->iarg[0];
        q.x = s->x;
        q.y = s->y;
    } else if (BefIstText(b->code) && PlatzhalterText(b->text, 0)) {
        const int i = txPlatz(&txArbeit->banz);
        txArbeit->bliste[i] = *b;
        txArbeit->sliste[i] = *s;
    }
    return 0;
}

std::unique_ptr<TxArbeit> txSammle(const BEF* b, const STT* s)
{
    auto w = std::make_unique<TxArbeit>();
    txArbeit = w.get();
    STT k = *s;
    BefZerlegen(b, &k, txSammeln);
    txArbeit = nullptr;
    return w;
}

int txSofort(const BEF* b)
{
    BefSofort(b);
    return 0;
}

// Runs what is queued (the symbol's `ZB`, start points) so that the state
// differences start from the state it leaves: a zeroed record only drains.
void txLeeren()
{
    BEF leer;
    std::memset(&leer, 0, sizeof leer);
    BefSofort(&leer);
}

TxSymbol* txSymbol = nullptr;

int txSymbolSammeln(const BEF* b, const STT* s)
{
    if (b->code == C_QVW && b->iarg[0] == 0) {
        txSymbol->qvw = true;
        txSymbol->qx = s->x;
        txSymbol->qy = s->y;
    } else if (BefIstText(b->code) && b->text[0] == '@' && txSymbol->anz < TXSYMSUP) {
        txSymbol->bliste[txSymbol->anz] = *b;
        txSymbol->sliste[txSymbol->anz] = *s;
        ++txSymbol->anz;
    }
    return 0;
}

bool txQvwDa(const TxArbeit& w, double x, double y)
{
    for (int k = 0; k < w.qanz; ++k)
        if (std::fabs(w.qvwlis[k].x - x) < TX_QVW && std::fabs(w.qvwlis[k].y - y) < TX_QVW) return true;
    return false;
}

// The nearest and second-nearest text element to (x, y). The second is kept
// whatever the walk order, so that two close old texts go together.
struct TxSuche {
    int beste = -1, vorige = -1;
    double bd = 1000.0, vd = 1000.0;
};

TxSuche txSuchen(double x, double y, int alle)
{
    TxSuche r;
    const double q[4] = {x - TX_SUCHE, y - TX_SUCHE, x + TX_SUCHE, y + TX_SUCHE};
    TzBereichDurchlaufen(q, [&](int id, const STT* s, const BEF* b) {
        if (!BefIstText(b->code)) return;
        if (!alle && std::strncmp(b->text, "@Y", 2) != 0) return;
        const double dx = std::fabs(s->x - x), dy = std::fabs(s->y - y);
        if (dx > TX_FANG || dy > TX_FANG) return;
        const double d = dx + dy;
        if (d <= r.bd) {
            r.vorige = r.beste;
            r.vd = r.bd;
            r.beste = id;
            r.bd = d;
        } else if (d < r.vd) {
            r.vorige = id;
            r.vd = d;
        }
    });
    if (r.vorige >= 0 && std::fabs(r.vd - r.bd) >= TX_ZWEITER) r.vorige = -1;
    return r;
}

void txLoeschenHaken(const BEF* b, const STT* s, int alle) { TexteEntfernen(b, s, alle); }

}  // namespace

void TexteEinfuegen(const BEF* b, const STT* s, uint32_t id, const char* text, int nr)
{
    std::unique_ptr<TxArbeit> w = txSammle(b, s);
    if (w->banz == 0) return;
    const STT alt = *BefAktZustand();
    TexteZustandNach(s);
    StartpunktSetzen(s->x, s->y);
    bool qvw[TXLISSUP] = {};
    for (int i = 0; i < w->banz; ++i) {
        TexteZustandNach(&w->sliste[i]);
        const STT& t = w->sliste[i];
        qvw[i] = txQvwDa(*w, t.x, t.y);
        std::string neu = w->bliste[i].text;
        if (ArtKuerzelErsetzen(neu, id, text, nr, qvw[i] ? 1 : 0, 0)) {
            TexteTextSofort(&w->bliste[i], neu);
        }
    }
    if (AppAktiv()) {
        for (int i = 0; i < w->banz; ++i) {
            if (std::strncmp(w->bliste[i].text, "@Q", 2) == 0 && !qvw[i])
                EdtAufrufTabelle().AppTextAnlegen(id, text, nr, &w->bliste[i], &w->sliste[i]);
        }
    }
    TexteZustandNach(&alt);
}

void TexteEntfernen(const BEF* b, const STT* s, int alle)
{
    std::unique_ptr<TxArbeit> w = txSammle(b, s);
    for (int i = 0; i < w->banz; ++i) {
        const TxSuche r = txSuchen(w->sliste[i].x, w->sliste[i].y, alle);
        if (r.beste >= 0) TzLoeschen(r.beste);
        if (r.vorige >= 0) TzLoeschen(r.vorige);
    }
}

uint32_t TexteMarkieren(const BEF* b, const STT* s, int modus, int marke, uint32_t id)
{
    std::unique_ptr<TxArbeit> w = txSammle(b, s);
    if (w->banz == 0) return 0;
    double feld[4] = {1e300, 1e300, -1e300, -1e300};
    for (int i = 0; i < w->banz; ++i) {
        const STT& t = w->sliste[i];
        feld[0] = std::fmin(feld[0], t.x - TX_SUCHE);
        feld[1] = std::fmin(feld[1], t.y - TX_SUCHE);
        feld[2] = std::fmax(feld[2], t.x + TX_SUCHE);
        feld[3] = std::fmax(feld[3], t.y + TX_SUCHE);
        const TxSuche r = txSuchen(t.x, t.y, 1);
        if (r.beste >= 0) TzMarkSetzen(r.beste, marke);
        if (r.vorige >= 0) TzMarkSetzen(r.vorige, marke);
    }
    uint32_t gelesen = 0;
    if (modus == 2) {
        TzBereichDurchlaufen(feld, [&](int oid, const STT*, const BEF* o) {
            if (!BefIstText(o->code) || std::strncmp(o->text, "@Y", 2) != 0) return;
            char hex[5] = {};
            std::memcpy(hex, o->text + 2, 4);
            gelesen = static_cast<uint32_t>(std::strtoul(hex, nullptr, 16));
            if (gelesen == id) TzMarkSetzen(oid, marke);
        });
    }
    return gelesen;
}

void TexteZustandNach(const STT* s)
{
    txLeeren();
    const STT jetzt = *BefAktZustand();
    SttDifferenz(&jetzt, s, txSofort);
}

std::unique_ptr<TxSymbol> TexteSymbolSammeln(const char* name, STT* s)
{
    auto w = std::make_unique<TxSymbol>();
    BEF zb;
    std::memset(&zb, 0, sizeof zb);
    zb.code = C_ZB;
    BefTextSetzen(&zb, name);
    txSymbol = w.get();
    BefZerlegen(&zb, s, txSymbolSammeln);
    txSymbol = nullptr;
    return w;
}

void TexteTextSofort(const BEF* muster, const std::string& text)
{
    BEF r = *muster;
    BefTextSetzen(&r, text.c_str());
    BefSofort(&r);
}

std::string TexteSymbolName(const appbteil* b)
{
    char kb[sizeof b->kb];
    strkopie(kb, sizeof kb, b->kb, static_cast<int>(sizeof kb - 1));
    strtrim(kb);
    return kb[0] != '\0' ? std::string(kb) : std::string(b->bl) + "K";
}

void TexteHakenSetzen()
{
    AppHaken h;
    h.TexteLoeschen = txLoeschenHaken;
    AppHakenSetzen(h);
}
