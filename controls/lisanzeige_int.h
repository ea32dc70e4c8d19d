// Inside the list display: the slot record and the helpers shared by
// lisanzeige.cpp (rows, painting, editing) and lisanzeige_ein.cpp (input).
// Nothing outside controls/lisanzeige*.cpp includes this file.
#pragma once

#include "controls/lisanzeige.h"

inline constexpr int LISKAPANFANG = 64;  // rows a new list holds before it grows

struct LisSlot {
    HWND dialog;  // 0 = free
    int id;
    int cw, lh;
    int breite, hoehe;
    int seite;
    int rollId;
    int rollGesamt, rollSeite;
    int oben;
    bool klickMarkieren, einzeln, ohneCursorFarbe, ohneFokus;
    pos* poslis;
    int kapazitaet;  // rows poslis holds (>= every anzahl so far)
    int anzahl;
    int akt;
    int anker;
    bool alleMarkiert;
    int ersteSichtbar, letzteSichtbar;
    int malZeile;
    int gesamt;
    int seiteKopie;
    LisHoeheFn hoeheFn;
    LisMalFn malFn;
    LisMal2Fn mal2Fn;
    LisEreignisFn ereignisFn;
    int mausFlag;
    int cursorBefehl, aktivBefehl, kontextBefehl;
    int ziehBefehl;
    bool ziehScharf, bereichZiehen;
    bool ziehGezogen;  // the last armed drag ended; its drop can still be asked for
    bool kopfGemalt;
    int editId, schrittId, tabId, seitenId;
    char spaltenArten[LISARTENSUP + 1];
    int editZeile, editSpalte;
    int editSpalten;
    bool editSichtbar;
    LisZelleTextFn zelleTextFn;
    LisZelleSpeichernFn zelleSpeichernFn;
    int zeilenVersatz;
    int zeilenZustand;
};

// The slot of (current dialog, id); -1 when none.
int lisEinstellen(int id);
// The same, or the assertion of the module when none.
LisSlot& lisSlot(int id);
LisSlot& lisSlotNr(int nr);

// One command text to the display (or the heading strip: id + 3).
void lisSenden(const LisSlot& s, int id, const char* format, ...) __attribute__((format(printf, 3, 4)));
// "get <what>" and its answer read back (at most n characters).
void lisFragen(const LisSlot& s, const char* frage, char* antwort, int n);

int lisStart(const LisSlot& s, int zeile);   // half-line where a row starts
int lisZeileBei(const LisSlot& s, int k);    // row holding half-line k ([start, start + h - 1])
bool lisEinblenden(LisSlot& s, int zeile);   // cursor to the row, scrolled in; true: repaint due
void lisObenSetzen(LisSlot& s, int oben);
void lisMalen(LisSlot& s);
// Ordinary event form (ends editing unless 14, stores the by-mouse flag).
void lisEreignis(LisSlot& s, int ereignis, int maus);
// In-place form: explicit row, editing stays, flag untouched.
void lisEreignisEdit(LisSlot& s, int ereignis, int zeile);
void lisEditBeenden(LisSlot& s);
void lisEditOeffnen(LisSlot& s);
void lisMarkenLeeren(LisSlot& s);
void lisAnkerSchreiben(LisSlot& s);  // anchor range into the flags, anchor cleared
