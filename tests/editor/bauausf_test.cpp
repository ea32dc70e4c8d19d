// The executor with the construction, pick and clipboard actions: mouse
// input drawn through the real queue, executor, store and journal.
#include "editor/bauausf.h"

#include "editor/edmeld.h"
#include "editor/elclip.h"
#include "editor/knopf.h"
#include "editor/objwahl.h"
#include "output/clip.h"
#include "output/gdi.h"
#include "platform/rasterbib.h"
#include "platform/winconst.h"
#include "tests/editor/bautest.h"
#include "tests/editor/edtest.h"

namespace {

struct BauAusfTest : BauTest {
    void SetUp() override
    {
        BauTest::SetUp();
        BauAusfHakenSetzen();
        EdMeldHakenSetzen();
        ClipFormateAnmelden();
        rasterbibLaden();
        KnopfZuruecksetzen();
        ObjZuruecksetzen();
        AbbildungSetzenFrei(0, 0, 400, 400, 400, 400, 0, 0, 100, 50, 50);
        BEFRASTER* r = BefRasterWerte();
        r->swx = r->swy = 1.0;
    }
    void TearDown() override
    {
        rasterbibFreigeben();
        BauTest::TearDown();
    }
    // A click at pixel (x, y) with the key flags, run as the page runs it.
    void klick(int x, int y, WPARAM flags, UINT runter = WM_LBUTTONDOWN, UINT hoch = WM_LBUTTONUP)
    {
        lauf([&] {
            MausMeldung(runter, flags | MK_LBUTTON, MAKELPARAM(x, y));
            MausMeldung(hoch, flags, MAKELPARAM(x, y));
            BefAbarbeiten();
        });
    }
    void befehl(const BEF& b)
    {
        lauf([&] { befehle({b}); });
    }
    std::vector<std::string> objekte()
    {
        std::vector<std::string> v;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            char t[40];
            std::snprintf(t, sizeof t, "@%g,%g ", s.x, s.y);
            v.push_back(t + kurz(b));
        }
        return v;
    }
};

TEST_F(BauAusfTest, ShiftClicksDrawAPolylineAndAClickOnItsStartEndsIt)
{
    klick(100, 300, 0);  // the cursor: world (100, 100)
    EXPECT_EQ(BefAktZustand()->x, 100);
    klick(100, 300, MK_SHIFT);  // a line starts here
    EXPECT_EQ(BaubfCode(), 40);
    klick(130, 260, MK_SHIFT);  // (130, 140): the line is committed
    EXPECT_EQ(objekte(), std::vector<std::string>{"@100,100 ZL 30 40"});
    EXPECT_EQ(BaubfCode(), 40) << "a new line follows the pointer";
    EXPECT_EQ(BaubfZustandHolen().x, 130);
    klick(130, 260, MK_SHIFT);  // on the new line's start: cancelled
    EXPECT_EQ(BaubfAktiv(), 0);
    EXPECT_EQ(TzAnzahl(), 1);

    // Undo and redo remove and restore the line.
    befehl(tzRec(162));
    EXPECT_EQ(TzAnzahl(), 0);
    befehl(tzRec(163));
    EXPECT_EQ(objekte(), std::vector<std::string>{"@100,100 ZL 30 40"});
}

TEST_F(BauAusfTest, ARightRectangleMarksAndADragByTheInsertionPointMovesInOneUndoGroup)
{
    int a = linie(100, 100, 0, 20);
    // Right-button rectangle around the line: (90, 90)..(110, 130).
    lauf([&] {
        MausMeldung(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(90, 310));
        MausMeldung(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(110, 270));
        MausMeldung(WM_RBUTTONUP, 0, MAKELPARAM(110, 270));
        BefAbarbeiten();
    });
    ASSERT_EQ(TzMarkHolen(a), 1);
    EXPECT_EQ(ObjCursor(), a);
    // Drag the line by its start (100, 100) to (150, 120).
    lauf([&] {
        MausMeldung(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(101, 300));
        MausMeldung(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 290));
        BefAbarbeiten();
        MausMeldung(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 280));
        BefAbarbeiten();
        MausMeldung(WM_LBUTTONUP, 0, MAKELPARAM(150, 280));
        BefAbarbeiten();
    });
    EXPECT_EQ(objekte(), std::vector<std::string>{"@150,120 ZL 0 20"});
    EXPECT_EQ(BefFlags()->beweg, 0) << "the move mode is restored";
    // One undo puts it back where it was.
    befehl(tzRec(162));
    EXPECT_EQ(objekte(), std::vector<std::string>{"@100,100 ZL 0 20"});
}

TEST_F(BauAusfTest, ExportAndClipboardTextCommandsWriteTheirFiles)
{
    EdOrdner o;
    int a = linie(10, 10, 30, 20);
    linie(100, 100, 5, 5);  // not marked: not in the picture
    TzMarkSetzen(a, 1);
    const std::string png = o.pfad("bild.PNG"), txt = o.pfad("ablage.txt"), fehl = o.pfad("ordner/fehlt.txt");
    befehl(tzRec(192, {}, png.c_str(), {0}));
    imginfo i;
    ASSERT_EQ(pnginfo(png.c_str(), &i), 0);
    EXPECT_EQ(i.width, BildPixel(30 + 0.0, 300));
    EXPECT_EQ(TzMarkHolen(a), 2) << "unmarked, remembered";
    ClipTextSetzen("eins");
    befehl(tzRec(160, {}, txt.c_str(), {2}));
    EXPECT_TRUE(std::filesystem::exists(txt));
    // A typed REC 2 with a path that cannot be made reports and goes on.
    befehl(tzRec(160, {}, fehl.c_str(), {2}));
    EXPECT_EQ(std::string(StatusLetzterText()), "Schreibfehler: " + fehl);
}

}  // namespace
