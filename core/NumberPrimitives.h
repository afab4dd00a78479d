// Number operations and comparisons of the value tables.
#pragma once

namespace zembrio {

struct tValueTables;

// Registers arithmetic on the string, integer and real tables and the comparisons of every table.
void registerNumberPrimitives(tValueTables& tables);

} // namespace zembrio
