// Service hooks of model/ with their stand-ins; see dienste.h.
#include "model/dienste.h"

#include <cstring>

namespace {

void mdRgbStandard(char* text, size_t kap)
{
    static const char schwarz[] = "0 0 0";
    if (text && kap > 0) {
        size_t n = sizeof schwarz - 1 < kap - 1 ? sizeof schwarz - 1 : kap - 1;
        std::memcpy(text, schwarz, n);
        text[n] = '\0';
    }
}

void mdStrichStandard(int) {}

constexpr ModDienste mdStandard = {mdRgbStandard, mdStrichStandard};
ModDienste mdTabelle = mdStandard;

}  // namespace

const ModDienste& ModDienst() { return mdTabelle; }

void ModDiensteSetzen(const ModDienste& d)
{
    if (d.RgbAusFarbname) mdTabelle.RgbAusFarbname = d.RgbAusFarbname;
    if (d.StrichMaxSetzen) mdTabelle.StrichMaxSetzen = d.StrichMaxSetzen;
}

void ModDiensteStandard() { mdTabelle = mdStandard; }

void RgbAusFarbname(char* text, size_t kap) { mdTabelle.RgbAusFarbname(text, kap); }
void StrichMaxSetzen(int n) { mdTabelle.StrichMaxSetzen(n); }
