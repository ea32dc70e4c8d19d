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
void PvwInhaltSchreiben();
void PvwUntertitelSchreiben();
void PvwInhaltEinstLesen();
void PvwTitelCacheSchliessen();
void PvwTitelVorbereiten();
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

// ---- Called by the project manager page (proverw) ------------------------------------------------
// Drawing operations: each opener records its call. The delete stand-in does
// the least the page's users need: it asks (Yes/No) and on Yes deletes the
// marked drawing files, counts the change and broadcasts 2998 with 9.
void ZeiAnlegenOeffnen(const char* datei, const char* stamm, const char* endung);
// The new drawing's path and template after the new-drawing dialog (tests
// set them with PhNeuPfadeSetzen).
void ZeiNeuPfade(char* pfad, size_t pkap, char* vorlage, size_t vkap);
void PhNeuPfadeSetzen(const char* pfad, const char* vorlage);
void ZeiEigenOeffnen(const char* name);
void ZeiUmnrOeffnen(const char* name);
void ZeiLoeschOeffnen(int anzahl);
void ZeiIdxsetOeffnen(int anzahl);
void ZeiTxtsetOeffnen(int anzahl);
void ZeiMstEntfOeffnen(int anzahl);
// Import dialog of kind 0 DXF, 1 HPGL, 2 text; export dialog.
void ImpDlgOeffnen(int art, const char* quelle, const char* stamm, const char* endung);
void ExportOeffnen();
// Printing: a job is opened unless PhDruckAbbruch(1) was set; each drawing
// printed is recorded; one pass, no duplex unless PhDruckDuplex(1).
int DruckStart();
int DruckSatzAnzahl();
int DruckDuplex();
int ZeichnungDrucken(const char* datei);
int DruckLeerseite();
void DruckEnde();
void PhDruckAbbruch(int abbruch);
void PhDruckDuplex(int duplex);

// Recorded calls of the stand-ins with an effect (tests).
std::vector<std::string>& PhProjektAufrufe();
