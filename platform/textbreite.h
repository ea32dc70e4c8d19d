// Measuring many short texts in one font, for lists that size their columns
// to the widest entry. Prefix `pl`. Implemented with the GDI layer's text
// measuring (gditext.cpp).
#pragma once

#include "platform/gdi.h"

// GetTextExtentPoint32's size, cheaper for many texts in one font: from the
// single characters' widths where the text's neighbouring pairs add up (each
// pair laid out once per font), else laid out.
BOOL plTextBreite(HDC hdc, LPCSTR text, int n, LPSIZE sz);

// Fonts loaded so far: a face at a size and kind not loaded before, each a
// fontconfig match of its own (tests and benchmarks count them).
long plSchriftenGeladen();
