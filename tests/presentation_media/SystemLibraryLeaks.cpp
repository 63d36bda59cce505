// LeakSanitizer: fontconfig (reached through cairo's font lookup) keeps a
// few allocations from parsing its configuration the first time a font is
// matched. That is the system library's, not ours; nothing else is excused.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
