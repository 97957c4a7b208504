#include "core/reports/compiler/compiler.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>
#include <optional>
#include <utility>

#include "core/reports/compiler/statements.h"
#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/section_index.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {

namespace {

constexpr std::size_t LinkOffset = 43;
// Section titles are listed indented by their depth; deeper than this is not indented more.
constexpr std::int32_t MaxTitleIndentDepth = 100;

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra = c < 0x80 ? 0 : c >= 0xC2 && c < 0xE0 ? 1 : c >= 0xE0 && c < 0xF0 ? 2 : c >= 0xF0 && c < 0xF5 ? 3 : 99;
    if (extra == 99 || extra >= s.size() - i) return false;
    for (std::size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

// The text of a source file in UTF-8: files in UTF-8 (with or without a byte order mark)
// are taken as they are, anything else is read as Windows-1252. A file with NUL bytes is
// not a text file (nullopt).
std::optional<std::string> DecodeSource(std::string bytes) {
  if (bytes.find('\0') != std::string::npos) return std::nullopt;
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  if (IsValidUtf8(bytes)) return bytes;
  return Cp1252ToUtf8(bytes);
}

std::string_view StripLeadingBlanks(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return s.substr(i);
}

std::string_view FirstWord(std::string_view s) { return s.substr(0, s.find(' ')); }

// Identity of an open file, so that an include of a file that is already open (a cycle)
// is recognised whatever name it is given.
struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  friend bool operator==(const FileId&, const FileId&) = default;
};

std::optional<FileId> IdOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileId{st.st_dev, st.st_ino};
}

struct SourceFile {
  std::string name;  // as written (messages)
  std::string text;
  std::optional<FileId> id;
  std::size_t pos = 0;
  std::size_t lineNumber = 0;

  bool AtEnd() const { return pos >= text.size(); }
  std::string_view NextLine() {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    ++lineNumber;
    return line;
  }
};

struct PlacedLevel {
  std::size_t position;
  std::int32_t level;
  bool section;
};

class Compilation {
 public:
  Compilation(std::vector<std::string>& list, Messages& messages, const CompileInputs& inputs)
      : list_(list), messages_(messages) {
    context_.starNames = inputs.starNames;
    context_.options = inputs.options;
    dryRun_ = inputs.dryRun;
  }

  CompileResult Run(const std::string& sourceFile, const std::string& compiledFile);

 private:
  void Add(std::string message) { list_.push_back(std::move(message)); }
  void ReadFailure(const std::string& name) {
    errors_ = true;
    std::string text = "!!! Unable to read text file: \r\n\r\n" + name;
    Add(text);
    messages_.Error(text);
  }
  std::string ResolveInclude(std::string name) const;
  // Reads a file onto the stack; false (after reporting) when it cannot be read as text.
  enum class OpenOutcome { Opened, NotFound, NotText };
  OpenOutcome Open(const std::string& name, const std::string& path);
  void HandleLine(std::string_view line);
  void Include(std::string_view line);
  void Statement(std::string_view line);
  void Text(std::string_view line);
  void Flush();
  void CloseFile();
  void FillLinks();

  std::vector<std::string>& list_;
  Messages& messages_;
  StatementContext context_;
  std::string sourceFolder_;
  std::vector<SourceFile> files_;
  bool errors_ = false;
  bool tooLarge_ = false;

  bool pendingSet_ = false;  // false: the pending statement is "none"
  StatementMatch pending_;
  std::int32_t pendingLevel_ = 0;
  std::string pendingText_;
  int blankLines_ = 0;

  std::string output_;
  std::vector<PlacedLevel> records_;
  std::vector<AsteroidEntry> asteroids_;
  std::vector<RecordSource> sources_;
  RecordSource pendingSource_;
  bool dryRun_ = false;
};

std::string Compilation::ResolveInclude(std::string name) const {
  std::replace(name.begin(), name.end(), '\\', '/');
  std::string path = name.starts_with('/') ? name : sourceFolder_ + name;
  if (auto found = FindPathNoCase(path)) return *found;
  return path;
}

Compilation::OpenOutcome Compilation::Open(const std::string& name, const std::string& path) {
  std::optional<std::string> bytes = FolderExists(path) ? std::nullopt : ReadFileBytes(path);
  if (!bytes) return OpenOutcome::NotFound;
  std::optional<std::string> text = DecodeSource(std::move(*bytes));
  if (!text) return OpenOutcome::NotText;
  SourceFile file;
  file.name = name;
  file.text = std::move(*text);
  file.id = IdOf(path);
  files_.push_back(std::move(file));
  return OpenOutcome::Opened;
}

void Compilation::Flush() {
  if (pendingSet_) {
    CompiledRecord record;
    record.code = CodeByte(pending_.code);
    record.params = pending_.params;
    record.negated = pending_.negated;
    record.level = pendingLevel_;
    if (pending_.code == StatementCode::Section) {
      std::int32_t depth = std::clamp(pending_.params[0], 0, MaxTitleIndentDepth);
      Add(std::string(2 * static_cast<std::size_t>(depth + 1), ' ') + "Title: " + pendingText_);
      record.level = 0;
    }
    record.noText = pendingText_.empty();
    record.text = std::move(pendingText_);
    std::string encoded = EncodeCompiledRecord(record);
    if (output_.size() + encoded.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      if (!tooLarge_) Add("!!! Error: The compiled report is too large.");
      tooLarge_ = errors_ = true;
    } else {
      records_.push_back({output_.size(), record.level, record.IsSection()});
      pendingSource_.position = output_.size();
      sources_.push_back(std::move(pendingSource_));
      output_ += encoded;
    }
  }
  pendingSet_ = false;
  pending_ = StatementMatch{};
  pendingText_.clear();
}

void Compilation::Include(std::string_view line) {
  std::vector<std::string> words = SplitStatementWords(line);
  if (words.size() < 2) return;
  const std::string& name = words[1];
  int level = static_cast<int>(files_.size());
  if (level >= MaxIncludeLevel) {
    Add("!!! Error: Nesting too deep - cannot open: " + name);
    errors_ = true;
    return;
  }
  std::string path = ResolveInclude(name);
  if (auto id = IdOf(path)) {
    for (const SourceFile& open : files_) {
      if (open.id == id) {
        Add("!!! Error: Include cycle - cannot open: " + name);
        errors_ = true;
        return;
      }
    }
  }
  switch (Open(name, path)) {
    case OpenOutcome::Opened:
      Add("Opening File Level: " + std::to_string(level + 1) + " " + name);
      break;
    case OpenOutcome::NotFound:
      Add("!!! Unable to Open File: " + name);
      break;
    case OpenOutcome::NotText:
      ReadFailure(name);
      break;
  }
}

void Compilation::Statement(std::string_view line) {
  std::int32_t level = 1;
  std::string_view rest = line.substr(1);
  if (line.front() == '+') {
    std::size_t plus = line.find_first_not_of('+');
    if (plus == std::string_view::npos) plus = line.size();
    level = static_cast<std::int32_t>(plus) + 1;
    rest = line.substr(plus);
  }
  StatementMatch match = MatchStatement(SplitStatementWords(rest), context_);
  if (match.code == StatementCode::NoMatch) {
    Add("!!! Error: " + std::string(line));
    if (match.tooMany) Add("!!! Too Many Items");
    errors_ = true;
  }
  pendingSet_ = match.code != StatementCode::NoMatch;
  pending_ = match;
  pendingSource_ = {0, files_.back().name, files_.back().lineNumber, std::string(StripLeadingBlanks(line))};
  pendingLevel_ = level;
  if (level == 1 && match.code == StatementCode::Asteroid) {
    asteroids_.push_back({match.params[0], {}});
    context_.asteroidNames.emplace_back();
  }
}

void Compilation::Text(std::string_view line) {
  if (pendingText_.empty()) blankLines_ = 0;
  if (!pendingText_.empty() && blankLines_ > 0) {
    for (int i = 0; i <= blankLines_; ++i) pendingText_ += "\r\n\\par ";
    blankLines_ = 0;
  }
  if (!pendingText_.empty() && pendingText_.back() != ' ' && line.front() != ' ') pendingText_ += ' ';
  pendingText_ += line;
  if (pendingSet_ && pending_.code == StatementCode::Asteroid && !asteroids_.empty()) {
    asteroids_.back().name = std::string(FirstWord(line));
    context_.asteroidNames.back() = asteroids_.back().name;
  }
}

void Compilation::HandleLine(std::string_view raw) {
  std::string_view line = StripLeadingBlanks(raw);
  // A leading "\par" paragraph mark is dropped; a longer control word such as "\pard"
  // leaves the line a control line.
  if (StartsWithNoCase(line, "\\par") && !(line.size() > 4 && std::isalpha(static_cast<unsigned char>(line[4]))))
    line = StripLeadingBlanks(line.substr(4));
  if (line.empty()) {
    ++blankLines_;
    return;
  }
  switch (line.front()) {
    case '#':
      Flush();
      blankLines_ = 0;
      Include(line);
      return;
    case '*':
    case '+':
      Flush();
      blankLines_ = 0;
      Statement(line);
      return;
    case ';':
    case '\\':
    case '{':
      return;
    default:
      Text(line);
  }
}

void Compilation::CloseFile() {
  Flush();
  blankLines_ = 0;
  Add("Closing File Level: " + std::to_string(files_.size()));
  files_.pop_back();
}

void Compilation::FillLinks() {
  // The last record seen at each level still open, shallowest first; levels strictly rise.
  std::vector<std::pair<std::int32_t, std::size_t>> open;
  for (const PlacedLevel& r : records_) {
    if (r.section || r.position == 0) open.clear();
    while (!open.empty() && open.back().first > r.level) open.pop_back();
    if (!open.empty() && open.back().first == r.level) {
      PatchI32(output_, open.back().second + LinkOffset, static_cast<std::int32_t>(r.position));
      open.pop_back();
    }
    open.emplace_back(r.level, r.position);
  }
}

CompileResult Compilation::Run(const std::string& sourceFile, const std::string& compiledFile) {
  list_.clear();
  sourceFolder_ = FolderOf(sourceFile);
  Add("Opening File Level: 1 " + sourceFile);
  std::string sourcePath = FindPathNoCase(sourceFile).value_or(sourceFile);
  if (Open(sourceFile, sourcePath) != OpenOutcome::Opened) ReadFailure(sourceFile);

  while (!files_.empty()) {
    SourceFile& file = files_.back();
    if (file.AtEnd()) {
      CloseFile();
      continue;
    }
    std::string_view line = file.NextLine();
    if (line.size() > MaxSourceLineLength) {
      Add("!!! Error: Line " + std::to_string(file.lineNumber) + " of " + file.name + " is longer than " +
          std::to_string(MaxSourceLineLength) + " characters");
      errors_ = true;
      continue;
    }
    HandleLine(line);
  }
  Flush();

  Add("Indexing output file...");
  FillLinks();

  CompileResult result;
  result.records = records_.size();
  result.asteroids = asteroids_;
  result.sources = std::move(sources_);
  if (dryRun_ && !errors_) result.compiled = output_;
  if (!errors_ && !dryRun_) {
    // Replace the file under the spelling it has on disk; a new file goes into the
    // existing folder whatever the letter case the name gives it.
    std::string target = compiledFile;
    if (auto found = FindPathNoCase(compiledFile)) {
      target = *found;
    } else if (std::string folder = FolderOf(compiledFile); !folder.empty()) {
      if (auto existing = FindPathNoCase(folder)) target = WithTrailingSlash(*existing) + NameOf(compiledFile);
    }
    // Both new files are written in full before either replaces its old file, so that an
    // interrupted compile leaves the old pair, or at most a moment's gap between renames.
    const std::string indexFile = SectionIndexFileFor(target);
    std::optional<std::string> index;
    try {
      index = SectionIndexBytes(output_);
    } catch (const ERecordError&) {
      // shown below as the indexing problem, with the compiled file in place
    }
    const std::optional<std::string> binWork = WriteWorkFile(target, output_);
    std::optional<std::string> indexWork = binWork && index ? WriteWorkFile(indexFile, *index) : std::nullopt;
    if (binWork && ReplaceFile(*binWork, target)) {
      result.written = true;
      result.compiledFile = target;
      Add("Compiled file created: " + compiledFile);
      Add("Creating index file...");
      result.indexFile = indexFile;
      result.indexWritten = indexWork && ReplaceFile(*indexWork, indexFile);
      indexWork.reset();
      if (result.indexWritten)
        Add("Index file created: " + result.indexFile);
      else
        messages_.Error("Problem occured whilst indexing compiled text file: \r\n\r\n" + target);
    } else {
      Add("!!! Unable to write the compiled file: " + compiledFile);
      errors_ = true;
    }
    if (indexWork) std::remove(indexWork->c_str());
  }
  if (errors_ && !result.written) Add("!!! Errors Found - No output file was created.");
  Add("*** Finished ***");
  result.errors = errors_;
  return result;
}

}  // namespace

CompileResult CompileReportText(const std::string& sourceFile, const std::string& compiledFile,
                                std::vector<std::string>& messageList, Messages& messages,
                                const CompileInputs& inputs) {
  Compilation compilation(messageList, messages, inputs);
  return compilation.Run(sourceFile, compiledFile);
}

bool IsErrorMessageLine(const std::string& line) { return !line.empty() && line.front() == '!'; }

}  // namespace korvana
