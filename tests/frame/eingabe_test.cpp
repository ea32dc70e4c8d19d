// The input line on the running frame, headless, over a working copy of the
// demo project, driven by typed keys: a point, a library component, a text
// through its prompt, a bare command answered on the prompt, a cross
// reference started interactively, Escape back to the command prompt, Tab
// around the focus ring, and the command history recalled by Up after a
// restart. The drawing is saved and read back. The text being typed shows
// on the drawing, and a misspelt text passes the spelling dialog first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/eingabe.h"
#include "editor/history.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/zeichnun.h"
#include "platform/bild.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
#include "output/ansicht.h"
#include "winlib/dialog.h"
#include "tests/frame/editor_pruef.h"

namespace fs = std::filesystem;

namespace {

class EingabeLauf : public DemoLauf {
protected:
    void oeffnen()
    {
        seiteOeffnen();
        plNachrichtBoxFragenLeeren();
    }
    static HWND feld() { return GetDlgItem(EdtFenster(), 5020); }
    static std::string text(int id)
    {
        char t[300] = "";
        GetWindowText(GetDlgItem(EdtFenster(), id), t, sizeof t);
        return t;
    }
    static void taste(UINT vk)
    {
        plHeadlessTaste(vk);
        rahmenPumpen();
    }
    static void hinein()
    {
        plHeadlessZeitVor(1000);  // no double click
        RECT r;
        GetWindowRect(feld(), &r);
        plHeadlessKlick(r.right - 4, (r.top + r.bottom) / 2);
    }
    // A click into the field, the line typed, Enter.
    static void tippen(const char* zeile)
    {
        hinein();
        plHeadlessText(zeile);
        taste(VK_RETURN);
    }
};

TEST_F(EingabeLauf, TypedLinesBecomeRecordsAndTheHistoryOutlivesARestart)
{
    ASSERT_NE(EdtFenster(), 0u);
    EXPECT_EQ(text(5010), "Befehl (ZB)");
    const int anfang = TzAnzahl();

    // A bare pair is a move by that much (BW, in drawing units).
    const STT vor = *BefAktZustand();
    tippen("12 34");
    EXPECT_DOUBLE_EQ(BefAktZustand()->x, vor.x + 12 * vor.mass);
    EXPECT_DOUBLE_EQ(BefAktZustand()->y, vor.y + 34 * vor.mass);
    EXPECT_EQ(text(5020), "");
    EXPECT_EQ(GetFocus(), GetDlgItem(EdtFenster(), 5000)) << "a submitted line gives the drawing the focus";

    tippen("M1");
    EXPECT_EQ(TzAnzahl(), anfang + 1) << "the library component placed";

    tippen("TFA");
    EXPECT_EQ(text(5010), "Text (TFA)");
    tippen("Hallo");
    EXPECT_EQ(TzAnzahl(), anfang + 2) << "the text placed";
    EXPECT_EQ(text(5010), "Text (TFA)") << "the text prompt stays for the next line";
    hinein();
    taste(VK_ESCAPE);
    EXPECT_EQ(text(5010), "Befehl (ZB)");

    tippen("TG");
    EXPECT_EQ(text(5010), "Textgr\xF6sse");
    tippen("2,5");
    EXPECT_DOUBLE_EQ(BefAktZustand()->tg, 2.5);
    EXPECT_EQ(text(5010), "Befehl (ZB)");

    // A bare command's prompt is left by Escape.
    tippen("ST");
    EXPECT_EQ(text(5010), "Nummer");
    hinein();
    taste(VK_ESCAPE);
    EXPECT_EQ(text(5010), "Befehl (ZB)");

    // A refused line beeps and stays.
    const int pieps = plNachrichtBoxPieps();
    tippen("GIBTSNICHT 1");
    EXPECT_EQ(text(5020), "GIBTSNICHT 1");
    EXPECT_EQ(plNachrichtBoxPieps(), pieps + 1);
    SetWindowText(feld(), "");

    // Tab walks the ring: the input line, then the status fields' values
    // (the coordinates first), Shift+Tab back; Enter returns to the drawing.
    SetFocus(feld());
    taste(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(EdtFenster(), 2403));
    EXPECT_EQ(FokusAktuell(), 2);
    plHeadlessTasteRunter(VK_SHIFT);
    taste(VK_TAB);
    plHeadlessTasteHoch(VK_SHIFT);
    EXPECT_EQ(GetFocus(), feld());
    EXPECT_EQ(FokusAktuell(), 1);
    taste(VK_TAB);
    taste(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(EdtFenster(), 2404));
    taste(VK_RETURN);
    EXPECT_EQ(GetFocus(), GetDlgItem(EdtFenster(), 5000));

    // The cross reference without a point starts its construction.
    tippen("QVB 0 50");
    EXPECT_TRUE(BaubfAktiv());
    taste(VK_ESCAPE);

    plHeadlessPng(anwHauptfenster(), (demo.wurzel() + "/eingabe.png").c_str());
    bildAblegen("eingabe.png", "EINGABE_BILD");

    // Saved, the program ends and starts again: Up recalls the lines.
    plNachrichtBoxAntwort(IDYES);
    rahmenBeenden();
    rahmenStarten(args, argv, {"-W=1", "Projekt"});
    plHeadlessPumpen();
    oeffnen();
    EXPECT_EQ(TzAnzahl(), anfang + 2) << "the saved drawing read back";
    SetFocus(feld());
    rahmenPumpen();
    std::vector<std::string> hoch;
    for (int i = 0; i < 4; ++i) {
        taste(VK_UP);
        hoch.push_back(text(5020));
    }
    EXPECT_EQ(hoch, (std::vector<std::string>{"QVB 0 50", "GIBTSNICHT 1", "ST", "2,5"}));
    taste(VK_DOWN);
    EXPECT_EQ(text(5020), "2,5");
    // The text ring holds the text.
    SetWindowText(feld(), "");
    tippen("TFA");
    SetFocus(feld());
    taste(VK_UP);
    EXPECT_EQ(text(5020), "Hallo");
}

// The drawing window as painted now, kept in the demo copy.
plBild ansichtBild(const std::string& pfad)
{
    rahmenPumpen();
    plBild b;
    std::vector<uint8_t> daten;
    if (plHeadlessPng(AnsichtFenster(), pfad.c_str()) == 0 && plBildDateiLesen(pfad.c_str(), daten) == 0)
        plPngLesen(daten.data(), daten.size(), b);
    return b;
}

bool leer(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

bool nahe(uint32_t px, const int rgb[3])
{
    const COLORREF c = plBildFarbe(px);
    return std::abs(GetRValue(c) - rgb[0]) + std::abs(GetGValue(c) - rgb[1]) + std::abs(GetBValue(c) - rgb[2]) < 60;
}

// A pixel of something drawn in colour `rgb` on the view's background: the
// view smooths its text, so a small text's pixels are mixes of the two; a
// mix at least a quarter of the way to the colour counts.
bool inFarbe(uint32_t px, const int rgb[3])
{
    const COLORREF c = plBildFarbe(px);
    const int* bg = ViEinst()->bgrgb;
    const double p[3] = {double(GetRValue(c)), double(GetGValue(c)), double(GetBValue(c))};
    double d[3], laenge = 0, t = 0;
    for (int i = 0; i < 3; ++i) d[i] = rgb[i] - bg[i], laenge += d[i] * d[i];
    if (laenge == 0) return nahe(px, rgb);
    for (int i = 0; i < 3; ++i) t += (p[i] - bg[i]) * d[i] / laenge;
    double abstand = 0;
    for (int i = 0; i < 3; ++i) abstand += std::fabs(p[i] - (bg[i] + t * d[i]));
    return t >= 0.25 && abstand < 60;
}

// The box of the pixels drawn in colour `rgb` (empty when there are none).
RECT farbFlaeche(const plBild& b, const int rgb[3])
{
    RECT r{b.breite, b.hoehe, -1, -1};
    for (int y = 0; y < b.hoehe; ++y)
        for (int x = 0; x < b.breite; ++x)
            if (inFarbe(b.at(x, y), rgb)) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r.right < 0 ? RECT{0, 0, 0, 0} : r;
}

// How many pixels of `r` are not background.
int gezeichnet(const plBild& b, const RECT& r)
{
    int n = 0;
    for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, b.hoehe); ++y)
        for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, b.breite); ++x)
            if (!nahe(b.at(x, y), ViEinst()->bgrgb)) ++n;
    return n;
}

TEST_F(EingabeLauf, TheTextBeingTypedShowsAtThePositionUntilEscapeOrConfirm)
{
    // A click in the middle of the drawing puts the position there.
    RECT z;
    GetWindowRect(AnsichtFenster(), &z);
    plHeadlessZeitVor(1000);
    plHeadlessKlick((z.left + z.right) / 2, (z.top + z.bottom) / 2);
    rahmenPumpen();
    const int* farbe = EdEinst()->bstrgb;
    const std::string ordner = demo.wurzel() + "/";
    const plBild vorher = ansichtBild(ordner + "vorher.png");
    EXPECT_TRUE(leer(farbFlaeche(vorher, farbe)));

    tippen("TFA");
    hinein();
    plHeadlessText("Hallo Welt");
    rahmenPumpen();
    EXPECT_EQ(text(5020), "Hallo Welt");
    const RECT da = farbFlaeche(ansichtBild(ordner + "vorschau.png"), farbe);
    bildAblegen("vorschau.png", "VORSCHAU_BILD");
    const int px = WeltZuPixelX(BefAktZustand()->x), py = WeltZuPixelY(BefAktZustand()->y);
    ASSERT_FALSE(leer(da)) << "the text is shown while it is typed";
    EXPECT_NEAR(da.left, px, 4) << "it starts at the position";
    EXPECT_NEAR(da.bottom, py, 4) << "on its baseline";
    EXPECT_GT(da.right - da.left, 5 * (da.bottom - da.top)) << "ten letters";

    hinein();
    taste(VK_ESCAPE);
    EXPECT_EQ(text(5010), "Befehl (ZB)");
    EXPECT_TRUE(leer(farbFlaeche(ansichtBild(ordner + "escape.png"), farbe)))
        << "Escape takes it away";

    const int anfang = TzAnzahl();
    tippen("TFA");
    tippen("Hallo Welt");
    EXPECT_EQ(TzAnzahl(), anfang + 1);
    const plBild nachher = ansichtBild(ordner + "gesetzt.png");
    bildAblegen("gesetzt.png", "GESETZT_BILD");
    EXPECT_TRUE(leer(farbFlaeche(nachher, farbe))) << "the preview is gone";
    EXPECT_GT(gezeichnet(nachher, da), gezeichnet(vorher, da) + 20) << "the stored text stands where it was shown";
}

// With the speller checking on confirm, a typed text with an unknown word
// waits in the spelling dialog; the chosen suggestion is what is placed. A
// text the speller knows is placed at once.
TEST_F(EingabeLauf, AMisspeltTextPassesTheSpellingDialogFirst)
{
    rahmenBeenden();
    const fs::path vgb = fs::path(demo.wurzel()) / "Projekt" / "Standard.vgb";
    std::string t;
    {
        std::ifstream ein(vgb, std::ios::binary);
        t.assign(std::istreambuf_iterator<char>(ein), {});
    }
    for (const char* k : {"SpllUse         0", "SpllSofort      0"}) {
        const size_t a = t.find(k);
        ASSERT_NE(a, std::string::npos) << k;
        t[a + std::strlen(k) - 1] = '1';
    }
    std::ofstream(vgb, std::ios::binary) << t;
    rahmenStarten(args, argv, {"-W=1", "Projekt"});
    plHeadlessPumpen();
    oeffnen();
    ASSERT_NE(EdtFenster(), 0u);

    const int anfang = TzAnzahl();
    tippen("TFA");
    tippen("Halo Welt");
    HWND rs = wiDlgSuchen("RSCHREIB");
    ASSERT_NE(rs, 0u) << "the unknown word is asked about";
    EXPECT_EQ(TzAnzahl(), anfang) << "nothing placed while the dialog is open";
    char wort[100] = "";
    GetDlgItemText(rs, 3020, wort, sizeof wort);
    EXPECT_STREQ(wort, "Halo");
    HWND liste = GetDlgItem(rs, 3100);
    const LRESULT hallo =
        SendMessage(liste, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Hallo"));
    ASSERT_GE(hallo, 0) << "the speller proposes the word";
    plHeadlessPng(rs, (demo.wurzel() + "/rschreib.png").c_str());
    bildAblegen("rschreib.png", "RSCHREIB_BILD");
    // The suggestion clicked, then Enter replaces.
    RECT r{};
    SendMessage(liste, LB_GETITEMRECT, static_cast<WPARAM>(hallo), reinterpret_cast<LPARAM>(&r));
    const POINT p = plHeadlessPunkt(liste, r.left + 5, r.top + 2);
    plHeadlessKlick(p.x, p.y);
    rahmenPumpen();
    taste(VK_RETURN);
    EXPECT_EQ(wiDlgSuchen("RSCHREIB"), 0u);
    ASSERT_EQ(TzAnzahl(), anfang + 1) << "placed when the check ends";
    EXPECT_EQ(text(5020), "");
    BEF b;
    STT s;
    int letzte = -1;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) letzte = id;
    ASSERT_EQ(TzObjHolen(letzte, &b, &s), 0);
    EXPECT_STREQ(b.text, "Hallo Welt");

    tippen("Guten Tag");
    EXPECT_EQ(wiDlgSuchen("RSCHREIB"), 0u);
    EXPECT_EQ(TzAnzahl(), anfang + 2) << "a known text is placed at once";
}

}  // namespace
