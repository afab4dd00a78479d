// zembrio-dict: turns dictionary sources (UTF-8 text in the repository) into what the runtime reads:
// Windows-1250 text, coded. It is stricter than the runtime's parser, so that a slip in a source fails the
// build with its file and line instead of silently losing an entry.
//
//   zembrio-dict [--seed N] --ldx SOURCE OUTPUT
//       a coded dictionary file, as the runtime looks for beside a project
//   zembrio-dict [--seed N] --cpp OUTPUT [--ldi LANGUAGE SOURCE]... [--app LANGUAGE SOURCE]...
//       C++ source defining the compiled-in resources: each --ldi as resource type "LDI" named by the
//       language in upper case, each --app as an application dictionary (language name and a zero byte
//       in front); the english application dictionary comes first, as the default.
#include "platform/CodePage.h"
#include "shell/CodedBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace zembrio;

struct tFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct tSource {
    std::string language;
    std::string path;
};

std::string readSource(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw tFailure(path + ": cannot read the file");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What is wrong at the start of bytes that did not convert: a character the code page lacks, or bad UTF-8.
std::string describeUnconvertible(std::string_view rest)
{
    const auto b = static_cast<unsigned char>(rest.empty() ? 0 : rest[0]);
    const int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || rest.size() < static_cast<size_t>(extra) + 1)
        return "invalid UTF-8";
    char32_t c = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(rest[k]);
        if ((next & 0xC0) != 0x80)
            return "invalid UTF-8";
        c = (c << 6) | (next & 0x3F);
    }
    char text[80];
    std::snprintf(text, sizeof text, "character U+%04X is not in Windows-1250", static_cast<unsigned>(c));
    return text;
}

std::string_view trimmed(std::string_view line)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    return line;
}

// The source checked and converted to the code page: its section and entry lines, CR LF after each.
std::string convertSource(const std::string& path)
{
    std::string text = readSource(path);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    std::string out;
    bool inSection = false;
    size_t pos = 0;
    for (int lineNumber = 1; pos < text.size(); ++lineNumber) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view raw = std::string_view(text).substr(pos, end - pos);
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        auto fail = [&](const std::string& why) {
            throw tFailure(path + ":" + std::to_string(lineNumber) + ": " + why);
        };

        std::string converted;
        size_t bad = 0;
        if (!utf8ToCodePage(raw, converted, bad))
            fail("column " + std::to_string(bad + 1) + ": " + describeUnconvertible(raw.substr(bad)));
        if (converted.find('\0') != std::string::npos)
            fail("a zero byte would end the dictionary here");
        const std::string_view line = trimmed(converted);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            inSection = true;
        } else if (!inSection) {
            fail("line outside any section: " + std::string(raw));
        } else {
            const size_t equals = line.find('=');
            if (equals == std::string_view::npos)
                fail("entry without \"=\": " + std::string(raw));
            if (trimmed(line.substr(0, equals)).empty())
                fail("entry without a key: " + std::string(raw));
        }
        out += line;
        out += "\r\n";
    }
    return out;
}

void writeOutput(const std::string& path, std::string_view bytes)
{
    // Written whole under another name first, so a failed run never leaves a half output behind.
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.good())
            throw tFailure(path + ": cannot write the file");
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec)
        throw tFailure(path + ": cannot write the file (" + ec.message() + ")");
}

std::string asString(const std::vector<uint8_t>& bytes)
{
    return {bytes.begin(), bytes.end()};
}

std::string upperCase(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return text;
}

void checkLanguageName(const std::string& language)
{
    const bool fine = !language.empty() && std::all_of(language.begin(), language.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
    if (!fine)
        throw tFailure("language name \"" + language + "\": use lower-case letters, digits and \"_\" only");
}

void appendArray(std::string& cpp, const std::string& name, const std::vector<uint8_t>& bytes)
{
    cpp += "const uint8_t " + name + "[] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 20 == 0)
            cpp += "\n   ";
        char hex[8];
        std::snprintf(hex, sizeof hex, " 0x%02x,", bytes[i]);
        cpp += hex;
    }
    cpp += "\n};\n\n";
}

std::string generateCpp(const std::vector<tSource>& projects, std::vector<tSource> apps, std::mt19937& random)
{
    auto seed = [&] { return static_cast<uint8_t>(random() & 0xFF); };
    std::stable_partition(apps.begin(), apps.end(), [](const tSource& s) { return s.language == "english"; });

    std::string cpp = "// Generated by zembrio-dict from the dictionary sources; edit those instead.\n"
                      "#include \"shell/BuiltinResources.h\"\n\n"
                      "namespace zembrio {\n\nnamespace {\n\n";
    std::string resources, blobs;
    for (size_t i = 0; i < projects.size(); ++i) {
        const std::string name = "kProject" + std::to_string(i);
        appendArray(cpp, name, encodeCoded(convertSource(projects[i].path), seed()));
        resources += "    {\"" + upperCase(projects[i].language) + "\", \"LDI\", " + name + "},\n";
    }
    for (size_t i = 0; i < apps.size(); ++i) {
        const std::string name = "kApplication" + std::to_string(i);
        std::string plain = apps[i].language;
        plain += '\0';
        plain += convertSource(apps[i].path);
        appendArray(cpp, name, encodeCoded(plain, seed()));
        blobs += "    " + name + ",\n";
    }
    // Empty arrays are not C++: an empty table is a null pointer with length 0.
    if (!resources.empty())
        cpp += "const tBuiltinResource kResources[] = {\n" + resources + "};\n\n";
    if (!blobs.empty())
        cpp += "const std::span<const uint8_t> kApplicationDictionaries[] = {\n" + blobs + "};\n\n";
    cpp += "} // namespace\n\n";
    cpp += "std::span<const tBuiltinResource> builtinResources()\n{\n    return ";
    cpp += resources.empty() ? "{};\n}\n\n" : "kResources;\n}\n\n";
    cpp += "std::span<const std::span<const uint8_t>> builtinApplicationDictionaries()\n{\n    return ";
    cpp += blobs.empty() ? "{};\n}\n\n" : "kApplicationDictionaries;\n}\n\n";
    cpp += "} // namespace zembrio\n";
    return cpp;
}

int usage()
{
    std::fputs("usage: zembrio-dict [--seed N] --ldx SOURCE OUTPUT\n"
               "       zembrio-dict [--seed N] --cpp OUTPUT [--ldi LANGUAGE SOURCE]... [--app LANGUAGE SOURCE]...\n",
               stderr);
    return 2;
}

int run(const std::vector<std::string>& args)
{
    std::mt19937 random(std::random_device{}());
    size_t i = 0;
    if (i + 1 < args.size() && args[i] == "--seed") {
        random.seed(static_cast<std::mt19937::result_type>(std::stoul(args[i + 1])));
        i += 2;
    }
    if (i + 3 == args.size() && args[i] == "--ldx") {
        const std::string plain = convertSource(args[i + 1]);
        writeOutput(args[i + 2], asString(encodeCoded(plain, static_cast<uint8_t>(random() & 0xFF))));
        return 0;
    }
    if (i + 2 > args.size() || args[i] != "--cpp")
        return usage();
    const std::string output = args[i + 1];
    std::vector<tSource> projects, apps;
    for (i += 2; i < args.size(); i += 3) {
        if (i + 3 > args.size() || (args[i] != "--ldi" && args[i] != "--app"))
            return usage();
        checkLanguageName(args[i + 1]);
        (args[i] == "--ldi" ? projects : apps).push_back({args[i + 1], args[i + 2]});
    }
    writeOutput(output, generateCpp(projects, apps, random));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zembrio-dict: %s\n", e.what());
        return 1;
    }
}
