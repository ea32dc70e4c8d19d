// The LISTBOX control class of the platform layer, shaped like the Windows
// control (documented messages, styles, notifications and values), and
// DlgDirList. Prefix `plListe`. Implemented in ctl_liste.cpp (items,
// messages, selection), ctl_liste_malen.cpp (layout, painting, owner draw)
// and ctl_liste_dir.cpp (LB_DIR, DlgDirList). May call: fenster.h,
// nachricht.h, eingabe.h, gdi.h, systemwerte.h, stil3d.h, ctl_scroll.h,
// dateisys.h.
//
// Rules (as on Windows):
//  1. Owner-drawn boxes ask their parent: WM_MEASUREITEM once at creation
//     (fixed) or per item when it is added (variable), WM_DRAWITEM for each
//     item with ODA_DRAWENTIRE when painted, ODA_SELECT when its selection
//     changes and ODA_FOCUS when the focus rectangle moves, WM_DELETEITEM for
//     each removed item (owner-drawn, or with non-zero item data) and
//     WM_COMPAREITEM to sort items without strings.
//  2. LBN_SELCHANGE and LBN_DBLCLK reach the parent only with LBS_NOTIFY and
//     only for the user's actions; LBN_SETFOCUS / LBN_KILLFOCUS always.
//  3. Multiple selection: a click toggles the item. Extended selection: a
//     click selects only the item and sets the anchor, Shift+click selects
//     anchor..item, Ctrl+click toggles the item and moves the anchor, and
//     the same with Shift/Ctrl and the arrow keys.
//  4. A list box of a combo box (class "ComboLBox") reports to the combo box
//     and draws its owner-drawn items as the combo box's (ODT_COMBOBOX).
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef DDL_READWRITE
#define DDL_READWRITE 0x0000
#define DDL_READONLY 0x0001
#define DDL_HIDDEN 0x0002
#define DDL_SYSTEM 0x0004
#define DDL_DIRECTORY 0x0010
#define DDL_ARCHIVE 0x0020
#define DDL_POSTMSGS 0x2000
#define DDL_DRIVES 0x4000
#define DDL_EXCLUSIVE 0x8000
#endif

// Most items a list box holds; LB_ERRSPACE beyond.
inline constexpr int PL_LISTE_EINTRAEGESUP = 1000000;

// Fills list box `idListe` of `dlg` with the names matching the path in
// `pfad` (folder part and a pattern with * and ?, "*.*" when none), folders
// as "[name]" with DDL_DIRECTORY; makes the folder the working folder and
// writes it into control `idStatisch` (0: none); `pfad` keeps the pattern
// only (at most as long as it was). 0 when the folder cannot be read.
int DlgDirList(HWND dlg, LPSTR pfad, int idListe, int idStatisch, UINT arten);
// The selected entry of a DlgDirList box into `buf` (folders without the
// brackets and with a trailing '/'); TRUE when it is a folder.
BOOL DlgDirSelectEx(HWND dlg, LPSTR buf, int n, int idListe);

// Registers the classes "LISTBOX" and "ComboLBox" (once per window-manager
// run; again after plFensterSystemEnde).
void plListeAnmelden();
