// The evaluation output formatter (see awformat.h).
//
// Invariants of a run:
//  1. outlis (the waiting output lines) holds at most OUTSUP lines; a
//     further line writes the first one to the file (awDrucken).
//  2. awZaehler counts the lines that were added, not merged, since the
//     start, plus the lines skipped by a block's page break; with paging a
//     line opens a page exactly when awZaehler % awProSeite == 0.
//  3. awBlock is only on with paging; its lines reach AwfZeile at its end.
//  4. awCsvFelder holds the current record's fields; AwfSatzAus empties it.
#include "lists/awformat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

#include "config/haken.h"
#include "config/konfhaken.h"
#include "config/vorgaben.h"
#include "support/bdatei.h"
#include "winlib/dlgitem.h"

namespace {

struct AwfCsvEintrag {
    int zeile;
    int spalte;
    std::string text;
};

bool awLaeuft = false;
BDAT awDatei;
std::string awDateiName;
int awSeiten = 0;
int awProSeite = 0;  // `zeilen`
long awZaehler = 0;
int awSeite = 0;
bool awBlockAn = false;
std::vector<std::string> blklis;
std::deque<std::string> outlis;
std::vector<std::string> zeilis;
size_t awSatzBenutzt = 0;  // lines of zeilis a field touched since the last clear
awspalte awSlots[AWF_SLOTANZ];
int awBreite = 0;

std::vector<AwfCsvEintrag> awCsvFelder;
std::string cbtext;
bool awCsvAufwischen = false;
int awCsvAnfuehren = 0;
int awCsvTab = 0;

bool awfPaging() { return awSeiten != 0 && awProSeite != 0; }

void awfWarnen(const char* format, const char* name)
{
    char text[600];
    std::snprintf(text, sizeof text, format, name);
    konfHaken().warnung(text);
}

void awfDrucken(const std::string& zeile)
{
    bdwrite(&awDatei, zeile.data(), static_cast<int32_t>(zeile.size()));
    bdwrite(&awDatei, "\r\n", 2);
}

void awfAllesDrucken()
{
    for (const auto& z : outlis) awfDrucken(z);
    outlis.clear();
}

size_t awfInhaltLaenge(const std::string& z)
{
    size_t e = z.find_last_not_of(' ');
    return e == std::string::npos ? 0 : e + 1;
}

// Merges an indented line into an earlier short one, or adds it; true
// when it was added.
bool awfSchieben(const std::string& neu)
{
    size_t vorn = neu.find_first_not_of(' ');
    if (!outlis.empty() && vorn != std::string::npos && vorn >= 8) {
        long ziel = -1;
        for (long i = static_cast<long>(outlis.size()) - 1; i >= 0; --i) {
            if (awfInhaltLaenge(outlis[static_cast<size_t>(i)]) > vorn) break;
            ziel = i;
        }
        if (ziel >= 0) {
            std::string& z = outlis[static_cast<size_t>(ziel)];
            if (z.size() < neu.size()) z.resize(neu.size(), ' ');
            for (size_t p = 0; p < neu.size(); ++p)
                if (z[p] == ' ') z[p] = neu[p];
            return false;
        }
    }
    if (outlis.size() >= static_cast<size_t>(OUTSUP)) {
        awfDrucken(outlis.front());
        outlis.pop_front();
    }
    outlis.push_back(neu);
    return true;
}

void awfCsvZeileAus()
{
    std::stable_sort(awCsvFelder.begin(), awCsvFelder.end(), [](const AwfCsvEintrag& a, const AwfCsvEintrag& b) {
        return a.spalte != b.spalte ? a.spalte < b.spalte : a.zeile < b.zeile;
    });
    char trenner = awCsvTab ? '\t' : ';';
    bool erstes = true;
    for (const auto& f : awCsvFelder) {
        if (!erstes) cbtext += trenner;
        cbtext += AwfCsvFeld(f.text.c_str(), awCsvAnfuehren, trenner);
        erstes = false;
    }
    cbtext += "\r\n";
    awCsvFelder.clear();
}

std::string awfSchluessel(const char* schluessel)
{
    char wert[VGBWERTSUP + 1];
    VgbText(schluessel, wert, VGBWERTSUP);
    return wert;
}

bool awfZiffer(char c) { return c >= '0' && c <= '9'; }

bool awfMuster(const char* t, const char* muster)
{
    for (; *muster; ++muster, ++t) {
        if (*muster == '#' ? !awfZiffer(*t) : *t != *muster) return false;
    }
    return *t == '\0';
}

}  // namespace

awspalte AwfSpalteAusText(const char* text)
{
    awspalte s{1, 1, 0, 0, 0};
    std::vector<std::string> woerter;
    const char* p = text ? text : "";
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        const char* a = p;
        while (*p && *p != ' ' && *p != '\t') ++p;
        if (p > a) woerter.emplace_back(a, p);
    }
    size_t w = 0;
    if (!woerter.empty() && !awfZiffer(woerter[0][0])) {
        s.haupt = woerter[0].find('H') != std::string::npos;
        s.unter = woerter[0].find('U') != std::string::npos;
        w = 1;
    }
    auto zahl = [&](size_t i) { return i < woerter.size() && awfZiffer(woerter[i][0]) ? std::atoi(woerter[i].c_str()) : 0; };
    s.spalte = zahl(w);
    s.zeile = std::max(0, zahl(w + 1) - 1);
    s.breite = zahl(w + 2);
    return s;
}

int AwfStart(const char* praefix, const char* datei)
{
    if (awLaeuft) AwfEnde();
    awSeiten = awProSeite = 0;
    awZaehler = 0;
    awSeite = 0;
    awBlockAn = false;
    blklis.clear();
    outlis.clear();
    awCsvFelder.clear();
    cbtext.clear();
    awBreite = 0;
    for (auto& s : awSlots) s = awspalte{0, 0, 0, 0, 0};
    if (!awCsvAufwischen) {
        AufwischenAnmelden([](int32_t, const char*) { std::string().swap(cbtext); }, 0, "AuswertungCSV");
        awCsvAufwischen = true;
    }
    AwfSatzLeeren();

    VgbPraefix(praefix);
    VgbFehlMeldung(0);
    awSeiten = VgbInt("seiten");
    awProSeite = VgbInt("zeilen");
    if (awSeiten < 0) awSeiten = 0;
    if (awProSeite < 0) awProSeite = 0;
    AwfSlotLesen(AWF_KENN, "kenn");
    AwfSlotLesen(AWF_PFAD, "pfad");
    static const char* const texte[5] = {"texta", "textb", "textc", "textd", "texte"};
    for (int i = 0; i < 5; ++i) AwfSlotLesen(AWF_TEXT1 + i, texte[i]);
    AwfSlotLesen(0, "beschr");
    VgbFehlMeldung(1);
    // Every later reader of the set would get the prefix, also after a
    // result that cannot be created; callers set it again for their keys.
    VgbPraefix("");

    awDateiName = datei ? datei : "";
    if (awDateiName.empty() || bdmake(&awDatei, awDateiName.c_str()) < 0) {
        awfWarnen("Kann Ausgabedatei %s nicht anlegen.", awDateiName.c_str());
        return -1;
    }
    awLaeuft = true;
    return 0;
}

bool AwfLaeuft() { return awLaeuft; }

void AwfVerwerfen()
{
    if (!awLaeuft) return;
    awLaeuft = false;
    awDatei.fehler = 1;
    bdclose(&awDatei);
    outlis.clear();
    blklis.clear();
    awBlockAn = false;
    zeilis.clear();
    awCsvFelder.clear();
}

int AwfEnde()
{
    if (!awLaeuft) return 0;
    if (awBlockAn) AwfBlock(0);
    awfAllesDrucken();
    if (awfPaging()) {
        char nr[16];
        for (int s = awSeite + 1; s <= awSeiten; ++s) {
            std::snprintf(nr, sizeof nr, "%-3d", s);
            awfDrucken(nr);
        }
    }
    awLaeuft = false;
    zeilis.clear();
    zeilis.shrink_to_fit();
    awCsvFelder.clear();
    if (bdclose(&awDatei) < 0) {
        awfWarnen("Kann Ausgabedatei %s nicht anlegen.", awDateiName.c_str());
        return -1;
    }
    return 0;
}

// Only the lines a field touched are blanked again: a record costs what
// it placed, not the whole grid.
void AwfSatzLeeren()
{
    if (zeilis.size() < static_cast<size_t>(ZEISUP)) {
        zeilis.assign(ZEISUP, std::string(ZEILNG, ' '));
    } else {
        for (size_t i = 0; i < awSatzBenutzt && i < zeilis.size(); ++i) zeilis[i].assign(ZEILNG, ' ');
    }
    awSatzBenutzt = 0;
}

void AwfFeld(const char* text, const awspalte* sp, int zusatz, int unter)
{
    if (sp == nullptr || text == nullptr) return;
    if ((unter == 0 && !sp->haupt) || (unter != 0 && !sp->unter) || sp->spalte <= 0) return;
    std::string t(text);
    if (sp->breite > 0 && t.size() > static_cast<size_t>(sp->breite)) t.resize(static_cast<size_t>(sp->breite));
    long zeile = static_cast<long>(zusatz) + sp->zeile;
    if (zeile < 0) zeile = 0;
    if (zeile >= AWZEILEMAX) return;
    if (zeilis.size() <= static_cast<size_t>(zeile)) zeilis.resize(static_cast<size_t>(zeile) + 1, std::string(ZEILNG, ' '));
    awCsvFelder.push_back({static_cast<int>(zeile), sp->spalte, t.substr(0, AWCSVFELDSUP)});
    if (sp->spalte > ZEILNG) return;
    std::string& z = zeilis[static_cast<size_t>(zeile)];
    awSatzBenutzt = std::max(awSatzBenutzt, static_cast<size_t>(zeile) + 1);
    size_t p = static_cast<size_t>(sp->spalte - 1);
    // A TAB marks a field that begins right after other text; it only ever
    // takes the place of a blank, so abutting fields keep every character.
    if (sp->spalte > 2 && z[p - 1] == ' ' && z[p - 2] != ' ') z[p - 1] = '\t';
    for (size_t i = 0; i < t.size() && p + i < static_cast<size_t>(ZEILNG); ++i) z[p + i] = t[i];
}

void AwfSatzAus()
{
    for (size_t i = 0; i < awSatzBenutzt && i < zeilis.size(); ++i) {
        std::string& z = zeilis[i];
        z.resize(awfInhaltLaenge(z));
        if (!z.empty()) AwfZeile(z.c_str());
    }
    awfCsvZeileAus();
    AwfSatzLeeren();
}

void AwfZeile(const char* text)
{
    std::string t(text ? text : "");
    if (awBlockAn) {
        blklis.push_back(t);
        return;
    }
    std::string zeile;
    if (awfPaging()) {
        if (awZaehler % awProSeite != 0) {
            zeile = "   " + t;
        } else {
            awSeite = static_cast<int>(awZaehler / awProSeite + 1);
            char nr[16];
            std::snprintf(nr, sizeof nr, "%-3d", awSeite);
            zeile = nr;
            if (t.empty()) zeile += "|";
            else if (t[0] == ' ') zeile += "|" + t.substr(1);
            else zeile += t;
        }
    } else {
        zeile = t;
    }
    if (awfSchieben(zeile)) ++awZaehler;
}

void AwfLeerzeilen(int n)
{
    for (int i = 0; i < n; ++i) {
        if (awfPaging() && awZaehler % awProSeite == 0) break;
        AwfZeile("");
    }
    if (awLaeuft) awfAllesDrucken();
}

void AwfBlock(int ein)
{
    if (!awfPaging()) return;
    if (awBlockAn && !ein && !blklis.empty()) {
        long rest = awProSeite - awZaehler % awProSeite;
        long n = static_cast<long>(blklis.size());
        if (n > rest && n <= awProSeite) awZaehler += rest;
        awBlockAn = false;
        std::vector<std::string> zeilen;
        zeilen.swap(blklis);
        for (const auto& z : zeilen) AwfZeile(z.c_str());
    }
    awBlockAn = ein != 0;
    blklis.clear();
}

void AwfNeueSeite()
{
    if (awfPaging() && awZaehler % awProSeite != 0) awZaehler += awProSeite - awZaehler % awProSeite;
}

int AwfNaechsteSpalte(int c)
{
    int beste = 0;
    for (const auto& s : awSlots)
        if (s.spalte > c && s.spalte < 10000 && (beste == 0 || s.spalte < beste)) beste = s.spalte;
    return beste;
}

void AwfSlotLesen(int slot, const char* schluessel)
{
    AwfSlotAusText(slot, awfSchluessel(schluessel).c_str());
}

void AwfSlotAusText(int slot, const char* text)
{
    slot = std::clamp(slot, 0, AWF_SLOTANZ - 1);
    awSlots[slot] = AwfSpalteAusText(text);
}

const awspalte& AwfSlotSpalte(int slot)
{
    return awSlots[std::clamp(slot, 0, AWF_SLOTANZ - 1)];
}

void AwfSlotFeld(int slot, const char* text, int zusatz, int unter)
{
    AwfFeld(text, &AwfSlotSpalte(slot), zusatz, unter);
}

void AwfPfadLoeschen() { awSlots[AWF_PFAD].spalte = 0; }

void AwfBreiteLesen(const char* schluessel) { awBreite = VgbInt(schluessel); }

int AwfBreite() { return awBreite; }

void AwfCsvModus(int anfuehren, int tab)
{
    awCsvAnfuehren = anfuehren;
    awCsvTab = tab;
}

const std::string& AwfCsvText() { return cbtext; }

int AwfCsvKopieren() { return wiClipText(cbtext.c_str()); }

int AwfCsvSchreiben(const char* pfad)
{
    BDAT d;
    if (pfad == nullptr || !*pfad || bdmake(&d, pfad) < 0) {
        awfWarnen("Kann Ausgabedatei %s nicht anlegen.", pfad ? pfad : "");
        return -1;
    }
    bdwrite(&d, cbtext.data(), static_cast<int32_t>(cbtext.size()));
    if (bdclose(&d) < 0) {
        awfWarnen("Kann Ausgabedatei %s nicht anlegen.", pfad);
        return -1;
    }
    return 0;
}

bool AwfIstZahl(const char* t)
{
    if (t == nullptr) return false;
    if (std::strcmp(t, "0") == 0) return true;
    if (awfZiffer(t[0]) && (t[1] == ',' || t[1] == '.') && t[2] != '\0') {
        const char* p = t + 2;
        while (awfZiffer(*p)) ++p;
        if (*p == '\0') return true;
    }
    if (awfMuster(t, "##.##.####") || awfMuster(t, "##:##")) return true;
    if (t[0] == '0') return false;
    for (const char* p = t; *p; ++p) {
        if (!std::strchr("0123456789.,'+-", *p)) return false;
        if ((*p == '+' || *p == '-') && p != t) return false;
    }
    return true;
}

std::string AwfCsvFeld(const char* text, int anfuehren, char trenner)
{
    std::string t(text ? text : "");
    bool noetig = t.find_first_of(std::string{trenner, '"', '\r', '\n'}) != std::string::npos;
    if (!noetig && !(anfuehren && !AwfIstZahl(t.c_str()))) return t;
    std::string r = "\"";
    for (char c : t) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}
