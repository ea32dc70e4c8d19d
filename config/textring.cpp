// The ring of default texts (see textring.h).
#include "config/textring.h"

#include "support/texte.h"

namespace {
char textRingPuffer[TEXTRINGANZAHL][TEXTRINGLAENGE + 1];
int textRingIndex = 0;
}  // namespace

const char* TextRing(const char* abschnitt, int id, const char* text)
{
    (void)abschnitt;
    (void)id;
    char* p = textRingPuffer[textRingIndex];
    textRingIndex = (textRingIndex + 1) % TEXTRINGANZAHL;
    strkopie(p, TEXTRINGLAENGE + 1, text ? text : "", TEXTRINGLAENGE);
    return p;
}
