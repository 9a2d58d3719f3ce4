// fontconfig keeps its pattern cache for the life of the process, in blocks the
// leak checker cannot trace back to a root; the text-measuring tests load it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
