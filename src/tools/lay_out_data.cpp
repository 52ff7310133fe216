// lay_out_data SHIPPED TARGET: brings the shipped data into an installation directory
// as the build does for build/dist/ (and the programs for a per-user directory): a
// file the seller changed there is kept, everything else comes up to date.

#include "core/app/shipped_data.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: lay_out_data SHIPPED TARGET\n";
        return 2;
    }
    hanamori::ShippedDataReport report = hanamori::LayOutShippedData(argv[1], argv[2]);
    for (const std::string& kept : report.kept) {
        std::cout << "lay_out_data: keeping " << argv[2] << "/" << kept
                  << ", changed since it was shipped\n";
    }
    if (!report.error.empty()) {
        std::cerr << "lay_out_data: " << report.error << '\n';
        return 1;
    }
    return 0;
}
