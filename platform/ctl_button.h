// The BUTTON control class of the layer: push and default push buttons,
// check boxes (two and three states, automatic or not), radio buttons
// (automatic or not), group boxes and owner-drawn buttons, drawn in the
// classic look of stil3d, with BM_GETCHECK/SETCHECK/GETSTATE/SETSTATE/
// SETSTYLE/CLICK/GETIMAGE/SETIMAGE and the notifications BN_CLICKED,
// BN_DOUBLECLICKED, BN_SETFOCUS, BN_KILLFOCUS (the last two with BS_NOTIFY).
// Prefix `plKnopf`. May call: fenster.h, eingabe.h, nachricht.h, gdi.h,
// stil3d.h, dialog.h.
#pragma once

#include "platform/windef.h"

#define WC_BUTTON "Button"

// Registers the class "Button" when missing (the dialog layer does it
// before every dialog).
void plKnopfKlasseRegistrieren();
