// The private drawing block of the element clipboard as another program may
// leave it, pasted into an empty drawing: the block's length against its
// size, the transfer file's records, equipment blocks and references.
#include "editor/befausf.h"
#include "editor/elclip.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "output/clip.h"
#include "platform/globalmem.h"
#include "platform/zwischenablage.h"
#include "tests/fuzz/fuzzhilfe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::ordner();
    if (!OpenClipboard(0)) return 0;
    EmptyClipboard();
    HGLOBAL block = plGlobalAus(d, n);
    if (block && !SetClipboardData(ClipZeichnungFormat(), block)) GlobalFree(block);
    CloseClipboard();
    TzInit();
    BefQueueInit();
    BefAusfInit();
    ElEinfuegen(0, nullptr);
    BefQueueFrei();
    TzEnde();
    plClipEnde();
    fz::leeren();
    return 0;
}
