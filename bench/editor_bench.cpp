// Benchmark of the editor's command execution against the store's own
// insert walk, one run, times and ratios printed: 100,000 records (lines,
// texts, circles and references to a fixture component, in runs around one
// point as an editor draws) are
//  0. inserted by a TzEinfuegen loop under a running state (the baseline:
//     what the records become, with no queue and no execution around),
//     in turn with 1, five pairs, CPU and wall time,
//  1. queued in batches of 500 and drained batch by batch through the run
//     loop and the editor's execution (BefAbarbeiten, as the page's 2501
//     handler does: element check, execution root with its dispatchers,
//     settings walk, insertion with its journal).
// and then
//  2. the editor's redraw of the whole drawing window (ZeiFensterZeichnen)
//     in a 1600 x 1200 headless view of the page "EDITMAIN" at 100 % and
//     at 400 % (a sixteenth of the area, found through the store's baskets).
// Target: 1 within 3 times the baseline in CPU time, the 400 % redraw well below the
// 100 % one. Built with -DVELMO_BENCH=ON, never run by CTest. Files go to the process's temporary folder. Calls the
// editor's command execution, the store, the queue and the component
// library.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "controls/ctlkern.h"
#include "editor/edzeich.h"
#include "output/ansicht.h"
#include "output/guck.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/ressource.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "editor/befausf.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/zerleg.h"
#include "platform/orte.h"
#include "bench/messen.h"
#include "bench/modellbank.h"

namespace {

using Uhr = std::chrono::steady_clock;

double sekundenSeit(Uhr::time_point t0) { return std::chrono::duration<double>(Uhr::now() - t0).count(); }



// 100,000 element records, each run of 50 starting with a `_BA`.
std::vector<BEF> saetze()
{
    std::vector<BEF> v;
    unsigned zufall = 12345;
    int elemente = 0;
    while (elemente < 100000) {
        if (elemente % 50 == 0) {
            zufall = zufall * 1103515245u + 12345u;
            v.push_back(modellSatz(21, 10 + (zufall >> 8) % 380, 10 + (zufall >> 18) % 380, nullptr));
        }
        switch (elemente % 4) {
        case 0: v.push_back(modellSatz(40, 1.5, 0.5, nullptr)); break;
        case 1: v.push_back(modellSatz(50, 0, 0, "Beschriftung 1")); break;
        case 2: v.push_back(modellSatz(67, 2, 2, nullptr)); break;
        default: v.push_back(modellSatz(80, 0, 0, "M1")); break;
        }
        ++elemente;
    }
    return v;
}

int seiteInit(int, const char* const*) { return 1; }
LRESULT CALLBACK wirtProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }
int seiteBefehl(UINT m, WPARAM wp, LPARAM lp) { return AnsichtNachricht(m, wp, lp); }

// The page's view at 1600 x 1200 pixels over the drawing area; 0 or -1.
int ansichtAnlegen()
{
    if (plFensterSystemStart() != 0) return -1;
    anwDaten()->instanz = LoadLibrary("velmo");
    if (ctlKlassenAnmelden() != 0 || GuckRegistrieren() != 0 || wiDlgInit() != 0) return -1;
    anwLaufZustandSetzen(2);
    AusgabeInit();
    EdzHakenSetzen();
    // The page is a child window: a main window holds it, as in the program.
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = wirtProz;
    wc.lpszClassName = "VelmoBankHaupt";
    if (RegisterClassEx(&wc) == 0) return -1;
    HWND haupt = CreateWindowEx(0, "VelmoBankHaupt", "Velmo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1800, 1400, 0,
                                0, 0, nullptr);
    anwDaten()->hauptfenster = haupt;
    HWND dlg = wiDlgEinbetten(haupt, "EDITMAIN", seiteInit, nullptr, seiteBefehl, nullptr, 0);
    if (!dlg) return -1;
    MoveWindow(dlg, 0, 0, 1700, 1300, TRUE);
    MoveWindow(GetDlgItem(dlg, ANSICHT_FENSTER), 0, 0, 1600, 1200, TRUE);
    wiDlgBetreten(dlg);
    const int r = AnsichtAnbinden();
    wiDlgVerlassen();
    if (r != 0) return -1;
    AnsichtGroesseSperren(1);
    AnsichtNeuMessen();
    AnsichtWeltSetzen(0, 0, 400, 400);
    return 0;
}

// One redraw of the whole view at the zoom, in seconds.
double neuZeichnen(int zoom)
{
    AnsichtZoom(zoom);
    auto t0 = Uhr::now();
    HDC dc = AnsichtDCHolen();
    ZeiFensterZeichnen();
    if (dc) AnsichtDCFreigeben(dc);
    return sekundenSeit(t0);
}

void neu()
{
    TzEnde();
    TzInit();
    BefZuruecksetzen();
    BefAusfInit();
    BefAusfHakenSetzen();
    STT s = modellZustand();
    ZustandSetzen(&s);
}

}  // namespace

int main(int argc, char** argv)
{
    // The fixture component "M1" of the model tests as library "TST".
    const std::string ordner = modellBankAnlegen(argc, argv);
    if (ordner.empty()) return 1;
    const std::vector<BEF> alle = saetze();

    // The baseline puts every record straight into the store (what the
    // records become, with no queue); the program queues them by 500 and
    // drains the queue, as the editor does. In turn, five pairs.
    const char* kBasis = "TzEinfuegen-Schleife ohne Warteschlange";
    int n0 = 0, n1 = 0;
    const messung::Paare p = messung::abwechselnd(
        5,
        [&] {
            neu();
            return messung::einmal([&] {
                STT s = modellZustand();
                for (const BEF& b : alle) {
                    if (BefIstObjekt(b.code)) TzEinfuegen(&b, &s);
                    BefZerlegen(&b, &s, nullptr);
                }
                return (n0 = TzAnzahl()) > 0;
            });
        },
        [&] {
            neu();
            return messung::einmal([&] {
                for (size_t i = 0; i < alle.size(); i += 500) {
                    BefehlAbarbStart();
                    for (size_t k = i; k < alle.size() && k < i + 500; ++k) BefEinreihen(&alle[k]);
                    BefAbarbeiten();
                    BefehlAbarbStop();
                }
                return (n1 = TzAnzahl()) > 0;
            });
        });
    if (!p.gut) {
        std::fprintf(stderr, "editor_bench: %d Objekte eingef\xc3\xbcgt, %d ausgef\xc3\xbchrt\n", n0, n1);
        return 1;
    }
    std::printf("Editor command execution, %zu records (%d / %d objects)\n", alle.size(), n0, n1);
    messung::bericht(kBasis, "in 500er-Schüben eingereiht und abgearbeitet", p);
    messung::ziel("4 Editor, Befehle ausf\xc3\xbchren (100.000 S\xc3\xa4tze)", p, 3.0, kBasis);
    const double basis = messung::median(p.basis.wand);
    if (ansichtAnlegen() == 0) {
        const double ganz = neuZeichnen(100), teil = neuZeichnen(400);
        std::printf("  redraw 1600 x 1200 at 100 %%           %8.3f s  %5.2fx\n", ganz, ganz / basis);
        std::printf("  redraw 1600 x 1200 at 400 %%           %8.3f s  %5.2fx\n", teil, teil / basis);
    } else {
        std::printf("  redraw: no view (window system or page missing)\n");
    }
    TzEnde();
    BauEnde();
    return 0;
}
