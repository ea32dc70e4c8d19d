// The equipment list page's table of calls; see bmlaufruf.h.
#include "lists/bmlaufruf.h"

#include "editdlg/db1232.h"
#include "editor/edtaufrufe.h"
#include "support/dienst.h"

namespace {

std::vector<std::string> baProt;
BmlAufrufe baTabelle;
bool baBereit = false;

void baMerken(const char* name, const std::string& arg) { baProt.push_back(std::string(name) + "(" + arg + ")"); }
std::string baText(const char* t) { return t != nullptr ? t : ""; }
std::string baZahl(long long n) { return std::to_string(n); }

BmlAufrufe baStandard()
{
    BmlAufrufe a;
    a.DB1210Oeffnen = [](BmlWahlFn) {
        baMerken("DB1210Oeffnen", "");
        EdtAufrufTabelle().DBDialogOeffnen(1210);
    };
    a.DB1232Oeffnen = [](int art, BmlWahlFn fertig) {
        baMerken("DB1232Oeffnen", baZahl(art));
        // The chooser has one template per kind ("DB1232D", "DB1232P",
        // "DB1232K"), none under the bare number.
        DB1232Oeffnen(art, fertig);
    };
    a.DB1357Oeffnen = [](uint32_t id, const char* code, int nr, int zeile) {
        baMerken("DB1357Oeffnen", baZahl(id) + " " + baText(code) + " " + baZahl(nr) + " " + baZahl(zeile));
        EdtAufrufTabelle().DBDialogOeffnen(1357);
    };
    a.DB1358Oeffnen = [](uint32_t id, int modus) {
        baMerken("DB1358Oeffnen", baZahl(id) + " " + baZahl(modus));
        EdtAufrufTabelle().DBDialogOeffnen(1358);
    };
    a.DB1357Zeigen = [](uint32_t id, const char* code, int nr, int zeile) {
        baMerken("DB1357Zeigen", baZahl(id) + " " + baText(code) + " " + baZahl(nr) + " " + baZahl(zeile));
    };
    a.DB1358Zeigen = [](uint32_t id) { baMerken("DB1358Zeigen", baZahl(id)); };
    a.DB1360Oeffnen = [](uint32_t id, HWND) {
        baMerken("DB1360Oeffnen", baZahl(id));
        EdtAufrufTabelle().DBDialogOeffnen(1360);
    };
    a.BtlVorschauZeichnen = [](const char* name, const char* bib, int control, int var, int q) {
        baMerken("BtlVorschauZeichnen", baText(name) + " " + baText(bib) + " " + baZahl(control) + " " + baZahl(var) +
                                            " " + baZahl(q));
    };
    a.BtlVorschauFenster = [](const char* name, const char* bib, HWND, int var, int q) {
        baMerken("BtlVorschauFenster", baText(name) + " " + baText(bib) + " " + baZahl(var) + " " + baZahl(q));
    };
    a.VorschauAnlegen = [](HWND, int control, int ecke, int groesse, int neueId) -> HWND {
        baMerken("VorschauAnlegen",
                 baZahl(control) + " " + baZahl(ecke) + " " + baZahl(groesse) + " " + baZahl(neueId));
        return 0;
    };
    a.VorschauEntfernen = [] { baMerken("VorschauEntfernen", ""); };
    a.ZiehKnopfAnmelden = [](HWND, int control, int befehl) {
        baMerken("ZiehKnopfAnmelden", baZahl(control) + " " + baZahl(befehl));
    };
    a.ZiehKnopfAbmelden = [](int control) { baMerken("ZiehKnopfAbmelden", baZahl(control)); };
    a.ZiehenAnfang = [](int art, const char* name) { baMerken("ZiehenAnfang", baZahl(art) + " " + baText(name)); };
    a.ZiehenUeber = [](int control, int x, int y) {
        baMerken("ZiehenUeber", baZahl(control) + " " + baZahl(x) + " " + baZahl(y));
    };
    a.ZiehenDispStop = [](int control) { baMerken("ZiehenDispStop", baZahl(control)); };
    a.ZiehenEnde = [] {
        baMerken("ZiehenEnde", "");
        return 0;
    };
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
                      &A::BtlVorschauZeichnen, &A::BtlVorschauFenster, &A::VorschauAnlegen, &A::VorschauEntfernen,
                      &A::ZiehKnopfAnmelden, &A::ZiehKnopfAbmelden, &A::ZiehenAnfang, &A::ZiehenUeber,
                      &A::ZiehenDispStop, &A::ZiehenEnde);
}

void BmlAufrufeStandard()
{
    baTabelle = baStandard();
    baBereit = true;
    baProt.clear();
}

std::vector<std::string>& BmlAufrufProtokoll() { return baProt; }
