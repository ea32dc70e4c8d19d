// Metafiles: the input as WMF bits, as EMF bits and as a (placeable) WMF
// file and an EMF file, each played into a memory DC; the bits read back.
#include <vector>

#include "platform/gdi.h"
#include "platform/metafile.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

template <class F> void spielen(F f)
{
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = CreateCompatibleBitmap(dc, 64, 64);
    HGDIOBJ alt = SelectObject(dc, bm);
    f(dc);
    SelectObject(dc, alt);
    DeleteObject(bm);
    DeleteDC(dc);
}

void wmf(HMETAFILE m)
{
    if (!m) return;
    spielen([&](HDC dc) { PlayMetaFile(dc, m); });
    std::vector<uint8_t> bits(GetMetaFileBitsEx(m, 0, nullptr));
    if (!bits.empty()) GetMetaFileBitsEx(m, static_cast<UINT>(bits.size()), bits.data());
    DeleteMetaFile(m);
}

void emf(HENHMETAFILE m)
{
    if (!m) return;
    RECT rc{0, 0, 64, 64};
    spielen([&](HDC dc) { PlayEnhMetaFile(dc, m, &rc); });
    ENHMETAHEADER kopf;
    GetEnhMetaFileHeader(m, sizeof kopf, &kopf);
    DeleteEnhMetaFile(m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::ordner();
    const UINT k = static_cast<UINT>(n);
    wmf(SetMetaFileBitsEx(k, d));
    emf(SetEnhMetaFileBits(k, d));
    std::string p = fz::datei("FUZZ.WMF", d, n);
    std::vector<uint8_t> bits;
    plWmfPlatziert kopf{};
    bool platziert = false;
    plWmfDateiLesen(p.c_str(), bits, &kopf, &platziert);
    wmf(GetMetaFile(p.c_str()));
    emf(GetEnhMetaFile(fz::datei("FUZZ.EMF", d, n).c_str()));
    plMetaAllesFreigeben();
    fz::leeren();
    return 0;
}
