#include "core/document/file_list.h"
#include "core/listing/listing_dir.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"
#include "filemgmt_fixture.h"

#include <filesystem>
#include <map>
#include <regex>
#include <sys/stat.h>

namespace hanamori::test {
namespace {

std::map<std::string, FileRow> ByNumber(const std::vector<FileRow>& rows) {
    std::map<std::string, FileRow> out;
    for (const FileRow& r : rows) {
        out[r.manage_no] = r;
    }
    return out;
}

std::vector<std::string> Numbers(const std::vector<FileRow>& rows) {
    std::vector<std::string> out;
    for (const FileRow& r : rows) {
        out.push_back(r.manage_no);
    }
    return out;
}

TEST_F(FileMgmtTest, EnumeratesStatusNameAndTimesAndMarksFilesThatDoNotRead) {
    EXPECT_TRUE(EnumerateListings(datas).empty());
    EXPECT_TRUE(EnumerateListings(inst / "NoSuchDir").empty());

    Put("000000000000", "未出品");
    Put("111111111111", "出品中", 1);
    Put("222222222222", "終了", 1, 1);
    Put("333333333333", "完了", 1, 1, 1);
    Put("444444444444", "完了だけ", 0, 0, 1);
    // A file renamed by hand: the row acts on its own file.
    SaleMaster renamed = Put("555555555555", "改名");
    std::filesystem::rename(datas + "/555555555555.rks", datas + "/renamed.rks");
    // A listing cut off after its name: nothing of it, and nothing of any other file.
    std::string whole = ReadFile(ListingPath(inst.dir(), "000000000000"));
    WriteFile(datas + "/cut.rks", whole.substr(0, whole.size() / 2));
    WriteFile(datas + "/junk.rks", "not a listing at all");
    std::filesystem::create_directory(datas + "/x.rks");
    WriteFile(datas + "/notes.txt", whole);

    std::vector<FileRow> rows = EnumerateListings(datas);
    ASSERT_EQ(rows.size(), 8u);
    auto by = ByNumber(rows);
    EXPECT_EQ(by.count("x"), 0u);
    EXPECT_EQ(by["000000000000"].status, kStatusNotListed);
    EXPECT_EQ(Utf8(by["000000000000"].name), "未出品");
    EXPECT_EQ(by["111111111111"].status, kStatusListed);
    EXPECT_EQ(by["222222222222"].status, kStatusEnded);
    EXPECT_EQ(by["333333333333"].status, kStatusCompleted);
    EXPECT_EQ(by["444444444444"].status, kStatusCompleted);
    EXPECT_EQ(Utf8(by["renamed"].name), "改名");
    for (const char* bad : {"cut", "junk"}) {
        EXPECT_EQ(by[bad].status, kStatusUnreadable) << bad;
        EXPECT_EQ(by[bad].name, "") << bad;
        EXPECT_FALSE(by[bad].readable());
        EXPECT_EQ(StatusLetter(by[bad].status), "?");
    }

    const std::regex stamp(R"(\d\d/\d\d/\d\d \d\d:\d\d)");
    for (const FileRow& r : rows) {
        EXPECT_TRUE(std::regex_match(r.saved, stamp)) << r.manage_no << " " << r.saved;
        EXPECT_TRUE(std::regex_match(r.created, stamp)) << r.manage_no << " " << r.created;
    }
    struct stat st {};
    ASSERT_EQ(::stat((datas + "/junk.rks").c_str(), &st), 0);
    EXPECT_EQ(by["junk"].saved, FormatListTime(st.st_mtime));

    EXPECT_EQ(Utf8(StatusLetter(0)) + Utf8(StatusLetter(1)) + Utf8(StatusLetter(2)) +
                  Utf8(StatusLetter(3)),
              "未出終完");
}

std::vector<FileRow> SortSample() {
    // Names in CP932 byte order: "b" (62) < "あ" (82 A0) < "ア" (83 41) < "ｱ" (B1).
    auto row = [](const char* no, const char* name, int status, const char* saved,
                  const char* created) {
        FileRow r;
        r.manage_no = no;
        r.name = Sj(name);
        r.status = status;
        r.saved = saved;
        r.created = created;
        return r;
    };
    return {row("C", "ア", 2, "24/01/03 10:00", "23/12/01 09:00"),
            row("A", "ｱ", 0, "24/01/01 10:00", "24/01/01 09:00"),
            row("D", "", kStatusUnreadable, "23/05/05 05:05", "23/05/05 05:05"),
            row("B", "b", 3, kNoDateText, kNoDateText),
            row("E", "あ", 1, "24/02/01 00:00", "22/01/01 00:00")};
}

TEST(FileListSort, EveryColumnBothWays) {
    const std::map<int, std::vector<std::string>> ascending = {
        {kColumnStatus, {"A", "E", "C", "B", "D"}}, // "0" < ... < "3" < "?"
        {kColumnName, {"D", "B", "E", "C", "A"}},    {kColumnSaved, {"B", "D", "A", "C", "E"}},
        {kColumnCreated, {"B", "E", "D", "C", "A"}}, {kColumnManageNo, {"A", "B", "C", "D", "E"}},
    };
    for (const auto& [column, order] : ascending) {
        std::vector<FileRow> rows = SortSample();
        SortRows(rows, column, true);
        EXPECT_EQ(Numbers(rows), order) << "column " << column;
        SortRows(rows, column, false);
        EXPECT_EQ(Numbers(rows), std::vector<std::string>(order.rbegin(), order.rend()))
            << "column " << column;
    }
    // Equal keys keep their order in either direction.
    std::vector<FileRow> rows = SortSample();
    for (FileRow& r : rows) {
        r.saved = "same";
    }
    SortRows(rows, kColumnSaved, false);
    EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"C", "A", "D", "B", "E"}));
}

TEST_F(FileMgmtTest, HeaderClicksStartAscendingAndAlternateAcrossColumns) {
    Put("100000000002", "b");
    Put("100000000001", "c");
    Put("100000000003", "a");
    UserSettings settings;
    ScriptedHost host;
    FileList list(datas, settings, host);
    list.Load();
    EXPECT_TRUE(list.next_sort_ascending());
    list.SortByColumn(kColumnManageNo);
    EXPECT_EQ(Numbers(list.rows()),
              (std::vector<std::string>{"100000000001", "100000000002", "100000000003"}));
    list.SortByColumn(kColumnManageNo);
    EXPECT_EQ(Numbers(list.rows()),
              (std::vector<std::string>{"100000000003", "100000000002", "100000000001"}));
    // One direction flag for all columns: the third click sorts ascending again.
    list.SortByColumn(kColumnName);
    EXPECT_EQ(Numbers(list.rows()),
              (std::vector<std::string>{"100000000003", "100000000002", "100000000001"}));
    list.SortByColumn(kColumnName);
    EXPECT_EQ(Numbers(list.rows()),
              (std::vector<std::string>{"100000000001", "100000000002", "100000000003"}));
    list.Load();
    EXPECT_TRUE(list.next_sort_ascending());
}

TEST_F(FileMgmtTest, RowsComeInFileNameByteOrderWhateverTheDirectoryKeeps) {
    // Written out of order; names with bytes above 0x7F (a CP932 name) sort after
    // ASCII, and upper case before lower case.
    const std::vector<std::string> names = {"b.rks", "\x83\x41.rks", "B.rks",  "240101000000.rks",
                                            "a.rks", "\xb1.rks",     "A1.rks", "239912312359.rks"};
    for (const std::string& name : names) {
        WriteFile(datas + "/" + name, "x");
    }
    std::filesystem::create_directory(datas + "/0.rks");
    EXPECT_EQ(ListingFileNames(datas),
              (std::vector<std::string>{"239912312359.rks", "240101000000.rks", "A1.rks", "B.rks",
                                        "a.rks", "b.rks", "\x83\x41.rks", "\xb1.rks"}));
    EXPECT_EQ(Numbers(EnumerateListings(datas)),
              (std::vector<std::string>{"239912312359", "240101000000", "A1", "B", "a", "b",
                                        "\x83\x41", "\xb1"}));
}

TEST_F(FileMgmtTest, NamesThatShareTheirFirstSixteenBytesSortByTheRest) {
    for (const char* name : {"listing-number.rks", "listing-number-0002.rks",
                             "listing-number-0001x.rks", "listing-number-0001.rks"}) {
        WriteFile(datas + "/" + name, "x");
    }
    EXPECT_EQ(ListingFileNames(datas),
              (std::vector<std::string>{"listing-number-0001.rks", "listing-number-0001x.rks",
                                        "listing-number-0002.rks", "listing-number.rks"}));
}

TEST_F(FileMgmtTest, AFifoWithAListingsNameIsAnUnreadableRowNotAHang) {
    Put("100000000001", "a");
    ASSERT_EQ(::mkfifo((datas + "/pipe.rks").c_str(), 0600), 0);
    auto by = ByNumber(EnumerateListings(datas));
    ASSERT_EQ(by.size(), 2u);
    EXPECT_EQ(by["100000000001"].status, kStatusNotListed);
    EXPECT_EQ(by["pipe"].status, kStatusUnreadable);
    SaleMaster listing;
    EXPECT_FALSE(ReadListingWithTimes(datas + "/pipe.rks", listing, nullptr));
}

} // namespace
} // namespace hanamori::test
