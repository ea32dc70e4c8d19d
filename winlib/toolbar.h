// Toolbars from the sections of "Toolbar.txt": rows of ORVAGRBU buttons with
// bitmaps, tooltips or labels, command ids, gaps and size adjustments. Owns
// the program's shared button table (enabled while the toolbar image module
// is loaded) and the builder for the dialog tables that callers keep in
// their module data; group states and their bitmaps, the marked-object
// check, hiding by width, and docking of page windows. Prefix `wiTbar`,
// `wiDlgAbdocken`/`wiDlgAndocken` (file helpers `tl`). The buttons are made
// by class name, so nothing of controls/ is included. May call platform/,
// support/, config/, the dialog manager, the window layer and the toolbar
// hooks (tbarhaken.h) of winlib/.
//
// Positions: pixels from dialog units through the one factor of the window
// layer. A gap "- n" advances by n tenths of the module's button width, in
// large mode as well; "X*" scales that width, which the next build resets.
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

inline constexpr int TBARKNOEPFESUP = 100;  // buttons of a table
inline constexpr int TBARBILDSUP = 10;      // bitmap name
inline constexpr int TBARALTSUP = 12;       // alternative bitmap name
inline constexpr int TBARTIPPSUP = 80;      // tooltip or label
inline constexpr int TBARZEILESUP = 200;    // characters of a file line
inline constexpr int TBARGROSSBREITE = 36;  // large buttons, dialog units
inline constexpr int TBARGROSSPLUS = 8;     // large buttons: extra height

struct TbarKnopf {
    HWND besitzer;  // the dialog holding it (shared table only)
    int id;
    HWND knopf;
    char bild[TBARBILDSUP + 1];
    char altBild[TBARALTSUP + 1];
    int gruppe;
    int zustand;  // 0 or 1
    int links, oben, rechts, unten;  // pixels
    int gezeigt;
    char tipp[TBARTIPPSUP + 1];
};

// A dialog's own table. markiert: the last marked state this table saw
// (-1: not yet checked since the last build).
struct TbarDlgTabelle {
    int x, y;     // start, dialog units
    int x2, y2;   // the same, kept for the caller
    int yUnten;   // start y + 10
    TbarKnopf knoepfe[TBARKNOEPFESUP];
    int anzahl;
    int markiert;
};

// ---- The file ---------------------------------------------------------------------------------
// Every bar of the program reads its section through here (the shared and
// the dialog tables, the editor's bars, the button bar, the function list).
inline constexpr int TBARZEILENSUP = 1000;     // lines of a section read
inline constexpr double TBARWERTSUP = 10000.0;  // a size key's value, either sign
enum : char { TBARLEER = ' ', TBARMASS = '=', TBARLUECKE = '-', TBARKNOPF = 'K' };

// One line of a section.
struct TbarZeile {
    char art = TBARKNOPF;    // blank, "=key value", "- n" gap (not "--"), entry
    std::string text;        // trimmed
    std::string schluessel;  // "=": the key ("X*", "B+", ...)
    double wert = 0.0;       // "=": the value (a comma taken as a point), within TBARWERTSUP
    int zehntel = 10;        // "-": tenths of a button width, within -1000..1000 (10 without a number)
};

// Section `abschnitt` (its name compared ignoring case) of the file at
// `pfad`: the lines after ")S name" up to one that begins with ")" or the
// end, each cut to TBARZEILESUP characters, at most TBARZEILENSUP. 1 read;
// 0 no such section; -1 no file; -2 read short (no lines: half a bar is
// not shown as if it were the whole).
int wiTbarAbschnittLesen(const char* pfad, const char* abschnitt, std::vector<TbarZeile>* zeilen);

// The fields of an entry line: the first word, an optional double-quoted
// field, an optional "(...)" part, the rest trimmed.
struct TbarFelder {
    std::string bild;
    bool mitZitat = false;
    std::string zitat;
    bool mitKlammer = false;
    std::string klammer;
    std::string rest;
};
TbarFelder wiTbarFelder(const std::string& zeile);
// The next blank-delimited word at *p (blanks and tabs); *p moves past it.
std::string wiTbarWort(const char** p);
// The next double-quoted field at *p (without its quotes; to the end when
// the closing quote is missing), or the next word when it starts otherwise.
std::string wiTbarZitat(const char** p);

// ---- Builders ------------------------------------------------------------------------
// Appends section `abschnitt` of `datei` (program folder) to the shared
// table, buttons in the current dialog. Nothing while the table is disabled.
void wiTbarLaden(const char* datei, const char* abschnitt);
// Destroys the table's buttons, then builds the section into it at (x, y)
// dialog units in the current dialog.
void wiTbarDlgLaden(TbarDlgTabelle* tabelle, int x, int y, const char* datei, const char* abschnitt);

// ---- Groups, marks, widths -----------------------------------------------------------------
void wiTbarGruppe(int gruppe, int zustand);
void wiTbarDlgGruppe(TbarDlgTabelle* tabelle, int gruppe, int zustand);
// Group 2 follows the marked count of the drawing store (0 / non-zero);
// each table keeps its own last state.
void wiTbarMarkPruefen();
void wiTbarDlgMarkPruefen(TbarDlgTabelle* tabelle);
void wiTbarBreite(HWND besitzer, int breite);
void wiTbarDlgBreite(TbarDlgTabelle* tabelle, int breite);
// The button's bitmap by its group state (shown buttons only).
void wiTbarDlgBild(TbarDlgTabelle* tabelle, int index);
// The same for the shared table: what TbarKnopfBild of the image module does.
void wiTbarKnopfBild(int index);

// ---- The shared table (for ToolbarBibLaden / ToolbarBibFrei) -----------------------------------
void wiTbarTabelleLeeren();
void wiTbarTabelleFrei(int an);
int wiTbarTabelleIstFrei();
int wiTbarAnzahl();
// A record of the shared table, nullptr outside 0..count-1.
const TbarKnopf* wiTbarEintrag(int index);
// The tooltip of the shared table's button with that command id, nullptr
// when none (the main window's answer to a tooltip request).
const char* wiTbarTippText(int id);

// ---- Docking of page windows -------------------------------------------------------------------
inline constexpr DWORD TBARSTILFREI = 0x90CF0080;    // popup, caption, frame, system menu
inline constexpr DWORD TBARSTILANGEDOCKT = 0x50000000;  // child, visible
void wiDlgAbdocken(HWND fenster);
void wiDlgAndocken(HWND fenster);
