#include "support/TestSupport.h"

int main(int argc, char** argv) {
    return natalory::test::RunTestsHeadless(argc, argv);
}
