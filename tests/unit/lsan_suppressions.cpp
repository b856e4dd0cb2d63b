// Leaks the leak checker is not to report: the x265 encoder, with which the picture tests make their
// HEIC files, keeps a block of its own until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libx265\n"; }
