#include "win32/LauncherDlg.h"

#include "core/Geometry.h"
#include "core/InfoPanel.h"
#include "core/Messages.h"
#include "win32/CFileReader.h"
#include "win32/WinApp.h"

namespace {

// The panel's content, with the file closed again whatever happened.
InfoPanelContent ReadPanel(const CString& infoFile)
{
    CFileReader reader;
    return ReadInfoPanel(infoFile, reader);
}

}  // namespace

const MessageMapEntry<DialogHandler> CLauncherDlg::entries[] = {
    {MessageKey::Message(WM_PAINT), &CLauncherDlg::OnPaint},
    {MessageKey::Message(WM_QUERYDRAGICON), &CLauncherDlg::OnQueryDragIcon},
};

const DialogMessageMap CLauncherDlg::messageMap = MakeMessageMap<DialogHandler>(&CDialog::baseMessageMap, CLauncherDlg::entries);

CLauncherDlg::CLauncherDlg(const LaunchSettings& settings, HWND parent)
    : CDialog(IDD, parent), settings_(settings)
{
}

HICON CLauncherDlg::Icon() const
{
    if (!icon_)
        icon_ = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDI_LAUNCHER));
    return icon_;
}

const DialogMessageMap* CLauncherDlg::GetMessageMap() const
{
    return &messageMap;
}

bool CLauncherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const HWND window = Handle();
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon()));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon()));
    SetWindowTextA(window, settings_.caption.GetString());
    // Set even when empty, so that no placeholder of the template shows.
    SetDlgItemTextA(window, IDC_TITLE, settings_.title.GetString());
    SetDlgItemTextA(window, IDC_COPYRIGHT, settings_.copyright.GetString());
    SetDlgItemTextA(window, IDC_TARGET_NAME, settings_.targetName.GetString());
    return FillInfoPanel();
}

bool CLauncherDlg::FillInfoPanel()
{
    InfoPanelContent content = ReadPanel(settings_.infoFile);
    switch (content.outcome) {
    case InfoPanelContent::Outcome::NoFile:
        return true;
    case InfoPanelContent::Outcome::ReadFailed: {
        CFileException error;
        error.cause = content.cause;
        error.ReportError(MB_ICONSTOP);
        return false;
    }
    case InfoPanelContent::Outcome::TooLarge:
        ReportMessage(kOutOfMemoryMessage, MB_ICONSTOP);
        return false;
    case InfoPanelContent::Outcome::Filled:
    case InfoPanelContent::Outcome::OpenFailed:
        break;
    }

    const HWND window = Handle();
    char okLabel[16] = {};
    GetDlgItemTextA(window, IDOK, okLabel, sizeof okLabel);
    if (content.accept)
        SetDlgItemTextA(window, IDOK, kAcceptLabel);
    if (!SetDlgItemTextA(window, IDC_INFO_TEXT, content.text.GetString())) {
        // The panel has no room for the text: the dialog goes on as after
        // a failed read, and no agreement is accepted unseen. The text is
        // given back before the message needs memory of its own.
        SetDlgItemTextA(window, IDC_INFO_TEXT, "");
        SetDlgItemTextA(window, IDOK, okLabel);
        content.text.Empty();
        ReportMessage(kOutOfMemoryMessage, MB_ICONSTOP);
        return false;
    }
    return true;
}

bool CLauncherDlg::OnPaint(CDialog& dialog, WPARAM, LPARAM, LRESULT&)
{
    const HWND window = dialog.Handle();
    // Only the minimised dialog is painted here: its icon, centred.
    if (!IsIconic(window))
        return false;
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    SendMessageA(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(window, &client);
    const Point origin = IconOrigin(client.right - client.left, client.bottom - client.top,
                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(dc, origin.x, origin.y, static_cast<CLauncherDlg&>(dialog).Icon());
    EndPaint(window, &paint);
    return true;
}

bool CLauncherDlg::OnQueryDragIcon(CDialog& dialog, WPARAM, LPARAM, LRESULT& result)
{
    result = reinterpret_cast<LRESULT>(static_cast<CLauncherDlg&>(dialog).Icon());
    return true;
}
