// The memo file: free text for the charts of own and wide chart files.
//
// The memo file sits beside the chart file with the extension ".chm". It is a file of
// 32-byte records: the number of the next record (signed 32-bit, 0 ends the chain)
// and 28 characters. Records are numbered from 1; number n is the record at byte
// (n - 1) * 32. Record number 1 (the first record) is the header: its number field holds
// the first record of the chain of free records. A memo is a chain of records starting
// at the number kept in the chart's record; numbers 0 and 1 mean "no memo". A record
// whose next number is its own ends the chain as 0 does.
//
// Texts are UTF-8 in memory and Windows-1252 in the file. Every change is made to the
// whole file in memory and written through a work file renamed into place, so a
// failure leaves the memo file as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/error.h"

namespace korvana {

class Messages;

constexpr std::size_t MemoRecordSize = 32;
constexpr std::size_t MemoPieceLength = 28;

// A memo chain or free chain that is damaged (points outside the file, loops) or a
// memo file that cannot be read or written.
class EMemoError : public Error {
 public:
  using Error::Error;
};

// The memo file of a chart file: its path with the extension ".chm".
std::string MemoPathFor(std::string_view chartPath);

// The memo text starting at record `first`: the pieces of the chain joined, trailing
// blanks trimmed from the last piece only. "" for first 0 or 1. Throws EMemoError "Error
// reading memo text" when the file cannot be read or the chain leaves the file or loops;
// the chart's memo is then shown as that text.
std::string ReadMemo(const std::string& memoPath, std::int32_t first);

// With a non-empty text: cuts it into pieces of 28 characters (the last padded with
// blanks), takes records from the free chain or, when it is empty, appends them, links
// them and returns the number of the first. A non-empty text with first > 1 replaces
// that memo (its records are released first). With an empty text and first > 1 the
// chain's records go back to the free chain and the result is 0; with an empty text
// and no memo nothing is written and the result is 0.
// On failure shows "Error reading/writing memo text" and returns nullopt; the memo
// file is then unchanged.
//
// With `chainsInUse` (the memo of every chart the memo file serves, `first` among them)
// the records an interrupted change left unreached go back to the free chain first
// (ReclaimMemoRecords).
std::optional<std::int32_t> WriteMemo(const std::string& memoPath, std::int32_t first,
                                      std::string_view text, Messages& messages,
                                      const std::vector<std::int32_t>* chainsInUse = nullptr);

// The same on the bytes of a memo file in memory (data may be empty: a new file).
// They throw EMemoError instead of reporting.
std::string ReadMemoData(std::string_view data, std::int32_t first);
std::int32_t WriteMemoData(std::string& data, std::int32_t first, std::string_view text);

// Gives back to the free chain every record after the header that neither a chain of
// `chainsInUse` nor the free chain reaches: the records of a new memo written just before
// an interruption kept its chart from pointing at it. A free chain that leaves the file,
// loops or runs into a chain in use is rebuilt from every record not in use. Returns the
// number of records given back; the data is unchanged when it is 0 and the free chain is
// sound. Only a caller that knows the memo of every chart the file serves may call it.
std::size_t ReclaimMemoRecords(std::string& data, const std::vector<std::int32_t>& chainsInUse);

}  // namespace korvana
