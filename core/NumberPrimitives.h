// Number operations and comparisons of the value tables.
#pragma once

namespace zembrio {

struct tValueTables;

class tlogoobject;

// a + b and a - b with the tables' rules: integers while they fit, else extended reals.
tlogoobject* numberSum(tlogoobject* a, tlogoobject* b);
tlogoobject* numberDifference(tlogoobject* a, tlogoobject* b);

// Registers arithmetic on the string, integer and real tables and the comparisons of every table.
void registerNumberPrimitives(tValueTables& tables);

} // namespace zembrio
