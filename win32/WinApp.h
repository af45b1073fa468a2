#pragma once

#include <windows.h>

#include "core/MessageMap.h"
#include "core/Paths.h"

class CWinApp;

// Where a command that reached the application came from.
struct CommandSource {
    HWND window;       // the window that passed it on
    DWORD helpContext; // that window's help topic
};

// An application command handler: returns true when it took the command.
using AppHandler = bool (*)(CWinApp& app, const CommandSource& source);
using AppMessageMap = MessageMap<AppHandler>;

// The command that asks for help on the active window.
constexpr UINT kHelpCommand = 0xE146;

// The first thing each of our programs does, before any call that may load
// a library: keeps the DLLs it loads to the system directory, and has the
// platform show none of its own critical-error or missing-disk boxes for
// this process or the ones it starts.
void PrepareProcess();

// The module whose resources the program uses: the application's, or the
// running executable's when there is no application object.
HINSTANCE ResourceInstance();

// Shows a message box as the application does, also where there is no
// application object (the caption is then the executable's name).
void ReportMessage(const char* text, UINT type);

// Where ReportMessage hands its text instead of showing a box: for a
// program that must never wait for a user. Null, the default, shows it.
using MessageSink = void (*)(const char* text, UINT type);
void SetMessageSink(MessageSink sink);

// The application object: one per program, constructed during static
// initialisation. Run() is the whole life of the process after that.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The one application object, or null when the program has none.
    static CWinApp* Current();

    // Prepares the process, fixes the names, runs StartUp and returns the
    // process exit code.
    int Run(HINSTANCE instance);

    HINSTANCE Instance() const { return instance_; }

    // The executable's file name without directory and extension.
    const char* AppName() const { return appName_; }

    // The message box: the text, the application name as caption, an OK
    // button, and the exclamation icon unless the type names another.
    void ShowMessage(const char* text, UINT type = MB_OK) const;

    // Every message loop of the program reports here the message it took,
    // so that the exit code is the word parameter of the last one.
    void SetLastMessage(const MSG& message) { lastMessage_ = message; }

    // Offers a command that no window took to the application's message
    // map; false when the application does not take it either.
    bool OnCommand(UINT id, UINT code, const CommandSource& source);

protected:
    virtual const AppMessageMap* GetMessageMap() const;

    // Opens the help file at the source window's topic.
    static bool OnHelp(CWinApp& app, const CommandSource& source);

    // The program's whole work, after which the program ends. No
    // application message loop follows, so its result is not read: the
    // launcher's 0 says that it wants none.
    virtual int StartUp();

    // The exit code.
    virtual int ExitInstance();

    static const AppMessageMap baseMessageMap;

private:
    HINSTANCE instance_ = nullptr;
    char appName_[kPathBufferSize] = {};
    char helpFilePath_[kHelpPathBufferSize] = {};  // the executable's path with the extension ".HLP"
    MSG lastMessage_ = {};
};
