// The editor's table of calls into dialogs and lists; see edtaufrufe.h.
#include "editor/edtaufrufe.h"

#include "support/dienst.h"

namespace {

EdtAufrufe eaTabelle;

// The stand-ins until the dialog and list modules install theirs: nothing
// happens, the file checks pass.
EdtAufrufe eaStandard()
{
    EdtAufrufe a;
    a.DBDialogOeffnen = [](int) {};
    a.TextDialogMitText = [](int, int, const char*, double, double) {};
    a.DB1231Oeffnen = [] {};
    a.DB1351Oeffnen = [] {};
    a.DB1354Oeffnen = [] {};
    a.DB1354Weiter = [](int) {};
    a.AppKennungAnlegen = [](uint32_t, const appgeraet*, const appbteil*, const BEF*, const STT*) {};
    a.AppTextAnlegen = [](uint32_t, const char*, int, const BEF*, const STT*) {};
    a.BauDateiPruefen = [](const char*) { return 0; };
    a.TextDateiPruefen = [](const char*) { return 0; };
    a.BmlUmschalten = [] {};
    a.BmlGeheZu = [](uint32_t) {};
    a.BmlEditorAuswahl = [](uint32_t) {};
    a.DB1345Oeffnen = [] {};
    a.DB1312Oeffnen = [](const char*) {};
    a.DB1006Oeffnen = [] {};
    return a;
}

bool eaBereit = false;
void eaSicherstellen()
{
    if (!eaBereit) {
        eaTabelle = eaStandard();
        eaBereit = true;
    }
}

}  // namespace

const EdtAufrufe& EdtAufrufTabelle()
{
    eaSicherstellen();
    return eaTabelle;
}

void EdtAufrufeSetzen(const EdtAufrufe& a)
{
    eaSicherstellen();
    using A = EdtAufrufe;
    DienstUebernehmen(eaTabelle, a, eaTabelle, &A::DBDialogOeffnen, &A::TextDialogMitText, &A::DB1231Oeffnen,
                      &A::DB1351Oeffnen, &A::DB1354Oeffnen, &A::DB1354Weiter, &A::AppKennungAnlegen,
                      &A::AppTextAnlegen, &A::BauDateiPruefen, &A::TextDateiPruefen, &A::BmlUmschalten,
                      &A::BmlGeheZu, &A::BmlEditorAuswahl, &A::DB1345Oeffnen, &A::DB1312Oeffnen, &A::DB1006Oeffnen);
}

void EdtAufrufeStandard()
{
    eaTabelle = eaStandard();
    eaBereit = true;
}
