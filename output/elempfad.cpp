// Picture paths of the element renderer (see element.h). Apart from
// element.cpp because the library module's header and the equipment
// headers that the text member needs cannot meet in one file.
#include <cstring>

#include "config/verzeich.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/zustand.h"
#include "output/element.h"
#include "support/pfade.h"
#include "support/texte.h"

void ElemBildPfad(const BEF* b, const STT* s, char* aus, size_t kap)
{
    if (kap == 0) return;
    *aus = '\0';
    if (b->iarg[0] == 0) {
        PfadProjekt(aus, kap, b->text);
        return;
    }
    char bib[PFADSUP + 1] = {};
    BauPfad(s->bd, bib, sizeof bib);
    strkopie(aus, kap, bib, pfadlang(bib));
    const size_t l = std::strlen(aus);
    strkopie(aus + l, kap - l, b->text, PFADSUP);
}
