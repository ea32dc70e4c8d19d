// The editor document: the one drawing the editor holds (the store with its
// name, project-drawing flag and paper format), its operations new, load,
// insert, template, save, ask and print, and the recent-file list of the
// file menu. Prefix `Zei` for the document, `DateiHistorie` for the recent
// files. Calls the store, the queue, the editor's command execution
// (current and start state), the message boxes and file dialogs of winlib/,
// the ini file and path placeholders of config/, the printing of project/.
//
// Invariants:
//  1. The name is empty exactly while the drawing is unnamed; it changes only
//     after a load as current or a save that succeeded.
//  2. The recent-file list holds at most FILHISTSUP names, the newest first,
//     never "NAMENLOS", no name twice ('/' and '\' alike).
#pragma once

#include <string>

#include "platform/windef.h"

constexpr int ZEINAMSUP = 200;   // characters of a drawing name
constexpr int FILHISTSUP = 10;   // recent files
constexpr int ZEIHISTID = 1050;  // menu id of entry 0

void ZeiLeeren();
void ZeiNeu();
int ZeiNeuNachFrage();  // 0 cancelled
// 0, or -1 when nothing was loaded.
int ZeiLaden(const char* name, int alsAktuell, int vorlage);
void ZeiLadenNachFrage(const char* name, int alsAktuell);
void ZeiVorlageLaden(const char* name);
void ZeiOeffnenNachFrage(const char* name);
// 0, or -1 when the writer failed (name and changed flag as before).
int ZeiSpeichern(const char* name);
int ZeiSpeichernUnter(const char* name);
int ZeiFrage(int abbruch);  // 0 only when cancelled
int ZeiFrageSpeichern();
int ZeiFrageSpeichernOhneAbbruch();
void ZeiFrageJaNein();
int ZeiIstGeaendert();
void EdtFormatSetzen(int format);
int EdtFormat();
void ZeiDrucken();
// The name when it holds a folder part, else the name in the project folder.
void ZeiPfadBilden(const char* name, char* pfad, size_t kap);
// Follows the folder of a path: when it differs from the folder of the last
// load or save, it becomes the working folder (traced as "DateiVerzeichnis").
// 1 when it changed.
int ZeiOrdnerMerken(const char* pfad);
// After the save question: the folder becomes the working folder and the
// remembered one is forgotten. A folder that does not exist is reported.
void ZeiOrdnerWechseln(const char* ordner);
const char* ZeiName();
int ZeiProjektZeichnung();
void ZeiProjektZeichnungSetzen(int flag);

// Recent files.
void DateiHistorieLaden();
void DateiHistorieMerken(const char* name);
void DateiHistorieSichern();
// Replaces the items 1050..1059 of the menu by "&%d %s" per entry.
void DateiHistorieMenue(HMENU menu);
void DateiHistorieName(int id, char* aus, size_t kap);
int DateiHistorieAnzahl();
// Moves with every change of the list (menus refresh when it moved).
int DateiHistorieStand();
void ZeiAktuellMerken();

// Installs the name, the save question and the recent files into the
// editor hooks of model/.
void ZeiHakenSetzen();
