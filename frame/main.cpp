// Entry of the `velmo` program: keeps the argument vector, starts the
// platform layer through its one backend selection and runs WinMain, whose
// quit parameter is the exit code. A start for a user (neither -W= nor -A=)
// needs a display unless VELMO_BACKEND names the backend: without one the
// selection says so on stderr and the program ends with 1, where it would
// otherwise run headless, invisible and without end. Any other unusable
// choice ends with a message and 1 as well. May call platform/, winlib/ and
// frame/anw.h.

#include "frame/anw.h"
#include "frame/dde.h"
#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/orte.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "winlib/winbib.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// The usage, in UTF-8 for the terminal.
constexpr char MAIN_HILFE[] =
    "Aufruf: velmo [Optionen] [Projektordner | Zeichnung]\n"
    "\n"
    "Startet Velmo auf dem Projektordner oder dem Ordner der Zeichnung\n"
    "(ohne Angabe: der aktuelle Ordner, mit der Liste der letzten Projekte).\n"
    "L\xC3\xA4uft Velmo schon, \xC3\xBC" "bernimmt das laufende Programm den Ordner\n"
    "und kommt nach vorn.\n"
    "\n"
    "Optionen:\n"
    "  -W=1          Start ohne Benutzer (keine Fragen beim Start)\n"
    "  -A=<Datei>    Befehlsdatei abarbeiten (schlie\xC3\x9Ft -W=1 ein)\n"
    "  -G=<Name>     Vorgabensatz w\xC3\xA4hlen\n"
    "  -GD=<Datei>   Datei der Vorgabengruppe w\xC3\xA4hlen\n"
    "  -S=<Nummer>   Sprache w\xC3\xA4hlen\n"
    "  -N=<Nummer>   Kennzeichnungsnorm w\xC3\xA4hlen\n"
    "  -X=<Wert>     wird angenommen und nicht ausgewertet\n"
    "  --help        diese Hilfe zeigen\n"
    "\n"
    "Umgebung: VELMO_BACKEND=headless startet ohne Anzeige.\n"
    "\n"
    "Ohne Anzeige (-W=1 oder -A= ohne Display, VELMO_BACKEND=headless) wird\n"
    "jede Meldung sofort mit ihrer Vorgabe beantwortet und mit ihrer Art auf\n"
    "stderr und ins Protokoll log.txt geschrieben; eine Frage, deren Vorgabe\n"
    "l\xC3\xB6schen oder \xC3\xBC" "berschreiben w\xC3\xBC" "rde, wird mit Nein beantwortet.\n"
    "\n"
    "Endestatus:\n"
    "  0  alles ausgef\xC3\xBChrt, keine Warnung\n"
    "  1  nicht gestartet (keine Anzeige, Befehlsdatei fehlt oder ist nicht lesbar)\n"
    "  2  ohne Anzeige: ein Befehl oder der Start wurde abgelehnt oder warnte\n"
    "  3  wegen eines Programmfehlers beendet\n"
    "  4  Velmo l\xC3\xA4uft schon; die Befehlsdatei wurde nicht abgearbeitet\n";

bool mainHilfeVerlangt(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "-?"))
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (mainHilfeVerlangt(argc, argv)) {
        std::fputs(MAIN_HILFE, stdout);
        return 0;
    }
    // A file reaching the size limit (ulimit -f) would end the program in
    // the middle of a save, its temporary file left behind: ignored, the
    // write fails with EFBIG and goes the way of a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    plOrtArgumenteSetzen(argc, argv);
    AnwSchalter schalter;
    anwSchalterLesen(&schalter);
    plBackendAnzeigeVerlangen(anwOhneBenutzer(schalter) ? 0 : 1);
    if (plFensterSystemStart() < 0) return 1;
    // Without a display nobody sees a box (-W=1 or -A= without one, or
    // VELMO_BACKEND=headless): each is answered at once, said on stderr and
    // in the log, and a refusal ends the run with 2. With a display the
    // boxes are shown, whoever started the program may be watching.
    LaufOhneBenutzer(std::strcmp(plBackendName(), "headless") == 0);
    int code = WinMain(GetModuleHandle(nullptr), 0, wiKommandozeile(), SW_SHOWDEFAULT);
    plFensterSystemEnde();
    return code;
}
