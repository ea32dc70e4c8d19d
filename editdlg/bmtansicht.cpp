// The view flag of equipment texts (see bmtext.h), shared by the text
// window and the equipment list page.
#include "editdlg/bmtext.h"

namespace {
int bmtAnsicht = 0;  // resolved until the user asks for the texts as typed
}

int BmtEditAnsicht(int n)
{
    if (n >= 0) bmtAnsicht = n ? 1 : 0;
    return bmtAnsicht;
}
