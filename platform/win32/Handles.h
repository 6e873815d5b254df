// Owning wrappers of the Win32 handles and COM interfaces the platform layer
// opens: each closes or releases what it holds when destroyed.
#pragma once

#include "platform/win32/WindowsSupport.h"

#include <utility>

namespace platform::win32 {

// A kernel object handle from CreateFileA; INVALID_HANDLE_VALUE when none.
class FileHandle {
public:
  FileHandle() = default;
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(FileHandle&& other) noexcept : h_(std::exchange(other.h_, INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      h_ = std::exchange(other.h_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  // Closes now; false when CloseHandle failed (or nothing was open).
  bool Close() {
    if (!Valid())
      return false;
    return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE;
  }

private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

// A directory search from FindFirstFileA, closed with FindClose.
class FindHandle {
public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  ~FindHandle() {
    if (Valid())
      FindClose(h_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }

private:
  HANDLE h_;
};

// A module loaded with LoadLibraryExA (LoadSystemDll), freed with FreeLibrary.
class Module {
public:
  Module() = default;
  explicit Module(HMODULE h) : h_(h) {}
  ~Module() {
    if (h_)
      FreeLibrary(h_);
  }
  Module(Module&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  Module& operator=(Module&& other) noexcept {
    std::swap(h_, other.h_);
    return *this;
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  HMODULE Get() const { return h_; }

private:
  HMODULE h_ = nullptr;
};

// One reference to a COM interface, released when destroyed.
template <typename T> class ComPtr {
public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // The address to receive a new reference (the old one is released first).
  void** Receive() {
    Reset();
    return reinterpret_cast<void**>(&p_);
  }
  void Reset() {
    if (p_)
      std::exchange(p_, nullptr)->Release();
  }

private:
  T* p_ = nullptr;
};

} // namespace platform::win32
