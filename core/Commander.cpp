#include "core/Commander.h"

#include "core/DictionaryLookup.h"
#include "core/LogoException.h"
#include "platform/MessageDialog.h"

namespace zembrio {

namespace {
constexpr unsigned kErrorStyle = 48; // warning icon, OK button
} // namespace

void tdefaultcommander::Print(const std::string& text)
{
    messageDialog(appTextOr("strings", "print", ""), text, kMbOk);
}

std::string tdefaultcommander::ReadInput()
{
    throw eLogoException(erNoTextInput);
}

tErrorReport describeError(std::exception& error)
{
    const std::string errorCaption = appTextOr("ErrorCaptions", "Error", "Error");
    auto* logoError = dynamic_cast<eLogoException*>(&error);
    if (!logoError)
        return {errorCaption, error.what()};
    Format(*logoError);
    return {Caption(*logoError, errorCaption), FirstLineJoined(*logoError, "\r\n\r\n")};
}

void tdefaultcommander::ReportError(std::exception& error)
{
    const tErrorReport report = describeError(error);
    messageDialog(report.caption, report.text, kErrorStyle);
}

tdefaultcommander& defaultCommander()
{
    static tdefaultcommander commander;
    return commander;
}

} // namespace zembrio
