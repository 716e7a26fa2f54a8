#include <gtest/gtest.h>

#include <QApplication>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

// The sanitizers' settings for the test programs, compiled in: CTest's test
// discovery passes a single environment variable intact, not a list. The
// runtimes look these up only in a sanitizer build.
extern "C" {
__attribute__((used)) const char* __asan_default_options() {
    return "detect_leaks=1:abort_on_error=0";
}
__attribute__((used)) const char* __lsan_default_options() {
    return "suppressions=" VTL_LSAN_SUPPRESSIONS ":print_suppressions=0";
}
__attribute__((used)) const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
}

// Widget and painting tests need an application object; CTest runs them on
// the offscreen platform so nothing reaches a real screen.
int main(int argc, char** argv) {
#ifdef _WIN32
    // Plain line ends, so that CTest's test discovery reads the test names as
    // they are (under Wine too).
    ::_setmode(::_fileno(stdout), _O_BINARY);
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
