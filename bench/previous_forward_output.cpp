// tarnvel-route forward's -o path as it was before the rows were streamed:
// every row held, then the whole CSV text, then the file's bytes, saved at
// once. Kept to measure the peak memory beside today's program:
//   previous_forward_output ROUTE FROM TO STEP OUT
#include <cstdio>
#include <cstdlib>
#include <variant>
#include <vector>

#include "core/route/route_forward.h"
#include "io/files/text_encoding.h"
#include "io/route/route_csv.h"
#include "io/route/route_source.h"

int main(int argc, char** argv) {
  using namespace tarnvel;
  if (argc != 6) return 2;
  FileOutcome<Route> route = LoadRoute(QString::fromLocal8Bit(argv[1]));
  if (std::holds_alternative<FileRefusal>(route)) return 2;
  RouteTableRequest request;
  request.from = std::atof(argv[2]);
  request.to = std::atof(argv[3]);
  request.step = std::atof(argv[4]);
  auto table = RouteTable(std::get<Route>(route), request);
  if (std::holds_alternative<StationRefusal>(table)) return 2;
  std::vector<StakeRow> rows;
  for (RoutePoint& point : std::get<std::vector<RoutePoint>>(table)) {
    if (!IsFinitePoint(point)) return 2;
    rows.push_back({std::to_string(rows.size() + 1), std::move(point)});
  }
  if (SaveTextFile(QString::fromLocal8Bit(argv[5]), ForwardCsvText(rows), TextEncoding::Utf8))
    return 2;
  std::printf("previous: %zu rows\n", rows.size());
  return 0;
}
