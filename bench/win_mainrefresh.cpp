// Refresh Lists in the real main window over a fake system of 2,000
// processes (every fourth with a window), and how responsive the window
// stays meanwhile: a second thread pings the window every few milliseconds
// while refreshes are queued, and the longest wait for an answer is the
// longest stretch in which the window handled no message. For comparison,
// the time to put the same 2,000 rows into a plain (non-virtual) list view.
// Run under Wine:
//   xvfb-run -a bash -c 'source scripts/wine-env.sh; qx_wine_prefix; wine build/mingw/bench_win_mainrefresh.exe [processes]'
#include "BenchTiming.h"
#include "fake/cFakePlatform.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/fQXMain.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using qx::bench::NowMs;
using qx::bench::Print;

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

double PlainListFill(HWND parent, const qx::cListViewModel& rows) {
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 400, 300, parent,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int c = 0; c < 2; ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_WIDTH;
        col.cx = 150;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    const double start = NowMs();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < rows.Count(); ++i) {
        const qx::cListItem& row = *rows.Item(static_cast<std::int16_t>(i + 1));
        std::wstring text = qx::win32::Widen(row.text), path = qx::win32::Widen(row.subItem);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = path.data();
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    UpdateWindow(list);
    const double ms = NowMs() - start;
    DestroyWindow(list);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    qx::fake::cFakePlatform fake("C:\\Quellix");
    fake.facts.version = {148, 5, 1, 2600, qx::kVerPlatformWin32Nt, ""};
    fake.os.SetSelfPid(GetCurrentProcessId());
    for (int i = 0; i < count; ++i) {
        qx::fake::FakeProcessSetup p;
        p.exePath = "C:\\Program Files\\Vendor " + std::to_string(i % 50) + "\\tool" + std::to_string(i) + ".exe";
        const std::uint32_t pid = fake.os.AddProcess(p);
        if (i % 4 == 0) {
            qx::fake::FakeWindowSetup w;
            w.pid = pid;
            w.title = "Document " + std::to_string(i) + " - Tool";
            fake.os.AddWindow(w);
        }
    }

    qx::win32::fQXMain window(fake.platform, "C:\\Quellix");
    if (!window.Create() || !window.Load("", SW_SHOWNORMAL)) {
        std::printf("the main window did not start\n");
        return 1;
    }
    Pump();
    const auto& inv = window.Session().Inventory();
    std::printf("processes %d: Applications rows %d, Processes rows %d\n", count, inv.lvApplications().Count(),
                inv.lvProcesses().Count());

    // Refresh alone, with the repaint of the visible list.
    std::vector<double> refresh;
    for (int round = 0; round < 10; ++round) {
        const double start = NowMs();
        window.Execute(qx::eCommand::Refresh);
        UpdateWindow(window.Hwnd());
        RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        refresh.push_back(NowMs() - start);
        Pump();
    }
    Print("Refresh Lists + repaint (virtual lists)", refresh);

    // Responsiveness: refreshes queued as menu clicks while another thread pings.
    HWND hwnd = window.Hwnd();
    std::atomic<bool> stop{false}, finished{false};
    std::vector<double> waits;
    std::thread pinger([&] {
        while (!stop) {
            const double start = NowMs();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            waits.push_back(NowMs() - start);
            Sleep(2);
        }
        finished = true;
    });
    const UINT refreshId = 3000 + static_cast<UINT>(qx::eCommand::Refresh);
    const double began = NowMs();
    for (int i = 0; i < 10; ++i) PostMessageW(hwnd, WM_COMMAND, refreshId, 0);
    while (NowMs() - began < 3000) {
        Pump();
        Sleep(1);
    }
    stop = true;
    while (!finished) { // the last ping needs this thread to answer it
        Pump();
        Sleep(1);
    }
    pinger.join();
    Print("ping answered during 10 queued refreshes", waits);

    std::vector<double> plain;
    for (int round = 0; round < 3; ++round) plain.push_back(PlainListFill(hwnd, inv.lvProcesses()));
    Print("plain list view filled with the Processes rows", plain);

    window.Close();
    return 0;
}
