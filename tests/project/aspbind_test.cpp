// Tests of the speller binding against the installed GNU Aspell and its
// German dictionaries: check and suggest, languages, the personal and
// replacement lists, and every start failure (library, missing functions,
// speller, configuration). HOME is a temporary folder, so no user file is
// read or touched. Tests that need the German dictionary skip when it is
// not installed.
#include <gtest/gtest.h>

#include <aspell.h>
#include <dlfcn.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "project/aspbind.h"
#include "support/basis.h"

namespace {

namespace fs = std::filesystem;

std::string spurText;

void spurSenke(const char* text)
{
    spurText += text;
}

bool spurHat(const std::string& teil)
{
    return spurText.find(teil) != std::string::npos;
}

std::string lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Resolver stand-ins: one name hidden, or a configuration call that fails.
const char* versteckt = nullptr;
void* sucheOhne(void* bibliothek, const char* name)
{
    if (versteckt && std::strcmp(name, versteckt) == 0) return nullptr;
    return dlsym(bibliothek, name);
}

using ReplaceFn = decltype(&aspell_config_replace);
ReplaceFn echtesReplace = nullptr;
int scheiterndesReplace(AspellConfig* konfig, const char* schluessel, const char* wert)
{
    echtesReplace(konfig, schluessel, wert);
    return 0;
}
void* sucheReplaceFalsch(void* bibliothek, const char* name)
{
    if (std::strcmp(name, "aspell_config_replace") == 0) {
        echtesReplace = reinterpret_cast<ReplaceFn>(dlsym(bibliothek, name));
        return reinterpret_cast<void*>(&scheiterndesReplace);
    }
    return dlsym(bibliothek, name);
}

std::vector<std::string> alleVorschlaege()
{
    std::vector<std::string> v;
    char puffer[100];
    while (AspVorschlag(puffer)) v.emplace_back(puffer);
    EXPECT_STREQ(puffer, "");
    return v;
}

// Whether the speller library is still loaded by anyone in the process.
bool geladen()
{
    void* h = dlopen("libaspell.so.15", RTLD_NOW | RTLD_NOLOAD);
    if (h) dlclose(h);
    return h != nullptr;
}

bool enthaelt(const std::vector<std::string>& v, const std::string& w)
{
    return std::find(v.begin(), v.end(), w) != v.end();
}

class AspTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char muster[] = "/tmp/velmo_asp_XXXXXX";
        ASSERT_NE(mkdtemp(muster), nullptr);
        ordner_ = muster;
        const char* home = getenv("HOME");
        altHome_ = home ? home : "";
        hatteHome_ = home != nullptr;
        setenv("HOME", ordner_.c_str(), 1);
        unsetenv("ASPELL_CONF");
        spurText.clear();
        altSenke_ = wiDebugSenkeSetzen(spurSenke);
        AspSprache("de_DE");
        AspPersoenlich((ordner_ + "/personal.spell").c_str());
        AspErsatzDatei((ordner_ + "/replace.spell").c_str());
    }
    void TearDown() override
    {
        AspEnde();
        AspSymbolSucheSetzen(nullptr);
        versteckt = nullptr;
        AspSprache("");
        AspPersoenlich("");
        AspErsatzDatei("");
        wiDebugSenkeSetzen(altSenke_);
        if (hatteHome_) {
            setenv("HOME", altHome_.c_str(), 1);
        } else {
            unsetenv("HOME");
        }
        fs::remove_all(ordner_);
    }

    std::string ordner_;
    std::string altHome_;
    bool hatteHome_ = false;
    WiDebugSenke altSenke_ = nullptr;
};

// Starts the built-in library; skips the test when the dictionary of the
// language is not installed.
#define STARTEN()                                                                                     \
    do {                                                                                              \
        const int r_ = AspStart("");                                                                  \
        if (r_ == -2 && spurHat("No word lists"))                                                     \
            GTEST_SKIP() << "German dictionary of GNU Aspell not installed (aspell-de): " << spurText; \
        ASSERT_EQ(r_, 0) << spurText;                                                                 \
        ASSERT_TRUE(AspGestartet());                                                                  \
    } while (0)

TEST_F(AspTest, TheBuiltInLibraryIsTheVersionedSharedLibrary)
{
    char puffer[40];
    EXPECT_STREQ(AspStandardPfad(puffer), "libaspell.so.15");
    char klein[4];
    EXPECT_STREQ(AspStandardPfad(klein), "lib");
}

TEST_F(AspTest, ChecksGermanWordsInCodePage1252)
{
    STARTEN();
    EXPECT_TRUE(geladen());
    struct Fall {
        const char* wort;
        int erwartet;
    };
    const Fall faelle[] = {
        {"Haus", 1},          {"Hauss", 0},   {"Geb\xe4ude", 1}, {"Gebaeude", 0}, {"Schaltschrank", 1},
        {"Verdrahtung", 1},   {"haus", 0},    {"Stra\xdf" "e", 1}, {"Strasse", 0},
    };
    for (const Fall& f : faelle) EXPECT_EQ(AspPruefen(f.wort) != 0, f.erwartet == 1) << f.wort;
}

TEST_F(AspTest, TheLanguageSetBeforeTheStartDecides)
{
    struct Fall {
        const char* sprache;
        int strasse;  // "Strasse" accepted
    };
    const Fall faelle[] = {{"de_CH", 1}, {"de_DE", 0}, {"", 0}};  // none set: de_DE
    for (const Fall& f : faelle) {
        AspSprache(f.sprache);
        STARTEN();
        EXPECT_EQ(AspPruefen("Strasse") != 0, f.strasse == 1) << f.sprache;
        EXPECT_EQ(AspPruefen("Stra\xdf" "e") != 0, f.strasse == 0) << f.sprache;
        AspEnde();
        EXPECT_FALSE(AspGestartet());
        EXPECT_FALSE(geladen());
    }
}

TEST_F(AspTest, SuggestionsEnumerateForTheLastCheckedWord)
{
    STARTEN();
    EXPECT_EQ(AspPruefen("Hauss"), 0);
    const std::vector<std::string> hauss = alleVorschlaege();
    ASSERT_FALSE(hauss.empty());
    EXPECT_TRUE(enthaelt(hauss, "Haus"));
    // After the end a new enumeration starts from the first suggestion.
    char puffer[100];
    ASSERT_EQ(AspVorschlag(puffer), 1);
    EXPECT_EQ(hauss[0], puffer);

    // Checking another word drops the running enumeration.
    EXPECT_EQ(AspPruefen("Gebaeude"), 0);
    const std::vector<std::string> gebaeude = alleVorschlaege();
    EXPECT_TRUE(enthaelt(gebaeude, "Geb\xe4ude"));
    EXPECT_FALSE(enthaelt(gebaeude, "Haus"));

    // A suggestion is cut to the caller's buffer.
    AspPruefen("Gebaeude");
    char klein[4];
    ASSERT_EQ(AspVorschlag(klein), 1);
    EXPECT_EQ(std::strlen(klein), 3u);
    EXPECT_EQ(gebaeude[0].substr(0, 3), klein);
}

TEST_F(AspTest, LearnedWordsAndReplacementsAreSavedAndReadAtTheNextStart)
{
    // The list paths are system paths: backslashes are taken.
    std::string pers = ordner_ + "/personal.spell";
    std::replace(pers.begin(), pers.end(), '/', '\\');
    AspPersoenlich(pers.c_str());
    STARTEN();
    EXPECT_EQ(AspPruefen("Zavikwort"), 0);
    EXPECT_EQ(AspLernen("Zavikwort"), 0);
    EXPECT_NE(AspPruefen("Zavikwort"), 0);
    EXPECT_EQ(AspErsatzMerken("Hauss", "Haus"), 0);
    EXPECT_EQ(AspSpeichern(), 0);
    AspEnde();
    EXPECT_NE(lesen(ordner_ + "/personal.spell").find("Zavikwort"), std::string::npos);
    EXPECT_NE(lesen(ordner_ + "/replace.spell").find("Haus"), std::string::npos);

    STARTEN();
    EXPECT_NE(AspPruefen("Zavikwort"), 0);
    EXPECT_EQ(AspPruefen("Hauss"), 0);
    char puffer[100];
    ASSERT_EQ(AspVorschlag(puffer), 1);
    EXPECT_STREQ(puffer, "Haus");  // the stored replacement comes first
    AspEnde();

    // Another personal list does not know the word.
    AspPersoenlich((ordner_ + "/anders.spell").c_str());
    STARTEN();
    EXPECT_EQ(AspPruefen("Zavikwort"), 0);
}

TEST_F(AspTest, WithoutAStartTheCallsDoNothing)
{
    char puffer[10] = "x";
    EXPECT_FALSE(AspGestartet());
    EXPECT_EQ(AspPruefen("Haus"), 0);
    EXPECT_EQ(AspVorschlag(puffer), 0);
    EXPECT_STREQ(puffer, "");
    EXPECT_EQ(AspLernen("Haus"), -1);
    EXPECT_EQ(AspErsatzMerken("a", "b"), -1);
    EXPECT_EQ(AspSpeichern(), -1);
    AspEnde();
    EXPECT_FALSE(AspGestartet());
}

TEST_F(AspTest, ALibraryThatCannotBeLoadedGivesMinusOne)
{
    const char* pfade[] = {
        "libgibtesnicht.so.0",
        "/gibtesnicht/libaspell.so.15",
        "C:\\programme\\aspell\\bin\\aspell-15.dll",
    };
    for (const char* p : pfade) {
        EXPECT_EQ(AspStart(p), -1) << p;
        EXPECT_FALSE(AspGestartet());
        EXPECT_EQ(AspPruefen("Haus"), 0);
    }
    // A library without the speller's functions fails on the first entry.
    EXPECT_EQ(AspStart("libc.so.6"), -10);
    EXPECT_FALSE(AspGestartet());
}

// The names the start asks the library for, in its order.
std::vector<std::string> gefragt;
void* sucheMerken(void* bibliothek, const char* name)
{
    gefragt.emplace_back(name);
    return dlsym(bibliothek, name);
}

// The start looks up 18 required functions (optional ones after them):
// hiding the n-th fails the start with -10 - n before a speller is made and
// leaves nothing loaded.
TEST_F(AspTest, TheFirstMissingFunctionGivesItsStartError)
{
    // A language without word lists: every function is looked up, then the
    // speller cannot be made.
    AspSprache("xx_XX");
    gefragt.clear();
    AspSymbolSucheSetzen(sucheMerken);
    EXPECT_EQ(AspStart(""), -2);
    const std::vector<std::string> namen = gefragt;
    ASSERT_GT(namen.size(), 18u);
    EXPECT_EQ(namen.front(), "new_aspell_config");
    EXPECT_EQ(std::find(namen.begin(), namen.end(), "aspell_speller_clear_session") - namen.begin(), 17)
        << "never called, still required";
    AspSymbolSucheSetzen(sucheOhne);
    for (size_t i = 0; i < 18; ++i) {
        versteckt = namen[i].c_str();
        EXPECT_EQ(AspStart(""), -10 - static_cast<int>(i)) << namen[i];
        EXPECT_FALSE(AspGestartet());
        EXPECT_FALSE(geladen()) << namen[i];  // a failed start keeps nothing loaded
    }
    versteckt = nullptr;
}

TEST_F(AspTest, ASpellerThatCannotBeMadeGivesMinusTwoAndItsMessage)
{
    AspSprache("xx_XX");
    EXPECT_EQ(AspStart(""), -2);
    EXPECT_FALSE(AspGestartet());
    EXPECT_TRUE(spurHat("xx_XX")) << spurText;
    EXPECT_FALSE(geladen());
    EXPECT_EQ(AspPruefen("Haus"), 0);
    // A later start with a good language works.
    AspSprache("de_DE");
    spurText.clear();
    STARTEN();
    EXPECT_NE(AspPruefen("Haus"), 0);
}

TEST_F(AspTest, ConfigurationFailuresAreTracedAndTheStartGoesOn)
{
    AspSymbolSucheSetzen(sucheReplaceFalsch);
    AspSprache("de_CH");
    // The language replace fails, so the library takes its own default from
    // the environment: pin it to a German one, which is installed.
    struct Sprachumgebung {
        std::vector<std::pair<const char*, std::string>> alt;
        Sprachumgebung()
        {
            for (const char* n : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
                if (const char* w = getenv(n)) alt.emplace_back(n, w);
                unsetenv(n);
            }
            setenv("LC_ALL", "de_DE.UTF-8", 1);
        }
        ~Sprachumgebung()
        {
            unsetenv("LC_ALL");
            for (const auto& [n, w] : alt) setenv(n, w.c_str(), 1);
        }
    } deutsch;
    STARTEN();
    EXPECT_TRUE(spurHat("ERROR repl lang -de_CH-\n")) << spurText;
    EXPECT_TRUE(spurHat("ERROR repl encoding iso8859-1\n"));
    EXPECT_TRUE(spurHat("ERROR personal\n"));
    EXPECT_TRUE(spurHat("ERROR repl\n"));
    AspEnde();

    spurText.clear();
    AspSprache("");
    AspPersoenlich("");
    AspErsatzDatei("");
    AspStart("");
    EXPECT_TRUE(spurHat("ERROR repl lang de_DE\n")) << spurText;
    EXPECT_FALSE(spurHat("ERROR personal"));  // not set: not configured
    EXPECT_FALSE(spurHat("ERROR repl\n"));
}

TEST_F(AspTest, AListPathWithoutARealFolderIsAConfigurationError)
{
    AspPersoenlich("C:\\Daten\\personal.spell");
    STARTEN();
    EXPECT_TRUE(spurHat("ERROR personal\n")) << spurText;
}

}  // namespace
