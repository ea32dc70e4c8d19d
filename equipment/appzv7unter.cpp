// Version-7 components and attached texts, "BMUNTER.ZVK" (see appzv7.h).
// Prefix `Zv7`.
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "equipment/appzv7.h"
#include "equipment/bmhilf.h"
#include "equipment/nhuliste.h"
#include "support/texte.h"

namespace {

std::string zv7UnterPfad;
bool zv7UnterGeladen = false;
std::vector<zv7unter> zv7Unter;
std::unordered_map<uint32_t, std::vector<size_t>> zv7UnterIndex;  // per item, file order

void Zv7UnterZeile(char* zeile, void*)
{
    if (static_cast<int>(zv7Unter.size()) >= ZV7UNTERSUP - 1) return;
    zv7unter u{};
    char wort[ZV7ZEILESUP + 1];
    wortab(wort, zeile);
    u.id = hexwert(wort);
    wortab(wort, zeile);
    u.platziert = BmhAtoi(wort);
    wortab(wort, zeile);
    strkopie(u.code, wort, 2);
    wortab(wort, zeile);
    u.x = BmhAtof(wort);
    wortab(wort, zeile);
    u.y = BmhAtof(wort);
    char feld[ZV7ZEILESUP + 1];
    auto quot = [&](char* ziel, size_t kap, int breite) {
        quotfeldab(feld, zeile);
        strtrim(feld);
        strkopie(ziel, kap, feld, breite);
    };
    quot(u.ze, sizeof u.ze, 3);
    quot(u.bl, sizeof u.bl, 10);
    quot(u.tt, sizeof u.tt, 20);
    quot(u.text, sizeof u.text, 20);
    quotfeldab(feld, zeile);
    u.nr = BmhAtoi(feld);
    quot(u.kb, sizeof u.kb, 10);
    zv7Unter.push_back(u);
}

void Zv7UnterLaden()
{
    if (zv7UnterGeladen) return;
    zv7UnterGeladen = true;
    zv7Unter.clear();
    zv7UnterIndex.clear();
    Zv7DateiLesen(zv7UnterPfad.c_str(), "zvkU", Zv7UnterZeile, nullptr);
    for (size_t i = 0; i < zv7Unter.size(); ++i) zv7UnterIndex[zv7Unter[i].id].push_back(i);
}

}  // namespace

void Zv7UnterInit(const char* pfad)
{
    zv7UnterPfad = pfad != nullptr ? pfad : "";
    zv7UnterGeladen = false;
    zv7Unter.clear();
    zv7UnterIndex.clear();
}

void Zv7UnterFrei()
{
    zv7Unter.clear();
    zv7Unter.shrink_to_fit();
    zv7UnterIndex.clear();
    zv7UnterGeladen = false;
}

int Zv7UnterAnzahl()
{
    Zv7UnterLaden();
    return static_cast<int>(zv7Unter.size());
}

void Zv7UnterDurchlaufen(uint32_t id, ZV7UNTERFN fn, void* benutzer)
{
    Zv7UnterLaden();
    const auto it = zv7UnterIndex.find(id);
    if (it == zv7UnterIndex.end()) return;
    for (const size_t i : it->second) fn(&zv7Unter[i], benutzer);
}

int Zv7UnterZahl(uint32_t id)
{
    Zv7UnterLaden();
    const auto it = zv7UnterIndex.find(id);
    if (it == zv7UnterIndex.end()) return 0;
    int n = 0;
    for (const size_t i : it->second)
        if (NhuIstUnter(zv7Unter[i].code)) ++n;
    return n;
}
