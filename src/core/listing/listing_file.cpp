#include "core/listing/listing_file.h"

#include "core/app/atomic_file.h"
#include "core/text/cp932.h"

#include <cstring>
#include <fstream>
#include <limits>
#include <new>

namespace hanamori {
namespace {

// Writes primitives; the first short write makes every later call fail.
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
            return false;
        }
        return Int(static_cast<std::int32_t>(length)) && (length == 0 || Put(text.data(), length));
    }

private:
    bool Put(const char* data, std::size_t n) {
        if (!m_out.good()) {
            return false;
        }
        m_out.write(data, static_cast<std::streamsize>(n));
        return m_out.good();
    }
    std::ostream& m_out;
};

// Both directions walk the same field list, so the layout is written down once.
template <class Io, class A> bool BindAuction(Io& io, A& a) {
    return io.Tag(kAuctionTag) && io.Text(a.page_url, kUrlCapacity) && io.Byte(a.listed) &&
           io.Text(a.listed_date, kDateCapacity) && io.Byte(a.ended) &&
           io.Text(a.ended_date, kDateCapacity) && io.Byte(a.completed) &&
           io.Text(a.completed_date, kDateCapacity) && io.Text(a.memo) &&
           io.Text(a.design_type, kDesignNameCapacity) &&
           io.Text(a.design_color, kDesignNameCapacity) &&
           io.Text(a.display_name, kDisplayNameCapacity) && io.Byte(a.use_description) &&
           io.Text(a.description) && io.Byte(a.use_notes) && io.Text(a.notes) &&
           io.Byte(a.use_other) && io.Text(a.other) && io.Byte(a.use_quantity) &&
           io.Int(a.quantity) && io.Int(a.weight_g) && io.Int(a.length_cm) && io.Int(a.width_cm) &&
           io.Int(a.height_cm) && io.Byte(a.use_bank) && io.Text(a.bank_text) &&
           io.Byte(a.use_postal) && io.Text(a.postal_text) && io.Byte(a.use_other_payment) &&
           io.Text(a.other_payment_text) && io.Text(a.origin_pref, kPrefCapacity) &&
           io.Byte(a.use_teikei) && io.Int(a.teikei_cost) && io.Byte(a.use_teikeigai) &&
           io.Int(a.teikeigai_cost) && io.Byte(a.use_booklet) && io.Int(a.booklet_cost) &&
           io.Byte(a.use_expack) && io.Int(a.expack_cost) && io.Byte(a.use_kuroneko_mail) &&
           io.Int(a.kuroneko_mail_cost) && io.Byte(a.use_hikyaku_mail) &&
           io.Int(a.hikyaku_mail_cost) && io.Byte(a.use_other_ship) &&
           io.Text(a.other_ship_name, kOtherShipNameCapacity) && io.Int(a.other_ship_cost) &&
           io.Byte(a.use_yupack) && io.Byte(a.use_yahoo_yupack) && io.Byte(a.use_yamato) &&
           io.Byte(a.use_sagawa) && io.Byte(a.use_pelican) && io.Text(a.shipping_notes);
}

template <class Io, class C> bool BindCustomer(Io& io, C& c) {
    return io.Text(c.name, kPersonTextCapacity) && io.Text(c.nickname, kPersonTextCapacity) &&
           io.Text(c.mail, kMailAddressCapacity) && io.Int(c.price) && io.Int(c.count) &&
           io.Text(c.ship_method) && io.Int(c.ship_cost) && io.Int(c.other_charge) &&
           io.Text(c.zip, kPersonTextCapacity) && io.Text(c.pref, kPrefCapacity) &&
           io.Text(c.address) && io.Text(c.phone, kPersonTextCapacity) && io.Byte(c.mail_comment) &&
           io.Text(c.comment) && io.Byte(c.notice_sent) &&
           io.Text(c.notice_sent_date, kDateCapacity) && io.Byte(c.method_told) &&
           io.Text(c.method_told_date, kDateCapacity) && io.Byte(c.paid) &&
           io.Text(c.paid_date, kDateCapacity) && io.Byte(c.shipped) &&
           io.Text(c.shipped_date, kDateCapacity) && io.Byte(c.closed) &&
           io.Text(c.closed_date, kDateCapacity);
}

template <class Io, class M> bool BindMail(Io& io, M& m) {
    return io.Tag(kMailTag) && io.Byte(m.bank1) && io.Byte(m.bank2) && io.Byte(m.bank3) &&
           io.Byte(m.bank4) && io.Byte(m.bank5) && io.Byte(m.bank6) && io.Byte(m.postal1) &&
           io.Byte(m.postal2) && io.Byte(m.postal3) && io.Byte(m.use_other_payment) &&
           io.Text(m.other_payment_text) && io.Text(m.seller_name, kPersonTextCapacity) &&
           io.Text(m.seller_nickname, kPersonTextCapacity) &&
           io.Text(m.seller_mail, kMailAddressCapacity) &&
           io.Text(m.seller_zip, kPersonTextCapacity) &&
           io.Text(m.seller_pref, kPersonTextCapacity) && io.Text(m.seller_address) &&
           io.Text(m.seller_phone, kPersonTextCapacity);
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
    return BindAuction(w, a);
}

bool WriteCustomerRecord(std::ostream& out, const CustomerRecord& c) {
    ListingWriter w(out);
    return BindCustomer(w, c);
}

bool WriteCustomerSection(std::ostream& out, const CustomerList& list) {
    ListingWriter w(out);
    if (!w.Tag(kCustomerTag) || !w.Int(list.count())) {
        return false;
    }
    for (const CustomerRecord& c : list.records()) {
        if (!WriteCustomerRecord(out, c)) {
            return false;
        }
    }
    return true;
}

bool WriteMailSection(std::ostream& out, const MailRecord& m) {
    ListingWriter w(out);
    return BindMail(w, m);
}

bool ReadAuctionSection(ListingReader& in, AuctionRecord& a) {
    return BindAuction(in, a);
}
bool ReadCustomerRecord(ListingReader& in, CustomerRecord& c) {
    return BindCustomer(in, c);
}
bool ReadMailSection(ListingReader& in, MailRecord& m) {
    return BindMail(in, m);
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
        list.Append(record);
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
