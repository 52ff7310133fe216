#include "core/listing/listing_file.h"

#include "core/app/atomic_file.h"
#include "core/listing/listing_extras.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <limits>
#include <new>
#include <type_traits>
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
    bool Text(const std::string& text, std::size_t capacity = 0, bool = true) {
        // The stored text ends at its terminator, as the field holds it, and a field of
        // fixed capacity keeps what fits it, as the reader takes it: every file written
        // reads back. A length the 32-bit field cannot hold fails the save instead of
        // writing a file that no longer reads.
        std::size_t length = std::strlen(text.c_str());
        if (capacity != 0) {
            length = SafeCutLength(std::string_view(text.data(), length), capacity - 1);
        }
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

// Runs the field list of a `Record` over a ListingReader or ListingWriter: a flag is one
// byte. The key is the JSON's business, not the file's. A reader decodes the texts whose
// bit is set in `decoded` (bit i: the record's i-th text) and walks over the others.
// Each field is handled inline in the list: a call per field cost more than walking it.
template <class Io, class Record> struct FileFields {
    Io& io;
    Record& record;
    std::uint64_t decoded = ~std::uint64_t{0};
    unsigned text_index = 0;
    template <class M>
    [[gnu::always_inline]] void Text(const char*, M member, std::size_t capacity = 0) {
        io.Text(record.*member, capacity, ((decoded >> text_index++) & 1) != 0);
    }
    template <class M> [[gnu::always_inline]] void Flag(const char*, M member) {
        io.Byte(record.*member);
    }
    template <class M> [[gnu::always_inline]] void Int(const char*, M member) {
        io.Int(record.*member);
    }
};

template <class Io, class Record>
bool FileRecord(Io& io, Record& record, std::uint64_t decoded = ~std::uint64_t{0}) {
    std::remove_const_t<Record>::Fields(FileFields<Io, Record>{io, record, decoded});
    return io.ok();
}

// Finds the position of `member` among the texts of CustomerRecord's field list.
struct BidderTextPosition {
    std::string CustomerRecord::*member;
    unsigned index = 0;
    bool found = false;
    void Text(const char*, std::string CustomerRecord::*m, std::size_t = 0) {
        found = found || m == member;
        index += found ? 0 : 1;
    }
    template <class M> void Flag(const char*, M) {}
    template <class M> void Int(const char*, M) {}
};

// Reads the bidders into `list`, which keeps the records read before a failed one, and
// their number in the file into `count`. The records already in the list are reused:
// every field of a record's field list is written.
bool ReadCustomerSection(ListingReader& in, CustomerList& list, const ListingTexts& texts,
                         std::int32_t& count) {
    if (!in.Tag(kCustomerTag) || !in.Int(count) || count < 0) {
        list.Clear();
        return false;
    }
    if (!texts.keeps_bidders()) {
        list.Clear();
        CustomerRecord walked;
        for (std::int32_t i = 0; i < count; ++i) {
            if (!FileRecord(in, walked, 0)) {
                return false;
            }
        }
        return true;
    }
    // Only a few records are made ahead: a damaged count costs no more than the records
    // the file really holds.
    constexpr std::size_t kMadeAhead = 16;
    list.Resize(std::min(static_cast<std::size_t>(count), kMadeAhead));
    for (std::int32_t i = 0; i < count; ++i) {
        CustomerRecord& record =
            i < list.count() ? list[static_cast<std::size_t>(i)] : list.AppendNew();
        if (!FileRecord(in, record, texts.bidder_texts())) {
            list.Resize(static_cast<std::size_t>(i));
            return false;
        }
    }
    return true;
}

} // namespace

void ListingReader::Decode(std::string& field, const char* at, std::size_t length) {
    const void* zero = std::memchr(at, '\0', length);
    field.assign(at, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - at) : length);
}

ListingTexts
ListingTexts::NameAndBidders(std::initializer_list<std::string CustomerRecord::*> texts) {
    std::uint64_t bits = 0;
    for (std::string CustomerRecord::*member : texts) {
        BidderTextPosition position{member};
        CustomerRecord::Fields(position);
        bits |= std::uint64_t{1} << position.index;
    }
    return ListingTexts(false, true, bits);
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

bool WriteListing(const SaleMaster& listing, std::ostream& out) {
    ListingWriter w(out);
    std::string number(kManageNoLength, '\0');
    std::memcpy(number.data(), listing.manage_no.data(),
                std::min(listing.manage_no.size(), kManageNoLength));
    if (!w.Tag(kSaleMasterTag) || !w.Int(kListingFormatNumber)) {
        return false;
    }
    out.write(number.data(), static_cast<std::streamsize>(number.size()));
    return out.good() && w.Text(listing.product_name, kProductNameCapacity) &&
           WriteAuctionSection(out, listing.auction) &&
           WriteCustomerSection(out, listing.customers) && WriteMailSection(out, listing.mail) &&
           (!HasExtras(listing) || WriteExtrasSection(out, listing)) && out.good();
}

bool WriteListing(const SaleMaster& listing, const std::string& path) {
    // A seller marks a finished listing read-only to keep it as it is; the directory's
    // permission to rename over it does not overrule that.
    if (IsWriteProtected(path)) {
        errno = EACCES;
        return false;
    }
    return SaveFileAtomically(path, [&](std::ostream& out) { return WriteListing(listing, out); });
}

ClaimResult WriteNewListing(const SaleMaster& listing, const std::string& path) {
    return SaveNewFileAtomically(path,
                                 [&](std::ostream& out) { return WriteListing(listing, out); });
}

FileLock LockListing(const std::string& path) {
    return LockFile(path + ".lock", kListingLockWait);
}

const std::string& ReadOnlySaveMessage() {
    return "このファイルは読み取り専用のため、保存できません。"_sj;
}

const std::string& ReadOnlyDeleteMessage() {
    return "このファイルは読み取り専用のため、削除できません。"_sj;
}

const std::string& ListingBusyMessage() {
    return "他のプログラムがこのファイルを変更中です。しばらくしてからもう一度お試しください。"_sj;
}

namespace {

// ReadListingBytes that also gives the reader's `needed` (ListingReader::needed).
// `whole`: `bytes` is all of the file, not the start of it.
bool ReadListingPart(SaleMaster& listing, std::string_view bytes, const ListingTexts& texts,
                     bool whole, std::size_t& needed) try {
    ListingReader in(bytes);
    std::int32_t format = 0;
    std::int32_t bidders = 0;
    const std::uint64_t sections = texts.all() ? ~std::uint64_t{0} : 0;
    bool ok = in.Tag(kSaleMasterTag) && in.Int(format) &&
              in.Fixed(kManageNoLength, listing.manage_no) &&
              in.Text(listing.product_name, kProductNameCapacity) && in.Tag(kAuctionTag) &&
              FileRecord(in, listing.auction, sections) &&
              ReadCustomerSection(in, listing.customers, texts, bidders) && in.Tag(kMailTag) &&
              FileRecord(in, listing.mail, sections);
    ClearExtras(listing);
    needed = in.needed();
    if (!ok) {
        return false;
    }
    // After the mail section: nothing, the extras section, or bytes the program never
    // wrote there, which are passed over as they always were.
    if (!whole && in.remaining() < kTagLength) {
        needed = bytes.size() + 1; // the rest of the file may hold the extras' tag
        return false;
    }
    if (in.MayBeAt(kExtrasTag)) {
        ok = ReadExtrasSection(in, listing, bidders);
        needed = in.needed();
    }
    return ok;
} catch (const std::bad_alloc&) { // a text too long for the memory at hand
    needed = 0;
    return false;
}

// Reads from `file` until `buffer` holds `want` bytes or the file ends; false on an error.
bool FillTo(InputFile& file, std::size_t want, std::string& buffer) try {
    std::size_t filled = buffer.size();
    buffer.resize(want);
    while (filled < want) {
        const std::ptrdiff_t got = file.Read(buffer.data() + filled, want - filled);
        if (got <= 0) {
            buffer.resize(filled);
            return got == 0;
        }
        filled += static_cast<std::size_t>(got);
    }
    return true;
} catch (const std::exception&) { // no memory for that much
    std::string().swap(buffer);
    return false;
}

// What is read of a file before its lengths are known: every usual listing whole.
constexpr std::size_t kFirstReadBytes = std::size_t{4} << 20;

} // namespace

bool ReadListingBytes(SaleMaster& listing, std::string_view bytes, const ListingTexts& texts) {
    std::size_t needed = 0;
    return ReadListingPart(listing, bytes, texts, true, needed);
}

bool ReadListingFromFile(InputFile& file, std::size_t size, SaleMaster& listing,
                         const ListingTexts& texts, std::string& buffer) {
    buffer.clear();
    std::size_t want = std::min(size, kFirstReadBytes);
    for (;;) {
        if (!FillTo(file, want, buffer)) {
            return false;
        }
        std::size_t needed = 0;
        if (ReadListingPart(listing, buffer, texts, buffer.size() == size, needed)) {
            return true;
        }
        // Read on only when the listing's own lengths reach past what was read and the
        // file holds that much; doubling keeps a long listing to a few passes.
        if (needed <= buffer.size() || buffer.size() < want || needed > size) {
            return false;
        }
        want = std::min(size, std::max(needed, buffer.size() * 2));
    }
}

bool ReadListing(SaleMaster& listing, const std::string& path) {
    InputFile file(path);
    FileFacts facts;
    std::string bytes;
    return file.Facts(facts) && facts.regular &&
           ReadListingFromFile(file, static_cast<std::size_t>(facts.size), listing,
                               ListingTexts::All(), bytes);
}

std::string ListingPath(const std::string& install_dir, const std::string& manage_no) {
    return install_dir + "Datas/" + manage_no + ".rks";
}

} // namespace hanamori
