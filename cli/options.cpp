#include "options.h"

#include <vector>

namespace qv::cli {
namespace {

// A host option spelled --NAME, exactly as its row names it.
const HostOptionInfo* hostOption(std::string_view arg) {
    if (!arg.starts_with("--")) return nullptr;
    const HostOptionInfo* option = findHostOption(arg.substr(2));
    return option && option->name == arg.substr(2) ? option : nullptr;
}

// The option nearest to a mistyped one, spelled as the command takes it.
std::string optionSuggestion(std::string_view arg) {
    static const std::vector<std::string> spelled = [] {
        std::vector<std::string> all = {"--help",  "--version", "--info", "--macro",
                                        "--batch", "--csv",     "--set",  "-d",
                                        "-t",      "-o",        "-j"};
        for (const auto& o : hostOptions()) all.push_back("--" + std::string(o.name));
        return all;
    }();
    const std::vector<std::string_view> names(spelled.begin(), spelled.end());
    return didYouMean(arg, names);
}

}  // namespace

std::variant<Options, UsageError> parseArguments(const std::vector<std::string>& args) {
    Options options;
    std::size_t i = 0;
    auto value = [&]() -> std::optional<std::string> {
        if (i + 1 >= args.size()) return std::nullopt;
        return args[++i];
    };
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--info") {
            options.info = true;
        } else if (arg == "--macro") {
            options.macro = true;
        } else if (const HostOptionInfo* host = hostOption(arg)) {
            std::string text = "true";
            if (!host->argument.empty()) {
                auto v = value();
                if (!v) return UsageError{arg + " needs a value"};
                text = *v;
            }
            if (auto problem = host->set(options.render, text)) return UsageError{*problem};
        } else if (arg == "-j") {
            auto v = value();
            if (!v) return UsageError{arg + " needs a value"};
            const auto n = parseWholeNumber(*v, 1, kMaxJobs);
            if (!n) return UsageError{wholeNumberMessage(arg, *v, 1, kMaxJobs)};
            options.jobs = *n;
        } else if (arg == "--batch" || arg == "--csv") {
            auto v = value();
            if (!v) return UsageError{arg + " needs a value"};
            if (options.batch) return UsageError{"give one of --batch and --csv, once"};
            options.batch = *v;
            options.csv = arg == "--csv";
        } else if (arg == "--set" || arg == "-d" || arg == "-t" || arg == "-o") {
            auto v = value();
            if (!v) return UsageError{arg + " needs a value"};
            if (arg == "-o") {
                options.output = *v;
            } else if (arg == "--set") {
                const auto eq = v->find('=');
                if (eq == std::string::npos || eq == 0)
                    return UsageError{"--set takes NAME=VALUE, not \"" + *v + "\""};
                options.assignments.push_back({arg, v->substr(0, eq), v->substr(eq + 1)});
            } else {
                options.assignments.push_back({arg, arg, *v});
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError{"unknown option " + arg + optionSuggestion(arg)};
        } else if (options.control.empty()) {
            options.control = arg;
        } else {
            return UsageError{"unexpected argument \"" + arg + "\""};
        }
    }
    return options;
}

}  // namespace qv::cli
