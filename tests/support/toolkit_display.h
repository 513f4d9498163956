#pragma once
// The desktop view's toolkit opened in the test program itself, on the view's display (see
// ViewDisplay), for the tests that make its windows and widgets in process.

namespace test_support {

// False where no display can start.
bool OpenToolkitDisplay();

}  // namespace test_support
