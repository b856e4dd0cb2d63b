#pragma once
// Owners of what the Win32 edge borrows from the system: each is given back once, on every path out.
#include <windows.h>
#include <ole2.h>

namespace fenok {

// A COM interface pointer, released when dropped.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // The out-parameter of a call that hands over a reference; whatever was held is released first.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  void reset() {
    if (pointer_ != nullptr) pointer_->Release();
    pointer_ = nullptr;
  }
  // Forgets without releasing: what a failed call left in its out-parameter is not a reference.
  void abandon() { pointer_ = nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

// A BSTR, freed when dropped; null when it could not be made.
class Bstr {
 public:
  explicit Bstr(BSTR text) : text_(text) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(Bstr&& other) noexcept : text_(other.text_) { other.text_ = nullptr; }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr& operator=(Bstr&&) = delete;

  BSTR get() const { return text_; }
  explicit operator bool() const { return text_ != nullptr; }

 private:
  BSTR text_;
};

// CoInitialize on this thread, undone only when it succeeded (S_FALSE, already initialised, counts
// and needs its CoUninitialize as much as S_OK).
class ComInitialisation {
 public:
  ComInitialisation() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComInitialisation() {
    if (initialised_) CoUninitialize();
  }
  ComInitialisation(const ComInitialisation&) = delete;
  ComInitialisation& operator=(const ComInitialisation&) = delete;

  bool initialised() const { return initialised_; }

 private:
  bool initialised_;
};

// OleInitialize on this thread (COM, and the drag and drop and clipboard that file dialogs use), undone
// only when it succeeded.
class OleInitialisation {
 public:
  OleInitialisation() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleInitialisation() {
    if (initialised_) OleUninitialize();
  }
  OleInitialisation(const OleInitialisation&) = delete;
  OleInitialisation& operator=(const OleInitialisation&) = delete;

 private:
  bool initialised_;
};

// A GDI object (bitmap, brush, font...), deleted when dropped unless handed on with release().
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() {
    if (handle_ != nullptr) DeleteObject(handle_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() {
    Handle handed = handle_;
    handle_ = nullptr;
    return handed;
  }

 private:
  Handle handle_;
};

// An object selected into a device context, the previous one selected back when dropped.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The screen's device context, released when dropped.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A memory device context compatible with another, deleted when dropped.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A block of global memory, freed when dropped unless handed on (to a stream) with release().
class GlobalBlock {
 public:
  explicit GlobalBlock(HGLOBAL block) : block_(block) {}
  ~GlobalBlock() {
    if (block_ != nullptr) GlobalFree(block_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  HGLOBAL get() const { return block_; }
  explicit operator bool() const { return block_ != nullptr; }
  HGLOBAL release() {
    HGLOBAL handed = block_;
    block_ = nullptr;
    return handed;
  }

 private:
  HGLOBAL block_;
};

}  // namespace fenok
