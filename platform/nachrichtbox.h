// Message boxes of the platform layer: MessageBox with every button kind
// (OK, OK/Cancel, Abort/Retry/Ignore, Yes/No/Cancel, Yes/No, Retry/Cancel,
// Cancel/Try again/Continue), the four icons, the default button
// (MB_DEFBUTTON1..4), application-modal (the owner's window disabled),
// task-modal (every enabled top-level window disabled) and system-modal
// boxes, each running a nested modal loop; MessageBeep and a replaceable
// FatalAppExit. Button texts are German. Prefix `plNachrichtBox`. May call:
// dialog.h, fenster.h, nachricht.h, gdi.h, backend.h.
//
// Headless: a box is a real dialog, but when its loop is idle it takes its
// answer from a queue that tests fill (plNachrichtBoxAntwort), and with
// nothing queued the default button. Every box asked is recorded (caption,
// text, type with its icon bits, answer), so tests can read what the
// program asked and what it was told.
#pragma once

#include <string>
#include <vector>

#include "platform/winconst.h"
#include "platform/windef.h"

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// Counts the beep (the layer has no sound); TRUE.
BOOL MessageBeep(UINT type);
// Ends the process after telling the text (stderr and a stop box), unless a
// replacement is installed.
[[noreturn]] void FatalAppExit(UINT action, LPCSTR text);

// Installs a replacement of FatalAppExit (nullptr: the default). A
// replacement that returns makes FatalAppExit end the process anyway.
typedef void (*plFatalAppExitFn)(UINT action, const char* text);
void plFatalAppExitSetzen(plFatalAppExitFn fn);

// ---- Script and record (every backend; the queue answers only idle loops) ------
void plNachrichtBoxAntwort(int id);
void plNachrichtBoxSkriptLeeren();
struct plNachrichtBoxFrage {
    std::string titel;
    std::string text;
    UINT typ;       // as passed: MB_... buttons, icon, default, modality
    int antwort;    // IDOK, IDCANCEL, ...; 0 while the box is up
};
const std::vector<plNachrichtBoxFrage>& plNachrichtBoxFragen();
void plNachrichtBoxFragenLeeren();
// Beeps so far (MessageBeep and the layer's own beeps).
int plNachrichtBoxPieps();
// Called with the box window each time a box's loop is idle, before the
// scripted answer is taken (tests look at the windows while the box is up).
typedef void (*plNachrichtBoxBeobachterFn)(HWND box);
void plNachrichtBoxBeobachter(plNachrichtBoxBeobachterFn fn);

// ---- Runs without a user -----------------------------------------------------
// A run nobody watches (-W=1, a command file, the headless backend: the
// program's entry says so) answers every box at once, without showing it:
// the scripted answer, else the default button, as for a user who pressed
// Enter. Each box goes to the reporter with its kind and answer, so that it
// is not lost; a warning or an error box counts as a failure of the run.
// A question whose default would delete or overwrite is asked through
// plNachrichtBoxBewahren first: in such a run it takes the keeping answer,
// which the reporter is told, and that counts as a failure too (the run
// left something undone that a user would have decided).
typedef void (*plOhneBenutzerMelderFn)(const char* art, const char* text, const char* antwort, bool bewahrt);
void plOhneBenutzerSetzen(int an);
int plOhneBenutzer();
void plOhneBenutzerMelder(plOhneBenutzerMelderFn fn);
// The next box of a run without a user answers `antwort` (IDNO, IDCANCEL)
// in place of its default; no effect for a user.
void plNachrichtBoxBewahren(int antwort);
// A failure said without a box (a line on stderr) is counted here.
void plOhneBenutzerFehlerZaehlen();
int plOhneBenutzerFehler();
void plOhneBenutzerFehlerLeeren();
// "Fehler", "Warnung", "Frage", "Hinweis" or "Meldung" for a box type.
const char* plNachrichtBoxArt(UINT typ);
