// The print queue file: counting, adding, reading, rewriting and clearing its records.
//
// The file is only ever replaced whole (a work file renamed into place), so a failure
// leaves the old queue as it was. The count always follows the file: a file another
// program cut short counts its whole records, and the next addition goes after the last
// of them, replacing the cut-off rest.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/queue/queue_record.h"

namespace korvana {

// What a read of the whole file found.
struct QueueContents {
  std::vector<QueueEntry> entries;  // the whole records, in order
  std::size_t droppedBytes = 0;     // bytes after the last whole record (a cut-off record)
  bool readable = true;             // false when the file exists but cannot be read
};

class PrintQueue {
 public:
  // `file` is the queue file, normally SystemPath + "prqueue.fil".
  explicit PrintQueue(std::string file);

  const std::string& File() const { return file_; }

  // The number of whole records in the file (0 when there is none). Never throws.
  int Count() const;

  // Every whole record, and how many bytes of a cut-off record follow them. A file that
  // does not exist is an empty queue.
  QueueContents ReadAll() const;

  // Appends an entry after the file's last whole record (creating the file). False when
  // the file cannot be read or written; the old file is then unchanged.
  bool Add(const QueueEntry& entry);

  // Record n (from 1). nullopt when n is outside 1..Count() or the file cannot be read.
  std::optional<QueueEntry> Read(int n) const;

  // Rewrites record n (from 1) in place. False when n is outside 1..Count() or the file
  // cannot be written; the file is then unchanged.
  bool Write(int n, const QueueEntry& entry);

  // Deletes the file. True when no queue file is left.
  bool Clear();

 private:
  std::optional<std::string> WholeRecords() const;
  std::string file_;
};

// The entries still to print (status "Queued") of a list, and of the queue file.
int UnprintedIn(const std::vector<QueueEntry>& entries);
int UnprintedCount(const PrintQueue& queue);

}  // namespace korvana
