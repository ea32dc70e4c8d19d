// The progress dialog; see langdlg.h. Prefix `wiLang`, file helpers `lang`.
// Its window has a procedure of its own (it is no slot of the dialog
// manager). Calls platform/ (dialogs, messages, menus), the dialog manager
// (current dialog), the frame record and the window library (centring).
#include "winlib/langdlg.h"

#include <string>

#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace {

int langTiefe = 0;
HWND langFenster = 0;
HWND langKnopf = 0;     // its Cancel button (id 2)
int langAbgebrochen = 0;
HWND langMerk = 0;      // the window current when it opened
std::string langTitel;  // pending, consumed by the initialisation
bool langTitelDa = false;

INT_PTR langProz(HWND h, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        EnableMenuItem(GetSystemMenu(h, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        SetWindowText(h, anwTitel());
        wiZentrieren(h);
        if (langTitelDa) {
            SetDlgItemText(h, 4000, langTitel.c_str());
            SetDlgItemText(h, 4001, "");
            langTitel.clear();
            langTitelDa = false;
        }
        return 1;
    case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL) {
            langAbgebrochen = 1;
            HWND besitzer = GetWindow(h, GW_OWNER);
            if (besitzer) EnableWindow(besitzer, TRUE);
            DestroyWindow(h);
            if (langFenster == h) langFenster = 0;
        }
        return 1;
    default:
        return 0;
    }
}

}  // namespace

void wiLangStart(const char* titel) { wiLangStartVorlage("anw_long", titel); }

void wiLangStartVorlage(const char* vorlage, const char* titel)
{
    langTitel = titel ? titel : "";
    langTitelDa = true;
    wiLangStartMit(vorlage);
}

void wiLangStartMit(const char* vorlage)
{
    if (++langTiefe != 1) return;
    langMerk = wiDlgFenster();
    HWND haupt = anwHauptfenster();
    if (haupt) EnableWindow(haupt, FALSE);
    if (langMerk && langMerk != haupt) EnableWindow(langMerk, FALSE);
    langAbgebrochen = 0;
    langFenster = CreateDialogParam(anwInstanz(), vorlage, langMerk, langProz, 0);
    langKnopf = langFenster ? GetDlgItem(langFenster, IDCANCEL) : 0;
}

void wiLangItemText(int id, const char* text)
{
    if (!langFenster) return;
    SetDlgItemText(langFenster, id, text ? text : "");
    HWND c = GetDlgItem(langFenster, id);
    if (c) {
        InvalidateRect(c, nullptr, TRUE);
        UpdateWindow(c);
    }
}

void wiLangText(const char* text) { wiLangItemText(4001, text); }

int wiLangPumpe()
{
    MSG m;
    while (!langAbgebrochen && PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {  // left for the loop that owns the program
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (InSendMessage()) ReplyMessage(0);
        if (langFenster && IsDialogMessage(langFenster, &m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    return langAbgebrochen ? 0 : 1;
}

void wiLangEnde()
{
    if (langTiefe <= 0) return;
    if (--langTiefe != 0) return;
    HWND h = langFenster;
    langFenster = 0;
    langKnopf = 0;
    HWND haupt = anwHauptfenster();
    if (haupt) EnableWindow(haupt, TRUE);
    if (langMerk && IsWindow(langMerk)) EnableWindow(langMerk, TRUE);
    langMerk = 0;
    if (!langAbgebrochen && h && IsWindow(h)) DestroyWindow(h);
    // A cancel belongs to its dialog: a later pump without one must not
    // find it still set and stop a run that nobody cancelled.
    langAbgebrochen = 0;
}

HWND wiLangFenster() { return langFenster; }
int wiLangTiefe() { return langTiefe; }

void wiMeldungenAbarbeiten(HWND fenster)
{
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (fenster && IsDialogMessage(fenster, &m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
}
