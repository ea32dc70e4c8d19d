// The frame's services for the pages of the modes, which live above this
// folder (project/, editor/, lists/, output/) but below frame/: a page
// registers its window in the frame's page table when it opens and removes
// it when it closes, sets the current mode when it becomes active, and
// posts commands to the main window or to every page. frame/ installs the
// real functions at start (wiSeitenDienstSetzen); until then, and for every
// member left null, the stand-ins do nothing (post: PostMessage WM_COMMAND
// to the main window). Prefix `wiSeite`. May call platform/ and the frame
// record (anwdaten.h).
#pragma once

#include "platform/windef.h"

struct WiSeitenDienst {
    void (*anmelden)(HWND seite);           // SeiteAnmelden
    void (*abmelden)(HWND seite);           // SeiteAbmelden
    void (*modusSetzen)(int modus);         // ModusSetzen
    void (*verteilen)(int id, LPARAM lp);   // BefehlVerteilen
    void (*hauptPost)(int id, LPARAM lp);   // HauptPost
    void (*modusUmschalten)(int modus);     // ModusUmschalten
    int (*modus)();                         // Modus
    void (*umschaltenAuf)(const char* pfad);  // UmschaltenAuf
    void (*gruppeEditieren)(const char* gruppe);  // VgbGruppeEditieren
};

void wiSeitenDienstSetzen(const WiSeitenDienst& dienst);
void wiSeitenDienstZuruecksetzen();

// Callers never test for null.
void wiSeiteAnmelden(HWND seite);
void wiSeiteAbmelden(HWND seite);
void wiSeiteModus(int modus);
void wiSeiteVerteilen(int id, LPARAM lp);
void wiSeiteHauptPost(int id, LPARAM lp);
// Switches the shell to a mode (stand-in: nothing); the current mode
// (stand-in: 0); the shell follows a drawing's folder (stand-in: nothing).
void wiSeiteUmschalten(int modus);
int wiSeiteModusHolen();
void wiSeiteUmschaltenAuf(const char* pfad);
// The settings page of one defaults group (the "Einstellen" buttons).
void wiSeiteGruppeEditieren(const char* gruppe);
// Shows a page again as the current one: the frame disabled it when it hid
// it for another mode, so it takes input again; watched files are checked
// and the page hears 2580 (its own activation).
void wiSeiteAktivieren(HWND seite);
