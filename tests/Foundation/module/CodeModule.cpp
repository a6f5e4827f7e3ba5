// A loadable module that the bundle tests copy into bundle layouts and load, to find the
// bundle that holds a module's code.
extern "C" int foundationTestModuleSymbol() { return 7; }
