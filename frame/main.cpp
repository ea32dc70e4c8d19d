// Entry of the `velmo` program: keeps the argument vector, starts the
// platform layer through its one backend selection and runs WinMain, whose
// quit parameter is the exit code. A start for a user (neither -W= nor -A=)
// needs a display unless VELMO_BACKEND names the backend: without one the
// selection says so on stderr and the program ends with 1, where it would
// otherwise run headless, invisible and without end. Any other unusable
// choice ends with a message and 1 as well. May call platform/, winlib/ and
// frame/anw.h.

#include "frame/anw.h"
#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "winlib/winbib.h"

int main(int argc, char** argv)
{
    plOrtArgumenteSetzen(argc, argv);
    AnwSchalter schalter;
    anwSchalterLesen(&schalter);
    plBackendAnzeigeVerlangen(anwOhneBenutzer(schalter) ? 0 : 1);
    if (plFensterSystemStart() < 0) return 1;
    int code = WinMain(GetModuleHandle(nullptr), 0, wiKommandozeile(), SW_SHOWDEFAULT);
    plFensterSystemEnde();
    return code;
}
