// What the lower layers hand the editor hooks, recorded for tests. The
// product's stand-ins (model/edhaken.*) answer and record nothing; a test
// program that includes this header installs recording hooks before its first
// test (and again with EdProtokollStarten, after any reset of the table), the
// way the module start-up's observer is installed from outside.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/befehl.h"
#include "model/edhaken.h"

struct EdGemalt {
    int code;
    std::string text;
    int markiert;
    double d0;  // first double of the record
};

struct EdProtokoll {
    int wecken = 0;                          // EditorSeiteWecken
    std::vector<int> pvw;                    // PvwBefehl
    std::vector<std::string> status;         // StatusMeldung and StatusText
    std::vector<int> meldungen;              // MeldungNr
    std::vector<EdGemalt> gemalt;            // ObjZeichnen
    std::vector<std::vector<int>> bereiche;  // AnsichtBereichNeuZeichnen
    int neuZeichnen = 0;                     // AnsichtNeuZeichnen
    int geaendertGemeldet = 0;               // 2999
    std::vector<std::string> kopf;           // header records collected
    int kopfAnfang = 0, kopfEnde = 0;
    std::vector<int> appNeu;                 // codes given to AppObjektNeu
    std::string zeiName;                     // answer of EditorZeiName
    int zugriff = 1;                         // answer of DateiZugriffErlaubt
    int frageSpeichern = 1;                  // answer of ZeiFrageSpeichern
};

inline EdProtokoll& EdProtokollHolen()
{
    static EdProtokoll p;
    return p;
}

// Installs the recording hooks over the table in force.
inline void EdProtokollEinsetzen()
{
    EdHaken h;
    h.AppObjektNeu = [](const BEF* b, const STT*) { EdProtokollHolen().appNeu.push_back(b->code); };
    h.PvwBefehl = [](int id) { EdProtokollHolen().pvw.push_back(id); };
    h.AnsichtBereichNeuZeichnen = [](int x1, int y1, int x2, int y2) {
        EdProtokollHolen().bereiche.push_back({x1, y1, x2, y2});
    };
    h.AnsichtNeuZeichnen = [] { ++EdProtokollHolen().neuZeichnen; };
    h.EditorSeiteWecken = [] { ++EdProtokollHolen().wecken; };
    h.EditorZeiName = [] { return EdProtokollHolen().zeiName.c_str(); };
    h.DateiZugriffErlaubt = [] { return EdProtokollHolen().zugriff; };
    h.ZeiFrageSpeichern = [] { return EdProtokollHolen().frageSpeichern; };
    h.ZeichnungGeaendertMelden = [] { ++EdProtokollHolen().geaendertGemeldet; };
    h.KopfSammelnAnfang = [] { ++EdProtokollHolen().kopfAnfang; };
    h.KopfSatz = [](const BEF* b) { EdProtokollHolen().kopf.push_back(BefZuText(b)); };
    h.KopfSammelnEnde = [] { ++EdProtokollHolen().kopfEnde; };
    h.MeldungNr = [](int n, int) { EdProtokollHolen().meldungen.push_back(n); };
    h.ObjZeichnen = [](const BEF* b, const STT*, int m) {
        EdProtokollHolen().gemalt.push_back({b->code, b->text, m, b->darg[0]});
    };
    h.StatusMeldung = [](const char* t) { EdProtokollHolen().status.emplace_back(t); };
    h.StatusText = [](const char* t) { EdProtokollHolen().status.emplace_back(t); };
    EdHakenSetzen(h);
}

// The stand-ins, an empty record and the recording hooks over them.
inline void EdProtokollStarten()
{
    EdHakenStandard();
    EdProtokollHolen() = EdProtokoll();
    EdProtokollEinsetzen();
}

// Installed once per test program, before its first test.
struct EdProtokollUmgebung : ::testing::Environment {
    void SetUp() override { EdProtokollStarten(); }
};
inline ::testing::Environment* const edProtokollUmgebung =
    ::testing::AddGlobalTestEnvironment(new EdProtokollUmgebung);
