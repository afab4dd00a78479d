#include "shell/ProjectFiles.h"

#include "core/DictionaryLookup.h"
#include "core/FileStream.h"
#include "core/LogoException.h"
#include "shell/Exe2MemStream.h"
#include "shell/Resources.h"
#include "shell/StartupState.h"

#include <algorithm>
#include <exception>

namespace zembrio {

namespace {

std::string asciiLower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return out;
}

std::string asciiUpper(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return out;
}

std::unique_ptr<tStream> openResource(const std::string& fileName)
{
    const tResourceName res = resourceNameOf(fileName);
    auto bytes = findResource(res.name, res.type);
    if (!bytes)
        throw eLogoException(erFileName, fileName.substr(1));
    decodeResource(*bytes);
    if (!bytes->empty())
        bytes->pop_back(); // the coder's end mark
    return std::make_unique<tMemoryStream>(std::move(*bytes));
}

// The English word always works; the project language's own word for the clipboard too.
bool isClipboardName(const std::string& name)
{
    const std::string lower = asciiLower(name);
    if (lower == "clipboard")
        return true;
    const std::string local = projectTextOr("other", "clipboard", "");
    return !local.empty() && lower == asciiLower(local);
}

std::unique_ptr<tStream> resolve(const std::string& name)
{
    const std::string fileName = fileNamePart(name);
    if (!fileName.empty() && fileName.front() == '*')
        return openResource(fileName);
    if (isClipboardName(name))
        throw eLogoException(erClipboard); // no clipboard project format exists yet
    if (!gStartup.commandLineProjectPath.empty() && name == gStartup.commandLineProjectPath)
        return std::make_unique<tFileStream>(name, tFileMode::read);

    if (gStartup.embedded || gStartup.package || gStartup.containerOpened) {
        if (findContainerEntry(fileName))
            return std::make_unique<tExe2MemStream>(fileName);
        if (auto file = tFileStream::tryOpen(gStartup.projectDirectory + fileName, tFileMode::read))
            return file;
        throw eLogoException(gStartup.embedded ? erNoEmbeddedFileEXE : erNoEmbeddedFilePlugin, fileName);
    }
    if (auto file = tFileStream::tryOpen(gStartup.projectDirectory + fileName, tFileMode::read))
        return file;
    throw eLogoException(erNoEmbeddedFilePlugin, fileName);
}

} // namespace

std::string fileNamePart(std::string_view name)
{
    const size_t slash = name.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? name : name.substr(slash + 1));
}

std::string fileExtension(std::string_view fileName)
{
    const size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

tResourceName resourceNameOf(std::string_view starName)
{
    const std::string defaultType = asciiUpper(kProjectExtension.substr(1));
    if (asciiLower(starName) == "*project.zbp")
        return {"*project", defaultType};
    const std::string_view rest = starName.substr(1);
    const size_t dot = rest.find('.');
    if (dot == std::string_view::npos)
        return {std::string(rest), defaultType};
    return {std::string(rest.substr(0, dot)), asciiUpper(rest.substr(dot + 1))};
}

std::unique_ptr<tStream> openProjectFile(const std::string& name)
{
    try {
        return resolve(name);
    } catch (const eLogoException&) {
        throw;
    } catch (const std::exception&) {
        throw eLogoException(erFileProblem, name);
    }
}

} // namespace zembrio
