#pragma once
// Owns one reference to a COM interface and releases it at scope end.
#include "win32/WinApi.h"

#include <unknwn.h>

namespace qx::win32 {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For the out parameter of CoCreateInstance and QueryInterface; drops the old reference first.
    void** PutVoid() {
        Reset();
        return reinterpret_cast<void**>(&p_);
    }
    void Reset() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

} // namespace qx::win32
