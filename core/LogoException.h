// Runtime errors that Logo code can see: an error number, the culprit and the place where it arose;
// and the control exceptions (output signal, throw, process termination).
#pragma once

#include "core/ErrorConst.h"
#include "core/LogoObject.h"

#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zembrio {

class eLogoException : public std::exception {
public:
    explicit eLogoException(errorConst number);
    eLogoException(errorConst number, tlogoobject* culprit);
    eLogoException(errorConst number, const std::string& culpritText);
    eLogoException(errorConst number, int32_t first, int32_t second, tlogoobject* culprit);
    // erUser with the given message.
    eLogoException(const std::string& message, tlogoobject* culprit);

    // The other constructor forms, named because their argument types coincide.
    static eLogoException withCulpritCode(errorConst number, uint32_t nameCode);
    static eLogoException withPrimitive(errorConst number, uint32_t nameCode);
    static eLogoException withPrimitive(errorConst number, const std::string& name);
    // The message's "%s" markers filled in order; the culprit is a word made of the first argument.
    static eLogoException withFormat(errorConst number, std::initializer_list<std::string_view> args);
    static eLogoException withFormat(errorConst number, tlogoobject* culprit,
                                    std::initializer_list<std::string_view> args);

    const char* what() const noexcept override { return message.c_str(); }

    std::string message;         // dictionary text until formatted, the final text afterwards
    std::string textF;           // #F
    std::string procedureName;   // #P
    tValue owner;                // object whose table holds the procedure
    uint8_t processKind = 0;     // 0 until the process completes the error
    int32_t line = 0;            // #L
    std::string primitiveName;   // #p
    tValue culprit;              // #h, #H, #c
    uint32_t culpritNameCode = 0;
    int32_t firstNumber = 0;     // #a
    int32_t secondNumber = 0;    // #b
    bool formatted = false;
    errorConst number;
    std::vector<int32_t> trail; // element indices, innermost first
};

// The "errors" dictionary text of an error number; each line-break character becomes CR LF.
std::string MessageOf(errorConst number);

void SetPrimitiveIfEmpty(eLogoException& e, uint32_t nameCode);
// Records where a procedure error arose, unless a procedure is recorded already.
void SetPlaceIfEmpty(eLogoException& e, uint32_t nameCode, tlogoobject* owner, int32_t line, uint8_t kind);
void AddTrail(eLogoException& e, int32_t index);
// Fills the placeholders once.
void Format(eLogoException& e);
// The message with its first line end replaced by the separator.
std::string FirstLineJoined(const eLogoException& e, std::string_view separator);
// The caption of an error box for this error (template: the "Error" caption).
std::string Caption(eLogoException& e, const std::string& templateText);
// Placeholder formatting of any text with this error's fillers.
std::string FillPlaceholders(const eLogoException& e, std::string_view text);

// A stream operation that cannot be done: a container stream written to, a read past its end.
class eStreamError : public std::exception {
public:
    explicit eStreamError(std::string message) : m_message(std::move(message)) {}
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// The output signal, when "output" must leave by unwinding: carries the value (counted).
class eOutputException : public std::exception {
public:
    explicit eOutputException(tlogoobject* value);
    const char* what() const noexcept override { return m_message.c_str(); }

    tValue value;
    bool owned = false;

private:
    std::string m_message;
};

// A throw to a catch tag; uncaught it is reported as erNoCatch naming the tag.
class ethrow : public eLogoException {
public:
    explicit ethrow(const std::string& tag);
    std::string tag;
};

// Ends a process. Mode 0: a stop request from outside; mode 1: the process stops itself.
class eTerminateException : public std::exception {
public:
    explicit eTerminateException(uint8_t mode) : mode(mode) {}
    const char* what() const noexcept override { return "terminate"; }
    uint8_t mode;
};

} // namespace zembrio
