#include "win32/LauncherDlg.h"

#include <new>

#include "core/Geometry.h"
#include "core/InfoPanel.h"
#include "win32/CFileReader.h"
#include "win32/WinApp.h"

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

BOOL CLauncherDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const HWND window = Handle();
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon()));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon()));
    SetWindowTextA(window, settings_.caption.c_str());
    // Set even when empty, so that no placeholder of the template shows.
    SetDlgItemTextA(window, IDC_TITLE, settings_.title.c_str());
    SetDlgItemTextA(window, IDC_COPYRIGHT, settings_.copyright.c_str());
    SetDlgItemTextA(window, IDC_TARGET_NAME, settings_.targetName.c_str());
    FillInfoPanel();
    return TRUE;
}

void CLauncherDlg::FillInfoPanel()
{
    // A failed read or close, or a text too large to hold, leaves from
    // here; the file closes on the way.
    CFileReader reader;
    const InfoPanelContent content = ReadInfoPanel(settings_.infoFile, reader);
    if (!content.filled)
        return;
    const HWND window = Handle();
    char okLabel[16] = {};
    GetDlgItemTextA(window, IDOK, okLabel, sizeof okLabel);
    if (content.accept)
        SetDlgItemTextA(window, IDOK, kAcceptLabel);
    if (!SetDlgItemTextA(window, IDC_INFO_TEXT, content.text.c_str())) {
        // The panel has no room for the text: the dialog goes on as after
        // a failed read, and no agreement is accepted unseen.
        SetDlgItemTextA(window, IDC_INFO_TEXT, "");
        SetDlgItemTextA(window, IDOK, okLabel);
        throw std::bad_alloc();
    }
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
