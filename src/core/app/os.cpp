// What the file calls of os.h share on every system.

#include "core/app/os.h"

namespace hanamori {

InputFile::InputFile(InputFile&& other) noexcept
    : m_handle(other.m_handle), m_error(other.m_error) {
    other.m_handle = -1;
}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = other.m_handle;
        m_error = other.m_error;
        other.m_handle = -1;
    }
    return *this;
}

InputFile::~InputFile() {
    Close();
}

bool InputFile::is_open() const {
    return m_handle != -1;
}

} // namespace hanamori
