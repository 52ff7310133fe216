#include "cli/parcel_args.h"

#include "cli/names.h"
#include "core/shipping/prefectures.h"
#include "core/text/cp932.h"

#include <algorithm>

namespace hanamori::cli {

// Reports a refusal: a usage error, or an argument that cannot be stored.
int Refuse(const std::string& command, const Refusal& refusal) {
    if (refusal.exit_code == kExitUsage) {
        return UsageError(command, refusal.problem);
    }
    return Fail(refusal.problem);
}

// The prefecture an option names, or the refusal naming the option and the closest names.
std::optional<std::string> TakePrefecture(const std::string& option, const std::string& value,
                                          std::optional<Refusal>& refusal) {
    if (auto name = PrefectureArg(value)) {
        return name;
    }
    if (!Utf8ToCp932(value)) {
        refusal = Refusal{option + ": the character \"" + FirstUnencodableChar(value) +
                              "\" cannot be stored (Shift-JIS)",
                          kExitFailure};
        return std::nullopt;
    }
    std::string suggestions;
    for (const std::string& near : ClosestPrefectures(value)) {
        suggestions += (suggestions.empty() ? "" : ", ") + near;
    }
    refusal = Refusal{option + ": " + value +
                      ": not a prefecture (one of the 47 names, or without 都, 府 or 県; "
                      "closest: " +
                      suggestions + ")"};
    return std::nullopt;
}

namespace {

// Takes "--size L W H" out of `args`; each side 0 or more.
std::optional<Refusal> TakeSize(std::vector<std::string>& args, int (&sides)[3]) {
    auto it = std::find(args.begin(), args.end(), "--size");
    if (it == args.end()) {
        return Refusal{"--size: missing"};
    }
    if (args.end() - it < 4) {
        return Refusal{"--size: needs three values L W H"};
    }
    for (int i = 0; i < 3; ++i) {
        const std::string& text = *(it + 1 + i);
        auto value = ParseInt(text);
        if (!value || *value < 0) {
            return Refusal{"--size: " + text +
                           ": must be a whole number of centimetres, 0 or more"};
        }
        sides[i] = *value;
    }
    args.erase(it, it + 4);
    return std::nullopt;
}

} // namespace

// The options every cost command takes; a refusal names the argument at fault.
std::optional<Parcel> TakeParcel(std::vector<std::string>& args, std::optional<Refusal>& refusal) {
    Parcel parcel;
    bool missing = false;
    auto from = TakeOption(args, "--from", missing);
    if (missing || !from) {
        refusal = Refusal{"--from: missing"};
        return std::nullopt;
    }
    auto weight = TakeOption(args, "--weight", missing);
    if (missing || !weight) {
        refusal = Refusal{"--weight: missing"};
        return std::nullopt;
    }
    if ((refusal = TakeSize(args, parcel.sides))) {
        return std::nullopt;
    }
    auto grams = ParseInt(*weight);
    if (!grams || *grams <= 0) {
        refusal = Refusal{"--weight: " + *weight + ": must be a whole number of grams above 0"};
        return std::nullopt;
    }
    parcel.weight = *grams;
    auto prefecture = TakePrefecture("--from", *from, refusal);
    if (!prefecture) {
        return std::nullopt;
    }
    parcel.from = *prefecture;
    return parcel;
}

std::optional<Route> TakeRoute(const std::string& command, std::vector<std::string>& args,
                               int& exit_code) {
    bool missing = false;
    auto to = TakeOption(args, "--to", missing);
    std::optional<Refusal> refusal;
    auto parcel = TakeParcel(args, refusal);
    if (!parcel) {
        exit_code = Refuse(command, *refusal);
        return std::nullopt;
    }
    if (missing || !to) {
        exit_code = UsageError(command, "--to: missing");
        return std::nullopt;
    }
    if (std::string problem = LeftoverProblem(args, 0); !problem.empty()) {
        exit_code = UsageError(command, problem);
        return std::nullopt;
    }
    auto destination = TakePrefecture("--to", *to, refusal);
    if (!destination) {
        exit_code = Refuse(command, *refusal);
        return std::nullopt;
    }
    return Route{*parcel, *destination};
}

std::string PrefectureHelp() {
    std::string names;
    for (const std::string& name : Prefectures()) {
        names += (names.empty() ? "" : " ") + Cp932ToUtf8(name);
    }
    return "Prefectures (PREF): the 47 names, or without 都, 府 or 県 (東京, 大阪, 京都):\n  " +
           names + "\nGRAMS above 0; sizes L W H in cm, 0 or more.\n";
}

} // namespace hanamori::cli
