// The list table: selection, copies with changes, searches, sorting, and the evaluation of expressions
// embedded in a list (the arithmetic is in ListArithmetic.cpp). A result shares cells with its input only
// where that is cheap and safe: butfirst and frommember give a tail, fput puts one cell in front, and a
// list too short to change comes back as it is.
#include "core/ListPrimitives.h"

#include "core/Evaluator.h"
#include "core/LogoException.h"
#include "core/LogoRandom.h"
#include "core/LogoValues.h"
#include "core/ProcessState.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "core/ValueTables.h"

#include <algorithm>
#include <vector>

namespace zembrio {

namespace {

// The receiver of a list-table primitive is always a list: the dispatch went through its table.
tLogoList* asList(tlogoobject* v)
{
    return static_cast<tLogoList*>(v);
}

bool lenient()
{
    return gValueSettings.strictness == 0;
}

// Gives a list we hold to the caller as a fresh value (the descriptor counts it).
tlogoobject* handOverList(tRef<tLogoList> list)
{
    tLogoList* p = list.leak();
    dropWithoutFree(p);
    return p;
}

template <class Range>
tlogoobject* freshListOf(const Range& items)
{
    tListBuilder out;
    for (tlogoobject* item : items)
        out.append(item);
    return freshList(out);
}

// What first, last, butfirst, butlast and pick give for an empty list.
tlogoobject* emptyListResult(tLogoList* list)
{
    if (lenient())
        return new tLogoList;
    throw eLogoException(erEmptyList, list);
}

// --- selection ---

tlogoobject* first(tlogoobject* r, tArgs&)
{
    tLogoList* list = asList(r);
    return list->IsEmpty() ? emptyListResult(list) : list->first();
}

tlogoobject* butFirst(tlogoobject* r, tArgs&)
{
    tLogoList* list = asList(r);
    if (list->IsEmpty())
        return emptyListResult(list);
    return list->rest() ? static_cast<tlogoobject*>(list->rest()) : new tLogoList;
}

tlogoobject* last(tlogoobject* r, tArgs&)
{
    tLogoList* list = asList(r);
    if (list->IsEmpty())
        return emptyListResult(list);
    tLogoList* c = list;
    while (c->rest())
        c = c->rest();
    return c->first();
}

tlogoobject* butLast(tlogoobject* r, tArgs&)
{
    tLogoList* list = asList(r);
    if (list->IsEmpty())
        return emptyListResult(list);
    tListBuilder out;
    for (tLogoList* c = list; c->rest(); c = c->rest())
        out.append(c->first());
    return freshList(out);
}

tlogoobject* count(tlogoobject* r, tArgs&)
{
    return makeInt(asList(r)->count());
}

tlogoobject* pick(tlogoobject* r, tArgs&)
{
    tLogoList* list = asList(r);
    if (list->IsEmpty())
        return emptyListResult(list);
    int32_t k = randomRange(0, list->count() - 1);
    tLogoList* c = list;
    while (k-- > 0)
        c = c->rest();
    return c->first();
}

// The item a numeric index selects; nullptr when it selects nothing and that is no error (strictness 0).
tlogoobject* indexedItem(tLogoList* list, tlogoobject* index)
{
    const int32_t k = index->AsInteger();
    if (k >= 1) {
        int32_t i = 1;
        for (tLogoList* c = list; c && c->first(); c = c->rest(), ++i)
            if (i == k)
                return c->first();
    }
    if (lenient())
        return nullptr;
    if (list->IsEmpty())
        throw eLogoException(erEmptyList, list);
    throw eLogoException(erMinMax, 1, list->count(), index);
}

// Appends the items a (start, n) selection selects: n items from start on, up to the end.
void appendRange(tListBuilder& out, tLogoList* list, tLogoList* selector)
{
    auto [start, n] = selectionRange(selector);
    int64_t i = 1;
    for (tLogoList* c = list; c && c->first() && n > 0; c = c->rest(), ++i) {
        if (i >= start) {
            out.append(c->first());
            --n;
        }
    }
}

tlogoobject* item(tlogoobject* r, tArgs& a)
{
    tLogoList* list = asList(r);
    tlogoobject* index = a[0];
    if (auto* selectors = valueCast<tLogoList>(index)) {
        tListBuilder out;
        if (selectors->IsEmpty())
            return freshList(out);
        tlogoobject* head = selectors->first();
        if (head->IsWord()) {
            appendRange(out, list, selectors); // the whole list is one (start, n) selection
            return freshList(out);
        }
        if (!head->IsList())
            throw eLogoException(erBadStructure, selectors);
        for (tLogoList* c = selectors; c && c->first(); c = c->rest()) {
            tlogoobject* selector = c->first();
            if (auto* range = valueCast<tLogoList>(selector))
                appendRange(out, list, range);
            else if (selector->IsNumber()) {
                if (tlogoobject* selected = indexedItem(list, selector))
                    out.append(selected);
            } else
                throw eLogoException(erExpectList, selector);
        }
        return freshList(out);
    }
    if (!index->IsNumber())
        throw eLogoException(erExpectNumber, index);
    tlogoobject* selected = indexedItem(list, index);
    return selected ? selected : new tLogoList;
}

// An index path: a number, or a list whose items are all numbers.
std::vector<tlogoobject*> indexPath(tlogoobject* path)
{
    if (auto* list = valueCast<tLogoList>(path)) {
        std::vector<tlogoobject*> steps = listItems(list);
        for (tlogoobject* step : steps)
            if (!step->IsNumber())
                throw eLogoException(erBadStructure, path);
        return steps;
    }
    if (!path->IsNumber())
        throw eLogoException(erBadStructure, path);
    return {path};
}

tlogoobject* deepItem(tlogoobject* r, tArgs& a)
{
    tlogoobject* current = r;
    for (tlogoobject* step : indexPath(a[0])) {
        auto* list = valueCast<tLogoList>(current);
        if (!list)
            throw eLogoException(erBadStructure, a[0]);
        current = indexedItem(list, step);
        if (!current)
            return new tLogoList;
    }
    return current;
}

// --- copies with changes ---

// A number b or a (b, n) list: n items (1 for a number) from the b-th on.
struct tSpan {
    int64_t start;
    int64_t count;
    bool range;
    bool covers(int64_t i) const { return start >= 1 && i >= start && i < start + count; }
};

tSpan readSpan(tlogoobject* selector)
{
    if (auto* list = valueCast<tLogoList>(selector)) {
        if (list->count() != 2)
            throw eLogoException(erExpectList2, selector);
        return {list->first()->AsInteger(), list->rest()->first()->AsInteger(), true};
    }
    return {selector->AsInteger(), 1, false};
}

tlogoobject* butItem(tlogoobject* r, tArgs& a)
{
    const tSpan span = readSpan(a[0]);
    tListBuilder out;
    int64_t i = 1;
    for (tLogoList* c = asList(r); c && c->first(); c = c->rest(), ++i)
        if (!span.covers(i))
            out.append(c->first());
    return freshList(out);
}

// The new value goes where the removed items were (at the front for a start below 1, at the end for a
// start beyond it); a range takes the items of a list.
tlogoobject* replace(tlogoobject* r, tArgs& a)
{
    const tSpan span = readSpan(a[0]);
    tlogoobject* value = a[1];
    tLogoList* newItems = nullptr;
    if (span.range) {
        newItems = valueCast<tLogoList>(value);
        if (!newItems)
            throw eLogoException(erExpectList, value);
    }
    const int64_t insertAt = std::max<int64_t>(span.start, 1);
    tListBuilder out;
    bool inserted = false;
    auto insert = [&] {
        inserted = true;
        if (!newItems)
            out.append(value);
        else
            for (tLogoList* c = newItems; c && c->first(); c = c->rest())
                out.append(c->first());
    };
    int64_t i = 1;
    for (tLogoList* c = asList(r); c && c->first(); c = c->rest(), ++i) {
        if (i == insertAt)
            insert();
        if (!span.covers(i))
            out.append(c->first());
    }
    if (!inserted)
        insert();
    return freshList(out);
}

// A copy of the list with its k-th item (1-based, in range) replaced.
tValue withItem(tLogoList* list, int32_t k, tlogoobject* value)
{
    tListBuilder out;
    int32_t i = 1;
    for (tLogoList* c = list; c && c->first(); c = c->rest(), ++i)
        out.append(i == k ? value : c->first());
    return out.take();
}

tlogoobject* deepReplace(tlogoobject* r, tArgs& a)
{
    const std::vector<tlogoobject*> path = indexPath(a[0]);
    // Walk down first (checking every step), then rebuild the copies bottom-up.
    std::vector<std::pair<tLogoList*, int32_t>> levels;
    tlogoobject* current = r;
    for (tlogoobject* step : path) {
        auto* list = valueCast<tLogoList>(current);
        if (!list)
            throw eLogoException(erBadStructure, a[0]);
        const int32_t k = step->AsInteger();
        current = indexedItem(list, step);
        if (!current)
            return asList(r)->Clone(); // nothing there to replace
        levels.emplace_back(list, k);
    }
    tValue replacement(a[1]);
    for (auto it = levels.rbegin(); it != levels.rend(); ++it)
        replacement = withItem(it->first, it->second, replacement.get());
    return handOver(std::move(replacement));
}

tlogoobject* fput(tlogoobject* r, tArgs& a)
{
    tLogoList* list = asList(r);
    tRef<tLogoList> cell(new tLogoList);
    cell->setFirst(a[0]);
    if (!list->IsEmpty())
        cell->setRest(list);
    return handOverList(std::move(cell));
}

tlogoobject* lput(tlogoobject* r, tArgs& a)
{
    std::vector<tlogoobject*> items = listItems(asList(r));
    items.push_back(a[0]);
    return freshListOf(items);
}

tlogoobject* reverse(tlogoobject* r, tArgs&)
{
    std::vector<tlogoobject*> items = listItems(asList(r));
    if (items.size() < 2)
        return r;
    std::reverse(items.begin(), items.end());
    return freshListOf(items);
}

// A uniform random order (each order equally likely, as inserting every item at a random place gives).
tlogoobject* shuffle(tlogoobject* r, tArgs&)
{
    std::vector<tlogoobject*> items = listItems(asList(r));
    if (items.size() < 2)
        return r;
    for (size_t k = items.size() - 1; k > 0; --k)
        std::swap(items[k], items[static_cast<size_t>(randomRange(0, static_cast<int32_t>(k)))]);
    return freshListOf(items);
}

// --- searching ---

tlogoobject* butMember(tlogoobject* r, tArgs& a)
{
    tListBuilder out;
    for (tLogoList* c = asList(r); c && c->first(); c = c->rest())
        if (!a[0]->IsEqual(c->first()))
            out.append(c->first());
    return freshList(out);
}

// The cell that holds the first item equal to x, and its 1-based position; nullptr and 0 when none.
tLogoList* findMember(tLogoList* list, tlogoobject* x, int32_t& position)
{
    position = 1;
    for (tLogoList* c = list; c && c->first(); c = c->rest(), ++position)
        if (x->IsEqual(c->first()))
            return c;
    position = 0;
    return nullptr;
}

tlogoobject* isMember(tlogoobject* r, tArgs& a)
{
    int32_t position = 0;
    return makeBool(findMember(asList(r), a[0], position) != nullptr);
}

tlogoobject* member(tlogoobject* r, tArgs& a)
{
    int32_t position = 0;
    findMember(asList(r), a[0], position);
    return makeInt(position);
}

tlogoobject* fromMember(tlogoobject* r, tArgs& a)
{
    int32_t position = 0;
    tLogoList* tail = findMember(asList(r), a[0], position);
    return tail ? static_cast<tlogoobject*>(tail) : new tLogoList;
}

// --- sorting ---

// What an item is sorted by: its printed text in upper case and its leading numbers.
struct tSortKey {
    std::string text;
    std::vector<long double> numbers;
    bool allNumeric = false;
};

tSortKey sortKey(tlogoobject* item)
{
    tSortKey key;
    std::string printed;
    item->PrintForm(true, printed);
    key.text = upperCaseText(printed);
    if (item->IsNumber()) {
        key.numbers.push_back(item->AsReal());
        key.allNumeric = true;
    } else if (auto* list = valueCast<tLogoList>(item)) {
        key.allNumeric = true;
        for (tLogoList* c = list; c && c->first(); c = c->rest()) {
            if (!c->first()->IsNumber()) {
                key.allNumeric = false;
                break;
            }
            key.numbers.push_back(c->first()->AsReal());
        }
    }
    return key;
}

int compareKeys(const tSortKey& a, const tSortKey& b)
{
    size_t i = 0;
    while (i < a.numbers.size() && i < b.numbers.size() && a.numbers[i] == b.numbers[i])
        ++i;
    if (i == a.numbers.size() && a.numbers.size() == b.numbers.size() && a.allNumeric && b.allNumeric)
        return 0;
    if (i < a.numbers.size() && i < b.numbers.size())
        return a.numbers[i] < b.numbers[i] ? -1 : 1;
    if (!a.allNumeric || !b.allNumeric)
        return a.text.compare(b.text) < 0 ? -1 : (a.text == b.text ? 0 : 1);
    return a.numbers.size() < b.numbers.size() ? -1 : 1;
}

struct tSortEntry {
    tSortKey key;
    tlogoobject* item;
};

// Quicksort with the first element of a range as its pivot. The sort is not stable, so the order of equal
// keys is whatever these exact moves make of it; every shortcut below keeps those moves' result.
// transitive: every key is of one kind (all numeric, or all text), so the comparison is a total order.
void quicksort(std::vector<tSortEntry>& v, size_t lo, size_t hi, bool transitive) // [lo, hi)
{
    while (hi - lo > 1) {
        if (hi - lo == 2) {
            if (compareKeys(v[lo + 1].key, v[lo].key) < 0)
                std::swap(v[lo], v[lo + 1]);
            return;
        }
        // Under a total order a range already in order stays as it is (no element is ever below a pivot
        // taken from its front), so sorted input costs one walk instead of a pass per element.
        if (transitive) {
            bool ordered = true;
            for (size_t i = lo + 1; i < hi && ordered; ++i)
                ordered = compareKeys(v[i].key, v[i - 1].key) >= 0;
            if (ordered)
                return;
        }
        size_t m = lo;
        for (size_t i = lo + 1; i < hi; ++i)
            if (compareKeys(v[i].key, v[lo].key) < 0)
                std::swap(v[++m], v[i]);
        std::swap(v[lo], v[m]);
        // Recurse into the smaller part and loop on the larger, so the native stack stays logarithmic.
        if (m - lo < hi - (m + 1)) {
            quicksort(v, lo, m, transitive);
            lo = m + 1;
        } else {
            quicksort(v, m + 1, hi, transitive);
            hi = m;
        }
    }
}

tlogoobject* sort(tlogoobject* r, tArgs&)
{
    std::vector<tlogoobject*> items = listItems(asList(r));
    if (items.size() < 2)
        return r;
    std::vector<tSortEntry> entries;
    entries.reserve(items.size());
    for (tlogoobject* item : items)
        entries.push_back({sortKey(item), item});
    // Numbers and lists of numbers compare as number sequences, everything else by text; a mix of the two
    // kinds can compare in a circle.
    auto numericKind = [](const tSortEntry& e) { return e.key.allNumeric; };
    auto textKind = [](const tSortEntry& e) { return !e.key.allNumeric && e.key.numbers.empty(); };
    const bool transitive = std::all_of(entries.begin(), entries.end(), numericKind) ||
                            std::all_of(entries.begin(), entries.end(), textKind);
    quicksort(entries, 0, entries.size(), transitive);
    tListBuilder out;
    for (const tSortEntry& e : entries)
        out.append(e.item);
    return freshList(out);
}

// --- evaluation ---

tlogoobject* notList(tlogoobject* r, tArgs& a)
{
    tValue value = EvaluateInstructions(a.ps, r);
    if (!value)
        throw eLogoException(erNotBool, r);
    return makeBool(!value->AsBool());
}

bool isWordText(tlogoobject* v, std::string_view text)
{
    if (!v->IsWord() || v->IsNumber())
        return false;
    std::string t;
    v->AsText(t);
    return t == text;
}

tValue evaluateEmbedded(tProcessState& ps, tlogoobject* expression)
{
    tValue value = EvaluateInstructions(ps, expression);
    if (!value)
        throw eLogoException(erDidNotReport, expression);
    return value;
}

// A copy with ":name" words replaced by their values and "( … )" groups by the value of the group. Sublists
// are done the same way, with a stack of our own instead of the native one.
tlogoobject* evaluateEmbeddedExpressions(tlogoobject* r, tArgs& a)
{
    struct tFrame {
        tLogoList* cell;
        tListBuilder out;
    };
    std::vector<tFrame> frames;
    frames.push_back({asList(r), {}});
    while (true) {
        tFrame& f = frames.back();
        if (!f.cell || !f.cell->first()) {
            tValue done = f.out.take();
            frames.pop_back();
            if (frames.empty())
                return handOver(std::move(done));
            frames.back().out.append(done.get());
            continue;
        }
        tlogoobject* x = f.cell->first();
        f.cell = f.cell->rest();
        if (auto* sub = valueCast<tLogoList>(x)) {
            frames.push_back({sub, {}}); // f is not used after this
            continue;
        }
        std::string text;
        if (x->IsWord() && !x->IsNumber())
            x->AsText(text);
        if (text.size() > 1 && text[0] == ':') {
            f.out.append(evaluateEmbedded(a.ps, x).get());
        } else if (text == "(") {
            // Collect up to the matching ")"; without one the rest stays as it is.
            tListBuilder group;
            group.append(x);
            int depth = 1;
            tLogoList* c = f.cell;
            for (; c && c->first(); c = c->rest()) {
                group.append(c->first());
                if (isWordText(c->first(), "("))
                    ++depth;
                else if (isWordText(c->first(), ")") && --depth == 0)
                    break;
            }
            if (depth == 0) {
                f.out.append(evaluateEmbedded(a.ps, group.take().get()).get());
                f.cell = c->rest();
            } else {
                f.out.append(x);
                for (; f.cell && f.cell->first(); f.cell = f.cell->rest())
                    f.out.append(f.cell->first());
            }
        } else {
            f.out.append(x);
        }
    }
}

} // namespace

std::vector<tlogoobject*> listItems(tLogoList* list)
{
    std::vector<tlogoobject*> items;
    for (tLogoList* c = list; c && c->first(); c = c->rest())
        items.push_back(c->first());
    return items;
}

tlogoobject* freshList(tListBuilder& builder)
{
    return handOverList(builder.take());
}

tSelectionRange selectionRange(tLogoList* selector)
{
    if (selector->count() != 2)
        throw eLogoException(erExpectList2, selector);
    int64_t start = selector->first()->AsInteger();
    int64_t n = selector->rest()->first()->AsInteger();
    if (start < 1) {
        n -= 1 - start;
        start = 1;
    }
    return {start, n};
}

void registerListPrimitives(tValueTables& tables)
{
    tLogoTab& t = tables.list;
    registerValueProc(t, "first", 0, first);
    registerValueProc(t, "butfirst", 0, butFirst);
    registerValueProc(t, "last", 0, last);
    registerValueProc(t, "butlast", 0, butLast);
    registerValueProc(t, "count", 0, count);
    registerValueProc(t, "fput", 1, fput);
    registerValueProc(t, "lput", 1, lput);
    registerValueProc(t, "shuffle", 0, shuffle);
    registerValueProc(t, "sort", 0, sort);
    registerValueProc(t, "pick", 0, pick);
    registerValueProc(t, "reverse", 0, reverse);
    registerValueProc(t, "item", 1, item);
    registerValueProc(t, "deepitem", 1, deepItem);
    registerValueProc(t, "butitem", 1, butItem);
    registerValueProc(t, "replace", 2, replace);
    registerValueProc(t, "deepreplace", 2, deepReplace);
    registerValueProc(t, "butmember", 1, butMember);
    registerValueProc(t, "member?", 1, isMember);
    registerValueProc(t, "member", 1, member);
    registerValueProc(t, "frommember", 1, fromMember);
    registerValueProc(t, "not", 0, notList);
    registerValueProc(t, "!", 0, evaluateEmbeddedExpressions);
    registerListArithmetic(t);
}

} // namespace zembrio
