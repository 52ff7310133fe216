#pragma once
// Shared pieces of the fuzz targets: a host that answers nothing, scratch directories
// that live as long as the fuzzing process, and a settings record to price with.

#include "core/app/host.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hanamori::fuzz {

class QuietHost : public Host {
public:
    void ShowMessage(const std::string&, MessageIcon) override {}
    Answer AskYesNoCancel(const std::string&, MessageIcon) override { return Answer::Cancel; }
    bool AskYesNo(const std::string&, MessageIcon) override { return false; }
    bool SetClipboardText(const std::string&) override { return true; }
    void OpenPage(const std::string&) override {}
};

// A directory made once per process (ending in '/'), removed at exit.
const std::string& ScratchDir();

// The shipped data directory of the source tree ("<source>/data/").
std::string ShippedDataDir();

// Writes `bytes` as the whole file `path`; aborts when it cannot (the target would test
// nothing).
void PutFile(const std::string& path, std::string_view bytes);

// Copies the file `from` to `to`.
void CopyFile(const std::string& from, const std::string& to);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace hanamori::fuzz
