// The five title lines ("Zeichnungs-Kurztexte") of every drawing of the
// project in one language, exported to and imported from a plain text file
// for translation outside the program, and the two dialogs "ZeiTxtExp" and
// "ZeiTxtImp" that run them; also the frame's names for the two commands.
// Prefix `ZeiTxt`. Calls support (files, texts), config (paths, defaults,
// language, numbered texts, file-change report), model (drawing headers),
// equipment (translations), winlib (dialogs, boxes, progress dialog) and
// the drawing list.
//
// File: one LF line per drawing and line number, "%-23s %-3d %s" of the
// drawing's file name, the number 0..4 and the text. Read back: the first
// blank-delimited word is the name, the second the number, the rest of the
// line (trimmed) the text; lines longer than ZEITXTZEILESUP are cut.
#pragma once

inline constexpr int ZEITXTZEILESUP = 200;   // characters of a line read
inline constexpr int ZEITXTDATEISUP = 150;   // characters of the file field
inline constexpr int ZEITXTSPRSUP = 10;      // lines of "Sprache.txt" offered

// Import modes (the radio buttons 3120..3123).
enum : int { ZEITXT_NIE = 0, ZEITXT_ERGAENZEN = 1, ZEITXT_UEBERSCHREIBEN = 2, ZEITXT_AUCH_LEER = 3 };

// Writes the texts of every drawing of the list in language `sprache` into
// `datei` (a bare name is in the project folder); asks before replacing an
// existing file. 1 written, 0 declined, -1 failed (reported).
int ZeiTxtExportieren(int sprache, const char* datei);
// Reads the file and takes its texts by mode; the count taken, or -1 when
// the file cannot be opened or the changes cannot all be written (reported).
int ZeiTxtImportieren(int sprache, const char* datei, int modus);

void ZeiTxtExpOeffnen();
void ZeiTxtImpOeffnen();

// The frame's names (commands 1531 and 1530).
void PvwKurztexteExport();
void PvwKurztexteImport();
