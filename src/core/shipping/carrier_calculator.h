#pragma once
// The common part of every carrier calculator: where its rate file lives, the parcel
// it prices, the seller it writes cost lists for, and the list text it wrote last.

#include <cstdint>
#include <string>

namespace hanamori {

struct UserSettings;
class RateFiles;

// List formats: plain text with CR LF (mails), HTML with <br>, HTML with emphasis
// (product pages).
inline constexpr int kListPlain = 0;
inline constexpr int kListHtml = 1;
inline constexpr int kListHtmlEmphasis = 2;

// `total` value of BuildList that means "no total lines".
inline constexpr std::int64_t kNoTotal = -1;

class CarrierCalculator {
public:
    // Shipping options and seller profiles are read from `settings` at each call; with
    // none, from the program-wide Settings().
    explicit CarrierCalculator(const UserSettings* settings = nullptr);
    virtual ~CarrierCalculator();

    // Whether the carrier can take the current parcel from `origin` at all.
    virtual bool IsAvailable(const std::string& origin) const;
    // Reads the calculator's sections from its rate file in the rate directory; false
    // on any failure, after which every cost is -1 and no list is written.
    bool Load();
    // The cost in yen from `origin` to `destination` (prefecture names); negative when
    // the parcel cannot be sent that way (発送不可).
    virtual int Cost(const std::string& origin, const std::string& destination) const;
    // Writes the cost list from `origin` (format kListPlain/kListHtml/kListHtmlEmphasis;
    // `total` the amount each line's cost is added to, or kNoTotal) into ListText().
    // False, with an empty list text, when the carrier cannot take the parcel.
    virtual bool BuildList(const std::string& origin, int format, std::int64_t total);

    // Loads from files already opened through `files` (shared by the engine's LoadAll).
    bool LoadFrom(RateFiles& files);

    void SetRateDirectory(const std::string& path);
    void SetParcel(int side1, int side2, int side3, int weight);
    void SetSellerId(const std::string& nickname);
    void SetSettings(const UserSettings* settings) { m_settings = settings; }
    void ClearText() { m_text.clear(); }
    void AppendText(const std::string& text) { m_text += text; }
    const std::string& ListText() const { return m_text; }
    bool IsLoaded() const { return m_loaded; }
    // Marks the tables as not loaded (prices nothing until the next successful load).
    void SetUnloaded() { m_loaded = false; }

protected:
    // Reads the sections into the tables; the base has none and succeeds.
    virtual bool ReadTables(RateFiles& files);

    const UserSettings& settings() const;
    // Sum of the three sides (64-bit, so no measure can overflow it).
    std::int64_t Size() const { return std::int64_t{m_side1} + m_side2 + m_side3; }

    int m_side1 = 0;
    int m_side2 = 0;
    int m_side3 = 0;
    int m_weight = 0;
    std::string m_seller_id;

private:
    std::string m_rate_dir;
    std::string m_text;
    const UserSettings* m_settings = nullptr;
    bool m_loaded = false;
};

} // namespace hanamori
