#include "core/listing/listing_file.h"

#include "core/app/atomic_file.h"
#include "core/app/record_fields.h"
#include "core/text/cp932.h"

#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <utility>

namespace hanamori {
namespace {

// Writes primitives; the first failure makes every later call fail.
class ListingWriter {
public:
    explicit ListingWriter(std::ostream& out) : m_out(out) {}
    bool Tag(const char* tag) { return Put(tag, kTagLength); }
    bool Int(std::int32_t value) {
        auto u = static_cast<std::uint32_t>(value);
        char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                     static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
        return Put(b, 4);
    }
    bool Byte(std::int32_t flag) {
        char b = static_cast<char>(flag & 0xFF);
        return Put(&b, 1);
    }
    bool Text(const std::string& text, std::size_t = 0) {
        // The stored text ends at its terminator, as the field holds it. A length the
        // 32-bit field cannot hold fails the save instead of writing a file that no
        // longer reads.
        std::size_t length = std::strlen(text.c_str());
        if (length > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            m_failed = true;
            return false;
        }
        return Int(static_cast<std::int32_t>(length)) && (length == 0 || Put(text.data(), length));
    }

    bool ok() const { return !m_failed && m_out.good(); }

private:
    bool Put(const char* data, std::size_t n) {
        if (!ok()) {
            return false;
        }
        m_out.write(data, static_cast<std::streamsize>(n));
        return m_out.good();
    }
    std::ostream& m_out;
    bool m_failed = false;
};

// Runs a record's field list over a ListingReader or ListingWriter: a flag is one byte.
// The key is the JSON's business, not the file's.
template <class Io> struct FileFields {
    Io& io;
    template <class T> void Text(const char*, T& text, std::size_t capacity) {
        io.Text(text, capacity);
    }
    template <class T> void Flag(const char*, T& flag) { io.Byte(flag); }
    template <class T> void Int(const char*, T& value) { io.Int(value); }
};

template <class Io, class Record> bool FileRecord(Io& io, Record& record) {
    VisitFields(record, FileFields<Io>{io});
    return io.ok();
}

// A text as the reader's terminated field holds it: up to the first zero byte.
void TerminateAtZero(std::string& s) {
    auto zero = s.find('\0');
    if (zero != std::string::npos) {
        s.resize(zero);
    }
}

} // namespace

const char* ListingReader::Take(std::size_t length) {
    if (m_pos > m_bytes.size() || length > m_bytes.size() - m_pos) {
        m_pos = m_bytes.size() + 1; // failed for good
        return nullptr;
    }
    const char* at = m_bytes.data() + m_pos;
    m_pos += length;
    return at;
}

bool ListingReader::Raw(std::size_t length, std::string& out) {
    const char* at = Take(length);
    if (!at) {
        return false;
    }
    out.assign(at, length);
    return true;
}

bool ListingReader::Tag(const char* tag) {
    const char* at = Take(kTagLength);
    return at && std::memcmp(at, tag, kTagLength) == 0;
}

bool ListingReader::Int(std::int32_t& value) {
    const auto* b = reinterpret_cast<const unsigned char*>(Take(4));
    if (!b) {
        return false;
    }
    std::uint32_t u = b[0] | (static_cast<std::uint32_t>(b[1]) << 8) |
                      (static_cast<std::uint32_t>(b[2]) << 16) |
                      (static_cast<std::uint32_t>(b[3]) << 24);
    value = static_cast<std::int32_t>(u);
    return true;
}

bool ListingReader::Byte(std::int32_t& flag) {
    const char* at = Take(1);
    if (!at) {
        return false;
    }
    flag = static_cast<unsigned char>(*at);
    return true;
}

bool ListingReader::Text(std::string& field, std::size_t capacity) {
    if (!ok()) {
        return false; // the fields after a failure keep what they held
    }
    std::int32_t length = 0;
    const char* at = nullptr;
    bool ok = Int(length) && length >= 0 &&
              (capacity == 0 || static_cast<std::size_t>(length) < capacity);
    if (ok) {
        at = Take(static_cast<std::size_t>(length));
        ok = at != nullptr;
    } else {
        m_pos = m_bytes.size() + 1;
    }
    if (!m_decode_texts) {
        return ok;
    }
    if (!ok) {
        if (capacity == 0)
            field.clear();
        return false;
    }
    // The field holds the text up to its first zero byte, as the terminated field did.
    const void* zero = std::memchr(at, '\0', static_cast<std::size_t>(length));
    field.assign(at, zero ? static_cast<const char*>(zero) - at : length);
    return true;
}

bool WriteAuctionSection(std::ostream& out, const AuctionRecord& a) {
    ListingWriter w(out);
    return w.Tag(kAuctionTag) && FileRecord(w, a);
}

bool WriteCustomerRecord(std::ostream& out, const CustomerRecord& c) {
    ListingWriter w(out);
    return FileRecord(w, c);
}

bool WriteCustomerSection(std::ostream& out, const CustomerList& list) {
    ListingWriter w(out);
    if (!w.Tag(kCustomerTag) || !w.Int(list.count())) {
        return false;
    }
    for (const CustomerRecord& c : list.records()) {
        if (!FileRecord(w, c)) {
            return false;
        }
    }
    return true;
}

bool WriteMailSection(std::ostream& out, const MailRecord& m) {
    ListingWriter w(out);
    return w.Tag(kMailTag) && FileRecord(w, m);
}

bool ReadAuctionSection(ListingReader& in, AuctionRecord& a) {
    return in.Tag(kAuctionTag) && FileRecord(in, a);
}
bool ReadCustomerRecord(ListingReader& in, CustomerRecord& c) {
    return FileRecord(in, c);
}
bool ReadMailSection(ListingReader& in, MailRecord& m) {
    return in.Tag(kMailTag) && FileRecord(in, m);
}

bool ReadCustomerSection(ListingReader& in, CustomerList& list) {
    list.Clear();
    std::int32_t count = 0;
    if (!in.Tag(kCustomerTag) || !in.Int(count) || count < 0) {
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        CustomerRecord record;
        if (!ReadCustomerRecord(in, record)) {
            return false;
        }
        list.Append(std::move(record));
    }
    return list.count() == count;
}

bool WriteListing(const SaleMaster& listing, std::ostream& out) {
    ListingWriter w(out);
    std::string number(kManageNoLength, '\0');
    std::memcpy(number.data(), listing.manage_no.data(),
                std::min(listing.manage_no.size(), kManageNoLength));
    if (!w.Tag(kSaleMasterTag) || !w.Int(kListingFormatNumber)) {
        return false;
    }
    out.write(number.data(), static_cast<std::streamsize>(number.size()));
    return out.good() && w.Text(listing.product_name) &&
           WriteAuctionSection(out, listing.auction) &&
           WriteCustomerSection(out, listing.customers) && WriteMailSection(out, listing.mail) &&
           out.good();
}

bool WriteListing(const SaleMaster& listing, const std::string& path) {
    return SaveFileAtomically(path, [&](std::ostream& out) { return WriteListing(listing, out); });
}

ClaimResult WriteNewListing(const SaleMaster& listing, const std::string& path) {
    return SaveNewFileAtomically(path,
                                 [&](std::ostream& out) { return WriteListing(listing, out); });
}

FileLock LockListing(const std::string& path) {
    return LockFile(path + ".lock", kListingLockWait);
}

const std::string& ListingBusyMessage() {
    return "他のプログラムがこのファイルを変更中です。しばらくしてからもう一度お試しください。"_sj;
}

bool ReadListingBytes(SaleMaster& listing, std::string_view bytes, ListingTexts texts) try {
    ListingReader in(bytes);
    std::int32_t format = 0;
    std::string number;
    if (!in.Tag(kSaleMasterTag) || !in.Int(format) || !in.Raw(kManageNoLength, number)) {
        return false;
    }
    TerminateAtZero(number);
    listing.manage_no = number;
    if (!in.Text(listing.product_name, kProductNameCapacity)) {
        return false;
    }
    const bool all = texts == ListingTexts::All;
    in.DecodeTexts(all);
    if (!ReadAuctionSection(in, listing.auction)) {
        return false;
    }
    in.DecodeTexts(all || texts == ListingTexts::NameAndBidders);
    if (!ReadCustomerSection(in, listing.customers)) {
        return false;
    }
    in.DecodeTexts(all);
    return ReadMailSection(in, listing.mail);
} catch (const std::bad_alloc&) { // a text too long for the memory at hand
    return false;
}

bool ReadListing(SaleMaster& listing, const std::string& path) {
    // A file that does not start like a listing is refused before its size is read in.
    std::string bytes;
    if (!ReadFilePrefix(path, kTagLength, bytes) ||
        bytes != std::string_view(kSaleMasterTag, kTagLength) || !ReadWholeFile(path, bytes)) {
        return false;
    }
    return ReadListingBytes(listing, bytes);
}

std::string ListingPath(const std::string& install_dir, const std::string& manage_no) {
    return install_dir + "Datas/" + manage_no + ".rks";
}

} // namespace hanamori
