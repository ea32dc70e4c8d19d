// The assertion and trace hooks and their stand-ins.
#include "support/basis.h"

#include <gtest/gtest.h>

#include <string>

#include "support/basistest.h"

namespace {

std::string basisGesammelt;

void basisSammeln(const char* text)
{
    basisGesammelt += text;
}

}  // namespace

TEST(Basis, StandInEndsTheProcessWithTheTexts)
{
    EXPECT_EXIT(wiAssert("struarr", 99, "anzahl < SAISUP"), testing::ExitedWithCode(3),
                "ASSERT ERROR\nstruarr\\.99\nanzahl < SAISUP\nDas Programm wird beendet\\.");
}

TEST(Basis, AHandlerThatReturnsStillEndsTheProcess)
{
    EXPECT_EXIT(
        {
            wiAssertHandlerSetzen([](const char*, int, const char*) {});
            wiAssert("seite", 38, "x");
        },
        testing::ExitedWithCode(3), "seite\\.38");
}

TEST(Basis, ThrowingHandlerForTests)
{
    {
        AssertWirft wirft;
        try {
            wiAssert("fileload", 31, "(*platz = fmalllong(*lang + 1L)) != NULL");
            FAIL() << "wiAssert returned";
        } catch (const AssertAusnahme& a) {
            EXPECT_EQ(a.datei, "fileload");
            EXPECT_EQ(a.zeile, 31);
            EXPECT_EQ(a.ausdruck, "(*platz = fmalllong(*lang + 1L)) != NULL");
        }
    }
    // Out of scope, the previous handler (the stand-in) is back.
    EXPECT_EQ(wiAssertHandlerSetzen(nullptr), nullptr);
}

TEST(Basis, TraceGoesToTheInstalledSinkCutAtItsSize)
{
    WiDebugSenke alt = wiDebugSenkeSetzen(basisSammeln);
    basisGesammelt.clear();
    wiDebug("PDFLoad ERROR: %d %s\n", 7, "a.pdf");
    EXPECT_EQ(basisGesammelt, "PDFLoad ERROR: 7 a.pdf\n");
    basisGesammelt.clear();
    wiDebug("%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(basisGesammelt.size(), static_cast<size_t>(WIDEBUGSUP - 1));
    wiDebugSenkeSetzen(alt);

    testing::internal::CaptureStderr();
    wiDebug("Zeile %d\n", 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Zeile 1\n");
}
