#include "app/route_command/command_output.h"

#include <cstdio>

#include "app/route_command/command_outcome.h"
#include "io/files/gbk_file_writer.h"
#include "io/files/text_encoding.h"

namespace tarnvel {

namespace {

const QString kStandardOutputFailure = QStringLiteral("写入标准输出时出错，输出不完整！");

}  // namespace

CommandOutput::CommandOutput(std::optional<QString> path, TextEncoding encoding)
    : path_(std::move(path)),
      stream_(encoding, [this](QByteArrayView bytes) { return WriteChunk(bytes); }) {}

bool CommandOutput::WriteChunk(QByteArrayView bytes) {
  if (!path_) {
    const auto size = static_cast<size_t>(bytes.size());
    if (std::fwrite(bytes.data(), 1, size, stdout) == size) return true;
    failure_ = kStandardOutputFailure;
    return false;
  }
  if (!file_) {
    auto begun = SavingFile::Begin(*path_);
    if (const auto* refusal = std::get_if<FileRefusal>(&begun)) {
      failure_ = refusal->message;
      return false;
    }
    file_ = std::move(std::get<std::unique_ptr<SavingFile>>(begun));
  }
  if (file_->Write(bytes)) return true;
  failure_ = file_->Finish()->message;  // refused: a write failed
  return false;
}

bool CommandOutput::Failed() {
  if (const std::optional<char32_t> character = stream_.unencodable())
    failure_ = path_ ? CannotSave(*path_, OutsideGbkReason(*character)).message
                     : QStringLiteral("输出中的%1！").arg(OutsideGbkReason(*character));
  return false;
}

bool CommandOutput::Add(std::string_view utf8) {
  return stream_.Add(utf8) || Failed();
}

std::optional<QString> CommandOutput::Drain() {
  if (!stream_.Flush()) {
    Failed();
    return failure_;
  }
  if (!path_) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return std::nullopt;
    return kStandardOutputFailure;
  }
  if (!file_ && !WriteChunk({})) return failure_;
  return std::nullopt;
}

std::optional<QString> CommandOutput::Flush() {
  if (const auto failure = Drain()) return failure;
  if (!path_) return std::nullopt;
  if (const auto refusal = file_->Flush()) return refusal->message;
  return std::nullopt;
}

std::optional<QString> CommandOutput::Finish() {
  if (const auto failure = Drain()) return failure;
  if (!path_) return std::nullopt;
  if (const auto refusal = file_->Finish()) return refusal->message;
  return std::nullopt;
}

QString PartlyWrittenMessage(const QString& refusal, const QStringList& written) {
  QStringList names;
  for (const QString& path : written) names << QStringLiteral("“%1”").arg(FileNameForMessage(path));
  return refusal + QStringLiteral("已写入的文件：%1。").arg(names.join(u'、'));
}

}  // namespace tarnvel
