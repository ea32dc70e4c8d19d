// Helpers shared by the settings dialogs of this folder (einstell.cpp,
// optionen.cpp, raster.cpp, eigensch.cpp); nothing outside editdlg/
// includes this. Prefix `Est`.
#pragma once

#include "editdlg/dbdialog.h"
#include "model/edhaken.h"
#include "model/zustand.h"
#include "platform/winconst.h"
#include "winlib/dialog.h"

// The graphic state the editor shows (the program's defaults before it runs).
inline STT EstZustand()
{
    const STT* s = modh::EditorZustand();
    return s != nullptr ? *s : STT{};
}

// A user's change, not one of a fill.
inline bool EstGetippt(WPARAM wp) { return HIWORD(wp) == EN_CHANGE && !DbFuellt(); }
inline bool EstGewaehlt(WPARAM wp) { return HIWORD(wp) == CBN_SELCHANGE && !DbFuellt(); }
inline bool EstGeklickt(WPARAM wp) { return HIWORD(wp) == BN_CLICKED && !DbFuellt(); }

// The closing buttons every settings dialog shares: Enter (unless a picture
// button takes it), Esc and "Schließen". True when `id` was one of them.
inline bool EstSchliessen(int id)
{
    if (id == 1) {
        if (!DbEnter()) wiDlgSchliessen();
        return true;
    }
    if (id == 2 || id == 2500) {
        wiDlgSchliessen();
        return true;
    }
    return false;
}
