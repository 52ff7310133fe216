#include "core/shipping/services/service_file.h"

#include "core/shipping/services/service_cells.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace hanamori {
namespace {

// Reads one file; each step either succeeds or leaves `problem` set.
class ServiceFileReader {
public:
    explicit ServiceFileReader(const std::string& file) { m_tariff.file = file; }

    std::variant<ServiceTariff, ServiceDataProblem> Read(std::string_view text);

private:
    bool Line(const std::vector<std::string>& cells);
    bool TextItem(const std::vector<std::string>& cells, std::string& target);
    bool Limit(const std::vector<std::string>& cells, std::int32_t& target, bool in_cm);
    bool Box(const std::vector<std::string>& cells);
    bool Table(PriceTableKind kind);
    bool Step(const std::vector<std::string>& cells, bool in_cm);
    bool Region(const std::vector<std::string>& cells);
    bool Class(const std::vector<std::string>& cells);
    bool RateRow(const std::vector<std::string>& cells);
    bool Period(const std::vector<std::string>& cells);
    bool FinishTable();
    bool Finish();
    bool Fault(std::string message, int line = -1) {
        m_problem = {m_tariff.file, line < 0 ? m_line : line, std::move(message)};
        return false;
    }
    bool NotANumber(const std::string& cell) { return Fault("数値ではありません: "_sj + cell); }

    ServiceTariff m_tariff;
    ServiceDataProblem m_problem;
    int m_line = 0;
    std::vector<int> m_class_lines;
    std::vector<bool> m_rows_given; // [class][origin]
    std::vector<ServiceTariff> m_earlier;
    bool m_regions_carried = false; // the regions came from the period before
};

bool IsIdText(const std::string& id) {
    return !id.empty() && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

std::variant<ServiceTariff, ServiceDataProblem> ServiceFileReader::Read(std::string_view text) {
    std::string converted;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        auto cp932 = Utf8ToCp932(text.substr(3));
        if (!cp932) {
            Fault("Shift-JIS にできない文字があります"_sj, 0);
            return m_problem;
        }
        converted = std::move(*cp932);
        text = converted;
    }
    m_tariff.region_of.fill(-1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        ++m_line;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::vector<std::string> cells = SplitCells(line);
        if (cells.empty() || cells[0].empty() || cells[0][0] == '#') {
            continue;
        }
        if (!Line(cells)) {
            return m_problem;
        }
    }
    if (!Finish()) {
        return m_problem;
    }
    return std::move(m_tariff);
}

bool ServiceFileReader::Line(const std::vector<std::string>& cells) {
    const std::string& key = cells[0];
    ServiceTariff& t = m_tariff;
    ServiceLimits& l = t.limits;
    if (key == "service") {
        return TextItem(cells, t.name);
    } else if (key == "id") {
        return TextItem(cells, t.id) &&
               (IsIdText(t.id) || Fault("id には英数字と _ - . だけを書きます: "_sj + t.id));
    } else if (key == "group") {
        return TextItem(cells, t.group);
    } else if (key == "period") {
        return Period(cells);
    } else if (key == "carrier") {
        return TextItem(cells, t.carrier);
    } else if (key == "source") {
        return TextItem(cells, t.source);
    } else if (key == "withheld") {
        return TextItem(cells, t.withheld);
    } else if (key == "only_beyond") {
        t.only_beyond_line = m_line;
        return TextItem(cells, t.only_beyond);
    } else if (key == "effective") {
        if (!TextItem(cells, t.effective)) {
            return false;
        }
        return t.effective.empty() || IsDate(t.effective) ||
               Fault("日付は YYYY-MM-DD で書いてください: "_sj + t.effective);
    } else if (key == "confidence") {
        std::string level;
        if (!TextItem(cells, level)) {
            return false;
        }
        t.unconfirmed = level == "L";
        return level == "H" || level == "M" || level == "L" ||
               Fault("確度は H, M, L のどれかです: "_sj + level);
    } else if (key == "sides") {
        return Box(cells);
    } else if (key == "longest") {
        return Limit(cells, l.longest_mm, true);
    } else if (key == "sum") {
        return Limit(cells, l.sum_mm, true);
    } else if (key == "thickness") {
        return Limit(cells, l.thickness_mm, true);
    } else if (key == "weight") {
        return Limit(cells, l.weight_g, false);
    } else if (key == "flat") {
        return Table(PriceTableKind::Flat) && Limit(cells, t.flat_price, false);
    } else if (key == "weight_step") {
        return Table(PriceTableKind::WeightSteps) && Step(cells, false);
    } else if (key == "thickness_step") {
        return Table(PriceTableKind::ThicknessSteps) && Step(cells, true);
    } else if (key == "region") {
        return Table(PriceTableKind::RegionPairs) && Region(cells);
    } else if (key == "size_class") {
        return Table(PriceTableKind::RegionPairs) && Class(cells);
    } else if (key == "rate") {
        return Table(PriceTableKind::RegionPairs) && RateRow(cells);
    }
    return Fault("知らない項目です: "_sj + key);
}

// A text item: its cells joined again (a source may hold commas); given once.
bool ServiceFileReader::TextItem(const std::vector<std::string>& cells, std::string& target) {
    if (!target.empty()) {
        return Fault(cells[0] + " は一度だけ書けます"_sj);
    }
    for (std::size_t i = 1; i < cells.size(); ++i) {
        target += (i > 1 ? "," : "") + cells[i];
    }
    return true;
}

bool ServiceFileReader::Limit(const std::vector<std::string>& cells, std::int32_t& target,
                              bool in_cm) {
    if (cells.size() != 2) {
        return Fault(cells[0] + " には値を一つ書きます"_sj);
    }
    auto value = in_cm ? Centimetres(cells[1]) : WholeNumber(cells[1]);
    if (!value) {
        return NotANumber(cells[1]);
    }
    target = *value;
    return true;
}

bool ServiceFileReader::Box(const std::vector<std::string>& cells) {
    if (cells.size() < 3 || cells.size() > 4) {
        return Fault("sides には 2 辺か 3 辺を書きます"_sj);
    }
    std::array<std::int32_t, 3>& box = m_tariff.limits.box_mm;
    for (std::size_t i = 1; i < cells.size(); ++i) {
        auto mm = Centimetres(cells[i]);
        if (!mm || *mm == 0) {
            return NotANumber(cells[i]);
        }
        box[i - 1] = *mm;
    }
    // An unlimited third side stays last; the others go longest first.
    std::sort(box.begin(), box.begin() + static_cast<long>(cells.size() - 1), std::greater<>());
    return true;
}

bool ServiceFileReader::Table(PriceTableKind kind) {
    if (m_tariff.kind != PriceTableKind::None && m_tariff.kind != kind) {
        return Fault("料金表は一つの書き方にしてください"_sj);
    }
    if (kind == PriceTableKind::Flat && m_tariff.kind == kind) {
        return Fault("flat は一度だけ書けます"_sj);
    }
    m_tariff.kind = kind;
    return true;
}

bool ServiceFileReader::Step(const std::vector<std::string>& cells, bool in_cm) {
    if (cells.size() != 3) {
        return Fault(cells[0] + " には上限と料金を書きます"_sj);
    }
    auto up_to = in_cm ? Centimetres(cells[1]) : WholeNumber(cells[1]);
    if (!up_to) {
        return NotANumber(cells[1]);
    }
    auto price = WholeNumber(cells[2]);
    if (!price) {
        return NotANumber(cells[2]);
    }
    if (!m_tariff.steps.empty() && *up_to <= m_tariff.steps.back().up_to) {
        return Fault("上限は前の行より大きくしてください: "_sj + cells[1]);
    }
    m_tariff.steps.push_back({*up_to, *price});
    return true;
}

bool ServiceFileReader::Region(const std::vector<std::string>& cells) {
    if (m_regions_carried) {
        m_tariff.regions.clear();
        m_tariff.region_of.fill(-1);
        m_regions_carried = false;
    }
    if (!m_tariff.classes.empty()) {
        return Fault("region は size_class より前に書きます"_sj);
    }
    if (cells.size() < 4) {
        return Fault("region には地域の記号、名前、都道府県を書きます"_sj);
    }
    const int index = static_cast<int>(m_tariff.regions.size());
    for (const ServiceRegion& r : m_tariff.regions) {
        if (r.id == cells[1]) {
            return Fault("地域の記号が重なっています: "_sj + cells[1]);
        }
    }
    for (std::size_t i = 3; i < cells.size(); ++i) {
        int pref = PrefectureIndex(cells[i]);
        if (pref < 0) {
            return Fault("都道府県名ではありません: "_sj + cells[i]);
        }
        int& region = m_tariff.region_of[static_cast<std::size_t>(pref)];
        if (region >= 0) {
            return Fault("二つの地域に入っています: "_sj + cells[i]);
        }
        region = index;
    }
    m_tariff.regions.push_back({cells[1], cells[2]});
    return true;
}

bool ServiceFileReader::Class(const std::vector<std::string>& cells) {
    if (m_tariff.regions.empty()) {
        return Fault("size_class より前に region を書きます"_sj);
    }
    if (cells.size() < 2 || cells.size() > 4) {
        return Fault("size_class にはサイズ名、3辺合計、重さを書きます"_sj);
    }
    SizeClass c{cells[1], 0, 0};
    for (const SizeClass& other : m_tariff.classes) {
        if (other.name == c.name) {
            return Fault("サイズ名が重なっています: "_sj + c.name);
        }
    }
    if (cells.size() > 2 && !cells[2].empty()) {
        auto sum = Centimetres(cells[2]);
        if (!sum || *sum == 0) {
            return NotANumber(cells[2]);
        }
        c.max_sum_mm = *sum;
    }
    if (cells.size() > 3) {
        auto weight = WholeNumber(cells[3]);
        if (!weight || *weight == 0) {
            return NotANumber(cells[3]);
        }
        c.max_weight_g = *weight;
    }
    // Classes rise: a larger class never holds less than a smaller one.
    auto below = [](std::int32_t next, std::int32_t prev) {
        return prev == 0 ? next != 0 : next != 0 && next < prev;
    };
    if (!m_tariff.classes.empty() &&
        (below(c.max_sum_mm, m_tariff.classes.back().max_sum_mm) ||
         below(c.max_weight_g, m_tariff.classes.back().max_weight_g))) {
        return Fault("サイズは小さい順に書きます: "_sj + c.name);
    }
    m_tariff.classes.push_back(c);
    m_class_lines.push_back(m_line);
    const std::size_t n = m_tariff.regions.size();
    m_tariff.rates.resize(m_tariff.classes.size() * n * n, -1);
    m_rows_given.resize(m_tariff.classes.size() * n, false);
    return true;
}

bool ServiceFileReader::RateRow(const std::vector<std::string>& cells) {
    const std::size_t n = m_tariff.regions.size();
    if (cells.size() < 3) {
        return Fault("rate にはサイズ名、発送元の地域、料金を書きます"_sj);
    }
    auto size_class = std::find_if(m_tariff.classes.begin(), m_tariff.classes.end(),
                                   [&](const SizeClass& c) { return c.name == cells[1]; });
    if (size_class == m_tariff.classes.end()) {
        return Fault("size_class にないサイズです: "_sj + cells[1]);
    }
    auto origin = std::find_if(m_tariff.regions.begin(), m_tariff.regions.end(),
                               [&](const ServiceRegion& r) { return r.id == cells[2]; });
    if (origin == m_tariff.regions.end()) {
        return Fault("region にない地域です: "_sj + cells[2]);
    }
    if (cells.size() > n + 3) {
        return Fault("料金が地域の数 ("_sj + std::to_string(n) + ") より多くあります"_sj);
    }
    const std::size_t row = static_cast<std::size_t>(size_class - m_tariff.classes.begin()) * n +
                            static_cast<std::size_t>(origin - m_tariff.regions.begin());
    if (m_rows_given[row]) {
        return Fault("同じサイズと発送元の行が二つあります: "_sj + cells[1] + " " + cells[2]);
    }
    m_rows_given[row] = true;
    for (std::size_t i = 3; i < cells.size(); ++i) {
        if (cells[i].empty()) {
            continue;
        }
        auto price = WholeNumber(cells[i]);
        if (!price) {
            return NotANumber(cells[i]);
        }
        m_tariff.rates[row * n + (i - 3)] = *price;
    }
    return true;
}

// A new price period from DATE on: the prices so far close the period before. The
// limits and the regions stay; the prices are given again.
bool ServiceFileReader::Period(const std::vector<std::string>& cells) {
    if (cells.size() != 2 || !IsDate(cells[1])) {
        return Fault("period には YYYY-MM-DD の日付を一つ書きます"_sj);
    }
    ServiceTariff& t = m_tariff;
    if (!t.effective.empty() && cells[1] <= t.effective) {
        return Fault("period の日付は前の期間より後にします: "_sj + cells[1]);
    }
    if (t.kind == PriceTableKind::None && m_earlier.empty()) {
        t.effective = cells[1]; // the first period's date
        return true;
    }
    const int line = m_line;
    if (!FinishTable()) {
        m_problem.line = m_problem.line == 0 ? line : m_problem.line;
        return false;
    }
    m_earlier.push_back(t);
    t.effective = cells[1];
    t.kind = PriceTableKind::None;
    t.flat_price = 0;
    t.steps.clear();
    t.classes.clear();
    t.rates.clear();
    m_class_lines.clear();
    m_rows_given.clear();
    m_regions_carried = true;
    return true;
}

// What only the whole file can tell: the items every service needs, and a region table
// with a price for every pair, in every period.
bool ServiceFileReader::Finish() {
    ServiceTariff& t = m_tariff;
    if (t.name.empty() || t.carrier.empty()) {
        return Fault("service と carrier の行が要ります"_sj, 0);
    }
    if (t.id.empty()) {
        // A file without an id (one the seller wrote before ids) goes by its file name.
        t.id = t.file.size() > 4 ? t.file.substr(0, t.file.size() - 4) : t.file;
    }
    if (!FinishTable()) {
        return false;
    }
    for (ServiceTariff& period : m_earlier) {
        period.id = t.id;
        period.name = t.name;
        period.group = t.group;
        period.carrier = t.carrier;
        period.source = t.source;
        period.only_beyond = t.only_beyond;
        period.only_beyond_line = t.only_beyond_line;
    }
    t.earlier = std::move(m_earlier);
    return true;
}

bool ServiceFileReader::FinishTable() {
    ServiceTariff& t = m_tariff;
    if (!t.withheld.empty()) {
        return t.kind == PriceTableKind::None ||
               Fault("withheld の発送方法には料金表を書きません"_sj, 0);
    }
    if (t.kind == PriceTableKind::None) {
        return Fault("料金表がありません"_sj, 0);
    }
    if (t.kind != PriceTableKind::RegionPairs) {
        return true;
    }
    if (t.classes.empty()) {
        return Fault("size_class がありません"_sj, 0);
    }
    for (std::size_t c = 0; c < t.classes.size(); ++c) {
        for (std::size_t o = 0; o < t.regions.size(); ++o) {
            for (std::size_t d = 0; d < t.regions.size(); ++d) {
                if (t.Rate(static_cast<int>(c), static_cast<int>(o), static_cast<int>(d)) < 0) {
                    return Fault("料金がありません: "_sj + t.classes[c].name + " " +
                                     t.regions[o].id + " → "_sj + t.regions[d].id,
                                 m_class_lines[c]);
                }
            }
        }
    }
    return true;
}

} // namespace

std::variant<ServiceTariff, ServiceDataProblem> ParseServiceFile(std::string_view text,
                                                                 const std::string& file_name) {
    return ServiceFileReader(file_name).Read(text);
}

} // namespace hanamori
