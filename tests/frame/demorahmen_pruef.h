// The frame started headless on a working copy of the demo project, ended
// with the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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
