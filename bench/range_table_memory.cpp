// The rows of a profile's or the cross sections' range, named by station
// and written to a file, the way `tarnvel-route profile` and `sections`
// make them today (stations made one at a time, only the names near the
// last row held) or as they did before (every station, then every name,
// held), for bench/range_table_memory.sh to read the peak memory of each:
//   range_table_memory today|previous profile|sections FILE FROM TO STEP OUT
// The bytes are the command's -o file's.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/profile/profile_range.h"
#include "core/profile/vertical_curve_table_text.h"
#include "core/route/point_names.h"
#include "core/section/cross_section.h"
#include "core/text/number_text.h"
#include "core/text/table_line.h"
#include "io/profile/profile_source.h"
#include "io/section/section_file.h"
#include "previous_profile_range.h"

namespace {

using namespace tarnvel;

using Walk = void (*)(const VerticalProfile&, double, double, double, bool,
                      const std::function<bool(ProfileStation&&)>&);

}  // namespace

int main(int argc, char** argv) {
  if (argc != 8) return 2;
  const bool previous = std::strcmp(argv[1], "previous") == 0;
  const bool sections = std::strcmp(argv[2], "sections") == 0;
  const double from = std::atof(argv[4]), to = std::atof(argv[5]), step = std::atof(argv[6]);
  std::FILE* out = std::fopen(argv[7], "wb");
  if (out == nullptr) return 2;
  VerticalProfile profile;
  CrossSectionTable table;
  std::vector<std::string> header{"点名", "里程"};
  if (sections) {
    auto read = ReadSectionFile(QString::fromLocal8Bit(argv[3]));
    if (!std::holds_alternative<CrossSectionTable>(read)) return 2;
    table = std::get<CrossSectionTable>(std::move(read));
    for (const bool left : {true, false})
      for (const std::string& part : left ? table.leftParts : table.rightParts) {
        header.push_back((left ? "左" : "右") + part + "宽");
        header.push_back((left ? "左" : "右") + part + "坡");
      }
  } else {
    auto read = LoadProfile(QString::fromLocal8Bit(argv[3]));
    if (!std::holds_alternative<VerticalProfile>(read)) return 2;
    profile = std::get<VerticalProfile>(std::move(read));
    header.insert(header.end(), {"设计高程", "坡度"});
  }
  std::fputs("\xEF\xBB\xBF", out);
  std::fputs(TableLine(header, ',').c_str(), out);
  RangePointNames today("K");
  UniquePointNames before;
  std::size_t interval = 0;
  SectionStation section;
  std::vector<std::string> cells;
  const Walk walk = previous ? previous::ForEachProfileRangeStation : ForEachProfileRangeStation;
  long long rows = 0;
  walk(sections ? VerticalProfile{} : profile, from, to, step, false, [&](ProfileStation&& at) {
    const double K = at.station;
    cells.assign(
        {previous ? before.Take(StationPointName(K, "K")) : today.Name(K), FixedText(K, 3)});
    if (sections) {
      SectionAt(table, K, interval, section);
      for (const auto* parts : {&section.left, &section.right})
        for (const SectionPart& part : *parts) {
          cells.push_back(FixedText(part.width, 3));
          cells.push_back(FixedText(part.slope, 3));
        }
    } else {
      const auto point = ProfileAt(profile, K);
      cells.push_back(FixedText(point->elevation, 3));
      cells.push_back(GradePercentText(point->grade));
    }
    std::fputs(TableLine(cells, ',').c_str(), out);
    ++rows;
    return true;
  });
  std::fclose(out);
  std::printf("%s %s: %lld rows\n", previous ? "previous" : "today", argv[2], rows);
  return 0;
}
