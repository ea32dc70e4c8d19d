// What the editor hands its calls into dialogs and lists, recorded for
// tests. The product's stand-ins (editor/edtaufrufe.*) do nothing and record
// nothing; a test program that includes this header installs recording
// entries before its first test (and again with EdtAufrufProtokollStarten,
// in place of EdtAufrufeStandard), the way EdProtokoll records the editor
// hooks.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/edtaufrufe.h"
#include "model/befehl.h"

// One line per call: "name(arguments)".
inline std::vector<std::string>& EdtAufrufProtokoll()
{
    static std::vector<std::string> p;
    return p;
}

inline void edtAufrufMerken(const char* name, const std::string& arg)
{
    EdtAufrufProtokoll().push_back(std::string(name) + "(" + arg + ")");
}
inline std::string edtAufrufText(const char* t) { return t != nullptr ? t : ""; }

// Installs the recording entries over the table in force; like the
// stand-ins they do nothing else, and the file checks pass.
inline void EdtAufrufProtokollEinsetzen()
{
    EdtAufrufe a;
    a.DBDialogOeffnen = [](int n) { edtAufrufMerken("DBDialogOeffnen", std::to_string(n)); };
    a.TextDialogMitText = [](int code, int verknuepft, const char* t, double x, double y) {
        edtAufrufMerken("TextDialogMitText", std::to_string(code) + " " + std::to_string(verknuepft) + " " +
                                                 edtAufrufText(t) + " " + std::to_string(static_cast<int>(x)) + " " +
                                                 std::to_string(static_cast<int>(y)));
    };
    a.DB1231Oeffnen = [] { edtAufrufMerken("DB1231Oeffnen", ""); };
    a.DB1351Oeffnen = [] { edtAufrufMerken("DB1351Oeffnen", ""); };
    a.DB1354Oeffnen = [] { edtAufrufMerken("DB1354Oeffnen", ""); };
    a.DB1354Weiter = [](int id) { edtAufrufMerken("DB1354Weiter", std::to_string(id)); };
    a.AppKennungAnlegen = [](uint32_t id, const appgeraet*, const appbteil*, const BEF*, const STT*) {
        edtAufrufMerken("AppKennungAnlegen", std::to_string(id));
    };
    a.AppTextAnlegen = [](uint32_t id, const char* code, int nr, const BEF* b, const STT*) {
        edtAufrufMerken("AppTextAnlegen", std::to_string(id) + " " + edtAufrufText(code) + " " + std::to_string(nr) +
                                              " " + edtAufrufText(b != nullptr ? b->text : nullptr));
    };
    a.BauDateiPruefen = [](const char* p) {
        edtAufrufMerken("BauDateiPruefen", edtAufrufText(p));
        return 0;
    };
    a.TextDateiPruefen = [](const char* p) {
        edtAufrufMerken("TextDateiPruefen", edtAufrufText(p));
        return 0;
    };
    a.BmlUmschalten = [] { edtAufrufMerken("BmlUmschalten", ""); };
    a.BmlGeheZu = [](uint32_t id) { edtAufrufMerken("BmlGeheZu", std::to_string(id)); };
    a.BmlEditorAuswahl = [](uint32_t id) { edtAufrufMerken("BmlEditorAuswahl", std::to_string(id)); };
    a.DB1345Oeffnen = [] { edtAufrufMerken("DB1345Oeffnen", ""); };
    a.DB1312Oeffnen = [](const char* m) { edtAufrufMerken("DB1312Oeffnen", edtAufrufText(m)); };
    a.DB1006Oeffnen = [] { edtAufrufMerken("DB1006Oeffnen", ""); };
    EdtAufrufeSetzen(a);
}

// The stand-ins, an empty record and the recording entries over them.
inline void EdtAufrufProtokollStarten()
{
    EdtAufrufeStandard();
    EdtAufrufProtokoll().clear();
    EdtAufrufProtokollEinsetzen();
}

// Installed once per test program, before its first test.
struct EdtAufrufProtokollUmgebung : ::testing::Environment {
    void SetUp() override { EdtAufrufProtokollStarten(); }
};
inline ::testing::Environment* const edtAufrufProtokollUmgebung =
    ::testing::AddGlobalTestEnvironment(new EdtAufrufProtokollUmgebung);
