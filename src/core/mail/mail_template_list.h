#pragma once
// The guidance-mail templates: "template.lst" in the template directory names, one
// per line, a template's name, its body file and its title pattern.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// Field capacities of one entry, terminator included.
inline constexpr std::size_t kTemplateNameCapacity = 256;
inline constexpr std::size_t kTemplateBodyFileCapacity = 260;
inline constexpr std::size_t kTemplateTitleCapacity = 256;

// Separator between the fields of a template.lst line: '[', TAB, ']'.
inline constexpr std::string_view kTemplateSeparator = "[\t]";

struct MailTemplate {
    std::string name;      // shown in the template combo, the key of a template
    std::string body_file; // relative to the template directory
    std::string title;     // title pattern, may hold placeholders
};

class MailTemplateList {
public:
    // Empties the list, then reads "<template_dir>/template.lst". All or nothing: a file
    // that cannot be read or a malformed line leaves the list empty and gives false.
    // Text after the last CR LF is ignored.
    bool LoadMailTemplates(const std::string& template_dir);

    // The same on the bytes of a template.lst; the directory is left as it was.
    bool Parse(std::string_view bytes);

    // The first template whose name equals `name` byte for byte, or nullptr.
    const MailTemplate* Find(std::string_view name) const;

    // The path of a template's body file.
    std::string BodyPath(const MailTemplate& entry) const;

    const std::vector<MailTemplate>& entries() const { return m_entries; }
    std::size_t count() const { return m_entries.size(); }
    // The directory given to the last load ("" before any), ending in '/'.
    const std::string& directory() const { return m_dir; }
    void Clear() { m_entries.clear(); }

private:
    std::vector<MailTemplate> m_entries;
    std::string m_dir;
};

// "<install_dir>template".
std::string TemplateDirectory(const std::string& install_dir);

} // namespace hanamori
