// Dialogs of the platform layer: creation from the resource templates
// (modeless and modal), the default dialog procedure, dialog units, the item
// functions and the dialog keyboard interface (IsDialogMessage), shaped like
// the Windows calls of the same names. Prefix `plDialog` (file helpers
// `dlg`). Implemented in dialog.cpp (creation, DefDlgProc, modal loop,
// units), dialogitem.cpp (item functions), dialogtasten.cpp (keyboard
// interface, tab and group order) and dialogklassen.cpp (the standard
// classes, InitCommonControls). May call: fenster.h, eingabe.h,
// nachricht.h, gdi.h, ressource.h, menue.h (template menu bars), backend.h.
//
// Dialog units: one factor for both axes, HIWORD(GetDialogBaseUnits()) / 8,
// from one fixed system font (the stock DEFAULT_GUI_FONT) and the same for
// every template whatever its FONT line. MapDialogRect and the creation of
// templates use it; pixels = units x factor, rounded to the nearest.
//
// Creation, in Windows order: the dialog window (class "#32770" or the
// template's CLASS), WM_SETFONT to it when the template has a FONT line, the
// controls in template order each with WM_SETFONT, WM_INITDIALOG with the
// creation parameter (TRUE: the focus goes to the first tab stop), then it
// is shown when the template says WS_VISIBLE. All of this happens before
// CreateDialogParam returns.
//
// Standard control classes: the window manager forgets classes when it ends
// (tests end it between cases). The layer therefore registers every standard
// class that is missing (button, static, edit, list box, combo box, scroll
// bar, status bar, tooltips) and every class offered through
// plDialogKlasseAnbieten before it creates a dialog or a message box, and in
// InitCommonControls (plDialogKlassenSichern). A class registered later (the
// program's own custom classes) is found because controls are created by
// class name at creation time.
//
// Headless modal loops: when a modal loop has nothing left to do (no posted
// message, no input, no paint), the next scripted command id is sent to the
// dialog as a click (plDialogSkript), else its default button (the
// DM_SETDEFID id, else IDOK); if
// the dialog still stays, Cancel, and at last EndDialog(-1). So batch runs
// and tests never hang in a modal dialog.
#pragma once

#include "platform/ressource.h"
#include "platform/winconst.h"
#include "platform/windef.h"

// ---- Creation ------------------------------------------------------------------
HWND CreateDialogParam(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
inline HWND CreateDialog(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc)
{
    return CreateDialogParam(inst, name, owner, proc, 0);
}
// From a template struct (e.g. built in code); `inst` is the module the
// controls load their images from.
HWND CreateDialogIndirectParam(HINSTANCE inst, const RcDialog* tpl, HWND owner, DLGPROC proc, LPARAM param);
// Modal: disables the owner's top-level window (when it was enabled), runs a
// nested loop until EndDialog, enables the owner again before the dialog is
// destroyed. -1 when the template is missing or creation failed.
INT_PTR DialogBoxParam(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
inline INT_PTR DialogBox(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc)
{
    return DialogBoxParam(inst, name, owner, proc, 0);
}
INT_PTR DialogBoxIndirectParam(HINSTANCE inst, const RcDialog* tpl, HWND owner, DLGPROC proc, LPARAM param);
// Told of every dialog made from a named template (modeless or modal), before
// it is made: how a walk over the frame lists the templates it reaches.
// One watcher; nullptr ends the watch. A number name arrives as "#<n>".
typedef void (*plDialogBeobachterFn)(HINSTANCE inst, const char* name);
void plDialogBeobachter(plDialogBeobachterFn fn);
// Ends a modal dialog (its loop returns `result`); on a modeless dialog it
// only hides it, as on Windows.
BOOL EndDialog(HWND dlg, INT_PTR result);
LRESULT DefDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);

// ---- Units ----------------------------------------------------------------------------
LONG GetDialogBaseUnits();
BOOL MapDialogRect(HWND dlg, LPRECT rc);
// Pixels of `einheiten` dialog units (the one factor; rounded).
int plDialogPixel(int einheiten);
// The fixed system font the units come from.
HFONT plDialogSystemSchrift();

// ---- Items ---------------------------------------------------------------------------------
HWND GetDlgItem(HWND dlg, int id);
BOOL SetDlgItemText(HWND dlg, int id, LPCSTR text);
UINT GetDlgItemText(HWND dlg, int id, LPSTR buf, int size);
BOOL SetDlgItemInt(HWND dlg, int id, UINT value, BOOL vorzeichen);
UINT GetDlgItemInt(HWND dlg, int id, BOOL* ok, BOOL vorzeichen);
BOOL CheckDlgButton(HWND dlg, int id, UINT check);
UINT IsDlgButtonChecked(HWND dlg, int id);
BOOL CheckRadioButton(HWND dlg, int first, int last, int check);
LRESULT SendDlgItemMessage(HWND dlg, int id, UINT msg, WPARAM wp, LPARAM lp);
HWND GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous);
HWND GetNextDlgGroupItem(HWND dlg, HWND ctl, BOOL previous);

// ---- Keyboard interface -----------------------------------------------------------------------
// Takes every message meant for the dialog or its controls (translating and
// dispatching what it does not consume) and answers TRUE; FALSE for other
// windows' messages.
BOOL IsDialogMessage(HWND dlg, LPMSG msg);

// ---- Standard classes -------------------------------------------------------------------------
typedef void (*plKlassenAnbieterFn)();
// Offers a class: `registrieren` registers it (idempotent; a second
// RegisterClass of a live class fails harmlessly). Up to 32 offers.
void plDialogKlasseAnbieten(const char* name, plKlassenAnbieterFn registrieren);
// Registers every offered class that is missing, and the dialog class.
void plDialogKlassenSichern();

// ---- Common controls ------------------------------------------------------------------------
// Both register every standard class of the layer (button, static, edit,
// list box, combo box, scroll bar, status bar, tooltips) when missing.
#ifndef ICC_WIN95_CLASSES
#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_STANDARD_CLASSES 0x00004000
#endif
struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc);

// ---- Headless script of modal dialogs -------------------------------------------------------
// Queues a command id that the next idle modal loop sends as a click.
void plDialogSkript(int id);
void plDialogSkriptLeeren();
// Whether the window is a dialog of this layer (made by CreateDialog...).
bool plDialogIst(HWND hwnd);
