#include "grid/field_descriptions.h"

#include <QFile>
#include <QStringList>

namespace veltrane::grid {
namespace {

// The tab-separated rows of a resource table, comment lines left out.
std::vector<QStringList> ReadTable(const QString& resource) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) qFatal("missing resource");
  std::vector<QStringList> rows;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
    if (line.isEmpty() || line.startsWith('#')) continue;
    rows.push_back(line.split('\t'));
  }
  return rows;
}

}  // namespace

const FieldDescriptions& FieldDescriptions::Cnmarc() {
  static const FieldDescriptions tables = [] {
    FieldDescriptions loaded;
    for (const QStringList& row : ReadTable(":/grid/fields.tsv")) {
      loaded.fields_[row.value(0)] = row.value(1).trimmed();
    }
    for (const QStringList& row : ReadTable(":/grid/subfields.tsv")) {
      loaded.subfields_[row.value(0)].push_back(
          {row.value(1).trimmed(), row.value(2).trimmed()});
    }
    return loaded;
  }();
  return tables;
}

QString FieldDescriptions::FieldName(const QString& tag) const {
  auto field = fields_.find(tag);
  return field == fields_.end() ? QString() : field->second;
}

const std::vector<SubfieldDescription>& FieldDescriptions::Subfields(
    const QString& tag) const {
  static const std::vector<SubfieldDescription> kNone;
  auto rows = subfields_.find(tag);
  return rows == subfields_.end() ? kNone : rows->second;
}

int FieldDescriptions::SubfieldCount() const {
  int count = 0;
  for (const auto& [tag, rows] : subfields_) {
    count += static_cast<int>(rows.size());
  }
  return count;
}

QString FieldHelpText(const QString& tag) {
  const FieldDescriptions& tables = FieldDescriptions::Cnmarc();
  QString text = tables.FieldName(tag);
  if (text.isNull()) return QString();
  for (const SubfieldDescription& subfield : tables.Subfields(tag)) {
    text += '\n' + subfield.code + QStringLiteral("：") + subfield.name;
  }
  return text;
}

}  // namespace veltrane::grid
