// The small text files of the program folder: the first byte chooses the
// file, the rest is its content.
//   0 "Toolbar.txt": every ")S" section into the shared table and a dialog table
//   1 "Schrift.txt": the font table, names and kinds
//   2 "rgb.txt": the colour names
#include <string>
#include <vector>

#include "output/farbe.h"
#include "output/schrift.h"
#include "winlib/toolbar.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void einrichten()
{
    fz::start({.programm = true});
}

// The section names of ")S name" lines (a few).
std::vector<std::string> abschnitte(const std::string& s)
{
    std::vector<std::string> v;
    size_t p = 0;
    while (v.size() < 8 && (p = s.find(")S ", p)) != std::string::npos) {
        p += 3;
        size_t e = s.find_first_of(" \t\r\n", p);
        v.push_back(s.substr(p, e == std::string::npos ? std::string::npos : e - p));
    }
    v.push_back("Leiste");
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    if (n == 0) return 0;
    einrichten();
    const std::string s(reinterpret_cast<const char*>(d) + 1, n - 1);
    const auto* b = reinterpret_cast<const uint8_t*>(s.data());
    switch (d[0] % 3) {
    case 0: {
        fz::datei("Toolbar.txt", b, s.size());
        wiTbarTabelleFrei(1);
        for (const std::string& a : abschnitte(s)) {
            wiTbarLaden("Toolbar.txt", a.c_str());
            for (int i = 0; i < wiTbarAnzahl(); ++i) wiTbarTippText(wiTbarEintrag(i)->id);
            TbarDlgTabelle t{};
            wiTbarDlgLaden(&t, 2, 2, "Toolbar.txt", a.c_str());
        }
        wiTbarTabelleLeeren();
        break;
    }
    case 1:
        fz::datei("Schrift.txt", b, s.size());
        SchriftNeuLaden();
        for (int i = -1; i <= SCHRIFTSUP; ++i) {
            char name[SCHRIFTNAMESUP + 1];
            SchriftName(i, name, sizeof name);
            SchriftArt(i);
        }
        break;
    case 2: {
        fz::datei("rgb.txt", b, s.size());
        RgbVergessen();
        RgbLaden();
        for (int i = 0; i < RgbAnzahl(); ++i) RgbEintrag(i);
        char text[64] = "rot";
        RgbAusFarbname(text, sizeof text);
        char leer[8] = "";
        RgbAusFarbname(leer, 4);
        RgbVergessen();
        break;
    }
    }
    fz::leeren();
    return 0;
}
