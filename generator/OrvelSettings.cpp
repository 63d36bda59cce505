#include "generator/OrvelSettings.h"

#include <charconv>
#include <list>

#include "registry/RegEntry.h"
#include "registry/RegisterDynamic.h"
#include "registry/RegisterIt.h"
#include "support/SysFile.h"

namespace {

constexpr unsigned defaultClosePauseMs = 1000;
constexpr unsigned longestClosePauseMs = 60000;

KestString cached(RegisterCache& cache, const char* group, const char* name)
{
    return cache.read(KestString(group), KestString(name), RegEntry(KestString("")));
}

}  // namespace

KestString OrvelSettings::installDir(RegisterCache& cache)
{
    return cached(cache, "Settings", "InstallDir");
}

KestString OrvelSettings::templateName(RegisterCache& cache)
{
    return cached(cache, "PowerPoint", "PptTemplateName");
}

KestString OrvelSettings::templatePath(const KestString& templateName)
{
    if (templateName.isEmpty()) return KestString();
    if (!SysFile::getDir(templateName).isEmpty()) return templateName;
    KestString dir = RegisterDynamic().read(KestString("Settings"), KestString("InstallDir"),
                                            RegEntry(KestString("")), false);
    KestString name("Templates\\");
    name.append(templateName);
    return SysFile::appendToDir(dir, name);
}

KestString OrvelSettings::logName(RegisterCache& cache)
{
    return cached(cache, "Log", "LogName");
}

unsigned OrvelSettings::closePauseMs(RegisterCache& cache)
{
    KestString text = cached(cache, "PowerPoint", "ClosePauseMs");
    unsigned value = 0;
    const char* begin = text.data();
    const char* end = begin + text.length();
    auto [stop, error] = std::from_chars(begin, end, value);
    if (text.isEmpty() || error != std::errc() || stop != end) return defaultClosePauseMs;
    return value < longestClosePauseMs ? value : longestClosePauseMs;
}

int OrvelSettings::overrideType(short valueType)
{
    switch (valueType) {
    case 1:
        return RegEntry::Text;
    case 2:
        return RegEntry::Number;
    case 3:
        return RegEntry::Flag;
    default:
        return RegEntry::Text;  // the client gave no type the library knows: keep it as text
    }
}

KestString OrvelSettings::wordBackEnd()
{
    std::list<RegDoc> docs;
    if (!RegisterIt::readDocs(docs)) return KestString();
    for (const RegDoc& doc : docs)
        if (doc.name == KestString("Microsoft Word")) return doc.classId;
    return KestString();
}
