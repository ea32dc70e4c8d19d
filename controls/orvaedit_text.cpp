// The text rules of ORVAEDIT (see orvaedit.h): creation text, number forms,
// date and time normalisation, free and mask editing. Pure functions over
// texts; nothing here touches a window. Prefix `edt`. Calls support/
// (upper-case map, month lengths) only.
#include <cstring>

#include "controls/orvaedit.h"
#include "support/datum.h"
#include "support/vergleich.h"

namespace {

bool edtZiffer(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool edtDruckbar(unsigned char c)
{
    return (c >= 32 && c <= 126) || c >= 160;
}

bool edtMaskenPlatz(char m)
{
    return m == '#' || m == '$';
}

// Decimal value of at most `n` characters from `pos`; non-digits end it.
int edtZahlAus(const std::string& s, size_t pos, size_t n)
{
    int wert = 0;
    for (size_t i = pos; i < pos + n && i < s.size() && edtZiffer(static_cast<unsigned char>(s[i])); ++i)
        wert = wert * 10 + (s[i] - '0');
    return wert;
}

std::string edtZweiStellen(int n)
{
    std::string s(2, '0');
    s[0] = static_cast<char>('0' + (n / 10) % 10);
    s[1] = static_cast<char>('0' + n % 10);
    return s;
}

// Splits a normal-form number into sign, integer digits and fraction.
void edtZahlTeilen(const std::string& n, std::string* vorzeichen, std::string* ganz, std::string* bruch)
{
    size_t p = 0;
    if (!n.empty() && n[0] == '-') p = 1;
    *vorzeichen = n.substr(0, p);
    size_t punkt = n.find('.', p);
    *ganz = n.substr(p, punkt == std::string::npos ? std::string::npos : punkt - p);
    *bruch = punkt == std::string::npos ? std::string() : n.substr(punkt + 1);
}

int edtLaenge(const EdtText& t)
{
    return static_cast<int>(std::strlen(t.wert));
}

// Free mode keeps the value padded to the max length; trailing blanks of a
// longer value (a number that keeps all its digits) are dropped.
void edtFreiNormal(EdtText& t)
{
    int l = edtLaenge(t);
    while (l > t.laenge && l > 0 && t.wert[l - 1] == ' ') --l;
    while (l < t.laenge && l < EDTWERTSUP) t.wert[l++] = ' ';
    t.wert[l] = '\0';
    if (t.caret > l) t.caret = l;
    if (t.caret < 0) t.caret = 0;
    if (t.anker > l) t.anker = l;
}

void edtMaskeLeeren(EdtText& t, int von, int bis)
{
    for (int i = von; i < bis && t.maske[i] != '\0'; ++i) {
        char m = t.maske[i];
        t.wert[i] = m == '#' ? '0' : m == '$' ? ' ' : m;
    }
}

// Caret limit of mask mode: the mask's end, not past the visible width.
int edtMaskenGrenze(const EdtText& t)
{
    int m = static_cast<int>(std::strlen(t.maske));
    return t.grenze > 0 && t.grenze < m ? t.grenze : m;
}

bool edtMaskeTippen(EdtText& t, unsigned char c)
{
    int von, bis;
    if (edtAuswahl(t, &von, &bis)) t.caret = von;
    t.anker = -1;
    const int m = static_cast<int>(std::strlen(t.maske));
    if (t.caret < 0 || t.caret >= m || t.caret >= edtMaskenGrenze(t)) return false;
    const char platz = t.maske[t.caret];
    if (platz == '#' && !edtZiffer(c)) return false;
    if (platz == '$') {
        if (!edtDruckbar(c)) return false;
        if (t.gross) c = zgross(c);
    }
    if (platz != '#' && platz != '$') return false;
    const bool geaendert = static_cast<unsigned char>(t.wert[t.caret]) != c;
    t.wert[t.caret] = static_cast<char>(c);
    int weiter = t.caret + 1;
    while (weiter < m && !edtMaskenPlatz(t.maske[weiter])) ++weiter;
    const int grenze = edtMaskenGrenze(t);
    t.caret = weiter < grenze ? weiter : grenze;
    return geaendert;
}

}  // namespace

// ---- Kinds ----------------------------------------------------------------------------------------

bool edtIstZahl(char art)
{
    return (art >= '0' && art <= '5') || art == '9';
}

int edtDezimalen(char art)
{
    if (art >= '0' && art <= '5') return art - '0';
    return art == '9' ? 5 : 0;
}

const char* edtStandardMaske(char art)
{
    if (art == 'D') return "##.##.####";
    if (art == 'H') return "##:##";
    return "";
}

bool edtZeichenErlaubt(char art, unsigned char c)
{
    if (!edtDruckbar(c)) return false;
    if (art == '0') return edtZiffer(c) || c == '-';
    if ((art >= '1' && art <= '5') || art == '9') return edtZiffer(c) || c == '-' || c == '.' || c == ',';
    if (art == 'Z') return edtZiffer(c);
    return true;
}

std::string edtMaskeLeer(const std::string& maske)
{
    std::string s = maske;
    for (char& c : s) {
        if (c == '#') c = '0';
        else if (c == '$') c = ' ';
    }
    return s;
}

// ---- Creation text ------------------------------------------------------------------------------------

EdtAnlage edtAnlageLesen(const char* text)
{
    EdtAnlage a{'T', false, false, false, -1, false, std::string(), std::string()};
    std::string s = text != nullptr ? text : "";
    if (s.empty()) s = "T";
    if (s[0] != '-') {
        a.art = s[0];
        s.erase(0, 1);
    }
    while (!s.empty() && s[0] == '-') {
        const char o = s.size() > 1 ? s[1] : '\0';
        if (o == 'Z') {
            a.nullLeer = true;
            s.erase(0, 2);
        } else if (o == 'H' && s.size() > 2 && edtZiffer(static_cast<unsigned char>(s[2]))) {
            size_t i = 2;
            int n = 0;
            for (; i < s.size() && edtZiffer(static_cast<unsigned char>(s[i])); ++i) {
                n = n * 10 + (s[i] - '0');
                if (n > EDTWERTSUP) n = EDTWERTSUP + 1;  // no overflow on long digit runs
            }
            a.festeLaenge = true;
            a.laenge = n > EDTWERTSUP ? EDTWERTSUP : n;
            s.erase(0, i);
        } else if (o == 'G') {
            a.gross = true;
            s.erase(0, 2);
        } else {
            s.erase(0, s.size() > 1 ? 2 : 1);
        }
    }
    if (!s.empty() && s[0] == '=') s.erase(0, 1);
    if (s.size() > EDTWERTSUP) s.resize(EDTWERTSUP);
    switch (a.art) {
    case 'D':
    case 'H': a.maske = edtStandardMaske(a.art); break;
    case 'F': a.maske = s; return a;
    case 'N':
        a.art = '9';
        a.autoDezimalen = true;
        break;
    default: break;
    }
    a.wert = s;
    return a;
}

// ---- Numbers ----------------------------------------------------------------------------------------

std::string edtZahlNormal(const std::string& text, char art)
{
    const int dezimalen = edtDezimalen(art);
    bool negativ = false;
    bool punkt = false;
    std::string ganz, bruch;
    for (char c : text) {
        if (c == '-') negativ = true;
        if (edtZiffer(static_cast<unsigned char>(c))) (punkt ? bruch : ganz) += c;
        if ((c == '.' || c == ',') && !punkt) punkt = true;
    }
    size_t erste = ganz.find_first_not_of('0');
    ganz = erste == std::string::npos ? std::string("0") : ganz.substr(erste);
    const bool aufrunden = static_cast<int>(bruch.size()) > dezimalen && bruch[static_cast<size_t>(dezimalen)] >= '5';
    bruch.resize(static_cast<size_t>(dezimalen), '0');
    if (aufrunden) {
        std::string z = ganz + bruch;
        int i = static_cast<int>(z.size()) - 1;
        for (; i >= 0 && z[static_cast<size_t>(i)] == '9'; --i) z[static_cast<size_t>(i)] = '0';
        if (i < 0) z.insert(z.begin(), '1');
        else ++z[static_cast<size_t>(i)];
        ganz = z.substr(0, z.size() - bruch.size());
        bruch = z.substr(ganz.size());
    }
    if (art == '9') {
        while (!bruch.empty() && bruch.back() == '0') bruch.pop_back();
    }
    std::string s = ganz;
    if (!bruch.empty()) s += "." + bruch;
    // A zero keeps no sign: "-0,00" would read as a value of its own.
    const bool null = (ganz + bruch).find_first_not_of('0') == std::string::npos;
    if (negativ && !null) s.insert(s.begin(), '-');
    return s;
}

std::string edtZahlAnzeige(const std::string& text, char art, int breite, EdtTrenner t)
{
    std::string vorzeichen, ganz, bruch;
    const std::string normal = edtZahlNormal(text, art);
    edtZahlTeilen(normal, &vorzeichen, &ganz, &bruch);
    std::string ohne = vorzeichen + ganz;
    std::string mit = vorzeichen;
    for (size_t i = 0; i < ganz.size(); ++i) {
        if (i > 0 && (ganz.size() - i) % 3 == 0) mit += t.tausender;
        mit += ganz[i];
    }
    if (normal.find('.') != std::string::npos) {
        ohne += t.dezimal + bruch;
        mit += t.dezimal + bruch;
    }
    std::string s = static_cast<int>(mit.size()) > breite ? ohne : mit;
    if (static_cast<int>(s.size()) < breite) s.insert(0, static_cast<size_t>(breite) - s.size(), ' ');
    return s;
}

std::string edtZahlSchlicht(const std::string& wert, char art, EdtTrenner t)
{
    std::string s;
    for (char c : wert) {
        if (c == t.tausender) continue;
        if (c == t.dezimal) c = '.';
        if (edtZiffer(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == ' ') s += c;
    }
    return edtZahlNormal(s, art);
}

std::string edtBearbeitungsform(const std::string& wert, char art, EdtTrenner t, bool nullLeer)
{
    std::string s;
    const bool zahl = edtIstZahl(art);
    for (char c : wert) {
        if (zahl && c == t.tausender) continue;
        s += c;
    }
    if (zahl) {
        size_t a = s.find_first_not_of(' ');
        s = a == std::string::npos ? std::string() : s.substr(a);
    }
    if (nullLeer) {
        bool leer = true;
        for (char c : s) leer = leer && (c == ' ' || c == '0' || c == '.' || (zahl && c == t.dezimal));
        if (leer) s.clear();
    }
    return s;
}

std::string edtVerlassensform(const std::string& wert, char art, int breite, EdtTrenner t)
{
    if (edtIstZahl(art)) return edtZahlAnzeige(edtZahlSchlicht(wert, art, t), art, breite, t);
    if (art == 'D') return edtDatumNormal(wert);
    if (art == 'H') return edtZeitNormal(wert);
    return wert;
}

// ---- Dates and times ---------------------------------------------------------------------------------

std::string edtDatumNormal(const std::string& wert)
{
    int tag = edtZahlAus(wert, 0, 2);
    int monat = edtZahlAus(wert, 3, 2);
    int jahr = edtZahlAus(wert, 6, 4);
    if (jahr == 0) return "00.00.0000";
    jahr = jahr < 1900 ? 1900 : jahr > 2150 ? 2150 : jahr;
    monat = monat < 1 ? 1 : monat > 12 ? 12 : monat;
    DATUM d{static_cast<uint8_t>(jahr - 1900), static_cast<uint8_t>(monat), 1};
    const int tage = datmonatstage(&d);
    tag = tag < 1 ? 1 : tag > tage ? tage : tag;
    std::string j = edtZweiStellen(jahr / 100) + edtZweiStellen(jahr % 100);
    return edtZweiStellen(tag) + "." + edtZweiStellen(monat) + "." + j;
}

std::string edtZeitNormal(const std::string& wert)
{
    int stunde = edtZahlAus(wert, 0, 2);
    int minute = edtZahlAus(wert, 3, 2);
    if (stunde >= 24) {
        stunde = 24;
        minute = 0;
    }
    if (minute > 59) minute = 59;
    return edtZweiStellen(stunde) + ":" + edtZweiStellen(minute);
}

std::string edtDatumIso(const std::string& wert)
{
    if (wert.find_first_not_of(' ') == std::string::npos) return std::string();
    std::string w = wert;
    if (w.size() < 10) w.resize(10, ' ');
    return w.substr(6, 4) + "-" + w.substr(3, 2) + "-" + w.substr(0, 2);
}

// ---- Editing ---------------------------------------------------------------------------------------------

void edtWertSetzen(EdtText& t, const std::string& wert, bool ganz)
{
    if (!t.frei) {
        const std::string leer = edtMaskeLeer(t.maske);
        for (size_t i = 0; i < leer.size(); ++i) t.wert[i] = i < wert.size() ? wert[i] : leer[i];
        t.wert[leer.size()] = '\0';
    } else {
        size_t n = wert.size();
        if (n > static_cast<size_t>(EDTWERTSUP)) n = EDTWERTSUP;
        if (!ganz && n > static_cast<size_t>(t.laenge)) n = static_cast<size_t>(t.laenge > 0 ? t.laenge : 0);
        std::memcpy(t.wert, wert.data(), n);
        t.wert[n] = '\0';
        edtFreiNormal(t);
    }
    const int l = edtLaenge(t);
    if (t.caret > l) t.caret = l;
    t.anker = -1;
}

int edtTextEnde(const EdtText& t)
{
    if (!t.frei) return static_cast<int>(std::strlen(t.maske));
    int l = edtLaenge(t);
    while (l > 0 && t.wert[l - 1] == ' ') --l;
    return l;
}

bool edtAuswahl(const EdtText& t, int* von, int* bis)
{
    if (t.anker < 0) return false;
    const int l = edtLaenge(t);
    int a = t.anker < t.caret ? t.anker : t.caret;
    int b = t.anker < t.caret ? t.caret : t.anker;
    if (a < 0) a = 0;
    if (b > l) b = l;
    if (a >= b) return false;
    *von = a;
    *bis = b;
    return true;
}

std::string edtAuswahlText(const EdtText& t)
{
    int von, bis;
    if (!edtAuswahl(t, &von, &bis)) return std::string();
    return std::string(t.wert + von, static_cast<size_t>(bis - von));
}

void edtCaretSetzen(EdtText& t, int pos, bool erweitern)
{
    const int l = edtLaenge(t);
    pos = pos < 0 ? 0 : pos > l ? l : pos;
    if (erweitern) {
        if (t.anker < 0) t.anker = t.caret;
    } else {
        t.anker = -1;
    }
    t.caret = pos;
}

void edtAllesMarkieren(EdtText& t)
{
    t.anker = 0;
    t.caret = edtTextEnde(t);
}

bool edtAuswahlEntfernen(EdtText& t)
{
    int von, bis;
    if (!edtAuswahl(t, &von, &bis)) {
        t.anker = -1;
        return false;
    }
    t.anker = -1;
    t.caret = von;
    const std::string vorher = t.wert;
    if (!t.frei) {
        edtMaskeLeeren(t, von, bis);
    } else {
        const int l = edtLaenge(t);
        std::memmove(t.wert + von, t.wert + bis, static_cast<size_t>(l - bis));
        std::memset(t.wert + l - (bis - von), ' ', static_cast<size_t>(bis - von));
        edtFreiNormal(t);
    }
    return vorher != t.wert;
}

bool edtTippen(EdtText& t, unsigned char c)
{
    if (!t.frei) return edtMaskeTippen(t, c);
    if (!edtZeichenErlaubt(t.art, c)) return false;
    bool geaendert = edtAuswahlEntfernen(t);
    if (t.gross) c = zgross(c);
    const int l = edtLaenge(t);
    if (l > 0 && t.wert[l - 1] == ' ' && t.caret < l) {
        std::memmove(t.wert + t.caret + 1, t.wert + t.caret, static_cast<size_t>(l - 1 - t.caret));
        t.wert[t.caret++] = static_cast<char>(c);
        geaendert = true;
    }
    return geaendert;
}

bool edtZurueck(EdtText& t)
{
    int von, bis;
    if (edtAuswahl(t, &von, &bis)) return edtAuswahlEntfernen(t);
    t.anker = -1;
    if (t.caret <= 0) return false;
    t.anker = t.caret - 1;
    return edtAuswahlEntfernen(t);  // the caret ends at the removed place
}

bool edtEntfernen(EdtText& t)
{
    int von, bis;
    if (edtAuswahl(t, &von, &bis)) return edtAuswahlEntfernen(t);
    t.anker = -1;
    if (t.caret >= edtLaenge(t)) return false;
    const int caret = t.caret;
    t.anker = caret + 1;
    const bool geaendert = edtAuswahlEntfernen(t);
    t.caret = caret;
    return geaendert;
}

bool edtEinfuegen(EdtText& t, const char* text)
{
    std::string s;
    for (const char* p = text; p != nullptr && *p != '\0' && *p != '\r' && *p != '\n' && s.size() < EDTWERTSUP; ++p)
        s += *p;
    if (s.empty()) return false;  // nothing to paste: the selection stays
    bool geaendert = false;
    if (!t.frei) {
        for (char c : s) {
            if (t.caret >= edtMaskenGrenze(t)) break;
            geaendert = edtMaskeTippen(t, static_cast<unsigned char>(c)) || geaendert;
        }
        return geaendert;
    }
    geaendert = edtAuswahlEntfernen(t);
    std::string rein;
    for (char c : s) {
        unsigned char z = static_cast<unsigned char>(c);
        if (!edtZeichenErlaubt(t.art, z)) continue;
        rein += static_cast<char>(t.gross ? zgross(z) : z);
    }
    const int l = edtLaenge(t);
    const int ende = edtTextEnde(t);
    const int frei = l - (ende > t.caret ? ende : t.caret);
    const int n = static_cast<int>(rein.size()) < frei ? static_cast<int>(rein.size()) : frei;
    if (n <= 0) return geaendert;
    std::memmove(t.wert + t.caret + n, t.wert + t.caret, static_cast<size_t>(l - t.caret - n));
    std::memcpy(t.wert + t.caret, rein.data(), static_cast<size_t>(n));
    t.caret += n;
    return true;
}
