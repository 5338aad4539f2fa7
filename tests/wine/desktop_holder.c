/* Holds the default desktop of the test prefix open for a whole test run.
 *
 * Wine starts the desktop process (explorer.exe) from the first program that
 * asks for the desktop window, and that process keeps the program's standard
 * error open for as long as the desktop lives. Under ctest that is the test's
 * output pipe: a test that happened to start the desktop passed and still
 * "timed out", because ctest waits for the pipe to close. The test scripts
 * start this program first, with its output away from any test, so that the
 * desktop belongs to it and stays up until the wineserver is stopped. */
#include <stdio.h>
#include <windows.h>

int main(void) {
    if (!GetDesktopWindow()) {
        puts("no desktop");
        return 1;
    }
    puts("ready");
    fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
