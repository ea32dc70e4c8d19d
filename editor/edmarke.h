// Marks the editor draws over its view: filled squares of a size in pixels
// centred on a world point, for the handles of the element under
// construction and the open ends of parallel lines. They go to the current
// GDI target (the view while it paints) unless tests set another painter.
// Prefix `Edm` for the module's own names. Calls the GDI layer of output/
// and the editor settings of model/.
#pragma once

#include <cstdint>

// Paints one mark; rgb is red, green, blue.
using EdmMarkeFn = void (*)(double x, double y, int pixel, const int rgb[3]);
// null: the GDI layer's square.
void EdmMalerSetzen(EdmMarkeFn f);

// A mark in the given colour.
void EdmMarke(double x, double y, int pixel, const int32_t rgb[3]);
// A point mark of the element under construction (its colour, EdbstRGB).
void PunktMarkeZeichnen(double x, double y, int groesse);
