// GBK data shown in and typed into widgets.
#ifndef VELTRANE_APP_TEXT_CODEC_H_
#define VELTRANE_APP_TEXT_CODEC_H_

#include <QString>
#include <string>
#include <string_view>

namespace veltrane::app {

// GBK bytes as text for display.
QString FromGbk(std::string_view gbk);
// Record bytes (a record text, a field, a title from the buyer table) as text
// for display, decoded by their own encoding (DecodeForDisplay).
QString FromRecordBytes(std::string_view bytes);
// What a person typed, as GBK bytes.
std::string ToGbk(const QString& text);

// A record text for a person, decoded by its encoding: subfield delimiters as
// "■", one field a line.
QString RecordForDisplay(std::string_view record);

// A file name from an edit box as the core takes it (bytes of the local
// file-name encoding), and back.
std::string ToPath(const QString& name);
QString FromPath(const std::string& path);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_TEXT_CODEC_H_
