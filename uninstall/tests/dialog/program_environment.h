#pragma once

// COM, GDI+ and the program's tables, set up as the program does before any window.
// A test program registers it once:
//   const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include "toolkit/resource_tables.h"

class ProgramEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    LoadStringTable();
    LoadSkinTable();
    LoadStyleTable();
  }

 private:
  ULONG_PTR token_ = 0;
};
