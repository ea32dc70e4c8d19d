// The COMBOBOX control class of the platform layer, shaped like the Windows
// control (documented messages, styles, notifications and values). Prefix
// `plCombo`. Implemented in ctl_combo.cpp; the list is a list box of class
// "ComboLBox" (ctl_liste.cpp) and the edit field an EDIT (ctl_edit.cpp).
// May call: fenster.h, nachricht.h, eingabe.h, gdi.h, systemwerte.h,
// stil3d.h, ctl_edit.h, ctl_liste.h.
//
// Rules:
//  1. CBS_SIMPLE shows its list below the edit field at all times; the
//     drop-down kinds show only the selection field, as high as the font
//     (or the owner's WM_MEASUREITEM for item -1) asks; the height a caller
//     gives them is the height of the dropped list, as on Windows.
//  2. The dropped list is a top-level popup under the combo box that takes
//     the mouse (capture) while it is open: moving over it highlights, a
//     click on an item chooses it, a click anywhere else closes it unchosen.
//     The focus stays in the combo box (or its edit field), which hands the
//     list its keys.
//  3. Notifications, in this order:
//     opening (click on the button or field, F4, Alt+Down, CB_SHOWDROPDOWN):
//       CBN_DROPDOWN, then the list shows;
//     a key moving the selection (list open or closed): CBN_SELCHANGE;
//     closing with a choice (Enter, a click on an item, F4, Alt+Up):
//       CBN_SELENDOK, CBN_CLOSEUP, then CBN_SELCHANGE when the choice
//       differs from the selection last reported;
//     closing without one (Esc, a click elsewhere, the focus leaving):
//       CBN_SELENDCANCEL, CBN_CLOSEUP (the selection returns to the last
//       reported one); CB_SHOWDROPDOWN(FALSE): CBN_CLOSEUP;
//     a click in the list of a CBS_SIMPLE box: CBN_SELENDOK, CBN_SELCHANGE;
//     the edit field's EN_UPDATE / EN_CHANGE: CBN_EDITUPDATE / CBN_EDITCHANGE;
//     focus: CBN_SETFOCUS / CBN_KILLFOCUS.
//     CB_ messages never notify.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

// Control ids of the parts, as on Windows.
inline constexpr int PL_COMBO_EDIT_ID = 1001;
inline constexpr int PL_COMBO_LISTE_ID = 1000;

// Registers the class "COMBOBOX" with "EDIT", "LISTBOX" and "ComboLBox"
// (once per window-manager run; again after plFensterSystemEnde).
void plComboAnmelden();
