// Resources of the program and of its resource libraries ("modules"): the
// Windows-shaped calls (GetModuleHandle, LoadLibrary, FindResource, LoadString,
// ...) and the plain structs in which dialogs, menus, accelerator tables and
// image resources are handed to the dialog manager, the menus and the bitmap
// loader. Prefix `rc` for the project's own calls. Owns the registry of the
// modules packed into the executable; calls the script parser (rcparser).
//
// A module is one folder resources/<name>/ (test executables also carry the
// folders tests/data/<name>/ that hold .rc files) packed at build time; it is
// parsed on first use. The program's module is "velmo" (GetModuleHandle(NULL)).
// LoadLibrary finds a module by its file name without folder and extension,
// ignoring case: LoadLibrary("EDDB00.DLL") loads module "eddb00".
//
// Resource names are texts or MAKEINTRESOURCE numbers; a text "#123" means the
// number 123. Names compare ignoring case (the system's case map) within their
// type. Texts in the structs are code page 1252.
//
// Styles are taken exactly as written: no bits are added to a CONTROL line
// (write WS_CHILD | WS_VISIBLE yourself); a DIALOG without STYLE gets
// WS_POPUP | WS_BORDER | WS_SYSMENU, CAPTION adds WS_CAPTION and FONT adds
// DS_SETFONT, as resource compilers do.
#pragma once

#include <string>
#include <vector>

#include "platform/winconst.h"
#include "platform/windef.h"

// One CONTROL line of a dialog template.
struct RcDlgElement {
    std::string text;
    int id = 0;
    std::string klasse;  // as written, e.g. "button", "ORVAGRBU"
    DWORD stil = 0;
    DWORD exStil = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    int zeile = 0;                      // line in its script
};

// A dialog template (DIALOG).
struct RcDialog {
    std::string name;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD stil = 0;
    DWORD exStil = 0;
    std::string titel;   // CAPTION
    int schriftGroesse = 0;  // FONT size in points, 0 without FONT
    std::string schrift;     // FONT face
    std::string menue;       // MENU name, empty when none
    std::string klasse;      // CLASS, empty when none
    std::vector<RcDlgElement> elemente;
};

// One menu item; a popup carries its items in `unter`.
struct RcMenuePunkt {
    std::string text;
    int id = 0;
    UINT flags = 0;  // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED,
                     // MF_DISABLED (INACTIVE), MF_MENUBREAK, MF_MENUBARBREAK, MF_HELP
    std::vector<RcMenuePunkt> unter;
};

struct RcMenue {
    std::string name;
    std::vector<RcMenuePunkt> punkte;
};

// ACCEL values as documented: fVirt of FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL,
// FALT; key a virtual key (FVIRTKEY) or a character code.
struct RcAccel {
    std::string name;
    std::vector<ACCEL> eintraege;
};

// BITMAP, ICON and CURSOR: the named file's bytes (PNG or BMP, decoded by the
// bitmap loader) and its name as written in the script.
struct RcBild {
    std::string name;
    std::string datei;
    std::string bytes;
};

// ---- Windows-shaped calls ----------------------------------------------------

// NULL: the program's module; else a loaded module by name (0 when not loaded).
HMODULE GetModuleHandle(LPCSTR name);
// Loads (counts) a module by file name; 0 when there is none or its scripts
// do not parse (the message goes to stderr).
HMODULE LoadLibrary(LPCSTR datei);
// Counts down; the program's module is never released. FALSE for a bad handle.
BOOL FreeLibrary(HMODULE modul);

// Types: RT_RCDATA, RT_BITMAP, RT_ICON, RT_CURSOR, RT_DIALOG, RT_MENU,
// RT_ACCELERATOR. 0 when missing.
HRSRC FindResource(HMODULE modul, LPCSTR name, LPCSTR typ);
HGLOBAL LoadResource(HMODULE modul, HRSRC res);
// Bytes of RCDATA and images; 0 for the struct kinds.
DWORD SizeofResource(HMODULE modul, HRSRC res);
// RCDATA and images: their bytes. RT_DIALOG, RT_MENU, RT_ACCELERATOR: a
// pointer to the RcDialog, RcMenue or RcAccel. NULL for a bad handle.
LPVOID LockResource(HGLOBAL daten);
BOOL FreeResource(HGLOBAL daten);

// The string table text `id` cut to `groesse` - 1 characters; the count of
// characters copied; 0 (and an empty buffer) when the id is missing.
int LoadString(HINSTANCE modul, UINT id, LPSTR puffer, int groesse);

// ---- The structs, by module and name (NULL when missing) -----------------------
const RcDialog* rcDialog(HMODULE modul, LPCSTR name);
// The names of the module's dialog templates, in script order (for the
// manual and the tests that walk every dialog).
std::vector<std::string> rcDialogNamen(HMODULE modul);
const RcMenue* rcMenue(HMODULE modul, LPCSTR name);
const RcAccel* rcAccel(HMODULE modul, LPCSTR name);
// typ: RT_BITMAP, RT_ICON or RT_CURSOR.
const RcBild* rcBild(HMODULE modul, LPCSTR name, LPCSTR typ);
// The string table text, or NULL when missing (for callers that need to tell
// an empty text from a missing one).
const std::string* rcText(HMODULE modul, UINT id);

// The module's name as packed ("velmo", "eddb00"); empty for a bad handle.
std::string rcModulName(HMODULE modul);
// Names of all packed modules, and whether the packed module parses (the
// message "file:line: text" in `fehler` when not).
std::vector<std::string> rcModulNamen();
bool rcModulPruefen(const std::string& name, std::string* fehler);
// Starts parsing a packed module on a thread of its own, so that its first
// use finds it parsed (the program's start asks for its own module before
// it opens the display); the first use waits for it and reports a script
// error as it would have parsed it itself. Nothing when it is parsed or
// under way already, or no thread can be started.
void rcModulVorausParsen(const std::string& name);

// ---- Packed data (called by the generated code of the packer) -----------------
struct RcGepackteDatei {
    const char* pfad;   // relative to the module folder, '/' separated
    const char* bytes;
    unsigned long groesse;
};
// Registers a module: its top-level scripts (in order) and every file they read.
// The arrays are kept, not copied: they must stay (the generated code's static data).
void rcModulAnmelden(const char* name, const char* const* skripte, int anzSkripte,
                     const RcGepackteDatei* dateien, int anzDateien);
