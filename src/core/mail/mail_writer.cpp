#include "core/mail/mail_writer.h"

#include "core/app/atomic_file.h"
#include "core/mail/mail_template_list.h"
#include "core/mail/placeholders.h"

#include <array>

namespace hanamori {

namespace {

bool WriteRaw(std::ostream& out, std::string_view text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out.good();
}

} // namespace

bool ExpandMailText(std::string_view text, std::ostream& out, const MailContext& ctx) {
    const auto& names = PlaceholderNames();
    // Next occurrence of each name at or after the current position. A remembered
    // occurrence stays valid until the position passes its start, so each name is
    // searched again only then instead of on every pass.
    std::array<std::size_t, kPlaceholderCount> next;
    std::array<bool, kPlaceholderCount> searched{};
    std::size_t pos = 0;
    for (;;) {
        std::size_t best = std::string_view::npos;
        int best_index = -1;
        for (int i = 0; i < kPlaceholderCount; ++i) {
            std::size_t k = static_cast<std::size_t>(i);
            if (!searched[k] || (next[k] != std::string_view::npos && next[k] < pos)) {
                next[k] = text.find(names[k], pos);
                searched[k] = true;
            }
            if (next[k] < best) {
                best = next[k];
                best_index = i;
            }
        }
        if (best_index < 0) {
            return WriteRaw(out, text.substr(pos));
        }
        const std::string& name = names[static_cast<std::size_t>(best_index)];
        if (!WriteRaw(out, text.substr(pos, best - pos)) ||
            !WritePlaceholderValue(name, out, ctx)) {
            return false;
        }
        pos = best + name.size();
    }
}

bool WriteMailBody(const MailTemplateList& list, std::string_view template_name, std::ostream& out,
                   const MailContext& ctx) {
    const MailTemplate* entry = list.Find(template_name);
    if (entry == nullptr) {
        return false;
    }
    std::string body;
    if (!ReadWholeFile(list.BodyPath(*entry), body)) {
        return false;
    }
    return ExpandMailText(body, out, ctx);
}

bool WriteMailBody(const MailTemplateList& list, std::string_view template_name,
                   const std::string& output_path, const MailContext& ctx) {
    return SaveScratchFile(output_path, [&](std::ostream& out) {
        return WriteMailBody(list, template_name, out, ctx);
    });
}

bool WriteMailTitle(const MailTemplateList& list, std::string_view template_name, std::ostream& out,
                    const MailContext& ctx) {
    const MailTemplate* entry = list.Find(template_name);
    if (entry == nullptr) {
        return false;
    }
    return ExpandMailText(entry->title, out, ctx);
}

bool WriteMailTitle(const MailTemplateList& list, std::string_view template_name,
                    const std::string& output_path, const MailContext& ctx) {
    return SaveScratchFile(output_path, [&](std::ostream& out) {
        return WriteMailTitle(list, template_name, out, ctx);
    });
}

std::string MailBodyPath(const std::string& install_dir) {
    return install_dir + "work/mail.txt";
}

std::string MailTitlePath(const std::string& install_dir) {
    return install_dir + "work/mail_title.txt";
}

} // namespace hanamori
