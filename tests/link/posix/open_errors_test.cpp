// How an error from opening or locking a device is told to the user.

#include <gtest/gtest.h>

#include <cerrno>

#include "link/posix/open_errors.h"

namespace tevral::link {
namespace {

// Root passes every permission check, so the refusals a user meets are
// checked on the mapping itself.
TEST(OpenErrorFromErrno, WhatTheUserIsTold) {
  const struct {
    int error;
    OpenError expected;
  } cases[] = {
      {ENOENT, OpenError::kNotFound},
      {ENODEV, OpenError::kNotFound},
      {ENXIO, OpenError::kNotFound},
      {ENOTDIR, OpenError::kNotFound},
      {EBUSY, OpenError::kBusy},
      {EWOULDBLOCK, OpenError::kBusy},
      {EACCES, OpenError::kPermissionDenied},
      {EPERM, OpenError::kPermissionDenied},
      {EIO, OpenError::kOther},
      {EISDIR, OpenError::kOther},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(posix::OpenErrorFromErrno(c.error), c.expected) << c.error;
  }
}

}  // namespace
}  // namespace tevral::link
