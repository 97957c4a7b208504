#include "core/charts/memo_file.h"

#include <algorithm>
#include <vector>

#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/messages.h"

namespace korvana {

namespace {

const char* const ReadFailureText = "Error reading memo text";
const char* const WriteFailureText = "Error reading/writing memo text";

std::int32_t RecordCount(std::string_view data) {
  return static_cast<std::int32_t>(std::min<std::size_t>(data.size() / MemoRecordSize, 0x7FFFFFFF));
}

std::size_t OffsetOf(std::int32_t number) { return static_cast<std::size_t>(number - 1) * MemoRecordSize; }

std::int32_t NextOf(std::string_view data, std::int32_t number) {
  const std::size_t at = OffsetOf(number);
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(v);
}

void SetNext(std::string& data, std::int32_t number, std::int32_t next) {
  const std::size_t at = OffsetOf(number);
  const auto v = static_cast<std::uint32_t>(next);
  for (std::size_t i = 0; i < 4; ++i) data[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The record numbers of the chain starting at first, in order. Throws EMemoError when a
// link leaves the file, names the header record or comes back to a record already seen.
std::vector<std::int32_t> WalkChain(std::string_view data, std::int32_t first) {
  const std::int32_t count = RecordCount(data);
  std::vector<bool> seen(static_cast<std::size_t>(count) + 1, false);
  std::vector<std::int32_t> chain;
  std::int32_t current = first;
  while (true) {
    if (current < 2 || current > count)
      throw EMemoError("memo record " + std::to_string(current) + " is outside the memo file");
    if (seen[static_cast<std::size_t>(current)])
      throw EMemoError("the memo chain from record " + std::to_string(first) + " loops");
    seen[static_cast<std::size_t>(current)] = true;
    chain.push_back(current);
    const std::int32_t next = NextOf(data, current);
    if (next == 0 || next == current) break;
    current = next;
  }
  return chain;
}

void ReleaseChain(std::string& data, std::int32_t first) {
  const std::vector<std::int32_t> chain = WalkChain(data, first);
  std::int32_t freeHead = NextOf(data, 1);
  if (freeHead != 0) {
    std::vector<std::int32_t> freeChain;
    try {
      freeChain = WalkChain(data, freeHead);
    } catch (const EMemoError&) {
      freeHead = 0;  // a damaged free chain is abandoned rather than followed
    }
    // A chain that is already (partly) free would make the free chain loop.
    std::vector<bool> isFree(static_cast<std::size_t>(RecordCount(data)) + 1, false);
    for (std::int32_t n : freeChain) isFree[static_cast<std::size_t>(n)] = true;
    for (std::int32_t c : chain)
      if (isFree[static_cast<std::size_t>(c)])
        throw EMemoError("memo record " + std::to_string(c) + " is already free");
  }
  SetNext(data, chain.back(), freeHead);
  SetNext(data, 1, first);
}

}  // namespace

std::string MemoPathFor(std::string_view chartPath) { return ChangeExtension(chartPath, ".chm"); }

std::string ReadMemoData(std::string_view data, std::int32_t first) {
  if (first <= 1) return std::string();
  const std::vector<std::int32_t> chain = WalkChain(data, first);
  std::string text;
  for (std::size_t i = 0; i < chain.size(); ++i) {
    std::string_view piece = data.substr(OffsetOf(chain[i]) + 4, MemoPieceLength);
    if (i + 1 == chain.size()) {
      std::size_t end = piece.find_last_not_of(' ');
      piece = end == std::string_view::npos ? std::string_view() : piece.substr(0, end + 1);
    }
    text += piece;
  }
  return Cp1252ToUtf8(text);
}

std::int32_t WriteMemoData(std::string& data, std::int32_t first, std::string_view text) {
  data.resize(static_cast<std::size_t>(RecordCount(data)) * MemoRecordSize);  // drop a cut-off tail
  if (data.empty()) {
    data.assign(4, '\0');
    data.append(MemoPieceLength, ' ');
  }
  if (first > 1) ReleaseChain(data, first);
  if (text.empty()) return 0;

  const std::string bytes = Utf8ToCp1252(text);
  const std::size_t pieces = (bytes.size() + MemoPieceLength - 1) / MemoPieceLength;
  const std::int32_t count = RecordCount(data);
  std::vector<bool> taken(static_cast<std::size_t>(count) + 1, false);
  std::vector<std::int32_t> numbers;
  std::int32_t freeHead = NextOf(data, 1);
  while (numbers.size() < pieces && freeHead != 0) {
    if (freeHead < 2 || freeHead > count || taken[static_cast<std::size_t>(freeHead)]) {
      freeHead = 0;  // a damaged free chain is abandoned rather than followed
      break;
    }
    taken[static_cast<std::size_t>(freeHead)] = true;
    numbers.push_back(freeHead);
    const std::int32_t next = NextOf(data, freeHead);
    freeHead = next == freeHead ? 0 : next;
  }
  std::int32_t nextNew = count + 1;
  while (numbers.size() < pieces) {
    if (nextNew == 0x7FFFFFFF) throw EMemoError("the memo file is full");
    numbers.push_back(nextNew++);
    data.append(MemoRecordSize, '\0');
  }
  for (std::size_t i = 0; i < pieces; ++i) {
    std::string piece = bytes.substr(i * MemoPieceLength, MemoPieceLength);
    piece.resize(MemoPieceLength, ' ');
    SetNext(data, numbers[i], i + 1 < pieces ? numbers[i + 1] : 0);
    data.replace(OffsetOf(numbers[i]) + 4, MemoPieceLength, piece);
  }
  SetNext(data, 1, freeHead);
  return numbers.front();
}

std::size_t ReclaimMemoRecords(std::string& data, const std::vector<std::int32_t>& chainsInUse) {
  const std::int32_t count = RecordCount(data);
  if (count < 2) return 0;
  const auto at = [](std::int32_t n) { return static_cast<std::size_t>(n); };
  std::vector<bool> used(at(count) + 1, false);
  used[1] = true;
  // A chain in use is followed as far as it is sound; what lies beyond its damage is unreached.
  for (std::int32_t n : chainsInUse) {
    while (n >= 2 && n <= count && !used[at(n)]) {
      used[at(n)] = true;
      const std::int32_t next = NextOf(data, n);
      if (next == n) break;
      n = next;
    }
  }
  std::vector<bool> free(at(count) + 1, false);
  bool soundFreeChain = true;
  for (std::int32_t n = NextOf(data, 1); n != 0;) {
    if (n < 2 || n > count || used[at(n)] || free[at(n)]) {
      soundFreeChain = false;
      break;
    }
    free[at(n)] = true;
    const std::int32_t next = NextOf(data, n);
    if (next == n) break;
    n = next;
  }
  std::vector<std::int32_t> unreached;
  for (std::int32_t n = 2; n <= count; ++n)
    if (!used[at(n)] && !free[at(n)]) unreached.push_back(n);
  if (soundFreeChain && unreached.empty()) return 0;

  // Unreached records go in front of a sound free chain, or make up a new one with every
  // record not in use.
  std::vector<std::int32_t> chain = unreached;
  std::int32_t tail = NextOf(data, 1);
  if (!soundFreeChain) {
    chain.clear();
    for (std::int32_t n = 2; n <= count; ++n)
      if (!used[at(n)]) chain.push_back(n);
    tail = 0;
  }
  for (std::size_t i = 0; i < chain.size(); ++i) SetNext(data, chain[i], i + 1 < chain.size() ? chain[i + 1] : tail);
  SetNext(data, 1, chain.empty() ? 0 : chain.front());
  return unreached.size();
}

std::string ReadMemo(const std::string& memoPath, std::int32_t first) {
  if (first <= 1) return std::string();
  auto data = ReadFileBytes(memoPath);
  if (!data) throw EMemoError(ReadFailureText);
  try {
    return ReadMemoData(*data, first);
  } catch (const EMemoError&) {
    throw EMemoError(ReadFailureText);
  }
}

std::optional<std::int32_t> WriteMemo(const std::string& memoPath, std::int32_t first,
                                      std::string_view text, Messages& messages,
                                      const std::vector<std::int32_t>* chainsInUse) {
  if (text.empty() && first <= 1) return 0;
  std::string data;
  if (FileExists(memoPath)) {
    auto existing = ReadFileBytes(memoPath);
    if (!existing) {
      messages.Error(WriteFailureText);
      return std::nullopt;
    }
    data = std::move(*existing);
  }
  try {
    if (chainsInUse) ReclaimMemoRecords(data, *chainsInUse);
    const std::int32_t result = WriteMemoData(data, first, text);
    if (!WriteFileAtomic(memoPath, data)) throw EMemoError("the memo file cannot be written");
    return result;
  } catch (const EMemoError&) {
    messages.Error(WriteFailureText);
    return std::nullopt;
  }
}

}  // namespace korvana
