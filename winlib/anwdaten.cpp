// The frame record and its plain accessors; see anwdaten.h. Prefix `anw`.
// Calls platform/ (cursors, icons, brushes) and support/ (bounded copies).
#include "winlib/anwdaten.h"

#include <cstring>

#include "platform/bildlader.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "support/texte.h"
#include "winlib/winbib.h"

namespace {

char anwTitelPuffer[ANWTITELSUP + 1];
char anwKlassePuffer[ANWKLASSESUP + 1];
anwdaten anwRecord{anwTitelPuffer, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, anwKlassePuffer, 0};
int anwZustand = 0;
int anwAndere = 0;

}  // namespace

anwdaten* anwDaten() { return &anwRecord; }
int anwLaufZustand() { return anwZustand; }
void anwLaufZustandSetzen(int zustand) { anwZustand = zustand; }
HWND anwElternFenster(HWND fenster) { return GetParent(fenster); }
HWND anwDlgItem(HWND dlg, int id) { return GetDlgItem(dlg, id); }
HWND anwHauptfenster() { return anwRecord.hauptfenster; }
HINSTANCE anwInstanz() { return anwRecord.instanz; }
int anwAndereInstanz() { return anwAndere; }
void anwAndereInstanzSetzen(int ja) { anwAndere = ja ? 1 : 0; }
const char* anwTitel() { return anwRecord.titel; }

int anwCursor(int art)
{
    HCURSOR c = 0;
    switch (art) {
    case 0: c = anwRecord.pfeilCursor ? anwRecord.pfeilCursor : LoadCursor(0, IDC_ARROW); break;
    case 1: c = anwRecord.warteCursor ? anwRecord.warteCursor : LoadCursor(0, IDC_WAIT); break;
    case 2: c = anwRecord.sonderCursor; break;
    case 3: c = LoadCursor(0, IDC_CROSS); break;
    case 4: c = LoadCursor(0, IDC_NO); break;
    case 5: c = LoadCursor(0, IDC_UPARROW); break;
    default: return art;  // negative kinds and kinds above 5 do nothing
    }
    SetCursor(c);
    return art;
}

void anwIconsSetzen(const char* gross, const char* klein)
{
    HICON g = LoadIcon(anwRecord.instanz, gross);
    HICON k = LoadIcon(anwRecord.instanz, klein);
    if (!anwRecord.hauptfenster) return;
    SendMessage(anwRecord.hauptfenster, WM_SETICON, ICON_BIG, static_cast<LPARAM>(g));
    SendMessage(anwRecord.hauptfenster, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(k));
}

const char* anwTitelSetzen(const char* text)
{
    strkopie(anwTitelPuffer, text ? text : "", ANWTITELSUP);
    anwRecord.titel = anwTitelPuffer;
    return anwTitelPuffer;
}

void anwHintergrundSetzen(HBRUSH pinsel) { anwRecord.hintergrund = pinsel; }

HBRUSH anwHintergrundFarbe(int rot, int gruen, int blau)
{
    anwRecord.hintergrund = CreateSolidBrush(RGB(rot, gruen, blau));
    return anwRecord.hintergrund;
}

void anwBeschaeftigt() { wiBeschaeftigt(1); }
void anwFertig() { wiBeschaeftigt(0); }

void anwZuruecksetzen()
{
    anwTitelPuffer[0] = 0;
    anwKlassePuffer[0] = 0;
    anwRecord = anwdaten{anwTitelPuffer, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, anwKlassePuffer, 0};
    anwZustand = 0;
    anwAndere = 0;
}
