// Small owners for COM: interface pointers, BSTR, VARIANT and the thread's COM apartment.
// MinGW-w64 has no COM support library, so these stand in for it. Header-only.
#pragma once

#include <objbase.h>
#include <oleauto.h>

#include <cstring>
#include <string>
#include <string_view>

#include "common/win/wide_text.h"

namespace mb {

// Owns one reference to an interface.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes over a reference the caller already holds.
  static ComPtr Attach(T* raw) {
    ComPtr owner;
    owner.ptr_ = raw;
    return owner;
  }
  // Adds a reference of its own.
  static ComPtr Share(T* raw) {
    if (raw) raw->AddRef();
    return Attach(raw);
  }
  ComPtr(const ComPtr& other) : ptr_(other.ptr_) {
    if (ptr_) ptr_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : ptr_(other.ptr_) { other.ptr_ = nullptr; }
  ComPtr& operator=(ComPtr other) noexcept {
    T* old = ptr_;
    ptr_ = other.ptr_;
    other.ptr_ = old;
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (T* old = ptr_) {
      ptr_ = nullptr;
      old->Release();
    }
  }
  T* Detach() {
    T* raw = ptr_;
    ptr_ = nullptr;
    return raw;
  }
  T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // For out-parameters: releases what is held first.
  T** Out() {
    Reset();
    return &ptr_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }

  template <class U>
  ComPtr<U> As(REFIID iid) const {
    ComPtr<U> other;
    if (ptr_) ptr_->QueryInterface(iid, other.OutVoid());
    return other;
  }

 private:
  T* ptr_ = nullptr;
};

// Owns one BSTR.
class BStr {
 public:
  BStr() = default;
  explicit BStr(std::wstring_view text)
      : bstr_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  static BStr FromGbk(std::string_view gbk) { return BStr(GbkToWide(gbk)); }
  BStr(const BStr&) = delete;
  BStr& operator=(const BStr&) = delete;
  BStr(BStr&& other) noexcept : bstr_(other.bstr_) { other.bstr_ = nullptr; }
  BStr& operator=(BStr&& other) noexcept {
    if (this != &other) {
      Reset();
      bstr_ = other.bstr_;
      other.bstr_ = nullptr;
    }
    return *this;
  }
  ~BStr() { Reset(); }

  void Reset() {
    SysFreeString(bstr_);
    bstr_ = nullptr;
  }
  BSTR Get() const { return bstr_; }
  BSTR* Out() {
    Reset();
    return &bstr_;
  }
  std::wstring_view View() const { return std::wstring_view(bstr_ ? bstr_ : L"", SysStringLen(bstr_)); }
  std::string ToGbk() const { return WideToGbk(View()); }

 private:
  BSTR bstr_ = nullptr;
};

// Owns one VARIANT; cleared on destruction.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  static Variant Bool(bool flag) {
    Variant v;
    v.value_.vt = VT_BOOL;
    v.value_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
  }
  static Variant String(std::wstring_view text) {
    Variant v;
    v.value_.vt = VT_BSTR;
    v.value_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
  }
  // A one-dimensional array of bytes (VT_ARRAY | VT_UI1), sent by COM objects as raw bytes.
  static Variant Bytes(std::string_view bytes) {
    Variant v;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) return v;
    void* data = nullptr;
    if (SUCCEEDED(SafeArrayAccessData(array, &data))) {
      if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
      SafeArrayUnaccessData(array);
    }
    v.value_.vt = VT_ARRAY | VT_UI1;
    v.value_.parray = array;
    return v;
  }
  Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

  // The bytes of a VT_ARRAY | VT_UI1 value; false for any other type.
  bool ReadBytes(std::string& bytes) const {
    bytes.clear();
    if (value_.vt != (VT_ARRAY | VT_UI1) || !value_.parray || SafeArrayGetDim(value_.parray) != 1) return false;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(value_.parray, 1, &low);
    SafeArrayGetUBound(value_.parray, 1, &high);
    if (high < low) return true;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(value_.parray, &data))) return false;
    bytes.assign(static_cast<const char*>(data), static_cast<std::size_t>(high - low + 1));
    SafeArrayUnaccessData(value_.parray);
    return true;
  }

  VARIANT& Get() { return value_; }
  const VARIANT& Get() const { return value_; }
  VARIANT* Out() {
    VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

// COM for the calling thread, in a single-threaded apartment, for the life of this object.
class ComApartment {
 public:
  ComApartment() : result_(CoInitialize(nullptr)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  // False when the thread already had COM in another apartment model.
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace mb
