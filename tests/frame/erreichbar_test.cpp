// Every dialog template the program carries is reached by something a user
// can do: its name is opened by the code (a quoted name handed to the
// dialog manager), or it is an editor dialog "DB<n>" whose number is a
// command of a menu, an accelerator, a toolbar button, the key file or an
// opener in the code. The list of what nothing reaches must stay empty but
// for the templates named below with their reason. The same for every
// command of the main dispatcher: a menu item, an accelerator, a toolbar
// button, the key file or a post in the code reaches it, or the table
// below says why nothing does.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fenster.h"
#include "platform/ressource.h"

namespace fs = std::filesystem;

namespace {

std::string erLesen(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Every quoted word and every number of the program's sources, the menus,
// accelerators, toolbar and key files.
struct ErWoerter {
    std::set<std::string> zitate;  // upper case
    std::set<int> zahlen;
};

ErWoerter erSammeln()
{
    ErWoerter w;
    auto lesen = [&](const std::string& t) {
        // String literals, past comments and character literals.
        for (size_t p = 0; p < t.size(); ++p) {
            if (t.compare(p, 2, "//") == 0) {
                p = t.find('\n', p);
                if (p == std::string::npos) break;
                continue;
            }
            if (t.compare(p, 2, "/*") == 0) {
                p = t.find("*/", p + 2);
                if (p == std::string::npos) break;
                ++p;
                continue;
            }
            if (t[p] == '\'') {
                size_t e = p + 1;
                while (e < t.size() && t[e] != '\'') e += t[e] == '\\' ? 2 : 1;
                p = e;
                continue;
            }
            if (t[p] != '"') continue;
            std::string z;
            size_t e = p + 1;
            while (e < t.size() && t[e] != '"') {
                if (t[e] == '\\') ++e;
                if (e < t.size()) z += t[e];
                ++e;
            }
            for (char& c : z) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            w.zitate.insert(z);
            p = e;
        }
        for (size_t p = 0; p < t.size(); ++p) {
            if (!std::isdigit(static_cast<unsigned char>(t[p])) || (p > 0 && std::isalnum(static_cast<unsigned char>(t[p - 1]))))
                continue;
            size_t e = p;
            while (e < t.size() && std::isdigit(static_cast<unsigned char>(t[e]))) ++e;
            if (e - p <= 5) w.zahlen.insert(std::stoi(t.substr(p, e - p)));
            p = e;
        }
    };
    for (const char* o : {"support", "config", "model", "equipment", "winlib", "controls", "output", "project", "editor",
                          "editdlg", "lists", "frame"}) {
        for (const auto& e : fs::recursive_directory_iterator(fs::path(VELMO_SOURCE_DIR) / o))
            if (e.path().extension() == ".cpp") lesen(erLesen(e.path()));
    }
    for (const auto& e : fs::recursive_directory_iterator(fs::path(VELMO_SOURCE_DIR) / "resources"))
        if (e.path().extension() == ".rc") {
            // Menus and accelerators: the command numbers.
            std::istringstream z(erLesen(e.path()));
            std::string zeile;
            while (std::getline(z, zeile))
                if (zeile.find("MENUITEM") != std::string::npos || zeile.find("\"^") != std::string::npos ||
                    zeile.find("VIRTKEY") != std::string::npos)
                    lesen(zeile.substr(zeile.rfind('"') == std::string::npos ? 0 : zeile.rfind('"') + 1));
        }
    for (const char* d : {"Toolbar.txt", "EditKey.txt"}) lesen(erLesen(fs::path(VELMO_SOURCE_DIR) / "data" / d));
    return w;
}

// Templates nothing reaches on purpose, with the reason.
const std::map<std::string, std::string> ER_AUSNAHMEN = {
};

}  // namespace

TEST(Erreichbar, EveryDialogTemplateIsReachedFromSomethingAUserDoes)
{
    const ErWoerter w = erSammeln();
    std::string fehlt;
    int vorlagen = 0;
    for (const std::string& m : rcModulNamen()) {
        if (fs::exists(fs::path(VELMO_TEST_DATA) / m)) continue;  // a test's own module
        HMODULE h = LoadLibrary(m.c_str());
        if (h == 0) continue;
        for (const std::string& name : rcDialogNamen(h)) {
            ++vorlagen;
            std::string gross = name;
            for (char& c : gross) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            bool da = w.zitate.count(gross) > 0;
            // "DB1232D": the editor's dialogs by number (a letter may follow).
            if (!da && gross.rfind("DB", 0) == 0 && gross.size() > 2 && std::isdigit(static_cast<unsigned char>(gross[2]))) {
                size_t e = 2;
                while (e < gross.size() && std::isdigit(static_cast<unsigned char>(gross[e]))) ++e;
                da = w.zahlen.count(std::stoi(gross.substr(2, e - 2))) > 0;
            }
            if (!da && !ER_AUSNAHMEN.count(name)) fehlt += m + ": " + name + "\n";
        }
        FreeLibrary(h);
    }
    EXPECT_GT(vorlagen, 150);
    EXPECT_EQ(fehlt, "");
}

namespace {

// Commands of the dispatcher nothing fixed reaches, and why.
const std::map<int, std::string> ER_BEFEHLE_AUSNAHMEN = {
    {1591, "check-list items 1590-1594 are made at run time from ChkLstBz0..4"},
    {1592, "check-list item, made at run time"},
    {1593, "check-list item, made at run time"},
    {1594, "check-list item, made at run time"},
    {1620, "external programs 1620-1624: the dispatcher lists them without a menu item"},
    {1621, "external program"},
    {1622, "external program"},
    {1623, "external program"},
    {1624, "external program"},
    {1670, "recent-folder items 1670-1689 are made at run time from the recent list"},
    {1861, "drawing command of the range 1860-1863 the page handles; no menu item names it"},
    {1863, "drawing command of the range 1860-1863 the page handles; no menu item names it"},
};

}  // namespace

TEST(Erreichbar, EveryDispatcherCommandIsReachedFromSomethingAUserDoes)
{
    const std::string modus = erLesen(fs::path(VELMO_SOURCE_DIR) / "frame" / "modus.cpp");
    const size_t a = modus.find("void AnwBefehl(");
    ASSERT_NE(a, std::string::npos);
    const std::string rumpf = modus.substr(a, modus.find("\n}\n", a) - a);
    // 4-digit numbers of a text (not part of a longer word).
    auto zahlen = [](const std::string& t, std::set<int>& aus) {
        for (size_t p = 0; p < t.size(); ++p) {
            if (!std::isdigit(static_cast<unsigned char>(t[p])) || (p > 0 && std::isalnum(static_cast<unsigned char>(t[p - 1]))))
                continue;
            size_t e = p;
            while (e < t.size() && std::isdigit(static_cast<unsigned char>(t[e]))) ++e;
            if (e - p == 4 && !(e < t.size() && std::isalpha(static_cast<unsigned char>(t[e])))) aus.insert(std::stoi(t.substr(p, 4)));
            p = e;
        }
    };
    std::set<int> befehle;
    for (size_t p = rumpf.find("case "); p != std::string::npos; p = rumpf.find("case ", p + 1)) {
        std::set<int> z;
        zahlen(rumpf.substr(p + 5, 5), z);
        befehle.insert(z.begin(), z.end());
    }
    for (size_t p = rumpf.find("n >= "); p != std::string::npos; p = rumpf.find("n >= ", p + 1)) {
        const size_t q = rumpf.find("n <= ", p);
        if (q == std::string::npos || q - p > 20) continue;
        const int von = std::atoi(rumpf.c_str() + p + 5), bis = std::atoi(rumpf.c_str() + q + 5);
        for (int n = von; n <= bis && bis - von < 50; ++n) befehle.insert(n);
    }
    ASSERT_GT(befehle.size(), 60u);

    std::set<int> erreicht;
    for (const auto& e : fs::recursive_directory_iterator(fs::path(VELMO_SOURCE_DIR) / "resources")) {
        if (e.path().extension() != ".rc") continue;
        std::istringstream z(erLesen(e.path()));
        std::string zeile;
        while (std::getline(z, zeile))
            if (zeile.find("MENUITEM") != std::string::npos || zeile.find("\"^") != std::string::npos ||
                zeile.find("VIRTKEY") != std::string::npos)
                zahlen(zeile.substr(zeile.rfind('"') == std::string::npos ? 0 : zeile.rfind('"') + 1), erreicht);
    }
    for (const char* d : {"Toolbar.txt", "EditKey.txt"}) zahlen(erLesen(fs::path(VELMO_SOURCE_DIR) / "data" / d), erreicht);
    // Posts and sends of a literal command in the code: the statement after
    // a call whose name holds Post, Send or Befehl.
    for (const char* o : {"winlib", "controls", "output", "project", "editor", "editdlg", "lists", "frame"})
        for (const auto& e : fs::recursive_directory_iterator(fs::path(VELMO_SOURCE_DIR) / o)) {
            if (e.path().extension() != ".cpp") continue;
            const std::string t = erLesen(e.path());
            for (const char* wort : {"Post", "Send", "Befehl"})
                for (size_t p = t.find(wort); p != std::string::npos; p = t.find(wort, p + 1)) {
                    const size_t auf = t.find('(', p), ende = t.find(';', p);
                    if (auf == std::string::npos || ende == std::string::npos || auf > ende || auf - p > 20) continue;
                    zahlen(t.substr(auf, ende - auf), erreicht);
                }
        }
    std::string fehlt;
    for (int b : befehle)
        if (!erreicht.count(b) && !ER_BEFEHLE_AUSNAHMEN.count(b) && !(b >= 1670 && b <= 1689)) fehlt += std::to_string(b) + "\n";
    EXPECT_EQ(fehlt, "");
}
