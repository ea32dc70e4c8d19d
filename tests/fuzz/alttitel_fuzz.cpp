// The old sources of the project texts: the input's first part is
// "ZavikPro.ini", the second "UTitel.txt" (a part left empty: no such
// file). The list is loaded from them, checked (at most UTITELSUP records,
// fields in their widths, the project record first, page ranges in drawing
// order), written as the project file (which converts the folder) and read
// back from it to the same records.
#include <cstring>
#include <string>
#include <vector>

#include "equipment/utitel.h"
#include "model/zeichnun.h"
#include "platform/profil.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

bool atFeldOk(const char* f, size_t n) { return std::memchr(f, 0, n) != nullptr; }

// The record's fields up to their ends (what lies behind an end is no text).
std::string atFelder(const projekttext& t)
{
    std::string s = std::string(t.kenn) + '|' + t.titel + '|' + t.anlage + '|' + t.ort;
    for (const auto& x : t.text) s += std::string("|") + x;
    for (const auto& x : t.gruppe) s += std::string("|") + x;
    return s;
}

void atPruefen(const projekttext& t)
{
    if (!atFeldOk(t.kenn, sizeof t.kenn) || !atFeldOk(t.titel, sizeof t.titel) ||
        !atFeldOk(t.anlage, sizeof t.anlage) || !atFeldOk(t.ort, sizeof t.ort))
        __builtin_trap();
    for (const auto& x : t.text)
        if (!atFeldOk(x, sizeof x)) __builtin_trap();
    for (const auto& x : t.gruppe)
        if (!atFeldOk(x, sizeof x)) __builtin_trap();
}

std::vector<std::string> atListe()
{
    std::vector<std::string> l;
    projekttext p;
    UtitelProjektText(&p);
    atPruefen(p);
    l.push_back(atFelder(p));
    UtitelBereicheDurchlaufen(
        [](const projekttext* t, void* b) {
            atPruefen(*t);
            auto* v = static_cast<std::vector<std::string>*>(b);
            if (v->size() > 1) {
                const std::string& vor = v->back();
                const std::string a = "x." + vor.substr(0, vor.find('|')), c = std::string("x.") + t->kenn;
                if (ZeiDateiVergleich(a.c_str(), c.c_str()) > 0) __builtin_trap();
            }
            v->push_back(atFelder(*t));
        },
        &l);
    if (l.size() > static_cast<size_t>(UTITELSUP) + 1) __builtin_trap();
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (fz::start({.ini = true})) UtitelInit();
    std::string ini, titel;
    fz::teilen(d, n, ini, titel);
    if (!ini.empty()) fz::datei("ZavikPro.ini", reinterpret_cast<const uint8_t*>(ini.data()), ini.size());
    if (!titel.empty()) fz::datei("UTitel.txt", reinterpret_cast<const uint8_t*>(titel.data()), titel.size());
    plIniCacheLeeren();
    UtitelNeuLaden();
    UtitelLaden();
    const auto vorher = atListe();
    if (UtitelSchreiben() == 0) {
        UtitelNeuLaden();
        UtitelLaden();
        if (atListe() != vorher) __builtin_trap();
    }
    UtitelNeuLaden();
    fz::leeren();
    return 0;
}
