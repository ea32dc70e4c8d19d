// SVG export: one drawing file becomes one SVG 1.0 document whose user unit
// is the millimetre of the sheet (A4 upright 210 x 297 for drawings of
// format 117, else 297 x 210). A device of the element renderer: pens and
// placement come from the device style set under "SvgA4" / "SvgA3", layer
// switching is honoured, y is flipped (H - y). Pictures are referred to by
// their bare file names (metafiles and bitmaps as ".png"), never embedded.
// Prefix `Svg`. Calls the element renderer and the style sets of output/,
// the model (drawing files, walks, states, standard texts), the buffered
// files of support/ and the progress dialog and warning box of winlib/.
#pragma once

#include <cstddef>

struct BEF;
struct STT;

// Writes the drawing as an SVG file. 0, or -1 after a warning when the
// drawing cannot be opened or the output cannot be written in full (no
// output is left then; an older file of the name stays).
int SvgExport(const char* zeichnung, const char* ausgabe);

// The per-element callback of the walk (layer switching, cancel).
int SvgRueckruf(const BEF* b, const STT* s);

// A number as the document writes it: four significant digits, the way
// printf's "%.4g" gives them, whatever the process locale.
void SvgZahl(double v, char* aus, size_t kap);

// Text as XML character data (attribute: also '"' escaped): '&', '<', '>'
// as entities, the code page 1252 letters 0x80..0x9F as numeric references,
// control characters and bytes the code page lacks as '?'.
void SvgText(const char* text, int attribut, char* aus, size_t kap);
