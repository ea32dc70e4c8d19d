// Deleted-object phantoms; see geloesch.h.
//
// A phantom comes back under the whole state it was deleted in (scale,
// direction, layer, library, pen, text settings) and the user's state is
// queued back after it, so neither the object nor the settings change.
#include "editor/geloesch.h"

#include <algorithm>
#include <cstring>

#include "editor/befausf.h"
#include "model/beffifo.h"
#include "model/zerleg.h"

namespace {

constexpr int C_LER = 183;

phantom phalis[PHASUP];
int phaIndex = 0;
// Slots below this may hold a phantom; the rest are still zero (static
// storage at the start), so PhantomInit touches no page the session never used.
int phaBenutzt = 0;

int phaEinreihen(const BEF* b)
{
    BefEinreihen(b);
    return 0;
}

}  // namespace

void PhantomInit()
{
    std::memset(phalis, 0, sizeof phalis[0] * static_cast<size_t>(phaBenutzt));
    phaBenutzt = 0;
    phaIndex = 0;
}

int PhantomMerken(const BEF* b, const STT* s)
{
    const int gen = BefGeneration();
    if (BefIstText(b->code) && std::strncmp(b->text, "@Y", 2) == 0) return gen;
    phantom& p = phalis[phaIndex];
    p.stt = *s;
    p.bef = *b;
    p.generation = gen;
    phaBenutzt = std::max(phaBenutzt, phaIndex + 1);
    phaIndex = (phaIndex + 1) % PHASUP;
    return gen;
}

void PhantomWieder(int g)
{
    const int i = phaIndex == 0 ? PHASUP - 1 : phaIndex - 1;
    phantom& p = phalis[i];
    if (p.bef.code == 0) return;
    if (g > 0 && p.generation != g) return;
    const STT vorher = *BefAktZustand();
    SttDifferenz(&vorher, &p.stt, phaEinreihen);
    BefEinreihen(&p.bef);
    STT nachher = p.stt;
    BefZerlegen(&p.bef, &nachher, nullptr);
    SttDifferenz(&nachher, &vorher, phaEinreihen);
    if (g != 0) BefEinreihenInt(C_LER, p.generation);
    std::memset(&p, 0, sizeof p);
    phaIndex = i;
}

const phantom* PhantomSlot(int i) { return i >= 0 && i < PHASUP ? &phalis[i] : nullptr; }
int PhantomIndex() { return phaIndex; }
