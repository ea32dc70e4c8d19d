// Adds a drawing as a component to a library (see schildbib.h).
#include "tests/lists/schildbib.h"

#include "model/bauteil.h"

int schildBauteilAufnehmen(const char* bib, const char* name, const char* zeichnung)
{
    BauBibHandle h;
    if (BauBibOeffnen(&h, bib) != 0) return -1;
    int r = BauAufnehmen(&h, name, zeichnung);
    BauBibZu(&h);
    BauBibSchliessen();
    return r == 0 ? 0 : -1;
}
