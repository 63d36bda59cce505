#include "common/PackageCheck.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>

#include "common/TestEnv.h"

namespace testenv {

std::string shellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

CommandResult runCommand(const std::string& shellCommand)
{
    CommandResult result;
    std::string command = shellCommand + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

CommandResult validatePackage(const std::filesystem::path& package)
{
    return runCommand(shellQuote(std::string(ORVEL_SHARED_DIR) + "/ooxml/validate") + " " + shellQuote(package.string()));
}

CommandResult validatePpt(const std::filesystem::path& file)
{
    // Under ctest each file checked here is kept for the one run of Apache POI
    // that reads them all when the tests are done (tests/binary).
    if (const char* kept = std::getenv("ORVEL_PPT_FILES")) {
        static std::atomic<int> count;
        std::error_code ignored;
        std::filesystem::copy_file(file, std::filesystem::path(kept) / (std::to_string(::getpid()) + "-" +
                                   std::to_string(++count) + "-" + file.filename().string()), ignored);
    }
    return runCommand(shellQuote(std::string(ORVEL_SHARED_DIR) + "/ppt/validate") + " " + shellQuote(file.string()));
}

namespace {

const std::filesystem::path& libreOfficeProfile()
{
    static const TempDir profile;
    return profile.path();
}

}  // namespace

std::vector<std::filesystem::path> convertWithLibreOffice(const std::vector<std::filesystem::path>& documents,
                                                          const std::string& format,
                                                          const std::filesystem::path& outDir)
{
    std::filesystem::create_directories(outDir);
    std::string command = "soffice -env:UserInstallation=file://" + libreOfficeProfile().string() +
                          " --headless --convert-to " + shellQuote(format) + " --outdir " +
                          shellQuote(outDir.string());
    for (const auto& document : documents) command += " " + shellQuote(document.string());
    CommandResult r = runCommand(command);
    const std::string extension = "." + format.substr(0, format.find(':'));
    std::vector<std::filesystem::path> converted;
    for (const auto& document : documents) {
        auto file = outDir / document.filename().replace_extension(extension);
        converted.push_back(r.status == 0 && std::filesystem::exists(file) ? file : std::filesystem::path());
    }
    return converted;
}

std::filesystem::path convertToPdf(const std::filesystem::path& document, const std::filesystem::path& outDir)
{
    return convertWithLibreOffice({document}, "pdf", outDir).front();
}

std::string pdfWordBoxes(const std::filesystem::path& pdf)
{
    return runCommand("pdftotext -bbox " + shellQuote(pdf.string()) + " -").output;
}

std::string pdfText(const std::filesystem::path& pdf, int page)
{
    std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return runCommand("pdftotext -layout" + range + " " + shellQuote(pdf.string()) + " -").output;
}

int pdfPageCount(const std::filesystem::path& pdf)
{
    std::string info = runCommand("pdfinfo " + shellQuote(pdf.string())).output;
    std::smatch m;
    if (std::regex_search(info, m, std::regex(R"(Pages:\s+(\d+))"))) return std::stoi(m[1]);
    return 0;
}

}  // namespace testenv
