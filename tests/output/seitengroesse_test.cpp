// The demo's sheets exported with the demo's own defaults set: SVG and PDF
// give them A3 landscape pages, so nothing of a sheet is cut off.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ausgabetest.h"
#include "output/pdfexport.h"
#include "output/svg.h"
#include "tests/tools/demokopie.h"

namespace {

struct A3Blatt : AusgabeTest {
    DemoKopie demo;
    void SetUp() override
    {
        AusgabeTest::SetUp();
        // The demo's set in place of the test set.
        stSchreiben(pfad("Ausgabe.vgb"), stLesen(demo.datei("Standard.vgb")));
        VgbSetSetzen("Ausgabe", pfad("Ausgabe.vgb").c_str());
        GrundEinstLesen(nullptr);
    }
};

TEST_F(A3Blatt, TheDemosA3SheetsGetWholeA3LandscapePages)
{
    // Every sheet of the demo is of format 't' (up to A3, 420 x 297).
    double xMax = 0, yMax = 0;
    for (const char* name : {"HV1.01", "HV1.02", "HV1.03", "HV1.04", "HV1.05", "HV1.06", "HV1.07", "HV1.08",
                             "HV1.09", "HV1.10", "HV1.11", "HV1.12", "HV1.13", "HV1.14", "HV1.15"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(SvgExport(demo.datei(name).c_str(), pfad("blatt.svg").c_str()), 0);
        const std::string svg = stLesen(pfad("blatt.svg"));
        EXPECT_NE(svg.find("<svg width=\"420.0mm\" height=\"297.0mm\"\n     viewBox=\"0 0 420.0 297.0\""),
                  std::string::npos);
        // Every coordinate lies on the page.
        for (size_t p = svg.find(' '); p != std::string::npos; p = svg.find(' ', p + 1)) {
            const char achse = svg[p + 1];
            if (achse != 'x' && achse != 'y') continue;
            size_t q = p + 2;
            if (svg[q] == '1' || svg[q] == '2') ++q;
            if (svg.compare(q, 2, "=\"") != 0) continue;
            const double v = std::stod(svg.substr(q + 2, 20));
            EXPECT_GE(v, 0) << svg.substr(p, 20);
            EXPECT_LE(v, achse == 'x' ? 420 : 297) << svg.substr(p, 20);
            if (achse == 'x') xMax = std::max(xMax, v);
            if (achse == 'y') yMax = std::max(yMax, 297 - v);
        }
    }
    // The sheets reach past an A4 landscape page at the right and the top.
    EXPECT_GT(xMax, 297);
    EXPECT_GT(yMax, 210);

    ASSERT_TRUE(agProgrammDa("pdfinfo"));
    ASSERT_EQ(PdfExportStart(pfad("blatt.pdf").c_str()), 1);
    ASSERT_EQ(PdfSeite(demo.datei("HV1.03").c_str()), 0);
    ASSERT_EQ(PdfExportEnde(), 0);
    ASSERT_EQ(agAufruf("{ pdfinfo -f 1 -l 1 '" + pfad("blatt.pdf") + "' > '" + pfad("info.txt") + "'; }"), 0);
    const std::string info = stLesen(pfad("info.txt"));
    EXPECT_NE(info.find("Page    1 size:  1190.6 x 841.9"), std::string::npos) << info;
}

}  // namespace
