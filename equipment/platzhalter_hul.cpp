// Stand-ins of the equipment-list row services (see platzhalter_hul.h).
#include "equipment/platzhalter_hul.h"

int HulTextSpalten() { return 1; }
void HulZeileLaden(const char*) {}
const char* HulZeileText(int) { return ""; }
