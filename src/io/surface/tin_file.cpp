#include "io/surface/tin_file.h"

#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>
#include <memory>

#include "io/files/delimited_file.h"
#include "io/files/read_file.h"
#include "io/landxml/landxml_import.h"
#include "io/route/point_file.h"

namespace tarnvel {

namespace {

ContentRefusal At(const QXmlStreamReader& xml, const QString& rest) {
  return {static_cast<int>(xml.lineNumber()), {}, rest};
}

// The numbers of an element's text, exactly `count` of them.
std::optional<std::vector<double>> Numbers(const QString& text, int count) {
  const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
  if (words.size() != count) return std::nullopt;
  std::vector<double> numbers;
  for (const QString& word : words) {
    bool ok = false;
    numbers.push_back(word.toDouble(&ok));
    if (!ok) return std::nullopt;
  }
  return numbers;
}

FileOutcome<TinFromPoints> PointsTin(const QString& path, std::optional<double> maxEdge) {
  auto opened = DelimitedFile::Open(path);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened)) return *refusal;
  DelimitedFile& file = *std::get<std::unique_ptr<DelimitedFile>>(opened);
  std::vector<TinPoint> points;
  std::optional<FileRefusal> noHeight;
  const auto refusal = ForEachFilePoint(file, [&](SurveyPoint&& point) {
    if (noHeight) return;
    if (!point.height) {
      noHeight = InFile(
          path, ContentRefusal{
                    point.line, QStringLiteral("H"),
                    QStringLiteral("的点“%1”没有高程H，地面模型的点必须有H！").arg(point.name)});
      return;
    }
    points.push_back({point.point.X, point.point.Y, *point.height});
  });
  if (refusal) return *refusal;
  if (noHeight) return *noHeight;
  return TinOfPoints(std::move(points), maxEdge);
}

}  // namespace

ContentOutcome<Tin> ParseLandXmlSurface(const QByteArray& bytes) {
  QXmlStreamReader xml(bytes);
  std::vector<TinPoint> points;
  std::vector<TinFace> faces;
  QHash<QString, std::uint32_t> index;
  bool inSurface = false, found = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == u"Surface" && inSurface) break;
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"Surface") {
      inSurface = found = true;
    } else if (inSurface && xml.name() == u"P") {
      const QString id = xml.attributes().value(QStringLiteral("id")).toString();
      const auto numbers = Numbers(xml.readElementText(), 3);
      if (!numbers) return At(xml, QStringLiteral("的点“%1”不是“北 东 高程”三个数！").arg(id));
      index.insert(id, static_cast<std::uint32_t>(points.size()));
      points.push_back({(*numbers)[0], (*numbers)[1], (*numbers)[2]});
    } else if (inSurface && xml.name() == u"F") {
      const bool invisible = xml.attributes().value(QStringLiteral("i")) == u"1";
      const QStringList ids = xml.readElementText().split(u' ', Qt::SkipEmptyParts);
      if (ids.size() != 3) return At(xml, QStringLiteral("的三角形不是三个点号！"));
      if (invisible) continue;
      TinFace face;
      for (int k = 0; k < 3; ++k) {
        const auto at = index.constFind(ids[k]);
        if (at == index.constEnd())
          return At(xml, QStringLiteral("的三角形引用了不存在的点“%1”！").arg(ids[k]));
        face[k] = *at;
      }
      faces.push_back(face);
    }
  }
  // A file cut short ends before its surface does, and is refused as the
  // alignments' reader refuses it.
  if (xml.hasError())
    return At(
        xml,
        QStringLiteral("不是有效的XML（系统报告“%1”），不是LandXML文件！").arg(xml.errorString()));
  if (!found) return ContentRefusal{0, {}, QStringLiteral("中没有地面模型（Surface）！")};
  return TinOfFaces(std::move(points), std::move(faces));
}

FileOutcome<TinFromPoints> ReadTinFile(const QString& path, std::optional<double> maxEdge) {
  if (QFileInfo(path).suffix().compare(u"xml", Qt::CaseInsensitive) != 0)
    return PointsTin(path, maxEdge);
  auto bytes = ReadFileBytes(path, kLandXmlReadLimit);
  if (const auto* refusal = std::get_if<FileRefusal>(&bytes)) return *refusal;
  auto tin = InFile(path, ParseLandXmlSurface(std::get<QByteArray>(bytes)));
  if (const auto* refusal = std::get_if<FileRefusal>(&tin)) return *refusal;
  return TinFromPoints{std::get<Tin>(std::move(tin)), 0};
}

}  // namespace tarnvel
