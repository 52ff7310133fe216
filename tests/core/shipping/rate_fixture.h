#pragma once
// Small, regular rate files for the shipping tests: every price tells where it was read
// from, so a test can see which cell a cost came from.

#include <string>

namespace hanamori::test {

// The six rate files as CP932 CR LF texts. Prices:
//   ゆうパック        sizes 60,80,100,120,140,160,170; zone r->d = min(|r-d|, 6) + 1;
//                     price[s][z] = 1000 + 100 s + 10 z
//   Yahoo!ゆうパック  weights 1000..13000 step 1000; zone p->q = 1 + (p + q) % 4 (p <= q);
//                     price[z][w] = 500 + 100 z + w
//   ヤマト            price[o][c][d] = 1000 + 100 c + 10 d + o above the diagonal, 9999 below
//   佐川              price[o][c][d] = 2000 + 100 c + 10 o + d (written in reverse)
//   ペリカン          price[o][c][d] = 3000 + 100 c + 10 o + d
struct RateFixture {
    std::string yupack;
    std::string yupack2;
    std::string yubin;
    std::string yamato;
    std::string sagawa;
    std::string nittu;

    RateFixture();
    // Writes the six files into `dir` (ending in '/').
    void WriteAll(const std::string& dir) const;
    // Replaces the first occurrence of `from_utf8` by `to_utf8` in `file` (CP932 text).
    static void Replace(std::string& file, const std::string& from_utf8,
                        const std::string& to_utf8);
};

int FixtureYuPackZone(int from_region, int to_region);
int FixtureYahooZone(int a, int b);

} // namespace hanamori::test
