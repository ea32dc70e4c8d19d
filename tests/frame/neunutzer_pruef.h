// A new user on the frame: a test folder with its own HOME, configuration
// and working folder "arbeit", nothing configured yet; put back at the end.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "platform/dateidialog.h"
#include "platform/nachrichtbox.h"
#include "tests/frame/rahmen_pruef.h"

class NeuNutzerRahmen : public ::testing::Test {
protected:
    std::filesystem::path wurzel, vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;
    std::string altHome;

    // The test folder `name` with the folders `ordner` below it (HOME is
    // "home"); the working folder becomes "arbeit". Not started yet.
    void einrichten(const char* name, std::initializer_list<const char*> ordner)
    {
        wurzel = rahmenWurzel(name);
        ASSERT_FALSE(wurzel.empty());
        for (const char* o : ordner) std::filesystem::create_directories(wurzel / o);
        rahmenUmgebung(wurzel);
        altHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
        setenv("HOME", (wurzel / "home").c_str(), 1);
        unsetenv("USERPROFILE");
        vorher = std::filesystem::current_path();
        std::filesystem::current_path(wurzel / "arbeit");
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        plDateiDialogSkriptLeeren();
    }
    void TearDown() override
    {
        rahmenBeenden(vorher);
        setenv("HOME", altHome.c_str(), 1);
        std::filesystem::remove_all(wurzel);
    }
    // The entries of a folder, folders with a trailing "/".
    static std::set<std::string> namen(const std::filesystem::path& o)
    {
        std::set<std::string> n;
        for (const auto& e : std::filesystem::directory_iterator(o))
            n.insert(e.path().filename().string() + (e.is_directory() ? "/" : ""));
        return n;
    }
};
