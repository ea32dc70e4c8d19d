// The reload rule as the project titles and the texts by language see it:
// one table of cases, run against both, with the file-check counter
// injected and file times moved instead of waiting.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "projtest.h"

using namespace projtest;

namespace {

// What a case needs of a module: its file with one value, the value as the
// module shows it now, an unsaved change, a check with the create flag, and
// the layout of its empty file.
struct Modul {
    const char* name;
    const char* datei;
    std::function<std::string(const std::string&)> inhalt;
    std::function<std::string()> wert;
    std::function<void(const std::string&)> setzen;
    std::function<void()> anlegen;
    const char* leer;
};

void PrintTo(const Modul& m, std::ostream* os) { *os << m.name; }

std::string utWert()
{
    projekttext t;
    UtitelProjektText(&t);
    return t.titel;
}

std::string fxWert()
{
    char t[FSTXTEXTSUP + 1];
    FstxHolen("S", "001-1", 2, t);
    return t;
}

const Modul module[] = {
    {"Titel", "Projekt.zvk",
     [](const std::string& w) { return "zvkP\n)S Titel\n" + felder({"___", w}) + "\n)S Kennung\n)E\n"; }, utWert,
     [](const std::string& w) {
         projekttext t{};
         std::snprintf(t.titel, sizeof t.titel, "%s", w.c_str());
         UtitelProjektSetzen(&t);
     },
     [] { UtitelPruefen(1); }, "zvkP\n)S Titel\n)S Kennung\n)E\n"},
    {"Texte", "Texte.zvk",
     [](const std::string& w) { return "zvkT\n)S FSText\n" + felder({"S", "001-1", "2", w}) + "\n)E\n"; }, fxWert,
     [](const std::string& w) { FstxSetzen("S", "001-1", 2, w.c_str()); }, [] { FstxPruefen(1); },
     "zvkT\n)S FSText\n)E\n"},
};

class NachladenTest : public ProjTest, public ::testing::WithParamInterface<Modul> {
protected:
    void datei(const std::string& wert, const std::string& ordnerName = "")
    {
        const Modul& m = GetParam();
        schreiben(pfad(ordnerName.empty() ? m.datei : ordnerName + "/" + m.datei), m.inhalt(wert));
    }
};

TEST_P(NachladenTest, NoCounterMoveReadsOnceDespiteAChangedFile)
{
    datei("A");
    EXPECT_EQ(GetParam().wert(), "A");
    datei("B");
    beruehren(pfad(GetParam().datei));
    EXPECT_EQ(GetParam().wert(), "A");
}

TEST_P(NachladenTest, CounterMovedSameStampReadsNothing)
{
    datei("A");
    EXPECT_EQ(GetParam().wert(), "A");
    const auto zeit = fs::last_write_time(pfad(GetParam().datei));
    datei("B");
    fs::last_write_time(pfad(GetParam().datei), zeit);
    zaehlerWeiter();
    EXPECT_EQ(GetParam().wert(), "A");
}

TEST_P(NachladenTest, TouchedFileIsReadAgainAndTheUnsavedChangeIsGone)
{
    datei("A");
    EXPECT_EQ(GetParam().wert(), "A");
    GetParam().setzen("X");
    EXPECT_EQ(GetParam().wert(), "X");
    zaehlerWeiter();
    EXPECT_EQ(GetParam().wert(), "X");  // same file, same stamp: the change stays
    datei("B");
    beruehren(pfad(GetParam().datei));
    zaehlerWeiter();
    EXPECT_EQ(GetParam().wert(), "B");
}

TEST_P(NachladenTest, OtherFolderIsRead)
{
    datei("A");
    fs::create_directories(ordner / "zwei");
    datei("C", "zwei");
    EXPECT_EQ(GetParam().wert(), "A");
    VerSetzen(1, (ordner / "zwei").string().c_str());
    zaehlerWeiter();
    EXPECT_EQ(GetParam().wert(), "C");
}

TEST_P(NachladenTest, MissingFileIsEmptyAndTriedAgain)
{
    EXPECT_EQ(GetParam().wert(), "");
    datei("A");
    zaehlerWeiter();
    EXPECT_EQ(GetParam().wert(), "A");
}

TEST_P(NachladenTest, CreateFlagMakesTheEmptyFile)
{
    GetParam().anlegen();
    EXPECT_EQ(lesen(pfad(GetParam().datei)), GetParam().leer);
    datei("A");  // an existing file is never replaced by the empty one
    beruehren(pfad(GetParam().datei));
    zaehlerWeiter();
    GetParam().anlegen();
    EXPECT_EQ(GetParam().wert(), "A");
}

INSTANTIATE_TEST_SUITE_P(Module, NachladenTest, ::testing::ValuesIn(module),
                         [](const ::testing::TestParamInfo<Modul>& i) { return std::string(i.param.name); });

}  // namespace
