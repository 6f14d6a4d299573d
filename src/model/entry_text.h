#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/lotto_game.h"

namespace zun {

// Entry texts. Each number of a set shows as the first that applies: its
// column label, its row label, its number label, or the number itself with at
// least two digits ("05"). Row labels are listed in stored order, or, when
// the set's rows are not in entry order, column by column. The numbers come
// from files and are not trusted: a number whose label does not exist shows
// as the number itself, so a text is always produced and nothing is read
// outside a labels array.

// Appends the text of all numbers of one set, joined by " - ".
void AppendSetText(std::string& out, const Lotto_Numbers_Framework& set, std::span<const int8_t> numbers);

// Appends the text of the number at `position`.
void AppendNumberText(std::string& out, const Lotto_Numbers_Framework& set, std::span<const int8_t> numbers,
                      int32_t position);

// "0#": at least two digits, a leading zero below ten (5 gives 05, -5 gives -05).
void AppendPlainNumber(std::string& out, int32_t number);

}  // namespace zun
