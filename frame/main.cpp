// Entry of the `velmo` program: keeps the argument vector, starts the
// platform layer through its one backend selection (headless without a
// display or with VELMO_BACKEND=headless; an unusable choice ends with a
// message and exit code 1) and runs WinMain, whose quit parameter is the
// exit code. May call platform/, winlib/ and frame/anw.h.

#include "frame/anw.h"
#include "platform/fenster.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "winlib/winbib.h"

int main(int argc, char** argv)
{
    plOrtArgumenteSetzen(argc, argv);
    if (plFensterSystemStart() < 0) return 1;
    int code = WinMain(GetModuleHandle(nullptr), 0, wiKommandozeile(), SW_SHOWDEFAULT);
    plFensterSystemEnde();
    return code;
}
