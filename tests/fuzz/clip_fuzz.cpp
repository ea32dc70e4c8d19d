// The drawing clipboard blocks as another program may leave them: the
// input put under "ZavikStatus", "ZavikZeichnung" and CF_TEXT, then read by
// the paste readers (status, drawing block, text cut and whole).
#include <cstring>

#include "output/clip.h"
#include "platform/globalmem.h"
#include "platform/winconst.h"
#include "platform/zwischenablage.h"
#include "support/speicher.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::ordner();
    if (!OpenClipboard(0)) return 0;
    EmptyClipboard();
    for (UINT format : {ClipStatusFormat(), ClipZeichnungFormat(), UINT(CF_TEXT)}) {
        HGLOBAL block = plGlobalAus(d, n);
        if (block && !SetClipboardData(format, block)) GlobalFree(block);
    }
    CloseClipboard();

    char text[CLIP_STATUS_TEXTSUP];
    double x = 0, y = 0;
    if (ClipStatusHolen(text, &x, &y) && std::strlen(text) >= CLIP_STATUS_TEXTSUP) __builtin_trap();
    char* block = nullptr;
    if (ClipZeichnungHolen(&block)) {
        uint32_t l = 0;
        std::memcpy(&l, block, 4);
        if (static_cast<uint64_t>(l) + 4 > n) __builtin_trap();
        ffree(block);
    }
    char puffer[65];
    ClipTextHolen(puffer, 64);
    if (char* neu = ClipTextNeu()) ffree(neu);
    plClipEnde();
    return 0;
}
