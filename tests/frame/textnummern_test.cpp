// Every numbered text the program asks for exists in the program's string
// tables: the source tree is read for calls of the numbered-text functions
// (TextNr and its offset forms) and of every function that hands its own
// number parameter on to one of them (found from the function bodies, to a
// fixed point, so a module's own message helper counts too), each with a
// number written in the call; each number is then looked up in the
// resources the program carries. A missing text would show "Text n fehlt."
// in a box or a title. Also every editor dialog opened by number has its
// template.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fenster.h"
#include "platform/ressource.h"

namespace fs = std::filesystem;

namespace {

struct Quelle {
    std::string name, text;
};

const char* const TN_ORDNER[] = {"support", "config", "model", "equipment", "winlib", "controls", "output",
                                 "project", "editor", "editdlg", "lists", "frame"};

std::vector<Quelle> tnQuellen()
{
    std::vector<Quelle> q;
    for (const char* o : TN_ORDNER) {
        for (const auto& e : fs::recursive_directory_iterator(fs::path(VELMO_SOURCE_DIR) / o)) {
            const std::string ext = e.path().extension().string();
            if (ext != ".cpp" && ext != ".h") continue;
            std::ifstream f(e.path(), std::ios::binary);
            std::stringstream s;
            s << f.rdbuf();
            q.push_back({fs::relative(e.path(), VELMO_SOURCE_DIR).string(), s.str()});
        }
    }
    return q;
}

bool tnWortZeichen(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

size_t tnLeer(const std::string& t, size_t p)
{
    while (p < t.size() && std::isspace(static_cast<unsigned char>(t[p]))) ++p;
    return p;
}

// The word at p (identifier characters), p moved past it.
std::string tnWort(const std::string& t, size_t& p)
{
    size_t a = p;
    while (p < t.size() && tnWortZeichen(t[p])) ++p;
    return t.substr(a, p - a);
}

// At p (just after "name("): the argument if it is `param`, `param + k`,
// `k + param` or a number literal `k`; `wert` gets k (0 for the bare
// parameter). Returns 1 for the parameter, 2 for a literal, 0 otherwise.
int tnArgument(const std::string& t, size_t p, const std::string& param, int* wert)
{
    p = tnLeer(t, p);
    auto zahl = [&](size_t& q, int* z) {
        size_t a = q;
        while (q < t.size() && std::isdigit(static_cast<unsigned char>(t[q]))) ++q;
        if (q == a || (q < t.size() && tnWortZeichen(t[q]))) return false;
        *z = std::stoi(t.substr(a, q - a));
        return true;
    };
    auto ende = [&](size_t q) {
        q = tnLeer(t, q);
        return q < t.size() && (t[q] == ')' || t[q] == ',');
    };
    size_t q = p;
    int k = 0;
    if (std::isdigit(static_cast<unsigned char>(t[q]))) {
        if (!zahl(q, &k)) return 0;
        size_t r = tnLeer(t, q);
        if (!param.empty() && r < t.size() && t[r] == '+') {
            r = tnLeer(t, r + 1);
            if (tnWort(t, r) == param && ende(r)) {
                *wert = k;
                return 1;
            }
            return 0;
        }
        if (!ende(q)) return 0;
        *wert = k;
        return 2;
    }
    if (param.empty() || tnWort(t, q) != param) return 0;
    size_t r = tnLeer(t, q);
    if (r < t.size() && t[r] == '+') {
        r = tnLeer(t, r + 1);
        if (!zahl(r, &k) || !ende(r)) return 0;
    } else if (!ende(q)) {
        return 0;
    }
    *wert = k;
    return 1;
}

// Every "name(" of a known function in `body`, with the position after "(".
template <class F> void tnAufrufe(const std::string& t, size_t von, size_t bis, const std::map<std::string, int>& namen, F f)
{
    for (size_t p = von; p < bis; ++p) {
        if (!tnWortZeichen(t[p]) || (p > 0 && tnWortZeichen(t[p - 1]))) continue;
        size_t q = p;
        const std::string w = tnWort(t, q);
        p = q - 1;
        auto it = namen.find(w);
        if (it == namen.end()) continue;
        q = tnLeer(t, q);
        if (q < t.size() && t[q] == '(') f(it->first, it->second, q + 1);
    }
}

// Functions that pass their first int parameter on to a numbered-text
// lookup, with the offset they add.
std::map<std::string, int> tnWeiterreicher(const std::vector<Quelle>& quellen)
{
    std::map<std::string, int> n = {{"TextNr", 0},          {"TextNrKopie", 0},     {"TextLaden", 0},
                                    {"TextLadenIn", 0},     {"TextNr1000", 1000},   {"TextNr1000Kopie", 1000},
                                    {"TextNr3000", 3000},   {"TextNr3000Kopie", 3000}};
    for (bool neu = true; neu;) {
        neu = false;
        for (const Quelle& q : quellen) {
            const std::string& t = q.text;
            // "name(int p" ... ")" then "{": a definition.
            for (size_t p = t.find("(int "); p != std::string::npos; p = t.find("(int ", p + 1)) {
                size_t a = p;
                while (a > 0 && tnWortZeichen(t[a - 1])) --a;
                const std::string name = t.substr(a, p - a);
                if (name.empty() || n.count(name)) continue;
                size_t r = p + 5;
                const std::string param = tnWort(t, r);
                const size_t zu = t.find(')', r);
                if (zu == std::string::npos) continue;
                size_t k = tnLeer(t, zu + 1);
                if (t.compare(k, 5, "const") == 0) k = tnLeer(t, k + 5);
                if (k >= t.size() || t[k] != '{') continue;
                int tiefe = 0;
                size_t ende = k;
                for (; ende < t.size(); ++ende) {
                    if (t[ende] == '{') ++tiefe;
                    if (t[ende] == '}' && --tiefe == 0) break;
                }
                int versatz = -1;
                tnAufrufe(t, k, ende, n, [&](const std::string&, int o, size_t arg) {
                    int w = 0;
                    if (versatz < 0 && tnArgument(t, arg, param, &w) == 1) versatz = o + w;
                });
                if (versatz >= 0) {
                    n[name] = versatz;
                    neu = true;
                }
            }
        }
    }
    return n;
}

int tnZeile(const std::string& t, size_t p) { return 1 + static_cast<int>(std::count(t.begin(), t.begin() + static_cast<long>(p), '\n')); }

}  // namespace

TEST(TextNummern, EveryNumberedTextAskedForExists)
{
    const std::vector<Quelle> quellen = tnQuellen();
    ASSERT_GT(quellen.size(), 100u);
    const std::map<std::string, int> namen = tnWeiterreicher(quellen);
    EXPECT_EQ(namen.at("MeldungNr"), 1000) << "the editor's messages are texts 1000 + n";
    HMODULE modul = GetModuleHandle(nullptr);
    int gefunden = 0;
    std::string fehlt;
    for (const Quelle& q : quellen) {
        const std::string& t = q.text;
        tnAufrufe(t, 0, t.size(), namen, [&](const std::string& name, int versatz, size_t arg) {
            int k = 0;
            if (tnArgument(t, arg, "", &k) != 2) return;
            ++gefunden;
            const int nr = k + versatz;
            if (rcText(modul, static_cast<UINT>(nr)) == nullptr)
                fehlt += q.name + ":" + std::to_string(tnZeile(t, arg)) + " " + name + "(" + std::to_string(k) +
                         ") -> Text " + std::to_string(nr) + "\n";
        });
    }
    EXPECT_GT(gefunden, 300) << "the scan found the calls";
    EXPECT_EQ(fehlt, "");
}

// The editor's dialogs opened by number ("DB" and the number) exist.
TEST(TextNummern, EveryEditorDialogOpenedByNumberHasItsTemplate)
{
    const std::vector<Quelle> quellen = tnQuellen();
    std::map<std::string, int> namen = {{"DBDialogOeffnen", 0}};
    std::string fehlt;
    int gefunden = 0;
    for (const Quelle& q : quellen) {
        tnAufrufe(q.text, 0, q.text.size(), namen, [&](const std::string&, int, size_t arg) {
            int k = 0;
            if (tnArgument(q.text, arg, "", &k) != 2) return;
            ++gefunden;
            const std::string vorlage = "DB" + std::to_string(k);
            bool da = false;
            for (const std::string& m : rcModulNamen()) {
                if (m.rfind("eddb", 0) != 0 && m != "velmo") continue;
                HMODULE h = LoadLibrary(m.c_str());
                da = da || (h != 0 && rcDialog(h, vorlage.c_str()) != nullptr);
                if (h != 0) FreeLibrary(h);
            }
            if (!da)
                fehlt += q.name + ":" + std::to_string(tnZeile(q.text, arg)) + " " + vorlage + "\n";
        });
    }
    EXPECT_GT(gefunden, 5);
    EXPECT_EQ(fehlt, "");
}
