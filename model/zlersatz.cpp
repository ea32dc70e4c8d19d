// Stand-ins for the record expander and the dimension settings and points
// (declared in zerleg.h and masslin.h): the least their callers need until
// the real modules land and this file is removed. Calls the graphic state.
#include "model/befehl.h"
#include "model/masslin.h"
#include "model/zerleg.h"
#include "model/zustand.h"

void BefZerlegen(const BEF* b, STT* s, BefZerlegenFn fn)
{
    s->tiefe = 0;
    if (fn) {
        fn(b, s);
    }
    SttAnwenden(b, s);
}

const MASSEINST* MassEinst()
{
    static const MASSEINST standard = {0.0, 0.0, 0.0, 1, 1, 0, 0, 0.0, 0.0, 0, 0};
    return &standard;
}

void MassPunkt(const BEF* b, const STT*, int k, double* x, double* y)
{
    switch (k) {
    case 0:
        *x = 0.0;
        *y = 0.0;
        break;
    case 1:
        *x = b->darg[0];
        *y = b->darg[1];
        break;
    default:
        *x = b->darg[0] / 2;
        *y = b->darg[1] / 2;
        break;
    }
}
