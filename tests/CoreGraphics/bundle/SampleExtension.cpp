// The smallest module that is laid out as an extension bundle.
extern "C" int vzSampleExtensionEntry() { return 1; }
