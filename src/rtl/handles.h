// Owning wrappers for Win32 handles: one class per handle type, copy deleted, move allowed.
#pragma once

#include <windows.h>

#include <utility>

namespace tv {

// Owns one handle of a kind described by Traits (its type, its invalid value, how it closes).
// get() borrows: the handle stays owned here.
template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset(other.Release());
    }
    return *this;
  }
  ~UniqueHandle() { Close(); }

  bool IsValid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return IsValid(); }
  Type get() const { return handle_; }

  // Closes the handle now; returns what closing reported (true when there was nothing to close).
  bool Close() { return Reset(Traits::Invalid()); }

  // Gives up ownership without closing.
  Type Release() { return std::exchange(handle_, Traits::Invalid()); }

  bool Reset(Type handle) {
    bool closed = true;
    if (IsValid()) {
      closed = Traits::Close(handle_);
    }
    handle_ = handle;
    return closed;
  }

 private:
  Type handle_ = Traits::Invalid();
};

// Process, thread and other kernel handles: invalid is NULL.
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static bool Close(Type h) { return ::CloseHandle(h) != FALSE; }
};
using ScopedHandle = UniqueHandle<KernelHandleTraits>;

// Files from CreateFile: invalid is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Type h) { return ::CloseHandle(h) != FALSE; }
};
using ScopedFile = UniqueHandle<FileHandleTraits>;

// GDI objects (fonts, brushes, bitmaps): invalid is NULL.
template <typename T>
struct GdiObjectTraits {
  using Type = T;
  static Type Invalid() { return nullptr; }
  static bool Close(Type h) { return ::DeleteObject(h) != FALSE; }
};
using ScopedFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using ScopedBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using ScopedBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;

// Icons from CreateIconIndirect / LoadImage without LR_SHARED.
struct IconTraits {
  using Type = HICON;
  static Type Invalid() { return nullptr; }
  static bool Close(Type h) { return ::DestroyIcon(h) != FALSE; }
};
using ScopedIcon = UniqueHandle<IconTraits>;

// Memory device contexts from CreateCompatibleDC.
struct MemoryDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static bool Close(Type h) { return ::DeleteDC(h) != FALSE; }
};
using ScopedMemoryDc = UniqueHandle<MemoryDcTraits>;

// Selects an object into a DC for the scope and puts the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) {
      ::SelectObject(dc_, previous_);
    }
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's DC for the scope (GetDC / ReleaseDC); NULL window means the screen.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  ~ScopedWindowDc() {
    if (dc_ != nullptr) {
      ::ReleaseDC(window_, dc_);
    }
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  ~ScopedPaint() { ::EndPaint(window_, &paint_); }
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace tv
