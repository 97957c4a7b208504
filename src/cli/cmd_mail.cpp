// korvana mail: hands a report file to the user's mail program (xdg-email) as the
// attachment of a new message; the user chooses the recipient and sends. A file of more
// than 1 MB is sent only after the size question is answered OK; when no mail program
// takes the message, the failure text names the file to attach by hand.
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/environment.h"
#include "cli/validators.h"
#include "core/config/start_up.h"
#include "core/delivery/delivery.h"
#include "core/reports/pdf/pdf_report.h"
#include "core/util/files.h"

namespace korvana::cli {
namespace {

struct MailArguments {
  std::string file, subject, body;
  std::vector<std::string> to;
};

int Run(CommandContext& ctx, const MailArguments& a) {
  Messages& messages = ctx.env.MessagesSink();
  if (!FileExists(a.file)) {
    ctx.err << "korvana: no such report file: " << a.file << "\n";
    return 1;
  }
  // A report file is named "caption for name": the subject the report's own mail carries.
  const std::string subject = a.subject.empty() ? std::string(ApplicationTitle) + " " + BaseNameOf(a.file) : a.subject;
  const std::string body = a.body.empty() ? MailBody() : a.body;
  std::int64_t bytes = 0;
  if (auto data = ReadFileBytes(a.file)) bytes = static_cast<std::int64_t>(data->size());
  if (auto question = ReportSizeQuestion(bytes, ctx.env.Settings().ShowGraphics); question && !messages.Confirm(*question))
    return 1;
  const int code = SendMailMessage(subject, body, a.to, {a.file});
  const MailFailureText failure = ShowMapiFailure(code, body, a.file);
  if (failure.show) {
    messages.Error(failure.message);
    return 1;
  }
  ctx.out << "handed " << a.file << " to the mail program\n";
  return 0;
}

CommandRun Build(CommandOptions& app) {
  auto a = std::make_shared<MailArguments>();
  app.Value("FILE", a->file, "the report file to attach").Required().Check(NotEmpty());
  app.Value("--subject", a->subject, "the subject (default: Korvana and the file's name)").ValueName("TEXT");
  app.Value("--body", a->body, "the message text (default: where the report comes from)").ValueName("TEXT");
  app.ValueTo("--to", [a](const std::string& v) { a->to.push_back(v); }, "a recipient (may be given again)")
      .ValueName("ADDRESS");
  return [a](CommandContext& ctx) { return Run(ctx, *a); };
}

CommandRegistration reg({"mail", "mail FILE [--subject TEXT] [--body TEXT] [--to ADDRESS]...",
                         "hand a report file to the mail program as an attachment", Build});

}  // namespace
}  // namespace korvana::cli
