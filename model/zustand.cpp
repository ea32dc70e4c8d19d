// Graphic state; see zustand.h. Process-wide state: the scale rounding
// switch, set from the basic settings at every SttInit. Calls the command
// table, the geometry and the basic settings block.
#include "model/zustand.h"

#include <cmath>
#include <cstring>

#include "model/befehl.h"
#include "model/einstell.h"
#include "model/flach.h"
#include "model/geometri.h"

namespace {

int sttMassRunden = 0;

void sttTextKopie(char* ziel, size_t kap, const char* quelle, size_t n)
{
    size_t l = strnlen(quelle, n);
    if (l >= kap) {
        l = kap - 1;
    }
    std::memcpy(ziel, quelle, l);
    ziel[l] = '\0';
}

// The scale rule after a scale command: reset outside the range, then the
// optional rounding to hundredths. The small addend keeps 0.29 from
// becoming 0.28 through its binary form.
void sttMassRegel(STT* s, bool runden)
{
    s->mass = s->msm * s->msf;
    if (!(s->mass >= 1e-5 && s->mass <= 10000)) {
        s->mass = s->msm = s->msf = 1.0;
    }
    if (runden && sttMassRunden) {
        s->mass = std::trunc(s->mass * 100 + 1e-9) / 100;
    }
}

int sttKlemmen(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
double sttKlemmen(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

void MassstabRundenSetzen(int an) { sttMassRunden = an; }

void SttInit(STT* s, const GRUNDEINST* g)
{
    if (!g) {
        g = GrundEinst();
    }
    s->msm = 1.0;
    s->msf = g->zvms / 10.0;
    s->mass = s->msf;
    MassstabRundenSetzen(g->zvmsr);
    s->richtung = 0;
    s->layer = 1;
    s->x = g->zvx / 10.0;
    s->y = g->zvy / 10.0;
    s->st = g->zvst;
    s->sa = g->zvsa;
    s->sl = g->zvsl / 10.0;
    s->tg = g->zvtg / 10.0;
    s->tr = g->zvtr * 10;
    s->tv = g->zvtv / 10.0;
    s->th = g->zvth / 10.0;
    s->ts = 0;
    sttTextKopie(s->bd, sizeof s->bd, g->zvbd, sizeof g->zvbd);
    sttTextKopie(s->td, sizeof s->td, g->zvtd, sizeof g->zvtd);
}

int SttAnwenden(const BEF* b, STT* s)
{
    const double* d = b->darg;
    const int32_t* i = b->iarg;
    switch (b->code) {
    case 10:
        s->msm *= d[0];
        sttMassRegel(s, true);
        return 1;
    case 11:
        s->msf *= d[0];
        sttMassRegel(s, true);
        return 1;
    case 13:
    case 70:
        s->msf = d[0];
        sttMassRegel(s, true);
        return 1;
    case 18: {
        long long t = static_cast<long long>(s->msf * 10 + 0.5);
        long long v = t * i[1];
        long long r = i[0] == 0 ? v / 10 + (v % 10 > 4 ? 1 : 0) : v / 100 + (v % 100 > 49 ? 1 : 0);
        r = r < 1 ? 1 : r > 100 ? 100 : r;
        s->msf = r / 10.0;
        sttMassRegel(s, false);
        return 1;
    }
    case 12:
        s->richtung = WinkelNormal(s->richtung + i[0] % 3600);
        return 1;
    case 15:
        s->layer = sttKlemmen(i[0], 1, 20);
        return 1;
    case 20:
    case 40:
    case 96:
    case 175: {
        double dx = d[0], dy = d[1];
        Drehen(s->richtung, &dx, &dy);
        s->x += s->mass * dx;
        s->y += s->mass * dy;
        return 1;
    }
    case 41: {
        double dx = CosZehntel(i[0]) * d[0], dy = SinZehntel(i[0]) * d[0];
        Drehen(s->richtung, &dx, &dy);
        s->x += s->mass * dx;
        s->y += s->mass * dy;
        return 1;
    }
    case 21:
        s->x = d[0];
        s->y = d[1];
        return 1;
    case 25: s->st = sttKlemmen(i[0], 1, 99); return 1;
    case 26: s->sa = sttKlemmen(i[0], 0, 7); return 1;
    case 31: s->tr = sttKlemmen(i[0], 0, 3599); return 1;
    case 34: s->ts = sttKlemmen(i[0], 0, 9); return 1;
    case 27: s->sl = sttKlemmen(d[0], 0.1, 1000.0); return 1;
    case 30: s->tg = sttKlemmen(d[0], 1.0, 100.0); return 1;
    case 32: s->tv = sttKlemmen(d[0], 0.1, 10.0); return 1;
    case 33: s->th = sttKlemmen(d[0], 0.1, 10.0); return 1;
    case 35: sttTextKopie(s->bd, sizeof s->bd, b->text, 3); return 1;
    case 36: sttTextKopie(s->td, sizeof s->td, b->text, 40); return 1;
    default:
        return 0;
    }
}

int SttDifferenz(const STT* alt, const STT* neu, SttAusgabeFn ausgabe)
{
    BEF b;
    auto neuer = [&b](int code) {
        flachNullen(&b);
        b.code = static_cast<uint8_t>(code);
    };
    if (neu->msm != alt->msm) {
        neuer(10);
        b.darg[0] = alt->msm != 0 ? neu->msm / alt->msm : neu->msm;
        ausgabe(&b);
    }
    if (neu->msf != alt->msf) {
        neuer(11);
        b.darg[0] = alt->msf != 0 ? neu->msf / alt->msf : neu->msf;
        ausgabe(&b);
    }
    if (neu->richtung != alt->richtung) {
        neuer(12);
        b.iarg[0] = neu->richtung - alt->richtung;
        ausgabe(&b);
    }
    if (neu->layer != alt->layer) {
        neuer(15);
        b.iarg[0] = neu->layer;
        ausgabe(&b);
    }
    if (neu->x != alt->x || neu->y != alt->y) {
        neuer(20);
        b.darg[0] = (neu->x - alt->x) / neu->mass;
        b.darg[1] = (neu->y - alt->y) / neu->mass;
        Drehen(-neu->richtung, &b.darg[0], &b.darg[1]);
        ausgabe(&b);
    }
    struct { int code; int32_t a, n; } ganz[] = {
        {25, alt->st, neu->st}, {26, alt->sa, neu->sa}};
    for (auto& g : ganz) {
        if (g.a != g.n) {
            neuer(g.code);
            b.iarg[0] = g.n;
            ausgabe(&b);
        }
    }
    auto reell = [&](int code, double a, double n) {
        if (a != n) {
            neuer(code);
            b.darg[0] = n;
            ausgabe(&b);
        }
    };
    reell(27, alt->sl, neu->sl);
    reell(30, alt->tg, neu->tg);
    if (neu->tr != alt->tr) {
        neuer(31);
        b.iarg[0] = neu->tr;
        ausgabe(&b);
    }
    reell(32, alt->tv, neu->tv);
    reell(33, alt->th, neu->th);
    if (neu->ts != alt->ts) {
        neuer(34);
        b.iarg[0] = neu->ts;
        ausgabe(&b);
    }
    if (std::strncmp(neu->bd, alt->bd, sizeof neu->bd) != 0) {
        neuer(35);
        BefTextSetzen(&b, neu->bd);
        ausgabe(&b);
    }
    if (std::strncmp(neu->td, alt->td, sizeof neu->td) != 0) {
        neuer(36);
        BefTextSetzen(&b, neu->td);
        return ausgabe(&b);
    }
    return 0;  // callers read the result of the name record only
}

int SttGleich(const STT* a, const STT* b)
{
    return a->msm == b->msm && a->msf == b->msf && a->richtung == b->richtung &&
           a->layer == b->layer && a->x == b->x && a->y == b->y && a->st == b->st &&
           a->sa == b->sa && a->sl == b->sl && a->tg == b->tg && a->tr == b->tr &&
           a->tv == b->tv && a->th == b->th && a->ts == b->ts &&
           std::strncmp(a->bd, b->bd, sizeof a->bd) == 0 &&
           std::strncmp(a->td, b->td, sizeof a->td) == 0;
}

void SttMassstabNormieren(STT* s)
{
    double m = std::trunc(s->mass * 100 + 0.5) / 100;
    if (m == 0) {
        return;  // a legal scale below 0.005 would collapse every later move
    }
    s->mass = m;
    s->msm = 1.0;
    s->msf = m;
}
