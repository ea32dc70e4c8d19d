// The application shell: five modes shown as pages right of the function
// bar, the 100-slot page table, applying a mode to the frame (help key,
// accelerators, caption, menu, dynamic items, status parts), the
// application hook AnwNachricht and the main command dispatcher AnwBefehl.
// Prefix `Modus` / `Seite` / `Anw`. May call every lower folder, the
// function bar (funkwahl.h) and the frame's other modules.
#pragma once

#include <cstddef>

#include "platform/windef.h"

inline constexpr int SEITESUP = 100;   // page table slots
inline constexpr int MODUS_PVW = 1530, MODUS_EDIT = 1531, MODUS_BML = 1532, MODUS_AUS = 1533, MODUS_ANZ = 1534;

void AnwNachricht(UINT nachricht, WPARAM wp, LPARAM lp);
void AnwBefehl(UINT nachricht, WPARAM wp, LPARAM lp);
// Told of every command the main dispatcher takes, before it acts: how a walk
// over the frame lists the commands it reaches. One watcher; nullptr ends it.
void AnwBefehlBeobachter(void (*fn)(int befehl));

void ModusAnwenden(int erzwingen);
// The title the project page gives the main window at the start, set
// before the window is first shown, so that it never shows another; false
// (nothing set) when the start command will enter a start folder first.
bool ModusStartTitel();
void ModusUmschalten(int modus);
void ModusSetzen(int modus);
void ModusAktiviert(int modus);
void ModusDeaktiviert(int modus);
int Modus();                 // current mode
int ModusSeite();            // shown page (0 none)
int ModusSeitenArt();        // page kind 0..3
const char* ModusName(int modus);
void EditorMitDatei(const char* pfad);
void AnzeigeMitDatei(const char* pfad);
int BefehlNachSchliessen(HWND fenster, int id);
void UmschaltenAuf(const char* pfad);
void Aktualisieren();
void OrdnerOeffnenPost(const char* pfad);
char* anwFensterTitel(char* puffer, size_t groesse);
void HauptPost(int id, LPARAM lp);
void BefehlVerteilen(int id, LPARAM lp);
int BefehlVorgemerkt();
void BefehlVormerken(int id);
void SeiteAnmelden(HWND seite);
void SeiteAbmelden(HWND seite);
void SeitenPlatzieren();
void SeitenVerbergen();
void SeitenPost(int id, LPARAM lp);
void DlgSchliessHaken(int slot, HWND fenster, int flag);
void NachEinstellungen();
// Clears modes, page table and remembered values (start; tests).
void ModusZuruecksetzen();
