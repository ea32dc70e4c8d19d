// The editor page's toolbars and selection bar: the sections of
// "Toolbar.txt" read into one table of LEISTESUP entries per bar (top, left,
// selection), their ORVAGRBU buttons with faces and labels, the
// command string each runs, the drag identifiers of element buttons, the
// nine state kinds that switch a button's face, and the page layout values
// the bars and fields are placed by. Prefixes `Leiste`, `Auswahl`, `Layout`.
// Calls the toolbar image hooks and dialog layer of winlib/, the command
// strings and drags (editor/ziehen.h), the drawing document, store, undo
// and parallel-line state.
//
// Invariants:
//  1. Each bar owns its own LEISTESUP entries: rebuilding one bar destroys
//     and replaces only its own buttons.
//  2. A button's control id is LEISTEID + bar x LEISTESUP + index; its drag
//     identifier (element buttons only) is 5200 + the same number.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/windef.h"

constexpr int LEISTESUP = 100;        // entries of one bar
constexpr int LEISTEBILDSUP = 11;     // characters of a bitmap name
constexpr int LEISTETIPPSUP = 80;     // characters of a label
constexpr int LEISTEID = 5400;        // first button id
constexpr int LEISTEZIEHID = 5200;    // first drag identifier
constexpr int AUSWAHLSUP = 10;        // entries of the selection bar
constexpr int AUSWAHLID = 5030;       // first selection button id
constexpr int AUSWAHLANZEIGE = 5004;  // the selection display
constexpr int LEISTEAUFFRISCHEN = 2460;  // refresh after a drain (posted)

enum : int { LEISTE_OBEN = 0, LEISTE_LINKS = 1, LEISTE_AUSWAHL = 99 };

struct LeisteEintrag {
    int art = LEISTE_OBEN;
    HWND fenster = 0;
    int id = 0;
    char bild[LEISTEBILDSUP + 1] = "";
    char bildAn[LEISTEBILDSUP + 1] = "";
    char bildAlt[LEISTEBILDSUP + 1] = "";
    int zustandArt = 0;  // 0..9
    int zustand = 0;
    std::string befehl;
    int x = 0, y = 0, b = 0, h = 0;  // dialog units
    int gezeigt = 1;
    char tipp[LEISTETIPPSUP + 1] = "";
    int ziehId = 0;  // 0: no drag
};

// Sizes and start points of a build, dialog units.
struct LeisteMasse {
    int knopfB = 12, knopfH = 12;
    int obenX = 0, obenY = 0;    // top bar
    int linksX = 0, linksY = 0;  // left bar
    int linksB = 20;             // left bar width
    int beschriftet = 0;         // labels wanted
};

// Reads section `abschnitt` of the file at `pfad` as bar `art` into `aus`
// (positions by `m`); entries get their ids and drag identifiers. The
// entries read (0 for a missing file or section).
int LeisteLesen(const char* pfad, const char* abschnitt, int art, const LeisteMasse& m,
                std::vector<LeisteEintrag>* aus);

// The page: builds bar `art` (0 top, 1 left) from `abschnitt` of `datei`
// in the program's folder, replacing that bar's buttons; with labels the
// first top bar also loads the selection bar.
void LeisteLaden(const char* datei, const char* abschnitt, int art);
void AuswahlLaden();
// Destroys every bar's buttons (page exit).
void LeisteEnde();
// The page's start after its bars and anchors: the working area placed,
// the faces set; and its end.
int LeisteSeiteStarten();
void LeisteSeiteEnde();
// The page's message share: deactivation, button clicks, selection,
// drags from buttons (2062..2064), refresh (2999). 1 when handled.
int LeisteKommando(UINT nachricht, WPARAM wp, LPARAM lp);
// The nine state values into the buttons' faces (all when `alle`).
void LeisteZustand(int alle);
// Hides the buttons that end beyond the page's width.
void LeisteLayout();
// The entry a window is, as bar x LEISTESUP + index (-1 none or hidden).
int LeisteIndex(HWND fenster);
// Screen rectangle, label and bar (LEISTE_*) of entry n of LeisteIndex; -1
// when it is gone, hidden or has no label.
int LeisteTip(int n, RECT* r, char* text, size_t kap, int* leiste);
// 1 when bar `leiste` is built with labels (the selection bar as the top).
int LeisteMitText(int leiste);
const std::vector<LeisteEintrag>& LeisteEintraege(int art);
// The selection's command string.
const std::string& AuswahlAktuell();
// The state value of kind 1..9 as the bars compute it now.
int LeisteZustandWert(int art);

// Page layout values, dialog units.
int LayoutStatusOben();     // top of the status row
int LayoutObenY();          // top of the top bar
int LayoutArbeitOben();     // top of the working area
int LayoutLinksBreite();    // width of the left bar
int LayoutObenX();          // x of the top bar
int LayoutLinksY();         // top of the left bar
// Moves the drawing window and its scroll bars into the working area
// right of the left bar (after the bars are built).
void LayoutSeite();
