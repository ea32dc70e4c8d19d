// Helpers of the editor tests: a temporary folder removed at the end.
#pragma once

#include <filesystem>
#include <string>

#include <unistd.h>

struct EdOrdner {
    std::filesystem::path p;
    EdOrdner()
    {
        static int n = 0;
        p = std::filesystem::temp_directory_path() /
            ("velmo-editor-" + std::to_string(getpid()) + "-" + std::to_string(++n));
        std::filesystem::create_directories(p);
    }
    ~EdOrdner()
    {
        std::error_code ec;
        std::filesystem::remove_all(p, ec);
    }
    std::string pfad(const char* name) const { return (p / name).string(); }
};
