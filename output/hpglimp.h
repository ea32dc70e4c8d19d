// HPGL import: reads a plot file in the HP-GL language and draws its pen
// moves, arcs, circles, wedges, rectangles, ticks and labels into a new
// drawing file. Records are built directly and written the way drawing files
// store states: every record is applied to a current state, and only before
// a drawing object the differences from the state already written go out.
// Plotter units (40 per millimetre) or user units (after SC) become
// millimetres, are clipped to the import window and pass through the
// placement transform of the import dialog (keys under the prefix "HI").
// Prefix `HpglImp` (entry `HpglImport`). Calls the model (records, states,
// placement, drawing files), the defaults set, the buffered files, the
// progress dialog and the warning box of winlib.
#pragma once

struct JusTrafo;

constexpr int HPGLPUFFERSUP = 511;  // characters of the command and of the label buffer

// The placement transform and the clipping window (x min, y min, x max,
// y max in millimetres) of the next imports; the import dialog sets them.
// Until then: no placement and a window that drops nothing.
void HpglImpEinstellen(const JusTrafo* trafo, const double fenster[4]);
// Reads both from the defaults set under the prefix "HI": "JusR", "JusX",
// "JusY", "JusS" and the window "Flux", "Fluy", "Frox", "Froy" (tenths).
// The prefix is switched off again afterwards.
void HpglImpEinstLesen(JusTrafo* trafo, double fenster[4]);

// Imports the plot file into a new drawing (written under a temporary name
// and renamed when complete). 0, or -1 after a warning when the plot file
// cannot be read or the drawing cannot be made; nothing is left then.
int HpglImport(const char* plotdatei, const char* zeichnung);

// Executes one command (two letters and their parameters, without the
// terminator) against the running import.
void HpglImpBefehl(const char* befehl);
