// The key probe against the real registry; the candidate walk over it is
// checked end to end.
#include "win32/Services.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/Platform.h"
#include "tests/win/ScratchKey.h"

namespace {

struct Root {
    const char* name;
    HKEY handle;
};

const Root kRoots[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
};

}  // namespace

// A key opens under the root that has it, and no longer once it refuses
// full access, though it is there and can be read.
TEST(KeyProbe, OpensAKeyOnlyUnderTheRootThatHasItWithFullAccess)
{
    SKIP_WITHOUT_ADMINISTRATOR_RIGHTS();
    for (const Root& root : kRoots) {
        const ScratchKey key(root.handle, ScratchKey::UniquePath(root.handle));
        for (const Root& other : kRoots) {
            EXPECT_EQ(other.handle == root.handle, win::KeyOpensWithFullAccess(other.handle, key.Path().c_str()))
                << key.Path() << " made under " << root.name << ", probed under " << other.name;
        }
        EXPECT_FALSE(win::KeyOpensWithFullAccess(root.handle, (key.Path() + "\\Missing").c_str()));

        ASSERT_EQ(ERROR_SUCCESS, key.RefuseFullAccess()) << root.name;
        HKEY opened = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root.handle, key.Path().c_str(), 0, KEY_READ, &opened));
        RegCloseKey(opened);
        ASSERT_EQ(ERROR_ACCESS_DENIED, RegOpenKeyExA(root.handle, key.Path().c_str(), 0, KEY_ALL_ACCESS, &opened))
            << root.name;
        EXPECT_FALSE(win::KeyOpensWithFullAccess(root.handle, key.Path().c_str())) << root.name;
    }
}

TEST(KeyProbe, LeavesNoKeyOpen)
{
    const ScratchKey key(HKEY_CURRENT_USER, ScratchKey::UniquePath(HKEY_CURRENT_USER));
    // The platform counts no handles here, but it hands a freed handle value
    // out again first: with every probed key closed again, a handle made
    // after the probes gets the value of one freed before them.
    const HANDLE before = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(before);
    for (int probe = 0; probe < 20; ++probe)
        ASSERT_TRUE(win::KeyOpensWithFullAccess(HKEY_CURRENT_USER, key.Path().c_str()));
    const HANDLE after = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(after);
    EXPECT_EQ(before, after);
}
