// fontconfig and pango keep font caches (some built on pango's own thread) that they never
// free; the leak checker should report only leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libpangoft2-1.0.so\nleak:libpango-1.0.so\nleak:libglib-2.0.so\n";
}
