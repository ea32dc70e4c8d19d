// Driving the program from outside: the local-command server callback and
// its execute strings, the client side towards the sibling programs, the
// command file (one line per tick of timer 1), option texts at run time, the
// start of a program of the program folder and the log file. Prefix `Dde`,
// `Befehlsdatei`, `Log`. Calls config (working directory, defaults sets,
// language, hook tables), winlib (frame record, message boxes), output (the
// interchange formats), platform (local commands, shell, messages).
//
// The folder switch of the shell ("open", "switch") goes through the
// function installed by DdeUmschaltenSetzen; until the shell installs its
// own, VerUmschalten is called.
#pragma once

#include "platform/lokalbefehl.h"

inline constexpr int DDEBEFEHLSUP = 200;   // bytes of an execute string taken
inline constexpr int DDENAMESUP = 80;      // service and topic names
inline constexpr int BEFZEILESUP = 500;    // characters of a command-file line

// The server's instance (set by the start-up after DdeInitialize; 0 none).
void DdeInstanzSetzen(DWORD instanz);
DWORD DdeInstanz();
HDDEDATA DdeServerRueckruf(UINT art, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA daten, ULONG_PTR d1,
                           ULONG_PTR d2);
// 1 taken, 0 not (a posted command found the message queue full). A folder
// switch ("open" with a path, "switch") that arrives while a message box or
// modal dialog is up is taken and waits for DdeUebergabeNachholen.
int DdeAusfuehren(const char* thema, const char* text);
// Runs the waiting folder switch once no box or modal dialog is up (each
// tick of timer 1).
void DdeUebergabeNachholen();
// 0 when a conversation was established, -1 otherwise.
int DdeKlient(const char* dienst, const char* thema, const char* befehl);
int DdeAlleBeenden();
void DdeDateiMelden(const char* datei, int art);
// Frees the client instance (end of the program, tests).
void DdeKlientEnde();

// The shell's folder switch (NULL: VerUmschalten).
void DdeUmschaltenSetzen(void (*umschalten)(const char* pfad));

// Starts a program of the program folder; a missing one is only reported.
// 0 started, -1 not.
int ProgrammStarten(const char* name);

int BefehlsdateiOeffnen(const char* pfad);
int BefehlsdateiLaeuft();
void BefehlsdateiSchritt();
void BefehlsdateiZeile(const char* zeile);
// Closes an open command file (end of the program, tests).
void BefehlsdateiSchliessen();

void OptionAusfuehren(const char* text);

// ---- Runs without a user ---------------------------------------------------------------
// Exit codes of a run without a user (-W=1, -A=, the headless backend).
inline constexpr int LAUF_OK = 0;            // every command done, no warning
inline constexpr int LAUF_NICHT_GESTARTET = 1;  // no display, command file missing or unreadable
inline constexpr int LAUF_FEHLER = 2;        // a command or the start was refused, or warned
inline constexpr int LAUF_ABBRUCH = 3;       // stopped on an error of the program
inline constexpr int LAUF_ANDERE = 4;        // another Velmo runs: the command file was not run

// Makes this a run without a user (an = 0: one with a user again): every
// message box is answered at once and said on stderr and in the log.
void LaufOhneBenutzer(int an);
// A refusal said without a box: "velmo: <art>: <text>" on stderr (UTF-8,
// one line), "<art>: <text>" in the log, and counted as a failure of the
// run. Text in code page 1252.
void LaufMelden(const char* art, const char* text);
// The exit code of a run whose message loop ended with `code`: a run
// without a user that had a failure ends with LAUF_FEHLER.
int LaufEndcode(int code);

void LogPfad();
const char* LogPfadText();
void LogSchalten(int ein);
void LogZeile(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The log path empty and logging on again (tests).
void LogZuruecksetzen();
