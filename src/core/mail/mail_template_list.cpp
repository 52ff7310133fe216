#include "core/mail/mail_template_list.h"

#include "core/app/atomic_file.h"
#include "core/text/cp932.h"

namespace hanamori {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// One line into an entry; false for a line without two separators or with a field
// longer than its capacity allows.
bool ParseLine(std::string_view line, MailTemplate& entry) {
    std::size_t first = line.find(kTemplateSeparator);
    if (first == std::string_view::npos) {
        return false;
    }
    std::size_t body_start = first + kTemplateSeparator.size();
    std::size_t second = line.find(kTemplateSeparator, body_start);
    if (second == std::string_view::npos) {
        return false;
    }
    std::string_view name = line.substr(0, first);
    std::string_view body = line.substr(body_start, second - body_start);
    std::string_view title = line.substr(second + kTemplateSeparator.size());
    if (name.size() >= kTemplateNameCapacity || body.size() >= kTemplateBodyFileCapacity ||
        title.size() >= kTemplateTitleCapacity) {
        return false;
    }
    entry.name.assign(name);
    entry.body_file.assign(body);
    entry.title.assign(title);
    return true;
}

} // namespace

bool MailTemplateList::Parse(std::string_view bytes) {
    m_entries.clear();
    std::size_t pos = 0;
    for (;;) {
        std::size_t end = bytes.find(kLineEnd, pos);
        if (end == std::string_view::npos) {
            return true;
        }
        MailTemplate entry;
        if (!ParseLine(bytes.substr(pos, end - pos), entry)) {
            m_entries.clear();
            return false;
        }
        m_entries.push_back(std::move(entry));
        pos = end + kLineEnd.size();
    }
}

bool MailTemplateList::LoadMailTemplates(const std::string& template_dir) {
    m_entries.clear();
    m_dir = template_dir;
    if (!m_dir.empty() && m_dir.back() != '/') {
        m_dir += '/';
    }
    std::string bytes;
    if (!ReadWholeFile(m_dir + "template.lst", bytes)) {
        return false;
    }
    return Parse(bytes);
}

const MailTemplate* MailTemplateList::Find(std::string_view name) const {
    for (const MailTemplate& entry : m_entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

std::string MailTemplateList::BodyPath(const MailTemplate& entry) const {
    // The list is written by hand in CP932, with '\' as the separator of subfolders;
    // the file system wants UTF-8 names and '/'. Converting first keeps a 0x5C trail
    // byte inside its character.
    std::string name = Cp932ToUtf8(entry.body_file);
    for (char& c : name) {
        if (c == '\\') {
            c = '/';
        }
    }
    return m_dir + name;
}

std::string TemplateDirectory(const std::string& install_dir) {
    return install_dir + "template";
}

} // namespace hanamori
