// Binding of the GNU Aspell speller through its published C interface,
// loaded with the dynamic loader; see aspbind.h. Prefix `Asp` (file-static
// helpers `asp`). Only the declarations of <aspell.h> are used, for the
// types of the resolved functions: nothing links against the library.
#include "project/aspbind.h"

#include <aspell.h>
#include <dlfcn.h>

#include <cstring>
#include <string>

#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/texte.h"

namespace {

// The entries in the order they are resolved; the start error of a missing
// one is -10 - its index. The two session functions are resolved and never
// called: a library without them does not start.
enum AspNr {
    ASP_NEW_CONFIG,
    ASP_CONFIG_REPLACE,
    ASP_DELETE_CONFIG,
    ASP_NEW_SPELLER,
    ASP_ERROR_NUMBER,
    ASP_ERROR_MESSAGE,
    ASP_TO_SPELLER,
    ASP_CHECK,
    ASP_SUGGEST,
    ASP_LIST_ELEMENTS,
    ASP_ENUM_NEXT,
    ASP_DELETE_ENUM,
    ASP_DELETE_SPELLER,
    ASP_STORE_REPLACEMENT,
    ASP_ADD_TO_PERSONAL,
    ASP_ADD_TO_SESSION,
    ASP_SAVE_ALL,
    ASP_CLEAR_SESSION,
    ASPPFLICHT,  // entries above are required; below optional
    ASP_DELETE_CAN_HAVE_ERROR = ASPPFLICHT,
    ASPFUNKTIONEN
};

constexpr const char* aspNamen[ASPFUNKTIONEN] = {
    "new_aspell_config",
    "aspell_config_replace",
    "delete_aspell_config",
    "new_aspell_speller",
    "aspell_error_number",
    "aspell_error_message",
    "to_aspell_speller",
    "aspell_speller_check",
    "aspell_speller_suggest",
    "aspell_word_list_elements",
    "aspell_string_enumeration_next",
    "delete_aspell_string_enumeration",
    "delete_aspell_speller",
    "aspell_speller_store_replacement",
    "aspell_speller_add_to_personal",
    "aspell_speller_add_to_session",
    "aspell_speller_save_all_word_lists",
    "aspell_speller_clear_session",
    // Frees the result of a failed speller creation; not required to start.
    "delete_aspell_can_have_error",
};

constexpr char ASPBIBLIOTHEK[] = "libaspell.so.15";

void* aspBibliothek = nullptr;
void* aspFunktion[ASPFUNKTIONEN];
AspellConfig* aspKonfig = nullptr;
AspellSpeller* aspSpeller = nullptr;
AspellStringEnumeration* aspAufzaehlung = nullptr;  // running suggestion enumeration
bool aspGestartet = false;

char aspSprache[ASPSPRACHESUP + 1];
char aspPersoenlich[ASPPFADSUP + 1];
char aspErsatzDatei[ASPPFADSUP + 1];
char aspWort[ASPWORTSUP + 1];  // last checked word

void* aspDlsym(void* bibliothek, const char* name)
{
    return dlsym(bibliothek, name);
}
AspSymbolSuche aspSuche = aspDlsym;

// The resolved entry N with the type of the library's declaration of f
// (only its type: f itself is never referred to, so nothing links to it).
#define ASP(N, f) reinterpret_cast<decltype(&f)>(aspFunktion[N])

void aspAufzaehlungEnde()
{
    if (aspAufzaehlung) ASP(ASP_DELETE_ENUM, delete_aspell_string_enumeration)(aspAufzaehlung);
    aspAufzaehlung = nullptr;
}

// Frees whatever the binding holds, in reverse order of making it.
void AspEntladen()
{
    aspAufzaehlungEnde();
    if (aspSpeller) ASP(ASP_DELETE_SPELLER, delete_aspell_speller)(aspSpeller);
    if (aspKonfig) ASP(ASP_DELETE_CONFIG, delete_aspell_config)(aspKonfig);
    aspSpeller = nullptr;
    aspKonfig = nullptr;
    if (aspBibliothek) dlclose(aspBibliothek);
    aspBibliothek = nullptr;
    std::memset(aspFunktion, 0, sizeof aspFunktion);
    aspWort[0] = '\0';
    aspGestartet = false;
}

int aspOeffnen(const char* bibliothek)
{
    const char* name = bibliothek && bibliothek[0] ? bibliothek : ASPBIBLIOTHEK;
    std::string echt = name;
    // A bare name is left to the loader's search; a path is a system path.
    if (std::strpbrk(name, "/\\") && plDsPfad(name, &echt) < 0) return ERROR;
    aspBibliothek = dlopen(echt.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!aspBibliothek) {
        const char* grund = dlerror();
        wiDebug("ASpell: %s\n", grund ? grund : name);
        return ERROR;
    }
    return 0;
}

void aspSetzen(const char* schluessel, const char* wert, const char* fehlertext)
{
    if (!ASP(ASP_CONFIG_REPLACE, aspell_config_replace)(aspKonfig, schluessel, wert)) wiDebug("%s\n", fehlertext);
}

// A list path as the library opens it: the real path of the system path.
void aspPfadSetzen(const char* schluessel, const char* pfad, const char* fehlertext)
{
    std::string echt;
    if (plDsPfad(pfad, &echt) < 0) {
        wiDebug("%s\n", fehlertext);
        return;
    }
    aspSetzen(schluessel, echt.c_str(), fehlertext);
}

void aspKonfigurieren()
{
    if (aspSprache[0]) {
        std::string text = std::string("ERROR repl lang -") + aspSprache + "-";
        aspSetzen("lang", aspSprache, text.c_str());
    } else {
        aspSetzen("lang", "de_DE", "ERROR repl lang de_DE");
    }
    aspSetzen("encoding", "iso8859-1", "ERROR repl encoding iso8859-1");
    if (aspPersoenlich[0]) aspPfadSetzen("personal", aspPersoenlich, "ERROR personal");
    if (aspErsatzDatei[0]) aspPfadSetzen("repl", aspErsatzDatei, "ERROR repl");
}

int AspLaden(const char* bibliothek)
{
    if (aspOeffnen(bibliothek) < 0) return ERROR;
    for (int i = 0; i < ASPFUNKTIONEN; ++i) {
        aspFunktion[i] = aspSuche(aspBibliothek, aspNamen[i]);
        if (!aspFunktion[i] && i < ASPPFLICHT) return -10 - i;
    }
    aspKonfig = ASP(ASP_NEW_CONFIG, new_aspell_config)();
    if (!aspKonfig) return -2;
    aspKonfigurieren();
    AspellCanHaveError* ergebnis = ASP(ASP_NEW_SPELLER, new_aspell_speller)(aspKonfig);
    if (!ergebnis) return -2;
    if (ASP(ASP_ERROR_NUMBER, aspell_error_number)(ergebnis) != 0) {
        const char* text = ASP(ASP_ERROR_MESSAGE, aspell_error_message)(ergebnis);
        wiDebug("%s\n", text ? text : "ASpell: new_aspell_speller");
        if (aspFunktion[ASP_DELETE_CAN_HAVE_ERROR])
            ASP(ASP_DELETE_CAN_HAVE_ERROR, delete_aspell_can_have_error)(ergebnis);
        return -2;
    }
    aspSpeller = ASP(ASP_TO_SPELLER, to_aspell_speller)(ergebnis);
    return 0;
}

}  // namespace

char* AspStandardPfad(char* puffer, size_t groesse)
{
    if (groesse > 0) strkopie(puffer, groesse, ASPBIBLIOTHEK, static_cast<int>(sizeof ASPBIBLIOTHEK));
    return puffer;
}

void AspSprache(const char* code)
{
    strkopie(aspSprache, code, ASPSPRACHESUP);
}

void AspPersoenlich(const char* pfad)
{
    strkopie(aspPersoenlich, pfad, ASPPFADSUP);
}

void AspErsatzDatei(const char* pfad)
{
    strkopie(aspErsatzDatei, pfad, ASPPFADSUP);
}

int AspStart(const char* bibliothek)
{
    if (aspGestartet) AspEntladen();
    const int r = AspLaden(bibliothek);
    if (r < 0) {
        AspEntladen();  // a failed start keeps nothing loaded
        return r;
    }
    aspGestartet = true;
    return 0;
}

void AspEnde()
{
    if (aspGestartet) AspEntladen();
    aspGestartet = false;
}

bool AspGestartet()
{
    return aspGestartet;
}

int AspPruefen(const char* wort)
{
    if (!aspGestartet) return 0;
    aspAufzaehlungEnde();
    strkopie(aspWort, wort, ASPWORTSUP);
    const int n = static_cast<int>(std::strlen(wort));
    // -1 (an error) is no acceptance.
    return ASP(ASP_CHECK, aspell_speller_check)(aspSpeller, wort, n) > 0 ? 1 : 0;
}

int AspVorschlag(char* puffer, size_t groesse)
{
    if (groesse > 0) puffer[0] = '\0';
    if (!aspGestartet) return 0;
    if (!aspAufzaehlung) {
        const AspellWordList* liste = ASP(ASP_SUGGEST, aspell_speller_suggest)(aspSpeller, aspWort, -1);
        if (!liste) return 0;
        aspAufzaehlung = ASP(ASP_LIST_ELEMENTS, aspell_word_list_elements)(liste);
        if (!aspAufzaehlung) return 0;
    }
    const char* vorschlag = ASP(ASP_ENUM_NEXT, aspell_string_enumeration_next)(aspAufzaehlung);
    if (!vorschlag) {
        aspAufzaehlungEnde();
        return 0;
    }
    if (groesse > 0) strkopie(puffer, groesse, vorschlag, static_cast<int>(std::strlen(vorschlag)));
    return 1;
}

int AspLernen(const char* wort)
{
    if (!aspGestartet) return ERROR;
    const int n = static_cast<int>(std::strlen(wort));
    return ASP(ASP_ADD_TO_PERSONAL, aspell_speller_add_to_personal)(aspSpeller, wort, n) ? 0 : ERROR;
}

int AspErsatzMerken(const char* falsch, const char* richtig)
{
    if (!aspGestartet) return ERROR;
    const int nf = static_cast<int>(std::strlen(falsch));
    const int nr = static_cast<int>(std::strlen(richtig));
    return ASP(ASP_STORE_REPLACEMENT, aspell_speller_store_replacement)(aspSpeller, falsch, nf, richtig, nr) < 0
               ? ERROR
               : 0;
}

int AspSpeichern()
{
    if (!aspGestartet) return ERROR;
    if (ASP(ASP_SAVE_ALL, aspell_speller_save_all_word_lists)(aspSpeller)) return 0;
    wiDebug("ASpell: Wortlisten nicht gespeichert\n");
    return ERROR;
}

AspSymbolSuche AspSymbolSucheSetzen(AspSymbolSuche suche)
{
    AspSymbolSuche alt = aspSuche;
    aspSuche = suche ? suche : aspDlsym;
    return alt;
}
