// The editor's position ring; see posring.h.
#include "editor/posring.h"

#include "editor/befausf.h"

namespace {

struct PosRingEintrag {
    double x, y;
};
PosRingEintrag prRing[POSRINGSUP];
int prCursor = 0;

bool prLeer(const PosRingEintrag& e) { return e.x == 0 && e.y == 0; }

void prSchritt(int richtung)
{
    const STT* s = BefAktZustand();
    for (int k = 0; k < POSRINGSUP; ++k) {
        prCursor = (prCursor + richtung + POSRINGSUP) % POSRINGSUP;
        const PosRingEintrag& e = prRing[prCursor];
        if (prLeer(e)) continue;
        if (e.x != s->x || e.y != s->y) break;
    }
    const PosRingEintrag& e = prRing[prCursor];
    if (!prLeer(e)) StartpunktSetzenMarke(e.x, e.y);
}

}  // namespace

void PosRingLeeren()
{
    for (auto& e : prRing) e = {0, 0};
    prCursor = 0;
}

void PosRingMerken(double x, double y)
{
    // Each object's start is mostly the end of the one before: already the
    // newest entry, which the swap below would leave as it is.
    if (prRing[POSRINGSUP - 1].x == x && prRing[POSRINGSUP - 1].y == y) return;
    for (int i = 0; i < POSRINGSUP; ++i) {
        if (prRing[i].x == x && prRing[i].y == y) {
            PosRingEintrag t = prRing[POSRINGSUP - 1];
            prRing[POSRINGSUP - 1] = prRing[i];
            prRing[i] = t;
            return;
        }
    }
    for (int i = 0; i + 1 < POSRINGSUP; ++i) prRing[i] = prRing[i + 1];
    prRing[POSRINGSUP - 1] = {x, y};
    prCursor = 0;
}

void PosRingZurueck() { prSchritt(-1); }
void PosRingVor() { prSchritt(1); }

void PosRingHolen(int i, double* x, double* y)
{
    *x = *y = 0;
    if (i < 0 || i >= POSRINGSUP) return;
    *x = prRing[i].x;
    *y = prRing[i].y;
}

int PosRingCursor() { return prCursor; }
