#include "support/TestSupport.h"

int main(int argc, char** argv) {
    // Test discovery runs the binary at build time without the test's environment.
    return natalory::test::RunTestsHeadless(argc, argv);
}
