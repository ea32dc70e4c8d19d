// Stand-ins for the project manager's services that the frame calls, under
// their real names; each does the least its callers need and is deleted
// when the project manager lands. The project page is the empty template
// "PROVERW" (see PhSeiteOeffnen). Prefix none (the
// services' names), `Ph` for test accessors. Calls output (PhSeiteOeffnen),
// platform.
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"
// The drawing list is real; its callers reach it through this header too.
#include "project/pvwliste.h"
// Recent folders, short texts by language (dirhist, zeitxt) and the table of
// contents and subtitle list writers (inhalt) are real; the frame reaches
// their Pvw... names through this header.
#include "project/dirhist.h"
#include "project/inhalt.h"
#include "project/zeitxt.h"

void PvwOeffnen();
void PvwBefehl(int id);
void PvwListeNeu();
HWND PvwDlgFenster();
void HilfeSchluesselSetzen(const char* schluessel);
const char* PhHilfeSchluessel();
// No effect.
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
void PvwZeiWaehlen(const char* pfad);
void PvwTitelDialog();
void PvwUntertitelDialog(const char* zeichnung);
void PvwUntertitelImport();
void PvwDateiUpdate();
void PvwProjektliste();
void PvwOrdnerWahl();
void PvwStartDialog();
void PvwNeuesProjekt();
void PvwSichern();
void PvwCheckliste(int n);
void SpellEinstLesen();
void SpellEnde();

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
