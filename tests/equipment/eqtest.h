// Helpers shared by the equipment test fixtures (bmtest.h, projtest.h): the
// injected file-check counter, the recording warning box, whole-file reading
// and writing and the fixture folder.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "model/dienste.h"

using namespace modh;  // the model's calls through its service tables

namespace eqtest {

inline int& zaehler()
{
    static int z = 0;
    return z;
}

inline std::vector<std::string>& warnungen()
{
    static std::vector<std::string> w;
    return w;
}

// Warnings go to warnungen() (emptied) instead of a box; the other hooks are reset.
inline void warnungenAufzeichnen()
{
    warnungen().clear();
    KonfHaken h{};
    h.warnung = [](const char* t) { warnungen().push_back(t); };
    konfHakenZuruecksetzen();
    konfHakenSetzen(h);
}

inline std::string lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void schreiben(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream(pfad, std::ios::binary | std::ios::trunc) << inhalt;
}

inline std::string fixture(const std::string& name) { return std::string(VELMO_TEST_DATA) + "/equipment/" + name; }

}  // namespace eqtest
