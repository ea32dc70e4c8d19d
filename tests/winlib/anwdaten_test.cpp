// The frame record's accessors: the title is cut at 95 characters, cursor
// kinds outside 0..5 (negative ones too) do nothing, the background brush.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/bildlader.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "winlib/anwdaten.h"

namespace {

class AnwTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plFensterSystemEnde();
        anwZuruecksetzen();
    }
    void TearDown() override
    {
        anwZuruecksetzen();
        plFensterSystemEnde();
    }
};

TEST_F(AnwTest, TitleIsCutAt95)
{
    for (size_t n : {0u, 94u, 95u, 96u, 300u}) {
        std::string t(n, 'x');
        const char* r = anwTitelSetzen(t.c_str());
        EXPECT_EQ(r, anwTitel());
        EXPECT_EQ(std::strlen(anwTitel()), n < 95 ? n : 95u) << n;
        EXPECT_EQ(anwDaten()->titel, anwTitel());
    }
}

TEST_F(AnwTest, CursorKindsOutside0To5DoNothing)
{
    anwCursor(3);
    HCURSOR kreuz = GetCursor();
    EXPECT_EQ(kreuz, LoadCursor(0, IDC_CROSS));
    for (int art : {-1, -100, 6, 99}) {
        EXPECT_EQ(anwCursor(art), art);
        EXPECT_EQ(GetCursor(), kreuz) << art;
    }
    struct Fall { int art; LPCSTR idc; };
    for (Fall f : {Fall{0, IDC_ARROW}, Fall{1, IDC_WAIT}, Fall{4, IDC_NO}, Fall{5, IDC_UPARROW}}) {
        EXPECT_EQ(anwCursor(f.art), f.art);
        EXPECT_EQ(GetCursor(), LoadCursor(0, f.idc)) << f.art;
    }
}

TEST_F(AnwTest, RunStateAndBackground)
{
    EXPECT_EQ(anwLaufZustand(), 0);
    anwLaufZustandSetzen(2);
    EXPECT_EQ(anwLaufZustand(), 2);
    HBRUSH b = anwHintergrundFarbe(236, 233, 216);
    EXPECT_NE(b, 0u);
    EXPECT_EQ(anwDaten()->hintergrund, b);
    LOGBRUSH lb{};
    ASSERT_NE(GetObject(b, sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(236, 233, 216));
    DeleteObject(b);
}

}  // namespace
