// Record lists on the test dialog: file round trip, the editing commands
// with the clipboard (and the mended cut and empty-list cases), the default
// painter's hidden part, searches and type-ahead.
#include <cstdio>
#include <cstring>
#include <string>

#include "controls/elzeile.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "platform/systemwerte.h"
#include "tests/controls/ctlh1_pruef.h"
#include "tests/controls/ctlh3_pruef.h"
#include "tests/controls/els_pruef.h"
#include "winlib/dlgitem.h"

namespace {

using h3::LISTE;

struct Zeile {
    char name[40];
    char geheim[40];
    int wert;
};

int lesen(void* p, const char* zeile)
{
    Zeile* z = static_cast<Zeile*>(p);
    if (std::strcmp(zeile, "STOP") == 0) return 0;
    if (zeile[0] == '#') return 2;
    char teil[256];
    strkopie(teil, sizeof teil, zeile, 255);
    char* fs = std::strchr(teil, 0x1C);
    if (fs) *fs = '\0';
    strkopie(z->name, sizeof z->name, teil, 39);
    z->wert = fs ? std::atoi(fs + 1) : z->wert;
    return 1;
}

void format(const void* p, char* zeile, int groesse)
{
    const Zeile* z = static_cast<const Zeile*>(p);
    std::snprintf(zeile, static_cast<size_t>(groesse), "%s\x1c%d\x1d%s", z->name, z->wert, z->geheim);
}

void neu(void* p)
{
    Zeile* z = static_cast<Zeile*>(p);
    std::snprintf(z->name, sizeof z->name, "neu");
    std::snprintf(z->geheim, sizeof z->geheim, "g");
}

class Satzliste : public els::Fixture<ElzBefehl> {
public:
    void SetUp() override
    {
        h3::Fixture::SetUp();
        h3::weiter = [](UINT m, WPARAM wp, LPARAM lp) {
            LisNachricht(LISTE, m, wp, lp);
            if (m == WM_COMMAND && wp >= 2550 && wp <= 2557) ElzBefehl(LISTE, static_cast<int>(wp));
        };
        ElzAnlegen(LISTE, sizeof(Zeile), lesen, format, neu);
    }
    void TearDown() override
    {
        h3::weiter = nullptr;
        if (ElzVorhanden(LISTE)) ElzFreigeben(LISTE);
        h3::Fixture::TearDown();
    }
    void zeile(const char* name, int wert, const char* geheim = "")
    {
        Zeile z{};
        strkopie(z.name, sizeof z.name, name, 39);
        strkopie(z.geheim, sizeof z.geheim, geheim, 39);
        z.wert = wert;
        ElzAnhaengen(LISTE, &z);
    }
    void zeigen() { ElzAufbauen(LISTE, nullptr, nullptr, nullptr, h3::ereignisRecorder); }
    const Zeile* nr(int i) { return static_cast<const Zeile*>(ElzSatz(LISTE, i)); }
    std::string namen()
    {
        std::string t;
        for (int i = 0; i < ElzAnzahl(LISTE); ++i) t += std::string(nr(i)->name) + " ";
        return t;
    }
};

TEST_F(Satzliste, SaveAndLoadRoundTrip)
{
    zeile("Alpha", 1, "a");
    zeile("Beta", 2, "b");
    const std::string pfad = std::string("/tmp/velmo_h3_elz_") + std::to_string(::getpid()) + ".txt";
    ASSERT_EQ(ElzSpeichern(LISTE, pfad.c_str()), 0);
    FILE* f = std::fopen(pfad.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char inhalt[200] = {};
    size_t n = std::fread(inhalt, 1, sizeof inhalt - 1, f);
    std::fclose(f);
    EXPECT_EQ(std::string(inhalt, n), "Alpha\x1c" "1\x1d" "a\r\nBeta\x1c" "2\x1d" "b\r\n");
    ElzLoeschen(LISTE);
    ElzLaden(LISTE, pfad.c_str());
    EXPECT_EQ(namen(), "Alpha Beta ");
    EXPECT_EQ(nr(1)->wert, 2);
    std::remove(pfad.c_str());

    ElzLaden(LISTE, "/tmp/velmo_h3_gibt_es_nicht.txt");
    EXPECT_EQ(namen(), "neu ") << "a missing file gives one prepared record";
}

TEST_F(Satzliste, DeletingAllLeavesOnePreparedRecord)
{
    zeile("a", 1);
    zeile("b", 2);
    zeile("c", 3);
    zeigen();
    befehl(2556);
    befehl(2551);
    EXPECT_EQ(namen(), "neu ");
    EXPECT_EQ(ElzGeaendert(LISTE), 1);
}

TEST_F(Satzliste, PasteAtRowThreeKeepsTheClipboardOrder)
{
    for (const char* n : {"r0", "r1", "r2", "r3", "r4"}) zeile(n, 9, "x");
    zeigen();
    LisAktSetzen(LISTE, 3);
    wiClipText("p1\t11\r\n#skip\r\np2\r\nSTOP\r\np3\t13\r\n");
    befehl(2554);
    EXPECT_EQ(namen(), "r0 r1 r2 p1 p2 r3 r4 ");
    EXPECT_EQ(nr(3)->wert, 11);
    EXPECT_EQ(nr(4)->wert, 9) << "parsed on top of a copy of the cursor record";
    EXPECT_STREQ(nr(4)->geheim, "x");
}

TEST_F(Satzliste, GroupSeparatorHidesTextInThePainterOnly)
{
    zeile("sichtbar", 5, "versteckt");
    zeigen();
    bool sichtbar = false, versteckt = false;
    for (const std::string& b : h3::befehle) {
        if (b.find("ltext") != 0) continue;
        sichtbar = sichtbar || b.find("sichtbar 5") != std::string::npos;
        versteckt = versteckt || b.find("versteckt") != std::string::npos;
    }
    EXPECT_TRUE(sichtbar) << "FS becomes a blank";
    EXPECT_FALSE(versteckt);
    befehl(2552);
    EXPECT_EQ(clip(), "sichtbar\t5\x1dversteckt\r\n");
}

TEST_F(Satzliste, CutOfAnIncompleteCopyDeletesNothing)
{
    std::string lang(38, 'l');
    for (int i = 0; i < 26000; ++i) zeile(lang.c_str(), i, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
    zeigen();
    befehl(2556);
    befehl(2553);
    EXPECT_EQ(ElzAnzahl(LISTE), 26000);
    EXPECT_LE(clip().size(), static_cast<size_t>(TXTSUP));
}

TEST_F(Satzliste, CommandsOnAnEmptyListStartFromAPreparedRecord)
{
    zeigen();
    ASSERT_EQ(ElzAnzahl(LISTE), 0);
    befehl(2550);
    EXPECT_EQ(namen(), "neu ");
    ElzLoeschen(LISTE);
    ElzNeuAnzeigen(LISTE);
    befehl(2555);
    EXPECT_EQ(namen(), "neu ");
    ElzLoeschen(LISTE);
    ElzNeuAnzeigen(LISTE);
    wiClipText("q\t3\r\n");
    befehl(2554);
    EXPECT_EQ(namen(), "q ");
    EXPECT_STREQ(nr(0)->geheim, "g") << "pasted onto a prepared record";
}

TEST_F(Satzliste, Searches)
{
    for (const char* n : {"Apfel", "Birne", "apfelmus", "Kirsche"}) zeile(n, 0);
    zeigen();
    EXPECT_EQ(ElzBuchstabe(LISTE, 'a'), 2) << "from the row after the cursor";
    EXPECT_EQ(ElzBuchstabe(LISTE, 'A'), 0) << "then once from the start";
    EXPECT_EQ(ElzBuchstabe(LISTE, 'z'), -1);
    EXPECT_EQ(ElzWeiterSuchen(LISTE, 0, "FEL"), 2);
    EXPECT_EQ(ElzWeiterSuchen(LISTE, 2, "fel"), 2) << "none: the given row";
    EXPECT_EQ(ElzSuchen(LISTE, "RSCH", 0, 0, 0), 3);
    EXPECT_EQ(LisAkt(LISTE), 3);
    EXPECT_EQ(ElzSuchen(LISTE, "irs", 0, 1, 2), 3) << "cut at offset + length: \"ir\" does not hold it";
    SetDlgItemText(dlg, LISTE + 4, "birn");
    LisAktSetzen(LISTE, 0);
    befehl(2557);
    EXPECT_EQ(LisAkt(LISTE), 1);
}

TEST_F(Satzliste, TypeAheadKeepsTwentyCharacters)
{
    char puffer[ELZTIPPSUP + 1] = "";
    for (int i = 0; i < 25; ++i) EXPECT_EQ(ElzTippSuche(WM_CHARTOITEM, 'a', 0, 0, puffer), -2);
    EXPECT_EQ(std::string(puffer), std::string(20, 'A'));
    EXPECT_EQ(ElzTippSuche(WM_CHARTOITEM, 1, 0, 0, puffer), -1);
    std::strcpy(puffer, "X");
    EXPECT_EQ(ElzTippSuche(WM_CHARTOITEM, 8, 0, 0, puffer), -2);
    EXPECT_STREQ(puffer, "");
    EXPECT_EQ(ElzTippSuche(WM_CHARTOITEM, 'k', 4321, LISTE + 4, puffer), -2);
    h3::pumpen();
    char feld[32] = {};
    GetDlgItemText(dlg, LISTE + 4, feld, sizeof feld);
    EXPECT_STREQ(feld, "K");
    ASSERT_FALSE(h3::post.empty());
    EXPECT_EQ(h3::post.back().first, 4321u);
}

}  // namespace

namespace {

TEST_F(Satzliste, OwnerDrawnRowsTakeStripesAndTheSelectionColour)
{
    h3::weiter = [](UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_MEASUREITEM || m == WM_DRAWITEM) ElzOwnerDraw(4100, nullptr, m, static_cast<int>(wp), lp);
    };
    ElzListenStil(1, 2);
    EXPECT_EQ(ElzPfadModus(), 2);
    ElzAuswahlFarbe(10, 200, 30);
    HWND box = item(4100);
    for (const char* t : {"null", "eins", "zwei"}) SendMessage(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessage(box, LB_SETCURSEL, 0, 0);
    InvalidateRect(box, nullptr, TRUE);
    h3::pumpen();
    plBild b = h1::bild(box);
    auto grund = [&](int i) {
        RECT r{};
        SendMessage(box, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        return h1::px(b, r.right - 3, (r.top + r.bottom) / 2);
    };
    EXPECT_EQ(grund(0), RGB(10, 200, 30));
    EXPECT_EQ(grund(1), GetSysColor(COLOR_BTNFACE)) << "odd rows striped";
    EXPECT_EQ(grund(2), GetSysColor(COLOR_WINDOW));
    ElzListenStil(0, 0);
    ElzAuswahlFarbe(215, 232, 255);
}

}  // namespace
