#pragma once
// The parcel arguments the cost commands share: --from, --weight and --size checked as
// one, prefectures named or refused with the closest names, and their help text.

#include "cli/command.h"

#include <optional>
#include <string>
#include <vector>

namespace hanamori::cli {

struct Parcel {
    std::string from; // CP932
    int weight = 0;
    int sides[3] = {0, 0, 0};
};

// A refused argument: the usage problem naming it.
struct Refusal {
    std::string problem;
    int exit_code = kExitUsage;
};

// Reports a refusal: a usage error, or an argument that cannot be stored.
int Refuse(const std::string& command, const Refusal& refusal);

// The prefecture an option names, or the refusal naming the option and the closest names.
std::optional<std::string> TakePrefecture(const std::string& option, const std::string& value,
                                          std::optional<Refusal>& refusal);

// Takes --from, --weight and --size out of `args`; a refusal names the argument at fault.
std::optional<Parcel> TakeParcel(std::vector<std::string>& args, std::optional<Refusal>& refusal);

// A parcel with its destination.
struct Route {
    Parcel parcel;
    std::string to; // CP932
};

// Takes --from, --to, --weight and --size out of `args`, which must then be empty; on a
// refusal reports it as `command`'s and returns nullopt with `exit_code` set.
std::optional<Route> TakeRoute(const std::string& command, std::vector<std::string>& args,
                               int& exit_code);

// What the help of a cost command says about PREF, GRAMS and the sides.
std::string PrefectureHelp();

} // namespace hanamori::cli
