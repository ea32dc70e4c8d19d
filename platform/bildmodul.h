// Pictures of the resource bundles: the loader that LoadBitmap, LoadIcon,
// LoadCursor and LoadImage ask for the bytes of a module's BITMAP, ICON and
// CURSOR resources (bildlader.h's hook), answered from the packed modules of
// ressource.h. Prefix `plBildModul`. May call: bildlader.h, ressource.h.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/windef.h"

// Installs the loader (idempotent). The program's start-up calls it before
// the first picture is loaded; until then the bitmap loader's stand-in table
// answers.
void plBildModulLaderAnmelden();
// The loader itself: the file bytes of resource `name` of kind `art`
// (IMAGE_BITMAP, IMAGE_ICON, IMAGE_CURSOR) in `modul`; 0, or -1 when the
// module has no such resource.
int plBildModulLader(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t>& bytes);
