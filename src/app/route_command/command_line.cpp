#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "echoed_text.h"
#include "number_reading.h"
#include "refusal.h"
#include "station_text.h"
#include "survey_point_file.h"

namespace tarnvel {

namespace {

using Commands = std::vector<RouteCommand>;

// One option: its names, its value's name (empty for a switch), what the help
// says of it, and the commands it serves (all when empty).
struct OptionEntry {
  QStringList names;
  QString valueName;
  QString description;
  Commands commands;
};

const std::vector<OptionEntry>& OptionEntries() {
  using C = RouteCommand;
  static const std::vector<OptionEntry> entries = {
      {{"o", "output"},
       "FILE",
       "结果写入文件（全部写成或不写）；不给出时写到标准输出；from-jd：线元表文件",
       {}},
      {{"encoding"},
       "CODE",
       "输出编码：utf8（默认；forward、inverse、profile、sections的CSV和from-jd的--"
       "table文件前加BOM，"
       "Excel可直接打开）或gbk；from-jd的线元表和标准输出也用它",
       {C::Check, C::Forward, C::Inverse, C::FromJd, C::Profile, C::Sections}},
      {{"table"}, "FILE", "from-jd：把直线、曲线及转角表写成CSV文件", {C::FromJd}},
      {{"pdf"},
       "FILE",
       "forward、from-jd、check：另把逐桩坐标表、直线、曲线及转角表或接头表打印成PDF文件"
       "（A4，标题、线路、日期、单位，每页有表头和页码）",
       {C::Check, C::Forward, C::FromJd}},
      {{"jd"},
       "JD_FILE",
       "check、forward、inverse、export：以交点表文件代替ROUTE",
       {C::Check, C::Forward, C::Inverse, C::Export}},
      {{"start-station"},
       "K",
       "交点表起点BP的桩号，米或K0+000.000形式（默认0），用于from-jd或--jd",
       {C::Check, C::Forward, C::Inverse, C::FromJd, C::Export}},
      {{"alignment"},
       "NAME",
       "ROUTE为LandXML文件时：导入名为NAME的路线（默认第一条）；PROFILE或--profile为LandXML文件时"
       "取该路线的纵断面",
       {}},
      {{"tol-position"},
       "MM",
       "check：位置闭合差限差，毫米（默认2）；forward：“--to”超出线路端点不多于此时取端点",
       {C::Check, C::Forward}},
      {{"tol-azimuth"}, "SEC", "check：方位角闭合差限差，秒（默认2）", {C::Check}},
      {{"from"},
       "K",
       "forward、profile、sections：起始桩号，米或K0+000.000形式；forward：长链重复段内的桩号加“_2”"
       "指第二支（如K1+190_2），不加指第一支",
       {C::Forward, C::Profile, C::Sections}},
      {{"to"},
       "K",
       "forward、profile、sections：终止桩号，米或K0+000.000形式（含终止桩号）；forward：可加“_"
       "2”，同上",
       {C::Forward, C::Profile, C::Sections}},
      {{"step"},
       "J",
       "forward、profile、sections：里程间隔，米：起止桩号及其间J的每个整倍数（整桩）",
       {C::Forward, C::Profile, C::Sections}},
      {{"curve-step"}, "S", "forward：缓和曲线和圆曲线内另加S的每个整倍数里程，米", {C::Forward}},
      {{"stations"},
       "FILE",
       "forward：里程文件，每行“点名,里程[,偏距[,偏角]]”，里程可加“_2”，同--from；"
       "profile、sections：只取点名和里程",
       {C::Forward, C::Profile, C::Sections}},
      {{"offset"}, "M", "forward：偏距，米，左负右正；可重复，每个偏距一行（默认0）", {C::Forward}},
      {{"skew"}, "A", "forward：偏角，d.mmss格式（默认90）", {C::Forward}},
      {{"key-points"},
       "",
       "forward：在里程范围内插入主点（ZH、HY、QZ等）；profile：插入变坡点和竖曲线起终点，"
       "加“说明”列",
       {C::Forward, C::Profile}},
      {{"names"},
       "KIND",
       "forward：里程范围的点名：station（默认，桩号和偏距，如K0+520L10.00）"
       "或serial（1、2、3…）",
       {C::Forward}},
      {{"prefix"},
       "P",
       "forward、inverse、from-jd、profile、sections：桩号的前缀，英文字母（默认K）",
       {C::Forward, C::Inverse, C::FromJd, C::Profile, C::Sections}},
      {{"max-offset"}, "M", "inverse：最大偏距，米（默认100）", {C::Inverse}},
      {{"all"}, "", "inverse：列出每个垂足，不只最近的一个", {C::Inverse}},
      {{"profile"},
       "PROFILE",
       "export：把纵断面写入路线；forward：加“设计高程”列（.dat文件写入H），"
       "不用--"
       "sections时偏距行也取中桩的设计高程，纵断面范围外为空；inverse：加“设计高程”（垂足处）、"
       "“高差”（测点H减设计高程）和“挖填”（高差正为挖、负为填）列，测点无H时高差和挖填为空；"
       "PROFILE为变坡点表文件或LandXML文件（.xml）",
       {C::Export, C::Forward, C::Inverse}},
      {{"sections"},
       "S",
       "forward、inverse（与--profile同用）：横断面文件；设计高程改为该行（测点）自身偏距处的"
       "路面高程，偏距超出最外侧部位时设计高程为空，“说明”为“超出路基范围”"
       "（inverse加“说明”列）",
       {C::Forward, C::Inverse}},
      {{"edges"},
       "",
       "forward（与--sections同用）：每个桩号后加边桩行，每侧每个部位的外边缘一行，"
       "“说明”如“左土路肩外”，偏角90",
       {C::Forward}},
      {{"h", "help"}, "", "显示本帮助", {}},
      {{"v", "version"}, "", "显示版本", {}},
  };
  return entries;
}

QString OptionName(const QString& name) {
  return (name.size() == 1 ? "-" : "--") + name;
}

QString EntryNames(const OptionEntry& entry) {
  QStringList shown;
  for (const QString& name : entry.names) shown << OptionName(name);
  return shown.join(QStringLiteral(", "));
}

QString CommandName(RouteCommand command) {
  switch (command) {
    case RouteCommand::Check:
      return QStringLiteral("check");
    case RouteCommand::Forward:
      return QStringLiteral("forward");
    case RouteCommand::Inverse:
      return QStringLiteral("inverse");
    case RouteCommand::FromJd:
      return QStringLiteral("from-jd");
    case RouteCommand::Export:
      return QStringLiteral("export");
    case RouteCommand::Profile:
      return QStringLiteral("profile");
    case RouteCommand::Sections:
      return QStringLiteral("sections");
  }
  return {};
}

ArgumentRefusal Refuse(const QString& message) {
  return {message};
}

// Reads a station option: metres, or K text with any letter prefix; where
// `pass` is given, with the suffix of a pass over a 长链's repeated stretch.
std::variant<ArgumentRefusal, double> StationOption(const QString& name, const QString& text,
                                                    int* pass = nullptr) {
  const std::string whole = text.toStdString();
  const StationPass split = SplitStationPass(whole);
  const std::string typed(pass ? split.station : std::string_view(whole));
  if (pass) *pass = split.pass;
  if (const std::optional<double> station = ReadStationText(typed)) return *station;
  const QString quoted = EchoedText(text);
  if (BeginsLikeStationText(typed))
    return Refuse(QStringLiteral("选项“--%1”的值“%2”不是有效的桩号！").arg(name, quoted));
  return Refuse(QStringLiteral("选项“--%1”的值").arg(name) +
                QString::fromStdString(NotANumberText(quoted.toStdString())));
}

// A prefix of K text as ReadStationText reads it back: ASCII letters only,
// which instruments also take in a point name.
bool IsStationPrefix(const QString& text) {
  return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  });
}

// Reads the value of option `name` strictly; `check` says whether the value
// is one the command can take.
std::variant<ArgumentRefusal, double> NumberOption(const QString& name, const QString& text,
                                                   bool (*check)(double) = nullptr,
                                                   const QString& range = {}) {
  const std::optional<double> value = ReadStrict(text.toStdString());
  if (!value)
    return Refuse(QStringLiteral("选项“--%1”的值").arg(name) +
                  QString::fromStdString(NotANumberText(EchoedText(text).toStdString())));
  if (check && !check(*value))
    return Refuse(QStringLiteral("选项“--%1”的值“%2”无效，应%3！").arg(name, text, range));
  return *value;
}

bool NotNegative(double v) {
  return v >= 0;
}

// The parser's own message in the system's words: the option it names.
ArgumentRefusal ParserRefusal(const QCommandLineParser& parser) {
  if (!parser.unknownOptionNames().isEmpty())
    return Refuse(QStringLiteral("未知选项“%1”！请用 --help 查看可用的选项。")
                      .arg(OptionName(parser.unknownOptionNames().front())));
  const QRegularExpressionMatch quoted =
      QRegularExpression(QStringLiteral("'([^']*)'")).match(parser.errorText());
  if (quoted.hasMatch())
    return Refuse(QStringLiteral("选项“%1”后缺少数值！").arg(quoted.captured(1)));
  return Refuse(QStringLiteral("命令行有误：%1").arg(parser.errorText()));
}

}  // namespace

QString RouteCommandHelp() {
  QString help = QStringLiteral(
      "用法：tarnvel-route 命令 ROUTE [POINTS] [选项]\n"
      "\n"
      "命令：\n"
      "  check ROUTE            检查线元表每个接头的闭合差，列出接头表\n"
      "  forward ROUTE          按里程计算中边桩坐标（正算），输出CSV；\n"
      "                         用 --from、--to、--step 给出里程范围，或用 --stations "
      "给出里程文件\n"
      "  inverse ROUTE POINTS   计算测点的里程和偏距（反算），输出CSV\n"
      "  from-jd JD_FILE -o ROUTE  由交点表计算线元表，写入ROUTE，并列出直线、曲线及转角表\n"
      "                         （交点号、交点桩号、X、Y、转角值、R、Ls1、Ls2、T1、T2、L、E、J、\n"
      "                         ZH、HY、QZ、YH、HZ、直线长、交点间距、计算方位角）\n"
      "  export ROUTE -o FILE.xml\n"
      "                         把路线写成LandXML 1.2文件（一条Alignment，方位角为十进制度）\n"
      "  profile PROFILE        "
      "列出竖曲线表（变坡点、桩号、高程、凸凹、R、T、E、L、竖曲线起终点、\n"
      "                         前后坡度和坡长；不给-o时以制表符分隔，给-o时写成CSV）；\n"
      "                         用 --from、--to、--step 或 --stations 时输出各桩号的设计高程，\n"
      "                         "
      "CSV“点名,里程,设计高程,坡度”（坡度为百分数）；桩号不在纵断面内时拒绝\n"
      "  sections S             用 --from、--to、--step 或 --stations 列出各桩号处每个部位的\n"
      "                         宽和坡（按横断面文件线性内插），CSV“点名,里程”加横断面文件的各列\n"
      "\n"
      "ROUTE 是线元表文件，每行一个线元：\n"
      "  "
      "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q[,名称]\n"
      "  （分隔符为逗号、全角逗号、制表符或空格；方位角为d.mmss格式，半径0为无穷大，\n"
      "  转向左-1、右1、直线0），也可以是主窗口保存的线元数据文件，\n"
      "  或者LandXML文件（文件名以.xml结尾；用 --alignment 选择其中的路线）。\n"
      "POINTS 是测点文件，每行“点名,X,Y[,H[,编码]]”；文件名以.dat结尾时为全站仪点文件，\n"
      "  每行“点名,编码,Y,X[,H]”。\n"
      "JD_FILE 是交点表文件，每行一个点：交点号,X,Y,R,Ls1,Ls2；第一行为起点BP，\n"
      "  最后一行为终点EP（其R、Ls1、Ls2为空或0）。ROUTE处都可以用 --jd JD_FILE 代替。\n"
      "S 是横断面文件（路基设计表）：标题行必须有，“桩号”后每侧每个部位两列“左/右+部位+宽”和\n"
      "  “左/右+部位+坡”（由中线向外），可加“设计线偏距”（左负）；每行一个桩号，宽为米，\n"
      "  坡为百分数（向外升高为正），两个桩号之间线性内插。\n"
      "\n"
      "forward、inverse输出的CSV：“里程”为米，“桩号”为K文本（如K0+520.000，前缀见 --prefix）；\n"
      "  负的里程没有K文本，两列都写成带负号的米数。偏距左负右正。\n"
      "  forward的点名：里程范围为桩号和偏距（如K0+520、K0+520L10.00，L左R右）；\n"
      "  里程文件为文件中的点名，一行有多个偏距时加上偏距；重复的点名依次加“_2”、“_3”…。\n"
      "forward的“-o”文件名以.dat结尾时，写成全站仪点文件，每行“点名,编码,Y,X,H”\n"
      "  （编码为主点名，H为空，用 --profile 时为设计高程；没有标题行，默认GBK编码）。\n"
      "\n"
      "选项：\n");
  for (const OptionEntry& entry : OptionEntries()) {
    QString left = EntryNames(entry);
    if (!entry.valueName.isEmpty()) left += u' ' + entry.valueName;
    help += QStringLiteral("  %1 %2\n").arg(left.leftJustified(22), entry.description);
  }
  help += QStringLiteral(
      "\n"
      "退出状态：0 成功；1 check发现接头超限；2 输入被拒绝（原因写到标准错误，不写输出文件）；\n"
      "3 前面的输出文件已写好，后面的一个未能写成（原因和已写的文件写到标准错误）。\n");
  return help;
}

std::variant<ArgumentRefusal, InformationText, RouteCommandLine> ParseRouteCommandLine(
    const QStringList& arguments) {
  QCommandLineParser parser;
  for (const OptionEntry& entry : OptionEntries())
    parser.addOption(QCommandLineOption(entry.names, entry.description, entry.valueName));
  if (!parser.parse(QStringList{QStringLiteral("tarnvel-route")} + arguments))
    return ParserRefusal(parser);
  if (parser.isSet(QStringLiteral("help"))) return InformationText{RouteCommandHelp()};
  if (parser.isSet(QStringLiteral("version")))
    return InformationText{
        QStringLiteral("tarnvel-route %1\n").arg(QCoreApplication::applicationVersion())};

  const QStringList positional = parser.positionalArguments();
  if (positional.isEmpty())
    return Refuse(
        QStringLiteral("请给出命令：check、forward、inverse、from-jd、export、profile或sections！"
                       "请用 --help 查看用法。"));
  RouteCommandLine line;
  const QString& command = positional.front();
  if (command == u"check") {
    line.command = RouteCommand::Check;
  } else if (command == u"forward") {
    line.command = RouteCommand::Forward;
  } else if (command == u"inverse") {
    line.command = RouteCommand::Inverse;
  } else if (command == u"from-jd") {
    line.command = RouteCommand::FromJd;
  } else if (command == u"export") {
    line.command = RouteCommand::Export;
  } else if (command == u"profile") {
    line.command = RouteCommand::Profile;
  } else if (command == u"sections") {
    line.command = RouteCommand::Sections;
  } else {
    return Refuse(QStringLiteral("未知命令“%1”，应为check、forward、inverse、from-jd、export、"
                                 "profile或sections！")
                      .arg(command));
  }
  // With --jd the JD file stands where ROUTE would.
  const bool profileCommand = line.command == RouteCommand::Profile;
  const bool sectionsCommand = line.command == RouteCommand::Sections;
  // profile and sections take no route: their --jd is refused below as any
  // option they do not serve.
  const bool jd = parser.isSet(QStringLiteral("jd")) && !profileCommand && !sectionsCommand;
  const qsizetype files = (line.command == RouteCommand::Inverse ? 2 : 1) - (jd ? 1 : 0);
  if (positional.size() - 1 < files) {
    if (line.command == RouteCommand::FromJd) return Refuse(QStringLiteral("请给出交点表文件！"));
    if (jd) return Refuse(QStringLiteral("请给出测点文件！"));
    if (profileCommand) return Refuse(QStringLiteral("请给出变坡点表文件！"));
    if (sectionsCommand) return Refuse(QStringLiteral("请给出横断面文件！"));
    return Refuse(line.command == RouteCommand::Inverse
                      ? QStringLiteral("请给出线元表文件和测点文件！")
                      : QStringLiteral("请给出线元表文件！"));
  }
  if (positional.size() - 1 > files)
    return Refuse(QStringLiteral("多余的参数“%1”！").arg(positional[files + 1]));
  if (profileCommand) {
    line.profile = positional[1];
  } else if (sectionsCommand) {
    line.sections = positional[1];
  } else {
    line.route = jd ? parser.value(QStringLiteral("jd")) : positional[1];
  }
  if (line.command == RouteCommand::Inverse) line.points = positional[files];
  line.source.jdTable = jd || line.command == RouteCommand::FromJd;

  for (const OptionEntry& entry : OptionEntries()) {
    if (entry.commands.empty() || !parser.isSet(entry.names.back())) continue;
    if (std::find(entry.commands.begin(), entry.commands.end(), line.command) ==
        entry.commands.end())
      return Refuse(QStringLiteral("选项“%1”不能用于%2命令！")
                        .arg(OptionName(entry.names.back()), CommandName(line.command)));
  }

  if (parser.isSet(QStringLiteral("start-station")) && !line.source.jdTable)
    return Refuse(QStringLiteral("选项“--start-station”只能用于from-jd命令或与“--jd”同用！"));
  if (line.command == RouteCommand::FromJd && !parser.isSet(QStringLiteral("output")))
    return Refuse(QStringLiteral("from-jd命令需要用“-o”给出要写的线元表文件！"));

  if (parser.isSet(QStringLiteral("output"))) line.output = parser.value(QStringLiteral("output"));
  if (parser.isSet(QStringLiteral("table"))) line.table = parser.value(QStringLiteral("table"));
  if (parser.isSet(QStringLiteral("pdf"))) line.pdf = parser.value(QStringLiteral("pdf"));
  if (parser.isSet(QStringLiteral("profile")) && !profileCommand)
    line.profile = parser.value(QStringLiteral("profile"));
  if (parser.isSet(QStringLiteral("alignment"))) {
    // It names the route's alignment, the profile's, or both, whichever is
    // LandXML.
    const QString name = parser.value(QStringLiteral("alignment"));
    const bool landXmlRoute = !profileCommand && IsLandXmlPath(line.route);
    const bool landXmlProfile = line.profile && IsLandXmlPath(*line.profile);
    if (!landXmlRoute && !landXmlProfile)
      return Refuse(QStringLiteral("选项“--alignment”只能用于LandXML文件（文件名以.xml结尾）！"));
    if (landXmlRoute) line.source.alignment = name;
    if (landXmlProfile) line.profileAlignment = name;
  }
  if (parser.isSet(QStringLiteral("encoding"))) {
    const QString code = parser.value(QStringLiteral("encoding")).toLower();
    if (code == u"utf8" || code == u"utf-8") {
      line.encoding = TextEncoding::Utf8;
    } else if (code == u"gbk") {
      line.encoding = TextEncoding::Gbk;
    } else {
      return Refuse(QStringLiteral("选项“--encoding”的值“%1”无效，应为utf8或gbk！")
                        .arg(parser.value(QStringLiteral("encoding"))));
    }
  }

  if (parser.isSet(QStringLiteral("prefix"))) {
    const QString prefix = parser.value(QStringLiteral("prefix"));
    if (!IsStationPrefix(prefix))
      return Refuse(QStringLiteral("选项“--prefix”的值“%1”无效，应为英文字母，如K、ZK！")
                        .arg(EchoedText(prefix)));
    line.prefix = prefix.toStdString();
  }
  if (parser.isSet(QStringLiteral("names"))) {
    const QString names = parser.value(QStringLiteral("names")).toLower();
    if (names != u"station" && names != u"serial")
      return Refuse(QStringLiteral("选项“--names”的值“%1”无效，应为station或serial！")
                        .arg(EchoedText(parser.value(QStringLiteral("names")))));
    line.serialNames = names == u"serial";
  }
  // A stakeout saved as .dat goes into an instrument, which takes no mark:
  // GBK unless told otherwise, as the route window saves it. The CSVs are
  // opened in Excel: in UTF-8 they begin with the mark that tells it so.
  line.surveyPointFile =
      line.command == RouteCommand::Forward && line.output && IsSurveyPointPath(*line.output);
  if (line.surveyPointFile) {
    if (!parser.isSet(QStringLiteral("encoding"))) line.encoding = TextEncoding::Gbk;
  } else if ((line.command == RouteCommand::Forward || line.command == RouteCommand::Inverse ||
              sectionsCommand ||
              (profileCommand &&
               (line.output || parser.isSet(QStringLiteral("from")) ||
                parser.isSet(QStringLiteral("to")) || parser.isSet(QStringLiteral("step")) ||
                parser.isSet(QStringLiteral("stations"))))) &&
             line.encoding == TextEncoding::Utf8) {
    // profile prints its 竖曲线表 for the terminal, unmarked, as from-jd does.
    line.encoding = TextEncoding::Utf8WithBom;
  }

  // Each numeric option: its name, where it goes, and what it must satisfy;
  // a station is given in metres or as K text.
  struct NumberEntry {
    const char* name;
    double* target;
    bool (*check)(double);
    const char* range;
    bool station = false;
    int* pass = nullptr;  // a station's pass over a 长链, for forward's range
  };
  double from = 0, to = 0, step = 0, curveStep = 0, startStation = 0;
  int fromPass = 1, toPass = 1;
  const bool forward = line.command == RouteCommand::Forward;
  const NumberEntry numbers[] = {
      {"tol-position", &line.tolerances.position_mm, NotNegative, "不小于0"},
      {"tol-azimuth", &line.tolerances.azimuth_sec, NotNegative, "不小于0"},
      {"from", &from, nullptr, "", true, forward ? &fromPass : nullptr},
      {"to", &to, nullptr, "", true, forward ? &toPass : nullptr},
      {"step", &step, [](double v) { return v > 0; }, "大于0"},
      {"curve-step", &curveStep, [](double v) { return v > 0; }, "大于0"},
      {"skew", &line.skewDms, nullptr, ""},
      {"max-offset", &line.maxOffset, NotNegative, "不小于0"},
      {"start-station", &startStation, nullptr, "", true},
  };
  for (const NumberEntry& entry : numbers) {
    const QString name = QString::fromLatin1(entry.name);
    if (!parser.isSet(name)) continue;
    auto value = entry.station ? StationOption(name, parser.value(name), entry.pass)
                               : NumberOption(name, parser.value(name), entry.check,
                                              QString::fromUtf8(entry.range));
    if (auto* refusal = std::get_if<ArgumentRefusal>(&value)) return *refusal;
    *entry.target = std::get<double>(value);
  }
  if (parser.isSet(QStringLiteral("start-station"))) line.source.startStation = startStation;
  if (parser.isSet(QStringLiteral("offset"))) {
    line.offsets.clear();
    for (const QString& text : parser.values(QStringLiteral("offset"))) {
      auto value = NumberOption(QStringLiteral("offset"), text);
      if (auto* refusal = std::get_if<ArgumentRefusal>(&value)) return *refusal;
      line.offsets.push_back(std::get<double>(value));
    }
  }
  line.keyPoints = parser.isSet(QStringLiteral("key-points"));
  line.all = parser.isSet(QStringLiteral("all"));

  if (line.command == RouteCommand::Forward) {
    const int rangeParts = parser.isSet(QStringLiteral("from")) +
                           parser.isSet(QStringLiteral("to")) +
                           parser.isSet(QStringLiteral("step"));
    const bool stations = parser.isSet(QStringLiteral("stations"));
    if (stations && rangeParts > 0)
      return Refuse(QStringLiteral("“--stations”不能与“--from”、“--to”、“--step”同时使用！"));
    if (!stations && rangeParts < 3)
      return Refuse(
          QStringLiteral("forward命令需要“--from”、“--to”和“--step”，或者“--stations”！"));
    if (stations && line.keyPoints)
      return Refuse(QStringLiteral("“--key-points”只能用于里程范围（--from、--to、--step）！"));
    if (stations && parser.isSet(QStringLiteral("names")))
      return Refuse(
          QStringLiteral("“--names”只能用于里程范围（--from、--to、--step）；"
                         "里程文件的点名取自文件！"));
    if (stations && parser.isSet(QStringLiteral("curve-step")))
      return Refuse(QStringLiteral("“--curve-step”只能用于里程范围（--from、--to、--step）！"));
    if (stations) {
      line.stations = parser.value(QStringLiteral("stations"));
    } else {
      line.range = StationRange{from, to, step, curveStep, fromPass, toPass};
    }
  }
  if (profileCommand) {
    const int rangeParts = parser.isSet(QStringLiteral("from")) +
                           parser.isSet(QStringLiteral("to")) +
                           parser.isSet(QStringLiteral("step"));
    const bool stations = parser.isSet(QStringLiteral("stations"));
    if (stations && rangeParts > 0)
      return Refuse(QStringLiteral("“--stations”不能与“--from”、“--to”、“--step”同时使用！"));
    if (rangeParts > 0 && rangeParts < 3)
      return Refuse(QStringLiteral("profile命令的里程范围需要“--from”、“--to”和“--step”！"));
    if (rangeParts == 0 && line.keyPoints)
      return Refuse(QStringLiteral("“--key-points”只能用于里程范围（--from、--to、--step）！"));
    if (stations) {
      line.stations = parser.value(QStringLiteral("stations"));
    } else if (rangeParts == 3) {
      line.range = StationRange{from, to, step, 0};
    }
  }
  if (sectionsCommand) {
    const int rangeParts = parser.isSet(QStringLiteral("from")) +
                           parser.isSet(QStringLiteral("to")) +
                           parser.isSet(QStringLiteral("step"));
    const bool stations = parser.isSet(QStringLiteral("stations"));
    if (stations && rangeParts > 0)
      return Refuse(QStringLiteral("“--stations”不能与“--from”、“--to”、“--step”同时使用！"));
    if (!stations && rangeParts < 3)
      return Refuse(
          QStringLiteral("sections命令需要“--from”、“--to”和“--step”，或者“--stations”！"));
    if (stations) {
      line.stations = parser.value(QStringLiteral("stations"));
    } else {
      line.range = StationRange{from, to, step, 0};
    }
  }
  // The sections give heights across the road only from the profile's
  // height at the design line, and the edges are the sections' own.
  if (parser.isSet(QStringLiteral("sections"))) {
    if (!line.profile) return Refuse(QStringLiteral("“--sections”需要与“--profile”同用！"));
    line.sections = parser.value(QStringLiteral("sections"));
  }
  line.edges = parser.isSet(QStringLiteral("edges"));
  if (line.edges && !line.sections)
    return Refuse(QStringLiteral("“--edges”需要与“--sections”同用！"));
  return line;
}

}  // namespace tarnvel
