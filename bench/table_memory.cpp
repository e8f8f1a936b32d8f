// Builds one million-row table, with today's table loop or with the
// previous one, so that the peak memory and time of a whole process can be
// read off /usr/bin/time -v:
//   table_memory [previous] [default]
// "default" takes the element the window opens with instead of the 10 km
// spiral.
#include <cstdio>
#include <cstring>
#include <string>
#include <variant>

#include "core/element/continuous_computation.h"
#include "previous_number_text.h"

int main(int argc, char** argv) {
  bool previous = false;
  bool default_element = false;
  for (int i = 1; i < argc; ++i) {
    previous = previous || std::strcmp(argv[i], "previous") == 0;
    default_element = default_element || std::strcmp(argv[i], "default") == 0;
  }
  const tarnvel::TableFields spiral{
      {"0", "10000", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"},
      "0",
      "9999.99",
      "0.01",
      "2.5",
      "90"};
  const tarnvel::TableFields initial{
      {"7586.707", "7946.707", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"},
      "7586.707",
      "7946.707",
      "0.00036",
      "0",
      "90"};
  const tarnvel::TableFields& fields = default_element ? initial : spiral;
  const auto outcome =
      previous ? tarnvel::previous::ComputeTable(fields) : tarnvel::ComputeTable(fields);
  const auto* text = std::get_if<std::string>(&outcome);
  if (text == nullptr) return 1;
  std::printf("%s: %zu bytes\n", previous ? "previous" : "today", text->size());
  return 0;
}
