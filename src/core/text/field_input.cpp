#include "core/text/field_input.h"

#include "core/text/cp932.h"
#include "core/text/width_fold.h"

#include <optional>

namespace hanamori {
namespace {

// An LF at `i` that is not the end of a CR LF: it is stored as CR LF, one byte more.
bool BareLf(std::string_view utf8, std::size_t i) {
    return utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r');
}

} // namespace

TakenInput TakeInput(std::string_view inserted, std::size_t room, const FieldInput& input) {
    TakenInput taken;
    taken.refused = UnencodableChars(inserted);
    if (taken.refused.empty() && !input.digits && StoredBytes(inserted) <= room) {
        taken.text = inserted;
        return taken;
    }
    std::size_t used = 0;
    for (std::size_t i = 0; i < inserted.size();) {
        std::string_view ch = inserted.substr(i, Utf8CharSize(inserted.substr(i)));
        if (ch == "\r" && inserted.substr(i + 1, 1) == "\n") {
            ch = inserted.substr(i, 2); // a line break is taken whole
        }
        i += ch.size();
        std::optional<std::string> bytes = Utf8ToCp932(ch);
        if (!bytes) {
            continue;
        }
        const std::size_t size = bytes->size() + (ch == "\n" ? 1 : 0);
        if (size > room - used) {
            taken.cut = true;
            break;
        }
        used += size;
        if (input.digits) {
            const std::string folded = FoldWideDigits(*bytes);
            taken.text += folded != *bytes ? folded : std::string(ch);
        } else {
            taken.text += ch;
        }
    }
    return taken;
}

std::size_t StoredBytes(std::string_view utf8) {
    std::size_t bytes = Utf8ToCp932Lossy(utf8).size();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        bytes += BareLf(utf8, i) ? 1 : 0;
    }
    return bytes;
}

std::string UnencodableMessage(const std::vector<std::string>& chars) {
    std::string named;
    for (const std::string& ch : chars) {
        named += "「" + ch + "」";
    }
    return named + "の文字は使用できません。\n" + (chars.size() > 1 ? "これらの文字" : "この文字") +
           "は入力できないため取り除きました。";
}

std::string CapacityNote(std::size_t max_bytes) {
    return "この欄に入力できるのは半角" + std::to_string(max_bytes) + "文字（全角" +
           std::to_string(max_bytes / 2) + "文字）までです。";
}

} // namespace hanamori
