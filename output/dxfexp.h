// DXF export: one drawing as an ASCII DXF file. The drawing is walked with
// ZeiDurchlaufen and each primitive element becomes DXF entities through the
// export's own element switch; pen styles, line types and fonts become
// layers with colours, line types and text styles through the mappings of
// "dxfconfig.txt" (output/dxfkonf.h), whose section "Kopf" opens the file.
// The LTYPE, LAYER and STYLE tables hold exactly the entries used.
// Prefix `Dxf` (members `DxfElem...`). Calls the model (walks, states,
// geometry, standard texts, text variables), output/element (picture
// paths), support (files, temporary names) and winlib (progress, warnings).
#pragma once

struct BEF;
struct STT;

inline constexpr int DXFTEXTSUP = 255;  // characters of one TEXT value

// Exports the drawing; the current drawing (null: the drawing itself) is the
// one whose text variables are expanded. 0, or -1 after a warning: the
// drawing cannot be opened, the configuration is missing, or the DXF file
// cannot be written completely (no DXF file is left then).
int DxfExport(const char* dxf, const char* zeichnung, const char* aktuell = nullptr);

// The walk callback: the element switch of the DXF device.
int DxfElemZeichnen(const BEF* b, const STT* s);
