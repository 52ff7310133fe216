#pragma once
// The binary listing file ("Datas/<manage_no>.rks"): four tagged sections, 32-bit
// little-endian integers, flags as single bytes, texts as a length and their bytes;
// after them, only when it holds something, the extras section (listing_extras.h).

#include "core/app/atomic_file.h"
#include "core/app/os.h"
#include "core/listing/records.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace hanamori {

inline constexpr std::int32_t kListingFormatNumber = 100;
inline constexpr const char kSaleMasterTag[] = "@SaleMaster                    @";
inline constexpr const char kAuctionTag[] = "@AuctionHeader                 @";
inline constexpr const char kCustomerTag[] = "@CustomerHeader                @";
inline constexpr const char kMailTag[] = "@MailHeader                    @";
inline constexpr std::size_t kTagLength = 32;

// Sequential reader over the bytes of a listing file. Every read checks what is left;
// the first failure makes the reader fail for good, and later reads leave their fields
// alone.
class ListingReader {
public:
    explicit ListingReader(std::string_view bytes) : m_bytes(bytes) {}
    bool Tag(const char* tag) {
        const char* at = Take(kTagLength);
        return at && std::memcmp(at, tag, kTagLength) == 0;
    }
    bool Int(std::int32_t& value) {
        const auto* b = reinterpret_cast<const unsigned char*>(Take(4));
        if (!b) {
            return false;
        }
        value = static_cast<std::int32_t>(b[0] | (static_cast<std::uint32_t>(b[1]) << 8) |
                                          (static_cast<std::uint32_t>(b[2]) << 16) |
                                          (static_cast<std::uint32_t>(b[3]) << 24));
        return true;
    }
    bool Byte(std::int32_t& flag) {
        const char* at = Take(1);
        if (!at) {
            return false;
        }
        flag = static_cast<unsigned char>(*at);
        return true;
    }
    // A text for a field of `capacity` bytes (0: unbounded). A negative length, one past
    // the end of the file or one the field cannot hold fails; an unbounded field whose
    // read fails is left empty. Not `decode`: the text is checked and passed over exactly
    // as it would be read, and the field is left empty.
    bool Text(std::string& field, std::size_t capacity = 0, bool decode = true) {
        if (!ok()) {
            return false; // the fields after a failure keep what they held
        }
        std::size_t length = 0;
        const char* at = TextBytes(capacity, length);
        if (at && decode) {
            Decode(field, at, length);
        } else if (at || capacity == 0) {
            field.clear();
        }
        return at != nullptr;
    }
    // A field of exactly `length` bytes, held up to its first zero byte.
    bool Fixed(std::size_t length, std::string& field) {
        const char* at = Take(length);
        if (at) {
            Decode(field, at, length);
        }
        return at != nullptr;
    }
    // True when the next bytes are `tag`, or its start where the bytes end; reads nothing.
    bool MayBeAt(const char* tag) const {
        const std::size_t left = remaining();
        return left != 0 &&
               std::memcmp(m_bytes.data() + m_pos, tag, left < kTagLength ? left : kTagLength) == 0;
    }
    // How many bytes are left to read (0 once a read has failed).
    std::size_t remaining() const { return ok() ? m_bytes.size() - m_pos : 0; }
    // False once a read has failed.
    bool ok() const { return m_pos <= m_bytes.size(); }
    // When the reading failed because the bytes ended: how many bytes from the start it
    // needed for the read that failed (else 0).
    std::size_t needed() const { return m_needed; }

private:
    // The next `length` bytes, or nullptr (and failed for good) when fewer are left.
    const char* Take(std::size_t length) {
        if (m_pos > m_bytes.size() || length > m_bytes.size() - m_pos) {
            if (m_pos <= m_bytes.size()) {
                m_needed = m_pos + length;
            }
            m_pos = m_bytes.size() + 1; // failed for good
            return nullptr;
        }
        const char* at = m_bytes.data() + m_pos;
        m_pos += length;
        return at;
    }
    // The bytes of the next text and their `length`; nullptr (failed for good) when its
    // length is negative, past the end or too long for the field.
    const char* TextBytes(std::size_t capacity, std::size_t& length) {
        std::int32_t stored = 0;
        if (!Int(stored) || stored < 0 ||
            (capacity != 0 && static_cast<std::size_t>(stored) >= capacity)) {
            m_pos = m_bytes.size() + 1;
            return nullptr;
        }
        length = static_cast<std::size_t>(stored);
        return Take(length);
    }
    // The field holds the text up to its first zero byte, as the terminated field did.
    static void Decode(std::string& field, const char* at, std::size_t length);

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    std::size_t m_needed = 0;
};

// Which texts a read decodes. The others are walked and checked as a whole read checks
// them, so a file fails exactly when a whole read fails; they are left empty.
class ListingTexts {
public:
    // Every text of the file.
    static ListingTexts All() { return ListingTexts(true, true, ~std::uint64_t{0}); }
    // The product name. The bidders are walked and not kept: the list is left empty.
    static ListingTexts NameOnly() { return ListingTexts(false, false, 0); }
    // The product name and the bidders, with their numbers and the texts named.
    static ListingTexts NameAndBidders(std::initializer_list<std::string CustomerRecord::*> texts);

    bool all() const { return m_all; }
    bool keeps_bidders() const { return m_keeps_bidders; }
    // Bit i: the i-th text of a bidder record's field list is decoded.
    std::uint64_t bidder_texts() const { return m_bidder_texts; }

private:
    ListingTexts(bool all, bool keeps_bidders, std::uint64_t bidder_texts)
        : m_all(all), m_keeps_bidders(keeps_bidders), m_bidder_texts(bidder_texts) {}
    bool m_all;
    bool m_keeps_bidders;
    std::uint64_t m_bidder_texts;
};

// Section writers, each stopping at the first failed primitive.
bool WriteAuctionSection(std::ostream& out, const AuctionRecord& a);
bool WriteCustomerSection(std::ostream& out, const CustomerList& list);
bool WriteCustomerRecord(std::ostream& out, const CustomerRecord& c);
bool WriteMailSection(std::ostream& out, const MailRecord& m);

// Writes the whole listing (the stored bidder list `customers`, never the working copy).
bool WriteListing(const SaleMaster& listing, std::ostream& out);
// Saves atomically: on failure the previous file at `path` is kept whole. A
// write-protected file (IsWriteProtected) is never replaced: false, errno EACCES.
bool WriteListing(const SaleMaster& listing, const std::string& path);

// What the seller is told when a save or a delete was refused because the listing
// file is write-protected (CP932; the caller names the file).
const std::string& ReadOnlySaveMessage();
const std::string& ReadOnlyDeleteMessage();

// Writes the listing as the new file `path`, whole or not at all (see
// SaveNewFileAtomically): Taken when a file of that name exists.
ClaimResult WriteNewListing(const SaleMaster& listing, const std::string& path);

// How long a change of a listing waits for another program's change of it to end.
inline constexpr std::chrono::milliseconds kListingLockWait{5000};
// The lock that every change of an existing listing file holds from reading (or
// checking) it to writing it, in every program: the lock file "<path>.lock". Not held
// when another program kept it for kListingLockWait.
FileLock LockListing(const std::string& path);
// What the seller is told when it was not held.
const std::string& ListingBusyMessage();

// Reads into `listing` in place (it is not reset first: on failure the fields read so
// far hold the file's values). Needs read access only.
bool ReadListingBytes(SaleMaster& listing, std::string_view bytes,
                      const ListingTexts& texts = ListingTexts::All());
bool ReadListing(SaleMaster& listing, const std::string& path);

// Reads the listing from the open regular file `file` of `size` bytes (ReadListingBytes):
// only as much of the file as the listing's own lengths reach is read into `buffer`, so
// a huge file that holds no listing (a sparse copy) costs no memory for its size.
bool ReadListingFromFile(InputFile& file, std::size_t size, SaleMaster& listing,
                         const ListingTexts& texts, std::string& buffer);

// "<install_dir>Datas/<manage_no>.rks".
std::string ListingPath(const std::string& install_dir, const std::string& manage_no);

} // namespace hanamori
