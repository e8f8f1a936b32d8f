// Reads one stations or points file, today's way or the previous one, so
// that bench/reader_memory.sh can take each reader's peak memory alone:
//   reader_memory stations|points today|previous FILE
// or runs the previous from-jd (today's is tarnvel-route's own):
//   reader_memory from-jd previous JD_FILE OUTPUT
#include <cstdio>

#include "io/route/point_file.h"
#include "io/route/station_file.h"
#include "previous_from_jd.h"
#include "previous_readers.h"

namespace {

template <class Records>
int Report(const Records& records) {
  if (const auto* refusal = std::get_if<tarnvel::FileRefusal>(&records)) {
    std::fprintf(stderr, "%s\n", refusal->message.toStdString().c_str());
    return 2;
  }
  std::printf("%zu records\n", std::get<1>(records).size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarnvel;
  if (argc == 5 && QString::fromLocal8Bit(argv[1]) == u"from-jd")
    return PreviousFromJd(QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]));
  if (argc != 4) return 2;
  const QString path = QString::fromLocal8Bit(argv[3]);
  const bool previous = QString::fromLocal8Bit(argv[2]) == u"previous";
  if (QString::fromLocal8Bit(argv[1]) == u"stations")
    return Report(previous ? PreviousReadStationFile(path) : ReadStationFile(path));
  return Report(previous ? PreviousReadPointFile(path) : ReadPointFile(path));
}
