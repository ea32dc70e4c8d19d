// Check-list dialogs: "CHKListen" shows one of the five check lists either
// as its definition (codes grouped in sections, read from and written to
// "Checkliste<n+1>.txt") or for entering values (the project's check-list
// file), and "CHKListenSPR" edits a code's option texts per language; also
// the main-menu items 1590-1594 of the configured lists. Prefix `Chk`
// (the dialogs' helpers `cd`). Calls config (defaults, paths, language,
// ini), equipment/chk (values, appended block), equipment/fstx
// (translations), winlib (dialogs, menus, clipboard), controls (sectioned
// table, list display) and the spell-check registry (rschreib.h).
#pragma once

#include <cstddef>

#include "controls/elseite.h"
#include "platform/windef.h"

inline constexpr int CHKKOPFSUP = 40;   // section heading
inline constexpr int CHKCODELEN = 4;    // code
inline constexpr int CHKBEZSUP = 80;    // designation
inline constexpr int CHKOPTSUP = 100;   // options
inline constexpr int CHKBEDSUP = 40;    // condition

// One line of the definition; the table's header carries the section
// heading (the reserved number is not used).
struct ChkSatz {
    ElsKopf kopf;
    char code[CHKCODELEN + 1];
    char typ[2];                 // "0" text, "1" check, "2" choice
    char text[CHKBEZSUP + 1];
    char optionen[CHKOPTSUP + 1];
    char bedingung[CHKBEDSUP + 1];
};

// Line callbacks of the table: a ")S" line sets the heading of the work
// record (2), another ')' ends (0), a blank line is skipped (2), any
// other line is an item of TAB (or, pasted, FS) separated fields (1).
int ChkZeileLesen(void* satz, const char* zeile);
void ChkZeileSchreiben(const void* satz, char* zeile, int groesse);
void ChkSatzNeu(void* satz);    // code "?", text "?", the rest empty
void ChkSatzLeer(void* satz);   // the same, keeping the heading

// Path of "Checkliste<n+1>.txt": the project folder, its parents, then the
// program folder; `ChkDefZiel` is where a save goes (the program folder is
// never written: a definition found there is saved into the project folder).
void ChkDefPfad(int n, char* puffer, size_t groesse);
void ChkDefZiel(int n, char* puffer, size_t groesse);

void ChkMenueAufbauen();
void ChkWertHolen(int n, const char* code, char* text);  // CHKTEXTSUP + 1 bytes
int ChkWertSetzen(int n, const char* code, const char* text);
int ChkBedingungErfuellt(int n, const ChkSatz* s);
// The value a check item's toggle stores next.
void ChkUmschaltWert(const char* optionen, const char* wert, char* neu, size_t groesse);
// "Code kopieren": "@C", the list digit and the code padded to four.
void ChkCodeVariable(int n, const char* code, char* text, size_t groesse);
// Entry-mode save of list n over the records of the definition: values of
// disabled items (and their translations) cleared, project texts written,
// the appended block's records taken over, the check-list file written.
// 0, or -1 with the message given.
int ChkEingabeSpeichern(int n, const ChkSatz* saetze, int anzahl);
// Definition-mode save: the table and the appended block written together
// through a temporary file of the target's folder. 0 or -1.
int ChkDefSpeichern(int id, const char* pfad);

HWND ChkDlgOeffnen(int n);

// The frame's names.
void PvwCheckliste(int n);
void PvwChkLstMenu();
