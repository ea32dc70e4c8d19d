// Stand-ins of the editor's later modules under their real names; each
// does the least its callers need and is deleted when its module lands.
// Prefix none (the services' names), `Ph` for test accessors. Calls the
// queue and store of model/, platform, support.
#pragma once

#include <string>
#include <vector>

#include "model/befehl.h"
#include "platform/windef.h"

void EddbAnmelden();
void EddbAbmelden();

std::vector<std::string>& PhEditorAufrufe();

// The input line (arrives with the input line and histories): Enter in the
// input field queues its line (TextZuBef); a line that is no command beeps
// and stays in the field.
void EingabeStarten(int prompt, int eingabe);
// 1 when the message was the input line's.
int EingabeKommando(UINT nachricht, WPARAM wp, LPARAM lp);
// Toolbars of the page (arrive with the status fields and bars): recorded.
void LeisteLaden(const char* datei, const char* abschnitt, int art);

// The element under construction (arrives with element construction): none
// unless a test sets one; committing queues the test's records.
int BaubfAktiv();
void BaubfAbsetzen();
void BaubfAbbrechen();
std::vector<BEF>& PhBaubfSaetze();  // records BaubfAbsetzen queues
void PhBaubfSetzen(int aktiv);

// Picking and marking (arrive with picking): moves the marked objects'
// positions through the store.
void MarkVerschieben(double dx, double dy);
// The value dialog of macros with "Input" lines (arrives with the editor's
// small dialogs): recorded, the macro runs without values.
void MakroEingabeDialog(const char* name);
