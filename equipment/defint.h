// Shared inside equipment/ only (definier, definfo): the field split of a
// definition line and the stale mark of the component information.
#pragma once

#include <string>
#include <vector>

// Field 0 the first word; after white space the next character delimits
// the following fields; always DEFFELDSUP fields (missing ones empty).
void DefZeileZerlegen(const std::string& zeile, std::vector<std::string>& felder);
void DefInfoVeraltet();
