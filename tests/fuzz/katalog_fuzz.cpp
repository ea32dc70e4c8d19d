// A catalogue group file ("BAUTEILK.<suffix>"): read into rows, every
// heading opened and closed, the components of the first rows listed, the
// letter selection and the Left / Right moves asked of every row. Checked:
// row texts and names in their widths, at most KATEINTRAGSUP components
// per row, visible rows in order and each one a row.
#include <cstring>
#include <string>

#include "editdlg/katalog.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void katSichtbarPruefen(const KatBaum& b)
{
    int vor = -1;
    for (int i : b.sichtbar) {
        if (i <= vor || i >= static_cast<int>(b.zeilen.size()) || !b.zeilen[static_cast<size_t>(i)].sichtbar)
            __builtin_trap();
        vor = i;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start();
    const std::string p = fz::datei("BAUTEILK.L10", d, n);
    KatBaum b;
    KatLaden(&b, p.c_str());
    const int zeilen = static_cast<int>(b.zeilen.size());
    for (const KatZeile& z : b.zeilen)
        if (!std::memchr(z.text, 0, sizeof z.text)) __builtin_trap();
    katSichtbarPruefen(b);
    for (int i = 0; i < zeilen; ++i) {
        KatKopfBild(KatKopfZustand(&b, i));
        if (KatRechts(&b, i) >= 0) KatOeffnen(&b, i, 1);
    }
    katSichtbarPruefen(b);
    // Listing a row reads the file again: the first rows are enough.
    for (int i = -1; i < zeilen && i < 64; ++i) {
        const auto e = KatEintraege(&b, i);
        if (e.size() > static_cast<size_t>(KATEINTRAGSUP)) __builtin_trap();
        for (const KatEintrag& k : e)
            if (!std::memchr(k.name, 0, sizeof k.name) || !std::memchr(k.anzeige, 0, sizeof k.anzeige)) __builtin_trap();
        if (!e.empty()) KatBeschreibung(&b, e[0].name);
    }
    for (int i = 0; i < zeilen && i < 256; ++i) {
        const int l = KatLinks(&b, i);
        if (l >= zeilen) __builtin_trap();
        if (l >= 0) KatOeffnen(&b, l, 0);
        const int c = KatBuchstabe(&b, i, n ? d[i % n] : 'A');
        if (c >= zeilen) __builtin_trap();
    }
    katSichtbarPruefen(b);
    fz::leeren();
    return 0;
}
