// The shipped defaults set and the key descriptions against the code: every
// key the program reads by a literal name is in "data/Standard.vgb" (unless
// it is a workstation "AP-" key, which lives in the ini file) and is
// described in "data/Vorgaben.txt" on a settings page, each exactly once.
//
// Readers are the store's getters and every function that hands its
// parameter `schluessel` on to a reader (found in the sources, so a new
// wrapper is followed without listing it here). A literal read between
// VgbPraefix("XX") and the next VgbPraefix in one file is read under that
// prefix; keys read under a prefix held in a variable are not checked.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/vorgabdb.h"
#include "support/vergleich.h"

namespace fs = std::filesystem;

namespace {

std::string dateiText(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The product's folders (tests, benchmarks and data are not the product).
std::vector<fs::path> quellDateien()
{
    static const char* const ordner[] = {"platform", "support", "config", "model",   "equipment", "winlib", "controls",
                                         "output",   "project", "editor", "editdlg", "lists",     "frame"};
    std::vector<fs::path> r;
    for (const char* o : ordner) {
        const fs::path wurzel = fs::path(VELMO_SOURCE_DIR) / o;
        if (!fs::is_directory(wurzel)) continue;
        for (const auto& e : fs::recursive_directory_iterator(wurzel)) {
            const std::string x = e.path().extension().string();
            if (e.is_regular_file() && (x == ".cpp" || x == ".h")) r.push_back(e.path());
        }
    }
    return r;
}

bool wortZeichen(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

size_t leerWeg(const std::string& t, size_t i)
{
    while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
    return i;
}

// Positions where `wort` stands as a whole word.
std::vector<size_t> wortStellen(const std::string& t, const std::string& wort)
{
    std::vector<size_t> r;
    for (size_t i = t.find(wort); i != std::string::npos; i = t.find(wort, i + 1)) {
        if ((i == 0 || !wortZeichen(t[i - 1])) && (i + wort.size() >= t.size() || !wortZeichen(t[i + wort.size()])))
            r.push_back(i);
    }
    return r;
}

// The end of the body whose '{' is at `auf` (the index after its '}').
size_t koerperEnde(const std::string& t, size_t auf)
{
    int tiefe = 0;
    for (size_t i = auf; i < t.size(); ++i) {
        if (t[i] == '{') ++tiefe;
        if (t[i] == '}' && --tiefe == 0) return i + 1;
    }
    return t.size();
}

// After `name` at i: "(" and blanks; the index of the first argument, or npos.
size_t argumentAb(const std::string& t, size_t i, const std::string& name)
{
    size_t k = leerWeg(t, i + name.size());
    return k < t.size() && t[k] == '(' ? leerWeg(t, k + 1) : std::string::npos;
}

struct Definition {
    std::string name;
    std::string koerper;
};

// Function definitions whose first parameter is "const char* schluessel".
std::vector<Definition> schluesselFunktionen(const std::string& t)
{
    std::vector<Definition> r;
    for (size_t i : wortStellen(t, "schluessel")) {
        // backwards over "const char *" to the "(" and the name before it
        size_t k = i;
        auto zurueck = [&](const char* w) {
            while (k > 0 && std::isspace(static_cast<unsigned char>(t[k - 1]))) --k;
            const size_t n = std::strlen(w);
            if (k < n || t.compare(k - n, n, w) != 0) return false;
            k -= n;
            return true;
        };
        if (!zurueck("*") || !zurueck("char") || !zurueck("const") || !zurueck("(")) continue;
        size_t e = k;
        while (e > 0 && std::isspace(static_cast<unsigned char>(t[e - 1]))) --e;
        size_t a = e;
        while (a > 0 && wortZeichen(t[a - 1])) --a;
        if (a == e) continue;
        const size_t zu = t.find(')', i);
        if (zu == std::string::npos) continue;
        size_t auf = leerWeg(t, zu + 1);
        if (t.compare(auf, 5, "const") == 0) auf = leerWeg(t, auf + 5);
        if (auf >= t.size() || t[auf] != '{') continue;
        r.push_back({t.substr(a, e - a), t.substr(auf, koerperEnde(t, auf) - auf)});
    }
    return r;
}

// The reader functions: the getters, then every function passing its
// parameter `schluessel` to one of them, until no new one turns up.
std::set<std::string> leser(const std::map<fs::path, std::string>& quellen)
{
    std::set<std::string> r = {"VgbInt", "VgbZehntel", "VgbDouble", "VgbText40", "VgbText", "VgbZeiger", "VgbSuchen"};
    std::vector<Definition> defs;
    for (const auto& [pfad, text] : quellen) {
        for (auto& d : schluesselFunktionen(text)) defs.push_back(std::move(d));
    }
    for (bool neu = true; neu;) {
        neu = false;
        for (const auto& d : defs) {
            if (r.count(d.name)) continue;
            for (const auto& l : r) {
                bool reicht = false;
                for (size_t i : wortStellen(d.koerper, l)) {
                    const size_t a = argumentAb(d.koerper, i, l);
                    reicht = reicht || (a != std::string::npos && d.koerper.compare(a, 10, "schluessel") == 0 &&
                                        !wortZeichen(d.koerper[a + 10]));
                }
                if (reicht) {
                    r.insert(d.name);
                    neu = true;
                    break;
                }
            }
        }
    }
    return r;
}

struct Gelesen {
    std::string schluessel;
    std::string wo;  // file and reader, for the failure text
};

std::vector<Gelesen> gelesen()
{
    std::map<fs::path, std::string> quellen;
    for (const auto& p : quellDateien()) quellen[p] = dateiText(p);
    const std::set<std::string> namen = leser(quellen);
    std::vector<Gelesen> r;
    for (const auto& [pfad, text] : quellen) {
        if (pfad.filename() == "vorgaben.cpp" || pfad.filename() == "vorgaben.h") continue;  // the store itself
        // Literal reads (key set) and prefix changes (reader "") in text order.
        std::map<size_t, std::pair<std::string, std::string>> ereignisse;
        for (const auto& l : namen) {
            for (size_t i : wortStellen(text, l)) {
                const size_t a = argumentAb(text, i, l);
                if (a == std::string::npos || text[a] != '"') continue;
                ereignisse[i] = {l, text.substr(a + 1, text.find('"', a + 1) - a - 1)};
            }
        }
        for (size_t i : wortStellen(text, "VgbPraefix")) {
            const size_t a = argumentAb(text, i, "VgbPraefix");
            if (a == std::string::npos) continue;
            ereignisse[i] = {"", text.substr(a, text.find(')', a) - a)};
        }
        std::string praefix;
        bool praefixBekannt = true;
        for (const auto& [pos, e] : ereignisse) {
            if (e.first.empty()) {
                praefixBekannt = e.second.size() >= 2 && e.second.front() == '"';
                praefix = praefixBekannt ? e.second.substr(1, e.second.size() - 2) : std::string();
                continue;
            }
            if (!praefixBekannt) continue;
            const std::string& s = e.second;
            r.push_back({s.rfind("AP-", 0) == 0 ? s : praefix + s,
                         fs::relative(pfad, VELMO_SOURCE_DIR).string() + " " + e.first});
        }
    }
    return r;
}

// The keys of a set file, in file order (duplicates kept).
std::vector<std::string> satzSchluessel(const std::string& text)
{
    std::vector<std::string> r;
    std::istringstream ein(text);
    for (std::string zeile; std::getline(ein, zeile);) {
        std::istringstream w(zeile);
        std::string s;
        if (!(w >> s) || s[0] == ';') continue;
        r.push_back(s);
    }
    return r;
}

}  // namespace

TEST(VorgabenDaten, EveryKeyReadByNameIsShippedAndDescribedOnce)
{
    const std::vector<Gelesen> keys = gelesen();
    ASSERT_GT(keys.size(), 100u) << "the scan found the readers";

    const fs::path daten = fs::path(VELMO_SOURCE_DIR) / "data";
    std::map<std::string, int> imSatz;
    for (const auto& s : satzSchluessel(dateiText(daten / "Standard.vgb"))) ++imSatz[s];
    VgbDb db;
    ASSERT_EQ(VgbDbLaden((daten / "Vorgaben.txt").c_str(), db), 0);
    std::map<std::string, int> beschrieben;
    for (const auto& k : db.schluessel) ++beschrieben[k.schluessel];

    for (const auto& [s, n] : imSatz) EXPECT_EQ(n, 1) << s << " stands " << n << " times in Standard.vgb";
    for (const auto& [s, n] : beschrieben) EXPECT_EQ(n, 1) << s << " is described " << n << " times in Vorgaben.txt";
    std::set<std::string> geprueft;
    for (const auto& g : keys) {
        if (!geprueft.insert(g.schluessel).second) continue;
        if (g.schluessel.rfind("AP-", 0) != 0) {
            EXPECT_EQ(imSatz.count(g.schluessel), 1u) << g.schluessel << " (" << g.wo << ") is missing in Standard.vgb";
        }
        EXPECT_EQ(beschrieben.count(g.schluessel), 1u) << g.schluessel << " (" << g.wo << ") is not described in Vorgaben.txt";
    }
    // Every described key is on some settings page.
    for (const auto& k : db.schluessel) {
        bool seite = false;
        for (const auto& gruppe : db.gruppen) {
            for (const auto& m : gruppe.muster) seite = seite || mustervgl(m.c_str(), k.schluessel.c_str());
        }
        EXPECT_TRUE(seite) << k.schluessel << " is described but on no page";
    }
}
