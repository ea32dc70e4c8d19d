// Internals shared only inside model/: number texts and conversions that do
// not depend on the process locale ("%.Nf" as the C library in the "C"
// locale gives it, and the C library's leading-number reading). Nothing
// outside model/ includes this header.
#pragma once

#include <string>

// "%.<stellen>f" of x, correctly rounded, with '.' as the decimal point.
std::string modFixed(double x, int stellen);
// Appends the same to s.
void modFixedAn(std::string& s, double x, int stellen);
// atof/atoi of the "C" locale: leading white space, the leading number, else 0.
double modAtof(const char* s);
int modAtoi(const char* s);
