// What the equipment list page hands its calls into the editor's choosers,
// previews and drags, recorded for tests. The product's stand-ins
// (lists/bmlaufruf.*) record nothing; a test program that includes this
// header installs entries that record each call and then do what the entry
// they cover did, before its first test (and again with
// BmlAufrufProtokollStarten, in place of BmlAufrufeStandard).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/bmlaufruf.h"

// One line per call: "name(arguments)".
inline std::vector<std::string>& BmlAufrufProtokoll()
{
    static std::vector<std::string> p;
    return p;
}

// The entries the recording ones cover.
inline BmlAufrufe& bmlAufrufDarunter()
{
    static BmlAufrufe a;
    return a;
}

inline void bmlAufrufMerken(const char* name, const std::string& arg)
{
    BmlAufrufProtokoll().push_back(std::string(name) + "(" + arg + ")");
}
inline std::string bmlAufrufText(const char* t) { return t != nullptr ? t : ""; }
inline std::string bmlAufrufZahl(long long n) { return std::to_string(n); }

// Installs the recording entries over the table in force.
inline void BmlAufrufProtokollEinsetzen()
{
    bmlAufrufDarunter() = BmlAufrufTabelle();
    BmlAufrufe a;
    a.DB1210Oeffnen = [](BmlWahlFn fertig) {
        bmlAufrufMerken("DB1210Oeffnen", "");
        bmlAufrufDarunter().DB1210Oeffnen(fertig);
    };
    a.DB1232Oeffnen = [](int art, BmlWahlFn fertig) {
        bmlAufrufMerken("DB1232Oeffnen", bmlAufrufZahl(art));
        bmlAufrufDarunter().DB1232Oeffnen(art, fertig);
    };
    a.DB1357Oeffnen = [](uint32_t id, const char* code, int nr, int zeile) {
        bmlAufrufMerken("DB1357Oeffnen", bmlAufrufZahl(id) + " " + bmlAufrufText(code) + " " + bmlAufrufZahl(nr) + " " +
                                             bmlAufrufZahl(zeile));
        bmlAufrufDarunter().DB1357Oeffnen(id, code, nr, zeile);
    };
    a.DB1358Oeffnen = [](uint32_t id, int modus) {
        bmlAufrufMerken("DB1358Oeffnen", bmlAufrufZahl(id) + " " + bmlAufrufZahl(modus));
        bmlAufrufDarunter().DB1358Oeffnen(id, modus);
    };
    a.DB1357Zeigen = [](uint32_t id, const char* code, int nr, int zeile) {
        bmlAufrufMerken("DB1357Zeigen", bmlAufrufZahl(id) + " " + bmlAufrufText(code) + " " + bmlAufrufZahl(nr) + " " +
                                            bmlAufrufZahl(zeile));
        bmlAufrufDarunter().DB1357Zeigen(id, code, nr, zeile);
    };
    a.DB1358Zeigen = [](uint32_t id) {
        bmlAufrufMerken("DB1358Zeigen", bmlAufrufZahl(id));
        bmlAufrufDarunter().DB1358Zeigen(id);
    };
    a.DB1360Oeffnen = [](uint32_t id, HWND besitzer) {
        bmlAufrufMerken("DB1360Oeffnen", bmlAufrufZahl(id));
        bmlAufrufDarunter().DB1360Oeffnen(id, besitzer);
    };
    a.BtlVorschauZeichnen = [](const char* name, const char* bib, int control, int var, int q) {
        bmlAufrufMerken("BtlVorschauZeichnen", bmlAufrufText(name) + " " + bmlAufrufText(bib) + " " +
                                                   bmlAufrufZahl(control) + " " + bmlAufrufZahl(var) + " " +
                                                   bmlAufrufZahl(q));
        bmlAufrufDarunter().BtlVorschauZeichnen(name, bib, control, var, q);
    };
    a.BtlVorschauFenster = [](const char* name, const char* bib, HWND fenster, int var, int q) {
        bmlAufrufMerken("BtlVorschauFenster", bmlAufrufText(name) + " " + bmlAufrufText(bib) + " " +
                                                  bmlAufrufZahl(var) + " " + bmlAufrufZahl(q));
        bmlAufrufDarunter().BtlVorschauFenster(name, bib, fenster, var, q);
    };
    a.VorschauAnlegen = [](HWND dialog, int control, int ecke, int groesse, int neueId) -> HWND {
        bmlAufrufMerken("VorschauAnlegen", bmlAufrufZahl(control) + " " + bmlAufrufZahl(ecke) + " " +
                                               bmlAufrufZahl(groesse) + " " + bmlAufrufZahl(neueId));
        return bmlAufrufDarunter().VorschauAnlegen(dialog, control, ecke, groesse, neueId);
    };
    a.VorschauEntfernen = [] {
        bmlAufrufMerken("VorschauEntfernen", "");
        bmlAufrufDarunter().VorschauEntfernen();
    };
    a.ZiehKnopfAnmelden = [](HWND eltern, int control, int befehl) {
        bmlAufrufMerken("ZiehKnopfAnmelden", bmlAufrufZahl(control) + " " + bmlAufrufZahl(befehl));
        bmlAufrufDarunter().ZiehKnopfAnmelden(eltern, control, befehl);
    };
    a.ZiehKnopfAbmelden = [](int control) {
        bmlAufrufMerken("ZiehKnopfAbmelden", bmlAufrufZahl(control));
        bmlAufrufDarunter().ZiehKnopfAbmelden(control);
    };
    a.ZiehenAnfang = [](int art, const char* name) {
        bmlAufrufMerken("ZiehenAnfang", bmlAufrufZahl(art) + " " + bmlAufrufText(name));
        bmlAufrufDarunter().ZiehenAnfang(art, name);
    };
    a.ZiehenUeber = [](int control, int x, int y) {
        bmlAufrufMerken("ZiehenUeber", bmlAufrufZahl(control) + " " + bmlAufrufZahl(x) + " " + bmlAufrufZahl(y));
        bmlAufrufDarunter().ZiehenUeber(control, x, y);
    };
    a.ZiehenDispStop = [](int control) {
        bmlAufrufMerken("ZiehenDispStop", bmlAufrufZahl(control));
        bmlAufrufDarunter().ZiehenDispStop(control);
    };
    a.ZiehenEnde = [] {
        bmlAufrufMerken("ZiehenEnde", "");
        return bmlAufrufDarunter().ZiehenEnde();
    };
    BmlAufrufeSetzen(a);
}

// The stand-ins, an empty record and the recording entries over them.
inline void BmlAufrufProtokollStarten()
{
    BmlAufrufeStandard();
    BmlAufrufProtokoll().clear();
    BmlAufrufProtokollEinsetzen();
}

// Installed once per test program, before its first test.
struct BmlAufrufProtokollUmgebung : ::testing::Environment {
    void SetUp() override { BmlAufrufProtokollStarten(); }
};
inline ::testing::Environment* const bmlAufrufProtokollUmgebung =
    ::testing::AddGlobalTestEnvironment(new BmlAufrufProtokollUmgebung);
