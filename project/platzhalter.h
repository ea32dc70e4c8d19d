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
// inhalt: the table of contents and subtitle list writers are real too.
#include "project/inhalt.h"

void PvwOeffnen();
void PvwBefehl(int id);
void PvwListeNeu();
HWND PvwDlgFenster();
void HilfeSchluesselSetzen(const char* schluessel);
const char* PhHilfeSchluessel();
int PvwLetzterOrdner(int id, char* puffer);
// No effect.
void HandbuchInit();
void HandbuchEnde();
void HilfeKontext();
void HilfePdfOeffnen();
void HandbuchOeffnen();
void BauteilDokuOeffnen();
void InfoOeffnen();
void InternetOeffnen();
void PvwOrdnerLaden();
void PvwOrdnerSichern();
void PvwOrdnerMerken(const char* ordner);
void PvwLetzteOrdnerMenu();
void PvwChkLstMenu();
void PvwTitelCacheSchliessen();
void PvwTitelVorbereiten();
void PvwZeiWaehlen(const char* pfad);
void PvwTitelDialog();
void PvwUntertitelDialog(const char* zeichnung);
void PvwUntertitelImport();
void PvwDateiUpdate();
void PvwKurztexteImport();
void PvwKurztexteExport();
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
