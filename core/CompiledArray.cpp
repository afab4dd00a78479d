#include "core/CompiledArray.h"

#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/NameCompare.h"
#include "core/ValuePools.h"

#include <memory>

namespace zembrio {

namespace {

// Set at each language load, under the interpreter lock.
std::string gUsualPrefix = "usual'";
std::string gMainClassName = "main";
const std::string kInternalUsualPrefix = "\xB7param\xB7usual'";

bool startsWithName(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && compareNames(text.substr(0, prefix.size()), prefix) == 0;
}

bool isConstantItem(tlogoobject* item)
{
    // Booleans are constants too: "if true [...]" must not look for a procedure named true.
    return !item->IsWord() || item->IsNumber() || item->IsBool();
}

class tCompiler {
public:
    explicit tCompiler(tCompiledArray* array) : m_array(array) {}

    void addItem(tlogoobject* item)
    {
        if (isConstantItem(item)) {
            addConstant(item);
            return;
        }
        std::string text;
        item->AsText(text);
        if (!text.empty() && text[0] == '"') {
            tlogoobject* word = makeLongLivedWord(std::string_view(text).substr(1));
            addConstant(word);
            return;
        }
        if (!text.empty() && text[0] == ':') {
            add(etVariable, Intern(std::string_view(text).substr(1)));
            return;
        }
        classifyName(text);
    }

    void addEnd() { add(etEnd, 0); }

    void addConstant(tlogoobject* value)
    {
        addRef(value);
        m_array->elements.push_back({etConst, flagFor(), 0, value});
    }

private:
    void classifyName(std::string_view text)
    {
        if (text.size() == 1) {
            switch (text[0]) {
            case '(':
                add(etLpar, 0);
                return;
            case ')':
                add(etRpar, 0);
                return;
            case '*':
            case '/':
                add(etMulOp, Intern(text));
                return;
            case '+':
            case '-':
                add(etAddOp, Intern(text));
                return;
            case '<':
            case '=':
            case '>':
                add(etRelOp, Intern(text));
                return;
            default:
                add(etUnknownOp, Intern(text));
                return;
            }
        }
        if (text.size() == 2) {
            add(text == "<=" || text == ">=" || text == "<>" ? etRelOp : etUnknownOp, Intern(text));
            return;
        }
        if (startsWithName(text, gUsualPrefix) || startsWithName(text, kInternalUsualPrefix)) {
            const size_t prefixLength = startsWithName(text, gUsualPrefix) ? gUsualPrefix.size()
                                                                           : kInternalUsualPrefix.size();
            add(etUsualPrefix, 0);
            add(etUnknownOp, Intern(text.substr(prefixLength)));
            return;
        }
        for (size_t apostrophe; (apostrophe = text.find('\'')) != std::string_view::npos;) {
            const std::string_view object = text.substr(0, apostrophe);
            add(etObjectPrefixFun, Intern(object.empty() ? std::string_view(gMainClassName) : object));
            text.remove_prefix(apostrophe + 1);
        }
        add(etUnknownOp, Intern(text));
    }

    bool flagFor() const
    {
        if (m_array->elements.empty())
            return false;
        const tElement& prev = m_array->elements.back();
        if (prev.kind == etLpar)
            return true;
        return prev.afterParen && (prev.kind == etObjectPrefixFun || prev.kind == etUsualPrefix);
    }

    void add(uint8_t kind, tNameCode code) { m_array->elements.push_back({kind, flagFor(), code, nullptr}); }

    tCompiledArray* m_array;
};

// Regroups a case table: each item of a run followed by a list gives the pair (item list); a list alone
// gives the one-item default pair.
tRef<tLogoList> regroupCaseTable(tLogoList* list)
{
    tListBuilder pairs;
    std::vector<tlogoobject*> run;
    for (tLogoList* c = list; c && c->first(); c = c->rest()) {
        tlogoobject* item = c->first();
        if (!item->IsList()) {
            run.push_back(item);
            continue;
        }
        if (run.empty()) {
            tListBuilder pair;
            pair.append(item);
            pairs.append(pair.take().get());
        }
        for (tlogoobject* key : run) {
            tListBuilder pair;
            pair.append(key);
            pair.append(item);
            pairs.append(pair.take().get());
        }
        run.clear();
    }
    if (!run.empty())
        throw eLogoException(erBadStructure, list);
    return pairs.take();
}

} // namespace

tCompiledArray::~tCompiledArray()
{
    for (tElement& e : elements)
        release(e.value);
}

void setCompilerWords(std::string usualPrefix, std::string mainClassName)
{
    gUsualPrefix = std::move(usualPrefix);
    gMainClassName = std::move(mainClassName);
}

tCompiledArray* compileListItems(tLogoList* list, uint8_t mode)
{
    auto array = std::make_unique<tCompiledArray>();
    array->mode = mode;
    tCompiler compiler(array.get());
    if (mode == kCompileCaseTable) {
        tRef<tLogoList> table = regroupCaseTable(list);
        compiler.addConstant(table.get());
    } else {
        for (tLogoList* c = list; c && c->first(); c = c->rest()) {
            tlogoobject* item = c->first();
            auto* line = mode == kCompileBody ? valueCast<tLogoList>(item) : nullptr;
            if (!line) {
                compiler.addItem(item);
                continue;
            }
            for (tLogoList* l = line; l && l->first(); l = l->rest())
                compiler.addItem(l->first());
        }
    }
    compiler.addEnd();
    return array.release();
}

int32_t elementCountOf(tlogoobject* item)
{
    if (isConstantItem(item))
        return 1;
    std::string text;
    item->AsText(text);
    if (text.size() <= 2 || text[0] == '"' || text[0] == ':')
        return 1;
    if (startsWithName(text, gUsualPrefix) || startsWithName(text, kInternalUsualPrefix))
        return 2;
    int32_t n = 1;
    for (char c : text)
        n += c == '\'';
    return n;
}

} // namespace zembrio
