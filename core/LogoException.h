// Runtime errors that Logo code can see: an error number, the culprit and the place where it arose.
#pragma once

#include "core/ErrorConst.h"
#include "core/LogoObject.h"

#include <exception>
#include <string>
#include <vector>

namespace zembrio {

class eLogoException : public std::exception {
public:
    explicit eLogoException(errorConst number);
    eLogoException(errorConst number, tlogoobject* culprit);
    eLogoException(errorConst number, const std::string& culpritText);
    eLogoException(errorConst number, int32_t first, int32_t second, tlogoobject* culprit);

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

// A stream operation that cannot be done: a container stream written to, a read past its end.
class eStreamError : public std::exception {
public:
    explicit eStreamError(std::string message) : m_message(std::move(message)) {}
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

} // namespace zembrio
