// Service hooks of model/: the operations of higher layers (rendering,
// editor, equipment database) that the drawing model calls. One table of
// function pointers, never null: every entry starts as a documented
// stand-in, and the higher modules install their own at start-up. Entries
// left null in a table handed to ModDiensteSetzen keep what was installed.
// Prefix `ModDienst`. Calls nothing above model/.
#pragma once

#include <cstddef>

struct ModDienste {
    // Replaces a colour name in place by its "r g b" text ("0 0 0" when
    // unknown). Stand-in: always "0 0 0".
    void (*RgbAusFarbname)(char* text, size_t kap);
    // Upper limit of dash lengths of the line-style module (0 = none).
    // Stand-in: nothing.
    void (*StrichMaxSetzen)(int n);
};

// The table in force (every entry set).
const ModDienste& ModDienst();
// Installs the non-null entries of `d`.
void ModDiensteSetzen(const ModDienste& d);
// Back to the stand-ins (tests).
void ModDiensteStandard();

// Calls through the table.
void RgbAusFarbname(char* text, size_t kap);
void StrichMaxSetzen(int n);
