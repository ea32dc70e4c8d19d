// The equipment-text block as another program may leave it on the
// clipboard: the input put under CF_TEXT, then read by the block reader.
// Every key and value delivered must fit the reader's line.
#include <cstring>

#include "editdlg/bmtcopy.h"
#include "platform/globalmem.h"
#include "platform/winconst.h"
#include "platform/zwischenablage.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

void pruefen(const char* k, const char* w, void*)
{
    // A blank key is delivered as read; every caller passes over it.
    if (std::strlen(k) > BMTCLIPLANG || std::strlen(w) > BMTCLIPLANG) __builtin_trap();
    BmTextZeile(k);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::ordner();
    if (!OpenClipboard(0)) return 0;
    EmptyClipboard();
    HGLOBAL block = plGlobalAus(d, n);
    if (block && !SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
    BmTextAusClip(pruefen, nullptr);
    plClipEnde();
    return 0;
}
