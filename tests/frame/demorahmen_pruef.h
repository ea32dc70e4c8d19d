// The frame started headless on a working copy of the demo project, ended
// with the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "model/befehl.h"
#include "model/zeichnun.h"
#include "output/gdi.h"
#include "platform/headless.h"
#include "support/bdatei.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"

class DemoRahmen : public ::testing::Test {
protected:
    DemoKopie demo;
    std::filesystem::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override { rahmenDemoStarten(demo.wurzel(), vorher, args, argv); }
    void TearDown() override { rahmenBeenden(vorher); }
};

// The demo frame with its start pumped through and no question left over:
// the project page waits for the keys and clicks of a test.
class DemoSeite : public DemoRahmen {
protected:
    void SetUp() override
    {
        DemoRahmen::SetUp();
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        plNachrichtBoxFragenLeeren();
    }
};

// The texts of a drawing file, in the order it holds them.
inline std::vector<std::string> demoZeichnungsTexte(const std::string& zei)
{
    std::vector<std::string> v;
    ZeiDatei z;
    if (ZeiDateiLesend(&z, zei.c_str()) != 0) return v;
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) {
        if (b.code == BefCode("TFA")) v.push_back(b.text);
    }
    bdclose(&z.datei);
    return v;
}

// Two Shift-clicks into the editor's view `ansicht`, at (40, 120) and
// (80, 130) mm: with the line command on, one line between them.
inline void demoLinieKlicken(HWND ansicht)
{
    for (auto [x, y] : {std::pair<double, double>{40, 120}, {80, 130}}) {
        const POINT p = plHeadlessPunkt(ansicht, WeltZuPixelX(x), WeltZuPixelY(y));
        plHeadlessTasteRunter(VK_SHIFT);
        plHeadlessKlick(p.x, p.y, 0);
        plHeadlessTasteHoch(VK_SHIFT);
        rahmenPumpen();
        plHeadlessZeitVor(1000);
    }
}
