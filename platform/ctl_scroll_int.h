// The scroll-bar core shared by the SCROLLBAR control (ctl_scroll.cpp) and
// the window scroll bars (scrollbar.cpp): the bar's values, its geometry
// along one axis, drawing and the modal tracking loop. Prefix `plScroll`.
// Only those two files and the other standard controls include it.
#pragma once

#include <functional>

#include "platform/ctl_scroll.h"

struct plScrollWerte {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool verfolgt = false;   // the thumb is being dragged
    UINT pfeileAus = 0;      // ESB_DISABLE_LTUP | ESB_DISABLE_RTDN
    bool infoGesperrt = false;  // disabled by SIF_DISABLENOSCROLL
    int gedrueckt = 0;       // plScrollTeil pressed now (drawn sunken)
};

// Parts of a bar, in the order they lie along it.
enum plScrollTeil : int {
    PL_SCROLL_NICHTS = 0,
    PL_SCROLL_PFEIL_AUF = 1,
    PL_SCROLL_SEITE_AUF = 2,
    PL_SCROLL_DAUMEN = 3,
    PL_SCROLL_SEITE_AB = 4,
    PL_SCROLL_PFEIL_AB = 5,
};

// Geometry along the bar's axis, in the bar's own coordinates (0 = top or
// left edge): arrows of `pfeil` pixels at both ends, the shaft between, the
// thumb inside it (laenge 0: no thumb).
struct plScrollGeo {
    int gesamt;       // length of the bar
    int quer;         // thickness
    int pfeil;
    int daumenAnf;
    int daumenLaenge;
};

// Whether the values make the bar necessary (a range to scroll).
bool plScrollNoetig(const plScrollWerte& w);
// The highest position pos may take.
int plScrollPosMax(const plScrollWerte& w);
// Applies a SCROLLINFO (rule 1); returns the new position.
int plScrollSetzen(plScrollWerte& w, const SCROLLINFO* si);
void plScrollHolen(const plScrollWerte& w, SCROLLINFO* si);
plScrollGeo plScrollGeometrie(const RECT& rc, bool vertikal, const plScrollWerte& w, bool frei);
int plScrollTeilBei(const plScrollGeo& g, int entlang);
// Draws the bar into `rc` of `hdc`; `frei` false draws it disabled.
void plScrollMalen(HDC hdc, const RECT& rc, bool vertikal, const plScrollWerte& w, bool frei);

// The modal tracking loop of a pressed bar. `bildschirm` gives the bar's
// rectangle in screen coordinates (re-read on every step, the window may
// move), `senden` sends one SB_ code with a position, `neuMalen` redraws the
// bar; `w` is re-fetched through `werte` after every sent message (a
// receiver may destroy the window: nullptr ends the loop). `start` is the
// press point in screen coordinates; `capture` the window that takes the
// mouse meanwhile.
struct plScrollVerfolgung {
    HWND capture;
    bool vertikal;
    std::function<RECT()> bildschirm;
    std::function<plScrollWerte*()> werte;
    std::function<bool()> frei;
    std::function<void(int code, int pos)> senden;
    std::function<void()> neuMalen;
};
void plScrollVerfolgen(const plScrollVerfolgung& v, POINT start);

// scrollbar.cpp: forgets the window bars of an ended window-manager run
// (handles repeat after plFensterSystemEnde) and installs the non-client
// painter. plScrollAnmelden calls both when it registers the class anew.
void plScrollFensterLeeren();
void plScrollNcHookSetzen();
