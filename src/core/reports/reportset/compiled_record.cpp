#include "core/reports/reportset/compiled_record.h"

#include "core/util/codepage.h"

namespace korvana {

std::string EncodeCompiledRecord(const CompiledRecord& record) {
  std::string text = Utf8ToCp1252(record.text);
  ByteWriter w;
  w.U8(record.code);
  for (std::int32_t p : record.params) w.I32(p);
  w.Bool(record.negated);
  w.I32(record.level);
  w.Bool(record.noText);
  w.I32(static_cast<std::int32_t>(text.size()));
  w.I32(record.link);
  w.Bytes(text);
  return w.Take();
}

CompiledRecord ReadCompiledRecord(ByteReader& reader) {
  std::size_t start = reader.Position();
  if (reader.Remaining() < CompiledHeaderSize)
    throw ERecordError("truncated record header at byte " + std::to_string(start));
  CompiledRecord r;
  r.code = reader.U8();
  for (auto& p : r.params) p = reader.I32();
  r.negated = reader.Bool();
  r.level = reader.I32();
  r.noText = reader.Bool();
  std::int32_t length = reader.I32();
  r.link = reader.I32();
  if (length < 0 || static_cast<std::size_t>(length) > reader.Remaining())
    throw ERecordError("bad text length " + std::to_string(length) + " in the record at byte " +
                      std::to_string(start));
  r.text = Cp1252ToUtf8(reader.Bytes(static_cast<std::size_t>(length)));
  return r;
}

std::vector<PlacedRecord> ReadCompiledRecords(std::string_view data, bool isSectionIndex) {
  std::vector<PlacedRecord> records;
  ByteReader reader(data);
  while (!reader.AtEnd()) {
    std::size_t pos = reader.Position();
    CompiledRecord r = ReadCompiledRecord(reader);
    // In a compiled file a link points forward inside the file; in a section index it
    // points into the compiled file, which is checked when it is followed.
    bool linkBad = isSectionIndex
                       ? r.link < 0
                       : r.link != 0 && (r.link < 0 || static_cast<std::size_t>(r.link) <= pos ||
                                         static_cast<std::size_t>(r.link) >= data.size());
    if (linkBad)
      throw ERecordError("bad link " + std::to_string(r.link) + " in the record at byte " + std::to_string(pos));
    records.push_back({pos, std::move(r)});
  }
  return records;
}

}  // namespace korvana
