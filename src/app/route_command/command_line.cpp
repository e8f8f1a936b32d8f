#include "app/route_command/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "core/text/number_reading.h"
#include "core/text/refusal.h"
#include "core/text/station_text.h"
#include "io/files/echoed_text.h"
#include "io/files/text_encoding.h"

namespace tarnvel {

namespace {

// One option: its names, its value's name (empty for a switch) and what the
// help says of it. The commands say which they take.
struct OptionEntry {
  QStringList names;
  QString valueName;
  QString description;
};

// The options every command takes.
const QStringList kEveryCommand = {"output", "alignment", "help", "version"};

const std::vector<OptionEntry>& OptionEntries() {
  static const std::vector<OptionEntry> entries = {
      {{"o", "output"},
       "FILE",
       "结果写入文件（全部写成或不写）；不给出时写到标准输出；from-jd：线元表文件"},
      {{"encoding"},
       "CODE",
       "输出编码：utf8（默认；forward、inverse、profile、sections的CSV和from-jd的--"
       "table文件前加BOM，"
       "Excel可直接打开）或gbk；from-jd的线元表和标准输出也用它"},
      {{"table"}, "FILE", "from-jd：把直线、曲线及转角表写成CSV文件"},
      {{"pdf"},
       "FILE",
       "forward、from-jd、check、slopes、earthworks：另把逐桩坐标表、直线、曲线及转角表、接头表、"
       "坡脚坡口表或路基土石方数量计算表打印成PDF文件"
       "（A4，标题、线路、日期、单位，每页有表头和页码）"},
      {{"jd"}, "JD_FILE", "check、forward、inverse、export：以交点表文件代替ROUTE"},
      {{"start-station"},
       "K",
       "交点表起点BP的桩号，米或K0+000.000形式（默认0），用于from-jd或--jd"},
      {{"alignment"},
       "NAME",
       "ROUTE为LandXML文件时：导入名为NAME的路线（默认第一条）；PROFILE或--profile为LandXML文件时"
       "取该路线的纵断面"},
      {{"tol-position"},
       "MM",
       "check：位置闭合差限差，毫米（默认2）；forward：“--to”超出线路端点不多于此时取端点"},
      {{"tol-azimuth"}, "SEC", "check：方位角闭合差限差，秒（默认2）"},
      {{"from"},
       "K",
       "forward、profile、sections：起始桩号，米或K0+000.000形式；forward：长链重复段内的桩号加“_2”"
       "指第二支（如K1+190_2），不加指第一支"},
      {{"to"},
       "K",
       "forward、profile、sections：终止桩号，米或K0+000.000形式（含终止桩号）；forward：可加“_"
       "2”，同上"},
      {{"step"},
       "J",
       "forward、profile、sections：里程间隔，米：起止桩号及其间J的每个整倍数（整桩）"},
      {{"curve-step"}, "S", "forward：缓和曲线和圆曲线内另加S的每个整倍数里程，米"},
      {{"stations"},
       "FILE",
       "forward：里程文件，每行“点名,里程[,偏距[,偏角]]”，里程可加“_2”，同--from；"
       "profile、sections：只取点名和里程"},
      {{"offset"}, "M", "forward：偏距，米，左负右正；可重复，每个偏距一行（默认0）"},
      {{"skew"}, "A", "forward：偏角，d.mmss格式（默认90）"},
      {{"key-points"},
       "",
       "forward：在里程范围内插入主点（ZH、HY、QZ等）；profile：插入变坡点和竖曲线起终点，"
       "加“说明”列"},
      {{"names"},
       "KIND",
       "forward：里程范围的点名：station（默认，桩号和偏距，如K0+520L10.00）"
       "或serial（1、2、3…）"},
      {{"prefix"},
       "P",
       "forward、inverse、from-jd、profile、sections：桩号的前缀，英文字母（默认K）"},
      {{"max-offset"}, "M", "inverse：最大偏距，米（默认100）"},
      {{"all"}, "", "inverse：列出每个垂足，不只最近的一个"},
      {{"profile"},
       "PROFILE",
       "export：把纵断面写入路线；forward：加“设计高程”列（.dat文件写入H），"
       "不用--"
       "sections时偏距行也取中桩的设计高程，纵断面范围外为空；inverse：加“设计高程”（垂足处）、"
       "“高差”（测点H减设计高程）和“挖填”（高差正为挖、负为填）列，测点无H时高差和挖填为空；"
       "PROFILE为变坡点表文件或LandXML文件（.xml）"},
      {{"sections"},
       "S",
       "forward、inverse（与--profile同用）：横断面文件；设计高程改为该行（测点）自身偏距处的"
       "路面高程，偏距超出最外侧部位时设计高程为空，“说明”为“超出路基范围”"
       "（inverse加“说明”列）"},
      {{"edges"},
       "",
       "forward（与--sections同用）：每个桩号后加边桩行，每侧每个部位的外边缘一行，"
       "“说明”如“左土路肩外”，偏角90"},
      {{"ground"},
       "G",
       "slopes、earthworks、forward、inverse（与--slopes同用）：横断面地面线文件（BEGIN,桩号 "
       "块或“桩号,偏距,高程”表）"},
      {{"tin"},
       "T",
       "ground：地面模型；slopes、earthworks、forward、inverse：以地面模型代替--"
       "ground：点文件（“点名,X,Y,"
       "H”，或.dat"
       "“点名,编码,Y,X,H”）按Delaunay构成三角网，或LandXML文件（.xml）的第一个Surface"},
      {{"max-edge"},
       "L",
       "--tin为点文件时：逐层去掉外边界上边长大于L米的三角形，免得凹形测区被连通（默认全保留）"},
      {{"ground-width"}, "W", "--tin：横断面地面线从左W米切到右W米（默认50）"},
      {{"centre"}, "", "ground：改为输出中桩处的地面高程，CSV“桩号,里程,地面高程”"},
      {{"curvature-correction"},
       "",
       "earthworks：按面积形心的偏距修正曲线上的体积（Pappus），面积列不变"},
      {{"slopes"},
       "B",
       "slopes、earthworks：边坡文件；inverse（与--"
       "sections同用）：路基以外的测点取边坡上的设计高程，"
       "加“距坡脚坡口”列"},
      {{"breaks"}, "", "slopes：坡脚坡口之前每个边坡变坡点（平台内外缘、边沟沟底和外缘）另加一行"},
      {{"h", "help"}, "", "显示本帮助"},
      {{"v", "version"}, "", "显示版本"},
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

// The commands' names, as a refusal lists them: "a、b或c".
QString CommandNames() {
  QStringList names;
  for (const RouteCommandEntry& command : RouteCommands()) names << command.name;
  const QString last = names.takeLast();
  return names.join(u'、') + u'或' + last;
}

// The files given by position, or with --jd for the first; the refusal of
// too few or too many.
std::variant<ArgumentRefusal, CommandFiles> ReadFiles(const std::vector<FileKind>& kinds,
                                                      const QCommandLineParser& parser) {
  static const char* const kNames[] = {"线元表文件", "交点表文件", "测点文件", "变坡点表文件",
                                       "横断面文件"};  // by FileKind
  QStringList named = parser.positionalArguments().mid(1);
  const bool routeFirst = kinds[0] == FileKind::Route || kinds[0] == FileKind::JdTable;
  const bool jd = parser.isSet("jd") && routeFirst;
  const qsizetype given = static_cast<qsizetype>(kinds.size()) - jd;
  if (named.size() < given) {
    QStringList missing;
    for (size_t i = jd; i < kinds.size(); ++i) missing << kNames[static_cast<int>(kinds[i])];
    return Refuse(QStringLiteral("请给出%1！").arg(missing.join(u'和')));
  }
  if (named.size() > given) return Refuse(QStringLiteral("多余的参数“%1”！").arg(named[given]));
  if (jd) named.prepend(parser.value("jd"));
  CommandFiles files;
  for (size_t i = 0; i < kinds.size(); ++i) {
    const QString& file = named[static_cast<qsizetype>(i)];
    if (kinds[i] == FileKind::Points) files.points = file;
    if (kinds[i] == FileKind::Profile) files.profile = file;
    if (kinds[i] == FileKind::Sections) files.sections = file;
    if (i == 0 && routeFirst) files.route = file;
  }
  files.source.jdTable = jd || kinds[0] == FileKind::JdTable;
  return files;
}

// A table's stations: a range, or a stations file, as the command's rule
// asks. Only a range has key points, stations to name and a curve's step.
std::optional<ArgumentRefusal> StationsRefusal(const RouteCommandEntry& command,
                                               const QCommandLineParser& parser) {
  if (command.stations == StationsRule::None) return std::nullopt;
  const int rangeParts = parser.isSet("from") + parser.isSet("to") + parser.isSet("step");
  const bool stations = parser.isSet("stations");
  if (stations && rangeParts > 0)
    return Refuse(QStringLiteral("“--stations”不能与“--from”、“--to”、“--step”同时使用！"));
  if (command.stations == StationsRule::Required && !stations && rangeParts < 3)
    return Refuse(QStringLiteral("%1命令需要“--from”、“--to”和“--step”，或者“--stations”！")
                      .arg(command.name));
  if (rangeParts > 0 && rangeParts < 3)
    return Refuse(
        QStringLiteral("%1命令的里程范围需要“--from”、“--to”和“--step”！").arg(command.name));
  if (rangeParts == 3) return std::nullopt;
  const std::pair<const char*, const char*> rangeOnly[] = {
      {"key-points", "“--key-points”只能用于里程范围（--from、--to、--step）！"},
      {"names", "“--names”只能用于里程范围（--from、--to、--step）；里程文件的点名取自文件！"},
      {"curve-step", "“--curve-step”只能用于里程范围（--from、--to、--step）！"},
  };
  for (const auto& [option, message] : rangeOnly)
    if (parser.isSet(option)) return Refuse(message);
  return std::nullopt;
}

// The help: the commands, every option with its value and default, the exit
// statuses.
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
      "  slopes ROUTE --profile P --sections S --ground G --slopes B\n"
      "                         用 --from、--to、--step 或 --stations 计算每个桩号左右两侧的\n"
      "                         坡脚（填）或坡口（挖），CSV“点名,桩号,里程,侧,填挖,边缘偏距,\n"
      "                         边缘高程,地面高程,填挖高,坡脚坡口偏距,X,Y,高程,平距,说明”\n"
      "  ground ROUTE --tin T   用 --from、--to、--step 或 --stations 由地面模型切出各桩号的\n"
      "                         横断面地面线，写成“BEGIN,桩号”块和“偏距,高程”行（UTF-8，无BOM）；\n"
      "                         --centre 时写中桩地面高程，CSV“桩号,里程,地面高程”\n"
      "  earthworks ROUTE --profile P --sections S --ground G（或 --tin T）--slopes B\n"
      "                         用 --from、--to、--step 或 --stations "
      "计算路基土石方数量表（平均断面法），\n"
      "                         CSV“桩号,里程,挖方面积,填方面积,距离,挖方体积,填方体积,累计挖方,\n"
      "                         累计填方,说明”，末行为合计\n"
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
      "G 是横断面地面线文件：“BEGIN,桩号”行后每行“偏距,高程”（左负），或标题行为\n"
      "  “桩号,偏距,高程”的表，每行一个地面点；桩号沿线路递增，同一桩号的偏距递增。\n"
      "T 是地面模型：点文件每行“点名,X,Y,H”（文件名以.dat结尾时为“点名,编码,Y,X,H”），按Delaunay\n"
      "  构成三角网，平面距离不到1毫米的重复点只留第一个；或LandXML文件（.xml）第一个Surface的\n"
      "  点和三角形（i=\"1\"的不可见三角形不用）。\n"
      "B 是边坡文件，每行“桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,平台1,\n"
      "  坡率2,…”：侧为左或右，填挖为填或挖，坡率为1:m的m，最后一级坡率没有坡高和平台，\n"
      "  边沟只用于挖方；自该桩号起用到同侧同填挖的下一行。\n"
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

}  // namespace

double CommandArguments::number(const QString& name, double otherwise) const {
  const auto found = numbers_.find(name);
  return found == numbers_.end() ? otherwise : found->second;
}

std::string CommandArguments::prefix() const {
  return isSet("prefix") ? value("prefix").toStdString() : "K";
}

JointTolerances CommandArguments::tolerances() const {
  JointTolerances tolerances;
  tolerances.position_mm = number("tol-position", tolerances.position_mm);
  tolerances.azimuth_sec = number("tol-azimuth", tolerances.azimuth_sec);
  return tolerances;
}

std::optional<StationRange> CommandArguments::range() const {
  if (!isSet("step")) return std::nullopt;
  return StationRange{number("from", 0),       number("to", 0), number("step", 0),
                      number("curve-step", 0), fromPass_,       toPass_};
}

std::optional<ArgumentRefusal> CommandArguments::ReadValues(bool passes) {
  if (isSet("encoding")) {
    const QString code = value("encoding").toLower();
    if (code == u"utf8" || code == u"utf-8") {
      encoding_ = TextEncoding::Utf8;
    } else if (code == u"gbk") {
      encoding_ = TextEncoding::Gbk;
    } else {
      return Refuse(
          QStringLiteral("选项“--encoding”的值“%1”无效，应为utf8或gbk！").arg(value("encoding")));
    }
  }
  if (isSet("prefix") && !IsStationPrefix(value("prefix")))
    return Refuse(QStringLiteral("选项“--prefix”的值“%1”无效，应为英文字母，如K、ZK！")
                      .arg(EchoedText(value("prefix"))));
  if (isSet("names")) {
    const QString names = value("names").toLower();
    if (names != u"station" && names != u"serial")
      return Refuse(QStringLiteral("选项“--names”的值“%1”无效，应为station或serial！")
                        .arg(EchoedText(value("names"))));
  }
  // Each numeric option and what it must satisfy; a station is given in
  // metres or as K text.
  struct NumberEntry {
    const char* name;
    bool (*check)(double);
    const char* range;
    bool station = false;
    int* pass = nullptr;  // a station's pass over a 长链
  };
  const NumberEntry numbers[] = {
      {"tol-position", NotNegative, "不小于0"},
      {"tol-azimuth", NotNegative, "不小于0"},
      {"from", nullptr, "", true, passes ? &fromPass_ : nullptr},
      {"to", nullptr, "", true, passes ? &toPass_ : nullptr},
      {"step", [](double v) { return v > 0; }, "大于0"},
      {"curve-step", [](double v) { return v > 0; }, "大于0"},
      {"skew", nullptr, ""},
      {"max-offset", NotNegative, "不小于0"},
      {"max-edge", [](double v) { return v > 0; }, "大于0"},
      {"ground-width", [](double v) { return v > 0; }, "大于0"},
      {"start-station", nullptr, "", true},
  };
  for (const NumberEntry& entry : numbers) {
    const QString name = QString::fromLatin1(entry.name);
    if (!isSet(name)) continue;
    auto read = entry.station
                    ? StationOption(name, value(name), entry.pass)
                    : NumberOption(name, value(name), entry.check, QString::fromUtf8(entry.range));
    if (auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
    numbers_[name] = std::get<double>(read);
  }
  if (isSet("offset")) {
    offsets_.clear();
    for (const QString& text : parser_.values("offset")) {
      auto read = NumberOption(QStringLiteral("offset"), text);
      if (auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
      offsets_.push_back(std::get<double>(read));
    }
  }
  return std::nullopt;
}

std::variant<ArgumentRefusal, InformationText, ReadyCommand> ParseRouteCommandLine(
    const QStringList& arguments) {
  QCommandLineParser parser;
  for (const OptionEntry& entry : OptionEntries())
    parser.addOption(QCommandLineOption(entry.names, entry.description, entry.valueName));
  if (!parser.parse(QStringList{QStringLiteral("tarnvel-route")} + arguments))
    return ParserRefusal(parser);
  if (parser.isSet("help")) return InformationText{RouteCommandHelp()};
  if (parser.isSet("version"))
    return InformationText{
        QStringLiteral("tarnvel-route %1\n").arg(QCoreApplication::applicationVersion())};

  const QStringList positional = parser.positionalArguments();
  if (positional.isEmpty())
    return Refuse(QStringLiteral("请给出命令：%1！请用 --help 查看用法。").arg(CommandNames()));
  const std::vector<RouteCommandEntry>& commands = RouteCommands();
  const auto command = std::find_if(commands.begin(), commands.end(),
                                    [&](const auto& c) { return c.name == positional.front(); });
  if (command == commands.end())
    return Refuse(QStringLiteral("未知命令“%1”，应为%2！").arg(positional.front(), CommandNames()));
  auto read = ReadFiles(command->inputs.files, parser);
  if (auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  CommandFiles& files = std::get<CommandFiles>(read);

  for (const OptionEntry& entry : OptionEntries()) {
    const QString& name = entry.names.back();
    if (parser.isSet(name) && !kEveryCommand.contains(name) && !command->options.contains(name))
      return Refuse(
          QStringLiteral("选项“%1”不能用于%2命令！").arg(OptionName(name), command->name));
  }
  if (parser.isSet("start-station") && !files.source.jdTable)
    return Refuse(QStringLiteral("选项“--start-station”只能用于from-jd命令或与“--jd”同用！"));
  if (!command->inputs.requiredOutput.isEmpty() && !parser.isSet("output"))
    return Refuse(QStringLiteral("%1命令需要用“-o”给出要写的%2！")
                      .arg(command->name, command->inputs.requiredOutput));

  for (auto [name, file] : {std::pair{"output", &files.output},
                            {"table", &files.table},
                            {"pdf", &files.pdf},
                            {"stations", &files.stations},
                            {"profile", &files.profile},
                            {"sections", &files.sections},
                            {"ground", &files.ground},
                            {"tin", &files.tin},
                            {"slopes", &files.slopes}})
    if (parser.isSet(QString::fromLatin1(name))) *file = parser.value(QString::fromLatin1(name));
  if (parser.isSet("alignment")) {
    // It names the route's alignment, the profile's, or both, whichever is
    // LandXML.
    const QString name = parser.value("alignment");
    const bool landXmlRoute = IsLandXmlPath(files.route);
    const bool landXmlProfile = files.profile && IsLandXmlPath(*files.profile);
    if (!landXmlRoute && !landXmlProfile)
      return Refuse(QStringLiteral("选项“--alignment”只能用于LandXML文件（文件名以.xml结尾）！"));
    if (landXmlRoute) files.source.alignment = name;
    if (landXmlProfile) files.profileAlignment = name;
  }
  CommandArguments values(parser);
  // Only a route has the passes of a 长链.
  if (auto refusal = values.ReadValues(command->inputs.files.front() == FileKind::Route))
    return *refusal;
  if (values.isSet("start-station")) files.source.startStation = values.number("start-station", 0);
  if (values.isSet("max-edge")) files.maxEdge = values.number("max-edge", 0);
  files.groundWidth = values.number("ground-width", kDefaultGroundWidth);
  // The CSVs are opened in Excel: in UTF-8 they begin with the mark that
  // tells it so.
  files.encoding = values.encoding().value_or(TextEncoding::Utf8);
  if (command->output == OutputMode::Csv && files.encoding == TextEncoding::Utf8)
    files.encoding = TextEncoding::Utf8WithBom;

  if (auto refusal = StationsRefusal(*command, parser)) return *refusal;
  if (command->name == u"earthworks" &&
      !(parser.isSet("profile") && parser.isSet("sections") && parser.isSet("slopes") &&
        (parser.isSet("ground") || parser.isSet("tin"))))
    return Refuse(QStringLiteral(
        "earthworks命令需要“--profile”、“--sections”、“--ground”（或“--tin”）和“--slopes”！"));
  // The sections give heights across the road only from the profile's
  // height at the design line, and the edges are the sections' own.
  if (parser.isSet("sections") && !files.profile)
    return Refuse(QStringLiteral("“--sections”需要与“--profile”同用！"));
  if (parser.isSet("edges") && !parser.isSet("sections"))
    return Refuse(QStringLiteral("“--edges”需要与“--sections”同用！"));
  // The slopes start at the sections' outer edge, and the ground is read
  // for them.
  if (parser.isSet("slopes") && !parser.isSet("sections"))
    return Refuse(QStringLiteral("“--slopes”需要与“--profile”和“--sections”同用！"));
  // The ground is one, surveyed in lines or as a surface.
  if (parser.isSet("ground") && parser.isSet("tin"))
    return Refuse(QStringLiteral("“--ground”和“--tin”不能同时使用！"));
  for (const char* option : {"max-edge", "ground-width"})
    if (parser.isSet(option) && !parser.isSet("tin"))
      return Refuse(QStringLiteral("“--%1”需要与“--tin”同用！").arg(QString::fromLatin1(option)));
  // A LandXML surface is used as its faces give it.
  if (parser.isSet("max-edge") && IsLandXmlPath(*files.tin))
    return Refuse(QStringLiteral("“--max-edge”只用于点文件，LandXML地面模型的三角形按原样使用！"));
  const bool ground = parser.isSet("ground") || parser.isSet("tin");
  if (command->name == u"ground" && !parser.isSet("tin"))
    return Refuse(QStringLiteral("ground命令需要“--tin”！"));
  for (const char* option : {"ground", "tin"})
    if (parser.isSet(option) && !parser.isSet("slopes") && command->name != u"ground")
      return Refuse(
          QStringLiteral("“--%1”需要与“--slopes”同用！").arg(QString::fromLatin1(option)));
  // A stakeout's catch points come after its 边桩, from the ground.
  if (command->name == u"forward" && parser.isSet("slopes") && !(ground && parser.isSet("edges")))
    return Refuse(
        QStringLiteral("forward命令的“--slopes”需要与“--ground”（或“--tin”）和“--edges”同用！"));
  if (command->name == u"slopes" && !ground)
    return Refuse(QStringLiteral(
        "slopes命令需要“--profile”、“--sections”、“--ground”（或“--tin”）和“--slopes”！"));
  return command->read(values, files);
}

}  // namespace tarnvel
