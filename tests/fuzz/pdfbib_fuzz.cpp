// The PDF library's load and merge: the input loaded as a PDF, its outline
// read, its first page rendered into a memory DC, merged into a new document
// and saved.
#include <string>

#include "platform/gdi.h"
#include "platform/pdfbib.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    std::string p = fz::datei("fuzz.pdf", d, n);
    std::wstring wp = pdfbibBreit(p);
    std::wstring ziel = pdfbibBreit(fz::pfad("ziel.pdf"));
    int inst = DPLCreateLibrary();
    int doc = DPLLoadFromFile(inst, wp.c_str(), L"");
    if (doc > 0) {
        for (int i = 1; i <= DPLOutlineCount(inst) && i <= 64; ++i) {
            int o = DPLGetOutlineID(inst, i);
            DPLOutlineTitle(inst, o);
            DPLGetOutlinePage(inst, o);
        }
        if (DPLPageCount(inst) > 0) {
            HDC dc = CreateCompatibleDC(0);
            HBITMAP bm = CreateCompatibleBitmap(dc, 40, 40);
            HGDIOBJ alt = SelectObject(dc, bm);
            DPLRenderPageToDC(inst, 4, 1, dc);
            SelectObject(dc, alt);
            DeleteObject(bm);
            DeleteDC(dc);
        }
        int neu = DPLNewDocument(inst);
        DPLSelectDocument(inst, neu);
        DPLNewPage(inst);
        DPLMergeDocument(inst, doc);
        DPLSaveToFile(inst, ziel.c_str());
    }
    DPLReleaseLibrary(inst);
    fz::leeren();
    return 0;
}
