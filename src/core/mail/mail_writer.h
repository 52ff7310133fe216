#pragma once
// Building a guidance mail: a template's body and title with every placeholder replaced.

#include <ostream>
#include <string>
#include <string_view>

namespace hanamori {

class MailTemplateList;
struct MailContext;

// Writes `text` to `out` with every placeholder replaced by its value, in text order.
// Values are written as they are, never searched for placeholders; a name that is not
// a placeholder stays as typed. False when a write fails.
bool ExpandMailText(std::string_view text, std::ostream& out, const MailContext& ctx);

// The expanded body of the template called `template_name` (the first with that name).
// False when there is no such template, its body file cannot be read, or a write fails.
bool WriteMailBody(const MailTemplateList& list, std::string_view template_name, std::ostream& out,
                   const MailContext& ctx);
// The same, saved as the file `output_path` (e.g. work/mail.txt); a failed build keeps
// the previous file.
bool WriteMailBody(const MailTemplateList& list, std::string_view template_name,
                   const std::string& output_path, const MailContext& ctx);

// The expanded title pattern of the template; false as for the body.
bool WriteMailTitle(const MailTemplateList& list, std::string_view template_name, std::ostream& out,
                    const MailContext& ctx);
bool WriteMailTitle(const MailTemplateList& list, std::string_view template_name,
                    const std::string& output_path, const MailContext& ctx);

// "<install_dir>work/mail.txt" and "<install_dir>work/mail_title.txt".
std::string MailBodyPath(const std::string& install_dir);
std::string MailTitlePath(const std::string& install_dir);

} // namespace hanamori
