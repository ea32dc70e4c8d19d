// "Toolbar.txt" through the one section reader and every bar that reads it:
// the editor's top, left and selection bars, the button bar of the
// component browser, the function list. The input is the program folder's
// file; its ")S" sections (a few) and the sections the program asks for
// are read.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "controls/tbleiste.h"
#include "editor/leiste.h"
#include "frame/funkwahl.h"
#include "winlib/toolbar.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

std::vector<std::string> tbAbschnitte(const std::string& s)
{
    std::vector<std::string> v = {"FunkListe", "EditOben", "EditLinks", "EditAuswahl", "BautAuswahl"};
    size_t p = 0;
    while (v.size() < 10 && (p = s.find(")S ", p)) != std::string::npos) {
        p += 3;
        const size_t e = s.find_first_of(" \t\r\n", p);
        v.push_back(s.substr(p, e == std::string::npos ? std::string::npos : e - p));
    }
    return v;
}

void tbZeilenPruefen(const std::vector<TbarZeile>& zeilen)
{
    if (zeilen.size() > TBARZEILENSUP) __builtin_trap();
    for (const TbarZeile& z : zeilen) {
        if (z.text.size() > TBARZEILESUP || (!z.text.empty() && z.text[0] == ')')) __builtin_trap();
        if (!std::isfinite(z.wert) || std::fabs(z.wert) > TBARWERTSUP) __builtin_trap();
        if (z.zehntel < -1000 || z.zehntel > 1000) __builtin_trap();
        const TbarFelder f = wiTbarFelder(z.text);
        if (f.bild.size() + f.zitat.size() + f.klammer.size() + f.rest.size() > z.text.size()) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start({.programm = true});
    const std::string pfad = fz::datei("Toolbar.txt", d, n);
    const std::string s(reinterpret_cast<const char*>(d), n);
    for (const std::string& a : tbAbschnitte(s)) {
        std::vector<TbarZeile> zeilen;
        if (wiTbarAbschnittLesen(pfad.c_str(), a.c_str(), &zeilen) < 0) __builtin_trap();
        tbZeilenPruefen(zeilen);
        for (int art : {LEISTE_OBEN, LEISTE_LINKS, LEISTE_AUSWAHL}) {
            std::vector<LeisteEintrag> v;
            const int k = LeisteLesen(pfad.c_str(), a.c_str(), art, LeisteMasse{}, &v);
            if (k != static_cast<int>(v.size()) || k > (art == LEISTE_AUSWAHL ? AUSWAHLSUP : LEISTESUP)) __builtin_trap();
            for (const LeisteEintrag& e : v)
                if (strnlen(e.tipp, sizeof e.tipp) > LEISTETIPPSUP || strnlen(e.bild, sizeof e.bild) > LEISTEBILDSUP)
                    __builtin_trap();
        }
        const int k = tbLeisteAnlegen(2, 1, 2520, "Toolbar.txt", a.c_str());
        if (k > TBLEISTESUP) __builtin_trap();
        for (int i = 0; i < k; ++i)
            if (std::strlen(tbLeisteWahl(2521 + i)) > TBLEISTEZEILESUP) __builtin_trap();
    }
    const int f = FunkEintraegeLesen();
    if (f < 0 || f > FUNKSUP) __builtin_trap();
    fz::leeren();
    return 0;
}
