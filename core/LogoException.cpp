#include "core/LogoException.h"

#include "core/DictionaryLookup.h"
#include "core/NameTable.h"
#include "core/ProcessKind.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"

namespace zembrio {

std::string MessageOf(errorConst number)
{
    const std::string_view id = errorIdentifier(number);
    std::string text;
    // Without a message the identifier still tells which error it is.
    if (!dictionary().appText("errors", id, text))
        return std::string(id);
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == gValueSettings.lineBreakChar)
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

eLogoException::eLogoException(errorConst number_) : message(MessageOf(number_)), number(number_) {}

eLogoException::eLogoException(errorConst number_, tlogoobject* culprit_) : eLogoException(number_)
{
    culprit = culprit_;
}

eLogoException::eLogoException(errorConst number_, const std::string& culpritText) : eLogoException(number_)
{
    culprit = makeWord(culpritText);
}

eLogoException::eLogoException(errorConst number_, int32_t first, int32_t second, tlogoobject* culprit_)
    : eLogoException(number_, culprit_)
{
    firstNumber = first;
    secondNumber = second;
}

eLogoException::eLogoException(const std::string& message_, tlogoobject* culprit_)
    : message(message_), culprit(culprit_), number(erUser)
{
}

eLogoException eLogoException::withCulpritCode(errorConst number, uint32_t nameCode)
{
    eLogoException e(number);
    e.culpritNameCode = nameCode;
    return e;
}

eLogoException eLogoException::withPrimitive(errorConst number, uint32_t nameCode)
{
    eLogoException e(number);
    e.primitiveName = NameOf(nameCode);
    return e;
}

eLogoException eLogoException::withPrimitive(errorConst number, const std::string& name)
{
    eLogoException e(number);
    e.primitiveName = name;
    return e;
}

namespace {

// The message's "%s" markers replaced in order by the arguments; markers beyond the arguments stay.
std::string fillPercentS(const std::string& text, std::initializer_list<std::string_view> args)
{
    std::string out;
    auto arg = args.begin();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && arg != args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

eLogoException eLogoException::withFormat(errorConst number, std::initializer_list<std::string_view> args)
{
    eLogoException e(number);
    e.message = fillPercentS(e.message, args);
    if (args.size() > 0)
        e.culprit = makeWord(*args.begin());
    return e;
}

eLogoException eLogoException::withFormat(errorConst number, tlogoobject* culprit,
                                          std::initializer_list<std::string_view> args)
{
    eLogoException e(number, culprit);
    e.message = fillPercentS(e.message, args);
    return e;
}

void SetPrimitiveIfEmpty(eLogoException& e, uint32_t nameCode)
{
    if (e.primitiveName.empty())
        e.primitiveName = NameOf(nameCode);
}

void SetPlaceIfEmpty(eLogoException& e, uint32_t nameCode, tlogoobject* owner, int32_t line, uint8_t kind)
{
    if (!e.procedureName.empty())
        return;
    if (nameCode != 0) {
        e.owner = owner;
        e.procedureName = NameOf(nameCode);
    }
    e.processKind = kind;
    e.line = line;
}

void AddTrail(eLogoException& e, int32_t index)
{
    e.trail.push_back(index);
}

namespace {

std::string culpritText(const eLogoException& e, bool withBrackets)
{
    if (e.culprit) {
        try {
            std::string out;
            e.culprit->PrintForm(withBrackets, out);
            return out;
        } catch (...) {
            return "????";
        }
    }
    if (e.culpritNameCode != 0)
        return NameOf(e.culpritNameCode);
    return "<nil>";
}

} // namespace

std::string FillPlaceholders(const eLogoException& e, std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 32);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '#' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char selector = text[++i];
        switch (selector) {
        case 'F':
            out += e.textF;
            break;
        case 'H':
            out += culpritText(e, true);
            break;
        case 'h':
        case 'c':
            out += culpritText(e, false);
            break;
        case 'L':
            out += std::to_string(e.line);
            break;
        case 'P': {
            std::string ownerName;
            if (e.owner && e.owner->NameForErrors(ownerName)) {
                out += ownerName;
                out += '\'';
            }
            out += e.procedureName;
            break;
        }
        case 'a':
            out += std::to_string(e.firstNumber);
            break;
        case 'b':
            out += std::to_string(e.secondNumber);
            break;
        case 'p':
            out += e.primitiveName;
            break;
        default:
            out += '#';
            out += selector;
        }
    }
    return out;
}

void Format(eLogoException& e)
{
    if (e.formatted)
        return;
    e.message = FillPlaceholders(e, e.message);
    e.formatted = true;
}

std::string FirstLineJoined(const eLogoException& e, std::string_view separator)
{
    const size_t at = e.message.find("\r\n");
    if (at == std::string::npos)
        return e.message;
    return e.message.substr(0, at) + std::string(separator) + e.message.substr(at + 2);
}

std::string Caption(eLogoException& e, const std::string& templateText)
{
    if (e.processKind == ipNone)
        return FillPlaceholders(e, templateText);
    if (e.processKind == ipProc && e.line < 0)
        return FillPlaceholders(e, appTextOr("ErrorCaptions", "errorinproc", templateText));
    return FillPlaceholders(e, appTextOr("ErrorCaptions", processKindName(e.processKind), templateText));
}

eOutputException::eOutputException(tlogoobject* value_)
    : value(value_), m_message(primaryName("dict", "output"))
{
}

ethrow::ethrow(const std::string& tag_) : eLogoException(erNoCatch, tag_), tag(tag_) {}

} // namespace zembrio
