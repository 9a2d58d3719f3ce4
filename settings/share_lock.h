// Sharing flags emulated with open-file-description locks, so that two opens
// through this library see each other's denials the way the host expects.
#pragma once

namespace TeskUtility::detail {

enum ShareBits : unsigned { kShareRead = 1, kShareWrite = 2 };

// Checks that no other open denies our `access` or holds an access that our
// `deny` refuses, then records both on `fd`. Returns 0 or an errno value
// (EBUSY for a sharing violation). A descriptor that cannot hold a read lock
// (write-only) is checked but records nothing.
int AcquireShareLock(int fd, unsigned access, unsigned deny);

}  // namespace TeskUtility::detail
