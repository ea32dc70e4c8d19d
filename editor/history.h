// The input line's logic: the command and text history rings kept across
// runs in the ini file, the prompt states, and turning a typed line into
// records on the command queue (`BefehlszeileParsen`, `PromptAntwort`).
// The field's window procedure and focus ring are editor/eingabe's.
// Prefixes `History`, `Prompt`, `Eingabe`, `Befehlszeile`. Calls the queue,
// the command table and text form, the component library, the drawing
// references, the ini file, the numbered texts, the speller of project/
// (a typed text is checked on confirm when it is set so), the page and the
// element construction (baubf.h).
//
// Invariants:
//  1. A ring slot is empty or holds a 200-character blank-padded line; no
//     two slots are equal.
//  2. The write index names the slot for the next line; the browse index
//     lies in 0..ZEISUP-1.
//  3. Prompt state 0 waits for a command, 1 for the text of the prompt code,
//     2..13 for the single value of the pending code.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr int ZEISUP = 50;    // lines of a ring
constexpr int ZEILNG = 200;   // characters of a line
constexpr int EINGABESUP = 179;  // characters read from the field

// 'B' the command ring, anything else the text ring.
void HistoryLaden();
void HistorySichern();
void HistoryMerken(int art, const char* text);
void HistoryZurueck(int art, char* aus, size_t kap);
void HistoryVor(int art, char* aus, size_t kap);
// The entries from the newest backwards (what HistoryListe offers).
void HistoryListe(int art, std::vector<std::string>* aus);
// Rings empty, indexes 0 (tests and exit).
void HistoryLeeren();

void PromptSetzen(int code);
void PromptStandard();
int PromptZustand();
int PromptCode();
// What the prompt field shows.
std::string PromptText();

// Submits (1) or cancels (0) a typed line; 1 done, 0 refused (the line
// stays in the field). The input field's text after it: EingabeFeld().
int EingabeAbschliessen(const char* text, int absenden);
const std::string& EingabeFeld();
// The input copy, kept in step with the field by editor/eingabe.
void EingabeFeldSetzen(const std::string& text);
int BefehlszeileParsen(const char* zeile);
// The text form of a record into the input copy after PromptStandard;
// while the object under the cursor exists and is marked, it is remembered
// as the edited object (a typed record of its kind then starts at its
// point). editor/eingabe's BefInEingabe shows it in the field.
struct BEF;
struct STT;
void EingabeBearbeitenSetzen(const BEF* b, const STT* s);
// The spell check of a typed text, the three callbacks the input line
// registers with the speller: the held text, its corrected form (shown in
// the field when the text was typed at the text prompt), and the end, which
// queues the held record and empties the field. Whether one is held.
void EingabeRsText(char* text, int groesse);
void EingabeRsSetzen(const char* text);
void EingabeRsFertig();
int EingabeRsWartet();
// A zeroed record with the prompt code and, in state 1, the field's text.
void EingabeBef(BEF* aus);
void PromptAntwort(const char* zeile);

// A typed value as a number, whatever the process locale: the leading
// decimal integer (atoi), and the leading number with ',' read as '.'.
int EingabeGanz(const std::string& t);
double EingabeZahl(const std::string& t);
