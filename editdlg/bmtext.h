// The view of equipment texts shared by the short-text dialog and the
// equipment list page: the view flag (texts as typed or resolved) and how
// one stored text is shown. Prefix `Bmt`. Calls nothing but support.
#pragma once

#include <cstddef>

// n >= 0 sets the flag (1 texts as typed, 0 resolved); every call returns it.
int BmtEditAnsicht(int n);

// How a set of text lines is shown: `unterschied` tells whether any line's
// stored text differs from its resolved one.
struct BmtAnsicht {
    int umschaltbar;   // the view toggle (2522) enabled
    int roh;           // the stored texts are shown (else the resolved ones)
    int nurLesen;      // fields get ESC "r 1" (else ESC "r 0")
    const char* bild;  // bitmap of the toggle
    const char* bildAus;  // its bitmap while disabled ("" when enabled)
};
BmtAnsicht BmtAnsichtWaehlen(int unterschied);

// A shown text: cut at its first byte 4 when that byte is not its first
// character. Returns 1 when the stored text holds a byte 4 after its first
// character (the field is highlighted).
int BmtAnzeigeText(const char* text, char* aus, size_t kap);
