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
