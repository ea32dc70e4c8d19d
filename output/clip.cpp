// The drawing clipboard formats (see clip.h). Everything read from the
// clipboard is bounded by the block's own size: a status block is whole or
// absent, its text ends within its field, and a drawing block's length word
// is checked against the block without wrap-around.
#include "output/clip.h"

#include <cstring>

#include "platform/globalmem.h"
#include "platform/metafile.h"
#include "platform/winconst.h"
#include "platform/zwischenablage.h"
#include "support/speicher.h"
#include "winlib/anwdaten.h"

namespace {

constexpr UINT kClipBlock = GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT;

UINT clipStatusNr = 0;
UINT clipZeichnungNr = 0;

BOOL clipOeffnen()
{
    return OpenClipboard(anwHauptfenster());
}

// Hands a memory block to the open clipboard; frees it when refused.
BOOL clipBlockSetzen(UINT format, HGLOBAL block)
{
    if (block == 0) {
        return FALSE;
    }
    if (SetClipboardData(format, block) == 0) {
        GlobalFree(block);
        return FALSE;
    }
    return TRUE;
}

HGLOBAL clipTextBlock(const char* text)
{
    if (text == nullptr) {
        text = "";
    }
    return plGlobalAus(text, std::strlen(text) + 1, kClipBlock);
}

// The metafile picture: the 16-byte record with a metafile made from the
// caller's bits; put into the open clipboard.
BOOL clipMetaBild(const void* bits, size_t groesse, int b, int h, int r)
{
    LONG xExt = 0;
    LONG yExt = 0;
    if (!ClipMetaAusmass(b, h, r, &xExt, &yExt) || bits == nullptr || groesse > 0xFFFFFFFFu) {
        return FALSE;
    }
    HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(groesse), static_cast<const BYTE*>(bits));
    if (mf == 0) {
        return FALSE;
    }
    HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_DDESHARE | GMEM_ZEROINIT, sizeof(METAFILEPICT));
    auto* bild = static_cast<METAFILEPICT*>(block ? GlobalLock(block) : nullptr);
    if (bild == nullptr) {
        if (block != 0) {
            GlobalFree(block);
        }
        DeleteMetaFile(mf);
        return FALSE;
    }
    bild->mm = MM_ISOTROPIC;
    bild->xExt = xExt;
    bild->yExt = yExt;
    bild->hMF = mf;
    GlobalUnlock(block);
    if (SetClipboardData(CF_METAFILEPICT, block) == 0) {
        DeleteMetaFile(mf);
        GlobalFree(block);
        return FALSE;
    }
    return TRUE;
}

// Opens and empties the clipboard for a replacing operation.
BOOL clipErsetzen()
{
    if (!clipOeffnen()) {
        return FALSE;
    }
    EmptyClipboard();
    return TRUE;
}

}  // namespace

void ClipFormateAnmelden()
{
    if (clipStatusNr == 0) {
        clipStatusNr = RegisterClipboardFormat("ZavikStatus");
    }
    if (clipZeichnungNr == 0) {
        clipZeichnungNr = RegisterClipboardFormat("ZavikZeichnung");
    }
}

UINT ClipStatusFormat()
{
    ClipFormateAnmelden();
    return clipStatusNr;
}

UINT ClipZeichnungFormat()
{
    ClipFormateAnmelden();
    return clipZeichnungNr;
}

BOOL ClipMetaAusmass(int b, int h, int r, LONG* xExt, LONG* yExt)
{
    *xExt = 0;
    *yExt = 0;
    if (r <= 0) {
        return FALSE;
    }
    // Integer part, as the picture's consumers expect 0.01 mm.
    *xExt = static_cast<LONG>(static_cast<double>(b) * 100.0 * 25.4 / r);
    *yExt = static_cast<LONG>(static_cast<double>(h) * 100.0 * 25.4 / r);
    return TRUE;
}

BOOL ClipTextSetzen(const char* text)
{
    if (!clipErsetzen()) {
        return FALSE;
    }
    BOOL ok = clipBlockSetzen(CF_TEXT, clipTextBlock(text));
    CloseClipboard();
    return ok;
}

BOOL ClipBitmapSetzen(HBITMAP bild)
{
    if (!clipErsetzen()) {
        return FALSE;
    }
    BOOL ok = ClipBitmapDazu(bild);
    CloseClipboard();
    return ok;
}

BOOL ClipMetaSetzen(const void* bits, size_t groesse, int b, int h, int r)
{
    LONG xExt = 0;
    LONG yExt = 0;
    // The extents before the clipboard is touched: a bad resolution leaves it as it was.
    if (!ClipMetaAusmass(b, h, r, &xExt, &yExt) || !clipErsetzen()) {
        return FALSE;
    }
    BOOL ok = clipMetaBild(bits, groesse, b, h, r);
    CloseClipboard();
    return ok;
}

BOOL ClipEmfSetzen(HENHMETAFILE emf)
{
    if (emf == 0 || !clipErsetzen()) {
        return FALSE;
    }
    BOOL ok = SetClipboardData(CF_ENHMETAFILE, emf) != 0;
    CloseClipboard();
    return ok;
}

BOOL ClipStatusBeginnen(const char* text, double x, double y)
{
    if (!clipErsetzen()) {
        return FALSE;
    }
    ClipFormateAnmelden();
    HGLOBAL block = GlobalAlloc(kClipBlock, CLIP_STATUS_GROESSE);
    auto* p = static_cast<unsigned char*>(block ? GlobalLock(block) : nullptr);
    if (p != nullptr) {
        // The folder may be longer than the field: cut it, the NUL stays inside.
        size_t n = text != nullptr ? strnlen(text, CLIP_STATUS_TEXTSUP - 1) : 0;
        if (n > 0) {
            std::memcpy(p, text, n);
        }
        std::memcpy(p + CLIP_STATUS_X, &x, sizeof x);
        std::memcpy(p + CLIP_STATUS_Y, &y, sizeof y);
        GlobalUnlock(block);
    } else if (block != 0) {
        GlobalFree(block);
        block = 0;
    }
    clipBlockSetzen(clipStatusNr, block);
    return TRUE;
}

BOOL ClipTextDazu(const char* text)
{
    return clipBlockSetzen(CF_TEXT, clipTextBlock(text));
}

BOOL ClipMetaDazu(const void* bits, size_t groesse, int b, int h, int r)
{
    return clipMetaBild(bits, groesse, b, h, r);
}

BOOL ClipZeichnungDazu(const void* block, size_t groesse)
{
    if (block == nullptr || groesse < 4) {
        return FALSE;
    }
    uint32_t l = 0;
    std::memcpy(&l, block, 4);
    if (static_cast<uint64_t>(l) + 4 != groesse) {
        return FALSE;
    }
    return clipBlockSetzen(ClipZeichnungFormat(), plGlobalAus(block, groesse, kClipBlock));
}

BOOL ClipBitmapDazu(HBITMAP bild)
{
    return bild != 0 && SetClipboardData(CF_BITMAP, bild) != 0;
}

void ClipSchliessen()
{
    CloseClipboard();
}

int ClipStatusHolen(char* text, double* x, double* y)
{
    UINT format = ClipStatusFormat();
    if (!clipOeffnen()) {
        return 0;
    }
    int da = 0;
    HGLOBAL block = GetClipboardData(format);
    const auto* p = static_cast<const unsigned char*>(block ? GlobalLock(block) : nullptr);
    // A block from another program that is too short is not a status block.
    if (p != nullptr && GlobalSize(block) >= CLIP_STATUS_GROESSE) {
        if (text != nullptr) {
            size_t n = strnlen(reinterpret_cast<const char*>(p), CLIP_STATUS_TEXTSUP - 1);
            std::memcpy(text, p, n);
            text[n] = '\0';
        }
        if (x != nullptr) {
            std::memcpy(x, p + CLIP_STATUS_X, sizeof *x);
        }
        if (y != nullptr) {
            std::memcpy(y, p + CLIP_STATUS_Y, sizeof *y);
        }
        da = 1;
    }
    if (p != nullptr) {
        GlobalUnlock(block);
    }
    CloseClipboard();
    return da;
}

int ClipZeichnungHolen(char** block)
{
    *block = nullptr;
    UINT format = ClipZeichnungFormat();
    if (!clipOeffnen()) {
        return 0;
    }
    HGLOBAL h = GetClipboardData(format);
    const auto* p = static_cast<const unsigned char*>(h ? GlobalLock(h) : nullptr);
    if (p != nullptr) {
        uint64_t groesse = GlobalSize(h);
        uint32_t l = 0;
        if (groesse >= 4) {
            std::memcpy(&l, p, 4);
        }
        // 4 + L in 64 bits: a length word near 2^32 cannot wrap to a small size.
        uint64_t gesamt = static_cast<uint64_t>(l) + 4;
        if (groesse >= 4 && gesamt <= groesse) {
            *block = static_cast<char*>(fmalllong(static_cast<long>(gesamt)));
            if (*block != nullptr) {
                std::memcpy(*block, p, static_cast<size_t>(gesamt));
            }
        }
        GlobalUnlock(h);
    }
    CloseClipboard();
    return *block != nullptr ? 1 : 0;
}

void ClipTextHolen(char* puffer, int n)
{
    puffer[0] = '\0';
    if (n < 0 || !clipOeffnen()) {
        return;
    }
    HGLOBAL h = GetClipboardData(CF_TEXT);
    const char* p = static_cast<const char*>(h ? GlobalLock(h) : nullptr);
    if (p != nullptr) {
        size_t m = strnlen(p, GlobalSize(h));
        if (m > static_cast<size_t>(n)) {
            m = static_cast<size_t>(n);
        }
        std::memcpy(puffer, p, m);
        puffer[m] = '\0';
        GlobalUnlock(h);
    }
    CloseClipboard();
}

char* ClipTextNeu()
{
    if (!clipOeffnen()) {
        return nullptr;
    }
    char* neu = nullptr;
    HGLOBAL h = GetClipboardData(CF_TEXT);
    const char* p = static_cast<const char*>(h ? GlobalLock(h) : nullptr);
    if (p != nullptr) {
        size_t m = strnlen(p, GlobalSize(h));
        neu = static_cast<char*>(fmalloc(static_cast<long>(m) + 1, 1));
        if (neu != nullptr) {
            std::memcpy(neu, p, m);
        }
        GlobalUnlock(h);
    }
    CloseClipboard();
    return neu;
}
