#include "core/element/continuous_computation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>

#include "core/element/centre_line.h"
#include "core/text/angle.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr int kCoordinateDecimals = 3;
constexpr double kDefaultOffset = 0;
constexpr double kDefaultSkew = 90;

bool Continues(double K, double end, double step) {
  return step >= 0 ? K <= end : K >= end;
}

// Rows of a table from start to end; rounding of the running sum may add one.
double RowCount(double start, double end, double step) {
  return Continues(start, end, step) ? std::floor((end - start) / step) + 1 : 0;
}

// Refuses a step that would never end the table, or end it past the limit.
std::optional<Refusal> CheckStep(double start, double end, double step) {
  if (!std::isfinite(start)) return OutOfNumberRange(Field::TableStart, "起点K");
  if (!std::isfinite(end)) return OutOfNumberRange(Field::TableEnd, "止点K");
  if (!std::isfinite(step)) return OutOfNumberRange(Field::TableStep, "计算间距J");
  if (!Continues(start, end, step)) return std::nullopt;  // the header alone
  if (step == 0)
    return Refusal{"“计算间距J”不能为零！", RefusalKind::UnusableValue, Field::TableStep};
  if (start + step == start || end + step == end)
    return Refusal{"“计算间距J”过小，桩号无法递增！", RefusalKind::UnusableValue, Field::TableStep};
  if (!(RowCount(start, end, step) <= kMaxTableRows))
    return Refusal{"计算行数超过1000000行，请加大“计算间距J”！", RefusalKind::UnusableValue,
                   Field::TableStep};
  return std::nullopt;
}

// Bytes of the "0.000" text, sign included, of any value up to `magnitude`,
// rounding included.
double FixedTextBytes(double magnitude, int decimals) {
  double digits = 1;
  for (double power = 10; power <= magnitude + 1 && digits < kNumberTextRoom; power *= 10) ++digits;
  return 1 + digits + (decimals > 0 ? 1 + decimals : 0);
}

// The longest general text of a station: "-1.23456789012346E-300".
constexpr double kStationBytes = 22;
// A row's separators and line end around its five texts.
constexpr double kSeparatorBytes = 3 + 2 + 2 + 2 + 3 + 2;
// "°", "ˊ", "″" in UTF-8 and the seconds "59.99".
constexpr double kDmsMarkBytes = 2 + 2 + 2 + 3 + 5;

// The most bytes one row can take between stations start and end. A point
// lies no further from the element's start than the length of line to it
// plus the offset, and the tangent turns no more than the curvature law
// allows over that length; a little is added against rounding.
double RowBytesBound(const LineElement& e, double start, double end, double m, size_t typed_bytes) {
  const double length = std::max(std::fabs(start - e.K0), std::fabs(end - e.K0));
  const double reach = (length + std::fabs(m)) * (1 + 1e-9) + 1;
  const double start_curvature = 1 / std::fabs(e.RQ);
  const double end_curvature = 1 / std::fabs(e.RN);
  const double turn = length * (start_curvature + length * (start_curvature + end_curvature) /
                                                      (2 * std::fabs(e.K1 - e.K0)));
  const double azimuth = std::fabs(e.F) + turn * (180 / kPi) * (1 + 1e-9) + 1;
  return kStationBytes + static_cast<double>(typed_bytes) +
         FixedTextBytes(std::fabs(e.X0) + reach, kCoordinateDecimals) +
         FixedTextBytes(std::fabs(e.Y0) + reach, kCoordinateDecimals) + FixedTextBytes(azimuth, 0) +
         kDmsMarkBytes + kSeparatorBytes;
}

// The rows of one table: the row of any station can be written on its own.
struct TableRows {
  const PreparedElement& element;  // the element's constants, worked out once
  double m;
  double skew_degrees;
  std::string_view middle;  // the typed offset and skew with their separators

  // Room for one more row at a block's end: the largest texts the writers
  // make, whatever the element.
  size_t Room() const { return middle.size() + 4 * kNumberTextRoom + 16; }

  // Writes the row of station K at out and returns its end; nothing when a
  // number of the row is not finite.
  char* Write(char* out, double K) const {
    const ForwardResult r = ForwardPointDegrees(element, K, m, skew_degrees);
    if (!std::isfinite(r.point.X) || !std::isfinite(r.point.Y) || !std::isfinite(r.azimuth))
      return nullptr;
    out = WriteGeneralText(out, K);
    out = WriteText(out, middle);
    out = WriteFixedText(out, r.point.X, kCoordinateDecimals);
    out = WriteText(out, "  ");
    out = WriteFixedText(out, r.point.Y, kCoordinateDecimals);
    out = WriteText(out, "   ");
    out = WriteDmsText(out, r.azimuth);
    return WriteText(out, kLineEnd);
  }
};

// The stations of a table in order. Each is the previous one plus the
// step, as a surveyor stepping along the line would reach it, so a row's
// station depends on every step before it; the end is included when it is
// reached exactly.
struct Stations {
  double K;
  double end;
  double step;
  double row = 0;

  bool More() const { return Continues(K, end, step) && row <= kMaxTableRows; }
  void Next() {
    K += step;
    ++row;
  }
};

// Rows are written straight into a block that stays in the cache and joins
// the table a block at a time.
constexpr size_t kBlockBytes = 64 * 1024;

class BlockWriter {
 public:
  explicit BlockWriter(const TableRows& rows)
      : rows_(rows),
        size_(std::max(kBlockBytes, 2 * rows.Room())),
        block_(std::make_unique_for_overwrite<char[]>(size_)),
        full_(block_.get() + size_ - rows.Room()),
        out_(block_.get()) {}

  // Appends the rows of the stations up to `last_row` (not included) to
  // text; false when a row cannot be computed.
  bool WriteRows(std::string& text, Stations& stations, double last_row) {
    for (; stations.More() && stations.row < last_row; stations.Next()) {
      out_ = rows_.Write(out_, stations.K);
      if (out_ == nullptr) return false;
      if (out_ > full_) Flush(text);
    }
    Flush(text);
    return true;
  }

 private:
  void Flush(std::string& text) {
    text.append(block_.get(), out_);
    out_ = block_.get();
  }

  const TableRows& rows_;
  size_t size_;
  std::unique_ptr<char[]> block_;
  char* full_;
  char* out_;
};

// Two threads take turns at runs of rows, the first thread's runs the
// shorter: it also moves the whole table into place, page by page, and
// copies in the second thread's runs. A table shorter than a few runs is
// not worth the second thread.
constexpr double kFirstRunRows = 7168;
constexpr double kSecondRunRows = 9216;
constexpr double kRowsForTwoThreads = 2 * (kFirstRunRows + kSecondRunRows);

// The first row of run `run`: even runs are the first thread's.
double RunStart(double run) {
  const double pairs = std::floor(run / 2);
  return pairs * (kFirstRunRows + kSecondRunRows) + (run - 2 * pairs) * kFirstRunRows;
}

// The second thread writes every other run into one of a few slots, and
// the first appends each slot to the table in turn, so that the table is
// made in order and nothing of it is held twice but a few runs. The slots
// let one thread run ahead while the other waits for a core.
constexpr size_t kSlots = 8;

class AlternateRuns {
 public:
  AlternateRuns(const TableRows& rows, Stations stations, size_t run_bytes)
      : rows_(rows), stations_(stations) {
    for (Slot& slot : slots_) slot.text.reserve(run_bytes);
  }

  // False when a row cannot be computed.
  bool Write(std::string& text) {
    BlockWriter writer(rows_);
    BlockWriter second_writer(rows_);
    Stations stations = stations_;
    std::thread second;
    try {
      second = std::thread([&] { WriteOddRuns(second_writer); });
    } catch (const std::system_error&) {  // no thread to be had: one does it all
      return writer.WriteRows(text, stations, kMaxTableRows + 1);
    }
    // However the first thread leaves, the second is stopped and joined.
    struct Join {
      AlternateRuns& runs;
      std::thread& thread;
      ~Join() {
        {
          std::lock_guard lock(runs.mutex_);
          runs.stop_ = true;
        }
        runs.changed_.notify_all();
        thread.join();
      }
    };
    bool computable = false;
    {
      const Join join{*this, second};
      computable = WriteEvenRuns(text, writer, stations);
    }
    if (failure_) std::rethrow_exception(failure_);
    return computable;
  }

 private:
  // The first thread's share: the even runs, each followed by the odd run
  // the second thread wrote. False when a row cannot be computed.
  bool WriteEvenRuns(std::string& text, BlockWriter& writer, Stations& stations) {
    for (double run = 0;; run += 2) {
      if (!writer.WriteRows(text, stations, RunStart(run + 1))) return false;
      if (!stations.More()) return true;
      Slot& slot = slots_[SlotOf(run + 1)];
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return slot.ready; });
        if (failure_) return false;
      }
      // A ready slot is the first thread's until it is handed back.
      if (!slot.computable) return false;
      text += slot.text;
      const bool last = slot.last;
      {
        std::lock_guard lock(mutex_);
        slot.ready = false;
      }
      changed_.notify_all();
      if (last) return true;
      while (stations.More() && stations.row < RunStart(run + 2)) stations.Next();
    }
  }

 private:
  struct Slot {
    std::string text;
    bool ready = false;
    bool last = false;
    bool computable = true;
  };

  static size_t SlotOf(double run) { return static_cast<size_t>(run / 2) % kSlots; }

  void WriteOddRuns(BlockWriter& writer) {
    try {
      Stations stations = stations_;
      for (double run = 1;; run += 2) {
        Slot& slot = slots_[SlotOf(run)];
        {
          std::unique_lock lock(mutex_);
          changed_.wait(lock, [&] { return !slot.ready || stop_; });
          if (stop_) return;
        }
        while (stations.More() && stations.row < RunStart(run)) stations.Next();
        slot.text.clear();
        const bool computable = writer.WriteRows(slot.text, stations, RunStart(run + 1));
        const bool last = !computable || !stations.More();
        {
          std::lock_guard lock(mutex_);
          slot.computable = computable;
          slot.last = last;
          slot.ready = true;
        }
        changed_.notify_all();
        if (last) return;
      }
    } catch (...) {
      std::lock_guard lock(mutex_);
      failure_ = std::current_exception();
      for (Slot& slot : slots_) slot.ready = true;
      changed_.notify_all();
    }
  }

  const TableRows& rows_;
  const Stations stations_;
  std::array<Slot, kSlots> slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stop_ = false;
  std::exception_ptr failure_;
};

}  // namespace

Outcome<std::string> ComputeTable(const TableFields& f, TableThreads threads) {
  if (auto refusal = CheckElementFields(f.element)) return *refusal;
  if (IsBlank(f.step)) return MissingInput(Field::TableStep, "计算间距J");
  if (IsBlank(f.start)) return MissingInput(Field::TableStart, "起点桩号K");
  if (IsBlank(f.end)) return MissingInput(Field::TableEnd, "止点桩号K");

  const double start = ReadLenient(f.start);
  const double end = ReadLenient(f.end);
  const auto k0 = ReadStrict(f.element[0]);
  if (!k0) return NotANumber(kElementFields[0], kElementFieldNames[0]);
  if (*k0 > start)
    return Refusal{"输入“起点K”小于线元“起点桩号K”！", RefusalKind::UnusableValue,
                   Field::TableStart};
  const auto k1 = ReadStrict(f.element[1]);
  if (!k1) return NotANumber(kElementFields[1], kElementFieldNames[1]);
  if (*k1 < end)
    return Refusal{"输入“止点K”大于线元“止点桩号K”！", RefusalKind::UnusableValue, Field::TableEnd};

  const LineElement element = SJ(f.element);
  if (auto refusal = CheckElementValues(element)) return *refusal;

  // A blank offset or skew puts both back to their defaults.
  double m = kDefaultOffset;
  double a = kDefaultSkew;
  if (!IsBlank(f.offset) && !IsBlank(f.skew)) {
    const auto offset = ReadStrict(f.offset);
    if (!offset) return NotANumber(Field::TableOffset, "偏距m");
    const auto skew = ReadStrict(f.skew);
    if (!skew) return NotANumber(Field::TableSkew, "偏角a");
    m = *offset;
    a = *skew;
  }

  const double step = ReadLenient(f.step);
  if (auto refusal = CheckStep(start, end, step)) return *refusal;

  const std::string row_middle = "   " + f.offset + "  " + f.skew + "  ";
  // The running sum of steps may add one row to the count.
  const double rows = std::min(RowCount(start, end, step) + 1, kMaxTableRows + 1);
  const double bytes_bound = static_cast<double>(kTableHeader.size() + kLineEnd.size()) +
                             rows * RowBytesBound(element, start, end, m, row_middle.size());
  if (!(bytes_bound <= kMaxTableBytes))
    return Refusal{"计算成果表将超过128MB，请加大“计算间距J”或缩短“偏距m”“偏角a”！",
                   RefusalKind::UnusableValue, Field::TableStep};

  // The bound is reserved whole: pages past the real end are never touched,
  // and the table is never moved while it grows.
  std::string text;
  text.reserve(static_cast<size_t>(bytes_bound));
  text += kTableHeader;
  text += kLineEnd;

  const PreparedElement prepared = Prepare(element);
  const TableRows table_rows{prepared, m, DmsToDegrees(a), row_middle};
  Stations stations{start, end, step};
  const bool two_threads = threads == TableThreads::Two ||
                           (threads == TableThreads::Chosen && rows >= kRowsForTwoThreads &&
                            std::thread::hardware_concurrency() >= 2);
  const bool computable =
      two_threads ? AlternateRuns(table_rows, stations,
                                  static_cast<size_t>(bytes_bound / rows * kSecondRunRows))
                        .Write(text)
                  : BlockWriter(table_rows).WriteRows(text, stations, kMaxTableRows + 1);
  if (!computable) return NotComputable(Field::TableStart);
  return text;
}

}  // namespace tarnvel
