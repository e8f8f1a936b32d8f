#include "core/text/table_line.h"

#include <string_view>

namespace tarnvel {

void AppendTableCell(std::string& out, std::string_view text, char separator) {
  if (separator != ',' || text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace tarnvel
