// Internals of the record expander shared with the dimension lines: the
// component hook call. Nothing outside model/ includes this header.
#pragma once

// Calls the component hook when one is set.
void zerBauteilHaken(int phase, const char* name);
