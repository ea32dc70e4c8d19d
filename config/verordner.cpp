// The working directory and the folder watch (see verordner.h).
#include "config/verordner.h"

#include <cstring>
#include <string>

#include "config/datwache.h"
#include "config/konfhaken.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "platform/orte.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

DATSTEMPEL verOrdnerWache{};
void (*verFolge)() = nullptr;

// Enters the folder and makes it the working directory and kind 1.
int verEintreten(const char* verz)
{
    if (doschdir(verz) != 0) {
        return -1;
    }
    VerAktuellSetzen(verz);
    VerSetzen(1, VerAktuell());
    return 0;
}

// Drops "." and resolves ".." segments of an absolute '/' path, so that
// the working directory text is one text per folder.
void verPunkte(char* pfad)
{
    std::string aus;
    std::string s = pfad;
    size_t i = 0;
    while (i <= s.size()) {
        size_t j = s.find('/', i);
        if (j == std::string::npos) {
            j = s.size();
        }
        std::string teil = s.substr(i, j - i);
        if (teil == "..") {
            size_t k = aus.find_last_of('/');
            aus.erase(k == std::string::npos ? 0 : k);
        } else if (teil != "." && !(teil.empty() && i > 0 && j < s.size())) {
            if (i > 0) {
                aus += '/';
            }
            aus += teil;
        }
        i = j + 1;
    }
    if (aus.empty() && pfad[0] == '/') {
        aus = "/";
    }
    std::memcpy(pfad, aus.c_str(), aus.size() + 1);  // never longer than the input
}

// A relative folder is taken from the current directory.
void verAbsolut(char* ziel, size_t groesse, const char* text)
{
    strkopie(ziel, groesse, text, static_cast<int>(groesse) - 1);
    strtrim(ziel);
    if (ziel[0] != '\0') {
        PfadAbsolut(ziel, groesse);
        zeichentausch(ziel, '\\', '/');
        if (ziel[0] == '/') {
            verPunkte(ziel);
        }
    }
}

}  // namespace

void VerStart()
{
    VerProgrammSetzen(plOrtDaten().c_str());
    VerSetzen(0, VerProgramm());
    char cwd[DATVERZSUP];
    if (dosgetcwd(cwd) != 0) {
        cwd[0] = '\0';
    }
    VerAktuellSetzen(cwd);
    VerSetzen(1, VerAktuell());
    VerAmStartSetzen(1);
}

void VerOption()
{
    for (int i = 1; i < plOrtArgumentAnzahl(); ++i) {
        const char* w = plOrtArgument(i);
        if (w == nullptr || strnvgl(w, "-V=", 3) != 0) {
            continue;
        }
        char pfad[DATVERZSUP];
        verAbsolut(pfad, sizeof pfad, w + 3);
        char verz[DATVERZSUP];
        VerNormieren(verz, sizeof verz, pfad);
        if (verz[0] == '\0' || verEintreten(verz) != 0) {
            wiDebug("VerOption: Ordner %s nicht gefunden", pfad);
            continue;
        }
        VerAmStartSetzen(1);
    }
}

int VerUmschalten(const char* pfad)
{
    char ziel[DATVERZSUP] = "";
    if (pfad == nullptr) {
        strkopie(ziel, VerProgramm(), DATVERZSUP - 1);
    } else {
        // Made absolute in room enough to see its length: cut to the
        // folder text, a path would name its parent folder, which was then
        // opened without a word.
        char voll[4 * DATVERZSUP];
        verAbsolut(voll, sizeof voll, pfad);
        zeichentausch(voll, '\\', '/');
        // A folder named without its trailing separator is taken whole.
        int attr = dosattrib(voll);
        if (attr != DOSATTR_FEHLT && (attr & DOSATTR_VERZEICHNIS) && strende(voll)[-1] != '/') {
            size_t n = std::strlen(voll);
            if (n + 1 < sizeof voll) {
                voll[n] = '/';
                voll[n + 1] = '\0';
            }
        }
        int letzter = zeichenposr(voll, '/');
        if (letzter >= 0) {
            voll[letzter + 1] = '\0';
        } else {
            voll[0] = '\0';
        }
        if (std::strlen(voll) >= sizeof ziel) {
            const std::string t = "Der Pfad ist l\xE4nger als " + std::to_string(sizeof ziel - 1) +
                                  " Zeichen; der Ordner wird nicht ge\xF6" "ffnet: " + voll;
            konfHaken().warnung(t.c_str());
            return 0;
        }
        VerNormieren(ziel, sizeof ziel, voll);
    }
    if (ziel[0] == '\0') {
        return 0;
    }
    if (!VerAmStart() && std::strcmp(ziel, VerAktuell()) == 0) {
        return 0;
    }
    // Entered first: a folder that cannot be entered changes nothing.
    if (verEintreten(ziel) != 0) {
        return 0;
    }
    VerAmStartSetzen(0);
    VgbSetWaehlen("Standard");
    DatWechselZaehlen();
    OrdnerEinstLaden();
    return 1;
}

void OrdnerWacheAnlegen()
{
    DatStempelAnlegen(&verOrdnerWache, -1, nullptr, nullptr);
}

int OrdnerEinstLaden()
{
    if (DatStempelVeraltet(&verOrdnerWache) == 0) {
        return 0;
    }
    if (verFolge != nullptr) {
        verFolge();
    }
    return DatStempelSetzen(&verOrdnerWache);
}

void OrdnerEinstFolgeSetzen(void (*folge)())
{
    verFolge = folge;
}
