// The input line on the running frame, headless, over a working copy of the
// demo project, driven by typed keys: a point, a library component, a text
// through its prompt, a bare command answered on the prompt, a cross
// reference started interactively, Escape back to the command prompt, Tab
// around the focus ring, and the command history recalled by Up after a
// restart. The drawing is saved and read back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
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
#include "model/tempzeic.h"
#include "model/zeichnun.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "platform/winconst.h"
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

}  // namespace
