// The equipment list page's frame as its page procedures call it (inside
// lists/ only; see bmlbearb.h).
#pragma once

#include "platform/windef.h"

void BmlRahmenInit(HWND seite);
void BmlRahmenExit();
// Size, activation and the frame's commands (2580, 2593, 2595, 2596, 2980);
// 1 when the message was the frame's.
int BmlRahmenNachricht(UINT nachricht, WPARAM wp, LPARAM lp);
// Lays the page out for its client size (dialog units, clamped).
void BmlRahmenLayout();
