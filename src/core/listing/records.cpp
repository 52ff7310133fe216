#include "core/listing/records.h"

#include "core/app/helpers.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"

#include <ctime>
#include <utility>

namespace hanamori {

void AuctionRecord::Reset(const UserSettings& s) {
    *this = AuctionRecord();
    use_other = s.item_info.chk_etc;
    other = s.item_info.text;
    use_bank = s.payment.chk_bank;
    bank_text = s.payment.banks_text;
    use_postal = s.payment.chk_yuubin;
    postal_text = s.payment.yuubin_text;
    use_other_payment = s.payment.chk_etc;
    other_payment_text = s.payment.etc_text;
    origin_pref = FitField(s.CurrentProfile().address1, kPrefCapacity);
    const SendMethodDefaults& m = s.send_method;
    use_teikei = m.chk_teikei;
    use_teikeigai = m.chk_teikeigai;
    use_booklet = m.chk_sassi;
    use_expack = m.chk_expack;
    use_kuroneko_mail = m.chk_kuroneko;
    use_hikyaku_mail = m.chk_hikyaku;
    use_other_ship = m.chk_etc;
    other_ship_name = FitField(m.edt_etc, kOtherShipNameCapacity);
    use_yupack = m.chk_yuupack;
    use_yahoo_yupack = m.chk_y_yuupack;
    use_yamato = m.chk_yamato;
    use_sagawa = m.chk_sagawa;
    use_pelican = m.chk_perikan;
    shipping_notes = m.text;
}

std::int64_t CustomerRecord::Total() const {
    return static_cast<std::int64_t>(price) * count + ship_cost + other_charge;
}

const CustomerRecord* CustomerList::Current() const {
    if (current < 0 || current >= count()) {
        return nullptr;
    }
    return &m_records[static_cast<std::size_t>(current)];
}

CustomerRecord* CustomerList::Current() {
    return const_cast<CustomerRecord*>(std::as_const(*this).Current());
}

std::int32_t CustomerList::Remove(std::int32_t index) {
    if (index < 0 || index >= count()) {
        return -1;
    }
    m_records.erase(m_records.begin() + index);
    if (current >= count()) {
        current = count() - 1;
    }
    return count();
}

void CustomerList::Clear() {
    m_records.clear();
    current = 0;
}

void CustomerList::CopyTo(CustomerList& target) const {
    if (&target == this) {
        target.current = 0;
        return;
    }
    target.Clear();
    target.m_records = m_records;
}

void MailRecord::Reset(const UserSettings& s) {
    *this = MailRecord();
    auto bank_on = [&](int i) {
        const BankAccount& b = s.bank[static_cast<std::size_t>(i)];
        return (b.check != 0 && !b.bank_name.empty()) ? 1 : 0;
    };
    auto postal_on = [&](int i) {
        const PostalAccount& y = s.yuubin[static_cast<std::size_t>(i)];
        return (y.check != 0 && !y.type.empty()) ? 1 : 0;
    };
    bank1 = bank_on(0);
    bank2 = bank_on(1);
    bank3 = bank_on(2);
    bank4 = bank_on(3);
    postal1 = postal_on(0);
    postal2 = postal_on(1);
    use_other_payment = s.etc.check;
    other_payment_text = s.etc.text;
    const SellerProfile& p = s.CurrentProfile();
    seller_name = FitField(p.name, kPersonTextCapacity);
    seller_nickname = FitField(p.nickname, kPersonTextCapacity);
    seller_mail = FitField(p.mail, kMailAddressCapacity);
    seller_zip = FitField(p.post, kPersonTextCapacity);
    seller_pref = FitField(p.address1, kPersonTextCapacity);
    seller_address = p.address;
    seller_phone = FitField(p.phone, kPersonTextCapacity);
}

void SaleMaster::Reset(const UserSettings& s) {
    manage_no = NewManageNo();
    product_name.clear();
    auction.Reset(s);
    customers.Clear();
    customers_edit.Clear();
    mail.Reset(s);
}

} // namespace hanamori
