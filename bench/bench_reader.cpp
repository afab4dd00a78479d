// Reader throughput over typical Logo text: every project load reads its whole text this way.
#include "core/LogoValues.h"
#include "core/Reader.h"
#include "core/ValuePools.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace zembrio;

namespace {

// A few procedures of the kind projects carry: control flow, lists, words, numbers, operators, bars.
constexpr const char* kProcedures =
    "to square :size\r\n"
    "  repeat 4 [forward :size right 90]\r\n"
    "end\r\n"
    "\r\n"
    "to spiral :length :angle :step\r\n"
    "  if :length > 200 [stop]\r\n"
    "  forward :length right :angle\r\n"
    "  spiral :length + :step :angle :step\r\n"
    "end\r\n"
    "\r\n"
    "to fact :n\r\n"
    "  if :n <= 1 [output 1]\r\n"
    "  output :n * fact :n - 1\r\n"
    "end\r\n"
    "\r\n"
    "to greet :name\r\n"
    "  make \"text (word \"Hello, | | :name \"!)\r\n"
    "  print :text\r\n"
    "  ask \"turtle1 [setpc [255 128 0] setpensize 3 penup setpos [-120.5 40] pendown]\r\n"
    "end\r\n"
    "\r\n"
    "to scores\r\n"
    "  make \"table [[alice 12.5 true] [bob 7 false] [carol 1e3 true] [dave -3 false]]\r\n"
    "  foreach \"row :table [if last :row [print (sentence first :row \"scored item 2 :row)]]\r\n"
    "  make \"total 0\r\n"
    "  repeat count :table [make \"total :total + item 2 item repcount :table]\r\n"
    "  print :total / count :table\r\n"
    "end\r\n"
    "\r\n"
    "to onclick\r\n"
    "  if and (mousex >= 0) (mousey <> 0) [setheading towards mousepos forward 10]\r\n"
    "  every 100 [setshape 1 + remainder (repcount) 4] \r\n"
    "end\r\n";

std::string typicalText()
{
    std::string text;
    while (text.size() < 64 * 1024)
        text += kProcedures;
    return text;
}

void BM_ReadList(benchmark::State& state)
{
    const bool lineMode = state.range(0) != 0;
    // The reader runs inside a Logo process, where the value pools serve it.
    setLogoProcessThread(true);
    fillValuePools();
    const std::string text = typicalText();
    for (auto _ : state) {
        tRef<tLogoList> list = ReadList(text, lineMode);
        benchmark::DoNotOptimize(list.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    setLogoProcessThread(false);
}
BENCHMARK(BM_ReadList)->Arg(0)->Arg(1)->ArgName("lineMode");

void BM_ParseCheck(benchmark::State& state)
{
    const std::string text = typicalText();
    for (auto _ : state)
        ParseCheck(text);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseCheck);

} // namespace
