// The Win32 edge's owners give back exactly what they took: once, and only what was theirs.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/scoped_win.h"

namespace fenok {
namespace {

// An interface that counts the references it is given back.
class CountedUnknown : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};

TEST(ComPtr, ReleasesWhatItHoldsOnceWhenDroppedOrReplaced) {
  CountedUnknown first;
  CountedUnknown second;
  {
    ComPtr<IUnknown> pointer;
    *pointer.put() = &first;
    *pointer.put() = &second;  // taking a new one gives the old one back
    EXPECT_EQ(first.references, 0u);
    EXPECT_EQ(second.references, 1u);
  }
  EXPECT_EQ(second.references, 0u);
}

TEST(ComPtr, AbandonedPointerIsNotReleased) {
  CountedUnknown left;  // what a failed call may leave behind
  {
    ComPtr<IUnknown> pointer;
    *pointer.put() = &left;
    pointer.abandon();
    EXPECT_FALSE(pointer);
  }
  EXPECT_EQ(left.references, 1u);
}

TEST(ComInitialisation, NestedScopesLeaveTheThreadAsTheyFoundIt) {
  {
    ComInitialisation outer;
    ComInitialisation inner;  // S_FALSE: initialised all the same, and undone all the same
    EXPECT_TRUE(outer.initialised());
    EXPECT_TRUE(inner.initialised());
  }
  // Balanced: the thread is uninitialised again, so a fresh initialise is the first one.
  const HRESULT fresh = CoInitialize(nullptr);
  EXPECT_EQ(fresh, S_OK);
  if (SUCCEEDED(fresh)) CoUninitialize();
}

TEST(Selection, PutsThePreviousObjectBack) {
  ScreenDc screen;
  MemoryDc dc(screen.get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
  ASSERT_TRUE(dc.get() != nullptr);
  ASSERT_TRUE(bitmap);
  const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BITMAP);
  {
    Selection selection(dc.get(), bitmap.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), before);
}

TEST(GdiObject, ReleasedHandleOutlivesItsOwner) {
  ScreenDc screen;
  HBITMAP handed = nullptr;
  {
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
    ASSERT_TRUE(bitmap);
    handed = bitmap.release();
    EXPECT_FALSE(bitmap);
  }
  BITMAP info = {};
  EXPECT_NE(GetObjectA(handed, sizeof info, &info), 0);
  DeleteObject(handed);
}

}  // namespace
}  // namespace fenok
