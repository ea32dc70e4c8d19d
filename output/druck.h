// Printing: a job opened through the print dialog receives drawings (one
// sheet each, repeated for uncollated copies) and empty pages, with a
// modeless abort dialog ("anw_lpt") while it runs. Drawings go through the
// printer copy of the element renderer onto the GDI layer's printer target,
// with the pens and placement of "DrA4" (format 117) or "DrA3". Prefix
// `Druck`. Calls the element renderer, style sets, GDI layer and view
// mapping of output/, the model (drawing files, walks, settings), the
// defaults of config/, and winlib/ (dialogs, frame record, warnings).
//
// One job at a time; its state exists once (GUI thread only).
#pragma once

#include "platform/windef.h"

struct BEF;
struct STT;

// Opens a job (orientation preset from "DrA4"/"DrA3" by "Eda3a4"): 1, or 0
// when the dialog was cancelled or the job could not be started (after a
// warning; nothing is left open then).
int DruckStart();
int DruckAuftragOeffnen(const char* titel, int ausrichtung);
// Prints one drawing: 0, or -1 when it could not be walked or a page could
// not be spooled.
int ZeichnungDrucken(const char* datei);
// One empty page (after an odd pass on a duplex job).
int DruckLeerseite();
void DruckEnde();
int DruckSatzAnzahl();
int DruckSeitenKopien();
int DruckDuplex();
// One page: `zeichnen` between StartPage and EndPage; a negative result of
// either is returned. Orientation 0 keeps the current one.
int DruckSeite(void (*zeichnen)(), int ausrichtung);
void DruckStatusText(const char* text);
void DruckStifte();
int DruckGeraetewert(int index);

// Walk callbacks: layer switching; pictures first, then everything else.
int DruckRueckrufBild(const BEF* b, const STT* s);
int DruckRueckrufRest(const BEF* b, const STT* s);

// Tests: the abort dialog (0 without a job) and the ResetDC calls of the job.
HWND DruckAbbruchFenster();
int DruckResetAnzahl();
