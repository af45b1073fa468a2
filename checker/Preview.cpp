#include "checker/Preview.h"

#include <windows.h>

#include "win32/LauncherDlg.h"

namespace {

// A 24-bit device-independent bitmap to draw into, rows from the top.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_)
            previous_ = SelectObject(dc_, bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas()
    {
        if (bitmap_) {
            SelectObject(dc_, previous_);
            DeleteObject(bitmap_);
        }
        if (dc_)
            DeleteDC(dc_);
    }

    bool Ready() const { return dc_ && bitmap_ && bits_; }
    HDC Dc() const { return dc_; }

    std::string Pixels() const
    {
        GdiFlush();
        const std::size_t rowBytes = static_cast<std::size_t>(width_) * 3;
        const std::size_t stride = (rowBytes + 3) & ~static_cast<std::size_t>(3);
        std::string pixels;
        pixels.reserve(rowBytes * static_cast<std::size_t>(height_));
        const char* bits = static_cast<const char*>(bits_);
        for (int y = 0; y < height_; ++y)
            pixels.append(bits + static_cast<std::size_t>(y) * stride, rowBytes);
        return pixels;
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

// Where a window's rectangle lies in the dialog's image.
RECT InImage(HWND dialog, const RECT& screen)
{
    RECT frame;
    GetWindowRect(dialog, &frame);
    RECT rect = screen;
    OffsetRect(&rect, -frame.left, -frame.top);
    return rect;
}

POINT ClientOriginInImage(HWND dialog, HWND window)
{
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT frame;
    GetWindowRect(dialog, &frame);
    return POINT{origin.x - frame.left, origin.y - frame.top};
}

// A window paints its own client area, the background and then the rest,
// as for WM_PRINT with PRF_ERASEBKGND and PRF_CLIENT. It paints into a
// bitmap of its own, whose origin is its client origin, as controls expect
// of the device contexts they are given; the bitmap is then copied into
// place.
void PrintClient(HWND dialog, HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    const HDC own = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (own && bitmap) {
        const HGDIOBJ previous = SelectObject(own, bitmap);
        SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(own), 0);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own), PRF_CLIENT);
        const POINT origin = ClientOriginInImage(dialog, window);
        BitBlt(dc, origin.x, origin.y, client.right, client.bottom, own, 0, 0, SRCCOPY);
        SelectObject(own, previous);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (own)
        DeleteDC(own);
}

// The dialog's frame and caption bar in the classic style, around the
// client area where the window manager puts it.
void DrawDialogFrame(HWND dialog, HDC dc)
{
    RECT frame;
    GetWindowRect(dialog, &frame);
    RECT whole = InImage(dialog, frame);
    FillRect(dc, &whole, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT);

    const POINT client = ClientOriginInImage(dialog, dialog);
    RECT caption = {client.x, whole.top + (client.x - whole.left), whole.right - (client.x - whole.left), client.y - 1};
    DrawCaption(dialog, dc, &caption, DC_ACTIVE | DC_TEXT | DC_ICON | DC_GRADIENT);
    const int height = caption.bottom - caption.top;
    RECT close = {caption.right - height - 2 + 2, caption.top + 2, caption.right - 2, caption.bottom - 2};
    DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

// A control's border and vertical scroll bar, which lie outside its client
// area.
void DrawControlFrame(HWND dialog, HWND control, HDC dc)
{
    RECT screen;
    GetWindowRect(control, &screen);
    RECT rect = InImage(dialog, screen);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(control, GWL_EXSTYLE);
    if (exStyle & WS_EX_CLIENTEDGE)
        DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
    else if (style & WS_BORDER)
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));

    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof bar;
    if (!(style & WS_VSCROLL) || !GetScrollBarInfo(control, OBJID_VSCROLL, &bar) ||
        (bar.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        return;
    const RECT track = InImage(dialog, bar.rcScrollBar);
    const bool inactive = (bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
    FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    const int arrow = bar.dxyLineButton;
    RECT up = {track.left, track.top, track.right, track.top + arrow};
    RECT down = {track.left, track.bottom - arrow, track.right, track.bottom};
    const UINT state = inactive ? DFCS_INACTIVE : 0;
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | state);
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | state);
    if (!inactive && bar.xyThumbBottom > bar.xyThumbTop) {
        RECT thumb = {track.left, track.top + bar.xyThumbTop, track.right, track.top + bar.xyThumbBottom};
        FillRect(dc, &thumb, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

// The whole dialog as it would be on the screen. WM_PRINT would do it where
// the platform prints frames and child windows; Wine prints neither, so the
// frames are drawn here and every window prints its own client area.
void Draw(HWND dialog, HDC dc)
{
    DrawDialogFrame(dialog, dc);
    PrintClient(dialog, dialog, dc);
    // From the bottom of the z-order up, as the window manager paints.
    for (HWND child = GetWindow(GetWindow(dialog, GW_CHILD), GW_HWNDLAST); child;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        DrawControlFrame(dialog, child, dc);
        PrintClient(dialog, child, dc);
    }
}

}  // namespace

DialogImage DrawDialog(const LaunchSettings& settings)
{
    DialogImage image;
    CLauncherDlg dialog(settings);
    const HWND window = dialog.CreateHidden();
    if (!window) {
        image.error = "the dialog cannot be created (error " + std::to_string(GetLastError()) + ")";
        return image;
    }
    RECT frame;
    GetWindowRect(window, &frame);
    image.width = frame.right - frame.left;
    image.height = frame.bottom - frame.top;
    Canvas canvas(image.width, image.height);
    if (!canvas.Ready()) {
        image.error = "no bitmap of " + std::to_string(image.width) + " by " + std::to_string(image.height) +
                      " pixels can be made";
    } else {
        // The window is hidden, so it is drawn into the bitmap rather than
        // copied from the screen.
        Draw(window, canvas.Dc());
        image.pixels = canvas.Pixels();
    }
    dialog.DestroyHidden();
    return image;
}
