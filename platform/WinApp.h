#pragma once

#include <windows.h>

#include <string>

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

    // Sets the error mode, fixes the names, runs StartUp and returns the
    // process exit code.
    int Run(HINSTANCE instance);

    HINSTANCE Instance() const { return instance_; }

    // The executable's file name without directory and extension.
    const std::string& AppName() const { return appName_; }

    // The executable's path with the extension ".HLP".
    const std::string& HelpFilePath() const { return helpFilePath_; }

    // The message box: the text, the application name as caption, an OK
    // button, and the exclamation icon unless the type names another.
    void ShowMessage(const std::string& text, UINT type = MB_OK) const;

    // Every message loop of the program reports here the message it took,
    // so that the exit code is the word parameter of the last one.
    void SetLastMessage(const MSG& message) { lastMessage_ = message; }

protected:
    // The program's work; its result 0 ends the program.
    virtual int StartUp();

    // The exit code.
    virtual int ExitInstance();

private:
    HINSTANCE instance_ = nullptr;
    std::string appName_;
    std::string helpFilePath_;
    MSG lastMessage_ = {};
};
