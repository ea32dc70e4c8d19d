// Ini files: reading rules, writes that keep every other line, failures by
// fault injection, and the application-data folder for bare names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/fehlersim.h"
#include "platform/profil.h"

namespace fs = std::filesystem;

namespace {

class Profil : public testing::Test {
protected:
    void SetUp() override
    {
        ordner_ = fs::path(testing::TempDir()) / ("profil_" + std::to_string(::getpid()));
        fs::remove_all(ordner_);
        fs::create_directories(ordner_ / "cfg");
        alt_ = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
        setenv("XDG_CONFIG_HOME", (ordner_ / "cfg").c_str(), 1);
        datei_ = (ordner_ / "t.ini").string();
        plIniCacheLeeren();
    }
    void TearDown() override
    {
        if (alt_.empty()) unsetenv("XDG_CONFIG_HOME"); else setenv("XDG_CONFIG_HOME", alt_.c_str(), 1);
        fs::remove_all(ordner_);
    }
    void schreiben(const std::string& inhalt)
    {
        std::ofstream(datei_, std::ios::binary) << inhalt;
        plIniCacheLeeren();
    }
    std::string lesen(const std::string& pfad)
    {
        std::ifstream f(pfad, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    std::string holen(const char* sec, const char* key, const char* std = "STD", DWORD n = 100)
    {
        char b[100];
        DWORD r = GetPrivateProfileString(sec, key, std, b, n, datei_.c_str());
        EXPECT_EQ(r, std::strlen(b));
        return b;
    }
    fs::path ordner_;
    std::string alt_;
    std::string datei_;
};

TEST_F(Profil, ReadingRules)
{
    schreiben("; Kommentar\n[Zavik]\n  Pfad  =  C:\\x  \r\nZahl=-42abc\nzahl=7\n[ArbPlatz]\nQ=\"  in Anf\xFChrung \"\nE='a'\n"
              "Halb=\"offen\n[zavik]\nNeu=zweiter Abschnitt\n[\xC4nderung]\nk=\xE4\n");
    struct Fall {
        const char* sec;
        const char* key;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"Zavik", "Pfad", "C:\\x"},            // blanks around key and value trimmed
        {"ZAVIK", "pfad", "C:\\x"},            // section and key ignore case
        {"Zavik", "Zahl", "-42abc"},           // first of two equal keys wins
        {"Zavik", "Neu", "STD"},               // the second [zavik] is never looked at
        {"ArbPlatz", "Q", "  in Anf\xFChrung "},  // one pair of quotes removed, inner blanks kept
        {"ArbPlatz", "E", "a"},
        {"ArbPlatz", "Halb", "\"offen"},
        {"ArbPlatz", "Fehlt", "STD"},
        {"Fehlt", "Pfad", "STD"},
        {"\xE4NDERUNG", "K", "\xE4"},          // the system's case map covers umlauts
    };
    for (const auto& f : faelle) EXPECT_EQ(holen(f.sec, f.key), f.erwartet) << f.sec << "/" << f.key;
    EXPECT_EQ(holen("Zavik", "Pfad", "STD", 3), "C:");  // cut to size - 1
    EXPECT_EQ(holen("Zavik", "Fehlt", nullptr), "");
    EXPECT_EQ(GetPrivateProfileInt("zavik", "zahl", 5, datei_.c_str()), static_cast<UINT>(-42));
    EXPECT_EQ(GetPrivateProfileInt("zavik", "fehlt", 5, datei_.c_str()), 5u);
    EXPECT_EQ(GetPrivateProfileInt("ArbPlatz", "E", 5, datei_.c_str()), 0u);

    char b[64];
    DWORD n = GetPrivateProfileString("Zavik", nullptr, "", b, sizeof b, datei_.c_str());
    EXPECT_EQ(std::string(b, n), std::string("Pfad\0Zahl\0zahl\0", 15));
}

TEST_F(Profil, MissingFileGivesTheDefault)
{
    EXPECT_EQ(holen("A", "B", "  vorgabe  "), "vorgabe");
    EXPECT_EQ(GetPrivateProfileInt("A", "B", -3, datei_.c_str()), static_cast<UINT>(-3));
    EXPECT_FALSE(fs::exists(datei_));
}

TEST_F(Profil, WritesKeepEveryOtherLineByteForByte)
{
    const std::string alt = "; Kopf \n[Eins]\r\nA = 1 \nB=2\n\n[Zwei]\nC=3\nohne Gleich\n";
    schreiben(alt);
    struct Fall {
        const char* wie;
        const char* sec;
        const char* key;
        const char* wert;
        const char* ergebnis;
    };
    const Fall faelle[] = {
        {"change a value", "eins", "a", "neu", "; Kopf \n[Eins]\r\nA=neu\r\nB=2\n\n[Zwei]\nC=3\nohne Gleich\n"},
        {"same value writes nothing", "Eins", "B", "2", "; Kopf \n[Eins]\r\nA = 1 \nB=2\n\n[Zwei]\nC=3\nohne Gleich\n"},
        {"new key at the end of its section", "Eins", "D", "4", "; Kopf \n[Eins]\r\nA = 1 \nB=2\nD=4\r\n\n[Zwei]\nC=3\nohne Gleich\n"},
        {"new section at the end", "Drei", "E", "5", "; Kopf \n[Eins]\r\nA = 1 \nB=2\n\n[Zwei]\nC=3\nohne Gleich\n\r\n[Drei]\r\nE=5\r\n"},
        {"NULL value deletes the key", "Eins", "A", nullptr, "; Kopf \n[Eins]\r\nB=2\n\n[Zwei]\nC=3\nohne Gleich\n"},
        {"NULL key deletes the section", "EINS", nullptr, nullptr, "; Kopf \n[Zwei]\nC=3\nohne Gleich\n"},
        {"deleting a missing key changes nothing", "Eins", "X", nullptr, "; Kopf \n[Eins]\r\nA = 1 \nB=2\n\n[Zwei]\nC=3\nohne Gleich\n"},
    };
    for (const auto& f : faelle) {
        schreiben(alt);
        EXPECT_TRUE(WritePrivateProfileString(f.sec, f.key, f.wert, datei_.c_str())) << f.wie;
        EXPECT_EQ(lesen(datei_), f.ergebnis) << f.wie;
    }
    // a last line without a line end gets one before a new key follows it
    schreiben("[S]\nA=1");
    EXPECT_TRUE(WritePrivateProfileString("S", "B", "2", datei_.c_str()));
    EXPECT_EQ(lesen(datei_), "[S]\nA=1\r\nB=2\r\n");
    EXPECT_EQ(holen("s", "b"), "2");
}

TEST_F(Profil, FirstWriteCreatesTheFileButNotItsFolder)
{
    EXPECT_TRUE(WritePrivateProfileString("DBPosition", "Dlg", "1 2", datei_.c_str()));
    EXPECT_EQ(lesen(datei_), "[DBPosition]\r\nDlg=1 2\r\n");
    std::string tief = (ordner_ / "nicht" / "da.ini").string();
    EXPECT_FALSE(WritePrivateProfileString("A", "B", "C", tief.c_str()));
    EXPECT_FALSE(fs::exists(ordner_ / "nicht"));
}

TEST_F(Profil, FailedWriteReturnsZeroAndKeepsTheOldFile)
{
    schreiben("[A]\nB=alt\n");
    EXPECT_EQ(holen("A", "B"), "alt");
    const PlFehlerArt arten[] = {PlFehlerArt::Oeffnen, PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen, PlFehlerArt::Schliessen};
    for (PlFehlerArt art : arten) {
        PlFehlerScope scope;
        plFehlerSetzen(art, 1, true);
        EXPECT_FALSE(WritePrivateProfileString("A", "B", "neu", datei_.c_str())) << static_cast<int>(art);
        plFehlerAllesAus();
        EXPECT_EQ(lesen(datei_), "[A]\nB=alt\n");
        EXPECT_EQ(holen("A", "B"), "alt");
        // no temporary file left beside it: only "cfg" and "t.ini"
        EXPECT_EQ(std::distance(fs::directory_iterator(ordner_), fs::directory_iterator{}), 2);
    }
}

TEST_F(Profil, UnreadableFileIsNeverWrittenOver)
{
    schreiben("[A]\nB=alt\nC=bleibt\n");
    {
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, 1, true);
        EXPECT_FALSE(WritePrivateProfileString("A", "B", "neu", datei_.c_str()));
    }
    EXPECT_EQ(lesen(datei_), "[A]\nB=alt\nC=bleibt\n");
    // Once a later read succeeds the file is writable again, in the same run.
    char wert[20] = "";
    GetPrivateProfileString("A", "C", "", wert, sizeof wert, datei_.c_str());
    EXPECT_STREQ(wert, "bleibt");
    EXPECT_TRUE(WritePrivateProfileString("A", "B", "neu", datei_.c_str()));
    EXPECT_EQ(lesen(datei_), "[A]\nB=neu\r\nC=bleibt\n");
}

TEST_F(Profil, BareNameLandsInTheApplicationDataFolder)
{
    EXPECT_TRUE(WritePrivateProfileString("Zavik", "ZvVgbPfad", "/x", "Velmo-11.ini"));
    fs::path erwartet = ordner_ / "cfg" / "Velmo" / "Velmo-11.ini";
    EXPECT_EQ(lesen(erwartet.string()), "[Zavik]\r\nZvVgbPfad=/x\r\n");
    char b[20];
    EXPECT_EQ(GetPrivateProfileString("zavik", "zvvgbpfad", "", b, sizeof b, "velmo-11.ini"), 2u);
    EXPECT_EQ(plIniPfad("a.ini"), (ordner_ / "cfg" / "Velmo" / "a.ini").string());
}

TEST_F(Profil, CacheNoticesAChangedFile)
{
    schreiben("[A]\nB=1\n");
    EXPECT_EQ(holen("A", "B"), "1");
    std::ofstream(datei_, std::ios::binary) << "[A]\nB=22\n";  // size changes, cache not dropped
    EXPECT_EQ(holen("A", "B"), "22");
}

}  // namespace
