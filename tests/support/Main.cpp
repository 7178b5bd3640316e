// main() of the test programs that need no entry of their own (a static library's object: a program that
// defines main itself never pulls this one in).
#include "support/TestMain.h"

int main(int argc, char** argv)
{
    return testsupport::RunAllTests(argc, argv);
}
