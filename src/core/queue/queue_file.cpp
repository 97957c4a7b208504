#include "core/queue/queue_file.h"

#include <cstdio>
#include <filesystem>

#include "core/util/files.h"

namespace korvana {

namespace {

// Nothing at all at the path: an empty queue. Anything else there must read as a file.
bool NothingAt(const std::string& path) {
  std::error_code ec;
  return std::filesystem::symlink_status(path, ec).type() == std::filesystem::file_type::not_found;
}

}  // namespace

PrintQueue::PrintQueue(std::string file) : file_(std::move(file)) {}

// The file's whole records as bytes; "" when there is no file, nullopt when it cannot be
// read.
std::optional<std::string> PrintQueue::WholeRecords() const {
  if (NothingAt(file_)) return std::string();
  std::optional<std::string> bytes = ReadFileBytes(file_);
  if (bytes) bytes->resize(bytes->size() - bytes->size() % QueueRecordSize);
  return bytes;
}

int PrintQueue::Count() const {
  const std::optional<std::string> bytes = WholeRecords();
  return bytes ? static_cast<int>(bytes->size() / QueueRecordSize) : 0;
}

QueueContents PrintQueue::ReadAll() const {
  QueueContents contents;
  if (NothingAt(file_)) return contents;
  const std::optional<std::string> bytes = ReadFileBytes(file_);
  if (!bytes) {
    contents.readable = false;
    return contents;
  }
  const std::size_t whole = bytes->size() / QueueRecordSize;
  contents.droppedBytes = bytes->size() % QueueRecordSize;
  for (std::size_t i = 0; i < whole; ++i)
    contents.entries.push_back(DecodeQueueEntry(std::string_view(*bytes).substr(i * QueueRecordSize, QueueRecordSize)));
  return contents;
}

bool PrintQueue::Add(const QueueEntry& entry) {
  std::optional<std::string> bytes = WholeRecords();
  if (!bytes) return false;
  *bytes += EncodeQueueEntry(entry);
  return WriteFileAtomic(file_, *bytes);
}

std::optional<QueueEntry> PrintQueue::Read(int n) const {
  const std::optional<std::string> bytes = WholeRecords();
  if (!bytes || n < 1 || static_cast<std::size_t>(n) > bytes->size() / QueueRecordSize) return std::nullopt;
  return DecodeQueueEntry(std::string_view(*bytes).substr((n - 1) * QueueRecordSize, QueueRecordSize));
}

bool PrintQueue::Write(int n, const QueueEntry& entry) {
  std::optional<std::string> bytes = ReadFileBytes(file_);
  if (!bytes || n < 1 || static_cast<std::size_t>(n) > bytes->size() / QueueRecordSize) return false;
  bytes->replace((n - 1) * QueueRecordSize, QueueRecordSize, EncodeQueueEntry(entry));
  return WriteFileAtomic(file_, *bytes);
}

bool PrintQueue::Clear() {
  std::remove(file_.c_str());
  return NothingAt(file_);
}

int UnprintedIn(const std::vector<QueueEntry>& entries) {
  int count = 0;
  for (const QueueEntry& e : entries)
    if (e.status == QueueStatus::Queued) ++count;
  return count;
}

int UnprintedCount(const PrintQueue& queue) { return UnprintedIn(queue.ReadAll().entries); }

}  // namespace korvana
