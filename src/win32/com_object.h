#pragma once

// COM objects of our own, and owning references to COM objects.

#include <windows.h>

#include <ole2.h>

#include <atomic>
#include <new>
#include <utility>

namespace zun::win32 {

// An owning reference: released exactly once, moved, never copied.
template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  // Takes over a reference the caller holds (a new object's first one).
  static ComPtr Adopt(T* object) noexcept {
    ComPtr owner;
    owner.object_ = object;
    return owner;
  }
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  T* get() const noexcept { return object_; }
  T* operator->() const noexcept { return object_; }
  T& operator*() const noexcept { return *object_; }
  explicit operator bool() const noexcept { return object_ != nullptr; }
  void reset() noexcept {
    if (T* object = std::exchange(object_, nullptr)) object->Release();
  }

 private:
  T* object_ = nullptr;
};

// IUnknown, written once, for an object of ours that implements
// `Interfaces`: QueryInterface answers IUnknown and each of them, the
// reference count starts at 1 (the creator's, which MakeComObject hands
// over) and the object deletes itself when the last reference goes.
template <class... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(id, IID_IUnknown))
      *object = static_cast<IUnknown*>(static_cast<First*>(this));
    else
      static_cast<void>((Answer<Interfaces>(id, object) || ...));
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~ComObject() = default;

 private:
  template <class First_, class...>
  struct Head {
    using Type = First_;
  };
  using First = typename Head<Interfaces...>::Type;

  template <class Interface>
  bool Answer(REFIID id, void** object) {
    if (!IsEqualIID(id, __uuidof(Interface))) return false;
    *object = static_cast<Interface*>(this);
    return true;
  }

  std::atomic<ULONG> references_{1};
};

// A new object of ours with its first reference; empty when memory runs out.
template <class T, class... Args>
ComPtr<T> MakeComObject(Args&&... args) {
  return ComPtr<T>::Adopt(new (std::nothrow) T(std::forward<Args>(args)...));
}

}  // namespace zun::win32
