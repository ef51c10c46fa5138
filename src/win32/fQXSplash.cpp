#include "win32/fQXSplash.h"

#include "win32/WideText.h"
#include "win32/modProgramVersion.h"
#include "win32/modWindowDpi.h"

namespace qx::win32 {

namespace {

constexpr const wchar_t* kClassName = L"QuellixSplash";
constexpr COLORREF kBand = RGB(28, 58, 110);
constexpr COLORREF kBandText = RGB(255, 255, 255);
constexpr COLORREF kPaper = RGB(250, 250, 250);
constexpr COLORREF kText = RGB(60, 60, 60);
// Not in <windows.h> for older targets.
constexpr UINT kWmDpiChanged = 0x02E0;

bool RegisterOnce(WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, kClassName, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514) /* IDC_APPSTARTING */);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

HFONT MakeFont(int pointSize, int weight, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(pointSize, dpi, 72);
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(font.lfFaceName, L"MS Shell Dlg 2");
    return CreateFontIndirectW(&font);
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    const ScopedBrush brush(CreateSolidBrush(colour));
    if (brush) FillRect(dc, &r, brush.get());
}

} // namespace

bool fQXSplash::Show() {
    if (window_ != nullptr) return true;
    if (!RegisterOnce(&WindowProc)) return false;
    ProgramVersion info;
    ReadProgramVersion(info);
    product_ = Widen(info.productName);
    version_ = info.version.empty() ? std::wstring() : L"Version " + Widen(info.version);

    // Created hidden first: only a window can say at which DPI it is shown.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, product_.c_str(), WS_POPUP | WS_BORDER, 0, 0,
                              kWidth, kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) return false;
    PlaceAtDpi(DpiOfWindow(window_));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    // Let whatever else waits (the shell's own painting, our first paint) run.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // not ours to take
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void fQXSplash::Close() {
    if (window_ == nullptr) return;
    HWND window = window_;
    window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    titleFont_.reset();
    textFont_.reset();
}

void fQXSplash::MakeFonts(int dpi) {
    dpi_ = dpi;
    titleFont_.reset(MakeFont(26, FW_BOLD, dpi));
    textFont_.reset(MakeFont(9, FW_NORMAL, dpi));
}

void fQXSplash::PlaceAtDpi(int dpi) {
    MakeFonts(dpi);
    const int width = ScaleToDpi(kWidth, dpi), height = ScaleToDpi(kHeight, dpi);
    // In the middle of the work area of the monitor that holds the window.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor)) area = monitor.rcWork;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void fQXSplash::Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc == nullptr) return;
    const int dpi = dpi_;
    RECT client{};
    GetClientRect(window, &client);
    RECT band = client;
    band.bottom = band.top + ScaleToDpi(96, dpi);
    FillSolid(dc, band, kBand);
    RECT paper = client;
    paper.top = band.bottom;
    FillSolid(dc, paper, kPaper);

    SetBkMode(dc, TRANSPARENT);
    const int margin = ScaleToDpi(24, dpi);
    HGDIOBJ old = SelectObject(dc, titleFont_.get());
    SetTextColor(dc, kBandText);
    RECT title = band;
    title.left += margin;
    DrawTextW(dc, product_.c_str(), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);

    SelectObject(dc, textFont_.get());
    SetTextColor(dc, kText);
    RECT line = paper;
    line.left += margin;
    line.right -= margin;
    line.top += ScaleToDpi(16, dpi);
    DrawTextW(dc, version_.c_str(), -1, &line, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
    line.top += ScaleToDpi(24, dpi);
    DrawTextW(dc, L"Loading\u2026", -1, &line, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

LRESULT CALLBACK fQXSplash::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<fQXSplash*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr) {
            switch (message) {
            case WM_PAINT:
                self->Paint(window);
                return 0;
            case WM_ERASEBKGND:
                return 1; // WM_PAINT covers every pixel
            case kWmDpiChanged: {
                // The system's suggested rectangle keeps the box under the same spot.
                self->MakeFonts(HIWORD(wParam));
                const auto* r = reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
                InvalidateRect(window, nullptr, TRUE);
                return 0;
            }
            default:
                break;
            }
        }
    } catch (...) {
        // Nothing may leave a window procedure; the splash is only decoration.
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace qx::win32
