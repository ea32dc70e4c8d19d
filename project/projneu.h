// New project folders from a template and backups of the current project
// folder: the dialogs "PVWVERZANLEGEN" and "PVWPROSICHERN", the plain
// functions under them, the title text kept from the creation of a folder
// to the next folder switch, and the opening of a project folder through
// the frame's recent-folder switch. Prefixes `Projekt`, `Sicherung`, `Pn`
// (internals). Calls equipment (title texts), config (defaults, ini file,
// paths, texts), winlib (dialogs, items, boxes, folder browser, progress,
// page services), project (recent folders, folder copy, folder tree), and
// support.
//
// Failures are boxes with numbered texts; nothing is half made: a folder
// that cannot be created stops before any copy and opens nothing, a backup
// name outside the project folder is refused before anything is written.
#pragma once

#include <cstddef>

#include "equipment/utitel.h"

inline constexpr int PNBASISSUP = 200;     // characters of the base and template folders
inline constexpr int PNNAMESUP = 50;       // characters of a new folder's name
inline constexpr int PNSICHERUNGSUP = 80;  // characters of a backup name

// ---- new project folder ---------------------------------------------------
struct ProjektNeuEingabe {
    char basis[PNBASISSUP + 1];
    char name[PNNAMESUP + 1];
    char titel[UTTEXTSUP + 1];
    char anlage[UTTEXTSUP + 1];
    char ort[UTTEXTSUP + 1];
    char vorlage[PNBASISSUP + 1];   // empty: no template
};
// Creates base/name, copies the template's files into it (a file named like
// the template folder takes the new name), keeps the title fields when any
// is given and opens the new folder. 0; -1 after text 151 (the folder
// exists), text 154 (it cannot be created) or a name with a folder part.
int ProjektOrdnerAnlegen(const ProjektNeuEingabe* e);
// Main command 1503: the dialog "PVWVERZANLEGEN".
void ProjektAnlegen();

// The title text for the project opened next; ProjektTitelSchreiben (called
// by the frame after each folder switch) makes it the project-wide title of
// the new current project and writes "Projekt.zvk". 0, or -1 when the write
// failed (after a message).
void ProjektTitelVormerken(const projekttext* t);
int ProjektTitelSchreiben();
int ProjektTitelVorgemerkt();   // 1 while one is kept (tests)

// Opens a project folder: reports it to the recent folders and switches to
// its "Projekt.zvk" through the frame's recent-folder command.
void ProjektOeffnen(const char* ordner);

// ---- backups --------------------------------------------------------------
// The proposed backup name for the project folder by the kind of
// `ZvBakPfad` (1 lettered, 2 dated with `datum` "yyyy-mm-dd", else plain).
void SicherungVorschlagen(const char* projekt, int art, const char* datum, char* name, size_t kap);
// 1 when the backup folder is missing or lists no entry.
int SicherungFrei(const char* pfad);
// 0 when the name stays inside the project folder; else text 156 and -1
// (blank, absolute, a drive or a ".." component).
int SicherungNamePruefen(const char* name);
// Copies the project folder's files (no subfolders) into project/name,
// created with all levels. 0; 1 when cancelled; -1 when the folder could not
// be created (text 154) or a file failed ("Kopierfehler" each, the others
// still copied). `kopiert`, when given, counts the files copied.
int SicherungKopieren(const char* projekt, const char* name, int* kopiert = nullptr);
// Main command 1506: the dialog "PVWPROSICHERN".
void ProjektSichern();

// The frame's names.
void PvwNeuesProjekt();
void PvwSichern();
