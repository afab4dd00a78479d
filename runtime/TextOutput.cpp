// Printing: every primitive builds one text and writes it to the main object's output stream.
#include "core/LogoValues.h"
#include "runtime/MainObj.h"
#include "runtime/Registration.h"

namespace zembrio {

namespace {

constexpr const char* kLineBreak = "\r\n";

void write(const std::string& text)
{
    if (tMainLogoObject* main = mainObject())
        main->write(text);
}

// Inputs' print forms, lists with or without their outer brackets, separated as asked.
std::string joined(tArgs& args, bool brackets, const char* separator)
{
    std::string text;
    for (int32_t i = 0; i < args.count(); ++i) {
        if (i)
            text += separator;
        args[i]->PrintForm(brackets, text);
    }
    return text;
}

tlogoobject* print(tArgs& args)
{
    write(joined(args, false, " ") + kLineBreak);
    return nullptr;
}

tlogoobject* type(tArgs& args)
{
    write(joined(args, false, ""));
    return nullptr;
}

tlogoobject* show(tArgs& args)
{
    write(joined(args, true, " ") + kLineBreak);
    return nullptr;
}

// Every input on its own line; a list puts each of its items on its own line.
tlogoobject* printline(tArgs& args)
{
    std::string text;
    for (int32_t i = 0; i < args.count(); ++i) {
        auto* list = valueCast<tLogoList>(args[i]);
        if (!list) {
            args[i]->PrintForm(false, text);
            text += kLineBreak;
            continue;
        }
        for (tLogoList* c = list; c && c->first(); c = c->rest()) {
            c->first()->PrintForm(false, text);
            text += kLineBreak;
        }
    }
    write(text);
    return nullptr;
}

} // namespace

void registerTextOutput(tLogoTab& table)
{
    registerMain(table, "type", 1, true, type, etIfFun);
    registerMain(table, "print", 1, true, print, etIfFun);
    registerMain(table, "printline", 1, true, printline, etIfFun);
    registerMain(table, "show", 1, true, show, etIfFun);
}

} // namespace zembrio
