// Drawing settings, pens and layers; see einstell.h. Owns the program's own
// settings blocks. Calls the defaults store of config/ through the readers.
#include "model/einstell.h"

namespace {

GRUNDEINST einGrund;
VIEINST einVi;
EDEINST einEd;

}  // namespace

GRUNDEINST* GrundEinst() { return &einGrund; }
VIEINST* ViEinst() { return &einVi; }
EDEINST* EdEinst() { return &einEd; }
