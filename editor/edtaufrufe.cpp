// The editor's table of calls into dialogs and lists; see edtaufrufe.h.
#include "editor/edtaufrufe.h"

#include "model/befehl.h"
#include "support/dienst.h"

namespace {

std::vector<std::string> eaProt;
EdtAufrufe eaTabelle;

void eaMerken(const char* name, const std::string& arg) { eaProt.push_back(std::string(name) + "(" + arg + ")"); }
std::string eaText(const char* t) { return t != nullptr ? t : ""; }

EdtAufrufe eaStandard()
{
    EdtAufrufe a;
    a.DBDialogOeffnen = [](int n) { eaMerken("DBDialogOeffnen", std::to_string(n)); };
    a.TextDialogMitText = [](int code, int verknuepft, const char* t, double x, double y) {
        eaMerken("TextDialogMitText", std::to_string(code) + " " + std::to_string(verknuepft) + " " + eaText(t) + " " +
                                          std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
    };
    a.DB1231Oeffnen = [] { eaMerken("DB1231Oeffnen", ""); };
    a.DB1351Oeffnen = [] { eaMerken("DB1351Oeffnen", ""); };
    a.DB1354Oeffnen = [] { eaMerken("DB1354Oeffnen", ""); };
    a.DB1354Weiter = [](int id) { eaMerken("DB1354Weiter", std::to_string(id)); };
    a.AppKennungAnlegen = [](uint32_t id, const appgeraet*, const appbteil*, const BEF*, const STT*) {
        eaMerken("AppKennungAnlegen", std::to_string(id));
    };
    a.AppTextAnlegen = [](uint32_t id, const char* code, int nr, const BEF* b, const STT*) {
        eaMerken("AppTextAnlegen", std::to_string(id) + " " + eaText(code) + " " + std::to_string(nr) + " " +
                                       eaText(b != nullptr ? b->text : nullptr));
    };
    a.BauDateiPruefen = [](const char* p) {
        eaMerken("BauDateiPruefen", eaText(p));
        return 0;
    };
    a.TextDateiPruefen = [](const char* p) {
        eaMerken("TextDateiPruefen", eaText(p));
        return 0;
    };
    a.BmlUmschalten = [] { eaMerken("BmlUmschalten", ""); };
    a.BmlGeheZu = [](uint32_t id) { eaMerken("BmlGeheZu", std::to_string(id)); };
    a.BmlEditorAuswahl = [](uint32_t id) { eaMerken("BmlEditorAuswahl", std::to_string(id)); };
    a.DB1345Oeffnen = [] { eaMerken("DB1345Oeffnen", ""); };
    a.DB1312Oeffnen = [](const char* m) { eaMerken("DB1312Oeffnen", eaText(m)); };
    a.DB1006Oeffnen = [] { eaMerken("DB1006Oeffnen", ""); };
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
    eaProt.clear();
}

std::vector<std::string>& EdtAufrufProtokoll() { return eaProt; }
