#include "app/text_codec.h"

#include <QFile>

#include "util/encoding.h"

namespace veltrane::app {

QString FromGbk(std::string_view gbk) {
  return QString::fromStdString(GbkToUtf8(gbk));
}

QString FromRecordBytes(std::string_view bytes) {
  return QString::fromStdString(DecodeForDisplay(bytes));
}

std::string ToGbk(const QString& text) { return Utf8ToGbk(text.toStdString()); }

QString RecordForDisplay(std::string_view record) {
  QString text = FromRecordBytes(record);
  text.replace(QChar(0x1F), QStringLiteral("■"));
  text.replace(QChar(0x1E), QChar('\n'));
  text.replace(QChar(0x1D), QChar('\n'));
  return text;
}

std::string ToPath(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

QString FromPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace veltrane::app
