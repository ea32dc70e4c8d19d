// The input line's windows and the editor page's focus ring: the input
// field (control 5020) subclassed with `EingabeProc`, the prompt field
// (5010) showing the prompt of editor/history, the field's edit-change copy
// with its refresh record, and the ring of up to 20 windows that Tab walks
// (slot 0 the drawing, slot 1 the input field, then the status fields).
// Prefixes `Eingabe`, `Prompt`, `Fokus`. Calls editor/history (rings,
// prompt, parsing, the typed text held for the spell check), the key
// handler of editor/knopf, the queue of model/, the speller of project/ and
// the platform's windows.
//
// Invariants:
//  1. The field shows history's input copy after every submit, cancel and
//     prompt change; typing updates the copy (EingabeKommando).
//  2. The current focus slot is 0..FOKUSSUP-1; a slot that gets the focus
//     through the ring becomes current, and slot 1 then gets an End key so
//     the caret stands behind the text.
#pragma once

#include "platform/windef.h"

constexpr int FOKUSSUP = 20;  // slots of the focus ring

// Takes the prompt and input fields of the current dialog, registers the
// input field as focus slot 1 and the drawing window (5000) as slot 0,
// subclasses the field and empties both; registers the field's text with
// the speller when it runs; loads the histories and shows the prompt.
void EingabeStarten(int prompt, int eingabe);
// Saves the histories, takes the field's text from the speller, restores
// the field's window procedure and disables the ring.
void EingabeEnde();
// The page's WM_COMMAND share: the field's edit change, Enter (1) and
// Escape (2) while the field has the focus. 1 when handled.
int EingabeKommando(UINT nachricht, WPARAM wp, LPARAM lp);
// Puts `text` into the field and the input copy and queues a refresh.
void EingabeText(const char* text);
// Resets a pending prompt and submits `text` as if typed (1 done, 0 refused).
int EingabeAusfuehren(const char* text);
// A character typed while the drawing has the focus: the field takes the
// focus, the character and an End key.
void EingabeZeichen(UINT nachricht, WPARAM wp, LPARAM lp);
// The prompt of history's state in the prompt field; the copy in the field.
void PromptAnzeigen();
// PromptSetzen(code), `text` into the field, 2503 posted to the page.
void PromptMitText(int code, const char* text);
// The text form of `b` into the field for editing (see history.h's
// EingabeBearbeitenSetzen).
struct BEF;
struct STT;
void BefInEingabe(const BEF* b, const STT* s);
// The preview of the line being typed: the snapshot of prompt code, input
// text, EingabeBef record and (in the text prompt) the state after it;
// whether the current ones differ from it (the text counts for text codes
// only); the repaint of the snapshot's and the current record's areas; and
// the overlay of a repaint, which draws a text typed at the text prompt at
// the current position, as the element under construction is drawn, and
// takes the snapshot.
void EingabeVorschauMerken();
int EingabeVorschauGeaendert();
void EingabeVorschauNeu();
void EingabeVorschauZeigen();
// Submits (1) or cancels (0) what the field holds, as Enter or Escape does.
int EingabeAbschicken(int absenden);
// Esc in the field: cancels its line or prompt; in an empty line at the
// command prompt it is the drawing's Esc.
void EingabeEsc();

void FokusAnmelden(int slot, HWND fenster);
void FokusSetzen(int slot);
void FokusMerken(int slot);
int FokusSuchen(HWND fenster);
void FokusWeiter(int rueckwaerts);
void FokusZurueck();
HWND FokusFenster();
int FokusAktuell();
void FokusEin();
void FokusAus();
