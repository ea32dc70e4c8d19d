// Dialog text resources (see skript.h).
#include "config/skript.h"

#include <cstring>
#include <string>

#include "config/konfhaken.h"
#include "platform/ressource.h"
#include "support/basis.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {
char skriptRing[10][DLGTEXTSUP + 1];
int skriptRingIndex = 0;
}  // namespace

char* SkriptLaden(const char* name)
{
    HMODULE modul = konfHaken().dlgModul(name);
    if (modul == 0) wiAssert("skript", 30, "( modul = wiDlgModul( name )) != 0");
    HRSRC res = FindResource(modul, name, RT_RCDATA);
    if (res == 0) return nullptr;
    HGLOBAL daten = LoadResource(modul, res);
    const char* text = static_cast<const char*>(LockResource(daten));
    if (!text) return nullptr;
    char* erg = static_cast<char*>(fmalloc(SKRIPTSUP, 1));
    if (!erg) wiAssert("skript", 36, "(erg=fmalloc(10000,1)) != NULL");
    size_t n = SizeofResource(modul, res);
    if (n > SKRIPTSUP - 1) n = SKRIPTSUP - 1;
    std::memcpy(erg, text, n);
    return erg;
}

int SkriptZeile(const char* text, const char* schluessel, char* aus, size_t groesse)
{
    if (aus && groesse > 0) aus[0] = '\0';
    if (!text || !schluessel) return 0;
    const char* p = text;
    while (*p) {
        const char* ende = std::strchr(p, '\n');
        size_t laenge = ende ? static_cast<size_t>(ende - p) : std::strlen(p);  // the last line counts too
        std::string zeile(p, laenge);
        size_t a = 0;
        while (a < zeile.size() && istweiss(static_cast<unsigned char>(zeile[a]))) ++a;
        size_t e = a;
        while (e < zeile.size() && !istweiss(static_cast<unsigned char>(zeile[e]))) ++e;
        if (e > a && strvgl(zeile.substr(a, e - a).c_str(), schluessel) == 0) {
            std::string rest = zeile.substr(e);
            char b[SKRIPTSUP];
            strkopie(b, rest.c_str(), SKRIPTSUP - 1);
            strtrim(b);
            if (aus && groesse > 0) strkopie(aus, groesse, b, static_cast<int>(groesse) - 1);
            return 1;
        }
        if (!ende) break;
        p = ende + 1;
    }
    return 0;
}

const char* SkriptText(const char* name, const char* schluessel)
{
    char* ziel = skriptRing[skriptRingIndex];
    skriptRingIndex = (skriptRingIndex + 1) % 10;
    ziel[0] = '\0';
    char* block = SkriptLaden(name);
    if (!block) return ziel;
    char zeile[SKRIPTSUP];
    if (SkriptZeile(block, schluessel, zeile, sizeof zeile)) {
        std::string t = zeile;
        size_t pos = 0;
        while ((pos = t.find("\\n", pos)) != std::string::npos) {
            t.replace(pos, 2, "\r\n");
            pos += 2;
        }
        strkopie(ziel, DLGTEXTSUP + 1, t.c_str(), DLGTEXTSUP);
    }
    ffree(block);
    return ziel;
}

const char* DlgText(const char* schluessel)
{
    std::string name = std::string(konfHaken().dlgName()) + "_TEXT";
    return SkriptText(name.c_str(), schluessel);
}
