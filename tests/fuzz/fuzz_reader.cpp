// Any bytes must read as values or end in a bracket error: never a crash, a hang or a stray read.
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/Reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace zembrio;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (bool lineMode : {false, true}) {
        try {
            tRef<tLogoList> list = ReadList(text, lineMode);
            std::string printed;
            list->PrintForm(true, printed);
        } catch (const eLogoException&) {
        }
    }
    // While a file loads, open lists close at the end instead of failing.
    tLoadingScope loading;
    try {
        ReadList(text, false);
    } catch (const eLogoException&) {
    }
    return 0;
}
