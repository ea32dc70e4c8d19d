// Where a changed defaults set is written (see vorgaben.h): a shipped set
// or one of the application-data folder into the open project. And how
// often a set file was read so far (tests).
#pragma once

#include <string>

// Where VgbSchreiben would write the current set now.
std::string VgbSchreibPfad();

long VgbLesungen();
