// fontconfig and pango keep font caches (some built on pango's own thread) that they never
// free, and hand results between threads with glib's futex locks, which the race checker
// cannot see; the checkers should report only faults of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libpangoft2-1.0.so\nleak:libpango-1.0.so\nleak:libglib-2.0.so\n";
}

extern "C" const char* __tsan_default_suppressions() {
    return "race:libfontconfig.so\nrace:libpangoft2-1.0.so\nrace:libpango-1.0.so\nrace:libglib-2.0.so\n";
}
