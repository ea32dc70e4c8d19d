// Use-counted binding of the PDF library (see pdfbind.h).
#include "output/pdfbind.h"

#include "platform/pdfbib.h"

namespace {
int instanz = 0;
int nutzer = 0;
}  // namespace

int PdfLibHolen()
{
    if (instanz == 0) {
        instanz = DPLCreateLibrary();
        if (instanz <= 0) {
            instanz = 0;
            return 0;
        }
    }
    ++nutzer;
    return instanz;
}

void PdfLibFreigeben()
{
    if (nutzer <= 0) return;
    if (--nutzer == 0) {
        DPLReleaseLibrary(instanz);
        instanz = 0;
    }
}

int PdfLibNutzer() { return nutzer; }
