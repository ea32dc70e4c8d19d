// The one rule for every golden file of the tests: VELMO_GOLDEN_SCHREIBEN=1
// rewrites the golden from this run's result; any other value, or none,
// only compares. Text and byte goldens are compared here; picture goldens
// ask `golden::neuSchreiben()` and compare their pixels themselves.
// Header-only, namespace golden; no project headers.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace golden {

// True only for exactly "1": "0", "" or "ja" must never overwrite a golden.
inline bool neuSchreiben()
{
    const char* w = std::getenv("VELMO_GOLDEN_SCHREIBEN");
    return w != nullptr && std::strcmp(w, "1") == 0;
}

// Compares `ist` with the file `pfad` byte by byte, or writes it there when
// asked to rewrite. A missing golden fails.
inline ::testing::AssertionResult text(const std::string& pfad, const std::string& ist)
{
    if (neuSchreiben()) {
        std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
        aus << ist;
        if (!aus.flush()) return ::testing::AssertionFailure() << "golden not written: " << pfad;
        return ::testing::AssertionSuccess() << "rewritten: " << pfad;
    }
    std::ifstream ein(pfad, std::ios::binary);
    if (!ein) return ::testing::AssertionFailure() << "golden missing: " << pfad;
    const std::string soll{std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
    if (ist == soll) return ::testing::AssertionSuccess();
    size_t i = 0;
    while (i < ist.size() && i < soll.size() && ist[i] == soll[i]) ++i;
    return ::testing::AssertionFailure() << "differs from " << pfad << " at byte " << i << " (" << ist.size()
                                         << " bytes, golden " << soll.size() << ")\n--- this run:\n"
                                         << ist << "\n--- golden:\n"
                                         << soll;
}

}  // namespace golden
