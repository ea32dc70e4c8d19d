// Spell checking of dialog texts: the options, the program-wide field
// registry, the word walk and the dialog "RSchreib" with suggestions,
// replacing, learning and ignoring. Prefix `Rs`. Owns the options, the
// 200 registered fields, the one running check and the callbacks of the
// free text and the grid cells. Calls the speller binding (aspbind), the
// own word lists (rswliste), config (defaults, paths, fonts, placement),
// winlib (dialogs, items, boxes) and the platform's window functions.
//
// States: options not read -> read (on or off) -> started (registry and
// dialog active) -> ended at program exit (RsBeenden). While not started,
// registration, the message hook and the checks do nothing; RsPruefen then
// posts the follow-up command at once, so a confirmed dialog is stored.
#pragma once

#include <cstddef>

#include "platform/windef.h"

inline constexpr int RSFELDSUP = 200;     // registered fields
inline constexpr int RSNAMESUP = 40;      // field name
inline constexpr int RSWORTLAENGE = 30;   // longest word looked at
inline constexpr int RSTEXTSICHT = 200;   // characters of a field the walk looks at
inline constexpr int RSERSATZSUP = 80;    // replacement text

// Grid cells (kind 4) and the free text (kind 3) are read and written
// through callbacks.
using RsZelleHolenFn = void (*)(int zeile, int spalte, char* text, int groesse);
using RsZelleSetzenFn = void (*)(int zeile, int spalte, const char* text);
using RsTextHolenFn = void (*)(char* text, int groesse);
using RsTextSetzenFn = void (*)(const char* text);
using RsFertigFn = void (*)();

// Options: read from the defaults; the speller library is tried once per
// read (a warning and checking off when it does not load).
void RsOptionenLesen();
int RsStarten();
int RsSofort();
int RsBeimVerlassen();
int RsPruefenAktiv();
// Confirming a dialog: with the check on confirming (RsSofort) its fields
// are checked first and the command `folge` arrives when the check is done;
// otherwise `anwenden` runs at once.
void RsVorAnwenden(int folge, void (*anwenden)());

// Registry of the current dialog.
void RsFeldAnmelden(int id, const char* name, int art);
void RsRasterAnmelden(int zeilen, int spalten, RsZelleHolenFn holen, RsZelleSetzenFn setzen, void (*dritte)());
void RsTextAnmelden(RsTextHolenFn holen, RsTextSetzenFn setzen, RsFertigFn fertig);
// Removes the free text and forgets its callbacks (its owner ends), so a
// later registration does not check the text twice.
void RsTextAbmelden();
// Removes every entry of the current dialog.
void RsFelderAbmelden();
void RsFeldGeaendert(int id);
int RsNachricht(UINT nachricht, WPARAM wp, LPARAM lp);

// Checks; 1 when "RSchreib" was opened.
int RsPruefen(int alle, int folge);
int RsUnbekannteDa(int alle);
int RsTextPruefen();
// Program end: own lists written, speller lists saved, speller unloaded.
void RsBeenden();

// The frame's names of the option read and the end.
void SpellEinstLesen();
void SpellEnde();

// ---- Word walk (shared with the tests) ----
// The next word of `text` from `*pos` on: up to the first delimiter
// (blank ; , . - ! ? ( )), trimmed; `*pos` moves past the delimiter. The
// word's offset in `text` goes to `*anfang`. 0 when `text` is used up.
int RsWortAb(const char* text, int laenge, int* pos, int* anfang, int* wortLaenge);
// 1 when the word is worth a look: 1..30 letters A-Z, a-z or codes 192-255.
int RsIstWort(const char* wort, int laenge);

// ---- For tests ----
// The speller calls; nullptr restores the Aspell binding.
struct RsSpeller {
    int (*pruefen)(const char* wort);
    int (*vorschlag)(char* puffer, size_t groesse);
    int (*lernen)(const char* wort);
    int (*ersatzMerken)(const char* falsch, const char* richtig);
};
void RsSpellerSetzen(const RsSpeller* speller);
// Marks the speller started with the options given (no library is loaded).
void RsTestStart(int sofort);
void RsTestZuruecksetzen();
int RsFeldAnzahl();
