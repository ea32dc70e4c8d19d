// Stand-in for the drawing store's mark count, which the toolbars ask for
// before the store exists. Removed (with tzersatz.cpp) when the store lands.
#pragma once

// Objects of the drawing store marked 1; the stand-in has no store: 0.
int TzMarkAnzahl();
