// Internals of the window manager shared by its files (fenster*.cpp,
// nachricht.cpp, eingabe.cpp, fokus.cpp, cursor.cpp, systemwerte.cpp,
// headless.cpp). Prefix `plFenster` / `plWm`. Nothing outside these files
// includes it.
//
// Invariants of the window tree:
//  1. Every live window is in the window table and in exactly one list of
//     children: its parent's, or the desktop's for a top-level window.
//     Lists are in z-order, topmost first.
//  2. `rect` is the whole window in the client coordinates of the parent
//     (screen coordinates for top-level windows); the client area follows
//     from the style through plFensterRaender.
//  3. Only top-level windows have a backing surface, as large as `rect`;
//     children draw into their top-level window's surface.
//  4. A window being destroyed (`zerstoerung`) gets no new children, no
//     activation, focus or capture; it leaves the table after WM_NCDESTROY.
//  5. Pointers to windows are re-fetched by handle after any message was
//     sent, because a window procedure may destroy windows.
#pragma once

#include <cairo.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/fensterregion.h"
#include "platform/handle.h"
#include "platform/nachricht.h"

struct plKlasse {
    std::string name;
    ATOM atom = 0;
    UINT stil = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instanz = 0;
    HICON icon = 0;
    HICON iconKlein = 0;
    HCURSOR cursor = 0;
    HBRUSH hintergrund = 0;
    std::string menueName;
    bool menueIstZahl = false;
    std::vector<uint8_t> extra;
    int fenster = 0;  // live windows of the class
};

// A paint no one saw yet (headless): the window, what it painted (0 the
// client area from BeginPaint, 1 its background erased outside BeginPaint,
// 2 its frame, 3 what a destroyed window left, not painted over yet), and the DC it got then: origin and region in the
// coordinates of the top-level surface, with the update region taken and
// whether erasing was asked (client area only).
struct plMalSpur {
    HWND h = 0;
    uint8_t art = 0;
    bool loeschen = false;
    POINT ursprung{0, 0};
    plRegion reg;
    plRegion update;
};

struct plFenster {
    HWND h = 0;
    plKlasse* klasse = nullptr;
    WNDPROC proc = nullptr;
    DWORD stil = 0;
    DWORD exStil = 0;
    HWND eltern = 0;    // 0: top-level (child of the desktop)
    HWND besitzer = 0;  // owner of a top-level window
    std::vector<HWND> kinder;  // z-order, topmost first
    LONG_PTR id = 0;           // GWL_ID of a child
    HMENU menue = 0;           // menu of a top-level window
    LONG_PTR benutzer = 0;     // GWL_USERDATA
    std::vector<uint8_t> extra;
    std::string text;
    HINSTANCE instanz = 0;
    HICON iconGross = 0;
    HICON iconKlein = 0;
    RECT rect{0, 0, 0, 0};

    // Show state and placement.
    int zeigeZustand = SW_SHOWNORMAL;  // SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED
    RECT normalRect{0, 0, 0, 0};
    POINT minPos{-1, -1};
    POINT maxPos{-1, -1};
    UINT platzFlags = 0;

    // Paint state (client coordinates).
    plRegion update;
    bool loeschen = false;    // WM_ERASEBKGND due
    bool ncMalen = false;     // WM_NCPAINT due
    bool internMalen = false; // RDW_INTERNALPAINT
    bool neuZeichnen = true;  // WM_SETREDRAW
    bool imMalen = false;     // between BeginPaint and EndPaint
    bool ncAktiv = false;     // caption drawn active (WM_NCACTIVATE)

    bool erstellt = false;
    bool zerstoerung = false;

    // A top-level window framed by the desktop's window manager: the frame
    // (caption, borders) is the desktop's, `wmAusmass` its widths (left,
    // top, right, bottom) inside `rect`; the layer draws no caption or
    // border of its own then.
    bool wmRahmen = false;
    RECT wmAusmass{0, 0, 0, 0};

    cairo_surface_t* flaeche = nullptr;  // top-level windows only
    bool flaecheBemalt = false;          // a DC that reaches the surface was made
    // Headless, top level without a surface: the paints of its windows
    // that went nowhere, in the order they were made (fenstermal.cpp, rule
    // 6); the first read makes them again.
    std::vector<plMalSpur> malSpur;
};

struct plTimer {
    HWND fenster;
    UINT_PTR id;
    UINT periode;
    int64_t faellig;   // program clock, ms
    TIMERPROC proc;
    bool system;       // the layer's own (caret blink)
};

struct plWmZustand {
    bool gestartet = false;
    plHandleTabelle<plFenster> fenster{plHandleArt::Fenster};
    std::vector<std::unique_ptr<plKlasse>> klassen;
    HWND desktop = 0;

    std::deque<MSG> posted;
    std::deque<plEingabeEreignis> eingabe;
    std::deque<MSG> eingabeNachrichten;  // input already turned into messages, not yet taken
    bool quit = false;
    int quitCode = 0;
    std::vector<plTimer> timer;

    HWND aktiv = 0;
    HWND fokus = 0;
    HWND capture = 0;
    HCURSOR cursor = 0;
    int cursorZaehler = 0;

    int sendeTiefe = 0;
    DWORD nachrichtZeit = 0;
    POINT nachrichtPos{0, 0};
    POINT maus{PL_MAUS_START_X, PL_MAUS_START_Y};
    BYTE tasten[256] = {};       // GetKeyState view
    BYTE tastenAsync[256] = {};  // GetAsyncKeyState view
    UINT doppelklickZeit = 500;
    int nextDefaultPos = 0;

    // Last button press, for double clicks.
    HWND klickFenster = 0;
    UINT klickNachricht = 0;
    DWORD klickZeit = 0;
    POINT klickPos{0, 0};
    bool menueTasteAllein = false;  // Alt or F10 went down with no other key since

    static constexpr int PL_MAUS_START_X = 960;
    static constexpr int PL_MAUS_START_Y = 540;
};

// The one state of the window manager (starts it on first use: backend,
// desktop window).
plWmZustand& plWm();
// plFensterSystemEnde (fenster.h) ends everything: destroys all windows,
// unregisters the classes, empties queues and timers, frees cursors and the
// caret. Tests call it between cases; the program at its end.

plFenster* plFensterVon(HWND h);           // nullptr for a bad or desktop handle
plFenster* plFensterOderDesktop(HWND h);   // the desktop too
bool plFensterIstOben(const plFenster* w); // a top-level window
HWND plFensterOben(HWND h);                // its top-level window (0 for bad)

// Non-client insets of a window from its style (left, top, right, bottom),
// and the height of the menu-bar strip inside the top inset.
struct plRaender {
    int links, oben, rechts, unten;
    int beschriftung;  // caption height (0 none)
    int menue;         // menu bar height (0 none)
    int rahmen;        // frame width (0 under a desktop frame)
    int kante;         // client edge width
    // The window's frame outside the menu strip: the layer's own border and
    // caption, or the desktop's frame widths.
    int aussenLinks, aussenOben, aussenRechts, aussenUnten;
};
plRaender plFensterRaender(const plFenster* w);
// Asks the backend whether the desktop frames the new top-level window `w`
// and takes the frame's widths (CreateWindowEx).
void plFensterWmRahmenHolen(plFenster* w);
// The desktop placed a top-level window at `rc` (whole window): the
// window's limits (WM_GETMINMAXINFO) are applied, then SetWindowPos.
void plFensterVomDesktop(HWND h, const RECT* rc);
// The desktop's frame of a top-level window has new widths; the window is
// at `rc` (nullptr: the rectangle stays until the layer's state follows).
void plFensterRahmenNeu(HWND h, const RECT* ausmass, const RECT* rc);
// The window's limits for a size cx, cy (WM_GETMINMAXINFO), fenster.cpp.
void plFensterMinMax(HWND h, int& cx, int& cy);
// Client rectangle in the window's own client coordinates (0,0,w,h).
RECT plFensterClient(const plFenster* w);
// Client area origin in screen coordinates and in the coordinates of the
// top-level window's surface.
POINT plFensterClientBildschirm(const plFenster* w);
POINT plFensterClientInOben(const plFenster* w);
POINT plFensterInOben(const plFenster* w);  // window origin in the top-level surface
bool plFensterSichtbar(const plFenster* w);  // itself and all ancestors visible, redraw on
bool plFensterFrei(const plFenster* w);      // itself and all ancestors enabled

// Calls the window procedure (WNDPROC of the window) at once.
LRESULT plFensterRufen(HWND h, UINT msg, WPARAM wp, LPARAM lp);

// Paint internals (fenstermal.cpp).
// Adds `rcClient` (nullptr: the whole client area) to the update region;
// `kinder` 1 includes the children, -1 never, 0 when the window lacks
// WS_CLIPCHILDREN (its painting covers them then).
void plFensterUngueltig(plFenster* w, const RECT* rcClient, bool erase, int kinder);
void plFensterNcUngueltig(plFenster* w);
HWND plFensterMalKandidat();  // a window needing WM_PAINT, 0 when none
void plFensterFlaecheAnpassen(plFenster* w);
void plFensterFlaecheFrei(plFenster* w);
void plFensterDcsFrei(HWND h);  // releases DCs still held for a dying window
LRESULT plFensterNcMalen(HWND h);
LRESULT plFensterHintergrund(HWND h, HDC hdc);
void plFensterMalEnde();
// The paint that went nowhere is being painted again (the caret stays off).
bool plFensterNachholenLaeuft();
// Before a child window leaves its top level (`zerstoeren`: is destroyed):
// the held paints of that top level that are its own or its children's are
// made (destroyed: given up, their region kept until painted over).
void plFensterMalVorWeg(HWND h, bool zerstoeren);
// Visible region of a window (client area or whole window), in the
// coordinates of its top-level surface.
plRegion plFensterSichtbarRegion(const plFenster* w, bool ganz, bool kinderAus);

// Geometry internals (fensterplatz.cpp).
void plFensterMenueHoeheHookSetzen(plMenueLeisteHoeheFn f);
void plFensterZeigenIntern(HWND h, bool zeigen, bool aktivieren);
void plFensterNachOben(HWND h);
HWND plFensterUnterPunkt(POINT bildschirm, bool nurFreie);

// Focus internals (fokus.cpp).
void plFokusFensterWeg(HWND h);       // before a window is destroyed or hidden
bool plFokusAktivieren(HWND h, int wa);  // activate a top-level window
void plFokusEnde();
void plFokusProgrammInaktiv();  // another program became active

// Cursor and caret internals (cursor.cpp).
void plCaretFensterWeg(HWND h);
void plCaretVorMalen(HWND h);
void plCaretNachMalen(HWND h);
void plCaretTimer();
void plCursorEnde();
inline constexpr UINT_PTR PL_CARET_TIMER = 0xFFFF0001u;

// Timer internals (nachricht.cpp).
void plNachrichtTimerWeg(HWND h);
void plNachrichtEnde();
UINT_PTR plNachrichtSystemTimer(HWND h, UINT_PTR id, UINT ms);
void plNachrichtSystemTimerWeg(HWND h, UINT_PTR id);

// Input internals (eingabe.cpp): turns one queued input event into messages
// put into `aus` (0 when the event was used up without a message).
bool plEingabeNehmen(MSG* aus);
void plEingabeEnde();

// Hooks of fenster.h, kept here for DefWindowProc and FindWindow.
extern plSysBefehlFn plFensterSysBefehlHook;
extern plFremdFensterFn plFensterFremdHook;

// Case-insensitive comparison of code page 1252 texts (ASCII letters).
bool plTextGleich(const char* a, const char* b);
