// The editor's messages; see edmeld.h.
#include "editor/edmeld.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "config/reaktion.h"
#include "editor/edtseite.h"
#include "editor/eingabe.h"
#include "editor/history.h"
#include "model/edhaken.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "support/texte.h"

namespace {

constexpr int EDMELDSUP = 80;     // characters of a numbered status or box text
constexpr int EDFRAGESUP = 100;   // characters of a numbered question
constexpr int EDEINGABE = 5020;   // input line of the page

int emOffen = 0;
std::string emLetzter;

// A message ends whatever the prompt asked for: back to the default command
// with an empty field, then the text in its place.
void emZeigen(const char* text, bool pieps)
{
    PromptStandard();
    PromptAnzeigen();
    emLetzter = text != nullptr ? text : "";
    if (pieps) MessageBeep(0);
    HWND seite = EdtFenster();
    if (seite != 0) SetDlgItemText(seite, EDEINGABE, emLetzter.c_str());
}

std::string emNr(int n, int laenge)
{
    char t[EDFRAGESUP + 1];
    strkopie(t, sizeof t, TextNr(n + 1000), laenge);
    return t;
}

int emBox(const char* text, unsigned typ)
{
    emOffen = 1;
    int a = MessageBox(EdtFenster(), text, TextNr(1000), typ);
    emOffen = 0;
    // The queue waited while the box was open.
    EdtBefehlPosten(2501);
    return a;
}

}  // namespace

void StatusMeldung(const char* text) { emZeigen(text, true); }
void StatusHinweis(const char* text) { emZeigen(text, false); }

void StatusTextf(const char* format, ...)
{
    char t[512];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(t, sizeof t, format, ap);
    va_end(ap);
    emZeigen(t, true);
}

void StatusMeldungNr(int n) { emZeigen(emNr(n, EDMELDSUP).c_str(), true); }
void StatusHinweisNr(int n) { emZeigen(emNr(n, EDMELDSUP).c_str(), false); }

int EdFrage(const char* text, unsigned knoepfe) { return emBox(text, knoepfe | MB_ICONQUESTION); }

int JaNeinFrage(int n) { return EdFrage(emNr(n, EDFRAGESUP).c_str(), MB_YESNO) == IDYES ? 1 : 0; }

int JaNeinAbbruchFrage(int n)
{
    int a = EdFrage(emNr(n, EDFRAGESUP).c_str(), MB_YESNOCANCEL);
    return a == IDYES ? 1 : a == IDNO ? 0 : 2;
}

void MeldungNr(int n, int warnung)
{
    emBox(emNr(n, EDMELDSUP).c_str(), MB_OK | (warnung ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

int MeldungOffen() { return emOffen; }
const char* StatusLetzterText() { return emLetzter.c_str(); }

void EdMeldHakenSetzen()
{
    EdHaken h;
    h.MeldungNr = MeldungNr;
    h.MeldungOffen = MeldungOffen;
    h.StatusMeldung = StatusMeldung;
    h.StatusText = StatusMeldung;  // StatusTextf's output, with its beep
    EdHakenSetzen(h);
}
