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
void DdeAusfuehren(const char* thema, const char* text);
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

void LogPfad();
const char* LogPfadText();
void LogSchalten(int ein);
void LogZeile(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The log path empty and logging on again (tests).
void LogZuruecksetzen();
