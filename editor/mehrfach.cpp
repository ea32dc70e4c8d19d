// Parallel lines; see mehrfach.h.
#include "editor/mehrfach.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "editor/befausf.h"
#include "editor/edmarke.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/undo.h"
#include "model/zerleg.h"

namespace {

constexpr int C_BA = 21, C_ST = 25, C_SA = 26, C_SL = 27, C_MFO = 77;
constexpr double MF_NULL = 0.1;
constexpr double MF_FANG = 2.0;       // MflFinden, strictly
constexpr double MF_NEU = 20.0;       // recording: farther starts a new bundle
constexpr double MF_MARKE = 4.0;      // repainted around an end
constexpr int MF_MARKE_ERST = 5;      // pixels of a bundle's first end
constexpr int MF_MARKE_REST = 3;      // and of its others

mfl liste[LINSUP];
mfl angezeigt[LINSUP];
struct MflGen {
    int generation;
    mfl liste[LINSUP];
};
MflGen genliste[MFLGENSUP];
// Slots below this may have been written since the last clear; the rest are
// still zero (static storage at the start), so MflInit touches no page the
// session never used.
int mfGenBenutzt = 0;
int mfSlot = -1;
int mfAn = 0;
int mfAktuell = -1;
int mfGeaendert = 0;
int mfLetzteGen = -1;
bool mfAufnahme = false;
bool mfGezeigt = false;       // markers of `angezeigt` are on the screen
int mfAktuellGezeigt = -1;    // the current bundle when they were drawn
int mfGewaehlt[2] = {-1, -1};

bool mfNull(double v) { return v > -MF_NULL && v < MF_NULL; }

void mfRahmen(double x, double y)
{
    ZeiBereichNeuZeichnen(x - MF_MARKE, y - MF_MARKE, x + MF_MARKE, y + MF_MARKE);
}

void mfBuendelNeuZeichnen(const mfl& m)
{
    for (int i = 0; i < m.anzahl; ++i) mfRahmen(m.ende[i].x, m.ende[i].y);
}

int mfLeer()
{
    for (int i = 0; i < LINSUP; ++i)
        if (liste[i].anzahl == 0) return i;
    return -1;
}

void mfAnhaengen(mfl& m, double x, double y, const STT* s)
{
    const int i = m.anzahl < MFLENDSUP - 1 ? m.anzahl++ : MFLENDSUP - 2;
    m.ende[i] = {x, y, s->st, s->sa, s->sl};
    mfGeaendert = 1;
    mfRahmen(x, y);
}

// Shell sort, gap halved from n / 2: x ascending, equal x by y descending.
void mfSortieren(mfl& m)
{
    for (int gap = m.anzahl / 2; gap > 0; gap /= 2) {
        for (int i = gap; i < m.anzahl; ++i) {
            for (int j = i - gap; j >= 0; j -= gap) {
                const mflende &a = m.ende[j], &b = m.ende[j + gap];
                if (a.x < b.x || (a.x == b.x && a.y >= b.y)) break;
                std::swap(m.ende[j], m.ende[j + gap]);
            }
        }
    }
}

// A line object as (start, end) and its state; false for other objects.
bool mfLinie(const BEF* b, const STT* s, double* ex, double* ey)
{
    if (b->code != BEF_ZL) return false;
    STT n = *s;
    BefZerlegen(b, &n, nullptr);
    *ex = n.x;
    *ey = n.y;
    return true;
}

void mfNehmen(mfl& m, const BEF* b, const STT* s, double ex, double ey)
{
    const int r = mfNull(b->darg[0]) ? 0 : 1;
    if (m.richtung != -1 && m.richtung != r) return;
    (void)b;
    m.richtung = r;
    m.frisch = 0;
    mfAnhaengen(m, std::fmax(s->x, ex), std::fmin(s->y, ey), s);
}

bool mfPasst(const mfl& m, double x0, double y0)
{
    if (m.anzahl == 0 || m.frisch) return false;
    return m.richtung == 1 ? mfNull(m.ende[0].y - y0) : mfNull(m.ende[0].x - x0);
}

int mfWahl(double x0, double y0)
{
    for (int i = 0; i < LINSUP; ++i)
        if (mfPasst(liste[i], x0, y0)) return i;
    return -1;
}

void mfVerschieben(mfl& m, double x1, double y1)
{
    for (int i = 0; i < m.anzahl; ++i) {
        mfRahmen(m.ende[i].x, m.ende[i].y);
        if (m.richtung == 1)
            m.ende[i].x = x1;
        else
            m.ende[i].y = y1;
        mfRahmen(m.ende[i].x, m.ende[i].y);
    }
    mfGeaendert = 1;
}

void mfNaechstesLoeschen()
{
    const STT* a = BefAktZustand();
    double best = 1000;
    int wer = -1;
    for (int i = 0; i < LINSUP; ++i) {
        for (int k = 0; k < liste[i].anzahl; ++k) {
            const double d = std::fabs(liste[i].ende[k].x - a->x) + std::fabs(liste[i].ende[k].y - a->y);
            if (d < best) {
                best = d;
                wer = i;
            }
        }
    }
    if (wer < 0 || best >= MF_NEU) return;
    mfBuendelNeuZeichnen(liste[wer]);
    std::memset(&liste[wer], 0, sizeof liste[wer]);
    if (mfAktuell == wer) mfAktuell = -1;
    mfGeaendert = 1;
}

int mfElementHaken = 0;

}  // namespace

void MflInit()
{
    std::memset(liste, 0, sizeof liste);
    std::memset(angezeigt, 0, sizeof angezeigt);
    std::memset(genliste, 0, sizeof genliste[0] * static_cast<size_t>(mfGenBenutzt));
    mfGenBenutzt = 0;
    mfSlot = -1;
    mfAn = 0;
    mfAktuell = -1;
    mfGeaendert = 0;
    mfLetzteGen = -1;
    mfAufnahme = false;
    mfGezeigt = false;
    mfAktuellGezeigt = -1;
    mfGewaehlt[0] = mfGewaehlt[1] = -1;
}

void MflBefehl(int n)
{
    if (n == 0 || n == 1) {
        mfAn = n;
        return;
    }
    if (!mfAn) return;
    const STT* a = BefAktZustand();
    switch (n) {
    case 2: MflFortsetzen(a->x, a->y, a->x, a->y); break;
    case 3: MflAlleLoeschen(); break;
    case 4: mfNaechstesLoeschen(); break;
    case 5: MflAusMarkierung(); break;
    case 6: MflVersetzen(a->x, a->y, a->x, a->y); break;
    case 9:
        if (MflAnzahl() == 0) {
            if (TzMarkAnzahl() > 0) MflAusMarkierung();
        } else {
            MflAlleLoeschen();
        }
        break;
    default: break;
    }
}

void MflAusMarkierung()
{
    if (!mfAn || TzMarkAnzahl() == 0) return;
    const int i = mfLeer();
    if (i < 0) return;
    mfl& m = liste[i];
    m.richtung = -1;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (!TzIstMarkiert(id)) continue;
        BEF b;
        STT s;
        double ex, ey;
        if (TzObjHolen(id, &b, &s) == 0 && mfLinie(&b, &s, &ex, &ey)) mfNehmen(m, &b, &s, ex, ey);
    }
    mfSortieren(m);
}

void MflAusBereich(double x1, double y1, double x2, double y2)
{
    if (!mfAn) return;
    const int i = mfLeer();
    if (i < 0) return;
    mfl& m = liste[i];
    m.richtung = -1;
    const double r[4] = {std::fmin(x1, x2), std::fmin(y1, y2), std::fmax(x1, x2), std::fmax(y1, y2)};
    TzBereichDurchlaufen(r, [&](int, const STT* s, const BEF* b) {
        double ex, ey;
        if (!mfLinie(b, s, &ex, &ey)) return;
        if (ex < r[0] || ex > r[2] || ey < r[1] || ey > r[3]) return;
        mfNehmen(m, b, s, ex, ey);
    });
    mfSortieren(m);
}

void MflAufnahmeStart()
{
    mfAufnahme = true;
    mfGewaehlt[0] = mfGewaehlt[1] = -1;
}

void MflAufnahmeEnde()
{
    mfAufnahme = false;
    for (mfl& m : liste) m.frisch = 0;
}

void MflLinieMerken(double x1, double y1, double x2, double y2, const STT* s)
{
    if (!mfAn) return;
    const int r = mfNull(x1 - x2) ? 0 : 1;
    const double px = std::fmax(x1, x2), py = std::fmin(y1, y2);
    int wer = -1;
    double best = 1000;
    if (mfAufnahme && mfGewaehlt[r] >= 0) {
        wer = mfGewaehlt[r];
        best = 10;
    } else {
        for (int i = 0; i < LINSUP; ++i) {
            if (liste[i].anzahl == 0 || liste[i].richtung != r) continue;
            for (int k = 0; k < liste[i].anzahl; ++k) {
                const double d = std::fabs(liste[i].ende[k].x - px) + std::fabs(liste[i].ende[k].y - py);
                if (d < best) {
                    best = d;
                    wer = i;
                }
            }
        }
    }
    if (best > MF_NEU) {
        wer = mfLeer();
        if (wer < 0) return;
        liste[wer].richtung = r;
        liste[wer].frisch = 1;
    }
    mfAnhaengen(liste[wer], px, py, s);
    if (mfAufnahme && mfGewaehlt[r] < 0) mfGewaehlt[r] = wer;
}

void MflSerie(double x, double y, int n, double dx, double dy, const STT* s)
{
    const int i = mfLeer();
    if (i < 0) return;
    mfl& m = liste[i];
    m.richtung = mfNull(dx) ? 1 : 0;
    m.frisch = 1;
    n = std::min(n, MFLENDSUP - 1);
    for (int k = 0; k < n; ++k) mfAnhaengen(m, x + k * dx, y + k * dy, s);
}

int MflFortsetzen(double x0, double y0, double x1, double y1)
{
    const int i = mfWahl(x0, y0);
    if (i < 0) return -1;
    mfl& m = liste[i];
    const STT a = *BefAktZustand();
    const double f = a.mass != 0 ? a.mass : 1.0;
    for (int k = 0; k < m.anzahl; ++k) {
        const mflende& e = m.ende[k];
        BefEinreihenXY(C_BA, e.x, e.y);
        BefEinreihenInt(C_ST, e.st);
        BefEinreihenInt(C_SA, e.sa);
        BefEinreihenReal(C_SL, e.sl);
        const double d = m.richtung == 1 ? x0 - e.x : y0 - e.y;
        if (d != 0) {
            BefEinreihenInt(C_MFO, 1);
            if (m.richtung == 1)
                BefEinreihenXY(BEF_ZL, d / f, 0);
            else
                BefEinreihenXY(BEF_ZL, 0, d / f);
            BefEinreihenInt(C_MFO, 0);
        }
    }
    for (int k = 0; k < m.anzahl; ++k) {
        if (m.richtung == 1)
            m.ende[k].x = x1;
        else
            m.ende[k].y = y1;
    }
    mfGeaendert = 1;
    BefEinreihenXY(C_BA, a.x, a.y);
    BefEinreihenInt(C_ST, a.st);
    BefEinreihenInt(C_SA, a.sa);
    BefEinreihenReal(C_SL, a.sl);
    return i;
}

int MflVersetzen(double x0, double y0, double x1, double y1)
{
    const int i = mfWahl(x0, y0);
    if (i >= 0) mfVerschieben(liste[i], x1, y1);
    return i;
}

int MflFinden(double x, double y)
{
    for (int i = 0; i < LINSUP; ++i) {
        const mfl& m = liste[i];
        if (m.anzahl == 0 || m.frisch) continue;
        if (std::fabs(m.ende[0].x - x) < MF_FANG && std::fabs(m.ende[0].y - y) < MF_FANG) {
            StartpunktSetzen(m.ende[0].x, m.ende[0].y);
            return i;
        }
    }
    return -1;
}

void MflWaehlen(int n)
{
    if (n < 0 || n >= LINSUP) {
        mfAktuell = -1;
        return;
    }
    if (liste[n].anzahl == 0) return;
    mfAktuell = n;
    mfBuendelNeuZeichnen(liste[n]);
}

int MflZustand()
{
    if (mfAktuell < 0) return 0;
    return liste[mfAktuell].richtung == 0 ? 1 : 2;
}

int MflAnzahl()
{
    int n = 0;
    for (const mfl& m : liste) n += m.anzahl > 0;
    return n;
}

void MflLeeren()
{
    std::memset(liste, 0, sizeof liste);
    mfAktuell = -1;
    mfGeaendert = 1;
}

void MflAlleLoeschen()
{
    for (const mfl& m : liste) mfBuendelNeuZeichnen(m);
    MflLeeren();
}

int MflMerken()
{
    if (!mfAn || mfAktuell >= 0) return 0;
    if (!mfGeaendert && mfSlot >= 0) return 0;
    const int gen = BefGeneration();
    int geschrieben = 0;
    if (gen != mfLetzteGen || mfSlot < 0) {
        const int alt = mfSlot;
        mfSlot = (mfSlot + 1) % MFLGENSUP;
        geschrieben = UndoMflMerken(static_cast<uint32_t>(mfLetzteGen < 0 ? 0 : mfLetzteGen),
                                    static_cast<uint32_t>(gen), alt, mfSlot);
        mfLetzteGen = gen;
    }
    genliste[mfSlot].generation = gen;
    std::memcpy(genliste[mfSlot].liste, liste, sizeof liste);
    mfGenBenutzt = std::max(mfGenBenutzt, mfSlot + 1);
    mfGeaendert = 0;
    return geschrieben;
}

void MflGenWieder(int n)
{
    if (n < 0 || n >= MFLGENSUP) return;
    for (const mfl& m : liste) mfBuendelNeuZeichnen(m);
    std::memcpy(liste, genliste[n].liste, sizeof liste);
    mfSlot = n;
    mfGeaendert = 0;
    for (const mfl& m : liste) mfBuendelNeuZeichnen(m);
}

void MflZeigen(int an)
{
    if (!an) {
        if (!mfGezeigt) return;
        for (const mfl& m : angezeigt) mfBuendelNeuZeichnen(m);
        mfGezeigt = false;
        return;
    }
    std::memcpy(angezeigt, liste, sizeof angezeigt);
    mfAktuellGezeigt = mfAktuell;
    mfGezeigt = true;
    const EDEINST* e = EdEinst();
    for (int i = 0; i < LINSUP; ++i) {
        const mfl& m = angezeigt[i];
        for (int k = 0; k < m.anzahl; ++k)
            EdmMarke(m.ende[k].x, m.ende[k].y, k == 0 ? MF_MARKE_ERST : MF_MARKE_REST, i == mfAktuell ? e->aktrgb : e->mflrgb);
    }
}

int MflGeaendert()
{
    if (mfAktuell != mfAktuellGezeigt) return 1;
    for (int i = 0; i < LINSUP; ++i) {
        const mfl &a = liste[i], &b = angezeigt[i];
        if (a.anzahl != b.anzahl) return 1;
        for (int k = 0; k < a.anzahl; ++k)
            if (a.ende[k].x != b.ende[k].x || a.ende[k].y != b.ende[k].y) return 1;
    }
    return 0;
}

void MflElementMerken(int, const BEF* b, const STT* s)
{
    if (!mfAn || mfElementHaken) return;
    mfElementHaken = 1;  // the expansion below must not come back here
    MflAufnahmeStart();
    STT k = *s;
    BefZerlegen(b, &k, [](const BEF* p, const STT* ps) {
        if (p->code == BEF_ZL && p->sub != 0) {
            STT n = *ps;
            SttAnwenden(p, &n);
            MflLinieMerken(ps->x, ps->y, n.x, n.y, ps);
        }
        return 0;
    });
    MflAufnahmeEnde();
    mfElementHaken = 0;
}

void MflHakenSetzen()
{
    EdHaken h{};
    h.MflGenWieder = MflGenWieder;
    h.ObjPrimitivHook = MflElementMerken;
    h.UndoRunGeaendert = MflMerken;
    EdHakenSetzen(h);
}

const mfl* MflBuendel(int i) { return i >= 0 && i < LINSUP ? &liste[i] : nullptr; }
int MflAn() { return mfAn; }
