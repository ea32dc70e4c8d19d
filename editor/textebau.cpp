// TexteBauteilDa of texte.h, apart because the component library's header
// and the equipment headers of texte.cpp both name a BTLSUP.
#include "editor/texte.h"
#include "model/bauteil.h"

int TexteBauteilDa(const char* bib, const char* name)
{
    BauHandle h;
    if (BauOpen(&h, bib, name) != 0) return 0;
    BauClose(&h);
    return 1;
}
