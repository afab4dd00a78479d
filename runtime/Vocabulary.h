// The vocabulary of the current language: name codes, the code table and the value tables, built
// afresh whenever a language is loaded (codes of an earlier language are not valid afterwards).
#pragma once

namespace zembrio {

// Run after the project dictionary is installed and before the main object is made.
void BuildVocabulary();

} // namespace zembrio
