#include "io/route/route_file.h"

#include <array>

#include "core/element/line_element.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "io/element/element_file.h"
#include "io/files/delimited_text.h"
#include "io/files/gbk_file_writer.h"
#include "io/files/read_file.h"
#include "io/files/save_file.h"
#include "io/route/station_equation_line.h"

namespace tarnvel {

namespace {

constexpr qsizetype kValueCount = 8;
constexpr qsizetype kFieldCount = 9;
constexpr QChar kFullWidthComma = QChar(0xFF0C);

// The element data file starts with one number, alone or followed by the
// description of the start station that the main window writes after it.
bool IsElementDataFile(const QString& firstLine) {
  const QList<DelimitedLine> first = SplitDelimitedLines(firstLine, 2);
  if (first.size() != 1 || first[0].number != 1) return false;
  const QStringList& fields = first[0].fields;
  if (!ReadStrict(fields[0].toStdString())) return false;
  return fields.size() == 1 || fields[1].startsWith(kRouteFileFieldNames[0]);
}

// The route's refusal of an element, said of the line that holds it and in
// the file's own field names: "第2个线元“止点桩号K”必须大于…" becomes
// "第5行“止点桩号K”必须大于…".
ContentRefusal ElementRefusal(int line, const RouteError& error) {
  QString message = QString::fromStdString(error.message);
  const QString prefix = QStringLiteral("第%1个线元").arg(error.element);
  if (!message.startsWith(prefix)) return LineRefusal(line, message);
  message.remove(0, prefix.size());
  QString field;
  if (error.field >= 0 && error.field < kValueCount) {
    const std::string_view core = kElementFieldNames[static_cast<size_t>(error.field)];
    field = kRouteFileFieldNames[error.field];
    message.replace(
        u'“' + QString::fromUtf8(core.data(), static_cast<qsizetype>(core.size())) + u'”',
        u'“' + field + u'”');
  }
  return {line, field, message};
}

// The element data file as the main window reads it. Its reader is given the
// text already decoded, as UTF-8 with a byte-order mark, so that the text
// reads alike whichever encoding the file came in. A value the route cannot
// take is named by its line, which is its field's.
ContentOutcome<Route> ParseElementDataFile(const QString& text) {
  const ContentOutcome<ElementFieldTexts> outcome =
      ParseElementFile(QByteArray("\xEF\xBB\xBF") + text.toUtf8());
  if (const auto* refusal = std::get_if<ContentRefusal>(&outcome)) return *refusal;
  std::array<double, 8> fields{};
  const ElementFieldTexts& texts = std::get<ElementFieldTexts>(outcome);
  for (size_t n = 0; n < fields.size(); ++n)
    fields[n] = ReadStrict(texts[n].toStdString()).value_or(0);  // general forms always read
  std::variant<RouteError, Route> route = MakeRoute({RouteElement{FromFieldValues(fields), {}}});
  if (const auto* error = std::get_if<RouteError>(&route)) {
    if (error->field >= 0) return ElementRefusal(error->field + 1, *error);
    return WholeFileRefusal(QString::fromStdString(error->message));
  }
  return std::get<Route>(std::move(route));
}

ContentOutcome<RouteElement> ParseElementLine(const DelimitedLine& line) {
  if (line.fields.size() > kFieldCount) return TooManyFields(line, kFieldCount);
  std::array<double, 8> values{};
  for (qsizetype n = 0; n < kValueCount; ++n) {
    ContentOutcome<double> value = ReadNumberField(line, n, kRouteFileFieldNames[n]);
    if (auto* refusal = std::get_if<ContentRefusal>(&value)) return std::move(*refusal);
    values[static_cast<size_t>(n)] = std::get<double>(value);
  }
  RouteElement element{FromFieldValues(values), {}};
  if (line.fields.size() == kFieldCount) element.name = line.fields[kValueCount].toStdString();
  return element;
}

QString RouteFileHeader() {
  return kRouteFileFieldNames.join(u',') + QStringLiteral("\r\n");
}

void AppendRouteFileLine(QString& text, const RouteElement& element) {
  char line[8 * kNumberTextRoom + 16];
  char* out = line;
  const std::array<double, 8> values = FieldValues(element.values);
  for (size_t n = 0; n < values.size(); ++n) {
    if (n > 0) *out++ = ',';
    out = WriteGeneralText(out, values[n]);
  }
  text += QLatin1StringView(line, out - line);
  if (!element.name.empty()) text += u',' + QString::fromStdString(element.name).trimmed();
  text += QStringLiteral("\r\n");
}

bool HoldsSeparator(const QString& name) {
  for (QChar c : name)
    if (c == u',' || c == kFullWidthComma || c == u'\t' || c == u'\r' || c == u'\n') return true;
  return false;
}

}  // namespace

FileOutcome<Route> ReadRouteFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParseRouteFile(std::get<QByteArray>(bytes)));
}

ContentOutcome<Route> ParseRouteFile(const QByteArray& bytes) {
  ContentOutcome<QString> firstLine = FirstDelimitedLine(bytes);
  if (auto* refusal = std::get_if<ContentRefusal>(&firstLine)) return std::move(*refusal);
  if (IsElementDataFile(std::get<QString>(firstLine))) {
    ContentOutcome<QString> decoded = DecodeDelimitedText(bytes);
    if (auto* refusal = std::get_if<ContentRefusal>(&decoded)) return std::move(*refusal);
    return ParseElementDataFile(std::get<QString>(decoded));
  }

  // Room for an element a line at once, as ParseRecords makes it; the few
  // 断链 lines go to a list of their own.
  std::vector<RouteElement> elements;
  std::vector<int> lines;
  std::vector<StationEquation> equations;
  elements.reserve(LineCount(bytes));
  lines.reserve(elements.capacity());
  const auto refusal = ForEachDelimitedLine(
      bytes, kFieldCount, kRouteFileFieldNames.mid(0, kValueCount),
      [&](DelimitedLine&& line) -> std::optional<ContentRefusal> {
        if (DeclaresStationEquation(line.fields)) {
          ContentOutcome<StationEquation> equation = ReadStationEquationLine(line);
          if (auto* refused = std::get_if<ContentRefusal>(&equation)) return std::move(*refused);
          equations.push_back(std::get<StationEquation>(equation));
          return std::nullopt;
        }
        ContentOutcome<RouteElement> element = ParseElementLine(line);
        if (auto* refused = std::get_if<ContentRefusal>(&element)) return std::move(*refused);
        elements.push_back(std::get<RouteElement>(std::move(element)));
        lines.push_back(line.number);
        return std::nullopt;
      },
      DeclaresStationEquation);
  if (refusal) return *refusal;
  if (elements.empty()) return NoRecords(QStringLiteral("线元"));

  std::variant<RouteError, Route> route = MakeRoute(std::move(elements));
  if (const auto* error = std::get_if<RouteError>(&route)) {
    if (error->element < 1 || static_cast<size_t>(error->element) > lines.size())
      return WholeFileRefusal(QString::fromStdString(error->message));
    return ElementRefusal(lines[static_cast<size_t>(error->element) - 1], *error);
  }
  std::get<Route>(route).equations = std::move(equations);
  return std::get<Route>(std::move(route));
}

QString RouteFileText(const std::vector<RouteElement>& elements,
                      const std::vector<StationEquation>& equations) {
  QString text = RouteFileHeader();
  for (const RouteElement& element : elements) AppendRouteFileLine(text, element);
  for (const StationEquation& equation : equations) text += StationEquationLineText(equation);
  return text;
}

FileOutcome<QByteArray> RouteFileBytes(const QString& path,
                                       const std::vector<RouteElement>& elements,
                                       const std::vector<StationEquation>& equations) {
  for (size_t i = 0; i < elements.size(); ++i)
    if (HoldsSeparator(QString::fromStdString(elements[i].name)))
      return CannotSave(
          path,
          QStringLiteral("第%1个线元的名称含有逗号、制表符或换行符").arg(QString::number(i + 1)));
  // Encoded a run of lines at a time: the whole file as one text would take
  // twice its bytes again, 900 MB for a route of four million elements. The
  // first character without a GBK form is still the first in the file.
  constexpr qsizetype kRun = 64 * 1024;
  QByteArray bytes;
  QString text = RouteFileHeader();
  for (size_t i = 0; i <= elements.size(); ++i) {
    if (i < elements.size()) AppendRouteFileLine(text, elements[i]);
    if (text.size() < kRun && i < elements.size()) continue;
    if (i == elements.size())
      for (const StationEquation& equation : equations) text += StationEquationLineText(equation);
    if (auto refusal = AppendGbk(path, text, bytes)) return std::move(*refusal);
    text.clear();
  }
  return bytes;
}

std::optional<FileRefusal> SaveRouteFile(const QString& path,
                                         const std::vector<RouteElement>& elements,
                                         const std::vector<StationEquation>& equations) {
  FileOutcome<QByteArray> bytes = RouteFileBytes(path, elements, equations);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return SaveFileBytes(path, std::get<QByteArray>(bytes));
}

}  // namespace tarnvel
