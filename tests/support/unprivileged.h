#pragma once
// Tests of what a user may not write mean something only where permissions bind, and they do
// not bind the superuser. Such tests live in suites whose names end in "AsUser" and skip when
// run as root; `./run test` runs those suites once more as an unprivileged user, so that they
// are tried wherever the tests run.

#include <gtest/gtest.h>
#include <unistd.h>

namespace test_support {

inline bool PermissionsBind() {
    return ::geteuid() != 0;
}

}  // namespace test_support

#define TAVREL_SKIP_UNLESS_PERMISSIONS_BIND()                                               \
    if (!test_support::PermissionsBind())                                                   \
    GTEST_SKIP() << "permissions do not bind the superuser; ./run test runs this suite as " \
                    "an unprivileged user"
