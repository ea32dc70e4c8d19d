// The component of a label run, opened, read and closed through one
// handle. Apart from schilder.cpp because model/bauteil.h and the
// equipment headers both name a `BTLSUP`. Prefix `SchildBau`. Calls model
// (components).
#pragma once

struct BEF;

// 0, or -1 when the component is not in the library (short name `bib`).
int SchildBauOeffnen(const char* bib, const char* name);
// 0 and the next record, or -1 at the component's end.
int SchildBauLesen(BEF* b);
void SchildBauZu();
void SchildBibZu();
