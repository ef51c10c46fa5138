#pragma once
// COM on the calling thread for as long as the scope lives. A thread that
// already runs COM in the other threading model keeps it; only what this
// scope started is balanced.
#include "win32/WinApi.h"

#include <objbase.h>

namespace qx::win32 {

class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (ok_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

} // namespace qx::win32
