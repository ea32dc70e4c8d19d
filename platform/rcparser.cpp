// Parser of resource scripts (see rcparser.h for the syntax). Prefix `rc`.
// One pass per script: a tokenizer over the UTF-8 bytes, then a recursive
// reader per statement. #include reads the named file through the caller's
// reader and goes on with its tokens; #define names are module-wide.
#include "platform/rcparser.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <set>
#include <stdexcept>

#include "platform/cp1252.h"
#include "platform/zeichen.h"

namespace {

// ---- Errors ------------------------------------------------------------------

struct RcFehler : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void rcFehler(const std::string& datei, int zeile, const std::string& text)
{
    throw RcFehler(datei + ":" + std::to_string(zeile) + ": " + text);
}

// ---- Tokens ------------------------------------------------------------------

enum class RcTokArt { Ende, Wort, Zahl, Text, Zeichen, Raute };

struct RcToken {
    RcTokArt art = RcTokArt::Ende;
    std::string text;     // word, the character, or the CP1252 bytes of a string
    long long zahl = 0;
    int zeile = 0;
};

std::string rcGross(const std::string& s)
{
    std::string r = s;
    for (char& c : r) {
        c = static_cast<char>(plZeichenGross(static_cast<unsigned char>(c)));
    }
    return r;
}

bool rcIstWortAnfang(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool rcIstWortZeichen(char c)
{
    return rcIstWortAnfang(c) || (c >= '0' && c <= '9');
}

int rcHexWert(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Splits one script into tokens. '#' at the start of a line gives a Raute
// token; the directive's words follow on the same line.
class RcZerleger {
public:
    RcZerleger(const std::string& datei, const std::string& text) : datei_(datei), t_(text) {}

    std::vector<RcToken> alle()
    {
        std::vector<RcToken> r;
        r.reserve(t_.size() / 6 + 16);  // about a token per six characters: few moves
        bool zeilenAnfang = true;
        while (true) {
            bool neueZeile = ueberspringen();
            if (neueZeile) zeilenAnfang = true;
            if (p_ >= t_.size()) break;
            RcToken tok;
            tok.zeile = zeile_;
            char c = t_[p_];
            if (c == '#') {
                if (!zeilenAnfang) rcFehler(datei_, zeile_, "'#' nur am Zeilenanfang");
                tok.art = RcTokArt::Raute;
                ++p_;
            } else if (c == '"') {
                tok.art = RcTokArt::Text;
                tok.text = text();
            } else if (c >= '0' && c <= '9') {
                tok.art = RcTokArt::Zahl;
                tok.zahl = zahl(tok.text);
            } else if (rcIstWortAnfang(c)) {
                tok.art = RcTokArt::Wort;
                size_t a = p_;
                while (p_ < t_.size() && rcIstWortZeichen(t_[p_])) ++p_;
                tok.text = t_.substr(a, p_ - a);
            } else if (c != '\0' && std::strchr(",|+-~(){}", c) != nullptr) {
                tok.art = RcTokArt::Zeichen;
                tok.text = std::string(1, c);
                ++p_;
            } else {
                rcFehler(datei_, zeile_, std::string("unerwartetes Zeichen '") + c + "'");
            }
            zeilenAnfang = false;
            r.push_back(std::move(tok));
        }
        RcToken ende;
        ende.zeile = zeile_;
        r.push_back(ende);
        return r;
    }

private:
    // Skips blanks and comments; true when a line end was passed.
    bool ueberspringen()
    {
        bool nl = false;
        while (p_ < t_.size()) {
            char c = t_[p_];
            if (c == '\n') {
                ++zeile_;
                ++p_;
                nl = true;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++p_;
            } else if (c == '/' && p_ + 1 < t_.size() && t_[p_ + 1] == '/') {
                while (p_ < t_.size() && t_[p_] != '\n') ++p_;
            } else if (c == '/' && p_ + 1 < t_.size() && t_[p_ + 1] == '*') {
                int anfang = zeile_;
                p_ += 2;
                while (p_ + 1 < t_.size() && !(t_[p_] == '*' && t_[p_ + 1] == '/')) {
                    if (t_[p_] == '\n') ++zeile_;
                    ++p_;
                }
                if (p_ + 1 >= t_.size()) rcFehler(datei_, anfang, "Kommentar nicht beendet");
                p_ += 2;
            } else if (static_cast<unsigned char>(c) == 0xEF && t_.compare(p_, 3, "\xEF\xBB\xBF") == 0 && p_ == 0) {
                p_ += 3;  // byte order mark
            } else {
                break;
            }
        }
        return nl;
    }

    long long zahl(std::string& roh)
    {
        size_t a = p_;
        int basis = 10;
        if (t_[p_] == '0' && p_ + 1 < t_.size() && (t_[p_ + 1] == 'x' || t_[p_ + 1] == 'X')) {
            basis = 16;
            p_ += 2;
        }
        size_t ziffern = p_;
        while (p_ < t_.size() && rcIstWortZeichen(t_[p_])) ++p_;
        size_t ende = p_;
        // a trailing L or U (or both) is allowed, as resource compilers do
        while (ende > ziffern && (t_[ende - 1] == 'L' || t_[ende - 1] == 'l' || t_[ende - 1] == 'U' || t_[ende - 1] == 'u')) --ende;
        roh = t_.substr(a, p_ - a);
        unsigned long long w = 0;
        auto [ptr, ec] = std::from_chars(t_.data() + ziffern, t_.data() + ende, w, basis);
        if (ziffern == ende || ec != std::errc() || ptr != t_.data() + ende || w > 0xFFFFFFFFull) {
            rcFehler(datei_, zeile_, "ungültige Zahl " + roh);
        }
        return static_cast<long long>(w);
    }

    // A quoted string with escapes, converted to code page 1252.
    std::string text()
    {
        int anfang = zeile_;
        ++p_;
        std::string r;
        std::string utf8;  // pending UTF-8 run, converted as a whole
        auto fluss = [&]() {
            if (utf8.empty()) return;
            std::string cp;
            size_t stelle = 0;
            if (!rcUtf8NachCp1252(utf8, cp, &stelle)) {
                rcFehler(datei_, anfang, "Zeichen außerhalb von Codepage 1252 im Text");
            }
            r += cp;
            utf8.clear();
        };
        while (true) {
            if (p_ >= t_.size() || t_[p_] == '\n') rcFehler(datei_, anfang, "Text nicht beendet");
            char c = t_[p_];
            if (c == '"') {
                if (p_ + 1 < t_.size() && t_[p_ + 1] == '"') {
                    utf8 += '"';
                    p_ += 2;
                    continue;
                }
                ++p_;
                break;
            }
            if (c != '\\') {
                utf8 += c;
                ++p_;
                continue;
            }
            if (p_ + 1 >= t_.size()) rcFehler(datei_, anfang, "Text nicht beendet");
            char e = t_[p_ + 1];
            p_ += 2;
            switch (e) {
            case '0': utf8 += '\0'; break;
            case 'n': utf8 += '\n'; break;
            case 'r': utf8 += '\r'; break;
            case 't': utf8 += '\t'; break;
            case '\\': utf8 += '\\'; break;
            case '"': utf8 += '"'; break;
            case 'x': {
                int h1 = p_ < t_.size() ? rcHexWert(t_[p_]) : -1;
                int h2 = p_ + 1 < t_.size() ? rcHexWert(t_[p_ + 1]) : -1;
                if (h1 < 0 || h2 < 0) rcFehler(datei_, zeile_, "\\x braucht zwei Hexziffern");
                fluss();
                r += static_cast<char>(h1 * 16 + h2);  // a byte of 1252 as it is
                p_ += 2;
                break;
            }
            default:
                rcFehler(datei_, zeile_, std::string("unbekannte Escape-Folge \\") + e);
            }
        }
        fluss();
        return r;
    }

    std::string datei_;
    const std::string& t_;
    size_t p_ = 0;
    int zeile_ = 1;
};

// ---- Paths ---------------------------------------------------------------------

// Joins `name` to the folder of `basis` and normalises "." and "..".
std::string rcPfadVerbinden(const std::string& basis, const std::string& name)
{
    std::string n = name;
    for (char& c : n) {
        if (c == '\\') c = '/';
    }
    std::string voll;
    size_t s = basis.rfind('/');
    if (!n.empty() && n[0] == '/') {
        voll = n;
    } else {
        voll = (s == std::string::npos ? std::string() : basis.substr(0, s + 1)) + n;
    }
    std::vector<std::string> teile;
    size_t a = 0;
    while (a <= voll.size()) {
        size_t e = voll.find('/', a);
        if (e == std::string::npos) e = voll.size();
        std::string t = voll.substr(a, e - a);
        if (t == "..") {
            if (!teile.empty() && teile.back() != "..") {
                teile.pop_back();
            } else {
                teile.push_back(t);
            }
        } else if (!t.empty() && t != ".") {
            teile.push_back(t);
        }
        a = e + 1;
    }
    std::string r;
    for (const auto& t : teile) {
        if (!r.empty()) r += '/';
        r += t;
    }
    if (!voll.empty() && voll[0] == '/') r = "/" + r;
    return r;
}

// ---- The reader ----------------------------------------------------------------

class RcLeserKlasse {
public:
    RcLeserKlasse(const RcLeser& leser, RcModul& modul, std::vector<std::string>* gelesen)
        : leser_(leser), modul_(modul), gelesen_(gelesen)
    {
    }

    void skript(const std::string& pfad, const std::string& vonDatei, int vonZeile)
    {
        if (tiefe_ > 20) rcFehler(vonDatei, vonZeile, "#include zu tief verschachtelt");
        std::string inhalt;
        if (!lesen(pfad, inhalt)) {
            if (vonDatei.empty()) throw RcFehler(pfad + ":0: Datei fehlt");
            rcFehler(vonDatei, vonZeile, "Datei fehlt: " + pfad);
        }
        RcZerleger z(pfad, inhalt);
        std::vector<RcToken> toks = z.alle();
        ++tiefe_;
        Lauf lauf{pfad, toks, 0};
        while (lauf.ansehen().art != RcTokArt::Ende) anweisung(lauf);
        --tiefe_;
    }

private:
    struct Lauf {
        std::string datei;
        std::vector<RcToken>& toks;
        size_t i;
        const RcToken& ansehen() const { return toks[i]; }
        const RcToken& nehmen()
        {
            const RcToken& t = toks[i];
            if (t.art != RcTokArt::Ende) ++i;
            return t;
        }
    };

    bool lesen(const std::string& pfad, std::string& inhalt)
    {
        if (!leser_(pfad, inhalt)) return false;
        if (gelesen_ && std::find(gelesen_->begin(), gelesen_->end(), pfad) == gelesen_->end()) {
            gelesen_->push_back(pfad);
        }
        return true;
    }

    // `w` in upper case; compared through the case map without a copy (the
    // reader asks this many times per token).
    static bool istWort(const RcToken& t, const char* w)
    {
        if (t.art != RcTokArt::Wort) return false;
        size_t i = 0;
        for (; i < t.text.size(); ++i) {
            if (w[i] == '\0' || plZeichenGross(static_cast<unsigned char>(t.text[i])) != static_cast<unsigned char>(w[i]))
                return false;
        }
        return w[i] == '\0';
    }
    static bool istZeichen(const RcToken& t, char c)
    {
        return t.art == RcTokArt::Zeichen && t.text.size() == 1 && t.text[0] == c;
    }
    static bool istBegin(const RcToken& t) { return istWort(t, "BEGIN") || istZeichen(t, '{'); }
    static bool istEnd(const RcToken& t) { return istWort(t, "END") || istZeichen(t, '}'); }

    [[noreturn]] static void fehler(const Lauf& l, const RcToken& t, const std::string& text)
    {
        rcFehler(l.datei, t.zeile, text);
    }

    static std::string beschreibung(const RcToken& t)
    {
        switch (t.art) {
        case RcTokArt::Ende: return "Dateiende";
        case RcTokArt::Text: return "Text";
        case RcTokArt::Zahl: return t.text;
        default: return "'" + t.text + "'";
        }
    }

    void erwarteBegin(Lauf& l)
    {
        const RcToken& t = l.nehmen();
        if (!istBegin(t)) fehler(l, t, "BEGIN erwartet statt " + beschreibung(t));
    }

    void komma(Lauf& l)
    {
        const RcToken& t = l.nehmen();
        if (!istZeichen(t, ',')) fehler(l, t, "',' erwartet statt " + beschreibung(t));
    }

    bool kommaWennDa(Lauf& l)
    {
        if (istZeichen(l.ansehen(), ',')) {
            l.nehmen();
            return true;
        }
        return false;
    }

    std::string textToken(Lauf& l, const char* was)
    {
        const RcToken& t = l.nehmen();
        if (t.art != RcTokArt::Text) fehler(l, t, std::string(was) + " erwartet (Text in \"\")");
        return t.text;
    }

    // ---- Expressions ----

    long long primaer(Lauf& l)
    {
        const RcToken& t = l.nehmen();
        // Brackets and signs nest by recursion: bounded, so that a damaged
        // script cannot exhaust the stack.
        if (ausdruckTiefe_ >= AUSDRUCKTIEFESUP) fehler(l, t, "Ausdruck zu tief verschachtelt");
        ++ausdruckTiefe_;
        struct Zurueck {
            int& n;
            ~Zurueck() { --n; }
        } zurueck{ausdruckTiefe_};
        if (t.art == RcTokArt::Zahl) return t.zahl;
        if (istZeichen(t, '-')) return -primaer(l);
        if (istZeichen(t, '~')) return ~primaer(l) & 0xFFFFFFFFll;
        if (istZeichen(t, '(')) {
            long long w = ausdruck(l);
            const RcToken& z = l.nehmen();
            if (!istZeichen(z, ')')) fehler(l, z, "')' erwartet");
            return w;
        }
        if (t.art == RcTokArt::Wort) {
            auto it = defines_.find(t.text);
            if (it != defines_.end()) return it->second;
            long long w = 0;
            if (rcKonstante(t.text, w)) return w;
            fehler(l, t, "unbekannter Name " + t.text);
        }
        fehler(l, t, "Zahl oder Name erwartet statt " + beschreibung(t));
    }

    long long ausdruck(Lauf& l)
    {
        long long w = primaer(l);
        while (istZeichen(l.ansehen(), '|') || istZeichen(l.ansehen(), '+')) {
            char op = l.nehmen().text[0];
            long long r = primaer(l);
            w = op == '|' ? (w | r) : (w + r);
        }
        return w;
    }

    DWORD wert32(Lauf& l) { return static_cast<DWORD>(ausdruck(l) & 0xFFFFFFFFll); }

    int wertInt(Lauf& l) { return static_cast<int>(static_cast<int32_t>(wert32(l))); }

    // ---- Names ----

    RcName name(const RcToken& t)
    {
        RcName n;
        if (t.art == RcTokArt::Zahl) {
            n.istZahl = true;
            n.zahl = static_cast<WORD>(t.zahl);
        } else if (t.art == RcTokArt::Wort && defines_.count(t.text)) {
            n.istZahl = true;
            n.zahl = static_cast<WORD>(defines_[t.text]);
        } else {
            n.text = t.text;
            n.gross = rcGross(t.text);
        }
        return n;
    }

    static std::string nameText(const RcName& n)
    {
        return n.istZahl ? std::to_string(n.zahl) : n.text;
    }

    void eintragen(const Lauf& l, int zeile, RcEintrag e)
    {
        for (const auto& alt : modul_.eintraege) {
            if (alt.typ == e.typ && rcNameGleich(alt.name, e.name)) {
                rcFehler(l.datei, zeile, "Name doppelt: " + nameText(e.name));
            }
        }
        modul_.eintraege.push_back(std::move(e));
    }

    // ---- Statements ----

    void anweisung(Lauf& l)
    {
        const RcToken& t = l.nehmen();
        if (t.art == RcTokArt::Raute) {
            direktive(l, t);
            return;
        }
        if (istWort(t, "STRINGTABLE")) {
            stringtable(l);
            return;
        }
        if (t.art != RcTokArt::Wort && t.art != RcTokArt::Zahl && t.art != RcTokArt::Text) {
            fehler(l, t, "Ressourcenname erwartet statt " + beschreibung(t));
        }
        RcName n = name(t);
        const RcToken& typ = l.nehmen();
        int zeile = t.zeile;
        if (istWort(typ, "RCDATA")) {
            rcdata(l, n, zeile);
        } else if (istWort(typ, "DIALOG") || istWort(typ, "DIALOGEX")) {
            dialog(l, n, zeile);
        } else if (istWort(typ, "MENU")) {
            menue(l, n, zeile);
        } else if (istWort(typ, "ACCELERATORS")) {
            accel(l, n, zeile);
        } else if (istWort(typ, "BITMAP") || istWort(typ, "ICON") || istWort(typ, "CURSOR")) {
            WORD rt = istWort(typ, "BITMAP") ? 2 : istWort(typ, "ICON") ? 3 : 1;
            bild(l, n, zeile, rt);
        } else {
            fehler(l, typ, "unbekannter Ressourcentyp " + beschreibung(typ));
        }
    }

    void direktive(Lauf& l, const RcToken& raute)
    {
        const RcToken& w = l.nehmen();
        if (w.zeile != raute.zeile) fehler(l, raute, "leere Direktive");
        if (istWort(w, "DEFINE") && w.text == "define") {
            const RcToken& n = l.nehmen();
            if (n.art != RcTokArt::Wort || n.zeile != raute.zeile) fehler(l, raute, "#define braucht einen Namen");
            if (l.ansehen().zeile != raute.zeile || l.ansehen().art == RcTokArt::Ende) {
                fehler(l, raute, "#define " + n.text + " braucht einen Wert");
            }
            // the value ends with the line
            size_t von = l.i;
            while (l.toks[l.i].art != RcTokArt::Ende && l.toks[l.i].zeile == raute.zeile) ++l.i;
            size_t bis = l.i;
            std::vector<RcToken> teil(l.toks.begin() + static_cast<long>(von), l.toks.begin() + static_cast<long>(bis));
            RcToken ende;
            ende.zeile = raute.zeile;
            teil.push_back(ende);
            Lauf wl{l.datei, teil, 0};
            long long wert = ausdruck(wl);
            if (wl.ansehen().art != RcTokArt::Ende) fehler(l, raute, "unerwartetes " + beschreibung(wl.ansehen()) + " in #define");
            auto it = defines_.find(n.text);
            if (it != defines_.end() && it->second != wert) fehler(l, raute, "#define " + n.text + " doppelt mit anderem Wert");
            defines_[n.text] = wert;
        } else if (istWort(w, "INCLUDE") && w.text == "include") {
            const RcToken& d = l.nehmen();
            if (d.art != RcTokArt::Text || d.zeile != raute.zeile) fehler(l, raute, "#include braucht einen Dateinamen in \"\"");
            skript(rcPfadVerbinden(l.datei, d.text), l.datei, raute.zeile);
        } else {
            fehler(l, raute, "unbekannte Direktive #" + w.text);
        }
    }

    void stringtable(Lauf& l)
    {
        erwarteBegin(l);
        while (true) {
            const RcToken& t = l.ansehen();
            if (istEnd(t)) {
                l.nehmen();
                return;
            }
            if (t.art == RcTokArt::Ende) fehler(l, t, "END fehlt");
            int zeile = t.zeile;
            long long id = ausdruck(l);
            if (id < 0 || id > 0xFFFF) rcFehler(l.datei, zeile, "Text-Nummer außerhalb 0..65535");
            kommaWennDa(l);
            std::string text = textToken(l, "Text");
            if (!modul_.texte.emplace(static_cast<WORD>(id), text).second) {
                rcFehler(l.datei, zeile, "Text-Nummer doppelt: " + std::to_string(id));
            }
        }
    }

    std::string dateiLesen(Lauf& l, const RcToken& t)
    {
        std::string pfad = rcPfadVerbinden(l.datei, t.text);
        std::string inhalt;
        if (!lesen(pfad, inhalt)) fehler(l, t, "Datei fehlt: " + t.text);
        return inhalt;
    }

    void rcdata(Lauf& l, const RcName& n, int zeile)
    {
        RcEintrag e;
        e.typ = 10;
        e.name = n;
        const RcToken& t = l.ansehen();
        if (t.art == RcTokArt::Text) {
            l.nehmen();
            e.bytes = dateiLesen(l, t);
        } else {
            erwarteBegin(l);
            while (true) {
                const RcToken& s = l.nehmen();
                if (istEnd(s)) break;
                if (s.art != RcTokArt::Text) fehler(l, s, "Text in \"\" oder END erwartet statt " + beschreibung(s));
                e.bytes += s.text;
                kommaWennDa(l);
            }
        }
        eintragen(l, zeile, std::move(e));
    }

    void bild(Lauf& l, const RcName& n, int zeile, WORD rt)
    {
        const RcToken& t = l.nehmen();
        if (t.art != RcTokArt::Text) fehler(l, t, "Dateiname in \"\" erwartet");
        RcEintrag e;
        e.typ = rt;
        e.name = n;
        e.bytes = dateiLesen(l, t);
        e.datei = t.text;
        e.bild = std::make_shared<RcBild>();
        e.bild->name = nameText(n);
        e.bild->datei = t.text;
        e.bild->bytes = e.bytes;
        eintragen(l, zeile, std::move(e));
    }

    void dialog(Lauf& l, const RcName& n, int zeile)
    {
        auto d = std::make_shared<RcDialog>();
        d->name = nameText(n);
        d->x = wertInt(l);
        komma(l);
        d->y = wertInt(l);
        komma(l);
        d->cx = wertInt(l);
        komma(l);
        d->cy = wertInt(l);
        bool stilDa = false;
        bool titelDa = false;
        bool schriftDa = false;
        while (true) {
            const RcToken& t = l.ansehen();
            if (istBegin(t)) break;
            l.nehmen();
            if (istWort(t, "STYLE")) {
                d->stil = wert32(l);
                stilDa = true;
            } else if (istWort(t, "EXSTYLE")) {
                d->exStil = wert32(l);
            } else if (istWort(t, "CAPTION")) {
                d->titel = textToken(l, "Titel");
                titelDa = true;
            } else if (istWort(t, "FONT")) {
                d->schriftGroesse = wertInt(l);
                komma(l);
                d->schrift = textToken(l, "Schriftname");
                schriftDa = true;
                // DIALOGEX adds weight, italic and character set: read, not kept
                while (kommaWennDa(l)) ausdruck(l);
            } else if (istWort(t, "MENU")) {
                const RcToken& m = l.nehmen();
                if (m.art != RcTokArt::Wort && m.art != RcTokArt::Text && m.art != RcTokArt::Zahl) fehler(l, m, "Menüname erwartet");
                d->menue = m.art == RcTokArt::Zahl ? std::to_string(m.zahl) : m.text;
            } else if (istWort(t, "CLASS")) {
                const RcToken& k = l.nehmen();
                if (k.art != RcTokArt::Wort && k.art != RcTokArt::Text) fehler(l, k, "Klassenname erwartet");
                d->klasse = k.text;
            } else {
                fehler(l, t, "unbekannte Dialog-Angabe " + beschreibung(t));
            }
        }
        if (!stilDa) d->stil = WS_POPUP | WS_BORDER | WS_SYSMENU;
        if (titelDa) d->stil |= WS_CAPTION;
        if (schriftDa) d->stil |= DS_SETFONT;
        erwarteBegin(l);
        while (true) {
            const RcToken& t = l.nehmen();
            if (istEnd(t)) break;
            if (!istWort(t, "CONTROL")) fehler(l, t, "CONTROL oder END erwartet statt " + beschreibung(t));
            RcDlgElement el;
            el.zeile = t.zeile;
            el.text = textToken(l, "Text des Elements");
            komma(l);
            el.id = wertInt(l);
            komma(l);
            const RcToken& k = l.nehmen();
            if (k.art != RcTokArt::Text && k.art != RcTokArt::Wort) fehler(l, k, "Klassenname erwartet");
            el.klasse = k.text;
            komma(l);
            el.stil = wert32(l);
            komma(l);
            el.x = wertInt(l);
            komma(l);
            el.y = wertInt(l);
            komma(l);
            el.cx = wertInt(l);
            komma(l);
            el.cy = wertInt(l);
            if (kommaWennDa(l)) el.exStil = wert32(l);
            d->elemente.push_back(std::move(el));
        }
        RcEintrag e;
        e.typ = 5;
        e.name = n;
        e.dialog = d;
        eintragen(l, zeile, std::move(e));
    }

    UINT menueOptionen(Lauf& l, int zeile)
    {
        UINT f = 0;
        while (true) {
            const RcToken& t = l.ansehen();
            if (t.zeile != zeile || t.art == RcTokArt::Ende) break;
            if (istZeichen(t, ',')) {
                l.nehmen();
                continue;
            }
            if (istWort(t, "GRAYED")) f |= MF_GRAYED;
            else if (istWort(t, "CHECKED")) f |= MF_CHECKED;
            else if (istWort(t, "INACTIVE")) f |= MF_DISABLED;
            else if (istWort(t, "MENUBREAK")) f |= MF_MENUBREAK;
            else if (istWort(t, "MENUBARBREAK")) f |= MF_MENUBARBREAK;
            else if (istWort(t, "HELP")) f |= MF_HELP;
            else break;
            l.nehmen();
        }
        return f;
    }

    void menuePunkte(Lauf& l, std::vector<RcMenuePunkt>& punkte, int tiefe = 0)
    {
        // Submenus nest by recursion (here, in the menus built from them
        // and in their release): bounded like the expressions.
        if (tiefe >= MENUETIEFESUP) fehler(l, l.ansehen(), "Menü zu tief verschachtelt");
        erwarteBegin(l);
        while (true) {
            const RcToken& t = l.nehmen();
            if (istEnd(t)) return;
            RcMenuePunkt p;
            if (istWort(t, "POPUP")) {
                p.text = textToken(l, "Text des Menüs");
                p.flags = MF_POPUP | menueOptionen(l, t.zeile);
                menuePunkte(l, p.unter, tiefe + 1);
            } else if (istWort(t, "MENUITEM")) {
                if (istWort(l.ansehen(), "SEPARATOR")) {
                    l.nehmen();
                    p.flags = MF_SEPARATOR;
                } else {
                    p.text = textToken(l, "Text des Menüpunkts");
                    komma(l);
                    p.id = wertInt(l);
                    p.flags = menueOptionen(l, t.zeile);
                }
            } else {
                fehler(l, t, "POPUP, MENUITEM oder END erwartet statt " + beschreibung(t));
            }
            punkte.push_back(std::move(p));
        }
    }

    void menue(Lauf& l, const RcName& n, int zeile)
    {
        auto m = std::make_shared<RcMenue>();
        m->name = nameText(n);
        menuePunkte(l, m->punkte);
        RcEintrag e;
        e.typ = 4;
        e.name = n;
        e.menue = m;
        eintragen(l, zeile, std::move(e));
    }

    void accel(Lauf& l, const RcName& n, int zeile)
    {
        auto a = std::make_shared<RcAccel>();
        a->name = nameText(n);
        erwarteBegin(l);
        while (true) {
            const RcToken& t = l.ansehen();
            if (istEnd(t)) {
                l.nehmen();
                break;
            }
            if (t.art == RcTokArt::Ende) fehler(l, t, "END fehlt");
            int z = t.zeile;
            ACCEL ac{};
            bool steuer = false;
            bool zeichenText = false;
            if (t.art == RcTokArt::Text) {
                l.nehmen();
                const std::string& s = t.text;
                if (s.size() == 2 && s[0] == '^') {
                    char c = static_cast<char>(plZeichenGross(static_cast<unsigned char>(s[1])));
                    if (c < '@' || c > '_') fehler(l, t, "ungültige Taste " + s);
                    ac.key = static_cast<WORD>(c - '@');
                    steuer = true;
                } else if (s.size() == 1) {
                    ac.key = static_cast<unsigned char>(s[0]);
                    zeichenText = true;
                } else {
                    fehler(l, t, "Taste muss ein Zeichen oder ^Zeichen sein");
                }
            } else {
                long long k = ausdruck(l);
                if (k < 0 || k > 0xFFFF) rcFehler(l.datei, z, "Tastenwert außerhalb 0..65535");
                ac.key = static_cast<WORD>(k);
            }
            komma(l);
            long long cmd = ausdruck(l);
            ac.cmd = static_cast<WORD>(cmd);
            BYTE f = 0;
            bool virt = false;
            while (kommaWennDa(l) || (l.ansehen().art == RcTokArt::Wort && l.ansehen().zeile == z)) {
                const RcToken& o = l.nehmen();
                if (istWort(o, "VIRTKEY")) { f |= FVIRTKEY; virt = true; }
                else if (istWort(o, "ASCII")) { f &= static_cast<BYTE>(~FVIRTKEY); virt = false; }
                else if (istWort(o, "SHIFT")) f |= FSHIFT;
                else if (istWort(o, "CONTROL")) f |= FCONTROL;
                else if (istWort(o, "ALT")) f |= FALT;
                else if (istWort(o, "NOINVERT")) f |= FNOINVERT;
                else fehler(l, o, "unbekannte Tastenangabe " + beschreibung(o));
            }
            if (virt && steuer) rcFehler(l.datei, z, "\"^\" passt nicht zu VIRTKEY");
            if (virt && zeichenText) ac.key = plZeichenGross(static_cast<unsigned char>(ac.key));
            ac.fVirt = f;
            a->eintraege.push_back(ac);
        }
        RcEintrag e;
        e.typ = 9;
        e.name = n;
        e.accel = a;
        eintragen(l, zeile, std::move(e));
    }

    const RcLeser& leser_;
    RcModul& modul_;
    std::vector<std::string>* gelesen_;
    std::map<std::string, long long> defines_;
    int tiefe_ = 0;
    static constexpr int AUSDRUCKTIEFESUP = 200;  // nesting of an expression
    static constexpr int MENUETIEFESUP = 32;       // nesting of submenus
    int ausdruckTiefe_ = 0;
};

}  // namespace

bool rcModulParsen(const std::string& name, const std::vector<std::string>& skripte,
                   const RcLeser& leser, RcModul& modul, std::string& fehler,
                   std::vector<std::string>* gelesen)
{
    modul = RcModul{};
    modul.name = name;
    fehler.clear();
    try {
        RcLeserKlasse r(leser, modul, gelesen);
        for (const auto& s : skripte) r.skript(rcPfadVerbinden("", s), "", 0);
    } catch (const RcFehler& e) {
        fehler = e.what();
        modul = RcModul{};
        modul.name = name;
        return false;
    }
    return true;
}

RcName rcNameAus(LPCSTR name)
{
    RcName n;
    if (IS_INTRESOURCE(name)) {
        n.istZahl = true;
        n.zahl = static_cast<WORD>(reinterpret_cast<uintptr_t>(name));
        return n;
    }
    std::string s = name;
    if (s.size() > 1 && s[0] == '#') {
        unsigned w = 0;
        auto [p, ec] = std::from_chars(s.data() + 1, s.data() + s.size(), w);
        if (ec == std::errc() && p == s.data() + s.size() && w <= 0xFFFF) {
            n.istZahl = true;
            n.zahl = static_cast<WORD>(w);
            return n;
        }
    }
    n.text = s;
    n.gross = rcGross(s);
    return n;
}

bool rcNameGleich(const RcName& a, const RcName& b)
{
    if (a.istZahl != b.istZahl) return false;
    return a.istZahl ? a.zahl == b.zahl : a.gross == b.gross;
}

bool rcUtf8NachCp1252(const std::string& utf8, std::string& cp, size_t* fehlerStelle)
{
    // Plain ASCII, as most texts are, is the same in both.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        cp = utf8;
        return true;
    }
    cp.clear();
    if (!plCpUtf8Gueltig(utf8)) {
        if (fehlerStelle) *fehlerStelle = 0;
        return false;
    }
    int ersetzt = 0;
    cp = plCpAusUtf8(utf8, &ersetzt);
    if (ersetzt != 0) {
        if (fehlerStelle) *fehlerStelle = cp.find('?');
        return false;
    }
    return true;
}

// ---- Packed modules ------------------------------------------------------------
// Layout (little-endian): "VRC1", the count of texts and of entries; the
// texts' index (id, offset, length; by id); the entries' index (type,
// number, whether the name is a number, offset of the name, offset of the
// content); then the data. A text is its length and its bytes.

namespace {

constexpr char RCG_MARKE[4] = {'V', 'R', 'C', '1'};
constexpr size_t RCG_KOPF = 12, RCG_TEXT = 12, RCG_EINTRAG = 16;
constexpr int RCG_MENUETIEFESUP = 64;
constexpr unsigned RCG_DIALOG = 1, RCG_MENUE = 2, RCG_ACCEL = 4, RCG_BILD = 8;

struct RcgSchreiber {
    std::string o;
    void u8(unsigned v) { o.push_back(static_cast<char>(v & 0xFF)); }
    void u16(unsigned v)
    {
        u8(v);
        u8(v >> 8);
    }
    void u32(uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i32(int v) { u32(static_cast<uint32_t>(v)); }
    void text(const std::string& s)
    {
        u32(static_cast<uint32_t>(s.size()));
        o += s;
    }
    void an(size_t stelle, uint32_t v)
    {
        for (int i = 0; i < 4; ++i) o[stelle + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void menue(const std::vector<RcMenuePunkt>& punkte)
    {
        u32(static_cast<uint32_t>(punkte.size()));
        for (const RcMenuePunkt& p : punkte) {
            text(p.text);
            i32(p.id);
            u32(p.flags);
            menue(p.unter);
        }
    }
};

struct RcgLeser {
    std::string_view b;
    size_t p = 0;
    bool ok = true;
    bool da(size_t n)
    {
        if (!ok || p > b.size() || b.size() - p < n) ok = false;
        return ok;
    }
    unsigned u8()
    {
        if (!da(1)) return 0;
        return static_cast<unsigned char>(b[p++]);
    }
    unsigned u16()
    {
        unsigned a = u8();
        return a | (u8() << 8);
    }
    uint32_t u32()
    {
        uint32_t a = u16();
        return a | (static_cast<uint32_t>(u16()) << 16);
    }
    int i32() { return static_cast<int>(u32()); }
    void text(std::string& s)
    {
        uint32_t n = u32();
        if (!da(n)) return;
        s.assign(b.data() + p, n);
        p += n;
    }
    void menue(std::vector<RcMenuePunkt>& punkte, int tiefe)
    {
        uint32_t n = u32();
        if (tiefe >= RCG_MENUETIEFESUP || !da(static_cast<size_t>(n) * 16)) {  // each item takes 16 bytes at least
            ok = false;
            return;
        }
        punkte.resize(n);
        for (RcMenuePunkt& m : punkte) {
            text(m.text);
            m.id = i32();
            m.flags = u32();
            menue(m.unter, tiefe + 1);
            if (!ok) return;
        }
    }
};

}  // namespace

std::string rcModulPacken(const RcModul& modul)
{
    RcgSchreiber s;
    s.o.append(RCG_MARKE, 4);
    s.u32(static_cast<uint32_t>(modul.texte.size()));
    s.u32(static_cast<uint32_t>(modul.eintraege.size()));
    const size_t texte = s.o.size();
    s.o.resize(texte + modul.texte.size() * RCG_TEXT);
    const size_t eintraege = s.o.size();
    s.o.resize(eintraege + modul.eintraege.size() * RCG_EINTRAG);
    size_t i = 0;
    for (const auto& [id, t] : modul.texte) {
        size_t z = texte + i++ * RCG_TEXT;
        s.o[z] = static_cast<char>(id & 0xFF);
        s.o[z + 1] = static_cast<char>(id >> 8);
        s.an(z + 4, static_cast<uint32_t>(s.o.size()));
        s.an(z + 8, static_cast<uint32_t>(t.size()));
        s.o += t;
    }
    i = 0;
    for (const RcEintrag& e : modul.eintraege) {
        size_t z = eintraege + i++ * RCG_EINTRAG;
        s.o[z] = static_cast<char>(e.typ & 0xFF);
        s.o[z + 1] = static_cast<char>(e.typ >> 8);
        s.o[z + 2] = static_cast<char>(e.name.zahl & 0xFF);
        s.o[z + 3] = static_cast<char>(e.name.zahl >> 8);
        s.o[z + 4] = e.name.istZahl ? 1 : 0;
        s.an(z + 8, static_cast<uint32_t>(s.o.size()));
        s.text(e.name.text);
        s.text(e.name.gross);
        s.an(z + 12, static_cast<uint32_t>(s.o.size()));
        s.text(e.bytes);
        s.text(e.datei);
        s.u8((e.dialog ? RCG_DIALOG : 0) | (e.menue ? RCG_MENUE : 0) | (e.accel ? RCG_ACCEL : 0) |
             (e.bild ? RCG_BILD : 0));
        if (e.dialog) {
            const RcDialog& d = *e.dialog;
            s.text(d.name);
            for (int v : {d.x, d.y, d.cx, d.cy}) s.i32(v);
            s.u32(d.stil);
            s.u32(d.exStil);
            s.text(d.titel);
            s.i32(d.schriftGroesse);
            s.text(d.schrift);
            s.text(d.menue);
            s.text(d.klasse);
            s.u32(static_cast<uint32_t>(d.elemente.size()));
            for (const RcDlgElement& el : d.elemente) {
                s.text(el.text);
                s.i32(el.id);
                s.text(el.klasse);
                s.u32(el.stil);
                s.u32(el.exStil);
                for (int v : {el.x, el.y, el.cx, el.cy, el.zeile}) s.i32(v);
            }
        }
        if (e.menue) {
            s.text(e.menue->name);
            s.menue(e.menue->punkte);
        }
        if (e.accel) {
            s.text(e.accel->name);
            s.u32(static_cast<uint32_t>(e.accel->eintraege.size()));
            for (const ACCEL& a : e.accel->eintraege) {
                s.u8(a.fVirt);
                s.u16(a.key);
                s.u16(a.cmd);
            }
        }
        if (e.bild) {
            s.text(e.bild->name);
            s.text(e.bild->datei);
            s.text(e.bild->bytes);
        }
    }
    return s.o;
}

bool RcGepackt::oeffnen(std::string_view bytes)
{
    *this = RcGepackt{};
    if (bytes.size() < RCG_KOPF || bytes.compare(0, 4, std::string_view(RCG_MARKE, 4)) != 0) return false;
    RcgLeser l{bytes, 4};
    size_t t = l.u32(), e = l.u32();
    // Both indexes must lie inside the bytes (no count is trusted further).
    if (t > bytes.size() / RCG_TEXT || e > bytes.size() / RCG_EINTRAG ||
        RCG_KOPF + t * RCG_TEXT + e * RCG_EINTRAG > bytes.size())
        return false;
    b_ = bytes;
    anzTexte_ = t;
    anzEintraege_ = e;
    texteAb_ = RCG_KOPF;
    eintraegeAb_ = RCG_KOPF + t * RCG_TEXT;
    return true;
}

bool RcGepackt::kopf(size_t i, RcEintrag& e) const
{
    if (i >= anzEintraege_) return false;
    RcgLeser l{b_, eintraegeAb_ + i * RCG_EINTRAG};
    e = RcEintrag{};
    e.typ = static_cast<WORD>(l.u16());
    e.name.zahl = static_cast<WORD>(l.u16());
    e.name.istZahl = l.u8() != 0;
    l.p += 3;
    l.p = l.u32();
    l.text(e.name.text);
    l.text(e.name.gross);
    return l.ok;
}

bool RcGepackt::inhalt(size_t i, RcEintrag& e) const
{
    if (i >= anzEintraege_) return false;
    RcgLeser l{b_, eintraegeAb_ + i * RCG_EINTRAG + 12};
    l.p = l.u32();
    l.text(e.bytes);
    l.text(e.datei);
    unsigned was = l.u8();
    if (was & RCG_DIALOG) {
        auto d = std::make_shared<RcDialog>();
        l.text(d->name);
        for (int* v : {&d->x, &d->y, &d->cx, &d->cy}) *v = l.i32();
        d->stil = l.u32();
        d->exStil = l.u32();
        l.text(d->titel);
        d->schriftGroesse = l.i32();
        l.text(d->schrift);
        l.text(d->menue);
        l.text(d->klasse);
        uint32_t n = l.u32();
        if (!l.da(static_cast<size_t>(n) * 40)) return false;  // each control takes 40 bytes at least
        d->elemente.resize(n);
        for (RcDlgElement& el : d->elemente) {
            l.text(el.text);
            el.id = l.i32();
            l.text(el.klasse);
            el.stil = l.u32();
            el.exStil = l.u32();
            for (int* v : {&el.x, &el.y, &el.cx, &el.cy, &el.zeile}) *v = l.i32();
        }
        e.dialog = std::move(d);
    }
    if (was & RCG_MENUE) {
        auto m = std::make_shared<RcMenue>();
        l.text(m->name);
        l.menue(m->punkte, 0);
        e.menue = std::move(m);
    }
    if (was & RCG_ACCEL) {
        auto a = std::make_shared<RcAccel>();
        l.text(a->name);
        uint32_t n = l.u32();
        if (!l.da(static_cast<size_t>(n) * 5)) return false;
        a->eintraege.resize(n);
        for (ACCEL& ac : a->eintraege) {
            ac.fVirt = static_cast<BYTE>(l.u8());
            ac.key = static_cast<WORD>(l.u16());
            ac.cmd = static_cast<WORD>(l.u16());
        }
        e.accel = std::move(a);
    }
    if (was & RCG_BILD) {
        auto b = std::make_shared<RcBild>();
        l.text(b->name);
        l.text(b->datei);
        l.text(b->bytes);
        e.bild = std::move(b);
    }
    return l.ok;
}

bool RcGepackt::text(WORD id, std::string& aus) const
{
    size_t lo = 0, hi = anzTexte_;
    while (lo < hi) {
        size_t m = lo + (hi - lo) / 2;
        RcgLeser l{b_, texteAb_ + m * RCG_TEXT};
        WORD w = static_cast<WORD>(l.u16());
        if (w < id) {
            lo = m + 1;
        } else if (w > id) {
            hi = m;
        } else {
            l.p += 2;
            size_t ab = l.u32(), n = l.u32();
            if (ab > b_.size() || b_.size() - ab < n) return false;
            aus.assign(b_.data() + ab, n);
            return true;
        }
    }
    return false;
}

bool RcGepackt::alleTexte(std::map<WORD, std::string>& aus) const
{
    for (size_t i = 0; i < anzTexte_; ++i) {
        RcgLeser l{b_, texteAb_ + i * RCG_TEXT};
        WORD id = static_cast<WORD>(l.u16());
        l.p += 2;
        size_t ab = l.u32(), n = l.u32();
        if (ab > b_.size() || b_.size() - ab < n) return false;
        aus[id].assign(b_.data() + ab, n);
    }
    return true;
}
