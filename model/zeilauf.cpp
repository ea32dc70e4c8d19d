// Walks of drawing files; see zeilauf.h. Owns the claimed group of the
// running group walk (one walk at a time; a nested walk saves and restores
// the outer one).
#include "model/zeilauf.h"

#include <cstring>

#include "model/zeichnun.h"
#include "support/texte.h"

namespace {

constexpr int ZLGRUPPESUP = 63;

struct ZlGruppen {
    BefZerlegenFn fn = nullptr;
    char gruppe[ZLGRUPPESUP + 1] = {};  // claimed group, "" = none
    int tiefe = 0;                      // groups of that name entered since
};

ZlGruppen zlLauf;

int zlOeffnen(ZeiDatei* z, const char* name) { return ZeiDateiOeffnen(z, name); }

void zlHaken(int phase, const char* name)
{
    if (zlLauf.gruppe[0] == '\0' || std::strncmp(name, zlLauf.gruppe, ZLGRUPPESUP) != 0) return;
    if (phase == 1) {
        ++zlLauf.tiefe;
    } else if (--zlLauf.tiefe <= 0) {
        zlLauf.gruppe[0] = '\0';
        zlLauf.tiefe = 0;
    }
}

int zlFilter(const BEF* b, const STT* s)
{
    if (zlLauf.gruppe[0] != '\0') return 0;
    int r = zlLauf.fn ? zlLauf.fn(b, s) : 0;
    if (r == 1) {
        strkopie(zlLauf.gruppe, b->text, ZLGRUPPESUP);
    } else if (r == 2) {
        strkopie(zlLauf.gruppe, ZERMASSGRUPPE, ZLGRUPPESUP);
    }
    zlLauf.tiefe = 0;
    return r;
}

}  // namespace

int ZeiDurchlaufen(const char* name, STT* s, BefZerlegenFn fn)
{
    ZeiDatei z;
    if (zlOeffnen(&z, name) != 0) return -1;
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) BefZerlegen(&b, s, fn);
    ZeiDateiSchliessen(&z);
    return 0;
}

int ZeiDurchlaufenGruppen(const char* name, STT* s, BefZerlegenFn fn)
{
    ZlGruppen alt = zlLauf;
    zlLauf = ZlGruppen{};
    zlLauf.fn = fn;
    BauteilHakenSetzen(zlHaken);
    int r = ZeiDurchlaufen(name, s, zlFilter);
    BauteilHakenSetzen(nullptr);
    zlLauf = alt;
    if (alt.fn) BauteilHakenSetzen(zlHaken);
    return r;
}
