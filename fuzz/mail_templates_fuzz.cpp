// The mail template list parser on arbitrary bytes.

#include "core/mail/mail_template_list.h"
#include "fuzz_support.h"

#include <cstdlib>

using namespace hanamori;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MailTemplateList list;
    bool ok = list.Parse(fuzz::AsText(data, size));
    if (!ok && list.count() != 0) {
        std::abort(); // all or nothing
    }
    for (const MailTemplate& entry : list.entries()) {
        if (entry.name.size() >= kTemplateNameCapacity ||
            entry.body_file.size() >= kTemplateBodyFileCapacity ||
            entry.title.size() >= kTemplateTitleCapacity || list.Find(entry.name) == nullptr) {
            std::abort();
        }
        (void)list.BodyPath(entry);
    }
    return 0;
}
