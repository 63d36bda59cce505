// LeakSanitizer: fontconfig, reached through the PowerPoint stand-in's text
// layout, loses a few hundred bytes parsing its own configuration the first
// time a font is matched. That is the system library's, not ours; nothing
// else is excused.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
