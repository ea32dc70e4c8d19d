// A working copy of the committed demo for any test: the project folder
// "Projekt", the shipped library and the demo macro beside it (where the
// library lookup, which climbs from the project folder, finds them) and the
// command file, in a temporary folder that goes away with the object. Tests
// change the copy, never the checkout. Needs VELMO_SOURCE_DIR; header only,
// so every test executable can use it without linking anything.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

class DemoKopie {
public:
    DemoKopie()
    {
        namespace fs = std::filesystem;
        static int lauf = 0;
        wurzel_ = fs::temp_directory_path() /
                  ("velmo-demo-" + std::to_string(::getpid()) + "-" + std::to_string(lauf++));
        fs::remove_all(wurzel_);
        fs::create_directories(wurzel_);
        const fs::path quelle(VELMO_SOURCE_DIR);
        fs::copy(quelle / "demo" / "Projekt", wurzel_ / "Projekt", fs::copy_options::recursive);
        fs::copy_file(quelle / "demo" / "start.txt", wurzel_ / "start.txt");
        fs::copy_file(quelle / "data" / "BAUTEILE.STD", wurzel_ / "BAUTEILE.STD");
        fs::copy_file(quelle / "demo" / "Demo.mac", wurzel_ / "Demo.mac");  // beside the library, as shipped
    }
    ~DemoKopie()
    {
        std::error_code f;
        std::filesystem::remove_all(wurzel_, f);
    }
    DemoKopie(const DemoKopie&) = delete;
    DemoKopie& operator=(const DemoKopie&) = delete;

    // The folder holding Projekt/, BAUTEILE.STD, Demo.mac and start.txt.
    std::string wurzel() const { return wurzel_.string(); }
    // The project folder of the copy.
    std::string projekt() const { return (wurzel_ / "Projekt").string(); }
    // A file of the project folder.
    std::string datei(const std::string& name) const { return (wurzel_ / "Projekt" / name).string(); }
    // The library of the copy.
    std::string bibliothek() const { return (wurzel_ / "BAUTEILE.STD").string(); }

private:
    std::filesystem::path wurzel_;
};
