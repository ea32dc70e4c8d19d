// Message boxes, the stop box and the assertion handler; see meldung.h.
// Prefix `wi`, file helpers `mld`. Calls platform/ (MessageBox,
// FatalAppExit, activation), the dialog manager and the frame record.
#include "winlib/meldung.h"

#include <cstdio>

#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"

namespace {

// Every box but the stop box: all windows disabled while it is up, then
// enabled with the modal owners kept disabled, and the window that was
// active activated again.
int mldBox(HWND besitzer, const char* text, const char* titel, UINT typ)
{
    // A dialog whose close is already posted (it says what it did on its
    // way out) cannot own the box: its end would take the box with it
    // before anyone saw it, or leave the box without the keyboard. It is
    // closed first; the main window owns the box.
    MSG m;
    if (besitzer != 0 && IsWindow(besitzer) && PeekMessage(&m, besitzer, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
        DispatchMessage(&m);
        besitzer = anwHauptfenster();
    }
    HWND aktiv = GetActiveWindow();
    wiDlgSperren(0);
    int r = MessageBox(besitzer, text, titel ? titel : "", typ | MB_TASKMODAL);
    wiDlgSperren(1);
    if (aktiv && IsWindow(aktiv)) SetActiveWindow(aktiv);
    // The window active before went while the box was up (a dialog that
    // closed and then said what it did): the main window takes over, so
    // that the keyboard is not left without a window.
    else if (GetActiveWindow() == 0 && anwHauptfenster() != 0 && IsWindow(anwHauptfenster()))
        SetActiveWindow(anwHauptfenster());
    return r;
}

// The title of the active window (80 characters).
void mldAktivTitel(char (&titel)[81])
{
    titel[0] = 0;
    HWND a = GetActiveWindow();
    if (a) GetWindowText(a, titel, sizeof titel);
}

}  // namespace

void wiHinweis(const char* format, ...)
{
    char t[WIMELDUNGSUP + 1];
    va_list a;
    va_start(a, format);
    std::vsnprintf(t, sizeof t, format, a);
    va_end(a);
    mldBox(wiDlgFenster(), t, anwTitel(), MB_OK | MB_ICONINFORMATION);
}

void wiMeldung(const char* format, ...)
{
    char t[WIMELDUNGSUP + 1];
    va_list a;
    va_start(a, format);
    std::vsnprintf(t, sizeof t, format, a);
    va_end(a);
    mldBox(wiDlgFenster(), t, anwTitel(), MB_OK | MB_ICONEXCLAMATION);
}

void wiFehlerEnde(const char* format, ...)
{
    char t[WIMELDUNGSUP + 1];
    va_list a;
    va_start(a, format);
    std::vsnprintf(t, sizeof t, format, a);
    va_end(a);
    wiDlgSperren(0);
    MessageBox(wiDlgFenster(), t, anwTitel(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    FatalAppExit(0, "Das Programm wird beendet.");
}

void wiInfo(const char* text)
{
    char titel[81];
    mldAktivTitel(titel);
    mldBox(0, text ? text : "", titel, MB_OK | MB_ICONINFORMATION);
}

void wiInfoTitel(const char* titel, const char* text)
{
    mldBox(0, text ? text : "", titel ? titel : "", MB_OK | MB_ICONINFORMATION);
}

int wiFrageArt(const char* text, int zweiterStandard)
{
    char titel[81];
    mldAktivTitel(titel);
    UINT typ = MB_YESNO | MB_ICONQUESTION | (zweiterStandard ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
    return mldBox(0, text ? text : "", titel, typ) == IDYES ? 1 : 0;
}

int wiFrage(const char* text) { return wiFrageArt(text, 0); }

int wiFrageLoeschen(const char* text)
{
    plNachrichtBoxBewahren(IDNO);
    const int r = wiFrage(text);
    plNachrichtBoxBewahren(0);
    return r;
}

int wiFrageAbbruch(const char* text, int standard)
{
    char titel[81];
    mldAktivTitel(titel);
    UINT def = standard == 1 ? MB_DEFBUTTON2 : standard == 2 ? MB_DEFBUTTON3 : MB_DEFBUTTON1;
    int r = mldBox(0, text ? text : "", titel, MB_YESNOCANCEL | MB_ICONQUESTION | def);
    return r == IDYES ? 1 : r == IDNO ? 0 : 2;
}

void wiAssertFenster(const char* datei, int zeile, const char* ausdruck)
{
    wiFehlerEnde("ASSERT ERROR\n%s.%d\n%s", datei ? datei : "", zeile, ausdruck ? ausdruck : "");
}
