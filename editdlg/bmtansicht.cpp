// The view flag of equipment texts (see bmtext.h), in a file of its own:
// the equipment list page keeps the same flag, and the program links the
// one definition it finds first.
#include "editdlg/bmtext.h"

namespace {
int bmtAnsicht = 0;  // resolved until the user asks for the texts as typed
}

int BmtEditAnsicht(int n)
{
    if (n >= 0) bmtAnsicht = n ? 1 : 0;
    return bmtAnsicht;
}
