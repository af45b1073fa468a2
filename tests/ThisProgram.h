#pragma once

#include <windows.h>

#include <string>

// A file in the running test program's directory, where the build puts the
// programs and files the tests use.
inline std::string BesideThisProgram(const std::string& name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path);
    return program.substr(0, program.rfind('\\') + 1) + name;
}
