#pragma once

#include <windows.h>

#include "core/MessageMap.h"

class CDialog;

// A dialog message handler: returns true when it took the message, with
// its answer in result.
using DialogHandler = bool (*)(CDialog& dialog, WPARAM wParam, LPARAM lParam, LRESULT& result);
using DialogMessageMap = MessageMap<DialogHandler>;

// A modal dialog built from a template in the program's own resources.
// It holds its window only while the modal run lasts, or between
// CreateHidden and DestroyHidden.
class CDialog {
public:
    CDialog(UINT templateId, HWND parent);
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog();

    // Creates the dialog hidden, initialises and centres it, shows it and
    // runs it until it ends, then destroys it: 1 (IDOK), 2 (IDCANCEL), or
    // -1 when the window cannot be created.
    INT_PTR DoModal();

    // Creates the dialog hidden, initialises and centres it, as the modal
    // run does before it shows it, and leaves it hidden: for drawing it
    // without ever showing it. Null when the window cannot be created.
    HWND CreateHidden();

    // Destroys the window CreateHidden made, without showing it.
    void DestroyHidden();

    HWND Handle() const { return window_; }

    // The help topic of this dialog.
    DWORD HelpContext() const;

    // Ends the modal run with the result.
    void EndDialog(int result);

protected:
    virtual const DialogMessageMap* GetMessageMap() const;

    // Moves data between members and controls; false when it failed.
    virtual bool DoDataExchange(bool saveAndValidate);

    // The standard initialisation: the data exchange into the controls.
    // True has the dialog manager focus the first tab stop and the dialog
    // centred; false says that a failure, already reported, cut the
    // initialisation short, and the dialog is then neither.
    virtual bool OnInitDialog();

    virtual void OnOK();
    virtual void OnCancel();

    static const DialogMessageMap baseMessageMap;

private:
    static const MessageMapEntry<DialogHandler> baseEntries[];

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool HandleInitDialog(CDialog& dialog, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static bool HandleOk(CDialog& dialog, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static bool HandleCancel(CDialog& dialog, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool TranslateDialogKey(const MSG& message);
    void RunModalLoop();

    UINT templateId_;
    HWND parent_;
    HWND window_ = nullptr;
    bool ended_ = false;
    bool inModalLoop_ = false;
    int result_ = -1;
};
