// docProps/core.xml and docProps/app.xml: who made the document and when,
// and the application's summary of it.
#pragma once

#include <ctime>
#include <string>

namespace word {

std::string corePropertiesXml(std::time_t created);

struct DocumentStatistics {
    long long pages = 1;
    long long words = 0;
    long long characters = 0;            // without spaces
    long long charactersWithSpaces = 0;
    long long paragraphs = 0;
};
std::string appPropertiesXml(const DocumentStatistics& statistics);

}  // namespace word
