// Non-local exits: "catch" and "throw", the caught error's record ("error"), and "throwerror".
#include "core/CodeTable.h"
#include "core/DictionaryLookup.h"
#include "core/Evaluator.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/NameCompare.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "runtime/Registration.h"

#include <algorithm>

namespace zembrio {

namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

std::string tagOf(tlogoobject* value)
{
    std::string tag;
    value->AsText(tag);
    return lowerCase(tag);
}

bool isErrorTag(const std::string& tag)
{
    return isSynonymOf(tag, "other", "error");
}

bool isToplevelTag(const std::string& tag)
{
    return sameName(tag, fixedCodes().toplevelWord);
}

// The record "error" reports: the message's lines joined by the line-break character.
void remember(tLastError& record, int32_t number, std::string message, std::string procedure, tValue culprit)
{
    std::string joined;
    for (size_t i = 0; i < message.size(); ++i) {
        if (message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n') {
            joined += gValueSettings.lineBreakChar;
            ++i;
        } else {
            joined += message[i];
        }
    }
    record = {true, number, joined, std::move(procedure), std::move(culprit)};
}

tlogoobject* catchTag(tArgs& a)
{
    tProcessState& ps = a.ps;
    const std::string tag = tagOf(a[0]);
    tValue instructions(a[1]);
    const int32_t height = ps.stack.count();
    ps.catchTags.push_back(tag);
    struct tTagScope {
        tProcessState& ps;
        ~tTagScope() { ps.catchTags.pop_back(); }
    } scope{ps};
    // After a catch, execution goes on with what the interrupted run left cleaned away.
    auto recover = [&] {
        ps.stack.DropTo(height);
        AbandonTailCall(ps);
        ps.stopFlag = 0;
    };
    try {
        RunInstructions(ps, instructions.get());
    } catch (ethrow& thrown) {
        if (thrown.tag != tag)
            throw;
        recover();
    } catch (eLogoException& error) {
        if (!isErrorTag(tag))
            throw;
        Format(error);
        tValue culprit = error.culprit;
        if (!culprit && error.culpritNameCode)
            culprit = makeWord(NameOf(error.culpritNameCode));
        remember(ps.lastError, error.number, error.message,
                 error.primitiveName.empty() ? error.procedureName : error.primitiveName, culprit);
        recover();
    } catch (eTerminateException& stop) {
        if (stop.mode != 1 || !isToplevelTag(tag))
            throw;
        recover();
    } catch (eOutputException&) {
        throw;
    } catch (std::exception& other) {
        if (!isErrorTag(tag))
            throw;
        remember(ps.lastError, 0, other.what(), {}, {});
        recover();
    }
    return nullptr;
}

tlogoobject* throwTag(tArgs& a)
{
    const std::string tag = tagOf(a[0]);
    if (isToplevelTag(tag))
        throw eTerminateException(1);
    const auto& tags = a.ps.catchTags;
    if (std::find(tags.begin(), tags.end(), tag) == tags.end()) {
        std::string text;
        a[0]->AsText(text);
        throw eLogoException(erNoCatch, text);
    }
    throw ethrow(tag);
}

tlogoobject* lastError(tArgs& a)
{
    tLastError& record = a.ps.lastError;
    if (!record.caught)
        return new tLogoList;
    record.caught = false;
    std::string message = record.message;
    std::replace(message.begin(), message.end(), gValueSettings.lineBreakChar, '\r');
    tListBuilder result;
    result.append(tValue(makeInt(record.number)).get());
    result.append(tValue(makeWord(message)).get());
    result.append(tValue(new tLogoList).get());
    result.append(tValue(makeInt(0)).get());
    result.append(record.procedure.empty() ? tValue(new tLogoList).get() : tValue(makeWord(record.procedure)).get());
    result.append(record.culprit ? record.culprit.get() : tValue(new tLogoList).get());
    record = {};
    return handOver(result.take());
}

tlogoobject* throwError(tArgs& a)
{
    throw eLogoException(a[0]->PrintText(), a[1]);
}

} // namespace

void registerCatchThrow(tLogoTab& table)
{
    registerMain(table, "catch", 2, false, catchTag);
    registerMain(table, "throw", 1, false, throwTag);
    registerMain(table, "error", 0, false, lastError);
    registerMain(table, "throwerror", 2, false, throwError);
}

} // namespace zembrio
