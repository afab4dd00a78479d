// The word operations of the string, integer, real and boolean tables: a word is a sequence of single-byte
// characters, and the names that select, copy and search list items do the same with its characters. A
// number or boolean used as a word is its printed form. Results are new text words.
#include "core/ListPrimitives.h"

#include "core/LogoException.h"
#include "core/LogoRandom.h"
#include "core/LogoValues.h"
#include "core/ValueConvert.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "core/ValueTables.h"

#include <algorithm>
#include <vector>

namespace zembrio {

namespace {

std::string textOf(tlogoobject* v)
{
    std::string text;
    v->AsText(text); // erExpectWord for a list or an object
    return text;
}

// first, last, butfirst, butlast and pick of the empty word.
tlogoobject* emptyWordResult(tlogoobject* r)
{
    if (gValueSettings.strictness < 2)
        return makeWord("");
    throw eLogoException(erEmptyWord, r);
}

tlogoobject* count(tlogoobject* r, tArgs&)
{
    return makeInt(static_cast<int32_t>(tWordText(r).view().size()));
}

tlogoobject* first(tlogoobject* r, tArgs&)
{
    const tWordText text(r);
    return text.view().empty() ? emptyWordResult(r) : makeWord(text.view().substr(0, 1));
}

tlogoobject* last(tlogoobject* r, tArgs&)
{
    const tWordText text(r);
    return text.view().empty() ? emptyWordResult(r) : makeWord(text.view().substr(text.view().size() - 1));
}

tlogoobject* butFirst(tlogoobject* r, tArgs&)
{
    const tWordText text(r);
    return text.view().empty() ? emptyWordResult(r) : makeWord(text.view().substr(1));
}

tlogoobject* butLast(tlogoobject* r, tArgs&)
{
    const tWordText text(r);
    return text.view().empty() ? emptyWordResult(r) : makeWord(text.view().substr(0, text.view().size() - 1));
}

tlogoobject* pick(tlogoobject* r, tArgs&)
{
    const tWordText text(r);
    if (text.view().empty())
        return emptyWordResult(r);
    const auto at = static_cast<size_t>(randomRange(0, static_cast<int32_t>(text.view().size()) - 1));
    return makeWord(text.view().substr(at, 1));
}

// A uniform random order of the characters.
tlogoobject* shuffle(tlogoobject* r, tArgs&)
{
    std::string text = textOf(r);
    for (size_t k = text.size(); k > 1; --k)
        std::swap(text[k - 1], text[static_cast<size_t>(randomRange(0, static_cast<int32_t>(k) - 1))]);
    return makeWord(text);
}

tlogoobject* reverse(tlogoobject* r, tArgs&)
{
    std::string text = textOf(r);
    std::reverse(text.begin(), text.end());
    return makeWord(text);
}

// The text of x, which must be a word (numbers and booleans are words).
std::string wordInput(tlogoobject* x)
{
    if (!x->IsWord())
        throw eLogoException(erExpectWord, x);
    return textOf(x);
}

tlogoobject* fput(tlogoobject* r, tArgs& a)
{
    return makeWord(wordInput(a[0]) + textOf(r));
}

tlogoobject* lput(tlogoobject* r, tArgs& a)
{
    return makeWord(textOf(r) + wordInput(a[0]));
}

tlogoobject* character(tlogoobject* r, tArgs&)
{
    return makeWord(std::string(1, static_cast<char>(r->AsIntegerInRange(0, 255))));
}

tlogoobject* ascii(tlogoobject* r, tArgs&)
{
    const std::string text = textOf(r);
    if (text.empty())
        throw eLogoException(erEmptyWord, r);
    return makeInt(static_cast<unsigned char>(text[0]));
}

// --- selection by position ---

// Appends n characters from start on (a start below 1 shortens n by what lies before the first).
void appendRange(std::string& out, const std::string& text, tLogoList* selector)
{
    const auto [start, n] = selectionRange(selector);
    const auto size = static_cast<int64_t>(text.size());
    if (n <= 0 || start > size)
        return;
    out.append(text, static_cast<size_t>(start - 1), static_cast<size_t>(std::min(n, size - start + 1)));
}

tlogoobject* item(tlogoobject* r, tArgs& a)
{
    const std::string text = textOf(r);
    const auto size = static_cast<int32_t>(text.size());
    tlogoobject* index = a[0];
    if (auto* selectors = valueCast<tLogoList>(index)) {
        std::string out;
        if (selectors->IsEmpty())
            return makeWord(out);
        if (selectors->first()->IsWord()) {
            appendRange(out, text, selectors); // the whole list is one (start, n) selection
            return makeWord(out);
        }
        for (tLogoList* c = selectors; c && c->first(); c = c->rest()) {
            tlogoobject* selector = c->first();
            if (auto* range = valueCast<tLogoList>(selector)) {
                appendRange(out, text, range);
            } else if (selector->IsNumber()) {
                const int32_t k = selector->AsInteger();
                if (k >= 1 && k <= size)
                    out += text[static_cast<size_t>(k - 1)];
                else if (gValueSettings.strictness > 0)
                    throw eLogoException(erBadValue, selector);
            } else {
                throw eLogoException(erBadStructure, selectors);
            }
        }
        return makeWord(out);
    }
    if (!index->IsNumber() && !index->IsAnyWord())
        throw eLogoException(erMinMax, 1, size, index);
    const int32_t k = index->AsInteger();
    if (k >= 1 && k <= size)
        return makeWord(std::string_view(text).substr(static_cast<size_t>(k - 1), 1));
    if (gValueSettings.strictness == 0)
        return makeWord("");
    if (text.empty())
        throw eLogoException(erEmptyWord, r);
    throw eLogoException(erMinMax, 1, size, index);
}

// Removes n characters from position b (1-based), as much of them as the text has.
void eraseSpan(std::string& text, int64_t b, int64_t n)
{
    const auto size = static_cast<int64_t>(text.size());
    if (b < 1 || n <= 0 || b > size)
        return;
    text.erase(static_cast<size_t>(b - 1), static_cast<size_t>(std::min(n, size - b + 1)));
}

// A (b, n) selection's two numbers.
void readRange(tLogoList* selector, int64_t& b, int64_t& n)
{
    if (selector->count() != 2)
        throw eLogoException(erExpectList2, selector);
    b = selector->first()->AsInteger();
    n = selector->rest()->first()->AsInteger();
}

tlogoobject* butItem(tlogoobject* r, tArgs& a)
{
    std::string text = textOf(r);
    tlogoobject* selector = a[0];
    if (auto* range = valueCast<tLogoList>(selector)) {
        int64_t b = 0, n = 0;
        readRange(range, b, n);
        if (b <= 0) {
            n += b - 1; // the part before the first character counts against n
            b = 1;
        }
        eraseSpan(text, b, n);
    } else if (selector->IsNumber() || selector->IsAnyWord()) {
        eraseSpan(text, selector->AsIntegerInRange(1, INT32_MAX), 1);
    } else {
        throw eLogoException(erExpectNumber, selector);
    }
    return makeWord(text);
}

// The new text goes where the removed characters were: at the front for a position below 1, at the end
// for one beyond it.
tlogoobject* replace(tlogoobject* r, tArgs& a)
{
    std::string text = textOf(r);
    int64_t b = 0, n = 1;
    if (auto* range = valueCast<tLogoList>(a[0]))
        readRange(range, b, n);
    else
        b = a[0]->AsInteger();
    const std::string value = textOf(a[1]);
    eraseSpan(text, b, n);
    const auto at = static_cast<size_t>(std::min<int64_t>(std::max<int64_t>(b, 1) - 1, text.size()));
    text.insert(at, value);
    return makeWord(text);
}

// --- searching, ignoring case ---

// Where the text of x first occurs in w from position `from`, ignoring case; npos when it does not. An
// empty x never occurs: otherwise it would be found everywhere and removing it would never end.
size_t findIgnoringCase(const std::string& upperText, const std::string& upperX, size_t from = 0)
{
    if (upperX.empty())
        return std::string::npos;
    return upperText.find(upperX, from);
}

struct tSearch {
    std::string text;  // the word
    std::string upper; // the word upper-cased
    std::string x;     // what is looked for, upper-cased
    tSearch(tlogoobject* r, tlogoobject* sought)
        : text(textOf(r)), upper(upperCaseText(text)), x(upperCaseText(textOf(sought)))
    {
    }
};

tlogoobject* isMember(tlogoobject* r, tArgs& a)
{
    const tSearch s(r, a[0]);
    return makeBool(findIgnoringCase(s.upper, s.x) != std::string::npos);
}

tlogoobject* member(tlogoobject* r, tArgs& a)
{
    const tSearch s(r, a[0]);
    const size_t at = findIgnoringCase(s.upper, s.x);
    return makeInt(at == std::string::npos ? 0 : static_cast<int32_t>(at) + 1);
}

tlogoobject* butMember(tlogoobject* r, tArgs& a)
{
    const tSearch s(r, a[0]);
    std::string out;
    size_t from = 0;
    for (size_t at; (at = findIgnoringCase(s.upper, s.x, from)) != std::string::npos; from = at + s.x.size())
        out.append(s.text, from, at - from);
    out.append(s.text, from);
    return makeWord(out);
}

tlogoobject* fromMember(tlogoobject* r, tArgs& a)
{
    const tSearch s(r, a[0]);
    const size_t at = findIgnoringCase(s.upper, s.x);
    return makeWord(at == std::string::npos ? std::string() : s.text.substr(at));
}

// --- not ---

tlogoobject* notWord(tlogoobject* r, tArgs&)
{
    return makeBool(!r->AsBool()); // erNotBool when the word is neither true nor false nor a number
}

tlogoobject* notInteger(tlogoobject* r, tArgs&)
{
    throw eLogoException(erNotBool, r);
}

tlogoobject* notBoolean(tlogoobject* r, tArgs&)
{
    return makeBool(!static_cast<tLogoBool*>(r)->value());
}

void registerWordOperations(tLogoTab& t)
{
    registerValueProc(t, "count", 0, count);
    registerValueProc(t, "first", 0, first);
    registerValueProc(t, "butfirst", 0, butFirst);
    registerValueProc(t, "last", 0, last);
    registerValueProc(t, "butlast", 0, butLast);
    registerValueProc(t, "shuffle", 0, shuffle);
    registerValueProc(t, "pick", 0, pick);
    registerValueProc(t, "reverse", 0, reverse);
    registerValueProc(t, "fput", 1, fput);
    registerValueProc(t, "lput", 1, lput);
    registerValueProc(t, "ascii", 0, ascii);
    registerValueProc(t, "char", 0, character);
    registerValueProc(t, "item", 1, item);
    registerValueProc(t, "butmember", 1, butMember);
    registerValueProc(t, "frommember", 1, fromMember);
    registerValueProc(t, "member?", 1, isMember);
    registerValueProc(t, "member", 1, member);
    registerValueProc(t, "butitem", 1, butItem);
    registerValueProc(t, "replace", 2, replace);
}

} // namespace

std::string upperCaseText(std::string_view text)
{
    std::string out(text);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        unsigned char u = c;
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            u = c - 0x20;
        else if (c >= 0x9A && c <= 0x9F && c != 0x9B)
            u = c - 0x10; // š ś ť ž ź
        else if (c == 0xB3) // ł
            u = 0xA3;
        else if (c == 0xB9) // ą
            u = 0xA5;
        else if (c == 0xBA) // ş
            u = 0xAA;
        else if (c == 0xBE) // ľ
            u = 0xBC;
        else if (c == 0xBF) // ż
            u = 0xAF;
        ch = static_cast<char>(u);
    }
    return out;
}

void registerWordPrimitives(tValueTables& tables)
{
    for (tLogoTab* table : {&tables.string, &tables.integer, &tables.real, &tables.boolean})
        registerWordOperations(*table);
    // The real table has no not; an integer has no boolean reading here, although AsBool gives it one.
    registerValueProc(tables.string, "not", 0, notWord);
    registerValueProc(tables.integer, "not", 0, notInteger);
    registerValueProc(tables.boolean, "not", 0, notBoolean);
}

} // namespace zembrio
