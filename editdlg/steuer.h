// The controls each editor dialog's code works with, by template: the
// identifiers it expects there of one class. The template test checks every
// library against this table, so a template and its code cannot drift
// apart. Prefix `DbSteuer`. Calls nothing.
#pragma once

#include <vector>

struct DbSteuer {
    const char* vorlage;
    const char* klasse;
    std::vector<int> ids;
};

const std::vector<DbSteuer>& DbSteuerTabelle();
