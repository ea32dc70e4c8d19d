// Tests of the shell and system services: what is started for documents
// and programs (through the starter seam), finding the associated program,
// environment variables, version, module path, debugger output and the
// locale values.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/dateisys.h"
#include "platform/orte.h"

#include <unistd.h>
#include "platform/shell.h"

namespace {

std::vector<std::string> gestartet;
std::string gestartetIn;
int starterErgebnis = 0;

int starter(const std::vector<std::string>& w, const std::string& ordner)
{
    gestartet = w;
    gestartetIn = ordner;
    return starterErgebnis;
}

bool zuordnung(const std::string& datei, std::string* programm)
{
    if (datei.size() < 4 || datei.compare(datei.size() - 4, 4, ".pdf") != 0) return false;
    *programm = "/usr/bin/betrachter";
    return true;
}

std::vector<std::string> ausgaben;

class ShellTest : public ::testing::Test {
protected:
    std::string ordner;
    void SetUp() override
    {
        gestartet.clear();
        gestartetIn.clear();
        starterErgebnis = 0;
        plShellStarterSetzen(starter);
        plShellZuordnungSetzen(zuordnung);
        std::string muster = ::testing::TempDir() + "velmo-shell-XXXXXX";
        ASSERT_NE(mkdtemp(muster.data()), nullptr);
        ordner = muster;
        std::ofstream(ordner + "/plan.pdf") << "%PDF";
        std::ofstream(ordner + "/werkzeug.sh") << "#!/bin/sh\n";
        chmod((ordner + "/werkzeug.sh").c_str(), 0755);
    }
    void TearDown() override
    {
        plShellStarterSetzen(nullptr);
        plShellZuordnungSetzen(nullptr);
        plShellDebugSenkeSetzen(nullptr);
    }
};

TEST_F(ShellTest, ShellExecuteOpensDocumentsAndStartsPrograms)
{
    struct Fall {
        const char* was;
        std::string datei;
        const char* parameter;
        const char* ordnerArg;
        UINT_PTR ergebnis;
        std::vector<std::string> woerter;
        std::string in;
    };
    std::string pdf = ordner + "/plan.pdf", sh = ordner + "/werkzeug.sh";
    std::string pdfRueck = ordner + "\\PLAN.PDF";  // backslashes and another case
    const std::vector<Fall> faelle = {
        {"a document goes to xdg-open in its folder", pdf, nullptr, nullptr, 33, {"xdg-open", pdf}, ordner},
        {"backslashes and case are found", pdfRueck, nullptr, nullptr, 33, {"xdg-open", pdf}, ordner},
        {"a program is started with its parameters", sh, "-a \"zwei Worte\"", "/tmp", 33,
         {sh, "-a", "zwei Worte"}, "/tmp"},
        {"a missing file", ordner + "/fehlt.pdf", nullptr, nullptr, SE_ERR_FNF, {}, ""},
        {"a web address goes to xdg-open as it is", "https://example.org/a?b=1#c", nullptr, nullptr, 33,
         {"xdg-open", "https://example.org/a?b=1#c"}, ""},
        {"so does a plain http one, any case", "HTTP://example.org/", nullptr, nullptr, 33,
         {"xdg-open", "HTTP://example.org/"}, ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        gestartet.clear();
        gestartetIn.clear();
        EXPECT_EQ(ShellExecute(0, "open", f.datei.c_str(), f.parameter, f.ordnerArg, SW_SHOWNORMAL), f.ergebnis);
        EXPECT_EQ(gestartet, f.woerter);
        EXPECT_EQ(gestartetIn, f.in);
    }
    // A start that fails is no success.
    starterErgebnis = -1;
    EXPECT_LE(ShellExecute(0, nullptr, pdf.c_str(), nullptr, nullptr, SW_SHOWNORMAL), 32u);
}

TEST_F(ShellTest, FindExecutableAndWinExec)
{
    char ergebnis[MAX_PATH] = "x";
    EXPECT_EQ(FindExecutable("plan.pdf", ordner.c_str(), ergebnis), 33u);
    EXPECT_STREQ(ergebnis, "/usr/bin/betrachter");
    EXPECT_EQ(FindExecutable((ordner + "/werkzeug.sh").c_str(), nullptr, ergebnis), 33u);
    EXPECT_EQ(std::string(ergebnis), ordner + "/werkzeug.sh");
    EXPECT_EQ(FindExecutable("fehlt.pdf", ordner.c_str(), ergebnis), static_cast<UINT_PTR>(SE_ERR_FNF));
    EXPECT_STREQ(ergebnis, "");
    std::ofstream(ordner + "/liste.xyz") << "x";
    EXPECT_EQ(FindExecutable("liste.xyz", ordner.c_str(), ergebnis), static_cast<UINT_PTR>(SE_ERR_NOASSOC));

    std::string zeile = "\"" + ordner + "/werkzeug.sh\" eins \"zwei drei\"";
    EXPECT_GT(WinExec(zeile.c_str(), SW_SHOWNORMAL), 31u);
    EXPECT_EQ(gestartet, (std::vector<std::string>{ordner + "/werkzeug.sh", "eins", "zwei drei"}));
    EXPECT_EQ(WinExec("gibt-es-nirgends-4711", SW_SHOWNORMAL), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(WinExec("", SW_SHOWNORMAL), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
}

TEST_F(ShellTest, EnvironmentWithWindowsSizes)
{
    ASSERT_TRUE(SetEnvironmentVariable("VELMO_PROBE", "Wert"));
    char b[16];
    EXPECT_EQ(GetEnvironmentVariable("VELMO_PROBE", b, sizeof b), 4u);
    EXPECT_STREQ(b, "Wert");
    char k[4];
    EXPECT_EQ(GetEnvironmentVariable("VELMO_PROBE", k, sizeof k), 5u);  // size needed, terminator included
    ASSERT_TRUE(SetEnvironmentVariable("VELMO_PROBE", nullptr));
    EXPECT_EQ(GetEnvironmentVariable("VELMO_PROBE", b, sizeof b), 0u);
    EXPECT_FALSE(SetEnvironmentVariable("A=B", "x"));
}

TEST_F(ShellTest, VersionModuleDebugOutputAndLocale)
{
    OSVERSIONINFO v{};
    v.dwOSVersionInfoSize = sizeof v;
    ASSERT_TRUE(GetVersionEx(&v));
    EXPECT_EQ(v.dwMajorVersion, 10u);
    EXPECT_EQ(v.dwMinorVersion, 0u);
    EXPECT_EQ(v.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(LOBYTE(LOWORD(GetVersion())), 10);

    char pfad[MAX_PATH];
    DWORD n = GetModuleFileName(0, pfad, sizeof pfad);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::string(pfad).substr(std::string(pfad).rfind('/') + 1), "platform_tests");
    char kurz[5];
    EXPECT_EQ(GetModuleFileName(0, kurz, sizeof kurz), 5u);  // cut, size returned
    EXPECT_EQ(kurz[4], '\0');

    ausgaben.clear();
    plShellDebugSenkeSetzen([](const char* t) { ausgaben.push_back(t); });
    OutputDebugString("Spur 1\n");
    EXPECT_EQ(ausgaben, std::vector<std::string>{"Spur 1\n"});

    // The separators come from LC_NUMERIC without touching the process locale.
    struct Fall {
        const char* lcAll;
        const char* dezimal;
        const char* tausender;
    };
    const char* alt = std::getenv("LC_ALL");
    std::string altWert = alt ? alt : "";
    for (const Fall& f : {Fall{"C", ".", ""}, Fall{"de_DE.UTF-8", ",", "."}}) {
        SCOPED_TRACE(f.lcAll);
        setenv("LC_ALL", f.lcAll, 1);
        char d[8], t[8];
        ASSERT_GT(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, d, sizeof d), 0);
        ASSERT_GT(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, t, sizeof t), 0);
        EXPECT_STREQ(d, f.dezimal);
        EXPECT_STREQ(t, f.tausender);
    }
    char land[8];
    ASSERT_GT(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVCTRYNAME, land, sizeof land), 0);
    EXPECT_STREQ(land, "DEU");
    if (alt)
        setenv("LC_ALL", altWert.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

}  // namespace
