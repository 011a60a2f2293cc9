// How a refused CreateFile on a COM port is told to the user.

#include "link/win32/open_errors.h"

#include "link/win32/windows_api.h"

#include <gtest/gtest.h>

namespace tevral::link {
namespace {

TEST(OpenErrorFromWin32, WhatTheUserIsTold) {
  const struct {
    uint32_t error;
    OpenError expected;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, OpenError::kNotFound}, {ERROR_ACCESS_DENIED, OpenError::kBusy},
      {ERROR_INVALID_NAME, OpenError::kOther},  // the empty name: \\.\ alone
      {ERROR_PATH_NOT_FOUND, OpenError::kOther},    {ERROR_GEN_FAILURE, OpenError::kOther},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(win32::OpenErrorFromWin32(c.error), c.expected) << c.error;
  }
}

}  // namespace
}  // namespace tevral::link
