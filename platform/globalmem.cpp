// Global memory blocks; see globalmem.h. The allocation fault of the fault
// injection (PlFehlerArt::Speicher) makes GlobalAlloc and a growing
// GlobalReAlloc fail, so callers' failure paths can be tested.
#include "platform/globalmem.h"

#include <cstring>
#include <new>
#include <vector>

#include "platform/fehlersim.h"
#include "platform/handle.h"

namespace {

struct plGlobalBlock {
    std::vector<uint8_t> bytes;
    UINT flags = 0;
    int sperren = 0;
};

plHandleTabelle<plGlobalBlock>& globalTabelle()
{
    static plHandleTabelle<plGlobalBlock> t(plHandleArt::Global);
    return t;
}

bool globalGroesse(std::vector<uint8_t>& v, size_t n)
{
    if (n > PL_GLOBAL_GROESSESUP || plFehlerJetzt(PlFehlerArt::Speicher)) return false;
    try {
        v.resize(n, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, size_t bytes)
{
    auto b = std::make_unique<plGlobalBlock>();
    b->flags = flags & (GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE);
    // Every block starts zero-filled: no caller can read stale bytes.
    if (!globalGroesse(b->bytes, bytes)) return 0;
    return globalTabelle().anlegen(std::move(b));
}

LPVOID GlobalLock(HGLOBAL h)
{
    plGlobalBlock* b = globalTabelle().finden(h);
    if (!b || b->bytes.empty()) return nullptr;
    if (b->sperren < 0xFF) ++b->sperren;
    return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL h)
{
    plGlobalBlock* b = globalTabelle().finden(h);
    if (!b) return FALSE;
    if (b->sperren > 0) --b->sperren;
    return b->sperren > 0 ? TRUE : FALSE;
}

size_t GlobalSize(HGLOBAL h)
{
    plGlobalBlock* b = globalTabelle().finden(h);
    return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalReAlloc(HGLOBAL h, size_t bytes, UINT flags)
{
    plGlobalBlock* b = globalTabelle().finden(h);
    if (!b) return 0;
    if (flags & GMEM_MODIFY) {
        b->flags = (b->flags & ~GMEM_MOVEABLE) | (flags & GMEM_MOVEABLE);
        return h;
    }
    if (bytes > b->bytes.size() && b->sperren > 0) return 0;
    if (bytes > b->bytes.capacity() || bytes > b->bytes.size()) {
        if (!globalGroesse(b->bytes, bytes)) return 0;
    } else {
        b->bytes.resize(bytes);
    }
    return h;
}

HGLOBAL GlobalFree(HGLOBAL h)
{
    return globalTabelle().freigeben(h) ? 0 : h;
}

UINT GlobalFlags(HGLOBAL h)
{
    plGlobalBlock* b = globalTabelle().finden(h);
    if (!b) return GMEM_INVALID_HANDLE;
    return static_cast<UINT>(b->sperren) & GMEM_LOCKCOUNT;
}

size_t plGlobalAnzahl()
{
    return globalTabelle().anzahl();
}

HGLOBAL plGlobalAus(const void* daten, size_t n, UINT flags)
{
    HGLOBAL h = GlobalAlloc(flags, n);
    if (!h) return 0;
    if (n) {
        std::memcpy(GlobalLock(h), daten, n);
        GlobalUnlock(h);
    }
    return h;
}
