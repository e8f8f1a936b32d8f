// The continuous computation as the main window runs it: from the texts of
// the fields it reads to a refusal or the whole text of the results box.
#pragma once

#include <string>

#include "core/element/line_element.h"
#include "core/text/refusal.h"

namespace tarnvel {

struct TableFields {
  ElementTexts element;
  std::string start;   // first station
  std::string end;     // last station
  std::string step;    // distance between rows
  std::string offset;  // copied into every row as typed
  std::string skew;    // d.mmss, copied into every row as typed
};

// The header line of the table, without its line end.
inline constexpr std::string_view kTableHeader =
    "里程  偏距 偏角    坐标X       坐标Y       切线方位角F";
inline constexpr std::string_view kLineEnd = "\r\n";

// The longest table the results box is asked to hold, in rows and in
// bytes: the typed offset and skew are copied into every row, so a long
// text in either multiplies the table.
inline constexpr double kMaxTableRows = 1'000'000;
inline constexpr double kMaxTableBytes = 128 * 1024 * 1024;

// Checks, in order: the element fields, step, start and end for blanks; the
// start not before the element's start and the end not after its end; the
// element's values; offset and skew as numbers when neither is blank; a
// step that moves the station and a table of at most kMaxTableRows rows;
// a table that could pass kMaxTableBytes, judged before any row is made
// from the largest texts its stations, coordinates and azimuths can take.
// Then the header and one row per station, every line ended by CR LF.
//
// The rows are made on two threads, taking turns at runs of rows, when the
// machine has two cores and the table is long enough to gain (some 30,000
// rows); the text is the same byte for byte. `threads` overrides the
// choice, for measuring it.
enum class TableThreads { Chosen, One, Two };
Outcome<std::string> ComputeTable(const TableFields& fields,
                                  TableThreads threads = TableThreads::Chosen);

}  // namespace tarnvel
