// Reader of "Vorgaben.txt" (see vorgabdb.h).
#include "config/vorgabdb.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>

#include "config/inidatei.h"
#include "platform/dateisys.h"
#include "support/vergleich.h"

namespace {

std::vector<std::string> vgbDbZeilen(const std::string& t)
{
    std::vector<std::string> r;
    size_t a = 0;
    while (a < t.size()) {
        size_t e = t.find('\n', a);
        if (e == std::string::npos) e = t.size();
        std::string z = t.substr(a, e - a);
        while (!z.empty() && z.back() == '\r') z.pop_back();
        r.push_back(z);
        a = e + 1;
    }
    return r;
}

// Splits off the next blank-delimited word ("..." quoted words keep blanks).
std::string vgbDbWort(const std::string& s, size_t& p, bool quotiert = false)
{
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
    if (quotiert && p < s.size() && s[p] == '"') {
        size_t e = s.find('"', p + 1);
        if (e == std::string::npos) e = s.size();
        std::string w = s.substr(p + 1, e - p - 1);
        p = e < s.size() ? e + 1 : e;
        return w;
    }
    size_t a = p;
    while (p < s.size() && s[p] != ' ' && s[p] != '\t') ++p;
    return s.substr(a, p - a);
}

std::string vgbDbRest(const std::string& s, size_t p)
{
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
    size_t e = s.size();
    while (e > p && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(p, e - p);
}

bool vgbDbBeginnt(const std::string& s, const char* p)
{
    return s.rfind(p, 0) == 0;
}

VgbDbInfo vgbDbInfo(const std::string& zeile)
{
    VgbDbInfo i;
    bool iv = vgbDbBeginnt(zeile, "+)IV");
    bool id = vgbDbBeginnt(zeile, "+)ID");
    if (iv || id) {
        size_t p = 4;
        if (vgbDbWort(zeile, p) == "ZAVIKINI") {
            std::string pfad = IniPfadZeiger();
            size_t s = pfad.rfind('/');
            i.text = iv ? (s == std::string::npos ? std::string() : pfad.substr(0, s + 1))
                        : (s == std::string::npos ? pfad : pfad.substr(s + 1));
            i.iniSchrift = true;
            return i;
        }
    }
    i.text = zeile;
    return i;
}

}  // namespace

std::string VgbDbTitel(const std::string& format, const std::string& argument)
{
    std::string r;
    bool eingesetzt = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (!eingesetzt && format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd')) {
            r += format[i + 1] == 's' ? argument : std::to_string(std::atoi(argument.c_str()));
            eingesetzt = true;
            ++i;
            continue;
        }
        r += format[i];
    }
    return r;
}

int VgbDbLaden(const char* pfad, VgbDb& db)
{
    db = VgbDb{};
    int fd = plDsOeffnen(pfad, O_RDONLY);
    if (fd < 0) return -1;
    std::string inhalt;
    char b[8192];
    while (true) {
        ssize_t n = plDsLesen(fd, b, sizeof b);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        inhalt.append(b, static_cast<size_t>(n));
    }
    plDsSchliessen(fd);
    std::vector<std::string> z = vgbDbZeilen(inhalt);
    size_t i = 0;
    while (i < z.size()) {
        const std::string& l = z[i];
        if (vgbDbBeginnt(l, ")I")) {
            ++i;
            if (i >= z.size()) break;
            VgbDbGruppe g;
            size_t p = 0;
            g.name = vgbDbWort(z[i], p);
            g.titel = vgbDbWort(z[i], p, true);
            for (std::string w; !(w = vgbDbWort(z[i], p)).empty();) g.muster.push_back(w);
            db.gruppen.push_back(g);
            ++i;
        } else if (vgbDbBeginnt(l, ")S")) {
            VgbDbSchluessel k;
            size_t p = 2;
            k.schluessel = vgbDbWort(l, p);
            k.argument = vgbDbRest(l, p);
            ++i;
            if (i < z.size()) {
                k.titel = k.argument.empty() ? z[i] : VgbDbTitel(z[i], k.argument);
                ++i;
            }
            while (i < z.size() && !vgbDbBeginnt(z[i], ")")) {
                if (vgbDbBeginnt(z[i], "+)T")) {
                    std::string ende = z[i].substr(1);
                    ++i;
                    while (i < z.size() && z[i] != ende) ++i;
                    if (i >= z.size()) break;
                    ++i;  // past the end line; the next line is an info line whatever it holds
                    if (i < z.size()) k.info.push_back(vgbDbInfo(z[i++]));
                    continue;
                }
                k.info.push_back(vgbDbInfo(z[i++]));
            }
            db.schluessel.push_back(k);
        } else {
            ++i;
        }
    }
    return 0;
}

const VgbDbGruppe* VgbDbGruppeSuchen(const VgbDb& db, const char* name)
{
    for (const auto& g : db.gruppen) {
        if (strvgl(g.name.c_str(), name) == 0) return &g;
    }
    return nullptr;
}

std::vector<const VgbDbSchluessel*> VgbDbGruppenSchluessel(const VgbDb& db, const VgbDbGruppe& g)
{
    std::vector<const VgbDbSchluessel*> r;
    for (const auto& k : db.schluessel) {
        for (const auto& m : g.muster) {
            if (mustervgl(m.c_str(), k.schluessel.c_str())) {
                r.push_back(&k);
                break;
            }
        }
    }
    return r;
}
