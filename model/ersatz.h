// Stand-ins for functions of model/ whose modules are not built yet; each is
// removed when its real module lands (the declarations of the expander and
// the dimension points are in zerleg.h and masslin.h). Prefix as the names.
#pragma once

// Objects of the drawing store marked 1; the stand-in has no store: 0.
int TzMarkAnzahl();
