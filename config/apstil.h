// Workstation settings kept as "AP-" keys in the ini file: the four
// workstation fonts, the menu, toolbar and surface styles, the list colours,
// zebra striping and the path display mode of record lists, and the saved
// positions of dialogs (section "DBPosition"). Prefix `Ap`/`OF`/`wiDlg` (the
// system's names). Calls the defaults store, the ini file and the
// window-system interface (konfhaken), which hands fonts, colours and modes
// to the controls above.
#pragma once

#include "platform/windef.h"

// "AP-OFSchrift0".."3": height (first word) and face; created and handed to
// the controls as fonts 0..3.
void OFSchriftenLaden();
// Font n: the workstation font for 0..3 when configured, else stock font n
// (0 system, 1 system fixed, 2 ANSI variable, 3 ANSI fixed, 4 dialog font).
HFONT OFSchrift(int n);
void OFSchriftenFrei();

// Reads "AP-ZvMenuStil", "AP-ZvTbarStil", "AP-OFStil", "AP-BMLisZebra" and
// "AP-BMLisPfad"; sets the list colours by the surface style and hands zebra
// striping and the path mode to the record lists.
void ApStileLaden();
int ApOFStilWert();
int ApOFStil1();
int ApOFStilNicht1();
int ApOFStilRand();     // 3 with surface style 1, else 0
int ApOFStilAbstand();  // 3 or 1
int ApOFStilZeile();    // 8 or 0
int ApMenuStilNicht1();
int ApTbarStil1();

// Dialog positions. The key is the given name, or the current dialog's name
// while the window library's switch is on (wiDlgPosNachName).
void wiDlgPosSichern(const char* name);
void wiDlgPosLaden(const char* name);
void wiDlgPlatzLaden(const char* name);
void wiDlgPosSichernAkt();
void wiDlgPosLadenAkt();
void wiDlgPosNachName(int ein);
