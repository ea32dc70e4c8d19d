// Line gaps and attached lines; see linien.h.
//
// A cut keeps the gap parameters within [0, 1]: a gap reaching past an end
// only shortens the line, and an empty gap or one covering the whole line
// leaves it as it is (no reversed or lengthened pieces).
#include "editor/geloesch.h"
#include "editor/linien.h"
#include "editor/linien.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "editor/edtaufrufe.h"
#include "editor/history.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/geometri.h"
#include "model/masslin.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "model/tempzeic.h"
#include "model/zerleg.h"

namespace {

constexpr double LN_NULL = 0.1;      // near zero, strictly
constexpr double LN_KOLLINEAR = 0.1; // cross product
constexpr double LN_RAND = 0.1;      // allowance of extent tests
constexpr double LN_UNT = 0.0001;    // allowance of the break rectangle
constexpr double LN_WEG = 5.0;       // widening of the walks
// How near the gap's rectangle the end points of a line it cuts lie. A
// cut line runs along x (|dx| > LN_NULL) or y: the gap's parameters only
// overlap the line's open range when the gap's x (or y) range overlaps the
// line's, and a point there, in line within LN_KOLLINEAR, lies off the
// line by at most LN_KOLLINEAR / LN_NULL = 1 in the other coordinate. So
// the line's end points come within 1 of the gap's rectangle; half a unit
// more covers rounding. Lines further off are never cut (and their extent
// holds their end points, so every line cut is one the walk of LN_WEG
// would have met).
constexpr double LN_SCHNITT = LN_KOLLINEAR / LN_NULL + 0.5;

bool lnNull(double v) { return v > -LN_NULL && v < LN_NULL; }

// A line's start and end point: all the tests look at. A walk reads them
// from the store as they were kept; the record is read only for a line
// that is changed.
struct LnLage {
    int id;
    double sx, sy, ex, ey;
};

struct LnLinie : LnLage {
    STT s;
    BEF b;
};

LnLinie lnLinie(int id, const STT* s, const BEF* b)
{
    LnLinie l{{id, s->x, s->y, 0, 0}, *s, *b};
    STT n = *s;
    BefZerlegen(b, &n, nullptr);
    l.ex = n.x;
    l.ey = n.y;
    return l;
}

// The line of a walk's entry with its record; false when it is gone.
bool lnLinieHolen(const LnLage& p, LnLinie* l)
{
    static_cast<LnLage&>(*l) = p;
    return TzObjHolen(p.id, &l->b, &l->s) == 0;
}

// Each line whose extent meets the rectangle (ordered corners), widened.
template <class F>
void lnLagen(double x1, double y1, double x2, double y2, F&& fn)
{
    const double r[4] = {x1 - LN_WEG, y1 - LN_WEG, x2 + LN_WEG, y2 + LN_WEG};
    TzBereichPunkte(r, BEF_ZL, [&](int id, double sx, double sy, double ex, double ey) {
        fn(LnLage{id, sx, sy, ex, ey});
    });
}

double lnParameter(const LnLage& l, double px, double py)
{
    const double dx = l.ex - l.sx, dy = l.ey - l.sy;
    if (std::fabs(dx) > LN_NULL) return (px - l.sx) / dx;
    if (std::fabs(dy) > LN_NULL) return (py - l.sy) / dy;
    return 0;
}

bool lnKollinear(const LnLage& l, double px, double py)
{
    const double k = (l.ex - l.sx) * (py - l.sy) - (l.ey - l.sy) * (px - l.sx);
    return std::fabs(k) <= LN_KOLLINEAR;
}

// Writes a line from world point (x, y) along world vector (dx, dy).
void lnSetzen(int id, const LnLinie& l, double x, double y, double dx, double dy, bool neu)
{
    STT s = l.s;
    s.x = x;
    s.y = y;
    BEF b = l.b;
    const double m = s.mass != 0 ? s.mass : 1.0;
    dx /= m;
    dy /= m;
    Drehen(-s.richtung, &dx, &dy);
    b.darg[0] = dx;
    b.darg[1] = dy;
    if (neu)
        TzEinfuegen(&b, &s);
    else
        TzErsetzen(id, &b, &s);
}

struct LnAnhang {
    int objekt;
    LnLinie l;
};
std::vector<LnAnhang> lnAnhang;

// The gap (x0, y0)-(x1, y1) along a line as parameters within [0, 1];
// false when it leaves the line as it is.
bool lnLoch(const LnLage& l, double x0, double y0, double x1, double y1, double* von, double* bis)
{
    if (!lnKollinear(l, x0, y0) || !lnKollinear(l, x1, y1)) return false;
    const double t0 = lnParameter(l, x0, y0), t1 = lnParameter(l, x1, y1);
    double tmin = std::min(t0, t1), tmax = std::max(t0, t1);
    if (tmax < -0.1 || tmin > 1.1 || (tmin < -0.1 && tmax > 1.1)) return false;
    tmin = std::clamp(tmin, 0.0, 1.0);
    tmax = std::clamp(tmax, 0.0, 1.0);
    if (tmax - tmin <= 0 || (tmin <= 0 && tmax >= 1)) return false;
    *von = tmin;
    *bis = tmax;
    return true;
}

// Cuts the gap of parameters [tmin, tmax] out of the line.
void lnLochSetzen(const LnLinie& l, double tmin, double tmax)
{
    const int id = l.id;
    const double dx = l.ex - l.sx, dy = l.ey - l.sy;
    const double g1x = l.sx + dx * tmin, g1y = l.sy + dy * tmin;
    const double g2x = l.sx + dx * tmax, g2y = l.sy + dy * tmax;
    if (tmin > 0 && tmax < 1) {
        lnSetzen(id, l, g2x, g2y, l.ex - g2x, l.ey - g2y, false);
        lnSetzen(id, l, l.sx, l.sy, g1x - l.sx, g1y - l.sy, true);
    } else if (tmin > 0) {
        lnSetzen(id, l, l.sx, l.sy, g1x - l.sx, g1y - l.sy, false);
    } else {
        lnSetzen(id, l, g2x, g2y, l.ex - g2x, l.ey - g2y, false);
    }
}

// LochSchneiden on a line whose end point is known already (a walk
// collected it): the line is not taken apart a second time.
int lnLochSchneiden(const LnLinie& l, double x0, double y0, double x1, double y1)
{
    double tmin, tmax;
    if (l.b.code != BEF_ZL || !lnLoch(l, x0, y0, x1, y1, &tmin, &tmax)) return 0;
    lnLochSetzen(l, tmin, tmax);
    return 1;
}

}  // namespace

int LochSchneiden(int id, const STT* s, const BEF* b, double x0, double y0, double x1, double y1)
{
    if (b->code != BEF_ZL) return 0;
    return lnLochSchneiden(lnLinie(id, s, b), x0, y0, x1, y1);
}

void LinienTrennen(double x0, double y0, double x1, double y1)
{
    if (TzAnzahl() == 0) return;
    // Most lines near a component do not lie along its connection: only
    // those that do are kept (and read whole), and cut afterwards in the
    // order of an area walk (basket, then slot), which decides the ids of
    // the pieces.
    struct Schnitt {
        int korb, slot;
        LnLage l;
        double von, bis;
    };
    std::vector<Schnitt> schnitte;
    const double r[4] = {std::min(x0, x1) - LN_SCHNITT, std::min(y0, y1) - LN_SCHNITT,
                         std::max(x0, x1) + LN_SCHNITT, std::max(y0, y1) + LN_SCHNITT};
    TzLinienNahe(r, [&](int id, double sx, double sy, double ex, double ey) {
        const LnLage l{id, sx, sy, ex, ey};
        double von, bis;
        if (!lnLoch(l, x0, y0, x1, y1, &von, &bis)) return;
        int slot = -1;
        const int korb = TzKorbVon(id, &slot);
        schnitte.push_back({korb, slot, l, von, bis});
    });
    std::sort(schnitte.begin(), schnitte.end(),
              [](const Schnitt& a, const Schnitt& b) { return a.korb != b.korb ? a.korb < b.korb : a.slot < b.slot; });
    LnLinie l;
    for (const Schnitt& s : schnitte)
        if (lnLinieHolen(s.l, &l)) lnLochSetzen(l, s.von, s.bis);
}

void UnterbrechungSetzen(const BEF* b, const STT* s)
{
    if (s->richtung % 900 != 0) return;
    double vx = b->darg[0], vy = b->darg[1];
    switch (((s->richtung / 900) % 4 + 4) % 4) {
    case 1: std::swap(vx, vy), vx = -vx; break;
    case 2: vx = -vx, vy = -vy; break;
    case 3: std::swap(vx, vy), vy = -vy; break;
    default: break;
    }
    vx *= s->mass;
    vy *= s->mass;
    if (lnNull(vx) && lnNull(vy)) return;
    const double rx1 = std::min(s->x, s->x + vx), rx2 = std::max(s->x, s->x + vx);
    const double ry1 = std::min(s->y, s->y + vy), ry2 = std::max(s->y, s->y + vy);
    struct loch {
        LnLage l;
        double x1, y1, x2, y2;
    };
    std::vector<loch> ll;
    lnLagen(rx1, ry1, rx2, ry2, [&](const LnLage& l) {
        if (static_cast<int>(ll.size()) >= LLSUP) return;
        if (std::fabs(l.sy - l.ey) <= LN_NULL && l.sy >= ry1 - LN_UNT && l.sy <= ry2 + LN_UNT)
            ll.push_back({l, rx1, l.sy, rx2, l.sy});
        else if (std::fabs(l.sx - l.ex) <= LN_NULL && l.sx >= rx1 - LN_UNT && l.sx <= rx2 + LN_UNT)
            ll.push_back({l, l.sx, ry1, l.sx, ry2});
    });
    LnLinie l;
    for (const loch& g : ll)
        if (lnLinieHolen(g.l, &l)) lnLochSchneiden(l, g.x1, g.y1, g.x2, g.y2);
}

void AnhangZuruecksetzen() { lnAnhang.clear(); }

void AnhangVerschieben(int objekt, int phase, double x0, double y0, double x1, double y1, const double box[4])
{
    if (TzAnzahl() == 0) return;
    const bool nachY = lnNull(x0 - x1), nachX = lnNull(y0 - y1);
    if (nachY == nachX) return;  // no move, or one in both directions
    if (phase == 0) {
        std::vector<LnLage> passend;
        lnLagen(box[0], box[1], box[2], box[3], [&](const LnLage& l) {
            if (static_cast<int>(lnAnhang.size() + passend.size()) >= ANHANGSUP || TzIstMarkiert(l.id)) return;
            const bool passt = nachY ? std::fabs(l.sx - l.ex) <= LN_NULL && (lnNull(l.sy - y0) || lnNull(l.ey - y0)) &&
                                           l.sx >= box[0] - LN_RAND && l.sx <= box[2] + LN_RAND
                                     : std::fabs(l.sy - l.ey) <= LN_NULL && (lnNull(l.sx - x0) || lnNull(l.ex - x0)) &&
                                           l.sy >= box[1] - LN_RAND && l.sy <= box[3] + LN_RAND;
            if (passt) passend.push_back(l);
        });
        LnLinie l;
        for (const LnLage& p : passend)
            if (lnLinieHolen(p, &l)) lnAnhang.push_back({objekt, l});
        return;
    }
    // An entry is used up by the move it was collected for: a caller that
    // does not reset the table between moves must not see a line moved
    // again from where it stood before.
    std::vector<LnAnhang> rest;
    for (const LnAnhang& a : lnAnhang) {
        const LnLinie& l = a.l;
        const bool amStart = nachY ? lnNull(l.sy - y0) : lnNull(l.sx - x0);
        const bool amEnde = nachY ? lnNull(l.ey - y0) : lnNull(l.ex - x0);
        if (a.objekt != objekt || !(amStart || amEnde)) {
            rest.push_back(a);
            continue;
        }
        double sx = l.sx, sy = l.sy, ex = l.ex, ey = l.ey;
        if (nachY) {
            if (amStart)
                sy = y1;
            else
                ey = y1;
            ex = sx;
        } else {
            if (amStart)
                sx = x1;
            else
                ex = x1;
            ey = sy;
        }
        if (lnNull(nachY ? ey - sy : ex - sx))
            TzLoeschen(l.id);
        else
            lnSetzen(l.id, l, sx, sy, ex - sx, ey - sy, false);
    }
    lnAnhang = std::move(rest);
}

// ---- exchanging values, text kinds and dimension lines ----------------------
//
// A new text direction of `TR` is brought into 0..3599 tenths (-90 degrees
// is 2700), the range every state keeps.


namespace {

constexpr int C_LAY = 15, C_ST = 25, C_SA = 26, C_SL = 27, C_TG = 30, C_TR = 31, C_TV = 32, C_TS = 34, C_BD = 35,
              C_TD = 36, C_RHX = 87, C_RHY = 88, C_PKT = 62, C_DRE = 63, C_TKR = 64, C_BOG = 65, C_KRE = 67,
              C_RTK = 68, C_BW = 20, C_TFZ = 53;

struct TauAuftrag {
    int code = -1;
    std::string alt, neu;
    int altI = 0, neuI = 0;
    double altD = 0, neuD = 0;
} tau;

std::string tauGross(std::string t)
{
    for (char& c : t) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
    return t;
}

bool tauSichtbar(const STT* s) { return modh::AnsichtPunktSichtbar(s->x, s->y) != 0; }

// The end position of an object (the state after it).
bool tauEndeSichtbar(const BEF* b, const STT* s)
{
    double box[4];
    STT nach = *s;
    modh::BefAusdehnung(b, s, box, &nach);
    return modh::AnsichtPunktSichtbar(nach.x, nach.y) != 0;
}

void tauLuecken(const BEF* b, const STT* s)
{
    STT nach = *s;
    BefZerlegen(b, &nach, nullptr);
    LinienTrennen(s->x, s->y, nach.x, nach.y);
}

// One object against the request; true when record or state changed.
bool tauObjekt(int id, BEF* b, STT* s)
{
    const int c = tau.code;
    const bool textGleich = tau.alt == b->text;
    if (BefIstZB(c)) {
        if (!textGleich) return false;
        BEF alt = *b;
        BefTextSetzen(b, tau.neu.c_str());
        tauLuecken(&alt, s);
        tauLuecken(b, s);
        return true;
    }
    if (BefIstText(c) || c == C_RHX || c == C_RHY) {
        if (!textGleich) return false;
        BefTextSetzen(b, tau.neu.c_str());
        return true;
    }
    switch (c) {
    case C_LAY:
        if (s->layer != tau.altI) return false;
        s->layer = tau.neuI;
        return true;
    case C_ST: {
        // Two tests, each writing back what it matched.
        const int k = b->code;
        if ((k == C_PKT || k == C_DRE || k == C_TKR || k == C_BOG || k == C_KRE || k == C_RTK) && b->sub == tau.altI) {
            b->sub = static_cast<uint8_t>(tau.neuI & 0xFF);
            TzErsetzen(id, b, s);
        }
        if (s->st == tau.altI) {
            s->st = tau.neuI;
            TzErsetzen(id, b, s);
        }
        return false;
    }
    case C_SA:
        if (s->sa != tau.altI) return false;
        s->sa = tau.neuI;
        return true;
    case C_SL:
        if (s->sl != tau.altD) return false;
        s->sl = tau.neuD;
        return true;
    case C_TG:
        if (s->tg != tau.altD) return false;
        s->tg = tau.neuD;
        return true;
    case C_TR:
        if (s->tr != tau.altI * 10) return false;
        s->tr = ((tau.neuI * 10) % 3600 + 3600) % 3600;
        return true;
    case C_TV:
        if (s->tv != tau.altD) return false;
        s->tv = tau.neuD;
        return true;
    case C_TS:
        if (s->ts != tau.altI) return false;
        s->ts = tau.neuI;
        return true;
    case C_BD:
        if (tau.alt != s->bd) return false;
        strkopie(s->bd, sizeof s->bd, tauGross(tau.neu.substr(0, 3)).c_str(), 3);
        return true;
    case C_TD:
        if (tau.alt != s->td) return false;
        strkopie(s->td, sizeof s->td, tauGross(tau.neu.substr(0, 12)).c_str(), 12);
        return true;
    default:
        return false;
    }
}

template <class F> void tauSichtbareObjekte(bool ende, F f)
{
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0 || !tauSichtbar(&s)) continue;
        if (ende && !tauEndeSichtbar(&b, &s)) continue;
        f(id, b, s);
    }
}

}  // namespace

int TauschenBefehl(const char* text)
{
    if (TzAnzahl() == 0) return 0;
    std::string t = text != nullptr ? text : "";
    const size_t a = t.find_first_not_of(" \t");
    t = a == std::string::npos ? "" : t.substr(a, t.find_last_not_of(" \t") - a + 1);
    size_t n = 0;
    while (n < t.size() && std::isalpha(static_cast<unsigned char>(t[n]))) ++n;
    if (n < 1 || n > 3) return -1;
    tau = TauAuftrag{};
    tau.code = BefCode(tauGross(t.substr(0, n)).c_str());
    std::string rest = t.substr(n);
    if (rest.empty()) {
        EdtAufrufTabelle().DB1231Oeffnen();
        return 0;
    }
    if (rest[0] == ' ') {
        size_t p = rest.find_first_not_of(' ');
        auto wort = [&]() {
            if (p == std::string::npos || p >= rest.size()) return std::string();
            const size_t e = rest.find(' ', p);
            std::string w = rest.substr(p, e == std::string::npos ? std::string::npos : e - p);
            p = e == std::string::npos ? std::string::npos : rest.find_first_not_of(' ', e);
            return w;
        };
        tau.alt = wort();
        tau.neu = wort();
    } else {
        const char c = rest[0];
        const size_t e1 = rest.find(c, 1);
        tau.alt = rest.substr(1, e1 == std::string::npos ? std::string::npos : e1 - 1);
        if (e1 != std::string::npos) {
            const size_t e2 = rest.find(c, e1 + 1);
            tau.neu = rest.substr(e1 + 1, e2 == std::string::npos ? std::string::npos : e2 - e1 - 1);
        }
    }
    tau.alt = tau.alt.substr(0, TAUWERTSUP);
    tau.neu = tau.neu.substr(0, TAUWERTSUP);
    if (!tau.neu.empty()) {
        if (BefIstZB(tau.code) || tau.code == C_RHX || tau.code == C_RHY) {
            tau.alt = tauGross(tau.alt);
            tau.neu = tauGross(tau.neu);
        }
        tau.altI = EingabeGanz(tau.alt);
        tau.neuI = EingabeGanz(tau.neu);
        tau.altD = EingabeZahl(tau.alt);
        tau.neuD = EingabeZahl(tau.neu);
        TauschenAlle();
        ZeiNeuZeichnen();
        return 0;
    }
    tau.altI = BefCode(tauGross(tau.alt).c_str());
    if (BefIstText(tau.code) && BefIstText(tau.altI)) {
        TextCodeTauschen();
        return 0;
    }
    return -1;
}

void TauschenAlle()
{
    tauSichtbareObjekte(true, [](int id, BEF& b, STT& s) {
        if (tauObjekt(id, &b, &s)) TzErsetzen(id, &b, &s);
    });
}

void TextCodeTauschen()
{
    tauSichtbareObjekte(false, [](int id, BEF& b, STT& s) {
        if (b.code != tau.code) return;
        b.code = static_cast<uint8_t>(tau.altI);
        TzErsetzen(id, &b, &s);
    });
}

void TextArtAendern(int modus)
{
    if (modus < 0 || modus > 5) return;
    tauSichtbareObjekte(false, [modus](int id, BEF& b, STT& s) {
        if (!TzIstMarkiert(id) || !BefIstText(b.code)) return;
        const bool s54 = BefIstTextS(b.code);
        const int basis = s54 ? 54 : 50;
        static const int ausrichtung[4] = {0, 3, 1, 2};  // start, centred, middle, end
        int neu = b.code;
        if (modus <= 3)
            neu = basis + ausrichtung[modus];
        else if (modus == 4 && s54)
            neu = b.code - 4;
        else if (modus == 5 && !s54)
            neu = b.code + 4;
        if (neu != b.code) {
            b.code = static_cast<uint8_t>(neu);
            TzErsetzen(id, &b, &s);
        }
        TzMarkSetzen(id, 1);
    });
}

void Bemassung(const BEF* b, const STT* s)
{
    const double dx = b->darg[0], dy = b->darg[1];
    const int a = VektorWinkel(dx, dy);
    const MASSEINST* m = MassEinst();
    const double A = m->pfeil, S = m->ueberstand, P = m->punktradius;
    const int stil = b->iarg[0];
    auto dreieck = [&](int richtung) {
        BEF d;
        std::memset(&d, 0, sizeof d);
        d.code = C_DRE;
        d.iarg[0] = 1;
        d.iarg[1] = richtung;
        d.iarg[2] = 0;
        d.darg[0] = A / 2;
        d.darg[1] = A;
        BefEinreihen(&d);
    };
    auto strich = [&](int w) {
        BefEinreihenXY(BEF_ZL, A * CosZehntel(w), A * SinZehntel(w));
        BefEinreihenXY(C_BW, -A * CosZehntel(w), -A * SinZehntel(w));
    };
    auto schraeg = [&] {
        BefEinreihenXY(C_BW, -S, -S);
        BefEinreihenXY(BEF_ZL, 2 * S, 2 * S);
        BefEinreihenXY(C_BW, -S, -S);
    };
    auto punkt = [&] {
        BEF k;
        std::memset(&k, 0, sizeof k);
        k.code = C_KRE;
        k.iarg[0] = 1;
        k.darg[0] = k.darg[1] = P;
        BefEinreihen(&k);
    };
    auto marke = [&](bool anfang) {
        switch (stil) {
        case 1: dreieck(anfang ? (a + 1800) % 3600 : a); break;
        case 2:
            strich(anfang ? a + 300 : a + 2100);
            strich(anfang ? a - 300 : a + 1500);
            break;
        case 3: schraeg(); break;
        case 4: punkt(); break;
        default: break;
        }
    };
    StartpunktSetzen(s->x, s->y);
    marke(true);
    BefEinreihenXY(BEF_ZL, dx, dy);
    const double T = BefAktZustand()->tg;
    const double tx = -dx / 2 + 0.8 * T * CosZehntel(a + 900), ty = -dy / 2 + 0.8 * T * SinZehntel(a + 900);
    BefEinreihenXY(C_BW, tx, ty);
    BefEinreihenInt(C_TR, a);
    BefEinreihenText(C_TFZ, b->text);
    BefEinreihenXY(C_BW, -tx, -ty);
    marke(false);
}
