// Gives every test program the folders it works with, as environment variables, unless the
// caller set them already: the build's output folder, a folder for pictures the tests write,
// and the source tree.
#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment() {
        setenv("QUENLIS_TEST_OUT", QUENLIS_TEST_OUT, 0);
        setenv("QUENLIS_OUT_DIR", QUENLIS_OUT_DIR, 0);
        setenv("QUENLIS_SOURCE_DIR", QUENLIS_SOURCE_DIR, 0);
    }
} const testEnvironment;

}  // namespace
