#pragma once

#include <windows.h>

#include <string>

#include "tests/SkipReasons.h"

// Wine's ntdll exports wine_get_version, Windows' does not.
inline bool RunningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The reason a case gives where its probe shows that this system does not
// do what Windows does, and what the case needs.
inline std::string UnlikeWindows(const std::string& whatThisSystemDoes)
{
    return "this system " + whatThisSystemDoes + ", unlike Windows: the case cannot be decided here";
}

// Whether this program runs with the Administrators group in force: an
// elevated prompt, or an administrator where User Account Control is off.
// Windows lets only such a program make keys under HKEY_LOCAL_MACHINE and
// new keys under HKEY_CLASSES_ROOT.
inline bool HasAdministratorRights()
{
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member))
        member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

// Skips the rest of a case that needs administrator rights where this
// program has none, saying so.
#define SKIP_WITHOUT_ADMINISTRATOR_RIGHTS()                                                                            \
    do {                                                                                                               \
        if (!HasAdministratorRights())                                                                                 \
            GTEST_SKIP() << kNeedsAdministrator;                                                                       \
    } while (false)

// Whether the ANSI code page gives each byte one character, as the cases
// that put bytes above 127 into names assume: in a code page of two-byte
// characters such bytes pair up or are lost on their way to the launcher.
inline bool SingleByteCodePage()
{
    CPINFO info = {};
    return GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
}

inline std::string WithoutSingleByteCodePage()
{
    return "the ANSI code page is " + std::to_string(GetACP()) +
           ", whose characters take more than one byte: the case puts bytes above 127 into names, which only a "
           "single-byte code page (such as 1252) passes on one by one";
}

// Why the cases of names in code page 932 cannot run here.
inline std::string WithoutCodePage932()
{
    return "the ANSI code page is " + std::to_string(GetACP()) +
           ", not 932 as on Japanese Windows (Wine takes it from the locale: the code_page_932 test runs these cases "
           "with WINE_ENV_LANG=ja_JP.UTF-8)";
}
