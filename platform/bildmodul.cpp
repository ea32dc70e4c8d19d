// Pictures of the resource bundles for the bitmap loader. Prefix
// `plBildModul`. May call: bildlader.h, ressource.h.
#include "platform/bildmodul.h"

#include "platform/bildlader.h"
#include "platform/ressource.h"

int plBildModulLader(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t>& bytes)
{
    LPCSTR typ = art == IMAGE_ICON ? RT_ICON : art == IMAGE_CURSOR ? RT_CURSOR : RT_BITMAP;
    const RcBild* b = rcBild(modul, name, typ);
    if (!b) return -1;
    bytes.assign(b->bytes.begin(), b->bytes.end());
    return 0;
}

void plBildModulLaderAnmelden() { plBildLaderSetzen(plBildModulLader); }
