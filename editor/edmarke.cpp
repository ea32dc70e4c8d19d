// Marks over the editor's view; see edmarke.h.
#include "editor/edmarke.h"

#include "model/einstell.h"
#include "output/gdi.h"

namespace {

void edmGdi(double x, double y, int pixel, const int rgb[3]) { GdiPunktGroesse(x, y, pixel, rgb); }

EdmMarkeFn edmMaler = edmGdi;

}  // namespace

void EdmMalerSetzen(EdmMarkeFn f) { edmMaler = f != nullptr ? f : edmGdi; }

void EdmMarke(double x, double y, int pixel, const int32_t rgb[3])
{
    const int f[3] = {rgb[0], rgb[1], rgb[2]};
    edmMaler(x, y, pixel, f);
}

void PunktMarkeZeichnen(double x, double y, int groesse) { EdmMarke(x, y, groesse, EdEinst()->bstrgb); }
