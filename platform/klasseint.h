// Registration of the window classes the platform layer brings itself
// (controls, dialogs, menus): shared by their files, implemented in
// fenster.cpp. Nothing outside platform/ includes it.
#pragma once

#include "platform/winconst.h"
#include "platform/windef.h"

// Registers a class of the layer's own (no instance; a system cursor) unless
// one of that name is registered already.
void plKlasseSichern(LPCSTR name, WNDPROC proc, UINT stil, int fensterExtra, LPCSTR cursor = IDC_ARROW);
