#include "core/NameCompare.h"

#include <array>

namespace zembrio {

namespace {

// Windows-1250 letters with a diacritic and their base letters, capitals and small letters alike.
// Bytes not listed (0xB5, 0xD7, 0xDF, 0xF7, 0xFF among them) stay as they are.
constexpr std::pair<unsigned char, char> kAccented[] = {
    {0x8A, 'S'}, {0x8C, 'S'}, {0x8D, 'T'}, {0x8E, 'Z'}, {0x8F, 'Z'},
    {0x9A, 's'}, {0x9C, 's'}, {0x9D, 't'}, {0x9E, 'z'}, {0x9F, 'z'},
    {0xA3, 'L'}, {0xA5, 'A'}, {0xAA, 'S'}, {0xAF, 'Z'},
    {0xB3, 'l'}, {0xB9, 'a'}, {0xBA, 's'}, {0xBC, 'L'}, {0xBE, 'l'}, {0xBF, 'z'},
    {0xC0, 'R'}, {0xC1, 'A'}, {0xC2, 'A'}, {0xC3, 'A'}, {0xC4, 'A'}, {0xC5, 'L'}, {0xC6, 'C'}, {0xC7, 'C'},
    {0xC8, 'C'}, {0xC9, 'E'}, {0xCA, 'E'}, {0xCB, 'E'}, {0xCC, 'E'}, {0xCD, 'I'}, {0xCE, 'I'}, {0xCF, 'D'},
    {0xD0, 'D'}, {0xD1, 'N'}, {0xD2, 'N'}, {0xD3, 'O'}, {0xD4, 'O'}, {0xD5, 'O'}, {0xD6, 'O'},
    {0xD8, 'R'}, {0xD9, 'U'}, {0xDA, 'U'}, {0xDB, 'U'}, {0xDC, 'U'}, {0xDD, 'Y'}, {0xDE, 'T'},
    {0xE0, 'r'}, {0xE1, 'a'}, {0xE2, 'a'}, {0xE3, 'a'}, {0xE4, 'a'}, {0xE5, 'l'}, {0xE6, 'c'}, {0xE7, 'c'},
    {0xE8, 'c'}, {0xE9, 'e'}, {0xEA, 'e'}, {0xEB, 'e'}, {0xEC, 'e'}, {0xED, 'i'}, {0xEE, 'i'}, {0xEF, 'd'},
    {0xF0, 'd'}, {0xF1, 'n'}, {0xF2, 'n'}, {0xF3, 'o'}, {0xF4, 'o'}, {0xF5, 'o'}, {0xF6, 'o'},
    {0xF8, 'r'}, {0xF9, 'u'}, {0xFA, 'u'}, {0xFB, 'u'}, {0xFC, 'u'}, {0xFD, 'y'}, {0xFE, 't'},
};

struct tTables {
    std::array<unsigned char, 256> fold{};  // to the base capital
    std::array<unsigned char, 256> strip{}; // to the base letter, same case
};

constexpr tTables makeTables()
{
    tTables t;
    for (int c = 0; c < 256; ++c) {
        t.fold[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        t.strip[c] = static_cast<unsigned char>(c);
    }
    for (auto [accented, base] : kAccented) {
        unsigned char b = static_cast<unsigned char>(base);
        t.strip[accented] = b;
        t.fold[accented] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    }
    return t;
}

constexpr tTables kTables = makeTables();

} // namespace

unsigned char foldNameChar(unsigned char c)
{
    return kTables.fold[c];
}

int compareNames(std::string_view a, std::string_view b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int ca = kTables.fold[static_cast<unsigned char>(a[i])];
        const int cb = kTables.fold[static_cast<unsigned char>(b[i])];
        if (ca != cb)
            return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string stripAccents(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(kTables.strip[static_cast<unsigned char>(c)]);
    return out;
}

} // namespace zembrio
