// Command strings: how a string falls into steps, and what each step does
// on the real queue and construction with a plain window as the page; the
// context menu's choice by the marks.
#include "editor/kontext.h"

#include "editor/baubf.h"
#include "editor/edtseite.h"
#include "editor/knopf.h"
#include "editor/objwahl.h"
#include "model/tempzeic.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "tests/editor/bautest.h"

namespace {

struct KontextTest : BauTest {
    HWND seite = 0;
    void SetUp() override
    {
        BauTest::SetUp();
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "KontextSeite";
        RegisterClass(&wc);
        seite = CreateWindow("KontextSeite", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr);
        EdtFensterFuerTests(seite);
    }
    void TearDown() override
    {
        EdtFensterFuerTests(0);
        DestroyWindow(seite);
        BauTest::TearDown();
    }
    // Posted menu numbers, queued records, the element under construction.
    std::string lauf(const char* text)
    {
        BefehlsTextAusfuehren(text);
        std::string r;
        MSG m;
        while (PeekMessage(&m, seite, WM_COMMAND, WM_COMMAND, PM_REMOVE)) r += "#" + std::to_string(LOWORD(m.wParam)) + " ";
        for (const std::string& s : schlange()) r += s + " ";
        if (BaubfAktiv()) r += std::string("Bau ") + BefName(BaubfCode());
        BaubfZuruecksetzen();
        while (!r.empty() && r.back() == ' ') r.pop_back();
        return r;
    }
};

TEST_F(KontextTest, AStringFallsIntoStepsAtBarsAfterItsFirstCharacter)
{
    struct Fall {
        const char* text;
        std::vector<std::string> schritte;
    } faelle[] = {
        {"", {}},
        {"   ", {}},
        {"ZL 10 0", {"ZL 10 0"}},
        {"Menu: 1200|*ZL", {"Menu: 1200", "*ZL"}},
        {" #1004 | > ZL 1 2 |  UDO ", {"#1004", "> ZL 1 2", "UDO"}},
        {"|ZL||RDO", {"|ZL", "|RDO"}},           // a bar in front belongs to the step
        {"UDO ; rueckgaengig | RDO", {"UDO"}},  // the rest is a comment
        {";UDO|RDO", {";UDO", "RDO"}},          // a leading ';' is no comment
    };
    for (const Fall& f : faelle) EXPECT_EQ(BefehlsTextSchritte(f.text), f.schritte) << f.text;
}

TEST_F(KontextTest, EachStepByItsBeginning)
{
    struct Fall {
        const char* text;
        const char* ergebnis;
    } faelle[] = {
        {"Menu: 1200|*ZL", "#1200"},  // "*ZL" looks up "L": nothing starts
        {"# 1004", "#1004"},
        {"#1004", "#4"},  // the second character is skipped
        {"menu: 1005", "#1005"},
        {"> ZL 10 0", "ZL 10 0"},
        {"AUSF: ZL 3 4", "ZL 3 4"},
        {"* ZL", "_BA 0 0 0 0 Bau ZL"},  // started at the cursor
        {"Bear: KRE", "_BA 0 0 0 0 Bau KRE"},
        {"UDO|RDO", "UDO RDO"},  // typed lines
        {";UDO", ""},            // typed as it stands: no command
        {"* GIBTSNICHT", ""},
    };
    for (const Fall& f : faelle) EXPECT_EQ(lauf(f.text), f.ergebnis) << f.text;
}

// The shipped key table posts the whole menu number: a short form skips its
// second character, so "#1004" would post 4.
TEST_F(KontextTest, ShippedKeysPostTheirWholeMenuNumber)
{
    ASSERT_GT(KnopfDateiLesen((std::string(VELMO_SOURCE_DIR) + "/data/EditKey.txt").c_str()), 0);
    ASSERT_TRUE(KnopfAusfuehren('S', 0, 1));
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, seite, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(m.wParam), 1004);
}

TEST_F(KontextTest, AnElementStartsOnlyWhileNoneIsUnderConstruction)
{
    ElementStarten(BefCode("ZL"));
    ElementStarten(BefCode("KRE"));
    EXPECT_EQ(BaubfCode(), BefCode("ZL"));
    EXPECT_EQ(CursorModus(), 2) << "a line under way";
    BaubfZuruecksetzen();
    ElementStarten(0);
    ElementStarten(-1);
    EXPECT_FALSE(BaubfAktiv());
}

TEST_F(KontextTest, TheMenuFollowsTheMarksAndTheObjectUnderTheCursor)
{
    BEF b = tzRec(TZ_ZL, {10, 0});
    STT s = tzStart();
    const int a = TzEinfuegen(&b, &s);
    const int c = TzEinfuegen(&b, &s);
    EXPECT_STREQ(KontextMenueName(), "RMMENUKEIN");
    TzMarkSetzen(a, 1);
    ObjCursorSetzen(a);
    EXPECT_STREQ(KontextMenueName(), "RMMENUEINS");
    ObjCursorSetzen(c);
    EXPECT_STREQ(KontextMenueName(), "RMMENUVIELE");
}

}  // namespace
