// Shell and system services of the platform layer: opening a document with
// its associated program (xdg-open), starting programs (from the program
// folder first), finding the program of a document, environment variables,
// the executable's path, the system version ("10.0"), the debugger output
// and the user's locale values; shaped like the Windows calls of the same
// names. Prefix `plShell`. May call: orte.h, dateisys.h, cp1252.h, the C
// library (fork/exec, popen).
//
// Starting: every start goes through one starter function (argument words,
// working folder), replaceable by tests; the default runs the program
// detached (double fork, new session) so no child is left to reap. Paths
// may use '\' or '/'; they pass the file-system boundary (plDsPfad).
// Results as on Windows: ShellExecute and FindExecutable give a value above
// 32 on success, else SE_ERR_... (2 file not found, 31 no association);
// WinExec above 31, else 2.
#pragma once

#include <string>
#include <vector>

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef MAX_PATH
#define MAX_PATH 260
#endif
#ifndef SE_ERR_FNF
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31
#endif
#ifndef ERROR_FILE_NOT_FOUND
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_ENVVAR_NOT_FOUND 203
#endif
#ifndef VER_PLATFORM_WIN32_NT
#define VER_PLATFORM_WIN32_NT 2
#endif
#ifndef LOCALE_USER_DEFAULT
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_SDECIMAL 0x0000000E
#define LOCALE_STHOUSAND 0x0000000F
#define LOCALE_SABBREVCTRYNAME 0x00000007
#define LOCALE_SABBREVLANGNAME 0x00000003
#endif
typedef DWORD LCID;
typedef DWORD LCTYPE;

struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};

// ---- Programs and documents --------------------------------------------------------
// verb "open" or NULL: a program file is started with `params`; any other
// file is handed to xdg-open. `dir` is the working folder (NULL: the file's
// folder for documents, the current folder for programs).
HINSTANCE ShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, int show);
// The program associated with `file` (looked up in `dir` when relative) into
// `result` (MAX_PATH); empty on failure.
HINSTANCE FindExecutable(LPCSTR file, LPCSTR dir, LPSTR result);
// A command line: words split at blanks, double quotes keep blanks; the
// program is looked up in the program folder, then in PATH.
UINT WinExec(LPCSTR cmdLine, UINT show);

// ---- Environment, module, version, debugger output, locale ---------------------------
// Windows semantics: the length copied (without the terminator), or the size
// needed (with it) when the buffer is too small, or 0 when unset.
DWORD GetEnvironmentVariable(LPCSTR name, LPSTR buf, DWORD size);
BOOL SetEnvironmentVariable(LPCSTR name, LPCSTR value);  // value NULL: remove
// The executable's path (code page 1252, '/'), for 0 or the program's module.
DWORD GetModuleFileName(HMODULE modul, LPSTR buf, DWORD size);
// 10.0, build 19045, platform VER_PLATFORM_WIN32_NT.
BOOL GetVersionEx(OSVERSIONINFO* info);
DWORD GetVersion();
void OutputDebugString(LPCSTR text);
// LOCALE_SDECIMAL / LOCALE_STHOUSAND from the user's LC_NUMERIC (without
// changing the process locale), LOCALE_SABBREVCTRYNAME / _SABBREVLANGNAME
// from the user's locale name; the length written with the terminator, 0
// for an unknown kind.
int GetLocaleInfo(LCID locale, LCTYPE art, LPSTR buf, int size);

// ---- Seams for tests ------------------------------------------------------------------
// Starts `woerter` (UTF-8, word 0 the program) in folder `ordner` (UTF-8,
// empty: unchanged); 0 or -1.
typedef int (*plShellStarterFn)(const std::vector<std::string>& woerter, const std::string& ordner);
void plShellStarterSetzen(plShellStarterFn fn);  // nullptr: the default
// The program associated with a real (UTF-8) file path, as a real path; false
// when there is none. Default: xdg-mime and the .desktop file's Exec line.
typedef bool (*plShellZuordnungFn)(const std::string& datei, std::string* programm);
void plShellZuordnungSetzen(plShellZuordnungFn fn);  // nullptr: the default
// Receives the debugger output; nullptr: stderr.
typedef void (*plShellDebugSenkeFn)(const char* text);
void plShellDebugSenkeSetzen(plShellDebugSenkeFn fn);
// Splits a command line into words as WinExec does.
std::vector<std::string> plShellWoerter(const char* zeile);
