// INDEX.IND of the PTP400 directory system: fixed 50-byte records, record 1 the entry
// count, the entries in ascending order of name.

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "input/numeric_text.h"
#include "input/plain_text.h"
#include "output/atomic_file.h"
#include "output/directory_system.h"

namespace mq {

namespace {

constexpr std::size_t kIndexDateWidth = 10;
constexpr std::size_t kIndexTextWidth = kIndexRecordSize - 2;  // before CR LF
constexpr double kDamagedIndexPauseSeconds = 5;

std::string Padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string RecordAt(const std::string& bytes, std::size_t record) {
  return bytes.substr((record - 1) * kIndexRecordSize, kIndexRecordSize);
}

std::string NameField(const std::string& record) { return UpperCase(record.substr(0, kProgramNameWidth)); }

// The upper-cased name field of record `record` against `name` (upper case already), in
// character-code order as std::string compares, without copying the record: below 0 when
// the record's name sorts first.
int CompareNameField(const std::string& bytes, std::size_t record, const std::string& name) {
  const std::size_t at = (record - 1) * kIndexRecordSize;
  for (std::size_t i = 0; i < kProgramNameWidth; ++i) {
    const auto field = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(bytes[at + i])));
    const auto wanted = static_cast<unsigned char>(name[i]);
    if (field != wanted) return field < wanted ? -1 : 1;
  }
  return 0;
}

}  // namespace

std::string IndexDateText(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", date.Month, date.Day, date.Year);
  return Padded(text, kIndexDateWidth);
}

std::string IndexRecordText(const std::string& name, const std::string& description,
                            const CalendarDate& date) {
  return Padded(UpperCase(name), kProgramNameWidth) + Padded(description, kIndexDescriptionWidth) +
         IndexDateText(date) + "\r\n";
}

std::string IndexHeaderText(long count) {
  return Padded(" " + std::to_string(count), kIndexTextWidth) + "\r\n";
}

std::optional<IndexImage> UpdatedIndex(const std::string& index_bytes, const std::string& record) {
  if (index_bytes.size() % kIndexRecordSize != 0) return std::nullopt;
  // An empty index still needs its count record before the first entry.
  const std::string bytes = index_bytes.empty() ? IndexHeaderText(0) : index_bytes;
  const std::size_t records = bytes.size() / kIndexRecordSize;
  const long count = static_cast<long>(ReadNumber(RecordAt(bytes, 1).substr(0, kProgramNameWidth)));
  const std::string name = NameField(record);

  std::size_t insert_at = records + 1;  // after the last record
  for (std::size_t k = 2; k <= records; ++k) {
    const int order = CompareNameField(bytes, k, name);
    if (order == 0) {
      IndexImage replaced{bytes, IndexOutcome::Replaced};
      replaced.Bytes.replace((k - 1) * kIndexRecordSize, kIndexRecordSize, record);
      return replaced;
    }
    if (order > 0) {  // the new name sorts before this entry's
      insert_at = k;
      break;
    }
  }
  IndexImage added{bytes, insert_at > records ? IndexOutcome::Appended : IndexOutcome::Inserted};
  added.Bytes.insert((insert_at - 1) * kIndexRecordSize, record);
  added.Bytes.replace(0, kIndexRecordSize, IndexHeaderText(count + 1));
  return added;
}

IndexOutcome UpdateIndexFile(RunContext& run, const std::string& index_path, const std::string& name,
                             const std::string& description, const CalendarDate& date) {
  const std::string record = IndexRecordText(name, description, date);
  std::optional<IndexImage> image;
  // The entry goes in under the index's lock: another run may be entering its own.
  const bool changed = UpdateResultFile(run, index_path, [&](std::string& bytes) {
    image = UpdatedIndex(bytes, record);
    if (image) bytes = image->Bytes;
    return image.has_value();
  });
  if (!changed) return IndexOutcome::WriteFailed;
  if (!image) {
    ShowReportRow(run, "!!! PROBLEM DETECTED WITH INDEX.IND FILE !!!");
    run.Warnings.push_back("!!! PROBLEM DETECTED WITH INDEX.IND FILE !!!");  // its row is shown already
    run.ui->Pause(kDamagedIndexPauseSeconds);
    return IndexOutcome::Damaged;
  }
  return image->Outcome;
}

}  // namespace mq
