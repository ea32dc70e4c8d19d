// The equipment list page's table of calls; see bmlaufruf.h.
#include "lists/bmlaufruf.h"

#include "editdlg/db1232.h"
#include "editor/edtaufrufe.h"
#include "support/dienst.h"

namespace {

BmlAufrufe baTabelle;
bool baBereit = false;

// The stand-ins until BmlAnmelden installs the editor dialogs' own: the
// dialogs open by their numbers, previews and drags do nothing.
BmlAufrufe baStandard()
{
    BmlAufrufe a;
    a.DB1210Oeffnen = [](BmlWahlFn) { EdtAufrufTabelle().DBDialogOeffnen(1210); };
    // The chooser has one template per kind ("DB1232D", "DB1232P",
    // "DB1232K"), none under the bare number.
    a.DB1232Oeffnen = [](int art, BmlWahlFn fertig) { DB1232Oeffnen(art, fertig); };
    a.DB1357Oeffnen = [](uint32_t, const char*, int, int) { EdtAufrufTabelle().DBDialogOeffnen(1357); };
    a.DB1358Oeffnen = [](uint32_t, int) { EdtAufrufTabelle().DBDialogOeffnen(1358); };
    a.DB1357Zeigen = [](uint32_t, const char*, int, int) {};
    a.DB1358Zeigen = [](uint32_t) {};
    a.DB1360Oeffnen = [](uint32_t, HWND) { EdtAufrufTabelle().DBDialogOeffnen(1360); };
    a.BtlVorschauZeichnen = [](const char*, const char*, int, int, int) {};
    a.BtlVorschauFenster = [](const char*, const char*, HWND, int, int) {};
    a.VorschauLeeren = [](int) {};
    a.VorschauAnlegen = [](HWND, int, int, int, int) -> HWND { return 0; };
    a.VorschauEntfernen = [] {};
    a.ZiehKnopfAnmelden = [](HWND, int, int) {};
    a.ZiehKnopfAbmelden = [](int) {};
    a.ZiehenAnfang = [](int, const char*) {};
    a.ZiehenUeber = [](int, int, int) {};
    a.ZiehenDispStop = [](int) {};
    a.ZiehenEnde = [] { return 0; };
    return a;
}

void baSicherstellen()
{
    if (!baBereit) {
        baTabelle = baStandard();
        baBereit = true;
    }
}

}  // namespace

const BmlAufrufe& BmlAufrufTabelle()
{
    baSicherstellen();
    return baTabelle;
}

void BmlAufrufeSetzen(const BmlAufrufe& a)
{
    baSicherstellen();
    using A = BmlAufrufe;
    DienstUebernehmen(baTabelle, a, baTabelle, &A::DB1210Oeffnen, &A::DB1232Oeffnen, &A::DB1357Oeffnen,
                      &A::DB1358Oeffnen, &A::DB1357Zeigen, &A::DB1358Zeigen, &A::DB1360Oeffnen,
                      &A::BtlVorschauZeichnen, &A::BtlVorschauFenster, &A::VorschauLeeren, &A::VorschauAnlegen,
                      &A::VorschauEntfernen, &A::ZiehKnopfAnmelden, &A::ZiehKnopfAbmelden, &A::ZiehenAnfang,
                      &A::ZiehenUeber, &A::ZiehenDispStop, &A::ZiehenEnde);
}

void BmlAufrufeStandard()
{
    baTabelle = baStandard();
    baBereit = true;
}
