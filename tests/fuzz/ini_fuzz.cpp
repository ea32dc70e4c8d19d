// The private-profile functions over an ini file: section and key lists,
// every value as text and number, a write and the file read again; the
// program's own ini calls on top.
#include <string>
#include <vector>

#include "config/inidatei.h"
#include "platform/profil.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::vector<std::string> liste(const char* puffer, DWORD n)
{
    std::vector<std::string> v;
    for (DWORD i = 0; i < n && puffer[i] && v.size() < 32;) {
        std::string s(puffer + i);
        v.push_back(s);
        i += static_cast<DWORD>(s.size()) + 1;
    }
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    std::string p = fz::datei("Fuzz.ini", d, n);
    plIniCacheLeeren();
    static char puffer[8192];
    for (int runde = 0; runde < 2; ++runde) {
        DWORD k = GetPrivateProfileString(nullptr, nullptr, "", puffer, sizeof puffer, p.c_str());
        for (const std::string& abschnitt : liste(puffer, k)) {
            DWORD m = GetPrivateProfileString(abschnitt.c_str(), nullptr, "", puffer, sizeof puffer, p.c_str());
            for (const std::string& schluessel : liste(puffer, m)) {
                char wert[16];
                GetPrivateProfileString(abschnitt.c_str(), schluessel.c_str(), "x", wert, sizeof wert, p.c_str());
                GetPrivateProfileInt(abschnitt.c_str(), schluessel.c_str(), -1, p.c_str());
            }
        }
        if (runde == 0) WritePrivateProfileString("Fuzz", "Neu", "1", p.c_str());
    }
    IniPfadSetzen(p.c_str());
    char wert[80];
    ProfilLesen("Zavik", "Sprache", wert, sizeof wert - 1);  // n characters, n + 1 bytes
    ProfilZahlLesen("Zavik", "Sprache");
    plIniCacheLeeren();
    fz::leeren();
    return 0;
}
