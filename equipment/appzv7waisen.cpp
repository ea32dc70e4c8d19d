// Version-7 unassigned placements, "BMOHNEH.ZVK" (see appzv7.h).
// Prefix `Zv7`.
#include <string>
#include <vector>

#include "equipment/appzv7.h"
#include "equipment/bmhilf.h"
#include "support/texte.h"

namespace {

std::string zv7WaisenPfad;
bool zv7WaisenGeladen = false;
std::vector<zv7waise> zv7Waisen;

void Zv7WaisenZeile(char* zeile, void*)
{
    if (static_cast<int>(zv7Waisen.size()) >= ZV7WAISENSUP - 1) return;
    zv7waise w{};
    char wort[ZV7ZEILESUP + 1];
    wortab(wort, zeile);
    w.x = BmhAtof(wort);
    wortab(wort, zeile);
    w.y = BmhAtof(wort);
    char feld[ZV7ZEILESUP + 1];
    quotfeldab(feld, zeile);
    strtrim(feld);
    strkopie(w.zname, feld, 10);
    quotfeldab(feld, zeile);
    strtrim(feld);
    strkopie(w.bl, feld, 12);
    zv7Waisen.push_back(w);
}

void Zv7WaisenLaden()
{
    if (zv7WaisenGeladen) return;
    zv7WaisenGeladen = true;
    zv7Waisen.clear();
    Zv7DateiLesen(zv7WaisenPfad.c_str(), "zvkW", Zv7WaisenZeile, nullptr);
}

}  // namespace

void Zv7WaisenInit(const char* pfad)
{
    zv7WaisenPfad = pfad != nullptr ? pfad : "";
    zv7WaisenGeladen = false;
    zv7Waisen.clear();
}

void Zv7WaisenFrei()
{
    zv7Waisen.clear();
    zv7Waisen.shrink_to_fit();
    zv7WaisenGeladen = false;
}

int Zv7WaisenAnzahl()
{
    Zv7WaisenLaden();
    return static_cast<int>(zv7Waisen.size());
}

void Zv7WaisenDurchlaufen(ZV7WAISEFN fn, void* benutzer)
{
    Zv7WaisenLaden();
    for (const auto& w : zv7Waisen) fn(&w, benutzer);
}
