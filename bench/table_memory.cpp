// Builds the 10 km spiral's million-row table once, with today's table
// loop or with the previous one ("previous" as the argument), so that the
// peak memory of the whole process can be read off /usr/bin/time -v.
#include <cstdio>
#include <cstring>
#include <string>
#include <variant>

#include "continuous_computation.h"
#include "previous_number_text.h"

int main(int argc, char** argv) {
  const tarnvel::TableFields fields{
      {"0", "10000", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"},
      "0", "9999.99", "0.01", "2.5", "90"};
  const bool previous = argc > 1 && std::strcmp(argv[1], "previous") == 0;
  const auto outcome =
      previous ? tarnvel::previous::ComputeTable(fields) : tarnvel::ComputeTable(fields);
  const auto* text = std::get_if<std::string>(&outcome);
  if (text == nullptr) return 1;
  std::printf("%s: %zu bytes\n", previous ? "previous" : "today", text->size());
  return 0;
}
