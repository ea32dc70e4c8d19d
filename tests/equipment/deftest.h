// Test helper: definitions as values, written as a "BMListe.txt" into the
// folder "defs" beside the project folder (directory kind 1); that folder
// becomes the component folder where the definitions are looked for.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "equipment/definier.h"

struct PhDefinition {
    std::string bauteil, typ, kenn1, kenn2, kurz;  // header fields
    int zahl1 = 0, zahl2 = 0;
    std::vector<std::string> unter;                // continuation lines, as written
};

inline std::string DefTestText(const std::vector<PhDefinition>& defs)
{
    std::string t;
    for (const PhDefinition& d : defs) {
        t += "H ~" + d.bauteil + "~" + d.typ + "~" + d.kenn1 + "^" + d.kenn2 + "~~" + std::to_string(d.zahl1) + "~~" +
             d.kurz + "~~~~" + std::to_string(d.zahl2) + "~\r\n";
        for (const std::string& u : d.unter) t += "  " + u + "\r\n";
    }
    return t;
}

inline void PhDefinitionenSetzen(const std::vector<PhDefinition>& defs)
{
    const std::string ordner = std::string(VerZeiger(1)) + "../defs/";
    std::filesystem::create_directories(ordner);
    VerSetzen(2, ordner.c_str());
    std::ofstream(ordner + "BMListe.txt", std::ios::binary | std::ios::trunc) << DefTestText(defs);
    DefDateienSetzen();
}
