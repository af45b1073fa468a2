#pragma once

#include <windows.h>

#include <sddl.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Every key a test makes lives below a key of this name: below Software
// under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, at the top of
// HKEY_CLASSES_ROOT. What a killed test left behind can so be removed at
// once (the test kit's runner does so after every program).
constexpr char kScratchKeyName[] = "TolvanTest";

// A registry key made for one test and deleted when the test ends, pass or
// fail, with every parent key that was made for it.
class ScratchKey {
public:
    // Creates root\path and whatever parents of it are missing, in the
    // registry view a program of this width sees, or in the one view asks
    // for (KEY_WOW64_32KEY or KEY_WOW64_64KEY).
    ScratchKey(HKEY root, std::string path, REGSAM view = 0) : root_(root), path_(std::move(path)), view_(view)
    {
        for (std::size_t end = path_.find('\\');; end = path_.find('\\', end + 1)) {
            const std::string prefix = path_.substr(0, end);
            if (!Exists(prefix))
                made_.push_back(prefix);
            if (end == std::string::npos)
                break;
        }
        HKEY key = nullptr;
        const LONG result =
            RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS) {
            DeleteWhatWasMade();
            throw std::runtime_error("cannot create key " + path_ + " (error " + std::to_string(result) + ")");
        }
        RegCloseKey(key);
    }

    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    ~ScratchKey() { DeleteWhatWasMade(); }

    const std::string& Path() const { return path_; }

    // Lets only reading and deleting through: an open that asks for full
    // access is refused from now on. Returns the result of setting it.
    LONG RefuseFullAccess() const
    {
        HKEY key = nullptr;
        LONG result = RegOpenKeyExA(root_, path_.c_str(), 0, WRITE_DAC, &key);
        if (result != ERROR_SUCCESS)
            return result;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        // A protected DACL that allows everyone KEY_READ and DELETE, nothing else.
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KRSD;;;WD)", SDDL_REVISION_1,
                                                                  &descriptor, nullptr)) {
            RegCloseKey(key);
            return static_cast<LONG>(GetLastError());
        }
        result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
        RegCloseKey(key);
        return result;
    }

    // A path for a key of a test's own under root, that no other process
    // and no other call of this one uses. Under HKEY_CURRENT_USER and
    // HKEY_LOCAL_MACHINE it stays out of Software\Classes, so the key is not
    // seen through HKEY_CLASSES_ROOT as well.
    static std::string UniquePath(HKEY root, const std::string& prefix = "Key")
    {
        static std::atomic<int> counter{0};
        return std::string(root == HKEY_CLASSES_ROOT ? "" : "Software\\") + kScratchKeyName + "\\" + prefix + "-" +
               std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    }

private:
    // Deepest first: a key with subkeys cannot be deleted.
    void DeleteWhatWasMade() const
    {
        for (auto key = made_.rbegin(); key != made_.rend(); ++key)
            RegDeleteKeyExA(root_, key->c_str(), view_, 0);
    }

    bool Exists(const std::string& path) const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ | view_, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    HKEY root_;
    std::string path_;
    REGSAM view_;
    std::vector<std::string> made_;
};
