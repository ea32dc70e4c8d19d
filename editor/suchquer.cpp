// Cross-reference search and nearest text; see suchquer.h.
//
// Both lists are kept sorted by |dx| + |dy| from the cursor; a new entry goes
// before the first one strictly farther away, so equal distances keep their
// order of arrival, and the farthest falls off a full list.
#include "editor/suchquer.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/befausf.h"
#include "editor/eingabe.h"
#include "model/edhaken.h"
#include "model/geometri.h"
#include "model/tempzeic.h"
#include "model/zerleg.h"

namespace {

constexpr int C_QVW = 91, C_QVB = 92;
constexpr double SUQ_NAH = 0.2;   // a marker gives its number within this, strictly

struct fund {
    STT stt;
    BEF bef;
    int nr;
    double d;
};
struct verweis {
    double x, y;
    int nr;
    double d;
};

double suqX, suqY;
std::vector<verweis>* suqMarken = nullptr;

double suqAbstand(double x, double y) { return std::fabs(x - suqX) + std::fabs(y - suqY); }

template <class T> void suqEinordnen(std::vector<T>& v, const T& e, size_t sup)
{
    size_t i = 0;
    while (i < v.size() && v[i].d <= e.d) ++i;
    if (i >= sup) return;
    v.insert(v.begin() + static_cast<long>(i), e);
    if (v.size() > sup) v.pop_back();
}

int suqMarke(const BEF* b, const STT* s)
{
    double x, y;
    if (b->code == C_QVW) {
        x = s->x;
        y = s->y;
    } else if (b->code == C_QVB) {
        SttPunkt(s, b->darg[2], b->darg[3], &x, &y);
    } else {
        return 0;
    }
    if (modh::AnsichtPunktSichtbar(x, y)) suqEinordnen(*suqMarken, verweis{x, y, b->iarg[0], suqAbstand(x, y)}, VWSSUP);
    return 0;
}

void suqQuadrat(double q[4])
{
    const STT* a = BefAktZustand();
    suqX = a->x;
    suqY = a->y;
    q[0] = suqX - SUQWEITE;
    q[1] = suqY - SUQWEITE;
    q[2] = suqX + SUQWEITE;
    q[3] = suqY + SUQWEITE;
}

}  // namespace

void QuerverweisSuchen()
{
    double q[4];
    suqQuadrat(q);
    std::vector<fund> fliste;
    std::vector<verweis> vliste;
    suqMarken = &vliste;
    TzBereichDurchlaufen(q, [&](int, const STT* s, const BEF* b) {
        if (BefIstText(b->code) && modh::AnsichtPunktSichtbar(s->x, s->y))
            suqEinordnen(fliste, fund{*s, *b, 0, suqAbstand(s->x, s->y)}, FNDSUP);
        STT k = *s;
        BefZerlegen(b, &k, suqMarke);
    });
    suqMarken = nullptr;
    for (fund& f : fliste) {
        for (const verweis& v : vliste) {
            if (std::fabs(v.x - f.stt.x) < SUQ_NAH && std::fabs(v.y - f.stt.y) < SUQ_NAH) {
                f.nr = v.nr;
                break;
            }
        }
    }
    for (const fund& f : fliste) {
        if (f.nr == 0) continue;
        char t[BEFTEXTSUP + 24];  // the text, " <", ten digits, ">"
        std::snprintf(t, sizeof t, "%s <%u>", f.bef.text, static_cast<unsigned>(f.nr));
        EingabeText(t);
        StartpunktSetzen(f.stt.x, f.stt.y);
        return;
    }
}

void TextNaechster()
{
    double q[4];
    suqQuadrat(q);
    double best = 10000;
    fund f{};
    bool da = false;
    TzBereichDurchlaufen(q, [&](int, const STT* s, const BEF* b) {
        if (!BefIstText(b->code) || !modh::AnsichtPunktSichtbar(s->x, s->y)) return;
        const double d = suqAbstand(s->x, s->y);
        if (d < best) {
            best = d;
            f = fund{*s, *b, 0, d};
            da = true;
        }
    });
    if (!da) return;
    EingabeText(f.bef.text);
    StartpunktSetzen(f.stt.x, f.stt.y);
}
