#pragma once
// The binary listing file ("Datas/<manage_no>.rks"): four tagged sections, 32-bit
// little-endian integers, flags as single bytes, texts as a length and their bytes.

#include "core/app/atomic_file.h"
#include "core/listing/records.h"

#include <chrono>
#include <cstddef>
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
    bool Tag(const char* tag);
    bool Int(std::int32_t& value);
    bool Byte(std::int32_t& flag);
    bool Raw(std::size_t length, std::string& out);
    // A text for a field of `capacity` bytes (0: unbounded). A negative length, one past
    // the end of the file or one the field cannot hold fails; an unbounded field whose
    // read fails is left empty.
    bool Text(std::string& field, std::size_t capacity = 0);
    // Off: Text() checks and passes over each text exactly as it would read it, and leaves
    // the field alone.
    void DecodeTexts(bool on) { m_decode_texts = on; }
    // False once a read has failed.
    bool ok() const { return m_pos <= m_bytes.size(); }

private:
    // The next `length` bytes, or nullptr (and failed for good) when fewer are left.
    const char* Take(std::size_t length);

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_decode_texts = true;
};

// Which texts a read decodes. The others are walked and checked as a whole read checks
// them, so a file fails exactly when a whole read fails; they are left empty.
enum class ListingTexts {
    All,
    NameAndBidders, // the product name and the bidder records' texts
    NameOnly,       // the product name
};

// Section writers and readers, each stopping at the first failed primitive.
bool WriteAuctionSection(std::ostream& out, const AuctionRecord& a);
bool WriteCustomerSection(std::ostream& out, const CustomerList& list);
bool WriteCustomerRecord(std::ostream& out, const CustomerRecord& c);
bool WriteMailSection(std::ostream& out, const MailRecord& m);
bool ReadAuctionSection(ListingReader& in, AuctionRecord& a);
// Clears `list` first; fails when a record fails (the list keeps the records before it).
bool ReadCustomerSection(ListingReader& in, CustomerList& list);
bool ReadCustomerRecord(ListingReader& in, CustomerRecord& c);
bool ReadMailSection(ListingReader& in, MailRecord& m);

// Writes the whole listing (the stored bidder list `customers`, never the working copy).
bool WriteListing(const SaleMaster& listing, std::ostream& out);
// Saves atomically: on failure the previous file at `path` is kept whole.
bool WriteListing(const SaleMaster& listing, const std::string& path);

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
                      ListingTexts texts = ListingTexts::All);
bool ReadListing(SaleMaster& listing, const std::string& path);

// "<install_dir>Datas/<manage_no>.rks".
std::string ListingPath(const std::string& install_dir, const std::string& manage_no);

} // namespace hanamori
