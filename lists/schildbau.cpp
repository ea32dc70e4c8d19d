// The component of a label run (see schildbau.h).
#include "lists/schildbau.h"

#include "model/bauteil.h"

namespace {
BauHandle schildBau;
}

int SchildBauOeffnen(const char* bib, const char* name) { return BauOpen(&schildBau, bib, name) == 0 ? 0 : -1; }
int SchildBauLesen(BEF* b) { return BauRead(&schildBau, b) == 0 ? 0 : -1; }
void SchildBauZu() { BauClose(&schildBau); }
void SchildBibZu() { BauBibSchliessen(); }
