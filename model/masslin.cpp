// Dimension lines; see masslin.h. Owns the program's dimension settings.
// Points are computed with exact vector arithmetic in the record's own
// coordinates; the dragged handles are first turned into those coordinates
// (minus the direction, divided by the scale), so that a handle follows the
// pointer at every scale and direction.
#include "model/masslin.h"

#include <cmath>
#include <cstring>

#include "config/reaktion.h"
#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/dienste.h"
#include "model/geometri.h"
#include "model/modellint.h"
#include "model/zerlegint.h"
#include "model/zustand.h"
#include "support/basis.h"
#include "support/texte.h"

using namespace modh;  // the model's calls through its service tables

namespace {

constexpr MASSEINST massStart = {0.0, 0.0, 0.0, 1, 1, 0, 0, 0.0, 0.0, 0, 0};
MASSEINST massEinst = massStart;

struct MassGeo {
    double vx, vy;   // measured vector
    double l;        // its length
    double ux, uy;   // unit vector
    double nx, ny;   // left normal
    double tx, ty;   // text normal (readable side)
};

int massRichtung(const STT* s) { return s ? s->richtung : 0; }

bool massLesbarUmkehr(int r) { return r >= 1351 && r <= 3150; }

MassGeo massGeo(const BEF* b, const STT* s)
{
    MassGeo g{};
    g.vx = b->darg[0];
    g.vy = b->darg[1];
    g.l = VektorLaenge(g.vx, g.vy);
    if (IstNull(g.l)) {
        return g;
    }
    g.ux = g.vx / g.l;
    g.uy = g.vy / g.l;
    g.nx = -g.uy;
    g.ny = g.ux;
    int r = WinkelNormal(VektorWinkel(g.vx, g.vy) + massRichtung(s));
    double f = massLesbarUmkehr(r) ? -1.0 : 1.0;
    g.tx = f * g.nx;
    g.ty = f * g.ny;
    return g;
}

// One dimension record of the expansion, put through the expander.
void massTeil(const BEF* b, STT* s, BefZerlegenFn fn)
{
    BefZerlegenRek(b, s, fn);
}

void massBewegen(STT* s, double x, double y)
{
    BEF bw{};
    bw.code = 20;
    bw.darg[0] = x;
    bw.darg[1] = y;
    SttAnwenden(&bw, s);
}

// A fresh copy of the caller's state moved to point k.
STT massBei(const BEF* b, const STT* s, int k)
{
    STT n = *s;
    double x, y;
    MassPunkt(b, s, k, &x, &y);
    massBewegen(&n, x, y);
    return n;
}

void massLinie(const BEF* b, const STT* s, BefZerlegenFn fn, int von, int bis, int stift)
{
    STT n = massBei(b, s, von);
    if (stift != 0) {
        n.st = stift;
    }
    double x0, y0, x1, y1;
    MassPunkt(b, s, von, &x0, &y0);
    MassPunkt(b, s, bis, &x1, &y1);
    BEF zl{};
    zl.code = BEF_ZL;
    zl.darg[0] = x1 - x0;
    zl.darg[1] = y1 - y0;
    massTeil(&zl, &n, fn);
}

int massZahlTeil(const char* text)
{
    int n = modAtoi(text);
    return n < 1 ? 1 : n;
}

}  // namespace

const MASSEINST* MassEinst() { return &massEinst; }
void MassEinstStandard() { massEinst = massStart; }

void MassEinstLesen(MASSEINST* m)
{
    if (!m) {
        m = &massEinst;
    }
    VgbOeffnen();
    m->pfeil = VgbInt("Edmpl") / 10.0;
    m->ueberstand = VgbInt("Edmsl") / 10.0;
    m->punktradius = VgbInt("Edmpr") / 10.0;
    char fak[41];
    VgbText40("EdmlFAK", fak);
    const char* doppel = std::strchr(fak, ':');
    if (doppel) {
        m->fakp = massZahlTeil(fak);
        m->fakq = massZahlTeil(doppel + 1);
    } else {
        m->fakp = m->fakq = 1;
    }
    m->nk = VgbInt("EdmlNK");
    m->pfl = VgbInt("EdmlPFL");
    m->flab = VgbInt("EdmlFlAb") / 10.0;
    m->txab = VgbInt("EdmlTxAb") / 10.0;
    m->tg = VgbInt("EdmlTG");
    m->st = VgbInt("EdmlST");
    VgbSchliessen();
    if (TestOption('I')) {
        wiDebug("MassEinst pl:%s sl:%s pr:%s FAK:%d:%d NK:%d PFL:%d FlAb:%s TxAb:%s TG:%d ST:%d\n",
                modFixed(m->pfeil, 1).c_str(), modFixed(m->ueberstand, 1).c_str(),
                modFixed(m->punktradius, 1).c_str(), m->fakp, m->fakq, m->nk, m->pfl,
                modFixed(m->flab, 1).c_str(), modFixed(m->txab, 1).c_str(), m->tg, m->st);
    }
}

void MassPunkt(const BEF* b, const STT* s, int k, double* x, double* y)
{
    MassGeo g = massGeo(b, s);
    *x = 0.0;
    *y = 0.0;
    if (IstNull(g.l)) {
        return;
    }
    const MASSEINST* m = &massEinst;
    int art = b->iarg[0];
    double kurz = (art == 1 || art == 2) ? m->pfeil : 0.0;
    double ende = (art >= 1 && art <= 4) ? m->pfeil : (art == 5 || art == 6) ? m->punktradius : 0.0;
    double d3 = b->darg[3];
    bool schub = !IstNull(d3);
    double mx = g.vx / 2, my = g.vy / 2;
    auto e = [&](int i) { return (b->iarg[i] != 0) ? b->darg[i] : 0.0; };
    switch (k) {
    case 0: break;
    case 1: *x = g.vx; *y = g.vy; break;
    case 2:
        *x = mx + m->txab * g.tx + (schub ? d3 * g.ux : 0.0);
        *y = my + m->txab * g.ty + (schub ? d3 * g.uy : 0.0);
        break;
    case 3:
        *x = mx + (schub ? d3 * g.ux : 0.0);
        *y = my + (schub ? d3 * g.uy : 0.0);
        break;
    case 4: *x = e(4) * g.nx; *y = e(4) * g.ny; break;
    case 5: *x = -e(5) * g.nx; *y = -e(5) * g.ny; break;
    case 6: *x = g.vx + e(6) * g.nx; *y = g.vy + e(6) * g.ny; break;
    case 7: *x = g.vx - e(7) * g.nx; *y = g.vy - e(7) * g.ny; break;
    case 8:
        if (schub && g.l / 2 < -d3) {
            *x = mx + d3 * g.ux;
            *y = my + d3 * g.uy;
        } else {
            *x = kurz * g.ux;
            *y = kurz * g.uy;
        }
        break;
    case 9:
        if (schub && g.l / 2 < d3) {
            *x = mx + d3 * g.ux;
            *y = my + d3 * g.uy;
        } else {
            *x = g.vx - kurz * g.ux;
            *y = g.vy - kurz * g.uy;
        }
        break;
    case 10:
        *x = ende / 2;
        *y = ende;
        return;
    default:
        return;
    }
    *x -= b->darg[2] * g.nx;
    *y -= b->darg[2] * g.ny;
}

int MassTextRichtung(const BEF* b, const STT* s)
{
    if (IstNull(VektorLaenge(b->darg[0], b->darg[1]))) {
        return 0;
    }
    int r = WinkelNormal(VektorWinkel(b->darg[0], b->darg[1]) + massRichtung(s));
    return massLesbarUmkehr(r) ? (r + 1800) % 3600 : r;
}

int MassTextArt(const BEF* b, const STT* s)
{
    double d3 = b->darg[3];
    if (IstNull(d3)) {
        return 1;
    }
    if (b->darg[0] == 0.0 && b->darg[1] == 0.0) {
        return 0;
    }
    int r = WinkelNormal(VektorWinkel(b->darg[0], b->darg[1]) + massRichtung(s));
    if (massLesbarUmkehr(r)) {
        return d3 >= 0 ? 0 : 2;
    }
    return d3 <= 0 ? 0 : 2;
}

void MassAbstandSetzen(BEF* b, double d)
{
    const MASSEINST* m = &massEinst;
    b->darg[2] = d;
    if (d > 0) {
        b->darg[4] = b->darg[6] = d - m->flab;
        b->darg[5] = b->darg[7] = m->ueberstand;
    } else if (d < 0) {
        b->darg[5] = b->darg[7] = -d - m->flab;
        b->darg[4] = b->darg[6] = m->ueberstand;
    }
}

void MassGriffZiehen(BEF* b, const STT* s, int k, double px, double py)
{
    double mass = s->mass != 0.0 ? s->mass : 1.0;
    // The pointer in the record's own coordinates.
    Drehen(WinkelNormal(-s->richtung), &px, &py);
    px /= mass;
    py /= mass;
    if (k == 1) {
        b->darg[0] = px;
        b->darg[1] = py;
        return;
    }
    MassGeo g = massGeo(b, s);
    if (IstNull(g.l)) {
        return;
    }
    double ox = -b->darg[2] * g.nx, oy = -b->darg[2] * g.ny;
    auto normal = [&](double qx, double qy) { return qx * g.nx + qy * g.ny; };
    switch (k) {
    case 2:
        MassAbstandSetzen(b, Runden(-normal(px, py)));
        break;
    case 3: {
        double qx = px - (g.vx / 2 + ox), qy = py - (g.vy / 2 + oy);
        b->darg[3] = Runden(qx * g.ux + qy * g.uy);
        break;
    }
    case 4:
    case 5: {
        double n = normal(px - ox, py - oy);
        b->darg[k] = Runden(k == 4 ? n : -n);
        break;
    }
    case 6:
    case 7: {
        double n = normal(px - (ox + g.vx), py - (oy + g.vy));
        b->darg[k] = Runden(k == 6 ? n : -n);
        break;
    }
    case 8: {
        double p0x, p0y;
        MassPunkt(b, s, 0, &p0x, &p0y);
        double alt = std::atan2(g.vy, g.vx);
        double neu = alt + std::atan2(py - g.vy / 2, px - g.vx / 2) - std::atan2(p0y - g.vy / 2, p0x - g.vx / 2);
        double nvx = std::cos(neu) * g.l, nvy = std::sin(neu) * g.l;
        // The middle stays: the start moves by the change of the half vector.
        double wx = (nvx - g.vx) / 2 * mass, wy = (nvy - g.vy) / 2 * mass;
        Drehen(s->richtung, &wx, &wy);
        b->darg[0] = nvx;
        b->darg[1] = nvy;
        BaubfStartXY(s->x - wx, s->y - wy);
        break;
    }
    default:
        break;
    }
}

void MassZerlegen(const BEF* b, STT* s, BefZerlegenFn fn)
{
    const MASSEINST* m = &massEinst;
    zerBauteilHaken(1, ZERMASSGRUPPE);
    massLinie(b, s, fn, 8, 9, 0);
    if (b->iarg[4] || b->iarg[5]) {
        massLinie(b, s, fn, 4, 5, m->st);
    }
    if (b->iarg[6] || b->iarg[7]) {
        massLinie(b, s, fn, 6, 7, m->st);
    }
    int art = b->iarg[0];
    if (art >= 1 && art <= 4) {
        int a = VektorWinkel(b->darg[0], b->darg[1]);
        int dreh = art <= 2 ? 0 : 1800;
        double ex, ey;
        MassPunkt(b, s, 10, &ex, &ey);
        for (int k = 0; k < 2; ++k) {
            STT n = massBei(b, s, k);
            BEF dre{};
            dre.code = 63;
            dre.iarg[0] = art % 2;
            dre.iarg[1] = (dreh + a + (k == 0 ? 1800 : 0)) % 3600;
            dre.darg[0] = ex;
            dre.darg[1] = ey;
            massTeil(&dre, &n, fn);
        }
    } else if (art == 5 || art == 6) {
        for (int k = 0; k < 2; ++k) {
            STT n = massBei(b, s, k);
            BEF kre{};
            kre.code = BEF_KRE;
            kre.iarg[0] = art == 5 ? 1 : 0;
            kre.darg[0] = kre.darg[1] = m->punktradius;
            massTeil(&kre, &n, fn);
        }
    }
    if (!strleer(b->text)) {
        STT n = massBei(b, s, 2);
        // Text records turn by the direction and TR when drawn: TR takes
        // the direction out again, so the text turns once.
        n.tr = WinkelNormal(MassTextRichtung(b, s) - s->richtung);
        if (m->tg != 0) {
            n.tg = m->tg / 10.0;
        }
        BEF t{};
        int ta = MassTextArt(b, s);
        t.code = static_cast<uint8_t>(ta == 1 ? 51 : ta == 2 ? 52 : 50);
        std::memcpy(t.text, b->text, sizeof t.text);
        massTeil(&t, &n, fn);
    }
    zerBauteilHaken(0, ZERMASSGRUPPE);
}
