// The CNMARC field and subfield description tables behind the grid's
// description column and help panel. Loaded once from the program's
// resources; read-only afterwards.
#ifndef VELTRANE_GRID_FIELD_DESCRIPTIONS_H_
#define VELTRANE_GRID_FIELD_DESCRIPTIONS_H_

#include <QString>
#include <map>
#include <vector>

namespace veltrane::grid {

struct SubfieldDescription {
  QString code;  // one character: a-z, A-Z or a digit
  QString name;
};

class FieldDescriptions {
 public:
  // The tables shipped with the program.
  static const FieldDescriptions& Cnmarc();

  // The field's name; a null QString for a tag without a row.
  QString FieldName(const QString& tag) const;
  // The field's subfields in code order; empty for a tag without rows.
  const std::vector<SubfieldDescription>& Subfields(const QString& tag) const;

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  int SubfieldCount() const;

 private:
  FieldDescriptions() = default;

  std::map<QString, QString> fields_;
  std::map<QString, std::vector<SubfieldDescription>> subfields_;
};

// The help panel's text for `tag`: the field's name, then a line
// "code：name" per subfield; empty for a tag without a row.
QString FieldHelpText(const QString& tag);

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_FIELD_DESCRIPTIONS_H_
