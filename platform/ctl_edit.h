// The EDIT control class of the platform layer: single-line and multi-line
// edit fields shaped like the Windows control (documented messages, styles,
// notifications and values). Prefix `plEdit`. Implemented in ctl_edit.cpp
// (state, layout, painting, messages) and ctl_edit_tasten.cpp (keyboard,
// mouse, clipboard and undo). May call: fenster.h, nachricht.h, eingabe.h,
// gdi.h, systemwerte.h, stil3d.h, ctl_scroll.h, zwischenablage.h,
// globalmem.h.
//
// Rules (as on Windows):
//  1. Lines of a multi-line text end with CR LF (a lone LF also ends one);
//     without ES_AUTOHSCROLL and WS_HSCROLL long lines wrap at blanks, and
//     EM_GETLINECOUNT / EM_LINEINDEX count the wrapped lines.
//  2. EN_UPDATE and EN_CHANGE follow every change of the text, whether typed,
//     pasted, replaced (EM_REPLACESEL) or set (WM_SETTEXT); EM_GETMODIFY
//     tells them apart: WM_SETTEXT clears the flag, every other change sets it.
//  3. The limit (EM_LIMITTEXT, default PL_EDIT_GRENZE_STANDARD) bounds what is
//     typed, pasted or replaced; the part that does not fit is dropped and
//     EN_MAXTEXT is sent. WM_SETTEXT is not bounded by it. A single-line
//     field without ES_AUTOHSCROLL takes only what fits its width.
//  4. One level of undo: EM_UNDO returns to the text before the last change
//     (a run of typing counts as one change); undoing again redoes.
//  5. Text is code page 1252 throughout; the clipboard carries it as CF_TEXT.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

#ifndef EC_LEFTMARGIN
#define EC_LEFTMARGIN 0x0001
#define EC_RIGHTMARGIN 0x0002
#define EC_USEFONTINFO 0xffff
#endif

inline constexpr int PL_EDIT_GRENZE_STANDARD = 30000;
inline constexpr int PL_EDIT_GRENZE_MAX = 0x7FFFFFFE;

// Registers the class "EDIT" (once per window-manager run; again after
// plFensterSystemEnde).
void plEditAnmelden();
