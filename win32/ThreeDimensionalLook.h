#pragma once

#include <windows.h>

// Before system version 4, restyles the program's dialogs and message
// boxes three-dimensionally when the system's 3-D control code is there;
// later systems draw them that way themselves. Failure is silent.
void EnableThreeDimensionalLook(HINSTANCE instance);
