// The macro as the value dialog reads it: its "Text" and "Input" lines
// taken for the dialog's labels, then every line with the values put in
// for "$I<d>" as the running macro gets it.
#include <string>

#include "editdlg/kleindlg.h"
#include "editor/macro.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start();
    const std::string p = fz::datei("FUZZ.mac", d, n);
    KdMakroKopf k;
    if (KdMakroKopfLesen(p.c_str(), &k) == 1) {
        if (k.text.size() > static_cast<size_t>(MAKROZEILESUP)) __builtin_trap();
        for (const std::string& l : k.label)
            if (l.size() > static_cast<size_t>(MAKROZEILESUP)) __builtin_trap();
    }
    // Values that name other values are put in once, never again.
    const std::string werte[KDWERTSUP] = {"$I1", "$i0$I4", "", std::string(KDWERTLAENGE, 'x'), "$I9"};
    std::string text(reinterpret_cast<const char*>(d), n);
    size_t a = 0;
    while (a < text.size()) {
        size_t e = text.find('\n', a);
        if (e == std::string::npos) e = text.size();
        const std::string zeile = text.substr(a, e - a);
        const std::string aus = KdWerteEinsetzen(zeile.c_str(), werte);
        if (aus.size() > (zeile.size() + 1) * (KDWERTLAENGE + 1)) __builtin_trap();
        a = e + 1;
    }
    fz::leeren();
    return 0;
}
