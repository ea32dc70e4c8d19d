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
// New projects and backups, the folder tree, the file update, the check
// lists, the title and import dialogs and the start-up screen are real.
#include "project/projneu.h"
#include "project/wrz.h"
#include "project/zv5.h"
#include "project/chkdlg.h"
#include "project/titeldlg.h"
#include "project/impdlg.h"
#include "project/startbild.h"

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
void SpellEinstLesen();
void SpellEnde();

// ---- Called by the project manager page (proverw) ------------------------------------------------
// Export dialog: says first that it is not available yet.
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
// ---- chkdlg: the grid fields of the spell-check registry ----
// A grid of rows x columns cells read and written through the callbacks;
// the third function is only kept. Nothing registers while the speller
// is not ready: no field is ever active, no word unknown.
using RsZelleHolenFn = void (*)(int zeile, int spalte, char* text, int groesse);
using RsZelleSetzenFn = void (*)(int zeile, int spalte, const char* text);
void RsRasterAnmelden(int zeilen, int spalten, RsZelleHolenFn holen, RsZelleSetzenFn setzen, void (*dritte)());
int RsPruefenAktiv();
int RsUnbekannteDa(int alle);
// ---- end chkdlg ----
