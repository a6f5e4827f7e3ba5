#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests fork; "threadsafe" re-executes the binary, which keeps the worker pool sane.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}

// Kept beside main so that every test binary links them. fontconfig and pango keep font
// caches (some built on pango's own thread) that they never free, and hand results between
// threads with glib's futex locks, which the race checker cannot see; SDL, X11 and D-Bus keep
// their connection state until exit, and the TLS library its one-time set-up. The checkers
// should report only faults of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libpangoft2-1.0.so\nleak:libpango-1.0.so\nleak:libglib-2.0.so\nleak:libdbus-1.so\nleak:libSDL2-2.0.so\nleak:libX11.so\nleak:libcrypto.so\n";
}

extern "C" const char* __tsan_default_suppressions() {
    return "race:libfontconfig.so\nrace:libpangoft2-1.0.so\nrace:libpango-1.0.so\nrace:libglib-2.0.so\n";
}
