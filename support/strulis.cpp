// Record pools over the storage blocks shared with the record arrays
// (strublockint.h). The assertion lines are the module's fixed ones.
#include "support/strulis.h"

#include <cstring>

#include "support/basis.h"
#include "support/strublockint.h"

namespace {

const SbTexte slTexte = {"strulis", 80, "sl->nxtram < SLRSUP", 81,
                         "(sl->ram[sl->nxtram] = fmalloc(30000,2)) != NULL"};

}  // namespace

void slinit(SLIS* sl, int32_t groesse)
{
    if (groesse < 1 || groesse > SBBLOCK) {
        wiAssert("strulis", __LINE__, "groesse > 0 && groesse <= 60000");
    }
    std::memset(sl, 0, sizeof *sl);
    sl->groesse = groesse;
}

void slfrei(SLIS* sl)
{
    sbBloeckeFrei(sl, SLRSUP);
    std::memset(sl, 0, sizeof *sl);
}

void* slneu(SLIS* sl)
{
    bool ausListe = sl->frei != 0;
    char* p = sbPlatz(sl, SLRSUP, slTexte);
    if (ausListe) {
        std::memset(p, 0, static_cast<size_t>(sl->groesse));
    }
    return p;
}

void* slneukopie(SLIS* sl, const void* satz)
{
    void* p = slneu(sl);
    std::memcpy(p, satz, static_cast<size_t>(sl->groesse));
    return p;
}

void slzurueck(SLIS* sl, void* satz)
{
    int32_t nummer = sbNummer(sl, satz, SLRSUP);
    if (nummer < 0) {
        wiAssert("strulis", __LINE__, "sbNummer(sl, satz) >= 0");
    }
    sbZurueck(sl, satz, nummer);
}
