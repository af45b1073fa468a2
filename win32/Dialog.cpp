#include "win32/Dialog.h"

#include <cstdlib>
#include <cstring>

#include "core/Geometry.h"
#include "win32/WinApp.h"

namespace {

// A copy of the template without WS_VISIBLE, so that the dialog is placed
// before it is first seen; to be freed. Null when the template is missing
// or there is no room for the copy.
unsigned char* LoadHiddenTemplate(UINT templateId)
{
    const HINSTANCE instance = ResourceInstance();
    const HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    if (!resource)
        return nullptr;
    const HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(instance, resource);
    if (!data || size < sizeof(DLGTEMPLATE))
        return nullptr;
    auto* bytes = static_cast<unsigned char*>(std::malloc(size));
    if (!bytes)
        return nullptr;
    std::memcpy(bytes, data, size);
    // An extended template begins with version 1 and the signature 0xFFFF
    // and keeps its style at offset 12; a plain one keeps it at offset 0.
    const bool extended = size >= 16 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    const std::size_t styleOffset = extended ? 12 : 0;
    DWORD style;
    std::memcpy(&style, bytes + styleOffset, sizeof style);
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(bytes + styleOffset, &style, sizeof style);
    return bytes;
}

bool IsMultiLineEdit(HWND window)
{
    char className[8] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "Edit") == 0 && (GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE) != 0;
}

// Help topics of dialogs are numbered from here by template.
constexpr DWORD kDialogHelpContextBase = 0x20000;

// Centres a dialog that its initialisation left where it was, unless it
// is a visible or child window or has an enabled owner.
void CentreUnlessPlaced(HWND window, const RECT& before)
{
    RECT after;
    GetWindowRect(window, &after);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const HWND owner = GetWindow(window, GW_OWNER);
    if ((style & (WS_VISIBLE | WS_CHILD)) != 0 || !EqualRect(&before, &after) ||
        (owner && IsWindowEnabled(owner)))
        return;
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const Point origin = CentreInArea(Bounds{area.left, area.top, area.right, area.bottom},
                                      after.right - after.left, after.bottom - after.top);
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

const MessageMapEntry<DialogHandler> CDialog::baseEntries[] = {
    {MessageKey::Message(WM_INITDIALOG), &CDialog::HandleInitDialog},
    {MessageKey::Command(BN_CLICKED, IDOK), &CDialog::HandleOk},
    {MessageKey::Command(BN_CLICKED, IDCANCEL), &CDialog::HandleCancel},
};

const DialogMessageMap CDialog::baseMessageMap = MakeMessageMap<DialogHandler>(nullptr, CDialog::baseEntries);

CDialog::CDialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog()
{
    if (window_)
        DestroyWindow(window_);
}

const DialogMessageMap* CDialog::GetMessageMap() const
{
    return &baseMessageMap;
}

bool CDialog::DoDataExchange(bool)
{
    return true;
}

bool CDialog::OnInitDialog()
{
    if (!DoDataExchange(false))
        EndDialog(-1);
    return true;
}

void CDialog::OnOK()
{
    if (DoDataExchange(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result)
{
    result_ = result;
    ended_ = true;
    // A command sent from another thread or program is handled inside
    // GetMessage, which would then go on waiting: a posted message wakes
    // the loop so that it sees the dialog has ended.
    if (inModalLoop_)
        PostMessageA(window_, WM_NULL, 0, 0);
}

HWND CDialog::CreateHidden()
{
    unsigned char* dialogTemplate = LoadHiddenTemplate(templateId_);
    if (!dialogTemplate)
        return nullptr;

    ended_ = false;
    result_ = -1;
    const HWND window =
        CreateDialogIndirectParamA(ResourceInstance(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate), parent_,
                                   &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    std::free(dialogTemplate);
    return window;
}

void CDialog::DestroyHidden()
{
    if (!window_)
        return;
    DestroyWindow(window_);
    window_ = nullptr;
}

INT_PTR CDialog::DoModal()
{
    const HWND window = CreateHidden();
    if (!window)
        return -1;

    if (!ended_) {
        ShowWindow(window, SW_SHOWNORMAL);
        RunModalLoop();
    }
    // Off the screen before whatever the caller does next.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    DestroyWindow(window);
    window_ = nullptr;
    return result_;
}

void CDialog::RunModalLoop()
{
    CWinApp* app = CWinApp::Current();
    MSG message;
    inModalLoop_ = true;
    while (!ended_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1)
            break;
        if (app)
            app->SetLastMessage(message);
        if (got == 0) {
            // Leave the quit request to whoever runs the next loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            result_ = -1;
            break;
        }
        if (TranslateDialogKey(message) || IsDialogMessageA(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    inModalLoop_ = false;
}

bool CDialog::TranslateDialogKey(const MSG& message)
{
    const bool forThisDialog = message.hwnd == window_ || IsChild(window_, message.hwnd);
    // F1 asks for help on this dialog, unless Shift, Ctrl or Alt is held.
    if (message.message == WM_KEYDOWN && message.wParam == VK_F1 && forThisDialog) {
        if (GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0)
            SendMessageA(window_, WM_COMMAND, MAKEWPARAM(kHelpCommand, 0), 0);
        return true;
    }

    // A multi-line edit keeps Esc for itself; the dialog makes it Cancel
    // there too, as long as Cancel can be pressed.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && message.hwnd != window_ &&
        forThisDialog && IsMultiLineEdit(message.hwnd)) {
        const HWND cancel = GetDlgItem(window_, IDCANCEL);
        if (cancel && IsWindowEnabled(cancel)) {
            SendMessageA(window_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
            return true;
        }
    }
    return false;
}

bool CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const bool command = message == WM_COMMAND;
    const MessageKey received =
        command ? MessageKey::Command(HIWORD(wParam), LOWORD(wParam)) : MessageKey::Message(message);
    if (GetMessageMap()->Dispatch(received,
                                  [&](DialogHandler handler) { return handler(*this, wParam, lParam, result); }))
        return true;
    // Commands the dialog leaves alone go on to the application.
    CWinApp* app = CWinApp::Current();
    return command && app && app->OnCommand(received.id, received.code, CommandSource{window_, HelpContext()});
}

DWORD CDialog::HelpContext() const
{
    return kDialogHelpContextBase + templateId_;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->window_ = window;
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog)
        return FALSE;

    LRESULT result = 0;
    if (!dialog->Dispatch(message, wParam, lParam, result))
        return FALSE;
    switch (message) {
    // These answer through the procedure's own result.
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

bool CDialog::HandleInitDialog(CDialog& dialog, WPARAM, LPARAM, LRESULT& result)
{
    RECT before;
    GetWindowRect(dialog.window_, &before);
    // A failure that cut the initialisation short has been reported; what
    // was left undone, the centring too, stays undone and the dialog goes on.
    if (!dialog.OnInitDialog()) {
        result = FALSE;
        return true;
    }
    result = TRUE;
    CentreUnlessPlaced(dialog.window_, before);
    return true;
}

bool CDialog::HandleOk(CDialog& dialog, WPARAM, LPARAM, LRESULT&)
{
    dialog.OnOK();
    return true;
}

bool CDialog::HandleCancel(CDialog& dialog, WPARAM, LPARAM, LRESULT&)
{
    dialog.OnCancel();
    return true;
}
