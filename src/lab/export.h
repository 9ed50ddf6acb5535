#ifndef BRAMBLE_LAB_EXPORT_H_
#define BRAMBLE_LAB_EXPORT_H_

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "lab/reports.h"

namespace bramble::lab {

/// The lab's results for scripts: JSON documents and CSV tables, UTF-8,
/// each line ending in a line feed. Keys of both are snake_case. Names are
/// given as Unicode text and, in JSON, also as the game's bytes in
/// hexadecimal ("gbk"), which identify a fighter exactly. The README's
/// section on output for scripts describes every field.

/// The JSON documents are written in documents.cpp, each kind beside its
/// reader (json_read.h), so that a key is named once.

/// The version of the JSON documents' layout, in each as "schema".
constexpr int kJsonSchema = 2;

/// A report's JSON document, as text (the browser's lab takes the text and
/// needs no streams) or written to a stream.
std::string JsonText(const PairReport& report);
/// The matrix and every name's figures of a ranking.
std::string JsonText(const RankReport& report);
std::string JsonText(const ReplayReport& report);
void WriteJson(std::ostream& out, const PairReport& report);
void WriteJson(std::ostream& out, const RankReport& report);
void WriteJson(std::ostream& out, const ReplayReport& report);

void WriteCsv(std::ostream& out, const PairReport& report);
void WriteCsv(std::ostream& out, const RankReport& report);
void WriteCsv(std::ostream& out, const ReplayReport& report);

/// A JSON string literal of UTF-8 text: quotes, backslashes and control
/// characters escaped.
std::string JsonString(std::string_view utf8);

/// A name as Unicode text for files: control bytes shown as ^X, bytes that
/// are not GBK as U+FFFD.
std::string NameText(const std::string& gbk);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_EXPORT_H_
