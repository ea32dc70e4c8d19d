// The project folder tree's services used beyond the tree: the folder test,
// the kinds of files the tree offers to take over or delete, and main
// command 1501 (open a project folder through the folder browser). Prefixes
// `Wrz`, `Ordner`, `Projekt`. Calls config (paths, texts), model (drawing
// magic), winlib (folder browser), project (recent folders, projneu's
// opening) and support.
#pragma once

#include <cstddef>

#include "platform/windef.h"

// 1 when the path names an existing folder. Only its status is read: no
// probe file is made, so a user's file is never touched and a folder that
// cannot be written to still counts as present.
int OrdnerVorhanden(const char* pfad);

// 2 for "Projekt.zvk" and "Projekt?.zvk" (case ignored); 0 for another
// ".zvk" file; 1 for a drawing by content; else 2.
int WrzDateiArt(const char* pfad);
// 1 when the file may go by the tree's delete command: a project file, or a
// file that is neither ".zvk" nor a drawing.
int WrzDarfLoeschen(const char* pfad);

// Main command 1501: the folder browser (text 146) starting at the current
// project folder; the chosen folder goes to the recent folders and its
// "Projekt.zvk" is opened. The choice is remembered as the tree's start of
// "Basisordner hinzufügen".
void ProjektOrdnerWaehlen();
const char* WrzLetzteWahl();

// Main command 1500: opens the tree dialog "PVWVERZEICHNIS", or brings it
// to front; its window while open (else 0).
void ProjektlisteOeffnen();
HWND WrzDlgFenster();

// The frame's names.
void PvwOrdnerWahl();
void PvwProjektliste();

// ---- the tree ---------------------------------------------------------------
inline constexpr int WRZWURZELSUP = 10;   // root slots
inline constexpr int WRZPFADSUP = 200;    // characters of a path
inline constexpr int WRZTEXTSUP = 40;     // characters of a description
inline constexpr int WRZFILTERSUP = 20;   // characters of filter and search texts
inline constexpr int WRZNAMESUP = 50;     // characters of a new folder name

struct WrzEintrag {
    int wurzel;                       // root slot 0..9
    int ebene;                        // 0 for the root itself
    int art;                          // 0 file, 1 folder read, 2 folder not read
    char pfad[WRZPFADSUP + 1];        // '/' separators, no trailing one
    char text[WRZTEXTSUP + 1];        // titles, "" not yet known, "~" none
    int sichtbar;
    int passt;
};

// Roots: read from the ini keys "WrzDir%d" of section "DirHistory" (slot 0
// empty: the program folder and the documents folder, none made; nothing
// written), kept sorted (empty slots last), written back by WrzBasisSpeichern
// (never in single-folder mode).
void WrzWurzelnLesen();
const char* WrzWurzel(int i);
// Into the first empty slot; 0, or -1 when all are used.
int WrzWurzelDazu(const char* pfad);
// Clears the slot of that path and removes its entries; 0, or -1 when none.
int WrzWurzelWeg(const char* pfad);
int WrzBasisSpeichern();
// Single-folder mode: the folder is the only root (its parent when it has
// no subfolder, after WrzAufbauen).
void WrzEinzelOrdner(const char* pfad);
int WrzEinzel();

// The current project folder and the selected path ('/' separators).
void WrzAktuellSetzen(const char* aktuell);
const char* WrzAktuell();
void WrzAuswahlSetzen(const char* pfad);
const char* WrzAuswahl();
void WrzFilterSetzen(const char* filter);

// Reads every root (a cancel of the progress dialog keeps a partial tree),
// sorts and sets visibility, filter and rows. 0, or -1 when already running.
int WrzAufbauen();
void WrzSortieren();
// Negative, 0 or positive as a sorts before, with or after b.
int WrzVergleich(const WrzEintrag* a, const WrzEintrag* b);
void WrzSichtbarSetzen();
void WrzFiltern();
void WrzZeilenBilden();
int WrzAnzahl();
WrzEintrag* WrzEintragAdr(int i);
int WrzZeilen();
int WrzZeileEintrag(int zeile);       // entry of a row, -1 outside
int WrzEintragZeile(int eintrag);     // row of an entry, -1 when not shown
// The row whose entry path is the longest prefix of the current folder
// (ties: the later row) / of the selected path (ties: the earlier row); -1
// when none.
int WrzAktSetzen();
int WrzAuswahlZeile();
// A file taken over into the current folder: when the deepest entry whose
// path is the current folder or above it is a folder already read, a file
// entry one level deeper goes right after it and the rows are rebuilt.
// Its index, or -1 when nothing was inserted.
int WrzDateiEinfuegen(const char* pfad);
// The first row after `ab` whose path or text holds the text (case
// ignored); -1 when none (no wrap-around).
int WrzSuchen(int ab, const char* text);
void WrzAufklappen(int eintrag);
void WrzZuklappen(int eintrag);
int WrzZustand(int eintrag);          // 0 empty, 1 closed, 2 open
int WrzDateienZaehlen(int eintrag);
void WrzDateiName(int eintrag, int n, char* name, int kap);
void WrzLeeren();

// ---- folder operations (plain; the dialogs show the boxes) ------------------
// Deletes the folder's files; the folder itself too when it has no
// subfolder. 0; 1 when subfolders (and their files) were left; -1 when a
// file could not be deleted.
int WrzLoeschen(int eintrag);
// Renames folder `eintrag` to `neu` (a name, no path). -1 with text 360
// for the current folder or one above it and for a name with a separator,
// a drive or "..", with text 151 when the target exists.
int WrzUmbenennen(int eintrag, const char* neu);
// Copies the files of `quelle` into the new folder `ziel` (created); a
// move deletes each source file after its copy, then the source folder
// when it is empty. 0; -1 with text 150, 151, 154 or 360 before anything
// is written, or with a report in `meldung` of files not copied (kept in
// the source) and of subfolders left behind.
int WrzKopieren(const char* quelle, const char* ziel, int verschieben, char* meldung, size_t kap);
