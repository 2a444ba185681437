// How a cell's value becomes the text the program reads (`ReadCell`).
//
// A number reads in general decimal form with up to 15 significant digits
// (an ISBN stored as a number reads "9787500637721"), switching to exponent
// form only beyond that ("1.23456789012346E+17", "1E-05"). A number in a cell
// formatted as a date reads "yyyy-mm-dd" (a date with a time of day too); one
// formatted as a time of day only reads "hh:mm:ss".
#ifndef VELTRANE_SHEET_CELL_TEXT_H_
#define VELTRANE_SHEET_CELL_TEXT_H_

#include <string>
#include <string_view>

namespace veltrane {

std::string FormatNumber(double value);

enum class NumberKind { kNumber, kDate, kTime };

// The kind of a number format code as a workbook stores it ("0.00",
// "yyyy-mm-dd", "h:mm", "[$-804]yyyy\"年\"m\"月\"d\"日\""): quoted texts,
// escaped characters and bracketed parts do not count, elapsed-time brackets
// ([h]) make a time.
NumberKind KindOfFormatCode(std::string_view code);

// The kind of a built-in number format (ids 14-17, 22, 27-36, 50-58 are
// dates; 18-21, 45-47 are times).
NumberKind KindOfBuiltinFormat(int id);

// The text of `value` in a cell of that kind; `date1904` chooses the date
// system. Serials outside the years 1900-9999 read as numbers.
std::string FormatCellNumber(double value, NumberKind kind, bool date1904);

}  // namespace veltrane

#endif  // VELTRANE_SHEET_CELL_TEXT_H_
