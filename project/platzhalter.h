// Stand-ins for the project manager's services that the frame calls, and
// for the services of not yet built modules that the project manager page
// calls, under their real names; each does the least its callers need and
// is deleted when its module lands. Prefix none (the services' names), `Ph`
// for test accessors. Calls config, winlib (message boxes), platform.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/windef.h"
// The drawing list and the page are real; their callers reach them through
// this header too.
#include "project/proverw.h"
#include "project/pvwliste.h"
// Recent folders, short texts by language (dirhist, zeitxt) and the table of
// contents and subtitle list writers (inhalt) are real; the frame reaches
// their Pvw... names through this header.
#include "project/dirhist.h"
#include "project/inhalt.h"
#include "project/zeitxt.h"

void HilfeSchluesselSetzen(const char* schluessel);
const char* PhHilfeSchluessel();
// The commands among these (help, dialogs of the project menu) show one
// information box saying that they are not available yet; the rest have no
// effect.
void HandbuchInit();
void HandbuchEnde();
void HilfeKontext();
void HilfePdfOeffnen();
void HandbuchOeffnen();
void BauteilDokuOeffnen();
void InfoOeffnen();
void InternetOeffnen();
void PvwChkLstMenu();
void PvwTitelCacheSchliessen();
void PvwTitelVorbereiten();
void PvwTitelDialog();
void PvwUntertitelDialog(const char* zeichnung);
void PvwUntertitelImport();
void PvwDateiUpdate();
void PvwProjektliste();
void PvwStartDialog();
void PvwNeuesProjekt();
void PvwSichern();
void PvwCheckliste(int n);
void SpellEinstLesen();
void SpellEnde();

// ---- Called by the project manager page (proverw) ------------------------------------------------
// Import dialog of kind 0 DXF, 1 HPGL, 2 text; export dialog: each says
// first that it is not available yet.
void ImpDlgOeffnen(int art, const char* quelle, const char* stamm, const char* endung);
void ExportOeffnen();
// Printing is real; the page reaches it through this header.
#include "output/druck.h"

// Recorded calls of the stand-ins with an effect (tests).
std::vector<std::string>& PhProjektAufrufe();

// ---- zeiops: the spell-check registry of the dialogs, until it lands ----
// The speller is never ready: nothing registers, and RsPruefen posts the
// follow-up command (when given) to the current dialog at once, 0.
int RsStarten();
int RsSofort();
void RsFeldAnmelden(int id, const char* name, int art);
void RsFelderAbmelden();
int RsNachricht(UINT nachricht, WPARAM wp, LPARAM lp);
int RsPruefen(int alle, int folge);
// ---- end zeiops ----
