// Line joining and the duplicate placement test; see linien.h.
#include "output/linien.h"

#include <cmath>

#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/geometri.h"
#include "model/justage.h"
#include "model/tempzeic.h"
#include "model/zerleg.h"
#include "support/vergleich.h"

namespace {

// The walk's view of the last line: its record and the state it starts from.
struct LinienLetzte {
    int id;
    BEF b;
    STT s;
};

int linienGleicherStil(const STT& a, const STT& b)
{
    return a.st == b.st && a.sa == b.sa && a.sl == b.sl && a.mass == b.mass && a.richtung == b.richtung &&
           a.layer == b.layer;
}

// The first earlier line that the last one continues; -1 when none. The
// last line itself is skipped: a line shorter than 0.1 would otherwise be
// its own partner and end up deleted twice.
int linienPartner(const LinienLetzte& l, BEF* pb, STT* ps)
{
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (id == l.id) continue;
        if (TzObjHolen(id, pb, ps) != 0 || pb->code != BEF_ZL) continue;
        STT nach = *ps;
        BefZerlegen(pb, &nach, nullptr);
        if (!linienGleicherStil(nach, l.s)) continue;
        if (!IstNull(l.s.x - nach.x) || !IstNull(l.s.y - nach.y)) continue;
        if (!Kollinear(0, 0, pb->darg[0], pb->darg[1], l.b.darg[0], l.b.darg[1])) continue;
        return id;
    }
    return -1;
}

}  // namespace

void LinienVerbinden()
{
    LinienVerbindenEin();
    if (TzAnzahl() < 2) return;
    LinienLetzte l;
    l.id = TzVorheriges(TZENDE);
    if (l.id < 0 || l.id >= TZENDE || TzObjHolen(l.id, &l.b, &l.s) != 0 || l.b.code != BEF_ZL) return;
    BEF pb;
    STT ps;
    const int partner = linienPartner(l, &pb, &ps);
    if (partner < 0) return;
    pb.darg[0] += l.b.darg[0];
    pb.darg[1] += l.b.darg[1];
    if (IstNull(pb.darg[0]) && IstNull(pb.darg[1])) {
        TzLoeschen(partner);
    } else {
        TzErsetzen(partner, &pb, &ps);
    }
    TzLoeschen(l.id);
}

int BtlPosVorhanden(const BEF* b, const STT* s)
{
    if (!BefIstZB(b->code)) return 0;
    const BEF gesucht = *b;
    const STT ort = *s;
    const double r[4] = {ort.x - 20, ort.y - 20, ort.x + 20, ort.y + 20};
    int treffer = 0;
    TzBereichDurchlaufen(r, [&](int, const STT* os, const BEF* ob) {
        if (treffer || !BefIstZB(ob->code) || ob->code != gesucht.code) return;
        if (strvgl(ob->text, gesucht.text) != 0) return;
        if (std::fabs(os->x - ort.x) >= 0.5 || std::fabs(os->y - ort.y) >= 0.5) return;
        if (gesucht.code == 81 && ob->iarg[0] != gesucht.iarg[0]) return;
        treffer = 1;
    });
    return treffer;
}

void LinienHakenEintragen()
{
    EdHaken h{};
    h.BtlPosVorhanden = BtlPosVorhanden;
    EdHakenSetzen(h);
}
