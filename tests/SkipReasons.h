#pragma once

// Why a case is skipped where it cannot run, as the case says it and as the
// test kit's runner counts it.
constexpr char kNeedsAdministrator[] =
    "needs administrator rights, for keys under HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT: "
    "start the command prompt as administrator";
