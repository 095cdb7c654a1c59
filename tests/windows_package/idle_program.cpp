// A program that only waits until it is ended: copied as EXCEL.EXE, it is an
// Excel running in the test's session.
#include <windows.h>

int main() {
    ::Sleep(INFINITE);
    return 0;
}
