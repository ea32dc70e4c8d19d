// Base of the support library: the result `ERROR`, the convention for fixed
// capacities, and the two hooks through which every module of the program
// reports a programming error (`wiAssert`) or writes a trace line (`wiDebug`).
// Prefix `wi` for the hooks. May call only the C and C++ runtime.
//
// Capacities: every fixed capacity the program relies on is a named constant
// ending in `SUP` (`SAISUP`, `LISSUP`, ...), kept next to the struct it limits.
// A full table is an assertion or a -1 result as its module says, never a
// silent overwrite.
//
// The message box and the trace file lie above this layer; until they install
// themselves, the stand-ins here write to stderr.
#pragma once

#include <cstdarg>

// The one failure result of the system's functions.
inline constexpr int ERROR = -1;

// Assertion handler: source module name, line and failing expression, e.g.
// ("struarr", 99, "anzahl < SAISUP"). A handler either ends the process or
// throws; it never returns to the failing caller.
using WiAssertHandler = void (*)(const char* datei, int zeile, const char* ausdruck);

// Raises the assertion. Does not return: if an installed handler returns,
// the stand-in ends the process.
[[noreturn]] void wiAssert(const char* datei, int zeile, const char* ausdruck);

// Installs a handler (NULL: the stand-in); returns the previous one.
WiAssertHandler wiAssertHandlerSetzen(WiAssertHandler handler);

// The stand-in: writes "ASSERT ERROR\n<file>.<line>\n<expression>" and
// "Das Programm wird beendet." to stderr and ends the process with code 3.
[[noreturn]] void wiAssertStandard(const char* datei, int zeile, const char* ausdruck);

// Debug trace: printf-style, formatted into about 1200 characters (longer
// texts are cut) and handed to the installed sink; the stand-in sink writes
// the text to stderr as it is (no line end added).
using WiDebugSenke = void (*)(const char* text);

void wiDebug(const char* format, ...) __attribute__((format(printf, 1, 2)));
void wiDebugV(const char* format, va_list args);

// Installs a sink (NULL: the stand-in); returns the previous one.
WiDebugSenke wiDebugSenkeSetzen(WiDebugSenke senke);

// Size of the trace text buffer (characters plus terminator).
inline constexpr int WIDEBUGSUP = 1200;
